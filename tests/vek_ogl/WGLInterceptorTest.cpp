#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/core/exceptions/InternalException.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/wgl/ExtensionsWGL.h>
#include <vek/vek_ogl/extensionator/wgl/WGLCallObserver.h>

#include "support/GLTestContext.h"

using namespace VEK::OGL;

namespace {

struct Recorder : WGLCallObserver {
    std::vector<std::string> calls;
    void observe(char const*, unsigned, char const* function) override {
        calls.push_back(function);
    }
};

// Answers null for one entry point, as a driver without it would.
struct Hide : Recorder {
    explicit Hide(const char* hidden) : hidden_(hidden) {}
    PROC wcgmGetProcAddress(char const* file, unsigned line, char const* name) override {
        observe(file, line, "wglGetProcAddress");
        return std::strcmp(name, hidden_) == 0
                   ? nullptr
                   : interceptor()->wcgmGetProcAddress(file, line, name);
    }
    const char* hidden_;
};

}  // namespace

TEST(WGLInterceptor, ChainOrderAndDestroy) {
    WGLInterceptor* checker = WGLInterceptor::Instance();
    ASSERT_NE(dynamic_cast<WGLErrorChecker*>(checker), nullptr);
    EXPECT_EQ(WGLInterceptor::Instance(), checker);
    EXPECT_EQ(checker->popInterceptor(), nullptr);

    Recorder a, b;
    ExtensionManager::addWGLInterceptor(&a);
    ExtensionManager::addWGLInterceptor(&b);
    EXPECT_EQ(b.interceptor(), &a);
    EXPECT_EQ(a.interceptor(), checker);
    try {
        WGLInterceptor::Destroy();
        FAIL() << "no throw";
    } catch (const VEK::InternalException& e) {
        EXPECT_STREQ(e.message(), "Enforce dynamic_cast<WGLErrorChecker*>(sInterceptor_) != NULL");
    }
    EXPECT_EQ(WGLInterceptor::Instance(), &b);
    EXPECT_EQ(ExtensionManager::popWGLInterceptor(), &b);
    EXPECT_EQ(ExtensionManager::popWGLInterceptor(), &a);
    EXPECT_EQ(ExtensionManager::popWGLInterceptor(), nullptr);
    WGLInterceptor::Destroy();

    // Before anything made the checker, the manager's push supplies one as the next link.
    Recorder c;
    ExtensionManager::addWGLInterceptor(&c);
    EXPECT_NE(dynamic_cast<WGLErrorChecker*>(c.interceptor()), nullptr);
    EXPECT_EQ(ExtensionManager::popWGLInterceptor(), &c);
    WGLInterceptor::Destroy();
}

TEST(WGLInterceptor, ADecoratorAlreadyInTheChainIsRefused) {
    WGLInterceptor* checker = WGLInterceptor::Instance();
    Recorder a, b;
    ExtensionManager::addWGLInterceptor(&a);
    ExtensionManager::addWGLInterceptor(&b);
    try {
        ExtensionManager::addWGLInterceptor(&a);
        FAIL() << "no throw";
    } catch (const VEK::InternalException& e) {
        EXPECT_STREQ(e.message(), "The decorator is already in the interceptor chain");
    }
    EXPECT_EQ(WGLInterceptor::Instance(), &b);
    EXPECT_EQ(b.interceptor(), &a);
    EXPECT_EQ(a.interceptor(), checker);
    EXPECT_EQ(ExtensionManager::popWGLInterceptor(), &b);
    EXPECT_EQ(ExtensionManager::popWGLInterceptor(), &a);
    EXPECT_EQ(ExtensionManager::popWGLInterceptor(), nullptr);
    WGLInterceptor::Destroy();
}

TEST(WGLInterceptor, CheckerCallsTheWindowSystemWithAnyLocation) {
    VEKTest::GLTestContext context;
    WGLInterceptor* wgl = WGLInterceptor::Instance();
    EXPECT_EQ(wgl->wcgmGetCurrentContext(nullptr, 0), context.context());
    EXPECT_EQ(wgl->wcgmGetCurrentDC("x", 99), context.dc());
    EXPECT_EQ(wgl->wcgmMakeCurrent(__FILE__, __LINE__, nullptr, nullptr), TRUE);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(wgl->wcgmGetProcAddress(__FILE__, __LINE__, "glBindBuffer"), nullptr);
    EXPECT_EQ(wgl->wcgmMakeCurrent(__FILE__, __LINE__, context.dc(), context.context()), TRUE);
    EXPECT_NE(wgl->wcgmGetProcAddress(__FILE__, __LINE__, "glBindBuffer"), nullptr);
    // What X has no equivalent for fails the Windows way, reported through the result.
    EXPECT_EQ(wgl->wcgmCreateLayerContext(__FILE__, __LINE__, context.dc(), 1), nullptr);
    WGLInterceptor::Destroy();
}

TEST(WGLInterceptor, NamesAndInitializationWithoutLookups) {
    VEK::Core::AutoInitializer core;
    AutoInitializer ogl;
    VEKTest::GLTestContext context;
    ExtensionManager::CurrentTable();
    ExtensionManager* manager = ExtensionManager::Instance();
    ASSERT_NE(manager, nullptr);

    EXPECT_EQ(ExtensionManager::nameToEnumWGL("WGL_ARB_pbuffer"), OGLEXT_WGL_ARB_pbuffer);
    EXPECT_EQ(ExtensionManager::nameToEnumWGL("WGL_ARB_pbufferX"), OGLEXT_UNKNOWN);
    EXPECT_EQ(ExtensionManager::nameToEnumWGL("GL_ARB_multitexture"), OGLEXT_UNKNOWN);
    EXPECT_EQ(ExtensionManager::nameToEnumWGL(nullptr), OGLEXT_UNKNOWN);
    EXPECT_EQ(manager->nameToEnumGL("GL_ARB_multitexture"), OGLEXT_ARB_multitexture);
    EXPECT_EQ(manager->nameToEnumGL("gl_arb_multitexture"), OGLEXT_UNKNOWN);
    EXPECT_EQ(manager->nameToEnumGL("WGL_ARB_pbuffer"), OGLEXT_UNKNOWN);

    Recorder recorder;
    ExtensionManager::addWGLInterceptor(&recorder);
    EXPECT_FALSE(manager->initializeWGL(OGLEXT_ARB_multitexture));
    EXPECT_TRUE(manager->initializeWGL(OGLEXT_WGL_NV_render_texture_rectangle));
    EXPECT_TRUE(recorder.calls.empty());
    EXPECT_TRUE(manager->initializeWGL(OGLEXT_WGL_ARB_pbuffer));
    EXPECT_EQ(recorder.calls.size(), 5u);  // every pbuffer lookup went through the chain
    EXPECT_EQ(ExtensionManager::popWGLInterceptor(), &recorder);
}

TEST(WGLInterceptor, HiddenLookupFailsItsLoaderOnly) {
    VEK::Core::AutoInitializer core;
    AutoInitializer ogl;
    VEKTest::GLTestContext context;
    Hide hide("wglQueryPbufferARB");
    ExtensionManager::addWGLInterceptor(&hide);
    ExtensionManager::CurrentTable();  // a manager made behind the decorator
    ExtensionManager* manager = ExtensionManager::Instance();
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(ExtensionManager::popWGLInterceptor(), &hide);

    EXPECT_FALSE(manager->isSupported(OGLEXT_WGL_ARB_pbuffer));
    EXPECT_EQ(_wcgmQueryPbufferARB, nullptr);
    EXPECT_NE(_wcgmCreatePbufferARB, nullptr);
    EXPECT_NE(_wcgmDestroyPbufferARB, nullptr);
    EXPECT_NE(_wcgmGetPbufferDCARB, nullptr);
    EXPECT_NE(_wcgmReleasePbufferDCARB, nullptr);
    // The rest of the window-system extensions were read through the decorator as usual.
    EXPECT_TRUE(manager->isSupported(OGLEXT_WGL_ARB_extensions_string));
    EXPECT_TRUE(manager->isSupported(OGLEXT_WGL_ARB_pixel_format));
    EXPECT_NE(std::find(hide.calls.begin(), hide.calls.end(), "wglGetCurrentDC"), hide.calls.end());

    // Without the decorator, the same extension loads.
    EXPECT_TRUE(manager->initialize(OGLEXT_WGL_ARB_pbuffer));
    EXPECT_NE(_wcgmQueryPbufferARB, nullptr);
}
