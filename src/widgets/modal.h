// SPDX-License-Identifier: MIT
// Modal display of a window: every other window stays visible but takes no
// input until the program hides the window or it is destroyed; minimising
// either window ends nothing. The window system is told the window is modal
// where Qt cannot tell it, and the windows it blocks hand the focus on to it
// (desktop/). Whoever makes a window decides when it ends: the game's
// windows are deleted once closed (Qt::WA_DeleteOnClose).
#pragma once

#include <functional>

class QWidget;

namespace widgets {

// Shows the window modally and returns at once, as QDialog::open does: what
// follows its closing is the window's own business. A level is shown this
// way, so no event loop waits under it.
void openModal(QWidget* window);

// Shows a box modally; `closed` runs once the box is hidden. On a desktop
// this waits for that in a nested event loop, as QDialog::exec does, and
// returns after `closed`; in the browser, where no loop can wait (doing so
// would double the download, desktop.h), it returns at once, as
// QDialog::open does, and `closed` runs when the player answers.
void showModal(QWidget* box, std::function<void()> closed);

}  // namespace widgets
