// SPDX-License-Identifier: MIT
// The page's layout: how many CSS pixels a game pixel takes (Qt's scale),
// and how large the canvas, the game's desktop, is and where it goes. The
// game's own code answers (page-layout.wasm, built from the code that
// places its windows), from its windows' sizes (game-facts.js).
import { level, menu } from "./game-facts.js";

// The page less its header and footer, in CSS pixels.
function availableArea() {
  const header = document.querySelector("header").offsetHeight, footer = document.querySelector("footer").offsetHeight;
  return { left: 0, top: header, width: window.innerWidth, height: window.innerHeight - header - footer };
}

async function loadGameCode() {
  // By its bytes, whatever type a server gives a .wasm.
  const response = await fetch("page-layout.wasm");
  if (!response.ok) throw new Error(`page-layout.wasm: ${response.status} ${response.statusText}`);
  const { instance } = await WebAssembly.instantiate(await response.arrayBuffer());
  instance.exports._initialize();
  return instance.exports;
}

// Resolves to the layout at a device pixel ratio, at the largest scale
// that fits or at `forced` CSS pixels a game pixel; its place() centres the
// canvas again in what the page leaves free now.
export async function chooseLayout(dpr, forced) {
  const game = await loadGameCode();
  const area = availableArea();
  const factor = game.plodway_choose_layout(area.left, area.top, area.width, area.height, dpr, forced || 0,
                                            menu.width, menu.height, level.width, level.height);
  const [width, height, left, top, stacked] = [0, 1, 2, 3, 4].map(part => game.plodway_layout_part(part));
  const layout = { factor, width, height, left, top, stacked: !!stacked };
  layout.place = canvas => {
    const now = availableArea();
    layout.left = game.plodway_centred(now.width - width, now.left, dpr);
    layout.top = game.plodway_centred(now.height - height, now.top, dpr);
    for (const side of ["width", "height", "left", "top"]) canvas.style[side] = layout[side] + "px";
  };
  return layout;
}
