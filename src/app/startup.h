// SPDX-License-Identifier: MIT
// The command line of a Qt desktop program: --help and --version answer
// without a display, Qt's own options (-platform, -style, ...) go to Qt, and
// anything else is refused with a one-line error. The game takes no other
// arguments and reads no files.
#pragma once

#include <QApplication>

#include <memory>

namespace app {

// The name of the desktop entry, which Wayland compositors match against
// the window's app id.
inline constexpr char kDesktopFileName[] = "io.github.plodway.Plodway";

// Creates the application from the command line. Prints the help or the
// version, or a one-line error for an unknown argument or a missing display,
// and exits instead where that is what the command line asks for.
std::unique_ptr<QApplication> startApplication(int& argc, char** argv);

}  // namespace app
