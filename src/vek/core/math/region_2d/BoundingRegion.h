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
    /// Empty, holding nothing.
    BoundingRegion();
    BoundingRegion(const float2& a, const float2& b);
    /// Deep copies. Throw when the hook gives no memory.
    BoundingRegion(const BoundingRegion& other);
    BoundingRegion& operator=(const BoundingRegion& other);
    ~BoundingRegion() override;

    /// Two empty regions are equal; otherwise each must contain the other.
    bool operator==(const BoundingRegion& other) const;
    bool operator!=(const BoundingRegion& other) const { return !(*this == other); }

    BoundingRegion* clone() const override;
    bool isEmpty() const override;
    /// Releases the representation.
    void makeNowhere() override;
    void makeEverywhere() override;
    void include(const BoundingRegionBase& region) override;
    void include(const float2& point) override;
    bool contains(const BoundingRegionBase& region) const override;
    bool contains(const float2& point) const override;
    void intersect(const BoundingRegionBase& region) override;
    void subtract(const BoundingRegionBase& region) override;
    void dilate(const BoundingRegionBase& region) override;
    void erode(const BoundingRect& rect) override;
    void translate(const float2& v) override;
    std::vector<float2> convexHull() const override;
    BoundingRect boundingRect() const override;
    Representation representation() const override;
    /// "[]" while holding nothing.
    std::string toString() const override;

private:
    BoundingRect& internalRegion();

    BoundingRect* region_;
};

}  // namespace VEK
