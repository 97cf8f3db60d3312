#include <GL/gl.h>

#include <ostream>
#include <string>
#include <vector>

#include <vek/core/exceptions/InternalException.h>
#include <vek/platform/Displays.h>
#include <vek/platform/WGL.h>

#include "Sections.h"

namespace vekinfo {

namespace {

LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

// The renderer as a program sees it: a hidden window, a chosen format and a context, all made
// with the platform's Win32 and WGL calls.
void PrintRenderer(std::ostream& out) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_CLASSDC;
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = "vekinfo";
    if (!RegisterClassExA(&windowClass)) {
        VEK_THROW_INTERNAL("RegisterClassExA failed, error " << GetLastError());
    }
    HWND window = CreateWindowExA(0, "vekinfo", "vekinfo", WS_OVERLAPPEDWINDOW, 0, 0, 8, 8, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
    HDC dc = window ? GetDC(window) : nullptr;
    PIXELFORMATDESCRIPTOR wanted{};
    wanted.nSize = sizeof wanted;
    wanted.nVersion = 1;
    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    wanted.cColorBits = 32;
    wanted.cDepthBits = 24;
    const int format = dc ? ChoosePixelFormat(dc, &wanted) : 0;
    HGLRC context = format && SetPixelFormat(dc, format, &wanted) ? wglCreateContext(dc) : nullptr;
    const DWORD error = GetLastError();
    if (context && wglMakeCurrent(dc, context)) {
        out << "  pixel format " << format << " of " << DescribePixelFormat(dc, 1, 0, nullptr)
            << "\n";
        out << "  GL_RENDERER: " << glGetString(GL_RENDERER) << "\n";
        out << "  GL_VERSION:  " << glGetString(GL_VERSION) << "\n";
        out << "  WGL extensions: " << wglGetExtensionsStringARB(dc) << "\n";
        wglMakeCurrent(nullptr, nullptr);
    }
    if (context) {
        wglDeleteContext(context);
    }
    if (window) {
        ReleaseDC(window, dc);
        DestroyWindow(window);
    }
    UnregisterClassA("vekinfo", windowClass.hInstance);
    if (!context) {
        VEK_THROW_INTERNAL("no OpenGL context through the platform's WGL, error " << error);
    }
}

}  // namespace

void PrintDisplays(std::ostream& out, const Options&) {
    out << "Displays\n";
    std::vector<VEK::Platform::DisplayAdapter> adapters;
    if (!VEK::Platform::Displays::Adapters(adapters)) {
        VEK_THROW_INTERNAL("no X display answers, error " << GetLastError());
    }
    for (std::size_t i = 0; i < adapters.size(); ++i) {
        const VEK::Platform::DisplayAdapter& adapter = adapters[i];
        out << "  adapter " << i << ": " << adapter.description << " (device id "
            << adapter.deviceId << ")\n";
        for (const VEK::Platform::DisplayOutput& output : adapter.outputs) {
            const RECT& r = output.desktopCoordinates;
            out << "    output " << output.deviceName << ": "
                << (output.attachedToDesktop ? "attached" : "not attached");
            if (output.attachedToDesktop) {
                out << ", desktop (" << r.left << ", " << r.top << ")-(" << r.right << ", "
                    << r.bottom << ")";
            }
            out << "\n";
        }
    }
    PrintRenderer(out);
}

}  // namespace vekinfo
