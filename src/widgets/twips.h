// SPDX-License-Identifier: MIT
// Twips to pixels: every layout value is a multiple of 15, so this is exact
// for layouts; run-time positions are truncated towards the pixel grid.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cmath>

#include "rules/controls.h"

namespace widgets {

inline int px(float twips) { return int(std::floor(twips / rules::kTwipsPerPixel)); }
// Sizes that are not multiples of 15 (the menu's title frame) round to nearest.
inline int pxRound(float twips) { return int(std::lround(twips / rules::kTwipsPerPixel)); }
inline QSize pxSize(float width, float height) { return {pxRound(width), pxRound(height)}; }
inline QRect pxRect(float left, float top, float width, float height) {
    return {px(left), px(top), pxRound(width), pxRound(height)};
}

}  // namespace widgets
