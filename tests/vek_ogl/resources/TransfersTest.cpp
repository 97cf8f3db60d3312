// Texture transfers on a real context: unpack parameters, pixel buffers, copies from the
// framebuffer, mip chains, and what a failing transfer leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include <vek/vek_ogl/ExceptionOGL.h>
#include <vek/vek_ogl/extensionator/FunctionTable.h>
#include <vek/vek_ogl/extensionator/OpenGLTokenName.h>
#include <vek/vek_ogl/ogl/BufferOGL.h>
#include <vek/vek_ogl/ogl/PixelUnpackParameters.h>
#include <vek/vek_ogl/ogl/Texture1.h>
#include <vek/vek_ogl/ogl/Texture2.h>
#include <vek/vek_ogl/ogl/Texture3.h>

#include "ResourceFixture.h"
#include "support/InternalMessage.h"

using namespace VEK::OGL;
using VEKTest::Bound;
using VEKTest::PixelStoreState;

namespace {

class Transfers : public VEKTest::ResourceTest {};

const FunctionTable& Raw() {
    return ExtensionManager::CurrentTable();
}

using Texel = std::array<std::uint8_t, 4>;

// Texel i of a source image: four bytes that name it.
Texel Source(unsigned i) {
    return {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8),
            static_cast<std::uint8_t>(0x40 + i % 64), 0xEE};
}

std::vector<Texel> SourceImage(unsigned texels) {
    std::vector<Texel> image(texels);
    for (unsigned i = 0; i < texels; ++i) {
        image[i] = Source(i);
    }
    return image;
}

const Texel kZero = {0, 0, 0, 0};

struct LevelSize {
    GLint width, height, depth;
    bool operator==(const LevelSize& o) const {
        return width == o.width && height == o.height && depth == o.depth;
    }
};

std::ostream& operator<<(std::ostream& out, const LevelSize& s) {
    return out << s.width << "x" << s.height << "x" << s.depth;
}

// The levels the driver holds for the texture, read with glGetTexLevelParameteriv (a rectangle
// texture has level 0 only: asking for more is an error).
std::vector<LevelSize> Levels(GLenum target, GLenum binding, GLuint name) {
    const GLint levelsToAsk = target == GL_TEXTURE_RECTANGLE ? 1 : 20;
    const GLint previous = Bound(binding);
    glBindTexture(target, name);
    std::vector<LevelSize> levels;
    for (GLint level = 0; level < levelsToAsk; ++level) {
        LevelSize size{0, 0, 0};
        glGetTexLevelParameteriv(target, level, GL_TEXTURE_WIDTH, &size.width);
        glGetTexLevelParameteriv(target, level, GL_TEXTURE_HEIGHT, &size.height);
        glGetTexLevelParameteriv(target, level, GL_TEXTURE_DEPTH, &size.depth);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "level " << level;
        if (size.width == 0) {
            break;
        }
        levels.push_back(size);
    }
    glBindTexture(target, static_cast<GLuint>(previous));
    return levels;
}

}  // namespace

TEST_F(Transfers, UnpackParametersMoveExactlyTheDescribedTexels) {
    // Two-dimensional: a 4 x 3 window of an 8-texel-wide image, two texels and one row in.
    Texture2D texture(Texture::kRGBA8, 8, 4, false, nullptr, Texture::kTypeDefault);
    glBindTexture(GL_TEXTURE_2D, texture.objectID());
    const std::vector<Texel> zeros(8 * 4, kZero);
    texture.subImage(0, 0, 0, 8, 4, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, zeros.data(),
                     PixelUnpackParameters());
    const std::vector<Texel> image = SourceImage(8 * 6);
    PixelUnpackParameters window;
    window.setRowLength(8);
    window.setSkipPixels(2);
    window.setSkipRows(1);
    VEKTest::SetUnusualPixelStore();
    const auto state = PixelStoreState();
    texture.subImage(0, 3, 1, 4, 3, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, image.data(),
                     window);
    EXPECT_EQ(PixelStoreState(), state);
    std::vector<Texel> back(8 * 4);
    texture.getPixelData(back.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 4);
    for (unsigned y = 0; y < 4; ++y) {
        for (unsigned x = 0; x < 8; ++x) {
            const bool inside = x >= 3 && x < 7 && y >= 1 && y < 4;
            const Texel expected = inside ? Source((y - 1 + 1) * 8 + (x - 3 + 2)) : kZero;
            EXPECT_EQ(back[y * 8 + x], expected) << x << "," << y;
        }
    }

    // Row alignment: three RGB texels are nine bytes, padded to twelve at four-byte alignment.
    Texture2D rgb(Texture::kRGB8, 3, 2, false, nullptr, Texture::kTypeDefault);
    glBindTexture(GL_TEXTURE_2D, rgb.objectID());
    const std::uint8_t padded[24] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  0xFF, 0xFF, 0xFF,
                                     10, 11, 12, 13, 14, 15, 16, 17, 18, 0xFF, 0xFF, 0xFF};
    PixelUnpackParameters four;
    four.setAlignment(4u);
    rgb.subImage(0, 0, 0, 3, 2, Texture::kFormatRGB, Texture::kTypeUnsignedByte, padded, four);
    std::uint8_t rows[18] = {};
    rgb.getPixelData(rows, 0, Texture::kFormatRGB, Texture::kTypeUnsignedByte, 1);
    for (unsigned i = 0; i < 18; ++i) {
        EXPECT_EQ(rows[i], i + 1) << i;
    }
    // Read back at eight-byte alignment: each row lands on its own eight-byte boundary.
    std::uint8_t aligned[32];
    std::fill(std::begin(aligned), std::end(aligned), 0xAB);
    rgb.getPixelData(aligned, 0, Texture::kFormatRGB, Texture::kTypeUnsignedByte, 8);
    EXPECT_EQ(aligned[8], 9);
    EXPECT_EQ(aligned[9], 0xAB);  // padding left alone
    EXPECT_EQ(aligned[16], 10);
    EXPECT_EQ(aligned[24], 18);
    EXPECT_EQ(aligned[25], 0xAB);
    glBindTexture(GL_TEXTURE_2D, 0);

    // One-dimensional: three texels skipped.
    Texture1D line(Texture::kRGBA8, 4, false);
    glBindTexture(GL_TEXTURE_1D, line.objectID());
    PixelUnpackParameters skip3;
    skip3.setSkipPixels(3);
    line.subImage(0, 0, 4, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, image.data(), skip3);
    std::vector<Texel> lineBack(4);
    line.getPixelData(lineBack.data(), 0, GL_RGBA, GL_UNSIGNED_BYTE);
    for (unsigned x = 0; x < 4; ++x) {
        EXPECT_EQ(lineBack[x], Source(3 + x));
    }
    glBindTexture(GL_TEXTURE_1D, 0);

    // Three-dimensional: images of four rows of two texels, the first image skipped.
    Texture3D volume(Texture::kRGBA8, 2, 2, 2, false);
    glBindTexture(GL_TEXTURE_3D, volume.objectID());
    PixelUnpackParameters images;
    images.setImageHeight(4);
    images.setSkipImages(1);
    volume.subImage(0, 0, 0, 0, 2, 2, 2, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                    image.data(), images);
    std::vector<Texel> volumeBack(8);
    volume.getPixelData(volumeBack.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 1);
    for (unsigned z = 0; z < 2; ++z) {
        for (unsigned y = 0; y < 2; ++y) {
            for (unsigned x = 0; x < 2; ++x) {
                EXPECT_EQ(volumeBack[(z * 2 + y) * 2 + x], Source(((z + 1) * 4 + y) * 2 + x));
            }
        }
    }
    glBindTexture(GL_TEXTURE_3D, 0);
    EXPECT_EQ(PixelStoreState(), state);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Transfers, PixelBuffersCarryUploadsAndReadBacksAndKeepTheCallersBindings) {
    // The caller has buffers of its own bound to both pixel targets.
    GLuint callers[2] = {};
    Raw().glGenBuffers(2, callers);
    Raw().glBindBuffer(GL_PIXEL_UNPACK_BUFFER, callers[0]);
    Raw().glBufferData(GL_PIXEL_UNPACK_BUFFER, 4, nullptr, GL_STREAM_DRAW);
    Raw().glBindBuffer(GL_PIXEL_PACK_BUFFER, callers[1]);
    Raw().glBufferData(GL_PIXEL_PACK_BUFFER, 4, nullptr, GL_STREAM_READ);
    const auto expectCallersBound = [&] {
        EXPECT_EQ(Bound(GL_PIXEL_UNPACK_BUFFER_BINDING), static_cast<GLint>(callers[0]));
        EXPECT_EQ(Bound(GL_PIXEL_PACK_BUFFER_BINDING), static_cast<GLint>(callers[1]));
    };
    VEKTest::SetUnusualPixelStore();
    const auto state = PixelStoreState();
    const GLint depth = VEKTest::ClientAttribStackDepth();

    const std::vector<Texel> image = SourceImage(64);
    // Made as a vertex buffer: the upload turns it into an unpack buffer.
    Buffer source(16 + 64 * 4, Buffer::kArrayBuffer, Buffer::kStaticDraw, nullptr);
    source.bind();
    source.subData(16, 64 * 4, image.data());
    Buffer::BindDefaultArrayBuffer();
    // Made as an unpack buffer: the read-back turns it into a pack buffer.
    Buffer target(8 + 64 * 4 * 2, Buffer::kUnpackBuffer, Buffer::kStreamRead, nullptr);
    expectCallersBound();

    Texture2D texture(Texture::kRGBA8, 8, 8, false, nullptr, Texture::kTypeDefault);
    glBindTexture(GL_TEXTURE_2D, texture.objectID());
    texture.subImage(0, 0, 0, 8, 8, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, &source, 16,
                     PixelUnpackParameters());
    EXPECT_TRUE(source.isUnpackBuffer());
    expectCallersBound();
    texture.getPixelData(&target, 8, 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 4);
    EXPECT_TRUE(target.isPackBuffer());
    expectCallersBound();
    EXPECT_EQ(PixelStoreState(), state);
    EXPECT_EQ(VEKTest::ClientAttribStackDepth(), depth);

    std::vector<Texel> back(64);
    Buffer::BindDefaultPackBuffer();
    target.bind();
    target.getSubData(8, 64 * 4, back.data());
    Raw().glBindBuffer(GL_PIXEL_PACK_BUFFER, callers[1]);
    EXPECT_EQ(back, image);

    // The same through the one- and three-dimensional classes and an array.
    Texture1D line(Texture::kRGBA8, 16, false);
    glBindTexture(GL_TEXTURE_1D, line.objectID());
    line.subImage(0, 0, 16, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, &source, 16 + 4 * 8,
                  PixelUnpackParameters());
    line.getPixelData(&target, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE);
    Texture2DArray layers(Texture::kRGBA8, 4, 2, 8, false);
    glBindTexture(GL_TEXTURE_2D_ARRAY, layers.objectID());
    layers.subImage(0, 0, 0, 0, 4, 2, 8, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, &source,
                    16, PixelUnpackParameters());
    // Already a pack buffer: no role change this time.
    layers.getPixelData(&target, 8 + 4 * 8 * 2, 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                        1);
    expectCallersBound();
    EXPECT_EQ(PixelStoreState(), state);
    EXPECT_EQ(VEKTest::ClientAttribStackDepth(), depth);

    Raw().glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    target.bind();
    std::vector<Texel> lineBack(16);
    target.getSubData(4, 16 * 4, lineBack.data());
    for (unsigned i = 0; i < 16; ++i) {
        EXPECT_EQ(lineBack[i], Source(8 + i)) << i;
    }
    std::vector<Texel> layersBack(64);
    target.getSubData(8 + 4 * 8 * 2, 64 * 4, layersBack.data());
    EXPECT_EQ(layersBack, image);
    Buffer::BindDefaultPackBuffer();

    // A client-memory transfer reads client memory even with the caller's buffer bound.
    Raw().glBindBuffer(GL_PIXEL_UNPACK_BUFFER, callers[0]);
    Raw().glBindBuffer(GL_PIXEL_PACK_BUFFER, callers[1]);
    const std::vector<Texel> second = SourceImage(64 + 7);
    texture.subImage(0, 0, 0, 8, 8, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                     second.data() + 7, PixelUnpackParameters());
    texture.getPixelData(back.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 4);
    EXPECT_EQ(back, std::vector<Texel>(second.begin() + 7, second.end()));
    expectCallersBound();

    // One byte at the last offset of a 100-byte buffer passes the offset check.
    Buffer hundred(100, Buffer::kUnpackBuffer, Buffer::kStaticDraw, nullptr);
    Raw().glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
    hundred.bind();
    const std::uint8_t last = 0x77;
    hundred.subData(99, 1, &last);
    Buffer::BindDefaultUnpackBuffer();
    Texture1D alpha(Texture::kALPHA8, 1, false);
    glBindTexture(GL_TEXTURE_1D, alpha.objectID());
    alpha.subImage(0, 0, 1, Texture::kFormatALPHA, Texture::kTypeUnsignedByte, &hundred, 99,
                   PixelUnpackParameters());
    std::uint8_t alphaBack = 0;
    alpha.getPixelData(&alphaBack, 0, GL_ALPHA, GL_UNSIGNED_BYTE);
    EXPECT_EQ(alphaBack, 0x77);

    glBindTexture(GL_TEXTURE_1D, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindTexture(GL_TEXTURE_2D_ARRAY, 0);
    Raw().glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    Raw().glDeleteBuffers(2, callers);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Transfers, AFailingTransferLeavesStateAndBindingsAsTheyWere) {
    VEKTest::SetUnusualPixelStore();
    const auto state = PixelStoreState();
    const GLint depth = VEKTest::ClientAttribStackDepth();
    Texture2D texture(Texture::kRGBA8, 4, 4, false, nullptr, Texture::kTypeDefault);
    glBindTexture(GL_TEXTURE_2D, texture.objectID());
    // Sixteen bytes cannot hold sixteen RGBA texels: OpenGL refuses, the checker throws.
    Buffer small(16, Buffer::kUnpackBuffer, Buffer::kStreamDraw, nullptr);
    EXPECT_THROW(texture.subImage(0, 0, 0, 4, 4, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                                  &small, 0, PixelUnpackParameters()),
                 ExceptionOGL);
    EXPECT_EQ(Bound(GL_PIXEL_UNPACK_BUFFER_BINDING), 0);
    EXPECT_THROW(
        texture.getPixelData(&small, 0, 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 4),
        ExceptionOGL);
    EXPECT_EQ(Bound(GL_PIXEL_PACK_BUFFER_BINDING), 0);
    EXPECT_EQ(PixelStoreState(), state);
    EXPECT_EQ(VEKTest::ClientAttribStackDepth(), depth);
    // A level the texture does not have.
    const std::vector<Texel> image = SourceImage(16);
    EXPECT_THROW(texture.subImage(40, 0, 0, 4, 4, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                                  image.data(), PixelUnpackParameters()),
                 ExceptionOGL);
    EXPECT_EQ(PixelStoreState(), state);
    EXPECT_EQ(VEKTest::ClientAttribStackDepth(), depth);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Transfers, CopiesTakeTheReadFramebuffersPixels) {
    // Four coloured quadrants in the window's back buffer.
    glDisable(GL_DITHER);
    glEnable(GL_SCISSOR_TEST);
    const float colours[4][4] = {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 1, 0, 1}};
    for (int q = 0; q < 4; ++q) {
        glScissor((q % 2) * 32, (q / 2) * 32, 32, 32);
        glClearColor(colours[q][0], colours[q][1], colours[q][2], colours[q][3]);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glDisable(GL_SCISSOR_TEST);
    glReadBuffer(GL_BACK);
    const auto framebuffer = [](int x, int y, int w, int h) {
        VEKTest::SetTightPixelStore();
        std::vector<Texel> pixels(static_cast<std::size_t>(w * h));
        glReadPixels(x, y, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    VEKTest::SetUnusualPixelStore();
    const auto state = PixelStoreState();

    Texture1D line(Texture::kRGBA8, 32, false);
    glBindTexture(GL_TEXTURE_1D, line.objectID());
    line.copyTexSubImage(0, 0, 24, 10, 16);
    std::vector<Texel> lineBack(32);
    line.getPixelData(lineBack.data(), 0, GL_RGBA, GL_UNSIGNED_BYTE);
    const std::vector<Texel> row = framebuffer(24, 10, 16, 1);
    EXPECT_EQ(std::vector<Texel>(lineBack.begin(), lineBack.begin() + 16), row);
    EXPECT_NE(row.front(), row.back());  // the copy crosses two quadrants

    VEKTest::SetUnusualPixelStore();
    Texture2D plane(Texture::kRGBA8, 32, 16, false, nullptr, Texture::kTypeDefault);
    glBindTexture(GL_TEXTURE_2D, plane.objectID());
    plane.copyTexSubImage(0, 2, 3, 24, 28, 16, 8);
    EXPECT_EQ(PixelStoreState(), state);
    std::vector<Texel> planeBack(32 * 16);
    plane.getPixelData(planeBack.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 4);
    const std::vector<Texel> block = framebuffer(24, 28, 16, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            EXPECT_EQ(planeBack[static_cast<std::size_t>((y + 3) * 32 + x + 2)],
                      block[static_cast<std::size_t>(y * 16 + x)]);
        }
    }

    Texture3D volume(Texture::kRGBA8, 8, 8, 4, false);
    glBindTexture(GL_TEXTURE_3D, volume.objectID());
    volume.copyTexSubImage(0, 0, 0, 2, 28, 28, 8, 8);
    std::vector<Texel> volumeBack(8 * 8 * 4);
    volume.getPixelData(volumeBack.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 1);
    EXPECT_EQ(std::vector<Texel>(volumeBack.begin() + 2 * 64, volumeBack.begin() + 3 * 64),
              framebuffer(28, 28, 8, 8));

    Texture1DArray rows(Texture::kRGBA8, 16, 4, false);
    glBindTexture(GL_TEXTURE_1D_ARRAY, rows.objectID());
    rows.copyTexSubImage(0, 0, 1, 24, 30, 16, 2);  // framebuffer rows 30 and 31 into layers 1, 2
    std::vector<Texel> rowsBack(16 * 4);
    rows.getPixelData(rowsBack.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 1);
    EXPECT_EQ(std::vector<Texel>(rowsBack.begin() + 16, rowsBack.begin() + 48),
              framebuffer(24, 30, 16, 2));

    glBindTexture(GL_TEXTURE_1D, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindTexture(GL_TEXTURE_3D, 0);
    glBindTexture(GL_TEXTURE_1D_ARRAY, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Transfers, MipChainsHaveTheirLevelsAndArraysKeepTheirLayers) {
    const auto L = [](GLint w, GLint h, GLint d) { return LevelSize{w, h, d}; };
    Texture2D plane(Texture::kRGBA8, 8, 2, true, nullptr, Texture::kTypeDefault);
    EXPECT_EQ(Levels(GL_TEXTURE_2D, GL_TEXTURE_BINDING_2D, plane.objectID()),
              (std::vector<LevelSize>{L(8, 2, 1), L(4, 1, 1), L(2, 1, 1), L(1, 1, 1)}));
    Texture2D single(Texture::kRGBA8, 8, 2, false, nullptr, Texture::kTypeDefault);
    EXPECT_EQ(Levels(GL_TEXTURE_2D, GL_TEXTURE_BINDING_2D, single.objectID()),
              (std::vector<LevelSize>{L(8, 2, 1)}));
    Texture1D one(Texture::kRGBA8, 1, true);
    EXPECT_EQ(Levels(GL_TEXTURE_1D, GL_TEXTURE_BINDING_1D, one.objectID()),
              (std::vector<LevelSize>{L(1, 1, 1)}));
    Texture1D eight(Texture::kRGBA8, 8, true);
    EXPECT_EQ(Levels(GL_TEXTURE_1D, GL_TEXTURE_BINDING_1D, eight.objectID()),
              (std::vector<LevelSize>{L(8, 1, 1), L(4, 1, 1), L(2, 1, 1), L(1, 1, 1)}));
    Texture3D volume(Texture::kRGBA8, 4, 4, 1, true);
    EXPECT_EQ(Levels(GL_TEXTURE_3D, GL_TEXTURE_BINDING_3D, volume.objectID()),
              (std::vector<LevelSize>{L(4, 4, 1), L(2, 2, 1), L(1, 1, 1)}));
    Texture3D deep(Texture::kRGBA8, 2, 1, 8, true);
    EXPECT_EQ(Levels(GL_TEXTURE_3D, GL_TEXTURE_BINDING_3D, deep.objectID()),
              (std::vector<LevelSize>{L(2, 1, 8), L(1, 1, 4), L(1, 1, 2), L(1, 1, 1)}));
    Texture2DArray layers(Texture::kRGBA8, 8, 4, 6, true);
    EXPECT_EQ(Levels(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_BINDING_2D_ARRAY, layers.objectID()),
              (std::vector<LevelSize>{L(8, 4, 6), L(4, 2, 6), L(2, 1, 6), L(1, 1, 6)}));
    Texture1DArray rows(Texture::kRGBA8, 8, 5, true);
    EXPECT_EQ(Levels(GL_TEXTURE_1D_ARRAY, GL_TEXTURE_BINDING_1D_ARRAY, rows.objectID()),
              (std::vector<LevelSize>{L(8, 5, 1), L(4, 5, 1), L(2, 5, 1), L(1, 5, 1)}));
    TextureRECT rect(Texture::kRGBA8, 6, 3, nullptr, Texture::kTypeDefault);
    EXPECT_EQ(Levels(GL_TEXTURE_RECTANGLE, GL_TEXTURE_BINDING_RECTANGLE, rect.objectID()),
              (std::vector<LevelSize>{L(6, 3, 1)}));

    // The size accessors answer what the driver stores at every level, so that memory sized
    // from them holds a read-back of that level.
    const auto accessors = [](const Texture& t, GLenum target, GLenum binding) {
        const std::vector<LevelSize> stored = Levels(target, binding, t.objectID());
        std::vector<LevelSize> answered;
        for (unsigned level = 0; level < stored.size(); ++level) {
            answered.push_back(LevelSize{static_cast<GLint>(t.width(level)),
                                         static_cast<GLint>(t.height(level)),
                                         static_cast<GLint>(t.depth(level))});
        }
        EXPECT_EQ(answered, stored) << VEKOGLTokenName(target);
    };
    accessors(plane, GL_TEXTURE_2D, GL_TEXTURE_BINDING_2D);
    Texture2D eightByFour(Texture::kRGBA8, 8, 4, true, nullptr, Texture::kTypeDefault);
    accessors(eightByFour, GL_TEXTURE_2D, GL_TEXTURE_BINDING_2D);
    accessors(eight, GL_TEXTURE_1D, GL_TEXTURE_BINDING_1D);
    accessors(volume, GL_TEXTURE_3D, GL_TEXTURE_BINDING_3D);
    accessors(deep, GL_TEXTURE_3D, GL_TEXTURE_BINDING_3D);
    Texture3D flat(Texture::kRGBA8, 4, 4, 2, true);
    accessors(flat, GL_TEXTURE_3D, GL_TEXTURE_BINDING_3D);
    accessors(layers, GL_TEXTURE_2D_ARRAY, GL_TEXTURE_BINDING_2D_ARRAY);
    accessors(rows, GL_TEXTURE_1D_ARRAY, GL_TEXTURE_BINDING_1D_ARRAY);
    accessors(rect, GL_TEXTURE_RECTANGLE, GL_TEXTURE_BINDING_RECTANGLE);
    {
        // Level 1 of the 8 x 5 array: 4 texels by 5 layers, and not a byte more.
        glBindTexture(GL_TEXTURE_1D_ARRAY, rows.objectID());
        const std::size_t bytes = std::size_t(rows.width(1)) * rows.height(1) * 4;
        std::vector<std::uint8_t> memory(bytes + 16, 0xAB);
        rows.getPixelData(memory.data(), 1, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 1);
        EXPECT_EQ(bytes, 80u);
        EXPECT_EQ(std::vector<std::uint8_t>(memory.begin() + bytes, memory.end()),
                  std::vector<std::uint8_t>(16, 0xAB));
        glBindTexture(GL_TEXTURE_1D_ARRAY, 0);
    }

    // Every level of an array holds every layer: level 1 takes and gives back all six.
    glBindTexture(GL_TEXTURE_2D_ARRAY, layers.objectID());
    layers.setFilter(Texture::kFilterNearestMipmapNearest, Texture::kFilterNearest);
    const std::vector<Texel> level1(4 * 2 * 6, Texel{9, 9, 9, 9});
    layers.subImage(1, 0, 0, 0, 4, 2, 6, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                    level1.data(), PixelUnpackParameters());
    std::vector<Texel> back(4 * 2 * 6);
    layers.getPixelData(back.data(), 1, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 1);
    EXPECT_EQ(back, level1);
    glBindTexture(GL_TEXTURE_2D_ARRAY, 0);

    // The data constructor defines just the level it is given.
    const std::vector<Texel> image = SourceImage(2 * 2 * 2);
    Texture3D fromData(Texture::kRGBA8, 0, 2, 2, 2, Texture::kFormatRGBA,
                       Texture::kTypeUnsignedByte, image.data(), PixelUnpackParameters());
    EXPECT_EQ(Levels(GL_TEXTURE_3D, GL_TEXTURE_BINDING_3D, fromData.objectID()),
              (std::vector<LevelSize>{L(2, 2, 2)}));
    glBindTexture(GL_TEXTURE_3D, fromData.objectID());
    std::vector<Texel> fromDataBack(8);
    fromData.getPixelData(fromDataBack.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                          1);
    EXPECT_EQ(fromDataBack, image);
    glBindTexture(GL_TEXTURE_3D, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Transfers, PixelDataSizesCountLevelZero) {
    Texture2D plane(Texture::kRGBA8, 4, 2, false, nullptr, Texture::kTypeDefault);
    EXPECT_EQ(plane.pixelDataSize(0, Texture::kFormatRGBA, Texture::kTypeFloat), 128u);
    EXPECT_EQ(plane.pixelDataSize(3, Texture::kFormatRGBA, Texture::kTypeFloat), 128u);
    EXPECT_EQ(plane.pixelDataSize(0, Texture::kFormatRGB, Texture::kTypeHalfFloat), 48u);
    Texture1D line(Texture::kRGBA8, 16, false);
    EXPECT_EQ(line.pixelDataSize(0, Texture::kFormatLUMINANCE_ALPHA, Texture::kTypeShort), 64u);
    Texture2DArray layers(Texture::kRGBA8, 4, 4, 6, false);
    EXPECT_EQ(layers.pixelDataSize(0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte), 384u);
    Texture3D volume(Texture::kRGBA8, 4, 4, 4, false);
    EXPECT_EQ(volume.pixelDataSize(1, Texture::kFormatRED, Texture::kTypeByte), 64u);
    Texture1DArray rows(Texture::kRGBA8, 8, 3, false);
    EXPECT_EQ(rows.pixelDataSize(0, Texture::kFormatBGRA, Texture::kTypeUnsignedShort), 192u);
    const char* unknown[] = {"GL_UNSIGNED_INT", "GL_INT", "GL_BITMAP", "GL_UNSIGNED_INT_8_8_8_8"};
    const Texture::Type types[] = {Texture::kTypeUnsignedInt, Texture::kTypeInt,
                                   Texture::kTypeBitmap, Texture::kTypeUnsignedInt_8_8_8_8};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(VEKTest::InternalMessageOf(
                      [&] { plane.pixelDataSize(0, Texture::kFormatRGBA, types[i]); }),
                  std::string("pixelDataSize: Unknown type ") + unknown[i]);
    }
}
