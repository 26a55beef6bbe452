// The Script screen at 600, 2,400 and 5,000 elements, offscreen: opening it
// (build, layout and first paint), leaving it (teardown), one keystroke in an
// element in the middle up to its repaint, and Return there (a new element
// inserted below and focused), and Ctrl+End then Ctrl+Home from the first
// element (at 2,400 and 20,000 elements). Each is set against a
// QPlainTextEdit holding the same text doing the same thing, in the same run. A screen reader
// reading a feature's script aloud (every element of the page: its name,
// its place), the first time and again, against the same walk over a
// QListWidget holding the same lines. Then the memory the open page holds at
// 2,400 elements, and 20,000 elements opened against 2,400.

#include "FeatureProduction.h"
#include "ScreenBench.h"

#include "model/Lookup.h"
#include "state/ProjectSession.h"
#include "views/phases/script/ScriptPage.h"
#include "views/phases/script/ScriptView.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextEdit>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

constexpr QSize windowSize(1080, 700);

Project production(int size)
{
    static const QList<std::pair<ScriptElementKind, QString>> scene = {
        {ScriptElementKind::sceneHeading, u"EXT. HARBOR \u2014 NIGHT"_s},
        {ScriptElementKind::action, u"Rain hammers the pier. Mara hauls a net over the rail, alone, lit only by the "
                                    u"sweep of the lighthouse."_s},
        {ScriptElementKind::character, u"MARA"_s},
        {ScriptElementKind::parenthetical, u"(to herself)"_s},
        {ScriptElementKind::dialogue, u"Twelve years and it still comes back empty on a night like this."_s},
        {ScriptElementKind::character, u"THEO"_s},
        {ScriptElementKind::dialogue, u"Then stop going out on nights like this."_s},
        {ScriptElementKind::action, u"She doesn't answer. The beam passes over them both."_s},
        {ScriptElementKind::transition, u"CUT TO:"_s},
        {ScriptElementKind::action, u"The lamp room, empty, the lens turning."_s},
    };
    Project p;
    p.activePhase = PhaseID::script;
    for (int i = 0; i < size; ++i) {
        const auto& [kind, text] = scene[i % scene.size()];
        p.episodes.first().script.elements << ScriptElement{.kind = kind, .text = text};
    }
    return p;
}

void key(QWidget* target, int code, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, code, modifiers, text);
    QKeyEvent release(QEvent::KeyRelease, code, modifiers, text);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

int middle(int size)
{
    return size / 2 + 1; // an action
}

QUuid middleElement(const Project& p)
{
    const QList<ScriptElement>& elements = p.episodes.first().script.elements;
    return elements.at(middle(int(elements.size()))).id;
}

// The screen in a window of the workspace's phase area size, shown (built,
// laid out and painted once).
struct Screen {
    explicit Screen(const Project& p)
        : session(p)
        , middleID(middleElement(session.project()))
        , view(bench::shown(std::make_unique<ScriptView>(session), windowSize))
    {
    }
    explicit Screen(int size)
        : Screen(production(size))
    {
    }
    ProjectSession session;
    QUuid middleID;
    std::unique_ptr<ScriptView> view;
};

// The floor: Qt's plain text editor given the same text, shown the same way.
std::unique_ptr<QPlainTextEdit> bareEditor(const QString& text)
{
    return bench::shown(bench::plainEditor(text), windowSize);
}

void focusMiddle(QPlainTextEdit& edit, int size)
{
    QTextCursor c(edit.document()->findBlockByNumber(middle(size)));
    c.movePosition(QTextCursor::EndOfBlock);
    edit.setTextCursor(c);
    edit.setFocus();
    bench::settle();
}

void BM_Open(benchmark::State& state)
{
    const int size = int(state.range(0));
    const Project p = production(size);
    bench::openAndLeave(state, bench::Timed::opening, [&] {
        auto screen = std::make_unique<Screen>(p);
        if (screen->view->page()->rowCount() != size)
            state.SkipWithError("rows missing");
        return screen;
    });
}

void BM_OpenPlain(benchmark::State& state)
{
    const QString text = bench::scriptText(production(int(state.range(0))));
    bench::openAndLeave(state, bench::Timed::opening, [&] { return bareEditor(text); });
}

void BM_Leave(benchmark::State& state)
{
    const Project p = production(int(state.range(0)));
    bench::openAndLeave(state, bench::Timed::leaving, [&] { return std::make_unique<Screen>(p); });
}

void BM_LeavePlain(benchmark::State& state)
{
    const QString text = bench::scriptText(production(int(state.range(0))));
    bench::openAndLeave(state, bench::Timed::leaving, [&] { return bareEditor(text); });
}

// One character typed and taken back, each up to its repaint.
void BM_Keystroke(benchmark::State& state)
{
    const int size = int(state.range(0));
    Screen screen(size);
    screen.view->page()->focusElement(screen.middleID);
    QTextEdit* edit = screen.view->page()->textEdit();
    edit->moveCursor(QTextCursor::End);
    bench::settle();
    const QString before = findScriptElement(screen.session.project(), screen.session.activeEpisodeID(),
                                             screen.middleID)->text;
    for (auto _ : state) {
        key(edit, Qt::Key_A, u"a"_s);
        QCoreApplication::processEvents();
        key(edit, Qt::Key_Backspace, QString());
        QCoreApplication::processEvents();
    }
    if (findScriptElement(screen.session.project(), screen.session.activeEpisodeID(), screen.middleID)->text != before)
        state.SkipWithError("typing didn't reach the script");
}

void BM_KeystrokePlain(benchmark::State& state)
{
    const int size = int(state.range(0));
    auto edit = bareEditor(bench::scriptText(production(size)));
    focusMiddle(*edit, size);
    for (auto _ : state) {
        key(edit.get(), Qt::Key_A, u"a"_s);
        QCoreApplication::processEvents();
        key(edit.get(), Qt::Key_Backspace, QString());
        QCoreApplication::processEvents();
    }
}

// Return in the middle element: the new element inserted, focused and
// painted. It is taken out again untimed.
void BM_Return(benchmark::State& state)
{
    const int size = int(state.range(0));
    Screen screen(size);
    ScriptPage* page = screen.view->page();
    for (auto _ : state) {
        state.PauseTiming();
        page->focusElement(screen.middleID);
        bench::settle();
        state.ResumeTiming();

        key(page->textEdit(), Qt::Key_Return, u"\r"_s);
        QCoreApplication::processEvents();
        if (page->focusedID() == screen.middleID)
            state.SkipWithError("focus didn't move");

        state.PauseTiming();
        Q_EMIT page->removeRequested(page->focusedID());
        bench::settle();
        state.ResumeTiming();
    }
}

void BM_ReturnPlain(benchmark::State& state)
{
    const int size = int(state.range(0));
    auto edit = bareEditor(bench::scriptText(production(size)));
    focusMiddle(*edit, size);
    for (auto _ : state) {
        key(edit.get(), Qt::Key_Return, u"\r"_s);
        QCoreApplication::processEvents();
        state.PauseTiming();
        key(edit.get(), Qt::Key_Backspace, QString());
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

// Ctrl+End and Ctrl+Home, each up to its repaint: the caret to the script's
// end and back, the page scrolling with it.
void toEnds(benchmark::State& state, QWidget* target, const std::function<bool(bool)>& arrived)
{
    for (auto _ : state) {
        key(target, Qt::Key_End, QString(), Qt::ControlModifier);
        QCoreApplication::processEvents();
        if (!arrived(true))
            state.SkipWithError("not at the end");
        key(target, Qt::Key_Home, QString(), Qt::ControlModifier);
        QCoreApplication::processEvents();
        if (!arrived(false))
            state.SkipWithError("not at the start");
    }
}

void BM_Ends(benchmark::State& state)
{
    const int size = int(state.range(0));
    Screen screen(size);
    ScriptPage* page = screen.view->page();
    const QList<ScriptElement>& elements = screen.session.project().episodes.first().script.elements;
    page->focusElement(elements.first().id);
    bench::settle();
    toEnds(state, page->textEdit(), [&](bool end) {
        return page->editorID() == (end ? elements.last().id : elements.first().id);
    });
}

void BM_EndsPlain(benchmark::State& state)
{
    auto edit = bareEditor(bench::scriptText(production(int(state.range(0)))));
    edit->setFocus();
    bench::settle();
    toEnds(state, edit.get(), [&](bool end) { return end ? edit->textCursor().atEnd() : edit->textCursor().atStart(); });
}

// A screen reader walking every child of the interface: each one's name and
// its place among its siblings. False when a child is missing or misplaced.
bool readAloud(QAccessibleInterface* parent)
{
    const int count = parent->childCount();
    for (int i = 0; i < count; ++i) {
        QAccessibleInterface* child = parent->child(i);
        if (!child || parent->indexOfChild(child) != i)
            return false;
        benchmark::DoNotOptimize(child->text(QAccessible::Name));
    }
    return true;
}

std::unique_ptr<QListWidget> listOf(const Project& p)
{
    auto list = std::make_unique<QListWidget>();
    for (const ScriptElement& e : p.episodes.first().script.elements)
        list->addItem(e.text);
    return bench::shown(std::move(list), windowSize);
}

// The page read again and again: its children made once, then kept.
void BM_ReadAloud(benchmark::State& state)
{
    const Screen screen(bench::featureProduction());
    QAccessibleInterface* page = QAccessible::queryAccessibleInterface(screen.view->page());
    for (auto _ : state) {
        if (!readAloud(page))
            state.SkipWithError("an element unread");
    }
}

void BM_ReadAloudList(benchmark::State& state)
{
    const auto list = listOf(bench::featureProduction());
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(list.get());
    for (auto _ : state) {
        if (!readAloud(iface))
            state.SkipWithError("an item unread");
    }
}

// The first reading of a page just opened (the opening untimed).
void BM_ReadAloudFirst(benchmark::State& state)
{
    const Project p = bench::featureProduction();
    for (auto _ : state) {
        state.PauseTiming();
        auto screen = std::make_unique<Screen>(p);
        QAccessibleInterface* page = QAccessible::queryAccessibleInterface(screen->view->page());
        state.ResumeTiming();
        if (!readAloud(page))
            state.SkipWithError("an element unread");
        state.PauseTiming();
        screen.reset();
        bench::flushDeletes();
        state.ResumeTiming();
    }
}

void BM_ReadAloudFirstList(benchmark::State& state)
{
    const Project p = bench::featureProduction();
    for (auto _ : state) {
        state.PauseTiming();
        auto list = listOf(p);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(list.get());
        state.ResumeTiming();
        if (!readAloud(iface))
            state.SkipWithError("an item unread");
        state.PauseTiming();
        list.reset();
        bench::flushDeletes();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_ReadAloud)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadAloudList)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadAloudFirst)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadAloudFirstList)->Unit(benchmark::kMicrosecond);

const QList<int> sizes{600, 2400, 5000};

void sized(benchmark::internal::Benchmark* b)
{
    for (int size : sizes)
        b->Arg(size);
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Open)->Apply(sized);
BENCHMARK(BM_OpenPlain)->Apply(sized);
BENCHMARK(BM_Leave)->Apply(sized);
BENCHMARK(BM_LeavePlain)->Apply(sized);
BENCHMARK(BM_Keystroke)->Apply(sized)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokePlain)->Apply(sized)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Return)->Apply(sized)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReturnPlain)->Apply(sized)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Open)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Ends)->Arg(2400)->Arg(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EndsPlain)->Arg(2400)->Arg(20000)->Unit(benchmark::kMicrosecond);

// Resident memory, measured once each, printed with the ratios.
double closedMB = 0;
double openMB = 0;
double stressMB = 0;

void BM_Memory(benchmark::State& state)
{
    for (auto _ : state) {
        ProjectSession session(production(2400));
        bench::flushDeletes();
        closedMB = bench::residentMegabytes();
        {
            const auto view = bench::shown(std::make_unique<ScriptView>(session), windowSize);
            openMB = bench::residentMegabytes();
        }
        bench::flushDeletes();
        const Screen stress(20000);
        stressMB = bench::residentMegabytes();
    }
}
BENCHMARK(BM_Memory)->Iterations(1)->Unit(benchmark::kMillisecond);

void printSummary(const bench::RatioReporter& r)
{
    std::printf("\nScript page against a QPlainTextEdit with the same text, window %dx%d\n", windowSize.width(),
                windowSize.height());
    for (int size : sizes) {
        const std::string n = std::to_string(size);
        r.ratio(("BM_Open/" + n).c_str(), ("BM_OpenPlain/" + n).c_str());
        r.ratio(("BM_Leave/" + n).c_str(), ("BM_LeavePlain/" + n).c_str());
        r.ratio(("BM_Keystroke/" + n).c_str(), ("BM_KeystrokePlain/" + n).c_str());
        r.ratio(("BM_Return/" + n).c_str(), ("BM_KeystrokePlain/" + n).c_str());
    }
    r.ratio("BM_Open/20000/iterations:3", "BM_Open/2400");
    for (const char* n : {"2400", "20000"})
        r.ratio((std::string("BM_Ends/") + n).c_str(), (std::string("BM_EndsPlain/") + n).c_str());
    std::printf("\nA feature's script read aloud, element by element, against a QListWidget of its lines\n");
    r.ratio("BM_ReadAloud", "BM_ReadAloudList");
    r.ratio("BM_ReadAloudFirst", "BM_ReadAloudFirstList");
    std::printf("%-58s %+.1f MB\n", "page open at 2400 over page closed", openMB - closedMB);
    std::printf("%-58s %.1f MB\n", "whole process with 20000 elements open", stressMB);
}

} // namespace

int main(int argc, char** argv)
{
    return bench::runScreenBenchmarks(argc, argv, printSummary);
}
