#pragma once

#include "vek/core/memory/VEKMemory.h"

namespace VEK {

/// Deleter for shared pointers to objects made with VEK_NEW.
template <class T>
struct VEKDeleter {
    /// Destroys object as VEK_DELETE does; null is ignored. Throws nothing.
    void operator()(T* object) const noexcept { VEK_DELETE(object); }
};

/// For shared pointers that do not own their target.
struct NullDeleter {
    /// Does nothing. Throws nothing.
    void operator()(const void*) const noexcept {}
};

/// Releases image memory from VEK_private::NewAlignedMemory with kImageMemory.
struct VEKImageAlignedDeleter {
    /// Releases pointer as DeleteAlignedMemory(kImageMemory, pointer) does. Throws nothing.
    void operator()(void* pointer) const noexcept {
        VEK_private::DeleteAlignedMemory(kImageMemory, pointer);
    }
};

}  // namespace VEK
