// The loader and start-up sequence, on the test OpenCL loader where a real runtime cannot be
// made to answer as needed (the system's loader: SystemLoaderTest in the runtime's tests).
#include <gtest/gtest.h>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ocl/ExtensionManager.h>
#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/Platform.h>

#include "FakeOpenCLControl.h"
#include "support/InternalMessage.h"

using VEK::OCL::ExtensionManager;
using VEK::OCL::Library;
using VEKTest::FakeOpenCL;
using VEKTest::InternalMessageOf;

namespace {

const VEK::OCL::FunctionTable& Table() {
    return ExtensionManager::instance()->table();
}

// Every member of the groups after 1.1 stays null during start-up.
bool ExtensionGroupsUnresolved() {
    const auto& t = Table();
    return !t.clReleaseDeviceEXT && !t.clRetainDeviceEXT && !t.clCreateSubDevicesEXT &&
           !t.clEnqueueMigrateMemObjectEXT && !t.clCreateEventFromGLsyncKHR &&
           !t.clGetGLContextInfoKHR && !t.clIcdGetPlatformIDsKHR;
}

}  // namespace

TEST(OclLoader, PrefixWithoutLoaderIsUnavailableAndStartUpFails) {
    EXPECT_FALSE(Library::IsOpenCLAvailable("/nonexistent/vek/"));
    EXPECT_EQ(InternalMessageOf([] { Library::Initialize(); }), "openCLLibraryHandle");
    EXPECT_FALSE(Library::IsInitialized());
    EXPECT_EQ(ExtensionManager::instance(), nullptr);

    // A prefix is used as given: without its own separator it names another file.
    EXPECT_FALSE(Library::IsOpenCLAvailable(FakeOpenCL::Prefix() + "x"));
    const std::string noSlash = FakeOpenCL::Prefix().substr(0, FakeOpenCL::Prefix().size() - 1);
    EXPECT_FALSE(Library::IsOpenCLAvailable(noSlash));
    // A bare file name is not searched for on the library path either.
    EXPECT_FALSE(Library::IsOpenCLAvailable("lib"));
    EXPECT_EQ(InternalMessageOf([] { Library::Initialize(); }), "openCLLibraryHandle");
}

TEST(OclLoader, ProbeCountsPlatformsAndKeepsThePrefix) {
    FakeOpenCL fake;
    fake.script().platformCount = 0;
    EXPECT_FALSE(Library::IsOpenCLAvailable(FakeOpenCL::Prefix()));
    EXPECT_EQ(fake.calls("clGetPlatformIDs"), 1);
    // A failing count leaves the count at zero: unavailable, no throw.
    fake.setPlatformVersions({"OpenCL 1.1 A"});
    fake.fail("clGetPlatformIDs", CL_OUT_OF_HOST_MEMORY);
    EXPECT_FALSE(Library::IsOpenCLAvailable(FakeOpenCL::Prefix()));
    fake.fail("", 0);
    EXPECT_TRUE(Library::IsOpenCLAvailable(FakeOpenCL::Prefix()));
    EXPECT_FALSE(Library::IsInitialized());

    // The probe's prefix is the one the start-up opens.
    Library::Initialize();
    EXPECT_TRUE(Library::IsInitialized());
    const int before = fake.calls("clGetPlatformIDs");
    EXPECT_EQ(VEK::OCL::platforms().size(), 1u);
    EXPECT_EQ(fake.calls("clGetPlatformIDs"), before + 2);
    Library::Terminate();
}

TEST(OclLoader, FirstPlatformVersionDecidesTheSecondGroup) {
    FakeOpenCL fake;
    struct Case {
        std::initializer_list<const char*> versions;
        bool secondGroup;
    };
    const Case cases[] = {
        {{"OpenCL 1.0 First"}, false},
        {{"OpenCL 1.1 First"}, true},
        {{"OpenCL 2.0 First"}, true},
        {{"OpenCL 1.0 First", "OpenCL 1.2 Second", "OpenCL 3.0 Third"}, false},
        {{"OpenCL 1.2 First", "OpenCL 1.0 Second"}, true},
        {{"OpenCL"}, false},      // too short to hold a version: 0.0
        {{"OpenCL x.y"}, false},  // no numbers: 0.0
    };
    for (const Case& c : cases) {
        fake.setPlatformVersions(c.versions);
        ASSERT_TRUE(Library::IsOpenCLAvailable(FakeOpenCL::Prefix()));
        Library::Initialize();
        const auto& t = Table();
        EXPECT_NE(t.clGetPlatformIDs, nullptr);
        EXPECT_NE(t.clGetExtensionFunctionAddress, nullptr);
        EXPECT_EQ(t.clCreateSubBuffer != nullptr, c.secondGroup) << *c.versions.begin();
        EXPECT_EQ(t.clEnqueueCopyBufferRect != nullptr, c.secondGroup) << *c.versions.begin();
        EXPECT_TRUE(ExtensionGroupsUnresolved());
        Library::Terminate();
        EXPECT_EQ(ExtensionManager::instance(), nullptr);
    }
}

TEST(OclLoader, ExtensionGroupsResolveOnRequest) {
    FakeOpenCL fake;
    ASSERT_TRUE(Library::IsOpenCLAvailable(FakeOpenCL::Prefix()));
    Library::Initialize();
    ExtensionManager& manager = *ExtensionManager::instance();
    EXPECT_TRUE(manager.initializeCL(VEK::OCL::Enum::khr_gl_sharing));
    EXPECT_NE(Table().clGetGLContextInfoKHR, nullptr);
    EXPECT_EQ(Table().clIcdGetPlatformIDsKHR, nullptr);
    EXPECT_TRUE(manager.initializeCL(VEK::OCL::Enum::ext_device_fission));
    EXPECT_NE(Table().clCreateSubDevicesEXT, nullptr);
    EXPECT_TRUE(manager.init_cl_khr_icd());
    EXPECT_NE(Table().clIcdGetPlatformIDsKHR, nullptr);
    Library::Terminate();
}

TEST(OclLoader, MissingFirstGroupEntryPointFailsAndLeavesNothingBehind) {
    FakeOpenCL fake(FakeOpenCL::IncompletePrefix());
    ASSERT_TRUE(Library::IsOpenCLAvailable(FakeOpenCL::IncompletePrefix()));
    EXPECT_EQ(InternalMessageOf([] { Library::Initialize(); }), "isInitialized");
    EXPECT_FALSE(Library::IsInitialized());
    EXPECT_EQ(ExtensionManager::instance(), nullptr);
    // No platform was asked for: the failure came first.
    EXPECT_EQ(fake.calls("clGetPlatformIDs"), 1);
}

TEST(OclLoader, FailedStartUpsReportTheirStepAndCanBeRetried) {
    FakeOpenCL fake;
    fake.setPlatformVersions({"OpenCL 1.1 A", "OpenCL 1.1 B"});
    ASSERT_TRUE(Library::IsOpenCLAvailable(FakeOpenCL::Prefix()));

    struct Case {
        const char* entryPoint;
        int after;
    };
    // Count, list, first version size, first version text, second platform's version size.
    const Case cases[] = {{"clGetPlatformIDs", 0},
                          {"clGetPlatformIDs", 1},
                          {"clGetPlatformInfo", 0},
                          {"clGetPlatformInfo", 1},
                          {"clGetPlatformInfo", 2}};
    for (const Case& c : cases) {
        fake.fail(c.entryPoint, CL_OUT_OF_RESOURCES, c.after);
        EXPECT_EQ(InternalMessageOf([] { Library::Initialize(); }), "CL_SUCCESS == error")
            << c.entryPoint << " " << c.after;
        EXPECT_FALSE(Library::IsInitialized());
        EXPECT_EQ(ExtensionManager::instance(), nullptr);
        // Still stopped: Terminate refuses.
        EXPECT_EQ(InternalMessageOf([] { Library::Terminate(); }), "bInitialized_");
    }

    fake.fail("", 0);
    fake.script().platformCount = 0;
    EXPECT_EQ(InternalMessageOf([] { Library::Initialize(); }), "platformVersions.size() > 0");
    EXPECT_EQ(ExtensionManager::instance(), nullptr);

    // Once the cause is gone the same prefix starts the layer.
    fake.setPlatformVersions({"OpenCL 1.1 A"});
    Library::Initialize();
    EXPECT_TRUE(Library::IsInitialized());
    Library::Terminate();
}

TEST(OclLoader, LifecycleRules) {
    FakeOpenCL fake;
    EXPECT_EQ(InternalMessageOf([] { Library::Terminate(); }), "bInitialized_");
    ASSERT_TRUE(Library::IsOpenCLAvailable(FakeOpenCL::Prefix()));
    EXPECT_FALSE(VEK::Core::Library::IsInitialized());

    Library::Initialize();
    EXPECT_EQ(InternalMessageOf([] { Library::Initialize(); }), "!bInitialized_");
    EXPECT_TRUE(Library::IsInitialized());
    Library::InitializeIfNecessary();  // does nothing, not even start the core
    EXPECT_FALSE(VEK::Core::Library::IsInitialized());
    EXPECT_EQ(InternalMessageOf([] { VEK::OCL::AutoInitializer second; }), "!bInitialized_");
    EXPECT_TRUE(Library::IsInitialized());
    Library::Terminate();
    EXPECT_EQ(ExtensionManager::instance(), nullptr);

    // Starting through InitializeIfNecessary starts the core first.
    ASSERT_TRUE(Library::IsOpenCLAvailable(FakeOpenCL::Prefix()));
    Library::InitializeIfNecessary();
    EXPECT_TRUE(VEK::Core::Library::IsInitialized());
    EXPECT_TRUE(Library::IsInitialized());
    Library::Terminate();
    VEK::Core::Library::Terminate();

    ASSERT_TRUE(Library::IsOpenCLAvailable(FakeOpenCL::Prefix()));
    {
        VEK::OCL::AutoInitializer init;
        EXPECT_TRUE(Library::IsInitialized());
    }
    EXPECT_FALSE(Library::IsInitialized());
    ASSERT_TRUE(Library::IsOpenCLAvailable(FakeOpenCL::Prefix()));
    {
        VEK::OCL::AutoInitializer init;
        init.release();
    }
    EXPECT_TRUE(Library::IsInitialized());
    Library::Terminate();
    {
        // Stopped by someone else first: the destructor has nothing to do and must not throw.
        ASSERT_TRUE(Library::IsOpenCLAvailable(FakeOpenCL::Prefix()));
        VEK::OCL::AutoInitializer init;
        Library::Terminate();
    }
    EXPECT_FALSE(Library::IsInitialized());
}
