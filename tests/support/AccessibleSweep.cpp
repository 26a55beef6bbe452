#include "support/AccessibleSweep.h"

#include "support/AccessibleProbe.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QHash>
#include <QLabel>
#include <QRegularExpression>
#include <QSet>
#include <QWidget>

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <new>

using namespace Qt::StringLiterals;

namespace studio::test {

namespace {

// A question that has not come back after this long never will.
constexpr qint64 hangMs = 2000;
// Runs after a crash or hang; past this many the window is hopeless.
constexpr int mostRuns = 40;

struct Run {
    QList<QByteArray> lines;
    bool done = false;
    int objects = 0;
    bool crashed = false;
    bool hung = false;
    int signal = 0;
};

void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

// Asks everything in a copy of this process, watching it: what it writes
// comes back, and a copy that dies or stops answering is noted.
Run askInCopy(QAccessibleInterface* root, QAccessibleInterface* stranger, probe::Progress* progress,
              const probe::Skips& skips)
{
    Run run;
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return run;
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeFds[0]);
        // A crash here is a finding: no test framework's handler in the way.
        for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
            std::signal(sig, SIG_DFL);
        qInstallMessageHandler(quiet);
        probe::askAll(root, stranger, progress, skips, pipeFds[1]);
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    if (pid < 0) {
        ::close(pipeFds[0]);
        return run;
    }
    ::fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);
    QByteArray pending;
    long lastQuestion = -2;
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    int status = 0;
    bool exited = false;
    const auto drain = [&] {
        char buffer[65536];
        for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
            pending.append(buffer, n);
    };
    while (!exited) {
        pollfd readable{pipeFds[0], POLLIN, 0};
        ::poll(&readable, 1, 20);
        drain();
        if (::waitpid(pid, &status, WNOHANG) == pid) {
            exited = true;
            break;
        }
        const long question = progress->asking.load(std::memory_order_acquire);
        if (question != lastQuestion) {
            lastQuestion = question;
            sinceProgress.restart();
        } else if (sinceProgress.elapsed() > hangMs) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            run.hung = true;
            exited = true;
        }
    }
    drain();
    ::close(pipeFds[0]);
    for (const QByteArray& line : pending.split('\n')) {
        if (line.startsWith("done ")) {
            run.done = true;
            run.objects = line.mid(5).toInt();
        }
        else if (!line.isEmpty())
            run.lines << line;
    }
    if (!run.hung && WIFSIGNALED(status)) {
        run.crashed = true;
        run.signal = WTERMSIG(status);
    }
    return run;
}

// Faults of one kind of object that differ only in numbers and quoted text
// are one fault of its implementation: the first is told, the rest counted.
class Findings {
public:
    void add(const probe::Fault& fault)
    {
        QString shape = fault.what;
        shape.replace(QRegularExpression(u"«[^»]*»"_s), u"«»"_s).replace(QRegularExpression(u"-?\\d+"_s), u"#"_s);
        shape = QString::fromUtf8(fault.kind) + u' ' + shape;
        if (const auto found = m_byShape.constFind(shape); found != m_byShape.cend()) {
            ++m_found[*found].more;
            return;
        }
        m_byShape.insert(shape, int(m_found.size()));
        m_found.append({fault, 0});
    }

    void tellInto(Sweep& sweep) const
    {
        for (const auto& [fault, more] : m_found) {
            QString line = fault.object + u": "_s + fault.what;
            if (more > 0)
                line += u" (and "_s + QString::number(more) + u" more like it)"_s;
            (fault.family == "boundaries" ? sweep.boundaryFaults : sweep.faults) << line;
        }
    }

private:
    struct Found {
        probe::Fault fault;
        int more = 0;
    };
    QList<Found> m_found;
    QHash<QString, int> m_byShape;
};

} // namespace

Sweep sweepAccessible(QWidget* window)
{
    Sweep sweep;
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window);
    if (!root) {
        sweep.faults << u"the window has no accessible interface"_s;
        return sweep;
    }
    QLabel strangerWidget(u"Stranger"_s);
    QAccessibleInterface* stranger = QAccessible::queryAccessibleInterface(&strangerWidget);

    void* shared = ::mmap(nullptr, sizeof(probe::Progress), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (shared == MAP_FAILED) {
        sweep.faults << u"no memory to share with the asking process"_s;
        return sweep;
    }
    auto* progress = new (shared) probe::Progress;
    probe::Skips skips;
    QSet<QByteArray> heard;
    Findings findings;
    QHash<QByteArray, int> crashes;
    for (int runs = 1;; ++runs) {
        progress->asking.store(-1);
        const Run run = askInCopy(root, stranger, progress, skips);
        for (const QByteArray& line : run.lines) {
            // A run after a crash walks the tree again.
            if (!heard.contains(line))
                findings.add(probe::Fault::parse(line));
            heard.insert(line);
        }
        if (run.done) {
            sweep.objects = run.objects;
            break;
        }
        const long question = progress->asking.load();
        const QByteArray kind(progress->kind);
        const QString object = QString::fromUtf8(progress->object);
        const QString asked = QString::fromUtf8(progress->question);
        if (!run.crashed && !run.hung) {
            sweep.faults << object + u": the asking process ended without a word at "_s + asked;
            break;
        }
        const QString what = asked + (run.hung ? u" hangs"_s : u" crashes (signal "_s + QString::number(run.signal) + u')');
        const qsizetype slash = kind.lastIndexOf('/');
        findings.add({kind.mid(slash + 1), kind.left(slash), object, what});
        if (question < 0 || runs >= mostRuns) {
            sweep.faults << u"the sweep gave up after "_s + QString::number(runs) + u" runs"_s;
            break;
        }
        // Again, without that question; after a hang or a second crash,
        // without that kind of question of that kind of object either
        // (unless it walks the tree: then only the question).
        skips.questions.insert(question);
        if (!kind.endsWith("/tree") && (run.hung || ++crashes[kind] > 1))
            skips.kinds.insert(kind);
        skips.resumeFrom = question + 1;
    }
    progress->~Progress();
    ::munmap(shared, sizeof(probe::Progress));
    findings.tellInto(sweep);
    return sweep;
}

} // namespace studio::test
