#pragma once

#include <string>
#include <vector>

#include "vek/Export.h"
#include "vek/core/math/Vector.h"
#include "vek/core/math/region_2d/BoundingRegionBase.h"

namespace VEK {

/// Axis-aligned rectangle with inclusive bounds. Empty (nowhere) is min = (+inf, +inf),
/// max = (-inf, -inf); any min greater than max on an axis is empty too. The whole plane
/// (everywhere) is min = (-inf, -inf), max = (+inf, +inf).
class VEK_EXPORT BoundingRect : public BoundingRegionBase {
public:
    /// Empty. Throws nothing.
    BoundingRect();
    /// The smallest rectangle holding both points, in either order. Throws nothing.
    BoundingRect(const float2& a, const float2& b);
    /// Copies the bounds. Throws nothing.
    BoundingRect(const BoundingRect& other);
    /// Copies the bounds. Throws nothing.
    BoundingRect& operator=(const BoundingRect& other);
    /// Throws nothing.
    ~BoundingRect() override;

    /// The four bounds compared exactly, so two empty rectangles may differ. Throws nothing.
    bool operator==(const BoundingRect& other) const;
    /// The negation of ==. Throws nothing.
    bool operator!=(const BoundingRect& other) const { return !(*this == other); }

    /// max.x - min.x, unclamped: negative or infinite for an empty rectangle. Throws nothing.
    float width() const { return max[0] - min[0]; }
    /// max.y - min.y, unclamped: negative or infinite for an empty rectangle. Throws nothing.
    float height() const { return max[1] - min[1]; }
    /// width times height; 0 unless the rectangle has extent on both axes. Throws nothing.
    float area() const;

    /// The whole plane. Throws nothing.
    static BoundingRect InfinitePlane();

    /// A heap copy made through the allocation hook; destroy it with VEK_DELETE. Throws
    /// InternalException ("Enforce copy != nullptr") when the hook gives no memory.
    BoundingRect* clone() const override;
    /// Whether min exceeds max on either axis. Throws nothing.
    bool isEmpty() const override;
    /// Becomes empty. Throws nothing.
    void makeNowhere() override;
    /// Becomes the whole plane. Throws nothing.
    void makeEverywhere() override;
    /// Grows to the bounds of both; an empty region changes nothing. Throws only std::bad_alloc.
    void include(const BoundingRegionBase& region) override;
    /// Grows to hold point. A NaN coordinate leaves that bound as it is. Throws nothing.
    void include(const float2& point) override;
    /// Whether the whole region lies in this one. An empty rectangle argument counts as
    /// its two infinite corners. Throws only std::bad_alloc.
    bool contains(const BoundingRegionBase& region) const override;
    /// min <= point <= max on both axes. Throws nothing.
    bool contains(const float2& point) const override;
    /// Clips to the region's bounds; an empty region makes this empty. Throws only std::bad_alloc.
    void intersect(const BoundingRegionBase& region) override;
    /// Cuts off a full-width or full-height strip that the region covers; anything else leaves
    /// the rectangle as it is. Throws only std::bad_alloc.
    void subtract(const BoundingRegionBase& region) override;
    /// Minkowski sum: min + region's min, max + region's max. An empty rectangle stays empty;
    /// dilating by an empty region makes it empty. Throws only std::bad_alloc.
    void dilate(const BoundingRegionBase& region) override;
    /// Minkowski difference: min - rect.min, max - rect.max. Eroding by an empty rectangle gives
    /// the whole plane; a NaN bound in the result makes it empty. Throws nothing.
    void erode(const BoundingRect& rect) override;
    /// Moves both corners by v. An empty rectangle stays empty; a NaN bound in the result makes
    /// it empty. Throws nothing.
    void translate(const float2& v) override;
    /// The four corners counter-clockwise from min; none when empty. Throws only
    /// std::bad_alloc.
    std::vector<float2> convexHull() const override;
    /// A copy of this rectangle. Throws nothing.
    BoundingRect boundingRect() const override;
    /// kBoundingRect. Throws nothing.
    Representation representation() const override;
    /// "Empty", or "min.x, min.y   max.x, max.y   ". Throws only std::bad_alloc.
    std::string toString() const override;

    float2 min;  ///< lower-left corner, inclusive; (+inf, +inf) when empty
    float2 max;  ///< upper-right corner, inclusive; (-inf, -inf) when empty

private:
    static bool ContainsNaN(const float2& v);
    /// Becomes empty when a bound is NaN.
    void emptyIfNaN();
    static BoundingRect RectFromHull(const std::vector<float2>& hull);
    /// The rectangle that stands for a region: itself when it is of the rectangle kind, else
    /// its hull's bounds.
    static BoundingRect RectOf(const BoundingRegionBase& region);
};

}  // namespace VEK
