#pragma once

// Terms that several model files share: a flag as the number it stands for, and the
// allometric scaling to a 70 kg individual.

namespace drugmodels::terms {

// A flag counts as 1 when set and 0 otherwise.
inline double indicator(bool flag) {
    return flag ? 1.0 : 0.0;
}

// The weight (kg) of the reference individual to which the allometric models scale.
inline constexpr double REFERENCE_WEIGHT = 70;

// Clearances scale with size to the power 3/4, ke0 with size to the power -1/4.
inline constexpr double CLEARANCE_EXPONENT = 0.75;
inline constexpr double KE0_EXPONENT = -0.25;

} // namespace drugmodels::terms
