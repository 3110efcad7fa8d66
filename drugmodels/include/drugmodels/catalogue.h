#pragma once

// The catalogue of Velmora: every worksheet function as one entry (its names, help text,
// argument table with units and meanings, what it returns, its example and, for a drug
// model, where the model comes from and whom it was built on), and the table of rows that
// pairs each entry with its routine. Every front end reads the rows (catalogue/row.h);
// nothing here depends on a host.
//
// A studied range is the lowest and highest value seen in the data the model was fitted
// to; where no source gave one, the model has none and its status says so. Tools' own
// warning limits never stand in for a studied range.
//
// The tables are constant-initialised, so registration records built during static
// initialisation of other translation units may read them safely.

#include "catalogue/covariates.h"
#include "catalogue/row.h"
#include "drugmodels/checks.h"
#include "drugmodels/models.h"
#include "drugmodels/variability.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>

namespace drugmodels {

// Registration settings shared by every Velmora function.
inline constexpr const char* VELMORA_CATEGORY = "Velmora; 2017/07/31";
inline constexpr const char* DRUG_RETURN_TYPE = ""; // the framework's default, the value type
inline constexpr const char* DRUG_HELP_TOPIC = "";  // automatic
inline constexpr bool DRUG_VOLATILE = false;
inline constexpr bool DRUG_THREAD_SAFE = false;
inline constexpr bool DRUG_ASYNCHRONOUS = false;
inline constexpr bool DRUG_MACRO_SHEET_EQUIVALENT = false;
inline constexpr bool DRUG_CLUSTER_SAFE = false;

namespace entries {

using catalogue::ArgumentEntry;
using catalogue::FunctionEntry;
using catalogue::ModelSource;
using catalogue::Quantity;
using catalogue::ResultCell;
using catalogue::StudiedRange;
inline constexpr const char* B = catalogue::NUMBER_ARGUMENT;
inline constexpr const char* CELL = catalogue::CELL_VALUE_ARGUMENT;

// ---- The drugs, and the units their rows are used in

using catalogue::Drug;
inline constexpr Drug PROPOFOL{"propofol", "mg", "ug/mL"};
inline constexpr Drug REMIFENTANIL{"remifentanil", "ug", "ng/mL"};
inline constexpr Drug ALFENTANIL{"alfentanil", "ug", "ng/mL"};
inline constexpr Drug FENTANYL{"fentanyl", "ug", "ng/mL"};
inline constexpr Drug SUFENTANIL{"sufentanil", "ug", "ng/mL"};
inline constexpr Drug KETAMINE{"ketamine", "mg", "ug/mL"};
inline constexpr Drug MIDAZOLAM{"midazolam", "mg", "ug/mL"};
inline constexpr Drug REMIMAZOLAM{"remimazolam", "mg", "ug/mL"};
inline constexpr Drug DEXMEDETOMIDINE{"dexmedetomidine", "ug", "ng/mL"};
inline constexpr Drug ROCURONIUM{"rocuronium", "mg", "ug/mL"};
inline constexpr Drug LIDOCAINE{"lidocaine", "mg", "ug/mL"};
inline constexpr Drug ABP_700{"ABP-700", "mg", "ug/mL"};

// ---- Arguments, by what they measure: name and description as registered, then the
// meaning the reference gives

// An argument that carries a covariate: its unit and, unless it says more, its meaning
// from the covariate's row (catalogue/covariates.h).
constexpr ArgumentEntry Covariate(Quantity quantity, const char* name, const char* description,
                                  const char* meaning = nullptr) {
    const catalogue::Covariate& row = catalogue::covariate(quantity);
    return {name, description, B, row.unit, meaning != nullptr ? meaning : row.meaning, quantity};
}
constexpr ArgumentEntry Age(const char* name, const char* description,
                            const char* meaning = nullptr) {
    return Covariate(Quantity::Age, name, description, meaning);
}
constexpr ArgumentEntry Weight(const char* name, const char* description,
                               const char* meaning = nullptr) {
    return Covariate(Quantity::Weight, name, description, meaning);
}
constexpr ArgumentEntry Height(const char* name, const char* description,
                               const char* meaning = nullptr) {
    return Covariate(Quantity::Height, name, description, meaning);
}
constexpr ArgumentEntry LeanBodyMass(const char* name, const char* description) {
    return Covariate(Quantity::LeanBodyMass, name, description);
}
// A flag reaches the routine as a truth value.
constexpr ArgumentEntry Flag(const char* name, const char* description, const char* meaning) {
    return {name,    description,   CELL, catalogue::covariate(Quantity::Flag).unit,
            meaning, Quantity::Flag};
}
inline constexpr const char* MALE_MEANING = "1 (or TRUE) for a man, 0 (or FALSE) for a woman";

// ---- The parameter row

inline constexpr ResultCell MODEL_ROW[] = {
    {"V1", "L", "volume of the central compartment"},
    {"V2", "L", "volume of the rapidly equilibrating peripheral compartment"},
    {"V3", "L",
     "volume of the slowly equilibrating peripheral compartment (0 in a two-compartment "
     "model)"},
    {"Cl1", "L/min", "elimination clearance"},
    {"Cl2", "L/min", "clearance between the central compartment and V2"},
    {"Cl3", "L/min",
     "clearance between the central compartment and V3 (0 in a two-compartment "
     "model)"},
    {"ke0", "1/min", "rate constant of the equilibration between plasma and effect site"},
};
inline constexpr std::span<const ResultCell> ROW_OF_SIX{MODEL_ROW, ROW_WITHOUT_KE0};
inline constexpr std::span<const ResultCell> ROW_OF_SEVEN{MODEL_ROW, ROW_WITH_KE0};
inline constexpr const char* SIX_CELLS = "a column of 6 cells: V1, V2, V3, Cl1, Cl2, Cl3";
inline constexpr const char* SEVEN_CELLS = "a column of 7 cells: V1, V2, V3, Cl1, Cl2, Cl3, ke0";

inline constexpr const char* NOT_CONFIRMED = "not confirmed: no studied range was found";

// The weight alone, in the two wordings the models register.
inline constexpr ArgumentEntry WEIGHT_ARGS[] = {
    Weight("Weight", "The patient's weight "),
};
inline constexpr ArgumentEntry WEIGHT_ARGS_LOWER[] = {
    Weight("Weight", " the patient's weight "),
};

// ---- Propofol

inline constexpr ArgumentEntry PROP_SCHNIDER_ARGS[] = {
    Age("Age", "The patients age "),
    Weight("Weight", "The patients weight "),
    Height("Height", "The patients height (in cm) "),
    LeanBodyMass("LBM", "Lean body mass "),
};
inline constexpr StudiedRange SCHNIDER_1998_RANGES[] = {
    {Quantity::Age, 25, 81},
    {Quantity::Weight, 44.4, 122.7},
    {Quantity::Height, 154.9, 195.6},
    {Quantity::BodyMassIndex, 15.9, 32.1},
    {Quantity::LeanBodyMass, 35.3, 84.6},
};
inline constexpr ModelSource SCHNIDER_1998{
    "Schnider 1998",
    "Schnider TW, Minto CF, Gambus PL, Andresen C, Goodale DB, Shafer SL, Youngs EJ. The "
    "influence of method of administration and covariates on the pharmacokinetics of propofol "
    "in adult volunteers. Anesthesiology 1998;88(5):1170-82. ke0 0.456: Schnider et al., "
    "Anesthesiology 1999;90:1502-16.",
    "DOI 10.1097/00000542-199805000-00006, PMID 9605675",
    "24 healthy volunteers (13 men, 11 women), a bolus and a 60-minute infusion in two "
    "sessions, arterial samples, no opioid. Lean body mass by the James formula.",
    SCHNIDER_1998_RANGES,
    "confirmed (individual data; the abstract gives 26 as the lowest age, the data 25)",
    "The model centres on age 53, weight 77 kg, height 177 cm and LBM 59 kg. A lean body mass "
    "from another formula than James's is outside what was studied, which no range can show.",
    true,
    &PROPOFOL,
};
inline constexpr FunctionEntry PropSchnider{
    .worksheetName = "PropSchnider",
    .helpText = "Propofol(incl. ke0), Schnider et al. Anesthesiology 1998 ",
    .arguments = PROP_SCHNIDER_ARGS,
    .purpose = "Propofol parameters of the Schnider model for an adult, from age, weight, height "
               "and lean body mass, with ke0.",
    .result = SEVEN_CELLS,
    .cells = ROW_OF_SEVEN,
    .example = "=PropSchnider(53, 77, 177, 59)",
    .source = &SCHNIDER_1998,
};

inline constexpr ArgumentEntry PROP_SCHNIDER_TRICK_ARGS[] = {
    Age("Age", " the patient's age "),
    Weight("Weight", " the patient's weight "),
    Height("Height", " the patient's height (in cm) "),
    Flag("male", " male = 1 ", MALE_MEANING),
};
inline constexpr ModelSource SCHNIDER_1998_TRICK{
    "Schnider 1998",
    SCHNIDER_1998.publication,
    SCHNIDER_1998.identifiers,
    "as PropSchnider: 24 healthy volunteers, BMI 15.9-32.1",
    SCHNIDER_1998_RANGES,
    "confirmed for the data; the height substitution was never validated",
    "The lean body mass is computed with the James formula. Above a BMI of 42 (men) or 36 "
    "(women) the height is replaced by the one at which the BMI equals that threshold, so that "
    "the James formula, which falls with weight at high BMI, stays usable. The rule is not "
    "from the paper and no source for it was found; every patient it changes lies far outside "
    "the studied BMI. It also hides a height entered in metres: check the raw height first.",
    true,
    &PROPOFOL,
};
inline constexpr FunctionEntry PropSchniderTrick{
    .worksheetName = "PropSchniderTrick",
    .helpText = " Propofol(incl. ke0), Schnider Model BMI > 36, 46 dHT ",
    .arguments = PROP_SCHNIDER_TRICK_ARGS,
    .purpose = "Propofol parameters of the Schnider model with the lean body mass computed from "
               "weight, height and sex, and a substituted height for obese patients, with ke0.",
    .result = SEVEN_CELLS,
    .cells = ROW_OF_SEVEN,
    .example = "=PropSchniderTrick(53, 77, 177, 1)",
    .source = &SCHNIDER_1998_TRICK,
};

inline constexpr ModelSource MARSH_1991{
    "Marsh 1991",
    "Marsh B, White M, Morton N, Kenny GNC. Pharmacokinetic model driven infusion of propofol "
    "in children. Br J Anaesth 1991;67:41-8 (authors and title from memory). The adult set "
    "takes its rate constants from Gepts E, Camu F, Cockshott ID, Douglas EJ, Anesth Analg "
    "1987;66:1256-63, and V1 = 0.228 L/kg from unpublished pilot studies.",
    "DOI 10.1093/bja/67.1.41, PMID 1859758",
    "adults; the adult set is not a population fit and no studied population is reported",
    {},
    NOT_CONFIRMED,
    "Every volume and clearance is proportional to weight. This row uses k12 = 0.112; the "
    "Diprifusor set uses 0.114, which is Gepts's value.",
    false,
    &PROPOFOL,
};
inline constexpr FunctionEntry PropMarsh{
    .worksheetName = "PropMarsh",
    .helpText = "Propofol, Marsh et al. (Weight) BJA ??? ",
    .arguments = WEIGHT_ARGS,
    .purpose = "Propofol parameters of the adult Marsh model, proportional to weight, without ke0.",
    .result = SIX_CELLS,
    .cells = ROW_OF_SIX,
    .example = "=PropMarsh(70)",
    .source = &MARSH_1991,
};

inline constexpr ArgumentEntry PROP_WHITE_ARGS[] = {
    Age("Age", "The patient's age "),
    Weight("Weight", "The patient's weight "),
    Flag("MALE", "Gender (Male = 1, Female = 0) ", MALE_MEANING),
};
inline constexpr ModelSource WHITE_2008{
    "White 2008",
    "White M, Kenny GNC, Schraag S. Use of target controlled infusion to derive age and gender "
    "covariates for propofol clearance. Clin Pharmacokinet 2008;47:119-27 (identified from "
    "memory; the registered help says \"CPT 2008\").",
    "",
    "not found",
    {},
    NOT_CONFIRMED,
    "The model uses weight, not lean body mass, although its help text names LBM.",
    false,
    &PROPOFOL,
};
inline constexpr FunctionEntry PropWhite{
    .worksheetName = "PropWhite",
    .helpText = "Propofol, White et al. (Age, LBM) CPT 2008 ",
    .arguments = PROP_WHITE_ARGS,
    .purpose = "Propofol parameters of the White model, with an age- and sex-dependent central "
               "volume and clearance, without ke0.",
    .result = SIX_CELLS,
    .cells = ROW_OF_SIX,
    .example = "=PropWhite(40, 70, 1)",
    .source = &WHITE_2008,
};

inline constexpr ArgumentEntry PROP_KATARIA_ARGS[] = {
    Weight("mass", " the child's weight ", "the child's total body weight"),
    Age("age", " the child's age ", "the child's age"),
};
inline constexpr StudiedRange KATARIA_1994_RANGES[] = {
    {Quantity::Age, 3, 11},
    {Quantity::Weight, 15, 60.5},
    {Quantity::Height, 98, 173},
    {Quantity::BodyMassIndex, 15.4, 20.2},
};
inline constexpr ModelSource KATARIA_1994{
    "Kataria 1994",
    "Kataria BK, Ved SA, Nicodemus HF, Hoy GR, Lea D, Dubois MY, Mandema JW, Shafer SL. The "
    "pharmacokinetics of propofol in children using three different data analysis approaches. "
    "Anesthesiology 1994;80(1):104-22.",
    "DOI 10.1097/00000542-199401000-00018, PMID 8291699",
    "53 healthy, unpremedicated children (28 boys, 25 girls), venous samples; 20 had a bolus "
    "only, 33 a bolus and an infusion.",
    KATARIA_1994_RANGES,
    "confirmed (abstract and individual data)",
    "V2 = 0.78 mass + 3.1 age - 15.5 is 0 or below when the mass is at most (15.5 - 3.1 age) / "
    "0.78: 7.9 kg at 3 years, 15.9 kg at 1 year. An age in months (36 for 3 years) gives a V2 "
    "twenty times too large.",
    true,
    &PROPOFOL,
};
inline constexpr FunctionEntry PropKataria{
    .worksheetName = "PropKataria",
    .helpText = " Propofol, Kataria ",
    .arguments = PROP_KATARIA_ARGS,
    .purpose = "Propofol parameters of the Kataria model for children, linear in weight and age, "
               "without ke0.",
    .result = SIX_CELLS,
    .cells = ROW_OF_SIX,
    .example = "=PropKataria(20, 6)",
    .source = &KATARIA_1994,
};

inline constexpr ArgumentEntry DIPRIFUSOR_ARGS[] = {
    Age("Age", "Age, a dummy parameter in Diprifusor! ",
        "the patient's age: below 16 the row is zeros, otherwise it is not used"),
    Weight("Weight", "The patient's weight "),
};
inline constexpr ModelSource DIPRIFUSOR_SET{
    "Marsh (Diprifusor)",
    MARSH_1991.publication,
    MARSH_1991.identifiers,
    "adults, as the Marsh set; the pump is for adults",
    {},
    NOT_CONFIRMED,
    "The Marsh adult set as the Diprifusor pump implements it: k12 = 0.114 (personal "
    "communication, Brannock) and ke0 = 0.26 /min. Below age 16 every volume and clearance is "
    "0 and only ke0 remains.",
    false,
    &PROPOFOL,
};
inline constexpr FunctionEntry Diprifusor{
    .worksheetName = "Diprifusor",
    .helpText = "Propofol, Diprifusor (pers. com: Brannock  k12=0.114), incl. ke0 ",
    .arguments = DIPRIFUSOR_ARGS,
    .purpose = "Propofol parameters of the Diprifusor pump's adult model (Marsh with k12 = "
               "0.114), with ke0; zeros below 16 years.",
    .result = SEVEN_CELLS,
    .cells = ROW_OF_SEVEN,
    .example = "=Diprifusor(40, 70)",
    .source = &DIPRIFUSOR_SET,
};

inline constexpr ArgumentEntry PROP_PAEDFUSOR_ARGS[] = {
    Age("Age", "The child's age ", "the child's age, in whole years from 13 to 16"),
    Weight("Weight", "The child's weight ", "the child's total body weight"),
};
inline constexpr ModelSource PAEDFUSOR{
    "Absalom 2003",
    "Absalom A, Amutike D, Lal A, White M, Kenny GNC. Accuracy of the 'Paedfusor' in children "
    "undergoing cardiac surgery or catheterization. Br J Anaesth 2003;91(4):507-13 (title from "
    "memory); parameters: Absalom A, Kenny G. 'Paedfusor' pharmacokinetic data set. Br J "
    "Anaesth 2005;95(1):110.",
    "DOI 10.1093/bja/aei567, PMID 15941735",
    "children; the study's numbers and ranges were not found",
    {},
    NOT_CONFIRMED,
    "Ages 1 to 12 use a weight-dependent k10; 13, 14, 15 and 16 are matched as whole years; "
    "above 16 the adult Marsh values apply. Any other age (below 1, or a fraction between 12 "
    "and 16 such as 12.5) gives six zeros. An age in months reads as an adult.",
    false,
    &PROPOFOL,
};
inline constexpr FunctionEntry PropPaedfusor{
    .worksheetName = "PropPaedfusor",
    .helpText = "Propofol, Children, Absalom et al. (Age, Weight) BJA ??? ",
    .arguments = PROP_PAEDFUSOR_ARGS,
    .purpose = "Propofol parameters of the Paedfusor model for children, from age and weight, "
               "without ke0.",
    .result = SIX_CELLS,
    .cells = ROW_OF_SIX,
    .example = "=PropPaedfusor(6, 20)",
    .source = &PAEDFUSOR,
};

inline constexpr ArgumentEntry PROP_ELEVELD_ARGS[] = {
    Weight("weight", " the patient's weight "),
    Age("age", " the patient's age "),
    Flag("male", " the patient's gender (1=MALE) ", MALE_MEANING),
    Flag("patient", " patient (1) or volunteer (0) ", "1 for a patient, 0 for a healthy volunteer"),
};
inline constexpr StudiedRange ELEVELD_2014_RANGES[] = {
    {Quantity::Age, 0.25, 88},
    {Quantity::Weight, 5.2, 160},
};
inline constexpr ModelSource ELEVELD_2014{
    "Eleveld 2014",
    "Eleveld DJ, Proost JH, Cortinez LI, Absalom AR, Struys MMRF. A general purpose "
    "pharmacokinetic model for propofol. Anesth Analg 2014;118(6):1221-37 (pages not "
    "confirmed).",
    "DOI 10.1213/ANE.0000000000000165",
    "660 individuals from 21 pooled studies: young children, children, adults, elderly and "
    "obese people, patients and healthy volunteers.",
    ELEVELD_2014_RANGES,
    "confirmed for age and weight; the sex mix is not confirmed",
    "Volunteers contributed only adults, so a child entered as a volunteer (patient = 0) lies "
    "outside the data (an inference, not confirmed).",
    true,
    &PROPOFOL,
};
inline constexpr FunctionEntry PropEleveld{
    .worksheetName = "PropEleveld",
    .helpText = " Propofol Eleveld A&A 2014 ",
    .arguments = PROP_ELEVELD_ARGS,
    .purpose = "Propofol parameters of the Eleveld 2014 general-purpose model, from weight, age, "
               "sex and patient or volunteer, with ke0.",
    .result = SEVEN_CELLS,
    .cells = ROW_OF_SEVEN,
    .example = "=PropEleveld(70, 40, 1, 1)",
    .source = &ELEVELD_2014,
};

inline constexpr ArgumentEntry PROP_ELEVELD_FINAL_ARGS[] = {
    Weight("weight", " Enter the weight in kg "),
    Height("height", " Enter the height in cm "),
    Covariate(Quantity::PostmenstrualAge, "pma", " Enter postmenstrual age, decimal year "),
    Age("age", " Enter age as years "),
    Flag("male", " Enter gender (1=MALE) ", MALE_MEANING),
    Flag("venous", " Enter if concentration is venous (1) ",
         "1 when the concentrations are venous, 0 when arterial"),
    Flag("opiates", " Enter if opiates are given (1) ", "1 when opioids are given with propofol"),
    Flag("patient", " For patient enter 1 for volunteer 0 ",
         "1 for a patient, 0 for a volunteer; accepted but not used by the model"),
};
inline constexpr StudiedRange ELEVELD_2018_RANGES[] = {
    {Quantity::Age, 0.0027, 88},          {Quantity::PostmenstrualAge, 0.519, 88.77},
    {Quantity::Weight, 0.68, 160},        {Quantity::Height, 33, 200},
    {Quantity::BodyMassIndex, 6.2, 52.8},
};
inline constexpr ModelSource ELEVELD_2018{
    "Eleveld 2018",
    "Eleveld DJ, Colin P, Absalom AR, Struys MMRF. Pharmacokinetic-pharmacodynamic model for "
    "propofol for broad application in anaesthesia and sedation. Br J Anaesth "
    "2018;120(5):942-59.",
    "DOI 10.1016/j.bja.2018.01.018, PMID 29661412",
    "1033 individuals (672 men, 361 women) from 30 studies, from 27 weeks postmenstrual age to "
    "88 years; 710 with and 323 without opioids; 727 arterial and 306 venous samplings.",
    ELEVELD_2018_RANGES,
    "confirmed (abstract and individual data)",
    "Thin regions: 49 individuals under 1 year, 6 aged 80 or more, 25 adults with BMI above "
    "40. A height in metres collapses the fat-free mass; a postmenstrual age in weeks (40 for "
    "a newborn) overstates clearance about 2.65-fold.",
    true,
    &PROPOFOL,
};
inline constexpr FunctionEntry PropEleveldFinal{
    .worksheetName = "PropEleveldFinal",
    .helpText = " Propofol, Eleveld BJA 2018 ",
    .arguments = PROP_ELEVELD_FINAL_ARGS,
    .purpose = "Propofol parameters of the Eleveld 2018 model for all ages, from weight, height, "
               "postmenstrual age, age, sex, sampling site and opioids, with ke0.",
    .result = SEVEN_CELLS,
    .cells = ROW_OF_SEVEN,
    .example = "=PropEleveldFinal(70, 170, 40.77, 40, 1, 0, 1, 1)",
    .source = &ELEVELD_2018,
};

// ---- Other hypnotics and sedatives

inline constexpr ArgumentEntry ABP700_V1_ELEVELD_ARGS[] = {
    Weight("weight", " the patient's weight "),
    Age("age", " the patient's age ", "the patient's age; accepted but not used by the model"),
    Height("height", " the patient's height "),
    Flag("male", " the patient's gender (1=MALE) ", MALE_MEANING),
};
inline constexpr ModelSource ABP700_2016{
    "Eleveld 2016 (ABP-700)",
    "Unpublished model version V_05_2016. The only published human data found: Struys MMRF, "
    "Valk BI, Eleveld DJ, Absalom AR, Meyer P, Meier S, et al. Anesthesiology "
    "2017;127(1):20-35.",
    "",
    "60 healthy subjects of a first-in-human study (including placebo); whether the model was "
    "fitted to them is not known",
    {},
    NOT_CONFIRMED,
    "Everything scales with the fat-free mass relative to that of a 70 kg, 170 cm man. "
    "Experimental.",
    false,
    &ABP_700,
};
inline constexpr FunctionEntry ABP700V1Eleveld{
    .worksheetName = "ABP700V1Eleveld",
    .helpText = " ABP-700 Eleveld V_05_2016 experimental ",
    .arguments = ABP700_V1_ELEVELD_ARGS,
    .purpose = "Parameters of the experimental hypnotic ABP-700 (Eleveld 2016 model version), "
               "from weight, height and sex, with ke0.",
    .result = SEVEN_CELLS,
    .cells = ROW_OF_SEVEN,
    .example = "=ABP700V1Eleveld(70, 40, 170, 1)",
    .source = &ABP700_2016,
};

inline constexpr ModelSource DOMINO_1984{
    "Domino 1984",
    "Domino EF, Domino SE, Smith RE, et al. Ketamine kinetics in unmedicated and "
    "diazepam-premedicated subjects. Clin Pharmacol Ther 1984;36:645-53 (authors and title "
    "from memory; other tools print the year 1991).",
    "",
    "not found",
    {},
    NOT_CONFIRMED,
    "Per-kg volumes and clearances. ke0 = 10 /min has no published source.",
    false,
    &KETAMINE,
};
inline constexpr FunctionEntry KetaDomino{
    .worksheetName = "KetaDomino",
    .helpText = " Ketamine Domino weight scaled with ke0 10 from Ostrevane ",
    .arguments = WEIGHT_ARGS_LOWER,
    .purpose = "Ketamine parameters of the Domino model, proportional to weight, with ke0 10.",
    .result = SEVEN_CELLS,
    .cells = ROW_OF_SEVEN,
    .example = "=KetaDomino(70)",
    .source = &DOMINO_1984,
};

inline constexpr ModelSource GREENBLATT_1989{
    "Greenblatt 1989",
    "Greenblatt DJ et al., Clin Pharmacol Ther, April 1989; probably \"Pharmacokinetic and "
    "electroencephalographic study of intravenous diazepam, midazolam, and placebo\", Clin "
    "Pharmacol Ther 1989;45:356-65 (not confirmed).",
    "",
    "not found",
    {},
    NOT_CONFIRMED,
    "A two-compartment model per kg (V1 0.73 L/kg). ke0 0.17325 = 0.693/4 (Hung, Buhrer and "
    "Stanski, unpublished).",
    false,
    &MIDAZOLAM,
};
inline constexpr FunctionEntry MidaGreenblatt{
    .worksheetName = "MidaGreenblatt",
    .helpText = " Midazolam Greenblatt, ke0 0.17325 ",
    .arguments = WEIGHT_ARGS_LOWER,
    .purpose = "Midazolam parameters of the Greenblatt two-compartment model, proportional to "
               "weight, with ke0.",
    .result = SEVEN_CELLS,
    .cells = ROW_OF_SEVEN,
    .example = "=MidaGreenblatt(70)",
    .source = &GREENBLATT_1989,
};

// ---- Opioids

inline constexpr ArgumentEntry REMI_MINTO_ARGS[] = {
    Age("Age", "The patient's age "),
    LeanBodyMass("LBM", "Lean body mass "),
};
inline constexpr StudiedRange MINTO_1997_RANGES[] = {
    {Quantity::Age, 20, 85},
    {Quantity::LeanBodyMass, 36.5, 75.6},
    {Quantity::Weight, 45, 106},
    {Quantity::Height, 156, 193},
    {Quantity::BodyMassIndex, 16.1, 32.7},
};
inline constexpr ModelSource MINTO_1997{
    "Minto 1997",
    "Minto CF, Schnider TW, Egan TD, Youngs E, Lemmens HJM, Gambus PL, Billard V, Hoke JF, "
    "Moore KHP, Hermann DJ, Muir KT, Mandema JW, Shafer SL. Influence of age and gender on the "
    "pharmacokinetics and pharmacodynamics of remifentanil. I. Model development. "
    "Anesthesiology 1997;86(1):10-23.",
    "DOI 10.1097/00000542-199701000-00004, PMID 9009935",
    "65 healthy adults (38 men, 27 women), arterial samples, infusions of 1-8 ug/kg/min for "
    "4-20 minutes.",
    MINTO_1997_RANGES,
    "confirmed (abstract and individual data)",
    "The model centres on age 40 and LBM 55 kg. The Eleveld 2017 remifentanil data pool this "
    "study with others; that is another model (RemiEleveld).",
    true,
    &REMIFENTANIL,
};
inline constexpr FunctionEntry RemiMinto{
    .worksheetName = "RemiMinto",
    .helpText = "Remifentanil(incl. ke0), Minto et al. (Age, LBM) Anesthesiology 199? ",
    .arguments = REMI_MINTO_ARGS,
    .purpose = "Remifentanil parameters of the Minto model, from age and lean body mass, with ke0.",
    .result = SEVEN_CELLS,
    .cells = ROW_OF_SEVEN,
    .example = "=RemiMinto(40, 55)",
    .source = &MINTO_1997,
};

inline constexpr ArgumentEntry ALFENT_MAITRE_ARGS[] = {
    Age("Age", "The child's age "),
    Weight("Weight", "The child's weight "),
    Flag("MALE", "Gender (Male = 1, Female = 0) ", MALE_MEANING),
};
inline constexpr ModelSource MAITRE_1987{
    "Maitre 1987",
    "Maitre PO, Vozeh S, Heykants J, Thomson DA, Stanski DR. Population pharmacokinetics of "
    "alfentanil: the average dose-plasma concentration relationship and interindividual "
    "variability in patients. Anesthesiology 1987;66:3-12 (authors and title from memory).",
    "PMID 3099604",
    "adult patients: single-dose data pooled from earlier studies",
    {},
    NOT_CONFIRMED,
    "An adult model, although the registered descriptions say \"child\". Other tools warn "
    "outside ages 25-53 and weights 41-95 kg; these are their own limits, not studied ranges.",
    false,
    &ALFENTANIL,
};
inline constexpr FunctionEntry AlfentMaitre{
    .worksheetName = "AlfentMaitre",
    .helpText = "Alfentanil 3C, Maitre 1987 as tested 1988 Anesthesiology ",
    .arguments = ALFENT_MAITRE_ARGS,
    .purpose = "Alfentanil parameters of the Maitre model, from age, weight and sex, without ke0.",
    .result = SIX_CELLS,
    .cells = ROW_OF_SIX,
    .example = "=AlfentMaitre(40, 70, 1)",
    .source = &MAITRE_1987,
};

inline constexpr ModelSource SCOTT_1987_ALFENTANIL{
    "Scott 1987",
    "Scott JC, Stanski DR. Decreased fentanyl and alfentanil dose requirements with age. A "
    "simultaneous pharmacokinetic and pharmacodynamic evaluation. J Pharmacol Exp Ther "
    "1987;240(1):159-66.",
    "PMID 3100765",
    "not found",
    {},
    NOT_CONFIRMED,
    "A fixed row for every patient whatever the size (V1 2.19 L).",
    false,
    &ALFENTANIL,
};
inline constexpr FunctionEntry AlfentScott{
    .worksheetName = "AlfentScott",
    .helpText = "Scott/Stanski JPET 1987 with ke0 ",
    .arguments = {},
    .purpose = "Alfentanil parameters of the Scott and Stanski model: one fixed row, with ke0.",
    .result = SEVEN_CELLS,
    .cells = ROW_OF_SEVEN,
    .example = "=AlfentScott()",
    .source = &SCOTT_1987_ALFENTANIL,
};

inline constexpr ModelSource SCOTT_1987_FENTANYL{
    "Scott 1987",
    SCOTT_1987_ALFENTANIL.publication,
    SCOTT_1987_ALFENTANIL.identifiers,
    "not found",
    {},
    NOT_CONFIRMED,
    "The published set was not weight adjusted (V1 12.7 L); here every volume and clearance "
    "is scaled by weight/70, which was not studied. ke0 0.147 /min from Scott and Stanski.",
    false,
    &FENTANYL,
};
inline constexpr FunctionEntry FentScott{
    .worksheetName = "FentScott",
    .helpText = " Scott Fentanyl weight scaled with ke0 0.147 ",
    .arguments = WEIGHT_ARGS_LOWER,
    .purpose = "Fentanyl parameters of the Scott and Stanski model scaled to the weight, with ke0.",
    .result = SEVEN_CELLS,
    .cells = ROW_OF_SEVEN,
    .example = "=FentScott(70)",
    .source = &SCOTT_1987_FENTANYL,
};

inline constexpr StudiedRange GEPTS_1995_RANGES[] = {{Quantity::Age, 14, 68}};
inline constexpr ModelSource GEPTS_1995{
    "Gepts 1995",
    "Gepts E, Shafer SL, Camu F, Stanski DR, Woestenborghs R, Van Peer A, Heykants JJP. "
    "Linearity of pharmacokinetics and model estimation of sufentanil. Anesthesiology "
    "1995;83(6):1194-204.",
    "DOI 10.1097/00000542-199512000-00010, PMID 8533912",
    "23 surgical patients with postoperative ventilation; infusions of 250-1500 ug, arterial "
    "samples up to 48 hours.",
    GEPTS_1995_RANGES,
    "confirmed for age; weight, height and sex not confirmed",
    "The model has no covariates: the same row for every patient.",
    true,
    &SUFENTANIL,
};
inline constexpr FunctionEntry SufentGepts{
    .worksheetName = "SufentGepts",
    .helpText = "Gepts Sufentanil no covarite 1995 ",
    .arguments = {},
    .purpose = "Sufentanil parameters of the Gepts model: one fixed row, without ke0.",
    .result = SIX_CELLS,
    .cells = ROW_OF_SIX,
    .example = "=SufentGepts()",
    .source = &GEPTS_1995,
};

inline constexpr ModelSource HUDSON_1989{
    "Hudson 1989",
    "Hudson RJ et al., Anesthesiology 1989 (probably 70:426-31, patients having abdominal "
    "aortic surgery; not confirmed).",
    "",
    "not found",
    {},
    NOT_CONFIRMED,
    "V1 0.254 L/kg; the source of ke0 is not reported.",
    false,
    &SUFENTANIL,
};
inline constexpr FunctionEntry SufentHudson{
    .worksheetName = "SufentHudson",
    .helpText = "Hudson Sufentanil Anesthesiology 1989; ke0 source not reported ",
    .arguments = WEIGHT_ARGS,
    .purpose = "Sufentanil parameters of the Hudson model, proportional to weight, with ke0.",
    .result = SEVEN_CELLS,
    .cells = ROW_OF_SEVEN,
    .example = "=SufentHudson(70)",
    .source = &HUDSON_1989,
};

// ---- Local anaesthetics

inline constexpr ModelSource SCHNIDER_1996{
    "Schnider 1996",
    "Schnider TW, Gaeta R, Brose W, Minto CF, Gregg KM, Shafer SL. Derivation and "
    "cross-validation of pharmacokinetic parameters for computer-controlled infusion of "
    "lidocaine in pain therapy. Anesthesiology 1996;84(5):1043-50 (authors and the end of the "
    "title from memory).",
    "",
    "13 patients with chronic neuropathic pain, mean age 45 years, mean weight 66 kg (eight for "
    "the estimation, five for a prospective test)",
    {},
    "not confirmed: only the mean age and weight were found",
    "A two-compartment model per kg. Another tool's lidocaine set for the same study differs; "
    "the final published values could not be checked.",
    false,
    &LIDOCAINE,
};
inline constexpr FunctionEntry LidocainSchnider{
    .worksheetName = "LidocainSchnider",
    .helpText = " Lidocain 2 compartment, Schnider et al. Anesthesiology 1996 ",
    .arguments = WEIGHT_ARGS_LOWER,
    .purpose = "Lidocaine parameters of the Schnider two-compartment model, proportional to "
               "weight, with ke0.",
    .result = SEVEN_CELLS,
    .cells = ROW_OF_SEVEN,
    .example = "=LidocainSchnider(70)",
    .source = &SCHNIDER_1996,
};

// ---- The seven models added from the open TCI tools' sources

inline constexpr ArgumentEntry DEXMED_HANNIVOORT_ARGS[] = {
    Weight("weight", " the patient's weight "),
};
inline constexpr StudiedRange HANNIVOORT_2015_RANGES[] = {
    {Quantity::Age, 20, 70},
    {Quantity::Weight, 51, 110},
    {Quantity::BodyMassIndex, 20.6, 29.3},
};
inline constexpr ModelSource HANNIVOORT_2015{
    "Hannivoort 2015",
    "Hannivoort LN, Eleveld DJ, Proost JH, Reyntjens KMEM, Absalom AR, Vereecke HEM, Struys "
    "MMRF. Development of an optimized pharmacokinetic model of dexmedetomidine using "
    "target-controlled infusion in healthy volunteers. Anesthesiology 2015;123(2):357-67.",
    "DOI 10.1097/ALN.0000000000000740, PMID 26068206",
    "18 healthy volunteers (9 men, 9 women)",
    HANNIVOORT_2015_RANGES,
    "from the abstract",
    "Weight is the only covariate: volumes scale with weight/70, clearances with its 0.75 "
    "power. The paper reports no ke0; another tool's 0.0428 /min (Colin 2017) is not confirmed.",
    true,
    &DEXMEDETOMIDINE,
};
inline constexpr FunctionEntry DexmedHannivoort{
    .worksheetName = "DexmedHannivoort",
    .helpText = " Dexmedetomidine, Hannivoort Anesthesiology 2015, no ke0 ",
    .arguments = DEXMED_HANNIVOORT_ARGS,
    .purpose = "Dexmedetomidine parameters of the Hannivoort model, allometrically scaled to the "
               "weight, without ke0.",
    .result = SIX_CELLS,
    .cells = ROW_OF_SIX,
    .example = "=DexmedHannivoort(70)",
    .source = &HANNIVOORT_2015,
};

inline constexpr ArgumentEntry DEXMED_DYCK_ARGS[] = {
    Height("height", " the patient's height (in cm) "),
};
inline constexpr ModelSource DYCK_1993{
    "Dyck 1993",
    "Dyck JB, et al. Computer-controlled infusion of intravenous dexmedetomidine hydrochloride "
    "in adult human volunteers. Anesthesiology 1993;78(5):821-8.",
    "DOI 10.1097/00000542-199305000-00003, PMID 8098191",
    "adult volunteers",
    {},
    NOT_CONFIRMED,
    "Fixed volumes; the elimination clearance is linear in height and is 0 or below at 117.2 cm "
    "or less. Other tools warn outside 60-98 kg (their own limit). No ke0.",
    false,
    &DEXMEDETOMIDINE,
};
inline constexpr FunctionEntry DexmedDyck{
    .worksheetName = "DexmedDyck",
    .helpText = " Dexmedetomidine, Dyck Anesthesiology 1993 (height adjusted), no ke0 ",
    .arguments = DEXMED_DYCK_ARGS,
    .purpose = "Dexmedetomidine parameters of the Dyck model, with an elimination clearance "
               "linear in height, without ke0.",
    .result = SIX_CELLS,
    .cells = ROW_OF_SIX,
    .example = "=DexmedDyck(170)",
    .source = &DYCK_1993,
};

// Weight, age, height and sex, for the fat-free mass (RemiEleveld and RemiKim).
inline constexpr ArgumentEntry REMI_SIZE_ARGS[] = {
    Weight("weight", " the patient's weight "),
    Age("age", " the patient's age "),
    Height("height", " the patient's height (in cm) "),
    Flag("male", " the patient's gender (1=MALE) ", MALE_MEANING),
};
inline constexpr StudiedRange ELEVELD_2017_RANGES[] = {
    {Quantity::Age, 0.0137, 85}, // 5 days
    {Quantity::Weight, 2.5, 106},
    {Quantity::Height, 49, 193},
};
inline constexpr ModelSource ELEVELD_2017{
    "Eleveld 2017",
    "Eleveld DJ, Proost JH, Vereecke H, Absalom AR, Olofsen E, Vuyk J, Struys MMRF. An "
    "allometric model of remifentanil pharmacokinetics and pharmacodynamics. Anesthesiology "
    "2017;126(6):1005-18.",
    "DOI 10.1097/ALN.0000000000001634, PMID 28509794",
    "131 individuals (55 men, 76 women) from 5 days to 85 years",
    ELEVELD_2017_RANGES,
    "from the abstract",
    "Follows the authors' own code: log-scale typical values and the reference fat-free mass "
    "without an age factor. Women between puberty and menopause get a larger V2, Cl1 and Cl2. "
    "ke0 = 1.09 exp(-0.0289 (age - 35)).",
    true,
    &REMIFENTANIL,
};
inline constexpr FunctionEntry RemiEleveld{
    .worksheetName = "RemiEleveld",
    .helpText = " Remifentanil(incl. ke0), Eleveld Anesthesiology 2017 ",
    .arguments = REMI_SIZE_ARGS,
    .purpose = "Remifentanil parameters of the Eleveld 2017 allometric model for all ages, from "
               "weight, age, height and sex, with ke0.",
    .result = SEVEN_CELLS,
    .cells = ROW_OF_SEVEN,
    .example = "=RemiEleveld(70, 35, 170, 1)",
    .source = &ELEVELD_2017,
};

inline constexpr StudiedRange KIM_2017_RANGES[] = {
    {Quantity::Age, 20, 85},
    {Quantity::BodyMassIndex, 16.1, 73.7},
};
inline constexpr ModelSource KIM_2017{
    "Kim 2017",
    "Kim TK, Obara S, Egan TD, et al. Disposition of remifentanil in obesity: a new "
    "pharmacokinetic model incorporating the influence of body mass. Anesthesiology "
    "2017;126(6):1019-32.",
    "DOI 10.1097/ALN.0000000000001635, PMID 28509796",
    "229 individuals (107 patients, 122 volunteers), including obese patients",
    KIM_2017_RANGES,
    "not confirmed: the ranges come from another tool's documentation, not from the paper",
    "The fat-free mass is Janmahasatian's (JanLBM of Corvane). V3 is below 0 above 120.9 years "
    "and Cl2 above 106.3 years. No ke0: the paper is pharmacokinetic only.",
    false,
    &REMIFENTANIL,
};
inline constexpr FunctionEntry RemiKim{
    .worksheetName = "RemiKim",
    .helpText = " Remifentanil, Kim Anesthesiology 2017 (obese), no ke0 ",
    .arguments = REMI_SIZE_ARGS,
    .purpose = "Remifentanil parameters of the Kim model for obese and lean adults, from weight, "
               "age, height and sex, without ke0.",
    .result = SIX_CELLS,
    .cells = ROW_OF_SIX,
    .example = "=RemiKim(120, 40, 165, 0)",
    .source = &KIM_2017,
};

inline constexpr ArgumentEntry REMIMAZ_ELEVELD_ARGS[] = {
    Weight("weight", " the patient's weight "),
    Age("age", " the patient's age "),
    Flag("male", " the patient's gender (1=MALE) ", MALE_MEANING),
    Flag("opiates", " Enter if opiates are given (1) ",
         "1 when opioids are given with remimazolam"),
    Flag("hepatic", " Child-Pugh score above 8 (1) ", "1 for a Child-Pugh score above 8"),
};
inline constexpr ModelSource ELEVELD_2025{
    "Eleveld 2025",
    "Eleveld DJ, Colin PJ, van den Berg JP, Koomen JV, Stohr T, Struys MMRF. Development and "
    "analysis of a remimazolam pharmacokinetics and pharmacodynamics model with proposed "
    "dosing and concentrations for anaesthesia and sedation. Br J Anaesth "
    "2025;135(1):206-17.",
    "DOI 10.1016/j.bja.2025.02.038",
    "adults; no maturation term",
    {},
    NOT_CONFIRMED,
    "ke0 0.298269 /min is the effect site of MOAA/S sedation; the model's BIS effect site "
    "(ke0 0.14497 exp(-0.0106456 (age - 35))) is not offered. The liver term comes from two "
    "tools, not from the authors' code; with hepatic = 0 the row equals the authors' code.",
    false,
    &REMIMAZOLAM,
};
inline constexpr FunctionEntry RemimazEleveld{
    .worksheetName = "RemimazEleveld",
    .helpText = " Remimazolam(incl. MOAA/S ke0), Eleveld BJA 2025 ",
    .arguments = REMIMAZ_ELEVELD_ARGS,
    .purpose = "Remimazolam parameters of the Eleveld 2025 model, from weight, age, sex, opioids "
               "and liver function, with the ke0 of sedation.",
    .result = SEVEN_CELLS,
    .cells = ROW_OF_SEVEN,
    .example = "=RemimazEleveld(70, 35, 1, 0, 0)",
    .source = &ELEVELD_2025,
};

inline constexpr ArgumentEntry ROCU_KLEIJN_ARGS[] = {
    Weight("weight", " the patient's weight "),
    Age("age", " the patient's age "),
    Covariate(Quantity::CreatinineClearance, "crcl", " creatinine clearance in ml/min "),
    Flag("asian", " Asian patient (1) ", "1 for an Asian patient"),
    Flag("sevoflurane", " sevoflurane maintenance (1) ", "1 for a sevoflurane maintenance"),
};
inline constexpr StudiedRange KLEIJN_2011_RANGES[] = {
    {Quantity::Age, 1, 91},
    {Quantity::Weight, 9.6, 139},
};
inline constexpr ModelSource KLEIJN_2011{
    "Kleijn 2011",
    "Kleijn HJ, Zollinger DP, van den Heuvel MW, Kerbusch T. Population "
    "pharmacokinetic-pharmacodynamic analysis for sugammadex-mediated reversal of "
    "rocuronium-induced neuromuscular blockade. Br J Clin Pharmacol 2011;72(3):415-33.",
    "DOI 10.1111/j.1365-2125.2011.04000.x, PMC3175511",
    "446 subjects of 8 trials, including renal impairment (creatinine clearance below 30 mL/min)",
    KLEIJN_2011_RANGES,
    "not confirmed: the ranges come from a model library's summary of the paper",
    "The rocuronium part of the model: two compartments (V3 = Cl3 = 0). The reference "
    "individual is 70 kg, 43 years, creatinine clearance 119 mL/min.",
    false,
    &ROCURONIUM,
};
inline constexpr FunctionEntry RocuKleijn{
    .worksheetName = "RocuKleijn",
    .helpText = " Rocuronium 2 compartment(incl. ke0), Kleijn BJCP 2011 ",
    .arguments = ROCU_KLEIJN_ARGS,
    .purpose = "Rocuronium parameters of the Kleijn two-compartment model, from weight, age, "
               "creatinine clearance, Asian origin and sevoflurane, with ke0.",
    .result = SEVEN_CELLS,
    .cells = ROW_OF_SEVEN,
    .example = "=RocuKleijn(70, 43, 119, 0, 0)",
    .source = &KLEIJN_2011,
};

inline constexpr ModelSource SHAFER_1990{
    "Shafer 1990",
    "Shafer SL, Varvel JR, Aziz N, Scott JC. Pharmacokinetics of fentanyl administered by "
    "computer-controlled infusion pump. Anesthesiology 1990;73(6):1091-102.",
    "PMID 2248388",
    "not found",
    {},
    NOT_CONFIRMED,
    "Not weight adjusted. No ke0: the sources disagree (0.147 and 0.12 /min); TPeak2ke0 of "
    "Corvane gives one from a time to peak effect.",
    false,
    &FENTANYL,
};
inline constexpr FunctionEntry FentShafer{
    .worksheetName = "FentShafer",
    .helpText = " Fentanyl, Shafer Anesthesiology 1990, no ke0 ",
    .arguments = {},
    .purpose = "Fentanyl parameters of the Shafer model: one fixed row, without ke0.",
    .result = SIX_CELLS,
    .cells = ROW_OF_SIX,
    .example = "=FentShafer()",
    .source = &SHAFER_1990,
};

// ---- The models' inter-individual variability

// clang-format off
inline constexpr ArgumentEntry MODEL_OMEGA_ARGS[] = {
    {"Model", " the model's worksheet name as text, e.g. \"PropEleveldFinal\" ", CELL, "",
     "the model's worksheet name as text, such as \"PropEleveldFinal\" (any letter case)"},
};
inline constexpr ResultCell OMEGA_CELLS[] = {
    {"omega2 V1", "", "the variance of V1's eta; 0 where V1 does not vary"},
    {"omega2 V2", "", "the variance of V2's eta"},
    {"omega2 V3", "", "the variance of V3's eta"},
    {"omega2 Cl1", "", "the variance of Cl1's eta"},
    {"omega2 Cl2", "", "the variance of Cl2's eta"},
    {"omega2 Cl3", "", "the variance of Cl3's eta"},
    {"omega2 ke0", "", "the variance of ke0's eta"},
};
inline constexpr catalogue::ErrorCause MODEL_OMEGA_ERRORS[] = {
    {UNKNOWN_MODEL, "Model is not the worksheet name of a Velmora model (or not a text)"},
    {NO_VARIANCES, "the model's variances are not known: only PropEleveldFinal, RemiEleveld, "
                   "RemiMinto and DexmedHannivoort have them"},
};
inline constexpr const char* MODEL_OMEGA_CONTESTED[] = {
    "RemiEleveld's ke0 variance is left out: the R package tci gives 0.947, the Python "
    "Anesthesia Simulator 1.26.",
    "RemiMinto's ke0 variance is left out: 60 % or 68 % in the sources.",
    "Schnider's published figures are read as CV % by the R package tci and as variances by "
    "others: no variances are given for PropSchnider.",
    "The omega2 = CV^2 shortcut of some code overstates large variances: RemiMinto's V3 (CV 66 "
    "%) is 0.362 here, not 0.436.",
};
// clang-format on
inline constexpr FunctionEntry ModelOmega{
    .worksheetName = "ModelOmega",
    .helpText = " Inter-individual variances (omega squared) of a model's parameters ",
    .arguments = MODEL_OMEGA_ARGS,
    .purpose = "The published inter-individual variability of a model: the variance of each "
               "parameter's eta (P = P_typical x exp(eta)) in the order of the model's row, for "
               "Corvane's virtual patients and Bayesian fit.",
    .result = "a column of 7 cells: the variances of V1, V2, V3, Cl1, Cl2, Cl3, ke0",
    .cells = OMEGA_CELLS,
    .errors = MODEL_OMEGA_ERRORS,
    .example = "=ModelOmega(\"PropEleveldFinal\")",
    .notes = "A 0 is a parameter without variability, or whose variance is not known. Only the "
             "models whose variances could be traced have them.",
    .sources = "PropEleveldFinal: Eleveld 2018, 0.610, 0.565, 0.597, 0.265, 0.346, 0.209, ke0 "
               "0.702 (the R package tci and the Python Anesthesia Simulator agree). "
               "RemiEleveld: Eleveld 2017, 0.104, 0.115, 0.810, 0.0197, 0.0547, 0.285 (both "
               "agree). RemiMinto: Minto 1997, CVs of 26, 29, 66, 14, 36 and 41 % converted "
               "exactly, ln(1 + CV^2) (both agree on the CVs). DexmedHannivoort: Hannivoort 2015, "
               "V1 0.0350 between subjects plus 0.2735 between occasions (one occasion), V3 "
               "0.0633, Cl1 0.0276, from a NONMEM run kept with OpenPMX's tests whose estimates "
               "reproduce the published typical values.",
    .contested = MODEL_OMEGA_CONTESTED,
};

// ---- The covariate check

// clang-format off
inline constexpr ArgumentEntry COVARIATE_CHECK_ARGS[] = {
    {"Model", " the model's worksheet name as text, e.g. \"PropSchnider\" ", CELL, "",
     "the model's worksheet name as text, such as \"PropSchnider\" (any letter case), or the "
     "name of one of Corvane's functions of the patient alone, such as \"JLBM\""},
    {"arg1", " the model's 1st argument ", CELL, "",
     "the model's first argument, exactly as given to the model; empty when the model takes none"},
    {"arg2", " the model's 2nd argument ", CELL, "",
     "the model's second argument, and so on; leave out what the model does not take"},
    {"arg3", " the model's 3rd argument ", CELL, "", "the model's third argument"},
    {"arg4", " the model's 4th argument ", CELL, "", "the model's fourth argument"},
    {"arg5", " the model's 5th argument ", CELL, "", "the model's fifth argument"},
    {"arg6", " the model's 6th argument ", CELL, "", "the model's sixth argument"},
    {"arg7", " the model's 7th argument ", CELL, "", "the model's seventh argument"},
    {"arg8", " the model's 8th argument ", CELL, "", "the model's eighth argument"},
};
// clang-format on
inline constexpr ResultCell COVARIATE_CHECK_CELLS[] = {
    {"finding", "",
     "\"OK\" when nothing is to be said; otherwise one finding per cell, errors first: the "
     "argument, its value and the reason"},
};
inline constexpr FunctionEntry CovariateCheck{
    .worksheetName = catalogue::COVARIATE_CHECK,
    .helpText = " Checks a model's arguments: impossible values, unit slips, studied ranges ",
    .arguments = COVARIATE_CHECK_ARGS,
    .purpose = "Checks the arguments of a drug model, or of one of Corvane's functions of the "
               "patient alone (BMI, the lean body masses, Ce50Eleveld), before the function "
               "reads them: values no "
               "patient can have, values that look like a unit slip (height in metres, age in "
               "months, weight in grams or pounds, a postmenstrual age in weeks), an empty "
               "argument the model would read as 0, a result the function cannot mean (a "
               "negative volume or clearance, zeros, a lean body mass at or below 0) and a "
               "patient outside the covariate ranges studied for the model. It never changes "
               "the function's numbers: put it beside the function's cell.",
    .result = "a column of texts: \"OK\", or one line per finding",
    .cells = COVARIATE_CHECK_CELLS,
    .example = "=CovariateCheck(\"PropSchnider\", 40, 70, 1.75, 56)",
    .notes = "An error means the value cannot be right; the other findings ask to confirm it. An "
             "unknown model name, or more arguments than the model takes, give one line that "
             "says so. The rules, each threshold with its reason, follow.",
};

} // namespace entries

// Velmora's functions: every model, the models' variances, then the covariate check, each
// routine beside its entry.
// clang-format off
inline constexpr std::tuple VELMORA_FUNCTIONS{
    catalogue::Row{&PropSchnider,      &entries::PropSchnider},
    catalogue::Row{&PropSchniderTrick, &entries::PropSchniderTrick},
    catalogue::Row{&PropMarsh,         &entries::PropMarsh},
    catalogue::Row{&PropWhite,         &entries::PropWhite},
    catalogue::Row{&PropKataria,       &entries::PropKataria},
    catalogue::Row{&Diprifusor,        &entries::Diprifusor},
    catalogue::Row{&PropPaedfusor,     &entries::PropPaedfusor},
    catalogue::Row{&PropEleveld,       &entries::PropEleveld},
    catalogue::Row{&PropEleveldFinal,  &entries::PropEleveldFinal},
    catalogue::Row{&ABP700V1Eleveld,   &entries::ABP700V1Eleveld},
    catalogue::Row{&KetaDomino,        &entries::KetaDomino},
    catalogue::Row{&MidaGreenblatt,    &entries::MidaGreenblatt},
    catalogue::Row{&RemiMinto,         &entries::RemiMinto},
    catalogue::Row{&AlfentMaitre,      &entries::AlfentMaitre},
    catalogue::Row{&AlfentScott,       &entries::AlfentScott},
    catalogue::Row{&FentScott,         &entries::FentScott},
    catalogue::Row{&SufentGepts,       &entries::SufentGepts},
    catalogue::Row{&SufentHudson,      &entries::SufentHudson},
    catalogue::Row{&LidocainSchnider,  &entries::LidocainSchnider},
    catalogue::Row{&DexmedHannivoort,  &entries::DexmedHannivoort},
    catalogue::Row{&DexmedDyck,        &entries::DexmedDyck},
    catalogue::Row{&RemiEleveld,       &entries::RemiEleveld},
    catalogue::Row{&RemiKim,           &entries::RemiKim},
    catalogue::Row{&RemimazEleveld,    &entries::RemimazEleveld},
    catalogue::Row{&RocuKleijn,        &entries::RocuKleijn},
    catalogue::Row{&FentShafer,        &entries::FentShafer},
    catalogue::Row{&ModelOmega,        &entries::ModelOmega},
    catalogue::Row{&CovariateCheck,    &entries::CovariateCheck},
};
// clang-format on
static_assert(catalogue::rowsFit(VELMORA_FUNCTIONS),
              "a Velmora routine does not fit its entry, or two rows share a name");

// Whether a row takes a text: the check, and what reads a model by its name.
template <class Row> struct TakesText;
template <class Result, class... Params>
struct TakesText<catalogue::Row<Result, Params...>>
    : std::bool_constant<(std::is_same_v<std::remove_cvref_t<Params>, std::string> || ...)> {};

// The drug models are every row but the check's and those that name a model.
template <class Row> inline constexpr bool IS_MODEL_ROW = !Row::isCheck && !TakesText<Row>::value;
template <class Row> constexpr bool isModel(const Row&) {
    return IS_MODEL_ROW<Row>;
}

// The entries of the models, in row order.
inline constexpr auto MODEL_ENTRIES = [] {
    constexpr std::size_t count = [] {
        std::size_t models = 0;
        catalogue::forEachRow(VELMORA_FUNCTIONS, [&](const auto& row) { models += isModel(row); });
        return models;
    }();
    std::array<const catalogue::FunctionEntry*, count> models{};
    std::size_t next = 0;
    catalogue::forEachRow(VELMORA_FUNCTIONS, [&](const auto& row) {
        if (isModel(row))
            models[next++] = row.entry;
    });
    return models;
}();

// Each model names its source and the drug it is of, whose units the front ends show. The
// check reads through the pointers rather than comparing them with null: the null-pointer
// sanitizer keeps a global's address from comparing with null at compile time, and reading
// through a null pointer stops the compile just as well.
constexpr bool modelsNameTheirDrug() {
    for (const catalogue::FunctionEntry* model : MODEL_ENTRIES)
        if (model->source->drug->name[0] == '\0')
            return false;
    return true;
}
static_assert(modelsNameTheirDrug(), "a model names no source or no drug");

// The longest argument list of any model: the covariate check takes as many after the
// model's name.
constexpr std::size_t longestModelArguments() {
    std::size_t longest = 0;
    for (const catalogue::FunctionEntry* model : MODEL_ENTRIES)
        longest = model->arguments.size() > longest ? model->arguments.size() : longest;
    return longest;
}
static_assert(entries::CovariateCheck.arguments.size() == 1 + longestModelArguments(),
              "the covariate check takes as many arguments as the longest model");

// The model with this worksheet name (compared byte by byte), or nullptr.
const catalogue::FunctionEntry* findModel(std::string_view worksheetName);
// The same in any letter case, as the sheet's function names are.
const catalogue::FunctionEntry* findModelAnyCase(std::string_view name);

} // namespace drugmodels
