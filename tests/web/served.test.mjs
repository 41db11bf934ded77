// SPDX-License-Identifier: MIT
// How the staged site fares as served: its compressed .wasm and .js unpack
// to the plain ones; opened as a file, the page says how to serve it and loads
// nothing; in a browser too old for it, it says so. In Chromium also: the
// progress bar under each way a server may send the .wasm; the browser may
// install it; a second visit plays with the network gone; a new build
// replaces the one kept on the visit after it.
// Usage: node served.test.mjs chromium|firefox [SITE_DIR]   (default build-web/site)
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { brotliDecompressSync, constants, gunzipSync } from 'node:zlib';
import { Game, gameFacts, launch, readPng, serve } from './lib.mjs';

const repo = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const [name, siteArg] = process.argv.slice(2);
const site = resolve(siteArg ?? join(repo, 'build-web/site'));

let step = 'start';
const check = (ok, message) => { if (!ok) throw new Error(message); };

// Unpacks what there is of a compressed file, a cut-off one too.
const unpack = {
  gzip: (bytes) => gunzipSync(bytes, { finishFlush: constants.Z_SYNC_FLUSH }),
  br: (bytes) => brotliDecompressSync(bytes, { finishFlush: constants.BROTLI_OPERATION_FLUSH }),
};

async function main() {
  check(name === 'chromium' || name === 'firefox', 'usage: node served.test.mjs chromium|firefox [SITE_DIR]');
  const plain = readFileSync(join(site, 'plodway.wasm'));
  for (const file of ['plodway.wasm', 'plodway.js'])
    for (const [encoding, ext] of [['gzip', 'gz'], ['br', 'br']]) {
      step = `${file}.${ext} unpacks to ${file}`;
      check(unpack[encoding](readFileSync(join(site, `${file}.${ext}`))).equals(readFileSync(join(site, file))), 'it does not');
    }
  const { browser, close } = await launch(name);
  try {
    step = 'opened as a file';
    await fromFile(browser);
    step = 'in a browser without what the page\'s scripts use';
    await tooOld(browser);
    if (name !== 'chromium') return;
    step = 'the icons';
    icons();
    const { wasmBytes } = await gameFacts(site);
    check(wasmBytes === plain.length, `game-facts.js has wasmBytes ${wasmBytes}, plodway.wasm ${plain.length} bytes`);
    await progressBar(browser, { encoding: 'accept' });
    for (const options of [{ encoding: 'gzip' }, { encoding: 'br' }, { length: false }])
      await progressBar(browser, options);
    await offline(browser);
    await newBuild(browser);
  } finally {
    await close();
  }
}

async function fromFile(browser) {
  const page = await browser.newPage(), game = new Game(page), asked = [];
  page.on('request', (r) => asked.push(r.url()));
  await page.goto(pathToFileURL(join(site, 'index.html')).href);
  await game.state('unsupported', 30000);
  const text = await page.evaluate(() => document.getElementById('problem').innerText);
  check(text.includes(`python3 -m http.server --directory "${site}"`) && text.includes('http://localhost:8000/'),
        `the page does not say how to serve ${site}: "${text}"`);
  check(!/reload/i.test(text), `the page offers a reload: "${text}"`);
  const loaded = asked.filter((u) => /plodway\.(js|wasm)$/.test(u));
  check(loaded.length === 0, `the page asked for the game: ${loaded.join(', ')}`);
  const errors = game.log.filter((l) => l.startsWith('pageerror'));
  check(errors.length === 0, `page errors: ${errors.join('; ')}`);
  await page.close();
}

// A browser that lacks what the page's scripts use (here matchMedia, as
// though it were older) says it cannot run the game instead of loading on.
async function tooOld(browser) {
  const server = await serve(site), page = await browser.newPage(), game = new Game(page);
  try {
    await page.evaluateOnNewDocument(() => { window.matchMedia = undefined; });
    await page.goto(`${server.url}index.html`);
    await game.state('unsupported', 30000);
    const text = await page.evaluate(() => document.getElementById('problem').innerText);
    check(/cannot run in this browser/.test(text), `the page says "${text}"`);
  } finally {
    await page.close();
    server.close();
  }
}

// The manifest's icons, and Safari's home-screen icon, which iOS wants
// opaque: on the theme colour, like a maskable one.
function icons() {
  const manifest = JSON.parse(readFileSync(join(site, 'manifest.webmanifest'), 'utf8'));
  const theme = parseInt(manifest.theme_color.slice(1), 16);
  const apple = readFileSync(join(site, 'index.html'), 'utf8').match(/<link rel="apple-touch-icon" href="([^"]+)">/);
  check(apple, 'index.html names no apple-touch-icon');
  for (const icon of [...manifest.icons, { src: apple[1], sizes: '180x180', purpose: 'maskable' }]) {
    const img = readPng(join(site, icon.src)), size = img.width;
    check(icon.sizes === `${size}x${img.height}`, `${icon.src} is ${size}x${img.height}, the manifest says ${icon.sizes}`);
    if (icon.purpose !== 'maskable') continue;
    let turtle = 0;
    for (let y = 0; y < size; y++)
      for (let x = 0; x < size; x++) {
        if (img.rgb(x, y) === theme) continue;
        turtle++;
        const dx = x + 0.5 - size / 2, dy = y + 0.5 - size / 2;
        check(Math.hypot(dx, dy) <= 0.4 * size, `${icon.src} has the turtle at ${x},${y}, outside the safe circle`);
      }
    check(turtle > size * size / 10, `${icon.src} shows no turtle on the theme colour ${manifest.theme_color}`);
  }
}

// Records every value the page gives the progress bar, which the element
// itself would hold to its maximum.
async function watchBar(page) {
  await page.evaluateOnNewDocument(() => {
    const value = Object.getOwnPropertyDescriptor(HTMLProgressElement.prototype, 'value');
    window.barSeen = [];
    Object.defineProperty(HTMLProgressElement.prototype, 'value', {
      ...value, set(v) { window.barSeen.push(v); value.set.call(this, v); },
    });
  });
}

async function barWentRight(page, what) {
  const seen = await page.evaluate(() => window.barSeen);
  check(seen.length > 0 && seen.at(-1) === 1, `${what}: the bar did not end full (${seen.slice(-3)})`);
  check(seen.every((v, i) => v >= 0 && v <= 1 && (i === 0 || v >= seen[i - 1])),
        `${what}: the bar went back or past full: ${seen.filter((v) => v > 1 || v < 0).slice(0, 3)}`);
}

// The first visit, the .wasm held at half its bytes as sent: the bar shows
// no more than the share of the plain .wasm those bytes unpack to, then full.
async function progressBar(browser, options) {
  const what = options.length === false ? 'no Content-Length' : `encoding ${options.encoding}`;
  step = `the progress bar, ${what}`;
  const server = await serve(site, 'index.html', { ...options, pause: 0.5 });
  const context = await browser.createBrowserContext();
  try {
    const page = await context.newPage(), game = new Game(page);
    await watchBar(page);
    await page.goto(server.url);
    const { bytes, encoding } = await server.paused;
    const wasm = server.requests.find((r) => r.path.endsWith('plodway.wasm'));
    if (options.encoding === 'accept') console.log(`Chromium asks for plodway.wasm with Accept-Encoding: ${wasm.accept}`);
    else check(encoding === options.encoding, `the server sent ${encoding ?? 'no encoding'}`);
    const share = (encoding ? unpack[encoding](bytes).length : bytes.length) / readFileSync(join(site, 'plodway.wasm')).length;
    await page.waitForFunction(() => document.getElementById('progress').value > 0, { timeout: 60000 })
      .catch(() => { throw new Error('the bar did not move while the .wasm came'); });
    const { value, text } = await page.evaluate(() => ({ value: document.getElementById('progress').value,
                                                         text: document.getElementById('status').textContent }));
    check(value <= share + 1e-6, `the bar is at ${value} with ${share.toFixed(3)} of the .wasm there (${encoding ?? 'plain'})`);
    check(text === `Loading Plodway… ${Math.floor(value * 100)} %`, `the status says "${text}" at ${value}`);
    server.resume();
    await game.state('running');
    await barWentRight(page, what);
  } finally {
    await context.close();
    server.close();
  }
}

const kept = (page) => page.evaluate(async () => {
  const names = await caches.keys();
  return { names, files: names.length ? (await (await caches.open(names[0])).keys()).length : 0 };
});
const buildOf = (dir) => readFileSync(join(dir, 'service-worker.js'), 'utf8').match(/const kBuild = "([^"]+)"/)[1];

// Installable, kept by the worker, and started again with the network gone.
// In the browser's own profile: Chromium installs nothing from an incognito one.
async function offline(browser) {
  step = 'installable';
  const server = await serve(site, 'index.html', { encoding: 'accept' });
  const page = await browser.newPage(), game = new Game(page);
  try {
    await watchBar(page);
    await page.goto(server.url);
    await game.state('running');
    await page.waitForFunction(() => navigator.serviceWorker.controller, { timeout: 120000 });
    const cdp = await page.createCDPSession();
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    check(installabilityErrors.length === 0, `installability errors: ${JSON.stringify(installabilityErrors)}`);

    step = 'the site kept by the service worker';
    const worker = readFileSync(join(site, 'service-worker.js'), 'utf8');
    const files = JSON.parse(worker.match(/const kFiles = (\[[^\]]*\])/)[1]);
    check(files.includes('plodway.wasm') && files.includes('index.html'), `the worker keeps only ${files}`);
    const { names, files: count } = await kept(page);
    check(names.join() === `plodway-${buildOf(site)}` && count === files.length,
          `kept: ${names.join(', ')} with ${count} files, where plodway-${buildOf(site)} with ${files.length} are wanted`);

    step = 'a second visit with the network gone';
    const asked = server.requests.length;
    await page.setOfflineMode(true);
    await page.reload();
    await game.state('running');
    check(server.requests.length === asked, `the server was asked for ${server.requests.slice(asked).map((r) => r.path)}`);
    await barWentRight(page, 'from the worker');
  } finally {
    await page.close();
    server.close();
  }
}

// A copy of the site, built again under another name: the visit after the
// one that finds it starts the new build and keeps that alone.
async function newBuild(browser) {
  step = 'a new build replaces the one kept';
  const copy = mkdtempSync(join(tmpdir(), 'plodway-site-'));
  cpSync(site, copy, { recursive: true });
  const server = await serve(copy);
  const context = await browser.createBrowserContext();
  try {
    const page = await context.newPage(), game = new Game(page);
    await page.goto(server.url);
    await game.state('running');
    await page.waitForFunction(() => navigator.serviceWorker.controller, { timeout: 120000 });
    const old = buildOf(copy), next = `${old}next`;
    const edit = (file, from, to) => writeFileSync(join(copy, file), readFileSync(join(copy, file), 'utf8').replace(from, to));
    edit('service-worker.js', `const kBuild = "${old}"`, `const kBuild = "${next}"`);
    edit('index.html', '<html lang="en">', '<html lang="en" data-build="next">');
    await page.reload();
    await game.state('running');
    check(await page.evaluate(() => document.documentElement.dataset.build) === undefined,
          'the visit that found the new build did not play the build kept');
    await page.waitForFunction(async (name) => {
      const registration = await navigator.serviceWorker.getRegistration();
      return !registration.installing && !registration.waiting && (await caches.keys()).includes(name);
    }, { timeout: 120000, polling: 200 }, `plodway-${next}`);
    await page.reload();
    await game.state('running');
    check(await page.evaluate(() => document.documentElement.dataset.build) === 'next',
          'the visit after the new build was found is not the new build');
    const { names } = await kept(page);
    check(names.join() === `plodway-${next}`, `kept: ${names.join(', ')}, where plodway-${next} alone is wanted`);
  } finally {
    await context.close();
    server.close();
    rmSync(copy, { recursive: true });
  }
}

await main().then(() => console.log(`web.served.${name}: passed`), (e) => {
  console.error(`web.served.${name} failed at "${step}": ${e.message}`);
  process.exitCode = 1;
});
