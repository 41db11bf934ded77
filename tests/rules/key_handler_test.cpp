// SPDX-License-Identifier: MIT
// The key handler over level 1's controls: a full step per event, no edge
// tests, modifiers ignored, P and Pause hold the level in a box.
#include <gtest/gtest.h>

#include "rules/handlers.h"
#include "rules/levels/levels.h"
#include "support/fake_host.h"

using namespace rules;

namespace {

struct KeyCase {
    std::int16_t key;
    float left, top;
};

class KeyHandler : public ::testing::Test {
protected:
    LevelControls controls{levels::level1()};
    FakeHost host;
};

TEST_F(KeyHandler, ArrowsMoveOneStepWhateverTheModifiers) {
    const KeyCase cases[] = {
        {rules::kKeyUp, 3540, 4080},
        {rules::kKeyDown, 3540, 4680},
        {rules::kKeyRight, 3840, 4380},
        {rules::kKeyLeft, 3240, 4380},
    };
    for (const KeyCase& c : cases)
        for (std::int16_t modifiers : {0, 1, 2, 4, 7}) {
            LevelControls fresh{levels::level1()};
            handleKey(fresh, host, c.key, modifiers);
            EXPECT_EQ(fresh.turtle.left(), c.left) << "key " << c.key << " modifiers " << modifiers;
            EXPECT_EQ(fresh.turtle.top(), c.top) << "key " << c.key << " modifiers " << modifiers;
            EXPECT_EQ(fresh.turtle.picture(), &art::picTurtle);
        }
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(KeyHandler, EveryRepeatIsAStepAndNoEdgeStopsIt) {
    for (int i = 0; i < 12; ++i) handleKey(controls, host, rules::kKeyLeft, 0);
    EXPECT_EQ(controls.turtle.left(), -60);  // beyond the left edge until the next collision check
    for (int i = 0; i < 20; ++i) handleKey(controls, host, rules::kKeyUp, 0);
    EXPECT_EQ(controls.turtle.top(), 4380 - 20 * 300);
}

TEST_F(KeyHandler, PAndPauseOpenThePausedBoxAndChangeNothing) {
    const float semi = controls.image({"semi", 0}).left();
    host.onBox = [&] { EXPECT_TRUE(controls.collisionChecksOn); };
    for (std::int16_t key : {std::int16_t(rules::kKeyP), std::int16_t(rules::kKeyPause)})
        for (std::int16_t modifiers : {0, 2}) handleKey(controls, host, key, modifiers);
    ASSERT_EQ(host.boxes.size(), 4u);
    for (const ShownBox& box : host.boxes) {
        EXPECT_EQ(box.text, "Paused");
        EXPECT_EQ(box.style, 64);
        EXPECT_EQ(box.title, std::optional<std::string>("Plodway"));
    }
    EXPECT_EQ(controls.turtle.left(), 3540);
    EXPECT_EQ(controls.turtle.top(), 4380);
    EXPECT_EQ(controls.image({"semi", 0}).left(), semi);
}

TEST_F(KeyHandler, OtherKeysDoNothing) {
    // Space, Enter, Escape, Tab, letters other than P, digits, unmapped keys.
    for (std::int16_t key : {32, 13, 27, 9, 65, 79, 81, 90, 48, 57, 0, 112, -1, 32767}) {
        handleKey(controls, host, key, 0);
        EXPECT_EQ(controls.turtle.left(), 3540) << key;
        EXPECT_EQ(controls.turtle.top(), 4380) << key;
    }
    EXPECT_TRUE(host.boxes.empty());
}

}  // namespace
