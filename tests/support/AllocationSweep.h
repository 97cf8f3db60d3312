#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace VEKTest {

// Runs a path of the library under allocation failure, each run in a forked child so that every
// run starts from fresh process state (hooks, singletons, registries). The parent must not have
// installed hooks or started the library.
//
// A counting run first finds how many allocations the path asks of the hooks (N). Then, for each
// chosen n in 1..N, one run where allocation n fails and one where every allocation from n on
// fails (the hook returning null), and one where allocation n fails by a hook that throws
// std::bad_alloc.
// A run must end in success or in an exception of the library's hierarchy, with the hook's
// allocated and freed bytes equal; a signal, another exception or a difference is a fault.
struct SweepReport {
    std::size_t allocations = 0;  // N, from the counting run
    int runs = 0;
    std::vector<std::string> faults;  // one line per faulty run
};

// With at most maxPoints values of n: all of them when N is small, else an even sample that
// keeps the first and last few.
SweepReport SweepAllocationFailures(const std::function<void()>& path, std::size_t maxPoints = 60);

// The faults, one per line.
std::string FaultLines(const SweepReport& report);

}  // namespace VEKTest
