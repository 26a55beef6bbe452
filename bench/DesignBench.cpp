// Costs of the design system's painting: one backdrop frame, composing a
// placeholder picture, and the processor time the animated backdrop adds
// behind an idle window full of cards, measured against the frozen backdrop
// in the same run.

#include "design/widgets/ArtThumb.h"
#include "design/style/AuroraBackground.h"
#include "design/widgets/CardSurface.h"
#include "design/widgets/Chip.h"
#include "design/widgets/FlowLayout.h"
#include "design/widgets/GhostButton.h"
#include "design/style/Palette.h"
#include "design/style/PlaceholderArt.h"
#include "design/text/PlainTextField.h"
#include "design/widgets/PrimaryButton.h"
#include "design/widgets/SectionHeader.h"
#include "design/widgets/TextLabel.h"
#include "design/DesignSystem.h"
#include "design/style/Theme.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include <ctime>

using namespace studio;

namespace {

double processCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

void BM_BackdropMesh(benchmark::State& state)
{
    // The small rendering the widget scales up (1080 x 700 / 8).
    double t = 7.8e8;
    for (auto _ : state) {
        QImage img = AuroraBackground::renderMesh(QSize(135, 88), t);
        benchmark::DoNotOptimize(img.constBits());
        t += 0.1;
    }
}
BENCHMARK(BM_BackdropMesh)->Unit(benchmark::kMicrosecond);

void BM_BackdropFrame(benchmark::State& state)
{
    // A whole frame at 1080 x 700: the small mesh and its smooth scaling.
    QImage target(1080, 700, QImage::Format_RGB32);
    double t = 7.8e8;
    for (auto _ : state) {
        const QImage small = AuroraBackground::renderMesh(QSize(135, 88), t);
        QPainter p(&target);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(QRectF(target.rect()), small);
        p.end();
        benchmark::DoNotOptimize(target.constBits());
        t += 0.1;
    }
}
BENCHMARK(BM_BackdropFrame)->Unit(benchmark::kMicrosecond);

void BM_PlaceholderCompose(benchmark::State& state)
{
    // Composing (parameters and drawing) a 400 x 220 picture, cache cleared.
    int i = 0;
    for (auto _ : state) {
        PlaceholderArt::clearCache();
        QImage img = PlaceholderArt::image(QStringLiteral("seed-%1").arg(i++ % 64), 400, 220);
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_PlaceholderCompose)->Unit(benchmark::kMicrosecond);

void BM_PlaceholderCached(benchmark::State& state)
{
    PlaceholderArt::image(QStringLiteral("poster"), 400, 220);
    for (auto _ : state) {
        QImage img = PlaceholderArt::image(QStringLiteral("poster"), 400, 220);
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_PlaceholderCached)->Unit(benchmark::kMicrosecond);

// A window the size of the smallest main window, full of cards, over the
// backdrop.
struct CardWindow {
    QWidget window;
    AuroraBackground* backdrop;

    CardWindow()
    {
        window.resize(1080, 700);
        backdrop = new AuroraBackground(&window);
        backdrop->setReduceMotion(false);
        backdrop->setGeometry(window.rect());
        auto* content = new QWidget(&window);
        content->setGeometry(window.rect());
        auto* grid = new QGridLayout(content);
        grid->setContentsMargins(20, 20, 20, 20);
        grid->setSpacing(14);
        for (int i = 0; i < 12; ++i) {
            auto* card = new CardSurface(14, Palette::surface());
            auto* l = new QVBoxLayout(card);
            l->setContentsMargins(12, 12, 12, 12);
            l->setSpacing(8);
            auto* art = new ArtThumb(QStringLiteral("card-%1").arg(i), 220, 90);
            art->setFixedHeight(64);
            art->setCornerRadius(8);
            l->addWidget(art);
            l->addWidget(new SectionHeader(QStringLiteral("Scene %1").arg(i + 1), QStringLiteral("INT. LIGHTHOUSE — NIGHT")));
            auto* text = new TextLabel(QStringLiteral("The keeper climbs the stairs as the storm takes the road, "
                                                      "counting the seconds between flashes."),
                                       Theme::font(11), Palette::textSecondary());
            text->setWordWrap(true);
            text->setMaxLines(2);
            l->addWidget(text);
            auto* chips = new QWidget;
            auto* flow = new FlowLayout(6, chips);
            flow->addWidget(new Chip(QStringLiteral("Wide"), true));
            flow->addWidget(new Chip(QStringLiteral("Dolly"), false));
            l->addWidget(chips);
            if (i % 3 == 0)
                l->addWidget(new PrimaryButton(QStringLiteral("Render"), false));
            else
                l->addWidget(new GhostButton(QStringLiteral("Open"), Palette::textPrimary()));
            grid->addWidget(card, i / 4, i % 4);
        }
        window.show();
    }
};

// Processor time over a few seconds of an idle event loop.
double idleCpuPercent(CardWindow& w, bool animated, int milliseconds)
{
    w.backdrop->setAnimated(animated);
    const auto run = [](int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    };
    run(300);
    const double cpu0 = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    run(milliseconds);
    const double cpu = processCpuSeconds() - cpu0;
    return 100.0 * cpu / (double(wall.nsecsElapsed()) / 1e9);
}

void BM_IdleWindowBackdropCpu(benchmark::State& state)
{
    CardWindow w;
    const int ms = int(state.range(0));
    double frozen = 0, animated = 0;
    for (auto _ : state) {
        frozen = idleCpuPercent(w, false, ms);
        animated = idleCpuPercent(w, true, ms);
    }
    state.counters["frozen_cpu_pct"] = frozen;
    state.counters["animated_cpu_pct"] = animated;
    state.counters["added_cpu_pct"] = animated - frozen;
    state.counters["ratio"] = frozen > 0 ? animated / frozen : 0;
}
BENCHMARK(BM_IdleWindowBackdropCpu)->Arg(5000)->Arg(30000)->Iterations(1)->Unit(benchmark::kSecond);

void BM_CardWindowRepaint(benchmark::State& state)
{
    // What one full repaint of that window costs (the backdrop plus every
    // card in front of it): the price of each backdrop update that reaches
    // the screen.
    CardWindow w;
    w.backdrop->setAnimated(false);
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
    // A backdrop update repaints the backdrop and everything in front of it.
    for (auto _ : state)
        w.backdrop->repaint();
}
BENCHMARK(BM_CardWindowRepaint)->Unit(benchmark::kMillisecond);

// What an event to a card costs once each of its 200 bare text inputs has
// had the keyboard and let it go, against the same card whose inputs never
// had it: a field's ring watches the containers around it only while it
// shows.
void BM_EventToCardAfterItsFieldsHadTheFocus(benchmark::State& state)
{
    QWidget window;
    auto* row = new QHBoxLayout(&window);
    const auto card = [row] {
        auto* c = new CardSurface(14, Palette::surface());
        auto* column = new QVBoxLayout(c);
        QList<PlainTextField*> fields;
        for (int i = 0; i < 200; ++i) {
            fields << new PlainTextField(QStringLiteral("Beat %1").arg(i), Theme::font(13));
            column->addWidget(fields.last());
        }
        row->addWidget(c);
        return std::pair{c, fields};
    };
    const auto [focused, fields] = card();
    CardSurface* untouched = card().first;
    window.show();
    QApplication::setActiveWindow(&window);
    for (PlainTextField* field : fields)
        field->lineEdit()->setFocus(Qt::TabFocusReason);
    window.setFocus(Qt::OtherFocusReason);

    constexpr int sends = 2000;
    QEvent event(QEvent::User);
    const auto nanosecondsPerEvent = [&event](QWidget* to) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < sends; ++i)
            QCoreApplication::sendEvent(to, &event);
        return double(timer.nsecsElapsed()) / sends;
    };
    double floor = 0, measured = 0;
    for (auto _ : state) {
        floor += nanosecondsPerEvent(untouched);
        measured += nanosecondsPerEvent(focused);
    }
    state.counters["floor_ns"] = floor / double(state.iterations());
    state.counters["event_ns"] = measured / double(state.iterations());
    state.counters["ratio"] = floor > 0 ? measured / floor : 0;
}
BENCHMARK(BM_EventToCardAfterItsFieldsHadTheFocus)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    DesignSystem::install(app);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
