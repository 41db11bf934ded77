// SPDX-License-Identifier: MIT
// Window icons as the game shows them, where the window system needs help.
#pragma once

class QIcon;
class QWidget;

namespace desktop {

// Changes a window's icon and shows it at once, at as little cost as the
// window system allows: the menu's icon blinks all the time it is open.
void setIconNow(QWidget* window, const QIcon& icon);

// A window that shows no icon of its own in its title bar.
void showNoWindowIcon(QWidget* window);

}  // namespace desktop
