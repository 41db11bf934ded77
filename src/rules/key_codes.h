// SPDX-License-Identifier: MIT
// Virtual key codes: what the play field passes to the key handler and what
// replays store.
#pragma once

#include <cstdint>

namespace rules {

// Letters and digits are their upper-case ASCII codes. These name the codes
// the game knows; a key itself travels as a std::int16_t (play_field.h).
enum KeyCode : std::uint8_t {
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
