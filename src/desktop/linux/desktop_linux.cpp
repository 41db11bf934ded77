// SPDX-License-Identifier: MIT
// The desktop on Linux: X11 window managers and Wayland compositors.
#include "desktop/desktop.h"

#include "desktop/blocked_windows.h"
#include "desktop/linux/gnome_modal.h"
#include "desktop/linux/x11.h"
#include "desktop/window_log.h"

namespace desktop {

void install() {
    answerBlockedWindows();
    answerX11CloseRequests();
    startWindowLog();
}

void modalWindowShown(QWidget* window) { markGnomeModal(window); }

// A window manager gives the keyboard back to the window under the one that closed.
void modalWindowClosed(QWidget*) {}

void nestedWaitEnded() {}

}  // namespace desktop
