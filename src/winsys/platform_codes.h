// SPDX-License-Identifier: MIT
// The platform's numbers for keys and message box styles. Key codes are what
// the play field passes to the key handler and what replays store; styles
// pick the box's buttons (low bits) and icon (kIconMask).
#pragma once

#include <cstdint>

namespace winsys {

// Virtual key codes. Letters and digits are their upper-case ASCII codes.
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

// Message box styles: OK alone is 0, an icon adds its value.
enum MessageStyle : int {
    kPlainMessage = 0,
    kCriticalIcon = 16,
    kQuestionIcon = 32,
    kExclamationIcon = 48,
    kInformationIcon = 64,
};
inline constexpr int kIconMask = 0x70;

}  // namespace winsys
