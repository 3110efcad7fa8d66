#pragma once

// The population pharmacokinetic models. Each routine takes the covariates in the
// argument order of its worksheet function (numbers as doubles, flags as booleans) and
// returns the parameter row:
//
//   V1, V2, V3 (L), Cl1, Cl2, Cl3 (L/min) and, for most models, ke0 (1/min)
//
// A two-compartment model has V3 = Cl3 = 0. The routines validate nothing: whatever
// the formulas give is returned, also where it has no physical meaning.

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

// Propofol, Schnider et al. 1998. Age in years, Weight in kg, Height in cm, LBM in kg
// (taken as given). Seven values.
ParameterRow PropSchnider(double Age, double Weight, double Height, double LBM);

} // namespace drugmodels
