// Texture units and the active-unit state on a real context.
#include <gtest/gtest.h>

#include <vek/vek_ogl/ogl/Texture1.h>
#include <vek/vek_ogl/ogl/Texture2.h>
#include <vek/vek_ogl/ogl/Texture3.h>
#include <vek/vek_ogl/ogl/TextureState.h>
#include <vek/vek_ogl/ogl/TextureUnit.h>

#include "ResourceFixture.h"
#include "support/InternalMessage.h"

using namespace VEK::OGL;
using VEKTest::Bound;

namespace {

class TextureUnits : public VEKTest::ResourceTest {};

}  // namespace

TEST_F(TextureUnits, ActOnTheActiveUnit) {
    GLint units = 0;
    glGetIntegerv(GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS, &units);
    EXPECT_LE(static_cast<unsigned>(units), unsigned{TextureUnit::kUnitCount})
        << "the table is too small";

    TextureState::SetActiveTextureUnit(2);
    EXPECT_EQ(TextureState::ActiveTextureUnit(), 2u);
    TextureState::setActiveTextureUnit(1);
    EXPECT_EQ(TextureState::activeTextureUnit(), 1u);

    Texture2D plane(Texture::kRGBA8, 4, 4, false, nullptr, Texture::kTypeDefault);
    Texture1D line(Texture::kRGBA8, 4, false);
    Texture3D volume(Texture::kRGBA8, 2, 2, 2, false);
    Texture2DArray layers(Texture::kRGBA8, 2, 2, 3, false);
    TextureRECT rect(Texture::kRGBA8, 3, 5, nullptr, Texture::kTypeDefault);

    // Unit(1)'s handle while unit 0 is active binds on unit 0.
    TextureState::SetActiveTextureUnit(0);
    TextureUnit::Unit(1)->bind(&plane);
    EXPECT_EQ(Bound(GL_TEXTURE_BINDING_2D), static_cast<GLint>(plane.objectID()));
    TextureState::SetActiveTextureUnit(1);
    EXPECT_EQ(Bound(GL_TEXTURE_BINDING_2D), 0);

    const TextureUnit* unit = TextureUnit::Unit(1);
    unit->bind(&line);
    unit->bind(&volume);
    unit->bind(&layers);
    unit->bind(&rect);
    EXPECT_EQ(Bound(GL_TEXTURE_BINDING_1D), static_cast<GLint>(line.objectID()));
    EXPECT_EQ(Bound(GL_TEXTURE_BINDING_3D), static_cast<GLint>(volume.objectID()));
    EXPECT_EQ(Bound(GL_TEXTURE_BINDING_2D_ARRAY), static_cast<GLint>(layers.objectID()));
    EXPECT_EQ(Bound(GL_TEXTURE_BINDING_RECTANGLE), static_cast<GLint>(rect.objectID()));
    unit->bind1DDefault();
    unit->bind3DDefault();
    unit->bind2DArrayDefault();
    unit->bindRECTDefault();
    EXPECT_EQ(Bound(GL_TEXTURE_BINDING_1D), 0);
    EXPECT_EQ(Bound(GL_TEXTURE_BINDING_3D), 0);
    EXPECT_EQ(Bound(GL_TEXTURE_BINDING_2D_ARRAY), 0);
    EXPECT_EQ(Bound(GL_TEXTURE_BINDING_RECTANGLE), 0);
    EXPECT_EQ(
        VEKTest::InternalMessageOf([&] { unit->bind(static_cast<const Texture2D*>(nullptr)); }),
        "TextureUnit::bind texture must not be NULL");

    unit->enable2D();
    unit->enable1D();
    unit->enable3D();
    unit->enableRECT();
    EXPECT_TRUE(unit->isEnabled2D());
    EXPECT_TRUE(unit->isEnabled1D());
    EXPECT_TRUE(unit->isEnabled3D());
    EXPECT_TRUE(unit->isEnabledRECT());
    TextureState::SetActiveTextureUnit(0);
    EXPECT_FALSE(TextureUnit::Unit(0)->isEnabled2D());  // enabling is per unit
    TextureState::SetActiveTextureUnit(1);
    unit->disable2D();
    unit->disable1D();
    unit->disable3D();
    unit->disableRECT();
    EXPECT_FALSE(unit->isEnabled2D());
    EXPECT_FALSE(unit->isEnabled1D());
    EXPECT_FALSE(unit->isEnabled3D());
    EXPECT_FALSE(unit->isEnabledRECT());

    unit->setEnv(TextureUnit::kEnvDecal);
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_DECAL);
    unit->setEnv(TextureUnit::kEnvCombine);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_COMBINE);

    EXPECT_TRUE(TextureState::SupportsNonPowerOfTwo());
    EXPECT_TRUE(TextureState::IsTargetSupported(GL_TEXTURE_2D_ARRAY));
    EXPECT_FALSE(TextureState::IsTargetSupported(GL_TEXTURE_CUBE_MAP));
    TextureState::SetActiveTextureUnit(0);
    unit->bind2DDefault();
    TextureUnit::Unit(0)->bind2DDefault();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
