#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include <vek/core/exceptions/InternalException.h>
#include <vek/core/math/region_2d/BoundingRect.h>
#include <vek/core/math/region_2d/BoundingRegion.h>

#include "support/InternalMessage.h"

using VEK::BoundingRect;
using VEK::BoundingRegion;
using VEK::float2;

using VEKTest::InternalMessageOf;

namespace {

const float kInf = std::numeric_limits<float>::infinity();
const float kNaN = std::numeric_limits<float>::quiet_NaN();

BoundingRect Rect(float x0, float y0, float x1, float y1) {
    return BoundingRect(float2(x0, y0), float2(x1, y1));
}

// A region kind other than the rectangle: a triangle, so that the hull-based branches run.
class Triangle : public VEK::BoundingRegionBase {
public:
    Triangle(float2 a, float2 b, float2 c) : points_{a, b, c} {}
    Triangle() = default;

    Triangle* clone() const override { return nullptr; }
    bool isEmpty() const override { return points_.empty(); }
    void makeNowhere() override { points_.clear(); }
    void makeEverywhere() override {}
    void include(const VEK::BoundingRegionBase&) override {}
    void include(const float2&) override {}
    bool contains(const VEK::BoundingRegionBase&) const override { return false; }
    bool contains(const float2&) const override { return false; }
    void intersect(const VEK::BoundingRegionBase&) override {}
    void subtract(const VEK::BoundingRegionBase&) override {}
    void dilate(const VEK::BoundingRegionBase&) override {}
    void erode(const BoundingRect&) override {}
    void translate(const float2&) override {}
    std::vector<float2> convexHull() const override { return points_; }
    BoundingRect boundingRect() const override { return BoundingRect(); }
    Representation representation() const override { return static_cast<Representation>(2); }
    std::string toString() const override { return "triangle"; }

private:
    std::vector<float2> points_;
};

}  // namespace

TEST(BoundingRect, EmptyPointAndPlane) {
    BoundingRect r;
    EXPECT_TRUE(r.isEmpty());
    EXPECT_EQ(r.area(), 0.f);
    EXPECT_EQ(r.toString(), "Empty");
    EXPECT_EQ(r.min, float2(kInf, kInf));
    EXPECT_EQ(r.max, float2(-kInf, -kInf));
    EXPECT_TRUE(r.convexHull().empty());
    EXPECT_FALSE(r.contains(float2(0, 0)));

    r.include(float2(2, 3));
    EXPECT_FALSE(r.isEmpty());
    EXPECT_EQ(r.area(), 0.f);
    EXPECT_EQ(r.width(), 0.f);
    EXPECT_TRUE(r.contains(float2(2, 3)));
    EXPECT_FALSE(r.contains(float2(2, 3.001f)));
    // NaN coordinates leave the bounds alone.
    r.include(float2(kNaN, 7));
    EXPECT_EQ(r, Rect(2, 3, 2, 7));

    const BoundingRect plane = BoundingRect::InfinitePlane();
    EXPECT_EQ(plane.min, float2(-kInf, -kInf));
    EXPECT_EQ(plane.max, float2(kInf, kInf));
    EXPECT_TRUE(plane.contains(float2(-3e38f, 3e38f)));
    EXPECT_TRUE(plane.contains(Rect(-1e30f, -5, 1e30f, 5)));
    BoundingRect cut = plane;
    cut.intersect(Rect(1, 2, 3, 4));
    EXPECT_EQ(cut, Rect(1, 2, 3, 4));
}

TEST(BoundingRect, ShapeQueriesAndText) {
    const BoundingRect r(float2(4, -1), float2(1, 3));  // the corner order does not matter
    EXPECT_EQ(r, Rect(1, -1, 4, 3));
    EXPECT_NE(r, Rect(1, -1, 4, 3.5f));
    EXPECT_EQ(r.width(), 3.f);
    EXPECT_EQ(r.height(), 4.f);
    EXPECT_EQ(r.area(), 12.f);
    EXPECT_EQ(r.toString(), "1, -1   4, 3   ");
    std::ostringstream out;
    out << r;
    EXPECT_EQ(out.str(), "1, -1   4, 3   ");
    const std::vector<float2> hull = r.convexHull();
    ASSERT_EQ(hull.size(), 4u);
    EXPECT_EQ(hull[0], float2(1, -1));
    EXPECT_EQ(hull[1], float2(4, -1));
    EXPECT_EQ(hull[2], float2(4, 3));
    EXPECT_EQ(hull[3], float2(1, 3));
    EXPECT_EQ(r.boundingRect(), r);
    EXPECT_EQ(r.representation(), VEK::BoundingRegionBase::kBoundingRect);

    // Inclusive bounds.
    EXPECT_TRUE(r.contains(float2(1, 3)));
    EXPECT_TRUE(r.contains(float2(4, -1)));
    EXPECT_FALSE(r.contains(float2(kNaN, 0)));
    EXPECT_TRUE(r.contains(Rect(1, 0, 2, 3)));
    EXPECT_FALSE(r.contains(Rect(1, 0, 5, 3)));
    // An empty rectangle counts by its infinite corners: only the plane holds it.
    EXPECT_FALSE(r.contains(BoundingRect()));
    EXPECT_TRUE(BoundingRect::InfinitePlane().contains(BoundingRect()));
}

TEST(BoundingRect, IncludeAndIntersect) {
    BoundingRect r;
    r.include(Rect(0, 0, 1, 1));
    EXPECT_EQ(r, Rect(0, 0, 1, 1));
    r.include(BoundingRect());
    EXPECT_EQ(r, Rect(0, 0, 1, 1));
    r.include(Rect(-2, 0.5f, 0.5f, 3));
    EXPECT_EQ(r, Rect(-2, 0, 1, 3));
    // A region value counts as its rectangle.
    r.include(BoundingRegion(float2(5, 5), float2(6, 6)));
    EXPECT_EQ(r, Rect(-2, 0, 6, 6));

    r.intersect(Rect(-1, 1, 10, 2));
    EXPECT_EQ(r, Rect(-1, 1, 6, 2));
    // Disjoint rectangles leave an empty one.
    r.intersect(Rect(7, 0, 8, 5));
    EXPECT_TRUE(r.isEmpty());
    // Once empty, an intersection changes nothing; an empty argument empties.
    r.intersect(Rect(0, 0, 100, 100));
    EXPECT_TRUE(r.isEmpty());
    BoundingRect s = Rect(0, 0, 1, 1);
    s.intersect(BoundingRegion());
    EXPECT_EQ(s, BoundingRect());

    // A collapsed rectangle is empty, so it becomes a copy of what it includes.
    r.include(Rect(3, 3, 4, 4));
    EXPECT_EQ(r, Rect(3, 3, 4, 4));
}

// One bound at a time against (0, 0)-(10, 10): including a rectangle that reaches past one edge
// moves that edge alone, intersecting with one that stops short of one edge moves it alone, and
// a point past one edge alone is outside.
TEST(BoundingRect, IncludeIntersectAndContainsEachEdgeAlone) {
    const struct {
        const char* edge;
        BoundingRect past;    // within the other three edges, past this one
        BoundingRect grown;   // (0, 0)-(10, 10) including past
        BoundingRect short_;  // covering the other three edges, short of this one
        BoundingRect cut;     // (0, 0)-(10, 10) intersected with short_
        float2 onEdge, outside;
    } rows[] = {
        {"left", Rect(-1, 2, 5, 8), Rect(-1, 0, 10, 10), Rect(1, -1, 11, 11), Rect(1, 0, 10, 10),
         float2(0, 5), float2(-0.5f, 5)},
        {"bottom", Rect(2, -1, 8, 5), Rect(0, -1, 10, 10), Rect(-1, 1, 11, 11), Rect(0, 1, 10, 10),
         float2(5, 0), float2(5, -0.5f)},
        {"right", Rect(5, 2, 11, 8), Rect(0, 0, 11, 10), Rect(-1, -1, 9, 11), Rect(0, 0, 9, 10),
         float2(10, 5), float2(10.5f, 5)},
        {"top", Rect(2, 5, 8, 11), Rect(0, 0, 10, 11), Rect(-1, -1, 11, 9), Rect(0, 0, 10, 9),
         float2(5, 10), float2(5, 10.5f)},
    };
    for (const auto& row : rows) {
        const BoundingRect square = Rect(0, 0, 10, 10);
        BoundingRect grown = square;
        grown.include(row.past);
        EXPECT_EQ(grown, row.grown) << row.edge;
        // Through the hull branch as well.
        const std::vector<float2> corners = row.past.convexHull();
        BoundingRect hull = square;
        hull.include(Triangle(corners[0], corners[1], corners[2]));
        hull.include(Triangle(corners[0], corners[2], corners[3]));
        EXPECT_EQ(hull, row.grown) << row.edge;

        BoundingRect cut = square;
        cut.intersect(row.short_);
        EXPECT_EQ(cut, row.cut) << row.edge;

        EXPECT_TRUE(square.contains(row.onEdge)) << row.edge;
        EXPECT_FALSE(square.contains(row.outside)) << row.edge;
        EXPECT_FALSE(square.contains(row.past)) << row.edge;
        EXPECT_TRUE(row.grown.contains(square)) << row.edge;
    }
}

TEST(BoundingRect, OtherRegionKindsCountThroughTheirHull) {
    const Triangle triangle(float2(0, 0), float2(4, 1), float2(1, 3));
    BoundingRect r;
    r.include(triangle);
    EXPECT_EQ(r, Rect(0, 0, 4, 3));
    r.include(Triangle(float2(-1, 1), float2(0, 0), float2(0, 5)));
    EXPECT_EQ(r, Rect(-1, 0, 4, 5));
    r.include(Triangle());
    EXPECT_EQ(r, Rect(-1, 0, 4, 5));

    EXPECT_TRUE(r.contains(triangle));
    EXPECT_FALSE(Rect(0, 0, 3.9f, 3).contains(triangle));
    EXPECT_TRUE(Rect(0, 0, 1, 1).contains(Triangle()));

    r.intersect(triangle);
    EXPECT_EQ(r, Rect(0, 0, 4, 3));
    r.subtract(Triangle(float2(-1, -1), float2(5, -1), float2(5, 1)));
    EXPECT_EQ(r, Rect(0, 1, 4, 3));
    r.dilate(Triangle(float2(-1, 0), float2(1, 0), float2(0, 2)));
    EXPECT_EQ(r, Rect(-1, 1, 5, 5));
    r.intersect(Triangle());
    EXPECT_TRUE(r.isEmpty());
}

TEST(BoundingRect, SubtractCutsOnlyFullStrips) {
    BoundingRect r = Rect(0, 0, 10, 10);
    // Wider than the rectangle and covering its lower half: the upper half is left.
    r.subtract(Rect(-5, -5, 15, 5));
    EXPECT_EQ(r, Rect(0, 5, 10, 10));
    // The top strip.
    r.subtract(Rect(0, 8, 10, 20));
    EXPECT_EQ(r, Rect(0, 5, 10, 8));
    // Left and right strips spanning the full height.
    r.subtract(Rect(-1, 0, 2, 9));
    EXPECT_EQ(r, Rect(2, 5, 10, 8));
    r.subtract(Rect(9, 5, 11, 8));
    EXPECT_EQ(r, Rect(2, 5, 9, 8));

    // Strictly inside, only partly across, or empty: nothing changes.
    const BoundingRect before = r;
    r.subtract(Rect(3, 6, 4, 7));
    r.subtract(Rect(0, 0, 5, 6));
    r.subtract(BoundingRect());
    r.subtract(BoundingRegion());
    EXPECT_EQ(r, before);

    // Strips flush with the edges count as covering them.
    BoundingRect flush = Rect(0, 0, 10, 10);
    flush.subtract(Rect(0, 0, 10, 3));
    EXPECT_EQ(flush, Rect(0, 3, 10, 10));
    flush.subtract(Rect(7, 3, 10, 10));
    EXPECT_EQ(flush, Rect(0, 3, 7, 10));

    // Covering everything: both cuts apply and the result is empty.
    r.subtract(Rect(-100, -100, 100, 100));
    EXPECT_TRUE(r.isEmpty());
}

// One edge of (0, 0)-(10, 10) at a time: a strip from past three edges, then the same strip with
// one bound moved onto the edge (still cut) or short of it (nothing cut).
TEST(BoundingRect, SubtractCutsEachEdgeWithStripsFlushOrPast) {
    const struct {
        const char* what;
        BoundingRect strip;
        BoundingRect left;
    } rows[] = {
        {"left, past", Rect(-1, -1, 3, 11), Rect(3, 0, 10, 10)},
        {"left, flush left", Rect(0, -1, 3, 11), Rect(3, 0, 10, 10)},
        {"left, flush bottom", Rect(-1, 0, 3, 11), Rect(3, 0, 10, 10)},
        {"left, flush top", Rect(-1, -1, 3, 10), Rect(3, 0, 10, 10)},
        {"left, short of left", Rect(0.5f, -1, 3, 11), Rect(0, 0, 10, 10)},
        {"left, short of bottom", Rect(-1, 0.5f, 3, 11), Rect(0, 0, 10, 10)},
        {"left, short of top", Rect(-1, -1, 3, 9.5f), Rect(0, 0, 10, 10)},

        {"right, past", Rect(7, -1, 11, 11), Rect(0, 0, 7, 10)},
        {"right, flush right", Rect(7, -1, 10, 11), Rect(0, 0, 7, 10)},
        {"right, flush bottom", Rect(7, 0, 11, 11), Rect(0, 0, 7, 10)},
        {"right, flush top", Rect(7, -1, 11, 10), Rect(0, 0, 7, 10)},
        {"right, short of right", Rect(7, -1, 9.5f, 11), Rect(0, 0, 10, 10)},
        {"right, short of bottom", Rect(7, 0.5f, 11, 11), Rect(0, 0, 10, 10)},
        {"right, short of top", Rect(7, -1, 11, 9.5f), Rect(0, 0, 10, 10)},

        {"bottom, past", Rect(-1, -1, 11, 3), Rect(0, 3, 10, 10)},
        {"bottom, flush bottom", Rect(-1, 0, 11, 3), Rect(0, 3, 10, 10)},
        {"bottom, flush left", Rect(0, -1, 11, 3), Rect(0, 3, 10, 10)},
        {"bottom, flush right", Rect(-1, -1, 10, 3), Rect(0, 3, 10, 10)},
        {"bottom, short of bottom", Rect(-1, 0.5f, 11, 3), Rect(0, 0, 10, 10)},
        {"bottom, short of left", Rect(0.5f, -1, 11, 3), Rect(0, 0, 10, 10)},
        {"bottom, short of right", Rect(-1, -1, 9.5f, 3), Rect(0, 0, 10, 10)},

        {"top, past", Rect(-1, 7, 11, 11), Rect(0, 0, 10, 7)},
        {"top, flush top", Rect(-1, 7, 11, 10), Rect(0, 0, 10, 7)},
        {"top, flush left", Rect(0, 7, 11, 11), Rect(0, 0, 10, 7)},
        {"top, flush right", Rect(-1, 7, 10, 11), Rect(0, 0, 10, 7)},
        {"top, short of top", Rect(-1, 7, 11, 9.5f), Rect(0, 0, 10, 10)},
        {"top, short of left", Rect(0.5f, 7, 11, 11), Rect(0, 0, 10, 10)},
        {"top, short of right", Rect(-1, 7, 9.5f, 11), Rect(0, 0, 10, 10)},

        // A strip only touching an edge cuts nothing off.
        {"touching left", Rect(-1, -1, 0, 11), Rect(0, 0, 10, 10)},
        {"touching top", Rect(-1, 10, 11, 11), Rect(0, 0, 10, 10)},
    };
    for (const auto& row : rows) {
        BoundingRect r = Rect(0, 0, 10, 10);
        r.subtract(row.strip);
        EXPECT_EQ(r, row.left) << row.what << ": " << r;
    }
}

TEST(BoundingRect, DilateErodeOutsetInsetTranslate) {
    BoundingRect r = Rect(0, 0, 10, 10);
    r.outset(float2(1, 2));
    EXPECT_EQ(r, Rect(-1, -2, 11, 12));
    r.inset(float2(1, 2));
    EXPECT_EQ(r, Rect(0, 0, 10, 10));
    r.dilate(Rect(1, 2, 3, 4));
    EXPECT_EQ(r, Rect(1, 2, 13, 14));
    r.erode(Rect(1, 2, 3, 4));
    EXPECT_EQ(r, Rect(0, 0, 10, 10));
    r.translate(float2(-5, 0.5f));
    EXPECT_EQ(r, Rect(-5, 0.5f, 5, 10.5f));
    // Shrinking past the centre leaves an empty rectangle.
    r.inset(float2(6, 1));
    EXPECT_TRUE(r.isEmpty());

    BoundingRect e = Rect(0, 0, 1, 1);
    e.erode(BoundingRect());
    EXPECT_EQ(e, BoundingRect::InfinitePlane());
    BoundingRect d = Rect(0, 0, 1, 1);
    d.dilate(BoundingRect());
    EXPECT_EQ(d, BoundingRect());

    // The empty rectangle stays empty, even grown by the whole plane or from a collapsed state.
    BoundingRect nothing;
    nothing.dilate(BoundingRect::InfinitePlane());
    EXPECT_EQ(nothing, BoundingRect());
    BoundingRect collapsed = Rect(0, 0, 1, 1);
    collapsed.intersect(Rect(5, 5, 6, 6));
    collapsed.dilate(Rect(-10, -10, 10, 10));
    EXPECT_TRUE(collapsed.isEmpty());
}

TEST(BoundingRect, IncludingAPointIntoAnyEmptyRectangleStartsFromThePoint) {
    // Emptied by intersect: the stale bounds (0, 0)-(1, 1) must not come back.
    BoundingRect r = Rect(0, 0, 1, 1);
    r.intersect(Rect(5, 5, 6, 6));
    ASSERT_TRUE(r.isEmpty());
    r.include(float2(3, 3));
    EXPECT_EQ(r, Rect(3, 3, 3, 3));
    EXPECT_FALSE(r.contains(float2(1, 1)));

    // Emptied by inset past its centre.
    BoundingRect s = Rect(0, 0, 10, 10);
    s.inset(float2(6, 6));
    ASSERT_TRUE(s.isEmpty());
    s.include(float2(20, -5));
    EXPECT_EQ(s, Rect(20, -5, 20, -5));

    // A NaN point leaves an emptied rectangle empty.
    BoundingRect n = Rect(0, 0, 1, 1);
    n.intersect(Rect(5, 5, 6, 6));
    n.include(float2(kNaN, kNaN));
    EXPECT_TRUE(n.isEmpty());
}

TEST(BoundingRect, InfiniteMovesGiveEmptyRatherThanNaNBounds) {
    const auto hasNaN = [](const BoundingRect& r) {
        return std::isnan(r.min[0]) || std::isnan(r.min[1]) || std::isnan(r.max[0]) ||
               std::isnan(r.max[1]);
    };
    BoundingRect plane = BoundingRect::InfinitePlane();
    plane.inset(float2(kInf, kInf));
    EXPECT_TRUE(plane.isEmpty());
    EXPECT_FALSE(hasNaN(plane));
    EXPECT_FALSE(plane.contains(float2(0, 0)));

    BoundingRect strip(float2(-kInf, 0), float2(kInf, 10));
    strip.erode(BoundingRect(float2(-kInf, 0), float2(kInf, 0)));
    EXPECT_TRUE(strip.isEmpty());
    EXPECT_FALSE(hasNaN(strip));

    BoundingRect nothing;
    nothing.translate(float2(-kInf, kInf));
    EXPECT_TRUE(nothing.isEmpty());
    EXPECT_FALSE(hasNaN(nothing));
    EXPECT_EQ(nothing.area(), 0.f);
    nothing.erode(Rect(kInf, kInf, kInf, kInf));
    EXPECT_TRUE(nothing.isEmpty());
    EXPECT_FALSE(hasNaN(nothing));

    BoundingRect moved = Rect(0, 0, 1, 1);
    moved.translate(float2(kNaN, 0));
    EXPECT_TRUE(moved.isEmpty());
    EXPECT_FALSE(hasNaN(moved));

    // Finite moves are unchanged.
    BoundingRect finite = Rect(0, 0, 4, 4);
    finite.translate(float2(1, 1));
    finite.erode(Rect(-1, -1, 1, 1));
    EXPECT_EQ(finite, Rect(2, 2, 4, 4));
}

TEST(BoundingRect, OutsetAndInsetRefuseNegativeOrNaN) {
    EXPECT_EQ(InternalMessageOf([] { Rect(0, 0, 1, 1).outset(float2(-1, 0)); }),
              "vOutset.x >= 0.f && vOutset.y >= 0.f");
    EXPECT_EQ(InternalMessageOf([] { Rect(0, 0, 1, 1).outset(float2(0, kNaN)); }),
              "vOutset.x >= 0.f && vOutset.y >= 0.f");
    EXPECT_EQ(InternalMessageOf([] { Rect(0, 0, 1, 1).inset(float2(-1, 0)); }),
              "vInset.x >= 0.f && vInset.y >= 0.f");
    EXPECT_EQ(InternalMessageOf([] { BoundingRegion().inset(float2(kNaN, 1)); }),
              "vInset.x >= 0.f && vInset.y >= 0.f");
    BoundingRect r = Rect(0, 0, 1, 1);
    EXPECT_THROW(r.inset(float2(0, -0.5f)), VEK::InternalException);
    EXPECT_EQ(r, Rect(0, 0, 1, 1));
    r.outset(float2(0, 0));
    EXPECT_EQ(r, Rect(0, 0, 1, 1));
}
