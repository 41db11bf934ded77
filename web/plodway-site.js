// SPDX-License-Identifier: MIT
// Where the page is served from: opened as a file it cannot load the game
// and says how to serve it; served from a secure context it keeps the site
// for playing offline (service-worker.js).
"use strict";

// A page opened from a file may not fetch the game beside it (Chromium
// refuses; Firefox allows it) and cannot be kept offline: it says so and
// what to run, and loads nothing.
function openedFromFile() {
  if (location.protocol !== "file:") return false;
  let folder = decodeURIComponent(location.pathname.replace(/[^/]*$/, ""));
  if (/^\/[A-Za-z]:\//.test(folder)) folder = folder.slice(1);  // Windows' C:/...
  const command = `python3 -m http.server --directory "${folder.replace(/\/$/, "") || "/"}"`;
  const problem = document.getElementById("problem");
  const paragraph = text => Object.assign(document.createElement("p"), { textContent: text });
  const code = Object.assign(document.createElement("pre"), { textContent: command });
  code.style.whiteSpace = "pre-wrap";
  code.style.wordBreak = "break-all";
  problem.replaceChildren(
    paragraph("Plodway needs a web server: opened as a file, the page cannot load the game in every browser. " +
              "Serve this folder, for example with Python, from a terminal:"),
    code,
    paragraph("then open http://localhost:8000/ in the browser."));
  document.body.dataset.state = "unsupported";
  return true;
}

// Registered once the game runs, so that the worker's copies, asked of the
// server, come after the page's own and mostly as "not modified".
function keepForOffline() {
  if (!window.isSecureContext || !("serviceWorker" in navigator)) return;
  navigator.serviceWorker.register("service-worker.js").catch(e => console.warn(`Plodway is not kept for offline: ${e}`));
}
