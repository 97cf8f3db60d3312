#include <gtest/gtest.h>

#include <string>

#include <vek/core/CoreLibrary.h>
#include <vek/core/exceptions/InternalException.h>

#include "support/InternalMessage.h"

namespace {

// Runs statement, expects an InternalException with exactly this message.

}  // namespace

TEST(CoreLibrary, StartAndStopFollowTheFlag) {
    using VEK::Core::Library;
    EXPECT_FALSE(Library::IsInitialized());
    EXPECT_EQ(VEKTest::InternalMessageOf([] { Library::Terminate(); }), "sInitialized_");
    EXPECT_FALSE(Library::IsInitialized());

    Library::Initialize();
    EXPECT_TRUE(Library::IsInitialized());
    EXPECT_EQ(VEKTest::InternalMessageOf([] { Library::Initialize(); }), "!sInitialized_");
    EXPECT_TRUE(Library::IsInitialized());  // a failed start leaves the flag as it was
    Library::InitializeIfNecessary();
    EXPECT_TRUE(Library::IsInitialized());

    Library::Terminate();
    EXPECT_FALSE(Library::IsInitialized());
    Library::InitializeIfNecessary();
    EXPECT_TRUE(Library::IsInitialized());
    Library::Terminate();
    // The mutex was released on every failure above, or these would spin for ever.
    Library::Initialize();
    Library::Terminate();
}

TEST(CoreLibrary, AutoInitializerTerminatesUnlessReleased) {
    using VEK::Core::Library;
    {
        VEK::Core::AutoInitializer init;
        EXPECT_TRUE(Library::IsInitialized());
        EXPECT_EQ(VEKTest::InternalMessageOf([] { VEK::Core::AutoInitializer second; }),
                  "!sInitialized_");
        EXPECT_TRUE(Library::IsInitialized());
    }
    EXPECT_FALSE(Library::IsInitialized());
    {
        VEK::Core::AutoInitializer init;
        init.release();
    }
    EXPECT_TRUE(Library::IsInitialized());
    Library::Terminate();
    {
        // Terminated early by the host: the destructor has nothing left to undo.
        VEK::Core::AutoInitializer init;
        Library::Terminate();
    }
    EXPECT_FALSE(Library::IsInitialized());
}

TEST(CoreUtility, PowersOfTwoAndBoundaries) {
    EXPECT_TRUE(VEK::IsPowerOfTwo(0));
    EXPECT_TRUE(VEK::IsPowerOfTwo(1));
    EXPECT_TRUE(VEK::IsPowerOfTwo(1024));
    EXPECT_TRUE(VEK::IsPowerOfTwo(0x80000000u));
    EXPECT_FALSE(VEK::IsPowerOfTwo(6));
    EXPECT_FALSE(VEK::IsPowerOfTwo(0xFFFFFFFFu));

    EXPECT_EQ(VEK::IncrementToBoundary(17, 16), 32);
    EXPECT_EQ(VEK::IncrementToBoundary(32, 16), 32);
    EXPECT_EQ(VEK::IncrementToBoundary(0, 16), 0);
    EXPECT_EQ(VEK::IncrementToBoundary(1, 3), 3);
    // Addresses above 4 GiB keep their high bits.
    const std::uintptr_t high = (std::uintptr_t(1) << 40) + 17;
    EXPECT_EQ(VEK::IncrementToBoundaryPtr(high, 16), (std::uintptr_t(1) << 40) + 32);
    EXPECT_EQ(VEK::IncrementToBoundaryPtr(std::uintptr_t(1) << 40, 64), std::uintptr_t(1) << 40);
}

TEST(CoreUtility, SupportsSSEMatchesTheCompilerTarget) {
#if defined(__x86_64__)
    // Every x86-64 processor has SSE2.
    EXPECT_TRUE(VEK::SupportsSSE());
#elif !defined(__i386__)
    EXPECT_FALSE(VEK::SupportsSSE());
#endif
}

TEST(CoreUtility, TokenizeVersionString) {
    struct Case {
        const char* text;
        unsigned major, minor;
        int release;
        const char* vendor;
    };
    const Case cases[] = {
        {"2.1.2 Vendor Build 7", 2, 1, 2, "Vendor Build 7"},
        {"4.6 Core", 4, 6, -1, "Core"},
        {"3.3", 3, 3, -1, ""},
        {"4.5 (Compatibility Profile) Mesa 22.3.6", 4, 5, -1,
         "(Compatibility Profile) Mesa 22.3.6"},
        {"1.5.0", 1, 5, 0, ""},
        {"10.21.345 x", 10, 21, 345, "x"},
        {"4.1 ", 4, 1, -1, ""},
        {"OpenGL ES", 0, 0, -1, ""},  // no dot: nothing but zeros, and no crash
        {"", 0, 0, -1, ""},
        {"x.y.z w", 0, 0, 0, "w"},
    };
    for (const Case& c : cases) {
        unsigned major = 99, minor = 99;
        int release = 99;
        std::string vendor = "stale";
        VEK::TokenizeVersionString(c.text, major, minor, release, vendor);
        EXPECT_EQ(major, c.major) << c.text;
        EXPECT_EQ(minor, c.minor) << c.text;
        EXPECT_EQ(release, c.release) << c.text;
        EXPECT_EQ(vendor, c.vendor) << c.text;
    }
}

namespace {
void* QOBProc(const char*, const char*, const char*) {
    return nullptr;
}
}  // namespace

TEST(CoreUtility, QOBProcedureIsStoredAndHandedBack) {
    EXPECT_EQ(VEK::GetQOBGetAddressProc(), nullptr);
    VEK::SetQOBGetAddressProc(&QOBProc);
    EXPECT_EQ(VEK::GetQOBGetAddressProc(), &QOBProc);
    VEK::SetQOBGetAddressProc(nullptr);
    EXPECT_EQ(VEK::GetQOBGetAddressProc(), nullptr);
}
