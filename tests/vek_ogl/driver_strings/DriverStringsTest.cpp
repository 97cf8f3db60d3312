// The extension manager's reading of vendor and version texts that llvmpipe cannot report,
// scripted through glGetString while every other answer comes from the real driver.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <vek/core/CoreLibrary.h>
#include <vek/core/exceptions/InternalException.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/ogl/BufferOGL.h>
#include <vek/vek_ogl/ogl/Object.h>

#include "support/GLStringOverride.h"
#include "support/GLTestContext.h"

using namespace VEK::OGL;

namespace {

class DriverStrings : public ::testing::Test {
protected:
    ExtensionManager* manager() {
        ExtensionManager::CurrentTable();
        return ExtensionManager::Instance();
    }

    VEK::Core::AutoInitializer core_;
    AutoInitializer ogl_;
    VEKTest::GLTestContext context_;
};

}  // namespace

TEST_F(DriverStrings, VendorWordsOnTheUpperCasedText) {
    VEKTest::OverrideGLString(GL_VENDOR, "Ati Technologies Inc.");
    ExtensionManager* m = manager();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->vendor(), ExtensionManager::VENDOR_AMD);
    EXPECT_EQ(m->vendorString(), "AMD");
}

TEST_F(DriverStrings, NvidiaNeedsTheNonPowerOfTwoExtension) {
    // An NVIDIA 2.1 driver whose list lacks GL_ARB_texture_non_power_of_two: false, although
    // another vendor's 2.0 would answer true.
    VEKTest::OverrideGLString(GL_VENDOR, "NVIDIA Corporation");
    VEKTest::OverrideGLString(GL_VERSION, "2.1.2 NVIDIA 340.108");
    VEKTest::OverrideGLString(GL_EXTENSIONS, "  GL_ARB_multitexture  GL_EXT_texture3D  ");
    ExtensionManager* m = manager();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->vendor(), ExtensionManager::VENDOR_NVIDIA);
    EXPECT_EQ(m->majorVersion(), 2u);
    EXPECT_EQ(m->minorVersion(), 1u);
    ASSERT_TRUE(m->hasReleaseVersion());
    EXPECT_EQ(m->releaseVersion(), 2u);
    EXPECT_EQ(m->additionalVersionInfo(), "NVIDIA 340.108");
    EXPECT_TRUE(m->isSupported(OGLEXT_VERSION_2_0));
    EXPECT_FALSE(m->supportsNonPowerOfTwoTextures());
    // Below 3.0 the names come from the one string, blanks and all.
    const std::vector<std::string>& names = m->supportedExtensionNames();
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(names[0], "GL_ARB_multitexture");
    EXPECT_EQ(names[1], "GL_EXT_texture3D");
    EXPECT_TRUE(m->isSupported(OGLEXT_ARB_multitexture));
    EXPECT_FALSE(m->isSupported(OGLEXT_VERSION_3_0));
}

TEST_F(DriverStrings, OtherVendorWithVersionTwoHasNonPowerOfTwo) {
    VEKTest::OverrideGLString(GL_VENDOR, "Some Vendor");
    VEKTest::OverrideGLString(GL_VERSION, "2.0");
    VEKTest::OverrideGLString(GL_EXTENSIONS, "");
    VEKTest::OverrideGLString(GL_SHADING_LANGUAGE_VERSION, "");
    ExtensionManager* m = manager();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->vendorString(), "OTHER");
    EXPECT_TRUE(m->supportsNonPowerOfTwoTextures());
    EXPECT_EQ(m->glslMajorVersion(), 0u);  // an empty shading-language text reads as 0.0
    EXPECT_EQ(m->glslMinorVersion(), 0u);
    EXPECT_FALSE(m->hasReleaseVersion());
    EXPECT_THROW(m->releaseVersion(), VEK::InternalException);
}

TEST_F(DriverStrings, VersionOutsideTheLadderLoadsNothing) {
    VEKTest::OverrideGLString(GL_VERSION, "1.1 Old");
    VEKTest::OverrideGLString(GL_EXTENSIONS, "GL_EXT_bgra");
    ExtensionManager* m = manager();
    ASSERT_NE(m, nullptr);
    for (int v = OGLEXT_VERSION_1_2; v <= OGLEXT_VERSION_4_1; ++v) {
        EXPECT_FALSE(m->isSupported(static_cast<OpenGLExtension>(v)))
            << OpenGLExtensionName(static_cast<OpenGLExtension>(v));
    }
    EXPECT_EQ(m->table().glDrawRangeElements, nullptr);
    EXPECT_TRUE(m->isSupported(OGLEXT_EXT_bgra));  // no entry points: counted as listed
}

TEST_F(DriverStrings, NewerFourClampsToFourOne) {
    VEKTest::OverrideGLString(GL_VERSION, "4.6.0 Future Driver");
    ExtensionManager* m = manager();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->majorVersion(), 4u);
    EXPECT_EQ(m->minorVersion(), 1u);
    EXPECT_EQ(m->releaseVersion(), 0u);
    EXPECT_TRUE(m->isSupported(OGLEXT_VERSION_4_1));
    EXPECT_TRUE(m->isSupported(OGLEXT_VERSION_1_2));
}

TEST_F(DriverStrings, EmptyVersionFails) {
    VEKTest::OverrideGLString(GL_VERSION, "");
    try {
        ExtensionManager::CurrentTable();
        FAIL() << "no throw";
    } catch (const VEK::InternalException& e) {
        EXPECT_STREQ(e.message(), "!sVersionLong.empty()");
    }
    // Nothing was registered for the context.
    EXPECT_EQ(ExtensionManager::Instance(), nullptr);
}

TEST_F(DriverStrings, RefusedNamesLeaveNoErrorPending) {
    // A driver without GLSL refuses the shading-language version: no version, and nothing left
    // for the next checked call to throw.
    VEKTest::ClearGLStringOverrides();
    VEKTest::RefuseGLString(GL_SHADING_LANGUAGE_VERSION);
    ExtensionManager* m = manager();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->glslMajorVersion(), 0u);
    EXPECT_EQ(m->glslMinorVersion(), 0u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    VEKTest::ClearGLStringOverrides();

    EXPECT_EQ(GetGLString(0x1234), "");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_NO_THROW(Buffer(16, Buffer::kPackBuffer, Buffer::kStreamRead, nullptr));
}
