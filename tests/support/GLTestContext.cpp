#include "support/GLTestContext.h"

#include <stdexcept>
#include <string>

namespace VEKTest {

namespace {

const char* const kClassName = "VEKTestWindow";

void RegisterTestClass() {
    static bool registered = false;
    if (registered) {
        return;
    }
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = &DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    registered = RegisterClassExA(&windowClass) != 0;
    if (!registered) {
        throw std::runtime_error("RegisterClassExA failed: " + std::to_string(GetLastError()));
    }
}

void Require(bool condition, const char* what) {
    if (!condition) {
        throw std::runtime_error(std::string(what) + " failed, last error " +
                                 std::to_string(GetLastError()));
    }
}

}  // namespace

GLTestContext::GLTestContext() : GLTestContext(Options()) {}

GLTestContext::GLTestContext(const Options& options) {
    RegisterTestClass();
    window_ = CreateWindowExA(0, kClassName, "vek test", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    Require(window_ != nullptr, "CreateWindowExA");
    dc_ = GetDC(window_);
    Require(dc_ != nullptr, "GetDC");
    PIXELFORMATDESCRIPTOR descriptor{};
    descriptor.nSize = sizeof(descriptor);
    descriptor.nVersion = 1;
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = 24;
    descriptor.cAlphaBits = 8;
    descriptor.cDepthBits = 24;
    const int format = ChoosePixelFormat(dc_, &descriptor);
    Require(format > 0, "ChoosePixelFormat");
    Require(SetPixelFormat(dc_, format, &descriptor) != 0, "SetPixelFormat");
    if (options.major == 0) {
        context_ = wglCreateContext(dc_);
    } else {
        const int attributes[] = {WGL_CONTEXT_MAJOR_VERSION_ARB,
                                  options.major,
                                  WGL_CONTEXT_MINOR_VERSION_ARB,
                                  options.minor,
                                  WGL_CONTEXT_PROFILE_MASK_ARB,
                                  options.core ? WGL_CONTEXT_CORE_PROFILE_BIT_ARB
                                               : WGL_CONTEXT_COMPATIBILITY_PROFILE_BIT_ARB,
                                  0};
        context_ = wglCreateContextAttribsARB(dc_, nullptr, attributes);
    }
    Require(context_ != nullptr, "creating the context");
    makeCurrent();
}

GLTestContext::~GLTestContext() {
    if (wglGetCurrentContext() == context_) {
        wglMakeCurrent(nullptr, nullptr);
    }
    if (context_) {
        wglDeleteContext(context_);
    }
    if (dc_) {
        ReleaseDC(window_, dc_);
    }
    if (window_) {
        DestroyWindow(window_);
    }
}

void GLTestContext::makeCurrent() const {
    Require(wglMakeCurrent(dc_, context_) != 0, "wglMakeCurrent");
}

}  // namespace VEKTest
