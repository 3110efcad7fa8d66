#pragma once

// Target-controlled infusion: the infusion-rate schedule that brings the plasma (TciCp,
// CalcRate) or effect-site (TciCe) concentration to a column of targets.
//
// Row 0 is time zero: its interval and target are not read and its rate is always 0. Row
// i >= 1 holds the length of interval i, the target at its end and, in the result, the
// constant rate during it. Rates are bounded to the range from 0 to maxRate.
//
// A row of length 0 (after row 0) can deliver no infusion: its rate is 0 and the state
// only takes its bolus. A row whose interval, target or bolus is not a finite number makes
// the schedule unknown from there on: that row and every later one is NaN, which the sheet
// shows as an error.

#include "pktools/simulation.h"

#include <vector>

namespace pktools {

// The constant rate that, held over the interval with decay factors e and followed by the
// bolus at its end, makes the plasma concentration equal the target at the interval's
// end. When no rate can move the plasma concentration over the interval (a model without
// any term, or an interval too short for any decay to show) the rate is +inf or -inf, as
// the concentration missing is positive or negative, and 0 when nothing is missing. Given
// the interval's length, a length of 0 gives 0.
double plasmaTargetRate(const PlasmaState& s, const UnitFactors& u, const PlasmaDecay& e,
                        double bolus, double target, const Hybrid& h);
double plasmaTargetRate(const PlasmaState& s, const UnitFactors& u, double dt, double bolus,
                        double target, const Hybrid& h);

// Plasma TCI. Throws InputError: "Negative PK parameter!" (a hybrid constant below 0 or not
// finite), then "Columns of different length!". maxRate is not validated: a negative one
// is every later row's rate, an infinite one no bound, and NaN makes every row NaN.
std::vector<double> TciCp(std::vector<double> deltaTimes, std::vector<double> targetConc,
                          double maxRate, double A, double B, double C, double l1, double l2,
                          double l3);

// Plasma TCI with manual boluses, each counted in before the rate of its interval is
// chosen. Throws InputError: "Columns of different length!", then "Negative PK
// parameter!". maxRate as for TciCp.
std::vector<double> CalcRate(std::vector<double> deltaTimes, std::vector<double> IVBolus,
                             std::vector<double> targetConc, double maxRate, double A, double B,
                             double C, double l1, double l2, double l3);

// Effect-site TCI: the effect site rises to each target without overshooting it, falls
// freely when the target is lowered, and is held by plasma targeting once it is close.
// Throws InputError: "Columns of different length!", then "Check PK parameters!" (A, l1 or
// ke0 not positive, B, C, l2 or l3 negative, or any of them not finite), then "Maxrate has
// to be positive!" (also when maxRate is not finite).
std::vector<double> TciCe(std::vector<double> deltaTimes, std::vector<double> targetConc,
                          double maxRate, double A, double B, double C, double l1, double l2,
                          double l3, double ke0);

} // namespace pktools
