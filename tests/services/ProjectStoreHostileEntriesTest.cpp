// A damaged or hostile library: in a production's place there is a pipe, a
// link to an endless device, a socket, a directory or something far too
// large. Each is one "Couldn't read …", the rest loads (a good document
// reached through a link too), and nothing hangs or eats the machine's memory.

#include "model/Text.h"
#include "services/ProjectStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <atomic>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

void writeDocument(const QString& path, const Project& p)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(json::encodePretty(p));
}

Project named(const QString& name, double modifiedAt)
{
    Project p;
    p.name = name;
    p.modifiedAt = Date(modifiedAt);
    return p;
}

qint64 residentBytes()
{
    QFile statm(u"/proc/self/statm"_s);
    const QList<QByteArray> fields = statm.open(QIODevice::ReadOnly) ? statm.readAll().split(' ') : QList<QByteArray>();
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

// A load that blocks or swallows memory ends the test at once, loudly,
// rather than at the suite's timeout or the machine's limit.
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
        if (!fifo.isEmpty()) // release a reader stuck on the pipe
            ::close(::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK));
        qFatal("the library load hung or ran away with memory");
    }
    loader.join();
}

} // namespace

class ProjectStoreHostileEntriesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void refusedAndTheRestLoads_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"pipe", "device link", "socket", "oversized", "directory"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }

    void refusedAndTheRestLoads()
    {
        QFETCH(QString, kind);
        QDir(ProjectStore::rootPath()).removeRecursively();
        const Project before = named(u"Before"_s, 20), after = named(u"After"_s, 30), linked = named(u"Linked"_s, 10);
        writeDocument(ProjectStore::folderPath(before.id) + u"/project.json"_s, before);
        writeDocument(ProjectStore::folderPath(after.id) + u"/project.json"_s, after);
        const QString elsewhere = ProjectStore::rootPath() + u"/linked.json"_s;
        writeDocument(elsewhere, linked);
        QVERIFY(QDir().mkpath(ProjectStore::folderPath(linked.id)));
        QVERIFY(QFile::link(elsewhere, ProjectStore::folderPath(linked.id) + u"/project.json"_s));

        const QString folder = u"Hostile.palisademotion"_s;
        const QString path = ProjectStore::rootPath() + u'/' + folder + u"/project.json"_s;
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        const QByteArray native = QFile::encodeName(path);
        if (kind == u"pipe") {
            QVERIFY(::mkfifo(native.constData(), 0600) == 0);
        } else if (kind == u"device link") {
            QVERIFY(QFile::link(u"/dev/zero"_s, path));
        } else if (kind == u"socket") {
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            if (size_t(native.size()) >= sizeof(address.sun_path))
                QSKIP("the temporary folder's path is too long for a socket");
            std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            QVERIFY(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0);
            ::close(fd);
        } else if (kind == u"oversized") {
            QFile big(path); // sparse: it takes no room on the disk
            QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(ProjectStore::maxDocumentBytes + 1));
        } else {
            QVERIFY(QDir().mkdir(path));
        }

        ProjectStore store;
        QSignalSpy errors(&store, &ProjectStore::errorOccurred);
        loadGuarded(store, kind == u"pipe" ? path : QString());

        QStringList names;
        for (const Project& p : store.projects())
            names.append(p.name);
        QCOMPARE(names, (QStringList{u"After"_s, u"Before"_s, u"Linked"_s}));
        QCOMPARE(errors.count(), 1);
        QVERIFY2(store.lastError().startsWith(u"Couldn't read "_s + text::isolated(folder) + u": "_s), qPrintable(store.lastError()));
        if (kind == u"oversized")
            QVERIFY2(store.lastError().contains(u"larger than"_s), qPrintable(store.lastError()));
    }
};

QTEST_GUILESS_MAIN(ProjectStoreHostileEntriesTest)
#include "ProjectStoreHostileEntriesTest.moc"
