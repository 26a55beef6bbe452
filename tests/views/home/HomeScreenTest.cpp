// Renders the home library and the new-production sheet offscreen and writes
// PNGs when SCREENSHOT_DIR is set: the empty library, a library of the three
// samples (one hovered), and the sheet at each step.

#include "design/style/AuroraBackground.h"
#include "design/style/Spring.h"
#include "design/DesignSystem.h"
#include "services/ProjectStore.h"
#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "support/Screenshots.h"
#include "views/home/HomeView.h"
#include "views/home/NewProjectSheet.h"
#include "views/home/ProjectPosterCard.h"

#include <QApplication>
#include <QPainter>
#include <QVBoxLayout>
#include <QtTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

// Whether every spring of the widget (hover, fades) has come to rest.
bool springsAtRest(const QObject* root)
{
    for (const Spring* spring : root->findChildren<Spring*>()) {
        if (spring->isMoving())
            return false;
    }
    return true;
}

void shoot(QWidget* widget, const QString& name)
{
    // Let pending layouts settle first.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    test::writeScreenshot(widget, name);
}

// The window's backdrop behind the library, as the root view draws it.
struct Screen {
    explicit Screen(AppState& app)
    {
        backdrop.setReduceMotion(true);
        backdrop.resize(1280, 860);
        auto* layout = new QVBoxLayout(&backdrop);
        layout->setContentsMargins(0, 0, 0, 0);
        home = new HomeView(app, &backdrop);
        layout->addWidget(home);
        backdrop.show();
        QCoreApplication::processEvents();
    }
    AuroraBackground backdrop;
    HomeView* home;
};

// A part of a widget at twice its size, for a closer look.
void shootPart(QWidget* widget, const QRect& part, const QString& name)
{
    QCoreApplication::processEvents();
    QImage image(part.size() * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    image.fill(Qt::black);
    QPainter painter(&image);
    widget->render(&painter, QPoint(), QRegion(part));
    painter.end();
    test::writeImage(image, name);
}

} // namespace

class HomeScreenTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { DesignSystem::install(*static_cast<QApplication*>(QCoreApplication::instance())); }

    void library()
    {
        AppState app;
        Screen screen(app);
        QVERIFY(screen.home->showsFirstRun());
        shoot(&screen.backdrop, u"home-empty"_s);

        for (const SampleFactory::Sample& sample : SampleFactory::registry())
            screen.home->addSample(sample.id);
        QCoreApplication::processEvents();
        QCOMPARE(screen.home->posterCards().size(), 3);
        QVERIFY(!screen.home->showsFirstRun());
        screen.home->posterCards().first()->setHovering(true);
        QTRY_VERIFY(springsAtRest(&screen.backdrop));
        shoot(&screen.backdrop, u"home-samples"_s);
        shootPart(&screen.backdrop, QRect(0, 100, 700, 300), u"home-samples-detail"_s);

        screen.backdrop.resize(760, 860);
        QCoreApplication::processEvents();
        shoot(&screen.backdrop, u"home-samples-narrow"_s);
    }

    void sheet()
    {
        AppState app;
        Screen screen(app);
        app.setShowingNewProject(true);
        QCoreApplication::processEvents();
        NewProjectSheet* sheet = screen.home->newProjectSheet();
        QVERIFY(sheet);
        shoot(sheet, u"sheet-formats"_s);

        sheet->pickFormat(ProjectFormat::series);
        QTRY_VERIFY(springsAtRest(sheet));
        shoot(sheet, u"sheet-details-series"_s);

        sheet->goBack();
        shoot(sheet, u"sheet-formats-picked"_s);
        sheet->pickFormat(ProjectFormat::feature);
        shoot(sheet, u"sheet-details-feature"_s);
        sheet->goBack();
        sheet->pickFormat(ProjectFormat::anthology);
        shoot(sheet, u"sheet-details-anthology"_s);
        sheet->reject();
    }
};

QTEST_MAIN(HomeScreenTest)
#include "HomeScreenTest.moc"
