#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "vek/Export.h"
#include "vek/core/math/Vector.h"

namespace VEK {

class BoundingRect;

/// A set of points in the plane with set-like operations. Results are conservative: a region
/// that cannot represent an exact answer keeps one that covers it.
class VEK_EXPORT BoundingRegionBase {
public:
    /// The kinds of region; the rectangle is the only one the library makes.
    enum Representation {
        kBoundingRect = 1  ///< an axis-aligned rectangle, BoundingRect
    };

    /// Throws nothing.
    virtual ~BoundingRegionBase();
    /// A heap copy of the same class, made through the allocation hook; destroy it with
    /// VEK_DELETE. Throws InternalException when the hook gives no memory.
    virtual BoundingRegionBase* clone() const = 0;
    /// Whether the region holds no point. Throws nothing.
    virtual bool isEmpty() const = 0;
    /// Becomes the empty region. Throws nothing.
    virtual void makeNowhere() = 0;
    /// Becomes the whole plane. Throws InternalException when the hook gives no memory for it.
    virtual void makeEverywhere() = 0;
    /// Grows to cover region as well. Throws InternalException when the hook gives no memory.
    virtual void include(const BoundingRegionBase& region) = 0;
    /// Grows to cover point as well. Throws InternalException when the hook gives no memory.
    virtual void include(const float2& point) = 0;
    /// Whether every point of region lies in this one (bounds inclusive). Throws only
    /// std::bad_alloc.
    virtual bool contains(const BoundingRegionBase& region) const = 0;
    /// Whether point lies in the region (bounds inclusive). Throws nothing.
    virtual bool contains(const float2& point) const = 0;
    /// Keeps only what also lies in region. Throws InternalException when the hook gives no
    /// memory.
    virtual void intersect(const BoundingRegionBase& region) = 0;
    /// Removes what can be removed while the result keeps its kind; the result covers the
    /// difference. Throws InternalException when the hook gives no memory.
    virtual void subtract(const BoundingRegionBase& region) = 0;
    /// Minkowski sum with the region. Throws InternalException when the hook gives no memory.
    virtual void dilate(const BoundingRegionBase& region) = 0;
    /// Minkowski difference with the rectangle. Throws InternalException when the hook gives no
    /// memory.
    virtual void erode(const BoundingRect& rect) = 0;
    /// Grows by vOutset on every side (dilate by the rectangle -vOutset to vOutset). Throws
    /// InternalException ("vOutset.x >= 0.f && vOutset.y >= 0.f") for a negative or NaN
    /// component, or when the hook gives no memory.
    virtual void outset(const float2& vOutset);
    /// Shrinks by vInset on every side (erode by the rectangle -vInset to vInset). Throws
    /// InternalException ("vInset.x >= 0.f && vInset.y >= 0.f") for a negative or NaN
    /// component, or when the hook gives no memory.
    virtual void inset(const float2& vInset);
    /// Moves the region by v. Throws InternalException when the hook gives no memory.
    virtual void translate(const float2& v) = 0;
    /// The corners of the smallest convex polygon around the region; none when empty. Throws
    /// only std::bad_alloc.
    virtual std::vector<float2> convexHull() const = 0;
    /// The smallest rectangle around the region. Throws nothing.
    virtual BoundingRect boundingRect() const = 0;
    /// Which kind of region this is. Throws nothing.
    virtual Representation representation() const = 0;
    /// A readable form of the region, for logs and tests. Throws only std::bad_alloc.
    virtual std::string toString() const = 0;

protected:
    /// For derived kinds. Throws nothing.
    BoundingRegionBase() = default;
    /// For derived kinds. Throws nothing.
    BoundingRegionBase(const BoundingRegionBase&) = default;
    /// For derived kinds. Throws nothing.
    BoundingRegionBase& operator=(const BoundingRegionBase&) = default;
};

/// Writes region.toString(). Throws only what the stream throws and std::bad_alloc.
VEK_EXPORT std::ostream& operator<<(std::ostream& stream, const BoundingRegionBase& region);

}  // namespace VEK
