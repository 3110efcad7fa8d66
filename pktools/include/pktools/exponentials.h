#pragma once

// The sum of decaying exponentials, sum_k a_k exp(-(lambda_k x)): the plasma and
// effect-site concentrations after dosing stops, the curves of the peak, rate and
// decrement searches. One kernel for all of them.
//
// Which summation orders are part of the results (each is pinned by the pinned results;
// regrouping any of them moves last bits):
// - A sum of exponential terms: the terms in the order of their exponents (l1, l2, l3,
//   then ke0), each a_k * exp(-(lambda_k * x)), added from the first to the last:
//   ((t1 + t2) + t3) + t4 (weightedSum, decayingSum). Its slope likewise from 0:
//   ((0 - s1) - s2) ..., each s_k = (lambda_k * a_k) * exp(-(lambda_k * x)) (decayingSlope).
// - The concentration of a state, written where it is summed: PredCp (y + x) + z, PredCe
//   and decrCe ((s2 + s1) + s3) + s4, TciCe (x + y) + z and ((s1 + s2) + s3) + s4. The first
//   two terms may swap (a + b and b + a are the same double), no other regrouping may.
// - The effect-site coefficient E4 = -((E2 + E1) + E3) (effectCoefficients), the plasma
//   target rate's denominator ((1 - e2) uB + (1 - e1) uA) + (1 - e3) uC (tci.cpp) and the
//   plasma a unit rate adds over a holding step, ((1 - e2) B / l2 + (1 - e1) A / l1) +
//   (1 - e3) C / l3 (decrement.cpp): the orders the definitions write.
// The build turns off floating-point contraction (-ffp-contract=off), so that no product
// and sum above is fused into one rounding.

#include "portablemath/math.h"

#include <array>
#include <cstddef>

namespace pktools {

// exp(-(exponent_k * x)) for each term.
template <std::size_t N>
std::array<double, N> decayFactors(const std::array<double, N>& exponent, double x) {
    std::array<double, N> power;
    for (std::size_t k = 0; k < N; ++k)
        power[k] = -(exponent[k] * x);
    return portable::expEach(power);
}

// sum_k amplitude_k * factor_k, added from the first term to the last.
template <std::size_t N>
double weightedSum(const std::array<double, N>& amplitude, const std::array<double, N>& factor) {
    double c = amplitude[0] * factor[0];
    for (std::size_t k = 1; k < N; ++k)
        c += amplitude[k] * factor[k];
    return c;
}

// sum_k amplitude_k * exp(-(exponent_k * x)).
template <std::size_t N>
double decayingSum(const std::array<double, N>& amplitude, const std::array<double, N>& exponent,
                   double x) {
    return weightedSum(amplitude, decayFactors(exponent, x));
}

// The slope of decayingSum at x: -sum_k (exponent_k * amplitude_k) * exp(-(exponent_k * x)),
// subtracted from 0 term by term.
template <std::size_t N>
double decayingSlope(const std::array<double, N>& amplitude, const std::array<double, N>& exponent,
                     double x) {
    const std::array<double, N> factor = decayFactors(exponent, x);
    double slope = 0;
    for (std::size_t k = 0; k < N; ++k)
        slope -= exponent[k] * amplitude[k] * factor[k];
    return slope;
}

} // namespace pktools
