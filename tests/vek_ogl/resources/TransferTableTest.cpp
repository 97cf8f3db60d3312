// Every internal format, pixel format and type of the texture tables that llvmpipe accepts,
// uploaded and read back through each texture class, against the same transfer made with plain
// OpenGL calls on a texture of the same format. Each transfer leaves the pixel-store state and
// the caller's bindings as it found them.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <vek/vek_ogl/extensionator/OpenGLTokenName.h>
#include <vek/vek_ogl/ogl/PixelUnpackParameters.h>
#include <vek/vek_ogl/ogl/Texture1.h>
#include <vek/vek_ogl/ogl/Texture2.h>
#include <vek/vek_ogl/ogl/Texture3.h>

#include "ResourceFixture.h"

using namespace VEK::OGL;
using VEKTest::Bound;
using VEKTest::PixelStoreState;

namespace {

struct DimensionClass {
    const char* name;
    GLenum target;
    GLenum binding;
    int dimensions;  // which glTexImage family
    unsigned width, height, depth;
    std::function<std::unique_ptr<Texture>(Texture::InternalFormat)> make;
    std::function<void(Texture&, Texture::Format, Texture::Type, const void*)> upload;
    std::function<void(const Texture&, Texture::Format, Texture::Type, void*)> readBack;
};

const PixelUnpackParameters kTight;

std::vector<DimensionClass> Classes() {
    std::vector<DimensionClass> classes;
    classes.push_back(
        {"Texture1D", GL_TEXTURE_1D, GL_TEXTURE_BINDING_1D, 1, 8, 1, 1,
         [](Texture::InternalFormat f) { return std::make_unique<Texture1D>(f, 8, false); },
         [](Texture& t, Texture::Format f, Texture::Type y, const void* d) {
             static_cast<Texture1&>(t).subImage(0, 0, 8, f, y, d, kTight);
         },
         [](const Texture& t, Texture::Format f, Texture::Type y, void* d) {
             static_cast<const Texture1&>(t).getPixelData(d, 0, Texture::Format2GL(f),
                                                          Texture::Type2GL(y));
         }});
    const auto upload2 = [](Texture& t, Texture::Format f, Texture::Type y, const void* d) {
        static_cast<Texture2&>(t).subImage(0, 0, 0, t.width(0), t.height(0), f, y, d, kTight);
    };
    const auto read2 = [](const Texture& t, Texture::Format f, Texture::Type y, void* d) {
        static_cast<const Texture2&>(t).getPixelData(d, 0, f, y, 1);
    };
    classes.push_back({"Texture2D", GL_TEXTURE_2D, GL_TEXTURE_BINDING_2D, 2, 4, 2, 1,
                       [](Texture::InternalFormat f) {
                           return std::make_unique<Texture2D>(f, 4, 2, false, nullptr,
                                                              Texture::kTypeDefault);
                       },
                       upload2, read2});
    classes.push_back(
        {"TextureRECT", GL_TEXTURE_RECTANGLE, GL_TEXTURE_BINDING_RECTANGLE, 2, 3, 2, 1,
         [](Texture::InternalFormat f) {
             return std::make_unique<TextureRECT>(f, 3, 2, nullptr, Texture::kTypeUnsignedByte);
         },
         upload2, read2});
    classes.push_back(
        {"Texture1DArray", GL_TEXTURE_1D_ARRAY, GL_TEXTURE_BINDING_1D_ARRAY, 2, 4, 3, 1,
         [](Texture::InternalFormat f) { return std::make_unique<Texture1DArray>(f, 4, 3, false); },
         upload2, read2});
    const auto upload3 = [](Texture& t, Texture::Format f, Texture::Type y, const void* d) {
        static_cast<Texture3&>(t).subImage(0, 0, 0, 0, t.width(0), t.height(0), t.depth(0), f, y, d,
                                           kTight);
    };
    const auto read3 = [](const Texture& t, Texture::Format f, Texture::Type y, void* d) {
        static_cast<const Texture3&>(t).getPixelData(d, 0, f, y, 1);
    };
    classes.push_back(
        {"Texture3D", GL_TEXTURE_3D, GL_TEXTURE_BINDING_3D, 3, 2, 2, 2,
         [](Texture::InternalFormat f) { return std::make_unique<Texture3D>(f, 2, 2, 2, false); },
         upload3, read3});
    classes.push_back({"Texture2DArray", GL_TEXTURE_2D_ARRAY, GL_TEXTURE_BINDING_2D_ARRAY, 3, 2, 2,
                       3,
                       [](Texture::InternalFormat f) {
                           return std::make_unique<Texture2DArray>(f, 2, 2, 3, false);
                       },
                       upload3, read3});
    return classes;
}

// Bytes of one pixel of this format and type; 0 where the pair has no fixed size.
unsigned PixelBytes(GLenum format, GLenum type, unsigned channels) {
    switch (type) {
        case GL_UNSIGNED_BYTE:
        case GL_BYTE:
            return channels;
        case GL_UNSIGNED_SHORT:
        case GL_SHORT:
        case GL_HALF_FLOAT:
            return 2 * channels;
        case GL_UNSIGNED_INT:
        case GL_INT:
        case GL_FLOAT:
            return 4 * channels;
        case GL_UNSIGNED_BYTE_3_3_2:
        case GL_UNSIGNED_BYTE_2_3_3_REV:
            return 1;
        case GL_UNSIGNED_SHORT_5_6_5:
        case GL_UNSIGNED_SHORT_5_6_5_REV:
        case GL_UNSIGNED_SHORT_4_4_4_4:
        case GL_UNSIGNED_SHORT_4_4_4_4_REV:
        case GL_UNSIGNED_SHORT_5_5_5_1:
        case GL_UNSIGNED_SHORT_1_5_5_5_REV:
            return 2;
        case GL_UNSIGNED_INT_8_8_8_8:
        case GL_UNSIGNED_INT_8_8_8_8_REV:
        case GL_UNSIGNED_INT_10_10_10_2:
        case GL_UNSIGNED_INT_2_10_10_10_REV:
            return 4;
        default:
            (void)format;
            return 0;
    }
}

// Data every driver converts the same way: floats and halves in [0, 1], other types any bits.
std::vector<std::uint8_t> SourceData(GLenum type, std::size_t bytes, unsigned seed) {
    std::vector<std::uint8_t> data(bytes);
    if (type == GL_FLOAT) {
        for (std::size_t i = 0; i + 4 <= bytes; i += 4) {
            const float value = static_cast<float>((i / 4 * 37 + seed * 11) % 256) / 255.0f;
            std::memcpy(&data[i], &value, 4);
        }
    } else if (type == GL_HALF_FLOAT) {
        for (std::size_t i = 0; i + 2 <= bytes; i += 2) {
            const std::uint16_t value =
                static_cast<std::uint16_t>((i / 2 * 1237 + seed * 101) % 0x3C00);
            std::memcpy(&data[i], &value, 2);
        }
    } else {
        for (std::size_t i = 0; i < bytes; ++i) {
            data[i] = static_cast<std::uint8_t>((i * 89 + seed * 53 + (i >> 3)) & 0xFF);
        }
    }
    return data;
}

void ClearErrors() {
    while (glGetError() != GL_NO_ERROR) {
    }
}

// The same texture made and used with plain OpenGL calls: the reference.
class RawTexture {
public:
    RawTexture(const DimensionClass& c, GLenum internalFormat, GLenum storageFormat) : c_(c) {
        glGenTextures(1, &name_);
        glBindTexture(c.target, name_);
        if (c.dimensions == 1) {
            glTexImage1D(c.target, 0, static_cast<GLint>(internalFormat), c.width, 0, storageFormat,
                         GL_UNSIGNED_BYTE, nullptr);
        } else if (c.dimensions == 2) {
            glTexImage2D(c.target, 0, static_cast<GLint>(internalFormat), c.width, c.height, 0,
                         storageFormat, GL_UNSIGNED_BYTE, nullptr);
        } else {
            // OpenGL 1.2: an entry point of the context, not of every platform's GL library.
            const auto glTexImage3D = reinterpret_cast<PFNGLTEXIMAGE3DPROC>(
                reinterpret_cast<void (*)()>(wglGetProcAddress("glTexImage3D")));
            glTexImage3D(c.target, 0, static_cast<GLint>(internalFormat), c.width, c.height,
                         c.depth, 0, storageFormat, GL_UNSIGNED_BYTE, nullptr);
        }
        accepted_ = glGetError() == GL_NO_ERROR;
        glBindTexture(c.target, 0);
    }
    ~RawTexture() { glDeleteTextures(1, &name_); }
    bool accepted() const { return accepted_; }

    // False when the driver refuses the pair.
    bool roundTrip(GLenum format, GLenum type, const void* data, std::vector<std::uint8_t>& out) {
        glBindTexture(c_.target, name_);
        if (c_.dimensions == 1) {
            glTexSubImage1D(c_.target, 0, 0, c_.width, format, type, data);
        } else if (c_.dimensions == 2) {
            glTexSubImage2D(c_.target, 0, 0, 0, c_.width, c_.height, format, type, data);
        } else {
            const auto glTexSubImage3D = reinterpret_cast<PFNGLTEXSUBIMAGE3DPROC>(
                reinterpret_cast<void (*)()>(wglGetProcAddress("glTexSubImage3D")));
            glTexSubImage3D(c_.target, 0, 0, 0, 0, c_.width, c_.height, c_.depth, format, type,
                            data);
        }
        bool ok = glGetError() == GL_NO_ERROR;
        if (ok) {
            glGetTexImage(c_.target, 0, format, type, out.data());
            ok = glGetError() == GL_NO_ERROR;
        }
        glBindTexture(c_.target, 0);
        return ok;
    }

private:
    const DimensionClass& c_;
    GLuint name_ = 0;
    bool accepted_ = false;
};

class TransferTable : public VEKTest::ResourceTest, public ::testing::WithParamInterface<int> {};

}  // namespace

TEST_P(TransferTable, EveryAcceptedCombinationReadsBackAsPlainOpenGLDoes) {
    const DimensionClass c = Classes()[static_cast<std::size_t>(GetParam())];
    if (!Texture::IsTargetSupported(c.target)) {
        GTEST_SKIP() << c.name << ": target not supported by this context";
    }
    const unsigned texels = c.width * c.height * c.depth;
    GLuint sentinel = 0;
    glGenTextures(1, &sentinel);

    unsigned formatsMade = 0;
    unsigned combinations = 0;
    unsigned lossless = 0;
    for (int f = 0; f <= Texture::kLUMINANCE_ALPHA16F; ++f) {
        const auto internalFormat = static_cast<Texture::InternalFormat>(f);
        const GLenum glInternal = Texture::InternalFormat2GL(internalFormat);
        VEKTest::SetTightPixelStore();
        ClearErrors();
        const GLenum storageFormat = f >= Texture::kRED && f <= Texture::kR32F   ? GL_RED
                                     : f >= Texture::kRG && f <= Texture::kRG32F ? GL_RG
                                                                                 : GL_BGRA;
        RawTexture raw(c, glInternal, storageFormat);
        if (!raw.accepted()) {
            continue;
        }
        // The constructor leaves the caller's binding of the target in place.
        glBindTexture(c.target, sentinel);
        VEKTest::SetUnusualPixelStore();
        const std::vector<GLint> callerState = PixelStoreState();
        std::unique_ptr<Texture> texture = c.make(internalFormat);
        ASSERT_EQ(Bound(c.binding), static_cast<GLint>(sentinel)) << c.name << " " << f;
        ASSERT_EQ(PixelStoreState(), callerState);
        ++formatsMade;

        for (int p = Texture::kFormatRED; p <= Texture::kFormatLUMINANCE_ALPHA; ++p) {
            const auto format = static_cast<Texture::Format>(p);
            const GLenum glFormat = Texture::Format2GL(format);
            for (int y = Texture::kTypeUnsignedByte; y <= Texture::kTypeHalfFloat; ++y) {
                const auto type = static_cast<Texture::Type>(y);
                const GLenum glType = Texture::Type2GL(type);
                const unsigned pixelBytes = PixelBytes(glFormat, glType, Texture::Channels(format));
                if (pixelBytes == 0) {
                    continue;  // bitmaps: no colour texels
                }
                const std::size_t bytes = std::size_t(pixelBytes) * texels;
                const std::vector<std::uint8_t> source = SourceData(glType, bytes, p * 31 + y);
                std::vector<std::uint8_t> expected(bytes, 0xCD);
                VEKTest::SetTightPixelStore();
                ClearErrors();
                if (!raw.roundTrip(glFormat, glType, source.data(), expected)) {
                    ClearErrors();
                    continue;
                }
                ++combinations;

                SCOPED_TRACE(std::string(c.name) + " " + VEKOGLTokenName(glInternal) + " " +
                             VEKOGLTokenName(glFormat) + " " + VEKOGLTokenName(glType));
                VEKTest::SetUnusualPixelStore();
                const std::vector<GLint> before = PixelStoreState();
                glBindTexture(c.target, texture->objectID());
                std::vector<std::uint8_t> back(bytes, 0xAB);
                c.upload(*texture, format, type, source.data());
                ASSERT_EQ(PixelStoreState(), before) << "after the upload";
                c.readBack(*texture, format, type, back.data());
                ASSERT_EQ(PixelStoreState(), before) << "after the read-back";
                ASSERT_EQ(back, expected);
                if (back == source) {
                    ++lossless;
                }
                glBindTexture(c.target, sentinel);
            }
        }
        texture.reset();
        // Deleting the texture leaves the caller's binding alone.
        EXPECT_EQ(Bound(c.binding), static_cast<GLint>(sentinel));
    }
    glBindTexture(c.target, 0);
    glDeleteTextures(1, &sentinel);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    // The tables and llvmpipe's compatibility profile share far more than a handful of
    // combinations; a run that accepted almost none would prove nothing.
    EXPECT_GE(formatsMade, 40u) << c.name;
    EXPECT_GE(combinations, 1000u) << c.name;
    EXPECT_GE(lossless, 50u) << c.name;
    std::cout << c.name << ": " << formatsMade << " internal formats, " << combinations
              << " format and type combinations, " << lossless << " returned byte for byte\n";
}

INSTANTIATE_TEST_SUITE_P(EachClass, TransferTable, ::testing::Range(0, 6),
                         [](const ::testing::TestParamInfo<int>& param) {
                             return std::string(
                                 Classes()[static_cast<std::size_t>(param.param)].name);
                         });
