// The typed codec against Qt's own JSON on the same bytes.
//
// One large production: 8 episodes of 40 scenes with 8 shots of 3 takes each
// and 30 cast members, filled from the lighthouse sample. Decoding is
// measured against QJsonDocument::fromJson of the same bytes (what the typed
// reading adds to plain parsing); encoding against QJsonDocument::toJson of the
// same document already held as a QJsonObject (what our writing costs over
// Qt's serialiser alone). The figures printed at the end are those ratios,
// from the medians of interleaved repetitions.

#include "services/SampleFactory.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <set>
#include <vector>
#include <string>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

Project benchProduction()
{
    Project p = SampleFactory::lighthouse();
    p.name = u"Codec bench series"_s;
    p.format = ProjectFormat::series;
    const CastMember lead = p.cast.first();
    p.cast.clear();
    for (int i = 0; i < 30; ++i) {
        CastMember m = lead;
        m.id = newId();
        m.name = u"Character %1"_s.arg(i);
        m.refSeeds = {newSeed(), newSeed()};
        p.cast.append(m);
    }

    const Episode pilot = p.episodes.first();
    const QList<Shot> pilotShots = pilot.scenes.first().shots;
    p.episodes.clear();
    for (int e = 1; e <= 8; ++e) {
        Episode ep = pilot;
        ep.id = newId();
        ep.number = e;
        ep.title = u"Episode %1"_s.arg(e);
        ep.scenes.clear();
        ep.timeline.clear();
        for (int s = 0; s < 40; ++s) {
            SceneCard scene = pilot.scenes.at(s % pilot.scenes.size());
            scene.id = newId();
            scene.castIDs = {p.cast.at(s % 30).id, p.cast.at((s + 7) % 30).id};
            scene.shots.clear();
            for (int k = 0; k < 8; ++k) {
                Shot shot = pilotShots.at(k % pilotShots.size());
                shot.id = newId();
                shot.frameSeed = newSeed();
                shot.seconds = 2.5 + k * 0.75;
                shot.takes = {Take{.note = u"Take 1"_s}, Take{.note = u"Take 2 — \"closer\""_s}, Take{}};
                shot.approvedTakeID = shot.takes.at(1).id;
                scene.shots.append(shot);
                ep.timeline.append(TimelineClip{.shotID = shot.id, .label = u"Shot"_s, .seconds = shot.seconds});
            }
            ep.scenes.append(scene);
        }
        p.episodes.append(ep);
    }
    return p;
}

struct Fixture {
    Project project;
    QByteArray bytes;          // what the store writes
    QJsonObject object;        // the same document as Qt's tree
};

Fixture* fixture = nullptr;

void BM_DecodeProduction(benchmark::State& state)
{
    for (auto _ : state) {
        const Project p = json::decode<Project>(fixture->bytes);
        benchmark::DoNotOptimize(p.episodes.constData());
    }
    state.SetBytesProcessed(state.iterations() * fixture->bytes.size());
}

void BM_QJsonDocumentFromJson(benchmark::State& state)
{
    for (auto _ : state) {
        const QJsonDocument doc = QJsonDocument::fromJson(fixture->bytes);
        benchmark::DoNotOptimize(doc.isObject());
    }
    state.SetBytesProcessed(state.iterations() * fixture->bytes.size());
}

void BM_EncodeProduction(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(json::encodePretty(fixture->project).size());
    state.SetBytesProcessed(state.iterations() * fixture->bytes.size());
}

void BM_QJsonDocumentToJson(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(QJsonDocument(fixture->object).toJson(QJsonDocument::Indented).size());
    state.SetBytesProcessed(state.iterations() * fixture->bytes.size());
}

// Prints the runs as usual and the ratios once every run is in.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        // The median of repeated runs when there are repetitions, else the run.
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                m_seconds[name] = run.GetAdjustedRealTime(), m_fromMedian.insert(name);
            else if (run.run_type == Run::RT_Iteration && !m_fromMedian.count(name))
                m_seconds[name] = run.GetAdjustedRealTime();
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        auto ratio = [&](const char* a, const char* b) {
            if (m_seconds.count(a) && m_seconds.count(b) && m_seconds[b] > 0)
                std::printf("%-52s %.2fx\n", (std::string(a) + " / " + b).c_str(), m_seconds[a] / m_seconds[b]);
        };
        std::printf("\nDocument: %.1f MB\n", double(fixture->bytes.size()) / 1e6);
        ratio("BM_DecodeProduction", "BM_QJsonDocumentFromJson");
        ratio("BM_EncodeProduction", "BM_QJsonDocumentToJson");
    }

private:
    std::map<std::string, double> m_seconds;
    std::set<std::string> m_fromMedian;
};

} // namespace

BENCHMARK(BM_DecodeProduction)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_QJsonDocumentFromJson)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EncodeProduction)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_QJsonDocumentToJson)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The machine is often shared: by default each benchmark runs several
    // times, interleaved with the others, and the ratios use the medians.
    // Flags given on the command line come later and win.
    std::vector<char*> args(argv, argv + argc);
    char repetitions[] = "--benchmark_repetitions=9";
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    char aggregates[] = "--benchmark_report_aggregates_only=true";
    args.insert(args.begin() + 1, {repetitions, interleave, aggregates});
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    fixture = new Fixture;
    fixture->project = benchProduction();
    fixture->bytes = json::encodePretty(fixture->project);
    fixture->object = QJsonDocument::fromJson(fixture->bytes).object();
    if (json::decode<Project>(fixture->bytes) != fixture->project
        || QJsonDocument(fixture->object).toJson(QJsonDocument::Indented) != fixture->bytes) {
        std::fprintf(stderr, "the bench production does not round-trip\n");
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    delete fixture;
    return 0;
}
