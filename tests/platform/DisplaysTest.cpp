#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <vek/platform/Displays.h>
#include <vek/platform/WGL.h>
#include <vek/platform/XConnection.h>

#include "support/HiddenWindow.h"
#include "support/XvfbServer.h"
// After gtest: Xlib's macros would break its templates.
#include <X11/Xlib.h>

namespace {

using VEK::Platform::DisplayAdapter;
using VEK::Platform::DisplayOutput;
using VEK::Platform::Displays;
using VEK::Platform::XConnection;

std::string RendererSeenThrough(HDC dc) {
    HGLRC context = wglCreateContext(dc);
    EXPECT_TRUE(wglMakeCurrent(dc, context));
    const std::string renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context);
    return renderer;
}

TEST(Displays, OneScreenServer) {
    std::vector<DisplayAdapter> adapters;
    ASSERT_TRUE(Displays::Adapters(adapters));
    Display* display = XConnection::Get();
    ASSERT_EQ(adapters.size(), static_cast<std::size_t>(ScreenCount(display)));
    const DisplayAdapter& adapter = adapters[0];
    // The description names the renderer a context on that screen reports.
    auto window = std::make_unique<VEKTest::HiddenWindow>(10, 10);
    ASSERT_GT(window->setRgbaFormat(), 0);
    EXPECT_EQ(adapter.description, RendererSeenThrough(window->dc()));
    EXPECT_EQ(adapter.deviceId, 0u);  // a software renderer has no device id

    ASSERT_EQ(adapter.outputs.size(), 1u);
    const DisplayOutput& output = adapter.outputs[0];
    EXPECT_EQ(output.deviceName, "screen");
    EXPECT_TRUE(output.attachedToDesktop);
    EXPECT_EQ(output.desktopCoordinates.left, 0);
    EXPECT_EQ(output.desktopCoordinates.top, 0);
    EXPECT_EQ(output.desktopCoordinates.right, DisplayWidth(display, 0));
    EXPECT_EQ(output.desktopCoordinates.bottom, DisplayHeight(display, 0));

    DisplayOutput shown;
    ASSERT_TRUE(Displays::ContainingOutput(window->window(), shown));
    EXPECT_EQ(shown.deviceName, output.deviceName);

    HWND gone = window->window();
    window.reset();
    EXPECT_FALSE(Displays::ContainingOutput(gone, shown));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

TEST(Displays, TwoScreenServer) {
    VEKTest::XvfbServer server({"800x600x24", "1024x768x24"});
    ASSERT_TRUE(server.running());
    // The connection opens on first use: point it at the private server before that.
    setenv("DISPLAY", server.name().c_str(), 1);

    std::vector<DisplayAdapter> adapters;
    ASSERT_TRUE(Displays::Adapters(adapters));
    ASSERT_EQ(adapters.size(), 2u);
    ASSERT_EQ(adapters[0].outputs.size(), 1u);
    ASSERT_EQ(adapters[1].outputs.size(), 1u);
    const DisplayOutput& first = adapters[0].outputs[0];
    const DisplayOutput& second = adapters[1].outputs[0];
    EXPECT_EQ(first.deviceName, "screen");
    EXPECT_EQ(second.deviceName, "screen@1");  // unique across screens
    EXPECT_TRUE(first.attachedToDesktop);
    EXPECT_TRUE(second.attachedToDesktop);
    EXPECT_EQ(first.desktopCoordinates.right, 800);
    EXPECT_EQ(first.desktopCoordinates.bottom, 600);
    EXPECT_EQ(second.desktopCoordinates.left, 0);
    EXPECT_EQ(second.desktopCoordinates.right, 1024);
    EXPECT_EQ(second.desktopCoordinates.bottom, 768);
    EXPECT_FALSE(adapters[1].description.empty());

    // A window on each screen is shown by that screen's output and renders there.
    Display* display = XConnection::Get();
    HWND secondRoot = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(RootWindow(display, 1)));
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &DefWindowProcW;
    windowClass.lpszClassName = "VEKTestTwoScreens";
    ASSERT_NE(RegisterClassExA(&windowClass), 0);
    HWND onSecond = CreateWindowExA(0, "VEKTestTwoScreens", "", 0, 900, 700, 20, 20, secondRoot,
                                    nullptr, nullptr, nullptr);
    HWND onFirst = CreateWindowExA(0, "VEKTestTwoScreens", "", 0, 10, 10, 20, 20, nullptr, nullptr,
                                   nullptr, nullptr);
    ASSERT_TRUE(onSecond && onFirst);
    DisplayOutput shown;
    ASSERT_TRUE(Displays::ContainingOutput(onSecond, shown));
    EXPECT_EQ(shown.deviceName, "screen@1");
    ASSERT_TRUE(Displays::ContainingOutput(onFirst, shown));
    EXPECT_EQ(shown.deviceName, "screen");

    HDC dc = GetDC(onSecond);
    PIXELFORMATDESCRIPTOR wanted{};
    wanted.nSize = sizeof wanted;
    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    wanted.cColorBits = 24;
    const int format = ChoosePixelFormat(dc, &wanted);
    ASSERT_TRUE(SetPixelFormat(dc, format, &wanted));
    EXPECT_EQ(RendererSeenThrough(dc), adapters[1].description);

    // Device and rendering contexts report the adapter they belong to; a top-level window made
    // with an adapter's desktop window as parent goes on that adapter.
    EXPECT_EQ(Displays::AdapterOf(dc), 1);
    EXPECT_EQ(Displays::AdapterOf(GetDC(onFirst)), 0);
    HGLRC context = wglCreateContext(dc);
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(Displays::AdapterOf(context), 1);
    wglDeleteContext(context);
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(Displays::AdapterOf(context), -1);  // gone
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(Displays::AdapterOf(static_cast<HDC>(nullptr)), -1);
    EXPECT_EQ(Displays::DesktopWindow(1), secondRoot);
    EXPECT_EQ(Displays::DesktopWindow(0),
              reinterpret_cast<HWND>(static_cast<std::uintptr_t>(RootWindow(display, 0))));
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(Displays::DesktopWindow(2), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    HWND placed = CreateWindowExA(0, "VEKTestTwoScreens", "", 0, 5, 5, 8, 8,
                                  Displays::DesktopWindow(1), nullptr, nullptr, nullptr);
    ASSERT_NE(placed, nullptr);
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(
        display, static_cast<Window>(reinterpret_cast<std::uintptr_t>(placed)), &attributes));
    EXPECT_EQ(XScreenNumberOfScreen(attributes.screen), 1);
    EXPECT_EQ(attributes.root, RootWindow(display, 1));
    EXPECT_TRUE(DestroyWindow(placed));

    EXPECT_TRUE(DestroyWindow(onSecond));
    EXPECT_TRUE(DestroyWindow(onFirst));
    EXPECT_TRUE(UnregisterClassA("VEKTestTwoScreens", nullptr));
}

}  // namespace
