// Starting values of a new simulation, by drug; the user changes every one of them. In the
// drug's own units: the syringe in dose unit per mL, the effect-site target and the
// wake-up concentration in its concentration unit, a manual bolus in dose unit per kg and
// an infusion in dose unit per kg per hour.
export const DRUG_DEFAULTS = {
  propofol: { syringe: 10, target: 4, wake: 1.5, bolusPerKg: 2, ratePerKgH: 6 },
  remifentanil: { syringe: 50, target: 4, wake: 1.5, bolusPerKg: 1, ratePerKgH: 12 },
  alfentanil: { syringe: 500, target: 80, wake: 40, bolusPerKg: 20, ratePerKgH: 60 },
  fentanyl: { syringe: 50, target: 2, wake: 1, bolusPerKg: 2, ratePerKgH: 2 },
  sufentanil: { syringe: 5, target: 0.3, wake: 0.15, bolusPerKg: 0.3, ratePerKgH: 0.3 },
  ketamine: { syringe: 10, target: 1, wake: 0.5, bolusPerKg: 1, ratePerKgH: 0.5 },
  midazolam: { syringe: 1, target: 0.1, wake: 0.05, bolusPerKg: 0.05, ratePerKgH: 0.05 },
  remimazolam: { syringe: 1, target: 1, wake: 0.4, bolusPerKg: 0.2, ratePerKgH: 1 },
  dexmedetomidine: { syringe: 4, target: 0.6, wake: 0.3, bolusPerKg: 1, ratePerKgH: 0.5 },
  rocuronium: { syringe: 10, target: 2, wake: 1, bolusPerKg: 0.6, ratePerKgH: 0.5 },
  lidocaine: { syringe: 10, target: 2, wake: 1, bolusPerKg: 1.5, ratePerKgH: 1.5 },
  'ABP-700': { syringe: 1, target: 1, wake: 0.5, bolusPerKg: 0.5, ratePerKgH: 1 },
};
const ANY_DRUG = { syringe: 1, target: 1, wake: 0.5, bolusPerKg: 1, ratePerKgH: 1 };

export function drugDefaults(drugName) {
  return DRUG_DEFAULTS[drugName] ?? ANY_DRUG;
}

// The covariates of the model's standard patient when a model is first picked: the
// example of its reference ("=PropSchnider(53, 77, 177, 59)"), else 40 years, 70 kg, 170 cm.
export function exampleArguments(model) {
  const match = /\((.*)\)\s*$/.exec(model.reference.example ?? '');
  const given = match ? match[1].split(',').map((s) => s.trim()) : [];
  if (given.length === model.arguments.length && given.every((g) => /^[-+\d.eE]+$/.test(g) || /^(TRUE|FALSE)$/i.test(g)))
    return given.map((g) => (/^TRUE$/i.test(g) ? '1' : /^FALSE$/i.test(g) ? '0' : g));
  const byQuantity = { age: '40', weight: '70', height: '170', 'lean body mass': '55', 'postmenstrual age': '40.77',
    'creatinine clearance': '100', flag: '0' };
  return model.arguments.map((a) => byQuantity[a.quantity] ?? (a.takes === 'flag' ? '0' : ''));
}
