#pragma once

#include "vek/Export.h"

namespace VEK {
namespace WIDGETS {

/// A fade from one opacity to another over a span of scene time.
class VEK_EXPORT AnimationEvent {
public:
    /// Refuses a stop time before the start time (and NaN times, which compare false), then an
    /// infinite start or stop time.
    AnimationEvent(float startFade, float stopFade, float startTime, float stopTime);

    float startFade() const { return startFade_; }
    float stopFade() const { return stopFade_; }
    float startTime() const { return startTime_; }
    float stopTime() const { return stopTime_; }

    /// 0 before the start, 1 at and after the stop, linear in between; an event whose start and
    /// stop coincide jumps from 0 to 1 there without dividing by its zero length. Within [0, 1] for
    /// every time, however wide the span; a NaN time is no time and gives NaN.
    float completedness(float t) const;
    /// The opacity at time t.
    float fade(float t) const;

private:
    float startFade_;
    float stopFade_;
    float startTime_;
    float stopTime_;
};

}  // namespace WIDGETS
}  // namespace VEK
