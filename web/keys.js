// SPDX-License-Identifier: MIT
// The keyboard belongs to the game: keys that would scroll the page or move
// the browser's focus elsewhere do neither while it runs. The page's own
// controls press the game's keys as the keyboard would.
import { canvas, state } from "./page.js";

const kGameKeys = new Set(["ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", " ", "Spacebar",
                           "PageUp", "PageDown", "Home", "End", "Tab", "Backspace", "Enter"]);
// The keys the page presses for touch: each one's code and key code.
const kPressed = { ArrowLeft: ["ArrowLeft", 37], ArrowUp: ["ArrowUp", 38], ArrowRight: ["ArrowRight", 39],
                   ArrowDown: ["ArrowDown", 40], p: ["KeyP", 80] };

const focusGame = () => canvas.focus({ preventScroll: true });

export function keepKeys() {
  window.addEventListener("keydown", event => {
    if (state() !== "running" && state() !== "loading") return;
    if (event.target !== canvas) focusGame();
    if (kGameKeys.has(event.key) && !event.ctrlKey && !event.altKey && !event.metaKey) event.preventDefault();
  }, true);
  window.addEventListener("mousedown", event => {
    if (state() === "running" && event.target !== canvas && !event.target.closest("button")) {
      event.preventDefault();
      focusGame();
    }
  }, true);
  window.addEventListener("focus", () => { if (state() === "running") focusGame(); });
}

// A press and a release of `key`, sent where the keyboard's go: to the
// canvas, where Qt hears keys, and so to whichever window has the keyboard.
export function pressKey(key) {
  if (state() !== "running") return;
  const [code, keyCode] = kPressed[key];
  for (const type of ["keydown", "keyup"])
    canvas.dispatchEvent(new KeyboardEvent(type, { key, code, keyCode, which: keyCode, bubbles: true, cancelable: true }));
}
