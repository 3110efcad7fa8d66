// What the page reads from the catalogue: the models grouped by drug, with the units of
// the drug and the reference line of each model.

// A model is a function with a model source; its drug gives its units.
export function modelsByDrug(functions) {
  const drugs = new Map();
  for (const f of functions) {
    const drug = f.reference?.source?.drug;
    if (!drug) continue;
    if (!drugs.has(drug.name)) drugs.set(drug.name, { ...drug, models: [] });
    drugs.get(drug.name).models.push(f);
  }
  return [...drugs.values()];
}

export function drugOf(model) {
  return model.reference.source.drug;
}

// "Schnider 1998 · Schnider TW, Minto CF, ... Anesthesiology 1998;88(5):1170-82."
export function referenceLine(model) {
  const source = model.reference.source;
  return `${source.study} · ${source.publication}`;
}

// Whether the model's row holds ke0 (its seventh cell).
export function hasKe0(model) {
  return model.reference.cells.some((cell) => cell.name === 'ke0');
}

// A covariate's words: "Age", "Weight"... from its meaning, capitalised.
export function argumentLabel(argument) {
  const words = argument.meaning || argument.name;
  const short = words.replace(/^the (patient's|child's) /, '').replace(/,.*$/, '').replace(/ \(.*$/, '');
  return short.charAt(0).toUpperCase() + short.slice(1);
}

// The studied range of a covariate for a model, if its source gives one.
export function studiedRange(model, argument) {
  return model.reference.source.ranges.find((r) => r.quantity === argument.quantity && argument.quantity);
}
