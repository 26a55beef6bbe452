#include "app/TerminationSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace studio {

namespace {

int s_fds[2] = {-1, -1};

extern "C" void onTerminationSignal(int signal)
{
    const int saved = errno;
    const char byte = char(signal);
    // Only async-signal-safe calls here; a full pipe loses nothing that
    // matters (one pending byte already asks for the same thing).
    [[maybe_unused]] const ssize_t written = ::write(s_fds[0], &byte, 1);
    errno = saved;
}

// Gives the three signals their default action (ending the program) back.
void restoreDefaultActions()
{
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

} // namespace

TerminationSignals* TerminationSignals::instance()
{
    static TerminationSignals* hooked = []() -> TerminationSignals* {
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, s_fds) != 0)
            return nullptr;
        ::fcntl(s_fds[0], F_SETFL, ::fcntl(s_fds[0], F_GETFL) | O_NONBLOCK);
        ::fcntl(s_fds[1], F_SETFL, ::fcntl(s_fds[1], F_GETFL) | O_NONBLOCK);
        auto* made = new TerminationSignals(s_fds[1]);
        struct sigaction action = {};
        action.sa_handler = onTerminationSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(SIGTERM, &action, nullptr);
        ::sigaction(SIGINT, &action, nullptr);
        ::sigaction(SIGHUP, &action, nullptr);
        return made;
    }();
    return hooked;
}

TerminationSignals::TerminationSignals(int readFd)
    : QObject(QCoreApplication::instance())
    , m_readFd(readFd)
    , m_notifier(new QSocketNotifier(readFd, QSocketNotifier::Read, this))
{
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readPending);
}

void TerminationSignals::readPending()
{
    char bytes[16];
    for (;;) {
        const ssize_t n = ::read(m_readFd, bytes, sizeof bytes);
        if (n <= 0)
            break;
        // The save and quit begins now. Should it hang, the next signal
        // must still end the program, as it would any other.
        restoreDefaultActions();
        for (ssize_t i = 0; i < n; ++i)
            Q_EMIT received(int(bytes[i]));
    }
}

} // namespace studio
