// Productions holding one endless word (a paste of 100 KB or 1 MB with no
// break in it), offscreen, in the workspace at the window's least size: the
// Spark screen showing it as the premise and the Story screen showing it as a
// beat's summary, each built, shown and painted; and leaving Spark for Story
// and coming back, as Ctrl+2 then Ctrl+1 do. The ratios at the end compare
// each with a QPlainTextEdit given the same text at the same width, built,
// shown and painted in the same run (its scroll bar always on, so it lays the
// text out once).

#include "FeatureProduction.h"
#include "ScreenBench.h"

#include "design/style/AuroraBackground.h"
#include "model/Project.h"
#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "views/phases/script/ScriptPage.h"
#include "views/phases/script/ScriptView.h"
#include "views/shell/ProjectWorkspaceView.h"

#include <QApplication>
#include <QKeyEvent>

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

constexpr QSize windowSize(1080, 700);

// An empty library in a home of its own, made once the application exists.
AppState& appState()
{
    static auto* app = new AppState;
    return *app;
}

QString endlessWord(qsizetype length)
{
    QString word(length, Qt::Uninitialized);
    for (qsizetype i = 0; i < length; ++i)
        word[i] = QChar(char16_t(u'a' + i % 26));
    return word;
}

// The word where the screen shows it: Spark's premise, or the first beat's
// summary on Story.
Project production(PhaseID phase, qsizetype length)
{
    Project p = SampleFactory::lighthouse();
    p.activePhase = phase;
    if (phase == PhaseID::spark)
        p.idea.premise = endlessWord(length);
    else
        p.episodes[0].structure.acts[0].beats[0].summary = endlessWord(length);
    return p;
}

// Settles the workspace: a screen it replaced is deleted later, and what
// that deletion posts is handled too.
void settleWithDeletes()
{
    QCoreApplication::processEvents();
    bench::flushDeletes();
    QCoreApplication::processEvents();
}

// The workspace on the window's backdrop, shown and painted once.
struct Workspace {
    explicit Workspace(const Project& project)
        : session(project)
    {
        backdrop.setAnimated(false);
        workspace = new ProjectWorkspaceView(appState(), session, &backdrop);
        bench::showFilled(backdrop, workspace, windowSize);
        settleWithDeletes();
        backdrop.grab();
    }
    void showPhase(PhaseID phase)
    {
        session.edit([phase](Project& p) { p.activePhase = phase; });
        settleWithDeletes();
        backdrop.grab();
    }
    // The editor showing the endless word.
    const QTextEdit* editor(qsizetype length) const
    {
        for (const QTextEdit* edit : backdrop.findChildren<QTextEdit*>())
            if (edit->document()->characterCount() == length + 1)
                return edit;
        return nullptr;
    }

    ProjectSession session;
    AuroraBackground backdrop;
    ProjectWorkspaceView* workspace = nullptr;
};

// The width each screen's editor shows the word at, found once with a short one.
int editorWidth(PhaseID phase)
{
    static std::map<PhaseID, int> widths;
    if (!widths.count(phase)) {
        Workspace w(production(phase, 3000));
        const QTextEdit* edit = w.editor(3000);
        widths[phase] = edit ? edit->viewport()->width() : 0;
    }
    return widths[phase];
}

void openScreen(benchmark::State& state, PhaseID phase)
{
    const Project project = production(phase, state.range(0));
    bool shown = true;
    for (auto _ : state) {
        auto w = std::make_unique<Workspace>(project);
        state.PauseTiming();
        shown = shown && w->editor(state.range(0));
        bench::dispose(w);
        state.ResumeTiming();
    }
    if (!shown)
        state.SkipWithError("the screen does not show the word");
}

void BM_SparkOpen(benchmark::State& state)
{
    openScreen(state, PhaseID::spark);
}
BENCHMARK(BM_SparkOpen)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_StoryOpen(benchmark::State& state)
{
    openScreen(state, PhaseID::story);
}
BENCHMARK(BM_StoryOpen)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// Spark with the word as premise: to Story and back, each screen built anew.
void BM_SparkLeaveAndReturn(benchmark::State& state)
{
    Workspace w(production(PhaseID::spark, state.range(0)));
    for (auto _ : state) {
        w.showPhase(PhaseID::story);
        w.showPhase(PhaseID::spark);
    }
    if (!w.editor(state.range(0)))
        state.SkipWithError("Spark does not show the word");
}
BENCHMARK(BM_SparkLeaveAndReturn)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// The floor: Qt's plain text editor given the word at the width the screen's
// editor shows it at.
void plainTextEdit(benchmark::State& state, PhaseID phase)
{
    const int width = editorWidth(phase);
    if (width <= 0) {
        state.SkipWithError("no editor width");
        return;
    }
    const QString word = endlessWord(state.range(0));
    for (auto _ : state) {
        auto edit = std::make_unique<QPlainTextEdit>();
        edit->setFrameShape(QFrame::NoFrame);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        edit->setPlainText(word);
        edit->resize(width + edit->verticalScrollBar()->sizeHint().width(), windowSize.height());
        edit->show();
        bench::settle();
        edit->grab();
        state.PauseTiming();
        bench::dispose(edit);
        state.ResumeTiming();
    }
}

void BM_PlainTextEditAtSparkWidth(benchmark::State& state)
{
    plainTextEdit(state, PhaseID::spark);
}
BENCHMARK(BM_PlainTextEditAtSparkWidth)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_PlainTextEditAtStoryWidth(benchmark::State& state)
{
    plainTextEdit(state, PhaseID::story);
}
BENCHMARK(BM_PlainTextEditAtStoryWidth)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// The Script page of the sample holding a megabyte in its second element:
// one word with no break in it, or ordinary prose.
constexpr int longAt = 1;
constexpr qsizetype megabyte = 1'000'000;

Project scriptWithLongElement(bool word)
{
    Project p = SampleFactory::lighthouse();
    p.activePhase = PhaseID::script;
    QString text(megabyte, Qt::Uninitialized);
    const QString prose = u"Salt dries on the glass \u2014 the lamp turns, and nobody\u2019s out there. "_s;
    for (qsizetype i = 0; i < megabyte; ++i)
        text[i] = word ? QChar(char16_t(u'a' + i % 26)) : prose[i % prose.size()];
    p.episodes[0].script.elements[longAt].text = text;
    return p;
}

void BM_ScriptOpen(benchmark::State& state)
{
    const Project project = scriptWithLongElement(state.range(0));
    for (auto _ : state) {
        auto w = std::make_unique<Workspace>(project);
        state.PauseTiming();
        bench::dispose(w);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ScriptOpen)->ArgName("word")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void typeAndTakeBack(benchmark::State& state, QWidget* target)
{
    for (auto _ : state) {
        for (const auto& [code, text] : {std::pair(Qt::Key_A, u"a"_s), std::pair(Qt::Key_Backspace, QString())}) {
            QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
            QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(target, &release);
            QCoreApplication::processEvents();
        }
    }
}

// A keystroke, typed and taken back, each up to its repaint, in an element
// a little below the long one.
void BM_ScriptKeystroke(benchmark::State& state)
{
    Workspace w(scriptWithLongElement(state.range(0)));
    auto* screen = qobject_cast<ScriptView*>(w.workspace->phaseScreen());
    const QUuid id = w.session.project().episodes[0].script.elements.at(longAt + 3).id;
    if (!screen) {
        state.SkipWithError("no Script screen");
        return;
    }
    screen->page()->focusElement(id);
    screen->page()->moveCaretToEnd();
    bench::settle();
    typeAndTakeBack(state, screen->page()->textEdit());
    if (screen->page()->editorID() != id)
        state.SkipWithError("the editor left the element");
}
BENCHMARK(BM_ScriptKeystroke)->ArgName("word")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// The floor: the same keystroke in a plain text editor holding the script.
void BM_ScriptKeystrokePlain(benchmark::State& state)
{
    auto edit = bench::shown(bench::plainEditor(bench::scriptText(scriptWithLongElement(state.range(0)))), windowSize);
    QTextCursor c(edit->document()->findBlockByNumber(longAt + 3));
    c.movePosition(QTextCursor::EndOfBlock);
    edit->setTextCursor(c);
    edit->setFocus();
    bench::settle();
    typeAndTakeBack(state, edit.get());
}
BENCHMARK(BM_ScriptKeystrokePlain)->ArgName("word")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void printSummary(const bench::RatioReporter& r)
{
    std::printf("\nOne endless word, window %dx%d; editor widths: Spark %d, Story %d\n", windowSize.width(),
                windowSize.height(), editorWidth(PhaseID::spark), editorWidth(PhaseID::story));
    for (const char* size : {"100000", "1000000"}) {
        const auto name = [size](const char* bench) { return std::string(bench) + '/' + size; };
        r.ratio(name("BM_SparkOpen").c_str(), name("BM_PlainTextEditAtSparkWidth").c_str());
        r.ratio(name("BM_SparkLeaveAndReturn").c_str(), name("BM_PlainTextEditAtSparkWidth").c_str());
        r.ratio(name("BM_StoryOpen").c_str(), name("BM_PlainTextEditAtStoryWidth").c_str());
    }
    std::printf("\nThe Script page with one element of a megabyte, as one word (word:1) and as prose (word:0)\n");
    r.ratio("BM_ScriptOpen/word:1", "BM_ScriptOpen/word:0");
    r.ratio("BM_ScriptKeystroke/word:1", "BM_ScriptKeystrokePlain/word:1");
    r.ratio("BM_ScriptKeystroke/word:0", "BM_ScriptKeystrokePlain/word:0");
}

} // namespace

int main(int argc, char** argv)
{
    const QTemporaryDir home;
    bench::useHomeIn(home.path());
    return bench::runScreenBenchmarks(argc, argv, printSummary);
}
