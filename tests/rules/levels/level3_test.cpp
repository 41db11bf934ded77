// SPDX-License-Identifier: MIT
// Level 3, "Desert Frenzy": its layout at load, its traffic cycles, its
// hazards, the early Restart, its edge limits, keys and goal, tick by tick.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/handlers.h"
#include "rules/levels/levels.h"
#include "support/edge_limits.h"
#include "support/fake_host.h"
#include "support/traffic_cycles.h"
#include "support/win_checks.h"

using namespace rules;

namespace {

constexpr float W = 7035;  // the play field's width, 45 twips wider than the window shows

struct Vehicle {
    const char* name;
    float left, top, width, height;
    float step;
};

// At load, in the traffic tick's order.
const Vehicle kVehicles[] = {
    {"truckBoat", 5220, 660, 1770, 780, -400},
    {"semi", 3540, 1620, 990, 735, -350},
    {"sportsCar", 2220, 4080, 1005, 555, 500},
    {"car", 540, 3060, 870, 780, 425},
};
enum { TruckBoat, Semi, SportsCar, Car };

// A freshly opened level 3 window and a host that answers its boxes.
struct Game {
    LevelControls controls{levels::level3()};
    FakeHost host;

    Image& vehicle(int i) { return controls.image({kVehicles[i].name}); }
    bool dead() const { return controls.turtle.picture() == &art::picTurtleDead; }
    // Parks every vehicle far left of the field, where no tick wraps it.
    void clearRoad() {
        for (int i = 0; i < 4; ++i) vehicle(i).move(-20000);
    }
    void pressAndTick(std::int16_t key) {
        handleKey(controls, host, key, 0);
        checkCollisions(controls, host);
    }
};

struct Level3 : ::testing::Test, Game {};

TEST_F(Level3, FreshFormIsTheLayout) {
    EXPECT_EQ(controls.field.width(), W);
    EXPECT_EQ(controls.turtle.left(), 3420);
    EXPECT_EQ(controls.turtle.top(), 4920);
    EXPECT_EQ(controls.turtle.picture(), &art::picTurtle);
    EXPECT_FALSE(controls.treadMark.visible());
    EXPECT_TRUE(controls.restartButton.enabled());  // unlike levels 1 and 2
    EXPECT_TRUE(controls.field.enabled());
    EXPECT_TRUE(controls.trafficTimer.enabled());
    EXPECT_TRUE(controls.collisionChecksOn);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(kVehicles[i].name);
        EXPECT_EQ(vehicle(i).left(), kVehicles[i].left);
        EXPECT_EQ(vehicle(i).top(), kVehicles[i].top);
        EXPECT_EQ(vehicle(i).width(), kVehicles[i].width);
        EXPECT_EQ(vehicle(i).height(), kVehicles[i].height);
    }
}

// Tick of the first wrap, the left it wraps from and to, then the fixed
// cycle: every later wrap comes `period` ticks after the last, from `cycleFrom`.
TEST_F(Level3, EachVehicleWrapsOnItsCycle) {
    expectCycles(controls, {
                        {-400, 18, -1980, 8805, 27, -1995},  // truck-boat
                        {-350, 13, -1010, 8045, 26, -1055},  // semi-trailer
                        {500, 12, 8220, -1205, 19, 8295},    // sports car
                        {425, 18, 8190, -750, 21, 8175},     // car
                    });
}

// One step before the threshold: the tick lands exactly on it and must not
// wrap; the next one does.
TEST_F(Level3, AVehicleExactlyOnItsThresholdStays) {
    const float onThreshold[] = {-1770, -990, W + 1005, W + 900};
    const float reentry[] = {W + 1770, W + 1010, -1205, -750};
    for (int i = 0; i < 4; ++i) vehicle(i).move(onThreshold[i] - kVehicles[i].step);
    moveTraffic(controls);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(vehicle(i).left(), onThreshold[i]) << kVehicles[i].name;
    moveTraffic(controls);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(vehicle(i).left(), reentry[i]) << kVehicles[i].name;
}

// The turtle's corner on any edge of a vehicle is safe, one twip inside is
// a hit; every tread mark lies at the turtle's left edge in the vehicle's lane.
TEST_F(Level3, CornerStrictlyInsideHitsAndPlacesTheTread) {
    for (int i = 0; i < 4; ++i) {
        const Vehicle& v = kVehicles[i];
        struct Case { float dx, dy; bool hit; };
        const Case cases[] = {
            {0, 1, false}, {v.width, 1, false}, {1, 0, false}, {1, v.height, false},
            {1, 1, true},  {v.width - 1, v.height - 1, true},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(v.name) + " dx " + std::to_string(c.dx) + " dy " + std::to_string(c.dy));
            Game t;
            t.clearRoad();
            t.vehicle(i).move(v.left);
            t.controls.turtle.move(v.left + c.dx, v.top + c.dy);
            checkCollisions(t.controls, t.host);
            EXPECT_EQ(t.dead(), c.hit);
            EXPECT_EQ(t.controls.treadMark.visible(), c.hit);
            EXPECT_EQ(t.controls.collisionChecksOn, !c.hit);
            EXPECT_EQ(t.controls.field.enabled(), !c.hit);
            if (!c.hit) continue;
            EXPECT_EQ(t.controls.savedTurtle.picture(), &art::picTurtle);
            EXPECT_EQ(t.controls.treadMark.left(), v.left + c.dx);
            EXPECT_EQ(t.controls.treadMark.top(), v.top);
        }
    }
}

// Every row the 500-twip steps reach from load (4920) and from Restart
// (4860), with the one vehicle that can hit there, or -1. Each vehicle is
// swept alone across the whole field, past the turtle.
TEST_F(Level3, OnlyTheLanesOfARowCanHitIt) {
    struct Row { float top; int hitBy; };
    const Row rows[] = {
        {4920, -1}, {4420, SportsCar}, {3920, -1}, {3420, Car}, {2920, -1},
        {2420, -1}, {1920, Semi}, {1420, TruckBoat}, {920, TruckBoat}, {420, -1},
        {4860, -1}, {4360, SportsCar}, {3860, -1}, {3360, Car}, {2860, -1},
        {2360, -1}, {1860, Semi}, {1360, TruckBoat}, {860, TruckBoat}, {360, -1},
    };
    for (const Row& row : rows) {
        for (int i = 0; i < 4; ++i) {
            Game t;
            t.clearRoad();
            t.controls.turtle.move(3420, row.top);
            bool hit = false;
            for (float left = -2000; left <= W + 1100 && !hit; left += 15) {
                t.vehicle(i).move(left);
                checkCollisions(t.controls, t.host);
                hit = t.dead();
            }
            EXPECT_EQ(hit, row.hitBy == i) << "row " << row.top << " " << kVehicles[i].name;
        }
    }
}

TEST_F(Level3, TrafficDrivesOnOverADeadTurtle) {
    controls.turtle.move(3600, 1920);  // under the semi-trailer at load (3540..4530)
    checkCollisions(controls, host);
    ASSERT_TRUE(dead());
    EXPECT_FALSE(controls.collisionChecksOn);
    EXPECT_FALSE(controls.field.enabled());
    EXPECT_TRUE(controls.trafficTimer.enabled());
    for (int tick = 0; tick < 3; ++tick) moveTraffic(controls);
    EXPECT_EQ(vehicle(Semi).left(), 3540 - 3 * 350);
    restartTurtle(controls);
    EXPECT_EQ(vehicle(Semi).left(), 3540 - 3 * 350);
    EXPECT_EQ(controls.turtle.picture(), &art::picTurtle);
    EXPECT_EQ(controls.turtle.top(), 4860);
}

TEST(Level3Limits, EdgeLimits) {
    expectEdgeLimits(levels::level3(), {
                                           {7420, 4920, 6720, 4920}, {6920, 4920, 6920, 4920},
                                           {7035, 4920, 7035, 4920}, {-80, 4920, 0, 4920},
                                           {3420, 5420, 3420, 4920}, {7420, 5420, 6720, 4920},
                                       });
}

// Fourteen steps right of the left edge the turtle stands at 7000, past the
// visible 6990 but inside the field: it stays, lives, moves and can be hit.
TEST_F(Level3, TurtleOutOfSightAt7000IsStillInPlay) {
    clearRoad();
    controls.turtle.setLeft(0);
    for (int press = 0; press < 14; ++press) pressAndTick(rules::kKeyRight);
    EXPECT_EQ(controls.turtle.left(), 7000);
    for (int press = 0; press < 3; ++press) pressAndTick(rules::kKeyUp);
    EXPECT_EQ(controls.turtle.left(), 7000);
    EXPECT_EQ(controls.turtle.top(), 3420);
    EXPECT_FALSE(dead());
    vehicle(Car).move(6500);
    checkCollisions(controls, host);
    EXPECT_TRUE(dead());
    EXPECT_EQ(controls.treadMark.left(), 7000);
    EXPECT_EQ(controls.treadMark.top(), 3060);
}

TEST_F(Level3, KeysStep500AndPause) {
    struct Case { std::int16_t key; float dx, dy; bool pauses; };
    const Case cases[] = {
        {rules::kKeyUp, 0, -500, false},   {rules::kKeyDown, 0, 500, false},
        {rules::kKeyLeft, -500, 0, false}, {rules::kKeyRight, 500, 0, false},
        {rules::kKeyP, 0, 0, true},        {rules::kKeyPause, 0, 0, true},
        {32, 0, 0, false}, {13, 0, 0, false}, {27, 0, 0, false}, {65, 0, 0, false},
        {48, 0, 0, false}, {112, 0, 0, false},
    };
    for (const Case& c : cases) {
        Game t;
        handleKey(t.controls, t.host, c.key, 1);  // Shift held: modifiers change nothing
        EXPECT_EQ(t.controls.turtle.left(), 3420 + c.dx) << c.key;
        EXPECT_EQ(t.controls.turtle.top(), 4920 + c.dy) << c.key;
        ASSERT_EQ(t.host.boxes.size(), c.pauses ? 1u : 0u) << c.key;
        if (!c.pauses) continue;
        EXPECT_EQ(t.host.boxes[0].text, "Paused");
        EXPECT_EQ(t.host.boxes[0].style, 64);
        EXPECT_EQ(t.host.boxes[0].title, std::optional<std::string>("Plodway"));
    }
}

// The button is live at load: Restart sends the living turtle up to 4860 in
// its own column and greys itself out; the traffic is not touched.
TEST_F(Level3, RestartBeforeTheFirstDeath) {
    handleKey(controls, host, rules::kKeyLeft, 0);
    restartTurtle(controls);
    EXPECT_EQ(controls.turtle.left(), 2920);
    EXPECT_EQ(controls.turtle.top(), 4860);
    EXPECT_EQ(controls.turtle.picture(), &art::picTurtle);
    EXPECT_FALSE(controls.restartButton.enabled());
    EXPECT_TRUE(controls.collisionChecksOn);
    EXPECT_TRUE(controls.field.enabled());
    EXPECT_FALSE(controls.treadMark.visible());
    for (int i = 0; i < 4; ++i) EXPECT_EQ(vehicle(i).left(), kVehicles[i].left) << kVehicles[i].name;
}

TEST_F(Level3, Top240IsNotAWin) {
    clearRoad();
    controls.turtle.move(3420, 240);
    checkCollisions(controls, host);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(host.closes, 0);
    EXPECT_TRUE(controls.collisionChecksOn);
}

// Ten presses of Up win from the load row (4920 -> -80) and from the
// Restart row (4860 -> -140); the ninth (420 or 360) does not.
TEST_F(Level3, TenStepsUpWinFromEitherStart) {
    for (bool restarted : {false, true}) {
        SCOPED_TRACE(restarted ? "from Restart" : "from load");
        Game t;
        t.clearRoad();
        if (restarted) restartTurtle(t.controls);
        const float start = t.controls.turtle.top();
        FakeHost order;
        for (int press = 1; press <= 9; ++press) {
            handleKey(t.controls, order, rules::kKeyUp, 0);
            checkCollisions(t.controls, order);
            ASSERT_TRUE(order.calls.empty()) << "press " << press;
        }
        handleKey(t.controls, order, rules::kKeyUp, 0);
        t.controls.turtle.setLeft(-80);  // off the left edge: the limit must not run after the win
        checkCollisions(t.controls, order);
        EXPECT_EQ(t.controls.turtle.top(), start - 5000);
        expectWonAndHandedOver(t.controls, order);
        EXPECT_EQ(t.controls.turtle.left(), -80);
    }
}

}  // namespace
