// SPDX-License-Identifier: MIT
// The browser's desktop, installed by desktop_web.cpp.
#pragma once

#include <QPointer>
#include <QWidget>

namespace desktop::web {

// Places each window on the page's one canvas as it shows.
void placeWindows();

// Delivers the mouse over the windows' client areas in the right place
// at every scale (mouse_points.cpp).
void deliverMouseInClientAreas();

// Tells the page when the menu is up and when the game has ended.
void tellPageOfTheMenu();

// Which window is the menu: the first without an owner to show. Called as a
// window shows; the first time, keeps it in `menu` and returns true.
bool recordMenu(QPointer<QWidget>& menu, QWidget* shown);

}  // namespace desktop::web
