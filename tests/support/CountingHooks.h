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
    // Blocks handed out and not yet given back.
    static std::size_t Outstanding();
};

}  // namespace VEKTest
