// The browser build played in a real browser: Debian's Chromium, headless,
// driven by playwright-core. Serves build-web/site/ on 127.0.0.1, waits for
// the presentation to pass and the creature to stand at the tower's foot,
// makes it jump and walk with the keyboard, and checks on the canvas's own
// pixels that it rose and landed and that the tower turned under it;
// ends the game with Escape and checks what the page says. Any error in the
// page's console fails the test.
//   node web/browser-test.js SITE_DIR SHOT_DIR
// Run by scripts/web-test, which installs playwright-core and builds the page.
'use strict';
const { spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { chromium } = require('playwright-core');

const site = path.resolve(process.argv[2] || 'build-web/site');
const shots = path.resolve(process.argv[3] || 'build-web/web-test');
fs.mkdirSync(shots, { recursive: true });

// The creature's scarf colour, as the page paints it (only the creature and
// the panel's lives icons wear it; the panel is below row 216).
const SCARF = [0x21, 0xb2, 0xc6];
const failures = [];
let clock = () => '';
let checks = 0;
const check = (ok, what) => {
  ++checks;
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what} ${clock()}`);
  if (!ok) failures.push(what);
};

function serve() {
  return new Promise((resolve, reject) => {
    const server = spawn(process.execPath, [path.join(__dirname, 'serve.js'), site, '0']);
    server.stdout.on('data', (data) => {
      const m = /http:\/\/127\.0\.0\.1:(\d+)\//.exec(String(data));
      if (m) resolve({ server, url: m[0] });
    });
    server.on('exit', (code) => reject(new Error(`the server ended (${code})`)));
  });
}

// The game's 320 x 240 picture, straight from the canvas.
// (Passed as base64: a plain array of 307,200 numbers is slow to pass.)
const grab = (withPng) => {
  const c = document.getElementById('canvas');
  const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
  let bin = '';
  for (let i = 0; i < d.length; i += 8192) bin += String.fromCharCode.apply(null, d.subarray(i, i + 8192));
  return { data: btoa(bin), url: withPng ? c.toDataURL('image/png') : '' };
};

async function picture(page) {
  return (await frame(page, false)).pixels;
}

// Where the creature's scarf is: the middle of its pixels above the panel.
function scarf(pixels) {
  let n = 0, sx = 0, sy = 0;
  for (let y = 0; y < 216; ++y)
    for (let x = 0; x < 320; ++x) {
      const i = (y * 320 + x) * 4;
      if (pixels[i] === SCARF[0] && pixels[i + 1] === SCARF[1] && pixels[i + 2] === SCARF[2]) {
        ++n;
        sx += x;
        sy += y;
      }
    }
  return n < 3 ? null : { x: sx / n, y: sy / n, n };
}

// Share of the pixels in a rectangle that differ between two pictures.
function changed(a, b, x0, y0, x1, y1) {
  let n = 0;
  for (let y = y0; y < y1; ++y)
    for (let x = x0; x < x1; ++x) {
      const i = (y * 320 + x) * 4;
      if (a[i] !== b[i] || a[i + 1] !== b[i + 1] || a[i + 2] !== b[i + 2]) ++n;
    }
  return n / ((x1 - x0) * (y1 - y0));
}

function lit(pixels) {
  let n = 0;
  for (let i = 0; i < pixels.length; i += 4) if (pixels[i] + pixels[i + 1] + pixels[i + 2] > 60) ++n;
  return n / (pixels.length / 4);
}

// The picture and the same as a PNG file, in one look.
async function frame(page, withPng = true) {
  const f = await page.evaluate(grab, withPng);
  return {
    pixels: new Uint8Array(Buffer.from(f.data, 'base64')),
    png: withPng ? Buffer.from(f.url.split(',')[1], 'base64') : null,
  };
}

async function shoot(page, name) {
  await page.locator('#canvas').screenshot({ path: path.join(shots, `${name}.png`) });
  // The game's own pixels at their own size, for the notes.
  const url = await page.evaluate(() => document.getElementById('canvas').toDataURL('image/png'));
  fs.writeFileSync(path.join(shots, `${name}-320.png`), Buffer.from(url.split(',')[1], 'base64'));
}

async function main() {
  const started = Date.now();
  clock = () => `[${((Date.now() - started) / 1000).toFixed(1)} s]`;
  const { server, url } = await serve();
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'ascelon-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    viewport: { width: 1280, height: 800 },
  });
  const errors = [];
  try {
    const page = context.pages()[0] || (await context.newPage());
    page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
    page.on('pageerror', (e) => errors.push(e.message));
    await page.goto(url);
    await page.waitForFunction(() => document.getElementById('status').hidden, null, { timeout: 20000 });

    // The presentation: its first page fades in over the first second.
    await page.waitForTimeout(1500);
    const logo = await picture(page);
    check(lit(logo) > 0.2, 'the presentation is on the canvas');
    await shoot(page, 'presentation');

    // Then the first tower: the creature arrives and stands still.
    let still = null, last = null, since = Date.now();
    const deadline = Date.now() + 30000;
    while (Date.now() < deadline) {
      await page.waitForTimeout(200);
      const s = scarf(await picture(page));
      if (s && last && Math.abs(s.x - last.x) < 0.5 && Math.abs(s.y - last.y) < 0.5) {
        if (Date.now() - since > 1200) { still = s; break; }
      } else {
        since = Date.now();
      }
      last = s;
    }
    check(still !== null, 'after the presentation the creature stands on the first tower');
    if (!still) throw new Error('no creature to steer');
    const standing = await picture(page);
    await shoot(page, 'tower');
    await page.screenshot({ path: path.join(shots, 'page.png') });
    await page.waitForTimeout(400);
    const idle = changed(standing, await picture(page), 96, 0, 224, 150);
    check(idle < 0.01, `standing still, the tower does not turn (${(idle * 100).toFixed(1)} % changed)`);

    // Jump to the right, onto the step in front of the first door: the view
    // holds its height during a jump, so the creature rises on the screen
    // and comes down again. A jump runs its course once started: the keys
    // are let go at once so that no second jump follows.
    const base = still;
    let top = base, topPng = null;
    await page.keyboard.down('ArrowRight');
    await page.keyboard.down('Space');
    const jumpStart = Date.now();
    let held = true;
    while (Date.now() < jumpStart + 900) {
      if (held && Date.now() > jumpStart + 150) {
        await page.keyboard.up('Space');
        await page.keyboard.up('ArrowRight');
        held = false;
      }
      const f = await frame(page);
      const s = scarf(f.pixels);
      if (s && s.y < top.y) { top = s; topPng = f.png; }
    }
    check(base.y - top.y >= 6, `the jump lifts the creature ${(base.y - top.y).toFixed(1)} pixels`);
    if (topPng) fs.writeFileSync(path.join(shots, 'jump-320.png'), topPng);
    await page.waitForTimeout(300);
    const landedPixels = await picture(page);
    const landed = scarf(landedPixels);
    check(landed !== null && Math.abs(landed.y - base.y) < 3, 'the creature lands on the same floor');
    await shoot(page, 'landed');

    // Walk left, back where it came from: the view keeps the creature in
    // the middle and turns the tower.
    await page.keyboard.down('ArrowLeft');
    await page.waitForTimeout(500);
    await page.keyboard.up('ArrowLeft');
    await page.waitForTimeout(300);
    const walked = await picture(page);
    const turn = changed(landedPixels, walked, 96, 0, 224, 150);
    const after = scarf(walked);
    check(turn > 0.1, `walking left turns the tower (${(turn * 100).toFixed(1)} % changed)`);
    check(after !== null && Math.abs(after.x - 160) < 24, 'the creature stays in the middle of the view');
    await shoot(page, 'walked');

    // Escape is the console's SELECT: the game ends and the page says so.
    await page.keyboard.press('Escape');
    await page.waitForFunction(() => !document.getElementById('status').hidden, null, { timeout: 5000 });
    const said = await page.locator('#status').textContent();
    check(/game has ended/.test(said), `after Escape the page says: "${said}"`);
    await page.screenshot({ path: path.join(shots, 'ended.png') });
  } catch (e) {
    check(false, `the test ran to its end (${e.message})`);
  } finally {
    check(errors.length === 0, `nothing logged as an error${errors.length ? ': ' + errors.join(' | ') : ''}`);
    await context.close();
    server.kill();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  const passed = failures.length === 0;
  console.log(`screenshots in ${shots}; ${((Date.now() - started) / 1000).toFixed(1)} s`);
  console.log(`browser: ${checks - failures.length} passed, ${failures.length} failed`);
  process.exit(passed ? 0 : 1);
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
