// SPDX-License-Identifier: MIT
// What a won level must show: "Winner!" (style 0, no title of its own), then
// the window closes, then the menu hands over; the level stays won.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/level_controls.h"
#include "support/fake_host.h"

inline void expectWonAndHandedOver(const rules::LevelControls& controls, const FakeHost& host) {
    ASSERT_EQ(host.calls, (std::vector<std::string>{"showMessage", "closeWindow", "openNextLevel"}));
    EXPECT_EQ(host.boxes[0].text, "Winner!");
    EXPECT_EQ(host.boxes[0].style, 0);
    EXPECT_FALSE(host.boxes[0].title.has_value());
    EXPECT_FALSE(controls.collisionChecksOn);
    EXPECT_FALSE(controls.field.enabled());
    EXPECT_TRUE(controls.restartButton.enabled());
}
