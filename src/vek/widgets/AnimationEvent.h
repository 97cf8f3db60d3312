#pragma once

#include "vek/Export.h"

namespace VEK {
namespace WIDGETS {

/// A fade from one opacity to another over a span of scene time.
class VEK_EXPORT AnimationEvent {
public:
    /// A fade from startFade to stopFade between startTime and stopTime. Refuses a stop time
    /// before the start time (and NaN times, which compare false), then an infinite start or stop
    /// time: throws InternalException ("theStopTime >= theStartTime", then
    /// "std::isfinite(theStartTime) && std::isfinite(theStopTime)").
    AnimationEvent(float startFade, float stopFade, float startTime, float stopTime);

    /// The opacity at and before the start time. Throws nothing.
    float startFade() const { return startFade_; }
    /// The opacity at and after the stop time. Throws nothing.
    float stopFade() const { return stopFade_; }
    /// When the fade begins, in scene time. Throws nothing.
    float startTime() const { return startTime_; }
    /// When the fade ends, in scene time. Throws nothing.
    float stopTime() const { return stopTime_; }

    /// 0 before the start, 1 at and after the stop, linear in between; an event whose start and
    /// stop coincide jumps from 0 to 1 there without dividing by its zero length. Within [0, 1] for
    /// every time, however wide the span; a NaN time is no time and gives NaN.
    /// Throws nothing.
    float completedness(float t) const;
    /// The opacity at time t: startFade and stopFade mixed by completedness(t). Throws nothing.
    float fade(float t) const;

private:
    float startFade_;
    float stopFade_;
    float startTime_;
    float stopTime_;
};

}  // namespace WIDGETS
}  // namespace VEK
