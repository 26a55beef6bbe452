// A megabyte in a one-line field, offscreen: given as its text (setText),
// shown and painted the first time, a keystroke at its end (typed and erased
// again, each repainted), and all of it selected and let go again (Control+A,
// then End, each repainted), for ordinary prose and for one unbroken word. The fields are the frameless field and the captioned one; the floors,
// measured in the same run, are a bare QLineEdit allowed the whole text and a
// QPlainTextEdit showing it on one line (no wrapping). Times are this
// thread's processor time; the summary gives each floor's time over the
// field's.

#include "ScreenBench.h"

#include "design/text/PlainTextField.h"
#include "design/text/SleekTextField.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <benchmark/benchmark.h>

#include <climits>
#include <cstdio>
#include <memory>
#include <string>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

using bench::Clock;

constexpr qsizetype megabyte = 1'000'000;
constexpr QSize fieldSize(480, 60);

QString prose()
{
    const QString sentence = u"The keeper counts the ships that never come, and the tide keeps its own count. "_s;
    return sentence.repeated(megabyte / sentence.size() + 1).left(megabyte);
}

QString endlessWord()
{
    QString word(megabyte, Qt::Uninitialized);
    for (qsizetype i = 0; i < megabyte; ++i)
        word[i] = QChar(char16_t(u'a' + i % 26));
    return word;
}

const QString& textOf(const std::string& kind)
{
    static const QString p = prose();
    static const QString w = endlessWord();
    return kind == "prose" ? p : w;
}

// One widget under test: the top-level widget, and the editor in it that
// takes the keys.
struct Field {
    std::unique_ptr<QWidget> widget;
    QWidget* keys = nullptr;
    std::function<void(const QString&)> setText;
};

Field make(const std::string& widget)
{
    Field f;
    if (widget == "plain field") {
        auto* field = new PlainTextField(QString(), Theme::font(type::headline));
        f.widget.reset(field);
        f.keys = field->lineEdit();
        f.setText = [field](const QString& t) { field->setText(t); };
    } else if (widget == "captioned field") {
        auto* field = new SleekTextField(u"Synopsis"_s, QString());
        f.widget.reset(field);
        f.keys = field->lineEdit();
        f.setText = [field](const QString& t) { field->setText(t); };
    } else if (widget == "QLineEdit") {
        auto* edit = new QLineEdit;
        edit->setMaxLength(INT_MAX);
        f.widget.reset(edit);
        f.keys = edit;
        f.setText = [edit](const QString& t) { edit->setText(t); };
    } else {
        auto* edit = new QPlainTextEdit;
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
        f.widget.reset(edit);
        f.keys = edit;
        f.setText = [edit](const QString& t) { edit->setPlainText(t); };
    }
    return f;
}

void show(Field& f)
{
    f.widget->resize(fieldSize);
    f.widget->show();
    bench::settle();
    benchmark::DoNotOptimize(f.widget->grab());
}

void dispose(Field& f)
{
    bench::dispose(f.widget);
}

void setText(benchmark::State& state, const std::string& name, const std::string& widget, const std::string& kind)
{
    const QString& text = textOf(kind);
    for (auto _ : state) {
        Field f = make(widget);
        const Clock clock;
        f.setText(text);
        clock.stop(state, name);
        dispose(f);
    }
}

void showing(benchmark::State& state, const std::string& name, const std::string& widget, const std::string& kind)
{
    const QString& text = textOf(kind);
    for (auto _ : state) {
        Field f = make(widget);
        f.setText(text);
        const Clock clock;
        show(f);
        clock.stop(state, name);
        dispose(f);
    }
}

void keystroke(benchmark::State& state, const std::string& name, const std::string& widget, const std::string& kind)
{
    Field f = make(widget);
    f.setText(textOf(kind));
    show(f);
    f.keys->setFocus();
    bench::press({Qt::Key_End, {}, Qt::ControlModifier}, f.keys);
    bench::settle();
    bench::timeKeys(state, name, bench::typeX, bench::backspace, f.keys);
    dispose(f);
}

void selectingAll(benchmark::State& state, const std::string& name, const std::string& widget, const std::string& kind)
{
    Field f = make(widget);
    f.setText(textOf(kind));
    show(f);
    f.keys->setFocus();
    bench::settle();
    bench::timeKeys(state, name, {Qt::Key_A, {}, Qt::ControlModifier}, {Qt::Key_End, {}, {}}, f.keys);
    dispose(f);
}

const char* const widgets[] = {"plain field", "captioned field", "QLineEdit", "QPlainTextEdit"};
const char* const kinds[] = {"prose", "word"};

struct Stage {
    const char* name;
    void (*run)(benchmark::State&, const std::string&, const std::string&, const std::string&);
};
const Stage stages[] = {
    {"setText", setText}, {"show", showing}, {"keystroke", keystroke}, {"select all", selectingAll}};

std::string nameOf(const char* stage, const char* widget, const char* kind)
{
    return std::string(stage) + '/' + widget + '/' + kind;
}

void registerBenchmarks()
{
    for (const Stage& stage : stages) {
        for (const char* kind : kinds) {
            for (const char* widget : widgets) {
                const std::string name = nameOf(stage.name, widget, kind);
                auto* b = benchmark::RegisterBenchmark(name.c_str(), [name, stage, widget, kind](benchmark::State& s) {
                    stage.run(s, name, widget, kind);
                });
                b->UseManualTime()->Unit(benchmark::kMillisecond);
            }
        }
    }
}

void printSummary(const bench::RatioReporter& r)
{
    // Floor over field: how many times longer the floor takes.
    std::printf("\nA megabyte in a one-line field, %dx%d; each floor's processor time over the field's\n",
                fieldSize.width(), fieldSize.height());
    for (const Stage& stage : stages) {
        for (const char* kind : kinds) {
            for (const char* field : {"plain field", "captioned field"}) {
                for (const char* floor : {"QLineEdit", "QPlainTextEdit"}) {
                    r.ratio((nameOf(stage.name, floor, kind) + "/manual_time").c_str(),
                            (nameOf(stage.name, field, kind) + "/manual_time").c_str());
                }
            }
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    registerBenchmarks();
    return bench::runScreenBenchmarks(argc, argv, printSummary);
}
