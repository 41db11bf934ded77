// SPDX-License-Identifier: MIT
// Window icons in the browser. Qt 6.4 draws the title bars there itself,
// with the icon, but only as it composes a frame for some other change: a
// new icon alone would show at the next key or tick of a level, and the
// menu's blink, with nothing else moving, would never show. So each change
// asks for a frame. A window without an icon of its own gets a blank one, as on X11
// (linux/desktop_linux.cpp).
#include <QIcon>
#include <QWidget>
#include <QWindow>

#include "desktop/desktop.h"
#include "widgets/pixmaps.h"

namespace desktop {

void setIconNow(QWidget* window, const QIcon& icon) {
    window->setWindowIcon(icon);
    if (QWindow* handle = window->windowHandle()) handle->requestUpdate();
}

void showNoWindowIcon(QWidget* window) { window->setWindowIcon(widgets::blankIcon()); }

}  // namespace desktop
