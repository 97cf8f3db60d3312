// The texture filtering probes on llvmpipe: their answers, that the test runs at most once per
// manager and leaves the thread's current context alone, and the answers on the drivers Mesa's
// extension override makes of llvmpipe (each test runs in its own process, so the override
// set before the first context applies to the whole test).
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include <vek/core/CoreLibrary.h>
#include <vek/platform/System.h>
#include <vek/vek_ogl/ExceptionOGL.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLCallObserver.h>

#include "support/GLTestContext.h"
#include "support/RecordingDecorator.h"
#include "support/WGLFaults.h"

using namespace VEK::OGL;

namespace {

// The core, the layer, a window-system recorder that sees every context made, then a current
// context with its manager. extensionOverride, when given, is Mesa's extension override for
// every context of the process.
class Probe {
public:
    explicit Probe(const char* extensionOverride = nullptr) : core_(), ogl_() {
        if (extensionOverride != nullptr) {
            setenv("MESA_EXTENSION_OVERRIDE", extensionOverride, 1);
        }
        ExtensionManager::addWGLInterceptor(&wgl_);
        context_ = std::make_unique<VEKTest::GLTestContext>();
        ExtensionManager::CurrentTable();
        manager_ = ExtensionManager::Instance();
    }
    ~Probe() {
        context_.reset();
        ExtensionManager::popWGLInterceptor();
    }

    ExtensionManager& manager() { return *manager_; }
    std::size_t contextsMade() const { return wgl_.created.size(); }
    // The thread's current pair is the test context's.
    void expectCurrentUnchanged() const {
        EXPECT_EQ(wglGetCurrentContext(), context_->context());
        EXPECT_EQ(wglGetCurrentDC(), context_->dc());
    }

private:
    VEK::Core::AutoInitializer core_;
    AutoInitializer ogl_;
    VEKTest::WGLFaults wgl_;
    std::unique_ptr<VEKTest::GLTestContext> context_;
    ExtensionManager* manager_ = nullptr;
};

// Sampling the way a driver without float filtering does: every linear filter becomes nearest.
class NearestSampling : public OpenGLCallObserver {
public:
    NearestSampling() { OpenGLInterceptor::Instance()->addInterceptor(this); }
    ~NearestSampling() override { popInterceptor(); }
    void cgmTexParameteri(char const* file, unsigned line, GLenum target, GLenum pname,
                          GLint param) override {
        OpenGLCallObserver::cgmTexParameteri(file, line, target, pname,
                                             param == GL_LINEAR ? GL_NEAREST : param);
    }

protected:
    void observe(char const*, unsigned, char const*) override {}
};

const char* const kFramebufferMade = "glGenFramebuffersEXT";

}  // namespace

TEST(FilteringProbe, LlvmpipeFiltersBothOnceEachLeavingTheContextCurrent) {
    Probe probe;
    ExtensionManager& m = probe.manager();
    VEKTest::RecordingDecorator recorder;

    EXPECT_TRUE(m.supportsFloatFiltering());
    probe.expectCurrentUnchanged();
    EXPECT_EQ(recorder.count(kFramebufferMade), 1u);
    // The test drew into the off-screen context and read its target back there.
    EXPECT_EQ(recorder.count("glGetTexImage"), 1u);
    EXPECT_GE(probe.contextsMade(), 1u);
    const std::size_t contexts = probe.contextsMade();

    EXPECT_TRUE(m.supportsFloatFiltering());
    EXPECT_EQ(recorder.count(kFramebufferMade), 1u);  // cached
    EXPECT_EQ(probe.contextsMade(), contexts);

    EXPECT_TRUE(m.supportsHalfFiltering());
    probe.expectCurrentUnchanged();
    EXPECT_EQ(recorder.count(kFramebufferMade), 2u);
    EXPECT_TRUE(m.supportsHalfFiltering());
    EXPECT_TRUE(m.supportsFloatFiltering());
    EXPECT_EQ(recorder.count(kFramebufferMade), 2u);
    probe.expectCurrentUnchanged();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST(FilteringProbe, NearestSamplingAnswersFalse) {
    Probe probe;
    VEKTest::RecordingDecorator recorder;
    {
        NearestSampling nearest;
        EXPECT_FALSE(probe.manager().supportsFloatFiltering());
        EXPECT_FALSE(probe.manager().supportsHalfFiltering());
    }
    EXPECT_EQ(recorder.count(kFramebufferMade), 2u);
    // The false answers are kept.
    EXPECT_FALSE(probe.manager().supportsFloatFiltering());
    EXPECT_FALSE(probe.manager().supportsHalfFiltering());
    EXPECT_EQ(recorder.count(kFramebufferMade), 2u);
    probe.expectCurrentUnchanged();
}

TEST(FilteringProbe, AFailureOnTheWayAnswersFalseAndIsKept) {
    Probe probe;
    VEKTest::RecordingDecorator recorder;
    // Fails after the off-screen context is current and both textures exist.
    recorder.failOn("glFramebufferTexture2DEXT", [](char const* file, unsigned line) {
        throw ExceptionOGL(file, line, "injected", GL_OUT_OF_MEMORY);
    });
    EXPECT_FALSE(probe.manager().supportsFloatFiltering());
    probe.expectCurrentUnchanged();
    EXPECT_EQ(recorder.count("glDeleteTextures"), 2u);  // nothing left on the way out
    EXPECT_EQ(recorder.count("glDeleteFramebuffersEXT"), 1u);
    EXPECT_FALSE(probe.manager().supportsFloatFiltering());
    EXPECT_EQ(recorder.count(kFramebufferMade), 1u);
    // The other question has a cache of its own.
    EXPECT_TRUE(probe.manager().supportsHalfFiltering());
}

TEST(FilteringProbe, FalseWithoutFloatTextures) {
    Probe probe("-GL_ARB_texture_float -GL_ATI_texture_float");
    ASSERT_FALSE(probe.manager().supportsFloatingPointTextures());
    VEKTest::RecordingDecorator recorder;
    const std::size_t contexts = probe.contextsMade();
    EXPECT_FALSE(probe.manager().supportsFloatFiltering());
    EXPECT_EQ(recorder.count(kFramebufferMade), 0u);
    EXPECT_EQ(probe.contextsMade(), contexts);
    probe.expectCurrentUnchanged();
}

TEST(FilteringProbe, FalseWithoutHalfFloats) {
    Probe probe("-GL_ARB_half_float_pixel");
    ASSERT_FALSE(probe.manager().supports16BitFloat());
    ASSERT_TRUE(probe.manager().isSupported(OGLEXT_EXT_gpu_shader4));
    VEKTest::RecordingDecorator recorder;
    EXPECT_FALSE(probe.manager().supportsHalfFiltering());
    EXPECT_EQ(recorder.count(kFramebufferMade), 0u);
    probe.expectCurrentUnchanged();
}

TEST(FilteringProbe, HalfFalseEveryTimeWithoutShader4) {
    Probe probe("-GL_EXT_gpu_shader4");
    ASSERT_FALSE(probe.manager().isSupported(OGLEXT_EXT_gpu_shader4));
    ASSERT_TRUE(probe.manager().supports16BitFloat());
    VEKTest::RecordingDecorator recorder;
    EXPECT_FALSE(probe.manager().supportsHalfFiltering());
    EXPECT_FALSE(probe.manager().supportsHalfFiltering());
    EXPECT_EQ(recorder.count(kFramebufferMade), 0u);  // the test never ran
    EXPECT_TRUE(probe.manager().supportsFloatFiltering());
    EXPECT_EQ(recorder.count(kFramebufferMade), 1u);
}

TEST(FilteringProbe, FalseWithoutFramebufferObjectsAndNoContextMade) {
    Probe probe("-GL_EXT_framebuffer_object");
    ASSERT_FALSE(probe.manager().isSupported(OGLEXT_EXT_framebuffer_object));
    VEKTest::RecordingDecorator recorder;
    const std::size_t contexts = probe.contextsMade();
    EXPECT_FALSE(probe.manager().supportsFloatFiltering());
    EXPECT_FALSE(probe.manager().supportsHalfFiltering());
    EXPECT_EQ(probe.contextsMade(), contexts);
    EXPECT_TRUE(recorder.calls().empty());
    probe.expectCurrentUnchanged();
}
