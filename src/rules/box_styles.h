// SPDX-License-Identifier: MIT
// Message box styles, as the handlers ask for a box: the low bits pick its
// buttons, kIconMask its icon.
#pragma once

#include <cstdint>

namespace rules {

// OK alone is 0, an icon adds its value.
enum MessageStyle : std::uint8_t {
    kPlainMessage = 0,
    kCriticalIcon = 16,
    kQuestionIcon = 32,
    kExclamationIcon = 48,
    kInformationIcon = 64,
};
inline constexpr int kIconMask = 0x70;

}  // namespace rules
