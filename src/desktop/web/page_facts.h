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

// Sent to the page as a level starts to play (it is open with no box over
// it) and as it stops (a box holds it, or it closed): the page pauses it
// when it is hidden, and shows its pause control for touch meanwhile.
inline constexpr char kPlayingEvent[] = "plodway-playing";
inline constexpr char kStoppedEvent[] = "plodway-stopped";

// Sent by the page to the game once it has laid itself out again (the
// screen turned, the browser's window was resized or zoomed), with the new
// scale in CSS pixels a game pixel as the event's detail.
inline constexpr char kLayoutEvent[] = "plodway-layout";

}  // namespace desktop::web
