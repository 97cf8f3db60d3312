#include "support/AllocationSweep.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>

#include <vek/core/exceptions/ExceptionBase.h>

#include "support/CountingHooks.h"

namespace VEKTest {

namespace {

// Exit codes of a trial child.
enum : int {
    kClean = 0,         // success or a library exception, nothing outstanding
    kLeaked = 10,       // allocated and freed bytes differ
    kForeign = 11,      // an exception outside the library's hierarchy
    kUnknownFree = 12,  // a block given back that the hook never handed out
};

struct Outcome {
    int status = 0;
    std::size_t allocations = 0;
};

// Runs the path in a child with the given plan; the child reports its allocation count through
// a pipe and its verdict through its exit status.
Outcome RunChild(const std::function<void()>& path, std::size_t failAt, bool fromThereOn,
                 bool throwInstead) {
    int channel[2];
    if (pipe(channel) != 0) {
        return {-1, 0};
    }
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        CountingHooks::Install();
        CountingHooks::Clear();
        CountingHooks::FailAt(failAt, fromThereOn, throwInstead);
        int verdict = kClean;
        try {
            path();
        } catch (const VEK::ExceptionBase&) {
            // a clean refusal
        } catch (...) {
            verdict = kForeign;
        }
        CountingHooks::FailAt(0, false, false);
        const std::size_t count = CountingHooks::Allocations().size();
        if (verdict == kClean && CountingHooks::AllocatedBytes() != CountingHooks::FreedBytes()) {
            verdict = kLeaked;
        }
        if (verdict == kClean && CountingHooks::UnknownReleases() != 0) {
            verdict = kUnknownFree;
        }
        if (write(channel[1], &count, sizeof count) != static_cast<ssize_t>(sizeof count)) {
            verdict = kForeign;
        }
        close(channel[1]);
        _exit(verdict);
    }
    close(channel[1]);
    Outcome outcome;
    if (child < 0) {
        close(channel[0]);
        return {-1, 0};
    }
    if (read(channel[0], &outcome.allocations, sizeof outcome.allocations) !=
        static_cast<ssize_t>(sizeof outcome.allocations)) {
        outcome.allocations = 0;
    }
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    outcome.status = status;
    return outcome;
}

std::string Describe(int status) {
    if (WIFSIGNALED(status)) {
        return std::string("signal ") + strsignal(WTERMSIG(status));
    }
    switch (WEXITSTATUS(status)) {
        case kLeaked:
            return "allocated and freed bytes differ";
        case kForeign:
            return "an exception outside the library's hierarchy";
        case kUnknownFree:
            return "a block given back that was never handed out";
        default:
            return "exit " + std::to_string(WEXITSTATUS(status));
    }
}

bool Clean(int status) {
    return WIFEXITED(status) && WEXITSTATUS(status) == kClean;
}

std::vector<std::size_t> Points(std::size_t count, std::size_t maxPoints) {
    std::vector<std::size_t> points;
    if (count <= maxPoints) {
        for (std::size_t n = 1; n <= count; ++n) {
            points.push_back(n);
        }
        return points;
    }
    const std::size_t edge = 5;
    for (std::size_t n = 1; n <= edge; ++n) {
        points.push_back(n);
    }
    const std::size_t middle = maxPoints - 2 * edge;
    for (std::size_t i = 1; i <= middle; ++i) {
        points.push_back(edge + i * (count - 2 * edge) / (middle + 1));
    }
    for (std::size_t n = count - edge + 1; n <= count; ++n) {
        points.push_back(n);
    }
    return points;
}

}  // namespace

SweepReport SweepAllocationFailures(const std::function<void()>& path, std::size_t maxPoints) {
    SweepReport report;
    const Outcome counting = RunChild(path, 0, false, false);
    ++report.runs;
    if (!Clean(counting.status)) {
        report.faults.push_back("without failures: " + Describe(counting.status));
        return report;
    }
    report.allocations = counting.allocations;
    for (std::size_t n : Points(counting.allocations, maxPoints)) {
        // n alone, n and every later one, and n with a hook that throws instead.
        for (int mode = 0; mode < 3; ++mode) {
            const bool fromThereOn = mode == 1;
            const bool throwInstead = mode == 2;
            const Outcome trial = RunChild(path, n, fromThereOn, throwInstead);
            ++report.runs;
            if (!Clean(trial.status)) {
                report.faults.push_back(
                    "allocation " + std::to_string(n) + (fromThereOn ? " and on" : " only") +
                    (throwInstead ? " throwing" : " null") + ": " + Describe(trial.status));
            }
        }
    }
    return report;
}

std::string FaultLines(const SweepReport& report) {
    std::string text;
    for (const std::string& line : report.faults) {
        text += line + "\n";
    }
    return text;
}

}  // namespace VEKTest
