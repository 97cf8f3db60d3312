// Sequences of region operations, run in step on a BoundingRect and a BoundingRegion, with finite
// coordinates, the whole plane, canonical and non-canonical empty rectangles and NaN where the
// rules say what a NaN does. After every step: no NaN in the bounds, emptiness agrees with the
// hull and between the two types, a non-empty region contains its own bounds, and each operation
// keeps its promise (an included point is contained, an intersection lies in both, a subtraction
// in what it cut from, a failed outset or inset changes nothing).
//
// Left out on purpose: eroding by a rectangle with infinite bounds (infinity minus infinity) and
// asking that including a point into a non-canonical empty rectangle gives just that point; both
// are known faults mended elsewhere.
#include <vek/core/exceptions/InternalException.h>
#include <vek/core/math/region_2d/BoundingRect.h>
#include <vek/core/math/region_2d/BoundingRegion.h>

#include <cmath>
#include <limits>
#include <sstream>

#include "FuzzInput.h"

using VEK::BoundingRect;
using VEK::BoundingRegion;
using VEK::float2;

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();

// Finite, within +-2^20, so that no chain of operations overflows to infinity.
float Coordinate(VEKFuzz::Input& in) {
    return static_cast<float>(in.i32()) / 2048.0f;
}

float2 Point(VEKFuzz::Input& in) {
    const float x = Coordinate(in);
    const float y = Coordinate(in);
    return float2(x, y);
}

std::string Text(const BoundingRect& r) {
    std::ostringstream text;
    text << "(" << r.min[0] << ", " << r.min[1] << ")-(" << r.max[0] << ", " << r.max[1] << ")";
    return text.str();
}

// An argument rectangle; finiteOnly leaves out the whole plane.
BoundingRect Shape(VEKFuzz::Input& in, bool finiteOnly) {
    BoundingRect r;
    switch (in.byte() % 4) {
        case 0:
            break;  // canonical empty
        case 1:
            if (!finiteOnly) {
                r.makeEverywhere();
                break;
            }
            [[fallthrough]];
        case 2: {
            const float2 a = Point(in);
            const float2 b = Point(in);
            r = BoundingRect(a, b);
            break;
        }
        default: {
            // Empty but not canonical: finite bounds with min above max in one axis.
            const float2 a = Point(in);
            const float2 b = Point(in);
            r = BoundingRect(a, b);
            if (r.min[1] == r.max[1]) {
                r.max[1] -= 1.0f;
            }
            std::swap(r.min[1], r.max[1]);
        }
    }
    return r;
}

bool HasNaN(const BoundingRect& r) {
    return std::isnan(r.min[0]) || std::isnan(r.min[1]) || std::isnan(r.max[0]) ||
           std::isnan(r.max[1]);
}

void CheckShape(const VEK::BoundingRegionBase& region, const char* which) {
    const BoundingRect bounds = region.boundingRect();
    const std::string name = std::string(which) + " " + Text(bounds);
    VEK_FUZZ_CHECK(!HasNaN(bounds), name + ": NaN in the bounds");
    VEK_FUZZ_CHECK(region.isEmpty() == region.convexHull().empty(),
                   name + ": emptiness and hull disagree");
    if (!region.isEmpty()) {
        VEK_FUZZ_CHECK(
            region.contains(bounds.min) && region.contains(bounds.max) && region.contains(bounds),
            name + ": does not contain its own bounds");
        VEK_FUZZ_CHECK(bounds.width() >= 0.f && bounds.height() >= 0.f && bounds.area() >= 0.f,
                       name + ": negative extent");
        for (const float2& corner : region.convexHull()) {
            VEK_FUZZ_CHECK(region.contains(corner), name + ": a corner is outside");
        }
    } else {
        const std::string text = region.toString();
        VEK_FUZZ_CHECK(text == "Empty" || text == "[]", name + ": an empty region prints " + text);
    }
}

// op on both; then the promise of the operation, checked on each.
template <class Op, class Promise>
void Step(BoundingRect& rect, BoundingRegion& region, Op op, Promise promise) {
    const BoundingRect oldRect = rect;
    const BoundingRect oldRegion = region.boundingRect();
    const bool oldRegionEmpty = region.isEmpty();
    op(static_cast<VEK::BoundingRegionBase&>(rect));
    op(static_cast<VEK::BoundingRegionBase&>(region));
    CheckShape(rect, "rectangle");
    CheckShape(region, "region");
    VEK_FUZZ_CHECK(rect.isEmpty() == region.isEmpty(), "rectangle " + Text(rect) + " and region " +
                                                           Text(region.boundingRect()) +
                                                           " disagree on emptiness");
    if (!rect.isEmpty()) {
        VEK_FUZZ_CHECK(rect == region.boundingRect(), "rectangle " + Text(rect) + " and region " +
                                                          Text(region.boundingRect()) + " differ");
    }
    promise(oldRect, oldRect.isEmpty(), rect);
    promise(oldRegion, oldRegionEmpty, region);
}

void Nothing(const BoundingRect&, bool, const VEK::BoundingRegionBase&) {}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    VEKFuzz::Input in(data, size);
    BoundingRect rect;
    BoundingRegion region;
    using Base = VEK::BoundingRegionBase;
    for (int steps = 0; steps < 64 && !in.empty(); ++steps) {
        switch (in.byte() % 13) {
            case 0: {
                float2 p = Point(in);
                const std::uint8_t nan = in.byte() % 4;
                if (nan & 1)
                    p[0] = kNaN;
                if (nan & 2)
                    p[1] = kNaN;
                Step(
                    rect, region, [&](Base& r) { r.include(p); },
                    [&](const BoundingRect& old, bool oldEmpty, const Base& now) {
                        const BoundingRect b = now.boundingRect();
                        for (int axis = 0; axis < 2; ++axis) {
                            // A NaN coordinate leaves that axis as it was; an empty shape
                            // starts from the point, so it stays empty.
                            if (!std::isnan(p[axis])) {
                                continue;
                            }
                            if (oldEmpty) {
                                VEK_FUZZ_CHECK(now.isEmpty(),
                                               "a NaN coordinate filled an empty shape");
                            } else {
                                VEK_FUZZ_CHECK(
                                    b.min[axis] == old.min[axis] && b.max[axis] == old.max[axis],
                                    "a NaN coordinate moved a bound");
                            }
                        }
                        if (nan == 0) {
                            VEK_FUZZ_CHECK(now.contains(p), "an included point is outside");
                        }
                    });
                break;
            }
            case 1: {
                const BoundingRect r = Shape(in, false);
                Step(
                    rect, region, [&](Base& x) { x.include(r); },
                    [&](const BoundingRect& old, bool oldEmpty, const Base& now) {
                        VEK_FUZZ_CHECK(r.isEmpty() || now.contains(r),
                                       "an included rectangle is outside");
                        VEK_FUZZ_CHECK(oldEmpty || now.contains(old),
                                       "including lost what was there");
                    });
                break;
            }
            case 2: {
                const BoundingRect r = Shape(in, false);
                Step(
                    rect, region, [&](Base& x) { x.intersect(r); },
                    [&](const BoundingRect& old, bool oldEmpty, const Base& now) {
                        if (!now.isEmpty()) {
                            VEK_FUZZ_CHECK(!oldEmpty && r.contains(now) && old.contains(now),
                                           "an intersection reaches outside its operands");
                        }
                    });
                break;
            }
            case 3: {
                const BoundingRect r = Shape(in, false);
                Step(
                    rect, region, [&](Base& x) { x.subtract(r); },
                    [&](const BoundingRect& old, bool oldEmpty, const Base& now) {
                        if (!now.isEmpty()) {
                            VEK_FUZZ_CHECK(!oldEmpty && old.contains(now),
                                           "a subtraction grew the region");
                        }
                    });
                break;
            }
            case 4: {
                const BoundingRect r = Shape(in, false);
                Step(
                    rect, region, [&](Base& x) { x.dilate(r); }, Nothing);
                break;
            }
            case 5: {
                const BoundingRect r = Shape(in, true);
                Step(
                    rect, region, [&](Base& x) { x.erode(r); }, Nothing);
                break;
            }
            case 6:
            case 7: {
                const bool out = in.byte() & 1;
                float2 v(std::fabs(Coordinate(in)), std::fabs(Coordinate(in)));
                const std::uint8_t bad = in.byte() % 8;
                if (bad == 1)
                    v[0] = -v[0] - 1.0f;
                if (bad == 2)
                    v[1] = kNaN;
                const bool fails = bad == 1 || bad == 2;
                Step(
                    rect, region,
                    [&](Base& x) {
                        try {
                            if (out) {
                                x.outset(v);
                            } else {
                                x.inset(v);
                            }
                            VEK_FUZZ_CHECK(!fails, "a negative or NaN outset was accepted");
                        } catch (const VEK::InternalException&) {
                            VEK_FUZZ_CHECK(fails, "a valid outset or inset threw");
                        }
                    },
                    [&](const BoundingRect& old, bool oldEmpty, const Base& now) {
                        if (fails) {
                            VEK_FUZZ_CHECK(oldEmpty ? now.isEmpty() : now.boundingRect() == old,
                                           "a failed outset or inset changed the region");
                        }
                    });
                break;
            }
            case 8: {
                const float2 v = Point(in);
                Step(
                    rect, region, [&](Base& x) { x.translate(v); },
                    [&](const BoundingRect&, bool oldEmpty, const Base& now) {
                        VEK_FUZZ_CHECK(now.isEmpty() == oldEmpty,
                                       "a translation changed emptiness");
                    });
                break;
            }
            case 9:
                Step(
                    rect, region, [](Base& x) { x.makeNowhere(); },
                    [](const BoundingRect&, bool, const Base& now) {
                        VEK_FUZZ_CHECK(now.isEmpty(), "nowhere is not empty");
                    });
                break;
            case 10:
                Step(
                    rect, region, [](Base& x) { x.makeEverywhere(); },
                    [](const BoundingRect&, bool, const Base& now) {
                        VEK_FUZZ_CHECK(now.contains(float2(1e30f, -1e30f)),
                                       "everywhere misses a point");
                    });
                break;
            case 11: {
                // Region against region, through the copies the value type makes.
                BoundingRegion other(Point(in), Point(in));
                const BoundingRegion copy(region);
                VEK_FUZZ_CHECK(copy == region, "a copy differs from its original");
                other = region;
                VEK_FUZZ_CHECK(other == region && other.isEmpty() == region.isEmpty(),
                               "an assigned region differs from its source");
                break;
            }
            default: {
                const float2 a = Point(in);
                const float2 b = Point(in);
                rect = BoundingRect(a, b);
                region = BoundingRegion(a, b);
                CheckShape(rect, "made rectangle");
                CheckShape(region, "made region");
                VEK_FUZZ_CHECK(rect.contains(a) && rect.contains(b) && region.contains(a) &&
                                   region.contains(b),
                               "a rectangle misses a point it was made from");
                break;
            }
        }
    }
    return 0;
}
