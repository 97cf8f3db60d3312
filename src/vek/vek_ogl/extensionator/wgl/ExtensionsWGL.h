#pragma once

#include "vek/Export.h"
#include "vek/platform/System.h"
#include "vek/vek_ogl/extensionator/wgl/generated/WGLExtensions.h"

namespace VEK {
namespace OGL {

// The WGL extension entry points, process-wide, filled by the extension manager's WGL loaders
// with the last initialised context's lookups (null where a lookup failed). Called directly.
// One pointer per entry point of the generated WGL extension rows: _wcgmCreatePbufferARB of
// type PFN_wcgmCreatePbufferARB for wglCreatePbufferARB, and so on.
#define VEK_WGL_DECLARE_POINTER(Return, Name, Params) \
    typedef Return(*PFN_wcgm##Name) Params;           \
    extern VEK_EXPORT PFN_wcgm##Name _wcgm##Name;
#define VEK_WGL_DECLARE_POINTERS(Extension, Enumerator) \
    VEK_WGL_ENTRY_POINTS_##Extension(VEK_WGL_DECLARE_POINTER)
VEK_WGL_LOADED_EXTENSIONS(VEK_WGL_DECLARE_POINTERS)
#undef VEK_WGL_DECLARE_POINTERS
#undef VEK_WGL_DECLARE_POINTER

}  // namespace OGL
}  // namespace VEK
