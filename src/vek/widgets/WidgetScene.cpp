#include "vek/widgets/WidgetScene.h"

#include <algorithm>
#include <cmath>

#include "vek/core/exceptions/InternalException.h"

namespace VEK {
namespace WIDGETS {

Widget::Widget(OGL::VertexBuffer* vertices, OGL::Program* drawProgram, const float4& color,
               float fade, float drawDistance, const float2& origin, const float2& scale,
               float rotation)
    : vertices_(vertices),
      drawProgram_(drawProgram),
      fade_(fade),
      drawDistance_(drawDistance),
      color_(color),
      origin_(origin),
      scale_(scale),
      rotation_(rotation) {}

WidgetScene::WidgetScene() = default;
WidgetScene::WidgetScene(const WidgetScene& other) = default;
WidgetScene& WidgetScene::operator=(const WidgetScene& other) = default;
WidgetScene::~WidgetScene() = default;

unsigned WidgetScene::addWidget(const boost::shared_ptr<Widget>& newWidget) {
    VEK_ASSERT(newWidget);
    timelines_.emplace_back();
    try {
        widgets_.push_back(newWidget);
    } catch (...) {
        timelines_.pop_back();
        throw;
    }
    const unsigned index = static_cast<unsigned>(widgets_.size() - 1);
    newWidget->sceneIndex_ = index;
    isDirty_ = true;
    return index;
}

boost::shared_ptr<Widget> WidgetScene::widget(unsigned index) {
    return widgets_[index];
}

WidgetScene::Timeline& WidgetScene::widgetTimeline(unsigned index) {
    return timelines_[index];
}

void WidgetScene::setCurrentTime(float t) {
    // A NaN clock would make every later delta update NaN, and so refused.
    if (std::isnan(t)) {
        VEK_THROW_INTERNAL("WidgetScene::setCurrentTime time must be a number");
    }
    currentTime_ = t;
}

void WidgetScene::updateWidgetsForTime(float t) {
    // With NaN every comparison below is false, so every queued event would count as over and
    // be consumed.
    if (std::isnan(t)) {
        VEK_THROW_INTERNAL("WidgetScene::updateWidgetsForTime time must be a number");
    }
    for (std::size_t i = 0; i < widgets_.size(); ++i) {
        Widget& w = *widgets_[i];
        Timeline& timeline = timelines_[i];
        float f = w.fade_;
        while (!timeline.empty()) {
            const AnimationEvent& front = timeline.front();
            if (t < front.startTime()) {
                break;
            }
            if (t < front.stopTime()) {
                f = front.fade(t);
                break;
            }
            f = front.stopFade();
            timeline.pop_front();
        }
        if (f != w.fade_) {
            isDirty_ = true;
            w.fade_ = f;
        }
    }
    currentTime_ = t;
}

void WidgetScene::updateWidgetsForDeltaTime(float dt) {
    updateWidgetsForTime(currentTime_ + dt);
}

bool WidgetScene::areAnimationQueuesEmpty() const {
    for (const Timeline& timeline : timelines_) {
        if (!timeline.empty()) {
            return false;
        }
    }
    return true;
}

bool WidgetScene::timelineRange(float& start, float& stop) const {
    bool found = false;
    float first = 0.f;
    float last = 0.f;
    for (const Timeline& timeline : timelines_) {
        for (const AnimationEvent& e : timeline) {
            if (!found) {
                first = e.startTime();
                last = e.stopTime();
                found = true;
            } else {
                first = std::min(first, e.startTime());
                last = std::max(last, e.stopTime());
            }
        }
    }
    if (found) {
        start = first;
        stop = last;
    }
    return found;
}

}  // namespace WIDGETS
}  // namespace VEK
