// SPDX-License-Identifier: MIT
#include "winsys/window_icon.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QWidget>

namespace winsys {

// On Windows a dialog frame without an icon set shows none. X11 window
// managers show the icon of the window's group instead, the menu's blinking
// turtle: a blank icon keeps the title bar empty there.
void showNoWindowIcon(QWidget* window) {
    if (QGuiApplication::platformName() == QLatin1String("windows")) {
        window->setWindowIcon(QIcon());
        return;
    }
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    window->setWindowIcon(QIcon(blank));
}

}  // namespace winsys
