#pragma once

#include "vek/core/memory/VEKMemory.h"

namespace VEK {

/// Deleter for shared pointers to objects made with VEK_NEW.
template <class T>
struct VEKDeleter {
    void operator()(T* object) const noexcept { VEK_DELETE(object); }
};

/// For shared pointers that do not own their target.
struct NullDeleter {
    void operator()(const void*) const noexcept {}
};

/// Releases image memory from VEK_private::NewAlignedMemory with kImageMemory.
struct VEKImageAlignedDeleter {
    void operator()(void* pointer) const noexcept {
        VEK_private::DeleteAlignedMemory(kImageMemory, pointer);
    }
};

}  // namespace VEK
