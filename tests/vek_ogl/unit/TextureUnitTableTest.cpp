// The texture unit table and its environment translations, which need no context.
#include <gtest/gtest.h>

#include <vek/vek_ogl/ogl/TextureUnit.h>

#include "support/InternalMessage.h"

using namespace VEK::OGL;

TEST(TextureUnitTable, UnitsAndEnvironments) {
    EXPECT_EQ(TextureUnit::Unit(3), TextureUnit::Unit(3));
    EXPECT_NE(TextureUnit::Unit(3), TextureUnit::Unit(4));
    *TextureUnit::Unit(3) = *TextureUnit::Unit(4);  // no effect
    EXPECT_NE(TextureUnit::Unit(3), TextureUnit::Unit(4));
    EXPECT_EQ(VEKTest::InternalMessageOf([] { TextureUnit::Unit(TextureUnit::kUnitCount); }),
              "TextureUnit::Unit index 256 beyond the 256 units of the table");

    const unsigned modes[] = {0x0104, 0x0BE2, 0x8570, 0x2101, 0x2100, 0x1E01};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(TextureUnit::Environment2GL(static_cast<TextureUnit::Environment>(i)), modes[i]);
        EXPECT_EQ(TextureUnit::GL2Environment(modes[i]), static_cast<TextureUnit::Environment>(i));
    }
    EXPECT_EQ(TextureUnit::GL2Environment(0x2100), TextureUnit::kEnvModulate);
    EXPECT_EQ(VEKTest::InternalMessageOf(
                  [] { TextureUnit::Environment2GL(static_cast<TextureUnit::Environment>(6)); }),
              "!\"Environment enums are not all properly translated.\"");
    EXPECT_EQ(VEKTest::InternalMessageOf([] { TextureUnit::GL2Environment(0x2102); }),
              "!\"Environment enums are not all properly translated.\"");
}
