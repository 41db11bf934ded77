// SPDX-License-Identifier: MIT
// The command line's answers in the browser, which starts the game with no
// arguments: an error goes to the console.
#include <QtGlobal>
#include <cstdio>

#include "desktop/desktop.h"

namespace desktop {

void prepareInformationOnlyStart() {}

// The page is the display.
QString missingDisplay() { return {}; }

void reportCommandLineError(const QString& line) {
    std::fprintf(stderr, "plodway: %s\n", qUtf8Printable(line));
    std::fflush(stderr);
}

}  // namespace desktop
