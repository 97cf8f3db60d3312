#include "vek/core/math/region_2d/BoundingRect.h"

#include <cmath>
#include <limits>
#include <sstream>

#include "vek/core/exceptions/InternalException.h"
#include "vek/core/memory/VEKMemory.h"

namespace VEK {

namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();

bool IsRectangleKind(const BoundingRegionBase& region) {
    return region.representation() == BoundingRegionBase::kBoundingRect;
}

}  // namespace

BoundingRect::BoundingRect() : min(kInfinity), max(-kInfinity) {}

BoundingRect::BoundingRect(const float2& a, const float2& b) : BoundingRect() {
    include(a);
    include(b);
}

BoundingRect::BoundingRect(const BoundingRect& other) = default;

BoundingRect& BoundingRect::operator=(const BoundingRect& other) = default;

BoundingRect::~BoundingRect() = default;

bool BoundingRect::operator==(const BoundingRect& other) const {
    return min == other.min && max == other.max;
}

float BoundingRect::area() const {
    if (max[0] > min[0] && max[1] > min[1]) {
        return width() * height();
    }
    return 0.f;
}

BoundingRect BoundingRect::InfinitePlane() {
    BoundingRect plane;
    plane.makeEverywhere();
    return plane;
}

BoundingRect* BoundingRect::clone() const {
    BoundingRect* copy = VEK_NEW(BoundingRect)(*this);
    VEK_ENFORCE(copy != nullptr);
    return copy;
}

bool BoundingRect::isEmpty() const {
    return min[0] > max[0] || min[1] > max[1];
}

void BoundingRect::makeNowhere() {
    min = float2(kInfinity);
    max = float2(-kInfinity);
}

void BoundingRect::makeEverywhere() {
    min = float2(-kInfinity);
    max = float2(kInfinity);
}

void BoundingRect::include(const BoundingRegionBase& region) {
    if (IsRectangleKind(region)) {
        const BoundingRect r = region.boundingRect();
        if (isEmpty()) {
            min = r.min;
            max = r.max;
        } else if (!r.isEmpty()) {
            min.min(r.min);
            max.max(r.max);
        }
        return;
    }
    const std::vector<float2> hull = region.convexHull();
    if (isEmpty()) {
        *this = RectFromHull(hull);
    } else if (!region.isEmpty()) {
        for (const float2& point : hull) {
            include(point);
        }
    }
}

void BoundingRect::include(const float2& point) {
    // An empty rectangle left with finite bounds (by intersect or inset) must not bring them
    // back: the result starts from the point alone.
    if (isEmpty()) {
        makeNowhere();
    }
    min.min(point);
    max.max(point);
}

bool BoundingRect::contains(const BoundingRegionBase& region) const {
    if (IsRectangleKind(region)) {
        const BoundingRect r = region.boundingRect();
        return contains(r.min) && contains(r.max);
    }
    for (const float2& point : region.convexHull()) {
        if (!contains(point)) {
            return false;
        }
    }
    return true;
}

bool BoundingRect::contains(const float2& point) const {
    return point[0] >= min[0] && point[1] >= min[1] && point[0] <= max[0] && point[1] <= max[1];
}

void BoundingRect::intersect(const BoundingRegionBase& region) {
    if (region.isEmpty()) {
        makeNowhere();
        return;
    }
    if (isEmpty()) {
        return;
    }
    const BoundingRect r = RectOf(region);
    max.min(r.max);
    min.max(r.min);
}

void BoundingRect::subtract(const BoundingRegionBase& region) {
    const BoundingRect r = RectFromHull(region.convexHull());
    if (r.isEmpty()) {
        return;
    }
    // A strip spanning the full width cuts the bottom or the top.
    if (r.min[0] <= min[0] && r.max[0] >= max[0]) {
        if (r.max[1] > min[1] && r.min[1] <= min[1]) {
            min[1] = r.max[1];
        }
        if (r.min[1] < max[1] && r.max[1] >= max[1]) {
            max[1] = r.min[1];
        }
    }
    // Then, on what is left, a strip spanning the full height cuts the left or the right.
    if (r.min[1] <= min[1] && r.max[1] >= max[1]) {
        if (r.max[0] > min[0] && r.min[0] <= min[0]) {
            min[0] = r.max[0];
        }
        if (r.min[0] < max[0] && r.max[0] >= max[0]) {
            max[0] = r.min[0];
        }
    }
}

void BoundingRect::dilate(const BoundingRegionBase& region) {
    const BoundingRect r = RectFromHull(region.convexHull());
    // Growing nothing gives nothing; adding bounds to an empty rectangle's could open it up
    // (or, with infinite bounds, give NaN).
    if (r.isEmpty() || isEmpty()) {
        makeNowhere();
        return;
    }
    min += r.min;
    max += r.max;
    emptyIfNaN();
}

void BoundingRect::erode(const BoundingRect& rect) {
    if (rect.isEmpty()) {
        makeEverywhere();
    } else if (isEmpty()) {
        makeNowhere();
        return;
    }
    min -= rect.min;
    max -= rect.max;
    emptyIfNaN();
}

void BoundingRect::translate(const float2& v) {
    if (isEmpty()) {
        makeNowhere();
        return;
    }
    min += v;
    max += v;
    emptyIfNaN();
}

std::vector<float2> BoundingRect::convexHull() const {
    if (isEmpty()) {
        return {};
    }
    return {min, float2(max[0], min[1]), max, float2(min[0], max[1])};
}

BoundingRect BoundingRect::boundingRect() const {
    return *this;
}

BoundingRegionBase::Representation BoundingRect::representation() const {
    return kBoundingRect;
}

std::string BoundingRect::toString() const {
    if (isEmpty()) {
        return "Empty";
    }
    std::ostringstream text;
    text << min[0] << ", " << min[1] << "   " << max[0] << ", " << max[1] << "   ";
    return text.str();
}

BoundingRect BoundingRect::RectFromHull(const std::vector<float2>& hull) {
    BoundingRect r;
    for (const float2& point : hull) {
        r.include(point);
    }
    return r;
}

bool BoundingRect::ContainsNaN(const float2& v) {
    return std::isnan(v[0]) || std::isnan(v[1]);
}

void BoundingRect::emptyIfNaN() {
    // Infinite bounds moved by infinities (inf - inf) give NaN, which no comparison of isEmpty
    // catches; such a result holds no point.
    if (ContainsNaN(min) || ContainsNaN(max)) {
        makeNowhere();
    }
}

BoundingRect BoundingRect::RectOf(const BoundingRegionBase& region) {
    return IsRectangleKind(region) ? region.boundingRect() : RectFromHull(region.convexHull());
}

}  // namespace VEK
