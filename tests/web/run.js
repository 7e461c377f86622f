// The browser tests: the web build's pages in headless Chromium, driven by
// puppeteer-core. Serves SITE_DIR on 127.0.0.1 itself, plays the Paint
// Program script (paint_script.txt) into the page with real mouse events and
// compares the canvas, pixel for pixel, with the native program's screens
// for the same script (paint_reference, built in BUILD_DIR, on SDL's dummy
// driver); checks the document features of the page; opens every example
// and waits for its first frame; and prints the measurements.
//
// Also builds the package test's consumer program with emcmake against the
// installed web package (SDK_DIR), as a user would, and runs it in a page.
//
//   node tests/web/run.js SITE_DIR BUILD_DIR SDK_DIR
//
// Exits 1 when any check fails. CHROMIUM names the browser (default
// /usr/bin/chromium); EASEL_WEB_SCREENSHOT names a PNG file for a picture
// of the Paint Program's page after the script (the README's).
'use strict';

const childProcess = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const zlib = require('zlib');
const puppeteer = require('puppeteer-core');
const {serveSite} = require('./serve');
const {readBmp, compareRgba} = require('./pixels');
const {documentChecks} = require('./document_checks');
const {step} = require('./steps');

const [siteDir, buildDir, sdkDir] = process.argv.slice(2);
const here = __dirname;
const stepTimeout = 20000;

let failures = 0;
function check(ok, what, detail) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}${detail ? ': ' + detail : ''}`);
  if (!ok) failures += 1;
}

// The native program's screens for the script, one BMP per snap.
function nativeScreens(script) {
  const out = fs.mkdtempSync(path.join(os.tmpdir(), 'easel-web-'));
  // In the icons' folder, where the program reads them as the launcher runs it.
  childProcess.execFileSync(path.join(buildDir, 'tests', 'paint_reference'), [script, out],
                            {env: {...process.env, SDL_VIDEODRIVER: 'dummy'}, stdio: 'inherit',
                             cwd: path.join(here, '..', '..', 'assets')});
  return out;
}

async function canvasRgba(page) {
  const data = await page.evaluate(() => {
    const c = Module.canvas;
    const rgba = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    let text = '';
    for (let i = 0; i < rgba.length; i += 0x8000) {
      text += String.fromCharCode.apply(null, rgba.subarray(i, i + 0x8000));
    }
    return {width: c.width, height: c.height, base64: btoa(text)};
  });
  return {width: data.width, height: data.height, rgba: Buffer.from(data.base64, 'base64')};
}

// Waits until the program has given the page `more` further turns (a
// present's yield or a wait): every event sent before has then been taken
// by a pass, and what it drew shown.
async function settle(page, more = 3) {
  const start = await page.evaluate(() => Module.easelTurns || 0);
  await page.waitForFunction((n) => (Module.easelTurns || 0) >= n, {timeout: stepTimeout}, start + more);
}

async function openPage(browser, url) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  page.on('console', (m) => { if (m.type() === 'error' && !/favicon/.test(m.text())) errors.push(m.text()); });
  await page.setViewport({width: 1100, height: 900});
  const started = Date.now();
  await page.goto(url);
  await step(page, `${url}: the first frame`,
             () => page.waitForFunction(() => window.Module && Module.easelFrames > 0, {timeout: stepTimeout}));
  const firstFrameMs = await page.evaluate(() => Module.easelFirstFrameMs);
  return {page, errors, firstFrameMs, wallMs: Date.now() - started};
}

async function playScript(page, scriptFile, screensDir) {
  const lines = fs.readFileSync(scriptFile, 'utf8').split('\n');
  for (const [index, line] of lines.entries()) {
    const words = line.trim().split(/\s+/);
    if (!words[0] || words[0].startsWith('#')) continue;
    const where = `paint_script.txt line ${index + 1}, "${line.trim()}"`;
    if (words[0] === 'snap') {
      await step(page, where, () => settle(page));
      const native = readBmp(fs.readFileSync(path.join(screensDir, words[1] + '.bmp')));
      const shown = await canvasRgba(page);
      const result = compareRgba(native, shown);
      check(result.differing === 0, `paint: ${words[1]} equals the native screen`, result.text);
      continue;
    }
    const x = Number(words[1]), y = Number(words[2]);
    await page.mouse.move(x, y);
    if (words[0] === 'down') await page.mouse.down();
    if (words[0] === 'up') await page.mouse.up();
    await step(page, where, () => settle(page, 2));
  }
}

// Passes a second while the pointer rests and while it drags.
async function passRates(page) {
  const rate = async (action) => {
    const before = await page.evaluate(() => [Module.easelPresents, performance.now()]);
    await action();
    const after = await page.evaluate(() => [Module.easelPresents, performance.now()]);
    return Math.round((after[0] - before[0]) / ((after[1] - before[1]) / 1000));
  };
  const idle = await rate(() => new Promise((r) => setTimeout(r, 1000)));
  const dragging = await rate(async () => {
    await page.mouse.move(100, 450);
    await page.mouse.down();
    for (let i = 0; i < 50; ++i) await page.mouse.move(100 + 6 * i, 450 - (i % 10) * 4, {steps: 1});
    await page.mouse.up();
  });
  return {idle, dragging};
}

function gzippedSize(file) {
  return zlib.gzipSync(fs.readFileSync(file), {level: 9}).length;
}

// The package test's consumer, built as a user's program with the same
// CMakeLists.txt, into SITE_DIR/tests/.
function buildConsumer() {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'easel-consumer-'));
  const run = (args) => childProcess.execFileSync(args[0], args.slice(1), {stdio: ['ignore', 'ignore', 'inherit']});
  run(['emcmake', 'cmake', '-S', path.join(here, '..', 'package', 'consumer'), '-B', work,
       `-DCMAKE_FIND_ROOT_PATH=${sdkDir}`, '-DCMAKE_BUILD_TYPE=MinSizeRel']);
  run(['cmake', '--build', work]);
  const out = path.join(siteDir, 'tests');
  fs.mkdirSync(out, {recursive: true});
  for (const ext of ['.html', '.js', '.wasm']) fs.copyFileSync(path.join(work, 'consumer' + ext), path.join(out, 'consumer' + ext));
  fs.rmSync(work, {recursive: true, force: true});
}

async function main() {
  const server = await serveSite(siteDir);
  const base = `http://127.0.0.1:${server.address().port}/`;
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'],
  });
  const measures = [];
  try {
    const script = path.join(here, 'paint_script.txt');
    const screens = nativeScreens(script);
    const paint = await openPage(browser, base + 'paint.html');
    check(await paint.page.title() === 'Paint Program', 'paint: the page title is the caption');
    await playScript(paint.page, script, screens);
    if (process.env.EASEL_WEB_SCREENSHOT) {
      await paint.page.screenshot({path: process.env.EASEL_WEB_SCREENSHOT, clip: {x: 0, y: 0, width: 500, height: 530}});
    }
    const rates = await passRates(paint.page);
    check(paint.errors.length === 0, 'paint: no errors on the page', paint.errors.join('; '));
    measures.push(`paint: first frame ${Math.round(paint.firstFrameMs)} ms after navigation; ` +
                  `${rates.idle} passes/s idle, ${rates.dragging} passes/s dragging`);
    await paint.page.close();

    await documentChecks(browser, base, check);

    buildConsumer();
    const consumer = await browser.newPage();
    await consumer.goto(base + 'tests/consumer.html');
    const said = await consumer.waitForFunction(() => /consumer ok|failed|unexpected|did not/.test(document.getElementById('output').textContent),
                                                {timeout: stepTimeout}).then(() => consumer.$eval('#output', (e) => e.textContent));
    check(/consumer ok/.test(said), 'a program built with emcmake against the web package saves, loads and draws', said.trim());
    await consumer.close();

    const pages = fs.readdirSync(siteDir).filter((f) => f.endsWith('.html') && f !== 'index.html');
    for (const file of pages) {
      const name = file.replace(/\.html$/, '');
      let opened = null;
      try {
        opened = await openPage(browser, base + file);
        // Some examples show one frame and wait for a key: errors would come now.
        await new Promise((r) => setTimeout(r, 300));
        check(opened.errors.length === 0, `${name}: reaches its first frame without errors`, opened.errors.join('; '));
      } catch (e) {
        check(false, `${name}: reaches its first frame`, e.message);
      }
      const wasm = path.join(siteDir, name + '.wasm'), js = path.join(siteDir, name + '.js');
      const sizes = `${Math.round(gzippedSize(wasm) / 1024)} KB .wasm + ${Math.round(gzippedSize(js) / 1024)} KB .js gzipped`;
      measures.push(`${name}: ${sizes}` + (opened ? `, first frame ${Math.round(opened.firstFrameMs)} ms` : ''));
      if (opened) await opened.page.close();
    }
  } finally {
    await browser.close();
    server.close();
  }
  console.log('\nmeasured:');
  for (const m of measures) console.log('  ' + m);
  if (failures > 0) {
    console.log(`\n${failures} browser check(s) failed`);
    process.exit(1);
  }
  console.log('\nall browser checks passed');
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
