#include "PlatformContext.h"

#include <vek/core/exceptions/InternalException.h>

namespace vekinfo {

namespace {

const char* const kClassName = "vekinfo";

LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

PlatformContext::PlatformContext(int width, int height) : instance_(GetModuleHandleW(nullptr)) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_CLASSDC;
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = instance_;
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExA(&windowClass)) {
        VEK_THROW_INTERNAL("RegisterClassExA failed, error " << GetLastError());
    }
    window_ = CreateWindowExA(0, kClassName, "vekinfo", WS_OVERLAPPEDWINDOW, 0, 0, width, height,
                              nullptr, nullptr, instance_, nullptr);
    dc_ = window_ ? GetDC(window_) : nullptr;
    PIXELFORMATDESCRIPTOR wanted{};
    wanted.nSize = sizeof wanted;
    wanted.nVersion = 1;
    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    wanted.cColorBits = 32;
    wanted.cDepthBits = 24;
    format_ = dc_ ? ChoosePixelFormat(dc_, &wanted) : 0;
    if (format_ && SetPixelFormat(dc_, format_, &wanted)) {
        context_ = wglCreateContext(dc_);
    }
    if (!context_ || !wglMakeCurrent(dc_, context_)) {
        const DWORD error = GetLastError();
        release();
        VEK_THROW_INTERNAL("no OpenGL context through the platform's WGL, error " << error);
    }
}

PlatformContext::~PlatformContext() {
    release();
}

void PlatformContext::release() {
    if (context_) {
        if (wglGetCurrentContext() == context_) {
            wglMakeCurrent(nullptr, nullptr);
        }
        wglDeleteContext(context_);
        context_ = nullptr;
    }
    if (window_) {
        ReleaseDC(window_, dc_);
        DestroyWindow(window_);
        window_ = nullptr;
    }
    UnregisterClassA(kClassName, instance_);
}

}  // namespace vekinfo
