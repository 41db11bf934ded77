// SPDX-License-Identifier: MIT
// The keyboard belongs to the game: keys that would scroll the page or move
// the browser's focus elsewhere do neither while it runs.
import { canvas, state } from "./page.js";

const kGameKeys = new Set(["ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", " ", "Spacebar",
                           "PageUp", "PageDown", "Home", "End", "Tab", "Backspace", "Enter"]);

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
