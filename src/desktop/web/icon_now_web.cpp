// SPDX-License-Identifier: MIT
// In the browser Qt 6.4 draws the title bars itself, with the icon, but
// only as it composes a frame for some other change: a new icon alone
// would show at the next key or tick of a level, and the menu's blink,
// with nothing else moving, would never show. So each change asks for a
// frame.
#include <QIcon>
#include <QWidget>
#include <QWindow>

#include "desktop/window_icons.h"

namespace desktop {

void setIconNow(QWidget* window, const QIcon& icon) {
    window->setWindowIcon(icon);
    if (QWindow* handle = window->windowHandle()) handle->requestUpdate();
}

}  // namespace desktop
