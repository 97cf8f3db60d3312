// A host using VEK: optional allocation hooks first, then the core for the program's lifetime.
#include <cstdlib>
#include <iostream>

#include <vek/core/CoreLibrary.h>
#include <vek/core/exceptions/InternalException.h>
#include <vek/core/memory/VEKMemory.h>

namespace {

std::size_t gBlocks = 0;

void* Allocate(std::size_t size, VEK::MemoryType, const char*, int) {
    ++gBlocks;
    return std::malloc(size);
}

void Deallocate(void* block, VEK::MemoryType, const char*, int) {
    --gBlocks;
    std::free(block);
}

}  // namespace

int main() {
    // Hooks go in before the core starts, once per process.
    VEK::SetAllocationDeallocationFunction(&Allocate, &Deallocate);
    try {
        VEK::Core::AutoInitializer core;
        std::cout << "VEK " << VEK::VersionString() << " running\n";
        VEK::Core::Library::Initialize();  // already running: throws
    } catch (const VEK::LogicalException& e) {
        std::cout << "caught: " << e << "\n";
    }
    std::cout << "blocks still held: " << gBlocks << "\n";
    return gBlocks == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
