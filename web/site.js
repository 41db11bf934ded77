// SPDX-License-Identifier: MIT
// Served from a secure context, the page keeps the site for playing
// offline (service-worker.js). Opened as a file, it says so before any
// module runs (index.html).

// Registered once the game runs, so that the worker's copies, asked of the
// server, come after the page's own and mostly as "not modified".
export function keepForOffline() {
  if (!window.isSecureContext || !("serviceWorker" in navigator)) return;
  navigator.serviceWorker.register("service-worker.js").catch(e => console.warn(`Plodway is not kept for offline: ${e}`));
}
