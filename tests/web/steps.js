// Named steps for the browser tests: a step that fails (a wait that timed
// out, most often) says which step it was and what the program had told the
// page by then.
'use strict';

async function programState(page) {
  try {
    return await page.evaluate(() => JSON.stringify({
      turns: Module.easelTurns, frames: Module.easelFrames, passes: Module.easelPasses,
      file: Module.easelPaintFile, unsaved: Module.easelPaintUnsaved,
      request: Module.easelPaintRequest || null}));
  } catch (e) {
    return `unknown (${e.message})`;
  }
}

// Runs action, a step of the checks on page (steps may nest).
async function step(page, name, action) {
  try {
    return await action();
  } catch (e) {
    const failed = new Error();
    failed.what = `${name}: ${e.what || e.message}`;
    failed.state = e.state || await programState(page);
    failed.message = `${failed.what}; the program's state: ${failed.state}`;
    throw failed;
  }
}

module.exports = {step};
