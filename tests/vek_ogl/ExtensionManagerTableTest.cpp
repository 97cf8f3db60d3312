#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <string>
#include <thread>

#include <vek/core/CoreLibrary.h>
#include <vek/core/exceptions/InternalException.h>
#include <vek/platform/ContextFeatures.h>
#include <vek/vek_ogl/ExceptionOGL.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLInterceptor.h>
#include <vek/vek_ogl/ogl/ContextWrapped.h>

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
    // The driver's version as the library keeps it (llvmpipe's 4.5 as 4.1, softpipe's 3.3),
    // with every rung up to it loaded and none above.
    const std::string kept = VEKTest::CurrentDriverReport().keptVersion();
    EXPECT_EQ(
        std::to_string(manager->majorVersion()) + "." + std::to_string(manager->minorVersion()),
        kept);
    for (OpenGLExtension v : {OGLEXT_VERSION_4_1, OGLEXT_VERSION_4_0, OGLEXT_VERSION_3_3,
                              OGLEXT_VERSION_3_0, OGLEXT_VERSION_2_0, OGLEXT_VERSION_1_2}) {
        const std::string name = OpenGLExtensionName(v);  // "GL_VERSION_3_3"
        const std::string version = name.substr(11, 1) + "." + name.substr(13, 1);
        EXPECT_EQ(manager->isSupported(v), version <= kept) << name;
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

// The platform's wglGetProcAddress may answer for the commands a core profile removed (opengl32
// does): the loader leaves them out itself.
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
    // What the loader asks of the context: removed unless an extension it offers brings the
    // command back. Reading that leaves no error behind.
    const VEK::Platform::ContextFeatures features;
    EXPECT_TRUE(features.removes("glClientActiveTexture"));
    EXPECT_FALSE(features.removes("glActiveTexture"));
    ASSERT_TRUE(features.hasExtension("GL_KHR_debug"));
    EXPECT_FALSE(features.removes("glGetPointerv"));  // gone in 3.2, back with GL_KHR_debug
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // A call through a position its loader left null fails clearly.
    try {
        OpenGLInterceptor::Instance()->cgmClientActiveTexture("core.cpp", 3, GL_TEXTURE0);
        FAIL() << "no throw";
    } catch (const VEK::InternalException& e) {
        EXPECT_STREQ(e.file(), "core.cpp");
        EXPECT_NE(std::string(e.message()).find("glClientActiveTexture"), std::string::npos);
    }
}

namespace {

// "file:line: message" of the InternalException that statement throws.
template <class Statement>
std::string Thrown(Statement statement) {
    try {
        statement();
    } catch (const VEK::InternalException& e) {
        return std::string(e.file()) + ":" + std::to_string(e.line()) + ": " + e.message();
    }
    return "<nothing thrown>";
}

}  // namespace

TEST(ExtensionManagerTable, NoContextCurrentFailsTheSameOnBothPathsAndRegistersNothing) {
    VEK::Core::AutoInitializer core;
    AutoInitializer ogl;
    ASSERT_EQ(wglGetCurrentContext(), nullptr);
    OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
    const std::string message = "No OpenGL context is current on the calling thread";
    // An OpenGL 1.1 call (made directly) and a table call fail alike, at the caller's place.
    EXPECT_EQ(Thrown([&] { gl->cgmBindTexture("a.cpp", 5, GL_TEXTURE_2D, 0); }),
              "a.cpp:5: " + message);
    EXPECT_EQ(Thrown([&] { gl->cgmBindBuffer("b.cpp", 6, GL_ARRAY_BUFFER, 0); }),
              "b.cpp:6: " + message);
    EXPECT_EQ(Thrown([&] { gl->cgmBegin("c.cpp", 7, GL_POINTS); }), "c.cpp:7: " + message);
    EXPECT_EQ(Thrown([&] { gl->cgmGetError("d.cpp", 8); }), "d.cpp:8: " + message);
    // The null handle got no manager: the registry still answers null for it.
    EXPECT_EQ(ExtensionManager::Instance(), nullptr);
    const FunctionTable& none = ExtensionManager::CurrentTable();
    EXPECT_EQ(none.glBindBuffer, nullptr);
    EXPECT_EQ(ExtensionManager::Instance(), nullptr);

    // Without the rule, a 1.1 call reaches the driver, which ignores it; a table call still has
    // nothing to call. Without a context, Wine's opengl32 answers glGetError with
    // GL_INVALID_OPERATION, which the checker reports as the driver's error.
    ExtensionManager::InitOptions options;
    options.setThrowOnNullContext(false);
    {
        ExtensionManager::ScopedInitOptions scoped(options);
#if defined(_WIN32)
        try {
            gl->cgmBindTexture("a.cpp", 9, GL_TEXTURE_2D, 0);
        } catch (const ExceptionOGL& e) {
            EXPECT_EQ(e.errorNumber(), static_cast<unsigned>(GL_INVALID_OPERATION));
        }
#else
        EXPECT_NO_THROW(gl->cgmBindTexture("a.cpp", 9, GL_TEXTURE_2D, 0));
#endif
        EXPECT_NE(Thrown([&] {
                      gl->cgmBindBuffer("b.cpp", 10, GL_ARRAY_BUFFER, 0);
                  }).find("b.cpp:10: glBindBuffer is not loaded"),
                  std::string::npos);
    }
    EXPECT_EQ(ExtensionManager::Instance(), nullptr);

    // With a context current again, calls go through.
    VEKTest::GLTestContext context;
    EXPECT_NO_THROW(gl->cgmBindTexture("a.cpp", 11, GL_TEXTURE_2D, 0));
    EXPECT_NO_THROW(gl->cgmBindBuffer("b.cpp", 12, GL_ARRAY_BUFFER, 0));
}

// The host may change the current context behind the library's back (through the platform's
// own calls): the next checked call must take the table of the context current now, or none.
TEST(ExtensionManagerTable, ChecksFollowAContextMadeCurrentUnseen) {
    VEK::Core::AutoInitializer core;
    AutoInitializer ogl;
    VEKTest::GLTestContext::Options core33;
    core33.major = 3;
    core33.minor = 3;
    core33.core = true;
    VEKTest::GLTestContext modern(core33);
    VEKTest::GLTestContext legacy;
    OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
    // The legacy context's table has glClientActiveTexture; the core profile's has not.
    EXPECT_NO_THROW(gl->cgmClientActiveTexture("a.cpp", 1, GL_TEXTURE0));
    const FunctionTable* legacyTable = &ExtensionManager::CurrentTable();

    modern.makeCurrent();
    EXPECT_NO_THROW(gl->cgmBindBuffer("b.cpp", 2, GL_ARRAY_BUFFER, 0));
    const FunctionTable& modernTable = ExtensionManager::CurrentTable();
    EXPECT_NE(&modernTable, legacyTable);
    EXPECT_EQ(&modernTable, &ExtensionManager::Instance()->table());
    // Where the platform's lookup leaves out what the core profile removed (the stand-in's does;
    // Wine's answers every command), a call through the old table would have gone through.
    if (modernTable.glClientActiveTexture == nullptr) {
        EXPECT_NE(Thrown([&] {
                      gl->cgmClientActiveTexture("b.cpp", 3, GL_TEXTURE0);
                  }).find("b.cpp:3: glClientActiveTexture is not loaded"),
                  std::string::npos);
    }

    // Back, asking for the table first: the one kept is the other context's.
    legacy.makeCurrent();
    EXPECT_EQ(&ExtensionManager::CurrentTable(), legacyTable);
    EXPECT_NO_THROW(gl->cgmClientActiveTexture("c.cpp", 4, GL_TEXTURE0));

    // To no context from the short way, on both kinds of call.
    wglMakeCurrent(nullptr, nullptr);
    const std::string message = "No OpenGL context is current on the calling thread";
    EXPECT_EQ(Thrown([&] { gl->cgmBindTexture("d.cpp", 5, GL_TEXTURE_2D, 0); }),
              "d.cpp:5: " + message);
    EXPECT_EQ(Thrown([&] { gl->cgmBindBuffer("d.cpp", 6, GL_ARRAY_BUFFER, 0); }),
              "d.cpp:6: " + message);
}

// The registry forgets a context when the stand-in's wglDeleteContext tells it. On Windows the
// host deletes its contexts through opengl32, which tells no one: a deleted context's handle
// keeps its registration until the library terminates, and a context made later has a handle of
// its own, so it still gets a manager of its own kind.
TEST(ExtensionManagerTable, RegistrationsGoWithTheirDeletedContexts) {
    VEK::Core::AutoInitializer core;
    AutoInitializer ogl;
    HGLRC handle = nullptr;
    {
        VEKTest::GLTestContext context;
        handle = context.context();
        ExtensionManager::CurrentTable();
        ASSERT_NE(ExtensionManager::Instance(handle), nullptr);
    }
    // The platform deleted the context: a new one at the same address must start afresh.
#if !defined(_WIN32)
    EXPECT_EQ(ExtensionManager::Instance(handle), nullptr);
#endif

    // The same for a host context wrapped by the library.
    VEKTest::GLTestContext::Options core33;
    core33.major = 3;
    core33.minor = 3;
    core33.core = true;
    auto host = std::make_unique<VEKTest::GLTestContext>(core33);
    handle = host->context();
    ContextWrapped wrapped;
    ASSERT_NE(ExtensionManager::Instance(handle), nullptr);
    host.reset();
#if !defined(_WIN32)
    EXPECT_EQ(ExtensionManager::Instance(handle), nullptr);
#endif
    // Contexts made afterwards get managers of their own kind.
    VEKTest::GLTestContext legacy;
#if defined(_WIN32)
    EXPECT_NE(legacy.context(), handle);  // what the kept registration relies on
#endif
    ExtensionManager::CurrentTable();
    ExtensionManager* manager = ExtensionManager::Instance();
    ASSERT_NE(manager, nullptr);
    EXPECT_TRUE(manager->isSupported(OGLEXT_VERSION_1_3));
}

// A thread keeps its table until the registry changes, whichever thread changes it: once the
// library is terminated and initialized again elsewhere, the thread's next call looks its
// context up afresh instead of going on with the table of the old registry.
TEST(ExtensionManagerTable, ARegistryChangeReachesEveryThread) {
    VEK::Core::AutoInitializer core;
    auto other = std::make_unique<VEKTest::GLTestContext>();
    wglMakeCurrent(nullptr, nullptr);  // other is made current on the worker
    Library::Initialize();
    std::promise<void> kept, changed;
    bool registeredBefore = false, registeredAfter = false, threw = false;
    std::thread worker([&] {
        other->makeCurrent();
        GLuint buffer = 0;
        try {
            OpenGLInterceptor::Instance()->cgmGenBuffers(__FILE__, __LINE__, 1, &buffer);
            registeredBefore = ExtensionManager::Instance() != nullptr;
            kept.set_value();
            changed.get_future().wait();
            OpenGLInterceptor::Instance()->cgmBindBuffer(__FILE__, __LINE__, GL_ARRAY_BUFFER,
                                                         buffer);
            registeredAfter = ExtensionManager::Instance() != nullptr;
            OpenGLInterceptor::Instance()->cgmDeleteBuffers(__FILE__, __LINE__, 1, &buffer);
        } catch (...) {
            threw = true;
        }
        wglMakeCurrent(nullptr, nullptr);
    });
    kept.get_future().wait();
    Library::Terminate();
    Library::Initialize();
    changed.set_value();
    worker.join();
    EXPECT_FALSE(threw);
    EXPECT_TRUE(registeredBefore);
    EXPECT_TRUE(registeredAfter);
    Library::Terminate();
}
