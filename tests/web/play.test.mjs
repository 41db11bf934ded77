// SPDX-License-Identifier: MIT
// Plays the web build in a real browser by keys alone, as a player would:
// level 1 from the menu's list, two deaths and restarts (Space, then Enter on
// the focused Restart), "Paused" holding the traffic, a win by watching the
// lanes, level 2, the menu closed and started again; and level 1's field as
// it opens and the "Paused" and "Winner!" boxes beside their pictures in
// docs/screenshots, and level 1's field at the device pixel
// ratios of laptops and a phone, with nothing but its window's frame beside
// it. What it knows of the level and where the windows are comes from the
// window log. Then the menu's icon seen to blink on the screen, and level 1
// opened again by the mouse. In WebKit, whose driver sets no device pixel
// ratio, the field is looked at in the display's alone, 1, and as no
// phone's test runs there, all three levels are won by keys at the end.
// Usage: node play.test.mjs chromium|firefox|webkit [SITE_DIR]   (default build-web/site)
import { mkdirSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { Game, barTop, closeBox, decodePng, gameFacts, launch, pointIn, readPng, serve, setViewport, textLines } from './lib.mjs';
import { TW, VERGE, readLevel, sameImage, winLevel } from './levels.mjs';

const repo = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const [name, siteArg] = process.argv.slice(2);
const site = resolve(siteArg ?? join(repo, 'build-web/site'));
const failureShot = join(dirname(site), `web-${name}-failure.png`);

let step = 'start';
const check = (ok, message) => { if (!ok) throw new Error(message); };

async function main() {
  check(['chromium', 'firefox', 'webkit'].includes(name), 'usage: node play.test.mjs chromium|firefox|webkit [SITE_DIR]');
  const server = await serve(site);
  const { browser, close } = await launch(name, server);
  const page = await browser.newPage();
  const game = new Game(page);
  try {
    await game.keepPictures();
    const ratios = name === 'webkit' ? [] : [[1024, 768, 1.25], [1024, 768, 1.5], [1024, 768, 2], [390, 844, 3]];
    for (const [width, height, dpr] of ratios) {
      step = `level 1's field at device pixel ratio ${dpr} in ${width}x${height}`;
      await fieldEdges(page, game, server.url, { width, height, deviceScaleFactor: dpr });
    }
    await setViewport(page, { width: 1024, height: 768, deviceScaleFactor: 1 });

    step = 'loads the page';
    const loaded = game.log.length;  // the log goes on from the pages before
    await page.goto(`${server.url}index.html?log&scale=1`);
    await game.state('running');
    check(await page.evaluate(() => document.body.dataset.scale) === '1', 'data-scale is not 1 with ?scale=1');
    check(await page.evaluate(() => devicePixelRatio) === 1, 'the browser does not draw one device pixel per CSS pixel');
    let at = await game.waitLog('focus playButton in menu', { from: loaded });
    const menu = await game.placed('menu', loaded);
    const page0 = decodePng(Buffer.from(await page.screenshot({ type: 'png' })));
    const menuShot = readPng(join(repo, 'docs/screenshots/menu.png'));
    check(shows(page0, menuShot, { x: 20, y: 8, width: 140, height: 40 }, menu),
          `the menu's title picture is not where the log placed the menu, at ${menu.x},${menu.y}`);
    // Its text too, in the desktop's font: the list holds every name whole.
    const differ = differing(page0, menuShot, menu);
    check(differ === 0, `${differ} pixels of the menu differ from docs/screenshots/menu.png`);
    check(titleBar(page0, menu), `the menu's title bar is not ${menu.width} pixels wide over where the log placed it`);
    laidOut('menu', menu);
    // What the screen shows goes on changing: the menu's window icon, in its
    // title bar, blinks.
    const bar = { x: menu.x, y: menu.y - menu.frame.top, width: menu.width, height: menu.frame.top };
    const barOf = (img) => Array.from({ length: bar.width * bar.height }, (_, i) =>
      img.rgb(bar.x + (i % bar.width), bar.y + Math.floor(i / bar.width))).join();
    const barBefore = barOf(page0);
    await waitFor(async () => barOf(decodePng(Buffer.from(await page.screenshot({ type: 'png' })))) !== barBefore,
                  'the menu\'s window icon does not blink on the screen');
    // The page sized its desktop before the game ran, by numbers filled in at
    // staging: the menu's size and Qt's frame are those the game reports.
    const layout = await gameFacts(site), { left, top, right, bottom } = menu.frame;
    check(layout.menu.width === menu.width && layout.menu.height === menu.height && left === layout.frame.side &&
          right === layout.frame.side && top === layout.frame.top && bottom === layout.frame.bottom,
          `the page's menu ${layout.menu.width}x${layout.menu.height} and frame ${layout.frame.side},${layout.frame.top},` +
          `${layout.frame.bottom} (side, top, bottom) are not the window log's menu ${menu.width}x${menu.height} and frame ` +
          `${left},${top},${right},${bottom}`);

    step = 'opens level 1 from the list with keys';
    const opened = at;
    let level;
    ({ at, level } = await openLevel1(game, at));

    step = 'level 1 as it opens, beside docs/screenshots/level1.png';
    const field = await game.placed('level1', opened);
    laidOut('level1', field, menu);
    // The play field fills the client area from its top-left corner.
    const shot = () => game.field(field, { width: level.field.width / TW, height: level.field.height / TW });
    await level.learnScenery(shot);
    const { count, first } = level.differences(await shot(), readPng(join(repo, 'docs/screenshots/level1.png')));
    check(count === 0, `${count} pixels of level 1's field differ from docs/screenshots/level1.png, the first at ${first}`);

    for (const key of [' ', 'Enter']) {
      step = `a death, and ${key === ' ' ? 'Space' : key} on the focused Restart`;
      await game.key('ArrowUp');
      at = await game.waitLog('focus restartButton in level1', { from: at, timeout: 15000 });
      await game.key(key);
      at = await game.waitLog('focus field in level1', { from: at });
    }

    step = '"Paused" holds the traffic';
    await game.key('p');
    at = await game.waitLog('window shown messageBox "Plodway" "Paused"', { from: at });
    at = await asOnDesktop(page, game, at, 'paused');
    await sleep(1000);
    const held = await shot();
    await sleep(600);
    check(sameImage(held, await shot()), 'the play field changed while "Paused" was up');
    await game.key('Enter');
    at = await game.waitLog('window hidden messageBox', { from: at });
    at = await game.waitLog('focus field in level1', { from: at });
    const before = await shot();
    await waitFor(async () => !sameImage(before, await shot()), 'the traffic did not move again after "Paused"');
    const from = level.look(before).turtle;
    check(from, 'no turtle on the field');
    await game.key('ArrowLeft');
    await waitFor(async () => level.look(await shot()).turtle?.left === from.left - level.step,
                  'Left after the box did not move the turtle: the keys do not reach the level');

    step = 'keys the game does not play by go on to the browser';
    at = await keysKept(page, game, at);

    step = 'wins level 1 by watching the lanes';
    let deaths;
    ({ at, deaths } = await winLevel(game, level, at, shot,
                                      { move: (key, times) => game.key(key, times), restart: () => game.key('Enter') }));
    console.log(`level 1 won after ${deaths} deaths on the way`);
    step = '"Winner!" beside docs/screenshots/winner.png';
    at = await asOnDesktop(page, game, at, 'winner');
    await game.key('Enter');
    const won = at;
    at = await game.waitLog(/^window shown level2 "Level 2: The Big City"$/, { from: at });
    step = 'level 2 has the keyboard';
    at = await game.waitLog('focus field in level2', { from: at });

    step = 'closes level 2 and the menu by their close boxes';
    const level2 = await game.placed('level2', won);
    laidOut('level2', level2, menu);
    await waitFor(async () => titleBar(decodePng(Buffer.from(await page.screenshot({ type: 'png' }))), level2),
                  `level 2's title bar is not ${level2.width} pixels wide over where the log placed it, at ${level2.x},${level2.y}`);
    await clickClose(page, level2);
    at = await game.waitLog('window hidden level2', { from: at });
    await clickClose(page, menu);
    await game.state('ended', 30000);

    step = '#restart starts the game again';
    const restarted = game.log.length;
    await page.click('#restart');
    await game.state('running');
    at = await game.waitLog('window shown menu "Plodway"', { from: restarted });

    step = 'opens level 1 by the mouse: its row in the list, then "Go Play!"';
    // The menu's text lines, top down: the list's three levels, then "Go Play!".
    const lines = textLines(menuShot).slice(-4), again = await game.placed('menu', restarted);
    for (const line of [lines[0], lines[3]]) {
      const { x, y } = pointIn(again, line, menuShot);
      await page.mouse.click(x, y);
    }
    const shown = await game.waitLog('window shown level1 "Level 1: Country Highway"', { from: at });
    at = await game.waitLog('focus field in level1', { from: shown });

    // No phone's test runs in WebKit: the game is won to its end here, by keys.
    if (name === 'webkit') {
      let opened = shown;
      for (const [level, caption] of [[1, 'Country Highway'], [2, 'The Big City'], [3, 'Desert Frenzy']]) {
        step = `wins level ${level} by keys`;
        if (level > 1) {
          opened = await game.waitLog(`window shown level${level} "Level ${level}: ${caption}"`, { from: at });
          at = await game.waitLog(`focus field in level${level}`, { from: opened });
        }
        const rules = readLevel(game.log, `level${level}`, opened - 1), where = await game.placed(`level${level}`, opened - 1);
        const fieldShot = () => game.field(where, { width: rules.field.width / TW, height: rules.field.height / TW });
        let deaths;
        ({ at, deaths } = await winLevel(game, rules, at, fieldShot,
                                          { move: (key, times) => game.key(key, times), restart: () => game.key('Enter') }));
        console.log(`level ${level} won after ${deaths} deaths on the way`);
        at = await game.waitLog('focus QPushButton in messageBox', { from: at });
        await game.key('Enter');
      }
      step = '"You beat all three levels!" answered';
      at = await game.waitLog('window shown messageBox "Plodway" "You beat all three levels!"', { from: at });
      at = await game.waitLog('focus QPushButton in messageBox', { from: at });
      await game.key('Enter');
      await game.waitLog('window hidden messageBox', { from: at });
    }
    console.log(`web.${name}: passed`);
  } catch (e) {
    mkdirSync(dirname(failureShot), { recursive: true });
    await page.screenshot({ path: failureShot }).catch(() => {});
    console.error(`web.${name} failed at "${step}": ${e.message}\nscreenshot: ${failureShot}\n` +
                  `the window log's last lines:\n  ${game.log.slice(-12).join('\n  ')}`);
    process.exitCode = 1;
  } finally {
    await close();
    server.close();
  }
}

// Keys pressed while level 1's field has the keyboard, and whether the
// browser is kept from acting on them: the page keeps those that would
// scroll it or move its focus, the field those it plays by (Alt+Left still
// moves the turtle); the rest are the browser's shortcuts. Last, Escape on
// the "Paused" box, which closes it; P, which opens that box, is the
// game's too.
const kKeys = [
  ['ArrowLeft', true], ['ArrowRight', true], [' ', true], ['PageDown', true], ['PageUp', true], ['End', true],
  ['Control+KeyL', false], ['Control+KeyT', false], ['Control+KeyW', false], ['F5', false], ['Control+KeyR', false],
  ['Control+Equal', false], ['Control+Minus', false], ['Control+Digit0', false], ['Control+Tab', false],
  ['Alt+ArrowLeft', false], ['F11', false], ['F12', false], ['Control+KeyF', false], ['Escape', false],
  ['KeyP', true], ['Escape', true],
];

// Presses each key of kKeys and reads defaultPrevented from a keydown
// listener added after the page's and the game's, which then keeps the key
// from the browser itself: a test's tab is not for closing or reloading.
// Returns the log line after the field has the keyboard back.
async function keysKept(page, game, at) {
  await page.evaluate(() => {
    window.keysSeen = [];
    window.keysListener = (e) => { window.keysSeen.push(e.defaultPrevented); e.preventDefault(); };
    window.addEventListener('keydown', window.keysListener);
  });
  const wrong = [];
  for (const [chord, kept] of kKeys) {
    const keys = chord.split('+');
    for (const k of keys.slice(0, -1)) await page.keyboard.down(k);
    await page.keyboard.press(keys.at(-1));
    for (const k of keys.slice(0, -1).reverse()) await page.keyboard.up(k);
    if (chord === 'KeyP') at = await game.waitLog('window shown messageBox "Plodway" "Paused"', { from: at });
    const seen = await page.evaluate(() => window.keysSeen.pop());
    if (seen !== kept) wrong.push(`${chord} ${seen === undefined ? 'never reached the page' : kept ? 'went to the browser' : 'was kept from the browser'}`);
  }
  await page.evaluate(() => window.removeEventListener('keydown', window.keysListener));
  check(!wrong.length, wrong.join('; '));
  at = await game.waitLog('window hidden messageBox', { from: at });
  return game.waitLog('focus field in level1', { from: at });
}

// From the menu with "Go Play!" focused (log line `at`), by keys: Tab to
// the list, Down and Up (the first row selected whether the list had a
// current row or none), Enter. Returns the log line after level 1's field
// took the keyboard, and level 1 as the log describes it.
async function openLevel1(game, at) {
  await game.key('Tab', 2);
  at = await game.waitLog('focus levelList in menu', { from: at });
  await game.key('ArrowDown');
  await game.key('ArrowUp');
  await game.key('Enter');
  const shown = await game.waitLog('window shown level1 "Level 1: Country Highway"', { from: at });
  at = await game.waitLog('focus field in level1', { from: shown });
  return { at, level: readLevel(game.log, 'level1', shown - 1) };
}

// Level 1 opened by keys in a viewport, the page choosing its scale. Qt
// sizes windows in whole CSS pixels, which at a fractional ratio may end
// within a device pixel: that pixel shows the field and the frame beside it
// by the share each covers; on a phone (2/3 CSS pixel a game pixel) a whole
// device pixel past the field takes the frame's colour. So the field spans
// exactly its size in device pixels, partial pixels counted by their share,
// and nothing else lies between it and its frame: no line of an unpainted
// backing store, no row cut off.
async function fieldEdges(page, game, url, viewport) {
  await setViewport(page, viewport);
  const dpr = viewport.deviceScaleFactor;
  const at = game.log.length;
  await page.goto(`${url}index.html?log`);
  await game.state('running');
  const { level } = await openLevel1(game, await game.waitLog('focus playButton in menu', { from: at }));
  const field = { width: level.field.width / TW, height: level.field.height / TW };
  const scale = dpr * Number(await page.evaluate(() => document.body.dataset.scale));
  const img = decodePng(Buffer.from(await page.screenshot({ type: 'png' })));
  // Level 1's top and bottom rows are verge; its first wide run of it is
  // the top row.
  let top = null;
  for (let y = 0; y < img.height && !top; y++)
    for (let x = 0, run = 0; x < img.width && !top; x++) {
      run = img.rgb(x, y) === VERGE ? run + 1 : 0;
      if (run >= field.width * scale - 2) top = { x: x - run + 1, y };
    }
  check(top, `no row of verge as wide as level 1's field (${field.width * scale} device pixels) on the page`);
  const across = span(img, top.x, top.y + 3, 1, 0, VERGE);
  check(Math.abs(across - field.width * scale) < 0.2,
        `level 1's field spans ${across.toFixed(2)} device pixels across where ${field.width * scale} are wanted`);
  const down = span(img, top.x + 20, top.y + 3, 0, 1, VERGE, field.height * scale);
  check(Math.abs(down - field.height * scale) < 0.2,
        `level 1's field spans ${down.toFixed(2)} device pixels down where ${field.height * scale} are wanted`);
  console.log(`device pixel ratio ${dpr}: ${scale} device pixels a game pixel, the field ${across.toFixed(2)} x ${down.toFixed(2)}`);
}

// The device pixels of the field along a line through (x, y), which lies in
// a band of `inside` at both its ends: whole pixels, and at each end the
// share of the pixels between `inside` and the frame further out. A pixel
// that is no mix of the two is a line of its own: an error. `length` leaves
// the field's own middle, whatever it shows, to the count.
function span(img, x, y, dx, dy, inside, length = 0) {
  const at = (i) => img.rgb(x + i * dx, y + i * dy);
  let first = 0, last = 0;
  while (at(first - 1) === inside) first--;
  for (let i = 0; i <= Math.ceil(length) + 2 || at(i) === inside; i++) if (at(i) === inside) last = i;
  const edge = (from, step) => {
    const frame = at(from + 3 * step);
    let share = 0;
    for (let i = from + step; at(i) !== frame; i += step) {
      const c = at(i), parts = [16, 8, 0].map((s) => [(inside >> s) & 255, (frame >> s) & 255, (c >> s) & 255]);
      const [a, b, v] = parts.reduce((p, q) => (Math.abs(q[0] - q[1]) > Math.abs(p[0] - p[1]) ? q : p));
      check(parts.every(([p, q, w]) => w >= Math.min(p, q) - 2 && w <= Math.max(p, q) + 2),
            `a line at the field's edge, at ${x + i * dx}, ${y + i * dy}: ${hex(c)} between ${hex(inside)} and the frame's ${hex(frame)}`);
      share += (v - b) / (a - b);
      check(Math.abs(i - from) < 3, `more than two pixels between the field and its frame at ${x + i * dx}, ${y + i * dy}`);
    }
    return share;
  };
  return last - first + 1 + edge(first, -1) + edge(last, 1);
}

const hex = (rgb) => '#' + rgb.toString(16).padStart(6, '0');

const sleep = (ms) => new Promise((ok) => setTimeout(ok, ms));

async function waitFor(predicate, message, timeout = 10000) {
  for (const end = Date.now() + timeout; Date.now() < end;) if (await predicate()) return;
  throw new Error(message);
}

// The page sized its desktop by the game's numbers: a window lies on the
// canvas, frame and all, and a level beside the menu, not over it.
function laidOut(name, win, menu) {
  const { x, y, width, height, frame, canvas } = win;
  check(x - frame.left >= canvas.x && y - frame.top >= canvas.y && x + width + frame.right <= canvas.x + canvas.width &&
        y + height + frame.bottom <= canvas.y + canvas.height,
        `${name} (${width}x${height} at ${x},${y}, its frame ${Object.values(frame)}) is not all on the canvas ` +
        `(${canvas.width}x${canvas.height} at ${canvas.x},${canvas.y})`);
  if (!menu) return;
  const menuEnd = menu.x + menu.width + menu.frame.right;
  check(x - frame.left > menuEnd, `${name} at ${x},${y} is not beside the menu, whose frame ends at ${menuEnd}`);
}

// Whether the page shows `ref`'s patch with `ref`'s client area at `client`.
function shows(img, ref, patch, client) {
  for (let dy = 0; dy < patch.height; dy++)
    for (let dx = 0; dx < patch.width; dx++)
      if (img.rgb(client.x + patch.x + dx, client.y + patch.y + dy) !== ref.rgb(patch.x + dx, patch.y + dy)) return false;
  return true;
}

// Checks that the box the log showed last before line `at`, once it has
// the keyboard, is docs/screenshots/NAME.png to the pixel; returns the line
// after its focus.
async function asOnDesktop(page, game, at, name) {
  const settled = await game.waitLog('focus QPushButton in messageBox', { from: at });
  const box = await game.placed('messageBox', at - 1), ref = readPng(join(repo, `docs/screenshots/${name}.png`));
  check(box.width === ref.width && box.height === ref.height,
        `the box is ${box.width}x${box.height}, docs/screenshots/${name}.png ${ref.width}x${ref.height}`);
  const differ = differing(decodePng(Buffer.from(await page.screenshot({ type: 'png' }))), ref, box);
  check(differ === 0, `${differ} pixels of the box differ from docs/screenshots/${name}.png`);
  return settled;
}

// The pixels of `ref` that the page shows otherwise with `ref`'s client area at `client`.
function differing(img, ref, client) {
  let count = 0;
  for (let y = 0; y < ref.height; y++)
    for (let x = 0; x < ref.width; x++) count += img.rgb(client.x + x, client.y + y) !== ref.rgb(x, y);
  return count;
}

// Whether the top row of the title bar over `client` is one run of its
// colour, exactly as wide as the client area (the frame around it differs).
function titleBar(img, client) {
  const y = barTop(client), colour = img.rgb(client.x, y);
  for (let x = client.x; x < client.x + client.width; x++) if (img.rgb(x, y) !== colour) return false;
  return img.rgb(client.x - 1, y) !== colour && img.rgb(client.x + client.width, y) !== colour;
}

async function clickClose(page, client) {
  const { x, y } = closeBox(client);
  await page.mouse.click(x, y);
}

await main().catch((e) => {
  console.error(`web.${name} failed at "${step}": ${e.message}`);
  process.exitCode = 1;
});
