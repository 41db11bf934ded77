// SPDX-License-Identifier: MIT
// What the command line's answers need of the platform. On Linux they go to
// standard error and Qt's help needs a display-less platform plugin. A
// Windows GUI program has no console: there an error shows in a message box,
// as Qt shows --help and --version, unless the output is redirected (a
// console program or a script that reads it).
#pragma once

#include <QString>

namespace desktop {

// Called before a QApplication made only to print --help or --version:
// chooses a platform plugin that needs no display.
void prepareInformationOnlyStart();

// Why no display can be opened, where the environment tells (no DISPLAY and
// no WAYLAND_DISPLAY on Linux); empty where it does not.
QString missingDisplay();

// Reports a command-line error of one line, with the program's name before it.
void reportCommandLineError(const QString& line);

}  // namespace desktop
