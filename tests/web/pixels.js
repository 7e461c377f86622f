// Pixels for the browser tests: the 24-bit BMP files that easel saves, and a
// comparison that says how many pixels differ and where the first one is.
'use strict';

// {width, height, rgba} from a 24-bit BMP, bottom-up or top-down.
function readBmp(bytes) {
  const offset = bytes.readUInt32LE(10);
  const width = bytes.readInt32LE(18);
  const storedHeight = bytes.readInt32LE(22);
  const height = Math.abs(storedHeight);
  if (bytes.readUInt16LE(28) !== 24) throw new Error('only 24-bit BMP files are read here');
  const rowBytes = Math.ceil(width * 3 / 4) * 4;
  const rgba = Buffer.alloc(width * height * 4);
  for (let y = 0; y < height; ++y) {
    const stored = storedHeight > 0 ? height - 1 - y : y;
    for (let x = 0; x < width; ++x) {
      const at = offset + stored * rowBytes + 3 * x;
      const to = 4 * (y * width + x);
      rgba[to] = bytes[at + 2];
      rgba[to + 1] = bytes[at + 1];
      rgba[to + 2] = bytes[at];
      rgba[to + 3] = 255;
    }
  }
  return {width, height, rgba};
}

// Compares the colour channels of two RGBA pictures of the same size.
function compareRgba(expected, actual) {
  if (expected.width !== actual.width || expected.height !== actual.height) {
    return {differing: -1, text: `size ${actual.width} x ${actual.height}, expected ${expected.width} x ${expected.height}`};
  }
  let differing = 0, first = null;
  for (let i = 0; i < expected.width * expected.height; ++i) {
    const a = 4 * i;
    if (expected.rgba[a] !== actual.rgba[a] || expected.rgba[a + 1] !== actual.rgba[a + 1] ||
        expected.rgba[a + 2] !== actual.rgba[a + 2]) {
      if (first === null) {
        first = `(${i % expected.width}, ${Math.floor(i / expected.width)}) is ` +
                `${actual.rgba.slice(a, a + 3).join(',')}, native ${expected.rgba.slice(a, a + 3).join(',')}`;
      }
      ++differing;
    }
  }
  return {differing, text: differing === 0 ? `0 of ${expected.width * expected.height} differ`
                                           : `${differing} pixels differ, first ${first}`};
}

module.exports = {readBmp, compareRgba};
