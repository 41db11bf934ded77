// SPDX-License-Identifier: MIT
// Plodway's page (index.html): checks the browser, lays the game's desktop
// out, starts the game through Qt's loader (qtloader.js, loaded before this
// module) and shows how the loading and the game go.
import { showDownload } from "./download.js";
import { environment, events } from "./game-facts.js";
import { keepKeys } from "./keys.js";
import { chooseLayout } from "./layout.js";
import { body, canvas, note, setState, showProblem, state } from "./page.js";
import { keepForOffline } from "./site.js";
import { takeTouch, touchOnly } from "./touch.js";

// What the browser lacks to run the game, as the player is told; "" if nothing.
function missingFeature() {
  if (typeof WebAssembly !== "object")
    return "Plodway cannot run in this browser because it does not support WebAssembly. " +
           "A current Firefox, Chrome, Edge or Safari does.";
  let webGL = false;
  try { webGL = !!document.createElement("canvas").getContext("webgl"); } catch (e) { }
  return webGL ? "" : "Plodway cannot run in this browser because WebGL is not available: it may be turned off, " +
                      "or the browser may not trust the graphics driver.";
}

// In the footer, which the layout leaves room for, not over the windows.
function tellHowToPlay() {
  if (touchOnly())
    document.getElementById("how-to-play").textContent =
      "By touch: tap a level, then \u201cGo Play!\u201d. Swipe up, down, left or right to move the turtle a step.";
}

// The scale is chosen once, at loading: a zoom, which changes the device
// pixel ratio, asks for a reload.
async function layOut(params) {
  const dpr = window.devicePixelRatio || 1;
  const layout = await chooseLayout(dpr, Number(params.get("scale")));
  body.dataset.scale = String(layout.factor);
  layout.place(canvas);
  window.addEventListener("resize", () => layout.place(canvas));
  window.matchMedia(`(resolution: ${dpr}dppx)`).addEventListener("change", () => {
    if (state() === "running") note("The zoom changed: reload the page to have sharp pixels again.");
  }, { once: true });
  return layout;
}

function fail(text) {
  const was = state();
  if (was === "ended") return;
  setState("failed");
  showProblem(was === "running" ? `Plodway stopped: ${text}. Reload the page to play again.`
                                : `Plodway could not be started: ${text}. Reload the page to try again.`);
}

// The game tells the page when its menu is up and when it has closed.
function followTheGame() {
  window.addEventListener(events.running, () => {
    // Shown once Qt has drawn the menu, a frame or two from now.
    requestAnimationFrame(() => requestAnimationFrame(() => {
      if (state() !== "loading") return;
      setState("running");
      canvas.focus({ preventScroll: true });
      keepForOffline();
    }));
  });
  window.addEventListener(events.ended, () => {
    setState("ended");
    document.getElementById("restart").focus();
  });
  document.getElementById("restart").addEventListener("click", () => location.reload());
}

function startGame(layout, params) {
  const variables = { [environment.scale]: String(layout.factor) };
  if (params.has("log")) variables[environment.windowLog] = "1";
  const qt = QtLoader({
    canvasElements: [canvas],
    environment: variables,
    showLoader: () => {},
    showCanvas: () => {},
    showError: text => fail(String(text)),
    showExit: (crashed, code) => { if (crashed || code) fail(qt.exitText || `it stopped with code ${code}`); },
  });
  qt.loadEmscriptenModule("plodway");
}

async function start() {
  // Opened from a file, or too old a browser: index.html has said so.
  if (state() !== "loading") return;
  const missing = missingFeature();
  if (missing) {
    setState("unsupported");
    showProblem(missing);
    return;
  }
  const params = new URLSearchParams(location.search);
  tellHowToPlay();
  keepKeys();
  takeTouch();
  followTheGame();
  showDownload();
  startGame(await layOut(params), params);
}

// A failure while starting is thrown again as an uncaught error, which
// index.html reports as a browser too old for the page.
start().catch(error => setTimeout(() => { throw error; }));
