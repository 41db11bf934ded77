// SPDX-License-Identifier: MIT
// The pictures of the web build in docs/screenshots (web-*.png): the page
// as a phone upright and on its side, a tablet and a laptop show it, with
// level 1 opened by keys, in Chromium at the device's own pixels, and the
// laptop's in WebKit too; those over 400 KB halved with ImageMagick (a
// whole number of device pixels a game pixel stays one).
// Usage: node screenshots.mjs [SITE_DIR [FILE...]]   (default build-web/site, every file)
import { execFileSync } from 'node:child_process';
import { statSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { Game, launch, serve } from './lib.mjs';

const repo = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const site = resolve(process.argv[2] ?? join(repo, 'build-web/site'));

const shots = [
  { file: 'web-phone-portrait.png', width: 390, height: 844, dpr: 3, touch: true },
  { file: 'web-phone-landscape.png', width: 844, height: 390, dpr: 3, touch: true },
  { file: 'web-tablet.png', width: 820, height: 1180, dpr: 2, touch: true },
  { file: 'web-laptop.png', width: 1366, height: 768, dpr: 1 },
  { file: 'web-webkit-laptop.png', width: 1366, height: 768, dpr: 1, browser: 'webkit' },
];
const wanted = process.argv.slice(3);

const server = await serve(site);
for (const name of ['chromium', 'webkit']) {
  const mine = shots.filter((s) => (s.browser ?? 'chromium') === name && (!wanted.length || wanted.includes(s.file)));
  if (mine.length) await take(name, mine);
}
server.close();

async function take(name, mine) {
  const { browser, close } = await launch(name, server);
  try {
    for (const { file, width, height, dpr, touch } of mine) {
      const page = await browser.newPage();
      const game = new Game(page);
      // The browser's own user agent: with a phone's, Qt 6.4 takes keys
      // through an input field of its own, and the keys here would miss it.
      if (name === 'webkit') await page.setViewport({ width, height });
      else await page.emulate({ viewport: { width, height, deviceScaleFactor: dpr, isMobile: !!touch, hasTouch: !!touch },
                                userAgent: await browser.userAgent() });
      await page.goto(`${server.url}index.html?log`);
      await game.state('running');
      const at = await game.waitLog('focus playButton in menu');
      await game.key('Tab', 2);
      await game.key('ArrowDown');
      await game.key('ArrowUp');
      await game.key('Enter');
      await game.waitLog('focus field in level1', { from: at });
      await new Promise((ok) => setTimeout(ok, 1500));  // the traffic on its way
      const path = join(repo, 'docs/screenshots', file);
      await page.screenshot({ path, type: 'png' });
      if (statSync(path).size > 400 * 1024) execFileSync('convert', [path, '-filter', 'box', '-resize', '50%', path]);
      console.log(`${path}: ${statSync(path).size} bytes`);
      await page.close();
    }
  } finally {
    await close();
  }
}
