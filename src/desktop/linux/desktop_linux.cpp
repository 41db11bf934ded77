// SPDX-License-Identifier: MIT
// The desktop on Linux: X11 window managers and Wayland compositors.
#include "desktop/desktop.h"

#include <QMessageBox>
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

namespace {

// Orca 48 reads an alert's message from its description, or else from its
// labels of three words or more: "Paused" and "Winner!" were read only when
// the label's name happened to reach Orca late, as a change. Set before
// Qt answers a screen reader again, so the first look finds it; Orca 43
// reads the label and leaves the alert's description out.
void describeAlert(QWidget* window) {
    if (auto* box = qobject_cast<QMessageBox*>(window)) box->setAccessibleDescription(box->text());
}

}  // namespace

void modalWindowShown(QWidget* window) {
    describeAlert(window);
    markGnomeModal(window);
}

// A window manager gives the keyboard back to the window under the one that closed.
void modalWindowClosed(QWidget*) {}

void nestedWaitEnded() {}

// X11 window managers show the icon of the window's group where a window
// has none, the menu's blinking turtle: a blank icon keeps the title bar
// empty there.
void showNoWindowIcon(QWidget* window) { window->setWindowIcon(widgets::blankIcon()); }

}  // namespace desktop
