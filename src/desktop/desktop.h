// SPDX-License-Identifier: MIT
// What the game asks of the desktop it runs on: at start-up, for the command
// line's answers, as modal windows come and go, and for window icons. Each
// platform answers all of it in its own folder (linux/, windows/, web/),
// which CMake picks: nothing else in the game names one.
#pragma once

#include <QString>

class QIcon;
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

// Whether a box may wait for its answer in a nested event loop. Not in the
// browser: there a loop can only wait through Emscripten's Asyncify, which
// doubled the download, so a box's answer comes back to a continuation.
bool nestedWaits();

// In the browser, leaves the running handler at once, without unwinding its
// stack, which may hold half-finished handlers, and the page goes on taking
// events: a failure's box is answered that way. Where boxes wait in nested
// loops, the box has been answered before this is reached, and it does
// nothing.
void leaveHandler();

// The command line's answers. On Linux they go to standard error and Qt's
// help needs a display-less platform plugin. A Windows GUI program has no
// console: there an error shows in a message box, as Qt shows --help and
// --version, unless the output is redirected (a console program or a script
// that reads it).

// Called before a QApplication made only to print --help or --version:
// chooses a platform plugin that needs no display.
void prepareInformationOnlyStart();

// Why no display can be opened, where the environment tells (no DISPLAY and
// no WAYLAND_DISPLAY on Linux); empty where it does not.
QString missingDisplay();

// Reports a command-line error of one line, with the program's name before it.
void reportCommandLineError(const QString& line);

// Window icons as the game shows them, where the window system needs help.

// Changes a window's icon and shows it at once, at as little cost as the
// window system allows: the menu's icon blinks all the time it is open.
void setIconNow(QWidget* window, const QIcon& icon);

// A window that shows no icon of its own in its title bar.
void showNoWindowIcon(QWidget* window);

}  // namespace desktop
