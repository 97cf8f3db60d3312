#include <gtest/gtest.h>

#include <GL/glu.h>

#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/core/exceptions/InternalException.h>
#include <vek/vek_ogl/ExceptionOGL.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLCallObserver.h>
#include <vek/vek_ogl/extensionator/OpenGLErrorChecker.h>
#include <vek/vek_ogl/extensionator/internal/ThreadCalls.h>

#include "support/GLTestContext.h"

using namespace VEK::OGL;

namespace {

OpenGLInterceptor* GL() {
    return OpenGLInterceptor::Instance();
}

struct Call {
    std::string file;
    unsigned line;
    std::string entryPoint;
};

struct Recorder : OpenGLCallObserver {
    std::vector<Call> calls;
    void observe(char const* file, unsigned line, char const* entryPoint) override {
        calls.push_back({file, line, entryPoint});
    }
};

class ErrorChecker : public ::testing::Test {
protected:
    VEK::Core::AutoInitializer core_;
    VEKTest::GLTestContext context_;
    AutoInitializer ogl_;
};

}  // namespace

TEST_F(ErrorChecker, GLErrorBecomesExceptionWithCallersLocation) {
    GLuint texture = 0;
    GL()->cgmGenTextures(__FILE__, __LINE__, 1, &texture);
    GL()->cgmBindTexture(__FILE__, __LINE__, GL_TEXTURE_2D, texture);  // fine: no throw
    try {
        GL()->cgmEnable("draw.cpp", 1234, 0xFFFF);
        FAIL() << "no throw";
    } catch (const ExceptionOGL& e) {
        EXPECT_EQ(e.errorNumber(), 0x0500u);  // GL_INVALID_ENUM
        EXPECT_STREQ(e.file(), "draw.cpp");
        EXPECT_EQ(e.line(), 1234);
        EXPECT_STREQ(e.message(), reinterpret_cast<const char*>(gluErrorString(GL_INVALID_ENUM)));
    }
    // The checker queried the error: nothing is left pending.
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // Through the current context's function table as well.
    GLuint buffer = 0;
    GL()->cgmGenBuffers(__FILE__, __LINE__, 1, &buffer);
    GL()->cgmBindBuffer(__FILE__, __LINE__, GL_ARRAY_BUFFER, buffer);
    GLint bound = 0;
    GL()->cgmGetIntegerv(__FILE__, __LINE__, GL_ARRAY_BUFFER_BINDING, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), buffer);
    try {
        GL()->cgmBindBuffer("table.cpp", 9, 0x1234, buffer);
        FAIL() << "no throw";
    } catch (const ExceptionOGL& e) {
        EXPECT_EQ(e.errorNumber(), 0x0500u);
        EXPECT_EQ(e.line(), 9);
    }
    GL()->cgmDeleteBuffers(__FILE__, __LINE__, 1, &buffer);
    GL()->cgmDeleteTextures(__FILE__, __LINE__, 1, &texture);
}

TEST_F(ErrorChecker, BeginEndBalanceAndErrorsInsideThePair) {
    GL()->cgmBegin(__FILE__, __LINE__, GL_TRIANGLES);
    try {
        GL()->cgmBegin("x.cpp", 5, GL_TRIANGLES);
        FAIL() << "no throw";
    } catch (const ExceptionOGL& e) {
        EXPECT_STREQ(e.message(), "Unbalanced glBegin()!");
        EXPECT_EQ(e.errorNumber(), 0u);
    }
    // Still inside the pair: an error raised here surfaces at the end, not before.
    EXPECT_NO_THROW(GL()->cgmEnable(__FILE__, __LINE__, 0xFFFF));
    GL()->cgmVertex2f(__FILE__, __LINE__, 0.f, 0.f);
    EXPECT_THROW(GL()->cgmEnd(__FILE__, __LINE__), ExceptionOGL);

    try {
        GL()->cgmEnd("y.cpp", 6);
        FAIL() << "no throw";
    } catch (const ExceptionOGL& e) {
        EXPECT_STREQ(e.message(), "Unbalanced glEnd()!");
        EXPECT_EQ(e.errorNumber(), 0u);
    }
    // glEnd was not called: the driver saw no glEnd outside a pair.
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // A clean pair throws nothing.
    GL()->cgmBegin(__FILE__, __LINE__, GL_POINTS);
    GL()->cgmVertex2f(__FILE__, __LINE__, 0.f, 0.f);
    EXPECT_NO_THROW(GL()->cgmEnd(__FILE__, __LINE__));
}

TEST_F(ErrorChecker, GetErrorReturnsThePendingCode) {
    glEnable(0xFFFF);  // straight to the driver: the error stays pending
    EXPECT_EQ(GL()->cgmGetError(__FILE__, __LINE__), static_cast<GLenum>(GL_INVALID_ENUM));
    EXPECT_EQ(GL()->cgmGetError(__FILE__, __LINE__), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ErrorChecker, DecoratorSeesEveryCallWithFileAndLine) {
    Recorder recorder;
    ExtensionManager::CurrentTable();
    ExtensionManager* manager = ExtensionManager::Instance();
    ASSERT_NE(manager, nullptr);
    manager->addInterceptor(&recorder);
    const unsigned line = __LINE__ + 1;
    GL()->cgmClearColor("scene.cpp", line, 0.f, 0.f, 0.f, 1.f);
    GL()->cgmClear("scene.cpp", line + 1, GL_COLOR_BUFFER_BIT);
    EXPECT_THROW(GL()->cgmEnable("scene.cpp", line + 2, 0xFFFF), ExceptionOGL);
    EXPECT_EQ(manager->popInterceptor(), &recorder);
    ASSERT_EQ(recorder.calls.size(), 3u);
    EXPECT_EQ(recorder.calls[0].entryPoint, "glClearColor");
    EXPECT_EQ(recorder.calls[1].entryPoint, "glClear");
    EXPECT_EQ(recorder.calls[2].entryPoint, "glEnable");
    for (unsigned i = 0; i < 3; ++i) {
        EXPECT_EQ(recorder.calls[i].file, "scene.cpp");
        EXPECT_EQ(recorder.calls[i].line, line + i);
    }
}

TEST_F(ErrorChecker, RealDrawingReadsBackThroughTheChain) {
    GL()->cgmViewport(__FILE__, __LINE__, 0, 0, 64, 64);
    GL()->cgmClearColor(__FILE__, __LINE__, 0.f, 0.f, 1.f, 1.f);
    GL()->cgmClear(__FILE__, __LINE__, GL_COLOR_BUFFER_BIT);
    GL()->cgmColor3f(__FILE__, __LINE__, 1.f, 0.f, 0.f);
    GL()->cgmBegin(__FILE__, __LINE__, GL_TRIANGLES);
    GL()->cgmVertex2f(__FILE__, __LINE__, -1.f, -1.f);
    GL()->cgmVertex2f(__FILE__, __LINE__, 3.f, -1.f);
    GL()->cgmVertex2f(__FILE__, __LINE__, -1.f, 3.f);
    GL()->cgmEnd(__FILE__, __LINE__);
    GLubyte corner[4] = {};
    GLubyte untouched[4] = {};
    GL()->cgmReadBuffer(__FILE__, __LINE__, GL_BACK);
    GL()->cgmReadPixels(__FILE__, __LINE__, 0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, corner);
    EXPECT_EQ(corner[0], 255);
    EXPECT_EQ(corner[2], 0);
    // A smaller triangle leaves the far corner blue.
    GL()->cgmClear(__FILE__, __LINE__, GL_COLOR_BUFFER_BIT);
    GL()->cgmBegin(__FILE__, __LINE__, GL_TRIANGLES);
    GL()->cgmVertex2f(__FILE__, __LINE__, -1.f, -1.f);
    GL()->cgmVertex2f(__FILE__, __LINE__, 0.f, -1.f);
    GL()->cgmVertex2f(__FILE__, __LINE__, -1.f, 0.f);
    GL()->cgmEnd(__FILE__, __LINE__);
    GL()->cgmReadPixels(__FILE__, __LINE__, 63, 63, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, untouched);
    EXPECT_EQ(untouched[0], 0);
    EXPECT_EQ(untouched[2], 255);
}

TEST(ErrorCheckerPairs, APairEndsWhenItsContextStopsBeingCurrent) {
    VEK::Core::AutoInitializer core;
    VEKTest::GLTestContext first;
    AutoInitializer ogl;
    GL()->cgmBegin("a.cpp", 1, GL_POINTS);
    {
        VEKTest::GLTestContext second;  // current from here
        // The pair left open in the first context does not switch checking off here.
        EXPECT_THROW(GL()->cgmEnable("b.cpp", 2, 0xFFFF), ExceptionOGL);
        // A pair of its own is accepted and closed.
        GL()->cgmBegin("b.cpp", 3, GL_POINTS);
        GL()->cgmVertex2f("b.cpp", 4, 0.f, 0.f);
        EXPECT_NO_THROW(GL()->cgmEnd("b.cpp", 5));
    }
    // Back in the first context the old pair is over for the checker.
    first.makeCurrent();
    try {
        GL()->cgmEnd("a.cpp", 6);
        FAIL() << "no throw";
    } catch (const ExceptionOGL& e) {
        EXPECT_STREQ(e.message(), "Unbalanced glEnd()!");
    }
    glEnd();  // the driver's own pair
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // A pair open when its context is deleted ends with it, even when the next context comes
    // back at the same address.
    auto doomed = std::make_unique<VEKTest::GLTestContext>();
    GL()->cgmBegin("c.cpp", 7, GL_POINTS);
    doomed.reset();
    VEKTest::GLTestContext next;
    EXPECT_THROW(GL()->cgmEnable("c.cpp", 8, 0xFFFF), ExceptionOGL);
    GL()->cgmBegin("c.cpp", 9, GL_POINTS);
    EXPECT_NO_THROW(GL()->cgmEnd("c.cpp", 10));
}

// Each thread has its own pair: a glBegin on one thread leaves checking on for another thread's
// context and is not ended by that thread's calls; a pair is ended by its context's deletion from
// another thread.
TEST(ErrorCheckerPairs, APairBelongsToItsThread) {
    VEK::Core::AutoInitializer core;
    auto other = std::make_unique<VEKTest::GLTestContext>();
    AutoInitializer ogl;
    wglMakeCurrent(nullptr, nullptr);  // other is made current on the worker
    VEKTest::GLTestContext own;

    std::promise<void> begun, checked, released, deleted;
    std::string workerFailure;
    bool pairLeftAfterDelete = true;
    std::thread worker([&] {
        other->makeCurrent();
        GL()->cgmBegin("w.cpp", 1, GL_POINTS);
        begun.set_value();
        checked.get_future().wait();
        try {
            GL()->cgmVertex2f("w.cpp", 2, 0.f, 0.f);
            GL()->cgmEnd("w.cpp", 3);
        } catch (const ExceptionOGL& e) {
            workerFailure = e.message();
        }
        // A second pair, left open while the context is released and then deleted elsewhere.
        GL()->cgmBegin("w.cpp", 4, GL_POINTS);
        wglMakeCurrent(nullptr, nullptr);
        released.set_value();
        deleted.get_future().wait();
        pairLeftAfterDelete = internal::tThreadCalls.pairContext.load() != nullptr;
    });
    begun.get_future().wait();
    // The worker's pair does not turn checking off here.
    try {
        GL()->cgmEnable("m.cpp", 10, 0xFFFF);
        ADD_FAILURE() << "no throw while another thread's pair is open";
    } catch (const ExceptionOGL& e) {
        EXPECT_EQ(e.errorNumber(), static_cast<unsigned>(GL_INVALID_ENUM));
    }
    GL()->cgmBegin("m.cpp", 11, GL_POINTS);
    GL()->cgmVertex2f("m.cpp", 12, 0.f, 0.f);
    checked.set_value();
    released.get_future().wait();
    EXPECT_NO_THROW(GL()->cgmEnd("m.cpp", 13));
    other.reset();
    deleted.set_value();
    worker.join();
    // Nor did this thread's calls end the worker's pair.
    EXPECT_EQ(workerFailure, "");
    EXPECT_FALSE(pairLeftAfterDelete);
}
