// SPDX-License-Identifier: MIT
// The desktop on Windows: its window manager knows modal windows, as Qt tells
// it, and gives the keyboard back to the window under one that closed.
#include "desktop/desktop.h"

#include "desktop/common/blocked_windows.h"
#include "desktop/common/window_log.h"

namespace desktop {

// Qt's windows platform needs no choosing.
void choosePlatform(int, char**) {}

void install() {
    answerBlockedWindows();
    startWindowLog();
}

void modalWindowShown(QWidget*) {}
void modalWindowClosed(QWidget*) {}
bool nestedWaits() { return true; }
void leaveHandler() {}

}  // namespace desktop
