#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glext.h>

#include <array>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>

#include <vek/platform/WGL.h>

#include "support/HiddenWindow.h"

namespace {

using VEKTest::HiddenWindow;

std::array<unsigned, 4> ClearAndRead(float r, float g, float b) {
    glClearColor(r, g, b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();
    std::array<GLubyte, 4> pixel{};
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    return {pixel[0], pixel[1], pixel[2], pixel[3]};
}

const std::array<unsigned, 4> kRed = {255, 0, 0, 255};
const std::array<unsigned, 4> kGreen = {0, 255, 0, 255};
const std::array<unsigned, 4> kBlue = {0, 0, 255, 255};

HGLRC CreateVersioned(HDC dc, int major, int minor, int profile, HGLRC share = nullptr) {
    const int attributes[] = {WGL_CONTEXT_MAJOR_VERSION_ARB,
                              major,
                              WGL_CONTEXT_MINOR_VERSION_ARB,
                              minor,
                              WGL_CONTEXT_PROFILE_MASK_ARB,
                              profile,
                              0};
    return wglCreateContextAttribsARB(dc, share, attributes);
}

TEST(Context, LegacyContextRendersIntoHiddenWindowAndIsReleased) {
    HiddenWindow window;
    ASSERT_GT(window.setRgbaFormat(), 0);
    HGLRC context = wglCreateContext(window.dc());
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);

    ASSERT_TRUE(wglMakeCurrent(window.dc(), context));
    EXPECT_EQ(wglGetCurrentContext(), context);
    EXPECT_EQ(wglGetCurrentDC(), window.dc());
    EXPECT_EQ(ClearAndRead(1, 0, 0), kRed);
    EXPECT_EQ(ClearAndRead(0, 0, 1), kBlue);
    EXPECT_TRUE(SwapBuffers(window.dc()));

    ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(wglGetCurrentDC(), nullptr);
    EXPECT_TRUE(wglDeleteContext(context));
    EXPECT_FALSE(wglDeleteContext(context));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(Context, VersionAttributesGiveThatVersionAndProfile) {
    HiddenWindow window;
    ASSERT_GT(window.setRgbaFormat(), 0);

    // The version the library's windowed contexts ask for.
    const int library30[] = {WGL_CONTEXT_MAJOR_VERSION_ARB, 3, WGL_CONTEXT_MINOR_VERSION_ARB, 0, 0};
    HGLRC compatible = wglCreateContextAttribsARB(window.dc(), nullptr, library30);
    ASSERT_NE(compatible, nullptr);
    ASSERT_TRUE(wglMakeCurrent(window.dc(), compatible));
    unsigned major = 0, minor = 0;
    ASSERT_EQ(std::sscanf(reinterpret_cast<const char*>(glGetString(GL_VERSION)), "%u.%u", &major,
                          &minor),
              2);
    EXPECT_GE(major * 10 + minor, 30u);
    EXPECT_EQ(ClearAndRead(0, 1, 0), kGreen);
    EXPECT_NE(wglGetProcAddress("glBegin"), nullptr);  // still there without a core profile

    HGLRC core = CreateVersioned(window.dc(), 3, 3, WGL_CONTEXT_CORE_PROFILE_BIT_ARB);
    ASSERT_NE(core, nullptr);
    ASSERT_TRUE(wglMakeCurrent(window.dc(), core));
    GLint profile = 0;
    glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
    EXPECT_EQ(profile & GL_CONTEXT_CORE_PROFILE_BIT, GL_CONTEXT_CORE_PROFILE_BIT);
    // Removed from the core profile, yet handed out as opengl32 does: callers leave it out.
    EXPECT_NE(wglGetProcAddress("glBegin"), nullptr);
    EXPECT_NE(wglGetProcAddress("glBindVertexArray"), nullptr);
    EXPECT_EQ(ClearAndRead(0, 0, 1), kBlue);

    EXPECT_TRUE(wglDeleteContext(core));  // current: released first, as WGL does
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_TRUE(wglDeleteContext(compatible));
}

TEST(Context, CreationRefusesWhatWglRefuses) {
    HiddenWindow window;
    EXPECT_EQ(wglCreateContext(window.dc()), nullptr);  // no pixel format yet
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PIXEL_FORMAT);
    EXPECT_EQ(CreateVersioned(window.dc(), 3, 0, WGL_CONTEXT_CORE_PROFILE_BIT_ARB), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PIXEL_FORMAT);
    ASSERT_GT(window.setRgbaFormat(), 0);

    EXPECT_EQ(wglCreateContext(nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    const int unknown[] = {0x7777, 1, 0};
    EXPECT_EQ(wglCreateContextAttribsARB(window.dc(), nullptr, unknown), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(CreateVersioned(window.dc(), 2, 7, WGL_CONTEXT_COMPATIBILITY_PROFILE_BIT_ARB),
              nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_VERSION_ARB);
    EXPECT_EQ(CreateVersioned(window.dc(), 4, 0, 4), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PROFILE_ARB);
    const int layer[] = {WGL_CONTEXT_LAYER_PLANE_ARB, 1, 0};
    EXPECT_EQ(wglCreateContextAttribsARB(window.dc(), nullptr, layer), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    int notAContext = 0;
    EXPECT_EQ(CreateVersioned(window.dc(), 3, 0, WGL_CONTEXT_CORE_PROFILE_BIT_ARB,
                              reinterpret_cast<HGLRC>(&notAContext)),
              nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_OPERATION);
}

// A texture name made in one context, and whether another context knows it.
GLuint MakeTexture(HDC dc, HGLRC context) {
    EXPECT_TRUE(wglMakeCurrent(dc, context));
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glFinish();
    return texture;
}
bool Knows(HDC dc, HGLRC context, GLuint texture) {
    EXPECT_TRUE(wglMakeCurrent(dc, context));
    return glIsTexture(texture) == GL_TRUE;
}

TEST(Context, SharedContextsSeeEachOthersTextures) {
    HiddenWindow window;
    ASSERT_GT(window.setRgbaFormat(), 0);
    HDC dc = window.dc();
    HGLRC first = wglCreateContext(dc);
    HGLRC created = CreateVersioned(dc, 3, 0, WGL_CONTEXT_COMPATIBILITY_PROFILE_BIT_ARB, first);
    HGLRC joined = wglCreateContext(dc);
    HGLRC alone = wglCreateContext(dc);
    ASSERT_TRUE(first && created && joined && alone);
    // Re-created in first's group behind the same handle, as the library's contexts do it.
    ASSERT_TRUE(wglShareLists(first, joined));

    const GLuint texture = MakeTexture(dc, first);
    ASSERT_NE(texture, 0u);
    EXPECT_TRUE(Knows(dc, created, texture));
    EXPECT_TRUE(Knows(dc, joined, texture));
    EXPECT_FALSE(Knows(dc, alone, texture));
    // And the other way round.
    const GLuint fromJoined = MakeTexture(dc, joined);
    EXPECT_TRUE(Knows(dc, first, fromJoined));

    ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
    for (HGLRC c : {first, created, joined, alone}) {
        EXPECT_TRUE(wglDeleteContext(c));
    }
}

TEST(Context, ShareListsFailsOnceTheContextWasCurrent) {
    HiddenWindow window;
    ASSERT_GT(window.setRgbaFormat(), 0);
    HGLRC first = wglCreateContext(window.dc());
    HGLRC used = wglCreateContext(window.dc());
    ASSERT_TRUE(first && used);
    ASSERT_TRUE(wglMakeCurrent(window.dc(), used));
    ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));

    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(wglShareLists(first, used));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_OPERATION);
    // Refused, and left as it was: still a working context.
    ASSERT_TRUE(wglMakeCurrent(window.dc(), used));
    EXPECT_EQ(ClearAndRead(1, 0, 0), kRed);
    ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));

    EXPECT_FALSE(wglShareLists(first, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(wglDeleteContext(first));
    EXPECT_TRUE(wglDeleteContext(used));
    EXPECT_FALSE(wglShareLists(first, used));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(Context, MakeCurrentRefusesMismatchedAndDeadHandles) {
    HiddenWindow window;
    HiddenWindow other;
    HiddenWindow unset;
    const int format = window.setRgbaFormat();
    ASSERT_GT(format, 0);
    const int singleFormat = other.setRgbaFormat(false);
    ASSERT_GT(singleFormat, 0);
    ASSERT_NE(singleFormat, format);
    HGLRC context = wglCreateContext(window.dc());
    ASSERT_NE(context, nullptr);

    EXPECT_FALSE(wglMakeCurrent(other.dc(), context));  // another pixel format
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PIXEL_FORMAT);
    EXPECT_FALSE(wglMakeCurrent(unset.dc(), context));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PIXEL_FORMAT);
    EXPECT_FALSE(wglMakeCurrent(nullptr, context));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

    // A failed call leaves the thread without a current context, as WGL does.
    ASSERT_TRUE(wglMakeCurrent(window.dc(), context));
    int notAContext = 0;
    EXPECT_FALSE(wglMakeCurrent(window.dc(), reinterpret_cast<HGLRC>(&notAContext)));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);

    EXPECT_TRUE(wglDeleteContext(context));
    EXPECT_FALSE(wglMakeCurrent(window.dc(), context));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));  // nothing current: still fine
}

TEST(Context, DestroyingTheWindowReleasesItsCurrentContext) {
    auto window = std::make_unique<HiddenWindow>();
    ASSERT_GT(window->setRgbaFormat(), 0);
    HDC dc = window->dc();
    HGLRC context = wglCreateContext(dc);
    ASSERT_TRUE(wglMakeCurrent(dc, context));
    window.reset();
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_FALSE(wglMakeCurrent(dc, context));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(wglDeleteContext(context));
}

TEST(Context, EachThreadHasItsOwnCurrentPair) {
    HiddenWindow left;
    HiddenWindow right;
    ASSERT_GT(left.setRgbaFormat(), 0);
    ASSERT_GT(right.setRgbaFormat(), 0);
    HGLRC leftContext = wglCreateContext(left.dc());
    HGLRC rightContext = wglCreateContext(right.dc());
    ASSERT_TRUE(leftContext && rightContext);

    std::mutex mutex;
    std::condition_variable changed;
    int ready = 0;
    bool release = false;
    struct Seen {
        bool made = false;
        HGLRC context = nullptr;
        HDC dc = nullptr;
        std::array<unsigned, 4> pixel{};
    };
    Seen seen[2];
    auto work = [&](int index, HDC dc, HGLRC context, float r, float b) {
        seen[index].made = wglMakeCurrent(dc, context) == TRUE;
        {
            std::unique_lock<std::mutex> lock(mutex);
            ++ready;
            changed.notify_all();
            // Both threads hold their pair at once before either reads back.
            changed.wait(lock, [&] { return ready >= 2; });
        }
        seen[index].pixel = ClearAndRead(r, 0, b);
        seen[index].context = wglGetCurrentContext();
        seen[index].dc = wglGetCurrentDC();
        std::unique_lock<std::mutex> lock(mutex);
        ++ready;
        changed.notify_all();
        changed.wait(lock, [&] { return release; });
        // The thread ends with its context current: ending it frees the context for others.
    };
    std::thread one(work, 0, left.dc(), leftContext, 1.0f, 0.0f);
    std::thread two(work, 1, right.dc(), rightContext, 0.0f, 1.0f);
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return ready >= 4; });
    }
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    // Current on another thread: neither taken nor deleted from here.
    EXPECT_FALSE(wglMakeCurrent(left.dc(), leftContext));
    EXPECT_EQ(GetLastError(), ERROR_BUSY);
    EXPECT_FALSE(wglDeleteContext(leftContext));
    EXPECT_EQ(GetLastError(), ERROR_BUSY);
    {
        std::lock_guard<std::mutex> lock(mutex);
        release = true;
        changed.notify_all();
    }
    one.join();
    two.join();

    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(seen[i].made);
    }
    EXPECT_EQ(seen[0].pixel, kRed);
    EXPECT_EQ(seen[1].pixel, kBlue);
    EXPECT_EQ(seen[0].context, leftContext);
    EXPECT_EQ(seen[0].dc, left.dc());
    EXPECT_EQ(seen[1].context, rightContext);
    EXPECT_EQ(seen[1].dc, right.dc());

    ASSERT_TRUE(wglMakeCurrent(left.dc(), leftContext));
    EXPECT_EQ(ClearAndRead(0, 1, 0), kGreen);
    EXPECT_TRUE(wglDeleteContext(leftContext));
    EXPECT_TRUE(wglDeleteContext(rightContext));
}

TEST(Context, SwapIntervalBelongsToTheCurrentWindow) {
    EXPECT_FALSE(wglSwapIntervalEXT(1));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_OPERATION);
    EXPECT_FALSE(SwapBuffers(nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

    HiddenWindow window;
    EXPECT_FALSE(SwapBuffers(window.dc()));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PIXEL_FORMAT);
    ASSERT_GT(window.setRgbaFormat(), 0);
    HGLRC context = wglCreateContext(window.dc());
    ASSERT_TRUE(wglMakeCurrent(window.dc(), context));
    EXPECT_TRUE(wglSwapIntervalEXT(0));
    EXPECT_EQ(wglGetSwapIntervalEXT(), 0);
    EXPECT_TRUE(wglSwapIntervalEXT(2));
    EXPECT_EQ(wglGetSwapIntervalEXT(), 2);
    EXPECT_FALSE(wglSwapIntervalEXT(-1));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    EXPECT_EQ(wglGetSwapIntervalEXT(), 2);
    EXPECT_TRUE(SwapBuffers(window.dc()));
    wglMakeCurrent(nullptr, nullptr);
    EXPECT_TRUE(wglDeleteContext(context));
}

TEST(Context, CallsWithoutAnXCounterpartFail) {
    HiddenWindow window;
    ASSERT_GT(window.setRgbaFormat(), 0);
    HDC dc = window.dc();
    HGLRC context = wglCreateContext(dc);
    ASSERT_NE(context, nullptr);
    COLORREF colours[1] = {0};
    LAYERPLANEDESCRIPTOR layer{};
    GLYPHMETRICSFLOAT metrics[1];
    WGLSWAP swap = {dc, 1};
    auto expectNotSupported = [](bool failed, const char* what) {
        EXPECT_TRUE(failed) << what;
        EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED) << what;
        SetLastError(ERROR_SUCCESS);
    };
    expectNotSupported(!wglCopyContext(context, context, 0), "wglCopyContext");
    expectNotSupported(wglCreateLayerContext(dc, 1) == nullptr, "wglCreateLayerContext");
    expectNotSupported(!wglUseFontBitmapsA(dc, 0, 1, 1), "wglUseFontBitmapsA");
    expectNotSupported(!wglUseFontBitmapsW(dc, 0, 1, 1), "wglUseFontBitmapsW");
    expectNotSupported(!wglUseFontOutlinesA(dc, 0, 1, 1, 0, 0, 0, metrics), "OutlinesA");
    expectNotSupported(!wglUseFontOutlinesW(dc, 0, 1, 1, 0, 0, 0, metrics), "OutlinesW");
    expectNotSupported(!wglDescribeLayerPlane(dc, 1, 1, sizeof layer, &layer), "DescribeLayer");
    expectNotSupported(wglSetLayerPaletteEntries(dc, 1, 0, 1, colours) == 0, "SetPalette");
    expectNotSupported(wglGetLayerPaletteEntries(dc, 1, 0, 1, colours) == 0, "GetPalette");
    expectNotSupported(!wglRealizeLayerPalette(dc, 1, TRUE), "wglRealizeLayerPalette");
    expectNotSupported(!wglSwapLayerBuffers(dc, 1), "wglSwapLayerBuffers");
    expectNotSupported(wglSwapMultipleBuffers(1, &swap) == 0, "wglSwapMultipleBuffers");
    EXPECT_TRUE(wglDeleteContext(context));
}

}  // namespace
