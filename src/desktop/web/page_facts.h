// SPDX-License-Identifier: MIT
// What the page (web/) and the game share, written here once: the
// browser's desktop in numbers, and the events the game sends the page.
// Staging hands the page what it needs as a module (tools/pagefacts).
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

// Sent to the page's window as the menu shows (the game runs) and as it
// hides (the game has ended).
inline constexpr char kRunningEvent[] = "plodway-running";
inline constexpr char kEndedEvent[] = "plodway-ended";

}  // namespace desktop::web
