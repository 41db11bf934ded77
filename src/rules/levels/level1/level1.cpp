// SPDX-License-Identifier: MIT
// Level 1, "Country Highway": a five-lane road between two green verges,
// three semi-trailers driving left and two cars driving right.
#include "rules/levels/levels.h"

namespace levels {

using namespace rules;

namespace {
constexpr Rgb kVergeGreen = 0x00C000;
}

const LevelDef& level1() {
    static const LevelDef def{
        "level1", "Level 1: Country Highway",
        7515, 4875,                   // client area
        7515, 4875, kAppWorkspace,    // play field
        6180, 4380, 1215, 435, false, // Restart
        {
            // Topmost first.
            image({"turtle"}, 3540, 4380, 315, 450, art::picTurtle),
            strip({"verge", 1}, 0, 0, 7515, 615, kVergeGreen),
            line({"laneLine", 0}, 120, 2760, 7380, 2760),
            line({"laneLine", 1}, 120, 1980, 7380, 1980),
            line({"laneLine", 2}, 120, 1260, 7380, 1260),
            line({"laneLine", 3}, 120, 3540, 7380, 3540),
            strip({"verge", 0}, 0, 4260, 7515, 615, kVergeGreen),
            image({"semi", 0}, 4020, 540, 990, 735, art::picSemi),
            image({"semi", 1}, 6840, 3540, 990, 735, art::picSemi),
            image({"semi", 2}, 2460, 1980, 990, 735, art::picSemi),
            image({"car", 0}, 60, 1200, 870, 780, art::picCar),
            image({"car", 1}, 2340, 2760, 870, 780, art::picCar),
            image({"deadTurtle"}, 5460, 4380, 315, 450, art::picTurtleDead, false),
            image({"savedTurtle"}, 1260, 4380, 315, 450, art::picTurtle, false),
            image({"treadMark"}, 3180, -180, 870, 780, art::picTread, false),
        },
        300,   // key step
        4320,  // restart top
        4440,  // bottom limit
        240,   // goal line
        50,    // traffic interval, ms
        {
            // vehicle          step  gone when  re-enters at
            {{"semi", 0}, -500, -990, 100},   // left < -990 -> W + 100
            {{"semi", 1}, -500, -990, 990},   // left < -990 -> W + 990
            {{"semi", 2}, -500, -990, 1500},  // left < -990 -> W + 1500
            {{"car", 0}, 500, 0, -990},       // left > W    -> -990
            {{"car", 1}, 500, 0, -1500},      // left > W    -> -1500
        },
        {
            // Hit test order; semis leave the mark at the turtle's left + 150 - width of semi 0.
            {{"car", 0}, {}},
            {{"car", 1}, {}},
            {{"semi", 0}, {true, {"semi", 0}}},
            {{"semi", 1}, {true, {"semi", 0}}},
            {{"semi", 2}, {true, {"semi", 0}}},
        },
    };
    return def;
}

}  // namespace levels
