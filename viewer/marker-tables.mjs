// Reads the page writers' marker tables from their C++ source, so that the
// template build checks the templates against the very markers and rules the
// program applies, with no copy of them kept here.
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const HERE = path.dirname(fileURLToPath(import.meta.url));
export const WRITERS_SOURCE = path.resolve(HERE, '../src/generator/page_writers.cpp');

// The function that writes each kind of page.
const WRITERS = { entry: 'make_index_html', bar: 'make_navbtn_html', player: 'make_slide_html' };
const RULES = ['replaced_by', 'whole_line', 'optional_line', 'list_before'];
const LITERAL = String.raw`"(?:[^"\\\n]|\\.)*"`;

// The source with its comments blanked; literals are kept as they are.
function withoutComments(source) {
  let out = '';
  for (let i = 0; i < source.length; i++) {
    const c = source[i];
    if (c === '"' || c === "'") {
      let j = i + 1;
      while (j < source.length && source[j] !== c && source[j] !== '\n') j += source[j] === '\\' ? 2 : 1;
      out += source.slice(i, j + 1);
      i = j;
    } else if (source.startsWith('//', i)) {
      while (i + 1 < source.length && source[i + 1] !== '\n') i++;
    } else if (source.startsWith('/*', i)) {
      const end = source.indexOf('*/', i + 2);
      i = end < 0 ? source.length : end + 1;
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

// The body of the function `name` (its text between the outer braces).
function functionBody(source, name) {
  const head = new RegExp(String.raw`\b${name}\s*\([^)]*\)\s*\{`).exec(source);
  if (!head) return null;
  let depth = 1;
  let i = head.index + head[0].length;
  const start = i;
  for (; i < source.length && depth > 0; i++) {
    const c = source[i];
    if (c === '"' || c === "'") {
      for (i++; i < source.length && source[i] !== c; i++) if (source[i] === '\\') i++;
    } else if (c === '{') {
      depth++;
    } else if (c === '}') {
      depth--;
    }
  }
  return source.slice(start, i - 1);
}

const literalText = (literal) => JSON.parse(literal);

// Named strings of a function body: name -> the texts it stands for (one for
// a string, every element for an array of strings).
function namedStrings(body) {
  const names = new Map();
  const single = new RegExp(String.raw`\b(?:std::string(?:_view)?|const\s+char\s*\*|auto)\s+(\w+)\s*=\s*(${LITERAL})\s*;`, 'g');
  for (const m of body.matchAll(single)) names.set(m[1], [literalText(m[2])]);
  const array = /\bconst\s+char\s*\*\s*(?:const\s+)?(\w+)\s*\[\s*\d*\s*\]\s*=\s*\{([^}]*)\}/g;
  for (const m of body.matchAll(array)) {
    names.set(m[1], [...m[2].matchAll(new RegExp(LITERAL, 'g'))].map((l) => literalText(l[0])));
  }
  return names;
}

// The marker table of one writer's body: [{ text, rule }] in table order.
// Each entry is "{marker, rule(...)}", the marker a literal, a named string
// or an element of a named array of strings (which stands for all of them).
function tableOf(body, name) {
  const names = namedStrings(body);
  const entry = new RegExp(String.raw`\{\s*(${LITERAL}|\w+(?:\s*\[[^\]]*\])?)\s*,\s*(${RULES.join('|')})\s*\(`, 'g');
  const table = [];
  for (const m of body.matchAll(entry)) {
    let texts;
    if (m[1].startsWith('"')) {
      texts = [literalText(m[1])];
    } else {
      texts = names.get(/^\w+/.exec(m[1])[0]);
      if (!texts) throw new Error(`${name}: marker ${m[1]} is not a string named in the function`);
    }
    for (const text of texts) table.push({ text, rule: m[2] });
  }
  if (!table.length) throw new Error(`${name}: no marker table found`);
  return table;
}

// Every kind of page's marker table, read from the page writers' source:
// { entry: [{ text, rule }], bar: [...], player: [...] }.
export function readMarkerTables(source = fs.readFileSync(WRITERS_SOURCE, 'utf8')) {
  const code = withoutComments(source);
  const tables = {};
  for (const [kind, name] of Object.entries(WRITERS)) {
    const body = functionBody(code, name);
    if (body === null) throw new Error(`${name} not found in the page writers' source`);
    tables[kind] = tableOf(body, name);
  }
  return tables;
}
