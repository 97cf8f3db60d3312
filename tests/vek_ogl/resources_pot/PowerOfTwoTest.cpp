// The power-of-two rule of texture storage on llvmpipe made to look like an OpenGL 1.5 driver
// without non-power-of-two textures, with and without rectangle textures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/ogl/Texture1.h>
#include <vek/vek_ogl/ogl/Texture2.h>
#include <vek/vek_ogl/ogl/Texture3.h>
#include <vek/vek_ogl/ogl/TextureState.h>

#include "support/GLTestContext.h"
#include "support/InternalMessage.h"
#include "support/RecordingDecorator.h"

using namespace VEK::OGL;
using VEKTest::InternalMessageOf;

namespace {

struct Overrides {
    explicit Overrides(const char* extensionOverride) {
        setenv("MESA_GL_VERSION_OVERRIDE", "1.5", 1);
        setenv("MESA_EXTENSION_OVERRIDE", extensionOverride, 1);
    }
};

// The overrides are set before the context exists: Mesa reads them at its first context.
struct Layer : Overrides {
    explicit Layer(const char* extensionOverride) : Overrides(extensionOverride) {}
    VEK::Core::AutoInitializer core;
    AutoInitializer ogl;
    VEKTest::GLTestContext context;
};

ExtensionManager* Manager() {
    ExtensionManager::CurrentTable();
    return ExtensionManager::Instance();
}

const char kTexture2Rule[] = "Texture2::ctor hardware only supports power of two textures";
const char kTexture3Rule[] = "Texture3::ctor hardware only supports power of two textures";
const Texture::Type kDefault = Texture::kTypeDefault;

}  // namespace

TEST(PowerOfTwo, OnlyPowersOfTwoWithoutRectangles) {
    Layer layer("-GL_ARB_texture_non_power_of_two -GL_ARB_texture_rectangle");
    ExtensionManager* manager = Manager();
    ASSERT_FALSE(manager->supportsNonPowerOfTwoTextures())
        << "the override did not apply: run this test in a process of its own";
    ASSERT_FALSE(TextureRECT::IsSupported());
    EXPECT_FALSE(TextureState::SupportsNonPowerOfTwo());

    {
        // Refused before any texture is made.
        VEKTest::RecordingDecorator recorder;
        EXPECT_EQ(InternalMessageOf(
                      [] { Texture2D(Texture::kRGBA8, 300, 200, false, nullptr, kDefault); }),
                  kTexture2Rule);
        EXPECT_EQ(InternalMessageOf(
                      [] { Texture2D(Texture::kRGBA8, 256, 200, true, nullptr, kDefault); }),
                  kTexture2Rule);
        EXPECT_EQ(InternalMessageOf([] { Texture1D(Texture::kRGBA8, 100, false); }), kTexture2Rule);
        EXPECT_EQ(InternalMessageOf([] { Texture3D(Texture::kRGBA8, 4, 4, 3, false); }),
                  kTexture3Rule);
        EXPECT_EQ(InternalMessageOf([] { Texture3D(Texture::kRGBA8, 5, 4, 4, false); }),
                  kTexture3Rule);
        EXPECT_EQ(InternalMessageOf([] { Texture2DArray(Texture::kRGBA8, 6, 4, 4, false); }),
                  kTexture3Rule);
        EXPECT_TRUE(recorder.calls().empty());
    }

    // Powers of two are made, with their chains; zero counts as one.
    Texture2D plane(Texture::kRGBA8, 256, 64, true, nullptr, kDefault);
    Texture1D line(Texture::kRGBA8, 1, true);
    Texture3D volume(Texture::kRGBA8, 4, 2, 8, true);
    EXPECT_EQ(plane.width(0), 256u);
    EXPECT_EQ(volume.depth(0), 8u);
    // A layer count is not a size: arrays take any number of layers.
    if (Texture::IsTargetSupported(GL_TEXTURE_2D_ARRAY)) {
        Texture2DArray layers(Texture::kRGBA8, 4, 4, 6, true);
        Texture1DArray rows(Texture::kRGBA8, 8, 5, false);
        EXPECT_EQ(layers.depth(1), 6u);
        EXPECT_EQ(rows.height(0), 5u);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(PowerOfTwo, RectangleSupportLiftsTheRuleForRectanglesOnly) {
    Layer layer("-GL_ARB_texture_non_power_of_two");
    ExtensionManager* manager = Manager();
    ASSERT_FALSE(manager->supportsNonPowerOfTwoTextures())
        << "the override did not apply: run this test in a process of its own";
    ASSERT_TRUE(TextureRECT::IsSupported());

    TextureRECT rect(Texture::kRGBA8, 300, 200, nullptr, kDefault);
    EXPECT_EQ(rect.width(0), 300u);
    // The driver itself refuses such a size on the two-dimensional target; the library says
    // so first, before anything is made.
    VEKTest::RecordingDecorator recorder;
    EXPECT_EQ(
        InternalMessageOf([] { Texture2D(Texture::kRGBA8, 300, 200, false, nullptr, kDefault); }),
        kTexture2Rule);
    EXPECT_EQ(InternalMessageOf([] { Texture1DArray(Texture::kRGBA8, 100, 4, false); }),
              kTexture2Rule);
    EXPECT_EQ(InternalMessageOf([] { Texture1D(Texture::kRGBA8, 100, false); }), kTexture2Rule);
    EXPECT_EQ(InternalMessageOf([] { Texture3D(Texture::kRGBA8, 3, 4, 4, false); }), kTexture3Rule);
    EXPECT_TRUE(recorder.calls().empty());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
