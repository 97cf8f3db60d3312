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

/// Sizes are pointer-sized: the interface first counted them in 32-bit unsigned.
typedef void* (*AllocationFunction)(std::size_t size, VEK::MemoryType type, const char* file,
                                    int line);
typedef void (*DeallocationFunction)(void* block, VEK::MemoryType type, const char* file, int line);
typedef bool (*MemoryCheckFunction)(const void* block, std::size_t size);
typedef void* (*ExecutableAllocationFunction)(std::size_t size, const char* file, int line);
typedef void (*ExecutableDeallocationFunction)(void* block, const char* file, int line);

/// Process-wide host hooks, null at load. Installed once each, before the core starts.
extern VEK_EXPORT AllocationFunction gAllocationFunction;
extern VEK_EXPORT DeallocationFunction gDeallocationFunction;
extern VEK_EXPORT MemoryCheckFunction gMemoryCheckFunction;
/// Exported for the host only; nothing in the library sets or calls them.
extern VEK_EXPORT ExecutableAllocationFunction gExecutableAllocationFunction;
extern VEK_EXPORT ExecutableDeallocationFunction gExecutableDeallocationFunction;

VEK_EXPORT bool CheckMemoryLegal(const void* block, std::size_t size);

/// A block of size bytes starting at a multiple of alignment (positive). The pointer-sized slot
/// just before the result remembers the start of the underlying block. Null when the hook gives
/// no memory (from the hook or the fallback) and when size plus alignment plus the slot does
/// not fit a size_t.
VEK_EXPORT void* NewAlignedMemory(VEK::MemoryType type, std::size_t size, int alignment);
/// Releases a block from NewAlignedMemory with the same type; null is ignored.
VEK_EXPORT void DeleteAlignedMemory(VEK::MemoryType type, void* pointer) noexcept;

}  // namespace VEK_private

namespace VEK {

inline bool IsAligned(const void* pointer, int alignment) {
    return reinterpret_cast<std::uintptr_t>(pointer) % static_cast<std::uintptr_t>(alignment) == 0;
}

}  // namespace VEK
