#include "support/GLTestContext.h"

#include <cstdio>
#include <stdexcept>
#include <string>

#include <GL/gl.h>
#include <GL/glext.h>
#if !defined(_WIN32)
#include <GL/glx.h>

#include <vek/platform/XConnection.h>
#endif

namespace VEKTest {

namespace {

void Require(bool condition, const char* what) {
    if (!condition) {
        throw std::runtime_error(std::string(what) + " failed, last error " +
                                 std::to_string(GetLastError()));
    }
}

}  // namespace

GLTestContext::GLTestContext() : GLTestContext(Options()) {}

GLTestContext::GLTestContext(const Options& options) : window_(64, 64) {
    Require(window_.setRgbaFormat() > 0, "choosing and setting the pixel format");
    if (options.major == 0) {
        context_ = wglCreateContext(dc());
    } else {
        const int attributes[] = {WGL_CONTEXT_MAJOR_VERSION_ARB,
                                  options.major,
                                  WGL_CONTEXT_MINOR_VERSION_ARB,
                                  options.minor,
                                  WGL_CONTEXT_PROFILE_MASK_ARB,
                                  options.core ? WGL_CONTEXT_CORE_PROFILE_BIT_ARB
                                               : WGL_CONTEXT_COMPATIBILITY_PROFILE_BIT_ARB,
                                  0};
        // The extension's entry point is found through a current context, as on Windows.
        typedef HGLRC (*CreateContextAttribs)(HDC, HGLRC, const int*);
        HGLRC finder = wglCreateContext(dc());
        Require(finder != nullptr && wglMakeCurrent(dc(), finder), "making a context current");
        const auto create = reinterpret_cast<CreateContextAttribs>(
            reinterpret_cast<void (*)()>(wglGetProcAddress("wglCreateContextAttribsARB")));
        context_ = create ? create(dc(), nullptr, attributes) : nullptr;
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(finder);
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
}

void GLTestContext::makeCurrent() const {
    Require(wglMakeCurrent(dc(), context_) != 0, "wglMakeCurrent");
}

namespace {

template <class Function>
Function DriverEntryPoint(const char* name) {
    // Through the generic function type, which any entry point's type may be cast from and to.
    const auto found =
        reinterpret_cast<Function>(reinterpret_cast<void (*)()>(wglGetProcAddress(name)));
    Require(found != nullptr, name);
    return found;
}

}  // namespace

FramebufferTarget::FramebufferTarget() {
    DriverEntryPoint<PFNGLGENFRAMEBUFFERSPROC>("glGenFramebuffers")(1, &framebuffer_);
    DriverEntryPoint<PFNGLGENRENDERBUFFERSPROC>("glGenRenderbuffers")(1, &renderbuffer_);
    DriverEntryPoint<PFNGLBINDRENDERBUFFERPROC>("glBindRenderbuffer")(GL_RENDERBUFFER,
                                                                      renderbuffer_);
    DriverEntryPoint<PFNGLRENDERBUFFERSTORAGEPROC>("glRenderbufferStorage")(GL_RENDERBUFFER,
                                                                            GL_RGBA8, 64, 64);
    DriverEntryPoint<PFNGLBINDFRAMEBUFFERPROC>("glBindFramebuffer")(GL_FRAMEBUFFER, framebuffer_);
    DriverEntryPoint<PFNGLFRAMEBUFFERRENDERBUFFERPROC>("glFramebufferRenderbuffer")(
        GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffer_);
    Require(DriverEntryPoint<PFNGLCHECKFRAMEBUFFERSTATUSPROC>("glCheckFramebufferStatus")(
                GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE,
            "completing the framebuffer");
    glViewport(0, 0, 64, 64);  // the window's client area may be larger on Windows
}

FramebufferTarget::~FramebufferTarget() {
    DriverEntryPoint<PFNGLBINDFRAMEBUFFERPROC>("glBindFramebuffer")(GL_FRAMEBUFFER, 0);
    DriverEntryPoint<PFNGLDELETEFRAMEBUFFERSPROC>("glDeleteFramebuffers")(1, &framebuffer_);
    DriverEntryPoint<PFNGLDELETERENDERBUFFERSPROC>("glDeleteRenderbuffers")(1, &renderbuffer_);
}

DriverReport CurrentDriverReport() {
    DriverReport report;
    const auto text = [](GLenum name) {
        const GLubyte* value = glGetString(name);
        return value ? std::string(reinterpret_cast<const char*>(value)) : std::string();
    };
    std::sscanf(text(GL_VERSION).c_str(), "%u.%u", &report.major, &report.minor);
    std::sscanf(text(GL_SHADING_LANGUAGE_VERSION).c_str(), "%u.%u", &report.glslMajor,
                &report.glslMinor);
    report.renderer = text(GL_RENDERER);
    return report;
}

std::string DriverReport::keptVersion() const {
    if (major > 4 || (major == 4 && minor > 1)) {
        return "4.1";
    }
    return std::to_string(major) + "." + std::to_string(minor);
}

#if defined(_WIN32)
bool DriverHasMultisampledWindowFormats() {
    // The chooser is an extension entry point: found through a context of its own, after which
    // the caller's current context is current again.
    const HDC callersDc = wglGetCurrentDC();
    const HGLRC callersContext = wglGetCurrentContext();
    bool found = false;
    {
        const GLTestContext finder;
        const auto choose = reinterpret_cast<PFNWGLCHOOSEPIXELFORMATARBPROC>(
            reinterpret_cast<void (*)()>(wglGetProcAddress("wglChoosePixelFormatARB")));
        const int multisampled[] = {WGL_DRAW_TO_WINDOW_ARB,
                                    TRUE,
                                    WGL_SUPPORT_OPENGL_ARB,
                                    TRUE,
                                    WGL_SAMPLE_BUFFERS_ARB,
                                    1,
                                    0};
        int format = 0;
        UINT count = 0;
        found =
            choose && choose(finder.dc(), multisampled, nullptr, 1, &format, &count) && count > 0;
    }
    wglMakeCurrent(callersDc, callersContext);
    return found;
}
#else
bool DriverHasMultisampledWindowFormats() {
    const int multisampled[] = {GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT, GLX_SAMPLE_BUFFERS, 1, None};
    int count = 0;
    XFree(glXChooseFBConfig(VEK::Platform::XConnection::Get(), 0, multisampled, &count));
    return count > 0;
}
#endif

}  // namespace VEKTest
