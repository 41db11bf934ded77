// SPDX-License-Identifier: MIT
// Level 2, "The Big City": a six-lane street between two paved sidewalks,
// two buses driving left, two cars and two sports cars driving right.
#include "rules/levels/levels.h"

namespace levels {

using namespace rules;

namespace {
// Eleven bars with four spaces between: the joints of the paving slabs.
constexpr const char* kPaving = "|    |    |    |    |    |    |    |    |    |    |";
}

const LevelDef& level2() {
    static const LevelDef def{
        "level2", "Level 2: The Big City",
        7155, 5340,                   // client area
        7155, 5355, kAppWorkspace,    // play field, one pixel taller than the client area
        6000, 4860, 1095, 435, false, // Restart
        {
            // Topmost first.
            image({"deadTurtle"}, 2280, 4860, 315, 450, art::picTurtleDead, false),
            image({"savedTurtle"}, 1440, 4920, 315, 450, art::picTurtle, false),
            image({"car", 1}, 4620, 3420, 870, 780, art::picCar),
            image({"car", 0}, 2820, 2040, 870, 780, art::picCar),
            image({"sportsCar", 1}, 2280, 4200, 1005, 555, art::picSportsCar),
            image({"sportsCar", 0}, 240, 1320, 1005, 555, art::picSportsCar),
            image({"bus", 1}, 2520, 2700, 1845, 735, art::picBus),
            image({"bus", 0}, 5280, 540, 1845, 735, art::picBus),
            image({"turtle"}, 3480, 4860, 315, 450, art::picTurtle),
            captionStrip({"sidewalk", 0}, 0, 0, 7155, 555, kPaving, "MS Sans Serif", 24),
            line({"laneLine", 4}, 180, 4140, 7020, 4140),
            line({"laneLine", 3}, 180, 2700, 7020, 2700),
            line({"laneLine", 2}, 180, 3420, 7020, 3420),
            line({"laneLine", 1}, 180, 1980, 7020, 1980),
            line({"laneLine", 0}, 180, 1260, 7020, 1260),
            image({"treadMark"}, 4500, 4740, 870, 780, art::picTread, false),
            image({"manhole", 1}, 1140, 2880, 375, 375, art::picManhole),
            image({"manhole", 2}, 3840, 4260, 375, 375, art::picManhole),
            image({"manhole", 0}, 5640, 1440, 375, 375, art::picManhole),
            captionStrip({"sidewalk", 1}, 0, 4800, 7155, 555, kPaving, "MS Sans Serif", 24),
        },
        300,   // key step
        4860,  // restart top
        4920,  // bottom limit
        240,   // goal line
        50,    // traffic interval, ms
        {
            // vehicle               step  gone when     re-enters at
            {{"bus", 0}, -400, -1845, 100},       // left < -1845    -> W + 100
            {{"bus", 1}, -400, -1845, 350},       // left < -1845    -> W + 350
            {{"car", 0}, 500, 870, -870},         // left > W + 870  -> -870
            {{"car", 1}, 500, 870, -1040},        // left > W + 870  -> -1040
            {{"sportsCar", 0}, 650, 1005, -1205}, // left > W + 1005 -> -1205
            {{"sportsCar", 1}, 650, 1005, -1500}, // left > W + 1005 -> -1500
        },
        {
            // Hit test order; buses leave the mark at the turtle's left + 150 - the mark's width.
            {{"car", 0}, {}},
            {{"car", 1}, {}},
            {{"bus", 0}, {true, {"treadMark"}}},
            {{"bus", 1}, {true, {"treadMark"}}},
            {{"sportsCar", 0}, {}},
            {{"sportsCar", 1}, {}},
        },
    };
    return def;
}

}  // namespace levels
