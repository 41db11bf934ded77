// SPDX-License-Identifier: MIT
// Plodway's page (index.html): checks the browser, lays the game's desktop
// out, starts the game through Qt's loader (qtloader.js, loaded before this
// module) and shows how the loading and the game go.
import { showDownload } from "./download.js";
import { environment, events } from "./game-facts.js";
import { keepKeys } from "./keys.js";
import { applyLayout, loadLayout, sameLayout } from "./layout.js";
import { body, canvas, setState, showProblem, state } from "./page.js";
import { pauseWhenAway } from "./pause.js";
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
      "By touch: tap a level, then \u201cGo Play!\u201d. Swipe up, down, left or right to move the turtle a step. " +
      "\u201cPause\u201d, beside the game, pauses a level.";
}

// The layout follows the page: a turn of the screen, a resized window or a
// zoom lays it out anew, and the game, once it runs, hears of every new
// one and places its windows again. Resolves to the first, which the game
// starts at.
async function layOut(params) {
  const layoutNow = await loadLayout(Number(params.get("scale")));
  let layout = layoutNow(), told = layout, gameListens = false;
  const show = () => {
    body.dataset.scale = String(layout.factor);
    applyLayout(layout, canvas);
  };
  const tellGame = () => {
    if (!gameListens || told === layout) return;
    told = layout;
    window.dispatchEvent(new CustomEvent(events.layout, { detail: layout.factor }));
  };
  const again = () => {
    const next = layoutNow();
    if (sameLayout(next, layout)) return;
    layout = next;
    show();
    tellGame();
  };
  // A zoom changes the device pixel ratio, which a query for the ratio
  // now hears; resizing may hear it too.
  const zoomed = () => {
    window.matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener("change", () => {
      again();
      zoomed();
    }, { once: true });
  };
  show();
  window.addEventListener("resize", again);
  zoomed();
  // A change while the game was loading.
  window.addEventListener(events.running, () => {
    gameListens = true;
    tellGame();
  });
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
  pauseWhenAway();
  followTheGame();
  showDownload();
  startGame(await layOut(params), params);
}

// A failure while starting is thrown again as an uncaught error, which
// index.html reports as a browser too old for the page.
start().catch(error => setTimeout(() => { throw error; }));
