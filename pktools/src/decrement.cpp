#include "pktools/decrement.h"

#include "pktools/compartments.h"
#include "pktools/errors.h"
#include "pktools/exponentials.h"
#include "pktools/ke0_separation.h"
#include "pktools/minimise.h"
#include "pktools/peak_search.h"
#include "pktools/prediction.h"
#include "pktools/refusals.h"
#include "pktools/simulation.h"
#include "portablemath/math.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

namespace pktools {

namespace {

// Relative tolerance of every decay search.
constexpr double DECAY_TOLERANCE = 1e-9;
// The plasma search starts from the previous result (or 0) plus these two times.
constexpr double PLASMA_BRACKET_FAR = 1000;
constexpr double PLASMA_BRACKET_NEAR = 100;
// The effect-site searches start from 0 and the previous result, or this time when there
// is none yet.
constexpr double EFFECT_BRACKET_FIRST = 500;
// A search result is accepted as the crossing when the concentration there lies within
// this fraction of the level from it. Converged searches land within a few 1e-9 of it;
// the false minima (the flat tail where the concentration has vanished, a crossing
// extrapolated into the past) are a whole level away.
constexpr double CROSSING_TOLERANCE = 1e-6;

// The concentration x time units after dosing stops: a sum of N decaying exponentials.
template <std::size_t N> struct Decay {
    std::array<double, N> amplitude;
    std::array<double, N> exponent;

    double operator()(double x) const { return decayingSum(amplitude, exponent, x); }
    // exp(-(exponent_k x)) for each term.
    std::array<double, N> factors(double x) const { return decayFactors(exponent, x); }
    // The concentration from the factors of one time.
    double combine(const std::array<double, N>& f) const { return weightedSum(amplitude, f); }
    // The concentration when dosing stops, operator()(0) without its exponentials: with
    // finite exponents each factor is exp(-0) = 1 exactly and each product the amplitude.
    double atStop() const {
        for (double e : exponent)
            if (!std::isfinite(e))
                return (*this)(0);
        double c = amplitude[0];
        for (std::size_t k = 1; k < N; ++k)
            c += amplitude[k];
        return c;
    }
};

// The evaluated time whose distance from the level was the smallest so far, with the
// concentration and the factors there: a search ends on such a time, whose concentration
// is then looked up rather than computed again.
template <std::size_t N> class Closest {
public:
    // Takes the time x evaluated, with its concentration, squared distance and factors,
    // when it is at least as close as the closest so far.
    void offer(double x, double concentration, double distance, const std::array<double, N>& f) {
        if (distance <= distance_) {
            x_ = x;
            concentration_ = concentration;
            distance_ = distance;
            factors_ = f;
        }
    }
    bool is(double x) const { return x == x_; }
    double x() const { return x_; }
    double concentration() const { return concentration_; }
    const std::array<double, N>& factors() const { return factors_; }

private:
    double x_ = std::numeric_limits<double>::quiet_NaN();
    double concentration_ = 0;
    double distance_ = std::numeric_limits<double>::infinity();
    std::array<double, N> factors_{};
};

// The factors exp(-(exponent_k x)) of one time, kept from one search to the next: the
// effect-site searches start where the previous row's search ended, and the exponents are
// the same in every row, so the factors kept are bit for bit those that would be computed.
template <std::size_t N> class KeptFactors {
public:
    // Writes the factors kept into f when they are those of the time x.
    bool recall(double x, std::array<double, N>& f) const {
        if (!(x == x_))
            return false;
        f = factors_;
        return true;
    }
    void keep(double x, const std::array<double, N>& f) {
        x_ = x;
        factors_ = f;
    }

private:
    double x_ = std::numeric_limits<double>::quiet_NaN();
    std::array<double, N> factors_{};
};

// The time after from where a condition that holds there stops holding: the span past
// from is doubled until the condition no longer holds, then the last span is bisected to
// the decay tolerance. Infinite when no finite time ends it.
template <typename Condition> double whereItStops(Condition holds, double from) {
    double low = from, span = 1, high = from + span;
    while (holds(high)) {
        low = high;
        span *= 2;
        high = from + span;
        if (!std::isfinite(high))
            return high;
    }
    while (high - low > 2 * (DECAY_TOLERANCE * high + BRENT_ZEPS)) {
        const double middle = 0.5 * (low + high);
        (holds(middle) ? low : high) = middle;
    }
    return 0.5 * (low + high);
}

// The first time after from at which the decay, above the level there, has fallen to it:
// the concentration after dosing may still rise for a while, but it falls through any
// positive level exactly once after being above it. Throws when no finite time gets there.
template <std::size_t N>
double bisectedCrossing(const Decay<N>& decay, double level, double from = 0) {
    const double t = whereItStops([&](double x) { return !(decay(x) <= level); }, from);
    if (!std::isfinite(t))
        throw InputError(refusals::DECREMENT_NOT_FOUND);
    return t;
}

// The time of the highest concentration after dosing stops: 0 when it falls from the
// start, otherwise where its slope, positive at first, turns.
template <std::size_t N> double peakAfterStop(const Decay<N>& decay) {
    auto rising = [&decay](double x) {
        return decayingSlope(decay.amplitude, decay.exponent, x) > 0;
    };
    return rising(0) ? whereItStops(rising, 0) : 0;
}

// The time until the decay, above the level now, has fallen to it. Minimises the squared
// distance between the two with the bracketing started from a and b and Brent's method.
// That search can end off the crossing: on a tie of two equal values where the
// concentration has vanished, on a crossing extrapolated into negative time, or without
// converging. Then the crossing is bisected instead.
// kept, when given, supplies the factors of a time evaluated before and receives those of
// the time found. At the time 0 with finite exponents every factor is exp(-0) = 1 exactly.
// A decay below the level now but rising above it later has its crossing after notBefore,
// a time where it is above the level: a search ending before that is off the crossing.
template <std::size_t N>
double decrementTime(const Decay<N>& decay, double level, double a, double b,
                     KeptFactors<N>* kept = nullptr, double notBefore = 0) {
    bool finiteExponents = true;
    for (double e : decay.exponent)
        finiteExponents = finiteExponents && std::isfinite(e);
    Closest<N> closest;
    auto distance = [&](double x) {
        std::array<double, N> f;
        const bool recalled = kept != nullptr && kept->recall(x, f);
        if (!recalled && x == 0 && finiteExponents)
            f.fill(1.0);
        else if (!recalled)
            f = decay.factors(x);
        const double c = decay.combine(f);
        const double d = c - level;
        const double squared = d * d;
        closest.offer(x, c, squared, f);
        return squared;
    };
    double c = 0, fa, fb, fc;
    if (bracketMinimum(a, b, c, fa, fb, fc, distance)) {
        const BrentResult found = brentSearch(a, b, c, fb, distance, DECAY_TOLERANCE);
        const bool atClosest = closest.is(found.xmin);
        if (found.converged && found.xmin >= notBefore &&
            std::fabs((atClosest ? closest.concentration() : decay(found.xmin)) - level) <=
                CROSSING_TOLERANCE * level) {
            if (kept != nullptr && atClosest)
                kept->keep(closest.x(), closest.factors());
            return found.xmin;
        }
    }
    return bisectedCrossing(decay, level, notBefore);
}

void requireAscending(const std::vector<double>& Times) {
    for (std::size_t i = 1; i < Times.size(); ++i)
        if (Times[i] - Times[i - 1] <= 0)
            throw InputError(refusals::NOT_ASCENDING);
}

// Holding the plasma concentration costs ten steps per time unit: longer contexts (and
// entries that are not numbers) are refused.
void requireBoundedContexts(const std::vector<double>& Times) {
    for (double t : Times)
        if (!(t <= MAX_CONTEXT))
            throw InputError(refusals::CONTEXT_TOO_LONG);
}

void requireDecrementInputs(const Hybrid& h, double decr) {
    // A decrement of 100 % or more asks for a level of 0 or below, which no finite time
    // reaches.
    if (h.A <= 0 || h.B < 0 || h.C < 0 || h.l1 <= 0 || h.l2 < 0 || h.l3 < 0 || decr <= 0 ||
        decr >= 100)
        throw InputError(refusals::CHECK_DECREMENT);
    // A constant that is not a finite number slips through the comparisons above and would
    // turn every row into a meaningless 0: volumes and clearances with a first volume of 0
    // (blank cells) convert to an infinite A and a not-a-number l1.
    for (double v : {h.A, h.B, h.C, h.l1, h.l2, h.l3, decr})
        if (!std::isfinite(v))
            throw InputError(refusals::CHECK_DECREMENT);
}

// The factors of one holding step of a given length: its decay factors and the plasma
// concentration that a unit rate adds during it.
struct PlasmaHolding {
    PlasmaDecay e;
    double perUnitRate;
};

PlasmaHolding plasmaHolding(double length, const Hybrid& h) {
    const PlasmaDecay e = plasmaDecay(length, h);
    return {e, (1 - e.e2) * h.B / h.l2 + (1 - e.e1) * h.A / h.l1 + (1 - e.e3) * h.C / h.l3};
}

// The infusion rate that brings the plasma concentration to exactly 1 at the end of the
// step, never negative. A step so short that no term moves (1 - e rounds to 0 for every
// exponent, as for the last sliver of time before a context) needs no infusion: without
// that guard the rate is 0/0 and poisons every later row.
double holdingRate(const PlasmaState& s, const PlasmaHolding& k) {
    double X = (1 - k.e.e1 * s.x - k.e.e2 * s.y - k.e.e3 * s.z) / k.perUnitRate;
    if (X < 0 || k.perUnitRate == 0)
        X = 0;
    return X;
}

void holdPlasma(PlasmaState& s, const UnitFactors& u, const PlasmaDecay& e, double X) {
    s.x = X * u.a * (1 - e.e1) + e.e1 * s.x;
    s.y = X * u.b * (1 - e.e2) + e.e2 * s.y;
    s.z = X * u.c * (1 - e.e3) + e.e3 * s.z;
}

void holdEffect(EffectState& s, const EffectPerRate& q, const PlasmaDecay& e, double e4, double X) {
    s.s1 = q.q1 * X * (1 - e.e1) + e.e1 * s.s1;
    s.s2 = q.q2 * X * (1 - e.e2) + e.e2 * s.s2;
    s.s3 = q.q3 * X * (1 - e.e3) + e.e3 * s.s3;
    s.s4 = q.q4 * X * (1 - e4) + e4 * s.s4;
}

// Walks the time grid from time T, starting with row j: steps of HOLD_STEP, shortened to
// land on each requested time. hold(step, factors) advances the state over a step,
// reach(j) evaluates row j once its time is reached. A step of no length (a row at or
// before the current time) is not taken: such a row is evaluated at the current state.
template <class Hold, class Reach>
void walkTimeGrid(const std::vector<double>& Times, std::size_t j, double T, Hold&& hold,
                  Reach&& reach) {
    while (j < Times.size()) {
        const bool reached = Times[j] <= T + HOLD_STEP;
        const double step = reached ? Times[j] - T : HOLD_STEP;
        if (step > 0) {
            hold(step, reached);
            T = T + step;
        }
        if (reached)
            reach(j++);
    }
}

std::vector<double> plasmaDecrementTimes(const std::vector<double>& Times, Hybrid h, double decr) {
    std::vector<double> result(Times.size(), 0.0);
    if (Times.empty())
        return result;
    dropZeroExponents(h);
    const UnitFactors u = unitFactors(h);
    const PlasmaHolding fixed = plasmaHolding(HOLD_STEP, h);
    const double level = 1 - decr / 100;

    PlasmaState s;
    double g = 0; // the previous row's result, where the next search starts
    walkTimeGrid(
        Times, Times[0] == 0 ? 1 : 0, 0.0,
        [&](double step, bool reached) {
            if (reached) {
                const PlasmaHolding k = plasmaHolding(step, h);
                holdPlasma(s, u, k.e, holdingRate(s, k));
            } else {
                holdPlasma(s, u, fixed.e, holdingRate(s, fixed));
            }
        },
        [&](std::size_t j) {
            const Decay<3> decay{{s.x, s.y, s.z}, {h.l1, h.l2, h.l3}};
            if (!(decay.atStop() > level))
                return; // already at the level (a context before the start)
            const double start = g > 0 ? g : 0;
            g = result[j] = decrementTime(decay, level, start + PLASMA_BRACKET_FAR,
                                          start + PLASMA_BRACKET_NEAR);
        });
    return result;
}

// --- CsDtCe ------------------------------------------------------------------------------

// The model of a CsDtCe call (step 5 of the decrement times): ke0 separated from the rate constants
// (ke0s) for the coefficients and the state updates; the searches decay the fourth term
// with ke0 itself.
struct EffectModelOfDecrement {
    Hybrid h;
    double ke0;
    double ke0s;
    EffectCoefficients E;
    EffectPerRate q;
};

EffectModelOfDecrement effectModelOfDecrement(const Hybrid& h, double ke0) {
    const double ke0s = separatedInTurn(ke0, h, DECREMENT_KE0_SEPARATION);
    const EffectCoefficients E = effectCoefficients(h, ke0s);
    return {h, ke0, ke0s, E, effectPerRate(E, h, ke0s)};
}

// The effect-site peak after a short infusion scaled to put it at exactly 1, and the
// states at that peak.
struct PeakAtOne {
    double time; // tpk, after the end of the short infusion
    PlasmaState p;
    EffectState s;
};

// Steps 6 to 8: the peak of the effect-site curve after a unit-rate infusion of length
// HOLD_STEP (its fourth term decays with ke0 itself), the rate R that puts it at 1 (0 when
// the peak falls within the infusion) and the plasma and effect-site states at the peak.
PeakAtOne peakAtOne(const EffectModelOfDecrement& m) {
    const Hybrid& h = m.h;
    const EffectCoefficients& E = m.E;
    const double ke0 = m.ke0, ke0s = m.ke0s;
    const double pulse1 = (1 - portable::exp(-(HOLD_STEP * h.l1))) * (E.E1 / h.l1);
    const double pulse2 = (1 - portable::exp(-(HOLD_STEP * h.l2))) * (E.E2 / h.l2);
    const double pulse3 = (1 - portable::exp(-(HOLD_STEP * h.l3))) * (E.E3 / h.l3);
    const double pulse4 = (1 - portable::exp(-(HOLD_STEP * ke0))) * (E.E4 / ke0);
    const Decay<4> pulse{{pulse1, pulse2, pulse3, pulse4}, {h.l1, h.l2, h.l3, ke0}};
    const BrentResult peak = fixedTriplePeakSearch([&pulse](double x) { return -pulse(x); });
    // Without a located, positive peak the effect site cannot be brought to 1.
    if (!peak.converged || !(peak.fmin < 0))
        throw InputError(refusals::PEAK_NOT_FOUND);
    const double tpk = peak.xmin;

    const double R = tpk > HOLD_STEP ? -1 / peak.fmin : 0;
    PeakAtOne at{tpk, {}, {}};
    at.p.x =
        (1 - portable::exp(-(HOLD_STEP * h.l1))) * (R * h.A / h.l1) * portable::exp(-(tpk * h.l1));
    at.p.y =
        (1 - portable::exp(-(HOLD_STEP * h.l2))) * (R * h.B / h.l2) * portable::exp(-(tpk * h.l2));
    at.p.z =
        (1 - portable::exp(-(HOLD_STEP * h.l3))) * (R * h.C / h.l3) * portable::exp(-(tpk * h.l3));
    const EffectPerRate& q = m.q;
    at.s.s1 = (1 - portable::exp(-(HOLD_STEP * h.l1))) * (q.q1 * R) * portable::exp(-(tpk * h.l1));
    at.s.s2 = (1 - portable::exp(-(HOLD_STEP * h.l2))) * (q.q2 * R) * portable::exp(-(tpk * h.l2));
    at.s.s3 = (1 - portable::exp(-(HOLD_STEP * h.l3))) * (q.q3 * R) * portable::exp(-(tpk * h.l3));
    at.s.s4 = (1 - portable::exp(-(HOLD_STEP * ke0s))) * (q.q4 * R) * portable::exp(-(tpk * ke0s));
    return at;
}

// Steps 10 and 11: from the peak (time tpk + HOLD_STEP) the plasma is held at 1 on the time
// grid; each row from j on, once reached, gets the time the effect site then takes to fall
// to the level, searched from the previous row's result (tpk at first).
void holdEffectSiteFromPeak(const std::vector<double>& Times, std::size_t j,
                            const EffectModelOfDecrement& m, const PeakAtOne& peak, double level,
                            std::vector<double>& result) {
    const Hybrid& h = m.h;
    const UnitFactors u = unitFactors(h);
    const PlasmaHolding fixed = plasmaHolding(HOLD_STEP, h);
    const double fixedE4 = portable::exp(-(HOLD_STEP * m.ke0s));
    PlasmaState p = peak.p;
    EffectState s = peak.s;
    double g = peak.time; // where the next search starts
    KeptFactors<4> kept;
    walkTimeGrid(
        Times, j, peak.time + HOLD_STEP,
        [&](double step, bool reached) {
            if (reached) {
                const PlasmaHolding k = plasmaHolding(step, h);
                const double X = holdingRate(p, k);
                holdPlasma(p, u, k.e, X);
                holdEffect(s, m.q, k.e, portable::exp(-(step * m.ke0s)), X);
            } else {
                const double X = holdingRate(p, fixed);
                holdPlasma(p, u, fixed.e, X);
                holdEffect(s, m.q, fixed.e, fixedE4, X);
            }
        },
        [&](std::size_t row) {
            // The search decays the fourth term with ke0 itself.
            const Decay<4> decay{{s.s1, s.s2, s.s3, s.s4}, {h.l1, h.l2, h.l3, m.ke0}};
            // At or below the level when dosing stops, the effect site may still be rising
            // towards the plasma (when the short infusion could not bring it to 1 first): if
            // it rises above the level, its decrement time is when it falls back through it;
            // if it never does, the row needs no decay.
            double notBefore = 0;
            if (!(decay.atStop() > level)) {
                notBefore = peakAfterStop(decay);
                if (!(decay(notBefore) > level))
                    return;
            }
            g = result[row] =
                decrementTime(decay, level, 0, g > 0 ? g : EFFECT_BRACKET_FIRST, &kept, notBefore);
        });
}

} // namespace

std::vector<double> CsDtCp(std::vector<double> Times, double A, double B, double C, double l1,
                           double l2, double l3, double decr) {
    requireAscending(Times);
    const Hybrid h{A, B, C, l1, l2, l3};
    requireDecrementInputs(h, decr);
    requireBoundedContexts(Times);
    return plasmaDecrementTimes(Times, h, decr);
}

std::vector<double> CsDtCpVCl(std::vector<double> Times, double V1, double V2, double V3,
                              double Cl1, double Cl2, double Cl3, double decr) {
    const std::vector<double> c = Cl2Hyb({V1, V2, V3, Cl1, Cl2, Cl3});
    requireAscending(Times);
    const Hybrid h{c[hybrid::A],  c[hybrid::B],  c[hybrid::C],
                   c[hybrid::l1], c[hybrid::l2], c[hybrid::l3]};
    requireDecrementInputs(h, decr);
    requireBoundedContexts(Times);
    return plasmaDecrementTimes(Times, h, decr);
}

std::vector<double> CsDtCe(std::vector<double> Times, double A, double B, double C, double l1,
                           double l2, double l3, double ke0, double decr) {
    // Steps 1 and 2 (also refusing constants that are not finite and contexts too long).
    requireAscending(Times);
    Hybrid h{A, B, C, l1, l2, l3};
    requireDecrementInputs(h, decr);
    if (!(ke0 > 0) || !std::isfinite(ke0))
        throw InputError(refusals::CHECK_DECREMENT);
    requireBoundedContexts(Times);
    // Steps 3 to 5.
    std::vector<double> result(Times.size(), 0.0);
    dropZeroExponents(h);
    const EffectModelOfDecrement m = effectModelOfDecrement(h, ke0);
    // Steps 6 to 8.
    const PeakAtOne peak = peakAtOne(m);
    // Step 9: rows at or before the peak keep 0.
    std::size_t j = 0;
    while (j < Times.size() && Times[j] <= peak.time)
        ++j;
    // Steps 10 and 11.
    holdEffectSiteFromPeak(Times, j, m, peak, 1 - decr / 100, result);
    return result;
}

std::vector<double> decrCe(std::vector<double> deltaTimes, std::vector<double> Rate,
                           std::vector<double> IVBolus, std::vector<double> decrConc, double A,
                           double B, double C, double l1, double l2, double l3, double ke0) {
    const std::size_t n = deltaTimes.size();
    if (Rate.size() != n || IVBolus.size() != n || decrConc.size() != n)
        throw InputError(refusals::LENGTHS);
    if (A < 0 || B < 0 || C < 0 || l1 < 0 || l2 < 0 || l3 < 0 || ke0 < 0)
        throw InputError(refusals::NEGATIVE);

    std::vector<double> result(n, 0.0);
    if (n == 0)
        return result;
    Hybrid h{A, B, C, l1, l2, l3};
    dropZeroExponents(h);
    // A ke0 of 0 is an effect site that never fills; one equal to a rate constant would
    // make its coefficient infinite and is moved a hair away, as PredCe does.
    if (ke0 == 0)
        ke0 = ZERO_RATE_CONSTANT;
    ke0 = separatedKe0(h, ke0);
    const EffectCoefficients E = effectCoefficients(h, ke0);
    const double b0 = IVBolus[0];
    EffectState s{E.E1 * b0, E.E2 * b0, E.E3 * b0, E.E4 * b0};
    double g = 0; // the previous search's result, where the next one starts
    KeptFactors<4> kept;

    const EffectPerRate q = effectPerRate(E, h, ke0);
    EffectDecayMemo factors(h, ke0);
    for (std::size_t i = 1; i < n; ++i) {
        effectStep(s, E, q, factors(deltaTimes[i]), Rate[i], IVBolus[i]);
        const double Ce = ((s.s2 + s.s1) + s.s3) + s.s4;
        if (decrConc[i] >= Ce)
            continue; // already at or below the level
        // From above, a level of 0 or below is never reached.
        if (decrConc[i] <= 0)
            throw InputError(refusals::NON_POSITIVE_LEVEL);
        const Decay<4> decay{{s.s1, s.s2, s.s3, s.s4}, {h.l1, h.l2, h.l3, ke0}};
        g = result[i] =
            decrementTime(decay, decrConc[i], 0, g > 0 ? g : EFFECT_BRACKET_FIRST, &kept);
    }
    return result;
}

} // namespace pktools
