// SPDX-License-Identifier: MIT
// Linux built without Wayland (-DPLODWAY_WAYLAND=OFF): GNOME's compositor
// is not told which window is modal.
#include "desktop/linux/gnome_modal.h"

namespace desktop {

void markGnomeModal(QWidget*) {}

}  // namespace desktop
