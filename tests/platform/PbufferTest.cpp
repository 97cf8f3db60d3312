#include <gtest/gtest.h>

#include <GL/gl.h>

#include <vek/platform/WGL.h>

#include "support/HiddenWindow.h"

namespace {

using VEKTest::HiddenWindow;

// A pbuffer format that windows can use too, so one context serves both.
int PbufferFormat(HDC dc) {
    const int list[] = {WGL_SUPPORT_OPENGL_ARB,
                        1,
                        WGL_DRAW_TO_PBUFFER_ARB,
                        1,
                        WGL_RED_BITS_ARB,
                        8,
                        WGL_ALPHA_BITS_ARB,
                        8,
                        WGL_DOUBLE_BUFFER_ARB,
                        0,
                        0};
    int format = 0;
    UINT count = 0;
    EXPECT_TRUE(wglChoosePixelFormatARB(dc, list, nullptr, 1, &format, &count));
    return count == 1 ? format : 0;
}

TEST(Pbuffer, RenderedIntoAndReadBack) {
    HiddenWindow window;
    const int format = PbufferFormat(window.dc());
    ASSERT_GT(format, 0);
    HPBUFFERARB pbuffer = wglCreatePbufferARB(window.dc(), format, 64, 32, nullptr);
    ASSERT_NE(pbuffer, nullptr);
    int width = 0, height = 0, lost = -1;
    EXPECT_TRUE(wglQueryPbufferARB(pbuffer, WGL_PBUFFER_WIDTH_ARB, &width));
    EXPECT_TRUE(wglQueryPbufferARB(pbuffer, WGL_PBUFFER_HEIGHT_ARB, &height));
    EXPECT_TRUE(wglQueryPbufferARB(pbuffer, WGL_PBUFFER_LOST_ARB, &lost));
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 32);
    EXPECT_EQ(lost, 0);

    HDC dc = wglGetPbufferDCARB(pbuffer);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetPixelFormat(dc), format);  // made with its format
    HGLRC context = wglCreateContext(dc);
    ASSERT_NE(context, nullptr);
    ASSERT_TRUE(wglMakeCurrent(dc, context));
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 64);
    EXPECT_EQ(viewport[3], 32);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(60, 30, 4, 2);
    glClearColor(1, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();
    GLubyte corner[4] = {}, origin[4] = {};
    glReadPixels(63, 31, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, corner);
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, origin);
    EXPECT_EQ(corner[0], 255);
    EXPECT_EQ(corner[1], 255);
    EXPECT_EQ(corner[2], 0);
    EXPECT_EQ(origin[0], 0);
    EXPECT_EQ(origin[2], 255);

    EXPECT_EQ(wglReleasePbufferDCARB(pbuffer, dc), 1);
    // Destroying the pbuffer that is current releases it first.
    EXPECT_TRUE(wglDestroyPbufferARB(pbuffer));
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(wglGetPbufferDCARB(pbuffer), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(wglDestroyPbufferARB(pbuffer));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(wglDeleteContext(context));
}

TEST(Pbuffer, BadRequestsFail) {
    HiddenWindow window;
    const int format = PbufferFormat(window.dc());
    ASSERT_GT(format, 0);
    EXPECT_EQ(wglCreatePbufferARB(nullptr, format, 8, 8, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(wglCreatePbufferARB(window.dc(), 0, 8, 8, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PIXEL_FORMAT);
    EXPECT_EQ(wglCreatePbufferARB(window.dc(), format, 0, 8, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    const int renderTexture[] = {0x2072 /* WGL_TEXTURE_FORMAT_ARB */, 0x2075, 0};
    EXPECT_EQ(wglCreatePbufferARB(window.dc(), format, 8, 8, renderTexture), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    int maxWidth = 0;
    const int attribute = WGL_MAX_PBUFFER_WIDTH_ARB;
    ASSERT_TRUE(wglGetPixelFormatAttribivARB(window.dc(), format, 0, 1, &attribute, &maxWidth));
    EXPECT_EQ(wglCreatePbufferARB(window.dc(), format, maxWidth + 1, 8, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_NO_SYSTEM_RESOURCES);

    HPBUFFERARB pbuffer = wglCreatePbufferARB(window.dc(), format, 8, 8, nullptr);
    ASSERT_NE(pbuffer, nullptr);
    EXPECT_EQ(wglReleasePbufferDCARB(pbuffer, window.dc()), 0);  // not its device context
    EXPECT_EQ(GetLastError(), ERROR_DC_NOT_FOUND);
    int value = 0;
    EXPECT_FALSE(wglQueryPbufferARB(pbuffer, 0x7777, &value));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    // A window's device context is no pbuffer handle.
    EXPECT_EQ(wglGetPbufferDCARB(reinterpret_cast<HPBUFFERARB>(window.dc())), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(wglGetPbufferDCARB(nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(wglDestroyPbufferARB(pbuffer));
}

}  // namespace
