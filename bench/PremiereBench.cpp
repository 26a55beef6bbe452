// The Premiere screen over a large production (10 episodes of 60 scenes with
// 12 shots each, every episode's cut assembled), offscreen: one edit through
// the door with the screen following it (its refresh and the repaint it
// causes) against the same edit on a session no screen follows, measured in
// the same run, once for a take (a figure changes) and once for a shot's
// description (nothing shown changes); and building and writing the export manifest against a plain
// atomic write of the same bytes into the same temporary folder. A production
// with a megabyte in every text field (the poster's name and the press kit
// among them): opening the screen, and one keystroke in the press kit with
// its refresh, against a plain editor given one such megabyte.

#include "MegabyteProduction.h"
#include "ScreenBench.h"

#include "model/Lookup.h"
#include "model/Project.h"
#include "services/ExportManifest.h"
#include "services/SampleFactory.h"
#include "state/ProjectSession.h"
#include "design/text/SleekTextEditor.h"
#include "views/phases/premiere/PremiereView.h"
#include "views/phases/premiere/PressKitCard.h"

#include <QKeyEvent>
#include <QTextEdit>

#include <QDateTime>
#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

constexpr int episodeCount = 10;
constexpr int scenesPerEpisode = 60;
constexpr int shotsPerScene = 12;
constexpr QSize windowSize(1080, 700);

Project production()
{
    Project p = SampleFactory::lighthouse();
    p.format = ProjectFormat::series;
    p.episodes.clear();
    for (int e = 0; e < episodeCount; ++e) {
        Episode episode;
        episode.number = e + 1;
        for (int s = 0; s < scenesPerEpisode; ++s) {
            SceneCard scene;
            for (int k = 0; k < shotsPerScene; ++k) {
                Shot shot;
                shot.takes << Take{};
                scene.shots << shot;
                TimelineClip clip;
                clip.shotID = shot.id;
                clip.seconds = shot.seconds;
                episode.timeline << clip;
            }
            episode.scenes << scene;
        }
        p.episodes << episode;
    }
    return p;
}

struct Target {
    QUuid episode, scene, shot;
};

Target middleShot(const Project& p)
{
    const Episode& e = p.episodes.at(episodeCount / 2);
    const SceneCard& s = e.scenes.at(scenesPerEpisode / 2);
    return {e.id, s.id, s.shots.at(shotsPerScene / 2).id};
}

// One edit a renderer makes: a take attached on even counts, taken away on
// odd ones, so the production keeps its size however often it repeats.
void takeEdit(ProjectSession& session, const Target& t, int count)
{
    session.edit([&](Project& p) {
        if (Shot* shot = findShot(p, t.episode, t.scene, t.shot)) {
            if (count % 2 == 0)
                shot->takes << Take{};
            else
                shot->takes.removeLast();
        }
    });
}

// An edit the screen shows nothing of (what a shot shows), so only the
// refresh's own walk over the production is left.
void unseenEdit(ProjectSession& session, const Target& t, int count)
{
    session.edit([&](Project& p) {
        if (Shot* shot = findShot(p, t.episode, t.scene, t.shot))
            shot->what = count % 2 == 0 ? u"The lamp turns."_s : QString();
    });
}

struct Screen {
    Screen()
        : session(production())
    {
        bench::showFilled(host, new PremiereView(session, &host), windowSize);
    }
    ProjectSession session;
    QWidget host;
};

void BM_EditWithScreen(benchmark::State& state)
{
    Screen screen;
    const Target t = middleShot(screen.session.project());
    int count = 0;
    for (auto _ : state) {
        takeEdit(screen.session, t, count++);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_EditWithScreen)->Unit(benchmark::kMicrosecond);

void BM_UnseenEditWithScreen(benchmark::State& state)
{
    Screen screen;
    const Target t = middleShot(screen.session.project());
    int count = 0;
    for (auto _ : state) {
        unseenEdit(screen.session, t, count++);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_UnseenEditWithScreen)->Unit(benchmark::kMicrosecond);

void BM_UnseenEditWithoutScreen(benchmark::State& state)
{
    ProjectSession session(production());
    const Target t = middleShot(session.project());
    int count = 0;
    for (auto _ : state) {
        unseenEdit(session, t, count++);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_UnseenEditWithoutScreen)->Unit(benchmark::kMicrosecond);

void BM_EditWithoutScreen(benchmark::State& state)
{
    ProjectSession session(production());
    const Target t = middleShot(session.project());
    int count = 0;
    for (auto _ : state) {
        takeEdit(session, t, count++);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_EditWithoutScreen)->Unit(benchmark::kMicrosecond);

void BM_ManifestBuildAndWrite(benchmark::State& state)
{
    const Project p = production();
    QTemporaryDir root;
    const QString folder = root.filePath(u"Palisademotion Exports"_s);
    for (auto _ : state) {
        const ExportManifest m = ExportManifest::make(p, u"streaming"_s, QDateTime::currentDateTimeUtc());
        if (!writeManifest(m, folder).path)
            state.SkipWithError("the manifest was not written");
    }
}
BENCHMARK(BM_ManifestBuildAndWrite)->Unit(benchmark::kMicrosecond);

void BM_SaveFileWriteSameBytes(benchmark::State& state)
{
    const Project p = production();
    QTemporaryDir root;
    QDir(root.path()).mkpath(u"Palisademotion Exports"_s);
    const ExportManifest m = ExportManifest::make(p, u"streaming"_s, QDateTime::currentDateTimeUtc());
    const QByteArray bytes = json::encodePretty(m);
    const QString path = QDir(root.filePath(u"Palisademotion Exports"_s)).filePath(m.fileName());
    for (auto _ : state) {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            state.SkipWithError("the bytes were not written");
    }
}
BENCHMARK(BM_SaveFileWriteSameBytes)->Unit(benchmark::kMicrosecond);

const Project& megabyteProduction()
{
    static const Project p = bench::megabyteInEveryField(SampleFactory::lighthouse());
    return p;
}

void BM_OpenPremiereMegabyteFields(benchmark::State& state)
{
    ProjectSession session(megabyteProduction());
    bench::openAndLeave(state, bench::Timed::opening,
                        [&] { return bench::opened(std::make_unique<PremiereView>(session), windowSize); });
}
BENCHMARK(BM_OpenPremiereMegabyteFields)->Unit(benchmark::kMillisecond);

// A letter typed at the end of `editor` and taken away again, one key an
// iteration, with `painted` laid out and painted after each. Returns the
// keys sent.
template <class Editor>
int typeAtTheEnd(benchmark::State& state, Editor* editor, QWidget* painted)
{
    editor->setFocus();
    editor->moveCursor(QTextCursor::End);
    int n = 0;
    for (auto _ : state) {
        const bool type = n++ % 2 == 0;
        QKeyEvent press(QEvent::KeyPress, type ? Qt::Key_A : Qt::Key_Backspace, Qt::NoModifier,
                        type ? u"a"_s : QString());
        QCoreApplication::sendEvent(editor, &press);
        bench::settle();
        benchmark::DoNotOptimize(painted->grab());
    }
    return n;
}

// A letter typed at the end of the press kit and taken away again, each
// written through the door, refreshed and painted.
void BM_PressKitKeystrokeMegabyteFields(benchmark::State& state)
{
    ProjectSession session(megabyteProduction());
    auto view = bench::opened(std::make_unique<PremiereView>(session), windowSize);
    const int n = typeAtTheEnd(state, view->pressKit()->editor()->textEdit(), view.get());
    if (session.project().idea.pressKit.size() != megabyteProduction().idea.pressKit.size() + (n % 2))
        state.SkipWithError("the keystrokes did not reach the press kit");
}
BENCHMARK(BM_PressKitKeystrokeMegabyteFields)->Unit(benchmark::kMillisecond);

// The floor of a keystroke: the same letter typed and taken away at the end
// of a plain editor holding the megabyte, at the press kit's width.
void BM_PlainKeystrokeMegabyte(benchmark::State& state)
{
    auto editor = bench::opened(bench::plainEditor(bench::megabyteOfProse()), QSize(windowSize.width() - 80, 400));
    typeAtTheEnd(state, editor.get(), editor.get());
}
BENCHMARK(BM_PlainKeystrokeMegabyte)->Unit(benchmark::kMillisecond);

void BM_OpenPlainMegabyte(benchmark::State& state)
{
    bench::openAndLeave(state, bench::Timed::opening,
                        [] { return bench::opened(bench::plainEditor(bench::megabyteOfProse()), windowSize); });
}
BENCHMARK(BM_OpenPlainMegabyte)->Unit(benchmark::kMillisecond);

void printSummary(const bench::RatioReporter& r)
{
    std::printf("\nPremiere: %d episodes x %d scenes x %d shots, window %dx%d\n", episodeCount, scenesPerEpisode,
                shotsPerScene, windowSize.width(), windowSize.height());
    r.ratio("BM_EditWithScreen", "BM_EditWithoutScreen");
    r.ratio("BM_UnseenEditWithScreen", "BM_UnseenEditWithoutScreen");
    r.ratio("BM_ManifestBuildAndWrite", "BM_SaveFileWriteSameBytes");
    std::printf("\nA megabyte in every text field (the lighthouse sample), window %dx%d\n", windowSize.width(),
                windowSize.height());
    r.ratio("BM_OpenPremiereMegabyteFields", "BM_OpenPlainMegabyte");
    r.ratio("BM_PressKitKeystrokeMegabyteFields", "BM_PlainKeystrokeMegabyte");
}

} // namespace

int main(int argc, char** argv)
{
    return bench::runScreenBenchmarks(argc, argv, printSummary);
}
