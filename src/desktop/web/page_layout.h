// SPDX-License-Identifier: MIT
// Where the game's windows go on the page's desktop, and how large that
// desktop must be for them: one owner for both, the placement that Qt's
// windows follow (window_placement.cpp) and the page's layout, which is
// chosen before Qt starts (page_layout_module.cpp, built for the page as a
// module of its own). Plain C++, in game pixels unless it says otherwise.
#pragma once

namespace desktop::web {

// The frame Qt draws around a window, in game pixels.
struct Frame {
    int left, top, right, bottom;
};

// The menu's client area at the desktop's top left, under its frame.
int menuLeft(const Frame& frame);
int menuTop(const Frame& frame);
// A level beside its owner (from the owner's frame's last column), or, where
// the desktop has no room for that, below it (from its frame's last row).
int besideOwner(int ownerFrameRight, const Frame& frame);
int belowOwner(int ownerFrameBottom, const Frame& frame);

struct Size {
    int width, height;
};

// The page's desktop and where it goes, in CSS pixels, at `factor` CSS
// pixels a game pixel.
struct PageLayout {
    double factor;
    bool stacked;  // the level below the menu rather than beside it
    int width, height, left, top;
};

// The free part of the page, in CSS pixels.
struct Area {
    int left, top, width, height;
};

// The desktop the menu and the largest level need at `factor`, with the level
// beside the menu or `stacked` below it, on whole device pixels at `dpr`.
PageLayout desktopFor(double factor, double dpr, bool stacked, Size menu, Size level);

// The desktop at the largest scale that fits `area`, centred in it, or at
// `forced` CSS pixels a game pixel where that is above zero.
PageLayout chooseLayout(const Area& area, double dpr, double forced, Size menu, Size level);

}  // namespace desktop::web
