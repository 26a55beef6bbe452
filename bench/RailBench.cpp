// The phase rail's refresh after an edit, as the workspace makes it after
// every change of the production: a character typed in the Logline, then the
// rail shown again. With the sample film's script as it ships, and with the
// same script holding a megabyte of prose in long elements; the ratio of the
// two is what a long script adds to every keystroke anywhere in the
// production (the rail's page count follows the edits, so nearly nothing).

#include "ScreenBench.h"

#include "services/SampleFactory.h"
#include "state/ProjectSession.h"
#include "views/shell/PhaseRail.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace studio;
using namespace Qt::StringLiterals;

namespace {

// The sample's script with sixteen long action elements of 64,000
// characters each after it.
Project withMegabyteScript()
{
    Project project = SampleFactory::lighthouse();
    const QString sentence = u"The keeper counts the ships that never come. "_s;
    const QString prose = sentence.repeated(64000 / sentence.size() + 1).left(64000);
    for (int i = 0; i < 16; ++i) {
        ScriptElement element{.kind = ScriptElementKind::action, .text = prose};
        element.text[0] = QChar(u'A' + i); // each its own string
        project.episodes[0].script.elements.append(element);
    }
    return project;
}

void typeThenRefresh(benchmark::State& state, const Project& project)
{
    ProjectSession session(project);
    PhaseRail rail(session);
    rail.refresh();
    bool typed = false;
    for (auto _ : state) {
        typed = !typed;
        session.edit([typed](Project& p) {
            if (typed)
                p.idea.logline += u'x';
            else
                p.idea.logline.chop(1);
        });
        rail.refresh();
    }
}

void BM_RailAfterEditShipped(benchmark::State& state)
{
    typeThenRefresh(state, SampleFactory::lighthouse());
}

void BM_RailAfterEditMegabyteScript(benchmark::State& state)
{
    typeThenRefresh(state, withMegabyteScript());
}

BENCHMARK(BM_RailAfterEditShipped)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RailAfterEditMegabyteScript)->Unit(benchmark::kMicrosecond);

void printSummary(const bench::RatioReporter& r)
{
    std::printf("\nAn edit and the rail's refresh, the script a megabyte against the script as shipped:\n");
    r.ratio("BM_RailAfterEditMegabyteScript", "BM_RailAfterEditShipped");
}

} // namespace

int main(int argc, char** argv)
{
    return bench::runScreenBenchmarks(argc, argv, printSummary);
}
