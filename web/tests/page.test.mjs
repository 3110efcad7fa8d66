// The page in headless Chromium, from file:// with the network shut: the model picker and
// the covariate form from the catalogue, a unit slip answered by the covariate check, an
// effect-site TCI whose table equals sheethost's sheet of the same schedule to the bit, the
// rates in mL/h, the CSV export (the same numbers) and its import, the address that
// reproduces a simulation, a printed PDF of one page, and screenshots at desktop and phone
// width (kept in build-web/screenshots). Any console error or request fails.

import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, mkdirSync, mkdtempSync, readFileSync, readdirSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { pathToFileURL } from 'node:url';

import { launch, openPage } from './browser.mjs';
import { REPO, parseCsv, printedCell, sheethostPath, ulps } from './sheethost.mjs';

const buildDir = process.env.WEB_BUILD_DIR ?? path.join(REPO, 'build-web');
const pageUrl = pathToFileURL(path.join(buildDir, 'index.html')).href;
const shots = path.join(buildDir, 'screenshots');
mkdirSync(shots, { recursive: true });

let chromium;
before(async () => { chromium = await launch(); });
after(async () => { await chromium?.close(); });

function sheethostEval(formula) {
  return execFileSync(sheethostPath(), ['--eval', formula], { encoding: 'utf8' }).trimEnd().split('\n').map(printedCell);
}

// Types into a field as a user does, over what it held.
async function setField(page, selector, value) {
  await page.focus(selector);
  await page.$eval(selector, (input) => input.select());
  await page.keyboard.type(value);
}

// The page's table as columns of data-exact numbers (the engine's results), by column key.
async function exactColumns(page) {
  return page.$$eval('#table tbody tr', (rows) => {
    const columns = {};
    for (const row of rows)
      for (const td of row.querySelectorAll('td[data-exact]')) (columns[td.dataset.exactKey] ??= []).push(Number(td.dataset.exact));
    return columns;
  });
}

const bits = (x) => Buffer.from(new Float64Array([x]).buffer).toString('hex');

// A sheet of columns of values (from A on, row 1 down) and formulas (by cell) evaluated by
// sheethost: its columns of printed cells as numbers.
function sheet(columns, formulas, rows) {
  const width = columns.length + Object.keys(formulas).length + 8;
  const grid = Array.from({ length: rows }, () => new Array(width).fill(''));
  columns.forEach((values, j) => values.forEach((v, i) => { grid[i][j] = String(v); }));
  for (const [cell, formula] of Object.entries(formulas)) {
    const j = cell.charCodeAt(0) - 65, i = Number(cell.slice(1)) - 1;
    grid[i][j] = formula;
  }
  const folder = mkdtempSync(path.join(tmpdir(), 'velmora-corvane-sheet-'));
  const file = path.join(folder, 'sheet.csv');
  writeFileSync(file, grid.map((r) => r.map((c) => (c.includes(',') ? `"${c}"` : c)).join(',')).join('\n') + '\n');
  const out = parseCsv(execFileSync(sheethostPath(), [file], { encoding: 'utf8' }));
  return (j) => out.slice(0, rows).map((r) => Number(r[j]));
}

const steps = (rows, seconds) => Array.from({ length: rows }, (_, k) => (k === 0 ? 0 : seconds / 60));
// A target column of the schedule [[from minute, target], ...] on a grid of `seconds` steps.
const targets = (rows, seconds, schedule) => Array.from({ length: rows }, (_, k) =>
  (k === 0 ? 0 : [...schedule].reverse().find(([from]) => from * 60 <= (k - 1) * seconds)?.[1] ?? 0));

// The standard effect-site TCI as a user's sheet computes it in sheethost: PropSchnider of
// 53 y, 77 kg, 177 cm, LBM 59; 10 s steps for 90 min; target 4 ug/mL, 2 from 60 min; the
// pump at most 1200 mL/h of 10 mg/mL (200 mg/min); wake-up at 1.5 ug/mL.
function sheetOfTheStandardTci() {
  const rows = 541;
  const col = sheet([steps(rows, 10), targets(rows, 10, [[0, 4], [60, 2]]), new Array(rows).fill(0), new Array(rows).fill(1.5)], {
    E1: '=PropSchnider(53,77,177,59)', F1: '=Cl2Hyb(E1:E6)',
    G1: '=TciCe(A1:A541,B1:B541,200,F1,F2,F3,F4,F5,F6,E7)', H1: '=PredCp(A1:A541,G1:G541,C1:C541,F1,F2,F3,F4,F5,F6)',
    I1: '=PredCe(A1:A541,G1:G541,C1:C541,F1,F2,F3,F4,F5,F6,E7)',
    J1: '=decrCe(A1:A541,G1:G541,C1:C541,D1:D541,F1,F2,F3,F4,F5,F6,E7)',
  }, rows);
  return { rate: col(6), cp: col(7), ce: col(8), wake: col(9) };
}

test('the page from file://, offline: models, a unit slip, an effect-site TCI, mL/h, CSV, print', async () => {
  const { page, problems } = await openPage(chromium.browser, pageUrl);

  // The picker: every model of the catalogue, grouped by drug, with its reference line.
  const groups = await page.$$eval('#model optgroup', (gs) => gs.map((g) => [g.label, g.querySelectorAll('option').length]));
  const registered = execFileSync(sheethostPath(), ['--registrations'], { encoding: 'utf8' }).trim().split('\n')
    .map((l) => JSON.parse(l)).filter((r) => r.category.startsWith('Velmora') && r.worksheetName !== 'CovariateCheck' &&
      r.worksheetName !== 'ModelOmega');
  assert.equal(groups.reduce((n, [, count]) => n + count, 0), registered.length);
  assert.ok(groups.some(([label]) => label === 'Propofol') && groups.some(([label]) => label === 'Remifentanil'));
  for (const name of ['RemiMinto', 'AlfentScott', 'RocuKleijn', 'PropSchnider']) {
    await page.select('#model', name);
    const r = registered.find((x) => x.worksheetName === name);
    const fields = await page.$$eval('#covariates input', (inputs) => inputs.length);
    assert.equal(fields, r.argumentNames ? r.argumentNames.split(', ').length : 0, name);
    assert.match(await page.$eval('#model-reference', (p) => p.textContent), /\d{4}/, name);
  }
  const units = await page.$$eval('#covariates .unit', (us) => us.map((u) => u.textContent));
  assert.deepEqual(units, ['years', 'kg', 'cm', 'kg']);

  // A height in metres: the check's own text beside the form.
  await setField(page, '#arg-2', '1.75');
  const slip = sheethostEval('=CovariateCheck("PropSchnider",53,77,1.75,59)');
  const findings = await page.$$eval('#findings-list li', (lis) => lis.map((li) => li.textContent));
  assert.deepEqual(findings, slip);
  assert.equal(await page.$eval('#arg-2', (i) => i.getAttribute('aria-invalid')), 'true');
  await page.screenshot({ path: path.join(shots, 'unit-slip.png') });
  await setField(page, '#arg-2', '177');
  assert.match((await page.$$eval('#findings-list li', (lis) => lis.map((li) => li.textContent)))[0], /^OK/);

  // The effect-site TCI, every step, the wake-up times' searches included: the table's
  // numbers are the sheet's, to the bit.
  await page.select('#table-rows', '0');
  const sheet = sheetOfTheStandardTci();
  const table = await exactColumns(page);
  for (const key of ['rate', 'cp', 'ce', 'wake']) {
    assert.equal(table[key].length, 541, key);
    const differ = table[key]
      .map((x, k) => [k, x, sheet[key][k]])
      .filter(([, x, expected]) => bits(x) !== bits(expected))
      .map(([k, x, expected]) => [k, x, expected, ulps(x, expected)]);
    assert.deepEqual(differ, [], `${key}: the page and sheethost differ (row, page, sheet, ulp)`);
  }

  // Rates in mL/h of the 10 mg/mL syringe: the engine's mg/min times 6.
  await page.select('#rate-unit', 'min');
  assert.equal(await page.$eval('#table th[data-key="rate"]', (th) => th.textContent), 'Rate (mg/min)');
  await page.select('#rate-unit', 'mlh');
  assert.equal(await page.$eval('#table th[data-key="rate_shown"]', (th) => th.textContent), 'Rate (mL/h)');
  const shownRates = await page.$$eval('#table td[data-key="rate_shown"]', (tds) => tds.map((td) => Number(td.textContent)));
  shownRates.forEach((mlh, k) => assert.ok(Math.abs(mlh - sheet.rate[k] * 6) <= 5e-4 * Math.max(1, mlh), `row ${k}`));
  await page.screenshot({ path: path.join(shots, 'desktop.png'), fullPage: true });

  // The CSV export: the same numbers, and the state that reproduces them.
  const downloads = mkdtempSync(path.join(tmpdir(), 'velmora-corvane-downloads-'));
  const cdp = await page.createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
  await page.click('#export-csv');
  let file;
  for (let wait = 0; wait < 100 && !file; ++wait) {
    await new Promise((resolve) => setTimeout(resolve, 100));
    file = readdirSync(downloads).find((f) => f.endsWith('.csv'));
  }
  assert.ok(file, 'no CSV was downloaded');
  const csv = readFileSync(path.join(downloads, file), 'utf8');
  const lines = csv.split('\r\n').filter((l) => l !== '');
  const header = lines.find((l) => !l.startsWith('#')).split(',');
  const body = lines.filter((l) => !l.startsWith('#')).slice(1).map((l) => l.split(',').map(Number));
  assert.equal(body.length, 541);
  const column = (label) => body.map((row) => row[header.indexOf(label)]);
  for (const [label, key] of [['Rate (mg/min)', 'rate'], ['Cp (ug/mL)', 'cp'], ['Ce (ug/mL)', 'ce']])
    assert.deepEqual(column(label).map(bits), sheet[key].map(bits), label);
  writeFileSync(path.join(buildDir, 'export.csv'), csv);

  // Printed: one page with the patient, the model, the chart and the table.
  await page.emulateMediaType('print');
  await page.pdf({ path: path.join(buildDir, 'page.pdf'), format: 'A4', printBackground: true });
  await page.emulateMediaType('screen');
  const pdf = readFileSync(path.join(buildDir, 'page.pdf'), 'latin1');
  assert.equal((pdf.match(/\/Type\s*\/Page[^s]/g) ?? []).length, 1, 'the printed simulation takes one page');

  // The address reproduces the simulation; the import restores the exported one.
  const address = page.url();
  const fresh = await openPage(chromium.browser, pageUrl);
  await fresh.page.select('#model', 'RemiMinto');
  await fresh.page.goto(address);
  await fresh.page.waitForSelector('body[data-ready="true"]');
  assert.deepEqual(await exactColumns(fresh.page), table);
  const other = await openPage(chromium.browser, pageUrl + '#m=PropMarsh&a=80');
  const input = await other.page.$('#import-csv');
  await input.uploadFile(path.join(downloads, file));
  await other.page.waitForFunction(() => document.getElementById('file-messages').textContent.startsWith('Imported'));
  assert.match(await other.page.$eval('#file-messages', (p) => p.textContent), /its table is the one this page computes/);
  assert.equal(await other.page.$eval('#model', (s) => s.value), 'PropSchnider');

  // A phone's width: one column, everything reachable.
  const phone = await openPage(chromium.browser, address, { width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 2 });
  const widths = await phone.page.evaluate(() => [document.documentElement.scrollWidth, window.innerWidth]);
  assert.ok(widths[0] <= widths[1] + 1, `the page scrolls sideways on a phone: ${widths}`);
  await phone.page.screenshot({ path: path.join(shots, 'phone.png'), fullPage: true });

  for (const p of [problems, fresh.problems, other.problems, phone.problems]) assert.deepEqual(p, []);
});

test('the page works by keyboard, every field labelled', async () => {
  const { page, problems } = await openPage(chromium.browser, pageUrl);
  const unlabelled = await page.$$eval('input, select, button', (elements) => elements.filter((el) => {
    if (el.type === 'file' || el.closest('[hidden]')) return false;
    const labelled = el.labels?.length || el.getAttribute('aria-label') || el.textContent.trim();
    return !labelled;
  }).map((el) => el.outerHTML.slice(0, 80)));
  assert.deepEqual(unlabelled, []);
  // From the model picker, Tab reaches the covariates; typing there recomputes.
  await page.focus('#model');
  await page.keyboard.press('Tab');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'arg-0');
  const before = await page.evaluate(() => window.velmoraCorvane.recomputed);
  await page.keyboard.type('1');
  assert.ok(await page.evaluate((n) => window.velmoraCorvane.recomputed > n, before));
  // A schedule row added and removed with the keyboard.
  const rows = await page.$$eval('#schedule-body tr', (trs) => trs.length);
  await page.focus('#add-row');
  await page.keyboard.press('Enter');
  assert.equal(await page.$$eval('#schedule-body tr', (trs) => trs.length), rows + 1);
  assert.deepEqual(problems, []);
});

test('plasma TCI and a manual schedule give the add-ins\' numbers', async () => {
  const differ = (a, b) => a.map((x, k) => [k, x, b[k]]).filter(([, x, y]) => bits(x) !== bits(y));
  // Plasma TCI of PropMarsh at 70 kg, 3 then 5 ug/mL from 10 min, 10-s steps for 30 min.
  const plasma = await openPage(chromium.browser,
    `${pageUrl}#m=PropMarsh&a=70&mode=cp&dt=10&dur=30&syr=10&max=1200&ru=min&t=0:3|10:5&rows=0`);
  const page = await exactColumns(plasma.page);
  const rows = 181;
  const col = sheet([steps(rows, 10), targets(rows, 10, [[0, 3], [10, 5]]), new Array(rows).fill(0)], {
    E1: '=PropMarsh(70)', F1: '=Cl2Hyb(E1:E6)', G1: '=TciCp(A1:A181,B1:B181,200,F1,F2,F3,F4,F5,F6)',
    H1: '=PredCp(A1:A181,G1:G181,C1:C181,F1,F2,F3,F4,F5,F6)',
  }, rows);
  assert.deepEqual(differ(page.rate, col(6)), []);
  assert.deepEqual(differ(page.cp, col(7)), []);
  // RemiMinto, 40 y, LBM 55: a bolus of 50 ug, 10 ug/min, 20 ug/min from 5 min; 10-s steps.
  const manual = await openPage(chromium.browser,
    `${pageUrl}#m=RemiMinto&a=40|55&mode=manual&dt=10&dur=20&syr=50&ru=min&b=0:50:10|5:0:20&rows=0`);
  const given = await exactColumns(manual.page);
  const n = 121;
  const rates = Array.from({ length: n }, (_, k) => (k === 0 ? 0 : (k - 1) * 10 >= 300 ? 20 : 10));
  const boluses = Array.from({ length: n }, (_, k) => (k === 0 ? 50 : 0));
  assert.deepEqual(differ(given.rate, rates), []);
  const remi = sheet([steps(n, 10), rates, boluses], {
    E1: '=RemiMinto(40,55)', F1: '=Cl2Hyb(E1:E6)', G1: '=PredCp(A1:A121,B1:B121,C1:C121,F1,F2,F3,F4,F5,F6)',
    H1: '=PredCe(A1:A121,B1:B121,C1:C121,F1,F2,F3,F4,F5,F6,E7)',
  }, n);
  assert.deepEqual(differ(given.cp, remi(6)), []);
  assert.deepEqual(differ(given.ce, remi(7)), []);
  assert.match(await manual.page.$eval('#summary', (s) => s.textContent), /Dose given/);
  assert.deepEqual([...plasma.problems, ...manual.problems], []);
});
