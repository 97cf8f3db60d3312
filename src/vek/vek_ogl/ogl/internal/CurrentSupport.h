#pragma once

#include "vek/platform/System.h"
#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"

namespace VEK {
namespace OGL {
namespace internal {

// Whether the calling thread's current context offers a version or extension. A current
// context the library has not met yet gets its manager first, so that a host's own context
// answers as its driver does; without a current context nothing is supported.
inline bool CurrentContextSupports(OpenGLExtension extension) {
    if (Platform::CurrentContext() == nullptr) {
        return false;
    }
    ExtensionManager::CurrentTable();
    return ExtensionManager::Instance()->isSupported(extension);
}

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
