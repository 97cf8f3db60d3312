#include <gtest/gtest.h>
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

    gl->cgmDeleteBuffers(__FILE__, __LINE__, 1, &buffer);
    gl->cgmDeleteTextures(__FILE__, __LINE__, 1, &texture);
}
