#include "vek/platform/Native.h"

#include "vek/platform/ContextRecord.h"
#include "vek/platform/DeviceContext.h"
#include "vek/platform/XConnection.h"

namespace VEK {
namespace Platform {

void* NativeContext(HGLRC context) {
    const ContextRecord* record = ContextRecord::FromHandle(context);
    return record ? static_cast<void*>(record->glx()) : nullptr;
}

void* NativeDisplay(HDC deviceContext) {
    // Every device context lives on the process's one connection.
    return DeviceContext::FromHandle(deviceContext) ? static_cast<void*>(XConnection::Get())
                                                    : nullptr;
}

long NativeDisplayProperty() {
    return 0x200A;  // CL_GLX_DISPLAY_KHR
}

}  // namespace Platform
}  // namespace VEK
