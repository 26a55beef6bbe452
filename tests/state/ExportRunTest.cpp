// The export run: its timed steps, what it writes when they are over, and
// what happens when its session goes away first.

#include "services/ExportManifest.h"
#include "state/ExportRun.h"
#include "state/ProjectSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace studio;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

Project production()
{
    Project p;
    p.name = u"Lighthouse"_s;
    return p;
}

QJsonObject readObject(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

} // namespace

class ExportRunTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void thirtyEqualStepsThenTheProductionAsItIsAtTheEnd()
    {
        QTemporaryDir root;
        ProjectSession session(production());
        auto* run = new ExportRun(session, u"streaming"_s, root.path(), 1ms);
        QPointer<ExportRun> alive(run);
        QSignalSpy progress(run, &ExportRun::progressChanged);
        QSignalSpy succeeded(run, &ExportRun::succeeded);
        QVERIFY(!run->isRunning());
        QCOMPARE(run->progress(), 0.0);
        run->start();
        QVERIFY(run->isRunning());
        // Changes made while the steps run, to the production and to the
        // preset, are what gets written.
        QTRY_VERIFY(progress.size() >= 1);
        session.edit([](Project& p) { p.episodes << Episode{}; });
        run->setPresetID(u"archive"_s);

        QTRY_COMPARE(succeeded.size(), 1);
        QCOMPARE(progress.size(), ExportRun::steps);
        for (int n = 1; n <= ExportRun::steps; ++n)
            QCOMPARE(progress.at(n - 1).at(0).toDouble(), double(n) / ExportRun::steps);
        QCOMPARE(progress.last().at(0).toDouble(), 1.0);
        const QString path = succeeded.first().at(0).toString();
        QCOMPARE(path, QDir(root.path()).filePath(u"Lighthouse \u2014 Archive Master.json"_s));
        QCOMPARE(readObject(path).value(u"episodes"_s).toInt(), 2);
        // Done, it goes away on its own.
        QTRY_VERIFY(!alive);
    }

    void aFailedWriteIsSignalledWithItsReason()
    {
        QTemporaryDir root;
        QFile blocker(root.filePath(u"Exports"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        ProjectSession session(production());
        auto* run = new ExportRun(session, u"streaming"_s, root.filePath(u"Exports"_s), 1ms);
        QSignalSpy succeeded(run, &ExportRun::succeeded);
        QSignalSpy failed(run, &ExportRun::failed);
        run->start();
        QTRY_COMPARE(failed.size(), 1);
        QVERIFY(failed.first().at(0).toString().startsWith(u"Couldn't write the export manifest: "_s));
        QCOMPARE(succeeded.size(), 0);
    }

    void aClosedSessionWritesNothing()
    {
        QTemporaryDir root;
        auto* session = new ProjectSession(production());
        auto* run = new ExportRun(*session, u"streaming"_s, root.path(), 5ms);
        QPointer<ExportRun> alive(run);
        QSignalSpy progress(run, &ExportRun::progressChanged);
        run->start();
        QTRY_VERIFY(progress.size() >= 2);
        session->deleteLater();
        // Gone with its session: nothing is left that could write later.
        QTRY_VERIFY(!alive);
        QCOMPARE(QDir(root.path()).entryList(QDir::Files), QStringList());
    }

    void finishingNowTakesTheRemainingStepsAndWritesAtOnce()
    {
        QTemporaryDir root;
        ProjectSession session(production());
        // Steps too slow to end on their own within the test.
        auto* run = new ExportRun(session, u"streaming"_s, root.path(), 1h);
        QSignalSpy progress(run, &ExportRun::progressChanged);
        QSignalSpy succeeded(run, &ExportRun::succeeded);
        run->finishNow();
        QCOMPARE(succeeded.size(), 0); // not started: nothing to finish
        run->start();
        session.edit([](Project& p) { p.episodes << Episode{}; });
        run->finishNow();
        QCOMPARE(succeeded.size(), 1);
        QCOMPARE(progress.size(), ExportRun::steps);
        QCOMPARE(run->progress(), 1.0);
        QVERIFY(!run->isRunning());
        QCOMPARE(readObject(succeeded.first().at(0).toString()).value(u"episodes"_s).toInt(), 2);
        run->finishNow();
        QCOMPARE(succeeded.size(), 1);
    }

    void defaultsToTheUsersExportFolder()
    {
        // The test's home is temporary: this is not the real videos folder.
        ProjectSession session(production());
        auto* run = new ExportRun(session, u"web"_s, QString(), 1ms);
        QSignalSpy succeeded(run, &ExportRun::succeeded);
        run->start();
        QTRY_COMPARE(succeeded.size(), 1);
        QCOMPARE(QFileInfo(succeeded.first().at(0).toString()).dir().path(), exportFolder());
        QVERIFY(exportFolder().endsWith(u"/Palisademotion Exports"_s));
    }
};

QTEST_MAIN(ExportRunTest)
#include "ExportRunTest.moc"
