// SPDX-License-Identifier: MIT
// Tells a Wayland compositor that a shown window is modal, where Qt 6.4
// cannot: GNOME's mutter learns it from its own protocol, gtk_shell1, and
// then does what an X11 window manager does with a modal window: places it
// over the window it belongs to, and gives it the keyboard whenever that
// window is clicked or brought back. Call it right after showing the window,
// before it is first drawn; on other compositors and platforms it does
// nothing. Built with libwayland (PLODWAY_WAYLAND); without it,
// linux/no_gnome_modal.cpp does nothing.
#pragma once

class QWidget;

namespace desktop {

void markGnomeModal(QWidget* window);

}  // namespace desktop
