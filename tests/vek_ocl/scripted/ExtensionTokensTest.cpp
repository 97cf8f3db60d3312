#include <gtest/gtest.h>

#include <cstddef>

#include <vek/vek_ocl/ExtensionManager.h>
#include <vek/vek_ocl/LibraryOCL.h>

#include "FakeOpenCLControl.h"

namespace Enum = VEK::OCL::Enum;
using VEK::OCL::ExtensionManager;
using VEK::OCL::TokenizeExtensionString;

TEST(OclExtensionTokens, NamesAndValuesMapBothWays) {
    VEKTest::FakeOpenCL fake;
    ASSERT_TRUE(VEK::OCL::Library::IsOpenCLAvailable(VEKTest::FakeOpenCL::Prefix()));
    VEK::OCL::Library::Initialize();
    ExtensionManager& manager = *ExtensionManager::instance();

    EXPECT_EQ(manager.nameToExtensionEnum("cl_khr_gl_sharing"), Enum::khr_gl_sharing);
    EXPECT_EQ(manager.nameToExtensionEnum(std::string("CL_VERSION_1_1")), Enum::VERSION_1_1);
    EXPECT_EQ(manager.nameToExtensionEnum("CL_KHR_GL_SHARING"), Enum::UnknownExtension);
    EXPECT_EQ(manager.nameToExtensionEnum("cl_khr_gl_sharing "), Enum::UnknownExtension);
    EXPECT_EQ(manager.nameToExtensionEnum(""), Enum::UnknownExtension);
    EXPECT_EQ(manager.nameToExtensionEnum(static_cast<const char*>(nullptr)),
              Enum::UnknownExtension);
    EXPECT_EQ(Enum::khr_gl_sharing, 10);
    EXPECT_EQ(Enum::UnknownExtension, 16);

    // Every value of the table round-trips through its token.
    for (int value = 0; value <= 12; ++value) {
        const auto extension = static_cast<Enum::Extension>(value);
        const std::string token = ExtensionManager::ExtensionEnumToString(extension);
        EXPECT_FALSE(token.empty()) << value;
        EXPECT_EQ(manager.nameToExtensionEnum(token), extension) << token;
        EXPECT_TRUE(manager.zeroSymbolsForExtensionCL(extension));
    }
    EXPECT_EQ(ExtensionManager::ExtensionEnumToString(Enum::UnknownExtension), "");
    EXPECT_EQ(ExtensionManager::ExtensionEnumToString(static_cast<Enum::Extension>(13)), "");
    EXPECT_EQ(ExtensionManager::ExtensionEnumToString(static_cast<Enum::Extension>(-1)), "");
    EXPECT_EQ(ExtensionManager::ExtensionEnumToString(Enum::nv_device_attribute_query),
              "cl_nv_device_attribute_query");

    // Tokens without entry points answer at once; values past the table are refused.
    const int lookups = fake.calls("clGetPlatformIDs");
    EXPECT_TRUE(manager.initializeCL(Enum::amd_device_attribute_query));
    EXPECT_TRUE(manager.initializeCL(Enum::nv_device_attribute_query));
    EXPECT_FALSE(manager.initializeCL(static_cast<Enum::Extension>(13)));
    EXPECT_FALSE(manager.initializeCL(Enum::UnknownExtension));
    EXPECT_FALSE(manager.zeroSymbolsForExtensionCL(static_cast<Enum::Extension>(13)));
    EXPECT_EQ(fake.calls("clGetPlatformIDs"), lookups);
    EXPECT_TRUE(manager.zero_cl_khr_gl_sharing());
    manager.zeroAllSymbolsCL();
    EXPECT_NE(manager.table().clGetPlatformIDs, nullptr);  // zeroing unloads nothing
    VEK::OCL::Library::Terminate();
}

TEST(OclExtensionTokens, TokenizerSplitsOnBlanksAndTabs) {
    std::vector<std::string> words{"kept"};
    TokenizeExtensionString("  cl_khr_fp64\tcl_khr_icd  ", words);
    EXPECT_EQ(words, (std::vector<std::string>{"kept", "cl_khr_fp64", "cl_khr_icd"}));

    std::vector<std::string> none;
    TokenizeExtensionString("", none);
    TokenizeExtensionString(" \t  \t", none);
    EXPECT_TRUE(none.empty());

    std::vector<std::string> one;
    TokenizeExtensionString("single", one);
    TokenizeExtensionString("a \t\t b", one);
    EXPECT_EQ(one, (std::vector<std::string>{"single", "a", "b"}));
}

TEST(OclExtensionTokens, TableHoldsTheGroupsInOrder) {
    using VEK::OCL::FunctionTable;
    const std::size_t slot = sizeof(void*);
    static_assert(sizeof(FunctionTable) == 89 * sizeof(void*), "89 entry points");
    EXPECT_EQ(offsetof(FunctionTable, clGetPlatformIDs), 0 * slot);
    EXPECT_EQ(offsetof(FunctionTable, clSetCommandQueueProperty), 13 * slot);
    EXPECT_EQ(offsetof(FunctionTable, clGetExtensionFunctionAddress), 73 * slot);
    EXPECT_EQ(offsetof(FunctionTable, clCreateSubBuffer), 74 * slot);
    EXPECT_EQ(offsetof(FunctionTable, clEnqueueCopyBufferRect), 81 * slot);
    EXPECT_EQ(offsetof(FunctionTable, clReleaseDeviceEXT), 82 * slot);
    EXPECT_EQ(offsetof(FunctionTable, clEnqueueMigrateMemObjectEXT), 85 * slot);
    EXPECT_EQ(offsetof(FunctionTable, clCreateEventFromGLsyncKHR), 86 * slot);
    EXPECT_EQ(offsetof(FunctionTable, clGetGLContextInfoKHR), 87 * slot);
    EXPECT_EQ(offsetof(FunctionTable, clIcdGetPlatformIDsKHR), 88 * slot);

    // A new table starts empty.
    const FunctionTable fresh{};
    EXPECT_EQ(fresh.clGetPlatformIDs, nullptr);
    EXPECT_EQ(fresh.clIcdGetPlatformIDsKHR, nullptr);
}
