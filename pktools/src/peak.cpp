#include "pktools/peak.h"

#include "pktools/errors.h"
#include "pktools/exponentials.h"
#include "pktools/ke0_separation.h"
#include "pktools/minimise.h"
#include "pktools/peak_search.h"
#include "pktools/refusals.h"
#include "pktools/simulation.h"
#include "portablemath/math.h"

#include <array>

namespace pktools {

namespace {

// The ke0 search brackets downhill from these two candidates; its tolerance is so small
// that Brent's absolute floor decides convergence.
constexpr double KE0_START_LOW = 0;
constexpr double KE0_START_HIGH = 1e-8;
constexpr double KE0_TOLERANCE = 1e-24;

// The search for the peak of the unit-bolus effect-site curve. A ke0 equal to a rate
// constant is moved away from it, in the coefficients and in the fourth exponential alike:
// the curve is then the limit the user means, not a term that cancels against its own rate.
BrentResult peakSearch(double A, double B, double C, double l1, double l2, double l3, double ke0) {
    Hybrid h{A, B, C, l1, l2, l3};
    dropZeroExponents(h);
    ke0 = separatedInTurn(ke0, h, PEAK_KE0_SEPARATION);
    const EffectCoefficients E = effectCoefficients(h, ke0);
    const std::array<double, 4> amplitude{E.E1, E.E2, E.E3, E.E4};
    const std::array<double, 4> exponent{h.l1, h.l2, h.l3, ke0};
    auto minusEffect = [&amplitude, &exponent](double t) {
        return -decayingSum(amplitude, exponent, t);
    };
    const BrentResult peak = fixedTriplePeakSearch(minusEffect);
    // A search that ran out of iterations, or a curve with no positive maximum (ke0 of 0,
    // a response that cancels to nothing), has no peak to report.
    if (!peak.converged || !(peak.fmin < 0))
        throw InputError(refusals::PEAK_NOT_FOUND);
    return peak;
}

} // namespace

double TPeak(double A, double B, double C, double l1, double l2, double l3, double ke0) {
    return peakSearch(A, B, C, l1, l2, l3, ke0).xmin;
}

double VdPeak(double A, double B, double C, double l1, double l2, double l3, double ke0) {
    return -1 / peakSearch(A, B, C, l1, l2, l3, ke0).fmin;
}

double TPeak2ke0(double A, double B, double C, double l1, double l2, double l3, double peak_time) {
    if (peak_time <= 0)
        throw InputError(refusals::NEGATIVE_PEAK_TIME);
    if (l1 == 0 || A < 0 || B < 0 || C < 0 || l1 < 0 || l2 < 0 || l3 < 0)
        throw InputError(refusals::CHECK_PEAK_PARAMETERS);

    Hybrid h{A, B, C, l1, l2, l3};
    reduceVanishingTerms(h);

    // At the effect-site peak the slope ke0 (Cp - Ce) is zero: the wanted ke0 makes the
    // two curves meet at peak_time.
    const std::array<double, 3> e = decayFactors<3>({h.l1, h.l2, h.l3}, peak_time);
    const double plasma = weightedSum<3>({h.A, h.B, h.C}, e);
    auto mismatch = [&h, &e, plasma, peak_time](double k) {
        k = separatedInTurn(k, h, PEAK_TIME_KE0_SEPARATION);
        const EffectCoefficients E = effectCoefficients(h, k);
        const double effect = weightedSum<4>({E.E1, E.E2, E.E3, E.E4},
                                             {e[0], e[1], e[2], portable::exp(-(k * peak_time))});
        const double d = effect - plasma;
        return d * d;
    };

    double a = KE0_START_LOW, b = KE0_START_HIGH, c = 0, fa, fb, fc;
    if (!bracketMinimum(a, b, c, fa, fb, fc, mismatch))
        throw InputError(refusals::KE0_NOT_FOUND);
    const BrentResult found = brentSearch(a, b, c, mismatch, KE0_TOLERANCE);
    // ke0 is a positive rate constant: a search that ran out of iterations, or that
    // slid to 0 or below, found none.
    if (!found.converged || !(found.xmin > 0))
        throw InputError(refusals::KE0_NOT_FOUND);
    return found.xmin;
}

} // namespace pktools
