// The store around its documents: debounced autosave, the Trash, and saves
// that fail without losing what is on disk.

#include "services/ProjectStore.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <limits>
#include <unistd.h>
#include <utility>

using namespace studio;
using studio::test::FileSizeLimit;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// Long enough that the pauses between the rapid edits below stay inside it.
constexpr auto shortDelay = 150ms;

QByteArray documentOf(const QUuid& id)
{
    QFile file(ProjectStore::folderPath(id) + u"/project.json"_s);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QStringList folderEntries(const QUuid& id)
{
    return QDir(ProjectStore::folderPath(id)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

QString trashDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/Trash"_s;
}

bool holds(const ProjectStore& store, const QUuid& id)
{
    return std::any_of(store.projects().begin(), store.projects().end(),
                       [&](const Project& p) { return p.id == id; });
}

// Returns once an autosave scheduled now has landed: by then every autosave
// scheduled before it, with the same delay, would have landed too.
void waitOutTheQuietPeriod(ProjectStore& store)
{
    Project sentinel;
    store.scheduleAutosave(sentinel);
    QTRY_VERIFY(holds(store, sentinel.id));
}

} // namespace

class ProjectStoreFailureTest : public QObject {
    Q_OBJECT


private Q_SLOTS:
    void init()
    {
        QDir(ProjectStore::rootPath()).removeRecursively();
        QDir(trashDir()).removeRecursively();
        QFile::remove(trashDir());
    }

    void rapidEditsGiveOneWriteOfTheLastState()
    {
        ProjectStore store(nullptr, shortDelay);
        QSignalSpy changed(&store, &ProjectStore::projectsChanged);
        Project p;
        for (int i = 1; i <= 5; ++i) {
            p.name = u"Draft %1"_s.arg(i);
            store.scheduleAutosave(p);
        }
        QVERIFY(store.hasPendingAutosave(p.id));
        QVERIFY(documentOf(p.id).isEmpty()); // nothing written before the quiet period

        QTRY_COMPARE(changed.count(), 1);
        QVERIFY(!store.hasPendingAutosave(p.id));
        QCOMPARE(json::decode<Project>(documentOf(p.id)).name, u"Draft 5"_s);
        QCOMPARE(store.projects().constFirst().name, u"Draft 5"_s);
        waitOutTheQuietPeriod(store);
        QCOMPARE(changed.count(), 2); // the production's one write, then the sentinel's
    }

    void changesThatKeepComingAreStillSavedWithinTheLongestWait()
    {
        // Takes land faster than the quiet period: without a longest wait
        // nothing would reach the disk until they stop.
        constexpr auto quiet = 300ms;
        constexpr auto longest = 600ms;
        ProjectStore store(nullptr, quiet, longest);
        Project p;
        int change = 0;
        QTimer takes;
        takes.setInterval(quiet / 3);
        connect(&takes, &QTimer::timeout, this, [&] {
            p.name = u"Take %1"_s.arg(++change);
            store.scheduleAutosave(p);
        });
        takes.start();
        QTRY_VERIFY_WITH_TIMEOUT(holds(store, p.id), 5000);
        QVERIFY(takes.isActive());
        // And again and again while they keep coming, each time a newer state.
        const int firstWritten = store.projects().constFirst().name.mid(5).toInt();
        QVERIFY(firstWritten > 0);
        QTRY_VERIFY_WITH_TIMEOUT(store.projects().constFirst().name.mid(5).toInt() > firstWritten, 5000);
        takes.stop();
        // Once they stop, the last state follows after the quiet period.
        QTRY_COMPARE(store.projects().constFirst().name, p.name);
    }

    void aNewerSnapshotRestartsTheQuietPeriod()
    {
        // The first snapshot's deadline passes while the second one waits:
        // the one write comes a full delay after the second call.
        constexpr auto delay = 600ms;
        ProjectStore store(nullptr, delay);
        QElapsedTimer clock;
        qint64 savedAt = -1;
        int saves = 0;
        connect(&store, &ProjectStore::projectsChanged, this, [&] {
            ++saves;
            savedAt = clock.elapsed();
        });

        Project p;
        p.name = u"First"_s;
        clock.start();
        store.scheduleAutosave(p);
        QTest::qWait(200);
        const qint64 secondAt = clock.elapsed();
        if (secondAt >= 500)
            QSKIP("the machine is too busy to time this");
        p.name = u"Second"_s;
        store.scheduleAutosave(p);

        QTRY_VERIFY_WITH_TIMEOUT(savedAt >= 0, 5000);
        // Coarse timers may fire a little early.
        QVERIFY2(savedAt - secondAt >= qint64(delay.count()) * 9 / 10,
                 qPrintable(u"saved %1 ms after the second call"_s.arg(savedAt - secondAt)));
        QVERIFY(!store.hasPendingAutosave(p.id));
        QCOMPARE(saves, 1);
        QCOMPARE(json::decode<Project>(documentOf(p.id)).name, u"Second"_s);
    }

    void productionsDebounceIndependently()
    {
        ProjectStore store(nullptr, shortDelay);
        Project a, b;
        store.scheduleAutosave(a);
        store.scheduleAutosave(b);
        QTRY_COMPARE(store.projects().size(), 2);
        QVERIFY(!documentOf(a.id).isEmpty());
        QVERIFY(!documentOf(b.id).isEmpty());
    }

    void cancelledAutosaveWritesNothing()
    {
        ProjectStore store(nullptr, shortDelay);
        Project p;
        store.scheduleAutosave(p);
        store.cancelAutosave(p.id);
        QVERIFY(!store.hasPendingAutosave(p.id));
        waitOutTheQuietPeriod(store);
        QVERIFY(!QFileInfo::exists(ProjectStore::folderPath(p.id)));
        QVERIFY(!holds(store, p.id));
    }

    void autosaveDiesWithTheStore()
    {
        Project p;
        {
            ProjectStore store(nullptr, shortDelay);
            store.scheduleAutosave(p);
        }
        ProjectStore later(nullptr, shortDelay);
        waitOutTheQuietPeriod(later);
        QVERIFY(!QFileInfo::exists(ProjectStore::folderPath(p.id)));
    }

    void removeMovesTheFolderToTheTrash()
    {
        ProjectStore store(nullptr, shortDelay);
        Project keep, gone;
        QVERIFY(store.save(keep));
        QVERIFY(store.save(gone));
        const QString folderName = QFileInfo(ProjectStore::folderPath(gone.id)).fileName();

        QSignalSpy changed(&store, &ProjectStore::projectsChanged);
        QVERIFY(store.remove(gone.id));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(store.projects().size(), 1);
        QCOMPARE(store.projects().constFirst().id, keep.id);
        QVERIFY(!QFileInfo::exists(ProjectStore::folderPath(gone.id)));

        // Restorable from the home Trash, with its origin recorded.
        const QString trashed = trashDir() + u"/files/"_s + folderName;
        QVERIFY2(QFileInfo::exists(trashed + u"/project.json"_s), qPrintable(trashed));
        QFile info(trashDir() + u"/info/"_s + folderName + u".trashinfo"_s);
        QVERIFY(info.open(QIODevice::ReadOnly));
        const QByteArray infoText = info.readAll();
        QVERIFY(infoText.startsWith("[Trash Info]\n"));
        QVERIFY2(infoText.contains("Path="), infoText.constData());
        QVERIFY(store.lastError().isEmpty());
    }

    void removeDuringAPendingAutosaveLeavesNothingBehind()
    {
        ProjectStore store(nullptr, shortDelay);
        Project p;
        QVERIFY(store.save(p));
        p.name = u"Edited"_s;
        store.scheduleAutosave(p);

        QVERIFY(store.remove(p.id));
        QVERIFY(!store.hasPendingAutosave(p.id));
        // Nor does a change that lands later.
        store.scheduleAutosave(p);
        QVERIFY(store.save(p));
        waitOutTheQuietPeriod(store);
        QVERIFY(!QFileInfo::exists(ProjectStore::folderPath(p.id)));
        QVERIFY(!holds(store, p.id));
    }

    void removeWithoutAFolderDropsTheEntry()
    {
        ProjectStore store;
        Project p;
        QVERIFY(store.save(p));
        QVERIFY(QDir(ProjectStore::folderPath(p.id)).removeRecursively());
        QVERIFY(store.remove(p.id));
        QVERIFY(store.projects().isEmpty());
        QVERIFY(store.lastError().isEmpty());
    }

    void failedMoveToTrashKeepsTheProduction()
    {
        ProjectStore store;
        Project p;
        QVERIFY(store.save(p));
        // A file where the Trash folder belongs: nothing can be moved into it.
        QFile blocker(trashDir());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        QSignalSpy errors(&store, &ProjectStore::errorOccurred);
        QVERIFY(!store.remove(p.id));
        QCOMPARE(store.projects().size(), 1);
        QVERIFY(QFileInfo::exists(ProjectStore::folderPath(p.id) + u"/project.json"_s));
        QVERIFY2(store.lastError().startsWith(u"Move to Trash failed: "_s), qPrintable(store.lastError()));
        QCOMPARE(errors.count(), 1);
    }

    void nonFiniteNumbersAreRefused_data()
    {
        QTest::addColumn<double>("value");
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
    }

    void nonFiniteNumbersAreRefused()
    {
        QFETCH(double, value);
        ProjectStore store;
        Project p;
        QVERIFY(store.save(p));
        const QByteArray before = documentOf(p.id);

        Project broken = p;
        broken.idea.tone.energy = value;
        QSignalSpy errors(&store, &ProjectStore::errorOccurred);
        QVERIFY(!store.save(broken));
        QVERIFY2(store.lastError().startsWith(u"Save failed: "_s), qPrintable(store.lastError()));
        QCOMPARE(errors.count(), 1);
        QCOMPARE(documentOf(p.id), before);
        QCOMPARE(store.projects().constFirst().idea.tone.energy, 0.5);

        // A new production with a bad number leaves no folder at all.
        Project fresh;
        fresh.look.grain = value;
        QVERIFY(!store.save(fresh));
        QVERIFY(!QFileInfo::exists(ProjectStore::folderPath(fresh.id)));
        QCOMPARE(store.projects().size(), 1);
    }

    void failedWriteKeepsTheOldDocument_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::newRow("read-only folder") << u"read-only"_s;
        QTest::newRow("write cut short") << u"file size"_s;
    }

    void failedWriteKeepsTheOldDocument()
    {
        QFETCH(QString, cause);
        if (cause == u"read-only" && geteuid() == 0)
            QSKIP("permissions do not stop root");

        ProjectStore store;
        Project p;
        p.name = u"Original"_s;
        QVERIFY(store.save(p));
        const QByteArray before = documentOf(p.id);
        const Project listed = store.projects().constFirst();

        Project edited = p;
        edited.name = u"Edited"_s;
        edited.idea.premise = QString(4096, u'x'); // well past the limit below
        QSignalSpy errors(&store, &ProjectStore::errorOccurred);
        QSignalSpy changed(&store, &ProjectStore::projectsChanged);
        bool saved = true;
        if (cause == u"read-only") {
            QFile::setPermissions(ProjectStore::folderPath(p.id), QFile::ReadOwner | QFile::ExeOwner);
            saved = store.save(edited);
            QFile::setPermissions(ProjectStore::folderPath(p.id),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        } else {
            FileSizeLimit limit(512);
            saved = store.save(edited);
        }

        QVERIFY(!saved);
        QVERIFY2(store.lastError().startsWith(u"Save failed: "_s), qPrintable(store.lastError()));
        QCOMPARE(errors.count(), 1);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(documentOf(p.id), before);
        QCOMPARE(folderEntries(p.id), QStringList{u"project.json"_s}); // no temporary left behind
        QCOMPARE(store.projects().constFirst(), listed);

        // A later success leaves the failure text in place.
        const QString failure = store.lastError();
        QVERIFY(store.save(edited));
        QCOMPARE(store.lastError(), failure);
        QCOMPARE(json::decode<Project>(documentOf(p.id)).name, u"Edited"_s);
    }

    // What a save writes, the next start reads: a document of exactly the
    // largest size the library reads is written and read back; one byte more
    // is refused, keeping the document before it.
    void savesStopWhereTheLibraryStopsReading()
    {
        ProjectStore store;
        // Every save stamps the same moment: the document's size is known
        // before it is written.
        store.setClock([] { return Date(700000000.5); });
        Project p;
        QVERIFY(store.save(p));
        const QString document = ProjectStore::folderPath(p.id) + u"/project.json"_s;
        const qint64 largest = ProjectStore::maxDocumentBytes;
        p.idea.premise = QString(largest - QFileInfo(document).size(), u'x');
        QVERIFY(store.save(p));
        QCOMPARE(QFileInfo(document).size(), largest);
        const qsizetype kept = p.idea.premise.size();

        p.idea.premise.append(u'x');
        QVERIFY(!store.save(p));
        QVERIFY2(store.lastError().startsWith(u"Save failed: "_s), qPrintable(store.lastError()));
        QCOMPARE(QFileInfo(document).size(), largest);
        p.idea.premise.clear();

        ProjectStore next;
        next.load();
        QVERIFY2(next.lastError().isEmpty(), qPrintable(next.lastError()));
        QCOMPARE(next.projects().size(), 1);
        QCOMPARE(next.projects().constFirst().idea.premise.size(), kept);
    }

    void uncreatableFolderIsReported()
    {
        // A file where the library folder belongs.
        const QString root = ProjectStore::rootPath();
        QVERIFY(QDir().mkpath(QFileInfo(root).path()));
        QFile blocker(root);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        ProjectStore store;
        QSignalSpy errors(&store, &ProjectStore::errorOccurred);
        QSignalSpy lastErrorChanged(&store, &ProjectStore::lastErrorChanged);
        Project p;
        QVERIFY(!store.save(p));
        QVERIFY2(store.lastError().startsWith(u"Save failed: "_s), qPrintable(store.lastError()));
        QVERIFY(store.projects().isEmpty());
        // Every failure is announced, also one with the same text as the last.
        QVERIFY(!store.save(p));
        QCOMPARE(errors.count(), 2);
        QCOMPARE(lastErrorChanged.count(), 1);

        // A library that can't be listed is empty, not an error.
        store.load();
        QVERIFY(store.projects().isEmpty());
        QFile::remove(root);
    }
};

QTEST_GUILESS_MAIN(ProjectStoreFailureTest)
#include "ProjectStoreFailureTest.moc"
