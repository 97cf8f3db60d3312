#include "vek/platform/DeviceContext.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <set>

#include "vek/platform/PixelFormats.h"
#include "vek/platform/XConnection.h"
#include "vek/platform/XErrorTrap.h"

namespace VEK {
namespace Platform {

namespace {

// Live objects, so that a stale or foreign handle is refused instead of followed.
std::set<const DeviceContext*>& Live() {
    static auto* live = new std::set<const DeviceContext*>;
    return *live;
}

}  // namespace

DeviceContext::DeviceContext(Display* display, unsigned long window, int screen)
    : display_(display), isPbuffer_(false), window_(window), drawable_(window), screen_(screen) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    Live().insert(this);
}

DeviceContext::DeviceContext(Display* display, unsigned long pbuffer, int screen, int pixelFormat,
                             int width, int height)
    : display_(display),
      isPbuffer_(true),
      drawable_(pbuffer),
      screen_(screen),
      pixelFormat_(pixelFormat),
      width_(width),
      height_(height) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    Live().insert(this);
}

DeviceContext::~DeviceContext() {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    Live().erase(this);
    XErrorTrap trap(display_);
    if (isPbuffer_) {
        glXDestroyPbuffer(display_, drawable_);
    }
    if (child_) {
        XDestroyWindow(display_, child_);
    }
    if (colormap_) {
        XFreeColormap(display_, colormap_);
    }
}

DeviceContext* DeviceContext::FromHandle(HDC handle) {
    auto* dc = reinterpret_cast<DeviceContext*>(handle);
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    return handle && Live().count(dc) ? dc : nullptr;
}

DeviceContext* DeviceContext::FromPbuffer(HPBUFFERARB handle) {
    DeviceContext* dc = FromHandle(reinterpret_cast<HDC>(handle));
    return dc && dc->isPbuffer_ ? dc : nullptr;
}

const PixelFormat* DeviceContext::format() const {
    const PixelFormats* formats = PixelFormats::ForScreen(display_, screen_);
    return formats ? formats->format(pixelFormat_) : nullptr;
}

bool DeviceContext::setPixelFormat(int number) {
    const PixelFormats* formats = PixelFormats::ForScreen(display_, screen_);
    const PixelFormat* f = formats ? formats->format(number) : nullptr;
    if (!f) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return false;
    }
    if (pixelFormat_ != 0) {
        // As on Windows a format is set once; setting the same one again is harmless.
        if (pixelFormat_ == number) {
            return true;
        }
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return false;
    }
    if (isPbuffer_ || !f->drawsToWindow()) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return false;
    }
    XErrorTrap trap(display_);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, window_, &attributes) || trap.failed()) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    if (XVisualIDFromVisual(attributes.visual) != f->visualId) {
        XVisualInfo* visual = glXGetVisualFromFBConfig(display_, f->config);
        if (!visual) {
            SetLastError(ERROR_INVALID_PIXEL_FORMAT);
            return false;
        }
        XErrorTrap childTrap(display_);
        const Window root = RootWindow(display_, screen_);
        const Colormap colormap = XCreateColormap(display_, root, visual->visual, AllocNone);
        XSetWindowAttributes set{};
        set.colormap = colormap;
        set.border_pixel = 0;
        set.background_pixmap = None;
        const Window child = XCreateWindow(
            display_, window_, 0, 0, static_cast<unsigned>(std::max(attributes.width, 1)),
            static_cast<unsigned>(std::max(attributes.height, 1)), 0, visual->depth, InputOutput,
            visual->visual, CWColormap | CWBorderPixel | CWBackPixmap, &set);
        XFree(visual);
        XMapWindow(display_, child);
        if (childTrap.failed()) {
            if (child) {
                XDestroyWindow(display_, child);
            }
            XFreeColormap(display_, colormap);
            XSync(display_, False);
            SetLastError(ERROR_NO_SYSTEM_RESOURCES);
            return false;
        }
        child_ = child;
        colormap_ = colormap;
        drawable_ = child;
    }
    width_ = attributes.width;
    height_ = attributes.height;
    pixelFormat_ = number;
    return true;
}

bool DeviceContext::followWindow() {
    if (isPbuffer_) {
        return true;
    }
    XErrorTrap trap(display_);
    Window root;
    int x, y;
    unsigned w = 0, h = 0, border, depth;
    const Status ok = XGetGeometry(display_, window_, &root, &x, &y, &w, &h, &border, &depth);
    if (trap.failed() || !ok) {
        return false;
    }
    if (child_ && (static_cast<int>(w) != width_ || static_cast<int>(h) != height_)) {
        XResizeWindow(display_, child_, w, h);
    }
    width_ = static_cast<int>(w);
    height_ = static_cast<int>(h);
    return true;
}

}  // namespace Platform
}  // namespace VEK
