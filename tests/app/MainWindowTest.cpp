// The main window: its menus, the Phases menu acting on the shown
// production only, the commands' requests, and the banner that shows storage
// failures.

#include "app/MainWindow.h"
#include "app/StoreErrorBanner.h"
#include "app/StudioApp.h"
#include "design/widgets/Alert.h"
#include "design/widgets/SymbolButton.h"
#include "design/widgets/TagField.h"
#include "design/DesignSystem.h"
#include "model/Lookup.h"
#include "services/ProjectStore.h"
#include "services/Settings.h"
#include "services/UpdateService.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "state/StudioTab.h"
#include "views/home/HomeView.h"
#include "views/home/NewProjectSheet.h"
#include "views/home/SampleMenuButton.h"
#include "views/phases/spark/SparkView.h"
#include "views/settings/SettingsWindow.h"
#include "views/shell/ProjectWorkspaceView.h"
#include "views/shell/RootView.h"
#include "views/shell/TabStrip.h"
#include "views/shell/TabStripChip.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <chrono>


using namespace studio;
using namespace Qt::StringLiterals;

namespace {

Project production(const QString& name)
{
    Project p;
    p.name = name;
    return p;
}

void blockFolder(const QUuid& id)
{
    QDir().mkpath(ProjectStore::rootPath());
    QFile blocker(ProjectStore::folderPath(id));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
}

// A production open in a tab, renamed "Edited" where its folder can take
// nothing.
Project openWithAnUnwritableEdit(AppState& app)
{
    const Project p = production(u"Unwritable"_s);
    app.openProject(p);
    app.selectedTab()->session()->edit([](Project& x) { x.name = u"Edited"_s; });
    blockFolder(p.id);
    return p;
}

QMenu* menuOf(const MainWindow& window, QAction* action)
{
    for (QAction* top : window.menuBar()->actions()) {
        if (top->menu() && top->menu()->actions().contains(action))
            return top->menu();
    }
    return nullptr;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        DesignSystem::install(*qApp);
    }

    void init()
    {
        QDir(ProjectStore::rootPath()).removeRecursively();
        Settings::instance().remove(Settings::updateFeedURLKey);
    }

    void windowAndMenus()
    {
        AppState app;
        MainWindow window(app);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), u"Palisademotion"_s);
        QVERIFY(window.menuBar()->isVisible() && window.menuBar()->height() > 0);

        // "Check for Updates…" right after "About", in the same menu.
        QMenu* help = menuOf(window, window.aboutAction());
        QVERIFY(help);
        const qsizetype about = help->actions().indexOf(window.aboutAction());
        QCOMPARE(help->actions().value(about + 1), window.checkForUpdatesAction());
        QCOMPARE(window.checkForUpdatesAction()->text(), u"Check for Updates…"_s);
        QCOMPARE(window.newProjectAction()->text(), u"New Project…"_s);
        QCOMPARE(window.newProjectAction()->shortcut(), QKeySequence(u"Ctrl+N"_s));
        QCOMPARE(window.newStudioTabAction()->shortcut(), QKeySequence(u"Ctrl+T"_s));
        QCOMPARE(window.quitAction()->shortcut(), QKeySequence(u"Ctrl+Q"_s));

        // Nine phase items, labelled group · title, Ctrl+1 to Ctrl+9; the
        // ampersand of "Cast & World" shows as typed.
        QStringList labels;
        QStringList keys;
        for (const QAction* action : window.phaseActions()) {
            labels.append(action->text().replace(u"&&"_s, u"&"_s));
            keys.append(action->shortcut().toString());
        }
        QCOMPARE(labels, (QStringList{u"Dream · Spark"_s, u"Dream · Story"_s, u"Dream · Cast & World"_s,
                                      u"Design · Script"_s, u"Design · The Look"_s, u"Design · Storyboard"_s,
                                      u"Deliver · Footage"_s, u"Deliver · The Cut"_s, u"Deliver · Premiere"_s}));
        QCOMPARE(keys, (QStringList{u"Ctrl+1"_s, u"Ctrl+2"_s, u"Ctrl+3"_s, u"Ctrl+4"_s, u"Ctrl+5"_s, u"Ctrl+6"_s,
                                    u"Ctrl+7"_s, u"Ctrl+8"_s, u"Ctrl+9"_s}));
    }

    void phasesMenuActsOnTheShownProductionOnly()
    {
        AppState app;
        const Project a = production(u"A"_s), b = production(u"B"_s);
        app.openProject(a);
        app.openProject(b);
        MainWindow window(app);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        ProjectSession* sa = app.tabForProject(a.id)->session();
        ProjectSession* sb = app.tabForProject(b.id)->session();
        QSignalSpy changedA(sa, &ProjectSession::projectChanged);
        QSignalSpy changedB(sb, &ProjectSession::projectChanged);

        QTest::keyClick(&window, Qt::Key_7, Qt::ControlModifier);
        QCOMPARE(sb->project().activePhase, PhaseID::footage);
        QCOMPARE(changedB.count(), 1);
        // The change schedules the save of its production.
        QVERIFY(app.store().hasPendingAutosave(b.id));
        QCOMPARE(sa->project().activePhase, a.activePhase);
        QCOMPARE(changedA.count(), 0);
        QVERIFY(!app.store().hasPendingAutosave(a.id));

        // With the home tab shown, every item does nothing.
        app.setSelectedTabID(app.tabs().first()->id());
        for (QAction* action : window.phaseActions())
            action->trigger();
        QCOMPARE(changedA.count(), 0);
        QCOMPARE(changedB.count(), 1);
    }

    void newStudioTabAddsAHomeTabAtTheEnd()
    {
        AppState app;
        MainWindow window(app);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(app.tabs().size(), 2);
        QVERIFY(app.tabs().last()->isHome());
        QCOMPARE(app.selectedTabID(), app.tabs().last()->id());
    }

    void newProjectShowsAHomeTabWithTheSheet()
    {
        AppState app;
        MainWindow window(app);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const QUuid firstHome = app.selectedTabID();
        QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
        QVERIFY(app.showingNewProject());
        QTRY_VERIFY(NewProjectSheet::openFor(app));
        NewProjectSheet::openFor(app)->reject();
        QTRY_VERIFY(!app.showingNewProject());

        // Over a production, the first home tab comes forward with the sheet.
        window.newStudioTabAction()->trigger();
        const QUuid secondHome = app.selectedTabID();
        app.openProject(production(u"A"_s));
        const QUuid productionTab = app.selectedTabID();
        window.newProjectAction()->trigger();
        QCOMPARE(app.selectedTabID(), firstHome);
        QVERIFY(qobject_cast<HomeView*>(window.rootView()->content()));
        QTRY_VERIFY(NewProjectSheet::openFor(app));
        NewProjectSheet::openFor(app)->reject();
        QTRY_VERIFY(!NewProjectSheet::openFor(app));

        // A home tab on screen keeps its place.
        app.setSelectedTabID(secondHome);
        window.newProjectAction()->trigger();
        QCOMPARE(app.selectedTabID(), secondHome);
        QTRY_VERIFY(NewProjectSheet::openFor(app));
        NewProjectSheet::openFor(app)->reject();
        QTRY_VERIFY(!NewProjectSheet::openFor(app));

        // With no home tab open, a new one comes, as New Studio Tab makes it.
        QVERIFY(app.closeTab(firstHome));
        QVERIFY(app.closeTab(secondHome));
        QCOMPARE(app.selectedTabID(), productionTab);
        window.newProjectAction()->trigger();
        QCOMPARE(app.tabs().size(), 2);
        QVERIFY(app.tabs().last()->isHome());
        QCOMPARE(app.selectedTabID(), app.tabs().last()->id());
        QTRY_VERIFY(NewProjectSheet::openFor(app));
        NewProjectSheet::openFor(app)->reject();
    }

    // The focus follows the screen the user is on and never parks on a tab's
    // close button by itself: Space right after a switch closes nothing.
    void spaceAfterASwitchNeverClosesTheProduction()
    {
        AppState app;
        Project p = production(u"No episodes"_s);
        p.episodes.clear();
        p.activePhase = PhaseID::spark;
        app.store().save(p);
        MainWindow window(app);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        TabStrip* strip = window.rootView()->tabStrip();
        const auto closeButtonHasFocus = [strip] {
            for (const TabStripChip* chip : strip->chips()) {
                if (chip->closeButton()->hasFocus())
                    return true;
            }
            return false;
        };
        const auto pressSpace = [&window] {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : &window, Qt::Key_Space);
        };

        // The user was on the library's sample menu when the production opened.
        auto* home = qobject_cast<HomeView*>(window.rootView()->content());
        QVERIFY(home);
        home->footerSampleMenu()->setFocus(Qt::MouseFocusReason);
        QVERIFY(home->footerSampleMenu()->hasFocus());
        app.openProject(p);
        QVERIFY(!closeButtonHasFocus());
        QTest::keyClick(&window, Qt::Key_4, Qt::ControlModifier);
        QCOMPARE(app.tabForProject(p.id)->session()->project().activePhase, PhaseID::script);
        QVERIFY(!closeButtonHasFocus());
        pressSpace();
        QVERIFY(app.tabForProject(p.id));

        // From inside a phase screen to the next one.
        auto* workspace = qobject_cast<ProjectWorkspaceView*>(window.rootView()->content());
        QVERIFY(workspace && workspace->phaseScreen());
        workspace->phaseScreen()->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(&window, Qt::Key_2, Qt::ControlModifier);
        QVERIFY(!closeButtonHasFocus());
        QVERIFY(workspace->phaseScreen()->hasFocus());
        pressSpace();
        QVERIFY(app.tabForProject(p.id));
    }

    // A theme typed and never confirmed with Return is kept however the
    // field is left: Tab and a switch of phases, a switch with the field still
    // being typed in, closing the production's tab, closing the window.
    void aTagTypedAndLeftIsKept()
    {
        AppState app;
        const Project p = production(u"Tide"_s);
        app.store().save(p);
        MainWindow window(app);
        app.openProject(p);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const auto draft = [&window] {
            auto* workspace = qobject_cast<ProjectWorkspaceView*>(window.rootView()->content());
            auto* spark = workspace ? qobject_cast<SparkView*>(workspace->phaseScreen()) : nullptr;
            QLineEdit* edit = spark ? spark->themesField()->draftEdit() : nullptr;
            if (edit)
                edit->setFocus(Qt::MouseFocusReason);
            return edit;
        };
        const auto typed = [&app, &p] { return app.tabForProject(p.id)->session()->project().idea.themes; };
        const auto stored = [&app, &p] { return findProject(app.store().projects(), p.id)->idea.themes; };

        QTest::keyClicks(draft(), u"memory"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(&window, Qt::Key_2, Qt::ControlModifier);
        QTest::keyClick(&window, Qt::Key_1, Qt::ControlModifier);
        QCOMPARE(typed(), QStringList{u"memory"_s});

        QTest::keyClicks(draft(), u"tide"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(typed(), (QStringList{u"memory"_s, u"tide"_s}));
        QTest::keyClick(&window, Qt::Key_1, Qt::ControlModifier);

        QTest::keyClicks(draft(), u"salt"_s);
        const QUuid tab = app.tabForProject(p.id)->id();
        for (TabStripChip* chip : window.rootView()->tabStrip()->chips()) {
            if (chip->tabID() == tab)
                QTest::mouseClick(chip->closeButton(), Qt::LeftButton);
        }
        QVERIFY(!app.tabForProject(p.id));
        QCOMPARE(stored(), (QStringList{u"memory"_s, u"tide"_s, u"salt"_s}));

        app.openProject(*findProject(app.store().projects(), p.id));
        QTest::keyClicks(draft(), u"lamp"_s);
        window.close();
        QCOMPARE(stored(), (QStringList{u"memory"_s, u"tide"_s, u"salt"_s, u"lamp"_s}));
    }

    // The commands answer from the window; a sheet over it (the settings
    // among them) holds them back, and once it is gone they answer again.
    void commandsAnswerButNotUnderASheet()
    {
        AppState app;
        MainWindow window(app);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(app.tabs().size(), 2);

        window.settingsAction()->trigger();
        QPointer<SettingsWindow> settings = SettingsWindow::current();
        QVERIFY(settings && settings->isVisible());
        QCOMPARE(settings->window(), &window);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(app.tabs().size(), 2);
        QVERIFY(!NewProjectSheet::openFor(app));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!settings->isVisible());

        QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
        QTRY_VERIFY(NewProjectSheet::openFor(app));
        NewProjectSheet* sheet = NewProjectSheet::openFor(app);
        QTRY_VERIFY(sheet->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Comma, Qt::ControlModifier);
        QCOMPARE(app.tabs().size(), 2);
        QVERIFY(!settings->isVisible());
        sheet->reject();
    }

    void checkForUpdatesOpensTheSettingsAndChecks()
    {
        AppState app;
        MainWindow window(app);
        window.show();
        // The check fails at once: the request is raised all the same.
        Settings::instance().setString(Settings::updateFeedURLKey, QString());
        window.checkForUpdatesAction()->trigger();
        QVERIFY(SettingsWindow::current());
        QVERIFY(SettingsWindow::current()->isVisible());
        QVERIFY(!app.showSettingsRequest());
        QTRY_COMPARE(app.updates().phase(), UpdatePhase::failed(UpdateService::invalidFeedText));
    }

    void aboutShowsTheVersion()
    {
        AppState app;
        MainWindow window(app);
        window.show();
        window.aboutAction()->trigger();
        Alert* box = window.findChild<Alert*>();
        QVERIFY(box && box->isVisible());
        QCOMPARE(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name), u"About Palisademotion"_s);
        QCOMPARE(box->text(), u"Palisademotion"_s);
        QCOMPARE(box->informativeText(), u"Version "_s + app.updates().currentVersion());
        box->close();
    }

    void aFailedSaveShowsInTheBannerUntilTheProductionSaves()
    {
        AppState app;
        app.store().setRetryBackOff(std::chrono::milliseconds(20), std::chrono::milliseconds(80));
        const Project other = production(u"Other"_s);
        app.openProject(other);
        const Project p = production(u"Stuck"_s);
        app.openProject(p);
        MainWindow window(app);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        StoreErrorBanner* banner = window.storeErrorBanner();
        QVERIFY(!banner->isVisible());
        blockFolder(p.id);

        QVERIFY(!app.closeTab(app.selectedTabID()));
        QVERIFY(banner->isVisible());
        QVERIFY2(banner->message().startsWith(u"Save failed: "_s), qPrintable(banner->message()));
        QVERIFY(app.tabForProject(p.id));

        QTest::mouseClick(banner->closeButton(), Qt::LeftButton);
        QVERIFY(!banner->isVisible());
        // The same failure again shows again.
        QVERIFY(!app.closeTab(app.selectedTabID()));
        QVERIFY(banner->isVisible());

        // Another production's save leaves it.
        QVERIFY(app.closeTab(app.tabForProject(other.id)->id()));
        QVERIFY(banner->isVisible());

        // Once the disk takes them, each is written on its own; the banner
        // stays while one still fails and goes when none does.
        const Project also = production(u"Also stuck"_s);
        app.openProject(also);
        blockFolder(also.id);
        QVERIFY(!app.closeTab(app.selectedTabID()));
        const QString alsoFailed = banner->message();
        QSignalSpy saved(&app.store(), &ProjectStore::saved);
        QVERIFY(QFile::remove(ProjectStore::folderPath(p.id)));
        QTRY_VERIFY(saved.contains(QVariantList{QVariant::fromValue(p.id)}));
        QVERIFY(banner->isVisible());
        QCOMPARE(banner->message(), alsoFailed);
        QVERIFY(QFile::remove(ProjectStore::folderPath(also.id)));
        QTRY_VERIFY(!banner->isVisible());
        QVERIFY(findProject(app.store().projects(), also.id));
    }

    // Edits that could not be written are not dropped without a word: every
    // way of quitting asks, Cancel keeps the program, Quit Anyway ends it.
    // (The first termination signal asks too: QuitSaveTest sends it.)
    void quittingWithUnwrittenEditsAsksFirst_data()
    {
        QTest::addColumn<QString>("route");
        QTest::newRow("quit action") << u"quit"_s;
        QTest::newRow("window closed") << u"close"_s;
    }

    void quittingWithUnwrittenEditsAsksFirst()
    {
        QFETCH(QString, route);
        StudioApp studio;
        AppState& app = studio.state();
        MainWindow& window = studio.window();
        const Project p = openWithAnUnwritableEdit(app);
        studio.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto quit = [&] {
            if (route == u"quit"_s)
                window.quitAction()->trigger();
            else
                window.close();
        };

        quit();
        QVERIFY(window.isVisible());
        QPointer<Alert> box = window.quitConfirmation();
        QVERIFY(box);
        QCOMPARE(box->returnButton(), box->cancelButton());
        box->cancelButton()->click();
        QTRY_VERIFY(!box);
        QVERIFY(window.isVisible());
        QCOMPARE(app.tabForProject(p.id)->session()->project().name, u"Edited"_s);

        quit();
        box = window.quitConfirmation();
        QVERIFY(box);
        box->destructiveButton()->click();
        QTRY_VERIFY(!window.isVisible());
    }

    // The save is written again on its own while the question is up: the
    // question goes, and the quit asked for goes ahead with every edit kept.
    void aSaveMadeWhileAskingEndsTheQuestionAndQuits()
    {
        StudioApp studio;
        AppState& app = studio.state();
        MainWindow& window = studio.window();
        app.store().setRetryBackOff(std::chrono::milliseconds(20), std::chrono::milliseconds(80));
        const Project p = openWithAnUnwritableEdit(app);
        studio.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.quitAction()->trigger();
        QPointer<Alert> box = window.quitConfirmation();
        QVERIFY(box);

        QVERIFY(QFile::remove(ProjectStore::folderPath(p.id)));
        QTRY_VERIFY(!box);
        QTRY_VERIFY(!window.isVisible());
        ProjectStore reread;
        reread.load();
        const Project* stored = findProject(reread.projects(), p.id);
        QVERIFY(stored);
        QCOMPARE(stored->name, u"Edited"_s);
    }

    void aLibraryLoadProblemShowsAtStart()
    {
        const QString folder = ProjectStore::folderPath(QUuid::createUuid());
        QVERIFY(QDir().mkpath(folder));
        QFile broken(folder + u"/project.json"_s);
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("{ not json");
        broken.close();

        AppState app;
        QVERIFY(!app.store().lastError().isEmpty());
        MainWindow window(app);
        window.show();
        QVERIFY(window.storeErrorBanner()->isVisible());
        QCOMPARE(window.storeErrorBanner()->message(), app.store().lastError());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
