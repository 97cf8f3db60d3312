// Compute end to end on the installed runtime (PoCL on the CPU): contexts, memory, programs,
// kernels, queues and events.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <numeric>
#include <thread>
#include <vector>

#include <vek/core/math/Vector.h>
#include <vek/core/math/region_2d/IntegerRect.h>
#include <vek/vek_ocl/CommandQueue.h>
#include <vek/vek_ocl/ExtensionManager.h>
#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/Platform.h>
#include <vek/vek_ocl/Program.h>
#include <vek/vek_ocl/Sampler.h>

#include "support/InternalMessage.h"
#include "support/OclError.h"
#include "support/Wine.h"

namespace OCL = VEK::OCL;
using VEKTest::InternalMessageOf;
using VEKTest::OclError;

namespace {

const char* const kVectorSource = R"(
__kernel void vadd(__global const float* a, __global const float* b, __global float* c,
                   uint n) {
    size_t i = get_global_id(0);
    if (i < n) c[i] = a[i] + b[i];
}
__kernel void scale(__global float* data, float factor) {
    data[get_global_id(0)] *= factor;
}
__kernel void fill(__global int* data, int value) {
    data[get_global_id(0)] = value;
}
)";

// Writes back the vector arguments it received, component by component.
const char* const kEchoSource = R"(
__kernel void echo(__global float* f, __global int* i, float2 f2, float4 f4, int2 i2, int4 i4) {
    vstore2(f2, 0, f);
    vstore4(f4, 0, f + 2);
    vstore2(i2, 0, i);
    vstore4(i4, 0, i + 2);
}
)";

class OclCompute : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(OCL::Library::IsOpenCLAvailable(""));
        OCL::Library::Initialize();
        for (const OCL::Platform& p : OCL::platforms()) {
            try {
                device_ = p.devices(OCL::Device::DEVICE_TYPE_CPU).front();
                platform_ = p;
                break;
            } catch (const OCL::ExceptionOCL&) {
                // no CPU device on this platform
            }
        }
        ASSERT_NE(device_.id(), nullptr) << "no OpenCL CPU device";
        context_ = OCL::Context(OCL::ContextProperties(platform_), device_);
    }
    void TearDown() override {
        context_ = OCL::Context();  // its reference goes back while the loader is open
        OCL::Library::Terminate();
    }

    OCL::Platform platform_;
    OCL::Device device_;
    OCL::Context context_;
};

}  // namespace

TEST_F(OclCompute, VectorAdditionOverAMillionFloats) {
    const cl_uint n = 1u << 20;
    std::vector<float> a(n), b(n), c(n, -1.0f);
    for (cl_uint i = 0; i < n; ++i) {
        a[i] = static_cast<float>(i) * 0.5f;
        b[i] = 1000.0f - static_cast<float>(i % 977);
    }
    const std::size_t bytes = n * sizeof(float);
    OCL::Buffer bufferA(context_, OCL::Memory::ReadOnly, false, bytes, a.data());
    OCL::Buffer bufferB(context_, OCL::Memory::ReadOnly, false, bytes);
    OCL::Buffer bufferC(context_, OCL::Memory::WriteOnly, false, bytes);
    EXPECT_EQ(bufferA.memType(), OCL::Memory::BufferObject);

    OCL::Program program(context_, kVectorSource);
    program.build("");
    EXPECT_EQ(program.buildStatus(device_), OCL::Program::BuildSuccess);
    OCL::Kernel kernel = program.kernel("vadd");
    kernel.setArg(0, bufferA);
    kernel.setArg(1, bufferB);
    kernel.setArg(2, bufferC);
    kernel.setArg(3, n);

    OCL::CommandQueue queue(context_, device_);
    const OCL::Event written = queue.enqueueWrite(bufferB, 0, bytes, b.data());
    // OpenCL chooses the work-group size; the offset range is not used.
    const OCL::Event ran = queue.enqueueKernel(kernel, OCL::Range<1>(n), OCL::Range<1>(0),
                                               OCL::Range<1>(5), {written});
    queue.enqueueBlockingRead(bufferC, 0, bytes, c.data(), {ran});
    for (cl_uint i = 0; i < n; ++i) {
        if (c[i] != a[i] + b[i]) {
            FAIL() << "element " << i << ": " << c[i] << " != " << a[i] + b[i];
        }
    }

    // An explicit work-group size, and a read of part of the buffer at an offset.
    std::fill(c.begin(), c.end(), 0.0f);
    queue.enqueueKernel(kernel, OCL::Range<1>(n), OCL::Range<1>(64), OCL::Range<1>(0));
    std::vector<float> tail(16);
    queue.enqueueBlockingRead(bufferC, bytes - 16 * sizeof(float), 16 * sizeof(float), tail.data());
    for (cl_uint i = 0; i < 16; ++i) {
        EXPECT_EQ(tail[i], a[n - 16 + i] + b[n - 16 + i]);
    }
}

TEST_F(OclCompute, HostMemoryBuffersAndKernelsInProgram) {
    std::vector<float> data(256);
    std::iota(data.begin(), data.end(), 0.0f);
    OCL::Buffer shared(context_, OCL::Memory::ReadWrite, data.size() * sizeof(float), data.data());
    std::vector<cl_int> ints(64, 0);
    OCL::Buffer filled(context_, OCL::Memory::ReadWrite, true, ints.size() * sizeof(cl_int));

    OCL::Program program(context_, kVectorSource);
    program.build(std::vector<OCL::Device>{device_}, "-cl-fast-relaxed-math");
    const std::vector<OCL::Kernel> kernels = program.kernels();
    ASSERT_EQ(kernels.size(), 3u);

    OCL::Kernel scale = program.kernel("scale");
    scale.setArg(0, shared);
    scale.setArg(1, 2.0f);
    OCL::Kernel fill = program.kernel("fill");
    fill.setArg(0, filled);
    fill.setArg(1, cl_int(-7));

    OCL::CommandQueue queue(context_, device_);
    queue.enqueueKernel(scale, OCL::Range<1>(data.size()), OCL::Range<1>(0), OCL::Range<1>(0));
    queue.enqueueKernel(fill, OCL::Range<1>(ints.size()), OCL::Range<1>(0), OCL::Range<1>(0));
    std::vector<float> scaled(data.size());
    queue.enqueueBlockingRead(shared, 0, scaled.size() * sizeof(float), scaled.data());
    queue.enqueueBlockingRead(filled, 0, ints.size() * sizeof(cl_int), ints.data());
    for (std::size_t i = 0; i < scaled.size(); ++i) {
        EXPECT_EQ(scaled[i], 2.0f * static_cast<float>(i)) << i;
    }
    EXPECT_EQ(ints, std::vector<cl_int>(64, -7));

    EXPECT_EQ(OclError([&] { program.kernel("missing"); }), "CL_INVALID_KERNEL_NAME");
    EXPECT_EQ(OclError([&] { scale.setArg(7, 1.0f); }), "CL_INVALID_ARG_INDEX");
}

TEST_F(OclCompute, FailedBuildKeepsItsLog) {
    OCL::Program broken(context_, "__kernel void f(__global int* p) { p[0] = undeclared; }");
    EXPECT_EQ(broken.buildStatus(device_), OCL::Program::BuildNone);
    EXPECT_EQ(OclError([&] { broken.build(""); }), "CL_BUILD_PROGRAM_FAILURE");
    EXPECT_EQ(broken.buildStatus(device_), OCL::Program::BuildError);
    const std::string log = broken.buildLog(device_);
    EXPECT_NE(log.find("undeclared"), std::string::npos) << log;
    EXPECT_EQ(log.find('\0'), std::string::npos);
}

TEST_F(OclCompute, VectorArgumentsArriveComponentByComponent) {
    OCL::Program program(context_, kEchoSource);
    program.build("");
    OCL::Kernel echo = program.kernel("echo");
    OCL::Buffer floats(context_, OCL::Memory::WriteOnly, false, 6 * sizeof(float));
    OCL::Buffer ints(context_, OCL::Memory::WriteOnly, false, 6 * sizeof(cl_int));
    const VEK::float2 f2(1.5f, -2.25f);
    const VEK::float4 f4(3.0e-3f, -1.0e30f, 7.75f, 0.1f);
    const VEK::int2 i2(-7, 2147483647);
    const VEK::int4 i4(-2147483647 - 1, -1, 65536, 123456789);
    echo.setArg(0, floats);
    echo.setArg(1, ints);
    echo.setArg(2, f2);
    echo.setArg(3, f4);
    echo.setArg(4, i2);
    echo.setArg(5, i4);

    OCL::CommandQueue queue(context_, device_);
    queue.enqueueKernel(echo, OCL::Range<1>(1), OCL::Range<1>(0), OCL::Range<1>(0));
    std::vector<float> f(6);
    std::vector<cl_int> i(6);
    queue.enqueueBlockingRead(floats, 0, f.size() * sizeof(float), f.data());
    queue.enqueueBlockingRead(ints, 0, i.size() * sizeof(cl_int), i.data());
    EXPECT_EQ(f, (std::vector<float>{f2[0], f2[1], f4[0], f4[1], f4[2], f4[3]}));
    EXPECT_EQ(i, (std::vector<cl_int>{i2[0], i2[1], i4[0], i4[1], i4[2], i4[3]}));

    // An argument set again replaces the old value.
    echo.setArg(4, VEK::int2(11, -12));
    queue.enqueueKernel(echo, OCL::Range<1>(1), OCL::Range<1>(0), OCL::Range<1>(0));
    queue.enqueueBlockingRead(ints, 0, 2 * sizeof(cl_int), i.data());
    EXPECT_EQ(i[0], 11);
    EXPECT_EQ(i[1], -12);
}

TEST_F(OclCompute, ImageReadBackThroughARectangle) {
    if (!device_.supportsImages()) {
        GTEST_SKIP() << "device without images";
    }
    const std::size_t width = 8, height = 4;
    std::vector<std::uint8_t> pixels(width * height * 4);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    const cl_image_format format = {CL_RGBA, CL_UNSIGNED_INT8};
    OCL::Image2D image(context_, OCL::Memory::ReadOnly, false, format, width, height, 0,
                       pixels.data());
    EXPECT_EQ(image.memType(), OCL::Memory::Image2DObject);
    std::size_t answered = 0;
    image.getInfo(OCL::Image::Width, sizeof(answered), &answered, nullptr);
    EXPECT_EQ(answered, width);

    // The whole image, tightly packed.
    OCL::CommandQueue queue(context_, device_);
    std::vector<std::uint8_t> whole(pixels.size(), 0);
    queue.enqueueBlockingRead(image, VEK::IntegerRect(VEK::int2(0, 0), VEK::size2(width, height)),
                              whole.data(), 0);
    EXPECT_EQ(whole, pixels);

    // The 3 x 2 rectangle at (2, 1), into rows of 16 bytes: the 4 bytes after each row of 12
    // stay as they were.
    const std::uint8_t untouched = 0xEE;
    const VEK::IntegerRect rect(VEK::int2(2, 1), VEK::size2(3, 2));
    std::vector<std::uint8_t> part(2 * 16, untouched);
    queue.enqueueBlockingRead(image, rect, part.data(), 16);
    for (std::size_t y = 0; y < 2; ++y) {
        for (std::size_t x = 0; x < 16; ++x) {
            const std::uint8_t expected =
                x < 12 ? pixels[(y + 1) * width * 4 + 2 * 4 + x] : untouched;
            EXPECT_EQ(part[y * 16 + x], expected) << y << " " << x;
        }
    }

    // Not blocking, then waited for; the last pixel of the image.
    std::uint8_t last[4] = {};
    const OCL::Event read = queue.enqueueRead(
        image, VEK::IntegerRect(VEK::int2(width - 1, height - 1), VEK::size2(1, 1)), last, 0);
    read.wait();
    EXPECT_EQ(read.commandExecutionStatus(), CL_COMPLETE);
    EXPECT_EQ(read.commandType(), static_cast<cl_uint>(CL_COMMAND_READ_IMAGE));
    EXPECT_TRUE(std::equal(last, last + 4, pixels.end() - 4));

    // Bad input throws and leaves the destination alone.
    std::fill(part.begin(), part.end(), untouched);
    const auto failure = [&](VEK::IntegerRect r, int pitch) {
        return InternalMessageOf([&] { queue.enqueueBlockingRead(image, r, part.data(), pitch); });
    };
    EXPECT_EQ(failure(rect, -16), "Image read with the negative row pitch -16.");
    EXPECT_EQ(failure(VEK::IntegerRect(VEK::int2(-1, 0), VEK::size2(2, 2)), 0),
              "Image read at the negative offset (-1, 0).");
    EXPECT_EQ(failure(VEK::IntegerRect(VEK::int2(0, -3), VEK::size2(2, 2)), 0),
              "Image read at the negative offset (0, -3).");
    EXPECT_EQ(failure(VEK::IntegerRect(VEK::int2(1, 1), VEK::size2(0, 2)), 0),
              "Image read of an empty rectangle of size (0, 2).");
    EXPECT_EQ(failure(VEK::IntegerRect(), 0), "Image read of an empty rectangle of size (0, 0).");
    // Past the right edge: OpenCL's own bounds check.
    EXPECT_EQ(OclError([&] {
                  queue.enqueueBlockingRead(
                      image, VEK::IntegerRect(VEK::int2(6, 0), VEK::size2(3, 1)), part.data(), 0);
              }),
              "CL_INVALID_VALUE");
    EXPECT_EQ(part, std::vector<std::uint8_t>(part.size(), untouched));
}

TEST_F(OclCompute, SamplerReadsBackItsModes) {
    const OCL::Sampler edge(context_, true, OCL::Sampler::AddressClampToEdge,
                            OCL::Sampler::FilterLinear);
    EXPECT_EQ(edge.addressingMode(), OCL::Sampler::AddressClampToEdge);
    EXPECT_EQ(edge.filterMode(), OCL::Sampler::FilterLinear);
    EXPECT_TRUE(edge.usesNormalizedCoordinates());
    const OCL::Sampler plain(context_, false, OCL::Sampler::AddressClamp,
                             OCL::Sampler::FilterNearest);
    EXPECT_EQ(plain.addressingMode(), OCL::Sampler::AddressClamp);
    EXPECT_EQ(plain.filterMode(), OCL::Sampler::FilterNearest);
    EXPECT_FALSE(plain.usesNormalizedCoordinates());
    const OCL::Sampler repeat(context_, true, OCL::Sampler::AddressRepeat,
                              OCL::Sampler::FilterNearest);
    EXPECT_EQ(repeat.addressingMode(), OCL::Sampler::AddressRepeat);
    EXPECT_EQ(InternalMessageOf([&] { edge.context(); }), "Not implemented.");
}

TEST_F(OclCompute, MarkersEventsAndWaiting) {
    OCL::CommandQueue queue(context_, device_, false, true);
    std::vector<cl_int> values(1024, 5);
    OCL::Buffer buffer(context_, OCL::Memory::ReadWrite, false, values.size() * sizeof(cl_int));
    const OCL::Event write =
        queue.enqueueWrite(buffer, 0, values.size() * sizeof(cl_int), values.data());
    const OCL::Event marker = queue.enqueueMarker();
    queue.enqueueBarrier();
    std::vector<cl_int> back(values.size(), 0);
    const OCL::Event read =
        queue.enqueueRead(buffer, 0, back.size() * sizeof(cl_int), back.data(), {write, marker});
    queue.flush();
    OCL::Event::WaitForEvents({write, marker, read});
    EXPECT_EQ(back, values);

    EXPECT_EQ(write.commandType(), static_cast<cl_uint>(CL_COMMAND_WRITE_BUFFER));
    EXPECT_EQ(marker.commandType(), static_cast<cl_uint>(CL_COMMAND_MARKER));
    EXPECT_EQ(read.commandType(), static_cast<cl_uint>(CL_COMMAND_READ_BUFFER));
    EXPECT_EQ(read.commandExecutionStatus(), CL_COMPLETE);
    marker.wait();
    const OCL::CommandQueue owner = marker.commandQueue();
    EXPECT_EQ(owner.id(), queue.id());
    queue.finish();

    EXPECT_EQ(OclError([] { OCL::Event::WaitForEvents({}); }), "CL_INVALID_VALUE");
}

TEST_F(OclCompute, ProgramFromItsOwnBinaries) {
    OCL::Program source(context_, kVectorSource);
    source.build("");
    const OCL::FunctionTable& t = OCL::ExtensionManager::instance()->table();
    std::size_t size = 0;
    ASSERT_EQ(
        t.clGetProgramInfo(source.id(), CL_PROGRAM_BINARY_SIZES, sizeof(size), &size, nullptr),
        CL_SUCCESS);
    ASSERT_GT(size, 0u);
    std::vector<unsigned char> binary(size);
    unsigned char* binaries[] = {binary.data()};
    ASSERT_EQ(
        t.clGetProgramInfo(source.id(), CL_PROGRAM_BINARIES, sizeof(binaries), binaries, nullptr),
        CL_SUCCESS);

    const OCL::Program::BinaryArray array({device_}, {size}, {binary});
    EXPECT_EQ(array.nBinary(), 1u);
    OCL::Program fromBinary(context_, array);
    // Built asynchronously: OpenCL calls back, with the user data, when the build ends.
    std::atomic<int> done{0};
    const OCL::Program::NotifyCallback callback(
        [](cl_program, void* flag) { static_cast<std::atomic<int>*>(flag)->store(1); }, &done);
    fromBinary.buildAsync({device_}, "", callback);
    // Wine 8's OpenCL.dll drops the notify callback ("notify callback not supported") and builds
    // before clBuildProgram returns: there the build is checked without it.
    if (!VEKTest::UnderWine()) {
        for (int i = 0; i < 1000 && done.load() == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ASSERT_EQ(done.load(), 1);
    }
    EXPECT_EQ(fromBinary.buildStatus(device_), OCL::Program::BuildSuccess);
    OCL::Kernel fill = fromBinary.kernel("fill");
    std::vector<cl_int> ints(32, 0);
    OCL::Buffer buffer(context_, OCL::Memory::WriteOnly, false, ints.size() * sizeof(cl_int));
    fill.setArg(0, buffer);
    fill.setArg(1, cl_int(42));
    OCL::CommandQueue queue(context_, device_);
    queue.enqueueKernel(fill, OCL::Range<1>(ints.size()), OCL::Range<1>(0), OCL::Range<1>(0));
    queue.enqueueBlockingRead(buffer, 0, ints.size() * sizeof(cl_int), ints.data());
    EXPECT_EQ(ints, std::vector<cl_int>(32, 42));
}

TEST_F(OclCompute, ContextKnowsItsDevicesAndPlatform) {
    const std::vector<OCL::Device> devices = context_.devices();
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].id(), device_.id());
    EXPECT_EQ(context_.platform().id(), platform_.id());

    const OCL::Context byType(OCL::ContextProperties(platform_), OCL::Device::DEVICE_TYPE_CPU);
    EXPECT_EQ(byType.platform().id(), platform_.id());
    EXPECT_FALSE(byType.devices().empty());
    EXPECT_EQ(OclError([&] {
                  OCL::Context(OCL::ContextProperties(platform_),
                               OCL::Device::DEVICE_TYPE_ACCELERATOR);
              }),
              "CL_DEVICE_NOT_FOUND");
}
