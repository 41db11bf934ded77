// SPDX-License-Identifier: MIT
// Linux built without X11 (-DPLODWAY_X11=OFF): close requests to blocked
// windows are left to the window manager, and a changed icon is simply set,
// as Wayland sends it out at once.
#include <QIcon>
#include <QWidget>

#include "desktop/desktop.h"
#include "desktop/linux/x11.h"

namespace desktop {

void answerX11CloseRequests() {}

void setIconNow(QWidget* window, const QIcon& icon) { window->setWindowIcon(icon); }

}  // namespace desktop
