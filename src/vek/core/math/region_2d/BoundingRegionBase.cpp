#include "vek/core/math/region_2d/BoundingRegionBase.h"

#include <ostream>

#include "vek/core/exceptions/InternalException.h"
#include "vek/core/math/region_2d/BoundingRect.h"

namespace VEK {

BoundingRegionBase::~BoundingRegionBase() = default;

// The checks are written out because the vectors have no named components; the messages read
// as the conditions do. A NaN component fails them too.

void BoundingRegionBase::outset(const float2& vOutset) {
    if (!(vOutset[0] >= 0.f && vOutset[1] >= 0.f)) {
        throw InternalException(__FILE__, __LINE__, "vOutset.x >= 0.f && vOutset.y >= 0.f");
    }
    dilate(BoundingRect(float2(-vOutset[0], -vOutset[1]), vOutset));
}

void BoundingRegionBase::inset(const float2& vInset) {
    if (!(vInset[0] >= 0.f && vInset[1] >= 0.f)) {
        throw InternalException(__FILE__, __LINE__, "vInset.x >= 0.f && vInset.y >= 0.f");
    }
    erode(BoundingRect(float2(-vInset[0], -vInset[1]), vInset));
}

std::ostream& operator<<(std::ostream& stream, const BoundingRegionBase& region) {
    return stream << region.toString();
}

}  // namespace VEK
