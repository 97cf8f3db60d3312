#include "vek/vek_ogl/ogl/internal/ContextBootstrap.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/wgl/ExtensionsWGL.h"
#include "vek/vek_ogl/extensionator/wgl/WGLInterceptor.h"

namespace VEK {
namespace OGL {
namespace internal {

ContextBootstrap::ContextBootstrap(DisplayDeviceKey const& key) : Context(key) {
    // Placed on the display's desktop area, so that the display's adapter serves it.
    window_ = CreateInternalWindow(key);
    try {
        deviceContext_ = GetDC(window_->window());
        WGLInterceptor* wgl = WGLInterceptor::Instance();
        const auto createContextAttribs = reinterpret_cast<PFN_wcgmCreateContextAttribsARB>(
            reinterpret_cast<internal::EntryPoint>(
                wgl->wcgmGetProcAddress(__FILE__, __LINE__, "wglCreateContextAttribsARB")));
        if (createContextAttribs != nullptr) {
            const int attributes[] = {WGL_CONTEXT_MAJOR_VERSION_ARB, 4,
                                      WGL_CONTEXT_MINOR_VERSION_ARB, 2, 0};
            renderContext_ = createContextAttribs(deviceContext_, nullptr, attributes);
        }
        if (renderContext_ == nullptr) {
            pixelFormat_ = 1;
            setPixelFormat(deviceContext_, 1);
            renderContext_ = wgl->wcgmCreateContext(__FILE__, __LINE__, deviceContext_);
            if (renderContext_ == nullptr) {
                VEK_THROW_INTERNAL(
                    "Context::createRenderingContext Can't create rendering context");
            }
        }
    } catch (...) {
        release();
        throw;
    }
}

ContextBootstrap::~ContextBootstrap() {
    release();
}

void ContextBootstrap::release() noexcept {
    try {
        WGLInterceptor::Instance()->wcgmMakeCurrent(__FILE__, __LINE__, nullptr, nullptr);
        if (renderContext_ != nullptr) {
            destroyContext();
        }
    } catch (const std::exception&) {
        // Nothing is current any more; a context the driver refused to delete stays its own.
    }
    window_.reset();
}

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
