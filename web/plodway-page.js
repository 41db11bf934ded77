// SPDX-License-Identifier: MIT
// Plodway's page (index.html): has the canvas sized and placed (layout.js),
// starts the game through Qt's loader and shows how the loading and the
// game go.
"use strict";
// Filled in when the site is staged (web/CMakeLists.txt), from the game's own
// numbers (tools/weblayout): the desktop the game's windows need, the menu
// and the largest level (menu and level, client sizes in game pixels),
// with the margin around them and the gap between them (game pixels) and the
// frame Qt 6.4 draws around each (CSS pixels); and plodway.wasm's size in
// bytes, for the progress bar when the server compresses it.
const kLayout = {/* @PLODWAY_LAYOUT@ */};

const body = document.body;
const canvas = document.getElementById("screen");
const params = new URLSearchParams(location.search);

function setState(state) { body.dataset.state = state; }

function showProblem(text) {
  document.getElementById("problem").textContent = text;
}

// The keyboard belongs to the game: keys that would scroll the page or move
// the browser's focus elsewhere do neither while it runs.
const kGameKeys = new Set(["ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", " ", "Spacebar",
                           "PageUp", "PageDown", "Home", "End", "Tab", "Backspace", "Enter"]);
function keepKeys() {
  window.addEventListener("keydown", event => {
    if (body.dataset.state !== "running" && body.dataset.state !== "loading") return;
    if (event.target !== canvas) canvas.focus({ preventScroll: true });
    if (kGameKeys.has(event.key) && !event.ctrlKey && !event.altKey && !event.metaKey) event.preventDefault();
  }, true);
  window.addEventListener("mousedown", event => {
    if (body.dataset.state === "running" && event.target !== canvas && !event.target.closest("button")) {
      event.preventDefault();
      canvas.focus({ preventScroll: true });
    }
  }, true);
  window.addEventListener("focus", () => { if (body.dataset.state === "running") canvas.focus({ preventScroll: true }); });
}

function note(text) {
  const element = document.getElementById("note");
  element.textContent = text;
  element.hidden = false;
}

function touchOnly() {
  const touch = "ontouchstart" in window || navigator.maxTouchPoints > 0;
  return touch && !window.matchMedia("(any-pointer: fine)").matches;
}

// Counts the bytes of the .wasm as they come, for the progress bar.
function watchDownload(onProgress) {
  const plainFetch = window.fetch.bind(window);
  window.fetch = async (resource, options) => {
    const response = await plainFetch(resource, options);
    if (!String(resource).endsWith(".wasm") || !response.ok || !response.body) return response;
    const total = kLayout.wasmBytes || Number(response.headers.get("Content-Length")) || 0;
    const reader = response.body.getReader();
    let received = 0;
    const counted = new ReadableStream({
      async pull(controller) {
        const { done, value } = await reader.read();
        if (done) { controller.close(); onProgress(1); return; }
        received += value.byteLength;
        if (total) onProgress(Math.min(received / total, 1));
        controller.enqueue(value);
      }
    });
    return new Response(counted, { status: response.status, statusText: response.statusText, headers: response.headers });
  };
}

function start() {
  if (openedFromFile()) return;
  const webAssembly = typeof WebAssembly === "object";
  let webGL = false;
  try { webGL = !!document.createElement("canvas").getContext("webgl"); } catch (e) { }
  if (!webAssembly || !webGL) {
    setState("unsupported");
    showProblem(!webAssembly
      ? "Plodway cannot run in this browser because it does not support WebAssembly. " +
        "A current Firefox, Chrome, Edge or Safari does."
      : "Plodway cannot run in this browser because WebGL is not available: it may be turned off, " +
        "or the browser may not trust the graphics driver.");
    return;
  }
  // In the footer, which the layout leaves room for, not over the windows.
  if (touchOnly())
    document.getElementById("how-to-play").textContent =
      "By touch: tap a level, then \u201cGo Play!\u201d. Swipe up, down, left or right to move the turtle a step.";

  const dpr = window.devicePixelRatio || 1;
  const size = chooseLayout(dpr, Number(params.get("scale")));
  body.dataset.scale = String(size.factor);
  placeCanvas(canvas, size, dpr);
  window.addEventListener("resize", () => placeCanvas(canvas, size, dpr));
  // A zoom changes the device pixel ratio: the scale is chosen once, at loading.
  window.matchMedia(`(resolution: ${dpr}dppx)`).addEventListener("change", () => {
    if (body.dataset.state === "running") note("The zoom changed: reload the page to have sharp pixels again.");
  }, { once: true });

  const status = document.getElementById("status"), progress = document.getElementById("progress");
  watchDownload(fraction => {
    progress.value = fraction;
    status.textContent = fraction < 1 ? `Loading Plodway… ${Math.floor(fraction * 100)} %` : "Starting Plodway…";
  });
  keepKeys();
  const fail = text => {
    const was = body.dataset.state;
    if (was === "ended") return;
    setState("failed");
    showProblem(was === "running" ? `Plodway stopped: ${text}. Reload the page to play again.`
                                  : `Plodway could not be started: ${text}. Reload the page to try again.`);
  };
  window.addEventListener("plodway-running", () => {
    // Shown once Qt has drawn the menu, a frame or two from now.
    requestAnimationFrame(() => requestAnimationFrame(() => {
      if (body.dataset.state !== "loading") return;
      setState("running");
      canvas.focus({ preventScroll: true });
      keepForOffline();
    }));
  });
  window.addEventListener("plodway-ended", () => {
    setState("ended");
    document.getElementById("restart").focus();
  });
  document.getElementById("restart").addEventListener("click", () => location.reload());

  const environment = { QT_SCALE_FACTOR: String(size.factor) };
  if (params.has("log")) environment.PLODWAY_WINDOW_LOG = "1";
  const qt = QtLoader({
    canvasElements: [canvas],
    environment,
    showLoader: () => {},
    showCanvas: () => {},
    showError: text => fail(String(text)),
    showExit: (crashed, code) => { if (crashed || code) fail(qt.exitText || `it stopped with code ${code}`); },
  });
  qt.loadEmscriptenModule("plodway");
}

start();
