// The key handler over level 1's controls: a full step per event, no edge
// tests, modifiers ignored, P and Pause hold the level in a box.
#include <gtest/gtest.h>

#include "engine/handlers.h"
#include "levels/levels.h"
#include "support/fake_host.h"

using namespace engine;

namespace {

struct KeyCase {
    std::int16_t key;
    float left, top;
};

class KeyHandler : public ::testing::Test {
protected:
    LevelForm f{levels::level1()};
    FakeHost host;
};

TEST_F(KeyHandler, ArrowsMoveOneStepWhateverTheModifiers) {
    const KeyCase cases[] = {
        {vbKeyUp, 3540, 4080}, {vbKeyDown, 3540, 4680}, {vbKeyRight, 3840, 4380}, {vbKeyLeft, 3240, 4380}};
    for (const KeyCase& c : cases)
        for (std::int16_t shift : {0, 1, 2, 4, 7}) {
            LevelForm fresh{levels::level1()};
            Picture1_KeyDown(fresh, host, c.key, shift);
            EXPECT_EQ(fresh.imgTurtle.left(), c.left) << "key " << c.key << " shift " << shift;
            EXPECT_EQ(fresh.imgTurtle.top(), c.top) << "key " << c.key << " shift " << shift;
            EXPECT_EQ(fresh.imgTurtle.picture(), &art::picTurtle);
        }
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(KeyHandler, EveryRepeatIsAStepAndNoEdgeStopsIt) {
    for (int i = 0; i < 12; ++i) Picture1_KeyDown(f, host, vbKeyLeft, 0);
    EXPECT_EQ(f.imgTurtle.left(), -60);  // beyond the left edge until the next collision tick
    for (int i = 0; i < 20; ++i) Picture1_KeyDown(f, host, vbKeyUp, 0);
    EXPECT_EQ(f.imgTurtle.top(), 4380 - 20 * 300);
}

TEST_F(KeyHandler, PAndPauseOpenThePausedBoxAndChangeNothing) {
    const float semi = f.image({"imgSemi", 0}).left();
    host.onBox = [&] { EXPECT_TRUE(f.Timer2.enabled()); };
    for (std::int16_t key : {std::int16_t(vbKeyP), std::int16_t(vbKeyPause)})
        for (std::int16_t shift : {0, 2}) Picture1_KeyDown(f, host, key, shift);
    ASSERT_EQ(host.boxes.size(), 4u);
    for (const ShownBox& box : host.boxes) {
        EXPECT_EQ(box.text, "Paused");
        EXPECT_EQ(box.style, 64);
        EXPECT_EQ(box.title, std::optional<std::string>("Plodway"));
    }
    EXPECT_EQ(f.imgTurtle.left(), 3540);
    EXPECT_EQ(f.imgTurtle.top(), 4380);
    EXPECT_EQ(f.image({"imgSemi", 0}).left(), semi);
}

TEST_F(KeyHandler, OtherKeysDoNothing) {
    // Space, Enter, Escape, Tab, letters other than P, digits, unmapped keys.
    for (std::int16_t key : {32, 13, 27, 9, 65, 79, 81, 90, 48, 57, 0, 112, -1, 32767}) {
        Picture1_KeyDown(f, host, key, 0);
        EXPECT_EQ(f.imgTurtle.left(), 3540) << key;
        EXPECT_EQ(f.imgTurtle.top(), 4380) << key;
    }
    EXPECT_TRUE(host.boxes.empty());
}

}  // namespace
