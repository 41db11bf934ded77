// SPDX-License-Identifier: MIT
// Modal display of a window: every other window stays visible but takes no
// input until the program hides the window or it is destroyed; minimising
// either window ends nothing. The window system is told the window is modal
// where Qt cannot tell it, and the windows it blocks hand the focus on to it
// (desktop/). Whoever makes a window decides when it ends: the game's
// windows are deleted once closed (Qt::WA_DeleteOnClose).
#pragma once

class QWidget;

namespace widgets {

// Shows the window modally and returns at once, as QDialog::open does: what
// follows its closing is the window's own business. A level is shown this
// way, so no event loop waits under it: in the browser only one loop at a
// time can wait, and that one is its boxes'.
void openModal(QWidget* window);

// Shows the window modally and returns once it is hidden, as QDialog::exec
// does, for a box whose caller goes on only after it is answered. Runs one
// nested event loop.
void execModal(QWidget* window);

}  // namespace widgets
