#include "vek/core/memory/VEKMemoryPrivate.h"

#include <cstring>
#include <limits>

#include "vek/core/CoreLibrary.h"
#include "vek/core/exceptions/InternalException.h"
#include "vek/core/memory/VEKMemory.h"

namespace VEK_private {

AllocationFunction gAllocationFunction = nullptr;
DeallocationFunction gDeallocationFunction = nullptr;
MemoryCheckFunction gMemoryCheckFunction = nullptr;
ExecutableAllocationFunction gExecutableAllocationFunction = nullptr;
ExecutableDeallocationFunction gExecutableDeallocationFunction = nullptr;

bool CheckMemoryLegal(const void*, std::size_t) {
    return true;
}

void* NewAlignedMemory(VEK::MemoryType type, std::size_t size, int alignment) {
    VEK_ASSERT(alignment > 0);
    const std::size_t slot = sizeof(void*);
    const std::size_t extra = static_cast<std::size_t>(alignment) + slot;
    // A request whose total would wrap is refused rather than served with a tiny block.
    if (size > std::numeric_limits<std::size_t>::max() - extra) {
        return nullptr;
    }
    void* raw = ::operator new(size + extra, type, __FILE__, __LINE__);
    if (raw == nullptr) {
        return nullptr;
    }
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(raw) + slot;
    void* resultP = reinterpret_cast<void*>(VEK::IncrementToBoundaryPtr(start, alignment));
    if (!VEK::IsAligned(resultP, alignment)) {
        ::operator delete(raw, type, __FILE__, __LINE__);
        VEK_ASSERT(VEK::IsAligned(resultP, alignment));
    }
    // The slot is only byte-aligned when the alignment is not a multiple of the pointer size.
    std::memcpy(static_cast<char*>(resultP) - slot, &raw, slot);
    return resultP;
}

void DeleteAlignedMemory(VEK::MemoryType type, void* pointer) noexcept {
    if (pointer != nullptr) {
        void* raw = nullptr;
        std::memcpy(&raw, static_cast<char*>(pointer) - sizeof(void*), sizeof(void*));
        ::operator delete(raw, type, __FILE__, __LINE__);
    }
}

}  // namespace VEK_private
