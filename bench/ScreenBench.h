#pragma once

// What every screen benchmark shares: a console reporter that keeps each
// benchmark's time and prints the figures as ratios at the end; the start of
// the program (offscreen unless told otherwise, motion reduced, the studio's
// theme); opening a widget and leaving it the way a screen is opened and left,
// with the plain text editor every screen is measured against; a clock of
// processor time; and the process's resident memory.

#include "design/DesignSystem.h"
#include "support/ResidentMemory.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace studio::bench {

// Where the feature-size openings are measured: the workspace's area for a
// screen in a full-size window.
constexpr QSize featureWindow(1440, 836);

// Lets what was just shown or changed come to rest: the layouts asked for are
// done, then every other posted event (the paint of a shown window among them).
inline void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::processEvents();
}

// Deletes what deleteLater() left for the event loop, which a benchmark never
// returns to.
inline void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Leaving: the widget (or whatever holds it) deleted with everything it left
// to be deleted later.
template <class T>
void dispose(std::unique_ptr<T>& held)
{
    held.reset();
    flushDeletes();
}

// A top-level widget at `size`, shown and settled.
template <class W>
std::unique_ptr<W> shown(std::unique_ptr<W> widget, QSize size)
{
    widget->resize(size);
    widget->show();
    settle();
    return widget;
}

// Opening: shown, settled and grabbed once, as its first frame on screen is
// drawn.
template <class W>
std::unique_ptr<W> opened(std::unique_ptr<W> widget, QSize size)
{
    widget = shown(std::move(widget), size);
    benchmark::DoNotOptimize(widget->grab());
    return widget;
}

// The floor of the screen benchmarks: Qt's plain text editor given a text.
inline std::unique_ptr<QPlainTextEdit> plainEditor(const QString& text)
{
    auto editor = std::make_unique<QPlainTextEdit>();
    editor->setPlainText(text);
    return editor;
}

// `host` at `size` with `content` (none when null) filling it edge to edge,
// shown and settled: a screen in front of the window's backdrop, or in the
// workspace's area.
inline void showFilled(QWidget& host, QWidget* content, QSize size)
{
    auto* layout = new QVBoxLayout(&host);
    layout->setContentsMargins(0, 0, 0, 0);
    if (content)
        layout->addWidget(content);
    host.resize(size);
    host.show();
    settle();
}

enum class Timed { opening, leaving };

// Opens what `open` returns and leaves it again, once an iteration, timing
// only the opening or only the leaving. `beforeEach` runs untimed before each
// opening (caches emptied, say, as on the first opening after a start).
template <class Open>
void openAndLeave(benchmark::State& state, Timed timed, Open open, const std::function<void()>& beforeEach = {})
{
    for (auto _ : state) {
        state.PauseTiming();
        if (beforeEach)
            beforeEach();
        if (timed == Timed::opening)
            state.ResumeTiming();
        auto held = open();
        if (timed == Timed::opening)
            state.PauseTiming();
        else
            state.ResumeTiming();
        dispose(held);
        if (timed == Timed::opening)
            state.ResumeTiming();
    }
}

// Resident memory of this process in megabytes, from the kernel's account.
using test::residentMegabytes;

// A benchmark timed by this thread's processor time, so a machine busy with
// other work skews no ratio; the wall-clock time of each iteration is kept
// beside it for the summary.
struct Clock {
    Clock()
        : wall(std::chrono::steady_clock::now())
        , cpu(threadSeconds())
    {
    }
    static double threadSeconds()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
    }
    // Ends the iteration: its processor time to the benchmark (which uses
    // manual time), its wall time to the record under `name`.
    void stop(benchmark::State& state, const std::string& name) const
    {
        state.SetIterationTime(threadSeconds() - cpu);
        wallSeconds()[name].add(std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count());
    }

    struct Mean {
        double total = 0;
        int count = 0;
        void add(double s)
        {
            total += s;
            ++count;
        }
        double value() const { return count ? total / count : 0; }
    };
    static std::map<std::string, Mean>& wallSeconds()
    {
        static std::map<std::string, Mean> means;
        return means;
    }
    // Prints a's mean wall-clock time over b's, when both ran.
    static void printWallRatio(const std::string& a, const std::string& b)
    {
        const auto x = wallSeconds().find(a);
        const auto y = wallSeconds().find(b);
        if (x != wallSeconds().end() && y != wallSeconds().end() && y->second.value() > 0)
            std::printf("%-58s %.2fx\n", ("  wall clock " + a + " / " + b).c_str(),
                        x->second.value() / y->second.value());
    }

    std::chrono::steady_clock::time_point wall;
    double cpu;
};

// A keystroke: the key, the text it types, the modifiers held.
struct Keystroke {
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers;
};

// A character typed, and the key that erases it.
inline const Keystroke typeX{Qt::Key_X, QStringLiteral("x"), {}};
inline const Keystroke backspace{Qt::Key_Backspace, {}, {}};

// A key pressed and released in `target` (where the keyboard is when null),
// as the window system delivers it.
inline void press(const Keystroke& k, QWidget* target = nullptr)
{
    if (!target)
        target = QApplication::focusWidget();
    if (!target)
        return;
    QKeyEvent down(QEvent::KeyPress, k.key, k.modifiers, k.text);
    QCoreApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, k.key, k.modifiers, k.text);
    QCoreApplication::sendEvent(target, &up);
}

// Two keystrokes, the second undoing the first (a key typed and erased, Tab
// and Shift+Tab), each let come to rest by `rest`, timed together under
// `name` each iteration.
inline void timeKeys(benchmark::State& state, const std::string& name, const Keystroke& there,
                     const Keystroke& back, QWidget* target = nullptr, void (*rest)() = settle)
{
    for (auto _ : state) {
        const Clock clock;
        press(there, target);
        rest();
        press(back, target);
        rest();
        clock.stop(state, name);
    }
}

// Points the home and data folders into `folder`, so a benchmark's library
// (empty or written for it) is its own. Before the application starts.
inline void useHomeIn(const QString& folder)
{
    for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
        qputenv(name, QFile::encodeName(folder + u'/' + QString::fromLatin1(name)));
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    using Summary = std::function<void(const RatioReporter&)>;

    explicit RatioReporter(Summary summary)
        : m_summary(std::move(summary))
    {
    }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            m_seconds[run.benchmark_name()] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        m_summary(*this);
    }

    // Prints a's time over b's, when both ran.
    void ratio(const char* a, const char* b) const
    {
        const auto x = m_seconds.find(a);
        const auto y = m_seconds.find(b);
        if (x != m_seconds.end() && y != m_seconds.end() && y->second > 0)
            std::printf("%-58s %.2fx\n", (std::string(a) + " / " + b).c_str(), x->second / y->second);
    }

private:
    Summary m_summary;
    std::map<std::string, double> m_seconds;
};

// Runs the registered benchmarks in an application styled as the studio.
// `setUp` runs once the application exists, before the first benchmark;
// `tearDown` after the last, while it still exists.
inline int runScreenBenchmarks(int argc, char** argv, RatioReporter::Summary summary,
                               const std::function<void()>& setUp = {}, const std::function<void()>& tearDown = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("PALISADEMOTION_REDUCE_MOTION", "1");
    QApplication app(argc, argv);
    DesignSystem::install(app);
    if (setUp)
        setUp();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter(std::move(summary));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (tearDown)
        tearDown();
    return 0;
}

} // namespace studio::bench
