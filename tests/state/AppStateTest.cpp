// The studio's tabs: which tab shows after a close, productions opened once,
// saves on close (and a failed one that keeps its tab), save-all in strip order.

#include "model/Lookup.h"
#include "services/ProjectStore.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "state/StudioTab.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <utility>

using namespace studio;
using studio::test::FileSizeLimit;
using namespace Qt::StringLiterals;

namespace {

Project production(const QString& name)
{
    Project p;
    p.name = name;
    return p;
}

QString documentPath(const QUuid& id)
{
    return ProjectStore::folderPath(id) + u"/project.json"_s;
}

QString nameIn(const QString& document)
{
    QFile file(document);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QJsonDocument::fromJson(file.readAll()).object().value(u"name"_s).toString();
}

QString storedName(const QUuid& id)
{
    return nameIn(documentPath(id));
}

QString trashDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/Trash"_s;
}

// A file where the production's folder should be: its save can't succeed.
void blockFolder(const QUuid& id)
{
    QDir().mkpath(ProjectStore::rootPath());
    QFile blocker(ProjectStore::folderPath(id));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.write("not a folder");
}

QList<QUuid> tabIDs(const AppState& app)
{
    QList<QUuid> ids;
    for (const StudioTab* t : app.tabs())
        ids.append(t->id());
    return ids;
}

} // namespace

class AppStateTest : public QObject {
    Q_OBJECT


private Q_SLOTS:
    void init()
    {
        QDir(ProjectStore::rootPath()).removeRecursively();
    }

    void startsWithOneShownHomeTabAfterLoadingTheLibrary()
    {
        ProjectStore seed;
        QVERIFY(seed.save(production(u"On disk"_s)));

        AppState app;
        QCOMPARE(app.store().projects().size(), 1);
        QCOMPARE(app.tabs().size(), 1);
        QVERIFY(app.tabs().first()->isHome());
        QCOMPARE(app.selectedTabID(), app.tabs().first()->id());
        QVERIFY(!app.showingNewProject());
        QVERIFY(!app.showSettingsRequest());
    }

    void closingAShownOrHiddenTab_data()
    {
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("closed");
        QTest::addColumn<int>("shownAfter"); // as a position in the list before the close

        QTest::newRow("shown middle tab: the next one moves in") << 1 << 1 << 2;
        QTest::newRow("shown last tab: the one before it") << 2 << 2 << 1;
        QTest::newRow("first tab while the second shows") << 1 << 0 << 1;
        QTest::newRow("hidden last tab while the first shows") << 0 << 2 << 0;
    }

    void closingAShownOrHiddenTab()
    {
        QFETCH(int, shown);
        QFETCH(int, closed);
        QFETCH(int, shownAfter);

        AppState app;
        app.openProject(production(u"A"_s));
        app.openProject(production(u"B"_s));
        const QList<QUuid> before = tabIDs(app);
        QCOMPARE(before.size(), 3);
        app.setSelectedTabID(before[shown]);

        QSignalSpy tabsChanged(&app, &AppState::tabsChanged);
        QVERIFY(app.closeTab(before[closed]));

        QList<QUuid> expected = before;
        expected.removeAt(closed);
        QCOMPARE(tabIDs(app), expected);
        QCOMPARE(app.selectedTabID(), before[shownAfter]);
        QCOMPARE(app.selectedTab()->id(), before[shownAfter]);
        QCOMPARE(tabsChanged.count(), 1);
    }

    void closingTheLastTabLeavesAFreshHomeTab_data()
    {
        QTest::addColumn<bool>("production");
        QTest::newRow("the only home tab") << false;
        QTest::newRow("the only production tab") << true;
    }

    void closingTheLastTabLeavesAFreshHomeTab()
    {
        QFETCH(bool, production);
        AppState app;
        if (production) {
            app.openProject(::production(u"Alone"_s));
            QVERIFY(app.closeTab(app.tabs().first()->id())); // the home tab
            QCOMPARE(app.tabs().size(), 1);
            QVERIFY(!app.tabs().first()->isHome());
        }
        const QUuid last = app.tabs().first()->id();
        QVERIFY(app.closeTab(last));

        QCOMPARE(app.tabs().size(), 1);
        QVERIFY(app.tabs().first()->isHome());
        QVERIFY(app.tabs().first()->id() != last);
        QCOMPARE(app.selectedTabID(), app.tabs().first()->id());
    }

    void closingAnUnknownTabDoesNothing()
    {
        AppState app;
        QSignalSpy tabsChanged(&app, &AppState::tabsChanged);
        const QUuid home = app.tabs().first()->id();
        QVERIFY(!app.closeTab(QUuid::createUuid()));
        QCOMPARE(tabIDs(app), QList<QUuid>{home});
        QCOMPARE(tabsChanged.count(), 0);
    }

    void openingAnOpenProductionSelectsItsTabAndKeepsItsChanges()
    {
        AppState app;
        const Project p = production(u"Original"_s);
        app.openProject(p);
        StudioTab* first = app.selectedTab();
        first->session()->edit([](Project& x) { x.name = u"Unsaved edit"_s; });
        app.openProject(production(u"Other"_s));
        QVERIFY(app.selectedTab() != first);

        app.openProject(p);
        QCOMPARE(app.selectedTab(), first);
        QCOMPARE(app.tabs().size(), 3);
        QCOMPARE(first->session()->project().name, u"Unsaved edit"_s);
        QCOMPARE(app.tabForProject(p.id), first);
    }

    void aTabNotOnScreenStillAutosaves()
    {
        AppState app;
        const Project hidden = production(u"Hidden"_s);
        app.openProject(hidden);
        app.openProject(production(u"Shown"_s));
        ProjectSession* session = app.tabForProject(hidden.id)->session();
        QVERIFY(app.selectedTab()->session() != session);

        // A change nobody shows (a take, an assist result) reaches the disk
        // after the quiet period, without a close or a quit.
        QVERIFY(!session->edit([](Project&) {}));
        QVERIFY(!app.store().hasPendingAutosave(hidden.id));
        session->edit([](Project& x) { x.name = u"Hidden, edited"_s; });
        QVERIFY(app.store().hasPendingAutosave(hidden.id));
        QTRY_COMPARE_WITH_TIMEOUT(storedName(hidden.id), u"Hidden, edited"_s, 5000);
        QCOMPARE(app.tabs().size(), 3);
    }

    void closingAProductionTabSavesAtOnceAndReopeningReadsTheStoredCopy()
    {
        AppState app;
        const Project p = production(u"Kept"_s);
        app.openProject(p);
        const QUuid tab = app.selectedTabID();
        // Nothing changed since it was opened: the close writes all the same.
        QVERIFY(!QFile::exists(documentPath(p.id)));
        app.selectedTab()->session()->edit([](Project& x) { x.name = u"Kept and edited"_s; });
        QVERIFY(app.store().hasPendingAutosave(p.id));

        QVERIFY(app.closeTab(tab));
        QVERIFY(!app.store().hasPendingAutosave(p.id));
        QCOMPARE(storedName(p.id), u"Kept and edited"_s);
        QVERIFY(!app.tabForProject(p.id));

        app.openProject(app.store().projects().first());
        StudioTab* reopened = app.tabForProject(p.id);
        QVERIFY(reopened);
        QVERIFY(reopened->id() != tab);
        QCOMPARE(reopened->session()->project().name, u"Kept and edited"_s);
    }

    void aFailedSaveKeepsTheTabOpenAndReportsIt()
    {
        AppState app;
        app.store().setRetryBackOff(std::chrono::milliseconds(20), std::chrono::milliseconds(80));
        const Project p = production(u"Unsavable"_s);
        app.openProject(p);
        const QList<QUuid> before = tabIDs(app);
        const QUuid tab = app.selectedTabID();
        blockFolder(p.id);
        app.store().scheduleAutosave(p);
        QSignalSpy errors(&app.store(), &ProjectStore::errorOccurred);
        QSignalSpy tabsChanged(&app, &AppState::tabsChanged);

        QVERIFY(!app.closeTab(tab));

        QCOMPARE(tabIDs(app), before);
        QCOMPARE(app.selectedTabID(), tab);
        QCOMPARE(tabsChanged.count(), 0);
        QCOMPARE(errors.count(), 1);
        QVERIFY2(errors.first().first().toString().startsWith(u"Save failed: "_s),
                 qPrintable(errors.first().first().toString()));
        QCOMPARE(app.tabForProject(p.id)->session()->project().name, u"Unsavable"_s);

        // Once the disk takes it again, the open production is written on
        // its own, without a word, and the same close goes through.
        QVERIFY(QFile::remove(ProjectStore::folderPath(p.id)));
        QTRY_COMPARE(storedName(p.id), u"Unsavable"_s);
        QCOMPARE(errors.count(), 1);
        QVERIFY(app.closeTab(tab));
    }

    // The Trash takes the production as its tab last held it, and nothing
    // writes it back afterwards. A save that fails trashes nothing; a move
    // that fails keeps the production, saved, in the library.
    void trashingAnOpenProductionClosesItsTabFirst_data()
    {
        QTest::addColumn<QString>("outcome");
        QTest::newRow("moved") << u"moved"_s;
        QTest::newRow("the move fails") << u"move fails"_s;
        QTest::newRow("the save fails") << u"save fails"_s;
    }

    void trashingAnOpenProductionClosesItsTabFirst()
    {
        QFETCH(QString, outcome);
        QDir(trashDir()).removeRecursively();
        QFile::remove(trashDir());
        AppState app;
        const Project p = production(u"Stored"_s);
        QVERIFY(app.store().save(p));
        app.openProject(p);
        QPointer<ProjectSession> session = app.tabForProject(p.id)->session();
        session->edit([](Project& x) { x.name = u"Latest"_s; });
        const QString trashed =
            trashDir() + u"/files/"_s + QFileInfo(ProjectStore::folderPath(p.id)).fileName() + u"/project.json"_s;

        bool moved = false;
        if (outcome == u"save fails"_s) {
            FileSizeLimit limit(512);
            moved = app.trashProject(p.id);
        } else {
            if (outcome == u"move fails"_s) {
                QFile blocker(trashDir()); // a file where the Trash folder belongs
                QVERIFY(blocker.open(QIODevice::WriteOnly));
            }
            moved = app.trashProject(p.id);
            QFile::remove(trashDir());
        }

        QCOMPARE(moved, outcome == u"moved"_s);
        QCOMPARE(app.tabForProject(p.id) != nullptr, outcome == u"save fails"_s);
        QCOMPARE(findProject(app.store().projects(), p.id) != nullptr, !moved);
        if (!moved) {
            QCOMPARE(storedName(p.id), outcome == u"save fails"_s ? u"Stored"_s : u"Latest"_s);
            QVERIFY(!QFile::exists(trashed));
            QVERIFY(!app.store().lastError().isEmpty());
            return;
        }
        QCOMPARE(nameIn(trashed), u"Latest"_s);
        QVERIFY(!QFile::exists(ProjectStore::folderPath(p.id)));
        // A take or an assist landing in the closing session, and a quit.
        QVERIFY(session);
        session->edit([](Project& x) { x.name = u"Too late"_s; });
        QVERIFY(!app.store().hasPendingAutosave(p.id));
        QVERIFY(app.saveAll());
        QVERIFY(!QFile::exists(ProjectStore::folderPath(p.id)));
    }

    void closingOrQuittingMidExportWritesTheManifestFirst_data()
    {
        QTest::addColumn<bool>("quit");
        QTest::newRow("close the tab") << false;
        QTest::newRow("quit") << true;
    }

    void closingOrQuittingMidExportWritesTheManifestFirst()
    {
        QFETCH(bool, quit);
        QTemporaryDir exports;
        AppState app;
        const Project p = production(u"Mid-run"_s);
        app.openProject(p);
        ProjectSession* session = app.tabForProject(p.id)->session();
        // Steps too slow to end on their own: only the close or quit ends the run.
        session->setExportTarget(exports.path(), std::chrono::hours(1));
        QVERIFY(session->startExport(u"web"_s));
        // The run reads the production at its last step.
        session->edit([](Project& x) { x.episodes << Episode{}; });
        const qsizetype episodes = session->project().episodes.size();

        QVERIFY(quit ? app.saveAll() : app.closeTab(app.selectedTabID()));
        QVERIFY(!session->exportRun());
        const QString path = QDir(exports.path()).filePath(u"Mid-run \u2014 Web & Social.json"_s);
        QCOMPARE(session->lastExport()->path, std::optional<QString>(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QJsonDocument::fromJson(file.readAll()).object().value(u"episodes"_s).toInt(), episodes);
    }

    void newHomeTabsAddUpAtTheEnd()
    {
        AppState app;
        app.openProject(production(u"A"_s));
        app.newHomeTab();
        app.newHomeTab();
        QCOMPARE(app.tabs().size(), 4);
        QVERIFY(app.tabs().at(2)->isHome());
        QVERIFY(app.tabs().at(3)->isHome());
        QVERIFY(app.tabs().at(2)->id() != app.tabs().at(3)->id());
        QCOMPARE(app.selectedTabID(), app.tabs().at(3)->id());
    }

    void saveAllWritesEveryOpenProductionInStripOrder()
    {
        AppState app;
        const Project a = production(u"A"_s), b = production(u"B"_s), c = production(u"C"_s);
        app.openProject(a);
        app.newHomeTab();
        app.openProject(b);
        app.openProject(c);
        app.tabForProject(b.id)->session()->edit([](Project& x) { x.name = u"B edited"_s; });
        QSignalSpy saved(&app.store(), &ProjectStore::projectsChanged);

        QVERIFY(app.saveAll());

        QCOMPARE(saved.count(), 3);
        // Each new production goes to the front of the library as it is saved.
        QList<QUuid> order;
        for (const Project& p : app.store().projects())
            order.append(p.id);
        QCOMPARE(order, (QList<QUuid>{c.id, b.id, a.id}));
        QCOMPARE(storedName(b.id), u"B edited"_s);
    }

    void saveAllGoesOnPastAFailure()
    {
        AppState app;
        const Project a = production(u"A"_s), b = production(u"B"_s);
        app.openProject(a);
        app.openProject(b);
        blockFolder(a.id);
        QVERIFY(!app.saveAll());
        QCOMPARE(storedName(b.id), u"B"_s);
        QVERIFY(app.store().lastError().startsWith(u"Save failed: "_s));
    }

    void activePhaseChangesOnlyTheShownProduction()
    {
        AppState app;
        app.setActivePhaseOfSelectedTab(PhaseID::cut); // a home tab: nothing to change
        const Project a = production(u"A"_s), b = production(u"B"_s);
        app.openProject(a);
        app.openProject(b);
        ProjectSession* sa = app.tabForProject(a.id)->session();
        ProjectSession* sb = app.tabForProject(b.id)->session();
        QSignalSpy changedA(sa, &ProjectSession::projectChanged);
        QSignalSpy changedB(sb, &ProjectSession::projectChanged);
        const auto completedBefore = sb->project().completedPhases;

        app.setActivePhaseOfSelectedTab(PhaseID::footage);

        QCOMPARE(sb->project().activePhase, PhaseID::footage);
        QCOMPARE(sb->project().completedPhases, completedBefore);
        QCOMPARE(changedB.count(), 1);
        QCOMPARE(sa->project().activePhase, a.activePhase);
        QCOMPARE(changedA.count(), 0);
    }

    void requestsNotifyOnlyOnChange()
    {
        AppState app;
        QSignalSpy settings(&app, &AppState::showSettingsRequestChanged);
        QSignalSpy sheet(&app, &AppState::showingNewProjectChanged);
        app.setShowSettingsRequest(true);
        app.setShowSettingsRequest(true);
        app.setShowSettingsRequest(false);
        app.setShowingNewProject(true);
        QCOMPARE(settings.count(), 2);
        QCOMPARE(sheet.count(), 1);
    }
};

QTEST_GUILESS_MAIN(AppStateTest)
#include "AppStateTest.moc"
