// Contexts on a server with two X screens: each context lives on the screen of the display it was
// made for, shares only with contexts of that screen, and a refused share leaves nothing behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/platform/Displays.h>
#include <vek/platform/XConnection.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/EntryPointLookup.h>
#include <vek/vek_ogl/extensionator/OpenGLInterceptor.h>
#include <vek/vek_ogl/extensionator/wgl/WGLCallObserver.h>
#include <vek/vek_ogl/ogl/ContextOffscreen.h>
#include <vek/vek_ogl/ogl/ContextWindowed.h>

#include "support/ContextAccess.h"
#include "support/GLLayer.h"
#include "support/GLTestContext.h"
#include "support/HiddenWindow.h"
#include "support/InternalMessage.h"
#include "support/ServerResources.h"
#include "support/XvfbServer.h"
// After GoogleTest: Xlib's macros would break its templates.
#include <GL/glx.h>
#include <X11/Xlib.h>

using namespace VEK::OGL;
using VEKTest::ContextAccess;
using VEKTest::InternalMessageOf;

namespace {

// The screens GLX reports for the current context and for the drawable it draws into.
struct Placement {
    int context = -1;
    int drawable = -1;
};

Placement CurrentPlacement() {
    Placement placement;
    Display* display = glXGetCurrentDisplay();
    GLXContext context = glXGetCurrentContext();
    if (display == nullptr || context == nullptr) {
        return placement;
    }
    glXQueryContext(display, context, GLX_SCREEN, &placement.context);
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, glXGetCurrentDrawable(), &attributes)) {
        placement.drawable = XScreenNumberOfScreen(attributes.screen);
    }
    return placement;
}

// Makes the context current, clears it to a colour and reads one pixel back.
std::vector<GLubyte> ClearAndRead(const Context& context, float red, float green, float blue) {
    context.makeCurrent();
    OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
    gl->cgmClearColor(__FILE__, __LINE__, red, green, blue, 1.f);
    gl->cgmClear(__FILE__, __LINE__, GL_COLOR_BUFFER_BIT);
    std::vector<GLubyte> pixel(4, 0);
    gl->cgmReadPixels(__FILE__, __LINE__, 1, 1, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    return pixel;
}

// Records the screen of every context made current through the window-system chain, and the
// device context (and its adapter, read while it lives) each extended pixel-format query is
// asked on.
class ScreenWatch : public WGLCallObserver {
public:
    ScreenWatch() { sActive_ = this; }
    ~ScreenWatch() override { sActive_ = nullptr; }

    std::vector<int> madeCurrentOn;
    std::vector<HDC> queriedOn;
    std::vector<int> queriedAdapters;

    int wcgmMakeCurrent(char const* file, unsigned line, HDC dc, HGLRC context) override {
        const int made = interceptor()->wcgmMakeCurrent(file, line, dc, context);
        if (made && context != nullptr) {
            madeCurrentOn.push_back(CurrentPlacement().context);
        }
        return made;
    }
    PROC wcgmGetProcAddress(char const* file, unsigned line, char const* name) override {
        PROC found = interceptor()->wcgmGetProcAddress(file, line, name);
        if (found != nullptr && std::strcmp(name, "wglChoosePixelFormatARB") == 0) {
            sChoose_ = reinterpret_cast<Choose>(reinterpret_cast<internal::EntryPoint>(found));
            return reinterpret_cast<PROC>(reinterpret_cast<internal::EntryPoint>(&Recorded));
        }
        return found;
    }

protected:
    void observe(char const*, unsigned, char const*) override {}

private:
    typedef BOOL (*Choose)(HDC, const int*, const FLOAT*, UINT, int*, UINT*);
    static BOOL Recorded(HDC dc, const int* integers, const FLOAT* floats, UINT most, int* formats,
                         UINT* count) {
        if (sActive_ != nullptr) {
            sActive_->queriedOn.push_back(dc);
            sActive_->queriedAdapters.push_back(VEK::Platform::Displays::AdapterOf(dc));
        }
        return sChoose_(dc, integers, floats, most, formats, count);
    }

    static ScreenWatch* sActive_;
    static Choose sChoose_;
};

ScreenWatch* ScreenWatch::sActive_ = nullptr;
ScreenWatch::Choose ScreenWatch::sChoose_ = nullptr;

// Starts a server with two screens and points the platform's connection at it; screen picks the
// default screen of the connection.
bool UseTwoScreenServer(const VEKTest::XvfbServer& server, int screen) {
    if (!server.running()) {
        return false;
    }
    const std::string name = server.name() + "." + std::to_string(screen);
    setenv("DISPLAY", name.c_str(), 1);  // before the platform's first connection
    return true;
}

HWND Handle(Window window) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}

}  // namespace

TEST(ContextScreens, OffscreenContextsLiveAndRenderOnTheScreenOfTheirDisplay) {
    VEKTest::XvfbServer server({"320x240x24", "400x300x24"});
    ASSERT_TRUE(UseTwoScreenServer(server, 0));
    VEKTest::GLLibraries libraries;
    ScreenWatch watch;
    ExtensionManager::addWGLInterceptor(&watch);
    {
        DisplayDeviceKey first, second;
        ASSERT_TRUE(Context::DisplayDevice(0, first));
        ASSERT_TRUE(Context::DisplayDevice(1, second));
        ASSERT_NE(first, second);

        // The second display first: its manager's bootstrap context is made there too.
        ContextOffscreen onSecond(second);
        ASSERT_GE(watch.madeCurrentOn.size(), 2u);
        for (int screen : watch.madeCurrentOn) {
            EXPECT_EQ(screen, 1);
        }
        ContextOffscreen onFirst(first);
        EXPECT_EQ(Context::CurrentContext(), nullptr);
        EXPECT_EQ(onSecond.displayDeviceKey(), second);
        EXPECT_EQ(onFirst.displayDeviceKey(), first);

        const std::vector<GLubyte> blue = ClearAndRead(onSecond, 0.f, 0.f, 1.f);
        const Placement secondPlacement = CurrentPlacement();
        EXPECT_EQ(secondPlacement.context, 1);
        EXPECT_EQ(secondPlacement.drawable, 1);
        EXPECT_EQ(blue, (std::vector<GLubyte>{0, 0, 255, 255}));
        const std::vector<GLubyte> red = ClearAndRead(onFirst, 1.f, 0.f, 0.f);
        const Placement firstPlacement = CurrentPlacement();
        EXPECT_EQ(firstPlacement.context, 0);
        EXPECT_EQ(firstPlacement.drawable, 0);
        EXPECT_EQ(red, (std::vector<GLubyte>{255, 0, 0, 255}));

        // A sibling of the second display's context lives beside it and sees its objects.
        onSecond.makeCurrent();
        OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
        GLuint texture = 0;
        gl->cgmGenTextures(__FILE__, __LINE__, 1, &texture);
        gl->cgmBindTexture(__FILE__, __LINE__, GL_TEXTURE_2D, texture);
        const GLubyte texels[2 * 2 * 4] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
        gl->cgmTexImage2D(__FILE__, __LINE__, GL_TEXTURE_2D, 0, GL_RGBA8, 2, 2, 0, GL_RGBA,
                          GL_UNSIGNED_BYTE, texels);
        gl->cgmFinish(__FILE__, __LINE__);
        {
            ContextOffscreen sibling(
                &onSecond);  // made while a context of the same screen is current
            EXPECT_EQ(Context::CurrentContext(), onSecond.renderContext());
            EXPECT_EQ(ContextAccess::GroupSizeOf(&onSecond), 2u);
            sibling.makeCurrent();
            EXPECT_EQ(CurrentPlacement().context, 1);
            EXPECT_EQ(CurrentPlacement().drawable, 1);
            EXPECT_TRUE(onSecond.isSharingWithCurrentContext());
            EXPECT_FALSE(onFirst.isSharingWithCurrentContext());
            ASSERT_TRUE(gl->cgmIsTexture(__FILE__, __LINE__, texture));
            gl->cgmBindTexture(__FILE__, __LINE__, GL_TEXTURE_2D, texture);
            GLubyte seen[2 * 2 * 4] = {};
            gl->cgmGetTexImage(__FILE__, __LINE__, GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                               seen);
            EXPECT_TRUE(std::equal(std::begin(texels), std::end(texels), std::begin(seen)));
        }
        // The first screen's context does not see the second screen's objects.
        onFirst.makeCurrent();
        EXPECT_FALSE(gl->cgmIsTexture(__FILE__, __LINE__, texture));
        ReleaseOGLContext();
    }
    EXPECT_EQ(ContextAccess::gVectorOfContextVectors, nullptr);
    EXPECT_EQ(ExtensionManager::popWGLInterceptor(), &watch);
}

TEST(ContextScreens, SharingAcrossScreensIsRefusedClearlyAndLeavesNothing) {
    VEKTest::XvfbServer server({"320x240x24", "400x300x24"});
    ASSERT_TRUE(UseTwoScreenServer(server, 0));
    VEKTest::GLLibraries libraries;
    DisplayDeviceKey first, second;
    ASSERT_TRUE(Context::DisplayDevice(0, first));
    ASSERT_TRUE(Context::DisplayDevice(1, second));
    ContextOffscreen onSecond(second);
    ContextOffscreen onFirst(first);
    VEKTest::HiddenWindow window(16, 16);  // on the first screen
    const auto before = VEKTest::ServerResources();

    const std::string expected =
        "Context::createRenderingContext cannot share lists. The context's display \"" +
        first.outputName() + "\" is on screen 0, its share context's display \"" +
        second.outputName() + "\" on screen 1: contexts share objects only on one screen.";
    // Both pixel-format paths, with and without a context current.
    for (Context::Multisampling samples : {Context::kNoMultisampling, Context::k4xMultisampling}) {
        for (const Context* current :
             {static_cast<const Context*>(nullptr), static_cast<const Context*>(&onFirst)}) {
            SCOPED_TRACE(std::to_string(samples) + (current ? ", a context current" : ""));
            if (current != nullptr) {
                current->makeCurrent();
            }
            EXPECT_EQ(InternalMessageOf([&] {
                          ContextWindowed(window.window(), BufferFormat(BufferFormat::kRGBA8),
                                          Context::kDoubleBuffered, samples, &onSecond);
                      }),
                      expected);
            EXPECT_EQ(Context::CurrentContext(), current ? current->renderContext() : nullptr);
            ReleaseOGLContext();
        }
    }
    // Nothing was made: no format on the window, no context in a group, no X resource.
    EXPECT_EQ(GetPixelFormat(window.dc()), 0);
    EXPECT_EQ(ContextAccess::Groups(), 2u);
    EXPECT_EQ(ContextAccess::GroupSizeOf(&onSecond), 1u);
    EXPECT_EQ(ContextAccess::GroupSizeOf(&onFirst), 1u);
    EXPECT_EQ(VEKTest::ServerResources(), before);

    // An off-screen context beside the second screen's one is made there, whatever is current.
    onFirst.makeCurrent();
    {
        ContextOffscreen sibling(&onSecond);
        EXPECT_EQ(Context::CurrentContext(), onFirst.renderContext());
        EXPECT_EQ(VEK::Platform::Displays::AdapterOf(sibling.renderContext()), 1);
        EXPECT_EQ(VEK::Platform::Displays::AdapterOf(sibling.deviceContext()), 1);
    }
    ReleaseOGLContext();
    EXPECT_EQ(VEKTest::ServerResources(), before);
}

// A shown top-level window on the second screen while the connection's default screen is that
// one too: windowed contexts follow the window, off-screen ones their display.
TEST(ContextScreens, WindowedContextsFollowTheirWindowAndAskFormatsOnItsScreen) {
    VEKTest::XvfbServer server({"320x240x24", "400x300x24"});
    ASSERT_TRUE(UseTwoScreenServer(server, 1));
    VEKTest::GLLibraries libraries;
    ScreenWatch watch;
    ExtensionManager::addWGLInterceptor(&watch);
    {
        Display* display = VEK::Platform::XConnection::Get();
        ASSERT_EQ(DefaultScreen(display), 1);
        DisplayDeviceKey first, second;
        ASSERT_TRUE(Context::DisplayDevice(0, first));
        ASSERT_TRUE(Context::DisplayDevice(1, second));

        // The first display's context is not made on the default screen.
        ContextOffscreen onFirst(first);
        const std::vector<GLubyte> green = ClearAndRead(onFirst, 0.f, 1.f, 0.f);
        EXPECT_EQ(CurrentPlacement().context, 0);
        EXPECT_EQ(CurrentPlacement().drawable, 0);
        EXPECT_EQ(green, (std::vector<GLubyte>{0, 255, 0, 255}));
        ReleaseOGLContext();

        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &DefWindowProcW;
        windowClass.lpszClassName = "VEKContextScreensTest";
        ASSERT_NE(RegisterClassExA(&windowClass), 0);
        HWND shown = CreateWindowExA(0, "VEKContextScreensTest", "shown",
                                     WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 64, 64,
                                     Handle(RootWindow(display, 1)), nullptr, nullptr, nullptr);
        // A window takes one pixel format: the multisampled context gets a hidden one.
        HWND hidden =
            CreateWindowExA(0, "VEKContextScreensTest", "", WS_OVERLAPPEDWINDOW, 0, 0, 16, 16,
                            Handle(RootWindow(display, 1)), nullptr, nullptr, nullptr);
        ASSERT_TRUE(shown != nullptr && hidden != nullptr);
        {
            ContextWindowed windowed(shown, BufferFormat(BufferFormat::kRGBA8),
                                     Context::kDoubleBuffered, Context::kNoMultisampling);
            EXPECT_EQ(windowed.displayDeviceKey(), second);
            const std::vector<GLubyte> blue = ClearAndRead(windowed, 0.f, 0.f, 1.f);
            EXPECT_EQ(CurrentPlacement().context, 1);
            EXPECT_EQ(blue, (std::vector<GLubyte>{0, 0, 255, 255}));
            // What the swap puts on the screen is in the second screen's framebuffer.
            windowed.swapBuffers();
            OpenGLInterceptor::Instance()->cgmFinish(__FILE__, __LINE__);
            XSync(display, False);
            XImage* image =
                XGetImage(display, RootWindow(display, 1), 52, 52, 1, 1, AllPlanes, ZPixmap);
            ASSERT_NE(image, nullptr);
            EXPECT_EQ(XGetPixel(image, 0, 0) & 0xFFFFFFu, 0x0000FFu);
            XDestroyImage(image);
            ReleaseOGLContext();
        }

        // With the first screen's context current, the extended chooser is still asked on the
        // window's screen, whose pixel formats are the ones the window can take.
        onFirst.makeCurrent();
        watch.queriedOn.clear();
        watch.queriedAdapters.clear();
        {
            // A driver without multisampled formats refuses once the chooser has answered.
            const bool multisampled = VEKTest::DriverHasMultisampledWindowFormats();
            std::unique_ptr<ContextWindowed> sampled;
            EXPECT_EQ(InternalMessageOf([&] {
                          sampled = std::make_unique<ContextWindowed>(
                              hidden, BufferFormat(BufferFormat::kRGBA8), Context::kDoubleBuffered,
                              Context::k4xMultisampling);
                      }),
                      multisampled ? "<nothing thrown>" : "Can't find suitable pixel format.");
            EXPECT_EQ(Context::CurrentContext(), onFirst.renderContext());
            ASSERT_EQ(watch.queriedOn.size(), 1u);
            EXPECT_NE(watch.queriedOn[0], onFirst.deviceContext());
            EXPECT_EQ(watch.queriedAdapters[0], 1);
            if (sampled) {
                sampled->makeCurrent();
                EXPECT_EQ(CurrentPlacement().context, 1);
                GLint samples = 0;
                OpenGLInterceptor::Instance()->cgmGetIntegerv(__FILE__, __LINE__, GL_SAMPLES,
                                                              &samples);
                EXPECT_EQ(samples, 4);
            }
        }
        ReleaseOGLContext();
        EXPECT_TRUE(DestroyWindow(shown));
        EXPECT_TRUE(DestroyWindow(hidden));
        EXPECT_TRUE(UnregisterClassA("VEKContextScreensTest", nullptr));
    }
    EXPECT_EQ(ExtensionManager::popWGLInterceptor(), &watch);
}
