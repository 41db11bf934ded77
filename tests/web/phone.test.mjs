// SPDX-License-Identifier: MIT
// Plays the web build on a phone, by touch alone, in Chromium's phone
// emulation: level 1 opened by taps on the menu's list and "Go Play!"; in
// it a pinch that moves no turtle, a pause and a going on by touch, a pause
// as the page is hidden, and the phone turned on its side and back, the
// level whole on the screen and a swipe still a step each time; "Restart"
// tapped after the turtle is run over, then all three levels won
// by swipes (each an arrow key) with a tap on "Restart" after any death and
// on the OK of each box that follows; the page never scrolls or zooms on
// the way. Where the windows and "Restart" are and at what scale comes from
// the window log, where the menu's list and "Go Play!" lie from
// docs/screenshots, the field's pixels from the canvas.
// Usage: node phone.test.mjs [SITE_DIR [WIDTHxHEIGHT]]
//   (default build-web/site, a phone upright: 390x844 CSS pixels)
import { mkdirSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { Game, decodePng, launch, pointIn, readPng, serve, setViewport, textLines } from './lib.mjs';
import { TW, readLevel, winLevel } from './levels.mjs';

const repo = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const site = resolve(process.argv[2] ?? join(repo, 'build-web/site'));
const [width, height] = (process.argv[3] ?? '390x844').split('x').map(Number);
const failureShot = join(dirname(site), 'web-phone-failure.png');
const phone = {
  viewport: { width, height, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
  userAgent: 'Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 (KHTML, like Gecko) ' +
             'Chrome/156.0.0.0 Mobile Safari/537.36',
};

let step = 'start';
const check = (ok, message) => { if (!ok) throw new Error(message); };

async function main() {
  const server = await serve(site);
  const { browser, close } = await launch('chromium');
  const page = await browser.newPage();
  const game = new Game(page);
  // A finger reaches only what the phone's screen shows, however it is turned.
  const onScreen = ({ x, y }, what) => {
    const { width: w, height: h } = page.viewport();
    check(x >= 0 && y >= 0 && x < w && y < h, `${what} at ${Math.round(x)},${Math.round(y)} is off the ${w}x${h} screen`);
  };
  const tap = (point, what) => { onScreen(point, what); return page.touchscreen.tap(point.x, point.y); };
  // A level by touch: its field's pixels, swipes over the middle of its
  // field, and a tap on its "Restart".
  const touchLevel = (level, field) => {
    const size = { width: level.field.width / TW, height: level.field.height / TW };
    const middle = { x: field.x + field.width / 2, y: field.y + field.height / 2 };
    const restart = pointIn(field, level.restart, size);
    onScreen(middle, `the middle of ${level.name}'s field`);
    onScreen(restart, `${level.name}'s "Restart"`);
    const directions = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1] };
    return {
      middle,
      shot: () => game.field(field, size),
      move: (key, times = 1) => game.swipe(middle.x, middle.y, directions[key], times),
      restart: () => tap(restart, `${level.name}'s "Restart"`),
    };
  };
  // A tap on the OK of the box the log showed last before line `at`, whose
  // last line of text is its button's caption; returns the line after the
  // box went. Where it is once it has the keyboard: a box first shows at
  // a size of its own, then fits itself to its text.
  const tapOk = async (at) => {
    await game.waitLog('focus QPushButton in messageBox', { from: at });
    const box = await game.placed('messageBox', at - 1);
    const shot = decodePng(Buffer.from(await page.screenshot({
      type: 'png', clip: { x: box.x, y: box.y, width: box.width, height: box.height } })));
    const lines = textLines(shot);
    check(lines.length >= 2, `the box shows ${lines.length} lines of text, not its text and OK`);
    await tap(pointIn(box, lines.at(-1), shot), 'the box\'s OK');
    return game.waitLog('window hidden messageBox', { from: at });
  };
  try {
    await page.emulate(phone);
    await game.keepPictures();
    step = 'loads the page on a phone';
    await page.goto(`${server.url}index.html?log`);
    await game.state('running');
    let at = await game.waitLog('focus playButton in menu');
    const note = await page.evaluate(() => document.getElementById('how-to-play').textContent);
    check(/swipe/i.test(note), `the footer does not say to swipe: "${note}"`);

    step = 'opens level 1 by taps on the list and "Go Play!"';
    const menu = await game.placed('menu');
    // The menu's text lines, top down: the list's three levels, then "Go Play!".
    const menuShot = readPng(join(repo, 'docs/screenshots/menu.png'));
    const lines = textLines(menuShot).slice(-4);
    check(lines.length === 4 && lines[3].y0 > lines[2].y1 + 20,
          `docs/screenshots/menu.png does not end in three lines of text and a button's: ${JSON.stringify(lines)}`);
    await tap(pointIn(menu, lines[0], menuShot), 'the list\'s first level');
    at = await game.waitLog('focus levelList in menu', { from: at });
    await tap(pointIn(menu, lines[3], menuShot), '"Go Play!"');
    const shown = await game.waitLog('window shown level1 "Level 1: Country Highway"', { from: at });
    at = await game.waitLog('focus field in level1', { from: shown });
    const level = readLevel(game.log, 'level1', shown - 1);

    step = 'a swipe is a step';
    const field = await game.placed('level1', shown - 1);
    let touch = touchLevel(level, field);
    await level.learnScenery(touch.shot);
    const from = level.look(await touch.shot()).turtle;
    check(from, 'no turtle on the field');
    await touch.move('ArrowLeft');
    await waitFor(async () => level.look(await touch.shot()).turtle?.left === from.left - level.step,
                  'a swipe to the left did not move the turtle a step to the left');

    // Each a step left or right from the last: the turtle's column then.
    let column = from.left - level.step;
    const stepsTo = (what) => waitFor(async () => level.look(await touch.shot()).turtle?.left === column,
                                      `${what}: the turtle is not at ${column} twips from the left`);

    step = 'a pinch moves no turtle';
    // The first finger goes mostly up: one finger going so would be a step up.
    await game.pinch(touch.middle.x, touch.middle.y, [0.5, 1]);
    await touch.move('ArrowLeft');
    column -= level.step;
    await stepsTo('a swipe after the pinch');
    const after = level.look(await touch.shot()).turtle;
    check(after.top === from.top, `the pinch moved the turtle from ${from.top} twips from the top to ${after.top}`);

    step = 'pauses by touch and goes on';
    const pause = await page.evaluate(() => {
      const control = document.getElementById('pause'), r = control.getBoundingClientRect();
      return { shown: !control.hidden, x: r.left + r.width / 2, y: r.top + r.height / 2 };
    });
    check(pause.shown, 'no pause control while level 1 plays');
    await tap(pause, 'the pause control');
    at = await tapOk(await game.waitLog('window shown messageBox "Plodway" "Paused"', { from: at }));
    at = await game.waitLog('focus field in level1', { from: at });

    step = 'comes back paused from another tab';
    const other = await browser.newPage();
    await other.bringToFront();
    check(await page.evaluate(() => document.visibilityState) === 'hidden', 'the game\'s tab is not hidden behind another');
    const paused = await game.waitLog('window shown messageBox "Plodway" "Paused"', { from: at });
    await other.close();
    await page.bringToFront();
    at = await tapOk(paused);
    at = await game.waitLog('focus field in level1', { from: at });

    // On its side and back: the level is placed anew, whole on the screen,
    // and a swipe is still a step.
    for (const [turned, key, sign] of [[{ width: height, height: width }, 'ArrowRight', 1], [{ width, height }, 'ArrowLeft', -1]]) {
      step = `turned to ${turned.width}x${turned.height} mid-level`;
      const before = game.log.length;
      await setViewport(page, { ...phone.viewport, ...turned, isLandscape: turned.width > turned.height });
      const now = await game.placed('level1', before);
      const whole = { left: now.x - now.frame.left, top: now.y - now.frame.top,
                      right: now.x + now.width + now.frame.right, bottom: now.y + now.height + now.frame.bottom };
      check(whole.left >= 0 && whole.top >= 0 && whole.right <= turned.width && whole.bottom <= turned.height,
            `level 1 and its frame (${JSON.stringify(whole)}) are not whole on the ${turned.width}x${turned.height} screen`);
      touch = touchLevel(level, now);
      await touch.move(key);
      column += sign * level.step;
      await stepsTo(`a swipe after the turn to ${turned.width}x${turned.height}`);
    }

    step = 'a tap on "Restart" once the turtle is run over';
    await touch.move('ArrowUp', 2);  // into the nearest lane, to wait there for its semi
    at = await game.waitLog('focus restartButton in level1', { from: at });
    await touch.restart();
    at = await game.waitLog('focus field in level1', { from: at });

    for (const [name, caption] of [['level1'], ['level2', 'The Big City'], ['level3', 'Desert Frenzy']]) {
      let play = { level, field: await game.placed('level1') };
      if (caption) {
        step = `${name} opens`;
        const opened = await game.waitLog(`window shown ${name} "Level ${name.at(-1)}: ${caption}"`, { from: at });
        at = await game.waitLog(`focus field in ${name}`, { from: opened });
        play = { level: readLevel(game.log, name, opened - 1), field: await game.placed(name, opened - 1) };
      }
      step = `wins ${name} by swipes`;
      const { move, restart, shot } = touchLevel(play.level, play.field);
      let deaths;
      ({ at, deaths } = await winLevel(game, play.level, at, shot, { move, restart }));
      console.log(`${name} won by swipes after ${deaths} deaths on the way`);
      const still = await page.evaluate(() => ({ x: scrollX, y: scrollY, scale: visualViewport.scale }));
      check(still.x === 0 && still.y === 0 && still.scale === 1,
            `the page moved under the swipes: scrolled to ${still.x},${still.y}, zoomed ${still.scale}`);
      step = `a tap on the OK of the "Winner!" box of ${name}`;
      at = await tapOk(at);
    }
    step = 'a tap on the OK of "You beat all three levels!"';
    at = await game.waitLog('window shown messageBox "Plodway" "You beat all three levels!"', { from: at });
    await tapOk(at);
    console.log('web.phone: passed');
  } catch (e) {
    mkdirSync(dirname(failureShot), { recursive: true });
    await page.screenshot({ path: failureShot }).catch(() => {});
    console.error(`web.phone failed at "${step}": ${e.message}\nscreenshot: ${failureShot}\n` +
                  `the window log's last lines:\n  ${game.log.slice(-12).join('\n  ')}`);
    process.exitCode = 1;
  } finally {
    await close();
    server.close();
  }
}


async function waitFor(predicate, message, timeout = 10000) {
  for (const end = Date.now() + timeout; Date.now() < end;) if (await predicate()) return;
  throw new Error(message);
}

await main().catch((e) => {
  console.error(`web.phone failed at "${step}": ${e.message}`);
  process.exitCode = 1;
});
