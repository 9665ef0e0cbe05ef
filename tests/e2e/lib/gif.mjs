// Minimal GIF89a encoder for test images: a fixed 256-colour palette (a 6x6x6
// colour cube plus greys) and LZW data that restarts its code table often
// enough to stay at 9-bit codes. Large files, but valid for every decoder.

const palette = (() => {
  const p = [];
  for (let r = 0; r < 6; r++) for (let g = 0; g < 6; g++) for (let b = 0; b < 6; b++) p.push([r * 51, g * 51, b * 51]);
  for (let i = 0; p.length < 256; i++) {
    const v = Math.round(((i + 1) * 255) / 41);
    p.push([v, v, v]);
  }
  return p;
})();

function nearest(r, g, b) {
  const cube = Math.round(r / 51) * 36 + Math.round(g / 51) * 6 + Math.round(b / 51);
  if (Math.abs(r - g) < 12 && Math.abs(g - b) < 12) {
    const grey = 216 + Math.min(39, Math.max(0, Math.round((((r + g + b) / 3) * 41) / 255) - 1));
    const [pr] = palette[grey];
    const [cr, cg, cb] = palette[cube];
    const dGrey = 3 * (pr - (r + g + b) / 3) ** 2;
    const dCube = (cr - r) ** 2 + (cg - g) ** 2 + (cb - b) ** 2;
    return dGrey < dCube ? grey : cube;
  }
  return cube;
}

// rgba: Uint8Array/Uint8ClampedArray of width*height*4 bytes.
export function encodeGif(width, height, rgba) {
  const out = [];
  const u16 = (v) => out.push(v & 0xff, (v >> 8) & 0xff);
  out.push(...Buffer.from('GIF89a'));
  u16(width);
  u16(height);
  out.push(0xf7, 0, 0);
  for (const [r, g, b] of palette) out.push(r, g, b);
  out.push(0x2c);
  u16(0);
  u16(0);
  u16(width);
  u16(height);
  out.push(0, 8);

  const CLEAR = 256;
  const END = 257;
  const bytes = [];
  let acc = 0;
  let bits = 0;
  const emit = (code) => {
    acc |= code << bits;
    bits += 9;
    while (bits >= 8) {
      bytes.push(acc & 0xff);
      acc >>= 8;
      bits -= 8;
    }
  };
  const pixels = width * height;
  for (let i = 0; i < pixels; i++) {
    if (i % 250 === 0) emit(CLEAR);
    emit(nearest(rgba[i * 4], rgba[i * 4 + 1], rgba[i * 4 + 2]));
  }
  emit(END);
  if (bits > 0) bytes.push(acc & 0xff);
  for (let i = 0; i < bytes.length; i += 255) {
    const chunk = bytes.slice(i, i + 255);
    out.push(chunk.length, ...chunk);
  }
  out.push(0, 0x3b);
  return Buffer.from(out);
}
