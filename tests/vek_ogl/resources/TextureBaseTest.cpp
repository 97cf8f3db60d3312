// The texture vocabulary on a real context: sizes, formats, support, unpack parameters and the
// pixel-transfer alignment helpers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vek/vek_ogl/ogl/PixelUnpackParameters.h>
#include <vek/vek_ogl/ogl/Texture1.h>
#include <vek/vek_ogl/ogl/Texture2.h>
#include <vek/vek_ogl/ogl/Texture3.h>

#include "ResourceFixture.h"
#include "support/InternalMessage.h"
#include "support/RecordingDecorator.h"

using namespace VEK::OGL;
using VEKTest::InternalMessageOf;

namespace {

class TextureBase : public VEKTest::ResourceTest {};

// Reaches the protected alignment helpers.
struct AlignmentHelpers : Texture2D {
    using Texture::PopPixelTransferModes;
    using Texture::PushAndSetReadbackByteAlignment;
    using Texture::PushAndSetTransferByteAlignment;
};

GLint Get(GLenum parameter) {
    GLint value = -1;
    glGetIntegerv(parameter, &value);
    return value;
}

}  // namespace

TEST_F(TextureBase, SizesFormatsAndSupport) {
    Texture2D texture(Texture::kRGBA8, 128, 4, false, nullptr, Texture::kTypeDefault);
    EXPECT_EQ(texture.width(3), 16u);
    EXPECT_EQ(texture.width(10), 1u);  // never below what OpenGL stores
    EXPECT_EQ(texture.height(3), 1u);
    EXPECT_EQ(texture.height(1), 2u);
    EXPECT_EQ(texture.depth(0), 1u);
    EXPECT_EQ(texture.channels(), 4u);
    EXPECT_EQ(texture.sizeInBytes(), 2048u);
    EXPECT_EQ(texture.format(), Texture::kRGBA8);
    EXPECT_EQ(texture.getGLFormat(Texture::kRED), static_cast<unsigned>(GL_RED));
    EXPECT_EQ(texture.getGLFormat(Texture::kR32F), static_cast<unsigned>(GL_RED));
    EXPECT_EQ(texture.getGLFormat(Texture::kRG), static_cast<unsigned>(GL_RG));
    EXPECT_EQ(texture.getGLFormat(Texture::kRG32F), static_cast<unsigned>(GL_RG));
    EXPECT_EQ(texture.getGLFormat(Texture::kALPHA), static_cast<unsigned>(GL_BGRA));
    EXPECT_EQ(texture.getGLFormat(Texture::kRGB), static_cast<unsigned>(GL_BGRA));

    Texture1D wide(Texture::kALPHA8, 100, false);
    EXPECT_EQ(wide.width(3), 12u);
    EXPECT_EQ(wide.width(10), 1u);
    EXPECT_EQ(wide.width(40), 1u);
    Texture2DArray layers(Texture::kRGBA8, 4, 4, 6, false);
    EXPECT_EQ(layers.depth(2), 6u);
    EXPECT_EQ(layers.sizeInBytes(), 384u);
    Texture1DArray rows(Texture::kRGBA8, 4, 6, false);
    EXPECT_EQ(rows.depth(2), 1u);
    EXPECT_EQ(rows.height(0), 6u);
    EXPECT_EQ(rows.height(2), 6u);  // every level holds every layer

    EXPECT_TRUE(Texture::IsTargetSupported(GL_TEXTURE_1D));
    EXPECT_TRUE(Texture::IsTargetSupported(GL_TEXTURE_RECTANGLE));
    EXPECT_TRUE(Texture::IsTargetSupported(GL_TEXTURE_2D_ARRAY));
    EXPECT_FALSE(Texture::IsTargetSupported(GL_TEXTURE_CUBE_MAP));
    EXPECT_TRUE(Texture::SupportsAutoMIPGeneration());
    EXPECT_TRUE(Texture2D::IsSupported());
    EXPECT_TRUE(TextureRECT::isSupported());
    EXPECT_TRUE(Texture3D::IsSupported());

    // Parameters act on the bound texture.
    glBindTexture(GL_TEXTURE_2D, texture.objectID());
    texture.setFilter(Texture::kFilterLinear, Texture::kFilterNearest);
    const float border[4] = {0.25f, 0.5f, 0.75f, 1.0f};
    texture.setBorderColor(border);
    texture.enableAutoMIPGeneration(true);
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_NEAREST);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, &value);
    EXPECT_EQ(value, GL_TRUE);
    float back[4] = {};
    glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, back);
    EXPECT_EQ(std::vector<float>(back, back + 4), std::vector<float>(border, border + 4));
    // The constructor's defaults: nearest filtering, clamped to the edge.
    texture.setWrap(Texture::kWrapRepeat, Texture::kWrapMirroredRepeat);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    EXPECT_EQ(value, GL_MIRRORED_REPEAT);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureBase, ConstructorsSetNearestFilteringAndEdgeClamping) {
    Texture3D volume(Texture::kRGBA8, 4, 4, 4, false);
    Texture1D line(Texture::kRGBA8, 4, false);
    TextureRECT rect(Texture::kRGBA8, 5, 3, nullptr, Texture::kTypeDefault);
    const struct {
        GLenum target;
        GLuint name;
        std::vector<GLenum> wraps;
    } cases[] = {
        {GL_TEXTURE_3D,
         volume.objectID(),
         {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T, GL_TEXTURE_WRAP_R}},
        {GL_TEXTURE_1D, line.objectID(), {GL_TEXTURE_WRAP_S}},
        {GL_TEXTURE_RECTANGLE, rect.objectID(), {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T}},
    };
    for (const auto& c : cases) {
        glBindTexture(c.target, c.name);
        GLint value = 0;
        glGetTexParameteriv(c.target, GL_TEXTURE_MIN_FILTER, &value);
        EXPECT_EQ(value, GL_NEAREST);
        glGetTexParameteriv(c.target, GL_TEXTURE_MAG_FILTER, &value);
        EXPECT_EQ(value, GL_NEAREST);
        for (GLenum wrap : c.wraps) {
            glGetTexParameteriv(c.target, wrap, &value);
            EXPECT_EQ(value, GL_CLAMP_TO_EDGE);
        }
        glBindTexture(c.target, 0);
    }
}

TEST_F(TextureBase, UnpackParametersApplyEveryField) {
    PixelUnpackParameters defaults;
    VEKTest::SetUnusualPixelStore();
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 7);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_TRUE);
    defaults.apply();
    EXPECT_EQ(Get(GL_UNPACK_SWAP_BYTES), 0);
    EXPECT_EQ(Get(GL_UNPACK_LSB_FIRST), 0);
    EXPECT_EQ(Get(GL_UNPACK_ROW_LENGTH), 0);
    EXPECT_EQ(Get(GL_UNPACK_SKIP_PIXELS), 0);
    EXPECT_EQ(Get(GL_UNPACK_SKIP_ROWS), 0);
    EXPECT_EQ(Get(GL_UNPACK_IMAGE_HEIGHT), 0);
    EXPECT_EQ(Get(GL_UNPACK_SKIP_IMAGES), 0);
    EXPECT_EQ(Get(GL_UNPACK_ALIGNMENT), 1);

    PixelUnpackParameters p;
    p.enableSwapBytes();
    p.makeFirstLSB();
    p.setRowLength(11);
    p.setImageHeight(5);
    p.setSkipPixels(2);
    p.setSkipRows(3);
    p.setSkipImages(4);
    p.setAlignment(8u);
    EXPECT_EQ(p.alignment(), PixelUnpackParameters::kAlign8);
    EXPECT_TRUE(p.swapBytes());
    EXPECT_TRUE(p.isFirstLSB());
    p.apply();
    EXPECT_EQ(Get(GL_UNPACK_SWAP_BYTES), 1);
    EXPECT_EQ(Get(GL_UNPACK_LSB_FIRST), 1);
    EXPECT_EQ(Get(GL_UNPACK_ROW_LENGTH), 11);
    EXPECT_EQ(Get(GL_UNPACK_SKIP_PIXELS), 2);
    EXPECT_EQ(Get(GL_UNPACK_SKIP_ROWS), 3);
    EXPECT_EQ(Get(GL_UNPACK_IMAGE_HEIGHT), 5);
    EXPECT_EQ(Get(GL_UNPACK_SKIP_IMAGES), 4);
    EXPECT_EQ(Get(GL_UNPACK_ALIGNMENT), 8);
    p.disableSwapBytes();
    p.makeFirstMSB();
    EXPECT_FALSE(p.swapBytes());
    EXPECT_FALSE(p.isFirstLSB());

    EXPECT_EQ(InternalMessageOf([&] { p.setAlignment(16u); }),
              "!\"Unsupported aligment in PixelUnpackParameters::setAlignment!\"");
    EXPECT_EQ(p.alignment(), PixelUnpackParameters::kAlign8);
    const unsigned bytes[] = {1, 2, 4};
    for (unsigned i = 0; i < 3; ++i) {
        p.setAlignment(bytes[i]);
        EXPECT_EQ(p.alignment(), static_cast<PixelUnpackParameters::Alignment>(i));
        p.apply();
        EXPECT_EQ(Get(GL_UNPACK_ALIGNMENT), static_cast<GLint>(bytes[i]));
    }
    // A stored value outside the enumeration: every other field is written, then it refuses.
    p.setAlignment(static_cast<PixelUnpackParameters::Alignment>(4));
    p.setRowLength(13);
    EXPECT_EQ(InternalMessageOf([&] { p.apply(); }), "Enum value not recognized");
    EXPECT_EQ(Get(GL_UNPACK_ROW_LENGTH), 13);
    EXPECT_EQ(Get(GL_UNPACK_ALIGNMENT), 4);
}

TEST_F(TextureBase, AlignmentHelpersCheckBeforeTheyPush) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 2);
    glPixelStorei(GL_PACK_ALIGNMENT, 2);
    const GLint depth = VEKTest::ClientAttribStackDepth();
    {
        VEKTest::RecordingDecorator recorder;
        EXPECT_EQ(InternalMessageOf([] { AlignmentHelpers::PushAndSetTransferByteAlignment(3); }),
                  "Invalid row byte alignment (must be of 1, 2, 4, or 8).");
        EXPECT_EQ(InternalMessageOf([] { AlignmentHelpers::PushAndSetReadbackByteAlignment(0); }),
                  "Invalid row byte alignment (must be of 1, 2, 4, or 8).");
        EXPECT_TRUE(recorder.calls().empty());
    }
    EXPECT_EQ(VEKTest::ClientAttribStackDepth(), depth);

    AlignmentHelpers::PushAndSetTransferByteAlignment(8);
    EXPECT_EQ(VEKTest::ClientAttribStackDepth(), depth + 1);
    EXPECT_EQ(Get(GL_UNPACK_ALIGNMENT), 8);
    AlignmentHelpers::PushAndSetReadbackByteAlignment(4);
    EXPECT_EQ(Get(GL_PACK_ALIGNMENT), 4);
    AlignmentHelpers::PopPixelTransferModes();
    EXPECT_EQ(Get(GL_PACK_ALIGNMENT), 2);
    EXPECT_EQ(Get(GL_UNPACK_ALIGNMENT), 8);
    AlignmentHelpers::PopPixelTransferModes();
    EXPECT_EQ(Get(GL_UNPACK_ALIGNMENT), 2);
    EXPECT_EQ(VEKTest::ClientAttribStackDepth(), depth);
}
