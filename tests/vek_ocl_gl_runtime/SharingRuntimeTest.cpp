// Sharing with OpenGL on the installed OpenCL runtime and a real display. On a runtime whose
// devices do not list cl_khr_gl_sharing (PoCL), every sharing call is refused with an exception
// before it reaches the runtime, and the process goes on to compute.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ocl/CommandQueue.h>
#include <vek/vek_ocl/ExceptionOCL.h>
#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/Platform.h>
#include <vek/vek_ocl/Program.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/ogl/BufferOGL.h>
#include <vek/vek_ogl/ogl/Renderbuffer.h>
#include <vek/vek_ogl/ogl/Texture2.h>
#include <vek/vek_ogl/ogl/Texture3.h>

#include "support/GLTestContext.h"

namespace OCL = VEK::OCL;
namespace OGL = VEK::OGL;

namespace {

class OclSharingRuntime : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(OCL::Library::IsOpenCLAvailable(""));
        OCL::Library::Initialize();
        platform_ = OCL::platforms().front();
        device_ = platform_.devices(OCL::Device::DEVICE_TYPE_ALL).front();
        if (device_.extensions().find("cl_khr_gl_sharing") != std::string::npos) {
            GTEST_SKIP() << device_.name() << " offers sharing with OpenGL";
        }
        shared_.setSharedRenderContext(gl_.context());
        shared_.setDisplayContext(gl_.dc());
    }
    void TearDown() override { OCL::Library::Terminate(); }

    // statement throws the refusal of a sharing call.
    template <class F>
    void expectRefused(F&& statement, const char* what) {
        try {
            statement();
            ADD_FAILURE() << what << ": no exception";
        } catch (const OCL::ExceptionOCL& e) {
            EXPECT_EQ(static_cast<cl_int>(e.errorNumber()), CL_INVALID_OPERATION) << what;
            EXPECT_NE(std::string(e.message())
                          .find("is not offered by the device \"" + device_.name() + "\""),
                      std::string::npos)
                << what << ": " << e.message();
        }
    }

    // A kernel on a plain context of the same device runs and its result reads back.
    void expectComputeGoesOn() {
        const OCL::Context context(OCL::ContextProperties(platform_), device_);
        OCL::CommandQueue queue(context, device_);
        OCL::Buffer buffer(context, OCL::Memory::ReadWrite, false, 4 * sizeof(int));
        OCL::Program program(context,
                             "__kernel void square(__global int* d) {"
                             "  int i = (int)get_global_id(0); d[i] = i * i; }");
        program.build("");
        OCL::Kernel kernel = program.kernel("square");
        kernel.setArg(0, buffer);
        queue.enqueueKernel(kernel, OCL::Range<1>(4), OCL::Range<1>(0), OCL::Range<1>(0));
        std::vector<int> result(4);
        queue.enqueueBlockingRead(buffer, 0, 4 * sizeof(int), result.data());
        EXPECT_EQ(result, (std::vector<int>{0, 1, 4, 9}));
    }

    VEK::Core::AutoInitializer core_;
    OGL::AutoInitializer ogl_;
    VEKTest::GLTestContext gl_;
    const OGL::FunctionTable& table_ = OGL::ExtensionManager::CurrentTable();
    OCL::Platform platform_;
    OCL::Device device_;
    OCL::ContextProperties shared_{OCL::Platform()};
};

}  // namespace

TEST_F(OclSharingRuntime, ContextSharingOpenGLIsRefusedAndComputeGoesOn) {
    expectRefused([&] { OCL::Context c(shared_, std::vector<OCL::Device>{device_}); }, "vector");
    expectRefused([&] { OCL::Context c(shared_, device_); }, "device");
    expectRefused([&] { OCL::Context c(shared_, OCL::Device::DEVICE_TYPE_ALL); }, "type");
    expectComputeGoesOn();
}

TEST_F(OclSharingRuntime, MemoryOverOpenGLObjectsIsRefusedAndComputeGoesOn) {
    const OGL::Buffer buffer(256, OGL::Buffer::kArrayBuffer, OGL::Buffer::kStaticDraw, nullptr);
    const OGL::Texture2D texture2D(OGL::Texture::kRGBA8, 16, 16, true, nullptr,
                                   OGL::Texture::kTypeDefault);
    const OGL::TextureRECT rectangle(OGL::Texture::kRGBA8, 10, 6, nullptr,
                                     OGL::Texture::kTypeDefault);
    const OGL::Texture3D texture3D(OGL::Texture::kRGBA8, 4, 4, 4, false);
    const OGL::Renderbuffer renderbuffer(GL_RGBA8, 16, 16);
    // A context on the same device that does not name the OpenGL context: the device is what
    // cannot share, whatever the context says.
    const OCL::Context context(OCL::ContextProperties(platform_), device_);

    expectRefused([&] { OCL::Buffer b(context, OCL::Memory::ReadWrite, buffer); }, "buffer");
    expectRefused([&] { OCL::Image2D i(context, OCL::Memory::ReadOnly, texture2D, 0); },
                  "2D texture");
    expectRefused([&] { OCL::Image2D i(context, OCL::Memory::WriteOnly, rectangle, 0); },
                  "rectangle texture");
    expectRefused([&] { OCL::Image3D i(context, OCL::Memory::ReadOnly, texture3D, 0); },
                  "3D texture");
    expectRefused([&] { OCL::Image2D i(context, OCL::Memory::WriteOnly, renderbuffer); },
                  "renderbuffer");
    // Bad input is refused the same way, before the runtime sees it.
    expectRefused([&] { OCL::Image2D i(context, OCL::Memory::ReadOnly, texture2D, 40); },
                  "level past the chain");
    expectComputeGoesOn();
}
