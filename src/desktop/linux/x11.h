// SPDX-License-Identifier: MIT
// What Qt cannot ask of an X11 window manager itself. Built with libxcb
// (PLODWAY_X11); without it, linux/no_x11.cpp answers nothing.
#pragma once

namespace desktop {

// From now on, a window manager's close request to a window that a modal
// one blocks is refused with the bell, and the modal window comes forward.
void answerX11CloseRequests();

}  // namespace desktop
