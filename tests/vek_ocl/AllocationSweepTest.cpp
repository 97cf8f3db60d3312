// Every allocation of an OpenCL vector addition refused in turn, on the installed runtime.
#include <gtest/gtest.h>

#include <cstdio>

#include <stdexcept>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ocl/Buffer.h>
#include <vek/vek_ocl/CommandQueue.h>
#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/Program.h>

#include "support/AllocationSweep.h"

namespace OCL = VEK::OCL;

namespace {

const char* const kSource = R"(
__kernel void vadd(__global const float* a, __global const float* b, __global float* c) {
    size_t i = get_global_id(0);
    c[i] = a[i] + b[i];
}
)";

void VectorAddition() {
    VEK::Core::AutoInitializer core;
    OCL::AutoInitializer layer;
    const OCL::Platform platform = OCL::platforms().front();
    const OCL::Device device = platform.devices(OCL::Device::DEVICE_TYPE_ALL).front();
    OCL::Context context(OCL::ContextProperties(platform), device);
    const cl_uint n = 64;
    std::vector<float> a(n, 1.5f), b(n, 2.0f), c(n, 0.f);
    const std::size_t bytes = n * sizeof(float);
    OCL::Buffer bufferA(context, OCL::Memory::ReadOnly, false, bytes, a.data());
    OCL::Buffer bufferB(context, OCL::Memory::ReadOnly, false, bytes, b.data());
    OCL::Buffer bufferC(context, OCL::Memory::WriteOnly, false, bytes);
    OCL::Program program(context, kSource);
    program.build("");
    OCL::Kernel kernel = program.kernel("vadd");
    kernel.setArg(0, bufferA);
    kernel.setArg(1, bufferB);
    kernel.setArg(2, bufferC);
    OCL::CommandQueue queue(context, device);
    const OCL::Event ran =
        queue.enqueueKernel(kernel, OCL::Range<1>(n), OCL::Range<1>(0), OCL::Range<1>(0), {});
    queue.enqueueBlockingRead(bufferC, 0, bytes, c.data(), {ran});
    if (c[n - 1] != 3.5f) {
        throw std::runtime_error("wrong sum");
    }
}

}  // namespace

TEST(AllocationSweep, OpenCLVectorAddition) {
    ASSERT_TRUE(OCL::Library::IsOpenCLAvailable(""));
    const VEKTest::SweepReport report = VEKTest::SweepAllocationFailures(&VectorAddition);
    EXPECT_GE(report.allocations, 2u);
    std::printf("%zu allocations, %d runs\n", report.allocations, report.runs);
    EXPECT_TRUE(report.faults.empty()) << VEKTest::FaultLines(report);
}
