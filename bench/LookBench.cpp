// The Look offscreen at feature size (110 scenes of 6 shots, a 2,400-element
// script): opening the screen (build, show, first grab) the first time in
// the process and again afterwards, and leaving it, against a plain text
// editor opening the feature's script text the same way, in the same run.
// Nothing the screen shows depends on the production's size; what it paints
// from the catalogs (the style library's art, the lens strip) is drawn once
// per process and size. With a megabyte in every text of the look (the
// director's notes, mood words, lens and light words of its own, the accent
// and the ids): opening the screen and resizing the window, against a plain
// text editor opening and resizing one megabyte.

#include "FeatureProduction.h"
#include "MegabyteProduction.h"
#include "ScreenBench.h"

#include "design/style/PlaceholderArt.h"
#include "state/ProjectSession.h"
#include "views/phases/look/LookView.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <optional>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<LookView> open(ProjectSession& session)
{
    return bench::opened(std::make_unique<LookView>(session), bench::featureWindow);
}

// The first open of the process: nothing drawn yet (the placeholder art is
// forgotten too, as after a start), and a session of its own.
void BM_OpenFirst(benchmark::State& state)
{
    const Project p = bench::featureProduction();
    std::optional<ProjectSession> session;
    bench::openAndLeave(state, bench::Timed::opening, [&] { return open(*session); }, [&] {
        LookView::forgetDrawings();
        PlaceholderArt::clearCache();
        session.emplace(p);
    });
}
BENCHMARK(BM_OpenFirst)->Unit(benchmark::kMillisecond);

void BM_Open(benchmark::State& state)
{
    ProjectSession session(bench::featureProduction());
    auto warm = open(session);
    bench::dispose(warm);
    bench::openAndLeave(state, bench::Timed::opening, [&] { return open(session); });
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond);

void BM_Leave(benchmark::State& state)
{
    ProjectSession session(bench::featureProduction());
    bench::openAndLeave(state, bench::Timed::leaving, [&] { return open(session); });
}
BENCHMARK(BM_Leave)->Unit(benchmark::kMillisecond);

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

Project megabyteLook()
{
    Project p;
    int salt = 0;
    LookSpec& look = p.look;
    look.styleID = bench::saltedMegabyte(++salt);
    look.directorLensID = bench::saltedMegabyte(++salt);
    look.accentHex = bench::saltedMegabyte(++salt);
    look.notes = bench::saltedMegabyte(++salt);
    for (int i = 0; i < 3; ++i) {
        look.moodWords << bench::saltedMegabyte(++salt);
        look.lensFeel << bench::saltedMegabyte(++salt);
        look.lightingMood << bench::saltedMegabyte(++salt);
    }
    return p;
}

void BM_OpenMegabyteFields(benchmark::State& state)
{
    ProjectSession session(megabyteLook());
    auto warm = open(session);
    bench::dispose(warm);
    bench::openAndLeave(state, bench::Timed::opening, [&] { return open(session); });
}
BENCHMARK(BM_OpenMegabyteFields)->Unit(benchmark::kMillisecond);

// The window narrowed and widened again, each laid out and painted.
void BM_ResizeMegabyteFields(benchmark::State& state)
{
    ProjectSession session(megabyteLook());
    auto screen = open(session);
    bench::resizeBetweenWindows(state, *screen);
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
    const bench::FeatureScale scale;
    std::printf("\nThe Look at feature size: %d scenes of %d shots, %d script elements, window %dx%d\n", scale.scenes,
                scale.shotsPerScene, scale.scriptElements, bench::featureWindow.width(), bench::featureWindow.height());
    r.ratio("BM_OpenFirst", "BM_PlainEditorOpenFeatureScript");
    r.ratio("BM_Open", "BM_PlainEditorOpenFeatureScript");
    r.ratio("BM_Leave", "BM_PlainEditorLeaveFeatureScript");
    std::printf("\nThe Look with a megabyte in every text of the look, window %dx%d\n", bench::featureWindow.width(),
                bench::featureWindow.height());
    r.ratio("BM_OpenMegabyteFields", "BM_PlainEditorOpenMegabyte");
    r.ratio("BM_ResizeMegabyteFields", "BM_PlainEditorResizeMegabyte");
}

} // namespace

int main(int argc, char** argv)
{
    return bench::runScreenBenchmarks(argc, argv, printSummary);
}
