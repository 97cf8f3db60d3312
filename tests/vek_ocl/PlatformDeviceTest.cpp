// Platforms and devices on the installed OpenCL runtime (PoCL on the CPU).
#include <gtest/gtest.h>

#include <algorithm>

#include <vek/vek_ocl/ExtensionManager.h>
#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/Platform.h>

#include "support/InternalMessage.h"
#include "support/OclError.h"

namespace Enum = VEK::OCL::Enum;
using VEK::OCL::Device;
using VEK::OCL::Platform;
using VEKTest::InternalMessageOf;
using VEKTest::OclError;

namespace {

class OclRuntime : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(VEK::OCL::Library::IsOpenCLAvailable(""));
        VEK::OCL::Library::Initialize();
        const std::vector<Platform> all = VEK::OCL::platforms();
        ASSERT_FALSE(all.empty());
        for (const Platform& p : all) {
            try {
                devices_ = p.devices(Device::DEVICE_TYPE_CPU);
                platform_ = p;
                break;
            } catch (const VEK::OCL::ExceptionOCL&) {
                // a platform without CPU devices
            }
        }
        ASSERT_FALSE(devices_.empty()) << "no OpenCL CPU device";
    }
    void TearDown() override { VEK::OCL::Library::Terminate(); }

    Platform platform_;
    std::vector<Device> devices_;
};

// The token-table extensions named in an extension text.
std::vector<Enum::Extension> KnownExtensions(const std::string& text) {
    std::vector<std::string> words;
    VEK::OCL::TokenizeExtensionString(text, words);
    std::vector<Enum::Extension> known;
    for (const std::string& word : words) {
        const Enum::Extension e = VEK::OCL::ExtensionManager::instance()->nameToExtensionEnum(word);
        if (e != Enum::UnknownExtension) {
            known.push_back(e);
        }
    }
    return known;
}

}  // namespace

TEST_F(OclRuntime, PlatformTexts) {
    EXPECT_FALSE(platform_.name().empty());
    EXPECT_FALSE(platform_.vendor().empty());
    const std::string version = platform_.version();
    EXPECT_EQ(version.rfind("OpenCL ", 0), 0u) << version;
    EXPECT_EQ(version.find('\0'), std::string::npos);
    EXPECT_NE(platform_.profile(), Enum::UnknownProfile);

    // Extensions the text names are supported; those of the table it does not name are not.
    const std::vector<Enum::Extension> named = KnownExtensions(platform_.extensions());
    for (int value = 2; value <= 12; ++value) {
        const auto extension = static_cast<Enum::Extension>(value);
        const std::string token = VEK::OCL::ExtensionManager::ExtensionEnumToString(extension);
        const bool listed = std::find(named.begin(), named.end(), extension) != named.end();
        if (listed) {
            EXPECT_TRUE(platform_.isSupported(extension)) << token;
        } else if (platform_.extensions().find(token) == std::string::npos) {
            EXPECT_FALSE(platform_.isSupported(extension)) << token;
        }
    }
    // Outside the table the token is empty and asks for nothing.
    EXPECT_TRUE(platform_.isSupported(Enum::UnknownExtension));

    // Copies of platforms are plain values.
    Platform copy = platform_;
    Platform moved(std::move(copy));
    EXPECT_EQ(moved.id(), platform_.id());
    EXPECT_EQ(copy.id(), platform_.id());  // NOLINT: moves copy
}

TEST_F(OclRuntime, CpuDeviceIdentity) {
    for (const Device& device : devices_) {
        EXPECT_NE(device.type() & Device::DEVICE_TYPE_CPU, 0u);
        EXPECT_EQ(device.platform().id(), platform_.id());
        EXPECT_FALSE(device.name().empty());
        EXPECT_EQ(device.name().find('\0'), std::string::npos);
        EXPECT_FALSE(device.vendor().empty());
        EXPECT_NE(device.profile(), Enum::UnknownProfile);
        EXPECT_EQ(device.supportsImages(),
                  device.getInfo<cl_uint>(Enum::DEVICE_IMAGE_SUPPORT) != 0);
        for (Enum::Extension e : KnownExtensions(device.extensions())) {
            EXPECT_TRUE(device.isSupported(e)) << e;
        }
    }
    // Every device of the vector supporting it, and never for no devices.
    const Enum::Extension all = Enum::khr_fp64;
    bool every = true;
    for (const Device& device : devices_) {
        every = every && device.isSupported(all);
    }
    EXPECT_EQ(VEK::OCL::IsSupported(devices_, all), every);
    EXPECT_FALSE(VEK::OCL::IsSupported({}, Enum::UnknownExtension));

    // Devices of every type include the CPU device; a type the platform lacks is an error.
    const std::vector<Device> everyType = platform_.devices(Device::DEVICE_TYPE_ALL);
    EXPECT_GE(everyType.size(), devices_.size());
    EXPECT_EQ(OclError([&] { platform_.devices(Device::DEVICE_TYPE_ACCELERATOR); }),
              "CL_DEVICE_NOT_FOUND");
}

TEST_F(OclRuntime, EveryTypedPropertyReadsWithItsType) {
    const Device& device = devices_.front();
    int answered = 0;
    for (int value = Enum::DEVICE_TYPE; value <= Enum::DEVICE_OPENCL_C_VERSION; ++value) {
        const auto property = static_cast<Enum::DeviceProperty>(value);
        const std::string& type = Enum::GetPropertyTypeName(property);
        SCOPED_TRACE(value);
        if (type == Enum::GetTypeName<std::size_t>()) {
            // size_t and cl_ulong are one type here: both read 8 bytes.
            device.getInfo<std::size_t>(property);
        } else if (type == Enum::GetTypeName<cl_uint>()) {
            device.getInfo<cl_uint>(property);
        } else if (type == Enum::GetTypeName<char*>()) {
            EXPECT_EQ(device.getStringInfo(property).find('\0'), std::string::npos);
        } else if (type == Enum::GetTypeName<cl_platform_id>()) {
            EXPECT_EQ(device.getInfo<cl_platform_id>(property), platform_.id());
        } else if (type == Enum::GetTypeName<VEK::OCL::Range<3>>()) {
            const auto sizes = device.getInfo<VEK::OCL::Range<3>>(property);
            for (std::size_t size : sizes) {
                EXPECT_GE(size, 1u);
            }
        } else {
            EXPECT_EQ(type, "");
            EXPECT_EQ(InternalMessageOf([&] { device.getInfo<cl_ulong>(property); }),
                      "property_typename == type_name");
            continue;
        }
        ++answered;
    }
    EXPECT_EQ(answered, 59);

    EXPECT_GE(device.getInfo<cl_uint>(Enum::DEVICE_MAX_COMPUTE_UNITS), 1u);
    EXPECT_EQ(device.getInfo<cl_uint>(Enum::DEVICE_MAX_WORK_ITEM_DIMENSIONS), 3u);
    EXPECT_GT(device.getInfo<cl_ulong>(Enum::DEVICE_GLOBAL_MEM_SIZE), 0u);
    EXPECT_GE(device.getInfo<cl_ulong>(Enum::DEVICE_GLOBAL_MEM_SIZE),
              device.getInfo<cl_ulong>(Enum::DEVICE_MAX_MEM_ALLOC_SIZE));
    const cl_uint bits = device.getInfo<cl_uint>(Enum::DEVICE_ADDRESS_BITS);
    EXPECT_TRUE(bits == 32 || bits == 64) << bits;
    EXPECT_EQ(device.getStringInfo(Enum::DEVICE_VERSION).rfind("OpenCL ", 0), 0u);
    EXPECT_EQ(device.getStringInfo(Enum::DEVICE_NAME), device.name());
}

TEST_F(OclRuntime, WrongValueTypesAndEmptyHandles) {
    const Device& device = devices_.front();
    EXPECT_EQ(InternalMessageOf([&] { device.getInfo<cl_uint>(Enum::DEVICE_GLOBAL_MEM_SIZE); }),
              "property_typename == type_name");
    EXPECT_EQ(InternalMessageOf([&] { device.getInfo<cl_ulong>(Enum::DEVICE_NAME); }),
              "property_typename == type_name");
    EXPECT_EQ(InternalMessageOf([&] { device.getInfo<float>(Enum::DEVICE_PLATFORM); }),
              "property_typename == type_name");
    EXPECT_EQ(InternalMessageOf([&] { device.getStringInfo(Enum::DEVICE_MAX_COMPUTE_UNITS); }),
              "GetPropertyTypeName(property) == Enum::GetTypeName<char*>()");
    EXPECT_EQ(InternalMessageOf([&] { device.getStringInfo(Enum::DEVICE_HALF_FP_CONFIG); }),
              "GetPropertyTypeName(property) == Enum::GetTypeName<char*>()");

    EXPECT_EQ(Enum::GetPropertyTypeName(Enum::DEVICE_DOUBLE_FP_CONFIG), "");
    EXPECT_EQ(Enum::GetPropertyTypeName(Enum::DEVICE_PREFERRED_VECTOR_WIDTH_HALF), "");
    EXPECT_EQ(Enum::GetPropertyTypeName(Enum::DEVICE_NAME), Enum::GetTypeName<char*>());
    EXPECT_EQ(Enum::GetTypeName<cl_platform_id>(), "cl_platform_id");
    EXPECT_EQ(Enum::GetPropertyTypeName(static_cast<Enum::DeviceProperty>(0x2000)), "");

    EXPECT_EQ(InternalMessageOf([] { Platform().name(); }), "id() != 0");
    EXPECT_EQ(InternalMessageOf([] { Platform().profile(); }), "id() != 0");
    EXPECT_EQ(InternalMessageOf([] { Device().name(); }), "id() != 0");
    EXPECT_EQ(InternalMessageOf([] { Device().getInfo<cl_uint>(Enum::DEVICE_VENDOR_ID); }),
              "id() != 0");
}
