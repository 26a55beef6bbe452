// Pictures from a real X display (run under Xvfb with QT_QPA_PLATFORM=xcb and
// SCREENSHOT_DIR set): the whole screen as the X server has it, which shows a
// running copy of the program started beside this test, and the main window
// drawn by the xcb platform. Skipped on any other platform.

#include "app/MainWindow.h"
#include "design/DesignSystem.h"
#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "state/StudioTab.h"
#include "support/Screenshots.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

using namespace studio;
using namespace Qt::StringLiterals;

class WindowGrabTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        if (QGuiApplication::platformName() != u"xcb"_s)
            QSKIP("needs an X display (QT_QPA_PLATFORM=xcb)");
    }

    void wholeScreen()
    {
        QScreen* screen = QGuiApplication::primaryScreen();
        QVERIFY(screen);
        const QPixmap shot = screen->grabWindow(0);
        QVERIFY(!shot.isNull());
        test::writeImage(shot.toImage(), u"xcb-screen"_s);
    }

    void mainWindowOnX()
    {
        DesignSystem::install(*qApp);
        AppState app;
        app.openProject(SampleFactory::lighthouse());
        app.openProject(SampleFactory::cloudFarmer());
        MainWindow window(app);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(window.width() >= MainWindow::minimumContentSize.width());
        const QPixmap shot = window.grab();
        QVERIFY(!shot.isNull());
        test::writeImage(shot.toImage(), u"xcb-main-window"_s);
    }
};

QTEST_MAIN(WindowGrabTest)
#include "WindowGrabTest.moc"
