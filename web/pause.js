// SPDX-License-Identifier: MIT
// A level pauses as P pauses it when the page is hidden while it plays
// (another app, a call, another tab, a locked screen): the "Paused" box is
// there on return, and the traffic did not run meanwhile. A touch player
// has a control of the page's own beside the game, shown while a level
// plays, that presses P.
import { events } from "./game-facts.js";
import { pressKey } from "./keys.js";
import { canvas } from "./page.js";
import { touchOnly } from "./touch.js";

export const pauseControl = () => document.getElementById("pause");

export function pauseWhenAway() {
  const control = pauseControl();
  let playing = false;
  const follow = now => () => {
    playing = now;
    control.hidden = !(playing && touchOnly());
  };
  window.addEventListener(events.playing, follow(true));
  window.addEventListener(events.stopped, follow(false));
  document.addEventListener("visibilitychange", () => { if (document.hidden && playing) pressKey("p"); });
  // The keyboard stays the game's.
  control.addEventListener("pointerdown", event => event.preventDefault());
  control.addEventListener("click", () => {
    if (playing) pressKey("p");
    canvas.focus({ preventScroll: true });
  });
}
