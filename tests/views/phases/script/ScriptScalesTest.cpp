// The Script page on screens of fractional scale (125 % and 150 %), where
// the edges of a point fall inside device pixels: what the window shows after
// the pointer went over the rows and away is what a fresh paint shows.

#include "design/ScrollColumn.h"
#include "design/Theme.h"
#include "model/Lookup.h"
#include "services/SampleFactory.h"
#include "state/ProjectSession.h"
#include "views/phases/script/ScriptPage.h"
#include "views/phases/script/ScriptView.h"

#include <QApplication>
#include <QBackingStore>
#include <QScopeGuard>
#include <QScreen>
#include <QTemporaryFile>
#include <QtTest>

#include <memory>

using namespace studio;
using namespace Qt::StringLiterals;

class ScriptScalesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Theme::install(*qApp); }

    void hoverLeavesNothingBehind_data()
    {
        QTest::addColumn<int>("screen");
        for (int i = 0; i < QGuiApplication::screens().size(); ++i)
            QTest::newRow(qPrintable(QGuiApplication::screens().at(i)->name())) << i;
    }

    void hoverLeavesNothingBehind()
    {
        QFETCH(int, screen);
        ProjectSession session(SampleFactory::lighthouse());
        const QList<ScriptElement> elements =
            findActiveEpisode(session.project(), session.activeEpisodeID())->script.elements;
        ScriptView view(session);
        view.setScreen(QGuiApplication::screens().at(screen));
        // An odd width: the page stands half a point off the window's grid.
        view.setGeometry(QRect(view.screen()->geometry().topLeft() + QPoint(20, 20), QSize(1001, 700)));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(view.devicePixelRatioF() > 1 && view.devicePixelRatioF() < 2);
        const int flash = QApplication::cursorFlashTime();
        QApplication::setCursorFlashTime(0);
        const auto restore = qScopeGuard([flash] { QApplication::setCursorFlashTime(flash); });

        // The paper in view, on whole device pixels, as the window holds it
        // and as painted afresh.
        ScriptPage* page = view.page();
        QWidget* viewport = view.scrollArea()->viewport();
        const QRect inView = QRect(page->mapTo(&view, QPoint(0, 0)), page->size())
                                 .intersected(QRect(viewport->mapTo(&view, QPoint(0, 0)), viewport->size()))
                                 .adjusted(8, 8, -8, -8);
        const QRect paper(QPoint((inView.left() + 3) / 4 * 4, (inView.top() + 3) / 4 * 4),
                          QPoint(inView.right() / 4 * 4 - 1, inView.bottom() / 4 * 4 - 1));
        const qreal ratio = view.devicePixelRatioF();
        const QRect device(QPoint(qRound(paper.left() * ratio), qRound(paper.top() * ratio)),
                           QSize(qRound(paper.width() * ratio), qRound(paper.height() * ratio)));
        const auto shown = [&] {
            QPaintDevice* store = view.backingStore()->paintDevice();
            return store->devType() == QInternal::Image
                       ? static_cast<QImage*>(store)->copy(device).convertToFormat(QImage::Format_RGB32)
                       : QImage();
        };
        const auto fresh = [&] { return view.grab(paper).toImage().convertToFormat(QImage::Format_RGB32); };
        QTRY_VERIFY(!shown().isNull() && shown() == fresh());

        for (const ScriptElement& element : elements) {
            QTest::mouseMove(page, page->textRect(element.id).center());
            QTRY_COMPARE(page->hoveredID(), element.id);
        }
        // Off the rows, into the page's margin.
        QTest::mouseMove(page, QPoint(4, page->textRect(elements.first().id).center().y()));
        QTRY_VERIFY(page->hoveredID().isNull());
        QTRY_VERIFY(shown() == fresh());
    }
};

int main(int argc, char** argv)
{
    // Two screens, at 125 % and 150 % (a logical 96 dpi is 100 %).
    QTemporaryFile config;
    if (!config.open())
        return 1;
    config.write(R"({"screens": [
        {"name": "125%", "x": 0, "y": 0, "width": 1400, "height": 900, "logicalDpi": 120, "logicalBaseDpi": 96},
        {"name": "150%", "x": 1400, "y": 0, "width": 1400, "height": 900, "logicalDpi": 144, "logicalBaseDpi": 96}]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
    QApplication app(argc, argv);
    ScriptScalesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ScriptScalesTest.moc"
