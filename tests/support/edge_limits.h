// SPDX-License-Identifier: MIT
// Puts the turtle of a fresh level window, on a clear road, at each place
// and checks where one collision check leaves it.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "rules/handlers.h"
#include "support/fake_host.h"

struct EdgeCase {
    float left, top, wantLeft, wantTop;
};

inline void expectEdgeLimits(const rules::LevelDef& def, const std::vector<EdgeCase>& cases) {
    for (const EdgeCase& c : cases) {
        rules::LevelControls controls{def};
        FakeHost host;
        for (rules::Image* v : controls.hazardVehicles) v->move(-20000);
        controls.turtle.move(c.left, c.top);
        rules::checkCollisions(controls, host);
        EXPECT_EQ(controls.turtle.left(), c.wantLeft) << def.windowName << " at " << c.left << ", " << c.top;
        EXPECT_EQ(controls.turtle.top(), c.wantTop) << def.windowName << " at " << c.left << ", " << c.top;
        EXPECT_EQ(controls.turtle.picture(), &art::picTurtle);
    }
}
