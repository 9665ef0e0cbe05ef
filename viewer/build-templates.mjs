#!/usr/bin/env node
// Builds the seven page templates in Template/ from the viewer's sources in
// this folder, so that the script and style the pages share are written once.
//
//   node viewer/build-templates.mjs           writes the templates that changed
//   node viewer/build-templates.mjs --check   writes nothing; exits 1 when a
//                                             template differs from its sources
//
// Source syntax: a line that is just "{{> file}}" is replaced by that file of
// this folder; "{{name}}" is replaced by the page's value of that name. The
// result gets CR LF line ends and must be ASCII, and every marker the program
// replaces must stand where the page writers expect it (see markerRules).
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { readMarkerTables } from './marker-tables.mjs';

const HERE = path.dirname(fileURLToPath(import.meta.url));
export const TEMPLATE_DIR = path.resolve(HERE, '../Template');

// Each template: its file name, its source page and its values.
export const PAGES = [
  { name: 'index_c_l.htm', source: 'entry.html', kind: 'entry', values: { edge: 'left' } },
  { name: 'index_c_r.htm', source: 'entry.html', kind: 'entry', values: { edge: 'right' } },
  { name: 'index_r_u.htm', source: 'entry.html', kind: 'entry', values: { edge: 'top' } },
  { name: 'index_r_d.htm', source: 'entry.html', kind: 'entry', values: { edge: 'bottom' } },
  { name: 'navbtn_c.htm', source: 'bar.html', kind: 'bar', values: { shape: 'column' } },
  { name: 'navbtn_r.htm', source: 'bar.html', kind: 'bar', values: { shape: 'row' } },
  { name: 'sld000.htm', source: 'player.html', kind: 'player', values: {} },
];

// Values shared by the entry page and the bar: the bar's colour, and the
// band that holds the bar, in CSS pixels. Both pages choose the band's shape
// from the window's size alone, so the band is settled before anything is
// painted:
//   - a column is one column of controls, narrower in a small window (at
//     most small-window-below pixels wide); in a short window (less than
//     short-window pixels tall) it is the wide column holding two columns;
//   - a row is one row of controls; in a small window two rows; in a tiny
//     one (at most tiny-window-below pixels wide) two rows of smaller ones.
const SHARED = {
  'bar-colour': '#1f2933',
  column: '88',
  'narrow-column': '56',
  row: '52',
  'wrapped-row': '96',
  'tiny-row': '80',
  'small-window-below': '599',
  'short-window': '540',
  'short-window-below': '539',
  'tiny-window-below': '319',
};

// What the page writers' tables leave to the templates: the lines that hold a
// marker (one, unless named here), and the button that alone shares its line
// with each marker whose line is emptied when its option is off.
const LINES = { entry: { GIF: 4, navbtn0: 3 } };
const SHARES_LINE = { sld000: 'S_BUTTON', DOWNLOAD_FILE: 'D_BUTTON' };

// The rules a template must keep, from the page writers' marker tables:
//   markers: kind -> marker -> how many lines hold it (each of them once); a
//            marker of another kind of page must not appear at all;
//   lineStart: markers that only count at the start of a line (after blanks),
//            the whole line being replaced there;
//   blankable: marker -> the button it shares its line with; such a line
//            must hold one whole element and nothing another step needs.
export function markerRules(tables = readMarkerTables()) {
  const markers = {};
  const lineStart = [];
  const blankable = {};
  for (const [kind, table] of Object.entries(tables)) {
    markers[kind] = {};
    for (const { text, rule } of table) {
      markers[kind][text] = LINES[kind]?.[text] ?? 1;
      if (rule === 'whole_line') lineStart.push(text);
      if (rule === 'optional_line') {
        if (!SHARES_LINE[text]) throw new Error(`"${text}" may be emptied, but no button to share its line is named`);
        blankable[text] = SHARES_LINE[text];
      }
    }
  }
  for (const [kind, lines] of Object.entries(LINES)) {
    for (const text of Object.keys(lines)) {
      if (!(text in (markers[kind] ?? {}))) throw new Error(`"${text}" is not a marker of the ${kind} page`);
    }
  }
  for (const [text, button] of Object.entries(SHARES_LINE)) {
    if (!(text in blankable) || !Object.values(markers).some((m) => button in m)) {
      throw new Error(`"${text}" and "${button}" are not an optional line's marker and a button`);
    }
  }
  return { markers, lineStart, blankable };
}

let sourceRules = null;
const rulesFromSource = () => (sourceRules ??= markerRules());

function readSource(dir, file) {
  return fs.readFileSync(path.join(dir, file), 'utf8').replace(/\r\n/g, '\n').replace(/\n$/, '');
}

// The text of one page, with LF line ends.
function expand(dir, file, values, seen = []) {
  if (seen.includes(file)) throw new Error(`${file} includes itself (${seen.join(' > ')})`);
  return readSource(dir, file)
    .split('\n')
    .map((line) => {
      const include = /^\{\{> *([\w.-]+) *\}\}$/.exec(line);
      if (include) return expand(dir, include[1], values, [...seen, file]);
      return line.replace(/\{\{([\w-]+)\}\}/g, (_, name) => {
        if (!(name in values)) throw new Error(`${file}: no value for {{${name}}}`);
        return values[name];
      });
    })
    .join('\n');
}

// Problems of one template's text (LF line ends), as messages; none when the
// page writers will find every marker where it belongs.
export function lintTemplate(kind, text, rules = rulesFromSource()) {
  const { markers: byKind, lineStart, blankable } = rules;
  const problems = [];
  const lines = text.split('\n');
  const bad = /[^\x20-\x7e\n]/.exec(text);
  if (bad) {
    const at = text.slice(0, bad.index).split('\n').length;
    problems.push(`line ${at}: character U+${bad[0].codePointAt(0).toString(16).toUpperCase()} (only printable ASCII)`);
  }
  lines.forEach((line, i) => {
    if (/ $/.test(line)) problems.push(`line ${i + 1}: trailing blank`);
  });
  for (const [pageKind, counts] of Object.entries(byKind)) {
    for (const marker of Object.keys(counts)) {
      const want = pageKind === kind ? counts[marker] : 0;
      const holding = lines.map((line, i) => [line, i + 1]).filter(([line]) => line.includes(marker));
      if (holding.length !== want) {
        problems.push(`"${marker}" on ${holding.length} lines, want ${want}`);
      }
      for (const [line, n] of holding) {
        if (line.indexOf(marker) !== line.lastIndexOf(marker)) problems.push(`line ${n}: "${marker}" twice`);
        if (lineStart.includes(marker) && !line.trimStart().startsWith(marker)) {
          problems.push(`line ${n}: "${marker}" must start its line`);
        }
        if (marker in blankable) {
          const element = /^<(\w+)[ >].*<\/\1>$/.test(line);
          const others = Object.keys(counts).filter((m) => m !== marker && m !== blankable[marker]);
          if (!element || others.some((m) => line.includes(m)) || !line.includes(blankable[marker])) {
            problems.push(`line ${n}: "${marker}" must share its line only with ${blankable[marker]}, in one whole element`);
          }
        }
      }
    }
  }
  return problems;
}

// Every template's expected text, CR LF line ends: Map name -> text.
export function buildTemplates(dir = HERE) {
  const out = new Map();
  for (const page of PAGES) {
    const values = { ...SHARED, ...page.values };
    const text = expand(dir, page.source, values);
    const problems = lintTemplate(page.kind, text);
    if (problems.length) throw new Error(`${page.name}:\n  ${problems.join('\n  ')}`);
    out.set(page.name, `${text.replace(/\n/g, '\r\n')}\r\n`);
  }
  return out;
}

// Where `actual` first differs from `expected`, for the check's message.
function firstDifference(expected, actual) {
  const a = expected.split('\r\n');
  const b = actual.split('\r\n');
  for (let i = 0; i < Math.max(a.length, b.length); i++) {
    if (a[i] !== b[i]) {
      return `line ${i + 1}\n    built:   ${JSON.stringify(a[i] ?? null)}\n    shipped: ${JSON.stringify(b[i] ?? null)}`;
    }
  }
  return 'line ends';
}

// Compares (check) or writes the templates; returns the names that differed.
export function syncTemplates({ check, dir = HERE, templateDir = TEMPLATE_DIR, log = console.log }) {
  const differing = [];
  for (const [name, text] of buildTemplates(dir)) {
    const file = path.join(templateDir, name);
    const shipped = fs.existsSync(file) ? fs.readFileSync(file, 'latin1') : null;
    if (shipped === text) continue;
    differing.push(name);
    if (check) {
      log(`${name} differs from its sources: ${shipped === null ? 'missing' : firstDifference(text, shipped)}`);
    } else {
      fs.writeFileSync(file, text, 'latin1');
      log(`wrote Template/${name}`);
    }
  }
  return differing;
}

if (process.argv[1] && import.meta.url === pathToFileURL(path.resolve(process.argv[1])).href) {
  const check = process.argv.includes('--check');
  try {
    const differing = syncTemplates({ check });
    if (check && differing.length) {
      console.log('Run "node viewer/build-templates.mjs" and commit Template/ with its sources.');
      process.exit(1);
    }
  } catch (e) {
    console.error(e.message);
    process.exit(1);
  }
}
