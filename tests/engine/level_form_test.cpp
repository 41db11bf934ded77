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
        LevelForm f{def};
        for (const LayoutEntry& e : def.layout) {
            if (e.kind != LayoutEntry::Kind::Image) continue;
            const Image& i = f.image(e.ref);
            EXPECT_EQ(i.width(), e.width) << def.windowName << " " << e.ref.text();
            EXPECT_EQ(i.height(), e.height) << def.windowName << " " << e.ref.text();
            EXPECT_EQ(i.width(), e.picture->width() * 15.0f);
        }
    }
}

TEST(LevelForm, EngineControlsStartAlive) {
    for (int level = 1; level <= levels::kLevelCount; ++level) {
        LevelForm f{levels::byNumber(level)};
        SCOPED_TRACE(f.def.windowName);
        EXPECT_TRUE(f.trafficTimer.enabled());
        EXPECT_EQ(f.trafficTimer.interval(), 50);
        EXPECT_TRUE(f.collisionChecksOn);
        EXPECT_TRUE(f.field.enabled());
        EXPECT_EQ(f.restartButton.caption(), "Restart");
        EXPECT_EQ(f.restartButton.enabled(), level == 3);
        EXPECT_EQ(f.turtle.picture(), &art::picTurtle);
        EXPECT_EQ(f.savedTurtle.picture(), &art::picTurtle);
        EXPECT_EQ(f.deadTurtle.picture(), &art::picTurtleDead);
        EXPECT_TRUE(f.turtle.visible());
        EXPECT_FALSE(f.savedTurtle.visible() || f.deadTurtle.visible() || f.treadMark.visible());
        EXPECT_EQ(f.treadMark.width(), 870);
        EXPECT_EQ(f.treadMark.height(), 780);
    }
}

TEST(LevelForm, AFreshFormKeepsNothingOfAnEarlierVisit) {
    FakeHost host;
    {
        LevelForm f{levels::level1()};
        f.turtle.move(500, 1500);
        checkCollisions(f, host);  // run over by imgCar 0
        ASSERT_TRUE(f.treadMark.visible());
        for (int i = 0; i < 7; ++i) moveTraffic(f);
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
    LevelForm f{levels::level1()};
    const auto& order = f.paintOrder();
    ASSERT_EQ(order.size(), levels::level1().layout.size());
    // Topmost in the layout is the turtle: painted last.
    EXPECT_EQ(std::get<const Image*>(order.back()), &f.turtle);
    EXPECT_EQ(std::get<const Image*>(order.front()), &f.treadMark);
}

TEST(LevelForm, AMissingControlIsARunTimeError) {
    LevelForm f{levels::level1()};
    try {
        f.image({"imgCar", 2});
        FAIL() << "imgCar 2 found";
    } catch (const winsys::RuntimeError& e) {
        EXPECT_EQ(e.number(), 340);
    }
}

}  // namespace
