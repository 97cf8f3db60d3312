// The texture vocabulary's tables, which need no context: translations, channel counts and byte
// sizes.
#include <gtest/gtest.h>

#include <vek/vek_ogl/extensionator/OpenGLTokenName.h>
#include <vek/vek_ogl/ogl/Texture.h>

#include "support/InternalMessage.h"

using namespace VEK::OGL;
using VEKTest::InternalMessageOf;

namespace {

const char kTarget[] = "!\"Target enums are not all properly translated.\"";

}  // namespace

TEST(TextureTables, TranslationsRoundTripAndRefuseTheRest) {
    const unsigned internal[] = {
        0x1906, 0x803B, 0x803C, 0x803D, 0x803E, 0x1909, 0x803F, 0x8040, 0x8041, 0x8042,
        0x190A, 0x8043, 0x8044, 0x8045, 0x8046, 0x8047, 0x8048, 0x8049, 0x804A, 0x804B,
        0x804C, 0x804D, 0x2A10, 0x1903, 0x822A, 0x822D, 0x822E, 0x8227, 0x822C, 0x822F,
        0x8230, 0x1907, 0x804F, 0x8050, 0x8051, 0x8052, 0x8053, 0x8054, 0x1908, 0x8055,
        0x8056, 0x8057, 0x8058, 0x8059, 0x805A, 0x805B, 0x8814, 0x8815, 0x8816, 0x8817,
        0x8818, 0x8819, 0x881A, 0x881B, 0x881C, 0x881D, 0x881E, 0x881F};
    for (int i = 0; i < 58; ++i) {
        const auto f = static_cast<Texture::InternalFormat>(i);
        EXPECT_EQ(Texture::InternalFormat2GL(f), internal[i]) << i;
        EXPECT_EQ(Texture::GL2InternalFormat(internal[i]), f) << i;
    }
    EXPECT_EQ(InternalMessageOf(
                  [] { Texture::InternalFormat2GL(static_cast<Texture::InternalFormat>(58)); }),
              "!\"InternalFormat enums are not all properly translated.\"");
    EXPECT_EQ(InternalMessageOf([] { Texture::GL2InternalFormat(0x8229); }),
              "!\"InternalFormat enums are not all properly translated.\"");

    const unsigned targets[] = {0x0DE0, 0x0DE1, 0x806F, 0x8C18, 0x8C1A, 0x84F5};
    const unsigned bindings[] = {0x8068, 0x8069, 0x806A, 0x8C1C, 0x8C1D, 0x84F6};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Texture::Target2GL(static_cast<Texture::Target>(i)), targets[i]);
        EXPECT_EQ(Texture::TargetBinding2GL(static_cast<Texture::TargetBinding>(i)), bindings[i]);
        const bool reversible = i != Texture::kTarget1DArray && i != Texture::kTarget2DArray;
        if (reversible) {
            EXPECT_EQ(Texture::GL2Target(targets[i]), static_cast<Texture::Target>(i));
            EXPECT_EQ(Texture::GL2TargetBinding(bindings[i]),
                      static_cast<Texture::TargetBinding>(i));
        } else {
            EXPECT_EQ(InternalMessageOf([&] { Texture::GL2Target(targets[i]); }), kTarget);
            EXPECT_EQ(InternalMessageOf([&] { Texture::GL2TargetBinding(bindings[i]); }), kTarget);
        }
    }
    EXPECT_EQ(InternalMessageOf([] { Texture::Target2GL(static_cast<Texture::Target>(6)); }),
              kTarget);
    EXPECT_EQ(InternalMessageOf([] { Texture::GL2Target(0x8513); }), kTarget);

    const unsigned formats[] = {0x1900, 0x1903, 0x1904, 0x1905, 0x1906, 0x8227,
                                0x1907, 0x80E0, 0x1908, 0x80E1, 0x1909, 0x190A};
    const unsigned formatChannels[] = {1, 1, 1, 1, 1, 2, 3, 3, 4, 4, 1, 2};
    for (int i = 0; i < 12; ++i) {
        const auto f = static_cast<Texture::Format>(i);
        EXPECT_EQ(Texture::Format2GL(f), formats[i]);
        EXPECT_EQ(Texture::GL2Format(formats[i]), f);
        EXPECT_EQ(Texture::Channels(f), formatChannels[i]);
    }
    EXPECT_EQ(InternalMessageOf([] { Texture::GL2Format(0x1901); }),
              "!\"Format enums are not all properly translated.\"");
    EXPECT_EQ(InternalMessageOf([] { Texture::Format2GL(static_cast<Texture::Format>(12)); }),
              "!\"Format enums are not all properly translated.\"");

    const unsigned types[] = {0x1401, 0x1400, 0x1A00, 0x1403, 0x1402, 0x1405, 0x1404,
                              0x1406, 0x8032, 0x8362, 0x8363, 0x8364, 0x8033, 0x8365,
                              0x8034, 0x8366, 0x8035, 0x8367, 0x8036, 0x8368, 0x140B};
    for (int i = 0; i < 21; ++i) {
        EXPECT_EQ(Texture::Type2GL(static_cast<Texture::Type>(i)), types[i]);
        EXPECT_EQ(Texture::GL2Type(types[i]), static_cast<Texture::Type>(i));
    }
    EXPECT_EQ(InternalMessageOf([] { Texture::Type2GL(Texture::kTypeDefault); }),
              "!\"Type enums are not all properly translated.\"");
    EXPECT_EQ(InternalMessageOf([] { Texture::GL2Type(0x140A); }),
              "!\"Type enums are not all properly translated.\"");

    const unsigned filters[] = {0x2600, 0x2601, 0x2700, 0x2701, 0x2702, 0x2703};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Texture::Filter2GL(static_cast<Texture::Filter>(i)), filters[i]);
        EXPECT_EQ(Texture::GL2Filter(filters[i]), static_cast<Texture::Filter>(i));
    }
    EXPECT_EQ(InternalMessageOf([] { Texture::GL2Filter(0x2704); }),
              "!\"Filter enums are not all properly translated.\"");
    const unsigned wraps[] = {0x2900, 0x812D, 0x812F, 0x8370, 0x2901};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Texture::WrapMode2GL(static_cast<Texture::WrapMode>(i)), wraps[i]);
        EXPECT_EQ(Texture::GL2WrapMode(wraps[i]), static_cast<Texture::WrapMode>(i));
    }
    EXPECT_EQ(InternalMessageOf([] { Texture::WrapMode2GL(static_cast<Texture::WrapMode>(5)); }),
              "!\"WrapMode enums are not all properly translated.\"");
    const unsigned stores[] = {0x0D00, 0x0D01, 0x0D02, 0x806C, 0x0D04, 0x0D03, 0x806B, 0x0D05,
                               0x0CF0, 0x0CF1, 0x0CF2, 0x806E, 0x0CF4, 0x0CF3, 0x806D, 0x0CF5};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(Texture::PixelStoreMode2GL(static_cast<Texture::PixelStoreMode>(i)), stores[i]);
        EXPECT_EQ(Texture::GL2PixelStoreMode(stores[i]), static_cast<Texture::PixelStoreMode>(i));
    }
    EXPECT_EQ(InternalMessageOf([] { Texture::GL2PixelStoreMode(0x0D06); }),
              "!\"PixelStoreMode enums are not all properly translated.\"");
}

TEST(TextureTables, ChannelsAndByteSizes) {
    EXPECT_EQ(Texture::Channels(Texture::kRGB4), 3u);
    EXPECT_EQ(Texture::Channels(Texture::kLUMINANCE_ALPHA16F), 2u);
    EXPECT_EQ(Texture::Channels(Texture::kRGB32F), 3u);
    EXPECT_EQ(Texture::SizeInBytes(Texture::kRGBA8, 16, 16, 1), 1024u);
    EXPECT_EQ(Texture::SizeInBytes(Texture::kRGBA32F, 2, 2, 1), 64u);
    EXPECT_EQ(Texture::SizeInBytes(Texture::kR16F, 3, 1, 1), 6u);
    EXPECT_EQ(Texture::SizeInBytes(Texture::kRGB16, 5, 3, 2), 180u);
    // Every packed format is refused with its own token name.
    const Texture::InternalFormat packed[] = {Texture::kALPHA4,
                                              Texture::kALPHA12,
                                              Texture::kLUMINANCE4,
                                              Texture::kLUMINANCE12,
                                              Texture::kLUMINANCE4_ALPHA4,
                                              Texture::kLUMINANCE6_ALPHA2,
                                              Texture::kLUMINANCE12_ALPHA4,
                                              Texture::kLUMINANCE12_ALPHA12,
                                              Texture::kINTENSITY4,
                                              Texture::kINTENSITY12,
                                              Texture::kR3_G3_B2,
                                              Texture::kRGB4,
                                              Texture::kRGB5,
                                              Texture::kRGB10,
                                              Texture::kRGB12,
                                              Texture::kRGBA2,
                                              Texture::kRGBA4,
                                              Texture::kRGB5_A1,
                                              Texture::kRGB10_A2,
                                              Texture::kRGBA12};
    for (Texture::InternalFormat f : packed) {
        EXPECT_EQ(InternalMessageOf([f] { Texture::SizeInBytes(f, 1, 1, 1); }),
                  std::string("Texture::SizeInBytes Unknown color channels for format ") +
                      VEKOGLTokenName(Texture::InternalFormat2GL(f)));
    }
    EXPECT_EQ(InternalMessageOf([] { Texture::SizeInBytes(Texture::kRGB4, 1, 1, 1); }),
              "Texture::SizeInBytes Unknown color channels for format GL_RGB4");
    EXPECT_EQ(InternalMessageOf(
                  [] { Texture::SizeInBytes(static_cast<Texture::InternalFormat>(58), 1, 1, 1); }),
              "InternalFormat enums are not all properly sized.");
    EXPECT_EQ(
        InternalMessageOf([] { Texture::Channels(static_cast<Texture::InternalFormat>(-1)); }),
        "InternalFormat enums are not all properly sized.");
    EXPECT_EQ(InternalMessageOf([] { Texture::Channels(static_cast<Texture::Format>(12)); }),
              "InternalFormat enums are not all properly sized.");

    // Byte counts that do not fit 32 bits are refused, never wrapped.
    EXPECT_EQ(Texture::SizeInBytes(Texture::kRGBA8, 32768, 32767, 1), 4294836224u);
    EXPECT_EQ(InternalMessageOf([] { Texture::SizeInBytes(Texture::kRGBA8, 32768, 32768, 1); }),
              "Texture::SizeInBytes byte count of 32768 x 32768 x 1 texels exceeds 32 bits");
    EXPECT_EQ(
        InternalMessageOf([] { Texture::SizeInBytes(Texture::kRGBA32F, 65536, 65536, 65536); }),
        "Texture::SizeInBytes byte count of 65536 x 65536 x 65536 texels exceeds 32 bits");
    EXPECT_EQ(InternalMessageOf([] { Texture::SizeInBytes(Texture::kALPHA8, 65536, 1, 65536); }),
              "Texture::SizeInBytes byte count of 65536 x 1 x 65536 texels exceeds 32 bits");
}
