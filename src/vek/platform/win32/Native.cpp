// Windows: OpenCL shares with OpenGL through the WGL handles themselves.
#include "vek/platform/Native.h"

namespace VEK {
namespace Platform {

void* NativeContext(HGLRC context) {
    return context;
}

void* NativeDisplay(HDC deviceContext) {
    return deviceContext;
}

long NativeDisplayProperty() {
    return 0x200B;  // CL_WGL_HDC_KHR
}

void SetContextDeletedHook(ContextDeletedHook) {}

}  // namespace Platform
}  // namespace VEK
