// The Paint Program's document features in its page: a picture opened with
// the file chooser is shown on the canvas; painted on and saved with Ctrl+S
// and with the Download button, the downloaded PNG holds the canvas.
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');

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
    if (Date.now() > deadline) throw new Error('no download');
    await new Promise((r) => setTimeout(r, 100));
  }
}

async function documentChecks(browser, base, check) {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'easel-document-'));
  const page = await browser.newPage();
  try {
    await page.setViewport({width: 900, height: 700});
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: work});
    await page.goto(base + 'paint.html');
    await page.waitForFunction(() => window.Module && Module.easelFrames > 0, {timeout});

    const picture = path.join(work, 'bands.png');
    await makePicture(page, picture);
    fs.renameSync(picture, path.join(work, 'source.bin'));
    const source = path.join(work, 'source.bin');
    fs.copyFileSync(source, picture);
    await (await page.$('#open-file')).uploadFile(picture);
    fs.unlinkSync(picture);
    await page.waitForFunction(() => Module.easelPaintFile === '/pictures/bands.png', {timeout});
    await frames(page, 3);
    let result = await differingFromCanvas(page, source);
    check(result.differing === 0, 'paint page: a picture opened with the file chooser is shown',
          `${result.differing} of ${result.width * result.height} pixels differ`);

    await page.mouse.move(30, 150);
    await page.mouse.down();
    for (let x = 40; x <= 250; x += 15) { await page.mouse.move(x, 150 + (x % 60)); await frames(page, 1); }
    await page.mouse.up();
    await page.waitForFunction(() => Module.easelPaintUnsaved === true, {timeout});
    check(true, 'paint page: painting makes the picture unsaved');

    let before = fs.readdirSync(work);
    await page.keyboard.down('Control');
    await page.keyboard.press('s');
    await page.keyboard.up('Control');
    let saved = await waitForFile(work, before);
    await page.waitForFunction(() => Module.easelPaintUnsaved === false, {timeout});
    result = await differingFromCanvas(page, saved);
    check(result.differing === 0 && result.width === pictureWidth && result.height === pictureHeight,
          'paint page: Ctrl+S downloads a PNG that holds the picture as shown',
          `${path.basename(saved)}, ${result.width} x ${result.height}, ${result.differing} pixels differ`);

    // A page may download once without the user's leave: the button is
    // tried in a page of its own.
    await page.goto(base + 'paint.html');
    await page.waitForFunction(() => window.Module && Module.easelFrames > 0, {timeout});
    fs.copyFileSync(source, picture);
    await (await page.$('#open-file')).uploadFile(picture);
    fs.unlinkSync(picture);
    await page.waitForFunction(() => Module.easelPaintFile === '/pictures/bands.png', {timeout});
    await frames(page, 3);
    await page.mouse.move(60, 300);
    await page.mouse.down();
    await page.mouse.move(200, 250, {steps: 8});
    await page.mouse.up();
    await page.waitForFunction(() => Module.easelPaintUnsaved === true, {timeout});
    before = fs.readdirSync(work);
    await page.click('#download');
    saved = await waitForFile(work, before);
    await frames(page, 2);
    result = await differingFromCanvas(page, saved);
    check(result.differing === 0, 'paint page: the Download button downloads the picture as shown',
          `${result.differing} pixels differ`);
  } catch (e) {
    check(false, 'paint page: the document features', e.message);
  } finally {
    await page.close();
    fs.rmSync(work, {recursive: true, force: true});
  }
}

module.exports = {documentChecks};
