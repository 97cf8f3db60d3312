#pragma once

// Windows: the system's own Win32, GDI and WGL declarations, with the WGL extensions' tokens and
// handle types from the Khronos header that comes with the compiler.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <GL/gl.h>
#include <GL/wglext.h>

#include "vek/Export.h"

namespace VEK {
namespace Platform {

// The calling thread's current context, as opengl32 keeps it: a host may change it with its own
// wglMakeCurrent at any time, so it is asked every time.
inline HGLRC CurrentContext() {
    return ::wglGetCurrentContext();
}

// opengl32 tells no one when a context is deleted, and a host may call it directly: the hook
// is taken and never called here, so nothing may depend on it.
typedef void (*ContextDeletedHook)(HGLRC context);
void SetContextDeletedHook(ContextDeletedHook hook);

}  // namespace Platform
}  // namespace VEK
