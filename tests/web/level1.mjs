// SPDX-License-Identifier: MIT
// Level 1 as the browser tests see it: where the turtle and the vehicles
// are in a picture of the play field, and when the lanes ahead are clear.
// Level 1 in twips (src/levels/level1/level1.cpp); 15 twips a pixel at scale 1.
export const TW = 15, FIELD = { width: 501, height: 325 }, STEP = 300, GOAL = 240;
const VEHICLE_PX_PER_MS = 500 / TW / 50;
export const lanes = [  // the vehicles keep their rows; semis drive left, cars right
  { name: 'semi 0', top: 540, height: 735, dir: -1 },
  { name: 'car 0', top: 1200, height: 780, dir: 1 },
  { name: 'semi 2', top: 1980, height: 735, dir: -1 },
  { name: 'car 1', top: 2760, height: 780, dir: 1 },
  { name: 'semi 1', top: 3540, height: 735, dir: -1 },
];
const VERGE = 0x00c000, ROAD = 0x808080, LINE = 0xffffff;
const TURTLE = new Set([0x804000, 0x502800, 0x008000]);  // shell, plates, head and legs
const DEAD = 0xff0000;

// The turtle's top-left corner in twips (its picture's first column is
// blank), and per lane the runs of columns a vehicle covers.
export function look(img) {
  let left = Infinity, top = Infinity, dead = false;
  for (let y = 0; y < img.height; y++)
    for (let x = 0; x < img.width; x++) {
      const c = img.rgb(x, y);
      if (TURTLE.has(c)) { left = Math.min(left, x); top = Math.min(top, y); }
    }
  const turtle = top === Infinity ? null : { left: (left - 1) * TW, top: top * TW };
  const runs = lanes.map((lane) => {
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
const lanesAt = (top) => lanes.filter((l) => top > l.top && top < l.top + l.height);

// Steps up to the next row no vehicle can reach (or past the goal), and the
// lanes on the way.
export function dash(top) {
  const crossed = new Set();
  let n = 0;
  do {
    top -= STEP;
    n++;
    for (const l of lanesAt(top)) crossed.add(l);
  } while (top >= GOAL && lanesAt(top).length);
  return { n, crossed: [...crossed] };
}

// Clear when no vehicle of the lane can be over the column within `ms`:
// where it is, swept on by its speed, with room for the turtle's width.
export function clear(seen, lane, leftPx, ms) {
  const runs = seen.runs[lanes.indexOf(lane)];
  if (!runs.length) return false;  // between leaving and coming back: about to enter
  const sweep = VEHICLE_PX_PER_MS * ms, room = 25;
  return runs.every(([a, b]) => lane.dir < 0 ? leftPx < a - sweep - room || leftPx > b + room
                                             : leftPx < a - room || leftPx > b + sweep + room);
}

export function sameImage(a, b) {
  return a.width === b.width && a.height === b.height && a.data.equals(b.data);
}

// The level 1 field's top-left: its top verge is a run of exactly 501 green pixels.
export function findField(img) {
  for (let y = 0; y < img.height; y++)
    for (let x = 0, run = 0; x <= img.width; x++) {
      if (x < img.width && img.rgb(x, y) === VERGE) { run++; continue; }
      if (run === FIELD.width) return { x: x - run, y };
      run = 0;
    }
  return null;
}

// The Restart button's caption inside its 4-pixel frame: the same DejaVu
// Sans 9 pt, but rasterised by Qt's own FreeType settings on the web and by
// fontconfig's on the desktop, so its glyphs' edges differ.
const CAPTION = { x0: 416, x1: 488, y0: 296, y1: 316 };

// The pixels that differ from `want`, but in the caption and where a vehicle
// is in either picture (they have moved on by the time the page is seen):
// their count and the first.
export function differences(got, want) {
  if (want.width !== got.width || want.height !== got.height)
    return { count: Infinity, first: `the size: ${got.width}x${got.height}` };
  const masked = [CAPTION, ...[look(want), look(got)].flatMap((s) => s.runs.flatMap((runs, i) => runs.map(([a, b]) => ({
    x0: a - 2, x1: b + 2, y0: lanes[i].top / TW, y1: (lanes[i].top + lanes[i].height) / TW - 1 }))))];
  let count = 0, first = null;
  for (let y = 0; y < got.height; y++)
    for (let x = 0; x < got.width; x++) {
      if (masked.some((m) => x >= m.x0 && x <= m.x1 && y >= m.y0 && y <= m.y1)) continue;
      if (got.rgb(x, y) !== want.rgb(x, y)) { count++; first ??= `(${x}, ${y})`; }
    }
  return { count, first };
}
