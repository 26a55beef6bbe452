// The footage screen offscreen. The feature-size production (110 scenes of 6
// shots): opening the screen (build, show, first grab) and leaving it
// (teardown), each against a plain text editor opening and leaving a
// 2,400-element script's text the same way. A 500-shot episode: the
// build against the same screen for an episode without scenes, and one step
// of the renderer with the screen on show (the queue panel follows every
// step; a finished job's takes refresh the manifest) against the same step of
// a session with no screen. A production with a megabyte in every text field:
// opening the screen and opening a row's composed prompt, against a plain
// editor given one such megabyte at the phase area's size. All figures are
// ratios from the same run.

#include "FeatureProduction.h"
#include "MegabyteProduction.h"
#include "ScreenBench.h"

#include "design/style/PlaceholderArt.h"
#include "services/SampleFactory.h"
#include "state/ProjectSession.h"
#include "views/phases/footage/FootageView.h"
#include "views/phases/footage/ShotRow.h"

#include <QAbstractButton>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

using namespace studio;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr int sceneCount = 50;
constexpr int shotsPerScene = 10;
constexpr QSize areaSize(871, 600); // the phase area at the window's least size

// The screen and the plain editor are opened alike: built, shown and grabbed
// once, as the first frame on screen would be drawn. The placeholder art is
// forgotten first when `coldArt`, as on the first opening after start-up.
void footageAtFeatureSize(benchmark::State& state, bench::Timed timed, bool coldArt, bool empty = false)
{
    ProjectSession session(empty ? Project{} : bench::featureProduction());
    bench::openAndLeave(
        state, timed, [&] { return bench::opened(std::make_unique<FootageView>(session), bench::featureWindow); },
        coldArt ? std::function<void()>(PlaceholderArt::clearCache) : std::function<void()>());
}

void plainScript(benchmark::State& state, bench::Timed timed)
{
    const QString text = bench::scriptText(bench::featureProduction());
    bench::openAndLeave(state, timed, [&] { return bench::opened(bench::plainEditor(text), bench::featureWindow); });
}

void BM_OpenFootageFeature(benchmark::State& state)
{
    footageAtFeatureSize(state, bench::Timed::opening, false);
}
BENCHMARK(BM_OpenFootageFeature)->Unit(benchmark::kMillisecond);

void BM_OpenFootageFeatureColdArt(benchmark::State& state)
{
    footageAtFeatureSize(state, bench::Timed::opening, true);
}
BENCHMARK(BM_OpenFootageFeatureColdArt)->Unit(benchmark::kMillisecond);

// The same screen without a shot: what the engine card and the queue cost.
void BM_OpenFootageEmpty(benchmark::State& state)
{
    footageAtFeatureSize(state, bench::Timed::opening, false, true);
}
BENCHMARK(BM_OpenFootageEmpty)->Unit(benchmark::kMillisecond);

void BM_LeaveFootageFeature(benchmark::State& state)
{
    footageAtFeatureSize(state, bench::Timed::leaving, false);
}
BENCHMARK(BM_LeaveFootageFeature)->Unit(benchmark::kMillisecond);

void BM_OpenPlainScript(benchmark::State& state)
{
    plainScript(state, bench::Timed::opening);
}
BENCHMARK(BM_OpenPlainScript)->Unit(benchmark::kMillisecond);

void BM_LeavePlainScript(benchmark::State& state)
{
    plainScript(state, bench::Timed::leaving);
}
BENCHMARK(BM_LeavePlainScript)->Unit(benchmark::kMillisecond);

Project episodeOf500()
{
    Project p;
    for (int c = 0; c < 6; ++c) {
        CastMember m;
        m.name = u"Player %1"_s.arg(c + 1);
        m.look = c % 2 ? u"Grey wool coat, wire glasses"_s : QString();
        p.cast << m;
    }
    for (int l = 0; l < 5; ++l) {
        Location loc;
        loc.name = u"Set %1"_s.arg(l + 1);
        p.locations << loc;
    }
    for (int s = 0; s < sceneCount; ++s) {
        SceneCard scene;
        scene.locationID = p.locations.at(s % p.locations.size()).id;
        scene.castIDs = {p.cast.at(s % 6).id, p.cast.at((s + 1) % 6).id};
        for (int k = 0; k < shotsPerScene; ++k) {
            Shot shot;
            shot.seconds = 3 + (k * 7) % 15;
            shot.size = ShotSize(k % 11);
            shot.move = CameraMove(k % 13);
            shot.what = u"Shot %1 of scene %2: the crowd parts and the courier walks through"_s.arg(k + 1).arg(s + 1);
            scene.shots << shot;
        }
        p.episodes[0].scenes << scene;
    }
    return p;
}

// The screen in a host the size of the phase area, shown and laid out.
struct Host {
    explicit Host(ProjectSession& session)
        : view(new FootageView(session, &widget))
    {
        bench::showFilled(widget, view, areaSize);
    }
    QWidget widget;
    FootageView* view;
};

void build(benchmark::State& state, const Project& project)
{
    ProjectSession session(project);
    bench::openAndLeave(
        state, bench::Timed::opening, [&] { return std::make_unique<Host>(session); }, PlaceholderArt::clearCache);
}

void BM_BuildFootage(benchmark::State& state)
{
    build(state, episodeOf500());
}
BENCHMARK(BM_BuildFootage)->Unit(benchmark::kMillisecond);

void BM_BuildFootageWithoutScenes(benchmark::State& state)
{
    build(state, Project{});
}
BENCHMARK(BM_BuildFootageWithoutScenes)->Unit(benchmark::kMillisecond);

// Steps of the renderer over every shot of the episode, one per iteration.
void renderSteps(benchmark::State& state, bool withScreen)
{
    ProjectSession session(episodeOf500(), nullptr, 0ms);
    std::unique_ptr<Host> host;
    if (withScreen)
        host = std::make_unique<Host>(session);
    QList<QUuid> all;
    for (const SceneCard& scene : session.project().episodes.first().scenes)
        for (const Shot& shot : scene.shots)
            all << shot.id;
    int changes = 0;
    QObject::connect(&session, &ProjectSession::jobsChanged, [&changes] { ++changes; });
    const auto restart = [&] {
        session.setJobs({});
        session.enqueue(all);
        session.renderAll();
        QCoreApplication::processEvents();
    };
    restart();
    for (auto _ : state) {
        if (!session.isRendering()) {
            state.PauseTiming();
            restart();
            state.ResumeTiming();
        }
        const int before = changes;
        while (changes == before && session.isRendering())
            QCoreApplication::processEvents();
    }
}

void BM_RenderStepWithScreen(benchmark::State& state)
{
    renderSteps(state, true);
}
BENCHMARK(BM_RenderStepWithScreen)->Unit(benchmark::kMicrosecond);

void BM_RenderStepNoScreen(benchmark::State& state)
{
    renderSteps(state, false);
}
BENCHMARK(BM_RenderStepNoScreen)->Unit(benchmark::kMicrosecond);

const Project& megabyteProduction()
{
    static const Project p = bench::megabyteInEveryField(SampleFactory::lighthouse());
    return p;
}

void BM_OpenFootageMegabyteFields(benchmark::State& state)
{
    ProjectSession session(megabyteProduction());
    bench::openAndLeave(state, bench::Timed::opening, [&] { return std::make_unique<Host>(session); });
}
BENCHMARK(BM_OpenFootageMegabyteFields)->Unit(benchmark::kMillisecond);

// The first row's composed prompt opened (its shot, scene, cast and place
// all a megabyte each), shown and painted; closed again untimed.
void BM_OpenPromptMegabyteFields(benchmark::State& state)
{
    ProjectSession session(megabyteProduction());
    Host host(session);
    const QUuid first = session.project().episodes.first().scenes.first().shots.first().id;
    for (auto _ : state) {
        host.view->shotRow(first)->disclosure()->click();
        bench::settle();
        benchmark::DoNotOptimize(host.widget.grab());
        state.PauseTiming();
        host.view->shotRow(first)->disclosure()->click();
        bench::settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenPromptMegabyteFields)->Unit(benchmark::kMillisecond);

// A change of the profile (every row's clip count follows it) with the
// first row's prompt open, shown and painted.
void BM_RefreshFootageMegabyteFields(benchmark::State& state)
{
    ProjectSession session(megabyteProduction());
    Host host(session);
    host.view->shotRow(session.project().episodes.first().scenes.first().shots.first().id)->disclosure()->click();
    bench::settle();
    for (auto _ : state) {
        GenerationProfile profile = session.profile();
        profile.maxClipSeconds = profile.maxClipSeconds == 8 ? 9 : 8;
        session.setProfile(profile);
        bench::settle();
        benchmark::DoNotOptimize(host.widget.grab());
    }
}
BENCHMARK(BM_RefreshFootageMegabyteFields)->Unit(benchmark::kMillisecond);

void BM_OpenPlainMegabyte(benchmark::State& state)
{
    bench::openAndLeave(state, bench::Timed::opening,
                        [] { return bench::opened(bench::plainEditor(bench::megabyteOfProse()), areaSize); });
}
BENCHMARK(BM_OpenPlainMegabyte)->Unit(benchmark::kMillisecond);

void printSummary(const bench::RatioReporter& r)
{
    const bench::FeatureScale scale;
    std::printf("\nFeature: %d scenes of %d shots against a %d-element script in a plain editor, %dx%d\n",
                scale.scenes, scale.shotsPerScene, scale.scriptElements, bench::featureWindow.width(),
                bench::featureWindow.height());
    r.ratio("BM_OpenFootageFeature", "BM_OpenPlainScript");
    r.ratio("BM_OpenFootageFeatureColdArt", "BM_OpenPlainScript");
    r.ratio("BM_OpenFootageEmpty", "BM_OpenPlainScript");
    r.ratio("BM_LeaveFootageFeature", "BM_LeavePlainScript");
    std::printf("\nEpisode: %d scenes of %d shots, phase area %dx%d\n", sceneCount, shotsPerScene,
                areaSize.width(), areaSize.height());
    r.ratio("BM_BuildFootage", "BM_BuildFootageWithoutScenes");
    r.ratio("BM_RenderStepWithScreen", "BM_RenderStepNoScreen");
    std::printf("\nA megabyte in every text field (%s), phase area %dx%d\n", "the lighthouse sample", areaSize.width(),
                areaSize.height());
    r.ratio("BM_OpenFootageMegabyteFields", "BM_OpenPlainMegabyte");
    r.ratio("BM_OpenPromptMegabyteFields", "BM_OpenPlainMegabyte");
    r.ratio("BM_RefreshFootageMegabyteFields", "BM_OpenPlainMegabyte");
}

} // namespace

int main(int argc, char** argv)
{
    return bench::runScreenBenchmarks(argc, argv, printSummary);
}
