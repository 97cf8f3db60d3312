#include "vek/vek_ogl/ogl/ContextWindowed.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/wgl/ExtensionsWGL.h"
#include "vek/vek_ogl/extensionator/wgl/WGLInterceptor.h"

namespace VEK {
namespace OGL {

DisplayDeviceKey ContextWindowed::KeyOfWindow(HWND window) {
    // Without a window there is no display to look for.
    if (window == nullptr) {
        VEK_THROW_INTERNAL("ContextWindowed::ctor invalid DC on window");
    }
    return DisplayDeviceFromWindow(window);
}

ContextWindowed::ContextWindowed(HWND window, BufferFormat const& format, Buffering buffering,
                                 Multisampling multisampling, Context const* shareContext)
    : Context(KeyOfWindow(window)) {
    initialize(GetDC(window), format, buffering, multisampling, shareContext);
    registerCreated(shareContext);
}

ContextWindowed::~ContextWindowed() {
    releaseCreated();
}

void ContextWindowed::swapBuffers() const {
    WGLInterceptor::Instance()->wcgmSwapBuffers(__FILE__, __LINE__, deviceContext_);
}

void ContextWindowed::enableSyncToVerticalRetrace(bool on) const {
    if (!SupportsVerticalRetraceControl() || _wcgmSwapIntervalEXT == nullptr) {
        VEK_THROW_INTERNAL("ContextWindowed::enableSyncToVerticalRetrace unsupported feature");
    }
    _wcgmSwapIntervalEXT(on ? 1 : 0);
}

}  // namespace OGL
}  // namespace VEK
