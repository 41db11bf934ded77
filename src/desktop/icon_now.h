// SPDX-License-Identifier: MIT
// Changes a window's icon and shows it at once, at as little cost as the
// window system allows: the menu's icon blinks all the time it is open.
#pragma once

class QIcon;
class QWidget;

namespace desktop {

void setIconNow(QWidget* window, const QIcon& icon);

}  // namespace desktop
