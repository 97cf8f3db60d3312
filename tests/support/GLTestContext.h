#pragma once

#include <vek/platform/System.h>

#include "support/HiddenWindow.h"

namespace VEKTest {

// A 64x64 hidden window with a double-buffered RGBA format and an OpenGL context, made through the
// window-system calls as a host would, and current from construction to destruction. With a
// version, the context comes from wglCreateContextAttribsARB (core or compatibility profile).
class GLTestContext {
public:
    struct Options {
        int major = 0;  // 0: a legacy context from wglCreateContext
        int minor = 0;
        bool core = false;
    };

    GLTestContext();
    explicit GLTestContext(const Options& options);
    ~GLTestContext();
    GLTestContext(const GLTestContext&) = delete;
    GLTestContext& operator=(const GLTestContext&) = delete;

    HWND window() const { return window_.window(); }
    HDC dc() const { return window_.dc(); }
    HGLRC context() const { return context_; }
    void makeCurrent() const;

private:
    HiddenWindow window_;
    HGLRC context_ = nullptr;
};

}  // namespace VEKTest
