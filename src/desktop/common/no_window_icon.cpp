// SPDX-License-Identifier: MIT
// X11 window managers show the icon of the window's group where a window
// has none, the menu's blinking turtle: a blank icon keeps the title bar
// empty there. Windows shows none for a dialog frame without an icon set
// (windows/no_window_icon_windows.cpp).
#include <QIcon>
#include <QPixmap>
#include <QWidget>

#include "desktop/window_icons.h"

namespace desktop {

void showNoWindowIcon(QWidget* window) {
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    window->setWindowIcon(QIcon(blank));
}

}  // namespace desktop
