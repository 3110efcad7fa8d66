// A simulation, computed by the add-ins' routines through the engine: the model's row, its
// hybrid constants, the schedule's rates (TciCe, TciCp, or the user's), the plasma and
// effect-site concentrations (PredCp, PredCe), the predicted BIS where the catalogue has it,
// the time to wake up (decrCe) and the context-sensitive decrement times (CsDtCp, CsDtCe).
// What the page adds is bookkeeping: the time grid, the schedule's steps, sums and units.

import { drugOf, hasKe0 } from './catalogue.js';
import { typedNumber, typedValue } from './numbers.js';
import { rateUnit } from './state.js';

// The most rows a simulation holds: a day at one-second steps.
export const MAX_ROWS = 86400;

// A text that stops the simulation, told where the input is.
export class Stop extends Error {
  constructor(text, field) {
    super(text);
    this.field = field;
  }
}

// The first column of a result, as numbers; a text or an error in its place stops.
function column(rows, what, field) {
  const cells = rows.map((row) => row[0]);
  const bad = cells.find((c) => typeof c !== 'number');
  if (bad !== undefined) throw new Stop(`${what}: ${typeof bad === 'string' ? bad : bad?.error ?? 'no result'}`, field);
  return cells;
}

function positive(text, what, field, { zero = false } = {}) {
  const x = typedNumber(text);
  if (!(zero ? x >= 0 : x > 0) || !Number.isFinite(x))
    throw new Stop(`${what} must be a number ${zero ? 'at or above 0' : 'above 0'}: "${text}"`, field);
  return x;
}

// The model's arguments as the sheet would take them: flags as truth values, numbers as
// typed (an empty field left out, a text passed as a text).
export function modelArguments(model, args) {
  return model.arguments.map((a, k) => (a.takes === 'flag' ? args[k] === '1' : typedValue(args[k])));
}

// The patient's weight and age: the model's own arguments when it has them, else the
// page's fields.
export function patientNumber(model, state, quantity) {
  const k = model.arguments.findIndex((a) => a.quantity === quantity);
  return k >= 0 ? typedNumber(state.args[k]) : typedNumber(quantity === 'weight' ? state.weight : state.age);
}

// The model's row, hybrid constants and ke0.
export function pharmacokinetics(engine, model, state) {
  const rowCells = engine.call(model.name, modelArguments(model, state.args));
  const row = column(rowCells, model.name, 'covariates');
  if (row.some((x) => !Number.isFinite(x))) throw new Stop(`${model.name} gives no usable row`, 'covariates');
  const hybrid = column(engine.call('Cl2Hyb', [row.slice(0, 6)]), 'Cl2Hyb', 'covariates');
  let ke0 = null, ke0FromPeak = false;
  if (hasKe0(model)) {
    ke0 = row[6];
  } else {
    const peak = typedNumber(state.peakTime);
    if (peak > 0) {
      ke0 = column(engine.call('TPeak2ke0', [...hybrid, peak]), 'TPeak2ke0', 'peak-time')[0];
      ke0FromPeak = true;
    }
  }
  return { row, hybrid, ke0, ke0FromPeak };
}

// The rows of the schedule as numbers, in time order; the first that cannot be read stops.
function scheduleRows(rows, width, names) {
  return rows.map((row, k) => row.slice(0, width).map((text, j) => {
    const x = typedNumber(text);
    if (!(x >= 0) || !Number.isFinite(x))
      throw new Stop(`Schedule row ${k + 1}: the ${names[j]} must be a number at or above 0: "${text}"`, 'schedule');
    return x;
  })).sort((a, b) => a[0] - b[0]);
}

// The index of the first interval that starts at or after `minutes` on a grid of `step` s.
function firstIntervalFrom(minutes, step) {
  return Math.ceil((minutes * 60) / step - 1e-9) + 1;
}

export function simulate(engine, model, state, pk = pharmacokinetics(engine, model, state)) {
  const drug = drugOf(model);
  const step = positive(state.step, 'The step length', 'step');
  const duration = positive(state.duration, 'The duration', 'duration');
  const syringe = positive(state.syringe, 'The syringe concentration', 'syringe');
  const n = Math.round((duration * 60) / step);
  if (n < 1) throw new Stop('The duration is shorter than one step', 'duration');
  if (n + 1 > MAX_ROWS) throw new Stop(`${n + 1} steps: a simulation holds at most ${MAX_ROWS}; take longer steps`, 'step');
  const weight = patientNumber(model, state, 'weight');
  const unit = rateUnit(state.rateUnit, drug, syringe, weight);

  const minutes = Array.from({ length: n + 1 }, (_, k) => (k * step) / 60);
  const dt = minutes.map((_, k) => (k === 0 ? 0 : step / 60));
  const bolus = new Array(n + 1).fill(0);
  const target = new Array(n + 1).fill(0);
  let rate;

  if (state.mode === 'manual') {
    if (unit.factor === null) throw new Stop('The rates per kg need the patient\'s weight', 'weight');
    const given = new Array(n + 1).fill(0);
    for (const [time, dose, shownRate] of scheduleRows(state.manual, 3, ['time', 'bolus', 'rate'])) {
      const at = Math.round((time * 60) / step);
      if (at <= n) bolus[at] += dose;
      for (let k = firstIntervalFrom(time, step); k <= n; ++k) given[k] = shownRate / unit.factor;
    }
    rate = given;
  } else {
    for (const [time, conc] of scheduleRows(state.targets, 2, ['time', 'target']))
      for (let k = firstIntervalFrom(time, step); k <= n; ++k) target[k] = conc;
    const maxRate = (positive(state.maxRate, 'The maximal rate', 'max-rate') * syringe) / 60;
    if (state.mode === 'ce') {
      if (pk.ke0 === null) throw new Stop('Effect-site targeting needs ke0: give a time to peak effect', 'peak-time');
      rate = column(engine.call('TciCe', [dt, target, maxRate, ...pk.hybrid, pk.ke0]), 'TciCe', 'schedule');
    } else {
      rate = column(engine.call('TciCp', [dt, target, maxRate, ...pk.hybrid]), 'TciCp', 'schedule');
    }
  }

  const cp = column(engine.call('PredCp', [dt, rate, bolus, ...pk.hybrid]), 'PredCp', 'schedule');
  const ce = pk.ke0 === null ? null
    : column(engine.call('PredCe', [dt, rate, bolus, ...pk.hybrid, pk.ke0]), 'PredCe', 'schedule');

  // Bookkeeping: the dose given up to each row, and its volume.
  const dose = [];
  let given = 0;
  for (let k = 0; k <= n; ++k) {
    given += rate[k] * dt[k] + bolus[k];
    dose.push(given);
  }

  return {
    mode: state.mode, drug, pk, step, n, minutes, dt, target, rate, bolus, cp, ce, dose, syringe, weight, unit,
    volume: dose.map((d) => d / syringe),
    bis: predictedBis(engine, model, state, drug, ce),
    wake: wakeUp(engine, state, { dt, rate, bolus, pk, n, step }),
  };
}

// The predicted BIS of the effect-site concentrations, where the catalogue has a BIS model
// of the drug (BisEleveld, for propofol, from the patient's age).
function predictedBis(engine, model, state, drug, ce) {
  const bisModel = engine.functions.find((f) => f.name === 'BisEleveld');
  if (!bisModel || drug.name !== 'propofol' || ce === null) return null;
  const age = patientNumber(model, state, 'age');
  if (!(age > 0)) return { note: 'The predicted BIS needs the patient\'s age' };
  const rows = engine.call('BisEleveld', [ce, age]);
  const values = rows.map((row) => row[0]);
  if (values.some((v) => typeof v !== 'number'))
    return { note: `BisEleveld: ${values.find((v) => typeof v !== 'number')?.error ?? values.find((v) => typeof v !== 'number')}` };
  return { values, age };
}

// The time for Ce to fall to the wake-up concentration if all dosing stopped at each row
// (decrCe), and the row of the chosen stop.
function wakeUp(engine, state, { dt, rate, bolus, pk, n, step }) {
  if (pk.ke0 === null) return { note: 'Wake-up times need ke0: give a time to peak effect' };
  const conc = typedNumber(state.wakeConc);
  if (!(conc > 0)) return { note: `The wake-up concentration must be a number above 0: "${state.wakeConc}"`, field: 'wake-conc' };
  const stop = typedNumber(state.stopTime);
  if (!(stop >= 0)) return { note: `The stop time must be a number at or above 0: "${state.stopTime}"`, field: 'stop-time' };
  const cells = engine.call('decrCe', [dt, rate, bolus, new Array(n + 1).fill(conc), ...pk.hybrid, pk.ke0]);
  const times = cells.map((row) => row[0]);
  const bad = times.find((t) => typeof t !== 'number');
  if (bad !== undefined) return { note: `decrCe: ${typeof bad === 'string' ? bad : bad?.error}` };
  return { conc, times, stopRow: Math.min(n, Math.round((stop * 60) / step)) };
}

// The context-sensitive decrement times of the model: the time for Cp (CsDtCp) and for Ce
// (CsDtCe) to fall by `decrement` percent after an infusion that held them, for infusions of
// 0 to `longest` minutes.
export function decrementCurves(engine, pk, decrement, longest) {
  const contexts = [];
  for (let t = 0; t <= longest; t += 10) contexts.push(t);
  const cp = column(engine.call('CsDtCp', [contexts, ...pk.hybrid, decrement]), 'CsDtCp', 'decrement');
  const ce = pk.ke0 === null ? null
    : column(engine.call('CsDtCe', [contexts, ...pk.hybrid, pk.ke0, decrement]), 'CsDtCe', 'decrement');
  return { contexts, cp, ce };
}
