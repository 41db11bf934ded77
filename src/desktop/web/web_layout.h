// SPDX-License-Identifier: MIT
// The browser's desktop in numbers that the page needs before the game
// starts, to size the canvas: staging fills them into the page
// (tools/weblayout), so the page and the game cannot disagree.
#pragma once

namespace desktop::web {

// Game pixels around the windows, and between the menu and a level.
inline constexpr int kMargin = 8;
inline constexpr int kGap = 8;

// The frame Qt 6.4 draws around a window in the browser, in CSS pixels,
// which the page needs before Qt runs: the browser tests hold it against
// the frame Qt reports (the window log), and the game warns where a window
// does not fit on the page's desktop.
inline constexpr int kFrameSide = 4;
inline constexpr int kFrameTop = 26;
inline constexpr int kFrameBottom = 4;

}  // namespace desktop::web
