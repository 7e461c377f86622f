// The Paint Program's page keeps unsaved work in the browser's storage: a
// picture opened and painted on, then the page reloaded, is offered on the
// bar; Restore brings it back as it was painted, unsaved and with its name.
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const {step} = require('./steps');
const {makePicture, openWithChooser, openPaint, timeout} = require('./document_checks');

const panelHeight = 128;

// The canvas below the panel, as RGBA bytes in base64.
function canvasRows(page) {
  return page.evaluate((top) => {
    const c = Module.canvas;
    const rgba = c.getContext('2d').getImageData(0, top, c.width, c.height - top).data;
    let text = '';
    for (let i = 0; i < rgba.length; i += 0x8000) text += String.fromCharCode.apply(null, rgba.subarray(i, i + 0x8000));
    return btoa(text);
  }, panelHeight);
}

function differing(a, b) {
  const x = Buffer.from(a, 'base64'), y = Buffer.from(b, 'base64');
  if (x.length !== y.length) return -1;
  let count = 0;
  for (let i = 0; i < x.length; i += 4) {
    if (x[i] !== y[i] || x[i + 1] !== y[i + 1] || x[i + 2] !== y[i + 2]) ++count;
  }
  return count;
}

async function recoveryChecks(browser, base, check) {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'easel-recovery-'));
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  try {
    await page.setViewport({width: 900, height: 700});
    await step(page, 'the first frame', () => openPaint(page, base));
    // Work kept by earlier pages is not what this check paints.
    while (await page.$('#kept-discard')) await page.click('#kept-discard');
    const picture = path.join(work, 'kept.png');
    await makePicture(page, picture);
    await step(page, 'open the picture', () => openWithChooser(page, picture));
    await page.mouse.move(40, 200);
    await page.mouse.down();
    for (const [x, y] of [[80, 230], [140, 190], [220, 260]]) await page.mouse.move(x, y, {steps: 4});
    await page.mouse.up();
    await step(page, 'unsaved after painting', () => page.waitForFunction(
      () => Module.easelPaintUnsaved === true && document.title === '*kept.png - Paint Program', {timeout}));
    const painted = await canvasRows(page);
    // Kept while the page is open, as a crash would find it.
    await step(page, 'the work kept', () => page.waitForFunction(
      () => Module.easelPaintKept === Module.easelPaintPicture.version, {timeout}));

    await page.reload();
    await step(page, 'the first frame after the reload', () => page.waitForFunction(
      () => window.Module && Module.easelFrames > 0, {timeout}));
    const offer = await step(page, 'the offer', () => page.waitForSelector('#kept-restore', {timeout}));
    const text = await page.$eval('#kept-work', (e) => e.textContent);
    check(/Unsaved work from .* was kept \(kept\.png, 300 x 200\)/.test(text),
          'paint page: after a reload the unsaved work is offered', text.trim());
    check(differing(painted, await canvasRows(page)) > 0, 'paint page: the reloaded page starts empty');
    await offer.click();
    await step(page, 'the restored work', () => page.waitForFunction(
      () => Module.easelPaintUnsaved === true && Module.easelPaintFile === '/pictures/kept.png', {timeout}));
    const turns = await page.evaluate(() => Module.easelTurns);
    await step(page, 'turns after it', () => page.waitForFunction((n) => Module.easelTurns >= n, {timeout}, turns + 3));
    const count = differing(painted, await canvasRows(page));
    check(count === 0, 'paint page: Restore brings back the work as it was painted',
          `${count} of ${500 * (500 - panelHeight)} pixels differ`);
    check(await page.title() === '*kept.png - Paint Program', 'paint page: the restored work is unsaved, with its name',
          await page.title());
    check(errors.length === 0, 'paint page: no errors while keeping and restoring work', errors.join('; '));
  } catch (e) {
    check(false, 'paint page: the recovery offer after a reload',
          e.message + (errors.length > 0 ? `; errors on the page: ${errors.join('; ')}` : ''));
  } finally {
    await page.close();
    fs.rmSync(work, {recursive: true, force: true});
  }
}

module.exports = {recoveryChecks};
