// The whole window with a hostile production open: the sample film with a
// megabyte of prose in every text field, in a production tab of the main
// window at its full size, offscreen. What a user does there, each step
// timed until the window has done everything it asked for and painted:
//
// - switching to each phase (from Cast & World, which lays no long text out,
//   or to it from The Look), the old screen torn down and the new one built,
//   laid out and painted;
// - Tab and Shift+Tab between two elements of the Script page;
// - a character typed at the end of the Logline, and erased again;
// - "Add scene" on the Storyboard (the scene taken away again, untimed);
// - quitting: every production saved and the window torn down.
//
// Each runs twice: with no reader, and with the platform's accessibility on
// and a stand-in for the bridge to a screen reader (ReaderStandIn.h), as
// when a reader is attached. The floors, measured in the same run and in the
// same two ways: Qt's plain text editor opened with one such megabyte in a
// window of the same size (for a switch, and for a Tab, which lays out the
// element the page's editor moves to); a key typed and erased at the end of
// that editor; Tab between two such editors; "Add scene" with the sample as
// it ships; and, for quitting, the production's bytes as the store writes
// them, encoded by Qt's JSON writer and written to a file.

#include "MegabyteProduction.h"
#include "ReaderStandIn.h"
#include "ScreenBench.h"

#include "app/MainWindow.h"
#include "design/text/PlainTextEditor.h"
#include "design/widgets/ToolbarIconButton.h"
#include "model/Json.h"
#include "model/Lookup.h"
#include "services/SampleFactory.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "state/StudioTab.h"
#include "state/edits/StoryboardEdits.h"
#include "views/phases/PhaseScreen.h"
#include "views/phases/script/ScriptPage.h"
#include "views/phases/script/ScriptView.h"
#include "views/phases/spark/SparkView.h"
#include "views/phases/storyboard/StoryboardView.h"
#include "views/shell/ProjectWorkspaceView.h"
#include "views/shell/RootView.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QJsonDocument>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

using bench::Clock;

// The main window's size on a 1440x900 screen.
constexpr QSize windowSize(1440, 900);

int megabyteFields = 0;

const Project& megabyteSample()
{
    static const Project p = bench::megabyteInEveryField(SampleFactory::lighthouse(), &megabyteFields);
    return p;
}

// Everything a step asked for done, as the window's event loop does it: the
// layouts, the posted events, the widgets left for deletion, and the paint
// of what changed on screen (a picture of the whole window would paint again
// what did not).
void settle()
{
    bench::settle();
    bench::flushDeletes();
    QCoreApplication::processEvents();
}

using bench::Keystroke;
const Keystroke tab{Qt::Key_Tab, {}, {}};
const Keystroke backtab{Qt::Key_Backtab, {}, Qt::ShiftModifier};

// Two keystrokes where the keyboard is, the second undoing the first: once
// untimed, to see the first do what `done` looks for and the second take it
// back (`undone`), then timed under `name` each iteration.
void timeKeys(benchmark::State& state, const std::string& name, const Keystroke& there,
              const std::function<bool()>& done, const Keystroke& back, const std::function<bool()>& undone,
              const char* failure)
{
    bench::press(there);
    settle();
    const bool went = done();
    bench::press(back);
    settle();
    if (!went || !undone()) {
        state.SkipWithError(failure);
        return;
    }
    bench::timeKeys(state, name, there, back, nullptr, settle);
}

// The program's state and its window, the production open in a tab and on
// screen.
struct Studio {
    explicit Studio(const Project& production)
    {
        app.openProject(production);
        window = std::make_unique<MainWindow>(app);
        window->resize(windowSize);
        window->show();
        window->activateWindow();
        settle();
    }

    ProjectWorkspaceView* workspace() const { return qobject_cast<ProjectWorkspaceView*>(window->rootView()->content()); }
    ProjectSession& session() const { return workspace()->session(); }
    template <class Screen>
    Screen* screen() const
    {
        return qobject_cast<Screen*>(workspace()->phaseScreen());
    }

    // As Ctrl+1…9 does.
    void goTo(PhaseID phase)
    {
        window->phaseActions().at(qsizetype(phase))->trigger();
        settle();
    }

    AppState app;
    std::unique_ptr<MainWindow> window;
};

// One window for every step but quitting, built when the first step asks and
// closed before the application ends; and one with the sample as it ships,
// for the floor of adding a scene.
Studio* shared = nullptr;
Studio* sharedAsShipped = nullptr;

Studio& active(Studio*& held, const Project& production)
{
    if (!held)
        held = new Studio(production);
    // The keys go to the window that is active: another may have been.
    held->window->activateWindow();
    settle();
    return *held;
}

Studio& studio()
{
    return active(shared, megabyteSample());
}

Studio& studioAsShipped()
{
    static const Project sample = SampleFactory::lighthouse();
    return active(sharedAsShipped, sample);
}

void closeStudios()
{
    for (Studio** held : {&shared, &sharedAsShipped}) {
        delete *held;
        *held = nullptr;
    }
    bench::flushDeletes();
}

std::string mode(bool reader)
{
    return reader ? "/reader" : "/no reader";
}

// ---- Switching phases --------------------------------------------------------

void switchTo(benchmark::State& state, PhaseID phase, bool reader)
{
    bench::setReaderAttached(reader);
    Studio& s = studio();
    // From a screen that lays no long text out, so that the untimed way back
    // costs little however often a quick switch is repeated.
    const PhaseID before = phase == PhaseID::cast ? PhaseID::look : PhaseID::cast;
    for (auto _ : state) {
        s.goTo(before);
        const Clock clock;
        s.goTo(phase);
        clock.stop(state, "Switch to " + title(phase).toStdString() + mode(reader));
    }
    if (s.workspace()->shownPhase() != phase)
        state.SkipWithError("the phase did not change");
}

// The floor: a plain text editor given the megabyte, opened in a window of
// the same size and closed again.
void openPlainEditor(benchmark::State& state, bool reader)
{
    bench::setReaderAttached(reader);
    const QString text = bench::megabyteOfProse();
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    window.resize(windowSize);
    window.show();
    settle();
    for (auto _ : state) {
        const Clock clock;
        auto* editor = new QPlainTextEdit(&window);
        editor->setPlainText(text);
        layout->addWidget(editor);
        settle();
        clock.stop(state, "Open plain editor" + mode(reader));
        delete editor;
        bench::flushDeletes();
    }
}

// ---- Keys ----------------------------------------------------------------------

// Tab to the next element of the Script page and Shift+Tab back.
void tabInScript(benchmark::State& state, bool reader)
{
    bench::setReaderAttached(reader);
    Studio& s = studio();
    s.goTo(PhaseID::script);
    auto* view = s.screen<ScriptView>();
    const QList<ScriptElement> elements = s.session().activeEpisode().script.elements;
    if (!view || elements.size() < 2) {
        state.SkipWithError("no script to walk");
        return;
    }
    view->page()->focusElement(elements.at(0).id);
    settle();
    const auto on = [&](int element) { return [=] { return view->page()->hasTextFocus(elements.at(element).id); }; };
    timeKeys(state, "Tab in Script" + mode(reader), tab, on(1), backtab, on(0), "Tab does not walk the elements");
}

// The floor: Tab from one plain text editor holding the megabyte to another
// and back.
void tabBetweenPlainEditors(benchmark::State& state, bool reader)
{
    bench::setReaderAttached(reader);
    const QString text = bench::megabyteOfProse();
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    QPlainTextEdit* editors[2];
    for (QPlainTextEdit*& editor : editors) {
        editor = new QPlainTextEdit(&window);
        editor->setTabChangesFocus(true);
        editor->setPlainText(text);
        layout->addWidget(editor);
    }
    window.resize(windowSize);
    window.show();
    window.activateWindow();
    editors[0]->setFocus();
    settle();
    const auto on = [&](int editor) { return [=] { return QApplication::focusWidget() == editors[editor]; }; };
    timeKeys(state, "Tab between plain editors" + mode(reader), tab, on(1), backtab, on(0),
             "Tab does not move the focus");
}

// A character typed at the end of the Logline, then erased.
void typeInLogline(benchmark::State& state, bool reader)
{
    bench::setReaderAttached(reader);
    Studio& s = studio();
    s.goTo(PhaseID::spark);
    auto* view = s.screen<SparkView>();
    if (!view) {
        state.SkipWithError("no Spark screen");
        return;
    }
    QTextEdit* edit = view->loglineEditor()->textEdit();
    edit->setFocus();
    edit->moveCursor(QTextCursor::End);
    settle();
    const QString logline = s.session().project().idea.logline;
    const auto reads = [&](const QString& text) {
        return [&s, text] { return s.session().project().idea.logline == text; };
    };
    timeKeys(state, "Type in Logline" + mode(reader), bench::typeX, reads(logline + u'x'), bench::backspace,
             reads(logline), "the keys do not reach the production");
}

// The floor: the same two keys at the end of a plain text editor holding the
// megabyte.
void typeInPlainEditor(benchmark::State& state, bool reader)
{
    bench::setReaderAttached(reader);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* editor = new QPlainTextEdit(&window);
    editor->setPlainText(bench::megabyteOfProse());
    layout->addWidget(editor);
    window.resize(windowSize);
    window.show();
    window.activateWindow();
    editor->setFocus();
    editor->moveCursor(QTextCursor::End);
    settle();
    const int length = editor->document()->characterCount();
    const auto counts = [=](int n) { return [=] { return editor->document()->characterCount() == n; }; };
    timeKeys(state, "Type in plain editor" + mode(reader), bench::typeX, counts(length + 1), bench::backspace,
             counts(length), "the keys do not reach the editor");
}

// ---- Adding a scene --------------------------------------------------------------

void addScene(benchmark::State& state, Studio& s, const std::string& name)
{
    s.goTo(PhaseID::scenes);
    auto* view = s.screen<StoryboardView>();
    if (!view) {
        state.SkipWithError("no Storyboard screen");
        return;
    }
    const qsizetype scenes = s.session().activeEpisode().scenes.size();
    for (auto _ : state) {
        const Clock clock;
        view->addButton()->click();
        settle();
        clock.stop(state, name);
        state.PauseTiming();
        const Episode episode = s.session().activeEpisode();
        const QUuid added = view->selection().sceneID.value_or(QUuid());
        if (episode.scenes.size() != scenes + 1 || !findScene(episode, added)) {
            state.SkipWithError("no scene was added");
            break;
        }
        s.session().edit([&](Project& p) { edits::deleteScene(p, episode.id, added); });
        settle();
        state.ResumeTiming();
    }
}

// ---- Quitting -----------------------------------------------------------------

// Every production saved, as the window's close does, and the window torn
// down; a new window is opened, untimed, for each.
void quit(benchmark::State& state, bool reader)
{
    bench::setReaderAttached(reader);
    for (auto _ : state) {
        state.PauseTiming();
        auto s = std::make_unique<Studio>(megabyteSample());
        state.ResumeTiming();
        const Clock clock;
        if (!s->app.saveAll())
            state.SkipWithError("the production was not saved");
        s->window.reset();
        bench::flushDeletes();
        clock.stop(state, "Quit" + mode(reader));
        state.PauseTiming();
        s.reset();
        bench::flushDeletes();
        state.ResumeTiming();
    }
}

// The floor: the production as the store writes it, encoded by Qt's JSON
// writer from the object the codec makes, and written to a file atomically.
void writeProductionBytes(benchmark::State& state, bool reader)
{
    bench::setReaderAttached(reader);
    const QJsonObject object = json::toObject(megabyteSample());
    const QString path = QDir::temp().filePath(u"megabyte-window-bench.json"_s);
    for (auto _ : state) {
        const Clock clock;
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            state.SkipWithError("can't write a file");
            break;
        }
        file.write(QJsonDocument(object).toJson(QJsonDocument::Indented));
        file.commit();
        clock.stop(state, "Write production bytes" + mode(reader));
    }
    QFile::remove(path);
}

// ---- Registration and summary -----------------------------------------------

std::string reported(const std::string& name)
{
    return name + "/manual_time";
}

void add(const std::string& name, const std::function<void(benchmark::State&, bool)>& step)
{
    for (const bool reader : {false, true}) {
        const std::string full = name + mode(reader);
        benchmark::RegisterBenchmark(full.c_str(), [step, reader](benchmark::State& s) { step(s, reader); })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
}

void registerBenchmarks()
{
    add("Open plain editor", openPlainEditor);
    for (const PhaseID phase : allCases<PhaseID>())
        add("Switch to " + title(phase).toStdString(), [phase](benchmark::State& s, bool reader) { switchTo(s, phase, reader); });
    add("Tab between plain editors", tabBetweenPlainEditors);
    add("Tab in Script", tabInScript);
    add("Type in plain editor", typeInPlainEditor);
    add("Type in Logline", typeInLogline);
    add("Add scene, sample as shipped", [](benchmark::State& s, bool reader) {
        bench::setReaderAttached(reader);
        addScene(s, studioAsShipped(), "Add scene, sample as shipped" + mode(reader));
    });
    add("Add scene", [](benchmark::State& s, bool reader) {
        bench::setReaderAttached(reader);
        addScene(s, studio(), "Add scene" + mode(reader));
    });
    add("Write production bytes", writeProductionBytes);
    add("Quit", quit);
}

void ratio(const bench::RatioReporter& r, const std::string& a, const std::string& b)
{
    for (const bool reader : {false, true}) {
        r.ratio(reported(a + mode(reader)).c_str(), reported(b + mode(reader)).c_str());
        Clock::printWallRatio(a + mode(reader), b + mode(reader));
    }
}

void printSummary(const bench::RatioReporter& r)
{
    std::printf("\nThe main window at %dx%d with the sample film open, a megabyte of prose in each of its %d\n"
                "text fields; each step against its floor with no reader and with one attached (processor\n"
                "time, then wall-clock time):\n",
                windowSize.width(), windowSize.height(), megabyteFields);
    for (const PhaseID phase : allCases<PhaseID>())
        ratio(r, "Switch to " + title(phase).toStdString(), "Open plain editor");
    // The page's one editor lays out the element it moves to: a Tab costs
    // at least a megabyte laid out, the plain editor's opening.
    ratio(r, "Tab in Script", "Open plain editor");
    ratio(r, "Tab in Script", "Tab between plain editors");
    ratio(r, "Type in Logline", "Type in plain editor");
    ratio(r, "Add scene", "Add scene, sample as shipped");
    ratio(r, "Quit", "Write production bytes");
}

QTemporaryDir* home = nullptr;

} // namespace

int main(int argc, char** argv)
{
    // A library of the benchmark's own, empty but for what it saves.
    home = new QTemporaryDir;
    bench::useHomeIn(home->path());
    bench::installReaderStandIn();
    registerBenchmarks();
    const int result = bench::runScreenBenchmarks(argc, argv, printSummary, {}, closeStudios);
    delete home;
    return result;
}
