// SPDX-License-Identifier: MIT
// Level 1 as the browser tests see it: what the game's window log (?log)
// says of it as it opens, where the turtle and the vehicles are in a picture
// of the play field, when the lanes ahead are clear, and a win by any input.
export const TW = 15;  // twips a pixel at scale 1
export const VERGE = 0x00c000;
const ROAD = 0x808080, LINE = 0xffffff;
const TURTLE = new Set([0x804000, 0x502800, 0x008000]);  // shell, plates, head and legs
const DEAD = 0xff0000;

const NUM = '(-?\\d+(?:\\.\\d+)?)';

// The level the log describes between `window shown NAME` (at or after
// line `from`) and `focus field in NAME`: its field, key step, goal line
// and traffic interval, and a lane for each moving vehicle, in twips.
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
  const lane = new RegExp(`^lane ${name} "([^"]*)" top ${NUM} height ${NUM} step ${NUM}$`);
  const lanes = lines.filter((l) => lane.test(l)).map((l) => {
    const [, vehicle, top, height, step] = l.match(lane);
    return { name: vehicle, top: Number(top), height: Number(height), step: Number(step) };
  });
  if (!lanes.length) throw new Error(`no line "lane ${name} "VEHICLE" top T height H step S" ${between}`);
  return new Level({ width, height }, step, goal, interval, lanes);
}

class Level {
  constructor(field, step, goal, interval, lanes) {
    Object.assign(this, { field, step, goal, interval, lanes });
  }

  // The turtle's top-left corner in twips (its picture's first column is
  // blank), and per lane the runs of columns a vehicle covers.
  look(img) {
    let left = Infinity, top = Infinity, dead = false;
    for (let y = 0; y < img.height; y++)
      for (let x = 0; x < img.width; x++) {
        const c = img.rgb(x, y);
        if (TURTLE.has(c)) { left = Math.min(left, x); top = Math.min(top, y); }
      }
    const turtle = top === Infinity ? null : { left: (left - 1) * TW, top: top * TW };
    const runs = this.lanes.map((lane) => {
      const found = [];
      for (let x = 0; x < img.width; x++) {
        let vehicle = false;
        for (let y = Math.ceil(lane.top / TW) + 8; y < (lane.top + lane.height) / TW - 8 && !vehicle; y++) {
          const c = img.rgb(x, y);
          vehicle = c !== ROAD && c !== LINE && c !== VERGE && !TURTLE.has(c);
          dead ||= c === DEAD && turtle && Math.abs(y * TW - turtle.top) < 450;
        }
        if (!vehicle) continue;
        const last = found.at(-1);
        if (last && x - last[1] <= 8) last[1] = x; else found.push([x, x]);
      }
      return found;
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
  // other side once it has left, with room for the turtle's width.
  clear(seen, lane, leftPx, fromMs, toMs) {
    const runs = seen.runs[this.lanes.indexOf(lane)];
    if (!runs.length) return false;  // between leaving and coming back: about to enter
    const v = lane.step / TW / this.interval, room = 25, width = this.field.width / TW;
    const vehicles = runs.flatMap(([a, b]) => {
      const round = width + b - a + 1, rounds = Math.ceil(Math.abs(v) * toMs / round) + 1;
      return Array.from({ length: rounds + 1 }, (_, k) => [a - Math.sign(v) * k * round, b - Math.sign(v) * k * round]);
    });
    return vehicles.every(([a, b]) => {
      const [from, to] = v > 0 ? [a + v * fromMs, b + v * toMs] : [a + v * toMs, b + v * fromMs];
      return to < leftPx - room || from > leftPx + room;
    });
  }

  // The pixels that differ from `want`, but in the caption and where a vehicle
  // is in either picture (they have moved on by the time the page is seen):
  // their count and the first.
  differences(got, want) {
    if (want.width !== got.width || want.height !== got.height)
      return { count: Infinity, first: `the size: ${got.width}x${got.height}` };
    const masked = [RESTART, ...[this.look(want), this.look(got)].flatMap((s) => s.runs.flatMap((runs, i) => runs.map(([a, b]) => ({
      x0: a - 2, x1: b + 2, y0: this.lanes[i].top / TW, y1: (this.lanes[i].top + this.lanes[i].height) / TW - 1 }))))];
    let count = 0, first = null;
    for (let y = 0; y < got.height; y++)
      for (let x = 0; x < got.width; x++) {
        if (masked.some((m) => x >= m.x0 && x <= m.x1 && y >= m.y0 && y <= m.y1)) continue;
        if (got.rgb(x, y) !== want.rgb(x, y)) { count++; first ??= `(${x}, ${y})`; }
      }
    return { count, first };
  }
}

// Wins level 1 from log line `at`, stepping by what `shot()` (the field's
// pixels) shows of the lanes: `move(key, times)` moves the turtle by an
// arrow key's name and `restart()` brings it back after a death, each as the
// test plays, by keys or by touch. Returns the log line after the "Winner!"
// box showed, and the deaths on the way.
export async function winLevel1(game, level, at, shot, { move, restart }) {
  let deaths = 0, moveMs = 30;
  for (const end = Date.now() + 180000; ;) {
    if (Date.now() > end || deaths >= 25) throw new Error(`level 1 not won within 3 minutes, ${deaths} deaths on the way`);
    if (game.log.slice(at).includes('focus restartButton in level1')) {
      deaths++;
      at = await game.waitLog('focus restartButton in level1', { from: at });
      await restart();
      at = await game.waitLog('focus field in level1', { from: at });
    }
    const t0 = Date.now();
    const picture = await shot();
    const seen = level.look(picture);
    if (!seen.turtle) continue;
    const plan = level.dash(seen.turtle.top);
    // From the restart row every way up crosses all five lanes at once; from
    // the bottom limit, a step lower, it stops between semi 1 and car 1.
    if (plan.crossed.length === level.lanes.length) {
      await move('ArrowDown', 1);
      continue;
    }
    // The picture shows the field up to a frame before it was taken: when
    // the shot says, else somewhen between asking for it and now. Step k
    // lands about k moves from now, give or take a move. Each lane must be
    // clear while the turtle can be in it.
    const now = Date.now(), newest = picture.takenAt ?? now, oldest = (picture.takenAt ?? t0) - 60;
    const ok = plan.crossed.every(({ lane, first, last }) => level.clear(
      seen, lane, seen.turtle.left / TW, now - newest + (first - 1) * moveMs, now - oldest + (last + 1) * moveMs + 100));
    if (!ok) continue;
    const t1 = Date.now(), target = seen.turtle.top - plan.n * level.step;
    await move('ArrowUp', plan.n);
    moveMs = Math.max(moveMs * 0.8, (Date.now() - t1) / plan.n);
    if (target >= level.goal) {
      // The next dash starts where this one ends; where the shot says when
      // it was taken, its steps are timed by how long this one's took to
      // show, as a busy page takes them late.
      for (const until = Date.now() + 3000; Date.now() < until;) {
        if (game.log.slice(at).includes('focus restartButton in level1')) break;
        const after = await shot();
        if (level.look(after).turtle?.top !== target) continue;
        if (after.takenAt) moveMs = Math.max(moveMs, (after.takenAt - t1) / plan.n);
        break;
      }
      continue;
    }
    const next = await game.waitLog(/^(window shown messageBox "Plodway" "Winner!"|focus restartButton in level1)$/,
                                    { from: at });
    if (game.log[next - 1].startsWith('window shown')) return { at: next, deaths };
  }
}

export function sameImage(a, b) {
  return a.width === b.width && a.height === b.height && a.data.equals(b.data);
}

// The Restart button's caption inside its 4-pixel frame: the same DejaVu
// Sans 9 pt, but rasterised by Qt's own FreeType settings on the web and by
// fontconfig's on the desktop, so its glyphs' edges differ.
export const RESTART = { x0: 416, x1: 488, y0: 296, y1: 316 };
