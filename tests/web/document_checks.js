// The Paint Program's document features in its page: a picture opened with
// the file chooser is shown on the canvas; painted on and saved with Ctrl+S
// and with the Download button, the downloaded PNG holds the canvas.
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const {step} = require('./steps');

const timeout = 20000;
const pictureWidth = 300, pictureHeight = 200;  // smaller than the canvas: shown whole
const panelHeight = 128;

// A test picture made and encoded by the browser: colour bands and a grid.
async function makePicture(page, file) {
  const base64 = await page.evaluate(async (w, h) => {
    const canvas = new OffscreenCanvas(w, h);
    const context = canvas.getContext('2d');
    for (let x = 0; x < w; x += 10) {
      context.fillStyle = `rgb(${x % 256}, ${(x * 3) % 256}, ${255 - (x % 256)})`;
      context.fillRect(x, 0, 10, h);
    }
    context.fillStyle = 'rgb(20, 20, 20)';
    for (let y = 0; y < h; y += 25) context.fillRect(0, y, w, 2);
    const bytes = new Uint8Array(await (await canvas.convertToBlob({type: 'image/png'})).arrayBuffer());
    let text = '';
    for (const b of bytes) text += String.fromCharCode(b);
    return btoa(text);
  }, pictureWidth, pictureHeight);
  fs.writeFileSync(file, Buffer.from(base64, 'base64'));
}

// How many pixels of the PNG file differ from the canvas at (0, panelHeight).
async function differingFromCanvas(page, file) {
  const base64 = fs.readFileSync(file).toString('base64');
  return page.evaluate(async (data, top) => {
    const bytes = Uint8Array.from(atob(data), (c) => c.charCodeAt(0));
    const bitmap = await createImageBitmap(new Blob([bytes]), {premultiplyAlpha: 'none', colorSpaceConversion: 'none'});
    const work = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
    work.drawImage(bitmap, 0, 0);
    const expected = work.getImageData(0, 0, bitmap.width, bitmap.height).data;
    const shown = Module.canvas.getContext('2d').getImageData(0, top, bitmap.width, bitmap.height).data;
    let differing = 0;
    for (let i = 0; i < expected.length; i += 4) {
      if (expected[i] !== shown[i] || expected[i + 1] !== shown[i + 1] || expected[i + 2] !== shown[i + 2]) ++differing;
    }
    return {differing, width: bitmap.width, height: bitmap.height};
  }, base64, panelHeight);
}

async function frames(page, more) {
  const start = await page.evaluate(() => Module.easelTurns || 0);
  await page.waitForFunction((n) => (Module.easelTurns || 0) >= n, {timeout}, start + more);
}

async function waitForFile(folder, before) {
  const deadline = Date.now() + timeout;
  for (;;) {
    const done = fs.readdirSync(folder).filter((f) => f.endsWith('.png') && !before.includes(f));
    if (done.length > 0) return path.join(folder, done[0]);
    if (Date.now() > deadline) throw new Error(`no download; the folder holds ${fs.readdirSync(folder).join(', ')}`);
    await new Promise((r) => setTimeout(r, 100));
  }
}

async function openPaint(page, base) {
  await page.goto(base + 'paint.html');
  await page.waitForFunction(() => window.Module && Module.easelFrames > 0, {timeout});
}

// Opens picture with the page's file chooser. The page reads the file after
// the chooser's change event, so it stays on disk.
async function openWithChooser(page, picture) {
  await (await page.$('#open-file')).uploadFile(picture);
  await step(page, 'the program takes it', () => page.waitForFunction((name) => Module.easelPaintFile === '/pictures/' + name,
                                                               {timeout}, path.basename(picture)));
  await step(page, 'turns after it', () => frames(page, 3));
}

async function documentChecks(browser, base, check) {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'easel-document-'));
  // Downloads go to work, the pictures the page opens come from their own folder.
  const uploads = path.join(work, 'uploads');
  fs.mkdirSync(uploads);
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  try {
    await page.setViewport({width: 900, height: 700});
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: work});
    await step(page, 'first page: the first frame', () => openPaint(page, base));

    const picture = path.join(uploads, 'bands.png');
    await makePicture(page, picture);
    await step(page, 'first page: open the picture', () => openWithChooser(page, picture));
    let result = await differingFromCanvas(page, picture);
    check(result.differing === 0, 'paint page: a picture opened with the file chooser is shown',
          `${result.differing} of ${result.width * result.height} pixels differ`);

    await page.mouse.move(30, 150);
    await page.mouse.down();
    for (let x = 40; x <= 250; x += 15) { await page.mouse.move(x, 150 + (x % 60)); await frames(page, 1); }
    await page.mouse.up();
    await step(page, 'first page: unsaved after painting', () => page.waitForFunction(() => Module.easelPaintUnsaved === true, {timeout}));
    check(true, 'paint page: painting makes the picture unsaved');

    let before = fs.readdirSync(work);
    await page.keyboard.down('Control');
    await page.keyboard.press('s');
    await page.keyboard.up('Control');
    let saved = await step(page, 'Ctrl+S: the download', () => waitForFile(work, before));
    await step(page, 'Ctrl+S: saved', () => page.waitForFunction(() => Module.easelPaintUnsaved === false, {timeout}));
    result = await differingFromCanvas(page, saved);
    check(result.differing === 0 && result.width === pictureWidth && result.height === pictureHeight,
          'paint page: Ctrl+S downloads a PNG that holds the picture as shown',
          `${path.basename(saved)}, ${result.width} x ${result.height}, ${result.differing} pixels differ`);
    fs.unlinkSync(saved);  // the next download has the same name, which the browser writes over

    // A page may download once without the user's leave: the button is
    // tried in a page of its own.
    await step(page, 'second page: the first frame', () => openPaint(page, base));
    await step(page, 'second page: open the picture', () => openWithChooser(page, picture));
    await page.mouse.move(60, 300);
    await page.mouse.down();
    await page.mouse.move(200, 250, {steps: 8});
    await page.mouse.up();
    await step(page, 'second page: unsaved after painting', () => page.waitForFunction(() => Module.easelPaintUnsaved === true, {timeout}));
    before = fs.readdirSync(work);
    await page.click('#download');
    saved = await step(page, 'Download button: the download', () => waitForFile(work, before));
    await step(page, 'Download button: turns after it', () => frames(page, 2));
    result = await differingFromCanvas(page, saved);
    check(result.differing === 0, 'paint page: the Download button downloads the picture as shown',
          `${result.differing} pixels differ`);
    check(errors.length === 0, 'paint page: no errors on the page', errors.join('; '));
  } catch (e) {
    check(false, 'paint page: the document features',
          e.message + (errors.length > 0 ? `; errors on the page: ${errors.join('; ')}` : ''));
  } finally {
    await page.close();
    fs.rmSync(work, {recursive: true, force: true});
  }
}

module.exports = {documentChecks};
