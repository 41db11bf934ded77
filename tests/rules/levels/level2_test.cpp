// SPDX-License-Identifier: MIT
// Level 2, "The Big City": its layout at load, its traffic cycles, its
// hazards and tread marks, its edge limits and its goal, tick by tick.
#include <gtest/gtest.h>

#include <set>
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

constexpr float W = 7155;  // the play field's width

struct Vehicle {
    const char* name;
    int index;
    float left, top, width, height;
};

// At load, in the traffic tick's order.
const Vehicle kVehicles[] = {
    {"bus", 0, 5280, 540, 1845, 735},      {"bus", 1, 2520, 2700, 1845, 735},
    {"car", 0, 2820, 2040, 870, 780},      {"car", 1, 4620, 3420, 870, 780},
    {"sportsCar", 0, 240, 1320, 1005, 555}, {"sportsCar", 1, 2280, 4200, 1005, 555},
};

// A freshly opened level 2 window and a host that answers its boxes.
struct Game {
    LevelControls controls{levels::level2()};
    FakeHost host;

    Image& vehicle(const Vehicle& v) { return controls.image({v.name, v.index}); }
    bool dead() const { return controls.turtle.picture() == &art::picTurtleDead; }
    // Parks every vehicle far left of the field, where no tick wraps it.
    void clearRoad() {
        for (const Vehicle& v : kVehicles) vehicle(v).move(-20000);
    }
};

struct Level2 : ::testing::Test, Game {};

TEST_F(Level2, FreshFormIsTheLayout) {
    EXPECT_EQ(controls.field.width(), W);
    EXPECT_EQ(controls.turtle.left(), 3480);
    EXPECT_EQ(controls.turtle.top(), 4860);
    EXPECT_EQ(controls.turtle.picture(), &art::picTurtle);
    EXPECT_FALSE(controls.treadMark.visible());
    EXPECT_FALSE(controls.restartButton.enabled());
    EXPECT_TRUE(controls.field.enabled());
    EXPECT_TRUE(controls.trafficTimer.enabled());
    EXPECT_TRUE(controls.collisionChecksOn);
    for (const Vehicle& v : kVehicles) {
        SCOPED_TRACE(std::string(v.name) + " " + std::to_string(v.index));
        const Image& img = vehicle(v);
        EXPECT_EQ(img.left(), v.left);
        EXPECT_EQ(img.top(), v.top);
        EXPECT_EQ(img.width(), v.width);
        EXPECT_EQ(img.height(), v.height);
    }
}

// Tick of the first wrap, the left it wraps from and to, then the fixed
// cycle: every later wrap comes `period` ticks after the last, from `cycleFrom`.
TEST_F(Level2, EachVehicleWrapsOnItsCycle) {
    expectCycles(controls, {
                        {-400, 18, -1920, 7255, 23, -1945},  // bus 0
                        {-400, 11, -1880, 7505, 24, -2095},  // bus 1
                        {500, 11, 8320, -870, 18, 8130},     // car 0
                        {500, 7, 8120, -1040, 19, 8460},     // car 1
                        {650, 13, 8690, -1205, 15, 8545},    // sports car 0
                        {650, 10, 8780, -1500, 15, 8250},    // sports car 1
                    });
}

// One step before the threshold: the tick lands exactly on it and must not
// wrap; the next one does.
TEST_F(Level2, AVehicleExactlyOnItsThresholdStays) {
    const float onThreshold[] = {-1845, -1845, W + 870, W + 870, W + 1005, W + 1005};
    const float step[] = {-400, -400, 500, 500, 650, 650};
    for (int i = 0; i < 6; ++i) vehicle(kVehicles[i]).move(onThreshold[i] - step[i]);
    moveTraffic(controls);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(vehicle(kVehicles[i]).left(), onThreshold[i]) << i;
    moveTraffic(controls);
    const float reentry[] = {W + 100, W + 350, -870, -1040, -1205, -1500};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(vehicle(kVehicles[i]).left(), reentry[i]) << i;
}

// The turtle's corner on any edge of a vehicle is safe, one twip inside is
// a hit; the tread mark follows the vehicle's kind and lane.
TEST_F(Level2, CornerStrictlyInsideHitsAndPlacesTheTread) {
    for (const Vehicle& v : kVehicles) {
        const bool bus = std::string(v.name) == "bus";
        struct Case { float dx, dy; bool hit; };
        const Case cases[] = {
            {0, 1, false}, {v.width, 1, false}, {1, 0, false}, {1, v.height, false},
            {1, 1, true},  {v.width - 1, v.height - 1, true},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(v.name) + " " + std::to_string(v.index) + " dx " +
                         std::to_string(c.dx) + " dy " + std::to_string(c.dy));
            Game t;
            t.clearRoad();
            t.vehicle(v).move(v.left);
            const float left = v.left + c.dx;
            t.controls.turtle.move(left, v.top + c.dy);
            checkCollisions(t.controls, t.host);
            EXPECT_EQ(t.dead(), c.hit);
            EXPECT_EQ(t.controls.treadMark.visible(), c.hit);
            EXPECT_EQ(t.controls.collisionChecksOn, !c.hit);
            EXPECT_EQ(t.controls.field.enabled(), !c.hit);
            EXPECT_EQ(t.controls.restartButton.enabled(), c.hit);
            if (!c.hit) continue;
            EXPECT_EQ(t.controls.savedTurtle.picture(), &art::picTurtle);
            EXPECT_EQ(t.controls.treadMark.left(), bus ? left - 720 : left);
            EXPECT_EQ(t.controls.treadMark.top(), v.top);
        }
    }
}

// Every row the 300-twip steps reach, from load (4860) and after the bottom
// limit (4920), with the vehicles that can hit there. Each vehicle is swept
// alone across the whole field, past the turtle.
TEST_F(Level2, OnlyTheLanesOfARowCanHitIt) {
    struct Row { float top; std::set<int> hitBy; };  // indexes into kVehicles
    const Row rows[] = {
        {4860, {}},    {4560, {5}},    {4260, {5}},    {3960, {3}}, {3660, {3}},
        {3360, {1}},   {3060, {1}},    {2760, {1, 2}}, {2460, {2}}, {2160, {2}},
        {1860, {4}},   {1560, {4}},    {1260, {0}},    {960, {0}},  {660, {0}},
        {360, {}},     {4920, {}},     {4620, {5}},    {4320, {5}}, {4020, {3}},
        {3720, {3}},   {3420, {1}},    {3120, {1}},    {2820, {1}}, {2520, {2}},
        {2220, {2}},   {1920, {}},     {1620, {4}},    {1320, {}},  {1020, {0}},
        {720, {0}},    {420, {}},
    };
    for (const Row& row : rows) {
        for (int i = 0; i < 6; ++i) {
            Game t;
            t.clearRoad();
            t.controls.turtle.move(3480, row.top);
            bool hit = false;
            for (float left = -2000; left <= W + 1100 && !hit; left += 15) {
                t.vehicle(kVehicles[i]).move(left);
                checkCollisions(t.controls, t.host);
                hit = t.dead();
            }
            EXPECT_EQ(hit, row.hitBy.count(i) == 1) << "row " << row.top << " vehicle " << i;
        }
    }
}

// Car 0 and bus 1 overlap on row 2760: both respond, the first saves the
// live picture and the bus, later in the order, places the mark.
TEST_F(Level2, DoubleHitOnRow2760KeepsTheLivePicture) {
    controls.turtle.move(3480, 2760);  // inside car 0 (2820..3690) and bus 1 (2520..4365)
    checkCollisions(controls, host);
    EXPECT_TRUE(dead());
    EXPECT_EQ(controls.savedTurtle.picture(), &art::picTurtle);
    EXPECT_TRUE(controls.treadMark.visible());
    EXPECT_EQ(controls.treadMark.left(), 3480 - 720);
    EXPECT_EQ(controls.treadMark.top(), 2700);

    restartTurtle(controls);
    EXPECT_EQ(controls.turtle.picture(), &art::picTurtle);
    EXPECT_EQ(controls.turtle.left(), 3480);
    EXPECT_EQ(controls.turtle.top(), 4860);
    EXPECT_FALSE(controls.treadMark.visible());
    EXPECT_FALSE(controls.restartButton.enabled());
    EXPECT_TRUE(controls.collisionChecksOn);
    EXPECT_TRUE(controls.field.enabled());
}

// A death stops the collision checks and the keys, never the traffic; Restart
// moves no vehicle.
TEST_F(Level2, TrafficDrivesOnOverADeadTurtle) {
    controls.turtle.move(3480, 2460);  // car 0's lane
    checkCollisions(controls, host);
    ASSERT_TRUE(dead());
    EXPECT_FALSE(controls.collisionChecksOn);
    EXPECT_FALSE(controls.field.enabled());
    EXPECT_TRUE(controls.trafficTimer.enabled());
    for (int tick = 0; tick < 3; ++tick) moveTraffic(controls);
    const Image& car0 = vehicle(kVehicles[2]);
    EXPECT_EQ(car0.left(), 2820 + 3 * 500);
    restartTurtle(controls);
    EXPECT_EQ(car0.left(), 2820 + 3 * 500);
}

TEST(Level2Limits, EdgeLimits) {
    expectEdgeLimits(levels::level2(), {
                                           {7380, 4860, 6840, 4860}, {7155, 4860, 7155, 4860},
                                           {-120, 4860, 0, 4860},    {3480, 5160, 3480, 4920},
                                           {3480, 4920, 3480, 4920}, {-120, 5160, 0, 4920},
                                       });
}

// The limits also run in a tick with a hit, after the mark is placed.
TEST_F(Level2, TreadKeepsItsPlaceWhenTheLimitMovesTheTurtle) {
    clearRoad();
    vehicle(kVehicles[1]).move(-1000);  // bus 1 over the left edge
    controls.turtle.move(-120, 3060);
    checkCollisions(controls, host);
    EXPECT_TRUE(dead());
    EXPECT_EQ(controls.treadMark.left(), -120 - 720);
    EXPECT_EQ(controls.turtle.left(), 0);
}

TEST_F(Level2, Top240IsNotAWin) {
    clearRoad();
    controls.turtle.move(3480, 240);
    checkCollisions(controls, host);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(host.closes, 0);
    EXPECT_TRUE(controls.collisionChecksOn);
}

TEST_F(Level2, SixteenStepsUpWinAt60) {
    clearRoad();
    FakeHost order;
    for (int press = 1; press <= 15; ++press) {
        handleKey(controls, order, rules::kKeyUp, 0);
        checkCollisions(controls, order);
        ASSERT_TRUE(order.calls.empty()) << "press " << press;
    }
    EXPECT_EQ(controls.turtle.top(), 360);
    handleKey(controls, order, rules::kKeyUp, 0);
    controls.turtle.setLeft(-120);  // off the left edge: the limit must not run after the win
    checkCollisions(controls, order);
    EXPECT_EQ(controls.turtle.top(), 60);
    expectWonAndHandedOver(controls, order);
    EXPECT_EQ(controls.turtle.left(), -120);
}

}  // namespace
