// Sharing with OpenGL on the installed OpenCL runtime and a real display. On a runtime whose
// devices do not list cl_khr_gl_sharing (PoCL), every sharing call is refused with an exception
// before it reaches the runtime, and the process goes on to compute.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vek/vek_ocl/CommandQueue.h>
#include <vek/vek_ocl/ExceptionOCL.h>
#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/Platform.h>
#include <vek/vek_ocl/Program.h>

#include "support/GLTestContext.h"

namespace OCL = VEK::OCL;

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

    VEKTest::GLTestContext gl_;
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
