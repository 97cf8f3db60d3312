// Acquire and release of OpenGL-backed memory on the installed runtime. A runtime whose device
// does not list cl_khr_gl_sharing (PoCL) would end the process in these entry points: the layer
// refuses them first, and compute goes on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vek/vek_ocl/CommandQueue.h>
#include <vek/vek_ocl/ExceptionOCL.h>
#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/Platform.h>
#include <vek/vek_ocl/Program.h>

namespace OCL = VEK::OCL;

TEST(OclGLObjectsRuntime, AcquireAndReleaseAreRefusedWithoutSharingAndComputeGoesOn) {
    ASSERT_TRUE(OCL::Library::IsOpenCLAvailable(""));
    OCL::Library::Initialize();
    {
        const OCL::Platform platform = OCL::platforms().front();
        const OCL::Device device = platform.devices(OCL::Device::DEVICE_TYPE_ALL).front();
        if (device.extensions().find("cl_khr_gl_sharing") != std::string::npos) {
            OCL::Library::Terminate();
            GTEST_SKIP() << device.name() << " offers sharing with OpenGL";
        }
        const OCL::Context context(OCL::ContextProperties(platform), device);
        OCL::CommandQueue queue(context, device);
        OCL::Buffer buffer(context, OCL::Memory::ReadWrite, false, 4 * sizeof(int));

        for (bool acquire : {true, false}) {
            try {
                if (acquire) {
                    queue.enqueueAcquireGLObjects({buffer});
                } else {
                    queue.enqueueReleaseGLObjects({buffer});
                }
                ADD_FAILURE() << "no exception";
            } catch (const OCL::ExceptionOCL& e) {
                EXPECT_EQ(static_cast<cl_int>(e.errorNumber()), CL_INVALID_OPERATION);
                EXPECT_NE(std::string(e.message()).find("not offered by the device"),
                          std::string::npos)
                    << e.message();
            }
        }

        // The process and the queue are intact: a kernel runs and its result reads back.
        OCL::Program program(context,
                             "__kernel void fill(__global int* d, int v) {"
                             "  d[get_global_id(0)] = v + (int)get_global_id(0); }");
        program.build("");
        OCL::Kernel kernel = program.kernel("fill");
        kernel.setArg(0, buffer);
        const int base = 40;
        kernel.setArg(1, &base, sizeof(base));
        queue.enqueueKernel(kernel, OCL::Range<1>(4), OCL::Range<1>(0), OCL::Range<1>(0));
        std::vector<int> result(4);
        queue.enqueueBlockingRead(buffer, 0, 4 * sizeof(int), result.data());
        EXPECT_EQ(result, (std::vector<int>{40, 41, 42, 43}));
    }
    OCL::Library::Terminate();
}
