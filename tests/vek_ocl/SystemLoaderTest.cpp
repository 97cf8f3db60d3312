// The start-up sequence on the system's ICD loader, found without a prefix.
#include <gtest/gtest.h>

#include <vek/vek_ocl/ExtensionManager.h>
#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/Platform.h>

using VEK::OCL::ExtensionManager;
using VEK::OCL::Library;

TEST(OclLoader, SystemLoaderWithoutPrefix) {
    // The system library directory holds the ICD loader, which finds the installed runtime.
    ASSERT_TRUE(Library::IsOpenCLAvailable(""));
    Library::Initialize();
    EXPECT_GE(VEK::OCL::platforms().size(), 1u);
    // Any runtime this new has 1.1.
    EXPECT_NE(ExtensionManager::instance()->table().clCreateSubBuffer, nullptr);
    Library::Terminate();
}
