// SPDX-License-Identifier: MIT
// Linux built without X11 (-DPLODWAY_X11=OFF): close requests to blocked
// windows are left to the window manager.
#include "desktop/linux/x11.h"

namespace desktop {

void answerX11CloseRequests() {}

}  // namespace desktop
