#include <gtest/gtest.h>

#include <cstddef>
#include <ostream>
#include <sstream>
#include <streambuf>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLTracer.h>

#include "support/GLTestContext.h"
#include "support/HeapCounter.h"

using namespace VEK::OGL;

namespace {

// Keeps the last bytes it was given in a fixed buffer: a sink that never allocates.
class Ring : public std::streambuf {
public:
    std::size_t bytes = 0;
    char last[64] = {};

protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        for (std::streamsize i = 0; i < n; ++i) {
            last[bytes++ % sizeof(last)] = s[i];
        }
        return n;
    }
    int_type overflow(int_type c) override {
        last[bytes++ % sizeof(last)] = traits_type::to_char_type(c);
        return c;
    }
};

}  // namespace

// Traced calls on a real context, every kind of number among them, make no heap allocation once
// the driver has warmed up: neither the tracer's line nor its numbers use the heap.
TEST(TracerHeap, TracedCallsAllocateNothing) {
    if (!VEKTest::HeapCounter::Available()) {
        GTEST_SKIP() << "the sanitizer owns the allocator: no count";
    }
    VEK::Core::AutoInitializer core;
    VEKTest::GLTestContext context;
    AutoInitializer ogl;
    ExtensionManager::CurrentTable();  // the context's manager
    ExtensionManager* manager = ExtensionManager::Instance();
    ASSERT_NE(manager, nullptr);
    Ring ring;
    std::ostream out(&ring);
    OpenGLTracer tracer(out);
    GLuint texture = 0;
    glGenTextures(1, &texture);

    const auto calls = [&](int count) {
        OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
        for (int i = 0; i < count; ++i) {
            const float f = static_cast<float>(i) * 0.001f;
            gl->cgmClearColor(__FILE__, __LINE__, f, 0.1f, 1e-9f, 1.f);
            gl->cgmBindTexture(__FILE__, __LINE__, GL_TEXTURE_2D, texture);
            gl->cgmColorMask(__FILE__, __LINE__, 1, 0, 1, 1);
            gl->cgmClearDepth(__FILE__, __LINE__, 0.1 + i);  // a double that is no float
            gl->cgmDepthRange(__FILE__, __LINE__, 1e-300, 1.0);
            gl->cgmPixelStorei(__FILE__, __LINE__, GL_UNPACK_ALIGNMENT, 4);
            gl->cgmColor3b(__FILE__, __LINE__, 65, 66, 67);
            gl->cgmTexParameterf(__FILE__, __LINE__, GL_TEXTURE_2D, GL_TEXTURE_MIN_LOD, -1e30f);
        }
    };

    manager->addInterceptor(&tracer);
    calls(100);  // warm-up
    const std::size_t before = ring.bytes;
    const long allocations = VEKTest::HeapCounter::Thread();
    calls(2000);
    const long made = VEKTest::HeapCounter::Thread() - allocations;
    EXPECT_EQ(manager->popInterceptor(), &tracer);
    EXPECT_EQ(made, 0);
    EXPECT_GT(ring.bytes - before, 2000u * 8u * 20u);  // the lines were written

    // The count sees allocations: a traced call into a stream that grows allocates.
    std::ostringstream growing;
    OpenGLTracer growingTracer(growing);
    manager->addInterceptor(&growingTracer);
    const long beforeGrowing = VEKTest::HeapCounter::Thread();
    calls(200);
    EXPECT_EQ(manager->popInterceptor(), &growingTracer);
    EXPECT_GT(VEKTest::HeapCounter::Thread(), beforeGrowing);
}
