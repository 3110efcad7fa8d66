#include "pktools/tci.h"

#include "pktools/errors.h"
#include "pktools/exponentials.h"
#include "pktools/ke0_separation.h"
#include "pktools/minimise.h"
#include "pktools/prediction.h"
#include "pktools/refusals.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>

namespace pktools {

namespace {

constexpr double UNKNOWN = std::numeric_limits<double>::quiet_NaN();

// Relative tolerance of every peak and rate search of the effect-site TCI.
constexpr double SEARCH_TOLERANCE = 1e-9;
// An effect site within 3 % of its target is held there by plasma targeting.
constexpr double CLOSENESS_BAND = 0.03;
// No infusion is needed when the drug already given will take the effect site to 97 % of
// its target.
constexpr double NO_INFUSION_SUFFICIENCY = 0.97;
// Second start point of the unit-rate peak search (the first is 0).
constexpr double UNIT_RATE_START = 1;
// Upper end of the rate searched when the effect site is not rising.
constexpr double FIXED_RATE_LIMIT = 10000;
// Slots of the table of peaks already found in one call (a power of 2). A row's rate search
// looks at some forty curves, so the table holds a cycle of twenty rows or so.
constexpr int PEAK_MEMO_BITS = 10;
constexpr std::size_t PEAK_MEMO_SLOTS = std::size_t{1} << PEAK_MEMO_BITS;
// The multiplier of the Fibonacci hashing that spreads curves over the table's slots.
constexpr std::uint64_t PEAK_MEMO_MULTIPLIER = 0x9E3779B97F4A7C15;

bool nonNegativeFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!(v >= 0) || !std::isfinite(v))
            return false;
    return true;
}

// Bounds a plasma rate: first below at 0, then above at maxRate.
double boundedPlasmaRate(double rate, double maxRate) {
    if (rate < 0)
        rate = 0;
    if (rate > maxRate)
        rate = maxRate;
    return rate;
}

// The parts of plasmaTargetRate: the concentration still missing at the end of the
// interval, the concentration a unit rate adds over it, and their quotient. When a unit
// rate adds nothing (a model without any term, or an interval too short for any decay to
// show) the quotient is infinite and the callers bound it; only 0 / 0, nothing missing
// and nothing added, is taken as 0, where a NaN rate would poison every later row.
double targetRateNumerator(const PlasmaState& s, const PlasmaDecay& e, double target) {
    return target - e.e1 * s.x - e.e2 * s.y - e.e3 * s.z;
}
double plasmaTargetRateDenominator(const UnitFactors& u, const PlasmaDecay& e) {
    return (1 - e.e2) * u.b + (1 - e.e1) * u.a + (1 - e.e3) * u.c;
}
double targetRateQuotient(double numerator, double denominator) {
    if (numerator == 0 && denominator == 0)
        return 0;
    return numerator / denominator;
}
// Finite non-negative bolus coefficients: then a bolus of +0 subtracts three times +0 from
// the numerator, which leaves every double as it is.
bool plainBolusCoefficients(const Hybrid& h) {
    return h.A >= 0 && h.B >= 0 && h.C >= 0 && std::isfinite(h.A) && std::isfinite(h.B) &&
           std::isfinite(h.C);
}
// The numerator less the concentration the bolus adds; the subtractions are skipped where
// they change nothing, off the chain of dependent operations that sets the pace of a
// schedule.
double lessBolus(double numerator, double bolus, const Hybrid& h, bool plainCoefficients) {
    if (bolus == 0 && !std::signbit(bolus) && plainCoefficients)
        return numerator;
    return numerator - bolus * h.A - bolus * h.B - bolus * h.C;
}

// The plasma target rate's denominator of the last interval length asked for: like the
// decay factors it depends on the length alone, so a reused value is bit for bit the one
// that would be recomputed.
class RateDenominatorMemo {
public:
    explicit RateDenominatorMemo(const UnitFactors& u) : u_(u) {}
    double operator()(double dt, const PlasmaDecay& e) {
        if (!(dt == dt_)) {
            denominator_ = plasmaTargetRateDenominator(u_, e);
            dt_ = dt;
        }
        return denominator_;
    }

private:
    UnitFactors u_;
    double dt_ = std::numeric_limits<double>::quiet_NaN();
    double denominator_ = 0;
};

// Plasma TCI over a table; bolus may be empty (no boluses). h has its zero exponents
// replaced already.
std::vector<double> plasmaSchedule(const std::vector<double>& deltaTimes,
                                   const std::vector<double>& bolus,
                                   const std::vector<double>& targetConc, double maxRate,
                                   const Hybrid& h) {
    const std::size_t n = deltaTimes.size();
    std::vector<double> result(n, 0.0);
    const UnitFactors u = unitFactors(h);
    const bool withBoluses = !bolus.empty();
    const double b0 = withBoluses ? bolus[0] : 0.0;
    if (!std::isfinite(b0)) {
        result.assign(n, UNKNOWN);
        return result;
    }
    PlasmaState state;
    if (withBoluses)
        state = {h.A * b0, h.B * b0, h.C * b0};
    const bool plain = plainBolusCoefficients(h);
    PlasmaDecayMemo decay(h);
    RateDenominatorMemo denominator(u);
    for (std::size_t i = 1; i < n; ++i) {
        const double dt = deltaTimes[i];
        const double bi = withBoluses ? bolus[i] : 0.0;
        if (!std::isfinite(dt) || !std::isfinite(targetConc[i]) || !std::isfinite(bi) ||
            std::isnan(maxRate)) {
            std::fill(result.begin() + i, result.end(), UNKNOWN);
            break;
        }
        const PlasmaDecay& e = decay(dt);
        const double numerator =
            lessBolus(targetRateNumerator(state, e, targetConc[i]), bi, h, plain);
        // Nothing can be infused over an interval of length 0: its row gets 0 (its bolus
        // still enters).
        const double rate =
            dt == 0 ? 0.0
                    : boundedPlasmaRate(targetRateQuotient(numerator, denominator(dt, e)), maxRate);
        plasmaStep(state, u, e, rate, bi, h);
        result[i] = rate;
    }
    return result;
}

// --- Effect-site TCI --------------------------------------------------------------------

// The model of one effect-site TCI call: the exponents (l1, l2, l3, ke0) of the effect-site
// response and each term's effect-site concentration per unit rate at steady state, Ek/lk.
struct EffectModel {
    Hybrid h;
    double ke0;
    UnitFactors u;
    EffectCoefficients E;
    EffectPerRate q;
    std::array<double, 4> lambda;
    std::array<double, 4> perRate;
};

// The effect-site concentration x time units after an interval ends when nothing more is
// given: the sum of amplitude_k e^(-lambda_k x). Evaluated as its negative, the objective
// whose minimum is the peak.
struct FreeCurve {
    const std::array<double, 4>& lambda;
    std::array<double, 4> a;

    double operator()(double x) const { return -decayingSum(a, lambda, x); }
    // The slope of the concentration at x.
    double rise(double x) const { return decayingSlope(a, lambda, x); }
};

struct Peak {
    double time;
    double conc;
};

// The peak of the curve as the algorithm searches it: bracketing from the start points 0 and
// start, then Brent's method on the bracket. Whenever Brent's search converged and its
// value is finite its result is the peak, wherever the abscissa lies (also before now,
// x < 0: the algorithm does not restrict the searches to the future). Only a search that found
// no bracket, did not converge or gave a non-finite value is replaced, so that neither a
// hang nor a NaN becomes an answer: when the curve is not rising now its peak is now;
// otherwise the peak is searched between now and a time where the curve has stopped rising.
Peak searchedPeak(const FreeCurve& curve, double start) {
    double a = 0, b = start, c = 0, fa, fb, fc;
    if (bracketMinimum(a, b, c, fa, fb, fc, curve)) {
        const BrentResult found = brentSearch(a, b, c, fb, curve, SEARCH_TOLERANCE);
        if (found.converged && std::isfinite(found.fmin))
            return {found.xmin, -found.fmin};
    }
    const double now = -curve(0);
    if (!(curve.rise(0) > 0))
        return {0, now};
    double end = start > 0 && std::isfinite(start) ? start : UNIT_RATE_START;
    for (int step = 0; step < BRACKET_MAX_STEPS && curve.rise(end) > 0 && std::isfinite(2 * end);
         ++step)
        end *= 2;
    const BrentResult found = brentSearch(0.0, 0.5 * end, end, curve, SEARCH_TOLERANCE);
    if (std::isfinite(found.fmin) && -found.fmin > now)
        return {found.xmin, -found.fmin};
    return {0, now};
}

// The peaks found so far in one call, by curve and start point. searchedPeak depends on
// nothing else (every curve of a call has the call's exponents), so a peak found again is
// bit for bit the one a new search would give; the curves are told apart by the bits of their
// amplitudes and start point, never by ==, which would take -0 for +0. A schedule whose
// rows come back to the same state, or whose decay has vanished, searches the same curves
// row after row. Each slot keeps the last curve that fell into it.
class PeakMemo {
public:
    PeakMemo() : slots_(new Slot[PEAK_MEMO_SLOTS]) {}
    Peak operator()(const FreeCurve& curve, double start) {
        std::uint64_t key[5];
        std::memcpy(key, curve.a.data(), 4 * sizeof(double));
        std::memcpy(key + 4, &start, sizeof(double));
        std::uint64_t mixed = 0;
        for (std::uint64_t word : key)
            mixed = (mixed ^ word) * PEAK_MEMO_MULTIPLIER;
        const std::size_t slot = static_cast<std::size_t>(mixed >> (64 - PEAK_MEMO_BITS));
        Slot& s = slots_[slot];
        if (filled_[slot] && std::equal(key, key + 5, s.key))
            return s.peak;
        s.peak = searchedPeak(curve, start);
        std::copy(key, key + 5, s.key);
        filled_[slot] = true;
        return s.peak;
    }

private:
    struct Slot {
        std::uint64_t key[5];
        Peak peak;
    };
    // Allocated with the call, left uninitialised (filled_ tells the slots in use): an
    // allocation among the rows, even one never reached, slows the loop over all of them.
    std::unique_ptr<Slot[]> slots_;
    std::bitset<PEAK_MEMO_SLOTS> filled_;
};

// What an interval's length fixes: its decay factors, 1 - each of them, and the
// denominator of the plasma target rate. Recomputed only when the length changes, so that
// a table of equal intervals pays for them once; each is a function of the length alone,
// so a reused value is bit for bit the one that would be recomputed.
struct IntervalFactors {
    EffectDecay f{};
    PlasmaDecay pd{};
    double oneMinus[4] = {};
    double rateDenominator = 0;
};

class IntervalMemo {
public:
    explicit IntervalMemo(const EffectModel& m) : m_(m), decay_(m.h, m.ke0) {}
    const IntervalFactors& operator()(double dt) {
        if (!(dt == dt_)) {
            IntervalFactors& x = factors_;
            x.f = decay_(dt);
            x.pd = {x.f.e1, x.f.e2, x.f.e3};
            const double e[4] = {x.f.e1, x.f.e2, x.f.e3, x.f.e4};
            for (int k = 0; k < 4; ++k)
                x.oneMinus[k] = 1 - e[k];
            x.rateDenominator = plasmaTargetRateDenominator(m_.u, x.pd);
            dt_ = dt;
        }
        return factors_;
    }

private:
    const EffectModel& m_;
    EffectDecayMemo decay_;
    double dt_ = std::numeric_limits<double>::quiet_NaN();
    IntervalFactors factors_;
};

// What one row of the effect-site TCI knows: its interval's factors, target, the states at
// its start, the start point of the peak searches and the peaks the call has found. Built
// only for a row that searches.
struct RowContext {
    const EffectModel& m;
    const EffectDecay& f;
    const double (&oneMinus)[4];
    double target;
    const EffectState& start;
    double unitPeakTime;
    PeakMemo& peaks;

    RowContext(const EffectModel& model, const IntervalFactors& factors, double T,
               const EffectState& s, double peakTime, PeakMemo& memo)
        : m(model), f(factors.f), oneMinus(factors.oneMinus), target(T), start(s),
          unitPeakTime(peakTime), peaks(memo) {}

    // The effect site after the interval infused at a unit rate from empty compartments.
    FreeCurve unitRateCurve() const {
        FreeCurve c{m.lambda, {}};
        for (int k = 0; k < 4; ++k)
            c.a[k] = m.perRate[k] * oneMinus[k];
        return c;
    }
    // The effect site from the start of the interval when nothing more is given.
    FreeCurve noInfusionCurve() const {
        return {m.lambda, {start.s1, start.s2, start.s3, start.s4}};
    }
    // The effect site after the interval infused at the rate R.
    FreeCurve afterInfusionCurve(double R) const {
        const double s[4] = {start.s1, start.s2, start.s3, start.s4};
        const double e[4] = {f.e1, f.e2, f.e3, f.e4};
        FreeCurve c{m.lambda, {}};
        for (int k = 0; k < 4; ++k)
            c.a[k] = (m.perRate[k] * R) * oneMinus[k] + e[k] * s[k];
        return c;
    }
    // How far the peak after infusing at R misses the target, squared.
    double rateMiss(double R) const {
        const double miss = target - peaks(afterInfusionCurve(R), unitPeakTime).conc;
        return miss * miss;
    }
};

// Step 5: the model reduced where terms vanish, ke0 moved off an exponent it
// equals, and the factors and coefficients of the reduced model.
EffectModel effectModel(double A, double B, double C, double l1, double l2, double l3, double ke0) {
    EffectModel m{};
    m.h = {A, B, C, l1, l2, l3};
    reduceVanishingTerms(m.h);
    m.ke0 = separatedKe0(m.h, ke0);
    m.u = unitFactors(m.h);
    m.E = effectCoefficients(m.h, m.ke0);
    m.q = effectPerRate(m.E, m.h, m.ke0);
    m.lambda = {m.h.l1, m.h.l2, m.h.l3, m.ke0};
    m.perRate = {m.q.q1, m.q.q2, m.q.q3, m.q.q4};
    return m;
}

// One effect-site TCI call: the states, ce0 and the peak times that pass from row to row,
// and the call's caches. row() is steps 7 to 11 of the algorithm for one row.
class EffectSiteTci {
public:
    EffectSiteTci(const EffectModel& m, double maxRate) : m_(m), maxRate_(maxRate), interval_(m) {}

    // The rate of the next row, interval dt and target T; advances the states over it.
    double row(double dt, double T) {
        const IntervalFactors& factors = interval_(dt);
        const double R = boundedRate(chosenRate(factors, dt, T));
        advance(factors, R);
        return R;
    }

private:
    // Steps 7 to 9: the first of them that applies chooses the rate.
    double chosenRate(const IntervalFactors& factors, double dt, double T) {
        // Step 7: nothing wanted (and nothing can be infused over no time).
        if (T == 0 || dt == 0)
            return 0;
        const RowContext row(m_, factors, T, effect_, unitPeakTime_, peaks_);
        if (ce0_ == 0)
            return firstInfusionRate(row);
        return lookAheadRate(row, factors);
    }

    // Step 8, first infusion: the rate whose effect-site peak after this interval is T.
    // A unit-rate search that finds no positive finite peak leaves the rate at 0.
    double firstInfusionRate(const RowContext& row) {
        const Peak unit = peaks_(row.unitRateCurve(), UNIT_RATE_START);
        if (!(unit.conc > 0 && std::isfinite(unit.conc)))
            return 0;
        lastPeakTime_ = unit.time;
        unitPeakTime_ = unit.time;
        return row.target / unit.conc;
    }

    // Step 9: look ahead with no infusion.
    double lookAheadRate(const RowContext& row, const IntervalFactors& factors) {
        const double T = row.target;
        EffectState effectFree = effect_;
        effectStep(effectFree, m_.E, m_.q, factors.f, 0, 0);
        const double ceFree = ((effectFree.s1 + effectFree.s2) + effectFree.s3) + effectFree.s4;
        // Step 9.2, close to target: plasma targeting.
        if (std::fabs(T - ceFree) / T <= CLOSENESS_BAND)
            return targetRateQuotient(targetRateNumerator(plasma_, factors.pd, T),
                                      factors.rateDenominator);
        // Step 9.3, above target: the effect site falls freely.
        if (ceFree > T)
            return 0;
        // Step 9.4, below target by more than the band.
        if (freePlasma(factors.pd) > ceFree)
            return risingRate(row);
        return fixedBracketRate(row);
    }

    // The plasma concentration at the end of the interval with no infusion (step 9.1).
    double freePlasma(const PlasmaDecay& pd) const {
        PlasmaState plasmaFree = plasma_;
        plasmaStep(plasmaFree, m_.u, pd, 0, 0, m_.h);
        return (plasmaFree.x + plasmaFree.y) + plasmaFree.z;
    }

    // Step 9.4.1, the effect site still rising: infuse only if the drug given will not
    // carry it near T; then the rate search bracketed from (0, maxRate). R stays 0 when the
    // search finds nothing.
    double risingRate(const RowContext& row) {
        const Peak coming = peaks_(row.noInfusionCurve(), lastPeakTime_);
        lastPeakTime_ = coming.time;
        if (coming.conc >= NO_INFUSION_SUFFICIENCY * row.target)
            return 0;
        auto rateMiss = [&row](double rate) { return row.rateMiss(rate); };
        double R = 0;
        double a = 0, b = maxRate_, c = 0, fa, fb, fc;
        if (bracketMinimum(a, b, c, fa, fb, fc, rateMiss))
            brentMinimize(a, b, c, fb, rateMiss, SEARCH_TOLERANCE, R);
        return R;
    }

    // Step 9.4.2, the effect site at or above the plasma: the rate search on the fixed
    // bracket (0, maxRate, 10000). R stays 0 when the search does not converge.
    double fixedBracketRate(const RowContext& row) const {
        auto rateMiss = [&row](double rate) { return row.rateMiss(rate); };
        double R = 0;
        brentMinimize(0.0, maxRate_, FIXED_RATE_LIMIT, rateMiss, SEARCH_TOLERANCE, R);
        return R;
    }

    // Step 10: bounded above by maxRate, then below by 0 (a NaN becomes 0).
    double boundedRate(double R) const {
        if (R > maxRate_)
            R = maxRate_;
        if (!(R >= 0))
            R = 0;
        return R;
    }

    // Step 11: both states over the interval at the rate R; ce0 from the effect state.
    void advance(const IntervalFactors& factors, double R) {
        plasmaStep(plasma_, m_.u, factors.pd, R, 0, m_.h);
        effectStep(effect_, m_.E, m_.q, factors.f, R, 0);
        ce0_ = ((effect_.s1 + effect_.s2) + effect_.s3) + effect_.s4;
    }

    const EffectModel& m_;
    const double maxRate_;
    PlasmaState plasma_;
    EffectState effect_;
    double ce0_ = 0;
    double lastPeakTime_ = 0;
    double unitPeakTime_ = 0;
    IntervalMemo interval_;
    PeakMemo peaks_;
};

} // namespace

double plasmaTargetRate(const PlasmaState& s, const UnitFactors& u, const PlasmaDecay& e,
                        double bolus, double target, const Hybrid& h) {
    const double numerator =
        lessBolus(targetRateNumerator(s, e, target), bolus, h, plainBolusCoefficients(h));
    return targetRateQuotient(numerator, plasmaTargetRateDenominator(u, e));
}

double plasmaTargetRate(const PlasmaState& s, const UnitFactors& u, double dt, double bolus,
                        double target, const Hybrid& h) {
    if (dt == 0)
        return 0;
    return plasmaTargetRate(s, u, plasmaDecay(dt, h), bolus, target, h);
}

std::vector<double> TciCp(std::vector<double> deltaTimes, std::vector<double> targetConc,
                          double maxRate, double A, double B, double C, double l1, double l2,
                          double l3) {
    if (!nonNegativeFinite({A, B, C, l1, l2, l3}))
        throw InputError(refusals::NEGATIVE);
    if (deltaTimes.size() != targetConc.size())
        throw InputError(refusals::LENGTHS);
    Hybrid h{A, B, C, l1, l2, l3};
    dropZeroExponents(h);
    return plasmaSchedule(deltaTimes, {}, targetConc, maxRate, h);
}

std::vector<double> CalcRate(std::vector<double> deltaTimes, std::vector<double> IVBolus,
                             std::vector<double> targetConc, double maxRate, double A, double B,
                             double C, double l1, double l2, double l3) {
    if (deltaTimes.size() != IVBolus.size() || deltaTimes.size() != targetConc.size())
        throw InputError(refusals::LENGTHS);
    if (!nonNegativeFinite({A, B, C, l1, l2, l3}))
        throw InputError(refusals::NEGATIVE);
    Hybrid h{A, B, C, l1, l2, l3};
    dropZeroExponents(h);
    return plasmaSchedule(deltaTimes, IVBolus, targetConc, maxRate, h);
}

std::vector<double> TciCe(std::vector<double> deltaTimes, std::vector<double> targetConc,
                          double maxRate, double A, double B, double C, double l1, double l2,
                          double l3, double ke0) {
    // Steps 1 to 3 (also refusing parameters and a maximal rate that are not finite).
    if (deltaTimes.size() != targetConc.size())
        throw InputError(refusals::LENGTHS);
    if (!(A > 0) || !(l1 > 0) || !(ke0 > 0) || !nonNegativeFinite({A, B, C, l1, l2, l3, ke0}))
        throw InputError(refusals::CHECK_TCI_PARAMETERS);
    if (!(maxRate > 0) || !std::isfinite(maxRate))
        throw InputError(refusals::NON_POSITIVE_MAX_RATE);
    // Step 4.
    const std::size_t n = deltaTimes.size();
    std::vector<double> result(n, 0.0);
    // Step 5.
    const EffectModel m = effectModel(A, B, C, l1, l2, l3, ke0);
    EffectSiteTci tci(m, maxRate);
    // Steps 6 to 11, row by row; an interval or target that is not finite makes the rest
    // of the schedule unknown.
    for (std::size_t i = 1; i < n; ++i) {
        if (!std::isfinite(deltaTimes[i]) || !std::isfinite(targetConc[i])) {
            std::fill(result.begin() + i, result.end(), UNKNOWN);
            break;
        }
        result[i] = tci.row(deltaTimes[i], targetConc[i]);
    }
    // Step 12.
    return result;
}

} // namespace pktools
