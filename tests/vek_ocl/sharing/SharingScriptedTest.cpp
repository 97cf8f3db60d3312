// Compute contexts that share with OpenGL, against the test loader: the property list carries
// the GLX context and display behind a real context's handles.
#include <gtest/gtest.h>

#include <GL/glx.h>

#include <vector>

#include <vek/vek_ocl/Context.h>
#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/Platform.h>

#include "FakeOpenCLControl.h"
#include "support/GLTestContext.h"
#include "support/InternalMessage.h"

namespace OCL = VEK::OCL;
using VEKTest::FakeOpenCL;
using VEKTest::InternalMessageOf;

namespace {

class OclSharingScripted : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(OCL::Library::IsOpenCLAvailable(FakeOpenCL::Prefix()));
        OCL::Library::Initialize();
        platform_ = OCL::platforms().front();
        device_ = platform_.devices(OCL::Device::DEVICE_TYPE_ALL).front();
    }
    void TearDown() override {
        EXPECT_EQ(fake_.counts().live, 0);
        EXPECT_EQ(fake_.counts().badHandle, 0);
        OCL::Library::Terminate();
    }

    FakeOpenCL fake_;
    OCL::Platform platform_;
    OCL::Device device_;
};

}  // namespace

TEST(OclContextProperties, PropertyListCarriesTheNativeObjectsBehindTheHandles) {
    const auto platform = reinterpret_cast<cl_platform_id>(0x1000);
    OCL::ContextProperties properties{OCL::Platform(platform)};
    std::vector<cl_context_properties> list{99};
    properties.buildContextPropertiesList(list);
    const std::vector<cl_context_properties> alone{99, CL_CONTEXT_PLATFORM, 0x1000, 0};
    EXPECT_EQ(list, alone);

    // A real context through the platform's calls: the list names its GLX context and display.
    VEKTest::GLTestContext context;
    properties.setSharedRenderContext(context.context());
    properties.setDisplayContext(context.dc());
    const auto gl = reinterpret_cast<cl_context_properties>(glXGetCurrentContext());
    const auto dpy = reinterpret_cast<cl_context_properties>(glXGetCurrentDisplay());
    ASSERT_NE(gl, 0);
    const std::vector<cl_context_properties> shared{
        CL_CONTEXT_PLATFORM, 0x1000, CL_GLX_DISPLAY_KHR, dpy, CL_GL_CONTEXT_KHR, gl, 0};
    EXPECT_EQ(properties.properties(), shared);

    // Appended, never cleared.
    std::vector<cl_context_properties> twice;
    properties.buildContextPropertiesList(twice);
    properties.buildContextPropertiesList(twice);
    ASSERT_EQ(twice.size(), 14u);
    EXPECT_TRUE(std::equal(shared.begin(), shared.end(), twice.begin() + 7));

    // A display without a shared context adds nothing.
    OCL::ContextProperties copy = properties;
    copy.setSharedRenderContext(nullptr);
    EXPECT_EQ(copy.properties().size(), 3u);
    EXPECT_EQ(properties.properties().size(), 7u);
    copy.setPlatform(OCL::Platform(reinterpret_cast<cl_platform_id>(0x2000)));
    EXPECT_EQ(copy.properties()[1], 0x2000);
    EXPECT_EQ(copy.displayContext(), context.dc());

    // Handles the platform did not make are refused before anything is appended.
    OCL::ContextProperties stray{OCL::Platform(platform)};
    int notAContext = 0;
    stray.setSharedRenderContext(reinterpret_cast<HGLRC>(&notAContext));
    stray.setDisplayContext(context.dc());
    std::vector<cl_context_properties> untouched{7};
    EXPECT_EQ(InternalMessageOf([&] { stray.buildContextPropertiesList(untouched); }),
              "glContext != NULL");
    stray.setSharedRenderContext(context.context());
    stray.setDisplayContext(nullptr);
    EXPECT_EQ(InternalMessageOf([&] { stray.buildContextPropertiesList(untouched); }),
              "display != NULL");
    EXPECT_EQ(untouched, std::vector<cl_context_properties>{7});
}

TEST_F(OclSharingScripted, ContextPlatformAndSharedKeys) {
    OCL::ContextProperties properties(platform_);
    VEKTest::GLTestContext glContext;
    properties.setSharedRenderContext(glContext.context());
    properties.setDisplayContext(glContext.dc());
    const OCL::Context shared(properties, std::vector<OCL::Device>{device_});
    EXPECT_EQ(fake_.record().contextProperties[2], CL_GLX_DISPLAY_KHR);
    EXPECT_EQ(shared.platform().id(), platform_.id());  // the shared keys follow the platform
    ASSERT_EQ(shared.devices().size(), 1u);

    fake_.record().contextProperties[0] = 0;  // a list without its platform
    EXPECT_EQ(InternalMessageOf([&] { shared.platform(); }), "NULL");
}
