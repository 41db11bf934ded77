// SPDX-License-Identifier: MIT
// What the browser tests and bench/web share: a static server for the staged
// site, the two browsers as Debian installs them, the game's window log, and
// PNG pixels for looking at the play field.
import { spawn } from 'node:child_process';
import { createReadStream, readFileSync, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import { extname, join, normalize, resolve } from 'node:path';
import { inflateSync } from 'node:zlib';
import { kConsolePath, kDriver, kMiniBrowser, launchWebKit } from './webkit.mjs';

const require = createRequire(import.meta.url);
let puppeteer;
try {
  puppeteer = require('puppeteer-core');
} catch {
  throw new Error('puppeteer-core is missing: run scripts/web-browsers.sh');
}

const types = {
  '.html': 'text/html', '.js': 'text/javascript', '.mjs': 'text/javascript', '.wasm': 'application/wasm',
  '.css': 'text/css', '.png': 'image/png', '.svg': 'image/svg+xml', '.ico': 'image/x-icon', '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
};

// The game's numbers and names as the page imports them (game-facts.js, a
// module made at staging), read as a module whatever Node makes of a .js.
export async function gameFacts(site) {
  const text = readFileSync(join(site, 'game-facts.js'), 'utf8');
  return import(`data:text/javascript,${encodeURIComponent(text)}`);
}

// Serves one folder on a free port of the loopback, nothing outside it.
// Options: `encoding` 'accept' sends FILE.br or FILE.gz where the request's
// Accept-Encoding takes it and the file is there, as a good server does;
// 'br' or 'gzip' sends that one whatever was asked; `length: false` sends no
// Content-Length; `pause` (0 to 1) stops the game's .wasm after that share
// of its bytes until resume(), and `paused` says how far it got. `requests`
// lists what was asked: path, Accept-Encoding, Content-Encoding and bytes sent.
// `headScripts` are run by each page it serves before the page's own
// scripts, where a browser's driver has no way to (WebDriver); such a script
// may POST a JSON list of console lines to kConsolePath, which go to the
// listeners given to onConsole().
export async function serve(root, page = 'index.html', { encoding, length = true, pause } = {}) {
  root = resolve(root);
  const headScripts = [], consoleListeners = [];
  try { statSync(join(root, page)); } catch { throw new Error(`no ${join(root, page)}: build and stage the site with scripts/web.sh`); }
  const requests = [];
  let resume, pausedOk;
  const paused = new Promise((ok) => { pausedOk = ok; });
  const server = createServer((req, res) => {
    if (req.method === 'POST' && req.url === kConsolePath) {
      let body = '';
      req.on('data', (d) => { body += d; });
      req.on('end', () => {
        res.writeHead(204).end();
        for (const line of JSON.parse(body)) consoleListeners.forEach((l) => l(line));
      });
      return;
    }
    const path = normalize(decodeURIComponent(new URL(req.url, 'http://x').pathname)).replace(/^(\.\.[/\\])+/, '');
    const file = join(root, path.endsWith('/') ? path + 'index.html' : path);
    const sizeOf = (f) => { try { return statSync(f).isFile() && statSync(f).size; } catch { return false; } };
    const size = sizeOf(file);
    const accept = req.headers['accept-encoding'] ?? '';
    requests.push({ path, accept });
    if (!file.startsWith(root) || size === false) {
      res.writeHead(404).end();
      return;
    }
    const sent = [['br', '.br'], ['gzip', '.gz']].find(([name, ext]) =>
      (encoding === 'accept' ? accept.split(',').some((a) => a.trim().split(';')[0] === name) : encoding === name) &&
      sizeOf(file + ext) !== false);
    const body = sent ? file + sent[1] : file;
    Object.assign(requests.at(-1), { encoding: sent?.[0], bytes: sizeOf(body) });
    const headers = { 'Content-Type': types[extname(file)] ?? 'application/octet-stream', 'Cache-Control': 'no-store' };
    if (sent) Object.assign(headers, { 'Content-Encoding': sent[0], Vary: 'Accept-Encoding' });
    if (headScripts.length && extname(file) === '.html' && !sent) {
      const html = readFileSync(file, 'utf8').replace('<head>', `<head><script>${headScripts.join('\n')}</script>`);
      res.writeHead(200, headers).end(html);
      return;
    }
    if (length) headers['Content-Length'] = sizeOf(body);
    res.writeHead(200, headers);
    if (pause === undefined || !file.endsWith('plodway.wasm') || resume) {
      createReadStream(body).pipe(res);
      return;
    }
    const bytes = readFileSync(body), at = Math.floor(bytes.length * pause);
    resume = () => res.end(bytes.subarray(at));
    res.write(bytes.subarray(0, at), () => pausedOk({ bytes: bytes.subarray(0, at), encoding: sent?.[0] }));
  });
  await new Promise((ok) => server.listen(0, '127.0.0.1', ok));
  return { url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close(), requests,
           paused, resume: () => resume(), headScripts, onConsole: (listener) => consoleListeners.push(listener) };
}

// Firefox draws WebGL only with a display: headless it has no GL driver
// (FEATURE_FAILURE_WEBGL_EXHAUSTED_DRIVERS), and WebKitGTK has no headless
// mode. Each gets an X server of its own.
async function startXvfb() {
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
                     { stdio: ['ignore', 'ignore', 'pipe', 'pipe'] });
  let err = '';
  xvfb.stderr.on('data', (d) => { err += d; });
  const display = await new Promise((ok, fail) => {
    xvfb.on('error', (e) => fail(new Error(`cannot start Xvfb (scripts/deps.sh installs it): ${e.message}`)));
    xvfb.on('exit', (code) => fail(new Error(`Xvfb exited with ${code}: ${err}`)));
    xvfb.stdio[3].on('data', (d) => ok(':' + String(d).trim()));
  });
  return { display, stop: () => xvfb.kill() };
}

export const browsers = {
  chromium: {
    executablePath: '/usr/bin/chromium',
    args: ['--headless=new', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-sandbox'],
  },
  firefox: {
    browser: 'firefox',
    executablePath: '/usr/bin/firefox-esr',
    extraPrefsFirefox: { 'webgl.force-enabled': true },
  },
};

// WebKit (webkit.mjs) hears the page through `server`, the tests' server.
export async function launch(name, server) {
  if (name === 'webkit') {
    for (const file of [kMiniBrowser, kDriver])
      try { statSync(file); } catch { throw new Error(`no ${file}: run scripts/web-browsers.sh`); }
    const xvfb = await startXvfb();
    const { browser, close, pid } = await launchWebKit(xvfb.display, server).catch((e) => { xvfb.stop(); throw e; });
    return { browser, close: async () => { await close(); xvfb.stop(); }, pid };
  }
  const options = browsers[name];
  if (!options) throw new Error(`unknown browser ${name}: ${Object.keys(browsers).join(' or ')}`);
  try { statSync(options.executablePath); } catch {
    throw new Error(`no ${options.executablePath}: run scripts/web-browsers.sh`);
  }
  const xvfb = name === 'firefox' ? await startXvfb() : null;
  const browser = await puppeteer.launch({
    ...options,
    headless: !xvfb,
    env: xvfb ? { ...process.env, DISPLAY: xvfb.display } : process.env,
    defaultViewport: { width: 1024, height: 768 },
    protocolTimeout: 120000,
  });
  const close = async () => {
    await browser.close().catch(() => {});
    xvfb?.stop();
  };
  return { browser, close, pid: browser.process()?.pid };
}

// puppeteer sends a screen orientation beside the viewport, which Firefox
// ESR 140 (Debian 12's without its security updates) does not know; the
// viewport, sent with it, is set all the same, and the page here looks only
// at the viewport.
export async function setViewport(page, viewport) {
  try {
    await page.setViewport(viewport);
  } catch (e) {
    if (!/unknown command emulation\.setScreenOrientationOverride/.test(e.message)) throw e;
  }
}

// A page of the game with its window log (?log) gathered line by line.
export class Game {
  constructor(page) {
    this.page = page;
    this.log = [];
    this.waiters = [];
    page.on('console', (msg) => this.line(msg.text()));
    page.on('pageerror', (e) => this.line(`pageerror ${e.message}`));
  }

  line(text) {
    for (const l of String(text).split('\n')) this.log.push(l);
    for (const w of [...this.waiters]) w();
  }

  // Waits for a log line equal to `text` (or matching it, a RegExp) after
  // line `from`; returns the index of the line after it.
  async waitLog(text, { from = 0, timeout = 30000 } = {}) {
    const find = () => {
      for (let i = from; i < this.log.length; i++)
        if (text instanceof RegExp ? text.test(this.log[i]) : this.log[i] === text) return i + 1;
      return 0;
    };
    let found = find();
    if (found) return found;
    await new Promise((ok, fail) => {
      const w = () => { if ((found = find())) { clearTimeout(t); this.waiters.splice(this.waiters.indexOf(w), 1); ok(); } };
      const t = setTimeout(() => {
        this.waiters.splice(this.waiters.indexOf(w), 1);
        fail(new Error(`no log line ${text} within ${timeout / 1000} s`));
      }, timeout);
      this.waiters.push(w);
    });
    return found;
  }

  // Where the log placed window `name` last, once it has (at or after line
  // `from`): its client area on the page and its frame, and the canvas, in
  // CSS pixels.
  async placed(name, from = 0) {
    const line = new RegExp(`^window placed ${name} at (-?\\d+),(-?\\d+) size (\\d+)x(\\d+) frame (\\d+),(\\d+),(\\d+),(\\d+)$`);
    await this.waitLog(line, { from });
    const [x, y, width, height, left, top, right, bottom] =
      this.log.slice(from).findLast((l) => line.test(l)).match(line).slice(1).map(Number);
    const canvas = await this.page.evaluate(() => {
      const r = document.getElementById('screen').getBoundingClientRect();
      return { x: r.left, y: r.top, width: r.width, height: r.height, scale: Number(document.body.dataset.scale) };
    });
    const s = canvas.scale;
    return { x: canvas.x + x * s, y: canvas.y + y * s, width: width * s, height: height * s,
             frame: { left: left * s, top: top * s, right: right * s, bottom: bottom * s }, canvas };
  }

  // Polled, so that it outlasts a reload of the page (#restart may reload).
  async state(wanted, timeout = 120000) {
    let now;
    for (const end = Date.now() + timeout; Date.now() < end; await new Promise((ok) => setTimeout(ok, 50))) {
      now = await this.page.evaluate(() => document.body?.dataset.state).catch(() => 'between pages');
      if (now === wanted) return;
    }
    throw new Error(`the page did not reach data-state=${wanted} within ${timeout / 1000} s (it is ${now})`);
  }

  async key(key, times = 1) {
    for (let i = 0; i < times; i++) await this.page.keyboard.press(key);
  }

  // `times` swipes of a finger from (x, y), `length` CSS pixels along
  // [dx, dy] each: touch events as the DevTools protocol sends them, all
  // sent at once, to be taken in turn.
  async swipe(x, y, [dx, dy], times = 1, length = 48) {
    this.cdp ??= await this.page.createCDPSession();
    const touch = (type, points) => this.cdp.send('Input.dispatchTouchEvent', { type, touchPoints: points });
    const sent = [];
    for (let i = 0; i < times; i++)
      sent.push(touch('touchStart', [{ x, y }]), touch('touchMove', [{ x: x + dx * length / 2, y: y + dy * length / 2 }]),
                touch('touchMove', [{ x: x + dx * length, y: y + dy * length }]), touch('touchEnd', []));
    await Promise.all(sent);
  }

  // Two fingers from (x, y) apart, each `length` CSS pixels along [dx, dy]
  // and its opposite, as a pinch to zoom: the first of them moves against
  // [dx, dy].
  async pinch(x, y, [dx, dy], length = 60) {
    this.cdp ??= await this.page.createCDPSession();
    const fingers = (k) => [{ x: x - dx * k, y: y - dy * k, id: 0 }, { x: x + dx * k, y: y + dy * k, id: 1 }];
    for (const [type, k] of [['touchStart', 0], ['touchMove', length / 2], ['touchMove', length]])
      await this.cdp.send('Input.dispatchTouchEvent', { type, touchPoints: fingers(k) });
    await this.cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  }

  // Before the page loads: Qt draws by WebGL, whose picture is gone once
  // shown unless kept, for field(); when it last drew says how old the
  // picture is.
  async keepPictures() {
    await this.page.evaluateOnNewDocument(() => {
      const getContext = HTMLCanvasElement.prototype.getContext;
      HTMLCanvasElement.prototype.getContext = function (type, options) {
        return getContext.call(this, type, type.startsWith('webgl') ? { ...options, preserveDrawingBuffer: true } : options);
      };
      for (const gl of [WebGLRenderingContext, WebGL2RenderingContext])
        for (const name of ['drawArrays', 'drawElements']) {
          const draw = gl.prototype[name];
          gl.prototype[name] = function (...args) { window.drawnAt = performance.timeOrigin + performance.now(); return draw.apply(this, args); };
        }
    });
  }

  // A play field's pixels, `size` game pixels placed at `field` (as placed()
  // gives it), each read at its middle from the canvas itself, and when it
  // was drawn and read (the page's clock is this one's): a screenshot waits
  // for the browser's next frame, up to half a second when busy, in which a
  // car crosses most of the field. Qt puts a window on whole CSS pixels,
  // where the log's place times the scale may fall between them. A field
  // taller than its window (level 2's) has its last rows repeated from the
  // window's last.
  async field(field, size) {
    const { data, takenAt, drawnAt } = await this.page.evaluate(({ x, y, width, height, canvas: { scale } }, size) => {
      const screen = document.getElementById('screen'), box = screen.getBoundingClientRect();
      const gl = screen.getContext('webgl2') ?? screen.getContext('webgl');
      const k = screen.width / box.width, kx = scale * k, ky = scale * k;
      const [w, h] = [Math.round(width * k), Math.round(height * k)];
      const left = Math.round((Math.round(x) - box.left) * k), top = Math.round((Math.round(y) - box.top) * k);
      const all = new Uint8Array(w * h * 4), takenAt = performance.timeOrigin + performance.now();
      gl.readPixels(left, screen.height - top - h, w, h, gl.RGBA, gl.UNSIGNED_BYTE, all);  // rows bottom up
      const out = new Uint8Array(size.width * size.height * 3);
      for (let gy = 0, o = 0; gy < size.height; gy++)
        for (let gx = 0; gx < size.width; gx++, o += 3) {
          const i = ((h - 1 - Math.min(h - 1, Math.floor((gy + 0.5) * ky))) * w + Math.floor((gx + 0.5) * kx)) * 4;
          out.set(all.subarray(i, i + 3), o);
        }
      let text = '';
      for (let i = 0; i < out.length; i += 0x8000) text += String.fromCharCode(...out.subarray(i, i + 0x8000));
      return { data: btoa(text), takenAt, drawnAt: window.drawnAt };
    }, field, size);
    const rgb = Buffer.from(data, 'base64');
    return { width: size.width, height: size.height, data: rgb, takenAt, drawnAt,
             rgb: (x, y) => { const i = (y * size.width + x) * 3; return (rgb[i] << 16) | (rgb[i + 1] << 8) | rgb[i + 2]; } };
  }
}

// Qt 6.4 draws a window's title bar in the frame's top, a border as wide as
// the frame's sides in from its edge, over the client area's columns; its
// close box is 14 pixels square, 2 in from the bar's right end. Where on the
// page to click it, for `client` as Game.placed() gives it.
export const barTop = (client) => client.y - client.frame.top + client.frame.left;
export const barHeight = (client) => client.frame.top - 2 * client.frame.left;
export const closeBox = (client) => ({ x: client.x + client.width - 10, y: barTop(client) + barHeight(client) / 2 });

// The centre of `part`, in pixels of a picture of window `win` that is
// `size` big, on the page where the log placed `win`.
export function pointIn(win, part, size) {
  const sx = win.width / size.width, sy = win.height / size.height;
  return { x: win.x + ((part.x0 + part.x1 + 1) / 2) * sx, y: win.y + ((part.y0 + part.y1 + 1) / 2) * sy };
}

// The bands of rows that hold dark pixels (text, a descender a row apart
// included), each with the columns its dark pixels span.
export function textLines(img) {
  const lines = [];
  for (let y = 0; y < img.height; y++) {
    let x0 = Infinity, x1 = -1;
    for (let x = 0; x < img.width; x++) {
      const c = img.rgb(x, y), luma = ((c >> 16) * 3 + ((c >> 8) & 255) * 6 + (c & 255)) / 10;
      if (luma < 64) { x0 = Math.min(x0, x); x1 = x; }
    }
    const last = lines.at(-1);
    if (x1 < 0) continue;
    if (last && last.y1 >= y - 2) Object.assign(last, { y1: y, x0: Math.min(last.x0, x0), x1: Math.max(last.x1, x1) });
    else lines.push({ x0, x1, y0: y, y1: y });
  }
  return lines;
}

// 8-bit RGB or RGBA PNG, not interlaced: what the browsers and Qt write.
export function decodePng(buf) {
  if (buf.readUInt32BE(0) !== 0x89504e47) throw new Error('not a PNG');
  let pos = 8, width, height, channels;
  const idat = [];
  while (pos < buf.length) {
    const len = buf.readUInt32BE(pos), type = buf.toString('ascii', pos + 4, pos + 8);
    const data = buf.subarray(pos + 8, pos + 8 + len);
    if (type === 'IHDR') {
      width = data.readUInt32BE(0);
      height = data.readUInt32BE(4);
      channels = { 2: 3, 6: 4 }[data[9]];
      if (data[8] !== 8 || !channels || data[12] !== 0) throw new Error('unsupported PNG format');
    } else if (type === 'IDAT') idat.push(data);
    pos += 12 + len;
  }
  const raw = inflateSync(Buffer.concat(idat));
  const stride = width * channels, out = Buffer.alloc(width * height * 3);
  let prev = Buffer.alloc(stride);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)], line = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
    for (let i = 0; i < stride; i++) {
      const a = i >= channels ? line[i - channels] : 0, b = prev[i], c = i >= channels ? prev[i - channels] : 0;
      const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
      line[i] = (line[i] + [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][filter]) & 255;
    }
    for (let x = 0; x < width; x++) line.copy(out, (y * width + x) * 3, x * channels, x * channels + 3);
    prev = line;
  }
  return { width, height, rgb: (x, y) => out.readUIntBE((y * width + x) * 3, 3), data: out };
}

export const readPng = (path) => decodePng(readFileSync(path));
