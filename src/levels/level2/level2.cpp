// SPDX-License-Identifier: MIT
// Level 2, "The Big City": a six-lane street between two paved sidewalks,
// two buses driving left, two cars and two sports cars driving right.
#include "levels/levels.h"

namespace levels {

using namespace engine;

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
            image({"imgTurtleDead"}, 2280, 4860, 315, 450, art::picTurtleDead, false),
            image({"imgTemp"}, 1440, 4920, 315, 450, art::picTurtle, false),
            image({"imgCar", 1}, 4620, 3420, 870, 780, art::picCar),
            image({"imgCar", 0}, 2820, 2040, 870, 780, art::picCar),
            image({"imgSportsCar", 1}, 2280, 4200, 1005, 555, art::picSportsCar),
            image({"imgSportsCar", 0}, 240, 1320, 1005, 555, art::picSportsCar),
            image({"imgBus", 1}, 2520, 2700, 1845, 735, art::picBus),
            image({"imgBus", 0}, 5280, 540, 1845, 735, art::picBus),
            image({"imgTurtle"}, 3480, 4860, 315, 450, art::picTurtle),
            captionStrip({"Label1", 0}, 0, 0, 7155, 555, kPaving, "MS Sans Serif", 24),
            line({"Line1", 4}, 180, 4140, 7020, 4140),
            line({"Line1", 3}, 180, 2700, 7020, 2700),
            line({"Line1", 2}, 180, 3420, 7020, 3420),
            line({"Line1", 1}, 180, 1980, 7020, 1980),
            line({"Line1", 0}, 180, 1260, 7020, 1260),
            image({"imgTread"}, 4500, 4740, 870, 780, art::picTread, false),
            image({"imgManhole", 1}, 1140, 2880, 375, 375, art::picManhole),
            image({"imgManhole", 2}, 3840, 4260, 375, 375, art::picManhole),
            image({"imgManhole", 0}, 5640, 1440, 375, 375, art::picManhole),
            captionStrip({"Label1", 1}, 0, 4800, 7155, 555, kPaving, "MS Sans Serif", 24),
        },
        300,   // key step
        4860,  // restart top
        4920,  // bottom limit
        240,   // goal line
        50,    // traffic interval, ms
        {
            // vehicle               step  gone when     re-enters at
            {{"imgBus", 0}, -400, -1845, 100},       // left < -1845    -> W + 100
            {{"imgBus", 1}, -400, -1845, 350},       // left < -1845    -> W + 350
            {{"imgCar", 0}, 500, 870, -870},         // left > W + 870  -> -870
            {{"imgCar", 1}, 500, 870, -1040},        // left > W + 870  -> -1040
            {{"imgSportsCar", 0}, 650, 1005, -1205}, // left > W + 1005 -> -1205
            {{"imgSportsCar", 1}, 650, 1005, -1500}, // left > W + 1005 -> -1500
        },
        {
            // Hit test order; buses leave the mark at the turtle's left + 150 - the mark's width.
            {{"imgCar", 0}, {}},
            {{"imgCar", 1}, {}},
            {{"imgBus", 0}, {true, {"imgTread"}}},
            {{"imgBus", 1}, {true, {"imgTread"}}},
            {{"imgSportsCar", 0}, {}},
            {{"imgSportsCar", 1}, {}},
        },
    };
    return def;
}

}  // namespace levels
