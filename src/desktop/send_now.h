// SPDX-License-Identifier: MIT
// Sends what the window system has been asked for at once, without waiting
// for its answer. Qt's X11 platform holds a changed window property, such as
// a new icon, until other traffic goes out; a full sync would send it but
// also wait for the X server, which wakes the program several times more.
#pragma once

namespace desktop {

void sendNow();

}  // namespace desktop
