// On a core profile there is no client attribute stack: transfers keep the pixel-store state by
// saving and restoring its values.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include <vek/vek_ogl/ExceptionOGL.h>
#include <vek/vek_ogl/ogl/BufferOGL.h>
#include <vek/vek_ogl/ogl/PixelUnpackParameters.h>
#include <vek/vek_ogl/ogl/Texture2.h>
#include <vek/vek_ogl/ogl/Texture3.h>

#include "ResourceFixture.h"
#include "support/RecordingDecorator.h"

using namespace VEK::OGL;

namespace {

VEKTest::GLTestContext::Options Core() {
    VEKTest::GLTestContext::Options options;
    options.major = 3;
    options.minor = 3;
    options.core = true;
    return options;
}

class CoreProfile : public VEKTest::ResourceTest {
protected:
    CoreProfile() : ResourceTest(Core()) {}
};

// Pixel-store state a transfer would change, none of it the default.
void SetCallerState() {
    glPixelStorei(GL_PACK_ALIGNMENT, 2);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 3);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 1);
    glPixelStorei(GL_PACK_SKIP_ROWS, 2);
    glPixelStorei(GL_UNPACK_IMAGE_HEIGHT, 5);
}

}  // namespace

TEST_F(CoreProfile, TransfersRestoreThePixelStoreValues) {
    GLint profile = 0;
    glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
    ASSERT_NE(profile & GL_CONTEXT_CORE_PROFILE_BIT, 0) << "the context is not a core profile";

    SetCallerState();
    const auto state = VEKTest::PixelStoreState();
    VEKTest::RecordingDecorator recorder;
    Texture2D texture(Texture::kRGBA8, 4, 4, false, nullptr, Texture::kTypeDefault);
    glBindTexture(GL_TEXTURE_2D, texture.objectID());
    std::vector<std::uint8_t> image(4 * 4 * 4);
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i * 3 + 1);
    }
    PixelUnpackParameters tight;
    tight.setAlignment(4u);
    texture.subImage(0, 0, 0, 4, 4, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, image.data(),
                     tight);
    EXPECT_EQ(VEKTest::PixelStoreState(), state);
    std::vector<std::uint8_t> back(image.size());
    texture.getPixelData(back.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 1);
    EXPECT_EQ(VEKTest::PixelStoreState(), state);
    EXPECT_EQ(back, image);

    Buffer pack(static_cast<int>(image.size()), Buffer::kPackBuffer, Buffer::kStreamRead, nullptr);
    texture.getPixelData(&pack, 0, 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 8);
    EXPECT_EQ(VEKTest::PixelStoreState(), state);
    pack.bind();
    std::vector<std::uint8_t> viaBuffer(image.size());
    pack.getSubData(0, static_cast<int>(viaBuffer.size()), viaBuffer.data());
    Buffer::BindDefaultPackBuffer();
    EXPECT_EQ(viaBuffer, image);

    // A failing transfer restores the values too.
    EXPECT_THROW(texture.subImage(30, 0, 0, 4, 4, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                                  image.data(), tight),
                 ExceptionOGL);
    EXPECT_EQ(VEKTest::PixelStoreState(), state);

    Texture3D volume(Texture::kRGBA8, 0, 2, 2, 2, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                     image.data(), tight);
    EXPECT_EQ(VEKTest::PixelStoreState(), state);
    glBindTexture(GL_TEXTURE_2D, 0);

    // The attribute stack does not exist here and was never asked for.
    EXPECT_EQ(recorder.count("glPushClientAttrib"), 0u);
    EXPECT_EQ(recorder.count("glPopClientAttrib"), 0u);
    EXPECT_GT(recorder.count("glPixelStorei"), 0u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
