// The Spark screen with 200 idea cards, offscreen: one keystroke typed into a
// card, through the edit door, the screen's refresh and the repaint it
// causes, against the same edit on a session no screen follows, measured in
// the same run, and against a keystroke into the same editor standing alone
// (the editor's own share). A second keystroke goes into the logline.

#include "ScreenBench.h"

#include "design/PlainTextEditor.h"
#include "design/Theme.h"
#include "model/Project.h"
#include "services/SampleFactory.h"
#include "state/ProjectSession.h"
#include "views/phases/spark/IdeaBoard.h"
#include "views/phases/spark/IdeaCardView.h"
#include "views/phases/spark/SparkLogic.h"
#include "views/phases/spark/SparkView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextEdit>
#include <QVBoxLayout>
#include "design/HorizontalStrip.h"
#include "design/ScrollColumn.h"
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
        spark::appendIdeaCard(p, kinds.at(i % kinds.size()),
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
        IdeaCardView* card = view->ideaBoard()->cardViews().at(index);
        view->ideaBoard()->strip()->ensureWidgetVisible(card);
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
        session.edit([&](Project& p) { spark::setIdeaCardText(p, id, text); });
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

void printSummary(const bench::RatioReporter& r)
{
    std::printf("\nSpark: %d idea cards, window %dx%d\n", cardCount, windowSize.width(), windowSize.height());
    r.ratio("BM_KeystrokeInCard", "BM_CardEditWithoutScreen");
    r.ratio("BM_KeystrokeInLogline", "BM_LoglineEditWithoutScreen");
    r.ratio("BM_KeystrokeInCard", "BM_KeystrokeInBareEditor");
    r.ratio("BM_KeystrokeInLogline", "BM_KeystrokeInBareEditor");
}

} // namespace

int main(int argc, char** argv)
{
    return bench::runScreenBenchmarks(argc, argv, printSummary);
}
