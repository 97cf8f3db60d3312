// Acquiring and releasing OpenGL-backed memory on a queue, against the test loader: the handles,
// wait lists and events that reach OpenCL, and the refusal when the device cannot share.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include <vek/vek_ocl/CommandQueue.h>
#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/Platform.h>

#include "FakeOpenCLControl.h"
#include "support/OclError.h"

namespace OCL = VEK::OCL;
using VEKTest::FakeOpenCL;
using VEKTest::OclError;

namespace {

class OclGLObjectsQueueScripted : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(OCL::Library::IsOpenCLAvailable(FakeOpenCL::Prefix()));
        OCL::Library::Initialize();
        platform_ = OCL::platforms().front();
        device_ = platform_.devices(OCL::Device::DEVICE_TYPE_ALL).front();
    }
    void TearDown() override {
        fake_.fail("", 0);
        EXPECT_EQ(fake_.counts().live, 0);
        EXPECT_EQ(fake_.counts().badHandle, 0);
        EXPECT_EQ(fake_.counts().unimplemented, 0);
        OCL::Library::Terminate();
    }
    void setDeviceExtensions(const char* text) {
        std::snprintf(fake_.script().deviceExtensions, sizeof(fake_.script().deviceExtensions),
                      "%s", text);
    }

    FakeOpenCL fake_;
    OCL::Platform platform_;
    OCL::Device device_;
};

}  // namespace

TEST_F(OclGLObjectsQueueScripted, AcquireAndReleasePassHandlesAndWaitListsAndReturnTheirEvents) {
    {
        const OCL::Context context(OCL::ContextProperties(platform_), device_);
        OCL::CommandQueue queue(context, device_);
        const OCL::Buffer buffer(context, OCL::Memory::ReadWrite, false, 64);
        const cl_image_format format = {CL_RGBA, CL_UNORM_INT8};
        const OCL::Image2D image(context, OCL::Memory::ReadOnly, false, format, 4, 4, 0);
        const OCL::Event first = queue.enqueueMarker();
        const OCL::Event second = queue.enqueueMarker();

        const OCL::Event acquired = queue.enqueueAcquireGLObjects({image, buffer}, {first, second});
        FakeCLRecord& record = fake_.record();
        EXPECT_EQ(record.memObjectCount, 2u);
        EXPECT_EQ(record.memObjects[0], image.id());
        EXPECT_EQ(record.memObjects[1], buffer.id());
        EXPECT_EQ(record.waitCount, 2u);
        EXPECT_EQ(record.waitList[0], first.id());
        EXPECT_EQ(record.waitList[1], second.id());
        // The returned event is the command's own, adopted without a retain.
        EXPECT_EQ(acquired.id(), record.event);
        EXPECT_EQ(fake_.refCount(acquired.id()), 1);

        const OCL::Event released = queue.enqueueReleaseGLObjects({buffer}, {acquired});
        EXPECT_EQ(record.memObjectCount, 1u);
        EXPECT_EQ(record.memObjects[0], buffer.id());
        EXPECT_EQ(record.waitCount, 1u);
        EXPECT_EQ(record.waitList[0], acquired.id());
        EXPECT_EQ(released.id(), record.event);
        EXPECT_NE(released.id(), acquired.id());
        EXPECT_EQ(fake_.refCount(released.id()), 1);

        // Nothing to wait for: a count of 0 and no list; no objects: a count of 0 and no array.
        const OCL::Event empty = queue.enqueueAcquireGLObjects({});
        EXPECT_EQ(record.memObjectCount, 0u);
        EXPECT_EQ(record.memObjects[0], nullptr);
        EXPECT_EQ(record.waitCount, 0u);
        EXPECT_TRUE(record.waitListNull);
        EXPECT_EQ(empty.id(), record.event);

        // The objects were passed, not held.
        EXPECT_EQ(fake_.refCount(buffer.id()), 1);
        EXPECT_EQ(fake_.refCount(image.id()), 1);
        EXPECT_EQ(fake_.refCount(first.id()), 1);

        // A failing enqueue throws its status and leaves no event behind.
        const long live = fake_.counts().live;
        fake_.fail("clEnqueueReleaseGLObjects", CL_INVALID_GL_OBJECT);
        EXPECT_EQ(OclError([&] { queue.enqueueReleaseGLObjects({image}, {first}); }),
                  "CL_INVALID_GL_OBJECT");
        EXPECT_EQ(fake_.counts().live, live);

        // A runtime that fails but still hands back an event: it is released with the exception.
        fake_.script().failReturnsHandle = 1;
        for (bool acquire : {true, false}) {
            const char* entryPoint =
                acquire ? "clEnqueueAcquireGLObjects" : "clEnqueueReleaseGLObjects";
            fake_.fail(entryPoint, CL_INVALID_GL_OBJECT);
            const long created = fake_.counts().created;
            EXPECT_EQ(OclError([&] {
                          acquire ? queue.enqueueAcquireGLObjects({image}, {first})
                                  : queue.enqueueReleaseGLObjects({image}, {first});
                      }),
                      "CL_INVALID_GL_OBJECT")
                << entryPoint;
            EXPECT_EQ(fake_.counts().created, created + 1) << entryPoint;
            EXPECT_EQ(fake_.refCount(record.event), 0) << entryPoint;
            EXPECT_EQ(fake_.counts().live, live) << entryPoint;
        }
        fake_.script().failReturnsHandle = 0;
        fake_.fail("", 0);
    }
    EXPECT_EQ(fake_.counts().live, 0);
    EXPECT_EQ(fake_.counts().releases, fake_.counts().created + fake_.counts().retains);
}

TEST_F(OclGLObjectsQueueScripted, DeviceWithoutSharingIsRefusedBeforeOpenCLIsAsked) {
    const OCL::Context context(OCL::ContextProperties(platform_), device_);
    OCL::CommandQueue queue(context, device_);
    const OCL::Buffer buffer(context, OCL::Memory::ReadWrite, false, 64);
    const OCL::Event before = queue.enqueueMarker();

    // Only the exact token counts: a longer name that starts with it is another extension.
    for (const char* extensions : {"cl_khr_fp64", "", "cl_khr_gl_sharing_ext cl_khr_fp64"}) {
        setDeviceExtensions(extensions);
        for (bool acquire : {true, false}) {
            const int acquires = fake_.calls("clEnqueueAcquireGLObjects");
            const int releases = fake_.calls("clEnqueueReleaseGLObjects");
            const long live = fake_.counts().live;
            try {
                if (acquire) {
                    queue.enqueueAcquireGLObjects({buffer}, {before});
                } else {
                    queue.enqueueReleaseGLObjects({buffer}, {before});
                }
                ADD_FAILURE() << "no exception with extensions \"" << extensions << "\"";
            } catch (const OCL::ExceptionOCL& e) {
                EXPECT_EQ(static_cast<cl_int>(e.errorNumber()), CL_INVALID_OPERATION);
                const std::string message = e.message();
                EXPECT_NE(message.find("not offered by the device"), std::string::npos) << message;
                EXPECT_NE(message.find("\"Fake Device\""), std::string::npos) << message;
            }
            EXPECT_EQ(fake_.calls("clEnqueueAcquireGLObjects"), acquires);
            EXPECT_EQ(fake_.calls("clEnqueueReleaseGLObjects"), releases);
            EXPECT_EQ(fake_.counts().live, live);
        }
    }

    // The device named by the queue is the one asked; a failing question is its own status.
    setDeviceExtensions("cl_khr_fp64 cl_khr_gl_sharing");
    fake_.fail("clGetCommandQueueInfo", CL_INVALID_COMMAND_QUEUE);
    EXPECT_EQ(OclError([&] { queue.enqueueAcquireGLObjects({buffer}); }),
              "CL_INVALID_COMMAND_QUEUE");
    fake_.fail("", 0);
    const int acquires = fake_.calls("clEnqueueAcquireGLObjects");
    queue.enqueueAcquireGLObjects({buffer});
    EXPECT_EQ(fake_.calls("clEnqueueAcquireGLObjects"), acquires + 1);
}
