// SPDX-License-Identifier: MIT
// WebKit, Safari's engine, as Debian's WebKitGTK has it: its MiniBrowser on
// an X server of its own, driven by WebKitWebDriver through selenium-webdriver
// (W3C WebDriver; puppeteer speaks only to Chromium and Firefox). A page
// here answers the calls of a puppeteer page that the tests make, where
// WebDriver can; where it cannot, the call fails and says why.
import { spawn } from 'node:child_process';
import { writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { createServer } from 'node:net';

const require = createRequire(import.meta.url);
const { Builder, Capabilities, Key, Origin } = require('selenium-webdriver');

export const kMiniBrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
export const kDriver = '/usr/bin/WebKitWebDriver';

// Where the page's console lines go on the tests' server (lib.mjs serve()).
export const kConsolePath = '/__test-console';

// Run in the page before its own scripts (the tests' server puts it first
// in the page's head): what the page writes to its console goes to the
// tests' server, in order, as puppeteer hears it from the browser. Asked
// for instead, it would be lost on a reload: WebDriver never answers a
// script sent while a page is being left.
const kConsoleHook = `(() => {
  const send = fetch.bind(window), queue = [];
  let sending = false;
  const flush = () => {
    if (sending || !queue.length) return;
    sending = true;
    send('${kConsolePath}', { method: 'POST', body: JSON.stringify(queue.splice(0)), keepalive: true })
      .catch(() => {}).finally(() => { sending = false; flush(); });
  };
  const keep = (line) => { queue.push(line); setTimeout(flush); };
  for (const name of ['log', 'info', 'warn', 'error', 'debug']) {
    const write = console[name].bind(console);
    console[name] = (...args) => { keep(args.map(String).join(' ')); write(...args); };
  }
  addEventListener('error', (e) => keep('pageerror ' + e.message));
})();`;

// Puppeteer's key names as WebDriver's.
const kKeys = {
  ArrowUp: Key.ARROW_UP, ArrowDown: Key.ARROW_DOWN, ArrowLeft: Key.ARROW_LEFT, ArrowRight: Key.ARROW_RIGHT,
  Enter: Key.ENTER, Tab: Key.TAB, Escape: Key.ESCAPE, Backspace: Key.BACK_SPACE, ' ': Key.SPACE, Space: Key.SPACE,
  PageUp: Key.PAGE_UP, PageDown: Key.PAGE_DOWN, Home: Key.HOME, End: Key.END, Control: Key.CONTROL,
  Alt: Key.ALT, Shift: Key.SHIFT, Meta: Key.META, Equal: '=', Minus: '-',
  ...Object.fromEntries(Array.from({ length: 12 }, (_, i) => [`F${i + 1}`, Key[`F${i + 1}`]])),
};
const keyOf = (name) => kKeys[name] ??
                        (/^Key[A-Z]$/.test(name) ? name.slice(3).toLowerCase() : /^Digit\d$/.test(name) ? name.slice(5) : name);

async function freePort() {
  const server = createServer();
  await new Promise((ok) => server.listen(0, '127.0.0.1', ok));
  const { port } = server.address();
  await new Promise((ok) => server.close(ok));
  return port;
}

// The driver on a free port, once it answers.
async function startDriver(display) {
  const port = await freePort();
  const driver = spawn(kDriver, [`--port=${port}`, '--host=127.0.0.1'], {
    stdio: ['ignore', 'ignore', 'pipe'], env: { ...process.env, DISPLAY: display },
  });
  let err = '';
  driver.stderr.on('data', (d) => { err += d; });
  const url = `http://127.0.0.1:${port}`;
  for (const end = Date.now() + 20000; ;) {
    if (driver.exitCode !== null) throw new Error(`${kDriver} exited with ${driver.exitCode}: ${err}`);
    if (await fetch(`${url}/status`).then((r) => r.ok, () => false)) break;
    if (Date.now() > end) throw new Error(`${kDriver} does not answer on ${url}: ${err}`);
    await new Promise((ok) => setTimeout(ok, 100));
  }
  return { url, pid: driver.pid, stop: () => driver.kill() };
}

// `server` is the tests' server (lib.mjs serve()), which hands the page the
// scripts that must run before its own.
export async function launchWebKit(display, server) {
  if (!server) throw new Error('WebKit needs the tests\' server to hear the page\'s console: launch("webkit", server)');
  const driver = await startDriver(display);
  const pages = [];
  server.headScripts.push(kConsoleHook);
  const browser = {
    async newPage() {
      const caps = new Capabilities({
        browserName: 'MiniBrowser',
        'webkitgtk:browserOptions': { binary: kMiniBrowser, args: ['--automation'] },
      });
      const session = await new Builder().usingServer(driver.url).withCapabilities(caps).build();
      const page = new WebKitPage(session, server);
      pages.push(page);
      return page;
    },
    async userAgent() { return pages[0]?.evaluate(() => navigator.userAgent); },
    async close() { await Promise.all(pages.map((p) => p.close())); },
  };
  // The driver starts the browser: its processes are all under the driver's.
  return { browser, close: async () => { await browser.close(); driver.stop(); }, pid: driver.pid };
}

class WebKitPage {
  constructor(session, server) {
    this.session = session;
    this.server = server;
    this.closed = false;
    this.keyboard = {
      down: (name) => this.session.actions().keyDown(keyOf(name)).perform(),
      up: (name) => this.session.actions().keyUp(keyOf(name)).perform(),
      press: (name) => this.session.actions().keyDown(keyOf(name)).keyUp(keyOf(name)).perform(),
    };
    this.mouse = { click: (x, y) => this.clickAt(x, y) };
    this.touchscreen = { tap: (x, y) => this.tap(x, y) };
  }

  on(type, listener) {
    if (type === 'console') this.server.onConsole((text) => { if (!text.startsWith('pageerror ')) listener({ text: () => text }); });
    else if (type === 'pageerror') this.server.onConsole((text) => { if (text.startsWith('pageerror ')) listener(new Error(text.slice(10))); });
    else throw new Error(`WebKit's page here hears no "${type}" events`);
  }

  // As puppeteer's: the function's text run in the page with the arguments
  // given, its promise awaited (WebDriver awaits one that a script returns).
  async evaluate(fn, ...args) {
    const body = typeof fn === 'function' ? `return (${fn}).apply(null, arguments);` : `return (${fn});`;
    return this.session.executeScript(body, ...args);
  }

  async evaluateOnNewDocument(fn, ...args) {
    this.server.headScripts.push(`(${fn}).apply(null, ${JSON.stringify(args)});`);
  }

  async waitForFunction(fn, { timeout = 30000, polling = 100 } = {}, ...args) {
    for (const end = Date.now() + timeout; Date.now() < end; await new Promise((ok) => setTimeout(ok, polling)))
      if (await this.evaluate(fn, ...args).catch(() => false)) return;
    throw new Error(`waitForFunction timed out after ${timeout} ms: ${fn}`);
  }

  async goto(url) { await this.session.get(url); }
  async reload() { await this.session.navigate().refresh(); }
  async url() { return this.session.getCurrentUrl(); }

  async screenshot({ path } = {}) {
    const png = Buffer.from(await this.session.takeScreenshot(), 'base64');
    if (path) writeFileSync(path, png);
    return png;
  }

  // The viewport, by the window's size less what the browser's own frame
  // takes. WebDriver sets no device pixel ratio: the display's is 1.
  async setViewport({ width, height, deviceScaleFactor = 1 }) {
    if (deviceScaleFactor !== 1) throw new Error('WebKit\'s driver sets no device pixel ratio but the display\'s, 1');
    for (let tries = 0; tries < 3; tries++) {
      const [innerWidth, innerHeight] = await this.evaluate(() => [innerWidth, innerHeight]);
      if (innerWidth === width && innerHeight === height) return;
      const rect = await this.session.manage().window().getRect();
      await this.session.manage().window().setRect({ width: rect.width + width - innerWidth,
                                                     height: rect.height + height - innerHeight });
    }
    throw new Error(`WebKit's viewport is not ${width}x${height}`);
  }

  // WebKitGTK's driver clicks with mousedown, mouseup and click alone, no
  // pointer events, which Safari does send for a mouse and by which Qt and
  // the page hear one: they are sent here beside the driver's own.
  async clickAt(x, y) {
    const pointer = (type, buttons) => this.evaluate((type, x, y, buttons) => {
      const target = document.elementFromPoint(x, y);
      target?.dispatchEvent(new PointerEvent(type, { bubbles: true, cancelable: true, composed: true, pointerId: 1,
                                                    pointerType: 'mouse', isPrimary: true, clientX: x, clientY: y,
                                                    button: 0, buttons }));
    }, type, x, y, buttons);
    const at = { x: Math.round(x), y: Math.round(y), origin: Origin.VIEWPORT };
    await pointer('pointerdown', 1);
    await this.session.actions().move(at).press().perform();
    await pointer('pointerup', 0);
    await this.session.actions().release().perform();
  }

  // WebKitGTK's driver takes a touch pointer but hands the page a bare
  // mousedown for it, no touch or pointer events: a tap here would test
  // nothing of touch.
  async tap() {
    throw new Error('WebKitGTK\'s driver sends no touch: web.phone tests touch in Chromium');
  }

  async click(selector) { await this.session.findElement({ css: selector }).click(); }

  async close() {
    if (this.closed) return;
    this.closed = true;
    await this.session.quit().catch(() => {});
  }
}
