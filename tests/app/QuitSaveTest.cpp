// Every way the program ends saves every open production: the test starts
// itself as the program (the same start-up as main()), with three productions
// open and edited but never saved, and ends it by SIGTERM, SIGINT, SIGHUP,
// the quit action and the window's close. Then it reads the documents on disk.
// A second signal ends the program even when its interface thread hangs after
// the first.

#include "app/MainWindow.h"
#include "app/StudioApp.h"
#include "app/TerminationSignals.h"
#include "services/ProjectStore.h"
#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "state/StudioTab.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

const QString childFlag = u"--run-studio"_s;

QString markerFor(int index)
{
    return u"Edited before the end %1"_s.arg(index);
}

// The program as main() runs it, with three productions open (and a home
// tab), each renamed without a save. It prints their ids, then waits for the
// way it is told to end: "signal" (the parent sends one), "quit" (the Quit
// action) or "close" (the window's close).
int runStudio(int argc, char** argv, const QString& ending)
{
    QApplication qapp(argc, argv);
    StudioApp::configure(qapp);
    StudioApp studio;
    AppState& app = studio.state();
    const QList<Project> samples{SampleFactory::lighthouse(), SampleFactory::cloudFarmer(),
                                 SampleFactory::counterCulture()};
    QStringList ids;
    for (int i = 0; i < samples.size(); ++i) {
        app.openProject(samples[i]);
        app.selectedTab()->session()->edit([i](Project& p) { p.name = markerFor(i); });
        ids.append(samples[i].id.toString(QUuid::WithoutBraces));
    }
    if (ending == u"stuck"_s) {
        // The interface thread hangs once the save and quit has begun (after
        // the program's own handler, connected first, has saved).
        QObject::connect(TerminationSignals::instance(), &TerminationSignals::received, &studio, [] {
            std::printf("stuck\n");
            std::fflush(stdout);
            for (;;)
                ::pause();
        });
    }
    studio.show();
    QTimer::singleShot(0, &studio, [&] {
        std::printf("ready %s\n", qPrintable(ids.join(u' ')));
        std::fflush(stdout);
        if (ending == u"quit"_s)
            studio.window().quitAction()->trigger();
        else if (ending == u"close"_s)
            studio.window().close();
    });
    return qapp.exec();
}

QString storedName(const QString& id)
{
    QFile file(ProjectStore::folderPath(QUuid::fromString(id)) + u"/project.json"_s);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QJsonDocument::fromJson(file.readAll()).object().value(u"name"_s).toString();
}

} // namespace

class QuitSaveTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyEndingSavesEveryOpenProduction_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << u"signal"_s << int(SIGTERM);
        QTest::newRow("SIGINT") << u"signal"_s << int(SIGINT);
        QTest::newRow("SIGHUP") << u"signal"_s << int(SIGHUP);
        QTest::newRow("quit action") << u"quit"_s << 0;
        QTest::newRow("window closed") << u"close"_s << 0;
    }

    void everyEndingSavesEveryOpenProduction()
    {
        QFETCH(QString, ending);
        QFETCH(int, signal);
        QDir(ProjectStore::rootPath()).removeRecursively();

        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {childFlag, ending});
        QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));
        QTRY_VERIFY_WITH_TIMEOUT(child.canReadLine() || child.state() == QProcess::NotRunning, 20000);
        const QString line = QString::fromUtf8(child.readLine()).trimmed();
        QVERIFY2(line.startsWith(u"ready "_s), qPrintable(line));
        const QStringList ids = line.mid(6).split(u' ');
        QCOMPARE(ids.size(), 3);

        if (signal != 0) {
            // Nothing is on disk until the program ends.
            for (const QString& id : ids)
                QVERIFY(storedName(id).isEmpty());
            QCOMPARE(::kill(pid_t(child.processId()), signal), 0);
        }
        if (child.state() != QProcess::NotRunning)
            QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);

        for (int i = 0; i < ids.size(); ++i)
            QCOMPARE(storedName(ids[i]), markerFor(i));
        // Only the three productions: the home tab has nothing to save.
        QCOMPARE(QDir(ProjectStore::rootPath()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 3);
    }

    void aSecondSignalEndsAProgramStuckInItsSave_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("SIGTERM twice") << int(SIGTERM) << int(SIGTERM);
        QTest::newRow("SIGHUP then SIGINT") << int(SIGHUP) << int(SIGINT);
    }

    void aSecondSignalEndsAProgramStuckInItsSave()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        QDir(ProjectStore::rootPath()).removeRecursively();

        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {childFlag, u"stuck"_s});
        QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));
        QTRY_VERIFY_WITH_TIMEOUT(child.canReadLine() || child.state() == QProcess::NotRunning, 20000);
        const QString ready = QString::fromUtf8(child.readLine()).trimmed();
        QVERIFY2(ready.startsWith(u"ready "_s), qPrintable(ready));
        const QStringList ids = ready.mid(6).split(u' ');

        QCOMPARE(::kill(pid_t(child.processId()), first), 0);
        QTRY_VERIFY_WITH_TIMEOUT(child.canReadLine() || child.state() == QProcess::NotRunning, 20000);
        QCOMPARE(QString::fromUtf8(child.readLine()).trimmed(), u"stuck"_s);
        // The first signal saved before the hang.
        for (int i = 0; i < ids.size(); ++i)
            QCOMPARE(storedName(ids[i]), markerFor(i));

        QCOMPARE(::kill(pid_t(child.processId()), second), 0);
        QVERIFY2(child.waitForFinished(10000), "the second signal left the program running");
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        QCOMPARE(child.exitCode(), second);
    }
};

int main(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (QString::fromLocal8Bit(argv[i]) == childFlag)
            return runStudio(argc, argv, QString::fromLocal8Bit(argv[i + 1]));
    }
    QCoreApplication app(argc, argv);
    QuitSaveTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "QuitSaveTest.moc"
