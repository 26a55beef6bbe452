#pragma once

// What every screen benchmark shares: a console reporter that keeps each
// benchmark's time and prints the figures as ratios at the end, and the
// start of the program (offscreen unless told otherwise, motion reduced, the
// studio's theme).

#include "design/Theme.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <utility>

namespace studio::bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    using Summary = std::function<void(const RatioReporter&)>;

    explicit RatioReporter(Summary summary)
        : m_summary(std::move(summary))
    {
    }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            m_seconds[run.benchmark_name()] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        m_summary(*this);
    }

    // Prints a's time over b's, when both ran.
    void ratio(const char* a, const char* b) const
    {
        const auto x = m_seconds.find(a);
        const auto y = m_seconds.find(b);
        if (x != m_seconds.end() && y != m_seconds.end() && y->second > 0)
            std::printf("%-58s %.2fx\n", (std::string(a) + " / " + b).c_str(), x->second / y->second);
    }

private:
    Summary m_summary;
    std::map<std::string, double> m_seconds;
};

inline int runScreenBenchmarks(int argc, char** argv, RatioReporter::Summary summary)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("PALISADEMOTION_REDUCE_MOTION", "1");
    QApplication app(argc, argv);
    Theme::install(app);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter(std::move(summary));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace studio::bench
