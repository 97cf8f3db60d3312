#pragma once

#include "vek/platform/WGL.h"

typedef struct _XDisplay Display;

namespace VEK {
namespace Platform {

struct PixelFormat;

// What an HDC stands for: the drawable of one window or pbuffer and the pixel format set on it.
// A window keeps its visual from creation, so when a format needs another visual the device
// context draws into a child window made with that visual, covering the window.
class DeviceContext {
public:
    // A window's device context; window is the X window the HWND names.
    DeviceContext(Display* display, unsigned long window, int screen);
    // A pbuffer's, already holding the format it was made with.
    DeviceContext(Display* display, unsigned long pbuffer, int screen, int pixelFormat, int width,
                  int height);
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;
    ~DeviceContext();

    // The live object behind a handle, or null (null handle, destroyed, never made).
    static DeviceContext* FromHandle(HDC handle);
    static DeviceContext* FromPbuffer(HPBUFFERARB handle);
    HDC handle() { return reinterpret_cast<HDC>(this); }
    HPBUFFERARB pbufferHandle() { return reinterpret_cast<HPBUFFERARB>(this); }

    bool isPbuffer() const { return isPbuffer_; }
    int screen() const { return screen_; }
    unsigned long window() const { return window_; }
    // What GLX draws into: the window, its child, or the pbuffer.
    unsigned long drawable() const { return drawable_; }
    int pixelFormat() const { return pixelFormat_; }
    const PixelFormat* format() const;
    int width() const { return width_; }
    int height() const { return height_; }

    // Sets the format once; false with the last error set otherwise.
    bool setPixelFormat(int number);
    // Checks that the window still exists (a host may destroy its own) and keeps a child drawable
    // the size of its window (the host may have resized it). False when the window is gone.
    bool followWindow();

    // Threads that hold it in their current pair, and whether GLX has ever drawn into it.
    int currentThreads() const { return currentThreads_; }
    void addCurrentThread() {
        ++currentThreads_;
        bound_ = true;
    }
    void removeCurrentThread() { --currentThreads_; }
    bool bound() const { return bound_; }

    int swapInterval() const { return swapInterval_; }
    void setSwapInterval(int interval) { swapInterval_ = interval; }

private:
    Display* display_;
    bool isPbuffer_;
    unsigned long window_ = 0;
    unsigned long drawable_ = 0;
    unsigned long child_ = 0;
    unsigned long colormap_ = 0;
    int screen_;
    int pixelFormat_ = 0;
    int width_ = 0;
    int height_ = 0;
    int currentThreads_ = 0;
    bool bound_ = false;
    int swapInterval_ = 1;
};

}  // namespace Platform
}  // namespace VEK
