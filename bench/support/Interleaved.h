#pragma once

#include <functional>
#include <string>
#include <vector>

// Contenders run in short slices of calls, in rotation over many rounds, so that the machine's
// drift falls on all of them alike; each reports its median time per call, the ratio to a
// baseline contender and the heap allocations it makes per call.
namespace VEKBench {

struct Contender {
    std::string name;
    std::function<void(long calls)> slice;
    // Called with true before and false after each slice, untimed (a decorator pushed and
    // popped, a callback turned on and off); may be empty.
    std::function<void(bool)> around;
    std::vector<double> realNs;
    std::vector<double> cpuNs;
    long allocations = 0;
    long calls = 0;
};

inline Contender MakeContender(std::string name, std::function<void(long)> slice,
                               std::function<void(bool)> around = {}) {
    Contender contender;
    contender.name = std::move(name);
    contender.slice = std::move(slice);
    contender.around = std::move(around);
    return contender;
}

double ThreadCpuSeconds();
double Median(std::vector<double> values);

// One uncounted warm-up slice each (lazily bound entry points, first-use allocations), then
// rounds of one slice per contender, the first of each round rotating.
void RunInterleaved(std::vector<Contender>& contenders, int rounds, long calls);

// Medians per call and their ratios to the contender named base.
void PrintInterleaved(const char* title, const std::vector<Contender>& contenders,
                      const std::string& base);

// The value of --name=N, a positive whole number, or fallback; anything else ends the program.
long ParseArgument(int argc, char** argv, const char* name, long fallback);

}  // namespace VEKBench
