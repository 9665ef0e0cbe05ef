// A show made from a PDF with text, in Chromium: each slide's words are its
// image's text alternative, its title is in the slide list, the view of all
// slides and the document title, the show's title is the entry and player
// pages' title, with script and without, and a screen reader's view of the
// page (the accessibility tree) on a phone holds them. The deck's title and
// every page's last line carry markup and a script's end, which must stay
// text. The PDF is written by vellumet_make_deck, its show by the deck layer
// (vellumet_make_show), then the program's command line makes the viewer.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { execFileSync } from 'node:child_process';
import { pathToFileURL } from 'node:url';
import { startServer } from './lib/server.mjs';
import { launchChromium, makeViewer, navFrame, poll, requireEnv, tempFolder } from './lib/viewer.mjs';

const OUTPUT_DIR = requireEnv('VELLUMET_E2E_OUTPUT');
const PAGES = 4;
const TITLE = '\u6E2F\u306E\u8A08\u753B 2025 </script><b id="pwned">&"\'';
const LAST_LINE = 'Q&A: <b id="pwned">"x"</b> </script><script>window.pwned=1</script>';
// What the PDF's text gives back of the last line whole (quotes may come
// apart from their words).
const SCRIPT_END = '</script><script>window.pwned=1</script>';
const PHONE = { viewport: { width: 390, height: 844 }, deviceScaleFactor: 2, isMobile: true, hasTouch: true };

let browser;
let server;
let root;
let show;
let texts;

// The slides' texts as the deck layer kept them in the show's manifest.
function manifestTexts(folder) {
  const unescape = (v) => v.replace(/\\(\\|n|x[0-9A-Fa-f]{2})/g, (_, e) => (e === '\\' ? '\\' : e === 'n' ? '\n' : String.fromCharCode(parseInt(e.slice(1), 16))));
  return fs
    .readFileSync(path.join(folder, '.vellumet-show'), 'utf8')
    .split('\n')
    .filter((line) => line.startsWith('text '))
    .map((line) => unescape(line.slice(5)));
}

const slideTitle = (n) => `Slide ${n} \u6E2F\u306E\u8A08\u753B ${n}`;

before(async () => {
  browser = await launchChromium();
  root = tempFolder('vellumet-text-');
  fs.mkdirSync(OUTPUT_DIR, { recursive: true });
  const deck = path.join(root, 'deck.pdf');
  show = path.join(root, 'deck');
  execFileSync(requireEnv('VELLUMET_MAKE_DECK'), [deck, '--pages', String(PAGES), '--title', TITLE, '--last-line', LAST_LINE], { stdio: 'pipe' });
  execFileSync(requireEnv('VELLUMET_MAKE_SHOW'), [deck, show], { stdio: 'pipe' });
  fs.writeFileSync(path.join(show, 'show.ppz'), 'PPZ fixture');
  makeViewer(show, { style: 2, icons: 'custom', player: true, download: 'deck.pdf' });
  texts = manifestTexts(show);
  server = await startServer([{ prefix: '/shows/', dir: root }]);
});

after(async () => {
  await server?.close();
  await browser?.close();
  if (root) fs.rmSync(root, { recursive: true, force: true });
});

function watch(page) {
  const problems = [];
  page.on('console', (m) => {
    if (m.type() === 'error') problems.push(`console: ${m.text()}`);
  });
  page.on('pageerror', (e) => problems.push(`script error: ${e.message}`));
  return problems;
}

// What the entry page and its slide frame show now.
function shown(page) {
  return page.evaluate(() => {
    const frame = document.querySelector('iframe[name="vmslide"]');
    const img = frame && frame.contentDocument && frame.contentDocument.querySelector('#vm-stage img.vm-current');
    const first = document.getElementById('vm-first-slide');
    return {
      title: document.title,
      alt: img ? img.alt : first ? first.alt : null,
      injected: document.querySelectorAll('#pwned').length + (window.pwned ? 1 : 0),
    };
  });
}

test('the words fit the slides: the manifest holds real text', () => {
  assert.equal(texts.length, PAGES);
  texts.forEach((text, i) => {
    assert.ok(text.startsWith(`${slideTitle(i + 1)}\n`), text);
    assert.ok(text.includes(SCRIPT_END) && text.includes('"'), `page ${i + 1}'s last line extracted: ${text}`);
  });
});

test('on a phone: text alternatives, slide list, document titles, view of all slides, accessibility tree', async () => {
  const context = await browser.newContext(PHONE);
  context.setDefaultTimeout(10000);
  const page = await context.newPage();
  const problems = watch(page);
  try {
    await page.goto(`${server.origin}/shows/deck/index.html`);
    for (let n = 1; n <= PAGES; n++) {
      if (n > 1) await page.keyboard.press('ArrowRight');
      const now = await poll(`slide ${n} named by its words`, () => shown(page), (s) => s.alt === texts[n - 1] && s.title === `${slideTitle(n)} (${n} / ${PAGES})`);
      assert.equal(now.injected, 0, 'nothing of the text became markup or script');
      if (n === 1) {
        // The page's own first image and the slide frame both show slide 1:
        // a screen reader reads it once.
        await poll('slide 1 drawn in the slide frame', () => page.evaluate(() => {
          const frame = document.getElementById('vm-slide');
          return !!frame?.contentDocument?.querySelector('img.vm-current');
        }), (drawn) => drawn);
        const tree = await page.ariaSnapshot({ mode: 'ai' });
        assert.equal(tree.split(`img "${slideTitle(1)}`).length - 1, 1, tree);
      }
      if (n === 2) {
        const tree = await page.ariaSnapshot({ mode: 'ai' });
        fs.writeFileSync(path.join(OUTPUT_DIR, 'text-phone-accessibility.yml'), tree);
        // The slide's image is read by its words, the list by the titles.
        assert.match(tree, new RegExp(`img "${slideTitle(2)} Point 1 of slide 2`), tree);
        assert.ok(tree.includes(SCRIPT_END), 'the last line read as text');
        for (let m = 1; m <= PAGES; m++) assert.ok(tree.includes(`option "${m} ${slideTitle(m)}"`), `option ${m} in the tree`);
        await page.screenshot({ path: path.join(OUTPUT_DIR, 'text-phone.png') });
      }
    }
    const list = await navFrame(page).evaluate(() => [...document.getElementById('vm-list').options].map((o) => o.text));
    assert.deepEqual(list, Array.from({ length: PAGES }, (_, i) => `${i + 1} ${slideTitle(i + 1)}`));

    await page.keyboard.press('g');
    const view = await poll(
      'the view of all slides with titles',
      () => page.evaluate(() => [...document.querySelectorAll('.vm-thumb')].map((a) => [a.getAttribute('aria-label'), a.textContent])),
      (v) => v.length === PAGES,
    );
    assert.deepEqual(view, Array.from({ length: PAGES }, (_, i) => [`\u30b9\u30e9\u30a4\u30c9 ${i + 1} ${slideTitle(i + 1)}`, `${i + 1} ${slideTitle(i + 1)}`]));
    await page.evaluate(() => Promise.all([...document.querySelectorAll('.vm-thumb img[src]')].map((i) => i.decode().catch(() => {}))));
    await page.screenshot({ path: path.join(OUTPUT_DIR, 'text-phone-overview.png') });

    await page.goto(`${server.origin}/shows/deck/sld001.htm`);
    assert.equal(await page.title(), TITLE);
    assert.equal(await page.locator('#vm-title').textContent(), TITLE);
    assert.deepEqual(problems, []);
  } finally {
    await context.close();
  }
});

for (const scheme of ['http', 'file']) {
  test(`without script over ${scheme}: the show's title and the first slide's words`, async () => {
    const context = await browser.newContext({ ...PHONE, javaScriptEnabled: false });
    const page = await context.newPage();
    try {
      const base = scheme === 'http' ? `${server.origin}/shows/deck/` : `${pathToFileURL(show).href}/`;
      await page.goto(`${base}index.html`);
      assert.equal(await page.title(), TITLE);
      assert.equal(await page.locator('#vm-first-slide').getAttribute('alt'), texts[0]);
      assert.equal(await page.locator('#pwned').count(), 0, 'nothing of the text became markup');
      // The browser's own accessibility tree: the page runs no script, not
      // even one of the test's.
      const cdp = await context.newCDPSession(page);
      const { nodes } = await cdp.send('Accessibility.getFullAXTree');
      const images = nodes.filter((n) => n.role?.value === 'image').map((n) => n.name?.value ?? '');
      assert.ok(
        images.some((name) => name.startsWith(`${slideTitle(1)} Point 1 of slide 1`) && name.includes(SCRIPT_END)),
        JSON.stringify(images),
      );
    } finally {
      await context.close();
    }
  });
}
