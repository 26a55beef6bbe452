// The main window on screens that hold the window's minimum, where the
// content keeps it, and smaller ones (the least size itself, and 1440×900 at
// a scale of 1.5), where the window fits the screen and every stop of a
// screen can be reached and seen; a screen whose free area shrinks while the
// window is open; and the new-production sheet, below the tab strip however
// large the window.

#include "app/MainWindow.h"
#include "design/DesignSystem.h"
#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "support/KeyboardWalk.h"
#include "support/ScreenSize.h"
#include "views/home/NewProjectSheet.h"
#include "views/settings/SettingsWindow.h"
#include "views/shell/RootView.h"
#include "views/shell/TabStrip.h"

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QTest>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

QScreen* screenNamed(const QString& name)
{
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->name() == name)
            return screen;
    return nullptr;
}

// Shows the window on `screen` at the top left of its free area (maximised
// or not); whether it became the active window.
bool shownOn(MainWindow& window, QScreen* screen, bool maximized = false)
{
    window.setScreen(screen);
    window.move(screen->availableGeometry().topLeft());
    if (maximized)
        window.showMaximized();
    else
        window.show();
    return QTest::qWaitForWindowActive(&window);
}

} // namespace

class SmallScreenTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(screenNamed(u"wide"_s) && screenNamed(u"least"_s) && screenNamed(u"small"_s) && screenNamed(u"narrow"_s));
        DesignSystem::install(*qApp);
    }

    void cleanup()
    {
        QScreen* wide = screenNamed(u"wide"_s);
        test::setFreeArea(wide, wide->geometry());
        QTRY_COMPARE(wide->availableGeometry(), wide->geometry());
    }

    void theMinimumHoldsWhereTheScreenHoldsIt()
    {
        AppState app;
        MainWindow window(app);
        QVERIFY(shownOn(window, screenNamed(u"wide"_s)));
        window.resize(600, 400);
        QTRY_VERIFY(window.rootView()->width() >= MainWindow::minimumContentSize.width()
                    && window.rootView()->height() >= MainWindow::minimumContentSize.height());
    }

    void aSmallerScreenHoldsTheWholeWindow_data()
    {
        QTest::addColumn<PhaseID>("phase");
        QTest::newRow("Spark") << PhaseID::spark;
        QTest::newRow("Cast & World") << PhaseID::cast;
        QTest::newRow("Storyboard") << PhaseID::scenes;
    }

    void aSmallerScreenHoldsTheWholeWindow()
    {
        QFETCH(PhaseID, phase);
        QScreen* small = screenNamed(u"small"_s);
        AppState app;
        Project production = SampleFactory::lighthouse();
        production.activePhase = phase;
        app.openProject(production);
        MainWindow window(app);
        QVERIFY(shownOn(window, small));
        QTRY_VERIFY2(small->availableGeometry().contains(window.frameGeometry()),
                     qPrintable(u"%1 in %2"_s.arg(QDebug::toString(window.frameGeometry()),
                                                   QDebug::toString(small->availableGeometry()))));
        const test::KeyboardWalk walk = test::walkWithTab(&window);
        QVERIFY(!walk.stops.isEmpty());
        QVERIFY2(walk.outOfView.isEmpty(), qPrintable(walk.outOfView.join(u'\n')));
    }

    // A panel appears, or a docked laptop loses its larger screen's room:
    // the open window comes back inside what the screen offers.
    void aShrinkingScreenRefitsTheWindow()
    {
        QScreen* wide = screenNamed(u"wide"_s);
        AppState app;
        MainWindow window(app);
        QVERIFY(shownOn(window, wide));
        const QRect free(0, 0, 1000, 640);
        QVERIFY(!free.contains(window.frameGeometry()));
        test::setFreeArea(wide, free);
        QTRY_VERIFY2(free.contains(window.frameGeometry()), qPrintable(QDebug::toString(window.frameGeometry())));
    }

    // Back from a state the window manager frames otherwise (maximised under
    // some window managers, full screen), the window takes the place and size
    // it had, which reach it in steps: the window half way there is no window
    // sticking out of the screen.
    void aRestoredWindowTakesItsPlaceBack()
    {
        QScreen* wide = screenNamed(u"wide"_s);
        AppState app;
        MainWindow window(app);
        QVERIFY(shownOn(window, wide));
        window.setGeometry(QRect(wide->availableGeometry().topLeft() + QPoint(60, 40), window.minimumSize()));
        QTRY_COMPARE(window.size(), window.minimumSize());
        const QRect normal = window.geometry();
        window.showFullScreen();
        QTRY_COMPARE(window.geometry(), wide->geometry());
        window.showNormal();
        QTRY_COMPARE(window.geometry(), normal);
    }

    // The sheet stands below the tab strip, inside the window, at the least
    // size on a large screen and fitted to screens as small as that or smaller.
    void theNewProductionSheetStandsBelowTheTabStrip_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::newRow("least size on a large screen") << u"wide"_s;
        QTest::newRow("a screen of the least size") << u"least"_s;
        QTest::newRow("a smaller screen") << u"small"_s;
        QTest::newRow("a screen narrower than the sheet") << u"narrow"_s;
    }

    void theNewProductionSheetStandsBelowTheTabStrip()
    {
        QFETCH(QString, screen);
        QScreen* shown = screenNamed(screen);
        AppState app;
        MainWindow window(app);
        QVERIFY(shownOn(window, shown));
        window.resize(window.minimumSize());
        QTRY_COMPARE(window.size(), window.minimumSize());
        QVERIFY(shown->availableGeometry().contains(window.frameGeometry()));

        window.newProjectAction()->trigger();
        QTRY_VERIFY(NewProjectSheet::openFor(app) && NewProjectSheet::openFor(app)->isVisible());
        NewProjectSheet* sheet = NewProjectSheet::openFor(app);
        const TabStrip* strip = window.rootView()->tabStrip();
        const int stripBottom = strip->mapTo(&window, QPoint(0, strip->height())).y();
        const QRect placed(sheet->mapTo(&window, QPoint()), sheet->size());
        const QString where = QDebug::toString(placed) + u" under a strip ending at "_s + QString::number(stripBottom)
            + u" in "_s + QDebug::toString(window.rect());
        QVERIFY2(placed.top() >= stripBottom, qPrintable(where));
        QVERIFY2(window.rect().contains(placed), qPrintable(where));
        sheet->reject();
    }

    // On a screen too low for the settings (a laptop at double scale), each
    // page scrolls inside the sheet, and every stop of it shows as the
    // keyboard reaches it.
    void theSettingsScrollInALowWindow_data()
    {
        QTest::addColumn<SettingsWindow::Tab>("tab");
        QTest::newRow("General") << SettingsWindow::Tab::general;
        QTest::newRow("AI") << SettingsWindow::Tab::ai;
        QTest::newRow("Updates") << SettingsWindow::Tab::updates;
    }

    void theSettingsScrollInALowWindow()
    {
        QFETCH(SettingsWindow::Tab, tab);
        QScreen* low = screenNamed(u"low"_s);
        AppState app;
        MainWindow window(app);
        QVERIFY(shownOn(window, low, true));
        window.settingsAction()->trigger();
        QTRY_VERIFY(SettingsWindow::current() && SettingsWindow::current()->isVisible());
        SettingsWindow* settings = SettingsWindow::current();
        settings->setCurrentTab(tab);
        const QRect placed(settings->mapTo(&window, QPoint()), settings->size());
        QVERIFY2(window.rect().contains(placed), qPrintable(QDebug::toString(placed)));
        const test::KeyboardWalk walk = test::walkWithTab(settings);
        QVERIFY(walk.stops.size() > 4);
        QVERIFY2(walk.outOfView.isEmpty(), qPrintable(walk.outOfView.join(u'\n')));
        settings->reject();
    }
};

int main(int argc, char** argv)
{
    return test::runOnScreens<SmallScreenTest>(
        argc, argv,
        test::screen("wide", 0, 0, 1920, 1080) + ", " + test::screen("least", 1920, 0, 1080, 700) + ", "
            + test::screen("small", 3000, 0, 960, 600) + ", " + test::screen("low", 4000, 0, 683, 384) + ", " + test::screen("narrow", 5000, 0, 600, 540));
}

#include "SmallScreenTest.moc"
