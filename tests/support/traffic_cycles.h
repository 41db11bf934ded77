// SPDX-License-Identifier: MIT
// Drives a level's traffic and checks each vehicle against its fixed cycle:
// the tick of its first wrap, the left it wraps from and to, then a wrap
// every `period` ticks, each time from `cycleFrom`.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "rules/handlers.h"

struct Cycle {
    float step;  // signed, as the vehicle drives
    int firstTick;
    float from, to;
    int period;
    float cycleFrom;
};

// `expected` lists the vehicles in the traffic tick's order.
inline void expectCycles(rules::LevelControls& controls, const std::vector<Cycle>& expected, int ticks = 120) {
    struct Wrap {
        int tick;
        float from, to;
    };
    const std::size_t n = controls.trafficVehicles.size();
    ASSERT_EQ(expected.size(), n);
    std::vector<std::vector<Wrap>> wraps(n);
    std::vector<rules::Image> atLoad;
    for (rules::Image* v : controls.trafficVehicles) atLoad.push_back(*v);
    for (int tick = 1; tick <= ticks; ++tick) {
        std::vector<float> before;
        for (rules::Image* v : controls.trafficVehicles) before.push_back(v->left());
        rules::moveTraffic(controls);
        for (std::size_t i = 0; i < n; ++i) {
            const rules::Image& v = *controls.trafficVehicles[i];
            const float moved = before[i] + expected[i].step;
            if (v.left() != moved) wraps[i].push_back({tick, moved, v.left()});
            ASSERT_EQ(v.top(), atLoad[i].top());
            ASSERT_EQ(v.width(), atLoad[i].width());
            ASSERT_EQ(v.height(), atLoad[i].height());
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        SCOPED_TRACE(controls.trafficVehicles[i]->ref().text());
        const Cycle& c = expected[i];
        ASSERT_GE(wraps[i].size(), 3u);
        EXPECT_EQ(wraps[i][0].tick, c.firstTick);
        EXPECT_EQ(wraps[i][0].from, c.from);
        for (std::size_t k = 0; k < wraps[i].size(); ++k) {
            EXPECT_EQ(wraps[i][k].to, c.to);
            if (k == 0) continue;
            EXPECT_EQ(wraps[i][k].tick - wraps[i][k - 1].tick, c.period);
            EXPECT_EQ(wraps[i][k].from, c.cycleFrom);
        }
    }
}
