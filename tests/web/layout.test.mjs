// SPDX-License-Identifier: MIT
// The page on phones, a tablet and laptops, in Chromium: it never scrolls,
// the canvas and the menu and level 1 (opened by a tap or a click on "Go
// Play!", closed by one on its close box), frames and all, lie inside the
// page and the canvas without overlapping, nor under the page's own parts,
// at a whole number of device pixels a game pixel where the table says one
// fits, and at 1366x768 the windows take most of the page; so too where the
// window is resized or zoomed with level 1 open. Where the windows are comes from the
// window log, in game pixels, placed as Qt places them: rounded to CSS
// pixels at the page's scale, with Qt's frame in CSS pixels around them.
// Usage: node layout.test.mjs [SITE_DIR]   (default build-web/site)
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { Game, closeBox, gameFacts, launch, serve, setViewport } from './lib.mjs';

const repo = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const site = resolve(process.argv[2] ?? join(repo, 'build-web/site'));
const { frame } = await gameFacts(site);

// device: device pixels a game pixel, where a whole number of them fits;
// below: the level under the menu; share: of the page's width or height
// that the windows take at least; then: the page's size and device pixel
// ratio after level 1 opened, which the rest holds for.
const screens = [
  { name: 'phone upright', width: 390, height: 844, dpr: 3, touch: true, device: 2, below: true },
  { name: 'phone on its side', width: 844, height: 390, dpr: 3, touch: true, device: 2, below: false },
  { name: 'tablet', width: 820, height: 1180, dpr: 2, touch: true, device: 3, below: true },
  { name: 'laptop 1366x768', width: 1366, height: 768, dpr: 1, share: 0.6, below: false },
  { name: 'window 800x600', width: 800, height: 600, dpr: 1, device: 1, below: false },
  { name: 'laptop resized to 900x600', width: 1366, height: 768, dpr: 1, then: { width: 900, height: 600, dpr: 1 },
    device: 1, below: false },
  { name: 'laptop zoomed to 200 %', width: 1366, height: 768, dpr: 1, then: { width: 683, height: 384, dpr: 2 },
    device: 1, below: false },
];

const check = (ok, message) => { if (!ok) throw new Error(message); };

async function laidOut(browser, url, screen) {
  const page = await browser.newPage();
  const game = new Game(page);
  try {
    const { width, height, dpr: deviceScaleFactor, touch } = screen;
    // The browser's own user agent: with a phone's, Qt 6.4 takes keys
    // through an input field of its own, and the keys here would miss it.
    await page.emulate({ viewport: { width, height, deviceScaleFactor, isMobile: !!touch, hasTouch: !!touch },
                         userAgent: await browser.userAgent() });
    await page.goto(`${url}index.html?log`);
    await game.state('running');
    let at = await game.waitLog('focus playButton in menu');
    await game.key('Tab', 2);
    at = await game.waitLog('focus levelList in menu', { from: at });
    await game.key('ArrowDown');
    await game.key('ArrowUp');
    // "Go Play!" (its middle in the menu's client area, as on the desktop)
    // by a finger or the mouse: Qt must place the press at every scale.
    const menuAt = await game.placed('menu');
    const go = { x: menuAt.x + 93 * menuAt.canvas.scale, y: menuAt.y + 196 * menuAt.canvas.scale };
    await (touch ? page.touchscreen.tap(go.x, go.y) : page.mouse.click(go.x, go.y));
    const opened = await game.waitLog('focus field in level1', { from: at });
    if (screen.then) {
      const before = game.log.length;
      const { width, height, dpr } = screen.then;
      await setViewport(page, { width, height, deviceScaleFactor: dpr, isMobile: !!touch, hasTouch: !!touch });
      await game.placed('level1', before);
    }

    const seen = await page.evaluate(() => {
      const r = document.getElementById('screen').getBoundingClientRect(), e = document.documentElement;
      return { scroll: { width: e.scrollWidth, height: e.scrollHeight }, view: { width: innerWidth, height: innerHeight },
               canvas: { left: r.left, top: r.top, right: r.right, bottom: r.bottom },
               scale: Number(document.body.dataset.scale) };
    });
    const { view, canvas, scale } = seen;
    check(seen.scroll.width === view.width && seen.scroll.height === view.height,
          `the page scrolls: ${seen.scroll.width}x${seen.scroll.height} in a viewport of ${view.width}x${view.height}`);
    const inside = (r, outer, what) =>
      check(r.left >= outer.left && r.top >= outer.top && r.right <= outer.right && r.bottom <= outer.bottom,
            `${what} (${JSON.stringify(r)}) is not inside ${JSON.stringify(outer)}`);
    inside(canvas, { left: 0, top: 0, right: view.width, bottom: view.height }, 'the canvas');
    const windows = ['menu', 'level1'].map((name) => {
      const line = new RegExp(`^window placed ${name} at (-?\\d+),(-?\\d+) size (\\d+)x(\\d+) `);
      const [x, y, w, h] = game.log.findLast((l) => line.test(l)).match(line).slice(1).map(Number);
      const left = canvas.left + Math.round(x * scale), top = canvas.top + Math.round(y * scale);
      const r = { left: left - frame.side, top: top - frame.top, right: left + Math.round(w * scale) + frame.side,
                  bottom: top + Math.round(h * scale) + frame.bottom };
      inside(r, canvas, `${name} and its frame`);
      return r;
    });
    const [menu, level] = windows;
    // Nothing of the page's own lies over them: header, footer, the pause control.
    const over = await page.evaluate(() => ['header', 'footer', '#pause'].map((what) => {
      const e = document.querySelector(what), r = e.getBoundingClientRect();
      return { what, shown: getComputedStyle(e).display !== 'none', left: r.left, top: r.top, right: r.right, bottom: r.bottom };
    }));
    for (const o of over.filter((o) => o.shown))
      for (const [name, w] of [['the menu', menu], ['level 1', level]])
        check(o.right <= w.left || o.left >= w.right || o.bottom <= w.top || o.top >= w.bottom,
              `the ${o.what} (${JSON.stringify(o)}) lies over ${name} ${JSON.stringify(w)}`);
    check(level.left >= menu.right || level.top >= menu.bottom, `level 1 ${JSON.stringify(level)} overlaps the menu ${JSON.stringify(menu)}`);
    check((level.top >= menu.bottom) === screen.below, `level 1 is ${screen.below ? 'not ' : ''}below the menu`);
    const device = scale * (screen.then ?? screen).dpr;
    if (screen.device) check(Math.abs(device - screen.device) < 1e-6, `${device} device pixels a game pixel, not ${screen.device}`);
    if (screen.share) {
      const across = level.right - menu.left, down = Math.max(menu.bottom, level.bottom) - menu.top;
      check(across >= screen.share * view.width || down >= screen.share * view.height,
            `the windows take ${across}x${down} of ${view.width}x${view.height}`);
    }
    // Its close box, drawn by Qt in CSS pixels, by the same finger or mouse.
    const box = closeBox(await game.placed('level1', at));
    await (screen.touch ? page.touchscreen.tap(box.x, box.y) : page.mouse.click(box.x, box.y));
    await game.waitLog('window hidden level1', { from: opened });
    console.log(`${screen.name}: ${device} device pixels a game pixel, the menu ${JSON.stringify(menu)}, level 1 ${JSON.stringify(level)}`);
  } finally {
    await page.close();
  }
}

let failed = false;
const server = await serve(site);
const { browser, close } = await launch('chromium');
try {
  for (const screen of screens) {
    try {
      await laidOut(browser, server.url, screen);
    } catch (e) {
      failed = true;
      console.error(`${screen.name} (${screen.width}x${screen.height} at ${screen.dpr}): ${e.message}`);
    }
  }
} finally {
  await close();
  server.close();
}
process.exitCode = failed ? 1 : 0;
