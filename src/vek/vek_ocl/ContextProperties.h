#pragma once

#include <vector>

#include "vek/Export.h"
#include "vek/platform/System.h"
#include "vek/vek_ocl/Platform.h"

namespace VEK {
namespace OCL {

// What a compute context is created with: its platform and, optionally, the OpenGL context it
// shares objects with, named by the library's handles. The property list carries the native
// objects behind them: the GLX context and the X display of the device context
// (CL_GLX_DISPLAY_KHR takes the place that the device context has on Windows).
class VEK_EXPORT ContextProperties {
public:
    explicit ContextProperties(const Platform& platform)
        : platform_(platform), sharedRenderContext_(nullptr), displayContext_(nullptr) {}

    const Platform& platform() const { return platform_; }
    HGLRC sharedRenderContext() const { return sharedRenderContext_; }
    HDC displayContext() const { return displayContext_; }
    void setPlatform(const Platform& platform) { platform_ = platform; }
    void setSharedRenderContext(HGLRC context) { sharedRenderContext_ = context; }
    void setDisplayContext(HDC deviceContext) { displayContext_ = deviceContext; }

    // Appends the zero-terminated OpenCL property list: the platform, then the display and the
    // OpenGL context when one is shared. A handle the platform does not know throws before
    // anything is appended.
    void buildContextPropertiesList(std::vector<cl_context_properties>& list) const;
    std::vector<cl_context_properties> properties() const;

private:
    Platform platform_;
    HGLRC sharedRenderContext_;
    HDC displayContext_;
};

}  // namespace OCL
}  // namespace VEK
