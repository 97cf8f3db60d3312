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

    /// Stores the arguments; the pointers are not owned. Solid thin lines of width 1, in no
    /// scene. Throws nothing.
    Widget(OGL::VertexBuffer* vertices, OGL::Program* drawProgram, const float4& color, float fade,
           float drawDistance, const float2& origin, const float2& scale, float rotation);

    /// The host's vertex buffer to draw, not owned. Throws nothing.
    OGL::VertexBuffer* vertices() const { return vertices_; }
    /// The host's program to draw with, not owned. Throws nothing.
    OGL::Program* drawProgram() const { return drawProgram_; }
    /// The colour, before the fade is applied to its alpha. Throws nothing.
    const float4& color() const { return color_; }
    /// The current opacity. Throws nothing.
    float fade() const { return fade_; }
    /// The distance up to which the widget is drawn, or DRAW_ALWAYS. Throws nothing.
    float drawDistance() const { return drawDistance_; }
    /// Where the widget is placed. Throws nothing.
    const float2& origin() const { return origin_; }
    /// The scale applied to the vertices. Throws nothing.
    const float2& scale() const { return scale_; }
    /// The rotation about z, in radians. Throws nothing.
    float rotation() const { return rotation_; }
    /// Whether lines are drawn dashed; false at construction. Throws nothing.
    bool areLinesDashed() const { return areLinesDashed_; }
    /// Whether lines use lineWidth(); false at construction. Throws nothing.
    bool useWideLines() const { return useWideLines_; }
    /// The width of wide lines; 1 at construction. Throws nothing.
    float lineWidth() const { return lineWidth_; }
    /// The index in the scene that holds the widget, or NO_SCENE_INDEX. Throws nothing.
    unsigned sceneIndex() const { return sceneIndex_; }

    // Plain stores: a scene notices opacity changes only through its own updates.
    /// Sets the colour. Throws nothing.
    void setColor(const float4& color) { color_ = color; }
    /// Sets the opacity without marking any scene dirty. Throws nothing.
    void setFade(float fade) { fade_ = fade; }
    /// Sets the draw distance (DRAW_ALWAYS: always drawn). Throws nothing.
    void setDrawDistance(float drawDistance) { drawDistance_ = drawDistance; }
    /// Sets the placement origin. Throws nothing.
    void setOrigin(const float2& origin) { origin_ = origin; }
    /// Sets the scale. Throws nothing.
    void setScale(const float2& scale) { scale_ = scale; }
    /// Sets the rotation about z, in radians. Throws nothing.
    void setRotation(float rotation) { rotation_ = rotation; }
    /// Draws lines dashed or solid. Throws nothing.
    void setAreLinesDashed(bool dashed) { areLinesDashed_ = dashed; }
    /// Draws lines with lineWidth() or width 1. Throws nothing.
    void setUseWideLines(bool wide) { useWideLines_ = wide; }
    /// Sets the width of wide lines. Throws nothing.
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
    /// One widget's queue of fades, in time order.
    using Timeline = std::list<AnimationEvent>;

    /// No widgets, time 0, dirty. Throws nothing.
    WidgetScene();
    /// Shares the widgets and copies the timelines, time and dirty flag. Throws only
    /// std::bad_alloc.
    WidgetScene(const WidgetScene& other);
    /// Shares the widgets and copies the timelines, time and dirty flag. Throws only
    /// std::bad_alloc.
    WidgetScene& operator=(const WidgetScene& other);
    /// Lets go of the widgets. Throws nothing.
    ~WidgetScene();

    /// Appends the widget with an empty timeline and returns its index (also stored as the
    /// widget's sceneIndex) and marks the scene dirty. A null widget is refused: throws
    /// InternalException ("newWidget"). Throws std::bad_alloc, with the scene unchanged, when
    /// memory runs out.
    unsigned addWidget(const boost::shared_ptr<Widget>& newWidget);

    /// The widget at index; indices are not checked. Throws nothing.
    boost::shared_ptr<Widget> widget(unsigned index);
    /// Every widget, in the order added. Throws nothing.
    const std::vector<boost::shared_ptr<Widget>>& widgets() const { return widgets_; }
    /// How many widgets the scene holds. Throws nothing.
    unsigned widgetCount() const { return static_cast<unsigned>(widgets_.size()); }
    /// The queue of the widget at index; the host queues events in time order by appending to
    /// this list. Indices are not checked. Throws nothing.
    Timeline& widgetTimeline(unsigned index);

    /// The scene time of the last update or setCurrentTime. Throws nothing.
    float currentTime() const { return currentTime_; }
    /// Moves the clock without touching the widgets. A NaN time is refused before anything changes:
    /// throws InternalException ("WidgetScene::setCurrentTime time must be a number").
    void setCurrentTime(float t);
    /// Whether the scene needs drawing: set by addWidget and by opacity changes. Throws nothing.
    bool isDirty() const { return isDirty_; }
    /// Sets or clears the dirty flag; the host clears it after drawing. Throws nothing.
    void setIsDirty(bool dirty) { isDirty_ = dirty; }

    /// Applies every timeline at time t: events over by then are consumed (their stop fade
    /// applied), the one in progress sets the fade, later ones wait. Marks the scene dirty when an
    /// opacity changed. Time is meant to move forward; consumed events do not come back. A NaN
    /// time is refused before anything changes: throws InternalException
    /// ("WidgetScene::updateWidgetsForTime time must be a number").
    void updateWidgetsForTime(float t);
    /// updateWidgetsForTime(currentTime() + dt). Throws InternalException when the sum is NaN.
    void updateWidgetsForDeltaTime(float dt);

    /// Whether no widget has a queued event. Throws nothing.
    bool areAnimationQueuesEmpty() const;
    /// The smallest start and largest stop time over all queued events; false, with start and
    /// stop untouched, when nothing is queued. Throws nothing.
    bool timelineRange(float& start, float& stop) const;

private:
    std::vector<boost::shared_ptr<Widget>> widgets_;
    std::vector<Timeline> timelines_;
    float currentTime_ = 0.f;
    bool isDirty_ = true;
};

}  // namespace WIDGETS
}  // namespace VEK
