// A host application that already has a window and an OpenGL context of its own and lets VEK
// join in: VEK wraps the host's context, makes an off-screen context sharing its objects and a
// windowed context in a second window of the host's. A texture made in VEK's off-screen context
// is drawn by the host; VEK's windowed context renders on its own. The pixels are checked.
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include <vek/core/CoreLibrary.h>
#include <vek/core/exceptions/ExceptionBase.h>
#include <vek/platform/System.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/ogl/BufferFormat.h>
#include <vek/vek_ogl/ogl/ContextOffscreen.h>
#include <vek/vek_ogl/ogl/ContextWindowed.h>
#include <vek/vek_ogl/ogl/ContextWrapped.h>

namespace {

int gFailures = 0;

void Check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok  " : "FAIL", what);
    gFailures += ok ? 0 : 1;
}

bool Near(const GLubyte* pixel, int r, int g, int b) {
    return std::abs(pixel[0] - r) < 2 && std::abs(pixel[1] - g) < 2 && std::abs(pixel[2] - b) < 2;
}

LRESULT WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

// The host's own window, made as any Win32 program makes one.
HWND MakeWindow(const char* title, int width, int height) {
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    return CreateWindowExA(0, "HostWindow", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                           frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

void Run() {
    HWND hostWindow = MakeWindow("host", 64, 64);
    HWND vekWindow = MakeWindow("VEK", 64, 64);
    if (!hostWindow || !vekWindow) {
        std::printf("no window: error %u (is an X server running?)\n", GetLastError());
        ++gFailures;
        return;
    }
    HDC hostDC = GetDC(hostWindow);
    PIXELFORMATDESCRIPTOR wanted{};
    wanted.nSize = sizeof wanted;
    wanted.nVersion = 1;
    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    wanted.cColorBits = 24;
    SetPixelFormat(hostDC, ChoosePixelFormat(hostDC, &wanted), &wanted);
    HGLRC hostContext = wglCreateContext(hostDC);
    Check(hostContext && wglMakeCurrent(hostDC, hostContext), "host context current");

    {
        // VEK adopts the host's current context, then shares with it off-screen.
        VEK::OGL::ContextWrapped host;
        VEK::OGL::ContextOffscreen offscreen(&host);
        Check(wglGetCurrentContext() == hostContext, "host context still current after VEK's");

        offscreen.makeCurrent();
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        const GLubyte green[4] = {0, 255, 0, 255};
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, green);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glFinish();

        // The host draws VEK's texture over the right half of its window.
        host.makeCurrent();
        Check(offscreen.isSharingWithCurrentContext(),
              "VEK's off-screen context shares with the host");
        glViewport(0, 0, 64, 64);
        glClearColor(0.f, 0.f, 1.f, 1.f);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
        glBegin(GL_QUADS);
        glTexCoord2f(0.f, 0.f);
        glVertex2f(0.f, -1.f);
        glTexCoord2f(1.f, 0.f);
        glVertex2f(1.f, -1.f);
        glTexCoord2f(1.f, 1.f);
        glVertex2f(1.f, 1.f);
        glTexCoord2f(0.f, 1.f);
        glVertex2f(0.f, 1.f);
        glEnd();
        glDisable(GL_TEXTURE_2D);
        glFinish();
        GLubyte left[4] = {}, right[4] = {};
        glReadPixels(8, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, left);
        glReadPixels(56, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, right);
        Check(Near(left, 0, 0, 255), "host's clear on the left");
        Check(Near(right, 0, 255, 0), "VEK's texture drawn by the host on the right");

        // VEK renders into the host's second window with a context of its own.
        VEK::OGL::ContextWindowed windowed(
            vekWindow, VEK::OGL::BufferFormat(VEK::OGL::BufferFormat::kRGBA8_D24),
            VEK::OGL::Context::kDoubleBuffered, VEK::OGL::Context::kNoMultisampling);
        Check(wglGetCurrentContext() == hostContext, "host context still current");
        windowed.makeCurrent();
        glClearColor(1.f, 1.f, 0.f, 1.f);
        glClear(GL_COLOR_BUFFER_BIT);
        GLubyte yellow[4] = {};
        glReadPixels(32, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, yellow);
        Check(Near(yellow, 255, 255, 0), "VEK's windowed context renders into its window");
        windowed.swapBuffers();
        host.makeCurrent();
        glDeleteTextures(1, &texture);
    }
    // VEK leaves the host's context alive and current.
    Check(wglGetCurrentContext() == hostContext, "host context current after VEK's are gone");
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    Check(glGetError() == GL_NO_ERROR && viewport[2] == 64, "host context still usable");

    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(hostContext);
    ReleaseDC(hostWindow, hostDC);
    DestroyWindow(hostWindow);
    DestroyWindow(vekWindow);
}

}  // namespace

int main() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = &WindowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = "HostWindow";
    RegisterClassExA(&windowClass);
    try {
        VEK::Core::AutoInitializer core;
        VEK::OGL::AutoInitializer ogl;
        Run();
    } catch (const VEK::ExceptionBase& e) {
        std::cerr << "VEK: " << e << "\n";
        ++gFailures;
    }
    UnregisterClassA("HostWindow", GetModuleHandleW(nullptr));
    return gFailures == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
