// SPDX-License-Identifier: MIT
// While a modal window is open, the window system still lets the player at
// the windows it blocks: a click, a task-bar click or a restore gives one the
// keyboard, and its close box sends a close request. X11 window managers
// pass the focus on to the modal window themselves, but a Wayland compositor
// cannot know which window is modal, and Qt drops the keys and the close
// request of a blocked window. So, as desktops do for a blocked window, the
// focus goes on to the modal window, and a refused close brings it forward
// with the bell.
#pragma once

namespace desktop {

// Starts answering blocked windows, for as long as the program runs; calls
// after the first do nothing.
void answerBlockedWindows();

// Restores, raises and activates the topmost modal window, with the windows
// it belongs to restored first.
void bringModalForward();

}  // namespace desktop
