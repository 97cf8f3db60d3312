// Upload and read back through each texture class and through buffers on a real context.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include <vek/vek_ogl/ogl/BufferOGL.h>
#include <vek/vek_ogl/ogl/PixelUnpackParameters.h>
#include <vek/vek_ogl/ogl/Texture1.h>
#include <vek/vek_ogl/ogl/Texture2.h>
#include <vek/vek_ogl/ogl/Texture3.h>

#include "ResourceFixture.h"

using namespace VEK::OGL;

namespace {

std::vector<std::uint8_t> Pattern(std::size_t bytes, unsigned seed) {
    std::vector<std::uint8_t> data(bytes);
    for (std::size_t i = 0; i < bytes; ++i) {
        data[i] = static_cast<std::uint8_t>((i * 7 + seed * 13 + (i >> 8)) & 0xFF);
    }
    return data;
}

class Smoke : public VEKTest::ResourceTest {};

}  // namespace

TEST_F(Smoke, EachClassRoundTripsThroughClientMemoryAndBuffers) {
    const PixelUnpackParameters tight;
    {
        Texture2D texture(Texture::kRGBA8, 16, 8, false, nullptr, Texture::kTypeDefault);
        const auto data = Pattern(16 * 8 * 4, 1);
        glBindTexture(GL_TEXTURE_2D, texture.objectID());
        texture.subImage(0, 0, 0, 16, 8, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                         data.data(), tight);
        std::vector<std::uint8_t> back(data.size());
        texture.getPixelData(back.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 1);
        EXPECT_EQ(back, data);

        Buffer pack(static_cast<int>(data.size()), Buffer::kPackBuffer, Buffer::kStreamRead,
                    nullptr);
        texture.getPixelData(&pack, 0, 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 1);
        std::vector<std::uint8_t> viaBuffer(data.size());
        pack.bind();
        pack.getSubData(0, static_cast<int>(viaBuffer.size()), viaBuffer.data());
        Buffer::BindDefaultPackBuffer();
        EXPECT_EQ(viaBuffer, data);

        const auto second = Pattern(data.size(), 2);
        Buffer unpack(static_cast<int>(second.size()), Buffer::kUnpackBuffer, Buffer::kStreamDraw,
                      second.data());
        texture.subImage(0, 0, 0, 16, 8, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, &unpack,
                         0, tight);
        texture.getPixelData(back.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 1);
        EXPECT_EQ(back, second);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    {
        Texture1D texture(Texture::kRGBA8, 32, false);
        const auto data = Pattern(32 * 4, 3);
        glBindTexture(GL_TEXTURE_1D, texture.objectID());
        texture.subImage(0, 0, 32, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, data.data(),
                         tight);
        std::vector<std::uint8_t> back(data.size());
        texture.getPixelData(back.data(), 0, GL_RGBA, GL_UNSIGNED_BYTE);
        EXPECT_EQ(back, data);
        glBindTexture(GL_TEXTURE_1D, 0);
    }
    {
        Texture3D texture(Texture::kRGBA8, 4, 4, 4, false);
        const auto data = Pattern(4 * 4 * 4 * 4, 4);
        glBindTexture(GL_TEXTURE_3D, texture.objectID());
        texture.subImage(0, 0, 0, 0, 4, 4, 4, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                         data.data(), tight);
        std::vector<std::uint8_t> back(data.size());
        texture.getPixelData(back.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 1);
        EXPECT_EQ(back, data);
        glBindTexture(GL_TEXTURE_3D, 0);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
