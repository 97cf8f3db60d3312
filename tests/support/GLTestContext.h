#pragma once

#include <string>

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

// A 64x64 RGBA framebuffer object bound for drawing and reading in the current context, with the
// viewport on it, made through the driver's entry points past the library. Drawings that are read
// back go here: Windows leaves the pixels of a window that is not shown undefined.
class FramebufferTarget {
public:
    FramebufferTarget();
    ~FramebufferTarget();
    FramebufferTarget(const FramebufferTarget&) = delete;
    FramebufferTarget& operator=(const FramebufferTarget&) = delete;

private:
    unsigned framebuffer_ = 0, renderbuffer_ = 0;
};

// What the driver itself reports, read past the library: the current context's GL_VERSION and
// GL_SHADING_LANGUAGE_VERSION ("4.5 (Compatibility Profile) Mesa ..." is 4 and 5, "4.50" 4 and 50)
// and GL_RENDERER.
struct DriverReport {
    unsigned major = 0, minor = 0;
    unsigned glslMajor = 0, glslMinor = 0;
    std::string renderer;

    // The version the library keeps for it, as "major.minor": one above the highest it knows
    // (4.1) is kept as 4.1.
    std::string keptVersion() const;
};
DriverReport CurrentDriverReport();

// Whether the driver has multisampled window configurations on the platform's first screen
// (llvmpipe has, softpipe has none): the library's extended path finds a format only then.
bool DriverHasMultisampledWindowFormats();

}  // namespace VEKTest
