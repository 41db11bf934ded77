// SPDX-License-Identifier: MIT
// The browser's desktop, installed by desktop_web.cpp.
#pragma once

#include <QPointer>
#include <QWidget>

namespace desktop::web {

// Places each window on the page's one canvas as it shows.
void placeWindows();

// Places every shown window again, at Qt's scale now, on the screen as the
// canvas now is.
void placeWindowsAgain();

// Follows the page as it lays itself out anew (layout_changes.cpp).
void followPageLayout();

// Delivers the mouse over the windows' client areas in the right place
// at every scale (mouse_points.cpp).
void deliverMouseInClientAreas();

// Tells the page when the menu is up and when the game has ended, and when
// a level starts and stops playing.
void tellPageOfTheMenu();

// Which window is the menu: the first without an owner to show. Called as a
// window shows; the first time, keeps it in `menu` and returns true.
bool recordMenu(QPointer<QWidget>& menu, QWidget* shown);

}  // namespace desktop::web
