#include "support/CountingHooks.h"

#include <cstdlib>
#include <mutex>
#include <set>

namespace VEKTest {

namespace {

std::mutex gMutex;
std::vector<HookCall> gAllocations;
std::vector<HookCall> gDeallocations;
std::set<void*> gLive;
bool gRefuse = false;

void* Allocate(std::size_t size, VEK::MemoryType type, const char* file, int line) {
    std::lock_guard<std::mutex> lock(gMutex);
    void* block = gRefuse ? nullptr : std::malloc(size);
    gAllocations.push_back({block, size, type, file ? file : "", line});
    if (block) {
        gLive.insert(block);
    }
    return block;
}

void Deallocate(void* block, VEK::MemoryType type, const char* file, int line) {
    std::lock_guard<std::mutex> lock(gMutex);
    gDeallocations.push_back({block, 0, type, file ? file : "", line});
    gLive.erase(block);
    std::free(block);
}

}  // namespace

void CountingHooks::Install() {
    VEK::SetAllocationDeallocationFunction(&Allocate, &Deallocate);
}

const std::vector<HookCall>& CountingHooks::Allocations() {
    return gAllocations;
}
const std::vector<HookCall>& CountingHooks::Deallocations() {
    return gDeallocations;
}

void CountingHooks::Clear() {
    std::lock_guard<std::mutex> lock(gMutex);
    gAllocations.clear();
    gDeallocations.clear();
}

void CountingHooks::SetRefuse(bool refuse) {
    std::lock_guard<std::mutex> lock(gMutex);
    gRefuse = refuse;
}

std::size_t CountingHooks::Outstanding() {
    std::lock_guard<std::mutex> lock(gMutex);
    return gLive.size();
}

}  // namespace VEKTest
