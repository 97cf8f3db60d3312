#include "support/Interleaved.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "support/HeapCounter.h"

namespace VEKBench {

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0.0 : (n % 2 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]));
}

namespace {

void RunSlice(Contender& c, long calls) {
    if (c.around) {
        c.around(true);
    }
    const long allocationsBefore = VEKTest::HeapCounter::Process();
    const double cpuBefore = ThreadCpuSeconds();
    const auto before = std::chrono::steady_clock::now();
    c.slice(calls);
    const auto after = std::chrono::steady_clock::now();
    const double cpuAfter = ThreadCpuSeconds();
    c.allocations += VEKTest::HeapCounter::Process() - allocationsBefore;
    if (c.around) {
        c.around(false);
    }
    c.realNs.push_back(std::chrono::duration<double, std::nano>(after - before).count() /
                       static_cast<double>(calls));
    c.cpuNs.push_back((cpuAfter - cpuBefore) * 1e9 / static_cast<double>(calls));
    c.calls += calls;
}

}  // namespace

void RunInterleaved(std::vector<Contender>& contenders, int rounds, long calls) {
    for (Contender& c : contenders) {
        RunSlice(c, calls / 10 + 1);
        c.realNs.clear();
        c.cpuNs.clear();
        c.allocations = 0;
        c.calls = 0;
    }
    const std::size_t n = contenders.size();
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < n; ++i) {
            RunSlice(contenders[(i + static_cast<std::size_t>(round)) % n], calls);
        }
    }
}

void PrintInterleaved(const char* title, const std::vector<Contender>& contenders,
                      const std::string& base) {
    double baseReal = 0;
    double baseCpu = 0;
    for (const Contender& c : contenders) {
        if (c.name == base) {
            baseReal = Median(c.realNs);
            baseCpu = Median(c.cpuNs);
        }
    }
    std::printf("\n%s (ratios to %s)\n", title, base.c_str());
    std::printf("%-40s %10s %8s %10s %8s %12s\n", "contender", "ns/call", "ratio", "cpu ns",
                "ratio", "allocs/call");
    for (const Contender& c : contenders) {
        const double real = Median(c.realNs);
        const double cpu = Median(c.cpuNs);
        std::printf("%-40s %10.2f %8.3f ", c.name.c_str(), real, real / baseReal);
        // A thread clock that counts in scheduler ticks (Wine's) stands still over a slice.
        if (baseCpu > 0) {
            std::printf("%10.2f %8.3f ", cpu, cpu / baseCpu);
        } else {
            std::printf("%10s %8s ", "n/a", "n/a");
        }
        if (VEKTest::HeapCounter::Available()) {
            std::printf("%12.4f\n",
                        static_cast<double>(c.allocations) / static_cast<double>(c.calls));
        } else {
            std::printf("%12s\n", "uncounted");
        }
    }
}

long ParseArgument(int argc, char** argv, const char* name, long fallback) {
    const std::size_t length = std::strlen(name);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], name, length) == 0 && argv[i][length] == '=') {
            char* end = nullptr;
            const long value = std::strtol(argv[i] + length + 1, &end, 10);
            if (end == argv[i] + length + 1 || *end != '\0' || value <= 0) {
                std::fprintf(stderr, "%s needs a positive whole number\n", name);
                std::exit(2);
            }
            return value;
        }
    }
    return fallback;
}

}  // namespace VEKBench
