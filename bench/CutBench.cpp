// The Cut offscreen. The feature-size production (660 clips, two dozen
// cues): opening the screen (build, show, first grab) and leaving it
// (teardown), each against a plain text editor opening and leaving the
// feature's 2,400-element script the same way. A 2,000-clip timeline in front
// of the window's backdrop: one step of the zoom slider (the lanes laid out anew and the window repainted),
// one frame of scrolling the strip sideways, and one of scrolling the page
// down, each against the backdrop alone (the floor every frame pays). The
// lane layout on its own is reported too. A production with a megabyte in
// every text field (clip labels and cues among them): opening the screen and
// selecting a clip, against a plain editor given one such megabyte. All
// figures are ratios from the same run.

#include "FeatureProduction.h"
#include "MegabyteProduction.h"
#include "ScreenBench.h"

#include "design/style/AuroraBackground.h"
#include "design/style/PlaceholderArt.h"
#include "design/widgets/HorizontalStrip.h"
#include "design/widgets/ScrollColumn.h"
#include "design/widgets/Slider.h"
#include "model/Project.h"
#include "services/SampleFactory.h"
#include "state/ProjectSession.h"
#include "state/edits/CutEdits.h"
#include "state/rules/CutRules.h"
#include "views/phases/cut/CutView.h"
#include "views/phases/cut/TimelineLanes.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

constexpr int clipCount = 2000;
constexpr QSize windowSize(1080, 700);
constexpr int scrollStep = 40;

Project production()
{
    Project p = SampleFactory::lighthouse();
    Episode& e = p.episodes.first();
    e.timeline.clear();
    for (int i = 0; i < clipCount; ++i)
        e.timeline << TimelineClip{.id = newId(), .shotID = newId(),
                                   .label = u"S%1\u00B7%2 MCU"_s.arg(i / 8 + 1).arg(i % 8 + 1),
                                   .seconds = 1.5 + (i * 37 % 100) / 10.0, .seed = newSeed(),
                                   .hasDialogue = i % 3 == 0};
    return p;
}

// The feature's Cut and the plain editor are opened alike: built, shown and
// grabbed once, with every placeholder picture forgotten first.
void cutAtFeatureSize(benchmark::State& state, bench::Timed timed)
{
    ProjectSession session(bench::featureProduction());
    bench::openAndLeave(
        state, timed, [&] { return bench::opened(std::make_unique<CutView>(session), bench::featureWindow); },
        PlaceholderArt::clearCache);
}

void plainScript(benchmark::State& state, bench::Timed timed)
{
    const QString text = bench::scriptText(bench::featureProduction());
    bench::openAndLeave(
        state, timed, [&] { return bench::opened(bench::plainEditor(text), bench::featureWindow); },
        PlaceholderArt::clearCache);
}

void BM_OpenCutFeature(benchmark::State& state)
{
    cutAtFeatureSize(state, bench::Timed::opening);
}
BENCHMARK(BM_OpenCutFeature)->Unit(benchmark::kMillisecond);

void BM_LeaveCutFeature(benchmark::State& state)
{
    cutAtFeatureSize(state, bench::Timed::leaving);
}
BENCHMARK(BM_LeaveCutFeature)->Unit(benchmark::kMillisecond);

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

// The backdrop with the screen in front, as the workspace shows it.
struct Screen {
    explicit Screen(bool withCut = true)
        : session(production())
    {
        backdrop.setReduceMotion(true);
        if (withCut)
            view = new CutView(session, &backdrop);
        bench::showFilled(backdrop, view, windowSize);
    }

    ProjectSession session;
    AuroraBackground backdrop;
    CutView* view = nullptr;
};

void key(QWidget* target, Qt::Key k)
{
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

void scroll(QScrollBar* bar)
{
    bar->setValue(bar->value() + scrollStep > bar->maximum() ? 0 : bar->value() + scrollStep);
}

// One step of the zoom slider, up and down in turn, and the frame it causes.
void BM_ZoomStep(benchmark::State& state)
{
    Screen screen;
    Slider* slider = screen.view->zoomSlider();
    int n = 0;
    const double start = screen.view->lanes()->zoom();
    for (auto _ : state) {
        key(slider, n++ % 2 == 0 ? Qt::Key_PageUp : Qt::Key_PageDown);
        QCoreApplication::processEvents();
        screen.backdrop.repaint();
    }
    if (screen.view->lanes()->zoom() == start && n % 2 == 1)
        state.SkipWithError("the zoom did not change");
}
BENCHMARK(BM_ZoomStep)->Unit(benchmark::kMicrosecond);

void BM_ScrollStripFrame(benchmark::State& state)
{
    Screen screen;
    QScrollBar* bar = screen.view->strip()->horizontalScrollBar();
    // One pass over the strip fills the picture caches.
    for (int i = 0; i <= bar->maximum() / scrollStep + 1; ++i) {
        scroll(bar);
        screen.backdrop.repaint();
    }
    for (auto _ : state) {
        scroll(bar);
        screen.backdrop.repaint();
    }
    state.counters["strip_px"] = bar->maximum();
}
BENCHMARK(BM_ScrollStripFrame)->Unit(benchmark::kMicrosecond);

void BM_ScrollPageFrame(benchmark::State& state)
{
    Screen screen;
    QScrollBar* bar = screen.view->page()->verticalScrollBar();
    for (auto _ : state) {
        scroll(bar);
        screen.backdrop.repaint();
    }
}
BENCHMARK(BM_ScrollPageFrame)->Unit(benchmark::kMicrosecond);

// The floor: the backdrop alone, as every frame of the window repaints it.
void BM_BackdropRepaint(benchmark::State& state)
{
    Screen screen(false);
    for (auto _ : state)
        screen.backdrop.repaint();
}
BENCHMARK(BM_BackdropRepaint)->Unit(benchmark::kMicrosecond);

// The layout rule alone for the whole cut.
void BM_LaneLayout(benchmark::State& state)
{
    const QList<TimelineClip> timeline = production().episodes.first().timeline;
    double zoom = rules::minimumTimelineZoom;
    for (auto _ : state) {
        zoom = zoom >= rules::maximumTimelineZoom ? rules::minimumTimelineZoom : zoom + 0.5;
        benchmark::DoNotOptimize(rules::laneLayout(timeline, zoom));
    }
}
BENCHMARK(BM_LaneLayout)->Unit(benchmark::kMicrosecond);

// The sample assembled into its timeline, then a megabyte in every field.
const Project& megabyteProduction()
{
    static const Project p = [] {
        Project sample = SampleFactory::lighthouse();
        edits::assembleTimeline(sample, sample.episodes.first().id);
        return bench::megabyteInEveryField(sample);
    }();
    return p;
}

void BM_OpenCutMegabyteFields(benchmark::State& state)
{
    ProjectSession session(megabyteProduction());
    bench::openAndLeave(state, bench::Timed::opening,
                        [&] { return bench::opened(std::make_unique<CutView>(session), windowSize); });
}
BENCHMARK(BM_OpenCutMegabyteFields)->Unit(benchmark::kMillisecond);

// A tap on the first clip (its controls show its label) and the frame it
// causes; a second tap takes the selection away, untimed.
void BM_SelectClipMegabyteFields(benchmark::State& state)
{
    ProjectSession session(megabyteProduction());
    auto view = bench::opened(std::make_unique<CutView>(session), windowSize);
    const QUuid first = session.project().episodes.first().timeline.first().id;
    for (auto _ : state) {
        view->lanes()->tap(first);
        bench::settle();
        benchmark::DoNotOptimize(view->grab());
        state.PauseTiming();
        view->lanes()->tap(first);
        bench::settle();
        state.ResumeTiming();
    }
    if (view->selectedClipID().isNull() == false)
        state.SkipWithError("the selection did not toggle");
}
BENCHMARK(BM_SelectClipMegabyteFields)->Unit(benchmark::kMillisecond);

void BM_OpenPlainMegabyte(benchmark::State& state)
{
    bench::openAndLeave(state, bench::Timed::opening,
                        [] { return bench::opened(bench::plainEditor(bench::megabyteOfProse()), windowSize); });
}
BENCHMARK(BM_OpenPlainMegabyte)->Unit(benchmark::kMillisecond);

void printSummary(const bench::RatioReporter& r)
{
    const bench::FeatureScale scale;
    std::printf("\nFeature: %d clips against a %d-element script in a plain editor, %dx%d\n",
                scale.scenes * scale.shotsPerScene, scale.scriptElements, bench::featureWindow.width(),
                bench::featureWindow.height());
    r.ratio("BM_OpenCutFeature", "BM_OpenPlainScript");
    r.ratio("BM_LeaveCutFeature", "BM_LeavePlainScript");
    std::printf("\nCut: %d clips, window %dx%d, scroll step %d px\n", clipCount, windowSize.width(),
                windowSize.height(), scrollStep);
    r.ratio("BM_ZoomStep", "BM_BackdropRepaint");
    r.ratio("BM_ScrollStripFrame", "BM_BackdropRepaint");
    r.ratio("BM_ScrollPageFrame", "BM_BackdropRepaint");
    r.ratio("BM_LaneLayout", "BM_BackdropRepaint");
    std::printf("\nA megabyte in every text field (the lighthouse sample, assembled), window %dx%d\n",
                windowSize.width(), windowSize.height());
    r.ratio("BM_OpenCutMegabyteFields", "BM_OpenPlainMegabyte");
    r.ratio("BM_SelectClipMegabyteFields", "BM_OpenPlainMegabyte");
}

} // namespace

int main(int argc, char** argv)
{
    return bench::runScreenBenchmarks(argc, argv, printSummary);
}
