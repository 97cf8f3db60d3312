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
    enum Representation { kBoundingRect = 1 };

    virtual ~BoundingRegionBase();
    /// A heap copy of the same class, made through the allocation hook; destroy it with
    /// VEK_DELETE. Throws when the hook gives no memory.
    virtual BoundingRegionBase* clone() const = 0;
    virtual bool isEmpty() const = 0;
    virtual void makeNowhere() = 0;
    virtual void makeEverywhere() = 0;
    virtual void include(const BoundingRegionBase& region) = 0;
    virtual void include(const float2& point) = 0;
    virtual bool contains(const BoundingRegionBase& region) const = 0;
    virtual bool contains(const float2& point) const = 0;
    virtual void intersect(const BoundingRegionBase& region) = 0;
    /// Removes what can be removed while the result keeps its kind; the result covers the
    /// difference.
    virtual void subtract(const BoundingRegionBase& region) = 0;
    /// Minkowski sum with the region.
    virtual void dilate(const BoundingRegionBase& region) = 0;
    /// Minkowski difference with the rectangle.
    virtual void erode(const BoundingRect& rect) = 0;
    /// Grows by v on every side; both components must be at least 0.
    virtual void outset(const float2& vOutset);
    /// Shrinks by v on every side; both components must be at least 0.
    virtual void inset(const float2& vInset);
    virtual void translate(const float2& v) = 0;
    virtual std::vector<float2> convexHull() const = 0;
    virtual BoundingRect boundingRect() const = 0;
    virtual Representation representation() const = 0;
    virtual std::string toString() const = 0;

protected:
    BoundingRegionBase() = default;
    BoundingRegionBase(const BoundingRegionBase&) = default;
    BoundingRegionBase& operator=(const BoundingRegionBase&) = default;
};

/// Writes toString.
VEK_EXPORT std::ostream& operator<<(std::ostream& stream, const BoundingRegionBase& region);

}  // namespace VEK
