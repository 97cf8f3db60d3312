#include "support/CountingHooks.h"

#include <cstdlib>
#include <map>
#include <mutex>
#include <new>

namespace VEKTest {

namespace {

std::mutex gMutex;
std::vector<HookCall> gAllocations;
std::vector<HookCall> gDeallocations;
std::map<void*, std::size_t> gLive;
bool gRefuse = false;
bool gThrow = false;
std::size_t gFailAt = 0;
bool gFailFromThereOn = false;
bool gFailByThrow = false;
std::size_t gAllocatedBytes = 0;
std::size_t gFreedBytes = 0;
std::size_t gUnknownReleases = 0;

void* Allocate(std::size_t size, VEK::MemoryType type, const char* file, int line) {
    std::unique_lock<std::mutex> lock(gMutex);
    const std::size_t number = gAllocations.size() + 1;
    const bool planned =
        gFailAt != 0 && (number == gFailAt || (gFailFromThereOn && number > gFailAt));
    const bool doThrow = gThrow || (planned && gFailByThrow);
    void* block = (gRefuse || doThrow || planned) ? nullptr : std::malloc(size);
    gAllocations.push_back({block, size, type, file ? file : "", line});
    if (block) {
        gLive[block] = size;
        gAllocatedBytes += size;
    }
    if (doThrow) {
        lock.unlock();
        throw std::bad_alloc();
    }
    return block;
}

void Deallocate(void* block, VEK::MemoryType type, const char* file, int line) {
    std::lock_guard<std::mutex> lock(gMutex);
    gDeallocations.push_back({block, 0, type, file ? file : "", line});
    if (block) {
        const auto found = gLive.find(block);
        if (found == gLive.end()) {
            ++gUnknownReleases;
        } else {
            gFreedBytes += found->second;
            gLive.erase(found);
        }
    }
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
    gAllocatedBytes = 0;
    gFreedBytes = 0;
    gUnknownReleases = 0;
}

void CountingHooks::SetThrow(bool doThrow) {
    std::lock_guard<std::mutex> lock(gMutex);
    gThrow = doThrow;
}

void CountingHooks::FailAt(std::size_t n, bool fromThereOn, bool throwInstead) {
    std::lock_guard<std::mutex> lock(gMutex);
    gFailAt = n;
    gFailFromThereOn = fromThereOn;
    gFailByThrow = throwInstead;
}

std::size_t CountingHooks::AllocatedBytes() {
    std::lock_guard<std::mutex> lock(gMutex);
    return gAllocatedBytes;
}

std::size_t CountingHooks::FreedBytes() {
    std::lock_guard<std::mutex> lock(gMutex);
    return gFreedBytes;
}

std::size_t CountingHooks::UnknownReleases() {
    std::lock_guard<std::mutex> lock(gMutex);
    return gUnknownReleases;
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
