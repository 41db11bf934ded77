// SPDX-License-Identifier: MIT
// The page's layout: how many CSS pixels a game pixel takes (Qt's scale),
// and how large the canvas, the game's desktop, is and where it goes. The
// game's own code answers (page-layout.wasm, built from the code that
// places its windows), from its windows' sizes (game-facts.js). A touch
// player's pause control (pause.js) has room of its own at the bottom right.
import { level, menu } from "./game-facts.js";
import { pauseControl } from "./pause.js";
import { touchOnly } from "./touch.js";

// CSS pixels between the pause control and the game or the page's edges.
const kControlMargin = 8;

// The page less its header and footer, in CSS pixels.
function availableArea() {
  const header = document.querySelector("header").offsetHeight, footer = document.querySelector("footer").offsetHeight;
  return { left: 0, top: header, width: window.innerWidth, height: window.innerHeight - header - footer };
}

// The pause control's size, as the style sheet gives it, hidden or not.
function controlSize() {
  const style = getComputedStyle(pauseControl());
  return { width: parseFloat(style.width), height: parseFloat(style.height) };
}

async function loadGameCode() {
  // By its bytes, whatever type a server gives a .wasm.
  const response = await fetch("page-layout.wasm");
  if (!response.ok) throw new Error(`page-layout.wasm: ${response.status} ${response.statusText}`);
  const { instance } = await WebAssembly.instantiate(await response.arrayBuffer());
  instance.exports._initialize();
  return instance.exports;
}

// Resolves to a function that gives the layout for the page as it is now:
// at the largest scale that fits, or at `forced` CSS pixels a game pixel.
// For touch, the pause control's room is a strip below the game or beside
// it, whichever leaves the larger scale.
export async function loadLayout(forced) {
  const game = await loadGameCode();
  const layoutIn = (area, dpr) => {
    const factor = game.plodway_choose_layout(area.left, area.top, area.width, area.height, dpr, forced || 0,
                                              menu.width, menu.height, level.width, level.height);
    const [width, height, left, top, stacked] = [0, 1, 2, 3, 4].map(part => game.plodway_layout_part(part));
    return { factor, dpr, width, height, left, top, stacked: !!stacked };
  };
  return () => {
    const dpr = window.devicePixelRatio || 1, area = availableArea();
    if (!touchOnly()) return { ...layoutIn(area, dpr), area };
    const room = controlSize();
    const below = layoutIn({ ...area, height: area.height - room.height - 2 * kControlMargin }, dpr);
    const beside = layoutIn({ ...area, width: area.width - room.width - 2 * kControlMargin }, dpr);
    return { ...(beside.factor > below.factor ? beside : below), area };
  };
}

export function sameLayout(a, b) {
  return ["factor", "dpr", "width", "height", "left", "top"].every(part => a[part] === b[part]);
}

// The canvas where the layout puts it, and the pause control in its corner.
export function applyLayout(layout, canvas) {
  for (const side of ["width", "height", "left", "top"]) canvas.style[side] = layout[side] + "px";
  const { area } = layout, room = controlSize(), control = pauseControl().style;
  control.left = area.left + area.width - room.width - kControlMargin + "px";
  control.top = area.top + area.height - room.height - kControlMargin + "px";
}
