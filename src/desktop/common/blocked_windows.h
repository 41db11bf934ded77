// SPDX-License-Identifier: MIT
// While a modal window is open, the window system still lets the player at
// the windows it blocks: a click, a task-bar click or a restore gives one the
// keyboard, and its close box sends a close request. X11 window managers
// pass the focus on to the modal window themselves, but a Wayland compositor
// cannot know which window is modal, and Qt drops the keys and the close
// request of a blocked window. So, as desktops do for a blocked window, the
// focus goes on to the modal window, and a refused close brings it forward
// with the bell (linux/x11_close_requests.cpp).
#pragma once

class QWidget;
class QWindow;

namespace desktop {

// Starts passing the focus of blocked windows on, for as long as the
// program runs (install()).
void answerBlockedWindows();

// Whether a modal window blocks this one.
bool blocked(const QWindow* window);

// Restores and raises the topmost modal window, with the windows it belongs
// to restored first; returns it, or null where none is open.
QWidget* raiseModal();

// Raises the topmost modal window and activates it.
void bringModalForward();

// The top-level window that owns this one, or null.
QWidget* ownerOf(const QWidget* window);

}  // namespace desktop
