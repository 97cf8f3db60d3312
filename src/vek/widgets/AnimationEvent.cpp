#include "vek/widgets/AnimationEvent.h"

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
}

float AnimationEvent::completedness(float t) const {
    if (t < startTime_) {
        return 0.f;
    }
    if (t >= stopTime_) {
        return 1.f;
    }
    return (t - startTime_) / (stopTime_ - startTime_);
}

float AnimationEvent::fade(float t) const {
    const float c = completedness(t);
    return (1.f - c) * startFade_ + c * stopFade_;
}

}  // namespace WIDGETS
}  // namespace VEK
