// The main window on two screens: one that holds the window's minimum, where
// the content keeps it, and a smaller one (1440×900 at a scale of 1.5),
// where the window fits the screen and every stop of a screen can be reached
// and seen; and a screen whose free area shrinks while the window is open.

#include "app/MainWindow.h"
#include "design/style/Theme.h"
#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "support/KeyboardWalk.h"
#include "support/ScreenSize.h"
#include "views/shell/RootView.h"

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

} // namespace

class SmallScreenTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(screenNamed(u"wide"_s) && screenNamed(u"small"_s));
        Theme::install(*qApp);
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
        window.setScreen(screenNamed(u"wide"_s));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
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
        window.setScreen(small);
        window.move(small->availableGeometry().topLeft());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
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
        window.setScreen(wide);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const QRect free(0, 0, 1000, 640);
        QVERIFY(!free.contains(window.frameGeometry()));
        test::setFreeArea(wide, free);
        QTRY_VERIFY2(free.contains(window.frameGeometry()), qPrintable(QDebug::toString(window.frameGeometry())));
    }
};

int main(int argc, char** argv)
{
    return test::runOnScreens<SmallScreenTest>(
        argc, argv, test::screen("wide", 0, 0, 1920, 1080) + ", " + test::screen("small", 1920, 0, 960, 600));
}

#include "SmallScreenTest.moc"
