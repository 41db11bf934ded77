// SPDX-License-Identifier: MIT
// The three levels' tables, each in its own folder.
#pragma once

#include "rules/level_def.h"

namespace levels {

const rules::LevelDef& level1();
const rules::LevelDef& level2();
const rules::LevelDef& level3();

// Level 1 to 3; the menu's list index plus one.
const rules::LevelDef& byNumber(int number);
inline constexpr int kLevelCount = 3;

}  // namespace levels
