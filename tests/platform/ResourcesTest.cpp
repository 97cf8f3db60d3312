#include <gtest/gtest.h>

#include <vek/platform/WGL.h>
#include <vek/platform/XConnection.h>

#include "support/HiddenWindow.h"
// After gtest: Xlib's macros would break its templates.
#include <X11/Xlib.h>
#include <X11/extensions/XRes.h>

#include <map>
#include <string>

namespace {

// Every resource the platform's connection holds on the server, by type (windows, colormaps,
// GLX drawables, ...): a cycle that leaves one behind runs a long-lived host out of them.
std::map<std::string, long> ServerResources(XID ours) {
    Display* display = VEK::Platform::XConnection::Get();
    int types = 0;
    XResType* counts = nullptr;
    std::map<std::string, long> result;
    if (XResQueryClientResources(display, ours, &types, &counts)) {
        for (int i = 0; i < types; ++i) {
            char* name = XGetAtomName(display, counts[i].resource_type);
            result[name ? name : "?"] = counts[i].count;
            XFree(name);
        }
        XFree(counts);
    }
    return result;
}

void Cycle(bool multisample) {
    VEKTest::HiddenWindow window;
    int format = 0;
    if (multisample) {
        // A format of another visual: the platform adds a child window and a colormap.
        const int list[] = {WGL_DRAW_TO_WINDOW_ARB, 1, WGL_SAMPLES_ARB, 4, 0};
        UINT count = 0;
        ASSERT_TRUE(wglChoosePixelFormatARB(window.dc(), list, nullptr, 1, &format, &count));
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
    Display* display = VEK::Platform::XConnection::Get();
    // Names the connection to the resource query.
    const Window marker =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    const std::map<std::string, long> before = ServerResources(marker);
    ASSERT_GE(before.count("WINDOW"), 1u);
    for (int i = 0; i < 10; ++i) {
        Cycle(i % 2 == 0);
    }
    EXPECT_EQ(ServerResources(marker), before);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    XDestroyWindow(display, marker);
}

}  // namespace
