// SPDX-License-Identifier: MIT
// In a browser all of the game's windows share one canvas with no window
// manager: Qt puts each new window at the top left, the title bars it draws
// have no close box without a system menu, and a minimised window has no
// task bar to come back from. Here the menu goes at the left of that
// desktop, each level beside the window that opens it and each box centred
// over its owner, all on whole device pixels; the menu has no minimise box
// and the levels keep their close box. The page hears when the menu is up
// and when the game has ended, and with PLODWAY_WINDOW_LOG=1 the windows
// shown and hidden and the keyboard focus are logged to stdout.
#pragma once

namespace desktop {

#ifdef __EMSCRIPTEN__
// Call once the application exists, before the first window is shown.
void arrangeWebDesktop();
#else
inline void arrangeWebDesktop() {}
#endif

}  // namespace desktop
