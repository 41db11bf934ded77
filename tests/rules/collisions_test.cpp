// SPDX-License-Identifier: MIT
// The collision check over level 1's controls: the strict corner test, the
// hit response, the goal and the edge limits.
#include <gtest/gtest.h>

#include "rules/handlers.h"
#include "rules/levels/levels.h"
#include "support/edge_limits.h"
#include "support/fake_host.h"
#include "support/win_checks.h"

using namespace rules;

namespace {

class Collisions : public ::testing::Test {
protected:
    LevelControls controls{levels::level1()};
    FakeHost host;
    Image& car0 = controls.image({"car", 0});  // 60, 1200, 870 x 780

    bool dead() const { return controls.turtle.picture() == &art::picTurtleDead; }
};

TEST_F(Collisions, OnlyACornerStrictlyInsideIsAHit) {
    struct Corner {
        float left, top;
        bool hit;
    };
    const Corner corners[] = {
        {60, 1500, false},   {61, 1500, true},   // left edge
        {930, 1500, false},  {929, 1500, true},  // right edge
        {500, 1200, false},  {500, 1201, true},  // top edge
        {500, 1980, false},  {500, 1979, true},  // bottom edge
        {-200, 1500, false},                     // car covers the turtle's right part only
        {500, 1100, false},                      // car covers the turtle's lower part only
    };
    for (const Corner& c : corners) {
        LevelControls fresh{levels::level1()};
        fresh.turtle.move(c.left, c.top);
        checkCollisions(fresh, host);
        EXPECT_EQ(fresh.turtle.picture() == &art::picTurtleDead, c.hit) << c.left << ", " << c.top;
    }
}

TEST_F(Collisions, AHitRunsTheTurtleOverAndTheTrafficDrivesOnWithoutASecondDeath) {
    controls.turtle.move(500, 1500);
    checkCollisions(controls, host);

    EXPECT_TRUE(dead());
    EXPECT_EQ(controls.savedTurtle.picture(), &art::picTurtle);
    EXPECT_TRUE(controls.treadMark.visible());
    EXPECT_EQ(controls.treadMark.left(), 500);  // a car leaves its mark at the turtle's left edge
    EXPECT_EQ(controls.treadMark.top(), 1200);  // in the car's lane
    EXPECT_FALSE(controls.collisionChecksOn);
    EXPECT_FALSE(controls.field.enabled());
    EXPECT_TRUE(controls.restartButton.enabled());
    EXPECT_TRUE(controls.trafficTimer.enabled());
    EXPECT_TRUE(host.boxes.empty());

    // Collision checks are off, so the window runs no more of them;
    // the traffic keeps driving over the turtle and its mark.
    const float before = car0.left();
    for (int i = 0; i < 40; ++i) moveTraffic(controls);
    EXPECT_NE(car0.left(), before);
    EXPECT_TRUE(dead());
    EXPECT_EQ(controls.treadMark.left(), 500);
}

TEST_F(Collisions, ASecondHitInTheSameCheckPlacesTheMarkButKeepsTheLivePicture) {
    // Row 1230 lies in both car 0 (1200..1980) and semi 0 (540..1275).
    Image& semi0 = controls.image({"semi", 0});
    semi0.move(400);
    controls.turtle.move(700, 1230);
    checkCollisions(controls, host);

    EXPECT_TRUE(dead());
    EXPECT_EQ(controls.savedTurtle.picture(), &art::picTurtle);
    EXPECT_EQ(controls.treadMark.top(), 540);        // the later hazard in the order: semi 0
    EXPECT_EQ(controls.treadMark.left(), 700 - 840);  // semi placement: left + 150 - 990
    restartTurtle(controls);
    EXPECT_EQ(controls.turtle.picture(), &art::picTurtle);
}

TEST_F(Collisions, TheGoalLineIsStrict) {
    controls.turtle.move(3540, 240);
    checkCollisions(controls, host);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_TRUE(controls.collisionChecksOn);
}

TEST_F(Collisions, AWinShowsWinnerThenClosesAndHandsOver) {
    host.onBox = [&] {
        EXPECT_TRUE(controls.collisionChecksOn);  // the flags change only after the box is closed
    };
    controls.turtle.move(-60, 180);
    checkCollisions(controls, host);

    expectWonAndHandedOver(controls, host);
    EXPECT_EQ(controls.turtle.left(), -60);  // no edge limit after a win
}

TEST(CollisionLimits, EdgeLimitsPullAStrayTurtleBack) {
    expectEdgeLimits(levels::level1(), {
                                           {7440, 4380, 7440, 4380},  // sticks out, left edge inside
                                           {7515, 4380, 7515, 4380},  // exactly on the edge
                                           {7740, 4380, 7200, 4380},  // 7515 - 315
                                           {-60, 4380, 0, 4380},
                                           {0, 4380, 0, 4380},
                                           {3540, 4440, 3540, 4440},
                                           {3540, 4620, 3540, 4440},
                                           {-300, 4680, 0, 4440},
                                       });
}

TEST_F(Collisions, TheMarkKeepsItsPlaceWhenTheLimitMovesTheTurtleInTheSameCheck) {
    Image& semi1 = controls.image({"semi", 1});  // lane 3540..4275, reaches past the right edge
    semi1.move(7400);
    controls.turtle.move(7740, 4080);
    checkCollisions(controls, host);
    EXPECT_TRUE(dead());
    EXPECT_EQ(controls.treadMark.left(), 7740 - 840);
    EXPECT_EQ(controls.turtle.left(), 7200);
}

}  // namespace
