// SPDX-License-Identifier: MIT
// Failures inside handlers: nothing in the game catches them, so every entry
// point from Qt runs through guarded(), which reports the failure with the
// standard run-time error message and ends the program with exit code 1.
#pragma once

#include <exception>
#include <string>

namespace widgets {

[[noreturn]] void reportFailureAndExit(int number, const std::string& description);

// True while the failure message is up: no other handler may run then.
bool failing();

[[noreturn]] void reportCurrentFailure();

template <class Handler>
void guarded(Handler&& handler) noexcept {
    if (failing()) return;
    try {
        handler();
    } catch (...) {
        reportCurrentFailure();
    }
}

}  // namespace widgets
