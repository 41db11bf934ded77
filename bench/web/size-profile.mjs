// SPDX-License-Identifier: MIT
// Where the web module's bytes go, in docs/PERFORMANCE.md, "The download":
//   node bench/web/size-profile.mjs MODULE.wasm [LIBRARY.a ...]
// MODULE linked with --profiling-funcs (-DPLODWAY_SIZE_PROFILE=ON), so that
// its functions keep their names. Prints the module's sections, the ten
// largest functions, and the code by library: a function belongs to the
// archive that defines its symbol (llvm-nm), else to a group its name shows
// (Emscripten's C and C++ libraries, Asyncify's helpers). Each group's
// brotli size is its code compressed alone: a guide to its share of the
// download, not a part of it.
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { basename } from 'node:path';
import { brotliCompressSync, constants } from 'node:zlib';

const [wasmPath, ...archives] = process.argv.slice(2);
if (!wasmPath) {
  console.error('usage: node bench/web/size-profile.mjs MODULE.wasm [LIBRARY.a ...]');
  process.exit(2);
}
const bytes = readFileSync(wasmPath);

function leb(at) {
  let value = 0, shift = 0, byte;
  do {
    byte = bytes[at.pos++];
    value += (byte & 0x7f) * 2 ** shift;
    shift += 7;
  } while (byte & 0x80);
  return value;
}
const text = (at) => { const n = leb(at), s = bytes.toString('utf8', at.pos, at.pos + n); at.pos += n; return s; };

const sectionNames = ['custom', 'type', 'import', 'function', 'table', 'memory', 'global', 'export', 'start',
  'element', 'code', 'data', 'data count'];
const sections = [];
let importedFunctions = 0, bodies = [], names = new Map();
for (const at = { pos: 8 }; at.pos < bytes.length;) {
  const id = bytes[at.pos++], size = leb(at), end = at.pos + size;
  let name = sectionNames[id] ?? `#${id}`;
  if (id === 0) name = `custom "${text({ pos: at.pos })}"`;
  sections.push({ name, size });
  const inner = { pos: at.pos };
  if (id === 2) {
    for (let n = leb(inner); n > 0; n--) {
      text(inner); text(inner);
      const kind = bytes[inner.pos++];
      if (kind === 0) { leb(inner); importedFunctions++; }
      else if (kind === 1) { inner.pos++; const flags = leb(inner); leb(inner); if (flags & 1) leb(inner); }
      else if (kind === 2) { const flags = leb(inner); leb(inner); if (flags & 1) leb(inner); }
      else if (kind === 3) { inner.pos += 2; }
      else inner.pos++;  // a tag: attribute, type
    }
  } else if (id === 10) {
    for (let n = leb(inner); n > 0; n--) {
      const length = leb(inner);
      bodies.push({ start: inner.pos, size: length });
      inner.pos += length;
    }
  } else if (id === 0 && text(inner) === 'name') {
    while (inner.pos < end) {
      const kind = bytes[inner.pos++], length = leb(inner), next = inner.pos + length;
      if (kind === 1) for (let n = leb(inner); n > 0; n--) { const index = leb(inner); names.set(index, text(inner)); }
      inner.pos = next;
    }
  }
  at.pos = end;
}

// Which archive defines each symbol.
const owner = new Map();
for (const archive of archives) {
  const out = execFileSync('llvm-nm', ['--defined-only', '--demangle', '--format=just-symbols', archive],
    { encoding: 'utf8', maxBuffer: 1 << 28, stdio: ['ignore', 'pipe', 'ignore'] });
  const library = basename(archive).replace(/^lib/, '').replace(/\.a$/, '');
  for (const symbol of out.split('\n')) if (symbol && !owner.has(symbol)) owner.set(symbol, library);
}
function groupOf(name) {
  if (owner.has(name)) return owner.get(name);
  if (/^(asyncify_|\$?__asyncify)/.test(name)) return 'Asyncify';
  if (/^(_ZNSt|_ZSt|_ZNKSt|_ZTVSt|_ZTISt|_ZNSt3__2|_ZNKSt3__2|__cxa|__cxx|_ZN10__cxxabiv1)/.test(name)) return 'C++ library';
  if (/^(dyncall|dynCall|invoke_|legalstub|legalfunc|byn\$)/.test(name)) return 'Emscripten glue';
  return 'C library and other';
}

const functions = bodies.map((body, i) => {
  const name = names.get(importedFunctions + i) ?? `function ${importedFunctions + i}`;
  return { ...body, name, group: groupOf(name) };
});
const groups = new Map();
for (const f of functions) {
  const g = groups.get(f.group) ?? { size: 0, count: 0, parts: [] };
  g.size += f.size; g.count++; g.parts.push(bytes.subarray(f.start, f.start + f.size));
  groups.set(f.group, g);
}
const brotli = (buffer) => brotliCompressSync(buffer, { params: { [constants.BROTLI_PARAM_QUALITY]: 11 } }).length;
const kb = (n) => `${(n / 1024).toFixed(1)} KB`;

console.log(`${basename(wasmPath)}: ${kb(bytes.length)}, brotli ${kb(brotli(bytes))}`);
console.log('\nSections');
for (const s of [...sections].sort((a, b) => b.size - a.size).filter((s) => s.size > 1024))
  console.log(`  ${s.name.padEnd(28)} ${kb(s.size).padStart(11)}`);
console.log('\nLargest functions');
for (const f of [...functions].sort((a, b) => b.size - a.size).slice(0, 10))
  console.log(`  ${kb(f.size).padStart(9)}  ${f.group.padEnd(20)} ${f.name.slice(0, 90)}`);
console.log('\nCode by library (functions, raw, brotli alone)');
for (const [name, g] of [...groups].sort((a, b) => b[1].size - a[1].size))
  console.log(`  ${name.padEnd(22)} ${String(g.count).padStart(6)} ${kb(g.size).padStart(11)} ${kb(brotli(Buffer.concat(g.parts))).padStart(11)}`);

