// SPDX-License-Identifier: MIT
// Level 1's tables: traffic cycles, hazards and their tread marks, rows.
#include <gtest/gtest.h>

#include "rules/handlers.h"
#include "rules/levels/levels.h"
#include "support/fake_host.h"
#include "support/traffic_cycles.h"

using namespace rules;

namespace {

TEST(Level1Traffic, FirstWrapsAndCycles) {
    LevelControls controls{levels::level1()};
    expectCycles(controls, {
                        {-500, 11, -1480, 7615, 18, -1385},  // semi 0
                        {-500, 16, -1160, 8505, 19, -995},   // semi 1
                        {-500, 7, -1040, 9015, 21, -1485},   // semi 2
                        {500, 15, 7560, -990, 18, 8010},     // car 0
                        {500, 11, 7840, -1500, 19, 8000},    // car 1
                    });
}

TEST(Level1Traffic, AVehicleExactlyOnItsThresholdStays) {
    LevelControls controls{levels::level1()};
    Image& semi0 = controls.image({"semi", 0});
    for (int i = 0; i < 10; ++i) moveTraffic(controls);
    EXPECT_EQ(semi0.left(), -980);  // not less than -990
    semi0.move(-490);
    moveTraffic(controls);
    EXPECT_EQ(semi0.left(), -990);  // exactly on the threshold
    Image& car0 = controls.image({"car", 0});
    car0.move(7015);
    moveTraffic(controls);
    EXPECT_EQ(car0.left(), 7515);  // exactly W
    moveTraffic(controls);
    EXPECT_EQ(car0.left(), -990);
}

TEST(Level1Traffic, TheFieldWidthIsReadAtEveryTest) {
    // The wrap rules name W, not 7515: a car re-enters relative to the field.
    LevelControls controls{levels::level1()};
    Image& semi2 = controls.image({"semi", 2});
    for (int i = 0; i < 7; ++i) moveTraffic(controls);
    EXPECT_EQ(semi2.left(), controls.field.width() + 1500);
}

TEST(Level1Hazards, TreadMarkPerVehicleKind) {
    struct Kill {
        ControlRef vehicle;
        float vehicleLeft, turtleTop;
        float treadLeft, treadTop;
    };
    const Kill kills[] = {
        {{"car", 0}, 3000, 1680, 3540, 1200}, {{"car", 1}, 3000, 3180, 3540, 2760},
        {{"semi", 0}, 3000, 1080, 2700, 540}, {{"semi", 1}, 3000, 4080, 2700, 3540},
        {{"semi", 2}, 3000, 2580, 2700, 1980},
    };
    for (const Kill& k : kills) {
        LevelControls controls{levels::level1()};
        FakeHost host;
        controls.image(k.vehicle).move(k.vehicleLeft);
        controls.turtle.move(3540, k.turtleTop);
        checkCollisions(controls, host);
        EXPECT_EQ(controls.turtle.picture(), &art::picTurtleDead) << k.vehicle.text();
        EXPECT_EQ(controls.treadMark.left(), k.treadLeft) << k.vehicle.text();
        EXPECT_EQ(controls.treadMark.top(), k.treadTop) << k.vehicle.text();
    }
}

// Every row of the three families, and the vehicles that can hit it: sweep
// each vehicle across the whole field and see who kills.
TEST(Level1Hazards, RowsAndTheLanesThatCanHitThem) {
    const std::vector<std::pair<float, const char*>> rows = {
        {4380, ""},          {4320, ""},           {4440, ""},           {4080, "semi 1"},
        {3720, "semi 1"}, {3840, "semi 1"},  {3540, ""},           {3480, "car 1"},
        {2820, "car 1"},  {2940, "car 1"},   {2580, "semi 2"},  {2040, "semi 2"},
        {1980, ""},          {1920, "car 0"},   {1440, "car 0"},   {1080, "semi 0"},
        {720, "semi 0"},  {840, "semi 0"},   {480, ""},            {420, ""},
        {540, ""},           {240, ""},
    };
    for (auto [top, expected] : rows) {
        std::string killers;
        for (const HazardRow& h : levels::level1().hazards)
            for (float left = -1500; left < 7515; left += 50) {
                LevelControls controls{levels::level1()};
                FakeHost host;
                for (Image* v : controls.hazardVehicles) v->move(-5000);
                controls.image(h.vehicle).move(left);
                controls.turtle.move(3540, top);
                checkCollisions(controls, host);
                if (controls.treadMark.visible()) {
                    killers += h.vehicle.text();
                    break;
                }
            }
        EXPECT_EQ(killers, expected) << "row " << top;
    }
}

TEST(Level1Goal, FourteenStepsUpWinOnAClearRoad) {
    for (float start : {4380.0f, 4320.0f}) {
        LevelControls controls{levels::level1()};
        FakeHost host;
        for (Image* v : controls.hazardVehicles) v->move(-5000);
        controls.turtle.move(3540, start);
        int presses = 0;
        while (host.boxes.empty() && presses < 30) {
            handleKey(controls, host, rules::kKeyUp, 0);
            ++presses;
            checkCollisions(controls, host);
        }
        EXPECT_EQ(presses, 14) << start;
        ASSERT_EQ(host.boxes.size(), 1u);
        EXPECT_EQ(host.boxes[0].text, "Winner!");
        EXPECT_EQ(host.handOvers, 1);
    }
}

TEST(Level1Goal, FromTheBottomLimitTheRowAt240IsOneStepShort) {
    LevelControls controls{levels::level1()};
    FakeHost host;
    for (Image* v : controls.hazardVehicles) v->move(-5000);
    controls.turtle.move(3540, 4440);
    for (int i = 0; i < 14; ++i) handleKey(controls, host, rules::kKeyUp, 0);
    checkCollisions(controls, host);
    EXPECT_EQ(controls.turtle.top(), 240);
    EXPECT_TRUE(host.boxes.empty());
    handleKey(controls, host, rules::kKeyUp, 0);
    checkCollisions(controls, host);
    EXPECT_EQ(host.boxes.size(), 1u);
}

}  // namespace
