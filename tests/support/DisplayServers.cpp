#include "support/DisplayServers.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <atomic>
#include <csignal>
#include <sys/prctl.h>

using namespace Qt::StringLiterals;

namespace studio::test {

namespace {

constexpr int startTimeout = 30000;

QString runtimeFolder()
{
    return qEnvironmentVariable("XDG_RUNTIME_DIR");
}

QString uniqueName(const char* prefix)
{
    static std::atomic<int> count{0};
    return QString::fromLatin1(prefix) + QString::number(QCoreApplication::applicationPid()) + u'-'
        + QString::number(++count);
}

// The server ends with the test, however the test ends (a time-out, say).
void endsWithTheTest(QProcess& process)
{
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

void end(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.kill();
    process.waitForFinished(10000);
}

} // namespace

HeadlessWeston::HeadlessWeston(QSize mode, int scale, bool xClients)
    : m_mode(mode)
    , m_scale(scale)
    , m_xClients(xClients)
    , m_socket(uniqueName("wl-test-"))
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    endsWithTheTest(m_process);
}

HeadlessWeston::~HeadlessWeston()
{
    end(m_process);
}

bool HeadlessWeston::installed()
{
    return !QStandardPaths::findExecutable(u"weston"_s).isEmpty();
}

QString HeadlessWeston::start()
{
    if (runtimeFolder().isEmpty())
        return u"no runtime folder"_s;
    if (m_leaks.open()) {
        m_leaks.write("leak:libQt6WaylandClient.so\nleak:libQt6WaylandEglClientHwIntegration.so\n");
        m_leaks.flush();
    }
    // No weston.ini: the desktop shell with its default panel, whatever the
    // machine's configuration.
    QStringList arguments{u"--backend=headless-backend.so"_s, u"--no-config"_s, u"--idle-time=0"_s,
                          u"--width=%1"_s.arg(m_mode.width()), u"--height=%1"_s.arg(m_mode.height()),
                          u"--scale=%1"_s.arg(m_scale), u"--socket="_s + m_socket};
    if (m_xClients)
        arguments << u"--xwayland"_s;
    m_process.start(u"weston"_s, arguments);
    // The socket's file comes a moment before the compositor listens on it.
    const QString socket = runtimeFolder() + u'/' + m_socket;
    const auto listening = [&] {
        if (!QFileInfo::exists(socket))
            return false;
        QLocalSocket probe;
        probe.connectToServer(socket);
        return probe.waitForConnected(1000);
    };
    if (!QTest::qWaitFor([&] { return m_process.state() == QProcess::NotRunning || listening(); }, startTimeout)
        || m_process.state() == QProcess::NotRunning)
        return u"Weston did not start: "_s + output();
    if (!m_xClients)
        return {};
    // Its X server listens as the compositor starts, and says where.
    static const QRegularExpression xListening(u"xserver listening on display (:\\d+)"_s);
    QRegularExpressionMatch said;
    if (!QTest::qWaitFor([&] { return (said = xListening.match(output())).hasMatch(); }, startTimeout))
        return u"Weston's X server did not start: "_s + output();
    m_xDisplay = said.captured(1);
    return {};
}

void HeadlessWeston::kill()
{
    end(m_process);
}

QProcessEnvironment HeadlessWeston::clientEnvironment(QProcessEnvironment environment) const
{
    // Qt's Wayland client keeps some of its protocol objects and its EGL
    // set-up to the end of the process: the leak check of a sanitized build
    // (scripts/sanitize) passes over those, and only those, on stacks
    // unwound whole so that the library shows in them.
    if (m_leaks.isOpen()) {
        const QString options = environment.value(u"LSAN_OPTIONS"_s);
        environment.insert(u"LSAN_OPTIONS"_s, (options.isEmpty() ? QString() : options + u':')
                                                   + u"fast_unwind_on_malloc=0:suppressions="_s + m_leaks.fileName());
    }
    if (m_xClients) {
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        environment.insert(u"DISPLAY"_s, m_xDisplay);
        environment.remove(u"WAYLAND_DISPLAY"_s);
        return environment;
    }
    environment.insert(u"QT_QPA_PLATFORM"_s, u"wayland"_s);
    environment.insert(u"WAYLAND_DISPLAY"_s, m_socket);
    environment.remove(u"DISPLAY"_s);
    return environment;
}

QString HeadlessWeston::output()
{
    m_said += m_process.readAll();
    return QString::fromLocal8Bit(m_said);
}

VirtualX::VirtualX(QSize size)
    : m_size(size)
{
    endsWithTheTest(m_process);
}

VirtualX::~VirtualX()
{
    end(m_process);
}

bool VirtualX::installed()
{
    return !QStandardPaths::findExecutable(u"Xvfb"_s).isEmpty();
}

QString VirtualX::start()
{
    // The server picks a free display and writes its number on a line.
    m_process.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-nolisten"_s, u"tcp"_s, u"-screen"_s, u"0"_s,
                                u"%1x%2x24"_s.arg(m_size.width()).arg(m_size.height())});
    const bool told = QTest::qWaitFor(
        [&] { return m_process.canReadLine() || m_process.state() == QProcess::NotRunning; }, startTimeout);
    if (!told || !m_process.canReadLine())
        return u"Xvfb did not start: "_s + QString::fromLocal8Bit(m_process.readAllStandardError());
    m_display = u':' + QString::fromLatin1(m_process.readLine()).trimmed();
    return {};
}

void VirtualX::kill()
{
    end(m_process);
}

QProcessEnvironment VirtualX::clientEnvironment(QProcessEnvironment environment) const
{
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    environment.insert(u"DISPLAY"_s, m_display);
    environment.remove(u"WAYLAND_DISPLAY"_s);
    return environment;
}

} // namespace studio::test
