#include <gtest/gtest.h>

#include <GL/glu.h>

#include <cstdlib>
#include <functional>
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
#include <vek/vek_ogl/ogl/ContextOffscreen.h>

#include "support/GLLayer.h"
#include "support/GLTestContext.h"
#include "support/MesaOverride.h"
#include "support/Wine.h"

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

std::string ErrorText(GLenum code) {
    return reinterpret_cast<const char*>(gluErrorString(code));
}

// The driver's debug interface, reached as a host reaches it.
template <class Entry>
Entry HostEntry(const char* name) {
    // Through the generic function type: the cast to the entry point's own type is then clean.
    return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(wglGetProcAddress(name)));
}

// A host's own debug callback: the messages it was given.
void APIENTRY HostCallback(GLenum, GLenum, GLuint, GLenum, GLsizei, const GLchar* message,
                           const void* user) {
    static_cast<std::vector<std::string>*>(const_cast<void*>(user))->emplace_back(message);
}

// A failing checked call's exception.
ExceptionOGL Failure(const std::function<void()>& call) {
    try {
        call();
    } catch (const ExceptionOGL& e) {
        return e;
    }
    ADD_FAILURE() << "no throw";
    return ExceptionOGL("", 0, "", 0);
}

GLint LoggedMessages() {
    GLint logged = -1;
    glGetIntegerv(GL_DEBUG_LOGGED_MESSAGES, &logged);
    return logged;
}

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
    const VEKTest::FramebufferTarget target;
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
    GL()->cgmReadBuffer(__FILE__, __LINE__, GL_COLOR_ATTACHMENT0);
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
    // The stand-in's wglDeleteContext tells the library; on Windows opengl32 tells no one, and
    // the pair ends only when the worker's current context is no longer its context.
#if !defined(_WIN32)
    EXPECT_FALSE(pairLeftAfterDelete);
#else
    (void)pairLeftAfterDelete;
#endif
}

TEST_F(ErrorChecker, EachErrorCarriesTheDriversWordsWhereTheHostLogsThem) {
    ExtensionManager::CurrentTable();
    ASSERT_NE(ExtensionManager::Instance()->debugEntryPoints().getDebugMessageLog, nullptr);
    glEnable(GL_DEBUG_OUTPUT);  // the host's choice, on a context that is not a debug context
    GLuint texture = 0;
    GL()->cgmGenTextures(__FILE__, __LINE__, 1, &texture);
    GL()->cgmBindTexture(__FILE__, __LINE__, GL_TEXTURE_2D, texture);
    struct Row {
        const char* name;
        std::function<void()> call;
        GLenum code;
        const char* words;  // how the driver's message begins
    };
    const Row rows[] = {
        {"invalid enum", [] { GL()->cgmEnable("draw.cpp", 7, 0x1234); }, GL_INVALID_ENUM,
         "GL_INVALID_ENUM in glEnable(0x1234)"},
        {"invalid value",
         [] {
             GL()->cgmTexImage2D("draw.cpp", 7, GL_TEXTURE_2D, 0, GL_RGBA, -1, 1, 0, GL_RGBA,
                                 GL_UNSIGNED_BYTE, nullptr);
         },
         GL_INVALID_VALUE, "GL_INVALID_VALUE in glTexImage2D"},
        {"invalid operation", [] { GL()->cgmEndQuery("draw.cpp", 7, GL_SAMPLES_PASSED); },
         GL_INVALID_OPERATION, "GL_INVALID_OPERATION in glEndQuery"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ExceptionOGL e = Failure(row.call);
        EXPECT_EQ(e.errorNumber(), row.code);
        EXPECT_STREQ(e.file(), "draw.cpp");
        EXPECT_EQ(e.line(), 7);
        EXPECT_EQ(e.driverMessage().rfind(row.words, 0), 0u) << e.driverMessage();
        EXPECT_EQ(e.message(), ErrorText(row.code) + " (" + e.driverMessage() + ")");
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_EQ(LoggedMessages(), 0);  // read: the next error starts afresh
    }
    GL()->cgmDeleteTextures(__FILE__, __LINE__, 1, &texture);
}

TEST_F(ErrorChecker, TheHostsDebugStateStaysAsTheHostSetIt) {
    if (VEKTest::UnderWine()) {
        // Once a callback is set through Wine's opengl32, even a null one, Wine keeps one of
        // its own with the driver: the driver's log stays empty and the callback read back is
        // Wine's.
        GTEST_SKIP() << "Wine's opengl32 keeps a debug callback of its own";
    }
    ExtensionManager::CurrentTable();
    const auto setCallback = HostEntry<PFNGLDEBUGMESSAGECALLBACKPROC>("glDebugMessageCallback");
    const auto control = HostEntry<PFNGLDEBUGMESSAGECONTROLPROC>("glDebugMessageControl");
    ASSERT_TRUE(setCallback != nullptr && control != nullptr);
    struct Row {
        const char* name;
        bool output;
        bool callback;
        bool muteErrors;  // the host's message control keeps the API's errors out
        bool carries;
    };
    const Row rows[] = {
        {"output off", false, false, false, false},
        {"output on", true, false, false, true},
        {"output on, the host's callback", true, true, false, false},
        {"output on, errors muted", true, false, true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<std::string> heard;
        if (row.output) {
            glEnable(GL_DEBUG_OUTPUT);
        } else {
            glDisable(GL_DEBUG_OUTPUT);
        }
        setCallback(row.callback ? &HostCallback : nullptr, row.callback ? &heard : nullptr);
        control(GL_DEBUG_SOURCE_API, GL_DEBUG_TYPE_ERROR, GL_DONT_CARE, 0, nullptr,
                row.muteErrors ? GL_FALSE : GL_TRUE);
        // Twice: the first error's reading must leave the second to the host's state too.
        for (int i = 0; i < 2; ++i) {
            const ExceptionOGL e = Failure([] { GL()->cgmEnable("x.cpp", 1, 0x1234); });
            EXPECT_EQ(!e.driverMessage().empty(), row.carries) << e.message();
            if (!row.carries) {
                EXPECT_EQ(e.message(), ErrorText(GL_INVALID_ENUM));
            }
        }
        EXPECT_EQ(glIsEnabled(GL_DEBUG_OUTPUT), row.output ? GL_TRUE : GL_FALSE);
        void* function = nullptr;
        void* user = nullptr;
        glGetPointerv(GL_DEBUG_CALLBACK_FUNCTION, &function);
        glGetPointerv(GL_DEBUG_CALLBACK_USER_PARAM, &user);
        EXPECT_EQ(reinterpret_cast<GLDEBUGPROC>(function), row.callback ? &HostCallback : nullptr);
        EXPECT_EQ(user, row.callback ? &heard : nullptr);
        // The host's callback heard both errors itself.
        ASSERT_EQ(heard.size(), row.callback ? 2u : 0u);
        if (row.callback) {
            EXPECT_EQ(heard[0].rfind("GL_INVALID_ENUM in glEnable", 0), 0u) << heard[0];
        }
        setCallback(nullptr, nullptr);
        control(GL_DEBUG_SOURCE_API, GL_DEBUG_TYPE_ERROR, GL_DONT_CARE, 0, nullptr, GL_TRUE);
    }
}

TEST(ErrorCheckerDriverMessages, OnTheLibrarysContextsUnlessTheOptionsSayOff) {
    VEKTest::GLLibraries libraries;
    DisplayDeviceKey key;
    ASSERT_TRUE(Context::DisplayDevice(0, key));
    for (const bool debugOutput : {true, false}) {
        SCOPED_TRACE(debugOutput ? "default" : "off");
        ExtensionManager::InitOptions options;
        EXPECT_TRUE(options.debugOutput());
        options.setDebugOutput(debugOutput);
        ExtensionManager::ScopedInitOptions scoped(options);
        ContextOffscreen context(key);
        context.makeCurrent();
        EXPECT_EQ(glIsEnabled(GL_DEBUG_OUTPUT), debugOutput ? GL_TRUE : GL_FALSE);
        const auto insert = HostEntry<PFNGLDEBUGMESSAGEINSERTPROC>("glDebugMessageInsert");
        ASSERT_NE(insert, nullptr);
        // A flood of messages that are not errors: none is kept, so none crowds the error out.
        for (int i = 0; i < 10000; ++i) {
            for (const GLenum type :
                 {GL_DEBUG_TYPE_PERFORMANCE, GL_DEBUG_TYPE_PORTABILITY, GL_DEBUG_TYPE_OTHER}) {
                insert(GL_DEBUG_SOURCE_APPLICATION, type, 1, GL_DEBUG_SEVERITY_HIGH, -1, "flood");
            }
        }
        EXPECT_EQ(LoggedMessages(), 0);
        const ExceptionOGL e = Failure([] { GL()->cgmEnable("y.cpp", 2, 0x1234); });
        EXPECT_EQ(e.driverMessage(), debugOutput ? "GL_INVALID_ENUM in glEnable(0x1234)" : "");
        ReleaseOGLContext();
    }
}

TEST(ErrorCheckerDriverMessages, WithoutTheExtensionTheMessageIsPlain) {
    if (!VEKTest::SetMesaOverride("MESA_EXTENSION_OVERRIDE",
                                  "-GL_KHR_debug -GL_ARB_debug_output")) {
        GTEST_SKIP() << "Mesa's overrides cannot be set here";
    }
    VEKTest::GLLibraries libraries;
    DisplayDeviceKey key;
    ASSERT_TRUE(Context::DisplayDevice(0, key));
    ContextOffscreen context(key);  // debug output by default, where there is any
    context.makeCurrent();
    const ExtensionManager* manager = ExtensionManager::Instance();
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager->debugEntryPoints().getDebugMessageLog, nullptr);
    const ExceptionOGL e = Failure([] { GL()->cgmEnable("z.cpp", 3, 0x1234); });
    EXPECT_EQ(e.message(), ErrorText(GL_INVALID_ENUM));
    EXPECT_EQ(e.driverMessage(), "");
    EXPECT_EQ(e.errorNumber(), static_cast<unsigned>(GL_INVALID_ENUM));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    ReleaseOGLContext();
}
