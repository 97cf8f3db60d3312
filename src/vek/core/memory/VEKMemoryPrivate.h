#pragma once

#include <cstddef>
#include <cstdint>

#include "vek/Export.h"

namespace VEK {

/// Travels with every allocation and release through the hooks.
enum MemoryType {
    kObjectMemory = 0,  ///< single objects and ordinary blocks: scalar new/delete by default
    kImageMemory = 1,   ///< image and pixel buffers from the aligned allocator: new[]/delete[]
};

}  // namespace VEK

namespace VEK_private {

/// Allocation hook: returns size bytes for type, or null. Sizes are pointer-sized: the interface
/// first counted them in 32-bit unsigned. file and line name the allocating statement.
typedef void* (*AllocationFunction)(std::size_t size, VEK::MemoryType type, const char* file,
                                    int line);
/// Deallocation hook: releases a block from the allocation hook; must not throw.
typedef void (*DeallocationFunction)(void* block, VEK::MemoryType type, const char* file, int line);
/// Memory check hook: whether block of size bytes is legal to use.
typedef bool (*MemoryCheckFunction)(const void* block, std::size_t size);
/// Allocation of executable memory, for the host only.
typedef void* (*ExecutableAllocationFunction)(std::size_t size, const char* file, int line);
/// Release of executable memory, for the host only.
typedef void (*ExecutableDeallocationFunction)(void* block, const char* file, int line);

/// The host's allocation hook: every allocation of the library, null at load.
extern VEK_EXPORT AllocationFunction gAllocationFunction;
/// The host's deallocation hook: every release of the library, null at load.
extern VEK_EXPORT DeallocationFunction gDeallocationFunction;
/// The host's memory check hook: stored, never called by the library; null at load.
extern VEK_EXPORT MemoryCheckFunction gMemoryCheckFunction;
/// Exported for the host only; nothing in the library sets or calls it.
extern VEK_EXPORT ExecutableAllocationFunction gExecutableAllocationFunction;
/// Exported for the host only; nothing in the library sets or calls it.
extern VEK_EXPORT ExecutableDeallocationFunction gExecutableDeallocationFunction;

/// Accepts every block: true for any argument. Throws nothing.
VEK_EXPORT bool CheckMemoryLegal(const void* block, std::size_t size);

/// A block of size bytes starting at a multiple of alignment (positive). The pointer-sized slot
/// just before the result remembers the start of the underlying block. Null when the hook gives
/// no memory (from the hook or the fallback) and when size plus alignment plus the slot does
/// not fit a size_t. Throws InternalException ("alignment > 0") for a non-positive alignment
/// and ("VEK::IsAligned(resultP, alignment)") if the result were misaligned, after releasing it.
VEK_EXPORT void* NewAlignedMemory(VEK::MemoryType type, std::size_t size, int alignment);
/// Releases a block from NewAlignedMemory with the same type; null is ignored. Throws nothing.
VEK_EXPORT void DeleteAlignedMemory(VEK::MemoryType type, void* pointer) noexcept;

}  // namespace VEK_private

namespace VEK {

/// Whether pointer is a multiple of alignment (positive). Throws nothing.
inline bool IsAligned(const void* pointer, int alignment) {
    return reinterpret_cast<std::uintptr_t>(pointer) % static_cast<std::uintptr_t>(alignment) == 0;
}

}  // namespace VEK
