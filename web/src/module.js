// The module's interface, after the engine: an async factory whose object calls any
// worksheet function of Velmora and Corvane by name and holds their catalogue.
//
//   import load from './velmora-corvane.mjs';
//   const engine = await load();
//   engine.call('PropSchnider', [53, 77, 177, 59]);  // [[4.27], [18.9], ...]
//   engine.functions;                                  // [{name, addin, arguments, ...}, ...]
//
// Arguments, in registered order, are what the cells of a formula hold: a number, true or
// false, a text, null (or undefined) for an omitted argument, {error: '#N/A'} for an error
// value, an array for a column and an array of arrays for rows (null inside them an empty
// cell). A number that is not finite is passed as a cell shows it, #NUM!. The result is an
// array of rows of cells: numbers, texts, booleans, {error: '#NUM!'} or null for an empty
// cell. An argument of no such kind throws a TypeError that names it.

// The kinds of cells, as the engine reads them (src/engine.cpp).
const MISSING = 0, EMPTY = 1, NUMBER = 2, TRUTH = 3, TEXT = 4, ERROR = 5;

const TAKES = 'takes a number, true or false, a text, null (left out), {error: "#N/A"}, an array '
  + '(a column) or an array of arrays (rows)';

function refuse(name, k, what) {
  throw new TypeError(`${name}: argument ${k + 1} ${what}`);
}

// The arguments as the engine reads them: each argument's rows and columns, and its cells.
function encode(name, args) {
  if (!Array.isArray(args)) refuse(name, 0, 'and the others come as one array, in registered order');
  const shapes = [], kinds = [], numbers = [], texts = [];
  const cell = (value, k, inArray) => {
    if (value === null || value === undefined) {
      kinds.push(inArray ? EMPTY : MISSING);
      numbers.push(0);
    } else if (typeof value === 'number') {
      if (Number.isFinite(value)) {
        kinds.push(NUMBER);
        numbers.push(value);
      } else {
        kinds.push(ERROR);
        numbers.push(0);
        texts.push('#NUM!');
      }
    } else if (typeof value === 'boolean') {
      kinds.push(TRUTH);
      numbers.push(value ? 1 : 0);
    } else if (typeof value === 'string') {
      kinds.push(TEXT);
      numbers.push(0);
      texts.push(value);
    } else if (typeof value === 'object' && !Array.isArray(value) && Object.hasOwn(value, 'error')) {
      kinds.push(ERROR);
      numbers.push(0);
      texts.push(String(value.error));
    } else if (Array.isArray(value)) {
      refuse(name, k, 'nests arrays deeper than rows of values');
    } else {
      refuse(name, k, TAKES);
    }
  };
  args.forEach((arg, k) => {
    if (!Array.isArray(arg)) {
      shapes.push(0, 0);
      cell(arg, k, false);
      return;
    }
    if (arg.length === 0) refuse(name, k, 'is an empty array: a column holds at least one value');
    const ofRows = Array.isArray(arg[0]);
    if (!ofRows) {
      if (arg.some(Array.isArray)) refuse(name, k, 'mixes values and arrays: give a column or rows');
      shapes.push(arg.length, 1);
      for (const value of arg) cell(value, k, true);
      return;
    }
    const columns = arg[0].length;
    for (const row of arg) {
      if (!Array.isArray(row)) refuse(name, k, 'mixes values and arrays: give a column or rows');
      if (row.length === 0) refuse(name, k, 'has an empty row');
      if (row.length !== columns) refuse(name, k, 'has rows of different lengths');
    }
    shapes.push(arg.length, columns);
    for (const row of arg) for (const value of row) cell(value, k, true);
  });
  return [Int32Array.from(shapes), Uint8Array.from(kinds), Float64Array.from(numbers), texts];
}

// A result as rows of cells.
function decode({ rows, columns, kinds, numbers, texts }) {
  const out = [];
  let text = 0;
  for (let i = 0, k = 0; i < rows; ++i) {
    const row = new Array(columns);
    for (let j = 0; j < columns; ++j, ++k) {
      switch (kinds[k]) {
        case NUMBER: row[j] = numbers[k]; break;
        case TRUTH: row[j] = numbers[k] !== 0; break;
        case TEXT: row[j] = texts[text++]; break;
        case ERROR: row[j] = { error: texts[text++] }; break;
        default: row[j] = null;
      }
    }
    out.push(row);
  }
  return out;
}

export default async function load() {
  const engine = await createEngine();
  const functions = engine.catalogue();
  return Object.freeze({
    call(name, args = []) {
      name = String(name);
      return decode(engine.call(name, ...encode(name, args)));
    },
    functions,
    // Benchmark only: the mean seconds of one call of the routine alone (without the
    // conversions of a call), on these arguments converted once.
    routineSeconds(name, args, repeat) {
      name = String(name);
      return engine.routineSeconds(name, ...encode(name, args), repeat);
    },
  });
}
