#pragma once

#include "vek/Export.h"
#include "vek/platform/WGL.h"

namespace VEK {
namespace Platform {

/// @file
/// The native objects behind the platform's handles, for interfaces that share with OpenGL
/// directly (OpenCL's GLX context and display keys). Null for a handle the platform did not make
/// or has already released; neither throws nor sets the last error.

/// The GLXContext behind a rendering context; null for a handle that is not live. Throws nothing.
VEK_EXPORT void* NativeContext(HGLRC context);      // the GLXContext
VEK_EXPORT void* NativeDisplay(HDC deviceContext);  // the X Display* it draws on
/// @fn void* NativeDisplay(HDC deviceContext)
/// The X Display* a device context draws on; null for a handle that is not live. Throws nothing.

}  // namespace Platform
}  // namespace VEK
