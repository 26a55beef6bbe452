// The window's content: the screen of the selected tab built anew per tab,
// the settings request answered, a new-production request left to the home
// library, the backdrop switch, the update loop started once, and where the
// keyboard starts.

#include "design/style/AuroraBackground.h"
#include "design/DesignSystem.h"
#include "services/Settings.h"
#include "services/UpdateService.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "state/StudioTab.h"
#include "views/home/HomeView.h"
#include "views/home/NewProjectSheet.h"
#include "views/home/SampleMenuButton.h"
#include "views/settings/SettingsWindow.h"
#include "views/shell/ProjectWorkspaceView.h"
#include "views/shell/RootView.h"

#include <QApplication>
#include <QChildEvent>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

Project production(const QString& name)
{
    Project p;
    p.name = name;
    return p;
}

ProjectSession* shownSession(const RootView& root)
{
    auto* workspace = qobject_cast<ProjectWorkspaceView*>(root.content());
    return workspace ? &workspace->session() : nullptr;
}

class ChildCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::ChildAdded && static_cast<QChildEvent*>(event)->child()->isWidgetType())
            ++count;
        return false;
    }
};

} // namespace

class RootViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        DesignSystem::install(*qApp);
    }

    void init()
    {
        Settings::instance().remove(Settings::animatedBackdropKey);
        Settings::instance().remove(Settings::updateFeedURLKey);
        Settings::instance().remove(Settings::autoCheckUpdatesKey);
    }

    // The keyboard waits in the screen, first shown or opened: nothing opens
    // ringed, and Tab goes to the screen's own controls first.
    void keyboardStartsInTheScreen()
    {
        AppState app;
        RootView root(app);
        root.resize(1280, 800);
        root.show();
        QVERIFY(QTest::qWaitForWindowActive(&root));
        QCOMPARE(QApplication::focusWidget(), root.content());
        QTest::keyClick(root.content(), Qt::Key_Tab);
        QVERIFY(root.content()->isAncestorOf(QApplication::focusWidget()));

        app.openProject(production(u"A"_s));
        QTRY_VERIFY(shownSession(root));
        QCOMPARE(QApplication::focusWidget(), root.content());
        QTest::keyClick(root.content(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), u"railRow-spark"_s);
    }

    // A sample added from the first-run panel with the keyboard opens with
    // the keyboard in its own screen: the panel that held it goes as the
    // library fills, and the keyboard must not fall into the tab strip.
    void aSampleOpenedFromTheKeyboardTakesTheKeyboardAlong()
    {
        AppState app;
        RootView root(app);
        root.resize(1280, 800);
        root.show();
        QVERIFY(QTest::qWaitForWindowActive(&root));
        SampleMenuButton* samples = nullptr;
        for (SampleMenuButton* button : root.content()->findChildren<SampleMenuButton*>()) {
            if (button->isVisible())
                samples = button;
        }
        QVERIFY(samples);
        samples->setFocus(Qt::TabFocusReason);
        samples->menu()->actions().first()->trigger();
        QTRY_VERIFY(shownSession(root));
        QTRY_VERIFY(root.content()->isAncestorOf(QApplication::focusWidget())
                    || QApplication::focusWidget() == root.content());
    }

    void eachTabGetsItsOwnScreen()
    {
        AppState app;
        RootView root(app);
        QVERIFY(qobject_cast<HomeView*>(root.content()));
        QPointer<QWidget> home = root.content();

        app.openProject(production(u"A"_s));
        ProjectSession* a = app.selectedTab()->session();
        QCOMPARE(shownSession(root), a);
        QCOMPARE(root.contentTabID(), app.selectedTabID());
        QPointer<QWidget> workspaceA = root.content();
        QTRY_VERIFY(!home); // the old screen goes once control returns

        app.openProject(production(u"B"_s));
        QCOMPARE(shownSession(root), app.selectedTab()->session());
        QTRY_VERIFY(!workspaceA);

        // Back to A: a new screen for the same session.
        app.openProject(a->project());
        QCOMPARE(shownSession(root), a);

        // A tab closing behind the shown one leaves its screen alone.
        QWidget* shown = root.content();
        QVERIFY(app.closeTab(app.tabs().at(2)->id())); // B
        QCOMPARE(shownSession(root), a);
        QCOMPARE(root.content(), shown);
    }

    void closingTheShownTabBuildsOneScreenForTheNext()
    {
        AppState app;
        app.openProject(production(u"A"_s));
        app.openProject(production(u"B"_s));
        RootView root(app);
        const QUuid b = app.selectedTabID();
        ProjectSession* sessionA = app.tabs().at(1)->session();
        // Screens are children of the column under the strip; count the ones
        // the close adds.
        ChildCounter added;
        root.content()->parentWidget()->installEventFilter(&added);

        QVERIFY(app.closeTab(b));
        QCOMPARE(root.contentTabID(), app.tabs().at(1)->id());
        QCOMPARE(shownSession(root), sessionA);
        QTRY_COMPARE(root.findChildren<ProjectWorkspaceView*>().size(), 1);
        QCOMPARE(root.findChildren<HomeView*>().size(), 0);
        QCOMPARE(added.count, 1);
    }

    void settingsRequestOpensTheWindowEachTime()
    {
        auto app = std::make_unique<AppState>();
        app->setShowSettingsRequest(true); // raised before the view exists: not a change it sees
        RootView root(*app);
        root.show();
        QVERIFY(!SettingsWindow::current() || !SettingsWindow::current()->isVisible());
        app->setShowSettingsRequest(false);

        for (int i = 0; i < 2; ++i) {
            app->setShowSettingsRequest(true);
            QVERIFY(SettingsWindow::current());
            QVERIFY(SettingsWindow::current()->isVisible());
            QVERIFY(!app->showSettingsRequest());
            SettingsWindow::current()->close();
        }
    }

    // The request belongs to the home library: raised over a production it
    // changes no tab and waits until a library is on screen.
    void newProjectRequestWaitsForAHomeLibrary_data()
    {
        QTest::addColumn<bool>("homeTabOpen");
        QTest::newRow("home tab open behind a production") << true;
        QTest::newRow("no home tab open") << false;
    }

    void newProjectRequestWaitsForAHomeLibrary()
    {
        QFETCH(bool, homeTabOpen);

        AppState app;
        const QUuid home = app.tabs().first()->id();
        app.openProject(production(u"A"_s));
        if (!homeTabOpen)
            QVERIFY(app.closeTab(home));
        const QUuid shownTab = app.selectedTabID();
        const qsizetype tabsBefore = app.tabs().size();

        RootView root(app);
        root.resize(1100, 720);
        root.show();
        QVERIFY(QTest::qWaitForWindowExposed(&root));
        app.setShowingNewProject(true);
        QCoreApplication::processEvents();

        QCOMPARE(app.selectedTabID(), shownTab);
        QCOMPARE(app.tabs().size(), tabsBefore);
        QVERIFY(shownSession(root));
        QVERIFY(!NewProjectSheet::openFor(app));
        QVERIFY(app.showingNewProject());

        // The next library on screen presents the sheet at once.
        if (homeTabOpen)
            app.setSelectedTabID(home);
        else
            app.newHomeTab();
        QVERIFY(qobject_cast<HomeView*>(root.content()));
        QTRY_VERIFY(NewProjectSheet::openFor(app));
        NewProjectSheet::openFor(app)->reject();
        QTRY_VERIFY(!app.showingNewProject());
    }

    void backdropFollowsTheSetting()
    {
        AppState app;
        RootView root(app);
        QVERIFY(root.backdrop()->isAnimated()); // never written: on
        Settings::instance().setBool(Settings::animatedBackdropKey, false);
        QVERIFY(!root.backdrop()->isAnimated());
        Settings::instance().setBool(Settings::animatedBackdropKey, true);
        QVERIFY(root.backdrop()->isAnimated());
        Settings::instance().setBool(Settings::animatedBackdropKey, false);
        RootView later(app);
        QVERIFY(!later.backdrop()->isAnimated());
    }

    void updateLoopStartsOnce()
    {
        AppState app;
        // A bundle and an empty feed address: each automatic check fails at
        // once, without a request, and shows as phase changes.
        app.updates().setBundlePath(u"/opt/Palisademotion.app"_s);
        Settings::instance().setString(Settings::updateFeedURLKey, QString());
        QSignalSpy phases(&app.updates(), &UpdateService::phaseChanged);

        RootView first(app);
        QVERIFY(!app.updates().autoLoopStarted()); // not before it comes on screen
        first.show();
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        QVERIFY(app.updates().autoLoopStarted());
        QTRY_COMPARE(app.updates().phase(), UpdatePhase::failed(UpdateService::invalidFeedText));
        const qsizetype afterFirst = phases.count();
        QVERIFY(afterFirst > 0);

        RootView second(app);
        second.show();
        QVERIFY(QTest::qWaitForWindowExposed(&second));
        // A second loop would check at once, or from the event loop.
        QCoreApplication::processEvents();
        QCOMPARE(phases.count(), afterFirst);
    }

    void noAutomaticCheckOutsideABundle()
    {
        AppState app;
        QVERIFY(!app.updates().runsFromBundle());
        RootView root(app);
        root.show();
        QVERIFY(QTest::qWaitForWindowExposed(&root));
        QCoreApplication::processEvents();
        QCOMPARE(app.updates().phase(), UpdatePhase::idle());
    }
};

QTEST_MAIN(RootViewTest)
#include "RootViewTest.moc"
