#pragma once

// Closed-form simulation of a sum of exponentials over dosing intervals.

namespace pktools {

// Stands in for an exponent that is exactly 0 (its coefficient is then set to 0, so the
// term drops out without a division by zero): the subnormal 1.6999999999999997e-308,
// bit pattern 0x000C396C98F8D898.
inline constexpr double ZERO_RATE_CONSTANT = 1.6999999999999997e-308;

} // namespace pktools
