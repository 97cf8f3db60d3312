#include "support/HiddenWindow.h"

#include <sstream>

namespace VEKTest {

namespace {

LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HiddenWindow::HiddenWindow(int width, int height, DWORD style) {
    std::ostringstream name;
    name << "VEKTest" << static_cast<const void*>(this);
    className_ = name.str();
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_CLASSDC;
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.lpszClassName = className_.c_str();
    if (RegisterClassExA(&windowClass) == 0) {
        return;
    }
    window_ = CreateWindowExA(0, className_.c_str(), "", style, 0, 0, width, height, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    dc_ = window_ ? GetDC(window_) : nullptr;
}

HiddenWindow::~HiddenWindow() {
    if (window_) {
        ReleaseDC(window_, dc_);
        DestroyWindow(window_);
    }
    UnregisterClassA(className_.c_str(), GetModuleHandleW(nullptr));
}

PIXELFORMATDESCRIPTOR HiddenWindow::RgbaDescriptor(bool doubleBuffer) {
    PIXELFORMATDESCRIPTOR wanted{};
    wanted.nSize = sizeof wanted;
    wanted.nVersion = 1;
    wanted.dwFlags =
        PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | (doubleBuffer ? PFD_DOUBLEBUFFER : 0);
    wanted.iPixelType = PFD_TYPE_RGBA;
    wanted.cColorBits = 32;
    wanted.cAlphaBits = 8;
    wanted.cDepthBits = 24;
    wanted.cStencilBits = 8;
    return wanted;
}

int HiddenWindow::setRgbaFormat(bool doubleBuffer) {
    const PIXELFORMATDESCRIPTOR wanted = RgbaDescriptor(doubleBuffer);
    const int format = ChoosePixelFormat(dc_, &wanted);
    return format > 0 && SetPixelFormat(dc_, format, &wanted) ? format : 0;
}

}  // namespace VEKTest
