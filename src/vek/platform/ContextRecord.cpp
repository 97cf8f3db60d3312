#include "vek/platform/ContextRecord.h"

#include <GL/glx.h>
#include <GL/glxext.h>

#include <set>

#include "vek/platform/ContextFeatures.h"
#include "vek/platform/DeviceContext.h"
#include "vek/platform/PixelFormats.h"
#include "vek/platform/XConnection.h"
#include "vek/platform/XErrorTrap.h"

namespace VEK {
namespace Platform {

namespace {

std::set<const ContextRecord*>& Live() {
    static auto* live = new std::set<const ContextRecord*>;
    return *live;
}

GLXContext CreateGLX(Display* display, GLXFBConfig config, GLXContext share,
                     const std::vector<int>& attributes) {
    static const auto create = reinterpret_cast<PFNGLXCREATECONTEXTATTRIBSARBPROC>(
        glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXCreateContextAttribsARB")));
    if (!create) {
        return nullptr;
    }
    XErrorTrap trap(display);
    GLXContext context = create(display, config, share, True, attributes.data());
    if (trap.failed() && context) {
        glXDestroyContext(display, context);
        context = nullptr;
    }
    return context;
}

}  // namespace

ContextRecord::ContextRecord(Display* display, GLXContext glx, int screen, int pixelFormat,
                             std::vector<int> attributes, std::shared_ptr<int> group)
    : display_(display),
      glx_(glx),
      screen_(screen),
      pixelFormat_(pixelFormat),
      attributes_(std::move(attributes)),
      group_(std::move(group)) {
    Live().insert(this);
}

ContextRecord::~ContextRecord() {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    Live().erase(this);
    XErrorTrap trap(display_);
    glXDestroyContext(display_, glx_);
}

ContextRecord* ContextRecord::Create(DeviceContext& deviceContext, const ContextRecord* share,
                                     const std::vector<int>& glxAttributes) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    Display* display = XConnection::Get();
    const PixelFormat* format = deviceContext.format();
    if (!display || !format) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return nullptr;
    }
    std::vector<int> attributes = glxAttributes;
    attributes.insert(
        attributes.begin(),
        {GLX_RENDER_TYPE, format->floatColour() ? GLX_RGBA_FLOAT_TYPE_ARB : GLX_RGBA_TYPE});
    attributes.push_back(None);
    GLXContext glx = CreateGLX(display, format->config, share ? share->glx_ : nullptr, attributes);
    if (!glx) {
        SetLastError(ERROR_INVALID_VERSION_ARB);
        return nullptr;
    }
    return new ContextRecord(display, glx, deviceContext.screen(), deviceContext.pixelFormat(),
                             std::move(attributes),
                             share ? share->group_ : std::make_shared<int>(0));
}

ContextRecord* ContextRecord::FromHandle(HGLRC handle) {
    auto* record = reinterpret_cast<ContextRecord*>(handle);
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    return handle && Live().count(record) ? record : nullptr;
}

void ContextRecord::setCurrentThread(std::thread::id thread) {
    currentThread_ = thread;
    if (thread != std::thread::id()) {
        everCurrent_ = true;
    }
}

bool ContextRecord::joinShareGroupOf(const ContextRecord& other) {
    const PixelFormats* formats = PixelFormats::ForScreen(display_, screen_);
    const PixelFormat* format = formats ? formats->format(pixelFormat_) : nullptr;
    GLXContext glx =
        format ? CreateGLX(display_, format->config, other.glx_, attributes_) : nullptr;
    if (!glx) {
        return false;
    }
    {
        XErrorTrap trap(display_);
        glXDestroyContext(display_, glx_);
    }
    glx_ = glx;
    group_ = other.group_;
    return true;
}

const ContextFeatures& ContextRecord::features() {
    if (!features_) {
        features_ = std::make_unique<ContextFeatures>();
    }
    return *features_;
}

}  // namespace Platform
}  // namespace VEK
