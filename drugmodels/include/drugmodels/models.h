#pragma once

// The population pharmacokinetic models. Each routine takes the covariates in the
// argument order of its worksheet function (numbers as doubles, flags as booleans) and
// returns the parameter row:
//
//   V1, V2, V3 (L), Cl1, Cl2, Cl3 (L/min) and, for most models, ke0 (1/min)
//
// A two-compartment model has V3 = Cl3 = 0. The routines validate nothing: whatever
// the formulas give is returned, also where it has no physical meaning (negative
// volumes, or not-a-number from the power of a negative base).
//
// Units: age in years, weight in kg, height in cm, lean body mass in kg,
// postmenstrual age in decimal years, creatinine clearance in mL/min.

#include <cstddef>
#include <vector>

namespace drugmodels {

using ParameterRow = std::vector<double>;

// Position of each value in a parameter row.
namespace row {
inline constexpr std::size_t V1 = 0, V2 = 1, V3 = 2, Cl1 = 3, Cl2 = 4, Cl3 = 5, ke0 = 6;
}
// Length of a row without and with ke0.
inline constexpr std::size_t ROW_WITHOUT_KE0 = 6;
inline constexpr std::size_t ROW_WITH_KE0 = 7;

// --- Propofol ---------------------------------------------------------------------

// Schnider et al. 1998. LBM is taken as given. Seven values.
ParameterRow PropSchnider(double Age, double Weight, double Height, double LBM);

// Schnider with the James lean body mass; above a BMI of 42 (men) or 36 (women) the
// height is replaced by the one at which the BMI would equal that threshold. Seven values.
ParameterRow PropSchniderTrick(double Age, double Weight, double Height, bool male);

// Marsh, weight-scaled. Six values.
ParameterRow PropMarsh(double Weight);

// White et al. 2008, age and sex dependent central volume and clearance. Six values.
ParameterRow PropWhite(double Age, double Weight, bool MALE);

// Kataria, children; linear in mass and age. Six values.
ParameterRow PropKataria(double mass, double age);

// The adult Diprifusor model; below 16 years every volume and clearance is 0. Seven values.
ParameterRow Diprifusor(double Age, double Weight);

// Paedfusor (Absalom et al.), children; ages 13 to 16 are matched as whole years. Six values.
ParameterRow PropPaedfusor(double Age, double Weight);

// Eleveld 2014. Seven values.
ParameterRow PropEleveld(double weight, double age, bool male, bool patient);

// Eleveld 2018. pma (postmenstrual age) drives the maturation of Cl1 only; patient is
// accepted but does not enter the model. Seven values.
ParameterRow PropEleveldFinal(double weight, double height, double pma, double age, bool male,
                              bool venous, bool opiates, bool patient);

// --- Other hypnotics and sedatives ------------------------------------------------

// ABP-700, Eleveld 2016 (experimental); age is accepted but does not enter the model.
// Seven values.
ParameterRow ABP700V1Eleveld(double weight, double age, double height, bool male);

// Ketamine, Domino, weight-scaled, ke0 10. Seven values.
ParameterRow KetaDomino(double Weight);

// Midazolam, Greenblatt, two compartments, weight-scaled. Seven values.
ParameterRow MidaGreenblatt(double Weight);

// Remimazolam, Eleveld 2025, with the ke0 of MOAA/S sedation. opiates lowers the
// elimination clearance; hepatic (Child-Pugh score above 8) raises V3 and with it Cl3.
// Seven values.
ParameterRow RemimazEleveld(double weight, double age, bool male, bool opiates, bool hepatic);

// Dexmedetomidine, Hannivoort 2015, allometric in weight. Six values.
ParameterRow DexmedHannivoort(double weight);

// Dexmedetomidine, Dyck 1993: fixed volumes, elimination clearance linear in height.
// Six values.
ParameterRow DexmedDyck(double height);

// --- Opioids ----------------------------------------------------------------------

// Remifentanil, Minto et al. LBM is taken as given. Seven values.
ParameterRow RemiMinto(double Age, double LBM);

// Alfentanil, Maitre 1987. Six values.
ParameterRow AlfentMaitre(double Age, double Weight, bool MALE);

// Alfentanil, Scott and Stanski 1987: a fixed row. Seven values.
ParameterRow AlfentScott();

// Fentanyl, Scott, scaled to a 70 kg reference. Seven values.
ParameterRow FentScott(double Weight);

// Sufentanil, Gepts 1995: a fixed row. Six values.
ParameterRow SufentGepts();

// Sufentanil, Hudson 1989, weight-scaled. Seven values.
ParameterRow SufentHudson(double Weight);

// Remifentanil, Eleveld 2017, scaled by the age-adjusted fat-free mass, with weight-driven
// maturation of the clearance and a larger V2, Cl1 and Cl2 in women between puberty and
// menopause. Seven values.
ParameterRow RemiEleveld(double weight, double age, double height, bool male);

// Remifentanil in obesity, Kim 2017, with the Janmahasatian fat-free mass. Six values.
ParameterRow RemiKim(double weight, double age, double height, bool male);

// Fentanyl, Shafer 1990: a fixed row from fixed micro constants. Six values.
ParameterRow FentShafer();

// --- Neuromuscular blockers -------------------------------------------------------

// Rocuronium, Kleijn 2011, two compartments; crcl is the creatinine clearance (mL/min).
// sevoflurane lowers ke0. Seven values.
ParameterRow RocuKleijn(double weight, double age, double crcl, bool asian, bool sevoflurane);

// --- Local anaesthetics -----------------------------------------------------------

// Lidocaine, Schnider et al. 1996, two compartments, weight-scaled. Seven values.
ParameterRow LidocainSchnider(double Weight);

} // namespace drugmodels
