#pragma once

#include <vek/vek_ogl/ogl/Context.h>

namespace VEKTest {

// Reaches the protected side of the library's contexts: the share groups, the pixel-format
// operations and the display queries. Made from a display key, it is a context with no handles
// that can be given a foreign rendering context to place in the groups.
class ContextAccess : public VEK::OGL::Context {
public:
    explicit ContextAccess(VEK::OGL::DisplayDeviceKey const& key = {}) : Context(key) {}

    using Context::ContextVectors;
    using Context::gVectorOfContextVectors;
    using Context::PrimaryDisplayDevice;

    using Context::addShareContext;
    using Context::ChoosePixelFormat;
    using Context::destroyContext;
    using Context::RegisterContextWrapped;
    using Context::setPixelFormat;
    using Context::UnregisterShareContext;

    void adopt(HDC deviceContext, HGLRC renderContext) {
        deviceContext_ = deviceContext;
        renderContext_ = renderContext;
    }
    int pixelFormat() const { return pixelFormat_; }

    // Number of share groups, 0 when the registry is gone.
    static std::size_t Groups() {
        return gVectorOfContextVectors ? gVectorOfContextVectors->size() : 0;
    }
    // Members of the group holding context, 0 when none does.
    static std::size_t GroupSizeOf(Context const* context);
};

inline std::size_t ContextAccess::GroupSizeOf(Context const* context) {
    if (gVectorOfContextVectors != nullptr) {
        for (const auto& group : *gVectorOfContextVectors) {
            for (Context const* member : group) {
                if (member == context) {
                    return group.size();
                }
            }
        }
    }
    return 0;
}

}  // namespace VEKTest
