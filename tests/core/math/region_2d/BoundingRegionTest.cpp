#include <gtest/gtest.h>

#include <limits>
#include <sstream>

#include <vek/core/exceptions/InternalException.h>
#include <vek/core/math/region_2d/BoundingRegion.h>

#include "support/CountingHooks.h"

using VEK::BoundingRect;
using VEK::BoundingRegion;
using VEK::float2;
using VEKTest::CountingHooks;

namespace {

BoundingRect Rect(float x0, float y0, float x1, float y1) {
    return BoundingRect(float2(x0, y0), float2(x1, y1));
}

}  // namespace

TEST(BoundingRegion, EmptyWithoutARectangleAnswersAsEmpty) {
    CountingHooks::Install();
    const BoundingRegion empty;
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_FALSE(empty.contains(float2(0, 0)));
    EXPECT_FALSE(empty.contains(Rect(0, 0, 1, 1)));
    EXPECT_TRUE(empty.convexHull().empty());
    EXPECT_EQ(empty.boundingRect(), BoundingRect());
    EXPECT_EQ(empty.representation(), VEK::BoundingRegionBase::kBoundingRect);
    EXPECT_EQ(empty.toString(), "[]");
    std::ostringstream out;
    out << empty;
    EXPECT_EQ(out.str(), "[]");
    BoundingRegion copy(empty);
    EXPECT_EQ(copy.toString(), "[]");
    // Nothing was made for any of this.
    EXPECT_TRUE(CountingHooks::Allocations().empty());
}

TEST(BoundingRegion, OperationsMakeTheRectangleThroughTheHooks) {
    CountingHooks::Install();
    {
        BoundingRegion r;
        r.include(float2(1, 2));
        EXPECT_EQ(r.toString(), "1, 2   1, 2   ");
        ASSERT_EQ(CountingHooks::Allocations().size(), 1u);
        EXPECT_EQ(CountingHooks::Allocations()[0].type, VEK::kObjectMemory);
        EXPECT_EQ(CountingHooks::Allocations()[0].size, sizeof(BoundingRect));

        r.include(Rect(0, 0, 4, 4));
        r.subtract(Rect(-1, -1, 5, 1));
        r.intersect(Rect(0, 0, 3, 10));
        r.translate(float2(1, 1));
        r.outset(float2(1, 1));
        r.inset(float2(1, 1));
        EXPECT_EQ(r.boundingRect(), Rect(1, 2, 4, 5));
        EXPECT_TRUE(r.contains(float2(4, 5)));
        EXPECT_EQ(r.convexHull().size(), 4u);
        EXPECT_EQ(CountingHooks::Allocations().size(), 1u);

        // Nowhere releases the rectangle; everywhere makes a new one.
        r.makeNowhere();
        EXPECT_EQ(r.toString(), "[]");
        EXPECT_EQ(CountingHooks::Outstanding(), 0u);
        r.makeEverywhere();
        EXPECT_TRUE(r.contains(float2(1e30f, -1e30f)));

        BoundingRegion grown;
        grown.dilate(Rect(0, 0, 1, 1));
        EXPECT_TRUE(grown.isEmpty());
        BoundingRegion eroded;
        eroded.erode(BoundingRect());
        EXPECT_EQ(eroded.boundingRect(), BoundingRect::InfinitePlane());
        EXPECT_EQ(CountingHooks::Outstanding(), 3u);
    }
    EXPECT_EQ(CountingHooks::Outstanding(), 0u);
}

// Each operation alone on a region and on the rectangle it holds gives the same bounds.
TEST(BoundingRegion, EachOperationAloneActsAsOnItsRectangle) {
    const BoundingRect start = Rect(0, 0, 4, 4);
    const struct {
        const char* what;
        void (*apply)(VEK::BoundingRegionBase&);
    } rows[] = {
        {"include point", [](VEK::BoundingRegionBase& r) { r.include(float2(6, -1)); }},
        {"include region", [](VEK::BoundingRegionBase& r) { r.include(Rect(-2, 1, 1, 2)); }},
        {"intersect", [](VEK::BoundingRegionBase& r) { r.intersect(Rect(1, -1, 5, 3)); }},
        {"subtract", [](VEK::BoundingRegionBase& r) { r.subtract(Rect(-1, -1, 1, 5)); }},
        {"dilate", [](VEK::BoundingRegionBase& r) { r.dilate(Rect(-1, -2, 3, 4)); }},
        {"erode", [](VEK::BoundingRegionBase& r) { r.erode(Rect(-1, -1, 1, 0)); }},
        {"outset", [](VEK::BoundingRegionBase& r) { r.outset(float2(1, 2)); }},
        {"inset", [](VEK::BoundingRegionBase& r) { r.inset(float2(1, 0.5f)); }},
        {"translate", [](VEK::BoundingRegionBase& r) { r.translate(float2(-3, 2)); }},
        {"nowhere", [](VEK::BoundingRegionBase& r) { r.makeNowhere(); }},
        {"everywhere", [](VEK::BoundingRegionBase& r) { r.makeEverywhere(); }},
    };
    for (const auto& row : rows) {
        BoundingRect expected = start;
        row.apply(expected);
        ASSERT_NE(expected, start) << row.what;
        BoundingRegion region(start.min, start.max);
        row.apply(region);
        EXPECT_EQ(region.boundingRect(), expected) << row.what;
        EXPECT_EQ(region.isEmpty(), expected.isEmpty()) << row.what;
        EXPECT_EQ(region.contains(float2(0, 0)), expected.contains(float2(0, 0))) << row.what;
        EXPECT_EQ(region.contains(Rect(1, 1, 2, 2)), expected.contains(Rect(1, 1, 2, 2)))
            << row.what;
    }
}

TEST(BoundingRegion, CopiesAreDeepAndEqualityIsMutualContainment) {
    CountingHooks::Install();
    {
        BoundingRegion a(float2(3, 4), float2(1, 2));
        EXPECT_EQ(a.boundingRect(), Rect(1, 2, 3, 4));
        BoundingRegion b(a);
        EXPECT_TRUE(a == b);
        b.translate(float2(1, 0));
        EXPECT_TRUE(a != b);
        EXPECT_EQ(a.boundingRect(), Rect(1, 2, 3, 4));

        b = a;
        EXPECT_TRUE(a == b);
        const BoundingRegion& same = b;
        b = same;
        EXPECT_EQ(b.boundingRect(), Rect(1, 2, 3, 4));
        BoundingRegion none;
        b = none;
        EXPECT_EQ(b.toString(), "[]");

        // Empty regions are equal whether or not they hold a rectangle.
        BoundingRegion collapsed(float2(0, 0), float2(1, 1));
        collapsed.intersect(Rect(5, 5, 6, 6));
        EXPECT_TRUE(collapsed.isEmpty());
        EXPECT_NE(collapsed.toString(), "[]");
        EXPECT_TRUE(collapsed == none);
        EXPECT_TRUE(none == collapsed);
        EXPECT_FALSE(a == none);

        VEK::BoundingRegionBase* clone = a.clone();
        EXPECT_TRUE(*static_cast<BoundingRegion*>(clone) == a);
        EXPECT_EQ(clone->toString(), a.toString());
        VEK_DELETE(clone);
    }
    EXPECT_EQ(CountingHooks::Outstanding(), 0u);
}

TEST(BoundingRegion, RefusedMemoryThrowsAndLeavesTheTargetAlone) {
    CountingHooks::Install();
    {
        BoundingRegion a(float2(0, 0), float2(1, 1));
        BoundingRegion b(float2(5, 5), float2(6, 6));
        CountingHooks::SetRefuse(true);
        EXPECT_THROW(BoundingRegion copy(a), VEK::InternalException);
        EXPECT_THROW(b = a, VEK::InternalException);
        EXPECT_EQ(b.boundingRect(), Rect(5, 5, 6, 6));
        EXPECT_THROW(a.clone(), VEK::InternalException);
        EXPECT_THROW(BoundingRegion(float2(0, 0), float2(1, 1)), VEK::InternalException);
        BoundingRegion c;
        EXPECT_THROW(c.include(float2(1, 1)), VEK::InternalException);
        EXPECT_TRUE(c.isEmpty());
        CountingHooks::SetRefuse(false);
        c.include(float2(1, 1));
        EXPECT_TRUE(c.contains(float2(1, 1)));
    }
    EXPECT_EQ(CountingHooks::Outstanding(), 0u);
}
