#pragma once

#include <string>
#include <vector>

#include "vek/Export.h"
#include "vek/core/math/region_2d/BoundingRect.h"
#include "vek/core/math/region_2d/BoundingRegionBase.h"

namespace VEK {

/// A region value that owns its representation, made through the allocation hooks. Holding
/// none stands for the empty region; every modifying operation first makes an empty rectangle
/// and then hands over to it.
class VEK_EXPORT BoundingRegion : public BoundingRegionBase {
public:
    /// Empty, holding nothing. Throws nothing.
    BoundingRegion();
    /// Owns the smallest rectangle holding both points. Throws InternalException when the hook
    /// gives no memory.
    BoundingRegion(const float2& a, const float2& b);
    /// Deep copy. Throws InternalException when the hook gives no memory.
    BoundingRegion(const BoundingRegion& other);
    /// Deep copy; self-assignment does nothing. Throws InternalException when the hook gives no
    /// memory, and then leaves this as it was.
    BoundingRegion& operator=(const BoundingRegion& other);
    /// Destroys the owned rectangle. Throws nothing.
    ~BoundingRegion() override;

    /// Two empty regions are equal; otherwise each must contain the other. Throws only
    /// std::bad_alloc.
    bool operator==(const BoundingRegion& other) const;
    /// The negation of ==. Throws nothing.
    bool operator!=(const BoundingRegion& other) const { return !(*this == other); }

    /// A heap deep copy made through the allocation hook; destroy it with VEK_DELETE. Throws
    /// InternalException when the hook gives no memory.
    BoundingRegion* clone() const override;
    /// True while holding nothing or an empty rectangle. Throws nothing.
    bool isEmpty() const override;
    /// Releases the representation. Throws nothing.
    void makeNowhere() override;
    /// Becomes the whole plane. Throws InternalException when the hook gives no memory.
    void makeEverywhere() override;
    /// As BoundingRect::include. Throws InternalException when the hook gives no memory.
    void include(const BoundingRegionBase& region) override;
    /// As BoundingRect::include. Throws InternalException when the hook gives no memory.
    void include(const float2& point) override;
    /// As BoundingRect::contains; false while holding nothing. Throws only
    /// std::bad_alloc.
    bool contains(const BoundingRegionBase& region) const override;
    /// As BoundingRect::contains; false while holding nothing. Throws nothing.
    bool contains(const float2& point) const override;
    /// As BoundingRect::intersect. Throws InternalException when the hook gives no memory.
    void intersect(const BoundingRegionBase& region) override;
    /// As BoundingRect::subtract. Throws InternalException when the hook gives no memory.
    void subtract(const BoundingRegionBase& region) override;
    /// As BoundingRect::dilate. Throws InternalException when the hook gives no memory.
    void dilate(const BoundingRegionBase& region) override;
    /// As BoundingRect::erode. Throws InternalException when the hook gives no memory.
    void erode(const BoundingRect& rect) override;
    /// As BoundingRect::translate. Throws InternalException when the hook gives no memory.
    void translate(const float2& v) override;
    /// As BoundingRect::convexHull; none while holding nothing. Throws only std::bad_alloc.
    std::vector<float2> convexHull() const override;
    /// A copy of the owned rectangle, or an empty one. Throws nothing.
    BoundingRect boundingRect() const override;
    /// kBoundingRect. Throws nothing.
    Representation representation() const override;
    /// As BoundingRect::toString; "[]" while holding nothing. Throws only std::bad_alloc.
    std::string toString() const override;

private:
    BoundingRect& internalRegion();

    BoundingRect* region_;
};

}  // namespace VEK
