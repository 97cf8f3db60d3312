#include <gtest/gtest.h>

#include <limits>
#include <sstream>

#include <vek/core/exceptions/InternalException.h>
#include <vek/core/math/region_2d/IntegerRect.h>

#include "support/InternalMessage.h"

using VEK::int2;
using VEK::IntegerRect;
using VEK::size2;

TEST(IntegerRect, FieldsEmptinessAndText) {
    const IntegerRect zero;
    EXPECT_EQ(zero.offset(), int2(0, 0));
    EXPECT_EQ(zero.size(), size2(0, 0));
    EXPECT_TRUE(zero.isEmpty());
    EXPECT_EQ(zero.toString(), "Empty");

    IntegerRect r(int2(1, 2), size2(3, 4));
    EXPECT_EQ(r.width(), 3u);
    EXPECT_EQ(r.height(), 4u);
    EXPECT_FALSE(r.isEmpty());
    EXPECT_EQ(r.toString(), "[o=(1, 2), s=(3, 4)]");
    std::ostringstream out;
    out << r;
    EXPECT_EQ(out.str(), "[o=(1, 2), s=(3, 4)]");

    r.translate(int2(-5, 10));
    EXPECT_EQ(r.offset(), int2(-4, 12));
    const IntegerRect copy = r;
    EXPECT_TRUE(copy == r);
    r.setSize(size2(0, 5));
    EXPECT_TRUE(r.isEmpty());
    EXPECT_EQ(r.toString(), "Empty");
    EXPECT_TRUE(copy != r);
    r.setSize(size2(3, 0));
    EXPECT_TRUE(r.isEmpty());
    r.setSize(size2(3, 4));
    r.setOffset(int2(-4, 11));
    EXPECT_TRUE(copy != r);
    r.setOffset(int2(-4, 12));
    EXPECT_TRUE(copy == r);
}

TEST(IntegerRect, TranslateRefusesAnOffsetThatDoesNotFit) {
    const int top = std::numeric_limits<int>::max();
    const int bottom = std::numeric_limits<int>::min();
    IntegerRect r(int2(top - 1, bottom + 1), size2(3, 4));
    r.translate(int2(1, -1));
    EXPECT_EQ(r.offset(), int2(top, bottom));
    EXPECT_EQ(VEKTest::InternalMessageOf([&] { r.translate(int2(0, -1)); }),
              "IntegerRect translation overflows");
    EXPECT_THROW(r.translate(int2(1, 0)), VEK::InternalException);
    EXPECT_THROW(r.translate(int2(-1, bottom)), VEK::InternalException);
    // A refused move leaves the rectangle where it was.
    EXPECT_EQ(r.offset(), int2(top, bottom));
    r.translate(int2(bottom, top));
    EXPECT_EQ(r.offset(), int2(-1, -1));
}
