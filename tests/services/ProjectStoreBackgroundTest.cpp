// Autosaves written on a worker: the order in which writes of one production
// land, what waits for a write under way, and failures that still reach the
// interface thread. A production with a long premise makes each write take a
// while, so the cases really do overlap a write in flight.

#include "services/ProjectStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QThread>
#include <QThreadPool>
#include <chrono>
#include <csignal>
#include <sys/resource.h>

using namespace studio;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// The production `p` with another name and a premise of the given length.
Project withPremise(Project p, const QString& name, qsizetype premiseLength)
{
    p.name = name;
    p.idea.premise = QString(premiseLength, u'x');
    return p;
}

Project heavy(const QString& name, qsizetype premiseLength)
{
    return withPremise(Project(), name, premiseLength);
}

QString storedName(const QUuid& id)
{
    QFile file(ProjectStore::folderPath(id) + u"/project.json"_s);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    try {
        return json::decode<Project>(file.readAll()).name;
    } catch (const DecodingError&) {
        return u"<damaged>"_s;
    }
}

// Lowers the largest file this process may write, so a write fails midway
// (also for root, who is not stopped by permissions), on every thread.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit lowered = m_saved;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

// Lets the autosave of `id` fall due and its write begin.
void letTheWriteStart(ProjectStore& store, const QUuid& id)
{
    QCoreApplication::processEvents();
    QTRY_VERIFY(store.hasPendingAutosave(id));
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
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/Trash"_s).removeRecursively();
    }

    // The first snapshot is the slowest to write: were writes of one
    // production run side by side, it would land last and win.
    void snapshotsLandInTheOrderTheyWereTaken()
    {
        ProjectStore store(nullptr, 0ms);
        QStringList landed;
        connect(&store, &ProjectStore::projectsChanged, this,
                [&] { landed.append(store.projects().constFirst().name); });

        Project p = heavy(u"First"_s, 24 << 20);
        store.scheduleAutosave(p);
        letTheWriteStart(store, p.id);
        p = withPremise(p, u"Second"_s, 16);
        store.scheduleAutosave(p);
        QCoreApplication::processEvents();
        p.name = u"Third"_s;
        store.scheduleAutosave(p);

        QTRY_VERIFY_WITH_TIMEOUT(!store.hasPendingAutosave(p.id), 20000);
        settle();
        QCOMPARE(storedName(p.id), u"Third"_s);
        QCOMPARE(store.projects().size(), 1);
        QCOMPARE(store.projects().constFirst().name, u"Third"_s);
        QVERIFY2(landed.endsWith(u"Third"_s), qPrintable(landed.join(u", "_s)));
        // Never an older state after a newer one.
        const QStringList order{u"First"_s, u"Second"_s, u"Third"_s};
        for (qsizetype i = 1; i < landed.size(); ++i)
            QVERIFY2(order.indexOf(landed[i - 1]) < order.indexOf(landed[i]), qPrintable(landed.join(u", "_s)));
        QVERIFY(store.lastError().isEmpty());
    }

    // What a tab does when it closes: the explicit save comes after the
    // write already under way, never before it.
    void anExplicitSaveWaitsForTheWriteInFlight()
    {
        ProjectStore store(nullptr, 0ms);
        Project p = heavy(u"Autosaved"_s, 24 << 20);
        store.scheduleAutosave(p);
        letTheWriteStart(store, p.id);

        p = withPremise(p, u"Closed"_s, 16);
        store.cancelAutosave(p.id);
        QVERIFY(store.save(p));
        QCOMPARE(storedName(p.id), u"Closed"_s);
        QCOMPARE(store.projects().constFirst().name, u"Closed"_s);
        QVERIFY(!store.hasPendingAutosave(p.id));
        settle();
        QCOMPARE(storedName(p.id), u"Closed"_s);
        QCOMPARE(store.projects().constFirst().name, u"Closed"_s);
    }

    void aMoveToTheTrashDuringAWriteLeavesNoFolderBehind()
    {
        ProjectStore store(nullptr, 0ms);
        const Project p = heavy(u"Doomed"_s, 24 << 20);
        store.scheduleAutosave(p);
        letTheWriteStart(store, p.id);

        QVERIFY(store.remove(p.id));
        QVERIFY(!QFileInfo::exists(ProjectStore::folderPath(p.id)));
        QVERIFY(!store.hasPendingAutosave(p.id));
        settle();
        QVERIFY(!QFileInfo::exists(ProjectStore::folderPath(p.id)));
        QVERIFY(store.projects().isEmpty());
    }

    // The program ends with the store: a write under way is finished, not cut off.
    void aWriteUnderWayOutlivesTheStore()
    {
        const Project p = heavy(u"Last words"_s, 24 << 20);
        {
            ProjectStore store(nullptr, 0ms);
            store.scheduleAutosave(p);
            letTheWriteStart(store, p.id);
        }
        QCOMPARE(storedName(p.id), u"Last words"_s);
    }

    void aFailedBackgroundWriteIsReportedOnTheInterfaceThread()
    {
        ProjectStore store(nullptr, 0ms);
        Project p;
        p.name = u"Original"_s;
        QVERIFY(store.save(p));
        const Project listed = store.projects().constFirst();

        QThread* reportedOn = nullptr;
        connect(&store, &ProjectStore::errorOccurred, this, [&] { reportedOn = QThread::currentThread(); });
        QSignalSpy changed(&store, &ProjectStore::projectsChanged);
        {
            FileSizeLimit limit(4096);
            p = withPremise(p, u"Too big"_s, 1 << 16);
            store.scheduleAutosave(p);
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
        const Project kept = heavy(u"Kept"_s, 16);
        QVERIFY(store.save(kept));

        const Project p = heavy(u"New"_s, 1 << 16);
        QSignalSpy errors(&store, &ProjectStore::errorOccurred);
        {
            FileSizeLimit limit(4096);
            if (inBackground) {
                store.scheduleAutosave(p);
                QTRY_COMPARE(errors.count(), 1);
            } else {
                QVERIFY(!store.save(p));
            }
        }
        QVERIFY(!QFileInfo::exists(ProjectStore::folderPath(p.id)));
        QVERIFY(QFileInfo::exists(ProjectStore::folderPath(kept.id) + u"/project.json"_s));

        ProjectStore next;
        next.load();
        QCOMPARE(next.projects().size(), 1);
        QVERIFY2(next.lastError().isEmpty(), qPrintable(next.lastError()));
    }
};

QTEST_GUILESS_MAIN(ProjectStoreBackgroundTest)
#include "ProjectStoreBackgroundTest.moc"
