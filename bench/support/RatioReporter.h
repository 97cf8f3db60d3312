#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vekbench {

// Prints the usual table and keeps each benchmark's time per iteration (the median when it
// repeats), so that a program can report the library against its baseline from one run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const std::string& name = run.run_name.function_name;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.iterations > 0 &&
                                medians_.count(name) == 0;
            if (median || single) {
                const double toNanoseconds =
                    benchmark::GetTimeUnitMultiplier(benchmark::kNanosecond) /
                    benchmark::GetTimeUnitMultiplier(run.time_unit);
                real_[name] = run.GetAdjustedRealTime() * toNanoseconds;
                cpu_[name] = run.GetAdjustedCPUTime() * toNanoseconds;
                if (median) {
                    medians_.insert(name);
                }
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Nanoseconds per iteration; 0 for a benchmark that did not run.
    double realTime(const std::string& name) const { return Find(real_, name); }
    double cpuTime(const std::string& name) const { return Find(cpu_, name); }

    // One line per (measured, baseline) pair that ran: the ratio of their times.
    void printRatios(const std::vector<std::pair<std::string, std::string>>& pairs,
                     bool cpuTimes = false) const {
        std::printf("\n%-44s %-36s %8s\n", "measured", "baseline",
                    cpuTimes ? "cpu ratio" : "ratio");
        for (const auto& pair : pairs) {
            const double measured = cpuTimes ? cpuTime(pair.first) : realTime(pair.first);
            const double baseline = cpuTimes ? cpuTime(pair.second) : realTime(pair.second);
            if (measured > 0 && baseline > 0) {
                std::printf("%-44s %-36s %8.3f\n", pair.first.c_str(), pair.second.c_str(),
                            measured / baseline);
            }
        }
    }

private:
    static double Find(const std::map<std::string, double>& times, const std::string& name) {
        const auto found = times.find(name);
        return found == times.end() ? 0.0 : found->second;
    }

    std::map<std::string, double> real_;
    std::map<std::string, double> cpu_;
    std::set<std::string> medians_;
};

// main() of a benchmark program that reports ratios of real time.
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
