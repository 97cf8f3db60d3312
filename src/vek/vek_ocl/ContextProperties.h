#pragma once

#include <vector>

#include "vek/Export.h"
#include "vek/platform/System.h"
#include "vek/vek_ocl/Platform.h"

namespace VEK {
namespace OCL {

/// What a compute context is created with: its platform and, optionally, the OpenGL context it
/// shares objects with, named by the library's handles. The property list carries the native
/// objects behind them: the GLX context and the X display of the device context
/// (CL_GLX_DISPLAY_KHR takes the place that the device context has on Windows).
class VEK_EXPORT ContextProperties {
public:
    /// On the platform, sharing no OpenGL context. Throws nothing.
    explicit ContextProperties(const Platform& platform)
        : platform_(platform), sharedRenderContext_(nullptr), displayContext_(nullptr) {}

    /// The platform the context is created on. Throws nothing.
    const Platform& platform() const { return platform_; }
    /// The OpenGL context to share objects with; null for none. Throws nothing.
    HGLRC sharedRenderContext() const { return sharedRenderContext_; }
    /// The device context that goes with the shared OpenGL context; null for none. Throws
    /// nothing.
    HDC displayContext() const { return displayContext_; }
    /// Sets the platform. Throws nothing.
    void setPlatform(const Platform& platform) { platform_ = platform; }
    /// Sets the OpenGL context to share; null shares none. Throws nothing.
    void setSharedRenderContext(HGLRC context) { sharedRenderContext_ = context; }
    /// Sets the device context of the shared OpenGL context. Throws nothing.
    void setDisplayContext(HDC deviceContext) { displayContext_ = deviceContext; }

    /// Appends the zero-terminated OpenCL property list: the platform, then the display and the
    /// OpenGL context when one is shared. A handle the platform does not know throws before
    /// anything is appended (InternalException). The list is appended, not replaced.
    void buildContextPropertiesList(std::vector<cl_context_properties>& list) const;
    /// A new vector holding exactly that property list. Throws as buildContextPropertiesList().
    std::vector<cl_context_properties> properties() const;

private:
    Platform platform_;
    HGLRC sharedRenderContext_;
    HDC displayContext_;
};

}  // namespace OCL
}  // namespace VEK
