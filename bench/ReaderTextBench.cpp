// A key typed into a megabyte with a screen reader attached: the Logline's
// editor (a growing text edit) and a one-line field each hold a megabyte of
// prose; a key at the end is typed and erased again. With a reader attached,
// accessibility is on and every text event the program sends is answered as
// a reader answers it: it asks for the caret, and the character, word, line
// and sentence there. The floor, measured in the same run, is the same key in
// the same editor with no reader. Times are this thread's processor time; the
// summary gives each floor's time over the time with a reader (near 1: a
// reader costs what is near the caret).

#include "ScreenBench.h"

#include "design/text/PlainTextEditor.h"
#include "design/text/PlainTextField.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "support/PlatformAccessibility.h"

#include <QAccessible>
#include <QLineEdit>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype megabyte = 1'000'000;

const QString& prose()
{
    static const QString text = [] {
        const QString sentence = u"The keeper counts the ships that never come, and the tide keeps its own count. "_s;
        return sentence.repeated(megabyte / sentence.size() + 1).left(megabyte);
    }();
    return text;
}

// The reader: what it asks of the object a text event comes from.
QAccessible::UpdateHandler s_next = nullptr;
bool s_reading = false;
int s_answered = 0;

void read(QAccessibleEvent* event)
{
    if (s_next)
        s_next(event);
    if (!s_reading)
        return;
    switch (event->type()) {
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextUpdated:
    case QAccessible::TextCaretMoved:
        break;
    default:
        return;
    }
    QAccessibleInterface* iface = event->accessibleInterface();
    QAccessibleTextInterface* text = iface ? iface->textInterface() : nullptr;
    if (!text)
        return;
    const int caret = text->cursorPosition();
    int start = 0;
    int end = 0;
    for (const auto boundary : {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::LineBoundary,
                                QAccessible::SentenceBoundary}) {
        benchmark::DoNotOptimize(text->textAtOffset(caret, boundary, &start, &end));
        benchmark::DoNotOptimize(text->textBeforeOffset(caret, boundary, &start, &end));
    }
    benchmark::DoNotOptimize(text->characterCount());
    ++s_answered;
}

// Behind the program's own watch (installed with the theme), which passes
// on what a reader hears.
void listen()
{
    s_next = QAccessible::installUpdateHandler(read);
}

// Accessibility on, as the platform turns it on for a reader.
void attachReader()
{
    test::setPlatformAccessibility(true);
}

struct Editor {
    std::unique_ptr<QWidget> widget;
    QWidget* keys = nullptr;
};

Editor make(const std::string& kind)
{
    Editor e;
    if (kind == "Logline") {
        auto* editor = new PlainTextEditor(QString(), Theme::font(type::titleLarge, QFont::Medium));
        editor->setText(prose());
        e.widget.reset(editor);
        e.keys = editor->textEdit();
    } else {
        auto* field = new PlainTextField(QString(), Theme::font(type::headline));
        field->setText(prose());
        e.widget.reset(field);
        e.keys = field->lineEdit();
    }
    return e;
}

void keystroke(benchmark::State& state, const std::string& name, const std::string& kind, bool reader)
{
    Editor e = make(kind);
    e.widget->resize(480, 400);
    e.widget->show();
    bench::settle();
    e.keys->setFocus();
    bench::press({Qt::Key_End, {}, Qt::ControlModifier}, e.keys);
    bench::settle();
    s_reading = reader;
    s_answered = 0;
    bench::timeKeys(state, name, bench::typeX, bench::backspace, e.keys);
    s_reading = false;
    if (reader && s_answered == 0)
        state.SkipWithError("no text event reached the reader");
    bench::dispose(e.widget);
}

const char* const kinds[] = {"Logline", "one-line field"};

std::string nameOf(const char* kind, bool reader)
{
    return std::string("keystroke/") + kind + (reader ? "/reader" : "/no reader");
}

void registerBenchmarks()
{
    for (const char* kind : kinds) {
        for (const bool reader : {false, true}) {
            const std::string name = nameOf(kind, reader);
            benchmark::RegisterBenchmark(name.c_str(), [name, kind, reader](benchmark::State& s) {
                keystroke(s, name, kind, reader);
            })->UseManualTime()->Unit(benchmark::kMillisecond);
        }
    }
}

void printSummary(const bench::RatioReporter& r)
{
    std::printf("\nA key typed and erased at the end of a megabyte; the time with no reader over the time with one\n");
    for (const char* kind : kinds)
        r.ratio((nameOf(kind, false) + "/manual_time").c_str(), (nameOf(kind, true) + "/manual_time").c_str());
}

} // namespace

int main(int argc, char** argv)
{
    listen();
    registerBenchmarks();
    return bench::runScreenBenchmarks(argc, argv, printSummary, attachReader);
}
