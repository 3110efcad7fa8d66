// The module against the add-ins: every call of the call table through the module's
// call() and through sheethost, every cell the same (numbers to the bit, texts and errors
// exactly); the module's catalogue against what the add-ins register; and what call()
// refuses.
//
//   node --test web/tests/            (SHEETHOST and VELMORA_CORVANE_MODULE override the paths)

import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import path from 'node:path';
import test from 'node:test';
import { pathToFileURL } from 'node:url';

import { REPO, compareResult, evaluateColumns, formula, hexOf, sheethostPath, tableCalls, ulps } from './sheethost.mjs';

const modulePath = process.env.VELMORA_CORVANE_MODULE ?? path.join(REPO, 'build-web', 'velmora-corvane.mjs');
const engine = await (await import(pathToFileURL(modulePath))).default();
const calls = tableCalls();

test('every call of the table gives the add-ins\' cells, numbers to the bit', () => {
  const printed = evaluateColumns(calls.map(formula));
  let cells = 0, largestUlps = 0;
  const failures = [];
  calls.forEach((call, k) => {
    const rows = engine.call(call[0], call.slice(1));
    cells += rows.length;
    for (const d of compareResult(rows, printed[k])) {
      if (typeof d.got === 'number' && typeof d.expected === 'number')
        largestUlps = Math.max(largestUlps, ulps(d.got, d.expected));
      failures.push(`${formula(call).slice(0, 100)} row ${d.row}: module ${JSON.stringify(d.got)}` +
        `${typeof d.got === 'number' ? ' ' + hexOf(d.got) : ''}, sheethost ${JSON.stringify(d.expected)}` +
        `${typeof d.expected === 'number' ? ' ' + hexOf(d.expected) : ''}`);
    }
  });
  console.log(`${calls.length} calls, ${cells} cells compared with sheethost; ` +
    `${failures.length} differ${largestUlps ? `, numbers by at most ${largestUlps} ulp` : ''}`);
  assert.deepEqual(failures, []);
});

test('the catalogue holds every function the add-ins register, with their texts', () => {
  const registered = execFileSync(sheethostPath(), ['--registrations'], { encoding: 'utf8' })
    .trim().split('\n').map((line) => JSON.parse(line));
  const byName = new Map(engine.functions.map((f) => [f.name, f]));
  assert.deepEqual([...byName.keys()].sort(), registered.map((r) => r.worksheetName).sort());
  for (const r of registered) {
    const f = byName.get(r.worksheetName);
    assert.equal(f.help, r.functionHelp, r.worksheetName);
    assert.equal(f.category, r.category, r.worksheetName);
    assert.equal(f.arguments.map((a) => a.name).join(', '), r.argumentNames, r.worksheetName);
    // The host shows ". " after the last argument's description.
    const helps = r.argumentHelps.map((h, k) => (k === r.argumentHelps.length - 1 ? h.replace(/\. $/, '') : h));
    assert.deepEqual(f.arguments.map((a) => a.description), helps, r.worksheetName);
    assert.equal(f.arguments.map((a) => (a.takes === 'number' ? 'B' : 'Q')).join(''), r.typeText.slice(1),
      r.worksheetName);
  }
  // Each function of the catalogue is called by the table, each call names one of them.
  const called = new Set(calls.map((call) => call[0]));
  assert.deepEqual([...byName.keys()].filter((name) => !called.has(name)), []);
  assert.deepEqual([...called].filter((name) => !byName.has(name)), []);
});

test('the catalogue gives each model argument its unit and each model its source', () => {
  // Velmora's functions but the covariate check and the models' variances are models.
  const models = engine.functions.filter((f) => f.addin === 'Velmora' && f.name !== 'CovariateCheck' &&
    f.name !== 'ModelOmega');
  assert.ok(models.length > 0);
  for (const model of models) {
    assert.ok(model.reference.source.publication.length > 0, model.name);
    for (const a of model.arguments) assert.ok(a.unit.length > 0, `${model.name} ${a.name}`);
  }
  const schnider = engine.functions.find((f) => f.name === 'PropSchnider');
  assert.deepEqual(schnider.arguments.map((a) => [a.name, a.unit, a.takes]),
    [['Age', 'years', 'number'], ['Weight', 'kg', 'number'], ['Height', 'cm', 'number'], ['LBM', 'kg', 'number']]);
  assert.equal(schnider.reference.source.study, 'Schnider 1998');
  assert.ok(schnider.reference.source.ranges.some((r) => r.quantity === 'height' && r.low > 100));
});

test('JavaScript values become the cells a formula would hold', () => {
  // A name in any case, as the spreadsheet compares it; an unknown one is #NAME?.
  assert.deepEqual(engine.call('bmi', [70, 175]), engine.call('BMI', [70, 175]));
  assert.deepEqual(engine.call('NoSuchFunction', [1]), [[{ error: '#NAME?' }]]);
  // A number that is not finite is what a cell shows for it, #NUM!, passed on.
  assert.deepEqual(engine.call('BMI', [NaN, 175]), engine.call('BMI', [{ error: '#NUM!' }, 175]));
  assert.deepEqual(engine.call('BMI', [70, Infinity]), [[{ error: '#NUM!' }]]);
  // An array of one value is that value; undefined and a missing argument are left out.
  assert.deepEqual(engine.call('JLBM', [[80], [[180]], [true]]), engine.call('JLBM', [80, 180, true]));
  assert.deepEqual(engine.call('JLBM', [80, 180, undefined]), engine.call('JLBM', [80, 180]));
  // null inside a column is an empty cell, named as a sheet's range with an empty cell is
  // (sheethost: A1:A3 holding 0, nothing, 0.5).
  assert.deepEqual(engine.call('ScheduleCheck', [[0, null, 0.5]]),
    [['parameter is nil, deltaTimes Conversion to Double']]);
  // A routine's refusal is its text; an empty result cell is null.
  assert.deepEqual(engine.call('Cl2Hyb', [[1, 2, 3]]), [['We need exactly 6 parameters!']]);
});

test('a call that cannot be made throws a TypeError naming the argument', () => {
  const refusals = [
    [['BMI', [{}]], /BMI: argument 1 takes a number/],
    [['BMI', [70, () => 1]], /BMI: argument 2 takes a number/],
    [['BMI', [[]]], /argument 1 is an empty array/],
    [['BMI', [[[1, 2], [3]]]], /argument 1 has rows of different lengths/],
    [['BMI', [[1, [2]]]], /argument 1 mixes values and arrays/],
    [['BMI', [[[[1]]]]], /argument 1 nests arrays/],
    [['BMI', [{ error: '#OOPS!' }]], /argument 1 has an unknown error value/],
    [['BMI', [{ error: '#SPILL!' }]], /argument 1 has an unknown error value/],
    [['BMI', 70], /BMI: argument 1 and the others come as one array/],
  ];
  for (const [[name, args], text] of refusals) assert.throws(() => engine.call(name, args), TypeError);
  for (const [[name, args], text] of refusals) assert.throws(() => engine.call(name, args), text);
});
