// A damaged or hostile library: where a production's document should be
// there is a pipe, a device, a socket or something far too large. Each is one
// "Couldn't read …", the rest of the library loads, and nothing hangs or eats
// the memory of the machine.

#include "services/ProjectStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

QString documentIn(const QString& folderName)
{
    return ProjectStore::rootPath() + u'/' + folderName + u"/project.json"_s;
}

void writeProject(const Project& p)
{
    const QString folder = ProjectStore::folderPath(p.id);
    QVERIFY(QDir().mkpath(folder));
    QFile file(folder + u"/project.json"_s);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(json::encodePretty(p));
}

qint64 residentBytes()
{
    QFile statm(u"/proc/self/statm"_s);
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

// Loads on another thread and gives up, loudly, on a load that blocks or
// swallows memory: a hung test would otherwise only end at the suite's timeout.
void loadGuarded(ProjectStore& store, const QString& fifo)
{
    std::atomic<bool> done = false;
    std::thread loader([&] {
        store.load();
        done = true;
    });
    QElapsedTimer clock;
    clock.start();
    while (!done && clock.elapsed() < 20000 && residentBytes() < (qint64(2) << 30))
        QThread::msleep(10);
    if (!done) {
        // Release a reader stuck on the pipe before failing.
        if (!fifo.isEmpty())
            ::close(::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK));
        qFatal("the library load hung or ran away with memory");
    }
    loader.join();
}

} // namespace

class ProjectStoreHostileEntriesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QDir(ProjectStore::rootPath()).removeRecursively();
        QVERIFY(QDir().mkpath(ProjectStore::rootPath()));
    }

    void refusedAndTheRestLoads_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("pipe") << u"pipe"_s;
        QTest::newRow("link to an endless device") << u"device link"_s;
        QTest::newRow("socket") << u"socket"_s;
        QTest::newRow("far too large") << u"oversized"_s;
        QTest::newRow("directory") << u"directory"_s;
    }

    void refusedAndTheRestLoads()
    {
        QFETCH(QString, kind);
        Project before, after;
        before.name = u"Before"_s;
        before.modifiedAt = Date(20);
        after.name = u"After"_s;
        after.modifiedAt = Date(30);
        writeProject(before);
        writeProject(after);

        // A good document reached through a link still loads.
        Project linked;
        linked.name = u"Linked"_s;
        linked.modifiedAt = Date(10);
        const QString elsewhere = QDir::tempPath() + u"/hostile-"_s + uuidString(linked.id) + u".json"_s;
        {
            QFile out(elsewhere);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(json::encodePretty(linked));
        }
        QVERIFY(QDir().mkpath(ProjectStore::folderPath(linked.id)));
        QVERIFY(QFile::link(elsewhere, ProjectStore::folderPath(linked.id) + u"/project.json"_s));

        const QString folder = u"Hostile.palisademotion"_s;
        const QString path = documentIn(folder);
        QVERIFY(QDir().mkpath(ProjectStore::rootPath() + u'/' + folder));
        const QByteArray native = QFile::encodeName(path);
        QString fifo;
        if (kind == u"pipe") {
            QVERIFY(::mkfifo(native.constData(), 0600) == 0);
            fifo = path;
        } else if (kind == u"device link") {
            QVERIFY(QFile::link(u"/dev/zero"_s, path));
        } else if (kind == u"socket") {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            QVERIFY(fd >= 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            if (size_t(native.size()) >= sizeof(address.sun_path)) {
                ::close(fd);
                QSKIP("the temporary folder's path is too long for a socket");
            }
            std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
            QVERIFY(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0);
            ::close(fd);
        } else if (kind == u"oversized") {
            // Sparse: no disk space is used for it.
            QFile big(path);
            QVERIFY(big.open(QIODevice::WriteOnly));
            QVERIFY(big.resize(ProjectStore::maxDocumentBytes + 1));
        } else {
            QVERIFY(QDir().mkdir(path));
        }

        ProjectStore store;
        QSignalSpy errors(&store, &ProjectStore::errorOccurred);
        loadGuarded(store, fifo);
        QFile::remove(elsewhere);

        QStringList names;
        for (const Project& p : store.projects())
            names.append(p.name);
        QCOMPARE(names, (QStringList{u"After"_s, u"Before"_s, u"Linked"_s}));
        QCOMPARE(errors.count(), 1);
        QVERIFY2(store.lastError().startsWith(u"Couldn't read "_s + folder + u": "_s), qPrintable(store.lastError()));
        if (kind == u"oversized")
            QVERIFY2(store.lastError().contains(u"larger than"_s), qPrintable(store.lastError()));
    }
};

QTEST_GUILESS_MAIN(ProjectStoreHostileEntriesTest)
#include "ProjectStoreHostileEntriesTest.moc"
