// The Look offscreen at feature size (110 scenes of 6 shots, a 2,400-element
// script): opening the screen (build, show, first grab) the first time in
// the process and again afterwards, and leaving it, against a plain text
// editor opening the feature's script text the same way, in the same run.
// Nothing the screen shows depends on the production's size; what it paints
// from the catalogs (the style library's art, the lens strip) is drawn once
// per process and size.

#include "ScreenBench.h"

#include "design/PlaceholderArt.h"
#include "state/ProjectSession.h"
#include "views/phases/look/LookView.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

constexpr QSize window(1440, 836);
constexpr int scenes = 110;
constexpr int shotsPerScene = 6;
constexpr int scriptElements = 2400;

Project featureProduction()
{
    Project p = {};
    p.look.styleID = u"noir"_s;
    Episode& episode = p.episodes.first();
    for (int i = 0; i < scenes; ++i) {
        SceneCard scene;
        for (int j = 0; j < shotsPerScene; ++j)
            scene.shots << Shot{};
        episode.scenes << scene;
    }
    const QStringList lines = {u"EXT. HARBOR \u2014 NIGHT"_s,
                               u"Rain hammers the pier. Mara hauls a net over the rail, alone."_s, u"MARA"_s,
                               u"Forty years and the sea still surprises me."_s};
    for (int i = 0; i < scriptElements; ++i) {
        ScriptElement e;
        e.kind = ScriptElementKind(i % 4 == 0 ? 0 : 1);
        e.text = lines[i % lines.size()];
        episode.script.elements << e;
    }
    return p;
}

QString scriptText(const Project& p)
{
    QStringList lines;
    for (const ScriptElement& e : p.episodes.first().script.elements)
        lines << e.text;
    return lines.join(u'\n');
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::processEvents();
}

std::unique_ptr<LookView> open(ProjectSession& session)
{
    auto view = std::make_unique<LookView>(session);
    view->resize(window);
    view->show();
    settle();
    benchmark::DoNotOptimize(view->grab());
    return view;
}

void closeNow(std::unique_ptr<LookView>& view)
{
    view.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The first open of the process: nothing drawn yet (the placeholder art is
// forgotten too, as after a start).
void BM_OpenFirst(benchmark::State& state)
{
    const Project p = featureProduction();
    for (auto _ : state) {
        state.PauseTiming();
        LookView::forgetDrawings();
        PlaceholderArt::clearCache();
        ProjectSession session(p);
        state.ResumeTiming();
        auto view = open(session);
        state.PauseTiming();
        closeNow(view);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenFirst)->Unit(benchmark::kMillisecond);

void BM_Open(benchmark::State& state)
{
    const Project p = featureProduction();
    ProjectSession session(p);
    auto warm = open(session);
    closeNow(warm);
    for (auto _ : state) {
        auto view = open(session);
        state.PauseTiming();
        closeNow(view);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond);

void BM_Leave(benchmark::State& state)
{
    const Project p = featureProduction();
    ProjectSession session(p);
    for (auto _ : state) {
        state.PauseTiming();
        auto view = open(session);
        state.ResumeTiming();
        closeNow(view);
    }
}
BENCHMARK(BM_Leave)->Unit(benchmark::kMillisecond);

void BM_PlainEditorOpenFeatureScript(benchmark::State& state)
{
    const QString text = scriptText(featureProduction());
    for (auto _ : state) {
        auto edit = std::make_unique<QPlainTextEdit>();
        edit->setPlainText(text);
        edit->resize(window);
        edit->show();
        settle();
        benchmark::DoNotOptimize(edit->grab());
        state.PauseTiming();
        edit.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PlainEditorOpenFeatureScript)->Unit(benchmark::kMillisecond);

void BM_PlainEditorLeaveFeatureScript(benchmark::State& state)
{
    const QString text = scriptText(featureProduction());
    for (auto _ : state) {
        state.PauseTiming();
        auto edit = std::make_unique<QPlainTextEdit>();
        edit->setPlainText(text);
        edit->resize(window);
        edit->show();
        settle();
        state.ResumeTiming();
        edit.reset();
    }
}
BENCHMARK(BM_PlainEditorLeaveFeatureScript)->Unit(benchmark::kMillisecond);

void printSummary(const bench::RatioReporter& r)
{
    std::printf("\nThe Look at feature size: %d scenes of %d shots, %d script elements, window %dx%d\n", scenes,
                shotsPerScene, scriptElements, window.width(), window.height());
    r.ratio("BM_OpenFirst", "BM_PlainEditorOpenFeatureScript");
    r.ratio("BM_Open", "BM_PlainEditorOpenFeatureScript");
    r.ratio("BM_Leave", "BM_PlainEditorLeaveFeatureScript");
}

} // namespace

int main(int argc, char** argv)
{
    return bench::runScreenBenchmarks(argc, argv, printSummary);
}
