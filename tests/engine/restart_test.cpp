// SPDX-License-Identifier: MIT
// Restart: the seven steps bring a run-over turtle back in its column.
#include <gtest/gtest.h>

#include "engine/handlers.h"
#include "levels/levels.h"
#include "support/fake_host.h"

using namespace engine;

namespace {

// Runs level 1's turtle over with imgCar 1 at its column 3540.
void killWithCar(LevelForm& form, FakeHost& host) {
    form.turtle.move(3540, 3180);
    form.image({"imgCar", 1}).move(3000);
    checkCollisions(form, host);
}

TEST(Restart, BringsTheLiveTurtleBackInItsColumnAndLeavesTheTrafficAlone) {
    LevelForm form{levels::level1()};
    FakeHost host;
    int focusRequests = 0;
    form.field.onSetFocus = [&] {
        ++focusRequests;
        EXPECT_TRUE(form.field.enabled());  // focus comes after the field is enabled
    };
    killWithCar(form, host);
    ASSERT_EQ(form.turtle.picture(), &art::picTurtleDead);
    for (int i = 0; i < 3; ++i) moveTraffic(form);
    const float car = form.image({"imgCar", 1}).left();

    restartTurtle(form);

    EXPECT_FALSE(form.restartButton.enabled());
    EXPECT_EQ(form.turtle.left(), 3540);
    EXPECT_EQ(form.turtle.top(), 4320);
    EXPECT_EQ(form.turtle.picture(), &art::picTurtle);
    EXPECT_TRUE(form.collisionChecksOn);
    EXPECT_TRUE(form.trafficTimer.enabled());
    EXPECT_TRUE(form.field.enabled());
    EXPECT_FALSE(form.treadMark.visible());
    EXPECT_EQ(focusRequests, 1);
    EXPECT_EQ(form.image({"imgCar", 1}).left(), car);

    // Keys work at once: Up moves from the restart row.
    handleKey(form, host, winsys::kKeyUp, 0);
    EXPECT_EQ(form.turtle.top(), 4020);
}

TEST(Restart, RestartRowsOfTheThreeLevels) {
    const std::pair<int, float> rows[] = {{1, 4320}, {2, 4860}, {3, 4860}};
    for (auto [level, top] : rows) {
        LevelForm form{levels::byNumber(level)};
        form.turtle.move(1000, 2000);
        restartTurtle(form);
        EXPECT_EQ(form.turtle.top(), top) << "level " << level;
        EXPECT_EQ(form.turtle.left(), 1000) << "level " << level;
    }
}

}  // namespace
