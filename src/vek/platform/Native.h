#pragma once

#include "vek/Export.h"
#include "vek/platform/WGL.h"

namespace VEK {
namespace Platform {

// The native objects behind the platform's handles, for interfaces that share with OpenGL
// directly (OpenCL's GLX context and display keys). Null for a handle the platform did not make
// or has already released.
VEK_EXPORT void* NativeContext(HGLRC context);      // the GLXContext
VEK_EXPORT void* NativeDisplay(HDC deviceContext);  // the X Display* it draws on

}  // namespace Platform
}  // namespace VEK
