// SPDX-License-Identifier: MIT
// The page's layout (index.html): how many CSS pixels a game pixel takes
// (Qt's QT_SCALE_FACTOR), how large the canvas, the game's desktop, is and
// where it goes. By kLayout, the game's numbers (plodway-page.js).
"use strict";

function whole(x) { return Math.abs(x - Math.round(x)) < 1e-3; }

// The smallest whole number from `least` on that times `ratio` is whole too,
// within 64 tries; else `least`: a size in CSS pixels that is a whole number
// of device pixels, or a step of CSS pixels that lands on them
// (gridPeriod(), src/desktop/pixel_grid.h).
function smallestWhole(least, ratio) {
  for (let n = least; n < least + 64; ++n) if (whole(n * ratio)) return n;
  return least;
}

// The canvas in CSS pixels at `factor` CSS pixels per game pixel, with the
// level beside the menu or, `stacked`, below it, as
// src/desktop/web/window_placement.cpp places them: Qt's frame is in CSS
// pixels, rounded to game pixels, and each window may move on by up to a
// step of CSS pixels to start on a device pixel.
function desktopSize(factor, dpr, stacked) {
  const { menu, level, margin, gap, frame } = kLayout;
  const side = Math.round(frame.side / factor), top = Math.round(frame.top / factor),
        bottom = Math.round(frame.bottom / factor);
  const snap = Math.ceil(smallestWhole(1, dpr) / factor) + 1;
  const across = w => side + snap + w + side, down = h => top + snap + h + bottom;
  const width = stacked ? across(Math.max(menu.width, level.width)) : across(menu.width) + gap + across(level.width);
  const height = stacked ? down(menu.height) + gap + down(level.height) : down(Math.max(menu.height, level.height));
  const css = v => smallestWhole(Math.ceil((v + 2 * margin) * factor - 1e-6), dpr);
  return { width: css(width), height: css(height), factor, stacked };
}

// The page less its header and footer, in CSS pixels.
function availableArea() {
  const header = document.querySelector("header").offsetHeight, footer = document.querySelector("footer").offsetHeight;
  return { left: 0, top: header, width: window.innerWidth, height: window.innerHeight - header - footer };
}

// The desktop (desktopSize) at the largest scale that fits, side by side or
// stacked. Qt rounds a window to whole CSS pixels and its backing store to
// whole device pixels, so a scale may only make the one or the other
// fractional: a whole number of device pixels a game pixel where the
// device pixel ratio is whole, which keeps every game pixel a square of
// them; else a whole number of CSS pixels, which the game averages evenly
// (src/winsys/sharp_pixels.h), as it does quarters of a pixel where a CSS
// pixel is one device pixel. An averaged scale is taken only where the
// whole one would leave more than a quarter of the room unused.
// ?scale=F forces F CSS pixels a game pixel.
function chooseLayout(dpr, forced) {
  const area = availableArea();
  const fitting = factor => [false, true].map(stacked => desktopSize(factor, dpr, stacked))
    .find(size => size.width <= area.width && size.height <= area.height);
  if (forced > 0) return fitting(forced) || desktopSize(forced, dpr, false);
  const largest = step => {
    let n = 0;
    while (n < 64 && fitting((n + 1) * step)) ++n;
    return n * step;
  };
  const wholeDevice = whole(dpr) ? largest(1 / dpr) : 0, averaged = largest(dpr === 1 ? 0.25 : 1);
  let factor = wholeDevice >= averaged * 3 / 4 ? wholeDevice : averaged;
  if (!factor) factor = 1 / dpr;  // too small a window for any: one device pixel a game pixel
  return fitting(factor) || desktopSize(factor, dpr, false);
}

// Centred in the free area, on whole CSS and device pixels both.
function placeCanvas(canvas, size, dpr) {
  const area = availableArea();
  const start = (free, origin) => {
    let x = origin + Math.max(0, Math.floor(free / 2));
    for (let i = 0; i < 64 && x > 0 && !whole(x * dpr); ++i) --x;
    return x;
  };
  canvas.style.width = size.width + "px";
  canvas.style.height = size.height + "px";
  canvas.style.left = start(area.width - size.width, area.left) + "px";
  canvas.style.top = start(area.height - size.height, area.top) + "px";
}
