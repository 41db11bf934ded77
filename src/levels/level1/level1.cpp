// SPDX-License-Identifier: MIT
// Level 1, "Country Highway": a five-lane road between two green verges,
// three semi-trailers driving left and two cars driving right.
#include "levels/levels.h"

namespace levels {

using namespace engine;

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
            image({"imgTurtle"}, 3540, 4380, 315, 450, art::picTurtle),
            strip({"Label1", 1}, 0, 0, 7515, 615, kVergeGreen),
            line({"Line1", 0}, 120, 2760, 7380, 2760),
            line({"Line1", 1}, 120, 1980, 7380, 1980),
            line({"Line1", 2}, 120, 1260, 7380, 1260),
            line({"Line1", 3}, 120, 3540, 7380, 3540),
            strip({"Label1", 0}, 0, 4260, 7515, 615, kVergeGreen),
            image({"imgSemi", 0}, 4020, 540, 990, 735, art::picSemi),
            image({"imgSemi", 1}, 6840, 3540, 990, 735, art::picSemi),
            image({"imgSemi", 2}, 2460, 1980, 990, 735, art::picSemi),
            image({"imgCar", 0}, 60, 1200, 870, 780, art::picCar),
            image({"imgCar", 1}, 2340, 2760, 870, 780, art::picCar),
            image({"imgTurtleDead"}, 5460, 4380, 315, 450, art::picTurtleDead, false),
            image({"imgTemp"}, 1260, 4380, 315, 450, art::picTurtle, false),
            image({"imgTread"}, 3180, -180, 870, 780, art::picTread, false),
        },
        300,   // key step
        4320,  // restart top
        4440,  // bottom limit
        240,   // goal line
        50,    // traffic interval, ms
        {
            // vehicle          step  gone when  re-enters at
            {{"imgSemi", 0}, -500, -990, 100},   // left < -990 -> W + 100
            {{"imgSemi", 1}, -500, -990, 990},   // left < -990 -> W + 990
            {{"imgSemi", 2}, -500, -990, 1500},  // left < -990 -> W + 1500
            {{"imgCar", 0}, 500, 0, -990},       // left > W    -> -990
            {{"imgCar", 1}, 500, 0, -1500},      // left > W    -> -1500
        },
        {
            // Hit test order; semis leave the mark at the turtle's left + 150 - width of imgSemi 0.
            {{"imgCar", 0}, {}},
            {{"imgCar", 1}, {}},
            {{"imgSemi", 0}, {true, {"imgSemi", 0}}},
            {{"imgSemi", 1}, {true, {"imgSemi", 0}}},
            {{"imgSemi", 2}, {true, {"imgSemi", 0}}},
        },
    };
    return def;
}

}  // namespace levels
