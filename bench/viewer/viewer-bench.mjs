#!/usr/bin/env node
// Viewer benchmark: a 200-slide show made by the real generator, served over
// loopback and opened in headless Chromium. Reports
//   - time to first slide shown: from navigation start to the first frame
//     that shows slide 1 (loaded and visible), over fresh browser contexts;
//   - next-slide latency: from a "next" key press to the frame that shows the
//     next slide, with that slide already preloaded, and how many animation
//     frames that took (it must be one).
//
// Usage (after building the default preset and running scripts/install-deps.sh):
//   node bench/viewer/viewer-bench.mjs [--build build/default] [--runs 10] [--steps 60]
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const repo = path.resolve(here, '../..');
const args = process.argv.slice(2);
const option = (name, fallback) => {
  const i = args.indexOf(`--${name}`);
  return i >= 0 && i + 1 < args.length ? args[i + 1] : fallback;
};
const build = path.resolve(repo, option('build', 'build/default'));
const runs = Number(option('runs', '10'));
const steps = Math.min(199, Number(option('steps', '60')));
const SLIDES = 200;

process.env.VELLUMET_PROGRAM_FOLDER ??= path.join(build, 'bin');
process.env.VELLUMET_MAKE_VIEWER ??= path.join(build, 'tests/e2e/make_viewer');
for (const f of [process.env.VELLUMET_PROGRAM_FOLDER, process.env.VELLUMET_MAKE_VIEWER]) {
  if (!fs.existsSync(f)) {
    console.error(`${f} not found: build the default preset first (cmake --build --preset default)`);
    process.exit(2);
  }
}

const { launchChromium, renderSlides, writeExport, makeViewer, tempFolder } = await import(
  '../../tests/e2e/lib/viewer.mjs'
);
const { startServer } = await import('../../tests/e2e/lib/server.mjs');

function summary(values) {
  const s = [...values].sort((a, b) => a - b);
  const at = (q) => s[Math.min(s.length - 1, Math.floor(q * s.length))];
  return { n: s.length, min: s[0], median: at(0.5), p95: at(0.95), max: s[s.length - 1] };
}
const ms = (o) => Object.fromEntries(Object.entries(o).map(([k, v]) => [k, k === 'n' ? v : Number(v.toFixed(2))]));

const browser = await launchChromium();
const root = tempFolder('vellumet-bench-');
let server;
let failed = false;
try {
  // 20 distinct 1280x720 JPEG slides, repeated under 200 names.
  const distinct = await renderSlides(browser, { count: 20, width: 1280, height: 720, format: 'jpeg' });
  const images = Array.from({ length: SLIDES }, (_, i) => distinct[i % distinct.length]);
  const folder = path.join(root, 'show');
  writeExport(folder, { images, prefix: 'img', ext: 'jpg' });
  makeViewer(folder, { style: 0, icons: 'custom' });
  server = await startServer([{ prefix: '/', dir: folder }]);
  const entry = `${server.origin}/index.html`;

  const firstShown = [];
  const swap = [];
  const frame = [];
  const painted = [];
  const frames = [];
  for (let run = 0; run < runs; run++) {
    const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
    const page = await context.newPage();
    await page.goto(entry, { waitUntil: 'commit' });
    // performance.now() of the entry page counts from its navigation start.
    const handle = await page.waitForFunction(
      () => {
        const f = document.querySelector('frame[name="vmslide"]');
        const img = f && f.contentDocument && f.contentDocument.querySelector('#vm-stage img.vm-current');
        return img && img.complete && img.naturalWidth > 0 ? performance.now() : false;
      },
      null,
      { polling: 'raf', timeout: 30000 },
    );
    firstShown.push(await handle.jsonValue());

    if (run === 0) {
      const box = await page.locator('frame[name="vmslide"]').boundingBox();
      await page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
      for (let n = 1; n <= steps; n++) {
        // The reader looks at slide n while slide n + 1 is preloaded.
        await page.waitForFunction(
          (next) => {
            const doc = document.querySelector('frame[name="vmslide"]').contentDocument;
            const want = `img${String(next).padStart(3, '0')}.jpg`;
            const img = [...doc.querySelectorAll('#vm-stage img')].find((i) => i.src.endsWith(want));
            return !!img && img.complete && img.naturalWidth > 0;
          },
          n + 1,
          { polling: 'raf' },
        );
        const armed = page.evaluate(
          (next) =>
            new Promise((resolve) => {
              const f = document.querySelector('frame[name="vmslide"]');
              const win = f.contentWindow;
              const doc = f.contentDocument;
              const want = `img${String(next).padStart(3, '0')}.jpg`;
              const r = {};
              const shown = () => {
                const img = doc.querySelector('#vm-stage img.vm-current');
                return !!img && img.src.endsWith(want) && img.complete;
              };
              win.addEventListener(
                'keydown',
                () => {
                  r.key = performance.now();
                  r.frames = 0;
                  const observer = new MutationObserver(() => {
                    if (r.swap === undefined && shown()) r.swap = performance.now() - r.key;
                  });
                  observer.observe(doc.getElementById('vm-stage'), { attributes: true, subtree: true });
                  const tick = () => {
                    r.frames++;
                    if (!shown()) return requestAnimationFrame(tick);
                    r.frame = performance.now() - r.key;
                    requestAnimationFrame(() => {
                      r.painted = performance.now() - r.key;
                      observer.disconnect();
                      resolve(r);
                    });
                  };
                  requestAnimationFrame(tick);
                },
                { capture: true, once: true },
              );
            }),
          n + 1,
        );
        await page.waitForTimeout(5);
        await page.keyboard.press('ArrowRight');
        const r = await armed;
        swap.push(r.swap ?? 0);
        frame.push(r.frame);
        painted.push(r.painted);
        frames.push(r.frames);
      }
    }
    await context.close();
  }

  const late = frames.filter((f) => f > 1).length;
  console.log(`Viewer benchmark: ${SLIDES} slides over ${server.origin} (loopback), Chromium headless`);
  console.log('time to first slide shown, ms (fresh context each run):', ms(summary(firstShown)));
  console.log(`next key -> next slide, ms, ${steps} steps with the next slide preloaded:`);
  console.log('  key -> slide swapped in:          ', ms(summary(swap)));
  console.log('  key -> frame that draws it (rAF): ', ms(summary(frame)));
  console.log('  key -> following frame (painted): ', ms(summary(painted)));
  console.log('  animation frames until shown:     ', summary(frames));
  if (late > 0) {
    console.log(`FAIL: ${late} of ${steps} preloaded slides took more than one animation frame`);
    failed = true;
  } else {
    console.log('OK: every preloaded slide was drawn in the first animation frame after the key');
  }
} finally {
  await server?.close();
  await browser.close();
  fs.rmSync(root, { recursive: true, force: true });
}
process.exit(failed ? 1 : 0);
