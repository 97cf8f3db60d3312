// Compute memory over OpenGL objects made on a real context, against the test OpenCL loader:
// what each constructor hands to OpenCL, what a failing status leaves behind, and the refusal on
// a device that does not list cl_khr_gl_sharing.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ocl/Buffer.h>
#include <vek/vek_ocl/Context.h>
#include <vek/vek_ocl/ExceptionOCL.h>
#include <vek/vek_ocl/Image.h>
#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/Platform.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/ogl/BufferOGL.h>
#include <vek/vek_ogl/ogl/Renderbuffer.h>
#include <vek/vek_ogl/ogl/Texture2.h>
#include <vek/vek_ogl/ogl/Texture3.h>

#include "FakeOpenCLControl.h"
#include "support/GLTestContext.h"
#include "support/RecordingDecorator.h"

namespace OCL = VEK::OCL;
namespace OGL = VEK::OGL;
using VEKTest::FakeOpenCL;

namespace {

// A 2-D texture that reports another target, as a texture of a kind OpenCL does not take would.
class RetargetedTexture : public OGL::Texture2D {
public:
    explicit RetargetedTexture(unsigned target)
        : Texture2D(kRGBA8, 4, 4, false, nullptr, kTypeDefault) {
        changeTarget(target, GL_TEXTURE_BINDING_CUBE_MAP);
    }
};

// The status name of the ExceptionOCL that statement throws, "<message: ...>" when it carries a
// message, or "<nothing thrown>".
std::string Thrown(const std::function<void()>& statement) {
    try {
        statement();
    } catch (const OCL::ExceptionOCL& e) {
        if (std::string(e.message()) != "") {
            return std::string("<message: ") + e.message() + ">";
        }
        return OCL::ExceptionOCL::ErrorToCString(static_cast<std::int32_t>(e.errorNumber()));
    }
    return "<nothing thrown>";
}

class OclGLMemoryScripted : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(OCL::Library::IsOpenCLAvailable(FakeOpenCL::Prefix()));
        OCL::Library::Initialize();
        platform_ = OCL::platforms().front();
        device_ = platform_.devices(OCL::Device::DEVICE_TYPE_ALL).front();
        OCL::ContextProperties shared(platform_);
        shared.setSharedRenderContext(gl_.context());
        shared.setDisplayContext(gl_.dc());
        context_ = OCL::Context(shared, device_);
    }
    void TearDown() override {
        fake_.fail("", 0);
        context_ = OCL::Context();
        EXPECT_EQ(fake_.counts().live, 0);
        EXPECT_EQ(fake_.counts().badHandle, 0);
        EXPECT_EQ(fake_.counts().unimplemented, 0);
        OCL::Library::Terminate();
    }

    // Each constructor over the objects below, by the entry point it calls.
    struct Creation {
        const char* entryPoint;
        std::function<void()> create;
    };
    std::vector<Creation> creations() {
        return {
            {"clCreateFromGLBuffer",
             [&] { OCL::Buffer b(context_, OCL::Memory::ReadWrite, buffer_); }},
            {"clCreateFromGLTexture2D",
             [&] { OCL::Image2D i(context_, OCL::Memory::ReadOnly, texture2D_, 0); }},
            {"clCreateFromGLTexture2D",
             [&] { OCL::Image2D i(context_, OCL::Memory::ReadOnly, rectangle_, 0); }},
            {"clCreateFromGLTexture3D",
             [&] { OCL::Image3D i(context_, OCL::Memory::ReadOnly, texture3D_, 0); }},
            {"clCreateFromGLRenderbuffer",
             [&] { OCL::Image2D i(context_, OCL::Memory::WriteOnly, renderbuffer_); }},
        };
    }

    VEK::Core::AutoInitializer core_;
    OGL::AutoInitializer ogl_;
    VEKTest::GLTestContext gl_;
    // The current context's extension manager, before any OpenGL object is made.
    const OGL::FunctionTable& table_ = OGL::ExtensionManager::CurrentTable();
    FakeOpenCL fake_;
    OCL::Platform platform_;
    OCL::Device device_;
    OCL::Context context_;
    OGL::Buffer buffer_{256, OGL::Buffer::kArrayBuffer, OGL::Buffer::kStaticDraw, nullptr};
    OGL::Texture2D texture2D_{OGL::Texture::kRGBA8,      16, 8, true, nullptr,
                              OGL::Texture::kTypeDefault};
    OGL::TextureRECT rectangle_{OGL::Texture::kRGBA8, 10, 6, nullptr, OGL::Texture::kTypeDefault};
    OGL::Texture3D texture3D_{OGL::Texture::kRGBA8, 4, 4, 4, true};
    OGL::Renderbuffer renderbuffer_{GL_RGBA8, 12, 20};
};

}  // namespace

TEST_F(OclGLMemoryScripted, EachConstructorPassesTheAccessFlagTargetLevelAndName) {
    const FakeCLRecord& record = fake_.record();
    // The constructors make no OpenGL call: nothing is bound, checked or queried.
    VEKTest::RecordingDecorator recorder;

    const OCL::Buffer buffer(context_, OCL::Memory::ReadOnly, buffer_);
    EXPECT_EQ(fake_.calls("clCreateFromGLBuffer"), 1);
    EXPECT_EQ(record.glMemContext, context_.id());
    EXPECT_EQ(record.memFlags, static_cast<cl_mem_flags>(CL_MEM_READ_ONLY));
    EXPECT_EQ(record.glObject, buffer_.objectID());
    EXPECT_EQ(record.glTarget, -1);  // the buffer call takes no target or level
    EXPECT_EQ(buffer.id(), record.createdMem);

    const OCL::Image2D image2D(context_, OCL::Memory::WriteOnly, texture2D_, 2);
    EXPECT_EQ(fake_.calls("clCreateFromGLTexture2D"), 1);
    EXPECT_EQ(record.glMemContext, context_.id());
    EXPECT_EQ(record.memFlags, static_cast<cl_mem_flags>(CL_MEM_WRITE_ONLY));
    EXPECT_EQ(record.glTarget, GL_TEXTURE_2D);
    EXPECT_EQ(record.glMipLevel, 2);
    EXPECT_EQ(record.glObject, texture2D_.objectID());
    EXPECT_EQ(image2D.id(), record.createdMem);

    const OCL::Image2D rectangle(context_, OCL::Memory::ReadWrite, rectangle_, 0);
    EXPECT_EQ(fake_.calls("clCreateFromGLTexture2D"), 2);
    EXPECT_EQ(record.memFlags, static_cast<cl_mem_flags>(CL_MEM_READ_WRITE));
    EXPECT_EQ(record.glTarget, GL_TEXTURE_RECTANGLE);
    EXPECT_EQ(record.glMipLevel, 0);
    EXPECT_EQ(record.glObject, rectangle_.objectID());
    EXPECT_EQ(rectangle.id(), record.createdMem);

    const OCL::Image3D image3D(context_, OCL::Memory::ReadOnly, texture3D_, 1);
    EXPECT_EQ(fake_.calls("clCreateFromGLTexture3D"), 1);
    EXPECT_EQ(record.glMemContext, context_.id());
    EXPECT_EQ(record.memFlags, static_cast<cl_mem_flags>(CL_MEM_READ_ONLY));
    EXPECT_EQ(record.glTarget, GL_TEXTURE_3D);
    EXPECT_EQ(record.glMipLevel, 1);
    EXPECT_EQ(record.glObject, texture3D_.objectID());
    EXPECT_EQ(image3D.id(), record.createdMem);

    const OCL::Image2D fromRenderbuffer(context_, OCL::Memory::WriteOnly, renderbuffer_);
    EXPECT_EQ(fake_.calls("clCreateFromGLRenderbuffer"), 1);
    EXPECT_EQ(record.glMemContext, context_.id());
    EXPECT_EQ(record.memFlags, static_cast<cl_mem_flags>(CL_MEM_WRITE_ONLY));
    EXPECT_EQ(record.glTarget, -1);  // the renderbuffer call takes no target or level
    EXPECT_EQ(record.glObject, renderbuffer_.objectID());
    EXPECT_EQ(fromRenderbuffer.id(), record.createdMem);

    // An access value outside the enumeration gives no access flag: OpenCL's default applies.
    const OCL::Buffer noAccess(context_, static_cast<OCL::Memory::MemoryAccessFlags>(7), buffer_);
    EXPECT_EQ(record.memFlags, 0u);

    EXPECT_TRUE(recorder.calls().empty()) << recorder.entryPoints().front();

    // One reference per wrapper; copies take their own and give it back.
    EXPECT_EQ(fake_.refCount(image2D.id()), 1);
    {
        const OCL::Image2D copy = image2D;
        const OCL::Memory asMemory = image3D;
        EXPECT_EQ(fake_.refCount(image2D.id()), 2);
        EXPECT_EQ(fake_.refCount(image3D.id()), 2);
    }
    EXPECT_EQ(fake_.refCount(image2D.id()), 1);
    EXPECT_EQ(fake_.refCount(image3D.id()), 1);
    EXPECT_EQ(fake_.refCount(buffer.id()), 1);
}

TEST_F(OclGLMemoryScripted, FailingStatusThrowsWithAnEmptyMessageAndReleasesTheHandle) {
    for (int returnsHandle : {1, 0}) {
        fake_.script().failReturnsHandle = returnsHandle;
        for (const Creation& creation : creations()) {
            fake_.fail(creation.entryPoint, CL_INVALID_GL_OBJECT);
            const long created = fake_.counts().created;
            const long releases = fake_.counts().releases;
            const long live = fake_.counts().live;
            EXPECT_EQ(Thrown(creation.create), "CL_INVALID_GL_OBJECT") << creation.entryPoint;
            // A handle handed out with the failure is given back exactly once.
            EXPECT_EQ(fake_.counts().created, created + returnsHandle) << creation.entryPoint;
            EXPECT_EQ(fake_.counts().releases, releases + returnsHandle) << creation.entryPoint;
            EXPECT_EQ(fake_.counts().live, live) << creation.entryPoint;
        }
    }
    // No object with a success status is a failure all the same.
    fake_.script().failName[0] = '\0';
    fake_.script().failReturnsHandle = 0;
    fake_.script().succeedsWithoutHandle = 1;
    for (const Creation& creation : creations()) {
        EXPECT_EQ(Thrown(creation.create), "CL_INVALID_OPERATION") << creation.entryPoint;
    }
    fake_.script().succeedsWithoutHandle = 0;
}

TEST_F(OclGLMemoryScripted, BadObjectsArePassedThroughAndTheirStatusThrows) {
    const FakeCLRecord& record = fake_.record();
    const long live = fake_.counts().live;

    // A level the texture does not have (no mip chain) reaches OpenCL unchanged.
    const OGL::Texture2D single(OGL::Texture::kRGBA8, 8, 8, false, nullptr,
                                OGL::Texture::kTypeDefault);
    fake_.fail("clCreateFromGLTexture2D", CL_INVALID_MIP_LEVEL);
    EXPECT_EQ(Thrown([&] { OCL::Image2D i(context_, OCL::Memory::ReadOnly, single, 5); }),
              "CL_INVALID_MIP_LEVEL");
    EXPECT_EQ(record.glMipLevel, 5);
    EXPECT_EQ(record.glObject, single.objectID());
    fake_.fail("clCreateFromGLTexture3D", CL_INVALID_MIP_LEVEL);
    EXPECT_EQ(Thrown([&] { OCL::Image3D i(context_, OCL::Memory::ReadOnly, texture3D_, 9); }),
              "CL_INVALID_MIP_LEVEL");
    EXPECT_EQ(record.glMipLevel, 9);

    // A texture of a target OpenCL does not take: its target reaches OpenCL unchanged.
    const RetargetedTexture cube(GL_TEXTURE_CUBE_MAP);
    fake_.fail("clCreateFromGLTexture2D", CL_INVALID_VALUE);
    EXPECT_EQ(Thrown([&] { OCL::Image2D i(context_, OCL::Memory::ReadOnly, cube, 0); }),
              "CL_INVALID_VALUE");
    EXPECT_EQ(record.glTarget, GL_TEXTURE_CUBE_MAP);

    // An object of an OpenGL context the compute context does not share: its name is passed.
    fake_.fail("", 0);
    unsigned foreignName = 0;
    {
        VEKTest::GLTestContext other;  // not in the first context's share group
        OGL::ExtensionManager::CurrentTable();
        const OGL::Buffer foreign(64, OGL::Buffer::kArrayBuffer, OGL::Buffer::kStaticDraw, nullptr);
        foreignName = foreign.objectID();
        fake_.fail("clCreateFromGLBuffer", CL_INVALID_GL_OBJECT);
        EXPECT_EQ(Thrown([&] { OCL::Buffer b(context_, OCL::Memory::ReadOnly, foreign); }),
                  "CL_INVALID_GL_OBJECT");
        EXPECT_EQ(record.glObject, foreignName);
    }
    gl_.makeCurrent();
    EXPECT_EQ(fake_.counts().live, live);
}

TEST_F(OclGLMemoryScripted, DeviceWithoutSharingRefusesEveryConstructorBeforeOpenCL) {
    std::snprintf(fake_.script().deviceExtensions, sizeof(fake_.script().deviceExtensions), "%s",
                  "cl_khr_fp64 cl_khr_gl_event");
    const long live = fake_.counts().live;
    for (const Creation& creation : creations()) {
        EXPECT_EQ(Thrown(creation.create),
                  "<message: OpenCL sharing with OpenGL (cl_khr_gl_sharing) is not offered by the "
                  "device \"Fake Device\".>")
            << creation.entryPoint;
        EXPECT_EQ(fake_.calls(creation.entryPoint), 0) << creation.entryPoint;
    }
    try {
        OCL::Image2D i(context_, OCL::Memory::ReadOnly, texture2D_, 0);
        ADD_FAILURE() << "no exception";
    } catch (const OCL::ExceptionOCL& e) {
        EXPECT_EQ(static_cast<cl_int>(e.errorNumber()), CL_INVALID_OPERATION);
    }
    EXPECT_EQ(fake_.counts().live, live);

    // A wrapper without a context is asked about its devices and refused with OpenCL's status.
    std::snprintf(fake_.script().deviceExtensions, sizeof(fake_.script().deviceExtensions), "%s",
                  "cl_khr_gl_sharing");
    fake_.fail("clGetContextInfo", CL_INVALID_CONTEXT);
    EXPECT_EQ(Thrown([&] { OCL::Buffer b(OCL::Context(), OCL::Memory::ReadOnly, buffer_); }),
              "CL_INVALID_CONTEXT");
    EXPECT_EQ(fake_.calls("clCreateFromGLBuffer"), 0);
}
