// The Storyboard screen offscreen. With a scene of 500 shots: building the
// screen (construction, layout and first paint), one scroll frame of the
// shot grid, selecting a shot, and a keystroke in "What we see", each against
// a floor from the same run (the same screen over a scene of one or two shots,
// the backdrop repainted alone, the same edit with no screen). At feature size
// (110 scenes of 6 shots, a 2,400-element script): opening the screen (build,
// show, first grab) and leaving it, against a plain text editor opening the
// feature's script text the same way. With a megabyte in every text the
// screen shows (names, location, synopsis, what we see, dialogue, take
// notes): opening it on a shot, selecting the next shot and resizing the
// window, against a plain text editor opening and resizing one megabyte.

#include "FeatureProduction.h"
#include "MegabyteProduction.h"
#include "ScreenBench.h"

#include "design/style/AuroraBackground.h"
#include "design/style/PlaceholderArt.h"
#include "design/text/SleekTextEditor.h"
#include "state/ProjectSession.h"
#include "views/phases/storyboard/SceneEditor.h"
#include "views/phases/storyboard/StoryboardView.h"
#include "views/phases/storyboard/ShotGrid.h"
#include "views/phases/storyboard/ShotInspector.h"
#include "views/phases/storyboard/ShotInspectorPane.h"

#include <QScrollBar>
#include <QTextEdit>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

constexpr QSize windowSize(1280, 800);
constexpr int scrollStep = 40;

Project production(int shots)
{
    Project p;
    SceneCard scene;
    for (int i = 0; i < shots; ++i) {
        Shot shot;
        shot.size = ShotSize(i % 11);
        shot.move = CameraMove(i % 13);
        shot.seconds = 2 + (i % 20) * 0.5;
        if (i % 3 == 0)
            shot.takes << Take{};
        if (i % 7 == 0)
            shot.recipeID = u"theLongWalk"_s;
        scene.shots << shot;
    }
    p.episodes.first().scenes = {scene};
    return p;
}

// The window's backdrop with the screen in front.
struct Screen {
    explicit Screen(int shots, bool withScreen = true)
        : session(production(shots))
    {
        backdrop.setReduceMotion(true);
        if (withScreen)
            view = new StoryboardView(session, &backdrop);
        bench::showFilled(backdrop, view, windowSize);
    }
    ShotGrid* grid() const { return view->editor()->grid(); }
    const SceneCard& scene() const { return session.project().episodes.first().scenes.first(); }

    ProjectSession session;
    AuroraBackground backdrop;
    StoryboardView* view = nullptr;
};

void build(benchmark::State& state, int shots)
{
    bench::openAndLeave(
        state, bench::Timed::opening,
        [shots] {
            auto screen = std::make_unique<Screen>(shots);
            screen->backdrop.repaint();
            return screen;
        },
        PlaceholderArt::clearCache);
}
void BM_Build500(benchmark::State& state) { build(state, 500); }
void BM_Build1(benchmark::State& state) { build(state, 1); }
BENCHMARK(BM_Build500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Build1)->Unit(benchmark::kMillisecond);

void BM_ScrollFrame500(benchmark::State& state)
{
    Screen screen(500);
    QScrollBar* bar = screen.grid()->verticalScrollBar();
    // One pass fills the kept card drawings.
    for (int v = 0; v <= bar->maximum(); v += scrollStep) {
        bar->setValue(v);
        screen.backdrop.repaint();
    }
    for (auto _ : state) {
        bar->setValue(bar->value() + scrollStep > bar->maximum() ? 0 : bar->value() + scrollStep);
        screen.backdrop.repaint();
    }
    state.counters["scroll_range_px"] = bar->maximum();
}
BENCHMARK(BM_ScrollFrame500)->Unit(benchmark::kMicrosecond);

// The same window repainted without scrolling: what a frame costs anyway.
void BM_StillRepaint500(benchmark::State& state)
{
    Screen screen(500);
    for (auto _ : state)
        screen.backdrop.repaint();
}
BENCHMARK(BM_StillRepaint500)->Unit(benchmark::kMicrosecond);

void BM_BackdropRepaint(benchmark::State& state)
{
    Screen screen(0, false);
    for (auto _ : state)
        screen.backdrop.repaint();
}
BENCHMARK(BM_BackdropRepaint)->Unit(benchmark::kMicrosecond);

void select(benchmark::State& state, int shots)
{
    Screen screen(shots);
    const QUuid sceneID = screen.scene().id;
    QList<QUuid> ids;
    for (const Shot& shot : screen.scene().shots)
        ids << shot.id;
    int n = 0;
    for (auto _ : state) {
        // Two shots apart in view, as a user picks the next card.
        screen.view->select({sceneID, ids[n++ % 2]});
        screen.backdrop.repaint();
    }
}
void BM_SelectShot500(benchmark::State& state) { select(state, 500); }
void BM_SelectShot2(benchmark::State& state) { select(state, 2); }
BENCHMARK(BM_SelectShot500)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectShot2)->Unit(benchmark::kMicrosecond);

void keystroke(benchmark::State& state, int shots)
{
    Screen screen(shots);
    const SceneCard& scene = screen.scene();
    screen.view->select({scene.id, scene.shots[1].id});
    QTextEdit* editor = screen.view->inspectorPane()->inspector()->whatEditor()->textEdit();
    int n = 0;
    for (auto _ : state) {
        // A letter, then a backspace: the text keeps its length.
        if (n++ % 2 == 0)
            editor->insertPlainText(u"x"_s);
        else
            editor->textCursor().deletePreviousChar();
        QCoreApplication::processEvents();
    }
}
void BM_KeystrokeInWhat500(benchmark::State& state) { keystroke(state, 500); }
void BM_KeystrokeInWhat2(benchmark::State& state) { keystroke(state, 2); }
BENCHMARK(BM_KeystrokeInWhat500)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeInWhat2)->Unit(benchmark::kMicrosecond);

// The same keystroke's edit with no screen: the session's own share.
void BM_KeystrokeEditAlone(benchmark::State& state)
{
    ProjectSession session(production(500));
    int n = 0;
    for (auto _ : state) {
        const QString what = n++ % 2 == 0 ? u"x"_s : QString();
        session.edit([&](Project& p) { p.episodes.first().scenes.first().shots[1].what = what; });
    }
}
BENCHMARK(BM_KeystrokeEditAlone)->Unit(benchmark::kMicrosecond);

// ---- Feature size -------------------------------------------------------------

std::unique_ptr<StoryboardView> openFeature(ProjectSession& session)
{
    return bench::opened(std::make_unique<StoryboardView>(session), bench::featureWindow);
}

void BM_OpenFeature(benchmark::State& state)
{
    ProjectSession session(bench::featureProduction());
    bench::openAndLeave(state, bench::Timed::opening, [&] { return openFeature(session); });
}
BENCHMARK(BM_OpenFeature)->Unit(benchmark::kMillisecond);

void BM_LeaveFeature(benchmark::State& state)
{
    ProjectSession session(bench::featureProduction());
    bench::openAndLeave(state, bench::Timed::leaving, [&] { return openFeature(session); });
}
BENCHMARK(BM_LeaveFeature)->Unit(benchmark::kMillisecond);

// The floor: a plain text editor opening the feature's script, shown and grabbed.
void plainEditor(benchmark::State& state, bench::Timed timed)
{
    const QString text = bench::scriptText(bench::featureProduction());
    bench::openAndLeave(state, timed, [&] { return bench::opened(bench::plainEditor(text), bench::featureWindow); });
}

void BM_PlainEditorOpenFeatureScript(benchmark::State& state)
{
    plainEditor(state, bench::Timed::opening);
}
BENCHMARK(BM_PlainEditorOpenFeatureScript)->Unit(benchmark::kMillisecond);

void BM_PlainEditorLeaveFeatureScript(benchmark::State& state)
{
    plainEditor(state, bench::Timed::leaving);
}
BENCHMARK(BM_PlainEditorLeaveFeatureScript)->Unit(benchmark::kMillisecond);

// ---- A megabyte in every text field -------------------------------------------

// Four scenes of three shots, every text of them a megabyte.
Project megabyteProduction()
{
    Project p;
    int salt = 0;
    Location harbor;
    harbor.name = bench::saltedMegabyte(++salt);
    p.locations = {harbor};
    for (int i = 0; i < 2; ++i) {
        CastMember member;
        member.name = bench::saltedMegabyte(++salt);
        p.cast << member;
    }
    p.episodes.first().title = bench::saltedMegabyte(++salt);
    for (int n = 0; n < 4; ++n) {
        SceneCard scene;
        if (n % 2)
            scene.locationID = harbor.id;
        scene.locationText = bench::saltedMegabyte(++salt);
        scene.synopsis = bench::saltedMegabyte(++salt);
        scene.castIDs = {p.cast[0].id, p.cast[1].id};
        for (int k = 0; k < 3; ++k) {
            Shot shot;
            shot.what = bench::saltedMegabyte(++salt);
            shot.dialogue = bench::saltedMegabyte(++salt);
            Take take;
            take.note = bench::saltedMegabyte(++salt);
            shot.takes = {take};
            scene.shots << shot;
        }
        p.episodes.first().scenes << scene;
    }
    return p;
}

struct MegabyteScreen {
    explicit MegabyteScreen(const Project& project, QSize size = bench::featureWindow)
        : session(project)
    {
        backdrop.setReduceMotion(true);
        view = new StoryboardView(session, &backdrop);
        const SceneCard& scene = session.project().episodes.first().scenes.first();
        view->select({scene.id, scene.shots.first().id});
        bench::showFilled(backdrop, view, size);
        benchmark::DoNotOptimize(backdrop.grab());
    }
    ProjectSession session;
    AuroraBackground backdrop;
    StoryboardView* view = nullptr;
};

void BM_OpenMegabyteFields(benchmark::State& state)
{
    const Project p = megabyteProduction();
    bench::openAndLeave(state, bench::Timed::opening, [&] { return std::make_unique<MegabyteScreen>(p); });
}
BENCHMARK(BM_OpenMegabyteFields)->Unit(benchmark::kMillisecond);

// The next shot of the scene in the inspector, shown and painted.
void BM_SelectMegabyteShot(benchmark::State& state)
{
    MegabyteScreen screen(megabyteProduction());
    const SceneCard& scene = screen.session.project().episodes.first().scenes.first();
    int n = 0;
    for (auto _ : state) {
        screen.view->select({scene.id, scene.shots[++n % scene.shots.size()].id});
        bench::settle();
        benchmark::DoNotOptimize(screen.backdrop.grab());
    }
}
BENCHMARK(BM_SelectMegabyteShot)->Unit(benchmark::kMillisecond);

// The window narrowed and widened again, each laid out and painted.
void BM_ResizeMegabyteFields(benchmark::State& state)
{
    MegabyteScreen screen(megabyteProduction());
    bench::resizeBetweenWindows(state, screen.backdrop);
}
BENCHMARK(BM_ResizeMegabyteFields)->Unit(benchmark::kMillisecond);

// The floor: a plain text editor opening, and resized with, one megabyte.
void BM_PlainEditorOpenMegabyte(benchmark::State& state)
{
    bench::openPlainEditorOnSaltedMegabyte(state);
}
BENCHMARK(BM_PlainEditorOpenMegabyte)->Unit(benchmark::kMillisecond);

void BM_PlainEditorResizeMegabyte(benchmark::State& state)
{
    bench::resizePlainEditorOnSaltedMegabyte(state);
}
BENCHMARK(BM_PlainEditorResizeMegabyte)->Unit(benchmark::kMillisecond);

void printSummary(const bench::RatioReporter& r)
{
    std::printf("\nStoryboard: one scene of 500 shots, window %dx%d, scroll step %d px\n", windowSize.width(),
                windowSize.height(), scrollStep);
    r.ratio("BM_Build500", "BM_Build1");
    r.ratio("BM_ScrollFrame500", "BM_BackdropRepaint");
    r.ratio("BM_ScrollFrame500", "BM_StillRepaint500");
    r.ratio("BM_SelectShot500", "BM_SelectShot2");
    r.ratio("BM_KeystrokeInWhat500", "BM_KeystrokeInWhat2");
    r.ratio("BM_KeystrokeInWhat500", "BM_KeystrokeEditAlone");
    const bench::FeatureScale scale;
    std::printf("\nStoryboard at feature size: %d scenes of %d shots, %d script elements, window %dx%d\n",
                scale.scenes, scale.shotsPerScene, scale.scriptElements, bench::featureWindow.width(),
                bench::featureWindow.height());
    r.ratio("BM_OpenFeature", "BM_PlainEditorOpenFeatureScript");
    r.ratio("BM_LeaveFeature", "BM_PlainEditorLeaveFeatureScript");
    std::printf("\nStoryboard with a megabyte in every text it shows (4 scenes of 3 shots), window %dx%d\n",
                bench::featureWindow.width(), bench::featureWindow.height());
    r.ratio("BM_OpenMegabyteFields", "BM_PlainEditorOpenMegabyte");
    r.ratio("BM_SelectMegabyteShot", "BM_PlainEditorOpenMegabyte");
    r.ratio("BM_ResizeMegabyteFields", "BM_PlainEditorResizeMegabyte");
}

} // namespace

int main(int argc, char** argv)
{
    return bench::runScreenBenchmarks(argc, argv, printSummary);
}
