// Autosaves written on a worker: the order in which writes of one production
// land, what waits for a write under way, and failures that still reach the
// interface thread. A long premise makes a write take a while, so the cases
// really do overlap a write in flight. (Closing and quitting during a write
// are tested with the tabs that do them.)

#include "services/ProjectStore.h"
#include "support/FileSizeLimit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QThreadPool>
#include <chrono>

using namespace studio;
using studio::test::FileSizeLimit;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr qsizetype slow = 24 << 20; // characters of premise

Project withPremise(Project p, const QString& name, qsizetype premiseLength)
{
    p.name = name;
    p.idea.premise = QString(premiseLength, u'x');
    return p;
}

QString storedName(const QUuid& id)
{
    QFile file(ProjectStore::folderPath(id) + u"/project.json"_s);
    return file.open(QIODevice::ReadOnly) ? json::decode<Project>(file.readAll()).name : QString();
}

// Lets the autosave of `p`, just scheduled, fall due and its write begin.
void scheduleAndStart(ProjectStore& store, const Project& p)
{
    store.scheduleAutosave(p);
    QCoreApplication::processEvents();
}

// Every write anyone started has finished and its outcome has been handed back.
void settle()
{
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
}

} // namespace

class ProjectStoreBackgroundTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QDir(ProjectStore::rootPath()).removeRecursively();
    }

    // The first snapshot is the slowest to write: were writes of one
    // production run side by side, it would land last and win.
    void snapshotsLandInTheOrderTheyWereTaken()
    {
        ProjectStore store(nullptr, 0ms);
        QStringList landed;
        connect(&store, &ProjectStore::projectsChanged, this,
                [&] { landed.append(store.projects().constFirst().name); });

        Project p = withPremise(Project(), u"1"_s, slow);
        scheduleAndStart(store, p);
        scheduleAndStart(store, p = withPremise(p, u"2"_s, 16));
        store.scheduleAutosave(p = withPremise(p, u"3"_s, 16));

        QTRY_VERIFY_WITH_TIMEOUT(!store.hasPendingAutosave(p.id), 20000);
        settle();
        QCOMPARE(storedName(p.id), u"3"_s);
        QCOMPARE(store.projects().size(), 1);
        QVERIFY2(landed.endsWith(u"3"_s), qPrintable(landed.join(u',')));
        for (qsizetype i = 1; i < landed.size(); ++i)
            QVERIFY2(landed[i - 1] < landed[i], qPrintable(landed.join(u',')));
        QVERIFY(store.lastError().isEmpty());
    }

    void aMoveToTheTrashDuringAWriteLeavesNoFolderBehind()
    {
        ProjectStore store(nullptr, 0ms);
        const Project p = withPremise(Project(), u"Doomed"_s, slow);
        scheduleAndStart(store, p);

        QVERIFY(store.remove(p.id));
        QVERIFY(!store.hasPendingAutosave(p.id));
        settle();
        QVERIFY(!QFileInfo::exists(ProjectStore::folderPath(p.id)));
        QVERIFY(store.projects().isEmpty());
    }

    // The program ends with the store: a write under way is finished, not cut off.
    void aWriteUnderWayOutlivesTheStore()
    {
        const Project p = withPremise(Project(), u"Last words"_s, slow);
        {
            ProjectStore store(nullptr, 0ms);
            scheduleAndStart(store, p);
        }
        QCOMPARE(storedName(p.id), u"Last words"_s);
    }

    void aFailedBackgroundWriteIsReportedOnTheInterfaceThread()
    {
        ProjectStore store(nullptr, 0ms);
        Project p = withPremise(Project(), u"Original"_s, 16);
        QVERIFY(store.save(p));
        const Project listed = store.projects().constFirst();

        QThread* reportedOn = nullptr;
        connect(&store, &ProjectStore::errorOccurred, this, [&] { reportedOn = QThread::currentThread(); });
        QSignalSpy changed(&store, &ProjectStore::projectsChanged);
        {
            FileSizeLimit limit(4096);
            store.scheduleAutosave(withPremise(p, u"Too big"_s, 1 << 16));
            QTRY_VERIFY(reportedOn);
        }
        QCOMPARE(reportedOn, QThread::currentThread());
        QVERIFY2(store.lastError().startsWith(u"Save failed: "_s), qPrintable(store.lastError()));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(store.projects().constFirst(), listed);
        QCOMPARE(storedName(p.id), u"Original"_s);
    }

    // A first save that fails takes the folder it made with it, so the next
    // start has nothing to call unreadable.
    void aFailedFirstSaveLeavesNoFolder_data()
    {
        QTest::addColumn<bool>("inBackground");
        QTest::newRow("save") << false;
        QTest::newRow("autosave") << true;
    }

    void aFailedFirstSaveLeavesNoFolder()
    {
        QFETCH(bool, inBackground);
        ProjectStore store(nullptr, 0ms);
        QVERIFY(store.save(withPremise(Project(), u"Kept"_s, 16)));

        const Project p = withPremise(Project(), u"New"_s, 1 << 16);
        QSignalSpy errors(&store, &ProjectStore::errorOccurred);
        {
            FileSizeLimit limit(4096);
            if (inBackground)
                store.scheduleAutosave(p);
            else
                QVERIFY(!store.save(p));
            QTRY_COMPARE(errors.count(), 1);
        }
        QVERIFY(!QFileInfo::exists(ProjectStore::folderPath(p.id)));

        ProjectStore next;
        next.load();
        QCOMPARE(next.projects().size(), 1);
        QVERIFY2(next.lastError().isEmpty(), qPrintable(next.lastError()));
    }
};

QTEST_GUILESS_MAIN(ProjectStoreBackgroundTest)
#include "ProjectStoreBackgroundTest.moc"
