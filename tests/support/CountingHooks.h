#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <vek/core/memory/VEKMemory.h>

namespace VEKTest {

// Allocation hooks that record every call and can be told to refuse allocations. Installed at
// most once per process, like any host's hooks.
struct HookCall {
    void* block;
    std::size_t size;
    VEK::MemoryType type;
    std::string file;
    int line;
};

class CountingHooks {
public:
    static void Install();

    static const std::vector<HookCall>& Allocations();
    static const std::vector<HookCall>& Deallocations();
    static void Clear();
    // While set, the allocation hook returns null.
    static void SetRefuse(bool refuse);
    // While set, the allocation hook throws std::bad_alloc.
    static void SetThrow(bool doThrow);
    // Allocation number n (counted from 1 since the last Clear) fails, by returning null or by
    // throwing std::bad_alloc; with fromThereOn every later one fails too. n = 0 fails none.
    static void FailAt(std::size_t n, bool fromThereOn, bool throwInstead);
    // Blocks handed out and not yet given back.
    static std::size_t Outstanding();
    // Bytes handed out and given back since the last Clear (a block given back that was not
    // handed out counts as an unknown release).
    static std::size_t AllocatedBytes();
    static std::size_t FreedBytes();
    static std::size_t UnknownReleases();
};

}  // namespace VEKTest
