// The compute classes against the test loader: the arguments they pass, the statuses they
// turn into exceptions, and the references they take and give back.
#include <gtest/gtest.h>

#include <cstring>

#include <vek/core/math/Vector.h>
#include <vek/core/math/region_2d/IntegerRect.h>
#include <vek/vek_ocl/CommandQueue.h>
#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/Program.h>
#include <vek/vek_ocl/Sampler.h>

#include "FakeOpenCLControl.h"
#include "support/InternalMessage.h"
#include "support/OclError.h"

namespace OCL = VEK::OCL;
using VEKTest::FakeOpenCL;
using VEKTest::InternalMessageOf;
using VEKTest::OclError;

namespace {

class OclComputeScripted : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(OCL::Library::IsOpenCLAvailable(FakeOpenCL::Prefix()));
        OCL::Library::Initialize();
        platform_ = OCL::platforms().front();
        device_ = platform_.devices(OCL::Device::DEVICE_TYPE_ALL).front();
    }
    void TearDown() override {
        fake_.fail("", 0);
        // Whatever a test made is gone with its wrappers: nothing leaked, nothing over-released.
        EXPECT_EQ(fake_.counts().live, 0);
        EXPECT_EQ(fake_.counts().badHandle, 0);
        EXPECT_EQ(fake_.counts().unimplemented, 0);
        OCL::Library::Terminate();
    }
    OCL::Context context() const {
        return OCL::Context(OCL::ContextProperties(platform_), device_);
    }

    // statement throws status when entryPoint fails with it, and leaves no object behind.
    template <class F>
    void expectFailure(const char* entryPoint, cl_int status, F&& statement) {
        fake_.fail(entryPoint, status);
        const long live = fake_.counts().live;
        EXPECT_EQ(OclError(statement), VEK::OCL::ExceptionOCL::ErrorToCString(status))
            << entryPoint;
        EXPECT_EQ(fake_.counts().live, live) << entryPoint;
        fake_.fail("", 0);
    }

    FakeOpenCL fake_;
    OCL::Platform platform_;
    OCL::Device device_;
    const cl_image_format format_ = {CL_RGBA, CL_UNSIGNED_INT8};
};

}  // namespace

TEST_F(OclComputeScripted, FailingCreationsThrowAndGiveBackTheirHandle) {
    fake_.script().failReturnsHandle = 1;
    const OCL::Context ctx = context();
    const OCL::ContextProperties properties(platform_);
    std::vector<float> host(64);
    const auto fails = [&](const char* entryPoint, auto create) {
        this->expectFailure(entryPoint, CL_OUT_OF_RESOURCES, create);
    };
    fails("clCreateContext", [&] { OCL::Context c(properties, device_); });
    fails("clCreateContextFromType",
          [&] { OCL::Context c(properties, OCL::Device::DEVICE_TYPE_GPU); });
    fails("clCreateCommandQueue", [&] { OCL::CommandQueue q(ctx, device_); });
    fails("clCreateBuffer", [&] { OCL::Buffer b(ctx, OCL::Memory::ReadWrite, 256, host.data()); });
    fails("clCreateBuffer", [&] { OCL::Buffer b(ctx, OCL::Memory::ReadWrite, true, 256); });
    fails("clCreateBuffer",
          [&] { OCL::Buffer b(ctx, OCL::Memory::ReadWrite, true, 256, host.data()); });
    fails("clCreateImage2D",
          [&] { OCL::Image2D i(ctx, OCL::Memory::ReadOnly, format_, 4, 4, 0, host.data()); });
    fails("clCreateImage2D", [&] {
        OCL::Image2D i(ctx, OCL::Memory::ReadOnly, false, format_, 4, 4, 0, host.data());
    });
    fails("clCreateImage2D",
          [&] { OCL::Image2D i(ctx, OCL::Memory::ReadOnly, false, format_, 4, 4, 0); });
    fails("clCreateImage3D",
          [&] { OCL::Image3D i(ctx, OCL::Memory::ReadOnly, format_, 2, 2, 2, 0, 0, host.data()); });
    fails("clCreateImage3D", [&] {
        OCL::Image3D i(ctx, OCL::Memory::ReadOnly, true, format_, 2, 2, 2, 0, 0, host.data());
    });
    fails("clCreateImage3D",
          [&] { OCL::Image3D i(ctx, OCL::Memory::ReadOnly, true, format_, 2, 2, 2, 0, 0); });
    fails("clCreateSampler", [&] {
        OCL::Sampler s(ctx, true, OCL::Sampler::AddressNone, OCL::Sampler::FilterNearest);
    });
    fails("clCreateProgramWithSource", [&] { OCL::Program p(ctx, "kernel"); });
    const unsigned char bytes[] = {1, 2, 3};
    const unsigned char* binaries[] = {bytes};
    const std::size_t sizes[] = {3};
    const OCL::Program::BinaryArray array({device_.id()}, sizes, binaries);
    fails("clCreateProgramWithBinary", [&] { OCL::Program p(ctx, array); });

    OCL::Program program(ctx, "kernel");
    fails("clCreateKernel", [&] { program.kernel("k"); });
    fails("clBuildProgram", [&] { program.build(""); });
    fake_.script().failReturnsHandle = 0;
    fails("clCreateKernelsInProgram", [&] { program.kernels(); });
}

TEST_F(OclComputeScripted, FailingEnqueuesLeaveNoEvent) {
    const OCL::Context ctx = context();
    OCL::CommandQueue queue(ctx, device_);
    OCL::Buffer buffer(ctx, OCL::Memory::ReadWrite, false, 64);
    OCL::Image2D image(ctx, OCL::Memory::ReadWrite, false, format_, 4, 4, 0);
    OCL::Program program(ctx, "kernel");
    OCL::Kernel kernel = program.kernel("k");
    std::vector<char> host(64);
    const OCL::Event before = queue.enqueueMarker();
    // Also when the runtime hands back an event with the failure: it goes with the exception.
    for (int returnsEvent : {0, 1}) {
        fake_.script().failReturnsHandle = returnsEvent;
        const auto fails = [&](const char* entryPoint, auto enqueue) {
            this->expectFailure(entryPoint, CL_INVALID_COMMAND_QUEUE, enqueue);
        };
        const OCL::Range<1> r1(8);
        fails("clEnqueueNDRangeKernel", [&] { queue.enqueueKernel(kernel, r1, r1, r1, {before}); });
        fails("clEnqueueNDRangeKernel", [&] {
            queue.enqueueKernel(kernel, OCL::Range<2>(2), OCL::Range<2>(1), OCL::Range<2>(0));
        });
        fails("clEnqueueNDRangeKernel", [&] {
            queue.enqueueKernel(kernel, OCL::Range<3>(2), OCL::Range<3>(1), OCL::Range<3>(0));
        });
        fails("clEnqueueWriteBuffer", [&] { queue.enqueueWrite(buffer, 0, 64, host.data()); });
        fails("clEnqueueWriteBuffer",
              [&] { queue.enqueueBlockingWrite(buffer, 0, 64, host.data()); });
        fails("clEnqueueReadBuffer", [&] { queue.enqueueRead(buffer, 0, 64, host.data()); });
        fails("clEnqueueReadBuffer",
              [&] { queue.enqueueBlockingRead(buffer, 0, 64, host.data()); });
        const VEK::IntegerRect pixel(VEK::int2(0, 0), VEK::size2(1, 1));
        fails("clEnqueueReadImage", [&] { queue.enqueueRead(image, pixel, host.data(), 0); });
        fails("clEnqueueReadImage",
              [&] { queue.enqueueBlockingRead(image, pixel, host.data(), 0); });
        fails("clEnqueueMarker", [&] { queue.enqueueMarker(); });
        fails("clEnqueueBarrier", [&] { queue.enqueueBarrier(); });
        fails("clEnqueueAcquireGLObjects", [&] { queue.enqueueAcquireGLObjects({buffer}); });
        fails("clEnqueueReleaseGLObjects", [&] { queue.enqueueReleaseGLObjects({buffer}); });
        fails("clWaitForEvents", [&] { before.wait(); });
        fails("clWaitForEvents", [&] { OCL::Event::WaitForEvents({before}); });
        fails("clSetKernelArg", [&] { kernel.setArg(0, buffer); });
    }
    fake_.script().failReturnsHandle = 0;

    // flush and finish never throw.
    fake_.fail("clFlush", CL_DEVICE_NOT_AVAILABLE);
    queue.flush();
    fake_.fail("clFinish", CL_DEVICE_NOT_AVAILABLE);
    queue.finish();
    EXPECT_EQ(fake_.calls("clFinish"), 1);
}

TEST_F(OclComputeScripted, MemoryFlagsAndHostPointerChecks) {
    const OCL::Context ctx = context();
    std::vector<float> host(64);
    const auto& rec = fake_.record();
    {
        OCL::Buffer b(ctx, OCL::Memory::ReadOnly, 256, host.data());
        EXPECT_EQ(rec.memFlags, 12u);
        EXPECT_EQ(rec.hostPointer, host.data());
    }
    {
        OCL::Buffer b(ctx, OCL::Memory::ReadWrite, true, 256, host.data());
        EXPECT_EQ(rec.memFlags, 0x31u);
        OCL::Buffer c(ctx, OCL::Memory::WriteOnly, false, 256);
        EXPECT_EQ(rec.memFlags, 2u);
        EXPECT_EQ(rec.hostPointer, nullptr);
        OCL::Buffer d(ctx, OCL::Memory::WriteOnly, true, 256);
        EXPECT_EQ(rec.memFlags, 0x12u);
        // No access flag for a value outside the enumeration: OpenCL's default applies.
        OCL::Buffer e(ctx, static_cast<OCL::Memory::MemoryAccessFlags>(3), false, 256);
        EXPECT_EQ(rec.memFlags, 0u);
    }
    {
        OCL::Image2D a(ctx, OCL::Memory::ReadOnly, false, format_, 4, 4, 0);
        EXPECT_EQ(rec.memFlags, 4u);
        OCL::Image2D b(ctx, OCL::Memory::ReadOnly, format_, 4, 4, 0, host.data());
        EXPECT_EQ(rec.memFlags, 0xCu);
        OCL::Image2D c(ctx, OCL::Memory::WriteOnly, true, format_, 4, 4, 0, host.data());
        EXPECT_EQ(rec.memFlags, 0x32u);
        OCL::Image3D d(ctx, OCL::Memory::ReadWrite, false, format_, 2, 2, 2, 0, 0, host.data());
        EXPECT_EQ(rec.memFlags, 0x21u);
        OCL::Image3D e(ctx, OCL::Memory::ReadWrite, true, format_, 2, 2, 2, 0, 0);
        EXPECT_EQ(rec.memFlags, 0x11u);
    }

    const int buffers = fake_.calls("clCreateBuffer");
    const int images2 = fake_.calls("clCreateImage2D");
    const int images3 = fake_.calls("clCreateImage3D");
    EXPECT_EQ(InternalMessageOf([&] { OCL::Buffer(ctx, OCL::Memory::ReadWrite, 4, nullptr); }),
              "NULL host memory pointer passed to Buffer constructor.");
    EXPECT_EQ(
        InternalMessageOf([&] { OCL::Buffer(ctx, OCL::Memory::ReadWrite, true, 4, nullptr); }),
        "Must allocate host memory passed to Buffer constructor.");
    EXPECT_EQ(InternalMessageOf(
                  [&] { OCL::Image2D(ctx, OCL::Memory::ReadOnly, format_, 4, 4, 0, nullptr); }),
              "NULL host memory pointer passed to Image2D constructor.");
    EXPECT_EQ(InternalMessageOf([&] {
                  OCL::Image2D(ctx, OCL::Memory::ReadOnly, true, format_, 4, 4, 0, nullptr);
              }),
              "NULL host memory pointer passed to Image2D constructor.");
    EXPECT_EQ(InternalMessageOf([&] {
                  OCL::Image3D(ctx, OCL::Memory::ReadOnly, format_, 2, 2, 2, 0, 0, nullptr);
              }),
              "NULL host memory pointer passed to Image3D constructor.");
    EXPECT_EQ(InternalMessageOf([&] {
                  OCL::Image3D(ctx, OCL::Memory::ReadOnly, false, format_, 2, 2, 2, 0, 0, nullptr);
              }),
              "NULL host memory pointer passed to Image3D constructor.");
    EXPECT_EQ(fake_.calls("clCreateBuffer"), buffers);
    EXPECT_EQ(fake_.calls("clCreateImage2D"), images2);
    EXPECT_EQ(fake_.calls("clCreateImage3D"), images3);
}

TEST_F(OclComputeScripted, MemoryKindsAndImageAccessCheck) {
    const OCL::Context ctx = context();
    OCL::CommandQueue queue(ctx, device_);
    OCL::Image2D image(ctx, OCL::Memory::ReadOnly, false, format_, 4, 4, 0);
    fake_.script().memType = CL_MEM_OBJECT_IMAGE2D;
    EXPECT_EQ(image.memType(), OCL::Memory::Image2DObject);
    fake_.script().memType = CL_MEM_OBJECT_IMAGE3D;
    EXPECT_EQ(image.memType(), OCL::Memory::Image3DObject);
    fake_.script().memType = 0x10F5;  // a kind the layer does not know
    EXPECT_EQ(image.memType(), OCL::Memory::OtherObject);

    std::vector<char> host(64);
    const VEK::IntegerRect rect(VEK::int2(2, 1), VEK::size2(3, 2));
    fake_.script().memFlags = CL_MEM_USE_HOST_PTR;  // no access bit at all
    EXPECT_EQ(InternalMessageOf([&] { queue.enqueueBlockingRead(image, rect, host.data(), 0); }),
              "isCompatible");
    EXPECT_EQ(fake_.calls("clEnqueueReadImage"), 0);

    // The rectangle becomes origin and region of one slice; the blocking flag follows the call.
    fake_.script().memFlags = CL_MEM_WRITE_ONLY;
    const auto& rec = fake_.record();
    const OCL::Event first = queue.enqueueMarker();
    queue.enqueueRead(image, rect, host.data(), 16, {first});
    EXPECT_EQ(fake_.calls("clEnqueueReadImage"), 1);
    EXPECT_FALSE(rec.imageReadBlocking);
    EXPECT_EQ(std::vector<std::size_t>(rec.imageOrigin, rec.imageOrigin + 3),
              (std::vector<std::size_t>{2, 1, 0}));
    EXPECT_EQ(std::vector<std::size_t>(rec.imageRegion, rec.imageRegion + 3),
              (std::vector<std::size_t>{3, 2, 1}));
    EXPECT_EQ(rec.imageRowPitch, 16u);
    EXPECT_EQ(rec.imageSlicePitch, 0u);
    EXPECT_EQ(rec.waitCount, 1u);
    queue.enqueueBlockingRead(image, rect, host.data(), 0);
    EXPECT_TRUE(rec.imageReadBlocking);
    EXPECT_EQ(rec.imageRowPitch, 0u);

    // Bad rectangles and pitches are refused before the flags are even asked for.
    const int flagQueries = fake_.calls("clGetMemObjectInfo");
    for (const auto& bad : {std::make_pair(rect, -1),
                            std::make_pair(VEK::IntegerRect(VEK::int2(-2, 0), rect.size()), 0),
                            std::make_pair(VEK::IntegerRect(rect.offset(), VEK::size2(3, 0)), 0)}) {
        EXPECT_NE(InternalMessageOf([&] {
                      queue.enqueueBlockingRead(image, bad.first, host.data(), bad.second);
                  }),
                  "<nothing thrown>")
            << bad.first << " " << bad.second;
    }
    EXPECT_EQ(fake_.calls("clGetMemObjectInfo"), flagQueries);
    EXPECT_EQ(fake_.calls("clEnqueueReadImage"), 2);
}

TEST_F(OclComputeScripted, InvalidSamplerModesNeverReachOpenCL) {
    const OCL::Context ctx = context();
    const auto badFilter = static_cast<OCL::Sampler::SamplerFilterMode>(2);
    const auto badAddressing = static_cast<OCL::Sampler::SamplerAddressingMode>(7);
    EXPECT_EQ(InternalMessageOf([&] { OCL::Sampler(ctx, true, badAddressing, badFilter); }),
              "Unknown OCL filter mode.");
    EXPECT_EQ(InternalMessageOf(
                  [&] { OCL::Sampler(ctx, true, badAddressing, OCL::Sampler::FilterLinear); }),
              "Unknown OCL addressing mode.");
    EXPECT_EQ(fake_.calls("clCreateSampler"), 0);

    OCL::Sampler s(ctx, false, OCL::Sampler::AddressClampToEdge, OCL::Sampler::FilterLinear);
    EXPECT_EQ(fake_.record().samplerAddressing, static_cast<unsigned>(CL_ADDRESS_CLAMP_TO_EDGE));
    EXPECT_EQ(fake_.record().samplerFilter, static_cast<unsigned>(CL_FILTER_LINEAR));
    EXPECT_EQ(fake_.record().samplerNormalized, static_cast<unsigned>(CL_FALSE));
}

TEST_F(OclComputeScripted, QueuePropertiesAndLaunchArguments) {
    const OCL::Context ctx = context();
    const struct {
        bool outOfOrder, profiling;
        unsigned long bits;
    } cases[] = {{false, false, 0}, {false, true, 2}, {true, false, 1}, {true, true, 1}};
    for (const auto& c : cases) {
        OCL::CommandQueue q(ctx, device_, c.outOfOrder, c.profiling);
        EXPECT_EQ(fake_.record().queueProperties, c.bits) << c.outOfOrder << c.profiling;
    }

    OCL::CommandQueue queue(ctx, device_);
    OCL::Program program(ctx, "kernel");
    OCL::Kernel kernel = program.kernel("k");
    const auto& rec = fake_.record();

    queue.enqueueKernel(kernel, OCL::Range<2>(64, 32), OCL::Range<2>(0, 8), OCL::Range<2>(5, 6));
    EXPECT_EQ(rec.workDimension, 2u);
    EXPECT_TRUE(rec.localSizeNull);  // local[0] == 0: OpenCL chooses
    EXPECT_TRUE(rec.globalOffsetNull);
    EXPECT_EQ(rec.globalSize[0], 64u);
    EXPECT_EQ(rec.globalSize[1], 32u);
    EXPECT_EQ(rec.waitCount, 0u);
    EXPECT_TRUE(rec.waitListNull);
    EXPECT_TRUE(rec.eventRequested);

    const OCL::Event first = queue.enqueueMarker();
    const OCL::Event second = queue.enqueueMarker();
    queue.enqueueKernel(kernel, OCL::Range<3>(8, 4, 2), OCL::Range<3>(4, 2, 1),
                        OCL::Range<3>(1, 1, 1), {first, second});
    EXPECT_EQ(rec.workDimension, 3u);
    EXPECT_FALSE(rec.localSizeNull);
    EXPECT_EQ(rec.localSize[2], 1u);
    EXPECT_TRUE(rec.globalOffsetNull);
    EXPECT_EQ(rec.waitCount, 2u);
    EXPECT_FALSE(rec.waitListNull);

    queue.enqueueBlockingWrite(OCL::Buffer(ctx, OCL::Memory::ReadWrite, false, 4), 0, 4, &rec, {});
    EXPECT_TRUE(rec.waitListNull);

    // An empty wait vector reaches OpenCL as a count of 0 and no list, which it refuses.
    EXPECT_EQ(OclError([] { OCL::Event::WaitForEvents({}); }), "CL_INVALID_VALUE");
    EXPECT_EQ(rec.waitCount, 0u);
    EXPECT_TRUE(rec.waitListNull);
    OCL::Event::WaitForEvents({first, second});
    EXPECT_EQ(rec.waitCount, 2u);
    first.wait();
    EXPECT_EQ(rec.waitCount, 1u);
}

TEST_F(OclComputeScripted, KernelArgumentsAndBuildOptions) {
    const OCL::Context ctx = context();
    OCL::Program program(ctx, std::string("kernel void k() {}\0tail", 23));
    EXPECT_EQ(fake_.record().sourceLength, 18u);  // cut at the embedded zero
    const auto& rec = fake_.record();

    program.build("");
    EXPECT_TRUE(rec.buildOptionsNull);
    EXPECT_EQ(rec.buildDeviceCount, 1u);  // the context's devices
    program.build({device_, device_}, "-D X=1  -cl-opt-disable");
    EXPECT_FALSE(rec.buildOptionsNull);
    EXPECT_STREQ(rec.buildOptions, "-D X=1  -cl-opt-disable");
    EXPECT_EQ(rec.buildDeviceCount, 2u);
    EXPECT_EQ(program.buildStatus(device_), OCL::Program::BuildNone);
    EXPECT_EQ(program.buildLog(device_), "fake build log");

    OCL::Kernel kernel = program.kernel("k");
    const OCL::Buffer buffer(ctx, OCL::Memory::ReadWrite, false, 16);
    kernel.setArg(2, buffer);
    EXPECT_EQ(rec.argIndex, 2u);
    EXPECT_EQ(rec.argSize, sizeof(cl_mem));
    cl_mem passed = nullptr;
    std::memcpy(&passed, rec.argValue, sizeof(passed));
    EXPECT_EQ(passed, buffer.id());
    const OCL::Image2D image(ctx, OCL::Memory::ReadOnly, false, format_, 2, 2, 0);
    kernel.setArg(1, image);
    std::memcpy(&passed, rec.argValue, sizeof(passed));
    EXPECT_EQ(passed, image.id());
    kernel.setArg(0, 2.5f);
    EXPECT_EQ(rec.argSize, sizeof(float));
    float value = 0;
    std::memcpy(&value, rec.argValue, sizeof(value));
    EXPECT_EQ(value, 2.5f);
    kernel.setArg(3, nullptr, 256);  // local memory
    EXPECT_TRUE(rec.argValueNull);
    EXPECT_EQ(rec.argSize, 256u);

    // Vectors pass OpenCL's vector of their components, at its size.
    const auto passes = [&](auto vector, auto component, std::size_t size) {
        kernel.setArg(4, vector);
        EXPECT_EQ(rec.argIndex, 4u);
        EXPECT_FALSE(rec.argValueNull);
        ASSERT_EQ(rec.argSize, size);
        for (unsigned i = 0; i < size / sizeof(component); ++i) {
            std::memcpy(&component, rec.argValue + i * sizeof(component), sizeof(component));
            EXPECT_EQ(component, vector[i]) << i;
        }
    };
    passes(VEK::float2(0.5f, -3.0f), cl_float(), 8);
    passes(VEK::float4(1.0f, -2.5f, 1e-20f, 4096.0f), cl_float(), 16);
    passes(VEK::int2(-1, 2147483647), cl_int(), 8);
    passes(VEK::int4(7, -8, 9, -2147483647 - 1), cl_int(), 16);

    EXPECT_EQ(OCL::Program::OCLBuildStatus(CL_BUILD_IN_PROGRESS), OCL::Program::BuildInProgress);
    EXPECT_EQ(OCL::Program::OCLBuildStatus(CL_BUILD_ERROR), OCL::Program::BuildError);
    EXPECT_EQ(OCL::Program::OCLBuildStatus(CL_BUILD_SUCCESS), OCL::Program::BuildSuccess);
    EXPECT_EQ(OCL::Program::OCLBuildStatus(-7), OCL::Program::BuildNone);
    for (auto s : {OCL::Program::BuildNone, OCL::Program::BuildError, OCL::Program::BuildSuccess,
                   OCL::Program::BuildInProgress}) {
        EXPECT_EQ(OCL::Program::OCLBuildStatus(OCL::Program::OpenCLBuildStatus(s)), s);
    }
    EXPECT_EQ(OCL::Program::OpenCLBuildStatus(static_cast<OCL::Program::BuildStatus>(9)),
              CL_BUILD_NONE);
}

TEST_F(OclComputeScripted, BinaryArraysCheckTheirCounts) {
    const std::vector<unsigned char> blob{1, 2, 3};
    EXPECT_EQ(InternalMessageOf([&] {
                  OCL::Program::BinaryArray a({device_, device_}, {3, 3}, {blob});
              }),
              "sizes.size() == binaries.size()");
    EXPECT_EQ(InternalMessageOf([&] {
                  OCL::Program::BinaryArray a({device_, device_}, {3}, {blob});
              }),
              "devs.size() == sizes.size()");
    const OCL::Program::BinaryArray two({device_, device_}, {3, 2}, {blob, {9, 8}});
    EXPECT_EQ(two.nBinary(), 2u);
    EXPECT_EQ(two.sizes()[1], 2u);
    EXPECT_EQ(two.binaries()[1][0], 9);
    const OCL::Program::BinaryArray copy = two;
    EXPECT_EQ(copy.devices(), two.devices());
    EXPECT_NE(copy.binaries()[0], two.binaries()[0]);  // owned, not shared
}

TEST_F(OclComputeScripted, EveryWrapperGivesBackEachReference) {
    {
        const OCL::Context ctx = context();
        OCL::Program program(ctx, "kernel");
        {
            // A program copy takes a reference on the program and one on its context.
            const OCL::Program copy = program;
            EXPECT_EQ(fake_.refCount(program.id()), 2);
            EXPECT_EQ(fake_.refCount(ctx.id()), 3);
            OCL::Program moved(std::move(program));
            EXPECT_EQ(program.id(), moved.id());  // NOLINT: moves copy
            EXPECT_EQ(fake_.refCount(program.id()), 3);
        }
        EXPECT_EQ(fake_.refCount(program.id()), 1);
        EXPECT_EQ(fake_.refCount(ctx.id()), 2);

        {
            const std::vector<OCL::Kernel> kernels = program.kernels();
            ASSERT_EQ(kernels.size(), 3u);
            for (const OCL::Kernel& k : kernels) {
                EXPECT_EQ(fake_.refCount(k.id()), 1);
            }
        }
        OCL::CommandQueue queue(ctx, device_);
        OCL::Buffer buffer(ctx, OCL::Memory::ReadWrite, false, 16);
        OCL::Image2D image(ctx, OCL::Memory::ReadOnly, false, format_, 2, 2, 0);
        OCL::Sampler sampler(ctx, true, OCL::Sampler::AddressNone, OCL::Sampler::FilterNearest);
        OCL::Kernel kernel = program.kernel("k");
        OCL::Event event = queue.enqueueMarker();
        {
            OCL::CommandQueue q2(queue);
            OCL::Buffer b2(buffer);
            OCL::Memory m2(std::move(b2));
            OCL::Image2D i2(image);
            OCL::Sampler s2(sampler);
            OCL::Kernel k2(kernel);
            OCL::Event e2(event);
            OCL::Event e3(std::move(e2));
            e3 = event;
            k2 = std::move(kernel);
            for (const void* h :
                 {static_cast<const void*>(queue.id()), static_cast<const void*>(sampler.id()),
                  static_cast<const void*>(image.id())}) {
                EXPECT_EQ(fake_.refCount(h), 2);
            }
            EXPECT_EQ(fake_.refCount(buffer.id()), 3);
            EXPECT_EQ(fake_.refCount(event.id()), 3);
            EXPECT_EQ(fake_.refCount(kernel.id()), 2);
            // Objects handed to an enqueue are passed, not held.
            queue.enqueueAcquireGLObjects({buffer, image});
            EXPECT_EQ(fake_.record().memObjectCount, 2u);
        }
        EXPECT_EQ(fake_.refCount(buffer.id()), 1);
        EXPECT_EQ(fake_.refCount(event.id()), 1);
    }
    EXPECT_EQ(fake_.counts().live, 0);
    EXPECT_EQ(fake_.counts().retains, fake_.counts().releases - fake_.counts().created);
}
