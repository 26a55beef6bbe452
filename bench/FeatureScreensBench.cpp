// Every phase screen opened for a feature-length production, offscreen at
// the workspace's size: building the screen, showing it and its first grab
// (open), and deleting it again (leave). The floor is a bare QPlainTextEdit
// given the feature's whole screenplay as text, opened and left the same way
// in the same run. The stress cases open Spark with thousands of idea cards
// and the Script screen with a screenplay far past any real film, each with
// the process's resident memory while the screen is up.

#include "FeatureProduction.h"
#include "ScreenBench.h"

#include "state/ProjectSession.h"
#include "views/phases/PhaseScreen.h"
#include "views/phases/PhaseScreens.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

using bench::Clock;

// The resident memory seen with each stress screen up, for the summary.
std::map<std::string, double>& residentWhileOpen()
{
    static std::map<std::string, double> seen;
    return seen;
}

// Builds, shows and grabs one widget; what open() returns is what leave()
// deletes.
using Open = std::function<std::unique_ptr<QWidget>()>;

void timeOpen(benchmark::State& state, const std::string& name, const Open& open)
{
    for (auto _ : state) {
        const Clock clock;
        std::unique_ptr<QWidget> widget = open();
        clock.stop(state, name);
        double& resident = residentWhileOpen()[name];
        resident = std::max(resident, bench::residentMegabytes());
        bench::dispose(widget);
    }
}

void timeLeave(benchmark::State& state, const std::string& name, const Open& open)
{
    for (auto _ : state) {
        std::unique_ptr<QWidget> widget = open();
        const Clock clock;
        bench::dispose(widget);
        clock.stop(state, name);
    }
}

Open screen(ProjectSession& session, PhaseID phase)
{
    return [&session, phase] {
        return bench::opened(std::unique_ptr<QWidget>(makePhaseScreen(phase, session, nullptr)), bench::featureWindow);
    };
}

Open plainEditor(const QString& text)
{
    return [text]() -> std::unique_ptr<QWidget> {
        return bench::opened(bench::plainEditor(text), bench::featureWindow);
    };
}

// One production and session per scale, alive for the whole run so every
// benchmark opens its screen on the same data. They are left to the end of
// the process: the application they belong to is gone before statics die.
ProjectSession& sessionFor(const bench::FeatureScale& scale)
{
    static std::map<std::pair<int, int>, ProjectSession*> sessions;
    ProjectSession*& slot = sessions[{scale.scriptElements, scale.ideaCards}];
    if (!slot)
        slot = new ProjectSession(bench::featureProduction(scale));
    return *slot;
}

std::string phaseName(PhaseID phase)
{
    return title(phase).toStdString();
}

constexpr double leaveMinTime = 0.05;

// The name the reporter knows a benchmark by.
std::string reportedName(const std::string& name)
{
    char minTime[32] = "";
    if (name.starts_with("Leave/"))
        std::snprintf(minTime, sizeof minTime, "/min_time:%0.3f", leaveMinTime);
    return name + minTime + "/manual_time";
}

const std::string openFloor = "Open/plain editor";
const std::string leaveFloor = "Leave/plain editor";

std::string cards(int n)
{
    return "Stress/Spark/" + std::to_string(n) + " cards";
}
std::string elements(int n)
{
    return "Stress/Script/" + std::to_string(n) + " elements";
}

const QString& featureText()
{
    static const QString text = bench::scriptText(sessionFor({}).project());
    return text;
}

// Registered before the application starts; the productions are built when
// the first benchmark asks for them.
void registerBenchmarks()
{
    const bench::FeatureScale feature;
    using Timer = void (*)(benchmark::State&, const std::string&, const Open&);
    // Each leave first opens its screen untimed: a shorter minimum time keeps
    // a teardown of a millisecond from costing minutes of opens.
    const auto add = [](const std::string& name, Timer time, std::function<Open()> what) {
        auto* b = benchmark::RegisterBenchmark(name.c_str(),
                                               [name, time, what](benchmark::State& s) { time(s, name, what()); });
        b->UseManualTime()->Unit(benchmark::kMillisecond);
        if (time == timeLeave)
            b->MinTime(leaveMinTime);
    };
    add(openFloor, timeOpen, [] { return plainEditor(featureText()); });
    add(leaveFloor, timeLeave, [] { return plainEditor(featureText()); });
    for (const PhaseID phase : allCases<PhaseID>()) {
        add("Open/" + phaseName(phase), timeOpen, [feature, phase] { return screen(sessionFor(feature), phase); });
        add("Leave/" + phaseName(phase), timeLeave, [feature, phase] { return screen(sessionFor(feature), phase); });
    }

    // The stress cases, each against the same screen at feature size. Run
    // each alone (--benchmark_filter) for the resident memory it needs.
    const bench::FeatureScale stress = bench::FeatureScale::stress();
    for (const int n : {feature.ideaCards, stress.ideaCards}) {
        bench::FeatureScale scale = feature;
        scale.ideaCards = n;
        add(cards(n), timeOpen, [scale] { return screen(sessionFor(scale), PhaseID::spark); });
    }
    for (const int n : {feature.scriptElements, stress.scriptElements}) {
        bench::FeatureScale scale = feature;
        scale.scriptElements = n;
        add(elements(n), timeOpen, [scale] { return screen(sessionFor(scale), PhaseID::script); });
    }
}

// One line per pair: the processor-time ratio the reporter keeps, then the
// wall-clock ratio.
void ratio(const bench::RatioReporter& r, const std::string& a, const std::string& b)
{
    r.ratio(reportedName(a).c_str(), reportedName(b).c_str());
    Clock::printWallRatio(a, b);
}

void printSummary(const bench::RatioReporter& r)
{
    const bench::FeatureScale feature;
    std::printf("\nFeature production: %d script elements, %d scenes of %d shots, %d cast, %d locations, "
                "%d idea cards; window %dx%d; ratios of processor time, then of wall-clock time\n",
                feature.scriptElements, feature.scenes, feature.shotsPerScene, feature.cast, feature.locations,
                feature.ideaCards, bench::featureWindow.width(), bench::featureWindow.height());
    for (const PhaseID phase : allCases<PhaseID>()) {
        ratio(r, "Open/" + phaseName(phase), openFloor);
        ratio(r, "Leave/" + phaseName(phase), leaveFloor);
    }
    const bench::FeatureScale stress = bench::FeatureScale::stress();
    ratio(r, cards(stress.ideaCards), cards(feature.ideaCards));
    ratio(r, elements(stress.scriptElements), elements(feature.scriptElements));
    for (const std::string& name : {cards(feature.ideaCards), cards(stress.ideaCards), elements(feature.scriptElements),
                                    elements(stress.scriptElements)}) {
        const auto found = residentWhileOpen().find(name);
        if (found != residentWhileOpen().end())
            std::printf("%-58s %.0f MB\n", ("resident with " + name + " open").c_str(), found->second);
    }
}

} // namespace

int main(int argc, char** argv)
{
    registerBenchmarks();
    return bench::runScreenBenchmarks(argc, argv, printSummary);
}
