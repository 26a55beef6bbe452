// The Script page on screens of fractional scale (125 % and 150 %), where
// the edges of a point fall inside device pixels: what the window shows after
// the pointer went over the rows and away is what a fresh paint shows; and a
// long script whose page follows the caret as it types and moves.

#include "design/widgets/ScrollColumn.h"
#include "design/DesignSystem.h"
#include "model/Lookup.h"
#include "services/SampleFactory.h"
#include "state/ProjectSession.h"
#include "views/phases/script/ScriptPage.h"
#include "views/phases/script/ScriptView.h"

#include <QApplication>
#include <QBackingStore>
#include <QScrollBar>
#include <QTextEdit>
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
    void initTestCase() { DesignSystem::install(*qApp); }

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

    void thePageFollowsTheCaret_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::newRow("typing on the last line in view") << u"type"_s;
        QTest::newRow("Down from the last line in view") << u"down"_s;
        QTest::newRow("Up into a long element, Ctrl+End, Ctrl+Home") << u"ends"_s;
        QTest::newRow("Tab into a long element") << u"tab"_s;
        QTest::newRow("Page Down into a long element") << u"page"_s;
    }

    void thePageFollowsTheCaret()
    {
        QFETCH(QString, keys);
        // A feature's script, with a long speech and a megabyte of action in it.
        const int speech = 1200;
        const int megabyte = 1300;
        Project p;
        QList<ScriptElement>& script = p.episodes.first().script.elements;
        for (int i = 0; i < 2400; ++i) {
            const ScriptElementKind kind = i % 3 == 0 ? ScriptElementKind::character
                                           : i % 3 == 1 ? ScriptElementKind::dialogue
                                                        : ScriptElementKind::action;
            script << ScriptElement{.kind = kind, .text = u"Line %1 of the script."_s.arg(i)};
        }
        script[speech].text = u"Say it again, slower, so the harbor hears it. "_s.repeated(40);
        script[megabyte].text = u"The beam sweeps the water and finds nothing. "_s.repeated((1 << 20) / 45);
        ProjectSession session(p);
        ScriptView view(session);
        view.setScreen(QGuiApplication::screens().first()); // 125 %
        view.setGeometry(QRect(view.screen()->geometry().topLeft() + QPoint(20, 20), QSize(1000, 700)));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        ScriptPage* page = view.page();
        QWidget* viewport = view.scrollArea()->viewport();
        QScrollBar* bar = view.scrollArea()->verticalScrollBar();
        const auto inView = [&](const QUuid& id) {
            const QRect text = page->textRect(id);
            return QRect(page->mapTo(viewport, text.topLeft()), text.size());
        };
        // The element's first line just above the bottom of the view.
        const auto bringToBottom = [&](int index) {
            const QUuid id = script[index].id;
            page->focusElement(id);
            QTRY_VERIFY(page->isLaidOut(id));
            bar->setValue(bar->value() + inView(id).top() - (viewport->height() - 30));
            QTRY_VERIFY(qAbs(inView(id).top() - (viewport->height() - 30)) <= 2);
            QTest::mouseClick(page, Qt::LeftButton, {}, page->textRect(id).topLeft() + QPoint(2, 6));
            QVERIFY(page->hasTextFocus(id));
        };
        QTextEdit* edit = page->textEdit();
        const auto caretShown = [&] {
            const QRect caret = edit->cursorRect();
            return viewport->rect().contains(QRect(edit->viewport()->mapTo(viewport, caret.topLeft()), caret.size()));
        };

        if (keys == u"type"_s) {
            bringToBottom(600);
            QTest::keyClick(edit, Qt::Key_End);
            QTest::keyClicks(edit, u" And then the rain, and then the wind off the water. "_s.repeated(12));
            QTRY_VERIFY(caretShown());
            // Tab on into the elements below the fold.
            for (int i = 0; i < 4; ++i) {
                QTest::keyClick(edit, Qt::Key_Tab);
                QTRY_VERIFY(caretShown());
            }
        } else if (keys == u"down"_s) {
            bringToBottom(speech);
            for (int i = 0; i < 5; ++i)
                QTest::keyClick(edit, Qt::Key_Down);
            QVERIFY(edit->textCursor().position() > 200);
            QTRY_VERIFY(caretShown());
        } else if (keys == u"page"_s) {
            // From the line just above it, at the top of the view: the page
            // scrolls by a page, though the element begins above the view.
            const QUuid above = script[megabyte - 1].id;
            page->focusElement(above);
            QTRY_VERIFY(page->isLaidOut(above));
            bar->setValue(bar->value() + inView(above).top() - 20);
            QTRY_VERIFY(qAbs(inView(above).top() - 20) <= 2);
            const int before = bar->value();
            QTest::keyClick(edit, Qt::Key_PageDown);
            QVERIFY(page->hasTextFocus(script[megabyte].id));
            QTRY_VERIFY(caretShown());
            QVERIFY(qAbs(bar->value() - before - viewport->height()) < viewport->height() / 4);
        } else if (keys == u"tab"_s) {
            // Written after its text: its end comes into view.
            bringToBottom(megabyte - 1);
            QTest::keyClick(edit, Qt::Key_Tab);
            QVERIFY(page->hasTextFocus(script[megabyte].id));
            QTRY_VERIFY(caretShown());
        } else {
            // Up from below it comes to its last line, far down the page.
            bringToBottom(megabyte + 1);
            QTest::keyClick(edit, Qt::Key_Up);
            QVERIFY(page->hasTextFocus(script[megabyte].id));
            QVERIFY(edit->textCursor().position() > script[megabyte].text.size() - 100);
            QTRY_VERIFY(caretShown());
            // The script's end and start, past it.
            QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
            QVERIFY(page->hasTextFocus(script.last().id));
            QCOMPARE(edit->textCursor().position(), int(script.last().text.size()));
            QTRY_VERIFY(caretShown());
            QTest::keyClick(edit, Qt::Key_Home, Qt::ControlModifier);
            QVERIFY(page->hasTextFocus(script.first().id));
            QTRY_VERIFY(caretShown());
        }
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
