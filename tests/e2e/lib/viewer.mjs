// Shared pieces of the viewer tests and benchmark: the browser, fixture slide
// images, fixture export folders and the program's command line run on them.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { execFileSync } from 'node:child_process';
import { fileURLToPath } from 'node:url';
import { setTimeout as sleep } from 'node:timers/promises';
import assert from 'node:assert/strict';
import { encodeGif } from './gif.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
export const SOURCE_DIR = path.resolve(here, '../../..');

export const SHOW_TITLE = 'Zorvo スライドショー(by Y.Korrin)';

// The program under test (VELLUMET_PROGRAM); its folder holds Template/,
// buttons/ and the icon lists, as in the build tree.
export function programPath() {
  return requireEnv('VELLUMET_PROGRAM');
}

export function programFolder() {
  return path.dirname(programPath());
}

export function requireEnv(name) {
  const value = process.env[name];
  if (!value) throw new Error(`${name} is not set: run this through ctest (tests/e2e/CMakeLists.txt)`);
  return value;
}

export async function loadPlaywright() {
  try {
    return await import('playwright-core');
  } catch (e) {
    throw new Error(`playwright-core is not installed in tests/e2e (run scripts/install-deps.sh): ${e.message}`);
  }
}

// The Chromium the tests and the benchmark drive.
export function chromiumPath() {
  return process.env.VELLUMET_CHROMIUM || '/usr/lib/chromium/chromium';
}

export async function launchChromium() {
  const executablePath = chromiumPath();
  if (!fs.existsSync(executablePath)) throw new Error(`Chromium not found at ${executablePath}`);
  const { chromium } = await loadPlaywright();
  // launch() gives every run a fresh temporary profile.
  return chromium.launch({
    executablePath,
    headless: true,
    args: [
      '--no-sandbox',
      '--disable-gpu',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
      '--no-first-run',
    ],
  });
}

export function tempFolder(prefix) {
  return fs.mkdtempSync(path.join(os.tmpdir(), prefix));
}

const HUES = [210, 20, 140, 280, 50, 330, 100, 180];

// Renders `count` slide images of width x height in the browser and returns
// them as GIF or JPEG files (Buffers). Every slide has its number in large
// type and a dark frame along all four edges.
export async function renderSlides(browser, { count, width, height, format }) {
  const page = await browser.newPage();
  try {
    const images = [];
    for (let n = 1; n <= count; n++) {
      const result = await page.evaluate(
        ({ n, width, height, format, hue }) => {
          const canvas = document.createElement('canvas');
          canvas.width = width;
          canvas.height = height;
          const g = canvas.getContext('2d');
          g.fillStyle = '#ffffff';
          g.fillRect(0, 0, width, height);
          g.fillStyle = `hsl(${hue} 60% 35%)`;
          const edge = Math.max(4, Math.round(width / 80));
          g.fillRect(0, 0, width, edge);
          g.fillRect(0, height - edge, width, edge);
          g.fillRect(0, 0, edge, height);
          g.fillRect(width - edge, 0, edge, height);
          g.fillRect(0, 0, width, Math.round(height / 6));
          g.fillStyle = '#ffffff';
          g.font = `bold ${Math.round(height / 12)}px sans-serif`;
          g.fillText('Vellumet', edge * 3, Math.round(height / 9));
          g.fillStyle = `hsl(${hue} 60% 30%)`;
          g.font = `bold ${Math.round(height / 3)}px sans-serif`;
          g.textAlign = 'center';
          g.fillText(String(n), width / 2, height * 0.68);
          g.font = `${Math.round(height / 14)}px sans-serif`;
          g.fillText(`\u30b9\u30e9\u30a4\u30c9 ${n}`, width / 2, height * 0.88);
          if (format === 'jpeg') return { jpeg: canvas.toDataURL('image/jpeg', 0.85) };
          const data = g.getImageData(0, 0, width, height).data;
          let binary = '';
          for (let i = 0; i < data.length; i += 0x8000) {
            binary += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
          }
          return { rgba: btoa(binary) };
        },
        { n, width, height, format, hue: HUES[(n - 1) % HUES.length] },
      );
      if (result.jpeg) images.push(Buffer.from(result.jpeg.split(',')[1], 'base64'));
      else images.push(encodeGif(width, height, Buffer.from(result.rgba, 'base64')));
    }
    return images;
  } finally {
    await page.close();
  }
}

// Writes an export folder as the presentation program leaves it: slide images
// named by `prefix` ("sld" or "img"), an animation file, a file to download
// and some of the export's own pages.
export function writeExport(folder, { images, prefix, ext }) {
  fs.mkdirSync(folder, { recursive: true });
  images.forEach((data, i) => {
    fs.writeFileSync(path.join(folder, `${prefix}${String(i + 1).padStart(3, '0')}.${ext}`), data);
  });
  fs.writeFileSync(path.join(folder, 'show.ppz'), Buffer.from('PPZ fixture: not a real animation file\n'));
  fs.writeFileSync(path.join(folder, 'handout.pdf'), Buffer.from('%PDF-1.4\n% fixture\n'));
  fs.writeFileSync(path.join(folder, 'sld001.htm'), '<html><body>export page</body></html>\r\n');
  fs.writeFileSync(path.join(folder, 'navbtn1.htm'), '<html><body>export bar</body></html>\r\n');
  fs.writeFileSync(path.join(folder, 'tsld001.htm'), '<html><body>export text</body></html>\r\n');
}

// Runs `file` with `args`. Node hands strings over as UTF-8; an argument
// given as a Buffer reaches the program as exactly those bytes (rebuilt by the
// shell's printf, so it must not end in a line feed).
function execBytes(file, args, options) {
  if (!args.some(Buffer.isBuffer)) return execFileSync(file, args, options);
  const octal = (bytes) => [...bytes].map((b) => `\\${b.toString(8).padStart(3, '0')}`).join('');
  const script = args.map((a, i) => (Buffer.isBuffer(a) ? ` "$(printf '${octal(a)}')"` : ` "\${${i + 1}}"`));
  const plain = args.map((a) => (Buffer.isBuffer(a) ? '' : a));
  return execFileSync('/bin/sh', ['-c', `exec "$0"${script.join('')}`, file, ...plain], options);
}

// Makes the viewer in `folder` with the program's command line, as a user
// would: "vellumet --create" answering Yes to every question and keeping the
// export's leftovers. `program`, `env` and `cwd` run another copy of the
// program, under another locale, from another folder (by default the show
// folder, where a `download` named bare lies); a Buffer `download` or `page`
// is passed as its bytes.
export function makeViewer(folder, { style, icons, player, download, page, count }, { program, env, cwd } = {}) {
  const args = ['--create', '--yes', '--style', String(style), '--icons', icons];
  args.push(player ? '--player' : '--no-player');
  if (download) args.push('--download', download);
  if (page) args.push('--page', page);
  if (count !== undefined) args.push('--count', count);
  args.push('--', folder);
  try {
    execBytes(program ?? programPath(), args, {
      env: env ? { ...process.env, ...env } : process.env,
      cwd: cwd ?? folder,
      stdio: ['ignore', 'pipe', 'pipe'],
    });
  } catch (e) {
    throw new Error(`vellumet --create failed for ${folder}:\n${e.stderr}`);
  }
}

export function navFrame(page) {
  const frame = page.frame({ name: 'vmnav' });
  if (!frame) throw new Error('navigation frame not found');
  return frame;
}

// Calls `probe` until `done` accepts what it gives, for `timeout` ms at most.
export async function poll(what, probe, done, timeout = 5000) {
  let last;
  const deadline = Date.now() + timeout;
  do {
    try {
      last = await probe();
      if (done(last)) return last;
    } catch (e) {
      last = { error: e.message };
    }
    await sleep(20);
  } while (Date.now() < deadline);
  assert.fail(`${what}; last seen: ${JSON.stringify(last)}`);
}
