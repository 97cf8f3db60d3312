// On a core profile there is no client attribute stack: transfers keep the pixel-store state by
// saving and restoring its values. Each pixel-store parameter, changed alone, is kept by every
// transfer on both profiles and moves none of its texels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include <vek/vek_ogl/ExceptionOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLTokenName.h>
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

// The parameter: true for a core profile, false for a compatibility one.
class EachPixelStoreParameter : public VEKTest::ResourceTest,
                                public ::testing::WithParamInterface<bool> {
protected:
    EachPixelStoreParameter()
        : ResourceTest(GetParam() ? Core() : VEKTest::GLTestContext::Options()) {}
};

bool Offered(const char* extension) {
    const auto& names = ExtensionManager::Instance()->supportedExtensionNames();
    return std::find(names.begin(), names.end(), extension) != names.end();
}

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

TEST_P(EachPixelStoreParameter, AloneIsKeptByEveryTransferAndMovesNoTexel) {
    struct Row {
        GLenum parameter;
        GLint value;  // not OpenGL's default
    };
    std::vector<Row> rows = {
        {GL_PACK_SWAP_BYTES, 1},    {GL_PACK_LSB_FIRST, 1},     {GL_PACK_ROW_LENGTH, 37},
        {GL_PACK_IMAGE_HEIGHT, 9},  {GL_PACK_SKIP_PIXELS, 2},   {GL_PACK_SKIP_ROWS, 1},
        {GL_PACK_SKIP_IMAGES, 1},   {GL_PACK_ALIGNMENT, 8},     {GL_UNPACK_SWAP_BYTES, 1},
        {GL_UNPACK_LSB_FIRST, 1},   {GL_UNPACK_ROW_LENGTH, 41}, {GL_UNPACK_IMAGE_HEIGHT, 6},
        {GL_UNPACK_SKIP_PIXELS, 3}, {GL_UNPACK_SKIP_ROWS, 3},   {GL_UNPACK_SKIP_IMAGES, 1},
        {GL_UNPACK_ALIGNMENT, 8},
    };
    // Pack parameters of extensions, where the context offers them.
    std::vector<GLenum> extensionParameters;
    if (Offered("GL_MESA_pack_invert")) {
        extensionParameters.push_back(GL_PACK_INVERT_MESA);
    }
    if (Offered("GL_ANGLE_pack_reverse_row_order")) {
        extensionParameters.push_back(0x93A4);  // GL_PACK_REVERSE_ROW_ORDER_ANGLE
    }
    for (const GLenum parameter : extensionParameters) {
        rows.push_back({parameter, 1});
    }
    const auto state = [&] {
        std::vector<GLint> values = VEKTest::PixelStoreState();
        for (const GLenum parameter : extensionParameters) {
            GLint value = -1;
            glGetIntegerv(parameter, &value);
            values.push_back(value);
        }
        return values;
    };

    // Eight texels by four rows (by two images): every texel names itself, so that a reversed,
    // shifted or swapped row shows.
    std::vector<std::uint8_t> image(8 * 4 * 2 * 4);
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i * 7 + i / 32);
    }
    const int bytes = static_cast<int>(image.size());
    const PixelUnpackParameters tight;
    Texture2D plane(Texture::kRGBA8, 8, 4, false, nullptr, Texture::kTypeDefault);
    Texture3D volume(Texture::kRGBA8, 8, 4, 2, false);
    Buffer source(bytes, Buffer::kUnpackBuffer, Buffer::kStaticDraw, image.data());
    Buffer target(bytes, Buffer::kPackBuffer, Buffer::kStreamRead, nullptr);
    const auto fromBuffer = [&](std::size_t size) {
        std::vector<std::uint8_t> back(size);
        target.bind();
        target.getSubData(0, static_cast<int>(size), back.data());
        Buffer::BindDefaultPackBuffer();
        return back;
    };
    const std::vector<std::uint8_t> planeImage(image.begin(), image.begin() + bytes / 2);

    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(VEKOGLTokenName(row.parameter)) + " " +
                     std::to_string(row.parameter) + (GetParam() ? " core" : ""));
        GLint original = 0;
        glGetIntegerv(row.parameter, &original);
        ASSERT_NE(original, row.value);
        glPixelStorei(row.parameter, row.value);
        const std::vector<GLint> before = state();

        glBindTexture(GL_TEXTURE_2D, plane.objectID());
        std::vector<std::uint8_t> back(planeImage.size(), 0xAB);
        plane.subImage(0, 0, 0, 8, 4, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                       planeImage.data(), tight);
        EXPECT_EQ(state(), before) << "Texture2D upload";
        plane.getPixelData(back.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 1);
        EXPECT_EQ(state(), before) << "Texture2D read-back";
        EXPECT_EQ(back, planeImage) << "Texture2D read-back";
        plane.subImage(0, 0, 0, 8, 4, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, &source, 0,
                       tight);
        EXPECT_EQ(state(), before) << "Texture2D buffer upload";
        plane.getPixelData(&target, 0, 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 1);
        EXPECT_EQ(state(), before) << "Texture2D buffer read-back";
        EXPECT_EQ(fromBuffer(planeImage.size()), planeImage) << "Texture2D buffer read-back";
        glBindTexture(GL_TEXTURE_2D, 0);

        glBindTexture(GL_TEXTURE_3D, volume.objectID());
        std::vector<std::uint8_t> volumeBack(image.size(), 0xAB);
        volume.subImage(0, 0, 0, 0, 8, 4, 2, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                        image.data(), tight);
        EXPECT_EQ(state(), before) << "Texture3D upload";
        volume.getPixelData(volumeBack.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                            1);
        EXPECT_EQ(state(), before) << "Texture3D read-back";
        EXPECT_EQ(volumeBack, image) << "Texture3D read-back";
        volume.subImage(0, 0, 0, 0, 8, 4, 2, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                        &source, 0, tight);
        EXPECT_EQ(state(), before) << "Texture3D buffer upload";
        volume.getPixelData(&target, 0, 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 1);
        EXPECT_EQ(state(), before) << "Texture3D buffer read-back";
        EXPECT_EQ(fromBuffer(image.size()), image) << "Texture3D buffer read-back";
        glBindTexture(GL_TEXTURE_3D, 0);

        glPixelStorei(row.parameter, original);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

INSTANTIATE_TEST_SUITE_P(BothProfiles, EachPixelStoreParameter, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& param) {
                             return std::string(param.param ? "Core" : "Compatibility");
                         });

// A transfer reads the pixel-store parameters that can move its pixels and writes only those
// the caller left otherwise: a 64x64 RGBA8 upload and read-back over the default state stay
// within a handful of calls on both profiles (the binding check, the row length and skips, the
// extension's pack parameter, the pixel-buffer binding and the transfer itself; rows of whole
// 8-byte words need no alignment).
TEST_P(EachPixelStoreParameter, SmallTransfersMakeFewCalls) {
    const unsigned kMaxUploadCalls = 6;
    const unsigned kMaxReadBackCalls = 7;
    Texture2D texture(Texture::kRGBA8, 64, 64, false, nullptr, Texture::kTypeDefault);
    glBindTexture(GL_TEXTURE_2D, texture.objectID());
    std::vector<std::uint8_t> image(64 * 64 * 4);
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i * 5 + i / 256);
    }
    const PixelUnpackParameters tight;
    std::vector<std::uint8_t> back(image.size());
    // The first transfer on a context settles its driver paths.
    texture.subImage(0, 0, 0, 64, 64, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                     image.data(), tight);

    VEKTest::RecordingDecorator recorder;
    texture.subImage(0, 0, 0, 64, 64, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                     image.data(), tight);
    const std::size_t upload = recorder.calls().size();
    recorder.clear();
    texture.getPixelData(back.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 4);
    const std::size_t readBack = recorder.calls().size();
    std::cout << "calls: upload " << upload << ", read-back " << readBack << "\n";
    EXPECT_LE(upload, kMaxUploadCalls) << ::testing::PrintToString(recorder.entryPoints());
    EXPECT_LE(readBack, kMaxReadBackCalls) << ::testing::PrintToString(recorder.entryPoints());
    EXPECT_EQ(back, image);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
