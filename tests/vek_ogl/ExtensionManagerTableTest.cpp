#include <gtest/gtest.h>

#include <string>

#include <vek/core/CoreLibrary.h>
#include <vek/core/exceptions/InternalException.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLInterceptor.h>

#include "support/GLTestContext.h"

using namespace VEK::OGL;

TEST(ExtensionManagerTable, CurrentTableCreatesAndRegisters) {
    VEK::Core::AutoInitializer core;
    VEKTest::GLTestContext context;
    try {
        ExtensionManager::Instance();
        FAIL() << "no throw";
    } catch (const VEK::InternalException& e) {
        EXPECT_STREQ(e.message(), "OGL Library must be initialized to use Instance()");
    }
    AutoInitializer ogl;
    EXPECT_EQ(ExtensionManager::Instance(), nullptr);  // never registered

    const FunctionTable& table = ExtensionManager::CurrentTable();
    ExtensionManager* manager = ExtensionManager::Instance();
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(&manager->table(), &table);
    EXPECT_EQ(&ExtensionManager::CurrentTable(), &table);
    EXPECT_NE(table.glBindBuffer, nullptr);
    EXPECT_NE(table.glGetStringi, nullptr);
    EXPECT_EQ(table.glFlushRenderAPPLE, nullptr);  // no such driver here
    // llvmpipe's compatibility profile is 4.5: stored as 4.1 with every rung loaded.
    EXPECT_EQ(manager->majorVersion(), 4u);
    EXPECT_EQ(manager->minorVersion(), 1u);
    for (OpenGLExtension v : {OGLEXT_VERSION_4_1, OGLEXT_VERSION_4_0, OGLEXT_VERSION_3_3,
                              OGLEXT_VERSION_3_0, OGLEXT_VERSION_2_0, OGLEXT_VERSION_1_2}) {
        EXPECT_TRUE(manager->isSupported(v)) << OpenGLExtensionName(v);
    }
    EXPECT_TRUE(manager->isSupported(OGLEXT_ARB_framebuffer_object));
    EXPECT_TRUE(manager->supportsNonPowerOfTwoTextures());
    EXPECT_FALSE(manager->isSupported(OGLEXT_APPLE_flush_render));

    // initializeGL: values without entry points need no lookup; WGL and unknown are not GL's.
    EXPECT_TRUE(manager->initializeGL(OGLEXT_ARB_texture_float));
    EXPECT_FALSE(manager->initializeGL(OGLEXT_WGL_ARB_pbuffer));
    EXPECT_FALSE(manager->initializeGL(OGLEXT_UNKNOWN));
    EXPECT_FALSE(manager->initializeGL(OGLEXT_APPLE_flush_render));
    EXPECT_FALSE(manager->initialize(OGLEXT_APPLE_flush_render));
    EXPECT_FALSE(manager->isSupported(OGLEXT_APPLE_flush_render));

    // Terminating forgets the registration; the thread's remembered table goes with it.
    ogl.release();
    Library::Terminate();
    Library::Initialize();
    EXPECT_EQ(ExtensionManager::Instance(), nullptr);
    const FunctionTable& again = ExtensionManager::CurrentTable();
    EXPECT_NE(&again, &table);
    EXPECT_NE(ExtensionManager::Instance(), manager);
    Library::Terminate();
}

TEST(ExtensionManagerTable, CoreProfileLoaderMissesRemovedEntryPointsKeepsOthers) {
    VEK::Core::AutoInitializer core;
    AutoInitializer ogl;
    VEKTest::GLTestContext::Options options;
    options.major = 3;
    options.minor = 3;
    options.core = true;
    VEKTest::GLTestContext context(options);
    const FunctionTable& table = ExtensionManager::CurrentTable();
    ExtensionManager* manager = ExtensionManager::Instance();
    ASSERT_NE(manager, nullptr);
    // glClientActiveTexture and the glMultiTexCoord family left the core profile; the rest of
    // the 1.3 group stays.
    EXPECT_FALSE(manager->isSupported(OGLEXT_VERSION_1_3));
    EXPECT_FALSE(manager->init_GL_VERSION_1_3());
    EXPECT_EQ(table.glClientActiveTexture, nullptr);
    EXPECT_NE(table.glActiveTexture, nullptr);
    EXPECT_NE(table.glCompressedTexImage2D, nullptr);
    EXPECT_NE(table.glSampleCoverage, nullptr);
    EXPECT_TRUE(manager->isSupported(OGLEXT_VERSION_3_3));

    // A call through a position its loader left null fails clearly.
    try {
        OpenGLInterceptor::Instance()->cgmClientActiveTexture("core.cpp", 3, GL_TEXTURE0);
        FAIL() << "no throw";
    } catch (const VEK::InternalException& e) {
        EXPECT_STREQ(e.file(), "core.cpp");
        EXPECT_NE(std::string(e.message()).find("glClientActiveTexture"), std::string::npos);
    }
}

TEST(ExtensionManagerTable, NoContextCurrentFailsClearly) {
    VEK::Core::AutoInitializer core;
    AutoInitializer ogl;
    ASSERT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_THROW(
        OpenGLInterceptor::Instance()->cgmBindBuffer(__FILE__, __LINE__, GL_ARRAY_BUFFER, 0),
        VEK::InternalException);
}
