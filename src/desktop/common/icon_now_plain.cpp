// SPDX-License-Identifier: MIT
// Where the window system sends a changed icon out at once (Windows, and
// Linux built without X11), it is simply set.
#include <QIcon>
#include <QWidget>

#include "desktop/window_icons.h"

namespace desktop {

void setIconNow(QWidget* window, const QIcon& icon) { window->setWindowIcon(icon); }

}  // namespace desktop
