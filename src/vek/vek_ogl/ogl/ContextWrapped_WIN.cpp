#include "vek/vek_ogl/ogl/ContextWrapped.h"

#include "vek/core/exceptions/InternalException.h"

namespace VEK {
namespace OGL {

ContextWrapped::ContextWrapped(HDC deviceContext, HGLRC renderContext, HWND window)
    : Context(renderContext) {
    adopt(deviceContext, renderContext, window);
}

ContextWrapped::ContextWrapped() : Context(wglGetCurrentContext()) {
    adopt(wglGetCurrentDC(), renderContext_, nullptr);
}

void ContextWrapped::adopt(HDC deviceContext, HGLRC renderContext, HWND window) {
    if (deviceContext == nullptr) {
        VEK_THROW_INTERNAL("ContextWrapped::ctor invalid device");
    }
    if (renderContext == nullptr) {
        VEK_THROW_INTERNAL("ContextWrapped::ctor invalid rendering context");
    }
    deviceContext_ = deviceContext;
    if (window != nullptr) {
        displayDeviceKey_ = DisplayDeviceFromWindow(window);
    } else {
        ExtensionManager* manager = ExtensionManager::Instance(CurrentContext());
        // A host context the library has never met has no display of its own yet: the primary
        // display stands in.
        displayDeviceKey_ = manager != nullptr && !manager->displayDeviceKey().empty()
                                ? manager->displayDeviceKey()
                                : PrimaryDisplayDevice();
    }
    const bool knownBefore = ExtensionManager::Instance(renderContext) != nullptr;
    ExtensionManager::RegisterContext(*this);
    try {
        RegisterContextWrapped(this);
    } catch (...) {
        if (!knownBefore) {
            ExtensionManager::UnRegisterContext(*this);
        }
        throw;
    }
}

ContextWrapped::~ContextWrapped() {
    UnregisterShareContext(this);
}

void ContextWrapped::makeCurrent() const {
    try {
        Context::makeCurrent();
    } catch (const InternalException&) {
        VEK_THROW_INTERNAL("ContextWrapped Object leaked");
    }
}

}  // namespace OGL
}  // namespace VEK
