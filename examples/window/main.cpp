// A window with an OpenGL context, made with the Win32 and WGL calls VEK provides on X11: the
// same code a Windows program would write. Renders a red left half on blue and checks the pixels.
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

#include <vek/platform/System.h>

namespace {

LRESULT WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

int gFailures = 0;

void Check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok  " : "FAIL", what);
    gFailures += ok ? 0 : 1;
}

bool Near(const GLubyte* pixel, int r, int g, int b) {
    return std::abs(pixel[0] - r) < 2 && std::abs(pixel[1] - g) < 2 && std::abs(pixel[2] - b) < 2;
}

}  // namespace

int main() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = &WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "VEKExampleWindow";
    if (!RegisterClassExA(&windowClass)) {
        std::printf("RegisterClassExA failed: error %u\n", GetLastError());
        return EXIT_FAILURE;
    }
    RECT frame = {0, 0, 64, 32};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    HWND window = CreateWindowExA(
        0, "VEKExampleWindow", "VEK window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!window) {
        std::printf("CreateWindowExA failed: error %u (is an X server running?)\n", GetLastError());
        return EXIT_FAILURE;
    }
    HDC dc = GetDC(window);

    PIXELFORMATDESCRIPTOR wanted{};
    wanted.nSize = sizeof wanted;
    wanted.nVersion = 1;
    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    wanted.iPixelType = PFD_TYPE_RGBA;
    wanted.cColorBits = 24;
    wanted.cDepthBits = 24;
    const int format = ChoosePixelFormat(dc, &wanted);
    Check(format > 0 && SetPixelFormat(dc, format, &wanted), "pixel format chosen and set");

    // A legacy context first: it is what makes wglGetProcAddress answer.
    HGLRC legacy = wglCreateContext(dc);
    Check(legacy && wglMakeCurrent(dc, legacy), "legacy context current");
    auto createContextAttribs = reinterpret_cast<HGLRC (*)(HDC, HGLRC, const int*)>(
        reinterpret_cast<void (*)()>(wglGetProcAddress("wglCreateContextAttribsARB")));
    Check(createContextAttribs != nullptr, "wglCreateContextAttribsARB found");
    Check(wglGetProcAddress("glFlushRenderAPPLE") == nullptr,
          "no entry point for an extension the driver lacks");

    const int attributes[] = {WGL_CONTEXT_MAJOR_VERSION_ARB, 3, WGL_CONTEXT_MINOR_VERSION_ARB, 0,
                              0};
    HGLRC context = createContextAttribs ? createContextAttribs(dc, nullptr, attributes) : nullptr;
    Check(context && wglMakeCurrent(dc, context), "OpenGL 3.0 context current");
    std::printf("      renderer %s, version %s\n", glGetString(GL_RENDERER),
                glGetString(GL_VERSION));

    glViewport(0, 0, 64, 32);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1.0f, 0.0f, 0.0f);
    glRectf(-1.0f, -1.0f, 0.0f, 1.0f);
    glFinish();
    GLubyte left[4] = {}, right[4] = {};
    glReadPixels(8, 16, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, left);
    glReadPixels(56, 16, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, right);
    Check(Near(left, 255, 0, 0), "left half red");
    Check(Near(right, 0, 0, 255), "right half blue");
    Check(SwapBuffers(dc) == TRUE, "buffers swapped");

    // Failures answer as on Windows: the failure value and a last error.
    const int other = format == 1 ? 2 : 1;
    Check(!SetPixelFormat(dc, other, &wanted) && GetLastError() == ERROR_INVALID_PIXEL_FORMAT,
          "a second, different pixel format is refused");
    Check(!wglShareLists(context, legacy) && GetLastError() == ERROR_INVALID_OPERATION,
          "sharing into a context that was current is refused");

    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context);
    wglDeleteContext(legacy);
    Check(!wglMakeCurrent(dc, context) && GetLastError() == ERROR_INVALID_HANDLE,
          "a deleted context is refused");
    ReleaseDC(window, dc);
    DestroyWindow(window);
    UnregisterClassA("VEKExampleWindow", instance);
    return gFailures == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
