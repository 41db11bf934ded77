// Restart: the seven steps bring a run-over turtle back in its column.
#include <gtest/gtest.h>

#include "engine/handlers.h"
#include "levels/levels.h"
#include "support/fake_host.h"

using namespace engine;

namespace {

// Runs level 1's turtle over with imgCar 1 at its column 3540.
void killWithCar(LevelForm& f, FakeHost& host) {
    f.turtle.move(3540, 3180);
    f.image({"imgCar", 1}).move(3000);
    checkCollisions(f, host);
}

TEST(Restart, BringsTheLiveTurtleBackInItsColumnAndLeavesTheTrafficAlone) {
    LevelForm f{levels::level1()};
    FakeHost host;
    int focusRequests = 0;
    f.field.onSetFocus = [&] {
        ++focusRequests;
        EXPECT_TRUE(f.field.enabled());  // focus comes after the field is enabled
    };
    killWithCar(f, host);
    ASSERT_EQ(f.turtle.picture(), &art::picTurtleDead);
    for (int i = 0; i < 3; ++i) moveTraffic(f);
    const float car = f.image({"imgCar", 1}).left();

    restartTurtle(f);

    EXPECT_FALSE(f.restartButton.enabled());
    EXPECT_EQ(f.turtle.left(), 3540);
    EXPECT_EQ(f.turtle.top(), 4320);
    EXPECT_EQ(f.turtle.picture(), &art::picTurtle);
    EXPECT_TRUE(f.collisionChecksOn);
    EXPECT_TRUE(f.trafficTimer.enabled());
    EXPECT_TRUE(f.field.enabled());
    EXPECT_FALSE(f.treadMark.visible());
    EXPECT_EQ(focusRequests, 1);
    EXPECT_EQ(f.image({"imgCar", 1}).left(), car);

    // Keys work at once: Up moves from the restart row.
    handleKey(f, host, winsys::kKeyUp, 0);
    EXPECT_EQ(f.turtle.top(), 4020);
}

TEST(Restart, RestartRowsOfTheThreeLevels) {
    const std::pair<int, float> rows[] = {{1, 4320}, {2, 4860}, {3, 4860}};
    for (auto [level, top] : rows) {
        LevelForm f{levels::byNumber(level)};
        f.turtle.move(1000, 2000);
        restartTurtle(f);
        EXPECT_EQ(f.turtle.top(), top) << "level " << level;
        EXPECT_EQ(f.turtle.left(), 1000) << "level " << level;
    }
}

}  // namespace
