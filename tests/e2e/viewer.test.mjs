// Browser tests of the generated viewer. Each case turns a fixture export into
// a viewer with the program's command line, opens it in Chromium over
// http://127.0.0.1 or file:// and drives it like a user: buttons, the slide
// list, every navigation key in every frame, deep links and reloads.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { setTimeout as sleep } from 'node:timers/promises';
import { startServer } from './lib/server.mjs';
import {
  SHOW_TITLE,
  SOURCE_DIR,
  launchChromium,
  makeViewer,
  navFrame,
  poll,
  programFolder,
  renderSlides,
  requireEnv,
  tempFolder,
  writeExport,
} from './lib/viewer.mjs';

const PROGRAM_FOLDER = programFolder();
const OUTPUT_DIR = requireEnv('VELLUMET_E2E_OUTPUT');
const VIEWPORT = { width: 1024, height: 640 };
const SLIDES = 6;
const BACKGROUND = [48, 48, 48]; // the slide frame's #303030

const LAYOUTS = [
  { style: 0, edge: 'left' },
  { style: 1, edge: 'right' },
  { style: 2, edge: 'top' },
  { style: 3, edge: 'bottom' },
];
// [player, download] per case, so that every layout meets every combination.
const OPTIONS = [
  [true, true],
  [false, true],
  [true, false],
  [false, false],
];
const BUTTONS = [
  ['vm-top', 'top.svg'],
  ['vm-first', 'first.svg'],
  ['vm-prev', 'prev.svg'],
  ['vm-next', 'next.svg'],
  ['vm-last', 'last.svg'],
  ['vm-full', 'fullscreen.svg'],
  ['vm-download', 'download.svg'],
  ['vm-player', 'player.svg'],
];
const JAPANESE = /[\u3040-\u30ff\u4e00-\u9fff]/;

let browser;
let server;
let root;
let analysis;
const slideSets = {};

before(async () => {
  browser = await launchChromium();
  root = tempFolder('vellumet-e2e-');
  fs.mkdirSync(OUTPUT_DIR, { recursive: true });
  slideSets.gif = {
    images: await renderSlides(browser, { count: SLIDES, width: 640, height: 480, format: 'gif' }),
    prefix: 'sld',
    ext: 'gif',
    ratio: 640 / 480,
  };
  slideSets.jpg = {
    images: await renderSlides(browser, { count: SLIDES, width: 960, height: 540, format: 'jpeg' }),
    prefix: 'img',
    ext: 'jpg',
    ratio: 960 / 540,
  };
  server = await startServer([
    { prefix: '/shows/', dir: root },
    { prefix: '/vellumet/buttons/', dir: path.join(PROGRAM_FOLDER, 'buttons') },
  ]);
  analysis = await browser.newPage();
});

after(async () => {
  await server?.close();
  await browser?.close();
  if (root) fs.rmSync(root, { recursive: true, force: true });
});

// ---------------------------------------------------------------- helpers

// Records everything that went wrong on a page: console errors, script
// errors, failed requests and error responses. `allowed(url, message)` names
// URLs that may fail (the standard button set cannot be found on a page
// opened from disk) and console messages about them.
function watch(page, allowed = () => false) {
  const problems = [];
  page.on('console', (m) => {
    if (m.type() === 'error' && !allowed(m.location()?.url || '', m.text())) {
      problems.push(`console: ${m.text()} (${m.location()?.url})`);
    }
  });
  page.on('pageerror', (e) => problems.push(`script error: ${e.message}`));
  page.on('requestfailed', (r) => {
    // Loads cut short by the test's own reloads and page changes are aborted,
    // not failed; a missing file shows as a 404 or a not-found error instead.
    if (r.failure()?.errorText === 'net::ERR_ABORTED') return;
    if (!allowed(r.url())) problems.push(`request failed: ${r.url()} ${r.failure()?.errorText}`);
  });
  page.on('response', (r) => {
    if (r.status() >= 400 && !allowed(r.url())) problems.push(`HTTP ${r.status()}: ${r.url()}`);
  });
  return problems;
}

async function viewerState(page) {
  const shown = await page.evaluate(() => {
    const frame = document.querySelector('iframe[name="vmslide"]');
    const doc = frame && frame.contentDocument;
    const img = doc && doc.querySelector('#vm-stage img.vm-current');
    const note = doc && doc.getElementById('vm-note');
    return {
      hash: location.hash,
      src: img ? img.src : null,
      loaded: !!img && img.complete && img.naturalWidth > 0,
      visible: !!img && getComputedStyle(img).visibility === 'visible',
      note: note ? note.textContent : null,
      alt: img ? img.alt : null,
      title: document.title,
    };
  });
  const bar = await navFrame(page).evaluate(() => ({
    counter: document.getElementById('vm-count').textContent,
    list: document.getElementById('vm-list').value,
  }));
  return { ...shown, ...bar };
}

// The contrast of a CSS colour ("rgb(r, g, b)") with [r, g, b], as WCAG
// measures it: at least 4.5 is readable.
function contrast(colour, [r2, g2, b2]) {
  const lum = (rgb) =>
    rgb
      .map((v) => v / 255)
      .map((v) => (v <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4))
      .reduce((sum, v, i) => sum + v * [0.2126, 0.7152, 0.0722][i], 0);
  const [a, b] = [lum(colour.match(/\d+/g).slice(0, 3).map(Number)), lum([r2, g2, b2])];
  return (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05);
}

function imageName(n, ext) {
  return `img${String(n).padStart(3, '0')}.${ext}`;
}

// Waits until slide n is shown everywhere: the picture in the slide frame
// (loaded and visible, named by its number), the address, the document
// title, the counter and the slide list. The first wait of a page includes
// its frames and bar, which take seconds on a loaded two-core machine.
async function expectSlide(page, show, n) {
  const want = {
    hash: `#${n}`,
    src: show.base + imageName(n, show.ext),
    alt: `\u30b9\u30e9\u30a4\u30c9 ${n} / ${show.count}`,
    title: `\u30b9\u30e9\u30a4\u30c9\u30b7\u30e7\u30fc (${n} / ${show.count})`,
    counter: `${n} / ${show.count}`,
    list: String(n),
  };
  await poll(
    `slide ${n} expected (${JSON.stringify(want)})`,
    () => viewerState(page),
    (s) =>
      s.hash === want.hash &&
      s.src === want.src &&
      s.alt === want.alt &&
      s.title === want.title &&
      s.loaded &&
      s.visible &&
      s.counter === want.counter &&
      s.list === want.list,
    10000,
  );
}

// Presses keys and checks the slide after each; `null` targets keep the
// focus where it is.
const KEY_STEPS = [
  ['Home', () => 1],
  ['ArrowRight', (n) => n + 1],
  ['ArrowDown', (n) => n + 1],
  ['PageDown', (n) => n + 1],
  ['Space', (n) => n + 1],
  ['ArrowLeft', (n) => n - 1],
  ['ArrowUp', (n) => n - 1],
  ['PageUp', (n) => n - 1],
  ['Backspace', (n) => n - 1],
  ['End', (n, last) => last],
  ['ArrowRight', (n, last) => last], // never past the last slide ...
  ['ArrowLeft', (n, last) => last - 1], // ... which the next step would reveal
  ['Home', () => 1],
  ['PageUp', () => 1], // never before the first
  ['ArrowRight', () => 2],
];

// [focused control, key, slide after it], starting on the last slide.
const FOCUSED_KEYS = [
  ['#vm-list', 'ArrowUp', SLIDES - 1],
  ['#vm-list', 'ArrowDown', SLIDES],
  ['#vm-prev', 'Space', SLIDES - 1],
  ['#vm-prev', 'Enter', SLIDES - 2],
  ['#vm-next', 'Space', SLIDES - 1],
  ['#vm-first', 'Enter', 1],
  ['#vm-first', 'Space', 1],
  ['#vm-last', 'Space', SLIDES],
  ['#vm-list', 'Home', 1],
  ['#vm-list', 'End', SLIDES],
];

async function runKeys(page, show, label) {
  let n = null;
  for (const [key, next] of KEY_STEPS) {
    n = next(n, show.count);
    await page.keyboard.press(key);
    await expectSlide(page, show, n).catch((e) => {
      throw new Error(`${label}, key ${key}: ${e.message}`);
    });
  }
}

// Where the slide is painted inside the slide frame: the bounding box of
// everything that is not the frame's background, read from a screenshot.
async function paintedBox(page) {
  const clip = await page.locator('iframe[name="vmslide"]').boundingBox();
  const png = await page.screenshot({ clip });
  const box = await analysis.evaluate(
    async ({ data, bg }) => {
      const img = new Image();
      img.src = `data:image/png;base64,${data}`;
      await img.decode();
      const canvas = document.createElement('canvas');
      canvas.width = img.naturalWidth;
      canvas.height = img.naturalHeight;
      const g = canvas.getContext('2d');
      g.drawImage(img, 0, 0);
      const px = g.getImageData(0, 0, canvas.width, canvas.height).data;
      let left = canvas.width;
      let top = canvas.height;
      let right = -1;
      let bottom = -1;
      for (let y = 0; y < canvas.height; y++) {
        for (let x = 0; x < canvas.width; x++) {
          const i = (y * canvas.width + x) * 4;
          const d = Math.max(Math.abs(px[i] - bg[0]), Math.abs(px[i + 1] - bg[1]), Math.abs(px[i + 2] - bg[2]));
          if (d > 24) {
            if (x < left) left = x;
            if (x > right) right = x;
            if (y < top) top = y;
            if (y > bottom) bottom = y;
          }
        }
      }
      return { width: canvas.width, height: canvas.height, left, top, right: right + 1, bottom: bottom + 1 };
    },
    { data: png.toString('base64'), bg: BACKGROUND },
  );
  return box;
}

async function expectFilled(page, show, label) {
  const b = await paintedBox(page);
  const w = b.right - b.left;
  const h = b.bottom - b.top;
  const msg = `${label}: painted ${JSON.stringify(b)}`;
  assert.ok(w > 0 && h > 0, `${msg}: nothing painted`);
  const fillsWidth = b.left <= 1 && b.right >= b.width - 1;
  const fillsHeight = b.top <= 1 && b.bottom >= b.height - 1;
  assert.ok(fillsWidth || fillsHeight, `${msg}: the slide does not fill its frame`);
  assert.ok(Math.abs(w / h - show.ratio) / show.ratio < 0.02, `${msg}: aspect ratio ${w / h}, want ${show.ratio}`);
  assert.ok(Math.abs(b.left - (b.width - b.right)) <= 2, `${msg}: not centred across`);
  assert.ok(Math.abs(b.top - (b.height - b.bottom)) <= 2, `${msg}: not centred down`);
}

// The bar's controls as laid out in its frame: box, and whether they are shown.
async function barControls(page) {
  return navFrame(page).evaluate(() => {
    const e = document.documentElement;
    const controls = [...document.querySelectorAll('.vm-btn, #vm-list')]
      .filter((el) => el.offsetWidth > 0)
      .map((el) => {
        const r = el.getBoundingClientRect();
        return { id: el.id, x: r.x, y: r.y, right: r.right, bottom: r.bottom };
      });
    return {
      width: e.clientWidth,
      height: e.clientHeight,
      across: e.scrollWidth - e.clientWidth,
      down: e.scrollHeight - e.clientHeight,
      controls,
    };
  });
}

async function expectBar(page, edge, label) {
  // A row bar tells the entry page how tall it needs to be; wait for the
  // band to follow before measuring.
  const bar = await poll(
    `${label}: the bar's controls fit into its band`,
    () => barControls(page),
    (b) => b.across === 0 && b.down === 0,
  );
  const vp = page.viewportSize();
  const nav = await page.locator('iframe[name="vmnav"]').boundingBox();
  const slide = await page.locator('iframe[name="vmslide"]').boundingBox();
  const msg = `${label}: bar ${JSON.stringify(nav)}, slides ${JSON.stringify(slide)}`;
  const column = edge === 'left' || edge === 'right';
  const band = column ? nav.width : nav.height;
  const total = column ? vp.width : vp.height;
  assert.ok(band >= 24 && band <= Math.max(total * 0.15, 96), `${msg}: the bar is not a narrow band`);
  if (column) {
    assert.equal(nav.height, vp.height, msg);
    assert.equal(slide.height, vp.height, msg);
    assert.equal(slide.width, vp.width - nav.width, msg);
    assert.equal(edge === 'left' ? nav.x : slide.x, 0, msg);
    assert.equal(edge === 'left' ? slide.x : nav.x, edge === 'left' ? nav.width : slide.width, msg);
  } else {
    assert.equal(nav.width, vp.width, msg);
    assert.equal(slide.width, vp.width, msg);
    assert.equal(slide.height, vp.height - nav.height, msg);
    assert.equal(edge === 'top' ? nav.y : slide.y, 0, msg);
    assert.equal(edge === 'top' ? slide.y : nav.y, edge === 'top' ? nav.height : slide.height, msg);
  }
  // Every control is wholly inside the band and big enough to touch.
  for (const c of bar.controls) {
    const where = `${msg}: ${c.id} at ${JSON.stringify(c)} in ${bar.width}x${bar.height}`;
    assert.ok(c.x >= 0 && c.y >= 0 && c.right <= bar.width && c.bottom <= bar.height, `${where}: cut off`);
    assert.ok(c.right - c.x >= 24 && c.bottom - c.y >= 24, `${where}: smaller than 24x24`);
  }
  // The buttons read in order: each beside the one before it or below it.
  const boxes = bar.controls.filter((c) => c.id !== 'vm-list');
  for (let i = 1; i < boxes.length; i++) {
    const [a, b] = [boxes[i - 1], boxes[i]];
    assert.ok(b.x >= a.right || b.y >= a.bottom, `${msg}: ${b.id} neither beside nor below ${a.id}`);
  }
}

// ------------------------------------------------------------- the cases

function cases() {
  const list = [];
  for (const scheme of ['http', 'file']) {
    for (const icons of ['custom', 'standard']) {
      for (const layout of LAYOUTS) {
        const [player, download] = OPTIONS[(layout.style + (icons === 'custom' ? 0 : 2)) % 4];
        const format = (layout.style + (scheme === 'file' ? 1 : 0)) % 2 === 0 ? 'gif' : 'jpg';
        list.push({ scheme, icons, ...layout, player, download, format });
      }
    }
  }
  return list;
}

for (const c of cases()) {
  const id = `${c.scheme}-${c.icons}-${c.edge}`;
  const name =
    `${c.edge} bar over ${c.scheme}, ${c.icons} buttons, ${c.format}` +
    `${c.player ? ', player' : ''}${c.download ? ', download' : ''}`;
  test(name, async () => {
    const set = slideSets[c.format];
    const folder = path.join(root, id);
    writeExport(folder, set);
    makeViewer(folder, {
      style: c.style,
      icons: c.icons,
      player: c.player,
      download: c.download ? 'handout.pdf' : undefined,
    });
    const base = c.scheme === 'http' ? `${server.origin}/shows/${id}/` : `${pathToFileURL(folder).href}/`;
    const entry = `${base}index.html`;
    const show = { base, ext: set.ext, count: SLIDES, ratio: set.ratio };
    const buttonBase =
      c.icons === 'custom'
        ? `${base}buttons/`
        : c.scheme === 'http'
          ? `${server.origin}/vellumet/buttons/`
          : 'file:///vellumet/buttons/';
    // Opened from disk, the standard set (a server path) cannot be found: the
    // bar must then work with its text labels.
    const imagesMissing = c.scheme === 'file' && c.icons === 'standard';
    const allowed = (url) => imagesMissing && url.startsWith(buttonBase);

    const context = await browser.newContext({ viewport: VIEWPORT });
    context.setDefaultTimeout(10000);
    const page = await context.newPage();
    const problems = watch(page, allowed);
    try {
      await page.goto(entry);
      await expectSlide(page, show, 1);

      // The keys, first with the focus on the entry page as it opens.
      await runKeys(page, show, 'entry page focused');

      await expectBar(page, c.edge, 'wide window');
      await expectFilled(page, show, 'wide window');

      // The buttons and the images they show.
      const nav = navFrame(page);
      const wanted = BUTTONS.filter(
        ([bid]) => (bid !== 'vm-download' || c.download) && (bid !== 'vm-player' || c.player),
      );
      const buttons = await nav.$$eval('.vm-btn img', (imgs) =>
        imgs.map((img) => {
          const label = img.parentElement.querySelector('.vm-label');
          return {
            id: img.parentElement.id,
            src: img.src,
            loaded: img.complete && img.naturalWidth > 0,
            alt: img.alt,
            title: img.parentElement.title,
            label: label && label.offsetWidth > 0 ? label.textContent : null,
          };
        }),
      );
      assert.deepEqual(
        buttons.map((b) => [b.id, b.src]),
        wanted.map(([bid, file]) => [bid, buttonBase + file]),
      );
      for (const b of buttons) {
        assert.match(b.alt, JAPANESE, `${b.id} alt text`);
        assert.match(b.title, JAPANESE, `${b.id} tooltip`);
        if (imagesMissing) {
          assert.equal(b.loaded, false, `${b.id} image should be missing`);
          assert.equal(b.label, b.alt, `${b.id} shows its name when the image is missing`);
        } else {
          assert.equal(b.loaded, true, `${b.id} image not loaded`);
          assert.equal(b.label, null, `${b.id} label shown although the image loaded`);
        }
      }

      // First, previous, next, last; never past either end.
      const clicks = [
        ['#vm-first', 1],
        ['#vm-next', 2],
        ['#vm-last', SLIDES],
        ['#vm-next', SLIDES],
        ['#vm-prev', SLIDES - 1],
        ['#vm-first', 1],
        ['#vm-prev', 1],
        ['#vm-next', 2],
      ];
      for (const [selector, n] of clicks) {
        // At either end the button is marked disabled; pressing it must do nothing.
        await nav.click(selector, { force: true });
        await expectSlide(page, show, n);
      }

      // The slide list jumps; it follows the slide shown (checked above).
      await nav.selectOption('#vm-list', '4');
      await expectSlide(page, show, 4);
      await nav.selectOption('#vm-list', String(SLIDES));
      await expectSlide(page, show, SLIDES);
      // Space and Enter press the focused button, as everywhere; the focused
      // list keeps its own keys (arrows move one slide, not two). Once per
      // layout and scheme: the buttons' names do not change this.
      for (const [selector, key, n] of c.icons === 'custom' ? FOCUSED_KEYS : FOCUSED_KEYS.slice(0, 2)) {
        await nav.focus(selector);
        await page.keyboard.press(key);
        await expectSlide(page, show, n).catch((e) => {
          throw new Error(`${key} on ${selector}: ${e.message}`);
        });
      }

      // The keys with the focus in the bar, then in the slide frame.
      await nav.click('#vm-count');
      await runKeys(page, show, 'navigation bar focused');
      const slideBox = await page.locator('iframe[name="vmslide"]').boundingBox();
      await page.mouse.click(slideBox.x + slideBox.width / 2, slideBox.y + slideBox.height / 2);
      await runKeys(page, show, 'slide frame focused');

      // Download and player buttons.
      const links = await nav.evaluate(() => {
        const get = (id) => {
          const a = document.getElementById(id);
          return a ? { href: a.href, download: a.hasAttribute('download'), target: a.target } : null;
        };
        return { download: get('vm-download'), player: get('vm-player') };
      });
      const bar = fs.readFileSync(path.join(folder, 'navbtn1.htm'), 'latin1');
      if (c.download) {
        assert.deepEqual(links.download, { href: `${base}handout.pdf`, download: true, target: '' });
        if (c.scheme === 'http') {
          const res = await fetch(links.download.href);
          assert.equal(res.status, 200, 'download file served');
        } else {
          assert.ok(fs.existsSync(path.join(folder, 'handout.pdf')));
        }
      } else {
        assert.equal(links.download, null, 'no download button without the option');
      }
      assert.ok(!bar.includes('DOWNLOAD_FILE') && !bar.includes('sld000'), 'markers left in the bar');
      if (c.player) {
        // The link names the way back: this entry page at the slide shown
        // (slide 2, where the last key run ended).
        assert.deepEqual(links.player, {
          href: `${base}sld001.htm#from=index.html%232`,
          download: false,
          target: '_top',
        });
      } else {
        assert.equal(links.player, null, 'no player button without the option');
      }

      // Deep links, reloads and the address following the slide.
      await page.goto('about:blank');
      await page.goto(`${entry}#5`);
      await expectSlide(page, show, 5);
      await page.reload();
      await expectSlide(page, show, 5);
      await page.keyboard.press('ArrowRight');
      await expectSlide(page, show, 6);
      await page.reload();
      await expectSlide(page, show, 6);
      // A new address on the same page (typed or followed) moves the show too.
      await page.evaluate(() => {
        location.hash = '#3';
      });
      await expectSlide(page, show, 3);
      await page.evaluate(() => {
        location.hash = '#99';
      });
      await expectSlide(page, show, SLIDES);
      await page.goto('about:blank');
      await page.goto(`${entry}#0`);
      await expectSlide(page, show, 1);

      if (c.player) {
        await page.keyboard.press('End');
        await expectSlide(page, show, SLIDES);
        // Space presses a focused link too.
        await navFrame(page).focus('#vm-player');
        await page.keyboard.press('Space');
        await page.waitForURL(`${base}sld001.htm#from=index.html%23${SLIDES}`);
        assert.equal(await page.title(), SHOW_TITLE);
        assert.equal(await page.textContent('#vm-title'), SHOW_TITLE);
        assert.equal(await page.getAttribute('meta[name="vellumet-show-path"]', 'content'), '/img1/');
        assert.equal(await page.evaluate(() => document.getElementById('vm-ppz').href), `${base}pres0.ppz`);
        assert.ok(fs.existsSync(path.join(folder, 'pres0.ppz')), 'pres0.ppz next to the player page');
        assert.equal(await page.getAttribute('object', 'data'), 'pres0.ppz');
        await page.click('#vm-back');
        await page.waitForURL(`${entry}#${SLIDES}`);
        await expectSlide(page, show, SLIDES);

        // Opened on its own (a new tab), the player page still leads back,
        // but only to a page of this folder: a bad name in its address gives
        // way to the place this browser last showed the show at.
        const last = `${entry}#${SLIDES}`;
        const backs = [
          [`from=index.html%234`, `${entry}#4`],
          [`from=${encodeURIComponent('javascript:alert(1)')}`, last],
          [`from=${encodeURIComponent('../other.html#2')}`, last],
          [`from=${encodeURIComponent('http://example.invalid/')}`, last],
          ['from=%E0%A4%A', last],
          ['', last],
        ];
        // Another tab's storage reaches a new one a moment later in a busy
        // browser, so a page that found nothing yet is opened again.
        for (const [hash, want] of backs) {
          const alone = await context.newPage();
          const backHref = () => alone.evaluate(() => {
            const a = document.getElementById('vm-back');
            return a.hasAttribute('href') ? a.href : null;
          });
          await alone.goto(`${base}sld001.htm#${hash}`);
          let href = await backHref();
          for (let tries = 0; tries < 20 && href === null; tries++) {
            await alone.waitForTimeout(100);
            await alone.reload();
            href = await backHref();
          }
          assert.equal(href, want, hash);
          await alone.close();
        }
        await page.goto(`${base}sld001.htm#from=index.html%234`);
        await page.click('#vm-back');
        await expectSlide(page, show, 4);
      } else {
        // Without the option the export's own sld001.htm stays as it was.
        const exportPage = fs.readFileSync(path.join(folder, 'sld001.htm'), 'latin1');
        assert.equal(exportPage, '<html><body>export page</body></html>\r\n');
      }

      // The slide keeps filling its frame in a tall window too.
      await page.setViewportSize({ width: 640, height: 900 });
      await expectFilled(page, show, 'tall window');
      await expectBar(page, c.edge, 'tall window');

      if (c.scheme === 'http' && c.icons === 'custom') {
        await page.setViewportSize(VIEWPORT);
        await page.goto('about:blank');
        await page.goto(`${entry}#2`);
        await expectSlide(page, show, 2);
        await page.screenshot({ path: path.join(OUTPUT_DIR, `layout-${c.edge}.png`) });
      }

      assert.deepEqual(problems, [], 'console errors or failed requests');
    } finally {
      await context.close();
    }
  });
}

// ------------------------------------------------- phones, touch, no script

const PHONE = { viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2 };
const SMALL_PHONE = { ...PHONE, viewport: { width: 320, height: 568 } };

// A one-finger swipe through the middle of `box`, dx across and dy down.
async function swipe(cdp, box, dx, dy) {
  const x = box.x + box.width / 2 - dx / 2;
  const y = box.y + box.height / 2 - dy / 2;
  const point = (i) => [{ x: x + (dx * i) / 6, y: y + (dy * i) / 6 }];
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: point(0) });
  for (let i = 1; i <= 6; i++) await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: point(i) });
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
}

// [dx, dy, slide after it], starting on slide 1: right to left is next, left
// to right previous, never past either end; short or mostly vertical moves
// do nothing.
const SWIPES = [
  [200, 0, 1],
  [-200, 0, 2],
  [-150, 30, 3],
  [180, -20, 2],
  [20, 0, 2],
  [-60, 200, 2],
  [-200, 0, 3],
];

for (const scheme of ['http', 'file']) {
  for (const layout of LAYOUTS) {
    // Over file:// the standard buttons are missing and show their names,
    // which are wider than the images.
    const icons = scheme === 'http' ? 'custom' : 'standard';
    test(`${layout.edge} bar on a phone over ${scheme}, ${icons} buttons: fits, touch, swipes`, async () => {
      const id = `phone-${scheme}-${layout.edge}`;
      const folder = path.join(root, id);
      writeExport(folder, slideSets.jpg);
      makeViewer(folder, { style: layout.style, icons, player: true, download: 'handout.pdf' });
      const base = scheme === 'http' ? `${server.origin}/shows/${id}/` : `${pathToFileURL(folder).href}/`;
      const entry = `${base}index.html`;
      const show = { base, ext: 'jpg', count: SLIDES, ratio: slideSets.jpg.ratio };
      const context = await browser.newContext(PHONE);
      context.setDefaultTimeout(10000);
      const page = await context.newPage();
      const problems = watch(page, (url) => icons === 'standard' && url.includes('/vellumet/buttons/'));
      try {
        await page.goto(entry);
        await expectSlide(page, show, 1);
        await expectBar(page, layout.edge, 'phone');
        await expectFilled(page, show, 'phone');
        const across = await page.evaluate(() => document.documentElement.scrollWidth - innerWidth);
        assert.ok(across <= 0, `the page scrolls across by ${across} px`);
        if (scheme === 'http') await page.screenshot({ path: path.join(OUTPUT_DIR, `phone-${layout.edge}.png`) });

        // Sideways moves on the slide are the show's, the rest the browser's.
        const touchAction = await page.evaluate(
          () => getComputedStyle(document.querySelector('iframe[name="vmslide"]').contentDocument.documentElement).touchAction,
        );
        assert.equal(touchAction, 'pan-y pinch-zoom');
        const historyLength = await page.evaluate(() => history.length);
        const cdp = await context.newCDPSession(page);
        const box = await page.locator('iframe[name="vmslide"]').boundingBox();
        for (const [dx, dy, n] of SWIPES) {
          await swipe(cdp, box, dx, dy);
          await expectSlide(page, show, n).catch((e) => {
            throw new Error(`swipe ${dx},${dy}: ${e.message}`);
          });
        }
        await page.keyboard.press('End');
        await expectSlide(page, show, SLIDES);
        await swipe(cdp, box, -200, 0);
        await sleep(100);
        await expectSlide(page, show, SLIDES);
        assert.equal(page.url(), `${entry}#${SLIDES}`, 'a swipe left the show');
        assert.equal(await page.evaluate(() => history.length), historyLength, 'a swipe added to the history');

        // The bar's buttons and list answer taps.
        const nav = navFrame(page);
        await nav.tap('#vm-first');
        await expectSlide(page, show, 1);
        await nav.tap('#vm-next');
        await expectSlide(page, show, 2);
        await nav.selectOption('#vm-list', '5');
        await expectSlide(page, show, 5);
        assert.deepEqual(problems, [], 'console errors or failed requests');
      } finally {
        await context.close();
      }
    });
  }
}

// Windows from a small phone held sideways to a large screen: [width, height].
const WINDOWS = [
  [320, 320],
  [568, 320],
  [320, 568],
  [844, 390],
  [1280, 400],
  [390, 844],
  [768, 1024],
  [1920, 1080],
  [280, 600],
];

const SCREENSHOTS = ['844x390', '320x568'];

// Runs in the top page before its own scripts: keeps the slide area's box of
// every animation frame for as long as the page lives, each change once.
function recordSlideArea() {
  if (window !== window.top) return;
  const boxes = (window.__vmAreaBoxes = []);
  const tick = () => {
    const area = document.querySelector('.vm-area');
    if (area) {
      const r = area.getBoundingClientRect();
      const box = `${r.x},${r.y} ${r.width}x${r.height}`;
      if (boxes[boxes.length - 1] !== box) boxes.push(box);
    }
    requestAnimationFrame(tick);
  };
  requestAnimationFrame(tick);
}

// With both options on, in every layout and window: every control of the
// bar on screen and big enough to touch, and the slide painted first where
// it stays (the band is settled before the first paint). Over file:// the
// standard buttons are missing and show their names.
for (const scheme of ['http', 'file']) {
  const icons = scheme === 'http' ? 'custom' : 'standard';
  test(`every window over ${scheme}, ${icons} buttons: the whole bar on screen, the slide where it is first painted`, async () => {
    const shows = LAYOUTS.map((layout) => {
      const id = `windows-${scheme}-${layout.edge}`;
      const folder = path.join(root, id);
      writeExport(folder, slideSets.jpg);
      makeViewer(folder, { style: layout.style, icons, player: true, download: 'handout.pdf' });
      const base = scheme === 'http' ? `${server.origin}/shows/${id}/` : `${pathToFileURL(folder).href}/`;
      return { ...layout, base, ext: 'jpg', count: SLIDES };
    });
    for (const [width, height] of WINDOWS) {
      const context = await browser.newContext({ viewport: { width, height } });
      context.setDefaultTimeout(10000);
      await context.addInitScript(recordSlideArea);
      const page = await context.newPage();
      const problems = watch(page, (url) => icons === 'standard' && url.includes('/vellumet/buttons/'));
      try {
        for (const show of shows) {
          const label = `${show.edge}, ${width}x${height}`;
          await page.goto(`${show.base}index.html`);
          await expectSlide(page, show, 1);
          await expectBar(page, show.edge, label);
          const boxes = await page.evaluate(() => window.__vmAreaBoxes);
          assert.equal(boxes.length, 1, `${label}: the slide moved after it was first painted: ${boxes.join(' | ')}`);
          // Until a slide arrives its name shows, readable on the background.
          const colours = await page.evaluate(() => [
            getComputedStyle(document.body).color,
            getComputedStyle(document.querySelector('iframe[name="vmslide"]').contentDocument.querySelector('#vm-stage img')).color,
          ]);
          for (const colour of colours) assert.ok(contrast(colour, BACKGROUND) >= 4.5, `${label}: alt text in ${colour}`);
          if (scheme === 'http' && SCREENSHOTS.includes(`${width}x${height}`)) {
            await page.screenshot({ path: path.join(OUTPUT_DIR, `window-${width}x${height}-${show.edge}.png`) });
          }
        }
        assert.deepEqual(problems, [], 'console errors or failed requests');
      } finally {
        await context.close();
      }
    }
  });
}

// Without script the first slide is shown beside the bar, and the bar says
// that stepping needs script; its links still work, but the top button,
// which leads nowhere from disk, is dimmed there.
for (const scheme of ['http', 'file']) {
  test(`without script over ${scheme}: the first slide and a note, in every layout`, async () => {
    const shows = LAYOUTS.map((layout) => {
      const id = `noscript-${scheme}-${layout.edge}`;
      const folder = path.join(root, id);
      const set = slideSets[layout.style % 2 ? 'jpg' : 'gif'];
      writeExport(folder, set);
      makeViewer(folder, { style: layout.style, icons: 'custom', player: true });
      const base = scheme === 'http' ? `${server.origin}/shows/${id}/` : `${pathToFileURL(folder).href}/`;
      return { ...layout, base, ext: set.ext };
    });
    // From disk the browser refuses the page's question of where it is.
    const asked = /\/img001\.(gif|jpg)\b/;
    const allowed = (url, message = '') => scheme === 'file' && (asked.test(url) || asked.test(message));
    for (const options of [{ viewport: VIEWPORT }, PHONE]) {
      const context = await browser.newContext({ ...options, javaScriptEnabled: false });
      const page = await context.newPage();
      const problems = watch(page, allowed);
      try {
        for (const show of shows) {
          const label = `${show.edge}, ${options.viewport.width} px`;
          await page.goto(`${show.base}index.html#3`);
          const slide = page.locator('#vm-first-slide');
          await poll(
            `${label}: first slide shown`,
            () => slide.evaluate((img) => img.complete && img.naturalWidth > 0),
            (loaded) => loaded,
          );
          assert.equal(await slide.evaluate((img) => img.src), `${show.base}img001.${show.ext}`, label);
          const colour = await slide.evaluate((img) => getComputedStyle(img).color);
          assert.ok(contrast(colour, BACKGROUND) >= 4.5, `${label}: alt text in ${colour}`);
          // The bar for where the page was opened from, and only that one.
          const [barId, otherId] = scheme === 'http' ? ['#vm-nav', '#vm-nav-disk'] : ['#vm-nav-disk', '#vm-nav'];
          await page.locator(barId).waitFor({ state: 'visible' });
          assert.equal(await page.locator(otherId).isVisible(), false, `${label}: ${otherId} shown`);
          const nav = page.frameLocator(barId);
          const note = nav.locator('#vm-noscript');
          await note.waitFor({ state: 'visible' });
          assert.match(await note.textContent(), JAPANESE, label);
          assert.match(await note.textContent(), /JavaScript/, label);
          // Controls that need script are gone; the links stay.
          const gone = ['#vm-first', '#vm-prev', '#vm-next', '#vm-last', '#vm-list', '#vm-overview', '#vm-full', '#vm-count'];
          for (const id of gone) {
            assert.equal(await nav.locator(id).isVisible(), false, `${label}: ${id} shown`);
          }
          assert.equal(await nav.locator('#vm-player').isVisible(), true, `${label}: #vm-player hidden`);
          const top = await nav.locator('#vm-top').evaluate((a) => ({
            link: getComputedStyle(a).visibility === 'visible',
            image: getComputedStyle(a.firstChild).visibility === 'visible' && a.firstChild.offsetWidth > 0,
            opacity: Number(getComputedStyle(a.firstChild).opacity),
          }));
          assert.deepEqual(top, { link: true, image: true, opacity: 1, ...(scheme === 'file' && { link: false, opacity: 0.35 }) }, label);
          // Bar and slide share the window without overlapping.
          const barBox = await page.locator(barId).boundingBox();
          const slideBox = await slide.boundingBox();
          const vp = options.viewport;
          const covered = barBox.width * barBox.height + slideBox.width * slideBox.height;
          assert.equal(Math.round(covered), vp.width * vp.height, label);
          if (scheme === 'http' && options === PHONE) {
            await page.screenshot({ path: path.join(OUTPUT_DIR, `noscript-phone-${show.edge}.png`) });
          }
        }
        assert.deepEqual(problems, [], 'console errors or failed requests');
      } finally {
        await context.close();
      }
    }
  });
}

// The player page opened on its own leads back to the show whatever its
// entry page is called, at the slide last shown, wherever the browser can
// tell; otherwise it says where to go. Either is above the fold on a small
// phone.
for (const scheme of ['http', 'file']) {
  test(`player page opened on its own over ${scheme}`, async () => {
    const id = `alone-${scheme}`;
    const folder = path.join(root, id);
    writeExport(folder, slideSets.gif);
    makeViewer(folder, { style: 3, icons: 'custom', player: true, page: 'show.htm' });
    const base = scheme === 'http' ? `${server.origin}/shows/${id}/` : `${pathToFileURL(folder).href}/`;
    const player = `${base}sld001.htm`;
    const ways = [
      // [how it is opened, way back (null: a note instead)]
      ['fresh', async (page) => page.goto(player), null],
      ['named by the bar', async (page) => page.goto(`${player}#from=show.htm%233`), `${base}show.htm#3`],
      ['after the show', async (page, context) => {
        const shown = await context.newPage();
        await shown.goto(`${base}show.htm#2`);
        await expectSlide(shown, { base, ext: 'gif', count: SLIDES }, 2);
        await shown.close();
        await page.goto(player);
      }, `${base}show.htm#2`],
    ];
    if (scheme === 'http') {
      ways.push(['linked from the show', async (page) => page.goto(player, { referer: `${base}show.htm` }), `${base}show.htm`]);
      ways.push(['linked from the show after slide 4', async (page, context) => {
        const shown = await context.newPage();
        await shown.goto(`${base}show.htm#4`);
        await expectSlide(shown, { base, ext: 'gif', count: SLIDES }, 4);
        await shown.close();
        await page.goto(player, { referer: `${base}show.htm` });
      }, `${base}show.htm#4`]);
      ways.push(['linked from elsewhere', async (page) => page.goto(player, { referer: `${server.origin}/other/x.htm` }), null]);
    }
    for (const [how, open, want] of ways) {
      const context = await browser.newContext(SMALL_PHONE);
      const page = await context.newPage();
      const problems = watch(page);
      try {
        await open(page, context);
        const back = await page.evaluate(() => {
          const a = document.getElementById('vm-back');
          const note = document.getElementById('vm-back-note');
          const shown = a.offsetWidth > 0 ? a : note;
          return {
            href: a.hasAttribute('href') ? a.href : null,
            link: a.offsetWidth > 0,
            note: note.offsetWidth > 0 ? note.textContent : null,
            bottom: shown.getBoundingClientRect().bottom,
          };
        });
        assert.ok(back.bottom <= SMALL_PHONE.viewport.height, `${how}: the way back ends at ${back.bottom}, below the fold`);
        if (want) {
          assert.deepEqual([back.href, back.link, back.note], [want, true, null], how);
        } else {
          assert.deepEqual([back.href, back.link], [null, false], how);
          assert.match(back.note || '', JAPANESE, how);
        }
        assert.deepEqual(problems, [], how);
      } finally {
        await context.close();
      }
    }
  });
}

// Full screen: the bar's button asks the entry page, which owns the window.
test('full-screen button toggles full screen for the whole viewer', async () => {
  const set = slideSets.gif;
  const folder = path.join(root, 'fullscreen');
  writeExport(folder, set);
  makeViewer(folder, { style: 0, icons: 'custom' });
  const context = await browser.newContext({ viewport: VIEWPORT });
  const page = await context.newPage();
  const problems = watch(page);
  try {
    const base = `${server.origin}/shows/fullscreen/`;
    await page.goto(`${base}index.html`);
    await expectSlide(page, { base, ext: 'gif', count: SLIDES }, 1);
    await navFrame(page).click('#vm-full');
    await poll('full screen on', () => page.evaluate(() => !!document.fullscreenElement), (on) => on);
    await navFrame(page).click('#vm-full');
    await poll('full screen off', () => page.evaluate(() => !!document.fullscreenElement), (on) => !on);
    assert.deepEqual(problems, []);
  } finally {
    await context.close();
  }
});

// ------------------------------------------------ the view of all slides

const MANY = 60;

// A show of MANY slides (the fixture's slides over and over) in `layout`;
// `titles` (slide number -> text) are put into the bar's slide list as a
// show with text has them.
function manySlides(id, layout, scheme, titles = {}) {
  const folder = path.join(root, id);
  const set = slideSets.jpg;
  writeExport(folder, { ...set, images: Array.from({ length: MANY }, (_, i) => set.images[i % set.images.length]) });
  makeViewer(folder, { style: layout.style, icons: 'custom', player: true, download: 'handout.pdf' });
  const bar = path.join(folder, 'navbtn1.htm');
  const withTitles = fs
    .readFileSync(bar, 'latin1')
    .replace(/(<OPTION VALUE="(\d+)">\d+)\r\n/g, (line, option, n) => (titles[n] ? `${option} ${titles[n]}\r\n` : line));
  fs.writeFileSync(bar, withTitles, 'latin1');
  const base = scheme === 'http' ? `${server.origin}/shows/${id}/` : `${pathToFileURL(folder).href}/`;
  return { base, ext: 'jpg', count: MANY, ratio: set.ratio };
}

// What the view of all slides shows: whether it is open, the thumbnail with
// the focus (its name), the one marked current, and the bar's control.
async function overviewState(page) {
  const view = await page.evaluate(() => {
    const nav = document.getElementById('vm-overview');
    const focused = document.activeElement;
    return {
      open: !!nav && !nav.hidden,
      focused: focused && focused.classList.contains('vm-thumb') ? focused.getAttribute('aria-label') : null,
      current: nav ? nav.querySelector('[aria-current]')?.getAttribute('data-slide') ?? null : null,
    };
  });
  view.pressed = await navFrame(page).evaluate(() => document.getElementById('vm-overview').getAttribute('aria-pressed'));
  return view;
}

async function expectOverview(page, want, label) {
  await poll(`${label}: the view of all slides ${JSON.stringify(want)}`, () => overviewState(page), (s) =>
    Object.entries(want).every(([k, v]) => s[k] === v),
  );
}

// Keys in the view, from slide 7 with the focus on its thumbnail: [key, the
// thumbnail focused after it] (cols: thumbnails in a row).
const OVERVIEW_KEYS = [
  ['ArrowRight', () => 8],
  ['ArrowDown', (cols) => 8 + cols],
  ['ArrowLeft', (cols) => 7 + cols],
  ['ArrowUp', () => 7],
  ['End', () => MANY],
  ['Home', () => 1],
  ['ArrowLeft', () => 1],
  ['ArrowRight', () => 2],
];

for (const scheme of ['http', 'file']) {
  test(`view of all slides by keyboard over ${scheme}`, async () => {
    const show = manySlides(`overview-keys-${scheme}`, LAYOUTS[0], scheme);
    const context = await browser.newContext({ viewport: VIEWPORT });
    context.setDefaultTimeout(10000);
    const page = await context.newPage();
    const problems = watch(page);
    try {
      await page.goto(`${show.base}index.html#7`);
      await expectSlide(page, show, 7);
      await page.keyboard.press('g');
      await expectOverview(page, { open: true, focused: '\u30b9\u30e9\u30a4\u30c9 7', current: '7', pressed: 'true' }, 'G');
      const cols = await page.evaluate(() => {
        const tops = [...document.querySelectorAll('.vm-thumb')].map((a) => a.offsetTop);
        return tops.filter((t) => t === tops[0]).length;
      });
      for (const [key, next] of OVERVIEW_KEYS) {
        await page.keyboard.press(key);
        await expectOverview(page, { focused: `\u30b9\u30e9\u30a4\u30c9 ${next(cols)}` }, key);
      }
      // Enter opens the focused slide and closes the view; so does Space.
      await page.keyboard.press('Enter');
      await expectSlide(page, show, 2);
      await expectOverview(page, { open: false, pressed: 'false' }, 'Enter');
      await page.keyboard.press('Shift+G');
      await expectOverview(page, { open: true, focused: '\u30b9\u30e9\u30a4\u30c9 2', current: '2' }, 'Shift+G');
      await page.keyboard.press('ArrowRight');
      await page.keyboard.press('Space');
      await expectSlide(page, show, 3);
      // Escape and G close it again, the slide unchanged; the arrows then
      // step the show as before.
      for (const key of ['Escape', 'g']) {
        await page.keyboard.press('g');
        await expectOverview(page, { open: true, focused: '\u30b9\u30e9\u30a4\u30c9 3' }, key);
        await page.keyboard.press(key);
        await expectOverview(page, { open: false, pressed: 'false' }, key);
        await expectSlide(page, show, 3);
      }
      await page.keyboard.press('ArrowRight');
      await expectSlide(page, show, 4);
      // The keys work from the bar's frame too.
      await navFrame(page).focus('#vm-next');
      await page.keyboard.press('g');
      await expectOverview(page, { open: true, current: '4' }, 'G in the bar');
      await page.keyboard.press('Escape');
      await expectOverview(page, { open: false }, 'Escape in the bar');
      assert.deepEqual(problems, [], 'console errors or failed requests');
    } finally {
      await context.close();
    }
  });
}

// The bar's control opens and closes the view; a click on a thumbnail opens
// its slide. Only the thumbnails in view are fetched, and a show with text
// names its thumbnails by their titles.
test('view of all slides by mouse: the control, thumbnails fetched as they come into view, titles', async () => {
  const titles = { 2: 'Agenda', 12: 'Results &amp; next steps' };
  const show = manySlides('overview-mouse', LAYOUTS[1], 'http', titles);
  const context = await browser.newContext({ viewport: VIEWPORT });
  context.setDefaultTimeout(10000);
  const page = await context.newPage();
  const problems = watch(page);
  const requested = () => server.requests.filter((p) => p.startsWith('/shows/overview-mouse/img'));
  try {
    await page.goto(`${show.base}index.html`);
    await expectSlide(page, show, 1);
    const before = requested().length;
    await navFrame(page).click('#vm-overview');
    await expectOverview(page, { open: true, current: '1', pressed: 'true' }, 'control');
    // Every thumbnail in view is fetched and drawn; beyond them, at most the
    // next row.
    const view = await poll(
      'thumbnails in view drawn',
      () =>
        page.evaluate(() => {
          const nav = document.getElementById('vm-overview').getBoundingClientRect();
          const thumbs = [...document.querySelectorAll('.vm-thumb')];
          const inView = thumbs.filter((a) => {
            const r = a.getBoundingClientRect();
            return r.bottom > nav.top && r.top < nav.bottom;
          });
          return {
            inView: inView.length,
            drawn: inView.every((a) => a.firstChild.complete && a.firstChild.naturalWidth > 0),
            row: thumbs.filter((a) => a.offsetTop === thumbs[0].offsetTop).length,
          };
        }),
      (v) => v.drawn,
    );
    const fetched = requested().length - before;
    assert.ok(fetched >= view.inView && fetched <= view.inView + view.row && fetched < MANY, `${fetched} fetched, ${view.inView} in view`);
    // Titles from the slide list, the number alone where there is none.
    const names = await page.evaluate(() =>
      [1, 2, 12].map((n) => {
        const a = document.querySelector(`.vm-thumb[data-slide="${n}"]`);
        return [a.getAttribute('aria-label'), a.textContent];
      }),
    );
    await page.evaluate(() => Promise.all([...document.querySelectorAll('.vm-thumb img[src]')].map((i) => i.decode().catch(() => {}))));
    await page.screenshot({ path: path.join(OUTPUT_DIR, 'overview.png') });
    assert.deepEqual(names, [
      ['\u30b9\u30e9\u30a4\u30c9 1', '1'],
      ['\u30b9\u30e9\u30a4\u30c9 2 Agenda', '2 Agenda'],
      ['\u30b9\u30e9\u30a4\u30c9 12 Results & next steps', '12 Results & next steps'],
    ]);
    await navFrame(page).click('#vm-overview');
    await expectOverview(page, { open: false, pressed: 'false' }, 'control again');
    await navFrame(page).click('#vm-overview');
    await page.click('.vm-thumb[data-slide="12"]');
    await expectSlide(page, show, 12);
    await expectOverview(page, { open: false, pressed: 'false' }, 'thumbnail clicked');
    // A step from the bar closes the view too.
    await navFrame(page).click('#vm-overview');
    await expectOverview(page, { open: true, current: '12' }, 'control');
    await navFrame(page).click('#vm-next');
    await expectSlide(page, show, 13);
    await expectOverview(page, { open: false }, 'next');
    assert.deepEqual(problems, [], 'console errors or failed requests');
  } finally {
    await context.close();
  }
});

// On a phone: two columns, a tap on the control and on a thumbnail.
test('view of all slides by touch on a phone: two columns, taps', async () => {
  const show = manySlides('overview-touch', LAYOUTS[2], 'http');
  const context = await browser.newContext(PHONE);
  context.setDefaultTimeout(10000);
  const page = await context.newPage();
  const problems = watch(page);
  try {
    await page.goto(`${show.base}index.html#5`);
    await expectSlide(page, show, 5);
    await navFrame(page).tap('#vm-overview');
    await expectOverview(page, { open: true, current: '5', pressed: 'true' }, 'tap');
    const columns = await page.evaluate(() => new Set([...document.querySelectorAll('.vm-thumb')].map((a) => a.offsetLeft)).size);
    assert.equal(columns, 2);
    await page.screenshot({ path: path.join(OUTPUT_DIR, 'overview-phone.png') });
    await page.tap('.vm-thumb[data-slide="6"]');
    await expectSlide(page, show, 6);
    await expectOverview(page, { open: false, pressed: 'false' }, 'thumbnail tapped');
    assert.deepEqual(problems, [], 'console errors or failed requests');
  } finally {
    await context.close();
  }
});

// Printed from the view, the show gives one page a slide.
test('view of all slides printed: every slide, one a page', async () => {
  const show = manySlides('overview-print', LAYOUTS[3], 'http');
  const context = await browser.newContext({ viewport: VIEWPORT });
  const page = await context.newPage();
  try {
    await page.goto(`${show.base}index.html`);
    await expectSlide(page, show, 1);
    await page.keyboard.press('g');
    await expectOverview(page, { open: true }, 'G');
    const pdf = (await page.pdf({ format: 'A4', landscape: true })).toString('latin1');
    assert.equal(pdf.match(/\/Type \/Page\b(?!s)/g).length, MANY);
    const drawn = await page.evaluate(() => [...document.querySelectorAll('.vm-thumb img')].every((img) => img.complete && img.naturalWidth > 0));
    assert.ok(drawn, 'every slide loaded for printing');
  } finally {
    await context.close();
  }
});

// A slide count above the images found, or none at all, is told in the slide
// frame instead of showing a broken picture; also when the slide's image has
// already been refused before the show's script starts (the server holds the
// page back just before that script until then).
const SHOW_SCRIPT = "<script>\r\n// Each slide's title";
for (const [count, slide, expected, held] of [
  ['7', 7, /img007\.gif/, false],
  ['7', 7, /img007\.gif/, true],
  ['0', null, new RegExp('\u30b9\u30e9\u30a4\u30c9\u304c\u3042\u308a\u307e\u305b\u3093'), false],
]) {
  const when = held ? ', refused before the show script runs,' : '';
  test(`slide count ${count} with ${SLIDES} images${when} says what is wrong`, async () => {
    const id = `count-${count}${held ? '-held' : ''}`;
    const folder = path.join(root, id);
    writeExport(folder, slideSets.gif);
    makeViewer(folder, { style: 2, icons: 'custom', count });
    const base = `${server.origin}/shows/${id}/`;
    if (held) {
      const refused = `/shows/${id}/img007.gif`;
      server.holdBack(`/shows/${id}/index.html`, SHOW_SCRIPT, async () => {
        await poll('the slide refused', () => server.requests.includes(refused), (seen) => seen);
        await sleep(300);
      });
    }
    const context = await browser.newContext({ viewport: VIEWPORT });
    const page = await context.newPage();
    const missing = (url) => url === `${base}img007.gif`;
    const problems = watch(page, missing);
    try {
      await page.goto(`${base}index.html${slide ? `#${slide}` : ''}`);
      const state = await poll(
        'a note in the slide frame',
        () => viewerState(page),
        (s) => expected.test(s.note || ''),
      );
      assert.equal(state.loaded, false);
      assert.deepEqual(problems, []);
    } finally {
      await context.close();
    }
  });
}

// The shipped data beside the program: templates that read alike in every
// code page, and four entry templates that differ only in their bar's edge.
test('templates and icon lists are ASCII with CR LF line ends', () => {
  const files = [
    ...fs.readdirSync(path.join(SOURCE_DIR, 'Template')).map((f) => path.join('Template', f)),
    'Vellumet.ini',
    'VellumetDefault.ini',
  ];
  assert.equal(files.length, 9);
  for (const f of files) {
    const bytes = fs.readFileSync(path.join(SOURCE_DIR, f));
    assert.ok(bytes.every((b) => b < 0x80), `${f} is not ASCII`);
    const text = bytes.toString('latin1');
    assert.ok(text.endsWith('\r\n'), `${f} lacks a final CR LF`);
    assert.equal(text.replace(/\r\n/g, '').search(/[\r\n]/), -1, `${f} has a lone CR or LF`);
  }
  const strip = (f, pattern) =>
    fs
      .readFileSync(path.join(SOURCE_DIR, 'Template', f), 'latin1')
      .split('\r\n')
      .filter((line) => !pattern.test(line))
      .join('\n');
  const edge = /^var BarEdge = |^<body class=/;
  const first = strip('index_c_l.htm', edge);
  for (const f of ['index_c_r.htm', 'index_r_u.htm', 'index_r_d.htm']) {
    assert.equal(strip(f, edge), first, `${f} differs from index_c_l.htm outside its bar's edge`);
  }
  const bodyLine = /^<body class=/;
  assert.equal(strip('navbtn_r.htm', bodyLine), strip('navbtn_c.htm', bodyLine));
});

test('both icon lists name the eight images in marker order', () => {
  const read = (f) => fs.readFileSync(path.join(SOURCE_DIR, f), 'latin1').split('\r\n');
  const custom = read('Vellumet.ini');
  const standard = read('VellumetDefault.ini');
  const names = BUTTONS.map(([, file]) => file);
  assert.deepEqual(custom.slice(0, 8), names.map((n) => `buttons/${n}`));
  assert.deepEqual(standard.slice(0, 8), names.map((n) => `/vellumet/buttons/${n}`));
  assert.equal(custom[8], '0');
  assert.equal(standard[8], '0');
  for (const n of names) assert.ok(fs.existsSync(path.join(SOURCE_DIR, 'buttons', n)), n);
});
