// SPDX-License-Identifier: MIT
// The desktop on Linux: X11 window managers and Wayland compositors.
#include "desktop/desktop.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QWidget>

#include "desktop/common/blocked_windows.h"
#include "desktop/common/window_log.h"
#include "desktop/linux/gnome_modal.h"
#include "desktop/linux/x11.h"
#include "widgets/pixmaps.h"

namespace desktop {

namespace {

// Orca 48 reads an alert's message from its description, or else from its
// labels of three words or more: "Paused" and "Winner!" were read only when
// the label's name happened to reach it late, as a change. Orca 43 reads a
// description after the labels, so there the text came twice. Both read the
// alert's name, and leave out a label that the name holds: so a box's
// accessible name is its title and its text. Set as Qt polishes the box,
// before it is shown, so a reader that learns of the box finds it there.
class AlertNames : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Polish)
            if (auto* box = qobject_cast<QMessageBox*>(watched))
                box->setAccessibleName(box->windowTitle() + QStringLiteral(": ") + box->text());
        return false;
    }
};

}  // namespace

void install() {
    qApp->installEventFilter(new AlertNames(qApp));
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
