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
  const pixels = width * height;
  // 9 bits per pixel, plus a clear code every 250 pixels and the end code.
  const data = Buffer.alloc(Math.ceil(((pixels + Math.ceil(pixels / 250) + 2) * 9) / 8) + 1);
  let length = 0;
  let acc = 0;
  let bits = 0;
  const emit = (code) => {
    acc |= code << bits;
    bits += 9;
    while (bits >= 8) {
      data[length++] = acc & 0xff;
      acc >>= 8;
      bits -= 8;
    }
  };
  const CLEAR = 256;
  const END = 257;
  for (let i = 0; i < pixels; i++) {
    if (i % 250 === 0) emit(CLEAR);
    emit(nearest(rgba[i * 4], rgba[i * 4 + 1], rgba[i * 4 + 2]));
  }
  emit(END);
  if (bits > 0) data[length++] = acc & 0xff;

  const header = Buffer.alloc(13 + 768 + 11);
  header.write('GIF89a', 0, 'latin1');
  header.writeUInt16LE(width, 6);
  header.writeUInt16LE(height, 8);
  header[10] = 0xf7; // global colour table of 256 entries
  palette.forEach(([r, g, b], i) => {
    header[13 + i * 3] = r;
    header[14 + i * 3] = g;
    header[15 + i * 3] = b;
  });
  let at = 13 + 768;
  header[at++] = 0x2c; // image descriptor: whole screen, no local table
  at = header.writeUInt16LE(0, at);
  at = header.writeUInt16LE(0, at);
  at = header.writeUInt16LE(width, at);
  at = header.writeUInt16LE(height, at);
  header[at++] = 0;
  header[at++] = 8; // LZW minimum code size

  const blocks = [];
  for (let i = 0; i < length; i += 255) {
    const end = Math.min(length, i + 255);
    blocks.push(Buffer.from([end - i]), data.subarray(i, end));
  }
  return Buffer.concat([header, ...blocks, Buffer.from([0, 0x3b])]);
}
