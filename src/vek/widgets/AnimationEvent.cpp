#include "vek/widgets/AnimationEvent.h"

#include <cmath>

#include "vek/core/exceptions/InternalException.h"

namespace VEK {
namespace WIDGETS {

AnimationEvent::AnimationEvent(float theStartFade, float theStopFade, float theStartTime,
                               float theStopTime)
    : startFade_(theStartFade),
      stopFade_(theStopFade),
      startTime_(theStartTime),
      stopTime_(theStopTime) {
    VEK_ASSERT(theStopTime >= theStartTime);
    // An infinite span has no fraction to give: it would be NaN everywhere inside it.
    VEK_ASSERT(std::isfinite(theStartTime) && std::isfinite(theStopTime));
}

float AnimationEvent::completedness(float t) const {
    if (t < startTime_) {
        return 0.f;
    }
    if (t >= stopTime_) {
        return 1.f;
    }
    // In double: the span of two finite floats of opposite sign can overflow a float, and the
    // rounding of double keeps the elapsed part no greater than the span, so the quotient stays
    // within [0, 1].
    const double elapsed = static_cast<double>(t) - startTime_;
    const double span = static_cast<double>(stopTime_) - startTime_;
    return static_cast<float>(elapsed / span);
}

float AnimationEvent::fade(float t) const {
    const float c = completedness(t);
    return (1.f - c) * startFade_ + c * stopFade_;
}

}  // namespace WIDGETS
}  // namespace VEK
