#pragma once

#include "vek/Export.h"
#include "vek/platform/System.h"

namespace VEK {
namespace Platform {

/// @file
/// The native objects behind the platform's handles, for interfaces that share with OpenGL
/// directly (OpenCL's context and display keys). Null for a handle the platform did not make
/// or has already released; neither throws nor sets the last error.

/// The native rendering context behind a context handle (X11: the GLXContext; Windows: the
/// HGLRC itself); null for a handle that is not live. Throws nothing.
VEK_EXPORT void* NativeContext(HGLRC context);
/// The native display object a device context draws on (X11: the X Display*; Windows: the HDC
/// itself); null for a handle that is not live. Throws nothing.
VEK_EXPORT void* NativeDisplay(HDC deviceContext);
/// The OpenCL context property that names NativeDisplay's object: CL_GLX_DISPLAY_KHR (0x200A) on
/// X11, CL_WGL_HDC_KHR (0x200B) on Windows. Throws nothing.
VEK_EXPORT long NativeDisplayProperty();

}  // namespace Platform
}  // namespace VEK
