// SPDX-License-Identifier: MIT
// Plodway's page (index.html): sizes and places the canvas, starts the game
// through Qt's loader and shows how the loading and the game go.
"use strict";
// Filled in when the site is staged (web/CMakeLists.txt), from the game's own
// numbers (tools/weblayout): the desktop the game's windows need, the menu
// beside the largest level (menu and level, client sizes in game pixels),
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

function whole(x) { return Math.abs(x - Math.round(x)) < 1e-3; }

// The smallest whole number from `least` on that times `ratio` is whole too,
// within 64 tries; else `least`. Both the canvas' size in CSS pixels, so that
// it is a whole number of device pixels, and the step of game pixels that
// windows go on (gridPeriod(), src/desktop/pixel_grid.h).
function smallestWhole(least, ratio) {
  for (let n = least; n < least + 64; ++n) if (whole(n * ratio)) return n;
  return least;
}

// The canvas in CSS pixels for a scale of `factor` CSS pixels per game
// pixel. Qt sizes windows in whole CSS pixels, so the factor is whole: a
// window a fraction of a CSS pixel wide would show a line of its unpainted
// backing store beside the field, or lose part of its last row. Where the
// device pixel ratio is fractional the game averages its pixels evenly.
function desktopSize(factor, dpr) {
  const step = smallestWhole(1, factor * dpr);
  const snap = v => Math.ceil(v / step) * step;
  const { menu, level, margin, gap, frame } = kLayout;
  const side = Math.round(frame.side / factor), top = Math.round(frame.top / factor),
        bottom = Math.round(frame.bottom / factor);
  const menuX = snap(margin + side), y = snap(margin + top);
  const levelX = snap(menuX + menu.width + side + gap + side);
  const width = levelX + level.width + side + margin;
  const height = y + Math.max(menu.height, level.height) + bottom + margin;
  const wholeCss = css => smallestWhole(Math.ceil(css - 1e-6), dpr);
  return { width: wholeCss(width * factor), height: wholeCss(height * factor), factor };
}

function availableArea() {
  const header = document.querySelector("header").offsetHeight, footer = document.querySelector("footer").offsetHeight;
  return { left: 0, top: header, width: window.innerWidth, height: window.innerHeight - header - footer };
}

// CSS pixels per game pixel: the most that fit, at least 1.
function chooseScale(dpr) {
  const forced = parseInt(params.get("scale"), 10);
  if (forced >= 1) return forced;
  const area = availableArea();
  let factor = 1;
  while (factor < 16) {
    const next = desktopSize(factor + 1, dpr);
    if (next.width > area.width || next.height > area.height) break;
    ++factor;
  }
  return factor;
}

// Centred in the free area, on whole CSS and device pixels both.
function placeCanvas(size, dpr) {
  const area = availableArea();
  const start = (free, origin) => {
    let x = origin + Math.max(0, Math.floor(free / 2));
    for (let i = 0; i < 64 && x > 0 && !whole(x * dpr); ++i) --x;
    return x;
  };
  canvas.style.left = start(area.width - size.width, area.left) + "px";
  canvas.style.top = start(area.height - size.height, area.top) + "px";
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
  if (touchOnly())
    note("By touch: tap a level, then \u201cGo Play!\u201d. Swipe up, down, left or right to move the turtle a step.");

  const dpr = window.devicePixelRatio || 1;
  const factor = chooseScale(dpr);
  body.dataset.scale = String(factor);
  const size = desktopSize(factor, dpr);
  canvas.style.width = size.width + "px";
  canvas.style.height = size.height + "px";
  placeCanvas(size, dpr);
  window.addEventListener("resize", () => placeCanvas(size, dpr));
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
