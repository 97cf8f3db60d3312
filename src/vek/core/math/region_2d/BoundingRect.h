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
    /// Empty.
    BoundingRect();
    /// The smallest rectangle holding both points, in either order.
    BoundingRect(const float2& a, const float2& b);
    BoundingRect(const BoundingRect& other);
    BoundingRect& operator=(const BoundingRect& other);
    ~BoundingRect() override;

    /// The four bounds compared exactly, so two empty rectangles may differ.
    bool operator==(const BoundingRect& other) const;
    bool operator!=(const BoundingRect& other) const { return !(*this == other); }

    /// Unclamped: negative or infinite for an empty rectangle.
    float width() const { return max[0] - min[0]; }
    float height() const { return max[1] - min[1]; }
    /// 0 unless the rectangle has extent on both axes.
    float area() const;

    static BoundingRect InfinitePlane();

    BoundingRect* clone() const override;
    bool isEmpty() const override;
    void makeNowhere() override;
    void makeEverywhere() override;
    void include(const BoundingRegionBase& region) override;
    /// A NaN coordinate leaves that bound as it is.
    void include(const float2& point) override;
    /// An empty rectangle argument counts as its two infinite corners.
    bool contains(const BoundingRegionBase& region) const override;
    bool contains(const float2& point) const override;
    void intersect(const BoundingRegionBase& region) override;
    /// Cuts off a full-width or full-height strip that the region covers; anything else leaves
    /// the rectangle as it is.
    void subtract(const BoundingRegionBase& region) override;
    /// An empty rectangle stays empty; dilating by an empty region makes it empty.
    void dilate(const BoundingRegionBase& region) override;
    /// Eroding by an empty rectangle gives the whole plane; a NaN bound in the result makes it
    /// empty.
    void erode(const BoundingRect& rect) override;
    /// An empty rectangle stays empty; a NaN bound in the result makes it empty.
    void translate(const float2& v) override;
    /// The four corners counter-clockwise from min; none when empty.
    std::vector<float2> convexHull() const override;
    BoundingRect boundingRect() const override;
    Representation representation() const override;
    /// "Empty", or "min.x, min.y   max.x, max.y   ".
    std::string toString() const override;

    float2 min;
    float2 max;

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
