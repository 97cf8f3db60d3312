#include "vek/vek_ogl/extensionator/EntryPointLookup.h"

#include "vek/platform/System.h"

namespace VEK {
namespace OGL {
namespace internal {

EntryPoint LookupGLEntryPoint(const char* name) {
    return reinterpret_cast<EntryPoint>(::wglGetProcAddress(name));
}

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
