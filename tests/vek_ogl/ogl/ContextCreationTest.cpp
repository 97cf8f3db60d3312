// Creating contexts on llvmpipe: formats, the simple and extended pixel-format paths, what is
// current afterwards, and what a failure at each window-system call leaves behind.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/InternalWindow.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLInterceptor.h>
#include <vek/vek_ogl/ogl/BufferFormat.h>
#include <vek/vek_ogl/ogl/ContextOffscreen.h>
#include <vek/vek_ogl/ogl/ContextWindowed.h>

#include "support/ContextAccess.h"
#include "support/GLLayer.h"
#include "support/GLTestContext.h"
#include "support/HiddenWindow.h"
#include "support/InternalMessage.h"
#include "support/ServerResources.h"
#include "support/WGLFaults.h"

using namespace VEK::OGL;
using VEKTest::ContextAccess;
using VEKTest::InternalMessageOf;

namespace {

DisplayDeviceKey FirstDisplay() {
    DisplayDeviceKey key;
    EXPECT_TRUE(Context::DisplayDevice(0, key));
    return key;
}

bool SameFormat(const BufferFormat& a, const BufferFormat& b) {
    return a.redBits() == b.redBits() && a.greenBits() == b.greenBits() &&
           a.blueBits() == b.blueBits() && a.alphaBits() == b.alphaBits() &&
           a.stencilBits() == b.stencilBits() && a.depthBits() == b.depthBits() &&
           a.floatingPointColor() == b.floatingPointColor();
}

// The resources less the child window and colormap that a pixel format of another visual adds
// to a window for as long as the window lives.
std::map<std::string, long> WithoutFormatChild(std::map<std::string, long> resources) {
    for (const char* type : {"WINDOW", "COLORMAP"}) {
        if (--resources[type] == 0) {
            resources.erase(type);
        }
    }
    return resources;
}

}  // namespace

TEST(ContextCreation, PredefinedFormats) {
    const BufferFormat rgba(BufferFormat::kRGBA8_S8D24);
    EXPECT_TRUE(SameFormat(rgba, BufferFormat(8, 8, 8, 8, 8, 24, false)));
    EXPECT_TRUE(
        SameFormat(BufferFormat(BufferFormat::kR16F), BufferFormat(16, 0, 0, 0, 0, 0, true)));
    EXPECT_TRUE(SameFormat(BufferFormat(BufferFormat::kRG32F_S8D24),
                           BufferFormat(32, 32, 0, 0, 8, 24, true)));
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(SameFormat(BufferFormat(static_cast<BufferFormat::PredefinedFormat>(21 + i)),
                               BufferFormat(static_cast<BufferFormat::PredefinedFormat>(18 + i))));
    }
    EXPECT_EQ(
        InternalMessageOf([] { BufferFormat(static_cast<BufferFormat::PredefinedFormat>(24)); }),
        "Trying to construct an buffer-format not recognized by this method");
    EXPECT_EQ(
        InternalMessageOf([] { BufferFormat(static_cast<BufferFormat::PredefinedFormat>(-1)); }),
        "Trying to construct an buffer-format not recognized by this method");
}

TEST(ContextCreation, PixelFormatChoosersAndTheirChecks) {
    VEKTest::GLLibraries libraries;
    VEKTest::HiddenWindow window(16, 16);
    ContextAccess access;
    EXPECT_EQ(InternalMessageOf([] {
                  ContextAccess::ChoosePixelFormat(nullptr, BufferFormat(8, 8, 8, 8, 0, 0, false),
                                                   true);
              }),
              "Context:choosePixelFormat invalid device context");
    const BufferFormat rgba(8, 8, 8, 8, 0, 24, false);
    const auto extended = [&rgba](HDC dc, Context::Buffering buffering,
                                  Context::Multisampling samples) {
        return ContextAccess::ChoosePixelFormat(dc, rgba, buffering, samples,
                                                Context::kDrawToWindow);
    };
    // The extended chooser is found through a current context only.
    EXPECT_EQ(InternalMessageOf([&] {
                  extended(window.dc(), Context::kDoubleBuffered, Context::kNoMultisampling);
              }),
              "wglChoosePixelFormatARB extension not supported");

    const int simple = ContextAccess::ChoosePixelFormat(
        window.dc(), BufferFormat(BufferFormat::kRGBA8_S8D24), true);
    PIXELFORMATDESCRIPTOR got{};
    ASSERT_GT(DescribePixelFormat(window.dc(), simple, sizeof got, &got), 0);
    EXPECT_EQ(got.dwFlags & 0x25u, 0x25u);
    EXPECT_EQ(got.cColorBits, 32);
    EXPECT_GE(got.cDepthBits, 24);
    EXPECT_GE(got.cStencilBits, 8);

    VEKTest::GLTestContext current;
    EXPECT_EQ(InternalMessageOf([&] {
                  extended(current.dc(), Context::kSingleBuffered, Context::k4xMultisampling);
              }),
              "Double buffering required with multisampling.");
    if (VEKTest::DriverHasMultisampledWindowFormats()) {
        const int sampled =
            extended(current.dc(), Context::kDoubleBuffered, Context::k4xMultisampling);
        const int samplesAttribute = WGL_SAMPLES_ARB;
        int samples = 0;
        ASSERT_TRUE(
            wglGetPixelFormatAttribivARB(current.dc(), sampled, 0, 1, &samplesAttribute, &samples));
        EXPECT_EQ(samples, 4);
    } else {
        EXPECT_EQ(InternalMessageOf([&] {
                      extended(current.dc(), Context::kDoubleBuffered, Context::k4xMultisampling);
                  }),
                  "Can't find suitable pixel format.");
    }
    EXPECT_EQ(InternalMessageOf([&] {
                  ContextAccess::ChoosePixelFormat(
                      current.dc(), BufferFormat(99, 8, 8, 8, 0, 0, false),
                      Context::kSingleBuffered, Context::kNoMultisampling, Context::kDrawToWindow);
              }),
              "Can't find suitable pixel format.");

    EXPECT_EQ(InternalMessageOf([&] { access.setPixelFormat(window.dc(), 0); }),
              "Context::setPixelFormat invalid pixel format 0");
    access.setPixelFormat(window.dc(), simple);
    EXPECT_EQ(access.pixelFormat(), simple);
    const int other = simple == 1 ? 2 : 1;
    EXPECT_EQ(InternalMessageOf([&] { access.setPixelFormat(window.dc(), other); }),
              "Context::setPixelFormat Unable to set pixel format %i on device context. Window "
              "Error: " +
                  std::to_string(ERROR_INVALID_PIXEL_FORMAT));
}

TEST(ContextCreation, WindowedContextsRenderIntoTheirWindowAndKeepTheCurrentContext) {
    VEKTest::GLLibraries libraries;
    VEKTest::HiddenWindow window(32, 32);
    {
        VEKTest::GLTestContext host;  // current throughout
        // Making the display's manager restores the current context.
        DisplayDeviceKey key;
        ASSERT_TRUE(Context::DisplayDevice(0, key));
        EXPECT_NE(ExtensionManager::Instance(key), nullptr);
        EXPECT_EQ(Context::CurrentContext(), host.context());
        EXPECT_EQ(wglGetCurrentDC(), host.dc());
        ContextWindowed windowed(window.window(), BufferFormat(BufferFormat::kRGBA8_S8D24),
                                 Context::kDoubleBuffered, Context::kNoMultisampling);
        EXPECT_EQ(Context::CurrentContext(), host.context());
        int bits[6] = {};
        windowed.getBitDepths(&bits[0], &bits[1], &bits[2], &bits[3], &bits[4], &bits[5]);
        EXPECT_EQ(bits[0], 8);
        EXPECT_EQ(bits[1], 8);
        EXPECT_EQ(bits[2], 8);
        EXPECT_EQ(bits[3], 8);
        EXPECT_GE(bits[4], 24);
        EXPECT_GE(bits[5], 8);

        windowed.makeCurrent();
        EXPECT_TRUE(windowed.isSharingWithCurrentContext());
        OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
        gl->cgmClearColor(__FILE__, __LINE__, 0.f, 1.f, 0.f, 1.f);
        gl->cgmClear(__FILE__, __LINE__, GL_COLOR_BUFFER_BIT);
        GLubyte pixel[4] = {};
        gl->cgmReadPixels(__FILE__, __LINE__, 4, 4, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        EXPECT_EQ(pixel[1], 255);
        EXPECT_EQ(pixel[0], 0);
        windowed.swapBuffers();
        if (Context::SupportsVerticalRetraceControl()) {
            windowed.enableSyncToVerticalRetrace(true);
            EXPECT_EQ(wglGetSwapIntervalEXT(), 1);
            windowed.enableSyncToVerticalRetrace(false);
            EXPECT_EQ(wglGetSwapIntervalEXT(), 0);
        } else {
            EXPECT_EQ(InternalMessageOf([&] { windowed.enableSyncToVerticalRetrace(true); }),
                      "ContextWindowed::enableSyncToVerticalRetrace unsupported feature");
        }
        host.makeCurrent();
    }
    EXPECT_EQ(InternalMessageOf([] {
                  ContextWindowed(nullptr, BufferFormat(BufferFormat::kRGBA8),
                                  Context::kDoubleBuffered, Context::kNoMultisampling);
              }),
              "ContextWindowed::ctor invalid DC on window");
    EXPECT_EQ(InternalMessageOf([] { ContextOffscreen(static_cast<const Context*>(nullptr)); }),
              "pContext != NULL");
    EXPECT_EQ(ContextAccess::gVectorOfContextVectors, nullptr);
}

TEST(ContextCreation, ExtendedPathMakesOneTemporaryContextWhenNoneIsCurrent) {
    VEKTest::GLLibraries libraries;
    VEKTest::WGLFaults calls;
    ExtensionManager::addWGLInterceptor(&calls);
    const DisplayDeviceKey key = FirstDisplay();
    ExtensionManager::Instance(key);  // the bootstrap's own window and context are not counted
    // The bootstrap context read the driver without being registered, and is gone.
    ASSERT_EQ(calls.created.size(), 1u);
    EXPECT_EQ(ExtensionManager::Instance(calls.created[0]), nullptr);
    EXPECT_EQ(Context::CurrentContext(), nullptr);
    {
        VEKTest::HiddenWindow window(32, 32);
        const auto before = VEKTest::ServerResources();
        calls.calls.clear();
        calls.created.clear();
        // A driver without multisampled formats refuses on the same path, after the
        // temporary context.
        const bool multisampled = VEKTest::DriverHasMultisampledWindowFormats();
        {
            // Without depth: llvmpipe keeps 1 MB per window with a multisampled depth buffer,
            // with or without the library.
            std::unique_ptr<ContextWindowed> sampled;
            EXPECT_EQ(InternalMessageOf([&] {
                          sampled = std::make_unique<ContextWindowed>(
                              window.window(), BufferFormat(BufferFormat::kRGBA8),
                              Context::kDoubleBuffered, Context::k4xMultisampling);
                      }),
                      multisampled ? "<nothing thrown>" : "Can't find suitable pixel format.");
            EXPECT_EQ(Context::CurrentContext(), nullptr);
            EXPECT_EQ(calls.count("Context_WIN.cpp", "wglGetProcAddress"), 1);
            // The temporary context and the real one; only the temporary one is gone.
            ASSERT_EQ(calls.created.size(), multisampled ? 2u : 1u);
            EXPECT_EQ(calls.count("Context_WIN.cpp", "wglDeleteContext"), 1);
            EXPECT_FALSE(wglMakeCurrent(window.dc(), calls.created[0]));
            if (sampled) {
                EXPECT_EQ(calls.created[1], sampled->renderContext());
                sampled->makeCurrent();
                GLint samples = 0;
                OpenGLInterceptor::Instance()->cgmGetIntegerv(__FILE__, __LINE__, GL_SAMPLES,
                                                              &samples);
                EXPECT_EQ(samples, 4);
                ReleaseOGLContext();
            }
        }
        // The window's multisampled format lives in a child window with its colormap until the
        // window goes; nothing else may remain.
        const auto after = VEKTest::ServerResources();
        EXPECT_EQ(multisampled ? WithoutFormatChild(after) : after, before);
    }

    // Float colour and channels above 8 bits take the same path (llvmpipe has no such window
    // formats; a driver that has them gives a context).
    const BufferFormat extended[] = {BufferFormat(BufferFormat::kRGBA16F),
                                     BufferFormat(10, 10, 10, 2, 0, 0, false),
                                     BufferFormat(BufferFormat::kR32F)};
    for (const BufferFormat& format : extended) {
        VEKTest::HiddenWindow window(16, 16);
        calls.calls.clear();
        const std::string message = InternalMessageOf([&] {
            ContextWindowed context(window.window(), format, Context::kDoubleBuffered,
                                    Context::kNoMultisampling);
        });
        EXPECT_TRUE(message == "Can't find suitable pixel format." || message == "<nothing thrown>")
            << message;
        EXPECT_EQ(calls.count("Context_WIN.cpp", "wglGetProcAddress"), 1);
        EXPECT_EQ(Context::CurrentContext(), nullptr);
    }
    // The simple path never looks for the extended chooser.
    {
        VEKTest::HiddenWindow window(16, 16);
        calls.calls.clear();
        ContextWindowed simple(window.window(), BufferFormat(BufferFormat::kRGBA8),
                               Context::kDoubleBuffered, Context::kNoMultisampling);
        EXPECT_EQ(calls.count("Context_WIN.cpp", "wglGetProcAddress"), 0);
    }
    EXPECT_EQ(ExtensionManager::popWGLInterceptor(), &calls);
}

// Every window-system call of a construction fails in turn: each failure must surface as an
// exception and leave no registration, no share-group entry, no context and no X resource.
TEST(ContextCreation, AFailureAtAnyStepLeavesNothingBehind) {
    VEKTest::GLLibraries libraries;
    VEKTest::WGLFaults faults;
    ExtensionManager::addWGLInterceptor(&faults);
    const DisplayDeviceKey key = FirstDisplay();
    ContextOffscreen sibling(key);  // makes the display's manager with the recording entry point
    VEKTest::HiddenWindow window(16, 16);
    VEKTest::HiddenWindow multisampled(16, 16);
    const auto resources = VEKTest::ServerResources();

    struct Case {
        const char* name;
        std::function<std::unique_ptr<Context>()> construct;
        std::string finished;  // the outcome once no call fails
    };
    const Case cases[] = {
        {"offscreen", [&] { return std::make_unique<ContextOffscreen>(&sibling); },
         "<nothing thrown>"},
        {"windowed, extended path",
         [&] {
             return std::make_unique<ContextWindowed>(
                 multisampled.window(), BufferFormat(BufferFormat::kRGBA8),
                 Context::kDoubleBuffered, Context::k4xMultisampling, &sibling);
         },
         // A driver without multisampled formats refuses after the temporary context.
         VEKTest::DriverHasMultisampledWindowFormats() ? "<nothing thrown>"
                                                       : "Can't find suitable pixel format."},
        // No driver has 99-bit red: refused after the temporary context, which must go too.
        {"windowed, extended path, no format",
         [&] {
             return std::make_unique<ContextWindowed>(
                 window.window(), BufferFormat(99, 8, 8, 8, 0, 0, false), Context::kDoubleBuffered,
                 Context::kNoMultisampling, &sibling);
         },
         "Can't find suitable pixel format."},
    };
    for (const Case& c : cases) {
        for (int failAt = 1;; ++failAt) {
            faults.failable = 0;
            faults.failAt = failAt;
            faults.created.clear();
            faults.failed.clear();
            std::unique_ptr<Context> made;
            const std::string message = InternalMessageOf([&] { made = c.construct(); });
            faults.failAt = 0;
            SCOPED_TRACE(std::string(c.name) + ", failing " + faults.failed);
            if (faults.failed.empty()) {
                EXPECT_EQ(message, c.finished);
                EXPECT_GT(failAt, 3);
                break;
            }
            // Two failures are ridden over: the extended creation call falls back to the legacy
            // one, and the temporary context is deleted even when releasing it failed.
            if (made != nullptr) {
                EXPECT_TRUE(faults.failed == ": wglCreateContextAttribsARB" ||
                            faults.failed == "Context_WIN.cpp: wglMakeCurrent(null)");
            } else {
                EXPECT_NE(message, "<nothing thrown>");
            }
            made.reset();
            EXPECT_EQ(Context::CurrentContext(), nullptr);
            EXPECT_EQ(ContextAccess::Groups(), 1u);
            EXPECT_EQ(ContextAccess::GroupSizeOf(&sibling), 1u);
            // Only a deletion the window system refused, and said so, leaves its context.
            int alive = 0;
            for (HGLRC created : faults.created) {
                EXPECT_EQ(ExtensionManager::Instance(created), nullptr);
                alive += wglDeleteContext(created) ? 1 : 0;
            }
            const bool refused =
                faults.failed == "Context_WIN.cpp: wglDeleteContext" &&
                message ==
                    "ContextWindowed::ContextWindowed failed to destroy context: fatal exception!";
            EXPECT_LE(alive, refused ? 1 : 0);
            // A format set on the host's window stays with it.
            const auto now = VEKTest::ServerResources();
            const bool formatSet = GetPixelFormat(multisampled.dc()) != 0;
            EXPECT_EQ(formatSet ? WithoutFormatChild(now) : now, resources);
        }
    }
    EXPECT_EQ(ExtensionManager::popWGLInterceptor(), &faults);
}

TEST(ContextCreation, HiddenWindowsHaveAClassOfTheirOwnAndGiveItBack) {
    const auto before = VEKTest::ServerResources();
    InternalWindowPtr first = InternalWindow::Create(0, 0);
    InternalWindowPtr second = InternalWindow::Create(0, 0);
    ASSERT_NE(first->window(), second->window());
    std::ostringstream name;
    name << "OpenGL" << static_cast<const void*>(first.get());
    WNDCLASSEXA taken{};
    taken.cbSize = sizeof taken;
    taken.lpfnWndProc = &DefWindowProcW;
    const std::string className = name.str();
    taken.lpszClassName = className.c_str();
    EXPECT_EQ(RegisterClassExA(&taken), 0);  // the window's own class holds the name
    EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
    EXPECT_NE(GetDC(first->window()), nullptr);

    first->destroy();
    EXPECT_EQ(first->window(), nullptr);
    EXPECT_FALSE(UnregisterClassA(className.c_str(), GetModuleHandleW(nullptr)));
    EXPECT_EQ(GetLastError(), ERROR_CLASS_DOES_NOT_EXIST);
    first.reset();  // nothing left to do
    second.reset();
    EXPECT_EQ(VEKTest::ServerResources(), before);
}
