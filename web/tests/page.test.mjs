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
import { REPO, parseCsv, printedCell, sheethostPath } from './sheethost.mjs';

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

// The standard effect-site TCI as a user's sheet computes it in sheethost: PropSchnider of
// 53 y, 77 kg, 177 cm, LBM 59; 10 s steps for 90 min; target 4 ug/mL, 2 from 60 min; the
// pump at most 1200 mL/h of 10 mg/mL (200 mg/min); wake-up at 1.5 ug/mL.
function sheetOfTheStandardTci() {
  const rows = 541;
  const lines = [];
  for (let k = 0; k < rows; ++k) {
    const cells = [k === 0 ? '0' : String(10 / 60), k === 0 ? '0' : k - 1 >= 360 ? '2' : '4', '0', '1.5'];
    if (k === 0) {
      cells.push('=PropSchnider(53,77,177,59)', '=Cl2Hyb(E1:E6)',
        '=TciCe(A1:A541,B1:B541,200,F1,F2,F3,F4,F5,F6,E7)', '=PredCp(A1:A541,G1:G541,C1:C541,F1,F2,F3,F4,F5,F6)',
        '=PredCe(A1:A541,G1:G541,C1:C541,F1,F2,F3,F4,F5,F6,E7)',
        '=decrCe(A1:A541,G1:G541,C1:C541,D1:D541,F1,F2,F3,F4,F5,F6,E7)');
    }
    lines.push(cells.map((c) => (c.includes(',') ? `"${c}"` : c)).join(','));
  }
  const folder = mkdtempSync(path.join(tmpdir(), 'velmora-corvane-sheet-'));
  writeFileSync(path.join(folder, 'tci.csv'), lines.join('\n') + '\n');
  const grid = parseCsv(execFileSync(sheethostPath(), [path.join(folder, 'tci.csv')], { encoding: 'utf8' }));
  const col = (j) => grid.slice(0, rows).map((r) => Number(r[j]));
  return { rate: col(6), cp: col(7), ce: col(8), wake: col(9) };
}

test('the page from file://, offline: models, a unit slip, an effect-site TCI, mL/h, CSV, print', async () => {
  const { page, problems } = await openPage(chromium.browser, pageUrl);

  // The picker: every model of the catalogue, grouped by drug, with its reference line.
  const groups = await page.$$eval('#model optgroup', (gs) => gs.map((g) => [g.label, g.querySelectorAll('option').length]));
  const registered = execFileSync(sheethostPath(), ['--registrations'], { encoding: 'utf8' }).trim().split('\n')
    .map((l) => JSON.parse(l)).filter((r) => r.category.startsWith('Velmora') && r.worksheetName !== 'CovariateCheck');
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

  // The effect-site TCI, every step: the table's numbers are the sheet's, to the bit.
  await page.select('#table-rows', '0');
  const sheet = sheetOfTheStandardTci();
  const table = await exactColumns(page);
  for (const key of ['rate', 'cp', 'ce', 'wake']) {
    assert.equal(table[key].length, 541, key);
    const differ = table[key].map((x, k) => [k, x, sheet[key][k]]).filter(([, x, y]) => bits(x) !== bits(y));
    assert.deepEqual(differ, [], `${key}: the page and sheethost differ`);
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
