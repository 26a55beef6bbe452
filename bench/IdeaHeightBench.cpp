// What the idea board's height estimates keep while someone types in a long
// card: 2,000 keystrokes in a card of 20,000 characters, each estimated as
// the board does after the edit, typed at the card's end and then near its
// start. Reported as the growth of the process's resident memory, beside the
// same keystrokes typed with no estimate (the floor, run first in the same
// process), with the time per keystroke.

#include "ScreenBench.h"

#include "views/phases/spark/IdeaCardView.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

constexpr int keystrokes = 2000;
constexpr qsizetype cardLength = 20'000;

QString card()
{
    const QString sentence = u"The keeper counts the ships that never come. "_s;
    return sentence.repeated(cardLength / sentence.size() + 1).left(cardLength);
}

std::map<std::string, double>& growth()
{
    static std::map<std::string, double> megabytes;
    return megabytes;
}

// Types `keystrokes` letters at `at` (from the end when negative), each
// text estimated when `estimate` is set.
void type(benchmark::State& state, const std::string& name, qsizetype at, bool estimate)
{
    // The estimate's one-time set-up (a card built to measure, its fonts)
    // is not what is asked about.
    benchmark::DoNotOptimize(IdeaCardView::estimatedHeight(QString()));
    for (auto _ : state) {
        QString text = card();
        const double before = bench::residentMegabytes();
        for (int i = 0; i < keystrokes; ++i) {
            text.insert(at < 0 ? text.size() : at, QChar(u'a' + i % 26));
            if (estimate)
                benchmark::DoNotOptimize(IdeaCardView::estimatedHeight(text));
            else
                benchmark::DoNotOptimize(text.constData());
        }
        growth()[name] = bench::residentMegabytes() - before;
    }
    state.SetItemsProcessed(state.iterations() * keystrokes);
}

void registerBenchmarks()
{
    const auto add = [](const std::string& name, qsizetype at, bool estimate) {
        benchmark::RegisterBenchmark(name.c_str(),
                                     [name, at, estimate](benchmark::State& s) { type(s, name, at, estimate); })
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    };
    add("texts alone", -1, false);
    add("estimates, typing at the end", -1, true);
    add("estimates, typing near the start", 100, true);
}

void printSummary(const bench::RatioReporter&)
{
    std::printf("\n%d keystrokes in an idea card of %lld characters: resident memory added\n", keystrokes,
                static_cast<long long>(cardLength));
    for (const auto& [name, megabytes] : growth())
        std::printf("  %-40s %8.1f MB\n", name.c_str(), megabytes);
}

} // namespace

int main(int argc, char** argv)
{
    registerBenchmarks();
    return bench::runScreenBenchmarks(argc, argv, printSummary);
}
