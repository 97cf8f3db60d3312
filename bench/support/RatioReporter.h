#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vekbench {

// Prints the usual table, then for each (measured, baseline) pair the ratio of their times per
// iteration from this same run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const double nanoseconds = run.GetAdjustedRealTime() *
                                       benchmark::GetTimeUnitMultiplier(benchmark::kNanosecond) /
                                       benchmark::GetTimeUnitMultiplier(run.time_unit);
            // With repetitions the median stands for the benchmark; without, its one run.
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                nanoseconds_[run.run_name.str()] = nanoseconds;
                medians_.insert(run.run_name.str());
            } else if (run.run_type == Run::RT_Iteration && run.iterations > 0 &&
                       medians_.count(run.benchmark_name()) == 0) {
                nanoseconds_[run.benchmark_name()] = nanoseconds;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatios(const std::vector<std::pair<std::string, std::string>>& pairs) const {
        std::printf("\n%-44s %-36s %8s\n", "measured", "baseline", "ratio");
        for (const auto& pair : pairs) {
            const auto measured = nanoseconds_.find(pair.first);
            const auto baseline = nanoseconds_.find(pair.second);
            if (measured == nanoseconds_.end() || baseline == nanoseconds_.end()) {
                continue;  // filtered out of this run
            }
            std::printf("%-44s %-36s %8.3f\n", pair.first.c_str(), pair.second.c_str(),
                        measured->second / baseline->second);
        }
    }

private:
    std::map<std::string, double> nanoseconds_;
    std::set<std::string> medians_;
};

// main() of a benchmark program that reports ratios.
inline int RunWithRatios(int argc, char** argv,
                         const std::vector<std::pair<std::string, std::string>>& pairs) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios(pairs);
    benchmark::Shutdown();
    return 0;
}

}  // namespace vekbench
