// Loading the library and saving a large production, against the cost of the
// disk alone measured in the same run.
//
// The library is 300 productions in a temporary data folder: the three
// samples over and over, and every tenth one a large generated series. The
// figures printed at the end are ratios: load over reading the same bytes
// (our overhead over the I/O floor), load over reading plus
// QJsonDocument::fromJson (what the typed decoding adds to plain parsing),
// load over the same load on one worker, and the interface thread's time
// per autosave of the large production against a whole synchronous save.

#include "BenchLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QThreadPool>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

constexpr int librarySize = 300;

struct Library {
    QTemporaryDir dir;
    bench::MixedLibrary content;
};

Library* library = nullptr;

void buildLibrary()
{
    library = new Library;
    qputenv("XDG_DATA_HOME", QFile::encodeName(library->dir.path()));
    library->content = bench::writeMixedLibrary(librarySize);
}

void BM_LoadLibrary(benchmark::State& state)
{
    for (auto _ : state) {
        auto store = std::make_unique<ProjectStore>();
        store->load();
        if (store->projects().size() != librarySize)
            state.SkipWithError("library incomplete");
        benchmark::DoNotOptimize(store->projects().constData());
        // Freeing the library is no part of loading it.
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * library->content.bytes);
}

// The same load with one worker: what the start cost before the documents
// were decoded side by side.
void BM_LoadLibraryOneThread(benchmark::State& state)
{
    QThreadPool* pool = QThreadPool::globalInstance();
    const int threads = pool->maxThreadCount();
    pool->setMaxThreadCount(1);
    BM_LoadLibrary(state);
    pool->setMaxThreadCount(threads);
}

// The floor: list the library folder and read every document.
void BM_ReadLibraryBytes(benchmark::State& state)
{
    for (auto _ : state) {
        const QFileInfoList entries = QDir(ProjectStore::rootPath()).entryInfoList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        qint64 total = 0;
        for (const QFileInfo& entry : entries) {
            QFile file(entry.filePath() + u"/project.json"_s);
            if (file.open(QIODevice::ReadOnly))
                total += file.readAll().size();
        }
        if (total != library->content.bytes)
            state.SkipWithError("short read");
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(state.iterations() * library->content.bytes);
}

// Reading plus Qt's own JSON parse, without our typed decoding.
void BM_ReadAndParseLibrary(benchmark::State& state)
{
    for (auto _ : state) {
        const QFileInfoList entries = QDir(ProjectStore::rootPath()).entryInfoList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo& entry : entries) {
            QFile file(entry.filePath() + u"/project.json"_s);
            if (file.open(QIODevice::ReadOnly)) {
                const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
                benchmark::DoNotOptimize(doc.isObject());
            }
        }
    }
    state.SetBytesProcessed(state.iterations() * library->content.bytes);
}

void BM_SaveLargeProduction(benchmark::State& state)
{
    ProjectStore store;
    const qint64 size = json::encodePretty(library->content.large).size();
    for (auto _ : state) {
        if (!store.save(library->content.large))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["document_bytes"] = double(size);
}

// One autosave of the large production from the moment it is due until its
// write has landed. The CPU column is the interface thread's own time (the
// benchmark counts the calling thread's CPU); waiting for a worker costs it
// nothing.
void BM_AutosaveLargeProduction(benchmark::State& state)
{
    ProjectStore store(nullptr, std::chrono::milliseconds(0));
    QEventLoop loop;
    QObject::connect(&store, &ProjectStore::projectsChanged, &loop, &QEventLoop::quit);
    Project p = library->content.large;
    int n = 0;
    for (auto _ : state) {
        p.name = u"Autosaved %1"_s.arg(++n);
        store.scheduleAutosave(p);
        loop.exec();
        if (store.projects().constFirst().name != p.name)
            state.SkipWithError("autosave didn't land");
    }
}

void BM_EncodeLargeProduction(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(json::encodePretty(library->content.large).size());
}

// Qt's own text of the same tree, without our typed encoding.
void BM_QtToJsonLargeProduction(benchmark::State& state)
{
    const QJsonDocument tree(json::toObject(library->content.large));
    for (auto _ : state)
        benchmark::DoNotOptimize(tree.toJson(QJsonDocument::Indented).size());
}

// Prints the runs as usual and the ratios once every run is in.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                m_seconds[run.run_name.function_name] = run.GetAdjustedRealTime();
                m_cpu[run.run_name.function_name] = run.GetAdjustedCPUTime();
            }
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        auto ratioOf = [&](std::map<std::string, double>& times, const char* a, const char* b, const char* note) {
            if (times.count(a) && times.count(b) && times[b] > 0)
                std::printf("%-66s %.3gx\n", (std::string(a) + note + " / " + b).c_str(), times[a] / times[b]);
        };
        auto ratio = [&](const char* a, const char* b) { ratioOf(m_seconds, a, b, ""); };
        std::printf("\nLibrary: %d productions, %.1f MB; large production %.1f MB\n", libraryCount(),
                    double(library->content.bytes) / 1e6, double(json::encodePretty(library->content.large).size()) / 1e6);
        std::printf("Worker threads: %d\n", QThreadPool::globalInstance()->maxThreadCount());
        ratio("BM_LoadLibrary", "BM_ReadLibraryBytes");
        ratio("BM_LoadLibrary", "BM_ReadAndParseLibrary");
        ratio("BM_LoadLibrary", "BM_LoadLibraryOneThread");
        ratio("BM_SaveLargeProduction", "BM_EncodeLargeProduction");
        ratio("BM_EncodeLargeProduction", "BM_QtToJsonLargeProduction");
        // The interface thread's share of an autosave, against a whole
        // synchronous save and against Qt writing the same tree as text.
        ratioOf(m_cpu, "BM_AutosaveLargeProduction", "BM_SaveLargeProduction", " (interface thread)");
        ratioOf(m_cpu, "BM_AutosaveLargeProduction", "BM_QtToJsonLargeProduction", " (interface thread)");
        if (m_cpu.count("BM_AutosaveLargeProduction"))
            std::printf("%-66s %.2f ms\n", "BM_AutosaveLargeProduction interface thread per autosave",
                        m_cpu["BM_AutosaveLargeProduction"]);
    }

private:
    static int libraryCount() { return librarySize; }
    std::map<std::string, double> m_seconds;
    std::map<std::string, double> m_cpu;
};

} // namespace

BENCHMARK(BM_LoadLibrary)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadLibraryBytes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadAndParseLibrary)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadLibraryOneThread)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveLargeProduction)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AutosaveLargeProduction)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_EncodeLargeProduction)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_QtToJsonLargeProduction)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    buildLibrary();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    delete library;
    return 0;
}
