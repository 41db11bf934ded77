// SPDX-License-Identifier: MIT
// The level window's event handlers, shared by all three levels. Each reads
// the controls afresh and writes back at once; none keeps state of its own.
#pragma once

#include <cstdint>

#include "rules/box_styles.h"
#include "rules/key_codes.h"
#include "rules/level_controls.h"
#include "rules/level_host.h"

namespace rules {

inline constexpr const char* kProgramTitle = "Plodway";

// A key press on the play field: `key` is a virtual key code (key_codes.h),
// `modifiers` its mask (Shift 1, Ctrl 2, Alt 4).
void handleKey(LevelControls& controls, LevelHost& host, std::int16_t key, std::int16_t modifiers);
// A click on "Restart".
void restartTurtle(LevelControls& controls);
// A tick of the traffic timer.
void moveTraffic(LevelControls& controls);
// Run after every event while the collision checks are on.
void checkCollisions(LevelControls& controls, LevelHost& host);

}  // namespace rules
