// A compute context that shares an OpenGL context, against the test loader: it reaches OpenCL
// only when every device lists cl_khr_gl_sharing.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include <vek/vek_ocl/Context.h>
#include <vek/vek_ocl/ExceptionOCL.h>
#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/Platform.h>

#include "FakeOpenCLControl.h"
#include "support/GLTestContext.h"

namespace OCL = VEK::OCL;
using VEKTest::FakeOpenCL;

TEST(OclSharingContextScripted, RefusedUnlessTheDevicesListSharing) {
    FakeOpenCL fake;
    ASSERT_TRUE(OCL::Library::IsOpenCLAvailable(FakeOpenCL::Prefix()));
    OCL::Library::Initialize();
    {
        const OCL::Platform platform = OCL::platforms().front();
        const OCL::Device device = platform.devices(OCL::Device::DEVICE_TYPE_ALL).front();
        VEKTest::GLTestContext gl;
        OCL::ContextProperties shared(platform);
        shared.setSharedRenderContext(gl.context());
        shared.setDisplayContext(gl.dc());

        // Claimed: all three constructors reach OpenCL with the OpenGL context in the list.
        const OCL::Context overVector(shared, std::vector<OCL::Device>{device});
        EXPECT_EQ(fake.record().contextProperties[4], CL_GL_CONTEXT_KHR);
        const OCL::Context overDevice(shared, device);
        const OCL::Context overType(shared, OCL::Device::DEVICE_TYPE_GPU);
        EXPECT_EQ(fake.calls("clCreateContext"), 2);
        EXPECT_EQ(fake.calls("clCreateContextFromType"), 1);

        // Not claimed: refused before OpenCL is asked for a context.
        std::snprintf(fake.script().deviceExtensions, sizeof(fake.script().deviceExtensions), "%s",
                      "cl_khr_fp64 cl_khr_gl_event");
        const auto refused = [&](const char* which, auto create) {
            try {
                create();
                ADD_FAILURE() << "no exception";
            } catch (const OCL::ExceptionOCL& e) {
                EXPECT_EQ(static_cast<cl_int>(e.errorNumber()), CL_INVALID_OPERATION);
                EXPECT_EQ(std::string(e.message()),
                          std::string("OpenCL sharing with OpenGL (cl_khr_gl_sharing) is not "
                                      "offered by the device") +
                              which + ".");
            }
        };
        const char* const fakeDevice = " \"Fake Device\"";
        refused(fakeDevice, [&] { OCL::Context c(shared, std::vector<OCL::Device>{device}); });
        refused(fakeDevice, [&] { OCL::Context c(shared, device); });
        refused(fakeDevice, [&] { OCL::Context c(shared, OCL::Device::DEVICE_TYPE_GPU); });
        refused(": no device was given",
                [&] { OCL::Context c(shared, std::vector<OCL::Device>{}); });
        EXPECT_EQ(fake.calls("clCreateContext"), 2);
        EXPECT_EQ(fake.calls("clCreateContextFromType"), 1);

        // Without an OpenGL context the device's extensions do not matter.
        const OCL::Context plain(OCL::ContextProperties(platform), device);
        const OCL::Context plainByType(OCL::ContextProperties(platform),
                                       OCL::Device::DEVICE_TYPE_GPU);
        EXPECT_EQ(fake.calls("clCreateContext"), 3);
        EXPECT_EQ(fake.calls("clCreateContextFromType"), 2);

        // No device of the type: the device query's own status, and still no context call.
        try {
            OCL::Context c(shared, OCL::Device::DEVICE_TYPE_CPU);
            ADD_FAILURE() << "no exception";
        } catch (const OCL::ExceptionOCL& e) {
            EXPECT_EQ(static_cast<cl_int>(e.errorNumber()), CL_DEVICE_NOT_FOUND);
        }
        EXPECT_EQ(fake.calls("clCreateContextFromType"), 2);
    }
    EXPECT_EQ(fake.counts().live, 0);
    EXPECT_EQ(fake.counts().badHandle, 0);
    OCL::Library::Terminate();
}
