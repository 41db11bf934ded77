// SPDX-License-Identifier: MIT
// The level window's event handlers, shared by all three levels. Each reads
// the controls afresh and writes back at once; none keeps state of its own.
#pragma once

#include <cstdint>

#include "engine/level_controls.h"
#include "engine/level_host.h"
#include "winsys/platform_codes.h"

namespace engine {

inline constexpr const char* kProgramTitle = "Plodway";

// A key press on the play field: `key` is the platform's virtual key code,
// `modifiers` its mask (Shift 1, Ctrl 2, Alt 4).
void handleKey(LevelControls& controls, LevelHost& host, std::int16_t key, std::int16_t modifiers);
// A click on "Restart".
void restartTurtle(LevelControls& controls);
// A tick of the traffic timer.
void moveTraffic(LevelControls& controls);
// Run after every event while the collision checks are on.
void checkCollisions(LevelControls& controls, LevelHost& host);

}  // namespace engine
