#include "vek/core/memory/VEKMemoryPrivate.h"

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
    void* raw =
        ::operator new(size + static_cast<std::size_t>(alignment) + slot, type, __FILE__, __LINE__);
    if (raw == nullptr) {
        return nullptr;
    }
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(raw) + slot;
    void* resultP = reinterpret_cast<void*>(VEK::IncrementToBoundaryPtr(start, alignment));
    if (!VEK::IsAligned(resultP, alignment)) {
        ::operator delete(raw, type, __FILE__, __LINE__);
        VEK_ASSERT(VEK::IsAligned(resultP, alignment));
    }
    reinterpret_cast<void**>(resultP)[-1] = raw;
    return resultP;
}

void DeleteAlignedMemory(VEK::MemoryType type, void* pointer) noexcept {
    if (pointer != nullptr) {
        ::operator delete(reinterpret_cast<void**>(pointer)[-1], type, __FILE__, __LINE__);
    }
}

}  // namespace VEK_private
