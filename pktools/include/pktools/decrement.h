#pragma once

// Decrement times: how long after all dosing stops a concentration needs to fall to a
// given level.
//
// The context-sensitive functions hold the plasma concentration at 1 by a stepwise
// infusion (steps of HOLD_STEP time units) for each given duration ("context") and then
// search the time until the concentration has fallen by decr percent. Each decrement time
// is searched as the minimum of the squared distance between the decaying concentration
// and the level; a search that does not end on the crossing falls back to bisecting the
// concentration curve, and a crossing that cannot be found is refused with
// "Decrement time not found!".

#include <vector>

namespace pktools {

// Length of one step of the held infusion.
inline constexpr double HOLD_STEP = 0.1;

// The longest context the held infusion is simulated for: 10^6 time units, i.e. at most
// 10^7 holding steps (a fraction of a second). In minutes, the time unit of the drug
// models, that is 99 weeks of infusion. Longer contexts are refused with "Times have to
// be at most 1000000!", so that no call runs for long inside the host.
inline constexpr double MAX_CONTEXT = 1e6;

// For each row of the dosing table (deltaTimes, Rate, IVBolus as for PredCe), the time
// from the end of that row's interval until the effect-site concentration falls to
// decrConc of that row if dosing stopped there; 0 where it is already at or below that
// level, and in row 0. Throws InputError with "Columns of different length!", "Negative PK
// parameter!" (a negative constant or ke0) and, for a row that asks to fall to 0 or below
// from above, "Non-positive decrement concentration!".
std::vector<double> decrCe(std::vector<double> deltaTimes, std::vector<double> Rate,
                           std::vector<double> IVBolus, std::vector<double> decrConc, double A,
                           double B, double C, double l1, double l2, double l3, double ke0);

// Context-sensitive decrement times of the plasma concentration, one per entry of Times
// (strictly ascending infusion durations; a first entry of 0 yields 0). Throws InputError
// with "#Times have to be in ascending order!", "Check PK parameters and/or decrement!"
// (A or l1 not positive, B, C, l2 or l3 negative, decr outside (0, 100), or any of them
// not a finite number) and "Times have to be at most 1000000!" (an entry beyond
// MAX_CONTEXT). Entries below 0 yield 0.
std::vector<double> CsDtCp(std::vector<double> Times, double A, double B, double C, double l1,
                           double l2, double l3, double decr);

// CsDtCp of the hybrid constants of a set of volumes and clearances.
std::vector<double> CsDtCpVCl(std::vector<double> Times, double V1, double V2, double V3,
                              double Cl1, double Cl2, double Cl3, double decr);

// Context-sensitive decrement times of the effect-site concentration: the effect site is
// first brought to 1 at its peak by an infusion of length HOLD_STEP, then the plasma
// concentration is held at 1. Rows at or before the time of that peak are 0. Throws as
// CsDtCp (ke0 must be a positive finite number too) and "Peak not found!" when the effect
// site shows no peak.
std::vector<double> CsDtCe(std::vector<double> Times, double A, double B, double C, double l1,
                           double l2, double l3, double ke0, double decr);

} // namespace pktools
