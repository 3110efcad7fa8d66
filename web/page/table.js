// The simulation as a table: on the page (rows every minute, every 5 minutes or every
// step), on paper (each change of the schedule and every 10 minutes) and as a CSV file
// (every step, every number with all its digits, the state on its first lines).

import { exact, shown } from './numbers.js';

// The columns of a simulation: heading, values by row, the digits shown, and whether the
// values are the engine's own results (kept with all their digits in each cell's
// data-exact; a rate shown in another unit keeps the engine's rate there).
export function columnsOf(sim) {
  const c = sim.drug.concentrationUnit, d = sim.drug.doseUnit;
  const columns = [
    { key: 'time_s', label: 'Time (s)', values: sim.minutes.map((_, k) => k * sim.step), digits: 6 },
    { key: 'time_min', label: 'Time (min)', values: sim.minutes, digits: 5 },
  ];
  if (sim.mode !== 'manual') columns.push({ key: 'target', label: `Target (${c})`, values: sim.target, digits: 4 });
  columns.push(
    { key: 'rate', label: `Rate (${d}/min)`, values: sim.rate, digits: 4, engine: true },
    ...(sim.unit.factor === 1 ? []
      : [{ key: 'rate_shown', label: `Rate (${sim.unit.label})`, values: sim.rate.map((r) => r * sim.unit.factor), digits: 4,
          exactOf: 'rate' }]),
    { key: 'bolus', label: `Bolus (${d})`, values: sim.bolus, digits: 4 },
    { key: 'cp', label: `Cp (${c})`, values: sim.cp, digits: 4, engine: true },
  );
  if (sim.ce) columns.push({ key: 'ce', label: `Ce (${c})`, values: sim.ce, digits: 4, engine: true });
  if (sim.bis?.values) columns.push({ key: 'bis', label: 'BIS', values: sim.bis.values, digits: 3, engine: true });
  if (sim.wake?.times)
    columns.push({ key: 'wake', label: `Wake-up to ${shown(sim.wake.conc)} (min)`, values: sim.wake.times, digits: 4, engine: true });
  columns.push(
    { key: 'dose', label: `Dose given (${d})`, values: sim.dose, digits: 5 },
    { key: 'volume', label: 'Volume given (mL)', values: sim.volume, digits: 4 },
  );
  // On the page the engine's rate is shown in the chosen unit only.
  return columns.map((col) => ({ ...col, csvOnly: col.key === 'rate' && sim.unit.factor !== 1 }));
}

// The rows shown every `seconds` (0: every step), the last row always.
export function shownRows(sim, seconds) {
  const every = seconds > 0 ? Math.max(1, Math.round(seconds / sim.step)) : 1;
  const rows = [];
  for (let k = 0; k <= sim.n; k += every) rows.push(k);
  if (rows[rows.length - 1] !== sim.n) rows.push(sim.n);
  return rows;
}

function cell(tag, text, attributes = {}) {
  const element = document.createElement(tag);
  element.textContent = text;
  for (const [name, value] of Object.entries(attributes)) element.setAttribute(name, value);
  return element;
}

export function renderTable(table, sim, rows) {
  const columns = columnsOf(sim).filter((col) => !col.csvOnly);
  const head = document.createElement('thead');
  const headRow = document.createElement('tr');
  for (const col of columns) headRow.append(cell('th', col.label, { scope: 'col', 'data-key': col.key }));
  head.append(headRow);
  const body = document.createElement('tbody');
  const fragment = document.createDocumentFragment();
  for (const k of rows) {
    const tr = document.createElement('tr');
    tr.dataset.row = String(k);
    for (const col of columns) {
      const value = col.values[k];
      const td = document.createElement('td');
      td.textContent = shown(value, col.digits);
      td.dataset.key = col.key;
      if (col.engine || col.exactOf) {
        td.dataset.exact = exact(col.exactOf ? sim[col.exactOf][k] : value);
        td.dataset.exactKey = col.exactOf ?? col.key;
      }
      tr.append(td);
    }
    fragment.append(tr);
  }
  body.append(fragment);
  table.replaceChildren(head, body);
}

// The printed table: time zero, each row where the schedule changes, every 10 minutes and
// the end.
export function printRows(sim) {
  const every = Math.max(1, Math.round(600 / sim.step));
  const rows = new Set([0, sim.n]);
  for (let k = 1; k <= sim.n; ++k) {
    if (k % every === 0) rows.add(k);
    if (k > 1 && (sim.target[k] !== sim.target[k - 1] || sim.bolus[k] !== 0)) rows.add(k);
  }
  return [...rows].sort((a, b) => a - b);
}

function csvField(text) {
  return /[",\r\n]/.test(text) ? `"${text.replaceAll('"', '""')}"` : text;
}

export const CSV_TITLE = '# Velmora and Corvane simulation: for teaching and research, not a pump controller';
export const CSV_STATE = '# state: ';

// The whole table, every step, every number with all its digits.
export function tableCsv(sim, encodedState, modelLine) {
  const columns = columnsOf(sim);
  const lines = [CSV_TITLE, `# model: ${modelLine}`, CSV_STATE + encodedState, columns.map((col) => csvField(col.label)).join(',')];
  for (let k = 0; k <= sim.n; ++k) lines.push(columns.map((col) => exact(col.values[k])).join(','));
  return lines.join('\r\n') + '\r\n';
}

// The state and the table of an exported file; null when it is none.
export function readCsv(text) {
  const lines = text.split(/\r?\n/);
  const stateLine = lines.find((line) => line.startsWith(CSV_STATE));
  if (!stateLine) return null;
  const header = lines.find((line) => !line.startsWith('#') && line.trim() !== '');
  const rows = lines.filter((line) => !line.startsWith('#') && line.trim() !== '' && line !== header)
    .map((line) => line.split(',').map((f) => (f === '' ? null : Number(f))));
  return { state: stateLine.slice(CSV_STATE.length).trim(), header, rows };
}
