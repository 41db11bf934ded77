// SPDX-License-Identifier: MIT
// Restart: the seven steps bring a run-over turtle back in its column.
#include <gtest/gtest.h>

#include "rules/handlers.h"
#include "rules/levels/levels.h"
#include "support/fake_host.h"

using namespace rules;

namespace {

// Runs level 1's turtle over with car 1 at its column 3540.
void killWithCar(LevelControls& controls, FakeHost& host) {
    controls.turtle.move(3540, 3180);
    controls.image({"car", 1}).move(3000);
    checkCollisions(controls, host);
}

TEST(Restart, BringsTheLiveTurtleBackInItsColumnAndLeavesTheTrafficAlone) {
    LevelControls controls{levels::level1()};
    FakeHost host;
    int focusRequests = 0;
    controls.field.onSetFocus = [&] {
        ++focusRequests;
        EXPECT_TRUE(controls.field.enabled());  // focus comes after the field is enabled
    };
    killWithCar(controls, host);
    ASSERT_EQ(controls.turtle.picture(), &art::picTurtleDead);
    for (int i = 0; i < 3; ++i) moveTraffic(controls);
    const float car = controls.image({"car", 1}).left();

    restartTurtle(controls);

    EXPECT_FALSE(controls.restartButton.enabled());
    EXPECT_EQ(controls.turtle.left(), 3540);
    EXPECT_EQ(controls.turtle.top(), 4320);
    EXPECT_EQ(controls.turtle.picture(), &art::picTurtle);
    EXPECT_TRUE(controls.collisionChecksOn);
    EXPECT_TRUE(controls.trafficTimer.enabled());
    EXPECT_TRUE(controls.field.enabled());
    EXPECT_FALSE(controls.treadMark.visible());
    EXPECT_EQ(focusRequests, 1);
    EXPECT_EQ(controls.image({"car", 1}).left(), car);

    // Keys work at once: Up moves from the restart row.
    handleKey(controls, host, rules::kKeyUp, 0);
    EXPECT_EQ(controls.turtle.top(), 4020);
}

TEST(Restart, RestartRowsOfTheThreeLevels) {
    const std::pair<int, float> rows[] = {{1, 4320}, {2, 4860}, {3, 4860}};
    for (auto [level, top] : rows) {
        LevelControls controls{levels::byNumber(level)};
        controls.turtle.move(1000, 2000);
        restartTurtle(controls);
        EXPECT_EQ(controls.turtle.top(), top) << "level " << level;
        EXPECT_EQ(controls.turtle.left(), 1000) << "level " << level;
    }
}

}  // namespace
