#pragma once

#include <string>

#include <vek/platform/System.h>

namespace VEKTest {

// A never-shown window of its own class with its device context, made through the platform's
// Win32 calls, as the library's hidden windows are. Destroys both when it goes.
class HiddenWindow {
public:
    explicit HiddenWindow(int width = 16, int height = 16, DWORD style = WS_OVERLAPPEDWINDOW);
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;
    ~HiddenWindow();

    HWND window() const { return window_; }
    HDC dc() const { return dc_; }

    // A descriptor asking for 8-bit RGBA, 24-bit depth and 8-bit stencil on a window.
    static PIXELFORMATDESCRIPTOR RgbaDescriptor(bool doubleBuffer);
    // Chooses with that descriptor and sets the result; the format, or 0.
    int setRgbaFormat(bool doubleBuffer = true);

private:
    std::string className_;
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

}  // namespace VEKTest
