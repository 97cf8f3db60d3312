// Platform and device answers that a real runtime does not give, from the test loader.
#include <gtest/gtest.h>

#include <memory>
#include <type_traits>
#include <utility>

#include <vek/vek_ocl/CommandQueue.h>
#include <vek/vek_ocl/Context.h>
#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/Platform.h>

#include "FakeOpenCLControl.h"
#include "support/InternalMessage.h"
#include "support/OclError.h"

namespace Enum = VEK::OCL::Enum;
using VEK::OCL::Device;
using VEK::OCL::Platform;
using VEKTest::FakeOpenCL;
using VEKTest::InternalMessageOf;
using VEKTest::OclError;

namespace {

class OclScripted : public ::testing::Test {
protected:
    void SetUp() override {
        fake_.setPlatformVersions({"OpenCL 1.1 First", "OpenCL 1.0 Second"});
        ASSERT_TRUE(VEK::OCL::Library::IsOpenCLAvailable(FakeOpenCL::Prefix()));
        VEK::OCL::Library::Initialize();
    }
    void TearDown() override {
        EXPECT_EQ(fake_.counts().unimplemented, 0);
        VEK::OCL::Library::Terminate();
    }
    void set(char (&field)[64], const char* text) {
        std::snprintf(field, sizeof(field), "%s", text);
    }
    void set(char (&field)[256], const char* text) {
        std::snprintf(field, sizeof(field), "%s", text);
    }
    FakeOpenCL fake_;
};

// Whether getInfo<T> can be named at all.
template <class T, class = void>
struct CanReadInfoAs : std::false_type {};
template <class T>
struct CanReadInfoAs<
    T, std::void_t<decltype(std::declval<const Device&>().getInfo<T>(Enum::DEVICE_NAME))>>
    : std::true_type {};

const char kNotStarted[] = "The OpenCL layer is not initialised";

}  // namespace

TEST(OclDeviceInfo, PointerTypesCannotBeRead) {
    // A text property read into a pointer would hold the text's first bytes as an address.
    EXPECT_FALSE(CanReadInfoAs<char*>::value);
    EXPECT_FALSE(CanReadInfoAs<const char*>::value);
    EXPECT_FALSE(CanReadInfoAs<void*>::value);
    EXPECT_FALSE(CanReadInfoAs<cl_uint*>::value);
    EXPECT_TRUE(CanReadInfoAs<cl_platform_id>::value);
    EXPECT_TRUE(CanReadInfoAs<cl_uint>::value);
    EXPECT_TRUE(CanReadInfoAs<VEK::OCL::Range<3>>::value);
}

TEST(OclLayerNotStarted, CallsThrowAndDestructorsStaySilent) {
    FakeOpenCL fake;
    fake.setPlatformVersions({"OpenCL 1.1 First"});
    EXPECT_EQ(InternalMessageOf([] { VEK::OCL::platforms(); }), kNotStarted);

    ASSERT_TRUE(VEK::OCL::Library::IsOpenCLAvailable(FakeOpenCL::Prefix()));
    VEK::OCL::Library::Initialize();
    const Platform platform = VEK::OCL::platforms().front();
    const Device device = platform.devices(Device::DEVICE_TYPE_ALL).front();
    auto context =
        std::make_unique<VEK::OCL::Context>(VEK::OCL::ContextProperties(platform), device);
    auto queue = std::make_unique<VEK::OCL::CommandQueue>(*context, device);
    VEK::OCL::Library::Terminate();

    // Every call would go through the closed loader's table.
    EXPECT_EQ(InternalMessageOf([] { VEK::OCL::platforms(); }), kNotStarted);
    EXPECT_EQ(InternalMessageOf([&] { platform.version(); }), kNotStarted);
    EXPECT_EQ(InternalMessageOf([&] { platform.devices(Device::DEVICE_TYPE_ALL); }), kNotStarted);
    EXPECT_EQ(InternalMessageOf([&] { device.name(); }), kNotStarted);
    EXPECT_EQ(InternalMessageOf([&] { device.getInfo<cl_uint>(Enum::DEVICE_MAX_COMPUTE_UNITS); }),
              kNotStarted);
    EXPECT_EQ(InternalMessageOf([&] { context->devices(); }), kNotStarted);
    EXPECT_EQ(InternalMessageOf([&] { queue->finish(); }), kNotStarted);
    EXPECT_EQ(InternalMessageOf(
                  [&] { VEK::OCL::Context(VEK::OCL::ContextProperties(platform), device); }),
              kNotStarted);

    // Copies and destruction say nothing: the handles went with the loader.
    { const VEK::OCL::Context copy = *context; }
    queue.reset();
    context.reset();
}

TEST_F(OclScripted, PlatformsInOrderAndProfileTextsExactly) {
    const std::vector<Platform> all = VEK::OCL::platforms();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].version(), "OpenCL 1.1 First");
    EXPECT_EQ(all[1].version(), "OpenCL 1.0 Second");

    const struct {
        const char* text;
        Enum::Profile profile;
    } cases[] = {{"FULL_PROFILE", Enum::FullProfile},
                 {"EMBEDDED_PROFILE", Enum::EmbeddedProfile},
                 {"FULL_PROFILE ", Enum::UnknownProfile},
                 {"full_profile", Enum::UnknownProfile},
                 {"", Enum::UnknownProfile}};
    for (const auto& c : cases) {
        set(fake_.script().platformProfile, c.text);
        EXPECT_EQ(all[0].profile(), c.profile) << '"' << c.text << '"';
    }
}

TEST_F(OclScripted, ExtensionsMatchAsWholeNames) {
    set(fake_.script().deviceExtensions, "cl_khr_fp16 cl_khr_fp64_extra");
    set(fake_.script().platformExtensions, "cl_khr_icd");
    const Platform platform = VEK::OCL::platforms().front();
    const std::vector<Device> devices = platform.devices(Device::DEVICE_TYPE_GPU);
    ASSERT_EQ(devices.size(), 1u);
    const Device& device = devices.front();
    EXPECT_TRUE(device.isSupported(Enum::khr_fp16));
    EXPECT_FALSE(device.isSupported(Enum::khr_fp64));  // only a longer name starts with it
    EXPECT_FALSE(device.isSupported(Enum::khr_gl_sharing));
    EXPECT_TRUE(device.isSupported(Enum::UnknownExtension));
    EXPECT_TRUE(VEK::OCL::IsSupported(devices, Enum::khr_fp16));
    EXPECT_FALSE(VEK::OCL::IsSupported(devices, Enum::khr_icd));
    EXPECT_TRUE(platform.isSupported(Enum::khr_icd));
    EXPECT_FALSE(platform.isSupported(Enum::khr_fp16));
    EXPECT_TRUE(platform.isSupported(Enum::UnknownExtension));
    EXPECT_EQ(device.type(), Device::DEVICE_TYPE_GPU);
    EXPECT_EQ(device.platform().id(), platform.id());

    // One text each: the token alone, among others, and as part of a longer name.
    const struct {
        const char* text;
        bool listed;
    } texts[] = {{"cl_khr_gl_sharing", true},
                 {"cl_khr_fp64 cl_khr_gl_sharing", true},
                 {"cl_khr_gl_sharing\tcl_khr_fp64", true},
                 {"  cl_khr_gl_sharing  ", true},
                 {"cl_khr_gl_sharing_foo", false},
                 {"xcl_khr_gl_sharing", false},
                 {"cl_khr_gl_sharin", false},
                 {"cl_khr_gl_sharing_foo cl_khr_fp64", false},
                 {"", false}};
    for (const auto& t : texts) {
        set(fake_.script().deviceExtensions, t.text);
        set(fake_.script().platformExtensions, t.text);
        EXPECT_EQ(device.isSupported(Enum::khr_gl_sharing), t.listed) << '"' << t.text << '"';
        EXPECT_EQ(VEK::OCL::IsSupported(devices, Enum::khr_gl_sharing), t.listed) << t.text;
        EXPECT_EQ(platform.isSupported(Enum::khr_gl_sharing), t.listed) << '"' << t.text << '"';
    }
}

TEST_F(OclScripted, NameOfSizeOneIsEmpty) {
    set(fake_.script().deviceName, "");
    const Device device = VEK::OCL::platforms().front().devices(Device::DEVICE_TYPE_ALL).front();
    EXPECT_EQ(device.name(), "");
    set(fake_.script().deviceName, "Gadget");
    EXPECT_EQ(device.name(), "Gadget");
    EXPECT_EQ(device.name().size(), 6u);
}

TEST_F(OclScripted, WrongValueTypeNeverReachesOpenCL) {
    const Device device = VEK::OCL::platforms().front().devices(Device::DEVICE_TYPE_ALL).front();
    const int calls = fake_.calls("clGetDeviceInfo");
    EXPECT_EQ(InternalMessageOf([&] { device.getInfo<cl_uint>(Enum::DEVICE_TYPE); }),
              "property_typename == type_name");
    EXPECT_EQ(InternalMessageOf([&] { device.getStringInfo(Enum::DEVICE_TYPE); }),
              "GetPropertyTypeName(property) == Enum::GetTypeName<char*>()");
    EXPECT_EQ(InternalMessageOf([&] { device.getInfo<cl_ulong>(Enum::DEVICE_DOUBLE_FP_CONFIG); }),
              "property_typename == type_name");
    EXPECT_EQ(fake_.calls("clGetDeviceInfo"), calls);
}

TEST_F(OclScripted, FailingStatusesBecomeExceptionsWithEmptyMessages) {
    const Platform platform = VEK::OCL::platforms().front();
    const Device device = platform.devices(Device::DEVICE_TYPE_ALL).front();

    fake_.fail("clGetPlatformIDs", CL_OUT_OF_HOST_MEMORY);
    EXPECT_EQ(OclError([] { VEK::OCL::platforms(); }), "CL_OUT_OF_HOST_MEMORY");
    fake_.fail("clGetPlatformIDs", CL_INVALID_VALUE, 1);  // the list, after the count
    EXPECT_EQ(OclError([] { VEK::OCL::platforms(); }), "CL_INVALID_VALUE");

    fake_.fail("clGetPlatformInfo", CL_INVALID_PLATFORM);
    EXPECT_EQ(OclError([&] { platform.name(); }), "CL_INVALID_PLATFORM");
    fake_.fail("clGetPlatformInfo", CL_OUT_OF_RESOURCES, 1);  // the text, after its size
    EXPECT_EQ(OclError([&] { platform.vendor(); }), "CL_OUT_OF_RESOURCES");

    fake_.fail("clGetDeviceIDs", CL_INVALID_DEVICE_TYPE);
    EXPECT_EQ(OclError([&] { platform.devices(Device::DEVICE_TYPE_ALL); }),
              "CL_INVALID_DEVICE_TYPE");
    fake_.fail("clGetDeviceIDs", CL_OUT_OF_HOST_MEMORY, 1);
    EXPECT_EQ(OclError([&] { platform.devices(Device::DEVICE_TYPE_ALL); }),
              "CL_OUT_OF_HOST_MEMORY");
    fake_.fail("", 0);
    EXPECT_EQ(OclError([&] { platform.devices(Device::DEVICE_TYPE_ACCELERATOR); }),
              "CL_DEVICE_NOT_FOUND");

    fake_.fail("clGetDeviceInfo", CL_INVALID_DEVICE);
    EXPECT_EQ(OclError([&] { device.name(); }), "CL_INVALID_DEVICE");
    fake_.fail("clGetDeviceInfo", CL_OUT_OF_RESOURCES, 1);
    EXPECT_EQ(OclError([&] { device.extensions(); }), "CL_OUT_OF_RESOURCES");
    fake_.fail("clGetDeviceInfo", CL_INVALID_VALUE);
    EXPECT_EQ(OclError([&] { device.type(); }), "CL_INVALID_VALUE");
    EXPECT_EQ(OclError([&] { device.supportsImages(); }), "CL_INVALID_VALUE");
    fake_.fail("", 0);

    // The exception names the wrapper's own source.
    try {
        fake_.fail("clGetDeviceInfo", CL_INVALID_DEVICE);
        device.name();
        ADD_FAILURE() << "nothing thrown";
    } catch (const VEK::OCL::ExceptionOCL& e) {
        EXPECT_NE(std::string(e.file()).find("Device.cpp"), std::string::npos) << e.file();
        EXPECT_GT(e.line(), 0);
        EXPECT_STREQ(e.what(), "OCL Exception: CL_INVALID_DEVICE");
    }
}
