#pragma once

#include <vek/platform/System.h>

namespace vekinfo {

// A hidden window with a chosen pixel format and an OpenGL context, made with the platform's
// Win32 and WGL calls as a host would, current while the object lives.
class PlatformContext {
public:
    PlatformContext(int width, int height);
    ~PlatformContext();
    PlatformContext(const PlatformContext&) = delete;
    PlatformContext& operator=(const PlatformContext&) = delete;

    HWND window() const { return window_; }
    HDC dc() const { return dc_; }
    HGLRC context() const { return context_; }
    int pixelFormat() const { return format_; }

private:
    void release();

    HINSTANCE instance_ = nullptr;
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
    HGLRC context_ = nullptr;
    int format_ = 0;
};

}  // namespace vekinfo
