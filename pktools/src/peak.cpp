#include "pktools/peak.h"

#include "pktools/errors.h"
#include "pktools/ke0_separation.h"
#include "pktools/minimise.h"
#include "pktools/peak_search.h"
#include "pktools/simulation.h"

#include <cmath>

namespace pktools {

namespace {

constexpr const char* NEGATIVE_PEAK_TIME = "Negative peack time!";
constexpr const char* CHECK_PARAMETERS = "Check parameters!";
constexpr const char* PEAK_NOT_FOUND = "Peak not found!";
constexpr const char* KE0_NOT_FOUND = "Ke0 not found!";

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
    auto minusEffect = [&h, &E, ke0](double t) {
        return -(E.E1 * std::exp(-(h.l1 * t)) + E.E2 * std::exp(-(h.l2 * t)) +
                 E.E3 * std::exp(-(h.l3 * t)) + E.E4 * std::exp(-(ke0 * t)));
    };
    const BrentResult peak = fixedTriplePeakSearch(minusEffect);
    // A search that ran out of iterations, or a curve with no positive maximum (ke0 of 0,
    // a response that cancels to nothing), has no peak to report.
    if (!peak.converged || !(peak.fmin < 0))
        throw InputError(PEAK_NOT_FOUND);
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
        throw InputError(NEGATIVE_PEAK_TIME);
    if (l1 == 0 || A < 0 || B < 0 || C < 0 || l1 < 0 || l2 < 0 || l3 < 0)
        throw InputError(CHECK_PARAMETERS);

    Hybrid h{A, B, C, l1, l2, l3};
    reduceVanishingTerms(h);

    // At the effect-site peak the slope ke0 (Cp - Ce) is zero: the wanted ke0 makes the
    // two curves meet at peak_time.
    const double e1 = std::exp(-(h.l1 * peak_time));
    const double e2 = std::exp(-(h.l2 * peak_time));
    const double e3 = std::exp(-(h.l3 * peak_time));
    const double plasma = h.A * e1 + h.B * e2 + h.C * e3;
    auto mismatch = [&h, e1, e2, e3, plasma, peak_time](double k) {
        k = separatedInTurn(k, h, PEAK_TIME_KE0_SEPARATION);
        const EffectCoefficients E = effectCoefficients(h, k);
        const double effect = E.E1 * e1 + E.E2 * e2 + E.E3 * e3 + E.E4 * std::exp(-(k * peak_time));
        const double d = effect - plasma;
        return d * d;
    };

    double a = KE0_START_LOW, b = KE0_START_HIGH, c = 0, fa, fb, fc;
    if (!bracketMinimum(a, b, c, fa, fb, fc, mismatch))
        throw InputError(KE0_NOT_FOUND);
    const BrentResult found = brentSearch(a, b, c, mismatch, KE0_TOLERANCE);
    // ke0 is a positive rate constant: a search that ran out of iterations, or that
    // slid to 0 or below, found none.
    if (!found.converged || !(found.xmin > 0))
        throw InputError(KE0_NOT_FOUND);
    return found.xmin;
}

} // namespace pktools
