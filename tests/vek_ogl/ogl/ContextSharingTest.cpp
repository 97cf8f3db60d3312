// Share groups and extension managers of the library's contexts on llvmpipe: who shares with
// whom, what a sibling sees, and which manager answers for each context.
#include <gtest/gtest.h>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLInterceptor.h>
#include <vek/vek_ogl/extensionator/wgl/WGLCallObserver.h>
#include <vek/vek_ogl/ogl/ContextOffscreen.h>
#include <vek/vek_ogl/ogl/ContextWindowed.h>
#include <vek/vek_ogl/ogl/ContextWrapped.h>

#include "support/ContextAccess.h"
#include "support/GLLayer.h"
#include "support/GLTestContext.h"
#include "support/HiddenWindow.h"
#include "support/InternalMessage.h"
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

// Refuses to make one rendering context current, as a driver that lost it would.
struct RefuseMakeCurrent : WGLCallObserver {
    explicit RefuseMakeCurrent(HGLRC refused) : refused_(refused) {}
    void observe(char const*, unsigned, char const*) override {}
    int wcgmMakeCurrent(char const* file, unsigned line, HDC dc, HGLRC context) override {
        if (context != nullptr && context == refused_) {
            return FALSE;
        }
        return interceptor()->wcgmMakeCurrent(file, line, dc, context);
    }
    HGLRC refused_;
};

}  // namespace

TEST(ContextSharing, ContextsOfOneDisplayShareOneManagerMadeOnOneBootstrap) {
    VEKTest::GLLibraries library;
    VEKTest::WGLFaults calls;
    ExtensionManager::addWGLInterceptor(&calls);
    {
        const DisplayDeviceKey key = FirstDisplay();
        ContextOffscreen first(key);
        EXPECT_EQ(Context::CurrentContext(), nullptr);
        ContextOffscreen second(&first);
        EXPECT_EQ(Context::CurrentContext(), nullptr);
        VEKTest::HiddenWindow window(32, 32);
        ContextWindowed windowed(window.window(), BufferFormat(BufferFormat::kRGBA8_D24),
                                 Context::kDoubleBuffered, Context::kNoMultisampling, &second);
        EXPECT_EQ(Context::CurrentContext(), nullptr);

        ExtensionManager* manager = ExtensionManager::Instance(key);
        ASSERT_NE(manager, nullptr);
        EXPECT_EQ(manager->displayDeviceKey(), key);
        EXPECT_GE(manager->majorVersion(), 3u);
        for (const Context* context :
             {static_cast<const Context*>(&first), static_cast<const Context*>(&second),
              static_cast<const Context*>(&windowed)}) {
            EXPECT_EQ(ExtensionManager::Instance(context->renderContext()), manager);
            EXPECT_EQ(ExtensionManager::Instance(context), manager);
            EXPECT_EQ(context->displayDeviceKey(), key);
        }
        EXPECT_EQ(windowed.displayDeviceKey(), key);
        EXPECT_EQ(calls.count("ContextBootstrap_WIN.cpp", "wglCreateContext"), 1);
        // The bootstrap is gone with its own context; no handle of it stays registered.
        EXPECT_EQ(ContextAccess::GroupSizeOf(&first), 3u);
        EXPECT_EQ(ContextAccess::Groups(), 1u);

        // Each context answers the OpenGL calls from its own manager's table.
        first.makeCurrent();
        EXPECT_EQ(ExtensionManager::Instance(), manager);
        EXPECT_EQ(&ExtensionManager::CurrentTable(), &manager->table());
        ReleaseOGLContext();
        EXPECT_EQ(Context::CurrentContext(), nullptr);
    }
    EXPECT_EQ(ContextAccess::gVectorOfContextVectors, nullptr);
    EXPECT_EQ(ExtensionManager::popWGLInterceptor(), &calls);
}

TEST(ContextSharing, ObjectsMadeInOneContextAreSeenFromItsSiblings) {
    VEKTest::GLLibraries library;
    const DisplayDeviceKey key = FirstDisplay();
    ContextOffscreen source(key);
    ContextOffscreen sibling(&source);
    ContextOffscreen stranger(key);
    EXPECT_EQ(ContextAccess::Groups(), 2u);

    OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
    source.makeCurrent();
    GLuint texture = 0;
    gl->cgmGenTextures(__FILE__, __LINE__, 1, &texture);
    gl->cgmBindTexture(__FILE__, __LINE__, GL_TEXTURE_2D, texture);
    const GLubyte texels[4 * 4] = {10, 20,  30,  40,  50,  60,  70,  80,
                                   90, 100, 110, 120, 130, 140, 150, 160};
    gl->cgmTexImage2D(__FILE__, __LINE__, GL_TEXTURE_2D, 0, GL_RGBA8, 2, 2, 0, GL_RGBA,
                      GL_UNSIGNED_BYTE, texels);
    gl->cgmFinish(__FILE__, __LINE__);
    EXPECT_TRUE(source.isSharingWithCurrentContext());
    EXPECT_TRUE(sibling.isSharingWithCurrentContext());
    EXPECT_FALSE(stranger.isSharingWithCurrentContext());

    sibling.makeCurrent();
    EXPECT_TRUE(source.isSharingWithCurrentContext());
    EXPECT_TRUE(gl->cgmIsTexture(__FILE__, __LINE__, texture));
    gl->cgmBindTexture(__FILE__, __LINE__, GL_TEXTURE_2D, texture);
    GLubyte seen[4 * 4] = {};
    gl->cgmGetTexImage(__FILE__, __LINE__, GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, seen);
    EXPECT_TRUE(std::equal(std::begin(texels), std::end(texels), std::begin(seen)));

    stranger.makeCurrent();
    EXPECT_FALSE(gl->cgmIsTexture(__FILE__, __LINE__, texture));
    EXPECT_FALSE(source.isSharingWithCurrentContext());

    // Destroying a context that is not current keeps the current one; the current one leaves
    // none behind.
    {
        ContextOffscreen passing(&stranger);
        EXPECT_EQ(Context::CurrentContext(), stranger.renderContext());
    }
    EXPECT_EQ(Context::CurrentContext(), stranger.renderContext());
    {
        ContextOffscreen current(key);
        current.makeCurrent();
    }
    EXPECT_EQ(Context::CurrentContext(), nullptr);
    EXPECT_FALSE(source.isSharingWithCurrentContext());
}

TEST(ContextSharing, GroupBookkeepingAndItsChecks) {
    VEKTest::GLLibraries library;
    ContextAccess lone, first, second;
    EXPECT_EQ(InternalMessageOf([&] { first.addShareContext(&first); }), "sibling != this");
    EXPECT_EQ(InternalMessageOf([&] { first.addShareContext(&lone); }),
              "outerIter != gVectorOfContextVectors->end()");
    EXPECT_EQ(ContextAccess::gVectorOfContextVectors, nullptr);  // a failed join leaves none

    first.addShareContext(nullptr);
    second.addShareContext(&first);
    EXPECT_EQ(ContextAccess::GroupSizeOf(&second), 2u);
    // With no current context nobody shares with it.
    EXPECT_FALSE(first.isSharingWithCurrentContext());

    VEKTest::GLTestContext host;  // current, in no group
    EXPECT_EQ(InternalMessageOf([&] { first.isSharingWithCurrentContext(); }),
              "indexQuery < LARGE_INDEX-1");
    EXPECT_EQ(InternalMessageOf([&] { lone.isSharingWithCurrentContext(); }),
              "indexSource < LARGE_INDEX-1");
    second.adopt(host.dc(), host.context());
    EXPECT_TRUE(first.isSharingWithCurrentContext());

    ContextAccess::UnregisterShareContext(&lone);  // in no group: nothing happens
    EXPECT_EQ(ContextAccess::Groups(), 1u);
    ContextAccess::UnregisterShareContext(&first);
    EXPECT_EQ(ContextAccess::GroupSizeOf(&second), 1u);
    ContextAccess::UnregisterShareContext(&second);
    EXPECT_EQ(ContextAccess::gVectorOfContextVectors, nullptr);
    lone.addShareContext(nullptr);  // made again on the next registration
    EXPECT_EQ(ContextAccess::Groups(), 1u);
    ContextAccess::UnregisterShareContext(&lone);
    EXPECT_EQ(ContextAccess::gVectorOfContextVectors, nullptr);
}

TEST(ContextSharing, WrappedHostContextsJoinTheGroupWhoseObjectsTheySee) {
    VEKTest::GLLibraries library;
    const DisplayDeviceKey key = FirstDisplay();
    ContextOffscreen library1(key);
    ContextOffscreen library2(key);

    // A host context made to share with the second library context, and one sharing nothing.
    VEKTest::HiddenWindow sharingWindow(32, 32), loneWindow(32, 32);
    ASSERT_GT(sharingWindow.setRgbaFormat(), 0);
    ASSERT_GT(loneWindow.setRgbaFormat(), 0);
    HGLRC sharing = wglCreateContext(sharingWindow.dc());
    HGLRC lone = wglCreateContext(loneWindow.dc());
    ASSERT_TRUE(sharing && lone);
    ASSERT_TRUE(wglShareLists(library2.renderContext(), sharing));
    ASSERT_TRUE(wglMakeCurrent(loneWindow.dc(), lone));
    {
        ContextWrapped wrappedSharing(sharingWindow.dc(), sharing, sharingWindow.window());
        EXPECT_EQ(Context::CurrentContext(), lone);  // the probe puts the current one back
        EXPECT_EQ(ContextAccess::GroupSizeOf(&library2), 2u);
        EXPECT_EQ(ContextAccess::GroupSizeOf(&library1), 1u);
        EXPECT_EQ(wrappedSharing.displayDeviceKey(), key);
        EXPECT_EQ(ExtensionManager::Instance(sharing), ExtensionManager::Instance(key));
        {
            ContextWrapped wrappedCurrent;  // adopts the current pair
            EXPECT_EQ(wrappedCurrent.renderContext(), lone);
            EXPECT_EQ(wrappedCurrent.deviceContext(), loneWindow.dc());
            EXPECT_EQ(ContextAccess::GroupSizeOf(&wrappedCurrent), 1u);
            EXPECT_EQ(ContextAccess::Groups(), 3u);
            EXPECT_TRUE(wrappedCurrent.isSharingWithCurrentContext());
            EXPECT_FALSE(library1.isSharingWithCurrentContext());
        }
        // The host's context outlives its wrapper, still current and usable.
        EXPECT_EQ(Context::CurrentContext(), lone);
        EXPECT_EQ(ContextAccess::Groups(), 2u);
        GLint viewport[4] = {};
        OpenGLInterceptor::Instance()->cgmGetIntegerv(__FILE__, __LINE__, GL_VIEWPORT, viewport);
        // The viewport starts as the window's client area. Windows makes a framed window at
        // least its minimum tracking size (SM_CXMINTRACK) wide, whatever the width asked for.
#if defined(_WIN32)
        RECT client{};
        ASSERT_TRUE(GetClientRect(loneWindow.window(), &client));
        EXPECT_EQ(viewport[2], client.right - client.left);
#else
        EXPECT_EQ(viewport[2], 32);
#endif

        // The library shares into the host's group from the wrapper.
        ContextOffscreen fromHost(&wrappedSharing);
        EXPECT_EQ(ContextAccess::GroupSizeOf(&library2), 3u);
        EXPECT_EQ(Context::CurrentContext(), lone);
    }
    EXPECT_EQ(ContextAccess::GroupSizeOf(&library2), 1u);
    EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
    EXPECT_TRUE(wglDeleteContext(sharing));
    EXPECT_TRUE(wglDeleteContext(lone));
}

TEST(ContextSharing, TheSharingProbeLeavesNoErrorAndNoListBehind) {
    VEKTest::GLLibraries library;
    const DisplayDeviceKey key = FirstDisplay();
    ContextOffscreen first(key);  // a group whose first context has display lists
    // A host context with display lists and a core-profile one (where glIsList would raise
    // GL_INVALID_OPERATION), each without and with an error of the host's own pending: the
    // probe leaves the host's error state as it found it.
    for (const bool core : {false, true}) {
        for (const GLenum pending : {GLenum(GL_NO_ERROR), GLenum(GL_INVALID_ENUM)}) {
            SCOPED_TRACE(core ? "core" : "compatibility");
            SCOPED_TRACE(pending);
            VEKTest::GLTestContext::Options options;
            if (core) {
                options.major = 3;
                options.minor = 3;
                options.core = true;
            }
            VEKTest::GLTestContext host(options);
            if (pending != GL_NO_ERROR) {
                glEnable(0xFFFF);  // straight to the driver: the host's own error
            }
            ContextWrapped wrapped;
            EXPECT_EQ(Context::CurrentContext(), host.context());
            EXPECT_EQ(glGetError(), pending);
            EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
            EXPECT_EQ(ContextAccess::GroupSizeOf(&wrapped), 1u);
            EXPECT_EQ(ContextAccess::GroupSizeOf(&first), 1u);
        }
    }
    {
        // The second context cannot be made current: the first one's list still goes.
        VEKTest::GLTestContext host;
        RefuseMakeCurrent refuse(host.context());
        ExtensionManager::addWGLInterceptor(&refuse);
        EXPECT_EQ(InternalMessageOf([] { ContextWrapped wrapped; }),
                  "ContextWrapped Object leaked");
        EXPECT_EQ(ExtensionManager::popWGLInterceptor(), &refuse);
        EXPECT_EQ(Context::CurrentContext(), host.context());
        EXPECT_EQ(ExtensionManager::Instance(host.context()), nullptr);
        first.makeCurrent();
        for (GLuint list = 1; list <= 4; ++list) {
            EXPECT_EQ(glIsList(list), GL_FALSE) << list;
        }
        host.makeCurrent();
    }
    EXPECT_EQ(ContextAccess::Groups(), 1u);
}

TEST(ContextSharing, WrappedContextsCheckTheirHandles) {
    VEKTest::GLLibraries library;
    VEKTest::GLTestContext host;
    EXPECT_EQ(InternalMessageOf([] { ContextWrapped(nullptr, nullptr); }),
              "ContextWrapped::ctor invalid device");
    EXPECT_EQ(InternalMessageOf([&] { ContextWrapped(host.dc(), nullptr); }),
              "ContextWrapped::ctor invalid rendering context");
    EXPECT_EQ(ContextAccess::gVectorOfContextVectors, nullptr);

    // A wrapper whose host context is gone says so when made current.
    VEKTest::HiddenWindow window(16, 16);
    ASSERT_GT(window.setRgbaFormat(), 0);
    HGLRC doomed = wglCreateContext(window.dc());
    {
        ContextWrapped wrapped(window.dc(), doomed, window.window());
        EXPECT_EQ(Context::CurrentContext(), host.context());
        ASSERT_TRUE(wglDeleteContext(doomed));
        EXPECT_EQ(InternalMessageOf([&] { wrapped.makeCurrent(); }),
                  "ContextWrapped Object leaked");
    }
    EXPECT_EQ(InternalMessageOf([] { ExtensionManager::UnRegisterContext(ContextAccess()); }),
              "bFound");
    EXPECT_EQ(ExtensionManager::Instance(static_cast<const Context*>(nullptr)), nullptr);
}
