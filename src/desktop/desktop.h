// SPDX-License-Identifier: MIT
// What the game asks of the desktop it runs on, at start-up and as modal
// windows come and go. Each platform answers in its own folder (linux/,
// windows/, web/), which CMake picks: nothing else in the game names one.
#pragma once

class QWidget;

namespace desktop {

// Before QApplication exists: picks the platform plugin where neither the
// player nor the packager has chosen one (linux/platform_choice.cpp).
void choosePlatform(int argc, char** argv);

// Once QApplication exists, before the first window shows: blocked windows
// pass the focus on to the modal one, and in the browser the windows are
// placed on the page's one canvas.
void install();

// A window has just been shown modally, before it is first drawn: a Wayland
// compositor that cannot learn it from Qt is told.
void modalWindowShown(QWidget* window);

// The program has hidden a modal window that `owner` (or nothing) owns.
// Where no window manager gives the keyboard back to the window under it
// (the browser), it goes back here.
void modalWindowClosed(QWidget* owner);

// A nested event loop, a box's wait, has ended: in the browser, posted
// events stay undelivered until they are processed from a fresh stack.
void nestedWaitEnded();

}  // namespace desktop
