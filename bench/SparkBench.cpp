// The Spark screen with 200 idea cards, offscreen: one keystroke typed into a
// card, through the edit door, the screen's refresh and the repaint it
// causes, against the same edit on a session no screen follows, measured in
// the same run, and against a keystroke into the same editor standing alone
// (the editor's own share). A second keystroke goes into the logline.
//
// Then opening and leaving the screens of the Dream phases for a feature
// film (60 idea cards, 40 characters, 25 locations, a 2,400-element script):
// Spark, Story and Cast & World built, shown and painted once, and torn
// down, against a plain text editor opening the feature's script text; and
// Spark with 3,000 idea cards, against Spark with 60, with the process's
// resident memory once it is open.
//
// Last, the sample film with a megabyte of prose in every text field: Spark
// opened and resized, against Qt's plain text editor opening and resizing
// one such megabyte.

#include "FeatureProduction.h"
#include "MegabyteProduction.h"
#include "ScreenBench.h"

#include "design/style/AuroraBackground.h"
#include "design/text/PlainTextEditor.h"
#include "design/style/Theme.h"
#include "model/Project.h"
#include "services/SampleFactory.h"
#include "state/ProjectSession.h"
#include "views/phases/spark/IdeaBoard.h"
#include "views/phases/spark/IdeaCardView.h"
#include "state/edits/SparkEdits.h"
#include "views/phases/cast/CastView.h"
#include "views/phases/spark/SparkView.h"
#include "views/phases/story/StoryView.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QKeyEvent>
#include <QTextEdit>
#include <QVBoxLayout>
#include "design/widgets/HorizontalStrip.h"
#include "design/widgets/ScrollColumn.h"
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

constexpr int cardCount = 200;
constexpr QSize windowSize(1080, 700);

Project production()
{
    Project p = SampleFactory::lighthouse();
    p.idea.cards.clear();
    const QList<IdeaCardKind> kinds = allCases<IdeaCardKind>();
    for (int i = 0; i < cardCount; ++i)
        edits::appendIdeaCard(p, kinds.at(i % kinds.size()),
                              u"Fragment %1: the lamp room at dusk, salt on the glass."_s.arg(i + 1));
    return p;
}

// One keystroke at the caret, as a key press would deliver it: a letter on
// even counts, a backspace on odd ones, so the text keeps its length however
// many times a benchmark repeats.
void keystroke(QTextEdit* edit, int count)
{
    const bool letter = count % 2 == 0;
    const Qt::Key key = letter ? Qt::Key_A : Qt::Key_Backspace;
    const QString text = letter ? u"a"_s : QString();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(edit, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(edit, &release);
}

struct Screen {
    Screen()
        : session(production())
    {
        host.resize(windowSize);
        auto* layout = new QVBoxLayout(&host);
        layout->setContentsMargins(0, 0, 0, 0);
        view = new SparkView(session, &host);
        layout->addWidget(view);
        host.show();
        QCoreApplication::processEvents();
    }
    // The editor of a card, scrolled into view as the user would have it.
    QTextEdit* cardEditor(int index) const
    {
        IdeaCardView* card = view->ideaBoard()->revealCard(session.project().idea.cards.at(index).id);
        view->page()->ensureWidgetVisible(card);
        QCoreApplication::processEvents();
        return card->editor()->textEdit();
    }

    ProjectSession session;
    QWidget host;
    SparkView* view = nullptr;
};

void BM_KeystrokeInCard(benchmark::State& state)
{
    Screen screen;
    QTextEdit* edit = screen.cardEditor(cardCount / 2);
    edit->setFocus();
    edit->moveCursor(QTextCursor::End);
    int typed = 0;
    for (auto _ : state) {
        keystroke(edit, typed++);
        // What the keystroke left to do: the relayout and the repaint of
        // what changed.
        QCoreApplication::processEvents();
    }
    if (screen.session.project().idea.cards.at(cardCount / 2).text != edit->toPlainText())
        state.SkipWithError("the keystroke did not reach the production");
}
BENCHMARK(BM_KeystrokeInCard)->Unit(benchmark::kMicrosecond);

// The same edit with no screen: the door's own share (copy, change, compare,
// announce).
void BM_CardEditWithoutScreen(benchmark::State& state)
{
    ProjectSession session(production());
    const QUuid id = session.project().idea.cards.at(cardCount / 2).id;
    QString text = session.project().idea.cards.at(cardCount / 2).text;
    int typed = 0;
    const QString base = text;
    for (auto _ : state) {
        text = typed++ % 2 == 0 ? base + u'a' : base;
        session.edit([&](Project& p) { edits::setIdeaCardText(p, id, text); });
    }
}
BENCHMARK(BM_CardEditWithoutScreen)->Unit(benchmark::kMicrosecond);

// The floor of a keystroke: the same editor on its own, typed into and
// repainted, with no session and no screen.
void BM_KeystrokeInBareEditor(benchmark::State& state)
{
    QWidget host;
    host.resize(260, 200);
    auto* editor = new PlainTextEditor(QString(), Theme::font(12), &host);
    editor->setGeometry(13, 13, 204, 120);
    editor->setText(u"Fragment 100: the lamp room at dusk, salt on the glass."_s);
    host.show();
    QCoreApplication::processEvents();
    QTextEdit* edit = editor->textEdit();
    edit->setFocus();
    edit->moveCursor(QTextCursor::End);
    int typed = 0;
    for (auto _ : state) {
        keystroke(edit, typed++);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_KeystrokeInBareEditor)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeInLogline(benchmark::State& state)
{
    Screen screen;
    QTextEdit* edit = screen.view->loglineEditor()->textEdit();
    edit->setFocus();
    edit->moveCursor(QTextCursor::End);
    int typed = 0;
    for (auto _ : state) {
        keystroke(edit, typed++);
        // What the keystroke left to do: the relayout and the repaint of
        // what changed.
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_KeystrokeInLogline)->Unit(benchmark::kMicrosecond);

void BM_LoglineEditWithoutScreen(benchmark::State& state)
{
    ProjectSession session(production());
    QString text = session.project().idea.logline;
    int typed = 0;
    const QString base = text;
    for (auto _ : state) {
        text = typed++ % 2 == 0 ? base + u'a' : base;
        session.edit([&](Project& p) { p.idea.logline = text; });
    }
}
BENCHMARK(BM_LoglineEditWithoutScreen)->Unit(benchmark::kMicrosecond);

// ---- Opening and leaving at feature size ----------------------------------

constexpr QSize screenSize(1440, 836);

Project feature(int cards)
{
    Project p = SampleFactory::lighthouse();
    p.format = ProjectFormat::feature;
    p.idea.cards.clear();
    const QList<IdeaCardKind> kinds = allCases<IdeaCardKind>();
    for (int i = 0; i < cards; ++i)
        edits::appendIdeaCard(p, kinds.at(i % kinds.size()),
                              u"Fragment %1: the lamp room at dusk, salt on the glass."_s.arg(i + 1));
    const CastMember lead = p.cast.first();
    p.cast.clear();
    for (int i = 0; i < 40; ++i) {
        CastMember m = lead;
        m.id = newId();
        m.name = u"Character %1"_s.arg(i + 1);
        p.cast << m;
    }
    const Location set = p.locations.first();
    p.locations.clear();
    for (int i = 0; i < 25; ++i) {
        Location l = set;
        l.id = newId();
        l.name = u"Location %1"_s.arg(i + 1);
        p.locations << l;
    }
    Episode& episode = p.episodes.first();
    episode.script.elements.clear();
    const QList<ScriptElementKind> lines = {ScriptElementKind::sceneHeading, ScriptElementKind::action,
                                            ScriptElementKind::character, ScriptElementKind::dialogue};
    for (int i = 0; i < 2400; ++i)
        episode.script.elements << ScriptElement{.kind = lines.at(i % lines.size()),
                                                 .text = u"Line %1 of the feature, as long as a line of a screenplay."_s.arg(i)};
    return p;
}

// The window's backdrop at the phase area's size, shown once: each opening
// builds a screen on it, lays it out and paints the window once, as the
// workspace does when the phase changes.
struct Window {
    Window()
    {
        backdrop.setReduceMotion(true);
        backdrop.resize(screenSize);
        layout = new QVBoxLayout(&backdrop);
        layout->setContentsMargins(0, 0, 0, 0);
        backdrop.show();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        backdrop.grab();
    }
    template <class View>
    View* open(ProjectSession& session)
    {
        auto* view = new View(session, &backdrop);
        layout->addWidget(view);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        backdrop.grab();
        return view;
    }
    static void close(QWidget* view)
    {
        delete view;
        bench::flushDeletes();
    }
    AuroraBackground backdrop;
    QVBoxLayout* layout = nullptr;
};

template <class View>
void open(benchmark::State& state, int cards)
{
    ProjectSession session(feature(cards));
    Window window;
    double resident = 0;
    for (auto _ : state) {
        View* view = window.open<View>(session);
        state.PauseTiming();
        resident = std::max(resident, bench::residentMegabytes());
        Window::close(view);
        state.ResumeTiming();
    }
    state.counters["resident_MB"] = resident;
}

template <class View>
void leave(benchmark::State& state, int cards)
{
    ProjectSession session(feature(cards));
    Window window;
    for (auto _ : state) {
        state.PauseTiming();
        View* view = window.open<View>(session);
        state.ResumeTiming();
        Window::close(view);
    }
}

void BM_OpenSpark(benchmark::State& state) { open<SparkView>(state, 60); }
void BM_LeaveSpark(benchmark::State& state) { leave<SparkView>(state, 60); }
void BM_OpenSpark3000(benchmark::State& state) { open<SparkView>(state, 3000); }
void BM_LeaveSpark3000(benchmark::State& state) { leave<SparkView>(state, 3000); }
void BM_OpenStory(benchmark::State& state) { open<StoryView>(state, 60); }
void BM_OpenCast(benchmark::State& state) { open<CastView>(state, 60); }
BENCHMARK(BM_OpenSpark)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LeaveSpark)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSpark3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LeaveSpark3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenStory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCast)->Unit(benchmark::kMillisecond);

// The floor: a plain text editor given the feature's script, opened on the
// same window the same way.
void BM_OpenPlainEditor(benchmark::State& state)
{
    const QString text = bench::scriptText(feature(0));
    Window window;
    for (auto _ : state) {
        auto* editor = new QPlainTextEdit(&window.backdrop);
        editor->setPlainText(text);
        window.layout->addWidget(editor);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        window.backdrop.grab();
        state.PauseTiming();
        Window::close(editor);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenPlainEditor)->Unit(benchmark::kMillisecond);

// ---- A megabyte in every field ---------------------------------------------

int megabyteFields = 0;

const Project& megabyteSample()
{
    static const Project p = [] {
        Project sample = bench::megabyteInEveryField(SampleFactory::lighthouse(), &megabyteFields);
        sample.activePhase = PhaseID::spark;
        return sample;
    }();
    return p;
}

void BM_OpenSparkMegabyte(benchmark::State& state)
{
    ProjectSession session(megabyteSample());
    bench::openOnStage(state, [&](QWidget* host) { return new SparkView(session, host); });
}
void BM_ResizeSparkMegabyte(benchmark::State& state)
{
    ProjectSession session(megabyteSample());
    bench::resizeOnStage(state, [&](QWidget* host) { return new SparkView(session, host); });
}
void BM_OpenPlainEditorMegabyte(benchmark::State& state) { bench::openPlainEditorWithMegabyte(state); }
void BM_ResizePlainEditorMegabyte(benchmark::State& state) { bench::resizePlainEditorWithMegabyte(state); }
BENCHMARK(BM_OpenSparkMegabyte)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ResizeSparkMegabyte)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_OpenPlainEditorMegabyte)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ResizePlainEditorMegabyte)->Unit(benchmark::kMillisecond)->UseManualTime();

void printSummary(const bench::RatioReporter& r)
{
    std::printf("\nOpening at feature size (60 cards, 40 cast, 25 locations), %dx%d,\n"
                "against a plain text editor opening the 2,400-element script:\n",
                screenSize.width(), screenSize.height());
    r.ratio("BM_OpenSpark", "BM_OpenPlainEditor");
    r.ratio("BM_LeaveSpark", "BM_OpenPlainEditor");
    r.ratio("BM_OpenStory", "BM_OpenPlainEditor");
    r.ratio("BM_OpenCast", "BM_OpenPlainEditor");
    std::printf("Spark with 3,000 idea cards against 60:\n");
    r.ratio("BM_OpenSpark3000", "BM_OpenSpark");
    r.ratio("BM_LeaveSpark3000", "BM_LeaveSpark");

    std::printf("\nSpark: %d idea cards, window %dx%d\n", cardCount, windowSize.width(), windowSize.height());
    r.ratio("BM_KeystrokeInCard", "BM_CardEditWithoutScreen");
    r.ratio("BM_KeystrokeInLogline", "BM_LoglineEditWithoutScreen");
    r.ratio("BM_KeystrokeInCard", "BM_KeystrokeInBareEditor");
    r.ratio("BM_KeystrokeInLogline", "BM_KeystrokeInBareEditor");

    std::printf("\nThe sample film with a megabyte of prose in each of its %d text fields, against a\n"
                "plain text editor holding one megabyte, opened and resized between %dx%d and %dx%d:\n",
                megabyteFields, bench::MegabyteStage::full.width(), bench::MegabyteStage::full.height(),
                bench::MegabyteStage::least.width(), bench::MegabyteStage::least.height());
    r.ratio("BM_OpenSparkMegabyte/manual_time", "BM_OpenPlainEditorMegabyte/manual_time");
    r.ratio("BM_ResizeSparkMegabyte/manual_time", "BM_ResizePlainEditorMegabyte/manual_time");
}

} // namespace

int main(int argc, char** argv)
{
    return bench::runScreenBenchmarks(argc, argv, printSummary);
}
