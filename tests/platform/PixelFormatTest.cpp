#include <gtest/gtest.h>

#include <GL/gl.h>

#include <climits>
#include <cmath>
#include <vector>

#include <vek/platform/WGL.h>
#include <vek/platform/XConnection.h>

#include "support/GLTestContext.h"
#include "support/HiddenWindow.h"
// After gtest: Xlib's macros would break its templates.
#include <GL/glx.h>
#include <GL/glxext.h>

namespace {

using VEKTest::HiddenWindow;

// The integer list the library's extended chooser sends, for 8-bit RGBA, depth 24, stencil 8.
std::vector<int> LibraryList(bool doubleBuffer, bool window, bool floatColour, int samples) {
    std::vector<int> list = {WGL_SUPPORT_OPENGL_ARB, 1,
                             WGL_ACCELERATION_ARB,   WGL_FULL_ACCELERATION_ARB,
                             WGL_PIXEL_TYPE_ARB,     WGL_TYPE_RGBA_ARB,
                             WGL_COLOR_BITS_ARB,     32,
                             WGL_RED_BITS_ARB,       8,
                             WGL_GREEN_BITS_ARB,     8,
                             WGL_BLUE_BITS_ARB,      8,
                             WGL_ALPHA_BITS_ARB,     8,
                             WGL_DEPTH_BITS_ARB,     24,
                             WGL_STENCIL_BITS_ARB,   8,
                             WGL_DOUBLE_BUFFER_ARB,  doubleBuffer ? 1 : 0};
    if (window) {
        list.insert(list.end(), {WGL_DRAW_TO_WINDOW_ARB, 1});
    } else {
        list.insert(list.end(), {WGL_DRAW_TO_PBUFFER_ARB, 1, WGL_DRAW_TO_WINDOW_ARB, 0});
    }
    if (floatColour) {
        list.insert(list.end(), {WGL_TYPE_RGBA_FLOAT_ARB, 1});
    }
    if (samples > 1) {
        list.insert(list.end(), {WGL_SAMPLE_BUFFERS_ARB, 1, WGL_SAMPLES_ARB, samples});
    }
    list.push_back(0);
    return list;
}

std::vector<int> Choose(HDC dc, const std::vector<int>& list) {
    std::vector<int> formats(4096);
    UINT count = 0;
    const FLOAT none[] = {0, 0};
    EXPECT_TRUE(wglChoosePixelFormatARB(dc, list.data(), none, static_cast<UINT>(formats.size()),
                                        formats.data(), &count));
    formats.resize(count);
    return formats;
}

// Sets the format on the window and makes a context of it current there.
HGLRC CurrentContextWith(HDC dc, int format) {
    EXPECT_TRUE(SetPixelFormat(dc, format, nullptr));
    HGLRC context = wglCreateContext(dc);
    EXPECT_TRUE(wglMakeCurrent(dc, context));
    return context;
}

void Release(HGLRC context) {
    EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
    EXPECT_TRUE(wglDeleteContext(context));
}

int Attribute(HDC dc, int format, int attribute) {
    int value = -1;
    EXPECT_TRUE(wglGetPixelFormatAttribivARB(dc, format, 0, 1, &attribute, &value));
    return value;
}

TEST(PixelFormat, ChosenFormatFitsTheDescriptorAndIsSetOnce) {
    HiddenWindow window;
    HDC dc = window.dc();
    EXPECT_EQ(GetPixelFormat(dc), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PIXEL_FORMAT);

    PIXELFORMATDESCRIPTOR wanted = HiddenWindow::RgbaDescriptor(true);
    const int format = ChoosePixelFormat(dc, &wanted);
    ASSERT_GT(format, 0);

    PIXELFORMATDESCRIPTOR got{};
    const int count = DescribePixelFormat(dc, format, sizeof got, &got);
    int configs = 0;
    XFree(glXGetFBConfigs(VEK::Platform::XConnection::Get(), 0, &configs));
    EXPECT_EQ(count, configs);  // every GLX configuration is a pixel format
    EXPECT_EQ(got.nSize, 40);
    EXPECT_EQ(got.dwFlags & 0x25u, 0x25u);  // window, OpenGL, double buffer
    EXPECT_EQ(got.iPixelType, PFD_TYPE_RGBA);
    EXPECT_EQ(got.cRedBits, 8);
    EXPECT_EQ(got.cGreenBits, 8);
    EXPECT_EQ(got.cBlueBits, 8);
    EXPECT_EQ(got.cAlphaBits, 8);
    EXPECT_EQ(got.cColorBits, 32);
    EXPECT_GE(got.cDepthBits, 24);
    EXPECT_GE(got.cStencilBits, 8);
    EXPECT_EQ(got.cAccumBits, 0);  // nothing asked, nothing wasted

    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    const int single = ChoosePixelFormat(dc, &wanted);
    ASSERT_GT(single, 0);
    ASSERT_GT(DescribePixelFormat(dc, single, sizeof got, &got), 0);
    EXPECT_EQ(got.dwFlags & PFD_DOUBLEBUFFER, 0u);

    ASSERT_TRUE(SetPixelFormat(dc, format, &wanted));
    EXPECT_EQ(GetPixelFormat(dc), format);
    EXPECT_TRUE(SetPixelFormat(dc, format, &wanted));  // the same again is harmless
    EXPECT_FALSE(SetPixelFormat(dc, single, &wanted));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PIXEL_FORMAT);
    EXPECT_EQ(GetPixelFormat(dc), format);
}

TEST(PixelFormat, FormatOneServesAWindowWithoutChoosing) {
    // What a caller without the extended chooser does: set format 1 and create a context.
    HiddenWindow window;
    PIXELFORMATDESCRIPTOR first{};
    ASSERT_GT(DescribePixelFormat(window.dc(), 1, sizeof first, &first), 0);
    EXPECT_EQ(first.dwFlags & (PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL),
              PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL);
    HGLRC context = CurrentContextWith(window.dc(), 1);
    ASSERT_NE(context, nullptr);
    EXPECT_NE(glGetString(GL_VERSION), nullptr);
    Release(context);

    // Every format that carries an accelerated RGBA context in a window precedes every other.
    const int count = DescribePixelFormat(window.dc(), 1, 0, nullptr);
    bool windowPart = true;
    for (int format = 1; format <= count; ++format) {
        const bool servesWindow =
            Attribute(window.dc(), format, WGL_DRAW_TO_WINDOW_ARB) != 0 &&
            Attribute(window.dc(), format, WGL_PIXEL_TYPE_ARB) == WGL_TYPE_RGBA_ARB &&
            Attribute(window.dc(), format, WGL_ACCELERATION_ARB) == WGL_FULL_ACCELERATION_ARB;
        EXPECT_TRUE(windowPart || !servesWindow) << format;
        windowPart = windowPart && servesWindow;
    }
}

TEST(PixelFormat, DescribeAndSetRefuseFormatsOutsideTheList) {
    HiddenWindow window;
    HDC dc = window.dc();
    const int count = DescribePixelFormat(dc, 1, 0, nullptr);  // counting only
    ASSERT_GT(count, 0);
    PIXELFORMATDESCRIPTOR got{};
    EXPECT_EQ(DescribePixelFormat(dc, 0, sizeof got, &got), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(DescribePixelFormat(dc, count + 1, sizeof got, &got), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(DescribePixelFormat(nullptr, 1, sizeof got, &got), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(SetPixelFormat(dc, 0, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PIXEL_FORMAT);
    EXPECT_FALSE(SetPixelFormat(dc, count + 1, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PIXEL_FORMAT);
    EXPECT_FALSE(SetPixelFormat(nullptr, 1, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(ChoosePixelFormat(dc, nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    // A format only pbuffers can use is refused on a window.
    const std::vector<int> pbufferOnly = {WGL_DRAW_TO_WINDOW_ARB, 0, WGL_DRAW_TO_PBUFFER_ARB, 1, 0};
    const std::vector<int> found = Choose(dc, pbufferOnly);
    ASSERT_FALSE(found.empty());
    EXPECT_FALSE(SetPixelFormat(dc, found.front(), nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PIXEL_FORMAT);
    EXPECT_EQ(GetPixelFormat(dc), 0);
}

TEST(PixelFormat, ExtendedChooserAnswersTheLibrarysList) {
    HiddenWindow window;
    HDC dc = window.dc();
    const std::vector<int> found = Choose(dc, LibraryList(true, true, false, 1));
    ASSERT_FALSE(found.empty());
    const int attributes[] = {WGL_SUPPORT_OPENGL_ARB, WGL_ACCELERATION_ARB,  WGL_PIXEL_TYPE_ARB,
                              WGL_RED_BITS_ARB,       WGL_ALPHA_BITS_ARB,    WGL_DEPTH_BITS_ARB,
                              WGL_STENCIL_BITS_ARB,   WGL_DOUBLE_BUFFER_ARB, WGL_DRAW_TO_WINDOW_ARB,
                              WGL_SAMPLES_ARB};
    for (int format : found) {
        int values[10] = {};
        FLOAT floats[10] = {};
        ASSERT_TRUE(wglGetPixelFormatAttribivARB(dc, format, 0, 10, attributes, values));
        ASSERT_TRUE(wglGetPixelFormatAttribfvARB(dc, format, 0, 10, attributes, floats));
        EXPECT_EQ(values[0], 1);
        EXPECT_EQ(values[1], WGL_FULL_ACCELERATION_ARB);
        EXPECT_EQ(values[2], WGL_TYPE_RGBA_ARB);
        EXPECT_GE(values[3], 8);
        EXPECT_GE(values[4], 8);
        EXPECT_GE(values[5], 24);
        EXPECT_GE(values[6], 8);
        EXPECT_EQ(values[7], 1);
        EXPECT_EQ(values[8], 1);
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(floats[i], static_cast<FLOAT>(values[i]));
        }
    }
    // Best first: the first match wastes nothing on samples.
    EXPECT_EQ(Attribute(dc, found.front(), WGL_SAMPLES_ARB), 0);

    // The chosen format is set on a window and drawn with.
    HGLRC context = CurrentContextWith(dc, found.front());
    GLint alpha = 0;
    glGetIntegerv(GL_ALPHA_BITS, &alpha);
    EXPECT_EQ(alpha, 8);
    Release(context);
}

TEST(PixelFormat, ExtendedChooserWithSamples) {
    HiddenWindow window;
    HDC dc = window.dc();
    const std::vector<int> found = Choose(dc, LibraryList(true, true, false, 4));
    if (!VEKTest::DriverHasMultisampledWindowFormats()) {
        EXPECT_TRUE(found.empty());
        GTEST_SKIP() << "the driver has no multisampled configuration";
    }
    ASSERT_FALSE(found.empty());
    for (int format : found) {
        EXPECT_EQ(Attribute(dc, format, WGL_SAMPLE_BUFFERS_ARB), 1);
        EXPECT_GE(Attribute(dc, format, WGL_SAMPLES_ARB), 4);
    }
    EXPECT_EQ(Attribute(dc, found.front(), WGL_SAMPLES_ARB), 4);

    // Its visual is not the window's: the platform draws through a child window of that visual.
    HGLRC context = CurrentContextWith(dc, found.front());
    GLint samples = 0;
    glGetIntegerv(GL_SAMPLES, &samples);
    EXPECT_EQ(samples, 4);
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    GLubyte pixel[4] = {};
    glReadPixels(2, 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[1], 255);
    EXPECT_EQ(pixel[0], 0);
    EXPECT_TRUE(SwapBuffers(dc));
    Release(context);
}

TEST(PixelFormat, ExtendedChooserWithFloatColour) {
    HiddenWindow window;
    HDC dc = window.dc();
    // What the driver offers, asked of GLX directly.
    Display* display = VEK::Platform::XConnection::Get();
    int configs = 0;
    GLXFBConfig* all = glXGetFBConfigs(display, 0, &configs);
    int floatWindowConfigs = 0;
    for (int i = 0; i < configs; ++i) {
        int render = 0, drawable = 0, doubleBuffer = 0, alpha = 0, depth = 0, stencil = 0;
        glXGetFBConfigAttrib(display, all[i], GLX_RENDER_TYPE, &render);
        glXGetFBConfigAttrib(display, all[i], GLX_DRAWABLE_TYPE, &drawable);
        glXGetFBConfigAttrib(display, all[i], GLX_DOUBLEBUFFER, &doubleBuffer);
        glXGetFBConfigAttrib(display, all[i], GLX_ALPHA_SIZE, &alpha);
        glXGetFBConfigAttrib(display, all[i], GLX_DEPTH_SIZE, &depth);
        glXGetFBConfigAttrib(display, all[i], GLX_STENCIL_SIZE, &stencil);
        int caveat = 0;
        glXGetFBConfigAttrib(display, all[i], GLX_CONFIG_CAVEAT, &caveat);
        if ((render & GLX_RGBA_FLOAT_BIT_ARB) && !(render & GLX_RGBA_BIT) &&
            (drawable & GLX_WINDOW_BIT) && doubleBuffer && alpha >= 8 && depth >= 24 &&
            stencil >= 8 && caveat != GLX_SLOW_CONFIG) {
            ++floatWindowConfigs;
        }
    }
    XFree(all);

    const std::vector<int> found = Choose(dc, LibraryList(true, true, true, 1));
    // Exactly the driver's float configurations: none are invented (llvmpipe has none).
    EXPECT_EQ(static_cast<int>(found.size()), floatWindowConfigs);
    for (int format : found) {
        EXPECT_EQ(Attribute(dc, format, WGL_PIXEL_TYPE_ARB), WGL_TYPE_RGBA_FLOAT_ARB);
    }
    const std::vector<int> plain = Choose(dc, LibraryList(true, true, false, 1));
    for (int format : plain) {
        EXPECT_EQ(Attribute(dc, format, WGL_PIXEL_TYPE_ARB), WGL_TYPE_RGBA_ARB);
    }
    // The extension is advertised exactly when GLX can describe float configurations.
    const std::string glx = glXQueryExtensionsString(display, 0);
    const std::string wgl = wglGetExtensionsStringARB(dc);
    EXPECT_EQ(wgl.find("WGL_ARB_pixel_format_float") != std::string::npos,
              glx.find("GLX_ARB_fbconfig_float") != std::string::npos);
}

TEST(PixelFormat, DrawToPbufferListGivesOnlyPbufferFormats) {
    HiddenWindow window;
    HDC dc = window.dc();
    // Draw-to-window 0 is an exact match: formats that also draw to windows are not offered
    // (with llvmpipe on Xvfb every 8-bit RGBA configuration has a window visual, so the
    // library's 8-bit list finds none, and the deeper visual-less configurations serve).
    const std::vector<int> any = {
        WGL_SUPPORT_OPENGL_ARB, 1, WGL_DRAW_TO_PBUFFER_ARB, 1, WGL_DRAW_TO_WINDOW_ARB, 0, 0};
    std::vector<int> found = Choose(dc, any);
    ASSERT_FALSE(found.empty());
    const std::vector<int> eightBit = Choose(dc, LibraryList(false, false, false, 1));
    found.insert(found.end(), eightBit.begin(), eightBit.end());
    for (int format : found) {
        EXPECT_EQ(Attribute(dc, format, WGL_DRAW_TO_PBUFFER_ARB), 1);
        EXPECT_EQ(Attribute(dc, format, WGL_DRAW_TO_WINDOW_ARB), 0);
    }
    for (int format : eightBit) {
        EXPECT_EQ(Attribute(dc, format, WGL_DOUBLE_BUFFER_ARB), 0);
        EXPECT_GE(Attribute(dc, format, WGL_ALPHA_BITS_ARB), 8);
    }
}

TEST(PixelFormat, UnknownAttributesAndBadArgumentsFail) {
    HiddenWindow window;
    HDC dc = window.dc();
    std::vector<int> list = LibraryList(true, true, false, 1);
    list.insert(list.end() - 1, {0x7777, 1});
    int format = 0;
    UINT count = 99;
    EXPECT_FALSE(wglChoosePixelFormatARB(dc, list.data(), nullptr, 1, &format, &count));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(wglChoosePixelFormatARB(nullptr, list.data(), nullptr, 1, &format, &count));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(wglChoosePixelFormatARB(dc, list.data(), nullptr, 1, &format, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    const int attributes[] = {WGL_RED_BITS_ARB, 0x7777};
    int values[2] = {-5, -5};
    EXPECT_FALSE(wglGetPixelFormatAttribivARB(dc, 1, 0, 2, attributes, values));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(values[0], -5);  // nothing written on failure
    EXPECT_FALSE(wglGetPixelFormatAttribivARB(dc, 1, 1, 1, attributes, values));  // no layers
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(wglGetPixelFormatAttribivARB(dc, 0, 0, 1, attributes, values));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    // The count needs no format.
    const int number = WGL_NUMBER_PIXEL_FORMATS_ARB;
    EXPECT_TRUE(wglGetPixelFormatAttribivARB(dc, 0, 0, 1, &number, values));
    EXPECT_EQ(values[0], DescribePixelFormat(dc, 1, 0, nullptr));
}

TEST(PixelFormat, FloatListsOutsideTheIntegersAndExtremeMinimaAreSafe) {
    HiddenWindow window;
    HDC dc = window.dc();
    const std::vector<int> list = LibraryList(true, true, false, 1);
    int format = 0;
    UINT count = 99;
    // A float attribute that names no integer, or a NaN value, is refused (converting them to
    // an integer is undefined behaviour).
    for (const std::vector<FLOAT>& floats :
         {std::vector<FLOAT>{3e9f, 1.f, 0.f}, std::vector<FLOAT>{-1e30f, 1.f, 0.f},
          std::vector<FLOAT>{8226.5f, 1.f, 0.f},
          std::vector<FLOAT>{static_cast<FLOAT>(WGL_DEPTH_BITS_ARB), std::nanf(""), 0.f}}) {
        count = 99;
        EXPECT_FALSE(wglChoosePixelFormatARB(dc, list.data(), floats.data(), 1, &format, &count));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
        EXPECT_EQ(count, 99u);
    }
    // A huge float value is held to the integers: no format has that many depth bits, and
    // any format has at least a hugely negative number of them.
    const FLOAT tooDeep[] = {static_cast<FLOAT>(WGL_DEPTH_BITS_ARB), 1e20f, 0.f};
    EXPECT_TRUE(wglChoosePixelFormatARB(dc, list.data(), tooDeep, 1, &format, &count));
    EXPECT_EQ(count, 0u);
    const FLOAT anyDepth[] = {static_cast<FLOAT>(WGL_DEPTH_BITS_ARB), -1e20f, 0.f};
    EXPECT_TRUE(wglChoosePixelFormatARB(dc, list.data(), anyDepth, 1, &format, &count));
    EXPECT_EQ(count, 1u);
    // Minima down to the lowest integer: the ranking sums each format's excess over them, which
    // must not overflow (the sanitized build checks); the format still meets the rest of the list.
    std::vector<int> extreme = list;
    extreme.insert(extreme.end() - 1, {WGL_COLOR_BITS_ARB, INT_MIN, WGL_DEPTH_BITS_ARB, INT_MIN,
                                       WGL_STENCIL_BITS_ARB, INT_MIN, WGL_SAMPLES_ARB, INT_MIN});
    EXPECT_TRUE(wglChoosePixelFormatARB(dc, extreme.data(), nullptr, 1, &format, &count));
    ASSERT_EQ(count, 1u);
    EXPECT_GE(Attribute(dc, format, WGL_DEPTH_BITS_ARB), 24);
    EXPECT_EQ(Attribute(dc, format, WGL_DOUBLE_BUFFER_ARB), 1);
}

}  // namespace
