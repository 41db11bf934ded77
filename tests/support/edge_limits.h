// SPDX-License-Identifier: MIT
// Puts the turtle of a fresh level window, on a clear road, at each place
// and checks where one collision check leaves it.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "engine/handlers.h"
#include "support/fake_host.h"

struct EdgeCase {
    float left, top, wantLeft, wantTop;
};

inline void expectEdgeLimits(const engine::LevelDef& def, const std::vector<EdgeCase>& cases) {
    for (const EdgeCase& c : cases) {
        engine::LevelForm form{def};
        FakeHost host;
        for (engine::Image* v : form.hazardVehicles) v->move(-20000);
        form.turtle.move(c.left, c.top);
        engine::checkCollisions(form, host);
        EXPECT_EQ(form.turtle.left(), c.wantLeft) << def.windowName << " at " << c.left << ", " << c.top;
        EXPECT_EQ(form.turtle.top(), c.wantTop) << def.windowName << " at " << c.left << ", " << c.top;
        EXPECT_EQ(form.turtle.picture(), &art::picTurtle);
    }
}
