// SPDX-License-Identifier: MIT
// The three levels' tables, each in its own folder.
#pragma once

#include "engine/level_def.h"

namespace levels {

const engine::LevelDef& level1();
const engine::LevelDef& level2();
const engine::LevelDef& level3();

// Level 1 to 3; the menu's list index plus one.
const engine::LevelDef& byNumber(int number);
inline constexpr int kLevelCount = 3;

}  // namespace levels
