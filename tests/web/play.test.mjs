// SPDX-License-Identifier: MIT
// Plays the web build in a real browser by keys alone, as a player would:
// level 1 from the menu's list, two deaths and restarts (Space, then Enter on
// the focused Restart), "Paused" holding the traffic, a win by watching the
// lanes, level 2, the menu closed and started again; and level 1's field as
// it opens, beside docs/screenshots/level1.png, and at the device pixel
// ratios of laptops, with nothing but its window's frame beside it.
// Usage: node play.test.mjs chromium|firefox [SITE_DIR]   (default build-web/site)
import { mkdirSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { Game, decodePng, launch, readPng, serve } from './lib.mjs';
import { FIELD, GOAL, STEP, TW, clear, dash, differences, findField, lanes, look, sameImage } from './level1.mjs';

const repo = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const [name, siteArg] = process.argv.slice(2);
const site = resolve(siteArg ?? join(repo, 'build-web/site'));
const failureShot = join(dirname(site), `web-${name}-failure.png`);

let step = 'start';
const check = (ok, message) => { if (!ok) throw new Error(message); };

async function main() {
  check(name === 'chromium' || name === 'firefox', 'usage: node play.test.mjs chromium|firefox [SITE_DIR]');
  const server = await serve(site);
  const { browser, close } = await launch(name);
  const page = await browser.newPage();
  const game = new Game(page);
  try {
    for (const dpr of [1.25, 1.5, 2]) {
      step = `level 1's field at device pixel ratio ${dpr}`;
      await fieldEdges(page, game, server.url, dpr);
    }
    await page.setViewport({ width: 1024, height: 768, deviceScaleFactor: 1 });

    step = 'loads the page';
    await page.goto(`${server.url}index.html?log&scale=1`);
    await game.state('running');
    check(await page.evaluate(() => document.body.dataset.scale) === '1', 'data-scale is not 1 with ?scale=1');
    check(await page.evaluate(() => devicePixelRatio) === 1, 'the browser does not draw one device pixel per CSS pixel');
    let at = await game.waitLog('focus playButton in menu');
    const page0 = decodePng(Buffer.from(await page.screenshot({ type: 'png' })));
    const menu = locate(page0, readPng(join(repo, 'docs/screenshots/menu.png')), { x: 20, y: 8, width: 140, height: 40 });
    check(menu, 'the menu\'s title picture is nowhere on the page');

    step = 'opens level 1 from the list with keys';
    at = await openLevel1(game, at);

    step = 'level 1 as it opens, beside docs/screenshots/level1.png';
    const whole = decodePng(Buffer.from(await page.screenshot({ type: 'png' })));
    const field = findField(whole);
    check(field, 'no level 1 field (a row of 501 verge-green pixels) on the page');
    const clip = { ...field, ...FIELD };
    const shot = async () => game.pixels(clip);
    const { count, first } = differences(await shot(), readPng(join(repo, 'docs/screenshots/level1.png')));
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
    await sleep(1000);
    const held = await shot();
    await sleep(600);
    check(sameImage(held, await shot()), 'the play field changed while "Paused" was up');
    await game.key('Enter');
    at = await game.waitLog('window hidden messageBox', { from: at });
    at = await game.waitLog('focus field in level1', { from: at });
    const before = await shot();
    await waitFor(async () => !sameImage(before, await shot()), 'the traffic did not move again after "Paused"');
    const from = look(before).turtle;
    check(from, 'no turtle on the field');
    await game.key('ArrowLeft');
    await waitFor(async () => look(await shot()).turtle?.left === from.left - STEP,
                  'Left after the box did not move the turtle: the keys do not reach the level');

    step = 'wins level 1 by watching the lanes';
    let deaths = 0, keyMs = 30;
    for (const end = Date.now() + 180000; ;) {
      check(Date.now() < end && deaths < 25, `level 1 not won within 3 minutes, ${deaths} deaths on the way`);
      if (game.log.slice(at).includes('focus restartButton in level1')) {
        deaths++;
        at = await game.waitLog('focus restartButton in level1', { from: at });
        await game.key('Enter');
        at = await game.waitLog('focus field in level1', { from: at });
      }
      const t0 = Date.now();
      const seen = look(await shot());
      if (!seen.turtle) continue;
      const plan = dash(seen.turtle.top);
      // From the restart row every way up crosses all five lanes at once; from
      // the bottom limit, a step lower, it stops between semi 1 and car 1.
      if (plan.crossed.length === lanes.length) {
        await game.key('ArrowDown');
        continue;
      }
      const ms = (Date.now() - t0) + plan.n * keyMs + 150;
      if (!plan.crossed.every((l) => clear(seen, l, seen.turtle.left / TW, ms))) continue;
      const t1 = Date.now();
      await game.key('ArrowUp', plan.n);
      keyMs = Math.max(keyMs * 0.8, (Date.now() - t1) / plan.n);
      if (seen.turtle.top - plan.n * STEP >= GOAL) continue;
      const next = await game.waitLog(/^(window shown messageBox "Plodway" "Winner!"|focus restartButton in level1)$/,
                                      { from: at });
      if (game.log[next - 1].startsWith('window shown')) {
        at = next;
        break;
      }
    }
    console.log(`level 1 won after ${deaths} deaths on the way`);
    await game.key('Enter');
    at = await game.waitLog(/^window shown level2 "Level 2: The Big City"$/, { from: at });
    step = 'level 2 has the keyboard';
    at = await game.waitLog('focus field in level2', { from: at });

    step = 'closes level 2 and the menu by their close boxes';
    let level2;
    await waitFor(async () => (level2 = titleBar(decodePng(Buffer.from(await page.screenshot({ type: 'png' }))), 477)),
                  'level 2\'s title bar (477 pixels wide) is not on the page');
    await clickClose(page, level2);
    at = await game.waitLog('window hidden level2', { from: at });
    await clickClose(page, { ...menu, width: 186 });
    await game.state('ended', 30000);

    step = '#restart starts the game again';
    await page.click('#restart');
    await game.state('running');
    await game.waitLog('window shown menu "Plodway"', { from: at });
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

// From the menu with "Go Play!" focused (log line `at`), by keys: Tab to
// the list, Down and Up (the first row selected whether the list had a
// current row or none), Enter. Returns the log line after level 1's field
// took the keyboard.
async function openLevel1(game, at) {
  await game.key('Tab', 2);
  at = await game.waitLog('focus levelList in menu', { from: at });
  await game.key('ArrowDown');
  await game.key('ArrowUp');
  await game.key('Enter');
  at = await game.waitLog('window shown level1 "Level 1: Country Highway"', { from: at });
  return game.waitLog('focus field in level1', { from: at });
}

// Level 1 opened by keys at a device pixel ratio, the page choosing its
// scale. Qt sizes windows in whole CSS pixels, which at a fractional ratio
// may end within a device pixel: that pixel shows the field and the frame
// beside it by the share each covers. So the field spans exactly its size
// in device pixels, partial pixels counted by their share, and nothing else
// lies between it and its frame: no line of an unpainted backing store, no
// row cut off.
async function fieldEdges(page, game, url, dpr) {
  await page.setViewport({ width: 1024, height: 768, deviceScaleFactor: dpr });
  const at = game.log.length;
  await page.goto(`${url}index.html?log`);
  await game.state('running');
  await openLevel1(game, await game.waitLog('focus playButton in menu', { from: at }));
  const scale = dpr * Number(await page.evaluate(() => document.body.dataset.scale));
  const img = decodePng(Buffer.from(await page.screenshot({ type: 'png' })));
  // Level 1's top and bottom rows are verge; its first wide run of it is
  // the top row.
  const VERGE = 0x00c000;
  let top = null;
  for (let y = 0; y < img.height && !top; y++)
    for (let x = 0, run = 0; x < img.width && !top; x++) {
      run = img.rgb(x, y) === VERGE ? run + 1 : 0;
      if (run >= FIELD.width * scale - 2) top = { x: x - run + 1, y };
    }
  check(top, `no row of verge as wide as level 1's field (${FIELD.width * scale} device pixels) on the page`);
  const across = span(img, top.x, top.y + 3, 1, 0, VERGE);
  check(Math.abs(across - FIELD.width * scale) < 0.2,
        `level 1's field spans ${across.toFixed(2)} device pixels across where ${FIELD.width * scale} are wanted`);
  const down = span(img, top.x + 20, top.y + 3, 0, 1, VERGE, FIELD.height * scale);
  check(Math.abs(down - FIELD.height * scale) < 0.2,
        `level 1's field spans ${down.toFixed(2)} device pixels down where ${FIELD.height * scale} are wanted`);
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

// The top-left of `ref`'s client area on the page, found by a patch of it.
function locate(img, ref, patch) {
  const first = ref.rgb(patch.x, patch.y);
  for (let y = 0; y + patch.height <= img.height; y++)
    for (let x = 0; x + patch.width <= img.width; x++) {
      if (img.rgb(x, y) !== first) continue;
      let same = true;
      for (let dy = 0; dy < patch.height && same; dy++)
        for (let dx = 0; dx < patch.width && same; dx++)
          same = img.rgb(x + dx, y + dy) === ref.rgb(patch.x + dx, patch.y + dy);
      if (same) return { x: x - patch.x, y: y - patch.y };
    }
  return null;
}

// Qt 6.4 draws a title bar 18 pixels high ending 4 pixels above the client
// area, its close box 14 pixels square 2 in from its right end.
const barTop = (client) => client.y - 22;

// The client area under the topmost run of exactly `width` pixels of one
// colour: the top row of a title bar of that width, active or not (the
// frame around it is wider).
function titleBar(img, width) {
  for (let y = 0; y < img.height; y++)
    for (let x = 1, run = 1; x <= img.width; x++) {
      if (x < img.width && img.rgb(x, y) === img.rgb(x - 1, y)) { run++; continue; }
      if (run === width) return { x: x - run, y: y + 22, width };
      run = 1;
    }
  return null;
}

async function clickClose(page, client) {
  await page.mouse.click(client.x + client.width - 10, barTop(client) + 9);
}

await main().catch((e) => {
  console.error(`web.${name} failed at "${step}": ${e.message}`);
  process.exitCode = 1;
});
