// SPDX-License-Identifier: MIT
// The web build's figures in docs/PERFORMANCE.md, "The web":
//   node bench/web/measure.mjs [BUILD [BENCH_BUILD]]   (build-web, build-web-bench)
// - the gzipped module;
// - navigation to data-state=running over the loopback, median of STARTS (5), each browser;
// - the traffic tick spacing: the game's main.cpp with bench/instrumented/tick_log.cpp,
//   built for wasm in BENCH_BUILD, on Qt's own page, level 1 untouched for SECONDS_PER_RUN;
// - the browser's CPU (all its processes, from /proc) over SECONDS_PER_RUN with level 1
//   untouched, and with the bare window (bench/baseline) built for wasm, alternating, RUNS (3) each.
// BROWSERS='chromium firefox webkit' picks the browsers. Without BENCH_BUILD the tick spacing and
// the bare window are left out.
import { execSync } from 'node:child_process';
import { existsSync, readdirSync, readFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { Game, launch, serve } from '../../tests/web/lib.mjs';

const build = resolve(process.argv[2] ?? 'build-web'), benchBuild = resolve(process.argv[3] ?? 'build-web-bench');
const env = (name, value) => Number(process.env[name] ?? value);
const STARTS = env('STARTS', 5), SECONDS = env('SECONDS_PER_RUN', 20), RUNS = env('RUNS', 3);
const BROWSERS = (process.env.BROWSERS ?? 'chromium firefox').split(' ');
const sleep = (ms) => new Promise((ok) => setTimeout(ok, ms));
const sorted = (v) => [...v].sort((a, b) => a - b);
const median = (v) => { const s = sorted(v), n = s.length; return n % 2 ? s[(n - 1) / 2] : (s[n / 2 - 1] + s[n / 2]) / 2; };
const quantile = (v, q) => sorted(v)[Math.min(v.length - 1, Math.ceil(q * v.length) - 1)];
const fmt = (v, digits = 2) => v.toFixed(digits);

// The browser and every process under it, with the run time of all their threads (ns).
function cpuNs(root) {
  const parent = new Map();
  for (const d of readdirSync('/proc')) {
    if (!/^\d+$/.test(d)) continue;
    try {
      const stat = readFileSync(`/proc/${d}/stat`, 'utf8');
      parent.set(Number(d), Number(stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]));
    } catch { /* gone meanwhile */ }
  }
  const pids = [root];
  for (let i = 0; i < pids.length; i++) for (const [p, pp] of parent) if (pp === pids[i]) pids.push(p);
  const ns = new Map();
  for (const pid of pids) {
    try {
      let sum = 0;
      for (const t of readdirSync(`/proc/${pid}/task`))
        sum += Number(readFileSync(`/proc/${pid}/task/${t}/schedstat`, 'utf8').split(' ')[0]);
      ns.set(pid, sum);
    } catch { /* gone meanwhile */ }
  }
  return ns;
}

async function cpuPercent(pid, seconds) {
  const start = cpuNs(pid), t0 = process.hrtime.bigint();
  await sleep(seconds * 1000);
  const end = cpuNs(pid), elapsed = Number(process.hrtime.bigint() - t0);
  let used = 0;
  for (const [p, ns] of end) used += ns - (start.get(p) ?? 0);
  return (100 * used) / elapsed;
}

// Qt's own page (the bench programs' plain build) draws on #qtcanvas, which takes keys once focused.
async function qtPage(page, url) {
  await page.goto(url);
  await page.waitForFunction(() => getComputedStyle(document.querySelector('#qtcanvas')).display !== 'none',
                             { timeout: 120000, polling: 100 });
  await page.evaluate(() => { const c = document.querySelector('#qtcanvas'); c.tabIndex = 0; c.focus(); });
}

// The menu is up; Tab, Tab to the list, Down, Up to its first row, Enter: level 1.
async function openLevel1(game) {
  await game.key('Tab', 2);
  await game.key('ArrowDown');
  await game.key('ArrowUp');
  await game.key('Enter');
}

async function startTimes(name, site) {
  const { browser, close } = await launch(name, site);
  const times = [];
  try {
    for (let i = 0; i < STARTS; i++) {
      const page = await browser.newPage();
      await page.evaluateOnNewDocument(() => {
        new MutationObserver(() => {
          if (document.body?.dataset.state === 'running') window.plodwayRunningAt ??= performance.now();
        }).observe(document, { subtree: true, attributes: true, attributeFilter: ['data-state'] });
      });
      const game = new Game(page);
      await page.goto(`${site.url}index.html`);
      await game.state('running');
      times.push(await page.evaluate(() => window.plodwayRunningAt));
      await page.close();
    }
  } finally {
    await close();
  }
  return times;
}

async function ticks(name, bench) {
  const { browser, close } = await launch(name, bench);
  try {
    const page = await browser.newPage();
    const game = new Game(page);
    await qtPage(page, `${bench.url}plodway-instrumented.html`);
    await game.waitLog(/^shown /, { timeout: 60000 });
    await openLevel1(game);
    await game.waitLog(/^traffic /, { timeout: 30000 });
    await sleep(SECONDS * 1000);
    const spacing = game.log.filter((l) => l.startsWith('traffic ')).map((l) => Number(l.split(' ')[1]) / 1000);
    return spacing.slice(5);  // the first ones after the level opens
  } finally {
    await close();
  }
}

async function cpu(name, server, url, prepare) {
  const { browser, close, pid } = await launch(name, server);
  try {
    const page = await browser.newPage();
    await prepare(page, new Game(page), url);
    await sleep(2000);
    return await cpuPercent(pid, SECONDS);
  } finally {
    await close();
  }
}

// The bare window gets a canvas (Qt's page fills the window with it) as large
// as the game's, as the browser composes and draws the whole canvas.
let gameCanvas;
const playLevel1 = async (page, game, url) => {
  await page.goto(url);
  await game.state('running');
  gameCanvas = await page.evaluate(() => {
    const c = document.getElementById('screen');
    return { width: c.offsetWidth, height: c.offsetHeight };
  });
  await openLevel1(game);
  await game.waitLog('focus field in level1');
};
const bareWindow = async (page, game, url) => {
  await page.setViewport(gameCanvas);
  await qtPage(page, url);
};

const wasm = join(build, 'plodway.wasm');
console.log(`gzip -9c ${wasm} | wc -c: ${execSync(`gzip -9c '${wasm}' | wc -c`).toString().trim()} bytes`);
const site = await serve(join(build, 'site'));
const bench = existsSync(join(benchBuild, 'bench')) ? await serve(join(benchBuild, 'bench'), 'plodway-instrumented.html') : null;
if (!bench) console.log(`no ${benchBuild}/bench: the tick spacing and the bare window are left out`);
try {
  for (const name of BROWSERS) {
    const starts = await startTimes(name, site);
    console.log(`${name}: navigation to running, ms: median ${fmt(median(starts), 0)} (${starts.map((t) => fmt(t, 0)).join(', ')})`);
    if (bench) {
      const spacing = await ticks(name, bench);
      console.log(`${name}: traffic tick spacing, ms, ${spacing.length} ticks: median ${fmt(median(spacing), 3)}, ` +
                  `p99 ${fmt(quantile(spacing, 0.99), 3)}, largest ${fmt(Math.max(...spacing), 3)}`);
    }
    const game = [], bare = [];
    for (let run = 0; run < RUNS; run++) {
      game.push(await cpu(name, site, `${site.url}index.html?log&scale=1`, playLevel1));
      if (bench) bare.push(await cpu(name, bench, `${bench.url}plodway-baseline.html`, bareWindow));
    }
    console.log(`${name}: CPU over ${SECONDS} s, % of one core: level 1 untouched median ${fmt(median(game))} ` +
                `(${game.map((v) => fmt(v)).join(', ')}), bare window median ${fmt(median(bare))} ` +
                `(${bare.map((v) => fmt(v)).join(', ')})`);
  }
} finally {
  site.close();
  bench?.close();
}
