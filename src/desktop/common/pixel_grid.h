// SPDX-License-Identifier: MIT
// Where game pixels (or the page's CSS pixels) meet the screen's pixel grid
// at a device pixel ratio.
#pragma once

#include <algorithm>
#include <cmath>

namespace desktop {

// Whether a number of screen pixels is whole, within the rounding of the
// ratios browsers report (1.100000023841858 at 110 %), which grows with it.
inline bool isWhole(double pixels) {
    return std::abs(pixels - std::round(pixels)) < 1e-6 * std::max(1.0, std::abs(pixels));
}

// The first count from `least` on, within 64, that times `ratio` is whole;
// 0 where none is.
inline int firstWhole(int least, double ratio) {
    for (int count = least; count < least + 64; ++count)
        if (isWhole(count * ratio)) return count;
    return 0;
}

// The fewest game pixels that span a whole number of screen pixels: 4 at
// 1.25 and 1.75, 2 at 1.5, 1 at whole ratios; 0 where none up to 64 does.
inline int gridPeriod(double ratio) { return firstWhole(1, ratio); }

}  // namespace desktop
