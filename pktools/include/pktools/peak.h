#pragma once

// The effect-site peak after a single intravenous bolus, for a drug given by its hybrid
// constants (A, B, C, l1, l2, l3) and its effect-site equilibration constant ke0.

namespace pktools {

// The time from a bolus to the peak of the effect-site concentration (searched within
// [0, 1000] time units). Throws InputError("Peak not found!") when the search cannot
// locate a positive peak.
double TPeak(double A, double B, double C, double l1, double l2, double l3, double ke0);

// The volume of distribution at peak effect: the dose divided by the peak effect-site
// concentration, i.e. 1 over the unit-bolus effect-site concentration at TPeak. Throws
// InputError("Peak not found!") when the search cannot locate a positive peak.
double VdPeak(double A, double B, double C, double l1, double l2, double l3, double ke0);

// The ke0 for which the effect-site peak after a bolus falls at peak_time. Throws
// InputError with "Negative peack time!" for a peak_time of 0 or below, "Check
// parameters!" for l1 = 0 or a negative constant, and "Ke0 not found!" when the search
// finds no positive ke0.
double TPeak2ke0(double A, double B, double C, double l1, double l2, double l3, double peak_time);

} // namespace pktools
