// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <vector>

#include "rules/controls.h"
#include "rules/runtime_error.h"

using namespace rules;

namespace {

TEST(Controls, PositionsAreHeldExactlyInSinglePrecision) {
    Revision rev;
    Image i(rev, {"turtle"}, 3540, 4380, &art::picTurtle, true);
    i.move(0.1f, -7.25f);
    EXPECT_EQ(i.left(), 0.1f);
    EXPECT_EQ(i.top(), -7.25f);
    i.move(12.5f);
    EXPECT_EQ(i.left(), 12.5f);
    EXPECT_EQ(i.top(), -7.25f);
    EXPECT_EQ(i.width(), 315);
    EXPECT_EQ(i.height(), 450);
}

TEST(Controls, EveryVisibleChangeBumpsTheRevision) {
    Revision rev;
    Image i(rev, {"treadMark"}, 0, 0, &art::picTread, false);
    unsigned last = rev.value();
    auto changed = [&] {
        const bool c = rev.value() != last;
        last = rev.value();
        return c;
    };
    i.move(1);
    EXPECT_TRUE(changed());
    i.move(1, 2);
    EXPECT_TRUE(changed());
    i.setVisible(true);
    EXPECT_TRUE(changed());
    i.setPicture(&art::picCar);
    EXPECT_TRUE(changed());
    EXPECT_FALSE(changed());
}

TEST(Controls, OverflowIsRunTimeErrorSix) {
    EXPECT_EQ(add(1.5f, 2.25f), 3.75f);
    // Single precision: 16777216 + 1 rounds back to 16777216.
    EXPECT_EQ(add(16777216.0f, 1.0f), 16777216.0f);
    const std::vector<std::function<void()>> failures = {
                     [] { add(FLT_MAX, FLT_MAX); },
                     [] {
                         Revision rev;
                         Image i(rev, {"car"}, 0, 0, &art::picCar, true);
                         i.move(INFINITY);
                     },
                     [] {
                         Revision rev;
                         Image i(rev, {"car"}, 0, 0, &art::picCar, true);
                         i.move(0, NAN);
                     }};
    for (const auto& bad : failures) {
        try {
            bad();
            ADD_FAILURE() << "no run-time error";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), 6);
            EXPECT_STREQ(e.what(), "Overflow");
        }
    }
}

}  // namespace
