#include <gtest/gtest.h>

#include <type_traits>

#include <vek/vek_ocl/Range.h>

#include "support/InternalMessage.h"
#include "support/OclError.h"

using VEK::OCL::Range;
using VEKTest::InternalMessageOf;

TEST(Range, ValuesSizesAndComparison) {
    const Range<3> r(4, 5, 6);
    EXPECT_EQ(r.size(), 3u);
    EXPECT_EQ(r.dimensions(), 3u);
    EXPECT_EQ(r[0], 4u);
    EXPECT_EQ(r[1], 5u);
    EXPECT_EQ(r[2], 6u);
    EXPECT_EQ(r.end() - r.begin(), 3);

    EXPECT_TRUE(Range<1>(7) == Range<1>(7));
    EXPECT_TRUE(Range<1>(7) != Range<1>(8));
    EXPECT_TRUE(r == r);
    EXPECT_TRUE(Range<2>(1, 2) != Range<2>(2, 1));
    EXPECT_TRUE(Range<3>(9) == Range<3>(9, 9, 9));

    Range<2> assigned;
    assigned.assign(3);
    EXPECT_TRUE(assigned == Range<2>(3, 3));
    assigned[1] = 11;
    EXPECT_EQ(assigned[1], 11u);
    EXPECT_EQ(*(assigned.begin() + 1), 11u);

    // Handed to OpenCL as an array of size_t.
    static_assert(sizeof(Range<3>) == 3 * sizeof(std::size_t), "no padding");
    static_assert(std::is_same<decltype(*r.begin()), const std::size_t&>::value, "size_t");
}

TEST(Range, WrongArityAndIndexThrow) {
    EXPECT_EQ(InternalMessageOf([] { Range<3> r(1, 2); }), "N==2");
    EXPECT_EQ(InternalMessageOf([] { Range<1> r(1, 2); }), "N==2");
    EXPECT_EQ(InternalMessageOf([] { Range<2> r(1, 2, 3); }), "N==3");
    EXPECT_EQ(InternalMessageOf([] {
                  Range<2> r(1, 2);
                  r[2] = 0;
              }),
              "i < range_.size()");
    EXPECT_EQ(InternalMessageOf([] {
                  const Range<1> r(1);
                  return r[1];
              }),
              "i < range_.size()");
}
