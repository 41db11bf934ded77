// SPDX-License-Identifier: MIT
// With PLODWAY_WINDOW_LOG=1, what happens to the game's windows goes to
// standard output, one line an event: windows shown, placed and hidden, the
// keyboard focus, and each level's geometry as it opens. The browser tests
// read it from the console, where they cannot ask the widgets.
#pragma once

class QString;

namespace desktop {

// The environment variable that turns the log on (the page's ?log sets it).
inline constexpr char kWindowLogVariable[] = "PLODWAY_WINDOW_LOG";

bool windowLogOn();

// Writes one line, where the log is on.
void logWindowLine(const QString& line);

// Logs the windows shown and hidden and the focus from now on (install()).
void startWindowLog();

}  // namespace desktop
