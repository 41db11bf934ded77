// SPDX-License-Identifier: MIT
// The loading panel's bar and status, by the bytes of the game's .wasm as
// they come: by its size known at staging where the server compresses it
// (and so sends no length the bar could use), else by the length sent.
import { wasmBytes } from "./game-facts.js";

function watchDownload(onProgress) {
  const plainFetch = window.fetch.bind(window);
  window.fetch = async (resource, options) => {
    const response = await plainFetch(resource, options);
    if (!String(resource).endsWith("plodway.wasm") || !response.ok || !response.body) return response;
    const total = wasmBytes || Number(response.headers.get("Content-Length")) || 0;
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

export function showDownload() {
  const status = document.getElementById("status"), progress = document.getElementById("progress");
  watchDownload(fraction => {
    progress.value = fraction;
    status.textContent = fraction < 1 ? `Loading Plodway… ${Math.floor(fraction * 100)} %` : "Starting Plodway…";
  });
}
