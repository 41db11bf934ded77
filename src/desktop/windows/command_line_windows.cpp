// SPDX-License-Identifier: MIT
// The command line's answers on Windows: in a message box unless the output goes somewhere.
#include <windows.h>

#include <QCoreApplication>

#include <cstdio>

#include "desktop/desktop.h"

namespace desktop {
namespace {

// Qt's own test for --help: a console, or output redirected by whoever
// started us, gets text; a double-click or a shortcut gets a message box.
bool hasTextOutput() {
    if (GetConsoleWindow()) return true;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    return startup.dwFlags & STARTF_USESTDHANDLES;
}

}  // namespace

// The windows platform plugin needs no display server: nothing to choose.
void prepareInformationOnlyStart() {}

// Windows always has a display.
QString missingDisplay() { return {}; }

void reportCommandLineError(const QString& line) {
    const QString text = QStringLiteral("plodway: ") + line;
    if (hasTextOutput()) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(text));
        std::fflush(stderr);
        return;
    }
    // Titled like Qt's --help box, with the application's name.
    MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(text.utf16()),
                reinterpret_cast<const wchar_t*>(QCoreApplication::applicationName().utf16()),
                MB_OK | MB_TOPMOST | MB_SETFOREGROUND | MB_ICONERROR);
}

}  // namespace desktop
