// The simulation's state: every input as the user typed it. It travels in the page's
// address (so that a link reproduces the simulation) and in the first lines of an
// exported table (so that importing the table restores it).

export const MODES = ['ce', 'cp', 'manual'];
export const RATE_UNITS = ['mlh', 'kgh', 'kgmin', 'min', 'h'];

// The unit of a rate shown in `unit`, for a drug, and the factor from the engine's rate
// (dose unit per minute) to it; null when the factor needs a number that is missing.
export function rateUnit(unit, drug, syringe, weight) {
  const d = drug.doseUnit;
  switch (unit) {
    case 'mlh': return { label: 'mL/h', factor: syringe > 0 ? 60 / syringe : null };
    case 'kgh': return { label: `${d}/kg/h`, factor: weight > 0 ? 60 / weight : null };
    case 'kgmin': return { label: `${d}/kg/min`, factor: weight > 0 ? 1 / weight : null };
    case 'h': return { label: `${d}/h`, factor: 60 };
    default: return { label: `${d}/min`, factor: 1 };
  }
}

// One text field of the address for each input; lists with "|" between rows and ":"
// between a row's fields.
const FIELDS = {
  model: 'm', mode: 'mode', step: 'dt', duration: 'dur', syringe: 'syr', maxRate: 'max',
  rateUnit: 'ru', peakTime: 'tpk', weight: 'w', age: 'age', wakeConc: 'wc', stopTime: 'stop',
  decrement: 'dec', tableRows: 'rows',
};

export function encodeState(state) {
  const p = new URLSearchParams();
  for (const [key, name] of Object.entries(FIELDS)) p.set(name, state[key] ?? '');
  p.set('a', state.args.join('|'));
  p.set('t', state.targets.map((row) => row.join(':')).join('|'));
  p.set('b', state.manual.map((row) => row.join(':')).join('|'));
  return p.toString();
}

// The state a text of encodeState gives, over `base` for what it does not say; what it
// holds that cannot be right is listed in `problems` (and left as in `base`).
export function decodeState(text, base, models) {
  const p = new URLSearchParams(text.replace(/^#/, ''));
  const state = structuredClone(base);
  const problems = [];
  for (const [key, name] of Object.entries(FIELDS)) if (p.has(name)) state[key] = p.get(name);
  if (!models.some((m) => m.name === state.model)) {
    problems.push(`no model named "${state.model}"`);
    state.model = base.model;
  }
  if (!MODES.includes(state.mode)) {
    problems.push(`no mode "${state.mode}"`);
    state.mode = base.mode;
  }
  if (!RATE_UNITS.includes(state.rateUnit)) {
    problems.push(`no rate unit "${state.rateUnit}"`);
    state.rateUnit = base.rateUnit;
  }
  const rows = (name, width) => p.get(name).split('|').filter((r) => r !== '')
    .map((r) => { const cells = r.split(':'); while (cells.length < width) cells.push(''); return cells.slice(0, width); });
  if (p.has('a')) state.args = p.get('a') === '' ? [] : p.get('a').split('|');
  if (p.has('t')) state.targets = rows('t', 2);
  if (p.has('b')) state.manual = rows('b', 3);
  return { state, problems };
}
