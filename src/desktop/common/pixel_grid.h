// SPDX-License-Identifier: MIT
// Where game pixels meet the screen's pixel grid at a device pixel ratio.
#pragma once

#include <cmath>

namespace desktop {

// The fewest game pixels that span a whole number of screen pixels: 4 at
// 1.25 and 1.75, 2 at 1.5, 1 at whole ratios; 0 where none up to 64 does.
inline int gridPeriod(double ratio) {
    for (int period = 1; period <= 64; ++period)
        if (std::abs(period * ratio - std::round(period * ratio)) < 1e-6) return period;
    return 0;
}

}  // namespace desktop
