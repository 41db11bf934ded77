// Restart: the seven steps bring a run-over turtle back in its column.
#include <gtest/gtest.h>

#include "engine/handlers.h"
#include "levels/levels.h"
#include "support/fake_host.h"

using namespace engine;

namespace {

// Runs level 1's turtle over with imgCar 1 at its column 3540.
void killWithCar(LevelForm& f, FakeHost& host) {
    f.imgTurtle.move(3540, 3180);
    f.image({"imgCar", 1}).move(3000);
    Timer2_Timer(f, host);
}

TEST(Restart, BringsTheLiveTurtleBackInItsColumnAndLeavesTheTrafficAlone) {
    LevelForm f{levels::level1()};
    FakeHost host;
    int focusRequests = 0;
    f.Picture1.onSetFocus = [&] {
        ++focusRequests;
        EXPECT_TRUE(f.Picture1.enabled());  // focus comes after the field is enabled
    };
    killWithCar(f, host);
    ASSERT_EQ(f.imgTurtle.picture(), &art::picTurtleDead);
    for (int i = 0; i < 3; ++i) Timer1_Timer(f);
    const float car = f.image({"imgCar", 1}).left();

    cmdNewGame_Click(f);

    EXPECT_FALSE(f.cmdNewGame.enabled());
    EXPECT_EQ(f.imgTurtle.left(), 3540);
    EXPECT_EQ(f.imgTurtle.top(), 4320);
    EXPECT_EQ(f.imgTurtle.picture(), &art::picTurtle);
    EXPECT_TRUE(f.Timer2.enabled());
    EXPECT_TRUE(f.Timer1.enabled());
    EXPECT_TRUE(f.Picture1.enabled());
    EXPECT_FALSE(f.imgTread.visible());
    EXPECT_EQ(focusRequests, 1);
    EXPECT_EQ(f.image({"imgCar", 1}).left(), car);

    // Keys work at once: Up moves from the restart row.
    Picture1_KeyDown(f, host, vbKeyUp, 0);
    EXPECT_EQ(f.imgTurtle.top(), 4020);
}

TEST(Restart, RestartRowsOfTheThreeLevels) {
    const std::pair<int, float> rows[] = {{1, 4320}, {2, 4860}, {3, 4860}};
    for (auto [level, top] : rows) {
        LevelForm f{levels::byNumber(level)};
        f.imgTurtle.move(1000, 2000);
        cmdNewGame_Click(f);
        EXPECT_EQ(f.imgTurtle.top(), top) << "level " << level;
        EXPECT_EQ(f.imgTurtle.left(), 1000) << "level " << level;
    }
}

}  // namespace
