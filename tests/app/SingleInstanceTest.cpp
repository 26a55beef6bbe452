// One program per library. The test starts itself as the program (the same
// start-up as main()) twice on one library, with a session bus of its own
// and without any: the second start hands over and ends, the first runs on,
// and with a bus it is asked to the front with the launcher's token and its
// window comes forward. A program killed leaves its library to the next
// start; programs on separate libraries both run, on one bus.

#include "app/MainWindow.h"
#include "app/SingleInstance.h"
#include "app/StudioApp.h"
#include "services/ProjectStore.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <memory>
#include <sys/prctl.h>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

const QString childFlag = u"--run-studio"_s;

void tell(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// Tells "front" each time the window is activated.
class FrontReporter : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowActivate)
            tell(u"front"_s);
        return QObject::eventFilter(watched, event);
    }
};

// The program as main() starts it. Once its window is up, another window of
// the process takes the keyboard, and it prints "ready"; then "asked <token>
// <startup id>" for each request to come forward.
int runStudio(int argc, char** argv)
{
    const SingleInstance::Launch launch = SingleInstance::launchFromEnvironment();
    QApplication qapp(argc, argv);
    StudioApp::configure(qapp);
    SingleInstance instance(ProjectStore::rootPath(), launch);
    if (!instance.claim())
        return instance.exitStatus();
    StudioApp studio;
    studio.answer(instance);
    QObject::connect(&instance, &SingleInstance::activationRequested, [](const QVariantMap& data) {
        tell(u"asked %1 %2"_s.arg(data.value(u"activation-token"_s).toString(),
                                  data.value(u"desktop-startup-id"_s).toString()));
    });
    studio.show();
    if (!QTest::qWaitForWindowActive(&studio.window()))
        return 2;
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    if (!QTest::qWaitFor([&] { return elsewhere.isActiveWindow(); }))
        return 3;
    FrontReporter front;
    studio.window().installEventFilter(&front);
    tell(u"ready"_s);
    return qapp.exec();
}

// The bus and the programs end with the test, however the test ends.
void endsWithTheTest(QProcess& process)
{
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

// A session bus for the test alone; its address.
QString startBus(QProcess& daemon)
{
    endsWithTheTest(daemon);
    daemon.start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address=1"_s});
    if (!QTest::qWaitFor([&] { return daemon.canReadLine() || daemon.state() == QProcess::NotRunning; }, 30000)
        || !daemon.canReadLine())
        return {};
    return QString::fromUtf8(daemon.readLine()).trimmed();
}

// The environment of a program on `library` (its data folder), on the bus
// at `address`, or on none.
QProcessEnvironment environmentFor(const QString& library, const QString& address)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"XDG_DATA_HOME"_s, library);
    if (address.isEmpty()) {
        environment.remove(u"DBUS_SESSION_BUS_ADDRESS"_s);
        // Nor a bus started for an X display.
        environment.remove(u"DISPLAY"_s);
    } else {
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, address);
    }
    environment.remove(u"XDG_ACTIVATION_TOKEN"_s);
    environment.remove(u"DESKTOP_STARTUP_ID"_s);
    return environment;
}

void start(QProcess& program, const QProcessEnvironment& environment,
           QProcess::ProcessChannelMode channels = QProcess::ForwardedErrorChannel)
{
    endsWithTheTest(program);
    program.setProcessChannelMode(channels);
    program.setProcessEnvironment(environment);
    program.start(QCoreApplication::applicationFilePath(), {childFlag});
}

// The program's next line of output; empty if it ends without one.
QString nextLine(QProcess& program)
{
    if (!QTest::qWaitFor([&] { return program.canReadLine() || program.state() == QProcess::NotRunning; }, 60000))
        return {};
    return QString::fromUtf8(program.readLine()).trimmed();
}

void end(QProcess& program)
{
    if (program.state() == QProcess::NotRunning)
        return;
    program.terminate();
    if (!program.waitForFinished(30000))
        program.kill();
    program.waitForFinished();
}

} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_folders;
    int m_libraries = 0;
    QProcess m_bus;
    // The session bus of the row, or empty for none.
    QString m_address;

    QString newLibrary() { return m_folders.filePath(QString::number(++m_libraries)); }

    static void addBusRows()
    {
        QTest::addColumn<bool>("withBus");
        QTest::newRow("session bus") << true;
        QTest::newRow("no session bus") << false;
    }

private Q_SLOTS:
    void init()
    {
        QFETCH(bool, withBus);
        m_address.clear();
        if (!withBus)
            return;
        if (QStandardPaths::findExecutable(u"dbus-daemon"_s).isEmpty())
            QSKIP("dbus-daemon is not installed (scripts/setup installs it)");
        m_address = startBus(m_bus);
        QVERIFY2(!m_address.isEmpty(), "the session bus did not start");
    }

    void cleanup()
    {
        m_bus.kill();
        m_bus.waitForFinished();
    }

    void aSecondStartHandsOverToTheFirst_data() { addBusRows(); }

    void aSecondStartHandsOverToTheFirst()
    {
        QFETCH(bool, withBus);
        const QString& address = m_address;
        const QProcessEnvironment environment = environmentFor(newLibrary(), address);
        QProcess first;
        start(first, environment);
        QCOMPARE(nextLine(first), u"ready"_s);

        QProcess second;
        QProcessEnvironment launched = environment;
        launched.insert(u"XDG_ACTIVATION_TOKEN"_s, u"token-from-the-launcher"_s);
        launched.insert(u"DESKTOP_STARTUP_ID"_s, u"launcher-1_TIME4242"_s);
        start(second, launched, QProcess::SeparateChannels);
        QVERIFY2(second.waitForFinished(60000), "the second start ran on");
        const QString said = QString::fromLocal8Bit(second.readAllStandardError());
        QVERIFY2(said.contains(u"already running"_s), qPrintable(said));
        QVERIFY2(!second.readAllStandardOutput().contains("ready"), "the second start opened the library");
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), withBus ? 0 : 1);

        if (withBus) {
            QCOMPARE(nextLine(first), u"asked token-from-the-launcher launcher-1_TIME4242"_s);
            QCOMPARE(nextLine(first), u"front"_s);
        }
        QCOMPARE(first.state(), QProcess::Running);
        end(first);
    }

    void aLibraryLeftByAProgramThatDiedIsTakenOver_data() { addBusRows(); }

    void aLibraryLeftByAProgramThatDiedIsTakenOver()
    {
        const QString& address = m_address;
        const QProcessEnvironment environment = environmentFor(newLibrary(), address);
        QProcess dead;
        start(dead, environment);
        QCOMPARE(nextLine(dead), u"ready"_s);
        dead.kill();
        QVERIFY(dead.waitForFinished());

        QProcess next;
        start(next, environment);
        QCOMPARE(nextLine(next), u"ready"_s);
        end(next);
    }

    void programsOnSeparateLibrariesBothRun_data() { addBusRows(); }

    void programsOnSeparateLibrariesBothRun()
    {
        const QString& address = m_address;
        QProcess one;
        start(one, environmentFor(newLibrary(), address));
        QCOMPARE(nextLine(one), u"ready"_s);
        QProcess other;
        start(other, environmentFor(newLibrary(), address));
        QCOMPARE(nextLine(other), u"ready"_s);
        QCOMPARE(one.state(), QProcess::Running);
        end(one);
        end(other);
    }
};

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (QString::fromLocal8Bit(argv[i]) == childFlag)
            return runStudio(argc, argv);
    }
    QCoreApplication app(argc, argv);
    SingleInstanceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SingleInstanceTest.moc"
