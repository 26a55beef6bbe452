// The home library with 300 productions, offscreen: building the screen
// (construction and layout, then its first full paint), repainting it while
// it scrolls with the poster pictures cached, and the refresh that follows a
// save. Ratios at the end compare each with a baseline from the same run:
// the scroll repaint against the backdrop alone (the floor every frame pays)
// and against scrolling with every cache emptied before each frame.

#include "ScreenBench.h"

#include "design/widgets/ArtThumb.h"
#include "design/style/AuroraBackground.h"
#include "design/style/PlaceholderArt.h"
#include "design/style/SoftShadow.h"
#include "services/ProjectStore.h"
#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "views/home/HomeView.h"
#include "views/home/ProjectPosterCard.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

constexpr int librarySize = 300;
constexpr QSize windowSize(1280, 800);
constexpr int scrollStep = 40;

AppState* app = nullptr;

// Writes the library into the home the program was given, and opens it.
void buildLibrary()
{
    ProjectStore store;
    const QList<SampleFactory::Sample>& samples = SampleFactory::registry();
    for (int i = 0; i < librarySize; ++i) {
        Project p = samples.at(i % samples.size()).make();
        p.name = p.name + u" %1"_s.arg(i + 1);
        if (!store.save(p)) {
            std::fprintf(stderr, "%s\n", qPrintable(store.lastError()));
            std::exit(1);
        }
    }
    app = new AppState;
    if (app->store().projects().size() != librarySize) {
        std::fprintf(stderr, "library incomplete\n");
        std::exit(1);
    }
}

void emptyCaches()
{
    ArtThumb::clearCache();
    PlaceholderArt::clearCache();
    ProjectPosterCard::clearPictureCache();
    SoftShadow::clearCache();
}

// The window's backdrop with the library in front, as the root view shows it.
struct Screen {
    explicit Screen(bool withLibrary = true)
    {
        backdrop.setReduceMotion(true);
        if (withLibrary)
            view = new HomeView(*app, &backdrop);
        bench::showFilled(backdrop, view, windowSize);
    }
    QScrollBar* bar() const { return view->scrollArea()->verticalScrollBar(); }
    // Moves by one step, wrapping at the end, as a wheel would.
    void scroll()
    {
        QScrollBar* b = bar();
        b->setValue(b->value() + scrollStep > b->maximum() ? 0 : b->value() + scrollStep);
    }

    AuroraBackground backdrop;
    HomeView* view = nullptr;
};

void BM_BuildHomeView(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        emptyCaches();
        auto host = std::make_unique<QWidget>();
        host->resize(windowSize);
        auto* layout = new QVBoxLayout(host.get());
        layout->setContentsMargins(0, 0, 0, 0);
        state.ResumeTiming();

        auto* view = new HomeView(*app, host.get());
        layout->addWidget(view);
        host->show();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        layout->activate();
        if (view->posterCards().size() != librarySize)
            state.SkipWithError("cards missing");

        state.PauseTiming();
        bench::dispose(host);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BuildHomeView)->Unit(benchmark::kMillisecond);

// Building the screen and showing it for the first time, with every cache
// empty: every card on screen composes its picture.
void BM_BuildAndFirstPaint(benchmark::State& state)
{
    bench::openAndLeave(state, bench::Timed::opening, [] { return std::make_unique<Screen>(); }, emptyCaches);
}
BENCHMARK(BM_BuildAndFirstPaint)->Unit(benchmark::kMillisecond);

void BM_ScrollRepaintCached(benchmark::State& state)
{
    Screen screen;
    // One pass over the whole library fills the caches.
    for (int i = 0; i <= screen.bar()->maximum() / scrollStep + 1; ++i) {
        screen.scroll();
        screen.backdrop.repaint();
    }
    for (auto _ : state) {
        screen.scroll();
        screen.backdrop.repaint();
    }
    state.counters["scroll_range_px"] = screen.bar()->maximum();
}
BENCHMARK(BM_ScrollRepaintCached)->Unit(benchmark::kMicrosecond);

void BM_ScrollRepaintUncached(benchmark::State& state)
{
    Screen screen;
    for (auto _ : state) {
        state.PauseTiming();
        emptyCaches();
        state.ResumeTiming();
        screen.scroll();
        screen.backdrop.repaint();
    }
}
BENCHMARK(BM_ScrollRepaintUncached)->Unit(benchmark::kMicrosecond);

// The floor: the backdrop alone, as every frame of the window repaints it.
void BM_BackdropRepaint(benchmark::State& state)
{
    Screen screen(false);
    for (auto _ : state)
        screen.backdrop.repaint();
}
BENCHMARK(BM_BackdropRepaint)->Unit(benchmark::kMicrosecond);

// A save (the tab's autosave, a rename) updates one card among 300.
void BM_RefreshAfterSave(benchmark::State& state)
{
    Screen screen;
    Project p = app->store().projects().at(librarySize / 2);
    int n = 0;
    for (auto _ : state) {
        p.name = u"Renamed %1"_s.arg(++n);
        if (!app->store().save(p))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_RefreshAfterSave)->Unit(benchmark::kMillisecond);

// The same save without a library on screen: the store's own share.
void BM_SaveWithoutLibrary(benchmark::State& state)
{
    Project p = app->store().projects().at(librarySize / 2);
    int n = 0;
    for (auto _ : state) {
        p.name = u"Renamed %1"_s.arg(++n);
        if (!app->store().save(p))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveWithoutLibrary)->Unit(benchmark::kMillisecond);

void printSummary(const bench::RatioReporter& r)
{
    std::printf("\nLibrary: %d productions, window %dx%d, scroll step %d px\n", librarySize, windowSize.width(),
                windowSize.height(), scrollStep);
    r.ratio("BM_ScrollRepaintCached", "BM_BackdropRepaint");
    r.ratio("BM_ScrollRepaintUncached", "BM_ScrollRepaintCached");
    r.ratio("BM_RefreshAfterSave", "BM_SaveWithoutLibrary");
    r.ratio("BM_BuildAndFirstPaint", "BM_BuildHomeView");
}

} // namespace

int main(int argc, char** argv)
{
    const QTemporaryDir home;
    bench::useHomeIn(home.path());
    return bench::runScreenBenchmarks(argc, argv, printSummary, buildLibrary, [] { delete app; });
}
