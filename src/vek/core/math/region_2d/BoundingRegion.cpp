#include "vek/core/math/region_2d/BoundingRegion.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/core/memory/VEKMemory.h"

namespace VEK {

BoundingRegion::BoundingRegion() : region_(nullptr) {}

BoundingRegion::BoundingRegion(const float2& a, const float2& b)
    : region_(BoundingRect(a, b).clone()) {}

BoundingRegion::BoundingRegion(const BoundingRegion& other)
    : BoundingRegionBase(other), region_(other.region_ ? other.region_->clone() : nullptr) {}

BoundingRegion& BoundingRegion::operator=(const BoundingRegion& other) {
    if (this != &other) {
        // Copy first, so a failed copy leaves this as it was.
        BoundingRect* copy = other.region_ ? other.region_->clone() : nullptr;
        VEK_DELETE(region_);
        region_ = copy;
    }
    return *this;
}

BoundingRegion::~BoundingRegion() {
    VEK_DELETE(region_);
}

bool BoundingRegion::operator==(const BoundingRegion& other) const {
    if (isEmpty() && other.isEmpty()) {
        return true;
    }
    return contains(other) && other.contains(*this);
}

BoundingRegion* BoundingRegion::clone() const {
    BoundingRegion* copy = VEK_NEW(BoundingRegion)(*this);
    VEK_ENFORCE(copy != nullptr);
    return copy;
}

bool BoundingRegion::isEmpty() const {
    return region_ == nullptr || region_->isEmpty();
}

void BoundingRegion::makeNowhere() {
    VEK_DELETE(region_);
    region_ = nullptr;
}

void BoundingRegion::makeEverywhere() {
    internalRegion().makeEverywhere();
}

void BoundingRegion::include(const BoundingRegionBase& region) {
    internalRegion().include(region);
}

void BoundingRegion::include(const float2& point) {
    internalRegion().include(point);
}

bool BoundingRegion::contains(const BoundingRegionBase& region) const {
    return region_ != nullptr && region_->contains(region);
}

bool BoundingRegion::contains(const float2& point) const {
    return region_ != nullptr && region_->contains(point);
}

void BoundingRegion::intersect(const BoundingRegionBase& region) {
    internalRegion().intersect(region);
}

void BoundingRegion::subtract(const BoundingRegionBase& region) {
    internalRegion().subtract(region);
}

void BoundingRegion::dilate(const BoundingRegionBase& region) {
    internalRegion().dilate(region);
}

void BoundingRegion::erode(const BoundingRect& rect) {
    internalRegion().erode(rect);
}

void BoundingRegion::translate(const float2& v) {
    internalRegion().translate(v);
}

std::vector<float2> BoundingRegion::convexHull() const {
    return region_ ? region_->convexHull() : std::vector<float2>();
}

BoundingRect BoundingRegion::boundingRect() const {
    return region_ ? *region_ : BoundingRect();
}

BoundingRegionBase::Representation BoundingRegion::representation() const {
    return kBoundingRect;
}

std::string BoundingRegion::toString() const {
    return region_ ? region_->toString() : "[]";
}

BoundingRect& BoundingRegion::internalRegion() {
    if (region_ == nullptr) {
        region_ = BoundingRect().clone();
    }
    return *region_;
}

}  // namespace VEK
