// SPDX-License-Identifier: MIT
// A window of fixed size declares it (QWidget::setFixedSize), so window
// managers and compositors offer no maximise. The title bar that Qt draws
// itself where a Wayland compositor leaves the decoration to the program
// (mutter, weston) has a Maximize button all the same, and mutter obeys it
// by moving the window to the corner of the screen; a tiling compositor may
// resize it. Both are undone here; minimising stays allowed.
#pragma once

class QWidget;

namespace desktop {

void keepFixedSize(QWidget* window);

}  // namespace desktop
