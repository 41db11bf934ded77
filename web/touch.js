// SPDX-License-Identifier: MIT
// Plodway by touch: a swipe of one finger over the game is an arrow key,
// pressed where the keyboard's keys go; its taps reach Qt as mouse clicks;
// two fingers do nothing to it; and while the game runs the page holds
// still.
import { pressKey } from "./keys.js";
import { canvas as screen, state } from "./page.js";

const running = () => state() === "running";
// CSS pixels a finger moves for a swipe rather than a tap.
const kSwipe = 24;

// A finger, and no mouse, to point with: the footer says how to play by touch.
export function touchOnly() {
  const touch = "ontouchstart" in window || navigator.maxTouchPoints > 0;
  return touch && !window.matchMedia("(any-pointer: fine)").matches;
}

export function takeTouch() {
  turnFingersIntoClicksAndArrows();
  keepTouchEventsFromQt();
  holdThePageStill();
}

// A press and a release of the mouse where the finger went down.
function click(from, x, y) {
  for (const type of ["pointerdown", "pointerup"])
    screen.dispatchEvent(new PointerEvent(type, {
      bubbles: true, cancelable: true, composed: true, pointerId: from.pointerId, pointerType: "mouse",
      isPrimary: true, clientX: x, clientY: y, button: 0, buttons: type === "pointerdown" ? 1 : 0 }));
}

// Qt 6.4 in the browser leaves a finger's pointer events alone (it takes
// those of a mouse only) and makes Qt touch events of its touch events,
// which widgets take as clicks but its title bars never: no close box
// answers a finger. So a finger lifted near where it went down is handed
// to Qt as the click it stands for, a press and a release there as pointer
// events of a mouse, and its touch events are kept from Qt
// (keepTouchEventsFromQt), which would click a second time. A second finger
// down makes the touch a pinch, a drag or a tap of two, none of them the
// game's: the first one's lifting is then neither a click nor an arrow.
function turnFingersIntoClicksAndArrows() {
  let finger = null;
  const down = new Set();
  const fingerOnly = event => event.isTrusted && event.pointerType !== "mouse";
  window.addEventListener("pointerdown", event => {
    if (!fingerOnly(event)) return;
    if (event.isPrimary) down.clear();  // the first finger of a touch: any other is gone
    down.add(event.pointerId);
    if (down.size > 1) finger = null;
    else if (event.target === screen) finger = { id: event.pointerId, x: event.clientX, y: event.clientY };
  }, true);
  for (const type of ["pointerup", "pointercancel"]) {
    window.addEventListener(type, event => {
      if (fingerOnly(event)) down.delete(event.pointerId);
      if (!fingerOnly(event) || !finger || event.pointerId !== finger.id) return;
      const { x, y } = finger, dx = event.clientX - x, dy = event.clientY - y;
      finger = null;
      if (type === "pointercancel") return;
      if (Math.max(Math.abs(dx), Math.abs(dy)) < kSwipe) {
        click(event, x, y);
      } else {
        pressKey(Math.abs(dx) > Math.abs(dy) ? (dx > 0 ? "ArrowRight" : "ArrowLeft")
                                             : (dy > 0 ? "ArrowDown" : "ArrowUp"));
      }
    }, true);
  }
  // Qt captures the mouse's pointer as it presses and lets it go as it
  // releases: the finger's is already gone by then.
  for (const name of ["setPointerCapture", "releasePointerCapture"])
    screen[name] = id => { try { Element.prototype[name].call(screen, id); } catch (e) { } };
}

// Qt's own listeners are on the canvas: this one, on the window and
// capturing, comes first and keeps the touch events from them, and the
// browser from scrolling, zooming or making mouse events of them.
function keepTouchEventsFromQt() {
  for (const type of ["touchstart", "touchmove", "touchend", "touchcancel"])
    window.addEventListener(type, event => {
      if (event.target !== screen) return;
      event.stopImmediatePropagation();
      if (event.cancelable) event.preventDefault();
    }, { capture: true, passive: false });
}

// While the game runs, no scroll, zoom, selection or long-press menu.
function holdThePageStill() {
  for (const type of ["contextmenu", "selectstart", "gesturestart"])
    window.addEventListener(type, event => { if (running()) event.preventDefault(); }, { passive: false });
  document.addEventListener("touchmove", event => { if (running() && event.cancelable) event.preventDefault(); },
                            { passive: false });
}
