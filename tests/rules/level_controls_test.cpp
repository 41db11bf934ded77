// SPDX-License-Identifier: MIT
// A level's controls made from its layout: sizes from the pictures, the
// engine's controls at their load state, and nothing kept between openings.
#include <gtest/gtest.h>

#include "rules/handlers.h"
#include "rules/levels/levels.h"
#include "rules/runtime_error.h"
#include "support/fake_host.h"

using namespace rules;

namespace {

TEST(LevelControls, EveryImageIsAsLargeAsItsPictureAndAsTheLayoutSays) {
    for (int level = 1; level <= levels::kLevelCount; ++level) {
        const LevelDef& def = levels::byNumber(level);
        LevelControls controls{def};
        for (const LayoutEntry& e : def.layout) {
            if (e.kind != LayoutEntry::Kind::Image) continue;
            const Image& i = controls.image(e.ref);
            EXPECT_EQ(i.width(), e.width) << def.windowName << " " << e.ref.text();
            EXPECT_EQ(i.height(), e.height) << def.windowName << " " << e.ref.text();
            EXPECT_EQ(i.width(), e.picture->width() * 15.0f);
        }
    }
}

TEST(LevelControls, EngineControlsStartAlive) {
    for (int level = 1; level <= levels::kLevelCount; ++level) {
        LevelControls controls{levels::byNumber(level)};
        SCOPED_TRACE(controls.def.windowName);
        EXPECT_TRUE(controls.trafficTimer.enabled());
        EXPECT_EQ(controls.trafficTimer.interval(), 50);
        EXPECT_TRUE(controls.collisionChecksOn);
        EXPECT_TRUE(controls.field.enabled());
        EXPECT_EQ(controls.restartButton.caption(), "Restart");
        EXPECT_EQ(controls.restartButton.enabled(), level == 3);
        EXPECT_EQ(controls.turtle.picture(), &art::picTurtle);
        EXPECT_EQ(controls.savedTurtle.picture(), &art::picTurtle);
        EXPECT_EQ(controls.deadTurtle.picture(), &art::picTurtleDead);
        EXPECT_TRUE(controls.turtle.visible());
        EXPECT_FALSE(controls.savedTurtle.visible() || controls.deadTurtle.visible() || controls.treadMark.visible());
        EXPECT_EQ(controls.treadMark.width(), 870);
        EXPECT_EQ(controls.treadMark.height(), 780);
    }
}

TEST(LevelControls, AFreshFormKeepsNothingOfAnEarlierVisit) {
    FakeHost host;
    {
        LevelControls controls{levels::level1()};
        controls.turtle.move(500, 1500);
        checkCollisions(controls, host);  // run over by car 0
        ASSERT_TRUE(controls.treadMark.visible());
        for (int i = 0; i < 7; ++i) moveTraffic(controls);
    }
    LevelControls again{levels::level1()};
    EXPECT_EQ(again.turtle.left(), 3540);
    EXPECT_EQ(again.turtle.top(), 4380);
    EXPECT_EQ(again.turtle.picture(), &art::picTurtle);
    EXPECT_FALSE(again.treadMark.visible());
    EXPECT_FALSE(again.restartButton.enabled());
    EXPECT_EQ(again.image({"semi", 0}).left(), 4020);
    EXPECT_EQ(again.image({"car", 0}).left(), 60);
}

TEST(LevelControls, PaintOrderIsTheLayoutBottomFirst) {
    LevelControls controls{levels::level1()};
    const auto& order = controls.paintOrder();
    ASSERT_EQ(order.size(), levels::level1().layout.size());
    // Topmost in the layout is the turtle: painted last.
    EXPECT_EQ(std::get<const Image*>(order.back()), &controls.turtle);
    EXPECT_EQ(std::get<const Image*>(order.front()), &controls.treadMark);
}

TEST(LevelControls, AMissingControlIsARunTimeError) {
    LevelControls controls{levels::level1()};
    try {
        controls.image({"car", 2});
        FAIL() << "car 2 found";
    } catch (const rules::RuntimeError& e) {
        EXPECT_EQ(e.number(), 340);
    }
}

}  // namespace
