#include <gtest/gtest.h>

#include <string>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/ExceptionOGL.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLInterceptor.h>

#include "support/CountingHooks.h"
#include "support/GLTestContext.h"
#include "support/HeapCounter.h"

namespace {

using VEK::OGL::OpenGLInterceptor;

// Calls through both paths (OpenGL 1.1 and the table), a glBegin/glEnd pair and queries; none
// that draws, since the driver's drawing allocates on its own.
void Frame(GLuint texture, GLuint buffer) {
    OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
    gl->cgmBindTexture(__FILE__, __LINE__, GL_TEXTURE_2D, texture);
    gl->cgmBindBuffer(__FILE__, __LINE__, GL_ARRAY_BUFFER, buffer);
    gl->cgmClearColor(__FILE__, __LINE__, 0.25f, 0.5f, 0.75f, 1.f);
    gl->cgmBegin(__FILE__, __LINE__, GL_POINTS);
    gl->cgmVertex2f(__FILE__, __LINE__, 0.f, 0.f);
    gl->cgmEnd(__FILE__, __LINE__);
    GLint bound = 0;
    gl->cgmGetIntegerv(__FILE__, __LINE__, GL_ARRAY_BUFFER_BINDING, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), buffer);
    EXPECT_EQ(gl->cgmGetError(__FILE__, __LINE__), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace

TEST(CheckedCalls, MakeNoHeapAllocationOnceWarm) {
    if (!VEKTest::HeapCounter::Available()) {
        GTEST_SKIP() << "the sanitizer owns the allocator: no count";
    }
    VEKTest::CountingHooks::Install();
    VEK::Core::AutoInitializer core;
    VEKTest::GLTestContext context;
    VEK::OGL::AutoInitializer ogl;
    OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
    GLuint texture = 0;
    GLuint buffer = 0;
    gl->cgmGenTextures(__FILE__, __LINE__, 1, &texture);
    gl->cgmGenBuffers(__FILE__, __LINE__, 1, &buffer);
    Frame(texture, buffer);  // warm: the chain, the table cache and the pair's bookkeeping made

    // Both counters see an allocation when there is one.
    const long newsBefore = VEKTest::HeapCounter::Thread();
    int* volatile escaped = new int(1);  // volatile: the allocation cannot be left out
    delete escaped;
    ASSERT_EQ(VEKTest::HeapCounter::Thread(), newsBefore + 1);

    VEKTest::CountingHooks::Clear();
    const long before = VEKTest::HeapCounter::Thread();
    for (int i = 0; i < 1000; ++i) {
        Frame(texture, buffer);
    }
    EXPECT_EQ(VEKTest::HeapCounter::Thread() - before, 0);
    EXPECT_TRUE(VEKTest::CountingHooks::Allocations().empty());

    // The check is still made: a failing call reports its error.
    EXPECT_THROW(gl->cgmBindBuffer(__FILE__, __LINE__, 0x1234, buffer), VEK::OGL::ExceptionOGL);

    // With the host's debug output on, a flood of messages that are not errors costs no memory
    // either: nothing of the library's keeps them, and the driver's log is bounded. An error
    // then reads the log empty and keeps none of them.
    glEnable(GL_DEBUG_OUTPUT);
    const auto insert = reinterpret_cast<PFNGLDEBUGMESSAGEINSERTPROC>(
        reinterpret_cast<void (*)()>(wglGetProcAddress("glDebugMessageInsert")));
    ASSERT_NE(insert, nullptr);
    const auto flood = [&] {
        for (const GLenum type :
             {GL_DEBUG_TYPE_PERFORMANCE, GL_DEBUG_TYPE_PORTABILITY, GL_DEBUG_TYPE_OTHER}) {
            insert(GL_DEBUG_SOURCE_APPLICATION, type, 1, GL_DEBUG_SEVERITY_HIGH, -1, "flood");
        }
    };
    for (int i = 0; i < 100; ++i) {  // warm: the driver's log fills up
        flood();
    }
    const long floodBefore = VEKTest::HeapCounter::Thread();
    for (int i = 0; i < 10000; ++i) {
        flood();
        Frame(texture, buffer);
    }
    EXPECT_EQ(VEKTest::HeapCounter::Thread() - floodBefore, 0);
    try {
        gl->cgmBindBuffer(__FILE__, __LINE__, 0x1234, buffer);
        ADD_FAILURE() << "no throw";
    } catch (const VEK::OGL::ExceptionOGL& e) {
        EXPECT_EQ(e.driverMessage().find("flood"), std::string::npos) << e.driverMessage();
    }
    GLint logged = -1;
    glGetIntegerv(GL_DEBUG_LOGGED_MESSAGES, &logged);
    EXPECT_EQ(logged, 0);
    glDisable(GL_DEBUG_OUTPUT);

    gl->cgmDeleteBuffers(__FILE__, __LINE__, 1, &buffer);
    gl->cgmDeleteTextures(__FILE__, __LINE__, 1, &texture);
}
