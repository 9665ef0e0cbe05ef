// Pages written under a code page other than UTF-8. The templates declare
// UTF-8, so everything the generator puts into a page must read the same
// under that declaration. For each code page a show whose download file and
// custom button image have Japanese names (bytes of that code page on disk)
// is made by the program's command line under a locale of that code page,
// then opened in Chromium from disk and over http: the title reads as it
// should, the button image loads and the download link fetches the file.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { execFileSync } from 'node:child_process';
import { pathToFileURL } from 'node:url';
import { encodeGif } from './lib/gif.mjs';
import { SHOW_TITLE, launchChromium, makeViewer, programFolder, programPath, tempFolder } from './lib/viewer.mjs';

const PROGRAM_FOLDER = programFolder();
const DOWNLOAD_TEXT = 'the download fixture\n';

// Each code page's locale, and the names' bytes in it: 資料 for the download
// file, 表 for the button image (in Shift_JIS its second byte is the ASCII
// backslash).
const CODE_PAGES = [
  { codeset: 'SHIFT_JIS', locale: 'ja_JP.SJIS', download: '8e9197bf', icon: '955c' },
  { codeset: 'EUC-JP', locale: 'ja_JP.EUC-JP', download: 'bbf1cec1', icon: 'c9bd' },
];

let browser;
let root;

before(async () => {
  browser = await launchChromium();
  root = tempFolder('vellumet-charset-');
});

// Compiles the locale into a folder of the test's own (LOCPATH), so the
// system's locales are left alone; the environment that selects it.
function localeEnv(cp) {
  const folder = path.join(root, 'locales');
  fs.mkdirSync(folder, { recursive: true });
  try {
    execFileSync('localedef', ['--no-warnings=ascii', '-i', 'ja_JP', '-f', cp.codeset, path.join(folder, cp.locale)], {
      stdio: ['ignore', 'pipe', 'pipe'],
    });
  } catch (e) {
    throw new Error(`localedef could not make ${cp.locale} (run scripts/install-deps.sh for the locales package):\n${e.stderr}`);
  }
  return { LOCPATH: folder, LC_ALL: cp.locale, LANG: cp.locale };
}

after(async () => {
  await browser?.close();
  if (root) fs.rmSync(root, { recursive: true, force: true });
});

const bytesPath = (...parts) => Buffer.concat(parts.map((p) => (Buffer.isBuffer(p) ? p : Buffer.from(p))));

// A copy of the program in a folder of its own, whose custom icon list names
// a button image with a Japanese name for the top button. Returns the copy.
function makeProgram(folder, iconName) {
  fs.mkdirSync(folder);
  const program = path.join(folder, path.basename(programPath()));
  fs.copyFileSync(programPath(), program);
  fs.chmodSync(program, 0o755);
  for (const sub of ['Template', 'buttons']) {
    fs.cpSync(path.join(PROGRAM_FOLDER, sub), path.join(folder, sub), { recursive: true });
  }
  fs.copyFileSync(path.join(PROGRAM_FOLDER, 'VellumetDefault.ini'), path.join(folder, 'VellumetDefault.ini'));
  fs.copyFileSync(path.join(PROGRAM_FOLDER, 'buttons', 'top.svg'), bytesPath(folder, '/buttons/', iconName));
  const lines = fs.readFileSync(path.join(PROGRAM_FOLDER, 'Vellumet.ini'), 'latin1').split('\r\n');
  const list = [bytesPath('buttons/', iconName)];
  for (const line of lines.slice(1, 9)) list.push(Buffer.from(line));
  fs.writeFileSync(path.join(folder, 'Vellumet.ini'), Buffer.concat(list.flatMap((l) => [l, Buffer.from('\r\n')])));
  return program;
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
    const show = path.join(base, 'show');
    fs.mkdirSync(base);
    const program = makeProgram(path.join(base, 'program'), iconName);
    fs.mkdirSync(show);
    const grey = Buffer.alloc(8 * 8 * 4, 0x80);
    for (const n of [1, 2]) fs.writeFileSync(path.join(show, `sld00${n}.gif`), encodeGif(8, 8, grey));
    fs.writeFileSync(path.join(show, 'show.ppz'), 'PPZ fixture');
    const download = bytesPath(Buffer.from(cp.download, 'hex'), '.txt');
    fs.writeFileSync(bytesPath(show, '/', download), DOWNLOAD_TEXT);

    // The download file is named in the code page, as a shell under that
    // locale passes it.
    makeViewer(show, { style: 0, icons: 'custom', player: true, download }, { program, env: localeEnv(cp), cwd: show });

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
