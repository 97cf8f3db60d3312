#include <cmath>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include <vek/widgets/WidgetScene.h>

#include "support/InternalMessage.h"

using VEK::float2;
using VEK::float4;
using VEK::WIDGETS::AnimationEvent;
using VEK::WIDGETS::Widget;
using VEK::WIDGETS::WidgetScene;
using VEKTest::InternalMessageOf;

namespace {

boost::shared_ptr<Widget> MakeWidget(float fade) {
    return boost::shared_ptr<Widget>(new Widget(nullptr, nullptr, float4(1.f, 0.5f, 0.25f, 1.f),
                                                fade, Widget::DRAW_ALWAYS, float2(0.f, 0.f),
                                                float2(1.f, 1.f), 0.f));
}

}  // namespace

TEST(AnimationEvent, CompletednessAndFadeAcrossTheSpan) {
    const AnimationEvent rise(0.f, 1.f, 10.f, 20.f);
    EXPECT_EQ(0.f, rise.completedness(9.f));
    EXPECT_EQ(0.f, rise.completedness(10.f));
    EXPECT_FLOAT_EQ(0.5f, rise.completedness(15.f));
    EXPECT_EQ(1.f, rise.completedness(20.f));
    EXPECT_FLOAT_EQ(0.5f, rise.fade(15.f));
    EXPECT_EQ(1.f, rise.fade(30.f));

    // A zero-length event jumps at its time without dividing by zero.
    const AnimationEvent step(0.25f, 0.75f, 5.f, 5.f);
    EXPECT_EQ(0.f, step.completedness(4.999f));
    EXPECT_EQ(1.f, step.completedness(5.f));
    EXPECT_EQ(0.75f, step.fade(5.f));
    EXPECT_EQ(0.25f, step.fade(4.f));

    EXPECT_EQ("theStopTime >= theStartTime", InternalMessageOf([] { AnimationEvent(0, 1, 2, 1); }));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ("theStopTime >= theStartTime",
              InternalMessageOf([nan] { AnimationEvent(0, 1, nan, 1); }));
    // Infinite bounds are refused like NaN ones, each alone.
    const float inf = std::numeric_limits<float>::infinity();
    const char* const finite = "std::isfinite(theStartTime) && std::isfinite(theStopTime)";
    EXPECT_EQ(finite, InternalMessageOf([inf] { AnimationEvent(0, 1, -inf, 1); }));
    EXPECT_EQ(finite, InternalMessageOf([inf] { AnimationEvent(0, 1, 1, inf); }));
    EXPECT_EQ(finite, InternalMessageOf([inf] { AnimationEvent(0, 1, -inf, inf); }));
    EXPECT_EQ(finite, InternalMessageOf([inf] { AnimationEvent(0, 1, inf, inf); }));

    // Spans wider than a float can hold still give fractions within [0, 1] at every time.
    const float big = std::numeric_limits<float>::max();
    const AnimationEvent wide(0.f, 1.f, -3e38f, 3e38f);
    EXPECT_EQ(0.5f, wide.completedness(0.f));
    EXPECT_FLOAT_EQ(5.9f / 6.f, wide.completedness(2.9e38f));
    EXPECT_FLOAT_EQ(5.9f / 6.f, wide.fade(2.9e38f));
    const AnimationEvent widest(0.f, 1.f, -big, big);
    const AnimationEvent tiny(0.f, 1.f, 0.f, std::numeric_limits<float>::denorm_min());
    for (const AnimationEvent& e : {wide, widest, tiny, rise, step}) {
        for (float t :
             {-inf, -big, -3e38f, -1.f, 0.f, std::numeric_limits<float>::denorm_min(), 1e-30f, 1.f,
              2.9e38f, std::nextafter(3e38f, 0.f), 3e38f, std::nextafter(big, 0.f), big, inf}) {
            const float c = e.completedness(t);
            EXPECT_TRUE(c >= 0.f && c <= 1.f)
                << c << " at " << t << " of " << e.startTime() << " to " << e.stopTime();
        }
    }
}

TEST(Widget, FreshWidgetDefaults) {
    const boost::shared_ptr<Widget> w = MakeWidget(0.3f);
    EXPECT_EQ(1.f, w->lineWidth());
    EXPECT_FALSE(w->areLinesDashed());
    EXPECT_FALSE(w->useWideLines());
    EXPECT_EQ(0xFFFFFFFFu, w->sceneIndex());
    EXPECT_EQ(0.3f, w->fade());
    EXPECT_EQ(-1.f, w->drawDistance());
    EXPECT_EQ(0.5f, w->color()[1]);
}

TEST(WidgetScene, IndicesDirtyFlagAndRange) {
    WidgetScene scene;
    EXPECT_TRUE(scene.isDirty());
    EXPECT_EQ(0.f, scene.currentTime());
    float start = -7.f, stop = -9.f;
    EXPECT_FALSE(scene.timelineRange(start, stop));
    EXPECT_EQ(-7.f, start);
    EXPECT_EQ(-9.f, stop);

    scene.setIsDirty(false);
    const boost::shared_ptr<Widget> a = MakeWidget(0.f), b = MakeWidget(0.f);
    EXPECT_EQ(0u, scene.addWidget(a));
    EXPECT_TRUE(scene.isDirty());
    EXPECT_EQ(1u, scene.addWidget(b));
    EXPECT_EQ(0u, a->sceneIndex());
    EXPECT_EQ(1u, b->sceneIndex());
    EXPECT_EQ(b, scene.widget(1));
    EXPECT_EQ(2u, scene.widgetCount());
    EXPECT_TRUE(scene.areAnimationQueuesEmpty());
    EXPECT_FALSE(scene.timelineRange(start, stop));

    scene.widgetTimeline(1).push_back(AnimationEvent(0, 1, 4, 6));
    EXPECT_FALSE(scene.areAnimationQueuesEmpty());  // the second timeline alone
    scene.widgetTimeline(0).push_back(AnimationEvent(0, 1, 2, 3));
    scene.widgetTimeline(0).push_back(AnimationEvent(1, 0, 5, 9));
    EXPECT_FALSE(scene.areAnimationQueuesEmpty());
    EXPECT_TRUE(scene.timelineRange(start, stop));
    EXPECT_EQ(2.f, start);
    EXPECT_EQ(9.f, stop);
    // The range over every timeline and every event of it: a later timeline's later event moves
    // the stop alone, then its earlier one the start alone.
    scene.widgetTimeline(1).push_back(AnimationEvent(0, 1, 7, 12));
    EXPECT_TRUE(scene.timelineRange(start, stop));
    EXPECT_EQ(2.f, start);
    EXPECT_EQ(12.f, stop);
    scene.widgetTimeline(1).push_back(AnimationEvent(0, 1, 1, 1.5f));
    EXPECT_TRUE(scene.timelineRange(start, stop));
    EXPECT_EQ(1.f, start);
    EXPECT_EQ(12.f, stop);
    scene.widgetTimeline(1).pop_back();
    scene.widgetTimeline(1).pop_back();

    EXPECT_EQ("newWidget",
              InternalMessageOf([&] { scene.addWidget(boost::shared_ptr<Widget>()); }));
    EXPECT_EQ(2u, scene.widgetCount());

    // A copy has its own timelines but shares the widgets.
    WidgetScene copy(scene);
    copy.widgetTimeline(0).clear();
    EXPECT_EQ(2u, scene.widgetTimeline(0).size());
    EXPECT_EQ(a, copy.widget(0));
    // The first timeline alone.
    scene.widgetTimeline(1).clear();
    EXPECT_FALSE(scene.areAnimationQueuesEmpty());
    copy.widgetTimeline(1).clear();
    EXPECT_TRUE(copy.areAnimationQueuesEmpty());
}

TEST(WidgetScene, UpdatesConsumeCompletedEventsInOrder) {
    WidgetScene scene;
    const boost::shared_ptr<Widget> w = MakeWidget(0.f);
    scene.addWidget(w);
    scene.widgetTimeline(0).push_back(AnimationEvent(0, 1, 10, 20));
    scene.setIsDirty(false);

    // Before every event: nothing changes, the clock moves.
    scene.updateWidgetsForTime(5.f);
    EXPECT_FALSE(scene.isDirty());
    EXPECT_EQ(0.f, w->fade());
    EXPECT_EQ(5.f, scene.currentTime());

    scene.updateWidgetsForTime(15.f);
    EXPECT_TRUE(scene.isDirty());
    EXPECT_FLOAT_EQ(0.5f, w->fade());
    EXPECT_EQ(1u, scene.widgetTimeline(0).size());

    scene.setIsDirty(false);
    scene.updateWidgetsForDeltaTime(10.f);
    EXPECT_EQ(25.f, scene.currentTime());
    EXPECT_EQ(1.f, w->fade());
    EXPECT_TRUE(scene.isDirty());
    EXPECT_TRUE(scene.areAnimationQueuesEmpty());

    // Two queued events: going past the first applies its stop fade, then the second's fade.
    WidgetScene two;
    const boost::shared_ptr<Widget> v = MakeWidget(0.f);
    two.addWidget(v);
    two.widgetTimeline(0).push_back(AnimationEvent(0, 1, 0, 10));
    two.widgetTimeline(0).push_back(AnimationEvent(1, 0, 20, 30));
    two.updateWidgetsForTime(25.f);
    EXPECT_FLOAT_EQ(0.5f, v->fade());
    ASSERT_EQ(1u, two.widgetTimeline(0).size());
    EXPECT_EQ(20.f, two.widgetTimeline(0).front().startTime());

    // Going back does not bring consumed events back.
    two.updateWidgetsForTime(5.f);
    EXPECT_FLOAT_EQ(0.5f, v->fade());
    EXPECT_EQ(1u, two.widgetTimeline(0).size());
}

TEST(WidgetScene, NaNTimeIsRefusedAndChangesNothing) {
    WidgetScene scene;
    const boost::shared_ptr<Widget> w = MakeWidget(0.f);
    scene.addWidget(w);
    scene.widgetTimeline(0).push_back(AnimationEvent(0, 1, 10, 20));
    scene.updateWidgetsForTime(12.f);
    scene.setIsDirty(false);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ("WidgetScene::updateWidgetsForTime time must be a number",
              InternalMessageOf([&] { scene.updateWidgetsForTime(nan); }));
    EXPECT_EQ("WidgetScene::updateWidgetsForTime time must be a number",
              InternalMessageOf([&] { scene.updateWidgetsForDeltaTime(nan); }));
    EXPECT_EQ("WidgetScene::setCurrentTime time must be a number",
              InternalMessageOf([&] { scene.setCurrentTime(nan); }));
    EXPECT_EQ(12.f, scene.currentTime());
    EXPECT_EQ(1u, scene.widgetTimeline(0).size());
    EXPECT_FALSE(scene.isDirty());
    // The clock still moves on from where it was.
    scene.setCurrentTime(13.f);
    scene.updateWidgetsForDeltaTime(1.f);
    EXPECT_EQ(14.f, scene.currentTime());
    EXPECT_FLOAT_EQ(0.4f, w->fade());
    scene.setIsDirty(false);
    // Infinite time is a time: it completes everything.
    scene.updateWidgetsForTime(std::numeric_limits<float>::infinity());
    EXPECT_EQ(1.f, w->fade());
    EXPECT_TRUE(scene.areAnimationQueuesEmpty());

    // An event wider than a float can span: a number, so the same time again changes nothing.
    scene.widgetTimeline(0).push_back(AnimationEvent(0, 1, -3e38f, 3e38f));
    scene.updateWidgetsForTime(2.9e38f);
    EXPECT_FLOAT_EQ(5.9f / 6.f, w->fade());
    scene.setIsDirty(false);
    scene.updateWidgetsForTime(2.9e38f);
    EXPECT_FALSE(scene.isDirty());
}

// Advancing in many small steps or in one step to the same time gives the same opacities, as long
// as the steps move forward.
TEST(WidgetScene, SmallStepsAndOneStepAgree) {
    std::mt19937 random(20261208u);
    std::uniform_real_distribution<float> fade(0.f, 1.f);
    std::uniform_real_distribution<float> gap(0.f, 3.f);
    std::uniform_int_distribution<int> count(0, 4);
    for (int trial = 0; trial < 200; ++trial) {
        WidgetScene stepped;
        const int widgets = 1 + trial % 4;
        for (int i = 0; i < widgets; ++i) {
            stepped.addWidget(MakeWidget(fade(random)));
            float t = gap(random);
            const int events = count(random);
            for (int e = 0; e < events; ++e) {
                const float start = t;
                // Some events take no time at all.
                const float stop = (e % 3 == 2) ? start : start + gap(random);
                stepped.widgetTimeline(static_cast<unsigned>(i))
                    .push_back(AnimationEvent(fade(random), fade(random), start, stop));
                t = stop + gap(random);
            }
        }
        // The second scene needs widgets of its own with the same starting state.
        WidgetScene jumped;
        for (int i = 0; i < widgets; ++i) {
            const Widget& original = *stepped.widget(static_cast<unsigned>(i));
            jumped.addWidget(MakeWidget(original.fade()));
            jumped.widgetTimeline(static_cast<unsigned>(i)) =
                stepped.widgetTimeline(static_cast<unsigned>(i));
        }
        const float end = 1.f + gap(random) * 4.f;
        const int steps = 1 + static_cast<int>(gap(random) * 30.f);
        for (int s = 1; s < steps; ++s) {
            stepped.updateWidgetsForTime(end * static_cast<float>(s) / static_cast<float>(steps));
        }
        stepped.updateWidgetsForTime(end);
        jumped.updateWidgetsForTime(end);
        for (int i = 0; i < widgets; ++i) {
            const unsigned u = static_cast<unsigned>(i);
            EXPECT_EQ(jumped.widget(u)->fade(), stepped.widget(u)->fade())
                << "trial " << trial << " widget " << i;
            EXPECT_EQ(jumped.widgetTimeline(u).size(), stepped.widgetTimeline(u).size());
        }
    }
}
