#pragma once

#include <cstddef>
#include <new>
#include <type_traits>

#include "vek/Export.h"
#include "vek/core/memory/VEKMemoryPrivate.h"

/// Placement allocation through the host's hook: one test of the hook pointer and one call,
/// inline at every site. Non-throwing, so a null result from the hook reaches the creating code
/// as a null object and no constructor runs; the fallback reports exhaustion the same way. An
/// exception thrown by the hook (std::bad_alloc, say) counts as a refused allocation: null.
/// Throws nothing.
inline void* operator new(std::size_t size, VEK::MemoryType type, const char* file,
                          int line) noexcept {
    if (VEK_private::gAllocationFunction) {
        try {
            return VEK_private::gAllocationFunction(size, type, file, line);
        } catch (...) {
            return nullptr;
        }
    }
    return type == VEK::kImageMemory ? ::operator new[](size, std::nothrow)
                                     : ::operator new(size, std::nothrow);
}

/// Placement release through the host's hook, or delete/delete[] by type. Runs also when a
/// constructor throws after the placement allocation. Throws nothing: an exception from the
/// host's hook ends the process.
inline void operator delete(void* block, VEK::MemoryType type, const char* file,
                            int line) noexcept {
    if (VEK_private::gDeallocationFunction) {
        VEK_private::gDeallocationFunction(block, type, file, line);
    } else if (type == VEK::kImageMemory) {
        ::operator delete[](block);
    } else {
        ::operator delete(block);
    }
}

namespace VEK {

/// Installs both hooks; only before the core starts and only while both are still null. A null
/// hook keeps its fallback and may be set by a later call. When a check fails neither changes.
/// Throws InternalException ("!Core::Library::IsInitialized()" while the core runs,
/// "VEK_private::gAllocationFunction == NULL" or "VEK_private::gDeallocationFunction == NULL"
/// when a hook is already set).
VEK_EXPORT void SetAllocationDeallocationFunction(VEK_private::AllocationFunction allocation,
                                                  VEK_private::DeallocationFunction deallocation);
/// Installs the memory check hook, which the library stores but never calls; only before the
/// core starts and only once. Throws InternalException ("!Core::Library::IsInitialized()" while
/// the core runs, "VEK_private::gMemoryCheckFunction == NULL" when already set).
VEK_EXPORT void SetMemoryCheckFunction(VEK_private::MemoryCheckFunction check);

namespace detail {

/// The start of the block that holds object: for a polymorphic type, its most derived object.
/// Throws nothing.
template <class T>
void* BlockOf(T* object) {
    if constexpr (std::is_polymorphic_v<T>) {
        // The allocated block starts at the most derived object.
        return const_cast<void*>(dynamic_cast<const volatile void*>(object));
    } else {
        return const_cast<void*>(static_cast<const volatile void*>(object));
    }
}

}  // namespace detail

/// Destroys an object made with VEK_NEW: destructor, then the placement deallocation with
/// kObjectMemory; null is ignored. Throws nothing.
template <class T>
void DestroyObject(T* object, const char* file, int line) noexcept {
    if (object == nullptr) {
        return;
    }
    void* block = detail::BlockOf(object);
    object->~T();
    ::operator delete(block, kObjectMemory, file, line);
}

}  // namespace VEK

// Every heap object of the library is made and destroyed through these two, which pass the
// creating or destroying statement's file and line to the hooks:
//   Foo* foo = VEK_NEW(Foo)(arguments);   // null when the hook gives no memory
//   VEK_DELETE(foo);
/// Creates a Type through the allocation hook (kObjectMemory); null when no memory is given.
/// Throws only what Type's constructor throws.
#define VEK_NEW(Type) new (::VEK::kObjectMemory, __FILE__, __LINE__) Type
/// Destroys an object made with VEK_NEW; null is ignored. Throws nothing.
#define VEK_DELETE(object) ::VEK::DestroyObject((object), __FILE__, __LINE__)
