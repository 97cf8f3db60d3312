// One OpenCL context used from eight threads at once on PoCL: each thread copies the context's
// wrapper (its own reference), makes its own queue, buffers and kernel object from a program
// built once, and checks every element it reads back. Run with ThreadSanitizer by the test
// command.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <vek/vek_ocl/Buffer.h>
#include <vek/vek_ocl/CommandQueue.h>
#include <vek/vek_ocl/Context.h>
#include <vek/vek_ocl/ContextProperties.h>
#include <vek/vek_ocl/Device.h>
#include <vek/vek_ocl/ExceptionOCL.h>
#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/Platform.h>
#include <vek/vek_ocl/Program.h>

namespace OCL = VEK::OCL;

namespace {

constexpr int kThreads = 8;
constexpr int kRounds = 3;
constexpr cl_uint kElements = 4096;

const char* const kSource = R"(
__kernel void affine(__global const float* in, __global float* out, float factor, int offset) {
    size_t i = get_global_id(0);
    out[i] = in[i] * factor + (float)(offset + (int)i);
}
)";

std::string Work(OCL::Context context, OCL::Device device, const OCL::Program& program,
                 int thread) {
    OCL::CommandQueue queue(context, device);
    OCL::Kernel kernel = program.kernel("affine");  // a kernel object per thread
    const std::size_t bytes = kElements * sizeof(float);
    for (int round = 0; round < kRounds; ++round) {
        std::vector<float> in(kElements), out(kElements, -1.0f);
        for (cl_uint i = 0; i < kElements; ++i) {
            in[i] = static_cast<float>((i * 7 + static_cast<cl_uint>(thread)) % 101);
        }
        OCL::Buffer input(context, OCL::Memory::ReadOnly, false, bytes);
        OCL::Buffer output(context, OCL::Memory::WriteOnly, false, bytes);
        queue.enqueueWrite(input, 0, bytes, in.data());
        const float factor = static_cast<float>(thread + 1);
        const cl_int offset = 1000 * round;
        kernel.setArg(0, input);
        kernel.setArg(1, output);
        kernel.setArg(2, factor);
        kernel.setArg(3, offset);
        queue.enqueueKernel(kernel, OCL::Range<1>(kElements), OCL::Range<1>(0), OCL::Range<1>(0));
        queue.enqueueBlockingRead(output, 0, bytes, out.data());
        for (cl_uint i = 0; i < kElements; ++i) {
            const float expected =
                in[i] * factor + static_cast<float>(offset + static_cast<int>(i));
            if (out[i] != expected) {
                std::ostringstream failure;
                failure << "thread " << thread << " round " << round << " element " << i << ": "
                        << out[i] << ", not " << expected;
                return failure.str();
            }
        }
    }
    return "";
}

}  // namespace

TEST(ComputeThreads, EightThreadsShareOneContextWithAQueueEach) {
    ASSERT_TRUE(OCL::Library::IsOpenCLAvailable(""));
    OCL::Library::Initialize();
    {
        OCL::Platform platform;
        OCL::Device device;
        for (const OCL::Platform& p : OCL::platforms()) {
            try {
                device = p.devices(OCL::Device::DEVICE_TYPE_CPU).front();
                platform = p;
                break;
            } catch (const OCL::ExceptionOCL&) {
                // no CPU device on this platform
            }
        }
        ASSERT_NE(device.id(), nullptr) << "no OpenCL CPU device";
        OCL::Context context(OCL::ContextProperties(platform), device);
        OCL::Program program(context, kSource);
        program.build("");

        std::vector<std::string> failures(kThreads);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&, t] {
                try {
                    failures[t] = Work(context, device, program, t);
                } catch (const std::exception& e) {
                    failures[t] = e.what();
                }
            });
        }
        for (std::thread& thread : threads) {
            thread.join();
        }
        for (int t = 0; t < kThreads; ++t) {
            EXPECT_EQ(failures[t], "") << "thread " << t;
        }
    }
    OCL::Library::Terminate();
}
