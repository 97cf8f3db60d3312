#pragma once

#include <list>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "vek/Export.h"
#include "vek/core/math/Vector.h"
#include "vek/widgets/AnimationEvent.h"

namespace VEK {
namespace OGL {
class Program;
class VertexBuffer;
}  // namespace OGL

namespace WIDGETS {

/// What the host needs to draw one overlay item. The vertex buffer and program belong to the host.
class VEK_EXPORT Widget {
public:
    /// drawDistance DRAW_ALWAYS: drawn whatever the distance.
    static constexpr float DRAW_ALWAYS = -1.0f;
    /// Not in a scene.
    static constexpr unsigned NO_SCENE_INDEX = 0xFFFFFFFFu;

    Widget(OGL::VertexBuffer* vertices, OGL::Program* drawProgram, const float4& color, float fade,
           float drawDistance, const float2& origin, const float2& scale, float rotation);

    OGL::VertexBuffer* vertices() const { return vertices_; }
    OGL::Program* drawProgram() const { return drawProgram_; }
    const float4& color() const { return color_; }
    float fade() const { return fade_; }
    float drawDistance() const { return drawDistance_; }
    const float2& origin() const { return origin_; }
    const float2& scale() const { return scale_; }
    float rotation() const { return rotation_; }
    bool areLinesDashed() const { return areLinesDashed_; }
    bool useWideLines() const { return useWideLines_; }
    float lineWidth() const { return lineWidth_; }
    unsigned sceneIndex() const { return sceneIndex_; }

    /// Plain stores: a scene notices opacity changes only through its own updates.
    void setColor(const float4& color) { color_ = color; }
    void setFade(float fade) { fade_ = fade; }
    void setDrawDistance(float drawDistance) { drawDistance_ = drawDistance; }
    void setOrigin(const float2& origin) { origin_ = origin; }
    void setScale(const float2& scale) { scale_ = scale; }
    void setRotation(float rotation) { rotation_ = rotation; }
    void setAreLinesDashed(bool dashed) { areLinesDashed_ = dashed; }
    void setUseWideLines(bool wide) { useWideLines_ = wide; }
    void setLineWidth(float width) { lineWidth_ = width; }

private:
    friend class WidgetScene;

    OGL::VertexBuffer* vertices_;
    OGL::Program* drawProgram_;
    float fade_;
    float drawDistance_;
    float4 color_;
    float2 origin_;
    float2 scale_;
    float rotation_;
    bool areLinesDashed_ = false;
    bool useWideLines_ = false;
    float lineWidth_ = 1.0f;
    unsigned sceneIndex_ = NO_SCENE_INDEX;
};

/// Widgets with a queue of fades each, advanced together through scene time.
class VEK_EXPORT WidgetScene {
public:
    using Timeline = std::list<AnimationEvent>;

    WidgetScene();
    WidgetScene(const WidgetScene& other);
    WidgetScene& operator=(const WidgetScene& other);
    ~WidgetScene();

    /// Appends the widget with an empty timeline and returns its index (also stored as the
    /// widget's sceneIndex). A null widget is refused.
    unsigned addWidget(const boost::shared_ptr<Widget>& newWidget);

    /// Indices are not checked.
    boost::shared_ptr<Widget> widget(unsigned index);
    const std::vector<boost::shared_ptr<Widget>>& widgets() const { return widgets_; }
    unsigned widgetCount() const { return static_cast<unsigned>(widgets_.size()); }
    /// The host queues events in time order by appending to this list.
    Timeline& widgetTimeline(unsigned index);

    float currentTime() const { return currentTime_; }
    /// Moves the clock without touching the widgets. A NaN time is refused before anything changes.
    void setCurrentTime(float t);
    bool isDirty() const { return isDirty_; }
    void setIsDirty(bool dirty) { isDirty_ = dirty; }

    /// Applies every timeline at time t: events over by then are consumed (their stop fade
    /// applied), the one in progress sets the fade, later ones wait. Marks the scene dirty when an
    /// opacity changed. Time is meant to move forward; consumed events do not come back. A NaN
    /// time is refused before anything changes.
    void updateWidgetsForTime(float t);
    void updateWidgetsForDeltaTime(float dt);

    bool areAnimationQueuesEmpty() const;
    /// The smallest start and largest stop time over all queued events; false, with start and
    /// stop untouched, when nothing is queued.
    bool timelineRange(float& start, float& stop) const;

private:
    std::vector<boost::shared_ptr<Widget>> widgets_;
    std::vector<Timeline> timelines_;
    float currentTime_ = 0.f;
    bool isDirty_ = true;
};

}  // namespace WIDGETS
}  // namespace VEK
