// Numbers as a user types them and as the page shows them. The computing is the engine's;
// this only reads and writes the figures.

const DECIMAL = /^[-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?$/;

// What a typed text stands for, as a cell would hold it: nothing for an empty field, a
// number for a decimal number (a comma taken as the decimal point when there is no point:
// "1,75"), else the text itself, which the engine answers as it answers a text in a cell.
export function typedValue(text) {
  const trimmed = String(text ?? '').trim();
  if (trimmed === '') return null;
  const dotted = !trimmed.includes('.') && (trimmed.match(/,/g) ?? []).length === 1
    ? trimmed.replace(',', '.') : trimmed;
  return DECIMAL.test(dotted) ? Number(dotted) : trimmed;
}

// A typed number, or NaN when the field holds anything else.
export function typedNumber(text) {
  const value = typedValue(text);
  return typeof value === 'number' ? value : NaN;
}

// A figure for reading: `digits` significant digits, no trailing zeros, no exponent for the
// magnitudes of a dosing table.
export function shown(x, digits = 4) {
  if (typeof x !== 'number') return x === null || x === undefined ? '' : String(x.error ?? x);
  if (!Number.isFinite(x)) return '#NUM!';
  if (x === 0) return '0';
  const magnitude = Math.floor(Math.log10(Math.abs(x)));
  const decimals = Math.max(0, Math.min(10, digits - 1 - magnitude));
  return x.toFixed(decimals).replace(/(\.\d*?)0+$/, '$1').replace(/\.$/, '');
}

// Every bit of a number, as it is written to a file and read back: the shortest digits
// that give the same double.
export function exact(x) {
  return typeof x === 'number' ? String(x) : '';
}
