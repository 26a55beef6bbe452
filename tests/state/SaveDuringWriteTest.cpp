// Closing a tab and quitting while an autosave of the same production is
// still being written in the background: the explicit save comes after it,
// so what is on disk is what the tab held last.

#include "services/ProjectStore.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "state/StudioTab.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QThreadPool>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

QString storedName(const QUuid& id)
{
    QFile file(ProjectStore::folderPath(id) + u"/project.json"_s);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return json::decode<Project>(file.readAll()).name;
}

// Opens a production in a tab and lets an autosave of a slow-to-write state
// of it fall due; returns its session once that write is under way.
ProjectSession* openWithAWriteInFlight(AppState& app, const QString& name)
{
    Project p;
    p.name = name;
    app.openProject(p);
    ProjectSession* session = app.tabForProject(p.id)->session();
    session->edit([](Project& x) { x.idea.premise = QString(24 << 20, u'x'); });
    app.store().scheduleAutosave(session->project());
    // The folder appears when the background write begins.
    [&] { QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(ProjectStore::folderPath(p.id)), 10000); }();
    session->edit([&](Project& x) {
        x.name = name + u" (final)"_s;
        x.idea.premise.clear();
    });
    return session;
}

void settle()
{
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
}

} // namespace

class SaveDuringWriteTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QDir(ProjectStore::rootPath()).removeRecursively();
    }

    void closingATabDuringAWriteKeepsWhatTheTabHeld()
    {
        AppState app;
        ProjectSession* session = openWithAWriteInFlight(app, u"Closed"_s);
        const QUuid id = session->id();

        QVERIFY(app.closeTab(app.tabForProject(id)->id()));
        QCOMPARE(storedName(id), u"Closed (final)"_s);
        settle();
        QCOMPARE(storedName(id), u"Closed (final)"_s);
        QCOMPARE(app.store().projects().constFirst().name, u"Closed (final)"_s);
    }

    void quittingDuringAWriteSavesEveryTabLast()
    {
        AppState app;
        const QUuid writing = openWithAWriteInFlight(app, u"Writing"_s)->id();
        Project other;
        other.name = u"Other"_s;
        app.openProject(other);
        app.tabForProject(other.id)->session()->edit([](Project& x) { x.name = u"Other (final)"_s; });

        QVERIFY(app.saveAll());
        // The program may end right here.
        QCOMPARE(storedName(writing), u"Writing (final)"_s);
        QCOMPARE(storedName(other.id), u"Other (final)"_s);
        settle();
        QCOMPARE(storedName(writing), u"Writing (final)"_s);
        QCOMPARE(storedName(other.id), u"Other (final)"_s);
    }
};

QTEST_GUILESS_MAIN(SaveDuringWriteTest)
#include "SaveDuringWriteTest.moc"
