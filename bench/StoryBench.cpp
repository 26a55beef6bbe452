// The Story screen with 8 acts of 40 beats, offscreen: one keystroke in a
// beat's summary, from the key press through the edit, the screen's refresh
// and the repaint that follows. The ratios at the end compare it, in the same
// run, with the same edit made through the session with no screen connected,
// and with the same keystrokes on a screen that doesn't refresh (the share of
// the screen's refresh in a keystroke; the rest is the text editor's own work
// and the repaint).
//
// Then the sample film with a megabyte of prose in every text field: the
// screen opened and resized, against Qt's plain text editor opening and
// resizing one such megabyte.

#include "MegabyteProduction.h"
#include "ScreenBench.h"

#include "design/text/PlainTextEditor.h"
#include "design/style/Theme.h"
#include "model/Lookup.h"
#include "services/SampleFactory.h"
#include "state/ProjectSession.h"
#include "views/phases/story/ActColumn.h"
#include "views/phases/story/BeatCard.h"
#include "views/phases/story/StoryView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextEdit>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

constexpr int actCount = 8;
constexpr int beatsPerAct = 40;
constexpr QSize windowSize(1080, 700);

Project bigStory()
{
    Project p;
    p.format = ProjectFormat::series;
    p.activePhase = PhaseID::story;
    Episode& e = p.episodes[0];
    e.structure.acts.clear();
    for (int a = 0; a < actCount; ++a) {
        Act act;
        act.title = u"Act %1"_s.arg(a + 1);
        for (int b = 0; b < beatsPerAct; ++b) {
            Beat beat;
            beat.title = u"Beat %1"_s.arg(b + 1);
            beat.summary = u"Something happens in beat %1 that changes what the hero wants."_s.arg(b + 1);
            beat.charge = double((a + b) % 3) - 1.0;
            act.beats << beat;
        }
        e.structure.acts << act;
    }
    return p;
}

void sendKey(QWidget* target, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &release);
}

// The screen in a window of the least size, on display.
struct Screen {
    explicit Screen(ProjectSession& session)
    {
        window.resize(windowSize);
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        view = new StoryView(session, &window);
        layout->addWidget(view);
        window.show();
        QCoreApplication::processEvents();
    }
    QWidget window;
    StoryView* view;
};

// A key typed into the second beat of the first act (on screen), then taken
// back, alternately: every keystroke is one edit of the production, and each
// ends with the repaint it causes.
void typeLoop(benchmark::State& state, ProjectSession& session, StoryView* view)
{
    const Act& act = session.project().episodes[0].structure.acts[0];
    QTextEdit* editor = view->actColumn(act.id)->beatCard(act.beats[1].id)->summaryEditor()->textEdit();
    editor->setFocus();
    editor->moveCursor(QTextCursor::End);
    QCoreApplication::processEvents();
    bool typed = false;
    for (auto _ : state) {
        if (typed)
            sendKey(editor, Qt::Key_Backspace, QString());
        else
            sendKey(editor, Qt::Key_A, u"a"_s);
        typed = !typed;
        QCoreApplication::processEvents();
    }
    if (session.project().episodes[0].structure.acts[0].beats[1].summary != editor->toPlainText())
        state.SkipWithError("the keystrokes did not reach the production");
}

void BM_KeystrokeToRepaint(benchmark::State& state)
{
    ProjectSession session(bigStory());
    Screen screen(session);
    typeLoop(state, session, screen.view);
}
BENCHMARK(BM_KeystrokeToRepaint)->Unit(benchmark::kMicrosecond);

// The same keystrokes with the screen deaf to the production's changes: the
// editor's own work, the edit and the repaint, without the screen's refresh.
void BM_KeystrokeWithoutRefresh(benchmark::State& state)
{
    ProjectSession session(bigStory());
    Screen screen(session);
    QObject::disconnect(&session, nullptr, screen.view, nullptr);
    typeLoop(state, session, screen.view);
}
BENCHMARK(BM_KeystrokeWithoutRefresh)->Unit(benchmark::kMicrosecond);

// The same edits through the session's door, with nothing listening.
void editLoop(benchmark::State& state, ProjectSession& session)
{
    const Episode& e = session.project().episodes[0];
    const QUuid episodeID = e.id;
    const QUuid actID = e.structure.acts[0].id;
    const QUuid beatID = e.structure.acts[0].beats[1].id;
    const QString base = e.structure.acts[0].beats[1].summary;
    bool typed = false;
    for (auto _ : state) {
        typed = !typed;
        const QString text = typed ? base + u'a' : base;
        session.edit([&](Project& p) {
            if (Beat* beat = findBeat(p, episodeID, actID, beatID))
                beat->summary = text;
        });
    }
}

void BM_EditWithoutScreen(benchmark::State& state)
{
    ProjectSession session(bigStory());
    editLoop(state, session);
}
BENCHMARK(BM_EditWithoutScreen)->Unit(benchmark::kMicrosecond);

// ---- A megabyte in every field ---------------------------------------------

int megabyteFields = 0;

const Project& megabyteSample()
{
    static const Project p = [] {
        Project sample = bench::megabyteInEveryField(SampleFactory::lighthouse(), &megabyteFields);
        sample.activePhase = PhaseID::story;
        return sample;
    }();
    return p;
}

void BM_OpenStoryMegabyte(benchmark::State& state)
{
    ProjectSession session(megabyteSample());
    bench::openOnStage(state, [&](QWidget* host) { return new StoryView(session, host); });
}
void BM_ResizeStoryMegabyte(benchmark::State& state)
{
    ProjectSession session(megabyteSample());
    bench::resizeOnStage(state, [&](QWidget* host) { return new StoryView(session, host); });
}
void BM_OpenPlainEditorMegabyte(benchmark::State& state) { bench::openPlainEditorWithMegabyte(state); }
void BM_ResizePlainEditorMegabyte(benchmark::State& state) { bench::resizePlainEditorWithMegabyte(state); }
BENCHMARK(BM_OpenStoryMegabyte)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ResizeStoryMegabyte)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_OpenPlainEditorMegabyte)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ResizePlainEditorMegabyte)->Unit(benchmark::kMillisecond)->UseManualTime();

void printSummary(const bench::RatioReporter& r)
{
    std::printf("\nStory: %d acts of %d beats, window %dx%d\n", actCount, beatsPerAct, windowSize.width(),
                windowSize.height());
    r.ratio("BM_KeystrokeToRepaint", "BM_EditWithoutScreen");
    r.ratio("BM_KeystrokeToRepaint", "BM_KeystrokeWithoutRefresh");

    std::printf("\nThe sample film with a megabyte of prose in each of its %d text fields, against a\n"
                "plain text editor holding one megabyte, opened and resized between %dx%d and %dx%d:\n",
                megabyteFields, bench::MegabyteStage::full.width(), bench::MegabyteStage::full.height(),
                bench::MegabyteStage::least.width(), bench::MegabyteStage::least.height());
    r.ratio("BM_OpenStoryMegabyte/manual_time", "BM_OpenPlainEditorMegabyte/manual_time");
    r.ratio("BM_ResizeStoryMegabyte/manual_time", "BM_ResizePlainEditorMegabyte/manual_time");
}

} // namespace

int main(int argc, char** argv)
{
    return bench::runScreenBenchmarks(argc, argv, printSummary);
}
