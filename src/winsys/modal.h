// SPDX-License-Identifier: MIT
// Modal display of a window: every other window stays visible but takes no
// input, and the call returns once the program hides the window or it is
// destroyed; minimising either window ends nothing. Calls nest, so a handler
// of a modal window can open the next one. The window is destroyed when the
// call returns: by then no handler of it is running, as each ran inside this
// call's own loop. The window system is told the window is modal where Qt
// cannot tell it (desktop/wayland_modal.h), and the windows it blocks hand
// the focus on to it (desktop/blocked_windows.h).
#pragma once

class QWidget;

namespace winsys {

void showModal(QWidget* window);

}  // namespace winsys
