// SPDX-License-Identifier: MIT
// A level's controls made from its layout: sizes from the pictures, the
// engine's controls at their load state, and nothing kept between openings.
#include <gtest/gtest.h>

#include "engine/handlers.h"
#include "levels/levels.h"
#include "support/fake_host.h"
#include "winsys/runtime_error.h"

using namespace engine;

namespace {

TEST(LevelForm, EveryImageIsAsLargeAsItsPictureAndAsTheLayoutSays) {
    for (int level = 1; level <= levels::kLevelCount; ++level) {
        const LevelDef& def = levels::byNumber(level);
        LevelForm form{def};
        for (const LayoutEntry& e : def.layout) {
            if (e.kind != LayoutEntry::Kind::Image) continue;
            const Image& i = form.image(e.ref);
            EXPECT_EQ(i.width(), e.width) << def.windowName << " " << e.ref.text();
            EXPECT_EQ(i.height(), e.height) << def.windowName << " " << e.ref.text();
            EXPECT_EQ(i.width(), e.picture->width() * 15.0f);
        }
    }
}

TEST(LevelForm, EngineControlsStartAlive) {
    for (int level = 1; level <= levels::kLevelCount; ++level) {
        LevelForm form{levels::byNumber(level)};
        SCOPED_TRACE(form.def.windowName);
        EXPECT_TRUE(form.trafficTimer.enabled());
        EXPECT_EQ(form.trafficTimer.interval(), 50);
        EXPECT_TRUE(form.collisionChecksOn);
        EXPECT_TRUE(form.field.enabled());
        EXPECT_EQ(form.restartButton.caption(), "Restart");
        EXPECT_EQ(form.restartButton.enabled(), level == 3);
        EXPECT_EQ(form.turtle.picture(), &art::picTurtle);
        EXPECT_EQ(form.savedTurtle.picture(), &art::picTurtle);
        EXPECT_EQ(form.deadTurtle.picture(), &art::picTurtleDead);
        EXPECT_TRUE(form.turtle.visible());
        EXPECT_FALSE(form.savedTurtle.visible() || form.deadTurtle.visible() || form.treadMark.visible());
        EXPECT_EQ(form.treadMark.width(), 870);
        EXPECT_EQ(form.treadMark.height(), 780);
    }
}

TEST(LevelForm, AFreshFormKeepsNothingOfAnEarlierVisit) {
    FakeHost host;
    {
        LevelForm form{levels::level1()};
        form.turtle.move(500, 1500);
        checkCollisions(form, host);  // run over by imgCar 0
        ASSERT_TRUE(form.treadMark.visible());
        for (int i = 0; i < 7; ++i) moveTraffic(form);
    }
    LevelForm again{levels::level1()};
    EXPECT_EQ(again.turtle.left(), 3540);
    EXPECT_EQ(again.turtle.top(), 4380);
    EXPECT_EQ(again.turtle.picture(), &art::picTurtle);
    EXPECT_FALSE(again.treadMark.visible());
    EXPECT_FALSE(again.restartButton.enabled());
    EXPECT_EQ(again.image({"imgSemi", 0}).left(), 4020);
    EXPECT_EQ(again.image({"imgCar", 0}).left(), 60);
}

TEST(LevelForm, PaintOrderIsTheLayoutBottomFirst) {
    LevelForm form{levels::level1()};
    const auto& order = form.paintOrder();
    ASSERT_EQ(order.size(), levels::level1().layout.size());
    // Topmost in the layout is the turtle: painted last.
    EXPECT_EQ(std::get<const Image*>(order.back()), &form.turtle);
    EXPECT_EQ(std::get<const Image*>(order.front()), &form.treadMark);
}

TEST(LevelForm, AMissingControlIsARunTimeError) {
    LevelForm form{levels::level1()};
    try {
        form.image({"imgCar", 2});
        FAIL() << "imgCar 2 found";
    } catch (const winsys::RuntimeError& e) {
        EXPECT_EQ(e.number(), 340);
    }
}

}  // namespace
