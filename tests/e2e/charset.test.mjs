// Pages written under a code page other than UTF-8. The templates declare
// UTF-8, so everything the generator puts into a page must read the same
// under that declaration. For each code page a show whose download file and
// custom button image have Japanese names (bytes of that code page on disk)
// is generated, then opened in Chromium from disk and over http: the title
// reads as it should, the button image loads and the download link fetches
// the file.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { execFileSync } from 'node:child_process';
import { pathToFileURL } from 'node:url';
import { encodeGif } from './lib/gif.mjs';
import { SHOW_TITLE, launchChromium, requireEnv, tempFolder } from './lib/viewer.mjs';

const PROGRAM_FOLDER = requireEnv('VELLUMET_PROGRAM_FOLDER');
const MAKE_VIEWER = requireEnv('VELLUMET_MAKE_VIEWER');
const DOWNLOAD_TEXT = 'the download fixture\n';

// The names' bytes in each code page: 資料 for the download file, 表 for the
// button image (in CP932 its second byte is the ASCII backslash).
const CODE_PAGES = [
  { codeset: 'CP932', download: '8e9197bf', icon: '955c' },
  { codeset: 'EUC-JP', download: 'bbf1cec1', icon: 'c9bd' },
];

let browser;
let root;

before(async () => {
  browser = await launchChromium();
  root = tempFolder('vellumet-charset-');
});

after(async () => {
  await browser?.close();
  if (root) fs.rmSync(root, { recursive: true, force: true });
});

const bytesPath = (...parts) => Buffer.concat(parts.map((p) => (Buffer.isBuffer(p) ? p : Buffer.from(p))));

// A program folder like the installed one, whose custom icon list names a
// button image with a Japanese name for the top button.
function makeProgram(folder, iconName) {
  fs.mkdirSync(folder);
  for (const sub of ['Template', 'buttons']) {
    fs.cpSync(path.join(PROGRAM_FOLDER, sub), path.join(folder, sub), { recursive: true });
  }
  fs.copyFileSync(path.join(PROGRAM_FOLDER, 'VellumetDefault.ini'), path.join(folder, 'VellumetDefault.ini'));
  fs.copyFileSync(path.join(PROGRAM_FOLDER, 'buttons', 'top.svg'), bytesPath(folder, '/buttons/', iconName));
  const lines = fs.readFileSync(path.join(PROGRAM_FOLDER, 'Vellumet.ini'), 'latin1').split('\r\n');
  const list = [bytesPath('buttons/', iconName)];
  for (const line of lines.slice(1, 9)) list.push(Buffer.from(line));
  fs.writeFileSync(path.join(folder, 'Vellumet.ini'), Buffer.concat(list.flatMap((l) => [l, Buffer.from('\r\n')])));
}

// A static server that maps the percent-decoded bytes of a path straight onto
// the file system, as common web servers do.
async function startByteServer(folder) {
  const types = { '.htm': 'text/html', '.html': 'text/html', '.svg': 'image/svg+xml', '.gif': 'image/gif', '.txt': 'text/plain' };
  const server = http.createServer((req, res) => {
    const raw = req.url.split('?')[0];
    const bytes = [];
    for (let i = 0; i < raw.length; i++) {
      if (raw[i] === '%' && /^[0-9A-Fa-f]{2}$/.test(raw.slice(i + 1, i + 3))) {
        bytes.push(parseInt(raw.slice(i + 1, i + 3), 16));
        i += 2;
      } else {
        bytes.push(raw.charCodeAt(i) & 0xff);
      }
    }
    const rel = Buffer.from(bytes);
    if (rel.includes('/..')) return res.writeHead(403).end();
    fs.readFile(bytesPath(folder, rel), (err, data) => {
      if (err) return res.writeHead(404).end();
      const ext = path.extname(rel.toString('latin1')).toLowerCase();
      res.writeHead(200, { 'Content-Type': types[ext] || 'application/octet-stream' }).end(data);
    });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { origin: `http://127.0.0.1:${server.address().port}`, close: () => new Promise((r) => server.close(r)) };
}

// Opens the slide page and the bar at `base` and checks what a user sees.
async function expectReadable(base) {
  const page = await browser.newPage();
  try {
    await page.goto(base + 'sld001.htm');
    assert.equal(await page.title(), SHOW_TITLE, `title of ${base}sld001.htm`);

    await page.goto(base + 'navbtn1.htm', { waitUntil: 'load' });
    const bar = await page.evaluate(() => {
      const img = document.querySelector('#vm-top img');
      return { loaded: img.complete && img.naturalWidth > 0, src: img.src, href: document.getElementById('vm-download').href };
    });
    assert.ok(bar.loaded, `the top button's image ${bar.src} loads`);

    const response = await page.goto(bar.href);
    assert.ok(!response || response.ok(), `${bar.href} answers`);
    assert.equal((await page.evaluate(() => document.body.innerText)).trimEnd(), DOWNLOAD_TEXT.trimEnd(), `${bar.href} is the download file`);
  } finally {
    await page.close();
  }
}

for (const cp of CODE_PAGES) {
  test(`pages written in ${cp.codeset} read right in the browser`, async () => {
    const base = path.join(root, cp.codeset);
    const iconName = bytesPath(Buffer.from(cp.icon, 'hex'), '.svg');
    const program = path.join(base, 'program');
    const show = path.join(base, 'show');
    fs.mkdirSync(base);
    makeProgram(program, iconName);
    fs.mkdirSync(show);
    const grey = Buffer.alloc(8 * 8 * 4, 0x80);
    for (const n of [1, 2]) fs.writeFileSync(path.join(show, `sld00${n}.gif`), encodeGif(8, 8, grey));
    fs.writeFileSync(path.join(show, 'show.ppz'), 'PPZ fixture');
    fs.writeFileSync(bytesPath(show, '/', Buffer.from(cp.download, 'hex'), '.txt'), DOWNLOAD_TEXT);

    // Names are given as UTF-8 and reach the program in the code page.
    execFileSync(MAKE_VIEWER, ['--program-folder', program, '--folder', show, '--style', '0', '--icons', 'custom',
      '--player', '--download', '資料.txt', '--codeset', cp.codeset], { cwd: show, stdio: ['ignore', 'pipe', 'pipe'] });

    await expectReadable(pathToFileURL(show).href + '/');
    const server = await startByteServer(show);
    try {
      await expectReadable(server.origin + '/');
    } finally {
      await server.close();
    }
    for (const name of ['index.html', 'navbtn1.htm', 'sld001.htm']) {
      const bytes = fs.readFileSync(path.join(show, name));
      assert.ok(bytes.every((b) => b < 0x80), `${name} holds only ASCII`);
    }
  });
}
