// How long the program takes from its start to its window's first paint with
// a large library (300 productions, 30 of them long series), against a Qt
// Widgets program that opens one empty window, both started afresh as child
// processes in the same run. The ratio at the end is the figure.
//
// Both run on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "BenchLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

constexpr int librarySize = 300;

QTemporaryDir* home = nullptr;
qint64 libraryBytes = 0;

QProcessEnvironment childEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
        env.insert(QString::fromLatin1(name), home->path() + u'/' + QString::fromLatin1(name));
    env.insert(u"XDG_RUNTIME_DIR"_s, home->path() + u"/XDG_RUNTIME_DIR"_s);
    if (!env.contains(u"QT_QPA_PLATFORM"_s))
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    return env;
}

// Starts the program and times it until it reports its first paint.
void timeFirstPaint(benchmark::State& state, const QString& program)
{
    const QProcessEnvironment env = childEnvironment();
    for (auto _ : state) {
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer clock;
        clock.start();
        child.start(program, {});
        QByteArray said;
        while (!said.contains('\n') && child.waitForReadyRead(60000))
            said += child.readAllStandardOutput();
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        child.waitForFinished(60000);
        if (said.trimmed() != "painted") {
            state.SkipWithError("the program did not report its first paint");
            break;
        }
        state.SetIterationTime(seconds);
    }
}

void BM_FirstPaintEmptyWindow(benchmark::State& state)
{
    timeFirstPaint(state, QStringLiteral(FIRST_PAINT_EMPTY_WINDOW));
}

void BM_FirstPaintStudio(benchmark::State& state)
{
    timeFirstPaint(state, QStringLiteral(FIRST_PAINT_STUDIO));
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            // The median of the repetitions: a busy moment of the machine
            // doesn't decide the figure.
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median" && !run.error_occurred)
                m_seconds[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nLibrary: %d productions, %.1f MB\n", librarySize, double(libraryBytes) / 1e6);
        const char* a = "BM_FirstPaintStudio";
        const char* b = "BM_FirstPaintEmptyWindow";
        if (m_seconds.count(a) && m_seconds.count(b) && m_seconds[b] > 0)
            std::printf("%-58s %.2fx\n", (std::string(a) + " / " + b).c_str(), m_seconds[a] / m_seconds[b]);
    }

private:
    std::map<std::string, double> m_seconds;
};

} // namespace

BENCHMARK(BM_FirstPaintEmptyWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(4)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_FirstPaintStudio)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(4)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    home = new QTemporaryDir;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home->path() + u"/XDG_DATA_HOME"_s));
    libraryBytes = bench::writeMixedLibrary(librarySize).bytes;
    QDir().mkdir(home->path() + u"/XDG_RUNTIME_DIR"_s);
    QFile::setPermissions(home->path() + u"/XDG_RUNTIME_DIR"_s, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    delete home;
    return 0;
}
