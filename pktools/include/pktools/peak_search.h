#pragma once

// The effect-site peak search on the fixed triple (0, 50, 1000) that the decrement times (CsDtCe,
// step 6: the peak after a short unit-rate infusion) and the peak effect (TPeak and VdPeak, step 4:
// the peak after a unit bolus) share: Brent's method started at 50 with no bracketing step, so the
// search never leaves [0, 1000], to the relative tolerance 1e-9.

#include "pktools/minimise.h"

namespace pktools {

inline constexpr double PEAK_SEARCH_LOW = 0;
inline constexpr double PEAK_SEARCH_START = 50;
inline constexpr double PEAK_SEARCH_HIGH = 1000;
inline constexpr double PEAK_SEARCH_TOLERANCE = 1e-9;

// Brent's search for the minimum of minusConcentration (the concentration's negative) on
// the fixed triple.
template <class Objective> BrentResult fixedTriplePeakSearch(Objective&& minusConcentration) {
    return brentSearch(PEAK_SEARCH_LOW, PEAK_SEARCH_START, PEAK_SEARCH_HIGH, minusConcentration,
                       PEAK_SEARCH_TOLERANCE);
}

} // namespace pktools
