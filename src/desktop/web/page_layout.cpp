// SPDX-License-Identifier: MIT
#include "desktop/web/page_layout.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "desktop/common/pixel_grid.h"
#include "desktop/web/page_facts.h"

namespace desktop::web {

int menuLeft(const Frame& frame) { return kMargin + frame.left; }
int menuTop(const Frame& frame) { return kMargin + frame.top; }
int besideOwner(int ownerFrameRight, const Frame& frame) { return ownerFrameRight + 1 + kGap + frame.left; }
int belowOwner(int ownerFrameBottom, const Frame& frame) { return ownerFrameBottom + 1 + kGap + frame.top; }

namespace {

// `least` CSS pixels or the fewest more that are whole device pixels too.
int wholeInDevicePixels(int least, double dpr) {
    const int whole = firstWhole(least, dpr);
    return whole ? whole : least;
}

// The first CSS pixel from `origin` on that leaves `free` CSS pixels as
// evenly as it can on both sides and lies on a device pixel.
int centred(int free, int origin, double dpr) {
    int at = origin + std::max(0, free / 2);
    for (int i = 0; i < 64 && at > 0 && !isWhole(at * dpr); ++i) --at;
    return at;
}

}  // namespace

PageLayout desktopFor(double factor, double dpr, bool stacked, Size menu, Size level) {
    // Qt's frame is in CSS pixels, rounded to game pixels; and each window
    // may move on by up to a step of CSS pixels to start on a device pixel.
    const auto game = [factor](int css) { return static_cast<int>(std::lround(css / factor)); };
    const Frame frame{game(kFrameSide), game(kFrameTop), game(kFrameSide), game(kFrameBottom)};
    const int snap = static_cast<int>(std::ceil(wholeInDevicePixels(1, dpr) / factor)) + 1;
    // The last column and row of the windows' frames.
    const int menuRight = menuLeft(frame) + snap + menu.width + frame.right - 1;
    const int menuBottom = menuTop(frame) + snap + menu.height + frame.bottom - 1;
    const int right = stacked ? menuLeft(frame) + snap + std::max(menu.width, level.width) + frame.right - 1
                              : besideOwner(menuRight, frame) + snap + level.width + frame.right - 1;
    const int bottom = stacked ? belowOwner(menuBottom, frame) + snap + level.height + frame.bottom - 1
                               : menuTop(frame) + snap + std::max(menu.height, level.height) + frame.bottom - 1;
    const auto css = [&](int last) {
        return wholeInDevicePixels(static_cast<int>(std::ceil((last + 1 + kMargin) * factor - 1e-6)), dpr);
    };
    return {factor, stacked, css(right), css(bottom), 0, 0};
}

// Qt rounds a window to whole CSS pixels and its backing store to whole
// device pixels, so a scale may only make the one or the other fractional:
// a whole number of device pixels a game pixel where the device pixel ratio
// is whole, which keeps every game pixel a square of them; else a whole
// number of CSS pixels, which the game averages evenly (sharp_pixels.h), as
// it does quarters of a pixel where a CSS pixel is one device pixel. An
// averaged scale is taken only where the whole one would leave more than a
// quarter of the room unused.
PageLayout chooseLayout(const Area& area, double dpr, double forced, Size menu, Size level) {
    const auto fitting = [&](double factor) -> std::optional<PageLayout> {
        for (const bool stacked : {false, true}) {
            const PageLayout layout = desktopFor(factor, dpr, stacked, menu, level);
            if (layout.width <= area.width && layout.height <= area.height) return layout;
        }
        return std::nullopt;
    };
    double factor = forced;
    if (factor <= 0) {
        const auto largest = [&](double step) {
            int n = 0;
            while (n < 64 && fitting((n + 1) * step)) ++n;
            return n * step;
        };
        const double wholeDevice = gridPeriod(dpr) == 1 ? largest(1 / dpr) : 0;
        const double averaged = largest(dpr == 1 ? 0.25 : 1);
        factor = wholeDevice >= averaged * 3 / 4 ? wholeDevice : averaged;
        if (factor <= 0) factor = 1 / dpr;  // too small a page for any: a device pixel a game pixel
    }
    PageLayout layout = fitting(factor).value_or(desktopFor(factor, dpr, false, menu, level));
    layout.left = centred(area.width - layout.width, area.left, dpr);
    layout.top = centred(area.height - layout.height, area.top, dpr);
    return layout;
}

}  // namespace desktop::web
