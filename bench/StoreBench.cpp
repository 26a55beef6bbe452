// Loading the library and saving a large production, against the cost of the
// disk alone measured in the same run.
//
// The library is 300 productions in a temporary data folder: the three
// samples over and over, and every tenth one a large generated series. The
// figures printed at the end are ratios: load over reading the same bytes
// (our overhead over the I/O floor) and load over reading plus
// QJsonDocument::fromJson (what the typed decoding adds to plain parsing).

#include "services/ProjectStore.h"
#include "services/SampleFactory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

constexpr int librarySize = 300;

// A long series: 12 episodes of 15 scenes with 10 shots of 3 takes each,
// a full script and cut per episode, and a large cast.
Project largeProduction(int index)
{
    Project p = SampleFactory::lighthouse();
    p.id = newId();
    p.name = u"Generated series %1"_s.arg(index);
    p.format = ProjectFormat::series;
    p.modifiedAt = Date(7.0e8 + index);
    for (int i = 0; i < 30; ++i)
        p.idea.cards.append(IdeaCard{.kind = IdeaCardKind::scene, .text = u"Fragment %1 of an idea that grows"_s.arg(i)});
    const CastMember lead = p.cast.first();
    for (int i = 0; i < 18; ++i) {
        CastMember m = lead;
        m.id = newId();
        m.name = u"Character %1"_s.arg(i);
        m.refSeeds = {newSeed(), newSeed()};
        p.cast.append(m);
    }
    const Location set = p.locations.first();
    for (int i = 0; i < 9; ++i) {
        Location l = set;
        l.id = newId();
        l.name = u"Set %1"_s.arg(i);
        p.locations.append(l);
    }

    const Episode pilot = p.episodes.first();
    p.episodes.clear();
    for (int e = 1; e <= 12; ++e) {
        Episode ep;
        ep.number = e;
        ep.title = u"Episode %1"_s.arg(e);
        ep.synopsis = pilot.synopsis;
        ep.structure = StoryStructure{StructureKind::fiveAct, structureTemplate(StructureKind::fiveAct)};
        for (Act& act : ep.structure.acts) {
            for (Beat& beat : act.beats) {
                beat.summary = pilot.structure.acts.first().beats.first().summary;
                beat.charge = 1;
            }
        }
        for (int r = 0; r < 5; ++r)
            ep.script.elements.append(pilot.script.elements);
        for (int s = 0; s < 15; ++s) {
            SceneCard scene = pilot.scenes.at(s % pilot.scenes.size());
            scene.id = newId();
            scene.shots.clear();
            for (int k = 0; k < 10; ++k) {
                Shot shot = pilot.scenes.first().shots.at(k % pilot.scenes.first().shots.size());
                shot.id = newId();
                shot.takes = {Take{.note = u"Take 1"_s}, Take{.note = u"Take 2"_s}, Take{.note = u"Take 3"_s}};
                shot.approvedTakeID = shot.takes.at(1).id;
                scene.shots.append(shot);
                ep.timeline.append(TimelineClip{.shotID = shot.id, .label = u"Shot"_s, .seconds = shot.seconds});
            }
            ep.scenes.append(scene);
        }
        ep.musicCues = pilot.musicCues;
        p.episodes.append(ep);
    }
    return p;
}

struct Library {
    QTemporaryDir dir;
    QStringList documents;
    qint64 bytes = 0;
    Project large;
};

Library* library = nullptr;

void buildLibrary()
{
    library = new Library;
    qputenv("XDG_DATA_HOME", QFile::encodeName(library->dir.path()));
    ProjectStore store;
    const QList<SampleFactory::Sample>& samples = SampleFactory::registry();
    for (int i = 0; i < librarySize; ++i) {
        Project p = i % 10 == 0 ? largeProduction(i) : samples.at(i % samples.size()).make();
        if (i == 0)
            library->large = p;
        if (!store.save(p)) {
            std::fprintf(stderr, "%s\n", qPrintable(store.lastError()));
            std::exit(1);
        }
        library->documents.append(ProjectStore::folderPath(p.id) + u"/project.json"_s);
        library->bytes += QFileInfo(library->documents.last()).size();
    }
}

void BM_LoadLibrary(benchmark::State& state)
{
    for (auto _ : state) {
        ProjectStore store;
        store.load();
        if (store.projects().size() != librarySize)
            state.SkipWithError("library incomplete");
        benchmark::DoNotOptimize(store.projects().constData());
    }
    state.SetBytesProcessed(state.iterations() * library->bytes);
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
        if (total != library->bytes)
            state.SkipWithError("short read");
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(state.iterations() * library->bytes);
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
    state.SetBytesProcessed(state.iterations() * library->bytes);
}

void BM_SaveLargeProduction(benchmark::State& state)
{
    ProjectStore store;
    const qint64 size = json::encodePretty(library->large).size();
    for (auto _ : state) {
        if (!store.save(library->large))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["document_bytes"] = double(size);
}

void BM_EncodeLargeProduction(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(json::encodePretty(library->large).size());
}

// Prints the runs as usual and the ratios once every run is in.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                m_seconds[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        auto ratio = [&](const char* a, const char* b) {
            if (m_seconds.count(a) && m_seconds.count(b) && m_seconds[b] > 0)
                std::printf("%-58s %.2fx\n", (std::string(a) + " / " + b).c_str(), m_seconds[a] / m_seconds[b]);
        };
        std::printf("\nLibrary: %d productions, %.1f MB; large production %.1f MB\n", libraryCount(),
                    double(library->bytes) / 1e6, double(json::encodePretty(library->large).size()) / 1e6);
        ratio("BM_LoadLibrary", "BM_ReadLibraryBytes");
        ratio("BM_LoadLibrary", "BM_ReadAndParseLibrary");
        ratio("BM_SaveLargeProduction", "BM_EncodeLargeProduction");
    }

private:
    static int libraryCount() { return librarySize; }
    std::map<std::string, double> m_seconds;
};

} // namespace

BENCHMARK(BM_LoadLibrary)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadLibraryBytes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadAndParseLibrary)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveLargeProduction)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EncodeLargeProduction)->Unit(benchmark::kMillisecond)->UseRealTime();

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
