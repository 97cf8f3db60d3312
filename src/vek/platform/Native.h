#pragma once

#include "vek/Export.h"
#include "vek/platform/System.h"

namespace VEK {
namespace Platform {

// The native objects behind the platform's handles, for interfaces that share with OpenGL
// directly (OpenCL's context and display keys). Null for a handle the platform did not make
// or has already released.
// X11: the GLXContext and the X Display* the device context draws on; Windows: the HGLRC and
// the HDC themselves.
VEK_EXPORT void* NativeContext(HGLRC context);
VEK_EXPORT void* NativeDisplay(HDC deviceContext);
// The OpenCL context property that names NativeDisplay's object: CL_GLX_DISPLAY_KHR (0x200A) on
// X11, CL_WGL_HDC_KHR (0x200B) on Windows.
VEK_EXPORT long NativeDisplayProperty();

}  // namespace Platform
}  // namespace VEK
