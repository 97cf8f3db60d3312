// Every allocation of the context paths refused in turn, on llvmpipe: off-screen creation,
// drawing and destruction, and two sharing contexts traced through the interceptor chain.
#include <gtest/gtest.h>

#include <cstdio>

#include <sstream>
#include <stdexcept>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLInterceptor.h>
#include <vek/vek_ogl/extensionator/OpenGLTracer.h>
#include <vek/vek_ogl/ogl/ContextOffscreen.h>

#include "support/AllocationSweep.h"

using namespace VEK::OGL;

namespace {

OpenGLInterceptor* GL() {
    return OpenGLInterceptor::Instance();
}

DisplayDeviceKey FirstDisplay() {
    DisplayDeviceKey key;
    if (!Context::DisplayDevice(0, key)) {
        throw std::runtime_error("no display");
    }
    return key;
}

// Clears to a colour and reads one pixel back.
void Draw() {
    GL()->cgmClearColor(__FILE__, __LINE__, 0.f, 1.f, 0.f, 1.f);
    GL()->cgmClear(__FILE__, __LINE__, GL_COLOR_BUFFER_BIT);
    unsigned char pixel[4] = {};
    GL()->cgmReadPixels(__FILE__, __LINE__, 0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    if (pixel[1] != 255) {
        throw std::runtime_error("nothing drawn");
    }
}

// Pops the tracer whatever happens, so that the layer can terminate.
struct Pushed {
    explicit Pushed(OpenGLTracer& tracer) : tracer_(tracer) {
        ExtensionManager::Instance(FirstDisplay())->addInterceptor(&tracer_);
    }
    ~Pushed() { OpenGLInterceptor::Instance()->popInterceptor(); }
    OpenGLTracer& tracer_;
};

}  // namespace

TEST(AllocationSweep, OffscreenContextCreateDrawDestroy) {
    const VEKTest::SweepReport report = VEKTest::SweepAllocationFailures(
        [] {
            VEK::Core::AutoInitializer core;
            AutoInitializer ogl;
            ContextOffscreen context(FirstDisplay());
            context.makeCurrent();
            Draw();
        },
        40);
    EXPECT_GE(report.allocations, 3u);
    std::printf("%zu allocations, %d runs\n", report.allocations, report.runs);
    EXPECT_TRUE(report.faults.empty()) << VEKTest::FaultLines(report);
}

TEST(AllocationSweep, TwoSharingContextsWithATracer) {
    const VEKTest::SweepReport report = VEKTest::SweepAllocationFailures(
        [] {
            VEK::Core::AutoInitializer core;
            AutoInitializer ogl;
            ContextOffscreen first(FirstDisplay());
            ContextOffscreen second(&first);
            std::ostringstream trace;
            OpenGLTracer tracer(trace);
            {
                Pushed pushed(tracer);
                second.makeCurrent();
                Draw();
            }
            first.makeCurrent();
            Draw();
            if (trace.str().find("glClearColor") == std::string::npos) {
                throw std::runtime_error("nothing traced");
            }
        },
        40);
    EXPECT_GE(report.allocations, 4u);
    std::printf("%zu allocations, %d runs\n", report.allocations, report.runs);
    EXPECT_TRUE(report.faults.empty()) << VEKTest::FaultLines(report);
}
