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
            EXPECT_EQ(i.width(), e.width) << def.formName << " " << e.ref.text();
            EXPECT_EQ(i.height(), e.height) << def.formName << " " << e.ref.text();
            EXPECT_EQ(i.width(), e.picture->width() * 15.0f);
        }
    }
}

TEST(LevelForm, EngineControlsStartAlive) {
    for (int level = 1; level <= levels::kLevelCount; ++level) {
        LevelForm f{levels::byNumber(level)};
        SCOPED_TRACE(f.def.formName);
        EXPECT_TRUE(f.Timer1.enabled());
        EXPECT_EQ(f.Timer1.interval(), 50);
        EXPECT_TRUE(f.Timer2.enabled());
        EXPECT_EQ(f.Timer2.interval(), 1);
        EXPECT_TRUE(f.Picture1.enabled());
        EXPECT_EQ(f.cmdNewGame.caption(), "Restart");
        EXPECT_EQ(f.cmdNewGame.enabled(), level == 3);
        EXPECT_EQ(f.imgTurtle.picture(), &art::picTurtle);
        EXPECT_EQ(f.imgTemp.picture(), &art::picTurtle);
        EXPECT_EQ(f.imgTurtleDead.picture(), &art::picTurtleDead);
        EXPECT_TRUE(f.imgTurtle.visible());
        EXPECT_FALSE(f.imgTemp.visible() || f.imgTurtleDead.visible() || f.imgTread.visible());
        EXPECT_EQ(f.imgTread.width(), 870);
        EXPECT_EQ(f.imgTread.height(), 780);
    }
}

TEST(LevelForm, AFreshFormKeepsNothingOfAnEarlierVisit) {
    FakeHost host;
    {
        LevelForm f{levels::level1()};
        f.imgTurtle.move(500, 1500);
        Timer2_Timer(f, host);  // run over by imgCar 0
        ASSERT_TRUE(f.imgTread.visible());
        for (int i = 0; i < 7; ++i) Timer1_Timer(f);
    }
    LevelForm again{levels::level1()};
    EXPECT_EQ(again.imgTurtle.left(), 3540);
    EXPECT_EQ(again.imgTurtle.top(), 4380);
    EXPECT_EQ(again.imgTurtle.picture(), &art::picTurtle);
    EXPECT_FALSE(again.imgTread.visible());
    EXPECT_FALSE(again.cmdNewGame.enabled());
    EXPECT_EQ(again.image({"imgSemi", 0}).left(), 4020);
    EXPECT_EQ(again.image({"imgCar", 0}).left(), 60);
}

TEST(LevelForm, PaintOrderIsTheLayoutBottomFirst) {
    LevelForm f{levels::level1()};
    const auto& order = f.paintOrder();
    ASSERT_EQ(order.size(), levels::level1().layout.size());
    // Topmost in the layout is the turtle: painted last.
    EXPECT_EQ(std::get<const Image*>(order.back()), &f.imgTurtle);
    EXPECT_EQ(std::get<const Image*>(order.front()), &f.imgTread);
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
