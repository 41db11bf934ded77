// SPDX-License-Identifier: MIT
// The desktop on Linux: X11 window managers and Wayland compositors.
#include "desktop/desktop.h"

#include <QWidget>

#include "desktop/common/blocked_windows.h"
#include "desktop/common/window_log.h"
#include "desktop/linux/gnome_modal.h"
#include "desktop/linux/x11.h"
#include "widgets/pixmaps.h"

namespace desktop {

void install() {
    answerBlockedWindows();
    answerX11CloseRequests();
    startWindowLog();
}

void modalWindowShown(QWidget* window) { markGnomeModal(window); }

// A window manager gives the keyboard back to the window under the one that closed.
void modalWindowClosed(QWidget*) {}

bool nestedWaits() { return true; }
void leaveHandler() {}

// X11 window managers show the icon of the window's group where a window
// has none, the menu's blinking turtle: a blank icon keeps the title bar
// empty there.
void showNoWindowIcon(QWidget* window) { window->setWindowIcon(widgets::blankIcon()); }

}  // namespace desktop
