#pragma once

#include <vector>

#include "vek/vek_ocl/Platform.h"

namespace VEK {
namespace OCL {

// What a compute context is created with: its platform and, optionally, the OpenGL context it
// shares objects with. On this platform the shared context is the native GLX context and the
// display context the X display it lives on (CL_GLX_DISPLAY_KHR takes the place that the
// Windows device context has on Windows).
class ContextProperties {
public:
    explicit ContextProperties(const Platform& platform)
        : platform_(platform), sharedRenderContext_(nullptr), displayContext_(nullptr) {}

    const Platform& platform() const { return platform_; }
    void* sharedRenderContext() const { return sharedRenderContext_; }
    void* displayContext() const { return displayContext_; }
    void setPlatform(const Platform& platform) { platform_ = platform; }
    void setSharedRenderContext(void* context) { sharedRenderContext_ = context; }
    void setDisplayContext(void* display) { displayContext_ = display; }

    // Appends the zero-terminated OpenCL property list: the platform, then the display and the
    // OpenGL context when one is shared.
    void buildContextPropertiesList(std::vector<cl_context_properties>& list) const;
    std::vector<cl_context_properties> properties() const;

private:
    Platform platform_;
    void* sharedRenderContext_;
    void* displayContext_;
};

}  // namespace OCL
}  // namespace VEK
