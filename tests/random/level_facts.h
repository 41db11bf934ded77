// SPDX-License-Identifier: MIT
// What the randomized play tests expect of each level, written down from the
// level tables on their own, not read from src/levels: lanes, sizes, the
// traffic cycles and the hit order. A wrong number in either place shows up
// as a disagreement.
#pragma once

#include <vector>

namespace facts {

struct Vehicle {
    const char* name;
    int index;  // -1: not in a control array
    float top, height, width;
    float loadLeft;
    float step;       // per traffic tick; negative drives left
    int firstWrap;    // the traffic tick that first sets it back
    int period;       // ticks between later wraps
    float reentry;    // where every wrap puts it
    float treadFromTurtle;  // tread mark's left minus the turtle's left after its hit
};

struct Level {
    int number;
    float fieldWidth;
    float loadLeft, loadTop;
    float restartTop;
    float bottomLimit;
    float keyStep;
    bool restartEnabledAtLoad;
    std::vector<Vehicle> traffic;  // traffic order
    std::vector<int> hitOrder;     // indexes into traffic
};

// left after n traffic ticks since the window opened, from the cycle alone:
// straight on until the first wrap, then round and round from the re-entry.
inline double leftAfter(const Vehicle& v, unsigned long long n) {
    if (n < static_cast<unsigned long long>(v.firstWrap)) return v.loadLeft + double(n) * v.step;
    return v.reentry + double((n - v.firstWrap) % v.period) * v.step;
}

inline const Level& level(int number) {
    // Turtle: 315 x 450. Goal line 240 everywhere.
    static const Level levels[] = {
        {1, 7515, 3540, 4380, 4320, 4440, 300, false,
         {
             // name        idx top   h    w     load  step first period reentry tread
             {"semi", 0, 540, 735, 990, 4020, -500, 11, 18, 7615, -840},
             {"semi", 1, 3540, 735, 990, 6840, -500, 16, 19, 8505, -840},
             {"semi", 2, 1980, 735, 990, 2460, -500, 7, 21, 9015, -840},
             {"car", 0, 1200, 780, 870, 60, 500, 15, 18, -990, 0},
             {"car", 1, 2760, 780, 870, 2340, 500, 11, 19, -1500, 0},
         },
         {3, 4, 0, 1, 2}},
        {2, 7155, 3480, 4860, 4860, 4920, 300, false,
         {
             {"bus", 0, 540, 735, 1845, 5280, -400, 18, 23, 7255, -720},
             {"bus", 1, 2700, 735, 1845, 2520, -400, 11, 24, 7505, -720},
             {"car", 0, 2040, 780, 870, 2820, 500, 11, 18, -870, 0},
             {"car", 1, 3420, 780, 870, 4620, 500, 7, 19, -1040, 0},
             {"sportsCar", 0, 1320, 555, 1005, 240, 650, 13, 15, -1205, 0},
             {"sportsCar", 1, 4200, 555, 1005, 2280, 650, 10, 15, -1500, 0},
         },
         {2, 3, 0, 1, 4, 5}},
        {3, 7035, 3420, 4920, 4860, 4920, 500, true,
         {
             {"truckBoat", -1, 660, 780, 1770, 5220, -400, 18, 27, 8805, 0},
             {"semi", -1, 1620, 735, 990, 3540, -350, 13, 26, 8045, 0},
             {"sportsCar", -1, 4080, 555, 1005, 2220, 500, 12, 19, -1205, 0},
             {"car", -1, 3060, 780, 870, 540, 425, 18, 21, -750, 0},
         },
         {3, 2, 1, 0}},
    };
    return levels[number - 1];
}

inline constexpr float kGoalLine = 240;
inline constexpr float kTurtleWidth = 315, kTurtleHeight = 450;

}  // namespace facts
