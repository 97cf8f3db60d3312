#include <gtest/gtest.h>

#include <vek/platform/WGL.h>

#include <X11/Xlib.h>
#include <cstdint>
#include <map>
#include <string>

#include <vek/platform/XConnection.h>

#include "support/HiddenWindow.h"
#include "support/ServerResources.h"

namespace {

// A single-buffered format, which the window's default visual (a double-buffered one) is not: the
// platform adds a child window of the format's visual and a colormap. Every driver has one.
const int kOtherVisual[] = {
    WGL_DRAW_TO_WINDOW_ARB, 1, WGL_DRAW_TO_PBUFFER_ARB, 1, WGL_DOUBLE_BUFFER_ARB, 0, 0};

void Cycle(bool otherVisual) {
    VEKTest::HiddenWindow window;
    int format = 0;
    if (otherVisual) {
        UINT count = 0;
        ASSERT_TRUE(
            wglChoosePixelFormatARB(window.dc(), kOtherVisual, nullptr, 1, &format, &count));
        ASSERT_EQ(count, 1u);
        ASSERT_TRUE(SetPixelFormat(window.dc(), format, nullptr));
    } else {
        format = window.setRgbaFormat();
        ASSERT_GT(format, 0);
    }
    HGLRC context = wglCreateContext(window.dc());
    ASSERT_TRUE(wglMakeCurrent(window.dc(), context));
    HPBUFFERARB pbuffer = wglCreatePbufferARB(window.dc(), format, 16, 16, nullptr);
    ASSERT_NE(pbuffer, nullptr);
    ASSERT_TRUE(wglMakeCurrent(wglGetPbufferDCARB(pbuffer), context));
    ASSERT_TRUE(wglDestroyPbufferARB(pbuffer));
    ASSERT_TRUE(wglDeleteContext(context));
}

TEST(Resources, CreateDestroyCyclesGiveEverythingBack) {
    Cycle(false);  // first use sets up the connection and the driver
    Cycle(true);
    const std::map<std::string, long> before = VEKTest::ServerResources();
    ASSERT_GE(before.count("WINDOW"), 1u);
    for (int i = 0; i < 10; ++i) {
        Cycle(i % 2 == 0);
    }
    EXPECT_EQ(VEKTest::ServerResources(), before);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
}

// A host window on the host's own connection, adopted by GetDC and given a pixel format of
// another visual (so the platform makes a child window and a colormap for it), then destroyed by
// the host.
void HostWindowCycle(Display* host) {
    const Window xWindow =
        XCreateSimpleWindow(host, DefaultRootWindow(host), 0, 0, 16, 16, 0, 0, 0);
    XSync(host, False);
    HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(xWindow));
    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    int format = 0;
    UINT count = 0;
    ASSERT_TRUE(wglChoosePixelFormatARB(dc, kOtherVisual, nullptr, 1, &format, &count));
    ASSERT_EQ(count, 1u);
    ASSERT_TRUE(SetPixelFormat(dc, format, nullptr));
    HGLRC context = wglCreateContext(dc);
    ASSERT_TRUE(wglMakeCurrent(dc, context));
    ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
    ASSERT_TRUE(wglDeleteContext(context));
    XDestroyWindow(host, xWindow);
    XSync(host, False);
}

TEST(Resources, HostWindowsAdoptedAndDestroyedGiveEverythingBack) {
    Display* host = VEK::Platform::XConnection::Open(nullptr);
    ASSERT_NE(host, nullptr);
    Cycle(true);
    HostWindowCycle(host);
    // Each adoption releases the windows the host destroyed before: one gone window at most is
    // still held, whatever the number of cycles.
    const std::map<std::string, long> before = VEKTest::ServerResources();
    ASSERT_GE(before.count("COLORMAP"), 1u);
    for (int i = 0; i < 5; ++i) {
        HostWindowCycle(host);
    }
    EXPECT_EQ(VEKTest::ServerResources(), before);
    XCloseDisplay(host);
}

}  // namespace
