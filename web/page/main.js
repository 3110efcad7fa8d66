// The page: the form, generated from the catalogue; every change recomputes the simulation
// through the engine and redraws the charts and the table; the state lives in the address.

import load from 'velmora-corvane';

import { argumentLabel, drugOf, hasKe0, modelsByDrug, referenceLine, studiedRange } from './catalogue.js';
import { Charts } from './charts.js';
import { drugDefaults, exampleArguments } from './defaults.js';
import { shown, typedNumber, typedValue } from './numbers.js';
import { decodeState, encodeState, rateUnit, RATE_UNITS } from './state.js';
import { decrementCurves, modelArguments, patientNumber, pharmacokinetics, simulate, Stop } from './simulate.js';
import { printRows, readCsv, renderTable, shownRows, tableCsv } from './table.js';

const $ = (id) => document.getElementById(id);
const engine = await load();
const drugs = modelsByDrug(engine.functions);
const models = drugs.flatMap((d) => d.models);
const modelNamed = (name) => models.find((m) => m.name === name);
const charts = new Charts({ main: $('chart'), bis: $('bis-chart'), decrement: $('decrement-chart') });

// ---- The state

function freshState(model) {
  const drug = drugOf(model);
  const d = drugDefaults(drug.name);
  return {
    model: model.name, args: exampleArguments(model), mode: hasKe0(model) ? 'ce' : 'cp', step: '10', duration: '90',
    syringe: String(d.syringe), maxRate: '1200', rateUnit: 'mlh', peakTime: '1.6', weight: '70', age: '40',
    targets: [['0', String(d.target)], ['60', String(d.target / 2)]], manual: [],
    wakeConc: String(d.wake), stopTime: '90', decrement: '50', tableRows: '60',
  };
}

let state = freshState(modelNamed('PropSchnider') ?? models[0]);
let loadProblems = [];
if (location.hash.length > 1) ({ state, problems: loadProblems } = decodeState(location.hash, state, models));

const model = () => modelNamed(state.model);

// ---- The form

function option(value, text) {
  const o = document.createElement('option');
  o.value = value;
  o.textContent = text;
  return o;
}

function buildModelPicker() {
  const select = $('model');
  for (const drug of drugs) {
    const group = document.createElement('optgroup');
    group.label = drug.name.charAt(0).toUpperCase() + drug.name.slice(1);
    for (const m of drug.models) group.append(option(m.name, `${m.name} (${m.reference.source.study})`));
    select.append(group);
  }
}

// The covariate fields of the model, from its argument table.
function buildCovariates() {
  const m = model();
  while (state.args.length < m.arguments.length) state.args.push('');
  state.args.length = m.arguments.length;
  const box = $('covariates');
  box.replaceChildren();
  if (m.arguments.length === 0) {
    const p = document.createElement('p');
    p.className = 'note';
    p.textContent = 'This model takes no covariates: its parameters are the same for every patient.';
    box.append(p);
  }
  m.arguments.forEach((a, k) => {
    const field = document.createElement('div');
    field.className = 'field';
    const id = `arg-${k}`;
    if (a.takes === 'flag') {
      const label = document.createElement('label');
      label.className = 'flag';
      const input = document.createElement('input');
      input.type = 'checkbox';
      input.id = id;
      input.checked = state.args[k] === '1';
      input.dataset.arg = String(k);
      label.append(input, ` ${argumentLabel(a)}`);
      label.title = a.meaning;
      field.append(label);
    } else {
      const label = document.createElement('label');
      label.htmlFor = id;
      label.textContent = argumentLabel(a);
      label.title = a.meaning;
      const wrap = document.createElement('span');
      wrap.className = 'with-unit';
      const input = document.createElement('input');
      input.id = id;
      input.inputMode = 'decimal';
      input.value = state.args[k];
      input.dataset.arg = String(k);
      const unit = document.createElement('span');
      unit.className = 'unit';
      unit.textContent = a.unit;
      wrap.append(input, unit);
      field.append(label, wrap);
      const range = studiedRange(m, a);
      if (range) {
        const note = document.createElement('span');
        note.className = 'range';
        note.id = `${id}-range`;
        note.textContent = `studied ${range.low}–${range.high} ${a.unit}`;
        input.setAttribute('aria-describedby', note.id);
        field.append(note);
      }
    }
    box.append(field);
  });
  $('model-reference').textContent = referenceLine(m);
  $('weight-row').hidden = m.arguments.some((a) => a.quantity === 'weight');
  $('age-row').hidden = !(drugOf(m).name === 'propofol' && engine.functions.some((f) => f.name === 'BisEleveld')) ||
    m.arguments.some((a) => a.quantity === 'age');
}

function buildRateUnits() {
  const select = $('rate-unit');
  const drug = drugOf(model());
  select.replaceChildren(...RATE_UNITS.map((u) => option(u, rateUnit(u, drug, 1, 1).label)));
  select.value = state.rateUnit;
}

function scheduleInput(value, label, row, column) {
  const input = document.createElement('input');
  input.inputMode = 'decimal';
  input.value = value;
  input.setAttribute('aria-label', `${label}, row ${row + 1}`);
  input.dataset.row = String(row);
  input.dataset.column = String(column);
  return input;
}

function buildSchedule() {
  const drug = drugOf(model());
  const manual = state.mode === 'manual';
  const rows = manual ? state.manual : state.targets;
  const unit = rateUnit(state.rateUnit, drug, typedNumber(state.syringe), currentWeight());
  const headings = manual ? ['From (min)', `Bolus (${drug.doseUnit})`, `Rate (${unit.label})`]
    : ['From (min)', `Target ${state.mode === 'ce' ? 'Ce' : 'Cp'} (${drug.concentrationUnit})`];
  $('schedule-head').replaceChildren(...[...headings, ''].map((h) => {
    const th = document.createElement('th');
    th.scope = 'col';
    th.textContent = h;
    return th;
  }));
  $('schedule-body').replaceChildren(...rows.map((row, r) => {
    const tr = document.createElement('tr');
    row.forEach((value, c) => {
      const td = document.createElement('td');
      td.append(scheduleInput(value, headings[c], r, c));
      tr.append(td);
    });
    const td = document.createElement('td');
    const remove = document.createElement('button');
    remove.type = 'button';
    remove.textContent = '×';
    remove.dataset.remove = String(r);
    remove.setAttribute('aria-label', `Remove row ${r + 1}`);
    td.append(remove);
    tr.append(td);
    return tr;
  }));
  $('schedule-help').textContent = manual
    ? 'Each row: a bolus given at its time, and the infusion rate from its time on.'
    : `Each row: the ${state.mode === 'ce' ? 'effect-site' : 'plasma'} target from its time on.`;
}

function currentWeight() {
  return patientNumber(model(), state, 'weight');
}

// A manual schedule for the drug: its usual bolus and infusion for the patient's weight.
function defaultManualRows() {
  const m = model();
  const d = drugDefaults(drugOf(m).name);
  const weight = currentWeight() > 0 ? currentWeight() : 70;
  const unit = rateUnit(state.rateUnit, drugOf(m), typedNumber(state.syringe), weight);
  const perMinute = (d.ratePerKgH * weight) / 60;
  return [['0', shown(d.bolusPerKg * weight, 4), shown(perMinute * (unit.factor ?? 1), 4)]];
}

function fillForm() {
  $('model').value = state.model;
  buildCovariates();
  buildRateUnits();
  for (const radio of document.querySelectorAll('input[name=mode]')) radio.checked = radio.value === state.mode;
  const fields = { step: 'step', duration: 'duration', syringe: 'syringe', 'max-rate': 'maxRate', 'peak-time': 'peakTime',
    weight: 'weight', age: 'age', 'wake-conc': 'wakeConc', 'stop-time': 'stopTime', decrement: 'decrement', 'table-rows': 'tableRows' };
  for (const [id, key] of Object.entries(fields)) $(id).value = state[key];
  if (state.mode === 'manual' && state.manual.length === 0) state.manual = defaultManualRows();
  buildSchedule();
  showModeAndUnits();
}

function showModeAndUnits() {
  const m = model();
  const drug = drugOf(m);
  const tci = state.mode !== 'manual';
  for (const el of document.querySelectorAll('.tci-only')) el.hidden = !tci;
  $('ke0-row').hidden = hasKe0(m);
  $('syringe-unit').textContent = `${drug.doseUnit}/mL`;
  for (const el of document.querySelectorAll('.conc-unit')) el.textContent = drug.concentrationUnit;
  $('mode-note').textContent = !hasKe0(m)
    ? `${m.name} has no ke0: the effect site uses the ke0 that gives the time to peak effect below.`
    : state.mode === 'ce' ? 'The pump aims at the effect site and never overshoots it.'
      : state.mode === 'cp' ? 'The pump brings the plasma concentration to each target.' : '';
}

// ---- Reading the form into the state

function readForm(event) {
  const target = event?.target;
  const m = model();
  if (target?.id === 'model') {
    const next = modelNamed(target.value);
    const sameDrug = drugOf(next).name === drugOf(m).name;
    const fresh = freshState(next);
    state = sameDrug ? { ...state, model: next.name, args: exampleArguments(next) } : { ...fresh, mode: state.mode === 'manual' ? 'manual' : fresh.mode, manual: [] };
    if (!hasKe0(next) && state.mode === 'ce' && typedNumber(state.peakTime) > 0) state.mode = 'ce';
    fillForm();
    return;
  }
  if (target?.dataset.arg !== undefined) {
    const k = Number(target.dataset.arg);
    state.args[k] = target.type === 'checkbox' ? (target.checked ? '1' : '0') : target.value;
    return;
  }
  if (target?.dataset.row !== undefined && target.closest('#schedule')) {
    const rows = state.mode === 'manual' ? state.manual : state.targets;
    rows[Number(target.dataset.row)][Number(target.dataset.column)] = target.value;
    return;
  }
  if (target?.name === 'mode') {
    state.mode = target.value;
    if (state.mode === 'manual' && state.manual.length === 0) state.manual = defaultManualRows();
    buildSchedule();
    showModeAndUnits();
    return;
  }
  if (target?.id === 'rate-unit') {
    // The manual rates keep their meaning: converted to the new unit.
    const drug = drugOf(m);
    const before = rateUnit(state.rateUnit, drug, typedNumber(state.syringe), currentWeight());
    const after = rateUnit(target.value, drug, typedNumber(state.syringe), currentWeight());
    if (before.factor && after.factor)
      for (const row of state.manual) {
        const x = typedNumber(row[2]);
        if (Number.isFinite(x)) row[2] = shown((x / before.factor) * after.factor, 6);
      }
    state.rateUnit = target.value;
    buildSchedule();
    return;
  }
  const fields = { step: 'step', duration: 'duration', syringe: 'syringe', 'max-rate': 'maxRate', 'peak-time': 'peakTime',
    weight: 'weight', age: 'age', 'wake-conc': 'wakeConc', 'stop-time': 'stopTime', decrement: 'decrement', 'table-rows': 'tableRows' };
  if (target && fields[target.id]) state[fields[target.id]] = target.value;
}

// ---- Showing the results

function showFindings() {
  const m = model();
  const lines = engine.call('CovariateCheck', [m.name, ...modelArguments(m, state.args)]).map((row) => row[0]);
  const list = $('findings-list');
  list.replaceChildren(...lines.map((line) => {
    const li = document.createElement('li');
    li.textContent = line === 'OK' ? 'OK: nothing looks wrong with these covariates for this model.' : line;
    li.className = line === 'OK' ? 'ok' : 'warning';
    return li;
  }));
  m.arguments.forEach((a, k) => {
    const input = $(`arg-${k}`);
    if (!input || a.takes === 'flag') return;
    const named = lines.some((line) => line.toLowerCase().startsWith(a.name.toLowerCase() + ' '));
    input.setAttribute('aria-invalid', named ? 'true' : 'false');
  });
}

function showParameters(pk) {
  const m = model();
  const table = $('parameter-table');
  table.replaceChildren();
  if (!pk) return;
  const names = m.reference.cells;
  const rows = names.map((cell, k) => [`${cell.name} (${cell.unit})`, pk.row[k]]);
  const hybrid = ['A', 'B', 'C', 'l1', 'l2', 'l3'].map((name, k) => [`${name} (${k < 3 ? '1/L' : '1/min'})`, pk.hybrid[k]]);
  if (pk.ke0FromPeak) rows.push(['ke0 from the time to peak (1/min)', pk.ke0]);
  for (const [label, value] of [...rows, ...hybrid]) {
    const tr = document.createElement('tr');
    const th = document.createElement('th');
    th.scope = 'row';
    th.textContent = label;
    const td = document.createElement('td');
    td.textContent = shown(value, 5);
    tr.append(th, td);
    table.append(tr);
  }
}

function summaryItem(label, text, className = '') {
  const div = document.createElement('div');
  if (className) div.className = className;
  const span = document.createElement('span');
  span.textContent = label;
  div.append(span, text);
  return div;
}

function showSummary(sim) {
  const c = sim.drug.concentrationUnit, d = sim.drug.doseUnit;
  const end = sim.n;
  const items = [
    summaryItem('Dose given', `${shown(sim.dose[end], 4)} ${d}`),
    summaryItem('Volume given', `${shown(sim.volume[end], 4)} mL`),
    summaryItem('Cp at the end', `${shown(sim.cp[end], 3)} ${c}`),
  ];
  if (sim.ce) items.push(summaryItem('Ce at the end', `${shown(sim.ce[end], 3)} ${c}`));
  if (sim.weight > 0) {
    const minutes = sim.minutes[end];
    items.push(summaryItem('Mean rate', `${shown(((sim.dose[end] / sim.weight) * 60) / minutes, 3)} ${d}/kg/h`));
  }
  if (sim.bis?.values) items.push(summaryItem('BIS at the end', shown(sim.bis.values[end], 3)));
  $('summary').replaceChildren(...items);
  $('chart-caption').textContent = `Target, plasma (Cp) and effect-site (Ce) concentrations; the rate on the right axis. `
    + `${sim.n} steps of ${shown(sim.step)} s.`;
}

function showWake(sim) {
  const out = $('wake-result');
  const w = sim.wake;
  if (!w.times) {
    out.textContent = w.note;
    return;
  }
  const k = w.stopRow;
  const at = sim.minutes[k];
  const c = sim.drug.concentrationUnit;
  out.textContent = w.times[k] === 0
    ? `At ${shown(at)} min Ce is ${shown(sim.ce[k], 3)} ${c}, already at or below ${shown(w.conc)} ${c}.`
    : `If all dosing stops at ${shown(at)} min (Ce ${shown(sim.ce[k], 3)} ${c}), Ce falls to ${shown(w.conc)} ${c} `
      + `after ${shown(w.times[k], 3)} min, at ${shown(at + w.times[k], 4)} min.`;
}

let decrementKey = '';
function showDecrement(pk, sim) {
  const decrement = typedValue(state.decrement);
  const check = engine.call('ScheduleCheck', [null, null, decrement]).map((row) => row[0]).filter((t) => t !== 'OK');
  const key = JSON.stringify([pk.hybrid, pk.ke0, decrement]);
  $('decrement-caption').textContent = check.length ? check.join(' ') : '';
  if (typeof decrement !== 'number' || check.length) {
    charts.decrement.clear();
    decrementKey = '';
    return;
  }
  if (key === decrementKey) return;
  decrementKey = key;
  try {
    const longest = Math.max(600, Math.ceil(sim ? sim.minutes[sim.n] / 10 : 0) * 10);
    charts.drawDecrement(decrementCurves(engine, pk, decrement, longest), decrement);
    $('decrement-caption').textContent = `Context-sensitive decrement times: how long Cp and Ce take to fall by `
      + `${shown(decrement)} % after an infusion that held them for the time on the axis.`;
  } catch (error) {
    if (!(error instanceof Stop)) throw error;
    charts.decrement.clear();
    $('decrement-caption').textContent = error.message;
  }
}

function markField(field) {
  for (const el of document.querySelectorAll('[aria-invalid="true"]:not([data-arg])')) el.setAttribute('aria-invalid', 'false');
  const ids = { step: 'step', duration: 'duration', syringe: 'syringe', 'max-rate': 'max-rate', 'peak-time': 'peak-time',
    weight: 'weight', 'wake-conc': 'wake-conc', 'stop-time': 'stop-time' };
  if (ids[field]) $(ids[field]).setAttribute('aria-invalid', 'true');
}

let lastSimulation = null;

function showPrintSummary(sim) {
  const m = model();
  const dl = document.createElement('dl');
  const add = (term, text) => {
    const dt = document.createElement('dt');
    dt.textContent = term;
    const dd = document.createElement('dd');
    dd.textContent = text;
    dl.append(dt, dd);
  };
  add('Model', `${m.name}: ${m.reference.source.study}, ${drugOf(m).name}`);
  add('Patient', m.arguments.map((a, k) => `${argumentLabel(a)} ${a.takes === 'flag' ? (state.args[k] === '1' ? 'yes' : 'no') : `${state.args[k]} ${a.unit}`}`).join(', ') || 'no covariates');
  add('Mode', { ce: 'effect-site TCI', cp: 'plasma TCI', manual: 'bolus and infusion' }[state.mode]);
  add('Schedule', (state.mode === 'manual' ? state.manual.map((r) => `${r[0]} min: ${r[1]} ${drugOf(m).doseUnit}, ${r[2]} ${sim.unit.label}`)
    : state.targets.map((r) => `${r[0]} min: ${r[1]} ${drugOf(m).concentrationUnit}`)).join('; '));
  add('Syringe', `${state.syringe} ${drugOf(m).doseUnit}/mL, steps of ${state.step} s`);
  add('Covariate check', [...$('findings-list').children].map((li) => li.textContent).join(' '));
  add('Dose given', `${shown(sim.dose[sim.n], 4)} ${drugOf(m).doseUnit}, ${shown(sim.volume[sim.n], 4)} mL`);
  add('Wake-up', $('wake-result').textContent);
  const p = document.createElement('p');
  p.textContent = `Source: ${referenceLine(m)}`;
  $('print-summary').replaceChildren(dl, p);
  renderTable($('print-table'), sim, printRows(sim));
}

// Recomputes everything from the state; returns the milliseconds it took.
function recompute() {
  const started = performance.now();
  const m = model();
  const messages = $('dosing-messages');
  messages.textContent = '';
  markField('');
  showFindings();
  let sim = null, pk = null;
  try {
    pk = pharmacokinetics(engine, m, state);
    sim = simulate(engine, m, state, pk);
  } catch (error) {
    if (!(error instanceof Stop)) throw error;
    messages.textContent = error.message;
    markField(error.field);
  }
  showParameters(pk);
  lastSimulation = sim;
  $('chart-figure').hidden = !sim;
  if (pk) showDecrement(pk, sim);
  else {
    charts.decrement.clear();
    decrementKey = '';
    $('decrement-caption').textContent = '';
  }
  if (!sim) {
    charts.clearSimulation();
    const hint = /CovariateCheck|Check PK|PK parameter/i.test(messages.textContent) || !pk
      ? ' The covariate check beside the model says what looks wrong.' : '';
    $('summary').replaceChildren(summaryItem('No simulation', messages.textContent + hint, 'error'));
    $('table').replaceChildren();
    $('print-table').replaceChildren();
    $('wake-result').textContent = '';
    $('bis-figure').hidden = true;
  } else {
    const drug = sim.drug;
    charts.drawSimulation(sim, { mode: state.mode, concentrationUnit: drug.concentrationUnit, rateLabel: sim.unit.label,
      rateFactor: sim.unit.factor });
    const bis = charts.drawBis(sim);
    $('bis-figure').hidden = !bis;
    $('bis-caption').textContent = bis ? 'Predicted BIS of the effect-site concentration (Eleveld), for the patient\'s age.'
      : '';
    if (!bis && sim.bis?.note) messages.textContent = sim.bis.note;
    showSummary(sim);
    showWake(sim);
    renderTable($('table'), sim, shownRows(sim, Number(state.tableRows)));
    showPrintSummary(sim);
  }
  history.replaceState(null, '', `#${encodeState(state)}`);
  const took = performance.now() - started;
  window.velmoraCorvane.lastRecomputeMs = took;
  window.velmoraCorvane.recomputed += 1;
  return took;
}

// ---- Files and printing

function download(name, text) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([text], { type: 'text/csv' }));
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}

function exportCsv() {
  if (!lastSimulation) {
    $('file-messages').textContent = 'Nothing to export: the simulation has not run.';
    return;
  }
  const m = model();
  download(`${m.name}-${state.mode}.csv`, tableCsv(lastSimulation, encodeState(state), referenceLine(m)));
  $('file-messages').textContent = '';
}

async function importCsv(file) {
  const text = await file.text();
  const read = readCsv(text);
  if (!read) {
    $('file-messages').textContent = `${file.name} is no table exported by this page: it has no "# state:" line.`;
    return;
  }
  const decoded = decodeState(read.state, freshState(models[0]), models);
  state = decoded.state;
  fillForm();
  recompute();
  const mine = readCsv(tableCsv(lastSimulation ?? { n: -1 }, encodeState(state), ''));
  const same = lastSimulation && mine && mine.header === read.header && mine.rows.length === read.rows.length &&
    mine.rows.every((row, k) => row.every((x, j) => Object.is(x, read.rows[k][j])));
  $('file-messages').textContent = decoded.problems.length
    ? `Imported ${file.name}, except: ${decoded.problems.join('; ')}.`
    : same ? `Imported ${file.name}: its table is the one this page computes.`
      : `Imported ${file.name}, but its table differs from the one this page computes for its settings: it was edited, or made by another version.`;
}

// ---- Wiring

window.velmoraCorvane = { lastRecomputeMs: 0, recomputed: 0 };
buildModelPicker();
fillForm();
recompute();
if (loadProblems.length) $('file-messages').textContent = `The address could not be read entirely: ${loadProblems.join('; ')}.`;

const form = $('inputs');
form.addEventListener('input', (event) => {
  if (event.target.id === 'import-csv') return;
  readForm(event);
  recompute();
});
form.addEventListener('change', (event) => {
  if (event.target.id === 'import-csv') {
    const file = event.target.files?.[0];
    if (file) importCsv(file).finally(() => { event.target.value = ''; });
  } else if (event.target.type === 'checkbox' || event.target.tagName === 'SELECT' || event.target.type === 'radio') {
    // Checkboxes, radios and selects: handled by input already in current browsers.
  }
});
form.addEventListener('submit', (event) => event.preventDefault());
form.addEventListener('click', (event) => {
  const remove = event.target.dataset?.remove;
  if (remove !== undefined) {
    const rows = state.mode === 'manual' ? state.manual : state.targets;
    rows.splice(Number(remove), 1);
    buildSchedule();
    recompute();
  }
});
$('add-row').addEventListener('click', () => {
  const rows = state.mode === 'manual' ? state.manual : state.targets;
  const last = rows[rows.length - 1];
  const time = last ? shown(typedNumber(last[0]) + 10, 6) : '0';
  rows.push(state.mode === 'manual' ? [time, '0', last ? last[2] : '0'] : [time, last ? last[1] : '1']);
  buildSchedule();
  recompute();
  $('schedule-body').lastElementChild?.querySelector('input')?.focus();
});
$('table-rows').addEventListener('input', () => {
  state.tableRows = $('table-rows').value;
  recompute();
});
$('export-csv').addEventListener('click', exportCsv);
$('print').addEventListener('click', () => window.print());
window.addEventListener('beforeprint', () => charts.resizeAll(680));
window.addEventListener('afterprint', () => charts.resizeAll());
window.addEventListener('hashchange', () => {
  const decoded = decodeState(location.hash, state, models);
  if (encodeState(decoded.state) === encodeState(state)) return;
  state = decoded.state;
  fillForm();
  recompute();
});
document.body.dataset.ready = 'true';
