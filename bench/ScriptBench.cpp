// The Script screen with a 500-element script, offscreen: building the
// screen (construction, layout and first paint), one keystroke in a row in
// the middle of the page up to its repaint, and Return in that row (a new
// element inserted below it and focused). Each is set against the same work
// in a bare QPlainTextEdit holding the same text, in the same run.

#include "ScreenBench.h"

#include "design/PlainTextEditor.h"
#include "design/Theme.h"
#include "model/Lookup.h"
#include "state/ProjectSession.h"
#include "views/phases/script/ScriptElementRow.h"
#include "views/phases/script/ScriptPage.h"
#include "views/phases/script/ScriptView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextEdit>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

constexpr int scriptSize = 500;
constexpr QSize windowSize(1080, 700);

Project production()
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
    for (int i = 0; i < scriptSize; ++i) {
        const auto& [kind, text] = scene[i % scene.size()];
        p.episodes.first().script.elements << ScriptElement{.kind = kind, .text = text};
    }
    return p;
}

QString plainText(const Project& p)
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

void key(QWidget* target, int code, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

// The screen in a window of the workspace's phase area size, shown.
struct Screen {
    Screen()
        : session(production())
    {
        view = std::make_unique<ScriptView>(session);
        view->resize(windowSize);
        view->show();
        settle();
    }
    QUuid middleID() const { return session.project().episodes.first().script.elements.at(scriptSize / 2 + 1).id; }
    QTextEdit* middle() const { return view->page()->row(middleID())->editor()->textEdit(); }

    ProjectSession session;
    std::unique_ptr<ScriptView> view;
};

struct Bare {
    Bare()
    {
        edit.setPlainText(plainText(production()));
        edit.resize(windowSize);
        edit.show();
        QTextCursor c(edit.document()->findBlockByNumber(scriptSize / 2 + 1));
        c.movePosition(QTextCursor::EndOfBlock);
        edit.setTextCursor(c);
        edit.setFocus();
        settle();
    }
    QPlainTextEdit edit;
};

void BM_BuildScreen(benchmark::State& state)
{
    const Project p = production();
    for (auto _ : state) {
        ProjectSession session(p);
        auto view = std::make_unique<ScriptView>(session);
        view->resize(windowSize);
        view->show();
        settle();
        if (view->page()->rows().size() != scriptSize)
            state.SkipWithError("rows missing");
        state.PauseTiming();
        view.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BuildScreen)->Unit(benchmark::kMillisecond);

void BM_BuildBareEditor(benchmark::State& state)
{
    const QString text = plainText(production());
    for (auto _ : state) {
        auto edit = std::make_unique<QPlainTextEdit>();
        edit->setPlainText(text);
        edit->resize(windowSize);
        edit->show();
        settle();
        state.PauseTiming();
        edit.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BuildBareEditor)->Unit(benchmark::kMillisecond);

// One character typed and taken back, each up to its repaint.
void BM_KeystrokeMiddleRow(benchmark::State& state)
{
    Screen screen;
    screen.view->page()->focusElement(screen.middleID());
    QTextEdit* edit = screen.middle();
    edit->moveCursor(QTextCursor::End);
    settle();
    for (auto _ : state) {
        key(edit, Qt::Key_A, u"a"_s);
        QCoreApplication::processEvents();
        key(edit, Qt::Key_Backspace, QString());
        QCoreApplication::processEvents();
    }
    if (findScriptElement(screen.session.project(), screen.session.activeEpisodeID(), screen.middleID())->text
        != production().episodes.first().script.elements.at(scriptSize / 2 + 1).text)
        state.SkipWithError("typing didn't reach the script");
}
BENCHMARK(BM_KeystrokeMiddleRow)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeBareEditor(benchmark::State& state)
{
    Bare bare;
    for (auto _ : state) {
        key(&bare.edit, Qt::Key_A, u"a"_s);
        QCoreApplication::processEvents();
        key(&bare.edit, Qt::Key_Backspace, QString());
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_KeystrokeBareEditor)->Unit(benchmark::kMicrosecond);

// Return in the middle row: the new element inserted, its row built, focused
// on the next turn and painted. The element is taken out again untimed.
void BM_ReturnMiddleRow(benchmark::State& state)
{
    Screen screen;
    const QUuid middle = screen.middleID();
    for (auto _ : state) {
        state.PauseTiming();
        screen.view->page()->focusElement(middle);
        settle();
        QTextEdit* edit = screen.middle();
        state.ResumeTiming();

        key(edit, Qt::Key_Return, u"\r"_s);
        QCoreApplication::processEvents(); // the focus moves on this turn
        QCoreApplication::processEvents();
        if (screen.view->focusedID() == middle)
            state.SkipWithError("focus didn't move");

        state.PauseTiming();
        screen.view->page()->remove(screen.view->focusedID());
        settle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReturnMiddleRow)->Unit(benchmark::kMicrosecond);

void BM_ReturnBareEditor(benchmark::State& state)
{
    Bare bare;
    for (auto _ : state) {
        key(&bare.edit, Qt::Key_Return, u"\r"_s);
        QCoreApplication::processEvents();
        state.PauseTiming();
        key(&bare.edit, Qt::Key_Backspace, QString());
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReturnBareEditor)->Unit(benchmark::kMicrosecond);

void printSummary(const bench::RatioReporter& r)
{
    std::printf("\nScript: %d elements, window %dx%d\n", scriptSize, windowSize.width(), windowSize.height());
    r.ratio("BM_BuildScreen", "BM_BuildBareEditor");
    r.ratio("BM_KeystrokeMiddleRow", "BM_KeystrokeBareEditor");
    r.ratio("BM_ReturnMiddleRow", "BM_ReturnBareEditor");
}

} // namespace

int main(int argc, char** argv)
{
    return bench::runScreenBenchmarks(argc, argv, printSummary);
}
