#pragma once

// Concentrations predicted from a dosing table.
//
// A dosing table is three parallel columns: row 0 holds only the bolus given at time 0;
// row i >= 1 is an interval of length deltaTimes[i] infused at Rate[i], with the bolus
// IVBolus[i] given at its end. Each routine returns one concentration per row, the value
// at the end of that row's interval just after its bolus.
//
// A row whose interval, rate or bolus is not a finite number (NaN, an infinity) leaves the
// concentrations unknown from there on: that row and every later one is NaN, which the
// sheet shows as an error. The entries of row 0 that are not read have no effect. Empty
// columns (which the sheet never passes) give an empty result.

#include "pktools/ke0_separation.h"
#include "pktools/simulation.h"

#include <vector>

namespace pktools {

// Plasma concentrations for a model given by its hybrid constants. Throws InputError:
// "Negative or missing PK parameter!" (A or l1 not positive, B, C, l2 or l3 negative,
// or any of them not finite), then "Columns of different length!".
std::vector<double> PredCp(std::vector<double> deltaTimes, std::vector<double> Rate,
                           std::vector<double> IVBolus, double A, double B, double C, double l1,
                           double l2, double l3);

// Effect-site concentrations for a model given by its hybrid constants and ke0. Throws
// InputError: "Columns of different length!", then "Negative or missing PK parameter!"
// (as PredCp, and ke0 not positive or not finite).
std::vector<double> PredCe(std::vector<double> deltaTimes, std::vector<double> Rate,
                           std::vector<double> IVBolus, double A, double B, double C, double l1,
                           double l2, double l3, double ke0);

// Plasma concentrations for a model given by its volumes and clearances. Throws
// InputError: "Negative or missing PK parameter!" (V1 or Cl1 not positive, V2, V3, Cl2 or
// Cl3 negative, or any of them not finite), then "Columns of different length!".
std::vector<double> PredCpVCl(std::vector<double> deltaTimes, std::vector<double> Rate,
                              std::vector<double> IVBolus, double V1, double V2, double V3,
                              double Cl1, double Cl2, double Cl3);

} // namespace pktools
