// Pictures of the main window with a home tab and two productions (written
// when SCREENSHOT_DIR is set), and the layout facts they rest on.

#include "app/MainWindow.h"
#include "design/style/AuroraBackground.h"
#include "design/DesignSystem.h"
#include "services/ProjectStore.h"
#include "services/SampleFactory.h"
#include "services/UpdateService.h"
#include "state/AppState.h"
#include "state/StudioTab.h"
#include "support/Screenshots.h"
#include "support/ScreenSize.h"
#include "views/shell/RootView.h"
#include "views/shell/TabStrip.h"
#include "views/shell/UpdatePill.h"

#include <QApplication>
#include <QDir>
#include <QTest>

using namespace studio;
using namespace Qt::StringLiterals;

class MainWindowScreensTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        DesignSystem::install(*qApp);
    }

    void threeTabs()
    {
        AppState app;
        app.openProject(SampleFactory::lighthouse());
        app.openProject(SampleFactory::counterCulture());
        MainWindow window(app);
        window.resize(1280, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.rootView()->backdrop()->setAnimated(false);
        test::SettledPicture settled(&window);
        QTRY_VERIFY(settled());
        QVERIFY(!test::writeScreenshot(&window, u"main-window-three-tabs"_s).isNull() || test::screenshotDir().isEmpty());

        // The home tab selected, hovered chips aside.
        app.setSelectedTabID(app.tabs().first()->id());
        QTRY_VERIFY(settled());
        test::writeScreenshot(&window, u"main-window-home-selected"_s);

        // The store's banner and the update pill.
        app.updates().setPhase(UpdatePhase::available(UpdateInfo{u"0.2.0"_s, u"Notes"_s, u"https://x/a.zip"_s, {}}));
        QDir().mkpath(ProjectStore::rootPath());
        app.store().save(app.tabs().at(1)->session()->project()); // succeeds
        Q_EMIT app.store().errorOccurred(u"Save failed: The disk is full."_s);
        QTRY_VERIFY(settled());
        test::writeScreenshot(&window, u"main-window-banner-and-pill"_s);
        test::writeScreenshot(window.rootView()->tabStrip(), u"tab-strip"_s);
        QVERIFY(window.rootView()->tabStrip()->updatePill()->isVisible());
    }
};

STUDIO_TEST_MAIN_ON_SCREEN(MainWindowScreensTest, 1920, 1080)
#include "MainWindowScreensTest.moc"
