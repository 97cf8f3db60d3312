#include <gtest/gtest.h>

#include <vek/platform/WGL.h>

#include <map>
#include <string>
#include "support/HiddenWindow.h"
#include "support/ServerResources.h"

namespace {

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
    const std::map<std::string, long> before = VEKTest::ServerResources();
    ASSERT_GE(before.count("WINDOW"), 1u);
    for (int i = 0; i < 10; ++i) {
        Cycle(i % 2 == 0);
    }
    EXPECT_EQ(VEKTest::ServerResources(), before);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
}

}  // namespace
