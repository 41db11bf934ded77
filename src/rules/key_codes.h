// SPDX-License-Identifier: MIT
// Virtual key codes: what the play field passes to the key handler and what
// replays store.
#pragma once

#include <cstdint>

namespace rules {

// Letters and digits are their upper-case ASCII codes.
enum KeyCode : std::int16_t {
    kKeyBackspace = 8,
    kKeyTab = 9,
    kKeyReturn = 13,
    kKeyPause = 19,
    kKeyEscape = 27,
    kKeySpace = 32,
    kKeyLeft = 37,
    kKeyUp = 38,
    kKeyRight = 39,
    kKeyDown = 40,
    kKeyP = 80,
};

}  // namespace rules
