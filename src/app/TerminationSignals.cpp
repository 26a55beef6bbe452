#include "app/TerminationSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace studio {

namespace {

int s_fds[2] = {-1, -1};
// Signals taken so far, and the one that ends the program once one has come.
std::atomic<int> s_received{0};
std::atomic<int> s_ending{0};
std::atomic<unsigned> s_deadlineSeconds{unsigned(TerminationSignals::defaultDeadline.count())};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<unsigned>::is_always_lock_free,
              "the signal handlers may only use lock-free atomics");

// A byte on the socket: the signal's number, with this bit set when the
// signal ends the program.
constexpr int endingBit = 0x80;

// The deadline is over and the program still runs: the signal that was to end
// it does now, as it would have without a handler.
extern "C" void onDeadline(int)
{
    const int signal = s_ending.load();
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
    ::kill(::getpid(), signal);
}

extern "C" void onTerminationSignal(int signal)
{
    const int saved = errno;
    const bool later = s_received.fetch_add(1) > 0;
    const bool ending = signal == SIGHUP || later;
    // Only async-signal-safe calls here. A full socket loses nothing that
    // matters: the bytes already waiting ask for the program's end too.
    const char byte = char(ending ? signal | endingBit : signal);
    [[maybe_unused]] const ssize_t written = ::write(s_fds[0], &byte, 1);
    // The handlers block each other, so only one can get here first.
    if (ending && s_ending.load() == 0) {
        s_ending.store(signal);
        ::alarm(s_deadlineSeconds.load());
    }
    errno = saved;
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
        struct sigaction deadline = {};
        deadline.sa_handler = onDeadline;
        sigemptyset(&deadline.sa_mask);
        ::sigaction(SIGALRM, &deadline, nullptr);
        struct sigaction action = {};
        action.sa_handler = onTerminationSignal;
        sigemptyset(&action.sa_mask);
        for (const int signal : {SIGTERM, SIGINT, SIGHUP})
            sigaddset(&action.sa_mask, signal);
        action.sa_flags = SA_RESTART;
        for (const int signal : {SIGTERM, SIGINT, SIGHUP})
            ::sigaction(signal, &action, nullptr);
        return made;
    }();
    return hooked;
}

void TerminationSignals::setDeadline(std::chrono::seconds deadline)
{
    s_deadlineSeconds.store(unsigned(std::max<std::chrono::seconds::rep>(deadline.count(), 1)));
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
        for (ssize_t i = 0; i < n; ++i) {
            const int byte = static_cast<unsigned char>(bytes[i]);
            if (byte & endingBit)
                Q_EMIT endRequired(byte & ~endingBit);
            else
                Q_EMIT quitRequested(byte);
        }
    }
}

} // namespace studio
