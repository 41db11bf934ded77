// SPDX-License-Identifier: MIT
// The command line's answers on Linux: on standard error.
#include <QtGlobal>
#include <cstdio>

#include "desktop/desktop.h"

namespace desktop {

void prepareInformationOnlyStart() { qputenv("QT_QPA_PLATFORM", "minimal"); }

QString missingDisplay() {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return QStringLiteral("no display: neither DISPLAY nor WAYLAND_DISPLAY is set");
    return {};
}

void reportCommandLineError(const QString& line) {
    std::fprintf(stderr, "plodway: %s\n", qUtf8Printable(line));
    std::fflush(stderr);
}

}  // namespace desktop
