#pragma once

// The ke0 separations: a ke0 equal to one of the exponents l1, l2, l3 makes an effect-site
// coefficient -(coefficient ke0) / (lk - ke0) infinite, so the routines move it off the
// exponent by a factor. The definitions fix a different factor or rule for different routines;
// each has its own name here, and no name stands for two values.

#include "pktools/simulation.h"

namespace pktools {

// PredCe, decrCe and TciCe: ke0 multiplied once when it equals any of l1, l2, l3
// (separatedKe0). Used for the coefficients and the fourth exponential alike.
inline constexpr double PREDICTION_KE0_SEPARATION = 1.000001;
// CsDtCe (step 5 of the decrement times): multiplied in turn for each of l1, l2, l3 it equals
// (separatedInTurn); the coefficients and the state updates use the moved value, the
// decrement searches ke0 itself.
inline constexpr double DECREMENT_KE0_SEPARATION = 1.000001;
// TPeak and VdPeak (step 3 of the peak effect): multiplied in turn (separatedInTurn).
inline constexpr double PEAK_KE0_SEPARATION = 1.000001;
// TPeak2ke0 (step 4 of the peak effect): each candidate k of the search multiplied in turn
// (separatedInTurn).
inline constexpr double PEAK_TIME_KE0_SEPARATION = 1.0000000001;

// ke0 multiplied by PREDICTION_KE0_SEPARATION when it equals l1, l2 or l3 (one
// multiplication at most); otherwise ke0 itself.
inline double separatedKe0(const Hybrid& h, double ke0) {
    if (ke0 == h.l1 || ke0 == h.l2 || ke0 == h.l3)
        return ke0 * PREDICTION_KE0_SEPARATION;
    return ke0;
}

// k multiplied by factor each time it equals one of l1, l2, l3, tested in that order as
// lk - k == 0, each test seeing the value left by the previous one.
inline double separatedInTurn(double k, const Hybrid& h, double factor) {
    if (h.l1 - k == 0)
        k *= factor;
    if (h.l2 - k == 0)
        k *= factor;
    if (h.l3 - k == 0)
        k *= factor;
    return k;
}

} // namespace pktools
