// SPDX-License-Identifier: MIT
// The web build's first visit over a slow line, in docs/PERFORMANCE.md, "Over the wire":
//   node bench/web/wire.mjs [SITE]   (build-web/site)
// Chromium throttled to MBITS (10) Mbit/s down by the DevTools protocol
// (Network.emulateNetworkConditions), a new browser context for each visit,
// the tests' server sending the files as they are ("plain", as Python's
// http.server does), then as a good server does (FILE.br or FILE.gz by the
// request's Accept-Encoding), then gzip whatever was asked (a server with
// gzip alone). For each: the bytes of the bodies the server sent and the
// time from the navigation to data-state=running, median of RUNS (3); the
// Accept-Encoding
// Chromium sent for plodway.wasm; and a second visit started from the
// service worker's copies with the network gone. WAYS picks the servers
// (plain accept gzip).
import { resolve } from 'node:path';
import { Game, launch, serve } from '../../tests/web/lib.mjs';

const site = resolve(process.argv[2] ?? 'build-web/site');
const RUNS = Number(process.env.RUNS ?? 3), MBITS = Number(process.env.MBITS ?? 10);
const WAYS = (process.env.WAYS ?? 'plain accept gzip').split(' ');
const median = (v) => { const s = [...v].sort((a, b) => a - b), n = s.length; return n % 2 ? s[(n - 1) / 2] : (s[n / 2 - 1] + s[n / 2]) / 2; };

async function visit(context, server, { offline = false, page } = {}) {
  const asked = server.requests.length;
  page ??= await context.newPage();
  const cdp = await page.createCDPSession();
  await cdp.send('Network.enable');
  await cdp.send('Network.emulateNetworkConditions', {
    offline, latency: 20, downloadThroughput: MBITS * 1e6 / 8, uploadThroughput: MBITS * 1e6 / 8,
  });
  await page.evaluateOnNewDocument(() => {
    new MutationObserver(() => {
      if (document.body?.dataset.state === 'running') window.plodwayRunningAt ??= performance.now();
    }).observe(document, { subtree: true, attributes: true, attributeFilter: ['data-state'] });
  });
  const game = new Game(page);
  if (page.url() === 'about:blank') await page.goto(server.url);
  else await page.reload();
  await game.state('running', 300000);
  const ms = await page.evaluate(() => window.plodwayRunningAt);
  await cdp.detach();
  const bytes = server.requests.slice(asked).reduce((sum, r) => sum + (r.bytes || 0), 0);
  return { page, bytes, ms };
}

const { browser, close } = await launch('chromium');
try {
  const ways = [['plain', {}], ['by Accept-Encoding', { encoding: 'accept' }], ['gzip', { encoding: 'gzip' }]];
  for (const [label, options] of ways.filter(([, o]) => WAYS.includes(o.encoding ?? 'plain'))) {
    const server = await serve(site, 'index.html', options);
    const runs = [];
    try {
      for (let i = 0; i < RUNS; i++) {
        const context = await browser.createBrowserContext();
        const first = await visit(context, server);
        runs.push(first);
        if (i === 0) {
          const wasm = server.requests.find((r) => r.path.endsWith('plodway.wasm'));
          console.log(`${label}: Accept-Encoding for plodway.wasm "${wasm.accept}", sent ${wasm.encoding ?? 'as it is'}`);
        }
        if (i === 0 && options.encoding === 'accept') {
          await first.page.waitForFunction(() => navigator.serviceWorker.controller, { timeout: 300000 });
          const again = await visit(context, server, { offline: true, page: first.page });
          console.log(`second visit, network gone: ${again.bytes} bytes, running after ${again.ms.toFixed(0)} ms`);
        }
        await context.close();
      }
    } finally {
      server.close();
    }
    console.log(`${label} at ${MBITS} Mbit/s: ${median(runs.map((r) => r.bytes))} bytes (${runs.map((r) => r.bytes).join(', ')}), ` +
                `running after ${median(runs.map((r) => r.ms)).toFixed(0)} ms (${runs.map((r) => r.ms.toFixed(0)).join(', ')})`);
  }
} finally {
  await close();
}
