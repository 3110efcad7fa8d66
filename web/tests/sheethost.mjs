// sheethost, the add-ins' command-line host, as the oracle of the web suites: the call table,
// calls written as formulas, evaluated in one sheet, and cells compared to the bit.

import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

export const REPO = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..', '..');

export function sheethostPath() {
  return process.env.SHEETHOST ?? path.join(REPO, 'build', 'addins', 'sheethost');
}

// The table's calls, [name, ...arguments] each.
export function tableCalls() {
  const table = JSON.parse(readFileSync(path.join(REPO, 'catalogue', 'tests', 'calls.json'), 'utf8'));
  return table.groups.flatMap((group) => group.calls);
}

const ERRORS = ['#NULL!', '#DIV/0!', '#VALUE!', '#REF!', '#NAME?', '#NUM!', '#N/A', '#SPILL!', '#CYCLE!'];

// An argument as the formula's literal: shortest round-trip digits for a number (read back
// as the same double), a text in quotes, an omitted argument empty, {1;2} a column and
// {1,2;3,4} rows.
export function literal(value) {
  if (value === null || value === undefined) return '';
  if (typeof value === 'boolean') return value ? 'TRUE' : 'FALSE';
  if (typeof value === 'number') {
    if (!Number.isFinite(value)) throw new Error('a formula has no literal for ' + value);
    return Object.is(value, -0) ? '-0' : String(value);
  }
  if (typeof value === 'string') return '"' + value.replaceAll('"', '""') + '"';
  if (Array.isArray(value)) {
    if (Array.isArray(value[0])) return '{' + value.map((row) => row.map(literal).join(',')).join(';') + '}';
    return '{' + value.map(literal).join(';') + '}';
  }
  return value.error;
}

export function formula([name, ...args]) {
  return `=${name}(${args.map(literal).join(',')})`;
}

function csvCell(text) {
  return /[",\r\n]/.test(text) ? '"' + text.replaceAll('"', '""') + '"' : text;
}

// RFC 4180 rows, as sheethost writes them.
export function parseCsv(text) {
  const rows = [];
  let row = [], cell = '', quoted = false;
  for (let i = 0; i < text.length; ++i) {
    const c = text[i];
    if (quoted) {
      if (c === '"' && text[i + 1] === '"') { cell += '"'; ++i; }
      else if (c === '"') quoted = false;
      else cell += c;
    } else if (c === '"') quoted = true;
    else if (c === ',') { row.push(cell); cell = ''; }
    else if (c === '\n') { row.push(cell); rows.push(row); row = []; cell = ''; }
    else if (c !== '\r') cell += c;
  }
  if (cell !== '' || row.length) { row.push(cell); rows.push(row); }
  return rows;
}

// Each formula in a column of its own (row 1), evaluated in one sheet: the columns of what
// each result shows, one printed cell per row (empty below the result).
export function evaluateColumns(formulas) {
  const folder = mkdtempSync(path.join(tmpdir(), 'velmora-corvane-'));
  const sheet = path.join(folder, 'calls.csv');
  writeFileSync(sheet, formulas.map(csvCell).join(',') + '\n');
  const grid = parseCsv(execFileSync(sheethostPath(), [sheet], { encoding: 'utf8', maxBuffer: 1 << 28 }));
  return formulas.map((_, column) => grid.map((row) => row[column] ?? ''));
}

// A printed cell as the module gives it: a number, TRUE/FALSE, an error, a text or null.
export function printedCell(text) {
  if (text === '') return null;
  if (ERRORS.includes(text)) return { error: text };
  if (text === 'TRUE') return true;
  if (text === 'FALSE') return false;
  if (/^[-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?$/.test(text)) return Number(text);
  return text;
}

const bitsView = new DataView(new ArrayBuffer(8));
function bits(x) {
  bitsView.setFloat64(0, x);
  return bitsView.getBigUint64(0);
}
export function hexOf(x) {
  return '0x' + bits(x).toString(16).padStart(16, '0');
}
// The distance in units of the last place between two finite doubles of one sign.
export function ulps(a, b) {
  if (Math.sign(a) !== Math.sign(b)) return Infinity;
  const d = bits(a) - bits(b);
  return Number(d < 0n ? -d : d);
}

// One result (rows of cells) against the column sheethost printed: the differences, each
// with its row, and the numbers that differ only in their last bits.
export function compareResult(rows, printed) {
  const differences = [];
  const cells = rows.map((row) => row[0]);
  if (rows.some((row) => row.length !== 1)) differences.push({ row: 0, got: rows, expected: 'one column' });
  for (let k = 0; k < Math.max(cells.length, printed.length); ++k) {
    const expected = printedCell(printed[k] ?? '');
    const got = k < cells.length ? cells[k] : null;
    const same = typeof got === 'number' && typeof expected === 'number'
      ? bits(got) === bits(expected)
      : JSON.stringify(got) === JSON.stringify(expected);
    if (!same) differences.push({ row: k, got, expected });
  }
  return differences;
}
