// SPDX-License-Identifier: MIT
// Level 3, "Desert Frenzy": two two-lane roads between sand strips with
// cacti; a truck towing a boat and a semi-trailer drive left, a car and a
// sports car drive right.
#include "rules/levels/levels.h"

namespace levels {

using namespace rules;

namespace {
constexpr Rgb kAsphalt = 0x404040;
constexpr Rgb kSand = 0xFFC080;

LayoutEntry cactus(int index, float left, float top) {
    return image({"cactus", index}, left, top, 225, 345, art::picCactus);
}
}  // namespace

const LevelDef& level3() {
    static const LevelDef def{
        "level3", "Level 3: Desert Frenzy",
        6990, 5415,                  // client area
        7035, 5415, kAsphalt,        // play field, three pixels wider than the client area
        5760, 4860, 1215, 495, true, // Restart, usable from the start
        {
            // Topmost first.
            image({"treadMark"}, 3660, 4500, 870, 780, art::picTread, false),
            image({"deadTurtle"}, 4680, 4980, 315, 450, art::picTurtleDead, false),
            image({"savedTurtle"}, 2040, 4980, 315, 450, art::picTurtle, false),
            image({"sportsCar"}, 2220, 4080, 1005, 555, art::picSportsCar),
            image({"car"}, 540, 3060, 870, 780, art::picCar),
            image({"semi"}, 3540, 1620, 990, 735, art::picSemi),
            image({"truckBoat"}, 5220, 660, 1770, 780, art::picTruckBoat),
            image({"turtle"}, 3420, 4920, 315, 450, art::picTurtle),
            // Lower strip.
            cactus(15, 3060, 4800), cactus(14, 5820, 4920), cactus(13, 4080, 5040),
            cactus(12, 1800, 4860), cactus(11, 1080, 5040), cactus(10, 240, 4800),
            // Middle strip.
            cactus(9, 4140, 2640), cactus(8, 5580, 2460), cactus(7, 1560, 2580), cactus(6, 420, 2400),
            // Upper strip.
            cactus(5, 6000, 120), cactus(4, 3300, 240), cactus(3, 1860, 120),
            cactus(2, 1320, 240), cactus(1, 4380, 120), cactus(0, 180, 180),
            // Drawn from the right end, so the dashes start at the right.
            line({"laneLine", 1}, 6900, 3900, 0, 3900),
            line({"laneLine", 0}, 6960, 1500, 60, 1500),
            strip({"sand", 2}, 0, 4800, 7035, 615, kSand),
            strip({"sand", 1}, 0, 2400, 7035, 615, kSand),
            strip({"sand", 0}, 0, 0, 7035, 615, kSand),
        },
        500,   // key step
        4860,  // restart top
        4920,  // bottom limit
        240,   // goal line
        50,    // traffic interval, ms
        {
            // vehicle           step  gone when     re-enters at
            {{"truckBoat"}, -400, -1770, 1770}, // left < -1770    -> W + 1770
            {{"semi"}, -350, -990, 1010},       // left < -990     -> W + 1010
            {{"sportsCar"}, 500, 1005, -1205},  // left > W + 1005 -> -1205
            {{"car"}, 425, 900, -750},          // left > W + 900  -> -750, in view at once
        },
        {
            // Hit test order; every tread mark at the turtle's left edge.
            {{"car"}, {}},
            {{"sportsCar"}, {}},
            {{"semi"}, {}},
            {{"truckBoat"}, {}},
        },
    };
    return def;
}

}  // namespace levels
