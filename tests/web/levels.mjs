// SPDX-License-Identifier: MIT
// A level as the browser tests see it: what the game's window log (?log)
// says of it as it opens, where the turtle and the vehicles are in a picture
// of the play field, when the lanes ahead are clear, and a win by any input.
export const TW = 15;  // twips a pixel at scale 1
export const VERGE = 0x00c000;  // level 1's
const TURTLE = new Set([0x804000, 0x502800, 0x008000]);  // shell, plates, head and legs
// Level 3's cacti are the green of the turtle's head: it is found by its
// shell, whose plates start 3 columns and 2 rows into its picture.
const SHELL = new Set([0x804000, 0x502800]);

const NUM = '(-?\\d+(?:\\.\\d+)?)';

// The level the log describes between `window shown NAME` (at or after
// line `from`) and `focus field in NAME`: its field, key step, goal line,
// traffic interval and "Restart", and a lane for each moving vehicle, in
// twips; "Restart" and its caption in pixels of the field.
export function readLevel(log, name, from = 0) {
  const shown = log.findIndex((l, i) => i >= from && l.startsWith(`window shown ${name} `));
  const focus = log.findIndex((l, i) => i > shown && l === `focus field in ${name}`);
  const between = `between "window shown ${name}" and "focus field in ${name}"`;
  if (shown < 0 || focus < 0) throw new Error(`no lines "window shown ${name} ..." and then "focus field in ${name}" in the window log`);
  const lines = log.slice(shown + 1, focus);
  const level = new RegExp(`^level ${name} field ${NUM}x${NUM} step ${NUM} goal ${NUM} interval ${NUM}$`);
  const m = lines.find((l) => level.test(l))?.match(level);
  if (!m) throw new Error(`no line "level ${name} field WxH step S goal G interval MS" ${between}`);
  const [width, height, step, goal, interval] = m.slice(1).map(Number);
  const button = new RegExp(`^button ${name} restartButton at ${NUM},${NUM} size ${NUM}x${NUM}$`);
  const b = lines.find((l) => button.test(l))?.match(button)?.slice(1).map((v) => Number(v) / TW);
  if (!b) throw new Error(`no line "button ${name} restartButton at X,Y size WxH" ${between}`);
  // Its caption lies inside a 4-pixel frame.
  const restart = { x0: b[0] + 4, y0: b[1] + 4, x1: b[0] + b[2] - 5, y1: b[1] + b[3] - 5 };
  const lane = new RegExp(`^lane ${name} "([^"]*)" top ${NUM} height ${NUM} step ${NUM} round ${NUM}$`);
  const lanes = lines.filter((l) => lane.test(l)).map((l) => {
    const [top, height, step, round] = l.match(lane).slice(2).map(Number);
    return { name: l.match(lane)[1], top, height, step, round };
  });
  if (!lanes.length) throw new Error(`no line "lane ${name} "VEHICLE" top T height H step S round R" ${between}`);
  return new Level(name, { width, height }, step, goal, interval, restart, lanes);
}

class Level {
  constructor(name, field, step, goal, interval, restart, lanes) {
    Object.assign(this, { name, field, step, goal, interval, restart, lanes });
  }

  // What stands still on the field: each pixel's most frequent colour in
  // seven pictures at least a quarter of a second apart, too far apart for
  // a vehicle to cover one pixel in more than two of them (the slowest takes
  // a fifth of a second to pass one, and a second to come round). Each is
  // a picture the page has drawn anew: a busy page may show the traffic
  // where it was.
  async learnScenery(shot) {
    const pictures = [await shot()];
    const same = (a, b) => { for (let y = 0; y < a.height; y++) for (let x = 0; x < a.width; x++) if (a.rgb(x, y) !== b.rgb(x, y)) return false; return true; };
    while (pictures.length < 7) {
      await new Promise((ok) => setTimeout(ok, 250));
      const picture = await shot();
      if (!same(picture, pictures.at(-1))) pictures.push(picture);
    }
    const { width, height } = pictures[0];
    this.scenery = new Int32Array(width * height);
    for (let y = 0; y < height; y++)
      for (let x = 0; x < width; x++) {
        const seen = pictures.map((p) => p.rgb(x, y));
        this.scenery[y * width + x] = seen.reduce((best, c) =>
          seen.filter((d) => d === c).length > seen.filter((d) => d === best).length ? c : best);
      }
    return this.scenery;
  }

  // The turtle's top-left corner in twips, and per lane the runs of columns
  // a vehicle covers: what is neither scenery nor the turtle.
  look(img) {
    if (!this.scenery) throw new Error('the scenery is not learnt yet');
    let left = Infinity, top = Infinity;
    for (let y = 0; y < img.height; y++)
      for (let x = 0; x < img.width; x++) {
        if (SHELL.has(img.rgb(x, y))) { left = Math.min(left, x); top = Math.min(top, y); }
      }
    const turtle = top === Infinity ? null : { left: (left - 3) * TW, top: (top - 2) * TW };
    const runs = this.lanes.map((lane) => {
      const found = [];
      for (let x = 0; x < img.width; x++) {
        let vehicle = false;
        for (let y = Math.ceil(lane.top / TW) + 8; y < (lane.top + lane.height) / TW - 8 && !vehicle; y++) {
          const c = img.rgb(x, y);
          vehicle = c !== this.scenery[y * img.width + x] && !TURTLE.has(c);
        }
        if (!vehicle) continue;
        const last = found.at(-1);
        if (last && x - last[1] <= 8) last[1] = x; else found.push([x, x]);
      }
      // A vehicle shows whole, or cut by the field's edge: a few columns
      // amid the field are a speck of scenery drawn otherwise, once seen to
      // stay in one place while the traffic went round.
      return found.filter(([a, b]) => b - a >= 8 || a === 0 || b === img.width - 1);
    });
    return { turtle, runs };
  }

  // Lanes whose band holds a turtle top strictly (the hit test is strict).
  lanesAt(top) { return this.lanes.filter((l) => top > l.top && top < l.top + l.height); }

  // Steps up to the next row no vehicle can reach (or past the goal), and
  // the lanes on the way, each with the first and last step that is in it.
  dash(top) {
    const crossed = new Map();
    let n = 0;
    do {
      top -= this.step;
      n++;
      for (const l of this.lanesAt(top)) crossed.set(l, { lane: l, first: crossed.get(l)?.first ?? n, last: n });
    } while (top >= this.goal && this.lanesAt(top).length);
    return { n, crossed: [...crossed.values()] };
  }

  // Clear when no vehicle of the lane can be over the column from `fromMs`
  // to `toMs` after the picture: each where it is, swept on by its speed
  // (its step each interval), and again each time it comes back in on the
  // other side once it has left (its round, up to a step more), with room
  // for the turtle's width.
  clear(seen, lane, leftPx, fromMs, toMs) {
    const runs = seen.runs[this.lanes.indexOf(lane)];
    if (!runs.length) return false;  // between leaving and coming back: about to enter
    const v = lane.step / TW / this.interval, room = 25, s = Math.sign(v);
    const [near, far] = [lane.round / TW, (lane.round + Math.abs(lane.step)) / TW];
    const vehicles = runs.flatMap(([a, b]) => {
      const rounds = Math.ceil(Math.abs(v) * toMs / near) + 1;
      return Array.from({ length: rounds + 1 }, (_, k) => s > 0 ? [a - k * far, b - k * near] : [a + k * near, b + k * far]);
    });
    return vehicles.every(([a, b]) => {
      const [from, to] = v > 0 ? [a + v * fromMs, b + v * toMs] : [a + v * toMs, b + v * fromMs];
      return to < leftPx - room || from > leftPx + room;
    });
  }

  // The pixels that differ from `want`, but in "Restart"'s caption (the same
  // DejaVu Sans 9 pt, rasterised by Qt's own FreeType settings on the web
  // and by fontconfig's on the desktop) and where a vehicle is in either
  // picture (they have moved on by the time the page is seen): their count
  // and the first. A run wider than the widest vehicle (a bus, 123 pixels)
  // is scenery that differs, and counts.
  differences(got, want) {
    if (want.width !== got.width || want.height !== got.height)
      return { count: Infinity, first: `the size: ${got.width}x${got.height}` };
    const vehicles = [this.look(want), this.look(got)].flatMap((s) => s.runs.flatMap((runs, i) => runs
      .filter(([a, b]) => b - a < 130)
      .map(([a, b]) => ({ x0: a - 2, x1: b + 2, y0: this.lanes[i].top / TW, y1: (this.lanes[i].top + this.lanes[i].height) / TW - 1 }))));
    const masked = [this.restart, ...vehicles];
    let count = 0, first = null;
    for (let y = 0; y < got.height; y++)
      for (let x = 0; x < got.width; x++) {
        if (masked.some((m) => x >= m.x0 && x <= m.x1 && y >= m.y0 && y <= m.y1)) continue;
        if (got.rgb(x, y) !== want.rgb(x, y)) { count++; first ??= `(${x}, ${y})`; }
      }
    return { count, first };
  }
}

// Wins the level from log line `at`, stepping by what `shot()` (the
// field's pixels) shows of the lanes: `move(key, times)` moves the turtle by
// an arrow key's name and `restart()` brings it back after a death, each as
// the test plays, by keys or by touch. Returns the log line after the
// "Winner!" box showed, and the deaths on the way.
export async function winLevel(game, level, at, shot, { move, restart }) {
  const dead = `focus restartButton in ${level.name}`, alive = `focus field in ${level.name}`;
  if (!level.scenery) await level.learnScenery(shot);
  const arrows = await arrowClock(game.page);
  // Level 2's ten steps through four lanes take the most deaths, up to 14
  // seen; 40 means the lanes are misread.
  let deaths = 0;
  for (const end = Date.now() + 180000; ;) {
    if (Date.now() > end || deaths >= 40) throw new Error(`${level.name} not won within 3 minutes, ${deaths} deaths on the way`);
    if (game.log.slice(at).includes(dead)) {
      deaths++;
      at = await game.waitLog(dead, { from: at });
      await restart();
      at = await game.waitLog(alive, { from: at });
    }
    const t0 = Date.now();
    const picture = await shot();
    const seen = level.look(picture);
    if (!seen.turtle) continue;
    const plan = level.dash(seen.turtle.top);
    // Where every way up crosses every lane at once (levels 1 and 2 from
    // their restart row), the bottom limit, a step lower, has a row between.
    if (plan.crossed.length === level.lanes.length) {
      await arrows.time(() => move('ArrowDown', 1), 1);
      continue;
    }
    // The picture shows the field as the page last drew it, where the shot
    // says when that was (less the frame it took), else up to a frame before
    // it was asked for. Each lane must be clear from when the step into it
    // can land to when the step out of it can, as the last dashes' keys
    // landed.
    const now = Date.now(), newest = picture.drawnAt ?? now, oldest = picture.drawnAt ? newest - 20 : t0 - 60;
    const { lag, gap } = arrows;
    const ok = plan.crossed.every(({ lane, first, last }) => level.clear(
      seen, lane, seen.turtle.left / TW, now - newest + lag.min + (first - 1) * gap.min, now - oldest + lag.max + last * gap.max + 50));
    if (!ok) continue;
    const target = seen.turtle.top - plan.n * level.step;
    await arrows.time(() => move('ArrowUp', plan.n), plan.n, now);
    if (target >= level.goal) {
      // The next dash starts where this one ends, once the page shows it.
      for (const until = Date.now() + 3000; Date.now() < until;) {
        if (game.log.slice(at).includes(dead)) break;
        if (level.look(await shot()).turtle?.top === target) break;
      }
      continue;
    }
    const next = await game.waitLog(new RegExp(`^(window shown messageBox "Plodway" "Winner!"|${dead})$`), { from: at });
    if (game.log[next - 1].startsWith('window shown')) return { at: next, deaths };
  }
}

// When the page's arrow keys reach the game, which moves the turtle as it
// takes each key: `time(send, n, since)` sends n and notes how long the
// first took to land after `since` (lag) and each next one after it (gap);
// lag and gap are the least and most of the last five sendings.
async function arrowClock(page) {
  let count = await page.evaluate(() => {
    if (!window.arrowsLanded) {
      window.arrowsLanded = [];
      addEventListener('keydown', (e) => { if (e.key.startsWith('Arrow')) arrowsLanded.push(performance.timeOrigin + performance.now()); }, true);
    }
    return arrowsLanded.length;
  });
  const lags = [], gaps = [];
  const range = (list, none) => list.length ? { min: Math.min(...list), max: Math.max(...list) } : none;
  return {
    lag: { min: 0, max: 100 }, gap: { min: 0, max: 30 },
    async time(send, n, since = Date.now()) {
      await send();
      let landed = [];
      for (const until = Date.now() + 3000; landed.length < n && Date.now() < until;)
        landed = await page.evaluate((from) => arrowsLanded.slice(from), count);
      if (landed.length !== n) throw new Error(`${landed.length} of ${n} arrow keys reached the game`);
      count += n;
      lags.push(landed[0] - since);
      if (n > 1) gaps.push((landed[n - 1] - landed[0]) / (n - 1));
      for (const list of [lags, gaps]) list.splice(0, list.length - 5);
      this.lag = range(lags, this.lag);
      this.gap = range(gaps, this.gap);
    },
  };
}

export function sameImage(a, b) {
  return a.width === b.width && a.height === b.height && a.data.equals(b.data);
}

