// The Cast & World screen with a cast of 300 characters and 200 locations,
// offscreen: building the screen (construction, layout and first paint of
// the character gallery), and one keystroke in the selected character's name
// (the edit, the screen's refresh, and the repaint it causes). Ratios at the
// end compare the keystroke with the same edit of a session that no screen
// follows, measured in the same run.
//
// Then the sample film with a megabyte of prose in every text field: the
// screen opened, a character opened in the pane (one after the other of two),
// and the window resized with a character open, against Qt's plain text
// editor opening and resizing one such megabyte.

#include "MegabyteProduction.h"
#include "ScreenBench.h"

#include "design/style/AuroraBackground.h"
#include "design/style/Theme.h"
#include "model/Lookup.h"
#include "services/SampleFactory.h"
#include "state/ProjectSession.h"
#include "views/phases/cast/CastView.h"
#include "views/phases/cast/CharacterDetail.h"

#include <QApplication>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

constexpr int characters = 300;
constexpr int locations = 200;
constexpr QSize windowSize(1280, 800);

Project bigCast()
{
    Project p;
    p.name = u"Ensemble"_s;
    for (int i = 0; i < characters; ++i) {
        CastMember m;
        m.name = u"Character %1"_s.arg(i + 1);
        m.role = CastRole(i % 5);
        if (i % 3 == 0)
            m.want = u"To find the one who left %1 years ago"_s.arg(i);
        else if (i % 3 == 1)
            m.archetype = u"The Reluctant Mentor"_s;
        p.cast << m;
    }
    for (int i = 0; i < characters; i += 10)
        p.cast[i].relationships << CastRelationship{.otherID = p.cast[(i + 1) % characters].id, .label = u"rival"_s};
    for (int i = 0; i < locations; ++i) {
        Location l;
        l.name = u"Location %1"_s.arg(i + 1);
        l.kind = LocationKind(i % 3);
        if (i % 2 == 0)
            l.mood = u"Lonely, salt-bitten"_s;
        p.locations << l;
    }
    return p;
}

// The screen in a window-sized host on the backdrop, as the workspace shows it.
struct Screen {
    explicit Screen(ProjectSession& session)
    {
        backdrop.setReduceMotion(true);
        backdrop.resize(windowSize);
        auto* layout = new QVBoxLayout(&backdrop);
        layout->setContentsMargins(0, 0, 0, 0);
        view = new CastView(session, &backdrop);
        layout->addWidget(view);
        backdrop.show();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        layout->activate();
        backdrop.repaint();
    }
    AuroraBackground backdrop;
    CastView* view = nullptr;
};

void BM_BuildGallery(benchmark::State& state)
{
    ProjectSession session(bigCast());
    for (auto _ : state) {
        auto screen = std::make_unique<Screen>(session);
        if (screen->view->characterCards().size() != characters)
            state.SkipWithError("cards missing");
        state.PauseTiming();
        bench::dispose(screen);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BuildGallery)->Unit(benchmark::kMillisecond);

// Typing one letter into the selected character's name: the edit through
// the session, the refresh of the screen, and the repaint of what changed.
void BM_NameKeystrokeRepaint(benchmark::State& state)
{
    ProjectSession session(bigCast());
    Screen screen(session);
    const QUuid id = session.project().cast[characters / 2].id;
    screen.view->selectCharacter(id);
    QCoreApplication::processEvents();
    QString name = u"Character"_s;
    for (auto _ : state) {
        name += u'a';
        if (name.size() > 60)
            name = u"Character"_s;
        session.edit([&](Project& p) { findCastMember(p, id)->name = name; });
        // Layout and the repaint of what the keystroke marked dirty (the
        // card, the field), as the event loop does it.
        QCoreApplication::processEvents();
    }
    if (screen.view->characterDetail()->memberID() != id)
        state.SkipWithError("wrong member shown");
}
BENCHMARK(BM_NameKeystrokeRepaint)->Unit(benchmark::kMicrosecond);

// The same keystroke without the repaint: the edit and the screen's refresh.
void BM_NameKeystrokeRefresh(benchmark::State& state)
{
    ProjectSession session(bigCast());
    Screen screen(session);
    const QUuid id = session.project().cast[characters / 2].id;
    screen.view->selectCharacter(id);
    QCoreApplication::processEvents();
    QString name = u"Character"_s;
    for (auto _ : state) {
        name += u'a';
        if (name.size() > 60)
            name = u"Character"_s;
        session.edit([&](Project& p) { findCastMember(p, id)->name = name; });
    }
    QCoreApplication::processEvents();
}
BENCHMARK(BM_NameKeystrokeRefresh)->Unit(benchmark::kMicrosecond);

// The floor: the same edit of a session no screen follows.
void BM_NameEditWithoutScreen(benchmark::State& state)
{
    ProjectSession session(bigCast());
    const QUuid id = session.project().cast[characters / 2].id;
    QString name = u"Character"_s;
    for (auto _ : state) {
        name += u'a';
        if (name.size() > 60)
            name = u"Character"_s;
        session.edit([&](Project& p) { findCastMember(p, id)->name = name; });
    }
}
BENCHMARK(BM_NameEditWithoutScreen)->Unit(benchmark::kMicrosecond);

// The whole window repainted at once (the screen's worst frame, as on a
// resize), for scale.
void BM_WholeWindowRepaint(benchmark::State& state)
{
    ProjectSession session(bigCast());
    Screen screen(session);
    screen.view->selectCharacter(session.project().cast[characters / 2].id);
    QCoreApplication::processEvents();
    for (auto _ : state)
        screen.backdrop.repaint();
}
BENCHMARK(BM_WholeWindowRepaint)->Unit(benchmark::kMicrosecond);

// The window's backdrop alone, repainted: what every frame pays anyway.
void BM_BackdropRepaint(benchmark::State& state)
{
    AuroraBackground backdrop;
    backdrop.setReduceMotion(true);
    backdrop.resize(windowSize);
    backdrop.show();
    QCoreApplication::processEvents();
    for (auto _ : state)
        backdrop.repaint();
}
BENCHMARK(BM_BackdropRepaint)->Unit(benchmark::kMicrosecond);

// ---- A megabyte in every field ---------------------------------------------

int megabyteFields = 0;

const Project& megabyteSample()
{
    static const Project p = [] {
        Project sample = bench::megabyteInEveryField(SampleFactory::lighthouse(), &megabyteFields);
        sample.activePhase = PhaseID::cast;
        return sample;
    }();
    return p;
}

void BM_OpenCastMegabyte(benchmark::State& state)
{
    ProjectSession session(megabyteSample());
    bench::openOnStage(state, [&](QWidget* host) { return new CastView(session, host); });
}

void BM_OpenCharacterMegabyte(benchmark::State& state)
{
    ProjectSession session(megabyteSample());
    bench::MegabyteStage stage;
    auto* view = new CastView(session, stage.host());
    stage.show(view);
    const QList<CastMember>& cast = session.project().cast;
    if (cast.size() < 2) {
        state.SkipWithError("the sample needs two characters");
        return;
    }
    int shown = 0;
    for (auto _ : state) {
        const bench::Clock clock;
        view->selectCharacter(cast[shown++ % 2].id);
        stage.settle();
        clock.stop(state, "character");
    }
}

void BM_ResizeCharacterMegabyte(benchmark::State& state)
{
    ProjectSession session(megabyteSample());
    bench::resizeOnStage(state, [&](QWidget* host) {
        auto* view = new CastView(session, host);
        view->selectCharacter(session.project().cast.first().id);
        return view;
    });
}

void BM_OpenPlainEditorMegabyte(benchmark::State& state) { bench::openPlainEditorWithMegabyte(state); }
void BM_ResizePlainEditorMegabyte(benchmark::State& state) { bench::resizePlainEditorWithMegabyte(state); }
BENCHMARK(BM_OpenCastMegabyte)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_OpenCharacterMegabyte)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ResizeCharacterMegabyte)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_OpenPlainEditorMegabyte)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ResizePlainEditorMegabyte)->Unit(benchmark::kMillisecond)->UseManualTime();

void printSummary(const bench::RatioReporter& r)
{
    std::printf("\nCast: %d characters, %d locations, window %dx%d\n", characters, locations,
                windowSize.width(), windowSize.height());
    r.ratio("BM_NameKeystrokeRefresh", "BM_NameEditWithoutScreen");
    r.ratio("BM_NameKeystrokeRepaint", "BM_NameEditWithoutScreen");
    r.ratio("BM_WholeWindowRepaint", "BM_BackdropRepaint");
    r.ratio("BM_BuildGallery", "BM_WholeWindowRepaint");

    std::printf("\nThe sample film with a megabyte of prose in each of its %d text fields, against a\n"
                "plain text editor holding one megabyte, opened and resized between %dx%d and %dx%d:\n",
                megabyteFields, bench::MegabyteStage::full.width(), bench::MegabyteStage::full.height(),
                bench::MegabyteStage::least.width(), bench::MegabyteStage::least.height());
    r.ratio("BM_OpenCastMegabyte/manual_time", "BM_OpenPlainEditorMegabyte/manual_time");
    r.ratio("BM_OpenCharacterMegabyte/manual_time", "BM_OpenPlainEditorMegabyte/manual_time");
    r.ratio("BM_ResizeCharacterMegabyte/manual_time", "BM_ResizePlainEditorMegabyte/manual_time");
}

} // namespace

int main(int argc, char** argv)
{
    return bench::runScreenBenchmarks(argc, argv, printSummary);
}
