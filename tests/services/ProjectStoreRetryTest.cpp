// A save refused by the disk is made again on its own once the disk lets it:
// paced, never partial, quiet while it keeps failing as before, and never
// for a production moved to the Trash.

#include "services/ProjectStore.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <optional>
#include <sys/inotify.h>
#include <unistd.h>

using namespace studio;
using studio::test::FileSizeLimit;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

QByteArray documentOf(const QUuid& id)
{
    QFile file(ProjectStore::folderPath(id) + u"/project.json"_s);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString storedName(const QUuid& id)
{
    const QByteArray bytes = documentOf(id);
    return bytes.isEmpty() ? QString() : json::decode<Project>(bytes).name;
}

QStringList folderEntries(const QUuid& id)
{
    return QDir(ProjectStore::folderPath(id)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

Project named(const QString& name)
{
    Project p;
    p.name = name;
    return p;
}

// Past the size limits below.
Project edited(Project p)
{
    p.name = u"Edited"_s;
    p.idea.premise = QString(8192, u'x');
    return p;
}

// Counts the files written in a folder (opened for writing, then closed):
// every try at writing a document writes its temporary file there.
class FilesWritten {
public:
    explicit FilesWritten(const QString& folder)
        : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        // Opens are watched too so that no two events in a row are alike:
        // the kernel merges those, and a busy loop would count as one try.
        inotify_add_watch(m_fd, QFile::encodeName(folder).constData(), IN_OPEN | IN_CLOSE_WRITE);
    }
    ~FilesWritten() { ::close(m_fd); }
    FilesWritten(const FilesWritten&) = delete;
    FilesWritten& operator=(const FilesWritten&) = delete;

    int count()
    {
        alignas(inotify_event) char buffer[4096];
        ssize_t n = 0;
        while ((n = ::read(m_fd, buffer, sizeof buffer)) > 0) {
            for (ssize_t at = 0; at < n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                m_count += (event->mask & IN_CLOSE_WRITE) ? 1 : 0;
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
        return m_count;
    }

private:
    int m_fd;
    int m_count = 0;
};

} // namespace

class ProjectStoreRetryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QDir(ProjectStore::rootPath()).removeRecursively();
    }

    void aRefusedSaveIsWrittenOnceTheFaultLifts_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("inBackground");
        for (const bool background : {true, false}) {
            const char* how = background ? "autosave" : "save";
            QTest::addRow("size limit, %s", how) << u"size limit"_s << background;
            QTest::addRow("read-only folder, %s", how) << u"read-only"_s << background;
            QTest::addRow("a file where a new production's folder goes, %s", how) << u"blocked"_s << background;
        }
    }

    void aRefusedSaveIsWrittenOnceTheFaultLifts()
    {
        QFETCH(QString, fault);
        QFETCH(bool, inBackground);
        if (fault == u"read-only" && geteuid() == 0)
            QSKIP("permissions do not stop root");
        ProjectStore store(nullptr, 0ms);
        store.setRetryBackOff(20ms, 80ms);
        const Project original = named(u"Original"_s);
        const QString folder = ProjectStore::folderPath(original.id);
        if (fault != u"blocked")
            QVERIFY(store.save(original));
        const QByteArray before = documentOf(original.id);

        std::optional<FileSizeLimit> limit;
        if (fault == u"size limit") {
            limit.emplace(1024);
        } else if (fault == u"read-only") {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        } else {
            QVERIFY(QDir().mkpath(ProjectStore::rootPath()));
            QFile blocker(folder);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        QSignalSpy errors(&store, &ProjectStore::errorOccurred);
        QSignalSpy saved(&store, &ProjectStore::saved);
        const Project latest = edited(original);
        if (inBackground)
            store.scheduleAutosave(latest);
        else
            QVERIFY(!store.save(latest));
        QTRY_COMPARE(errors.count(), 1);
        QCOMPARE(errors.constFirst().at(1).value<QUuid>(), original.id);
        QCOMPARE(documentOf(original.id), before);

        if (fault == u"size limit")
            limit.reset();
        else if (fault == u"read-only")
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        else
            QVERIFY(QFile::remove(folder));

        QTRY_COMPARE(saved.count(), 1);
        QCOMPARE(storedName(original.id), u"Edited"_s);
        QCOMPARE(store.projects().constFirst().name, u"Edited"_s);
        QVERIFY(!store.hasPendingAutosave(original.id));
        QCOMPARE(errors.count(), 1);
    }

    // While the disk keeps refusing, the tries come further apart up to a
    // bound, each leaves the old document whole and nothing beside it, and
    // the failure is told once.
    void triesAreSpacedOutAndLeaveTheOldDocumentWhole()
    {
        constexpr auto first = 20ms;
        constexpr auto longest = 80ms;
        constexpr int enough = 12;
        ProjectStore store(nullptr, 0ms);
        store.setRetryBackOff(first, longest);
        const Project original = named(u"Original"_s);
        QVERIFY(store.save(original));
        const QByteArray before = documentOf(original.id);
        FilesWritten written(ProjectStore::folderPath(original.id));
        QSignalSpy errors(&store, &ProjectStore::errorOccurred);

        QElapsedTimer clock;
        {
            FileSizeLimit limit(1024);
            clock.start();
            store.scheduleAutosave(edited(original));
            // A back-off without a bound would take forty seconds to get here.
            QTRY_VERIFY_WITH_TIMEOUT(written.count() >= enough, 10000);
        }
        // The first try, then waits of 20, 40, 80, 80… ms; coarse timers may
        // fire a little early.
        const qint64 least = (first + 2 * first + (enough - 3) * longest).count();
        QVERIFY2(clock.elapsed() >= least * 9 / 10,
                 qPrintable(u"%1 tries in %2 ms"_s.arg(written.count()).arg(clock.elapsed())));
        QCOMPARE(documentOf(original.id), before);
        QCOMPARE(folderEntries(original.id), QStringList{u"project.json"_s});
        QCOMPARE(errors.count(), 1);
        QTRY_COMPARE(storedName(original.id), u"Edited"_s);
    }

    // The one tried first is trashed; the one tried next shows when tries
    // would have come after the fault lifted.
    void aProductionMovedToTheTrashIsTriedNoMore()
    {
        ProjectStore store(nullptr, 0ms);
        store.setRetryBackOff(20ms, 80ms);
        const Project doomed = named(u"Doomed"_s);
        const Project kept = named(u"Kept"_s);
        QVERIFY(store.save(doomed));
        QVERIFY(store.save(kept));
        QSignalSpy errors(&store, &ProjectStore::errorOccurred);
        {
            FileSizeLimit limit(1024);
            store.scheduleAutosave(edited(doomed));
            QTRY_COMPARE(errors.count(), 1);
            store.scheduleAutosave(edited(kept));
            QTRY_COMPARE(errors.count(), 2);
        }
        QSignalSpy trashed(&store, &ProjectStore::trashed);
        QVERIFY(store.remove(doomed.id));
        QCOMPARE(trashed.count(), 1);
        QVERIFY(!store.hasPendingAutosave(doomed.id));

        QTRY_COMPARE(storedName(kept.id), u"Edited"_s);
        QVERIFY(!QFileInfo::exists(ProjectStore::folderPath(doomed.id)));
        QCOMPARE(store.projects().size(), 1);
    }
};

QTEST_GUILESS_MAIN(ProjectStoreRetryTest)
#include "ProjectStoreRetryTest.moc"
