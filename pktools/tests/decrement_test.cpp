#include "pktools/compartments.h"
#include "pktools/decrement.h"
#include "pktools/errors.h"
#include "pktools/simulation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

using namespace pktools;
using ::testing::ThrowsMessage;

namespace {

struct Drug {
    const char* name;
    std::vector<double> volCl;
    double ke0;
};

// Typical patients: Schnider propofol (53 y, 77 kg, 177 cm, LBM 59), Minto remifentanil
// (40 y, LBM 55), Greenblatt midazolam (70 kg, two compartments, slow).
const Drug PROPOFOL{"propofol", {4.27, 18.9, 238, 1.89, 1.29, 0.836}, 0.456};
const Drug REMIFENTANIL{"remifentanil", {5.1, 9.82, 5.42, 2.6, 2.05, 0.076}, 0.595};
const Drug MIDAZOLAM{"midazolam", {51.1, 111.52, 0, 0.77161, 2.68786, 0}, 0.17325};
const Drug DRUGS[] = {PROPOFOL, REMIFENTANIL, MIDAZOLAM};

const std::vector<double> CONTEXTS = {1, 2, 5, 10, 30, 60, 120, 240, 600};

std::vector<double> csDtCp(const Drug& d, const std::vector<double>& times, double decr) {
    const auto h = Cl2Hyb(d.volCl);
    return CsDtCp(times, h[0], h[1], h[2], h[3], h[4], h[5], decr);
}
std::vector<double> csDtCe(const Drug& d, const std::vector<double>& times, double decr) {
    const auto h = Cl2Hyb(d.volCl);
    return CsDtCe(times, h[0], h[1], h[2], h[3], h[4], h[5], d.ke0, decr);
}

// The plasma decrement time after an ideal clamp of the plasma concentration at 1 for
// the context, from the compartment equations: the peripheral concentrations then are
// 1 - e^-k21 t and 1 - e^-k31 t; the free decay is integrated (RK4) until the plasma
// concentration falls to the level.
double clampedDecrementTime(const std::vector<double>& vc, double context, double level) {
    const double k10 = vc[3] / vc[0], k12 = vc[4] / vc[0], k21 = vc[4] / vc[1];
    const double k13 = vc[2] > 0 ? vc[5] / vc[0] : 0, k31 = vc[2] > 0 ? vc[5] / vc[2] : 0;
    // Amounts relative to V1.
    double x[3] = {1, vc[1] / vc[0] * (1 - std::exp(-k21 * context)),
                   vc[2] / vc[0] * (1 - std::exp(-k31 * context))};
    auto deriv = [&](const double* a, double* d) {
        d[0] = -(k10 + k12 + k13) * a[0] + k21 * a[1] + k31 * a[2];
        d[1] = k12 * a[0] - k21 * a[1];
        d[2] = k13 * a[0] - k31 * a[2];
    };
    const double h = 1e-3;
    double t = 0;
    while (true) {
        double k1[3], k2[3], k3[3], k4[3], tmp[3], next[3];
        deriv(x, k1);
        for (int i = 0; i < 3; ++i)
            tmp[i] = x[i] + h / 2 * k1[i];
        deriv(tmp, k2);
        for (int i = 0; i < 3; ++i)
            tmp[i] = x[i] + h / 2 * k2[i];
        deriv(tmp, k3);
        for (int i = 0; i < 3; ++i)
            tmp[i] = x[i] + h * k3[i];
        deriv(tmp, k4);
        for (int i = 0; i < 3; ++i)
            next[i] = x[i] + h / 6 * (k1[i] + 2 * k2[i] + 2 * k3[i] + k4[i]);
        if (next[0] <= level) // linear interpolation inside the last step
            return t + h * (x[0] - level) / (x[0] - next[0]);
        for (int i = 0; i < 3; ++i)
            x[i] = next[i];
        t += h;
    }
}

// The one-compartment effect-site decay from plasma and effect site both at 1:
// Ce(t) = (ke0 e^-l1 t - l1 e^-ke0 t) / (ke0 - l1); the time at which it reaches level.
double oneCompartmentEffectDecay(double l1, double ke0, double level) {
    double low = 0, high = 1e4;
    for (int i = 0; i < 200; ++i) {
        const double t = 0.5 * (low + high);
        const double ce = (ke0 * std::exp(-l1 * t) - l1 * std::exp(-ke0 * t)) / (ke0 - l1);
        (ce > level ? low : high) = t;
    }
    return low;
}

// The unit-bolus effect-site curve of a one-compartment model with A = 1, l1 = 1, ke0 = 2.
double bolusEffect(double t) {
    return 2 * (std::exp(-t) - std::exp(-2 * t));
}

// The falling crossing of bolusEffect with level, after its peak at ln 2.
double bolusEffectCrossing(double level) {
    double low = std::log(2.0), high = 100;
    for (int i = 0; i < 200; ++i) {
        const double t = 0.5 * (low + high);
        (bolusEffect(t) > level ? low : high) = t;
    }
    return low;
}

} // namespace

TEST(CsDtCp, OneCompartmentRowsAreTheAnalyticDecrementTime) {
    const std::vector<double> times = {0, 1, 2.5, 10, 60, 600};
    for (double decr : {20.0, 50.0, 80.0}) {
        const double expected = std::log(1 / (1 - decr / 100)) / 0.3;
        const auto r = CsDtCp(times, 0.2, 0, 0, 0.3, 0, 0, decr);
        ASSERT_EQ(r.size(), times.size());
        EXPECT_EQ(r[0], 0); // a context of 0 needs no decay
        for (std::size_t i = 1; i < r.size(); ++i)
            EXPECT_NEAR(r[i], expected, 1e-8 * expected) << decr << " " << times[i];
    }
}

TEST(CsDtCp, SlowModelsSurviveTheSliverStepBeforeEachWholeContext) {
    // Ten steps of 0.1 add up to 0.9999999999999999: the step that reaches a context of 1
    // is about 1e-16, too short to move a slow exponent. Every row must still be ln 2/l1.
    std::vector<double> times;
    for (int t = 1; t <= 600; ++t)
        times.push_back(t);
    const double expected = std::log(2.0) / 0.05;
    const auto r = CsDtCp(times, 0.1, 0, 0, 0.05, 0, 0, 50);
    for (std::size_t i = 0; i < r.size(); ++i)
        ASSERT_NEAR(r[i], expected, 1e-8 * expected) << "context " << times[i];
    // The same model as volumes and clearances (V1 = 10, Cl1 = 0.5).
    const auto v = CsDtCpVCl(times, 10, 0, 0, 0.5, 0, 0, 50);
    for (std::size_t i = 0; i < v.size(); ++i)
        ASSERT_NEAR(v[i], expected, 1e-8 * expected) << "context " << times[i];
    // Midazolam is slow as well: its rows stay finite and keep growing.
    const auto m = csDtCp(MIDAZOLAM, times, 50);
    for (std::size_t i = 1; i < m.size(); ++i)
        ASSERT_GE(m[i], m[i - 1]) << "context " << times[i];
    EXPECT_LT(m.back(), 200);
}

TEST(CsDtCp, ContextSensitiveTimesGrowWithTheContextAndLevelOff) {
    for (const Drug& d : DRUGS) {
        const auto r = csDtCp(d, CONTEXTS, 50);
        for (std::size_t i = 1; i < r.size(); ++i)
            EXPECT_GT(r[i], r[i - 1]) << d.name << " context " << CONTEXTS[i];
        // The held plasma concentration is exactly 1 only on the grid; against an ideal
        // clamp the times agree closely.
        for (std::size_t i : {3, 5, 7}) {
            const double clamped = clampedDecrementTime(d.volCl, CONTEXTS[i], 0.5);
            EXPECT_NEAR(r[i], clamped, 0.01 * clamped) << d.name << " context " << CONTEXTS[i];
        }
    }
    // Remifentanil levels off within hours; propofol, with its deep third compartment,
    // within weeks (4 weeks = 40320 minutes still computes).
    const auto remi = csDtCp(REMIFENTANIL, {300, 600}, 50);
    EXPECT_NEAR(remi[1], remi[0], 0.005 * remi[0]);
    const auto prop = csDtCp(PROPOFOL, {600, 20160, 40320}, 50);
    EXPECT_GT(prop[1], 1.3 * prop[0]);
    EXPECT_NEAR(prop[2], prop[1], 0.01 * prop[1]);
}

TEST(CsDtCp, VolumesAndClearancesGiveTheResultOfTheirHybridConstants) {
    for (const Drug& d : DRUGS) {
        const auto& v = d.volCl;
        const auto viaVolCl = CsDtCpVCl(CONTEXTS, v[0], v[1], v[2], v[3], v[4], v[5], 70);
        EXPECT_EQ(viaVolCl, csDtCp(d, CONTEXTS, 70)) << d.name;
    }
}

TEST(CsDtCp, RowsAreIndependentOfTheRestOfTheColumnAndOfEarlierCalls) {
    const auto all = csDtCp(PROPOFOL, CONTEXTS, 50);
    const auto first = csDtCp(PROPOFOL, {1, 2, 5}, 50);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[2], all[2]);
    // Entries before the start hold 0 and leave the later rows as they are.
    const auto withNegative = csDtCp(PROPOFOL, {-5, -2, 1, 2, 5}, 50);
    EXPECT_EQ(withNegative[0], 0);
    EXPECT_EQ(withNegative[1], 0);
    EXPECT_EQ(withNegative[4], all[2]);
}

TEST(CsDtCp, RefusesBadInputInItsOrder) {
    const auto h = Cl2Hyb(PROPOFOL.volCl);
    auto call = [&](std::vector<double> t, double A, double l1, double decr) {
        return [=] { CsDtCp(t, A, h[1], h[2], l1, h[4], h[5], decr); };
    };
    // The times are tested before the parameters.
    EXPECT_THAT(call({10, 10, 20}, 0, 0, 0),
                ThrowsMessage<InputError>("#Times have to be in ascending order!"));
    EXPECT_THAT(call({20, 10}, h[0], h[3], 50),
                ThrowsMessage<InputError>("#Times have to be in ascending order!"));
    // A decrement of 100 % or more has no finite answer.
    for (double decr : {0.0, -10.0, 100.0, 150.0})
        EXPECT_THAT(call({10}, h[0], h[3], decr),
                    ThrowsMessage<InputError>("Check PK parameters and/or decrement!"));
    EXPECT_THAT(call({10}, 0, h[3], 50),
                ThrowsMessage<InputError>("Check PK parameters and/or decrement!"));
    EXPECT_THAT(call({10}, h[0], 0, 50),
                ThrowsMessage<InputError>("Check PK parameters and/or decrement!"));
    EXPECT_THAT([&] { CsDtCp({10}, h[0], -1, h[2], h[3], h[4], h[5], 50); },
                ThrowsMessage<InputError>("Check PK parameters and/or decrement!"));
    // Contexts beyond the bound are refused after the parameters; 99.99 almost-weeks pass.
    EXPECT_THAT(call({10, 1e9}, h[0], h[3], 50),
                ThrowsMessage<InputError>("Times have to be at most 1000000!"));
    EXPECT_THAT(call({10, 1e9}, h[0], h[3], 0),
                ThrowsMessage<InputError>("Check PK parameters and/or decrement!"));
    EXPECT_THAT(call({10, std::nan("")}, h[0], h[3], 50),
                ThrowsMessage<InputError>("Times have to be at most 1000000!"));
}

TEST(CsDtCpVCl, ConvertsThenTestsTheTimesThenTheConstants) {
    // V2 = 0 beside a third compartment converts to zeros, which fail the constants test,
    // but only after the times.
    EXPECT_THAT(
        [] {
            CsDtCpVCl({20, 10}, 4, 0, 200, 1.9, 1.3, 0.8, 50);
        },
        ThrowsMessage<InputError>("#Times have to be in ascending order!"));
    EXPECT_THAT(
        [] {
            CsDtCpVCl({10, 20}, 4, 0, 200, 1.9, 1.3, 0.8, 50);
        },
        ThrowsMessage<InputError>("Check PK parameters and/or decrement!"));
    EXPECT_THAT(
        [] {
            CsDtCpVCl({10, 2e6}, 4, 10, 200, 1.9, 1.3, 0.8, 50);
        },
        ThrowsMessage<InputError>("Times have to be at most 1000000!"));
    // A first volume of 0 (blank cells) converts to an infinite A and a not-a-number l1,
    // which are refused rather than turned into rows of 0.
    for (const std::vector<double>& v :
         {std::vector<double>{0, 0, 0, 0, 0, 0}, {0, 18.9, 238, 1.89, 1.29, 0.836}})
        EXPECT_THAT(
            [&] {
                CsDtCpVCl({10, 20}, v[0], v[1], v[2], v[3], v[4], v[5], 50);
            },
            ThrowsMessage<InputError>("Check PK parameters and/or decrement!"))
            << v[1];
}

TEST(CsDtCpAndCsDtCe, RefuseConstantsThatAreNotFiniteNumbers) {
    const auto h = Cl2Hyb(PROPOFOL.volCl);
    const double inf = INFINITY, nan = std::nan("");
    for (int k = 0; k < 7; ++k)
        for (double bad : {inf, nan}) {
            std::vector<double> c(h.begin(), h.end());
            c.push_back(50); // decr
            c[k] = bad;
            EXPECT_THAT([&] { CsDtCp({10}, c[0], c[1], c[2], c[3], c[4], c[5], c[6]); },
                        ThrowsMessage<InputError>("Check PK parameters and/or decrement!"))
                << k << " " << bad;
            EXPECT_THAT(
                [&] { CsDtCe({10}, c[0], c[1], c[2], c[3], c[4], c[5], PROPOFOL.ke0, c[6]); },
                ThrowsMessage<InputError>("Check PK parameters and/or decrement!"))
                << k << " " << bad;
        }
    for (double bad : {inf, nan})
        EXPECT_THAT([&] { CsDtCe({10}, h[0], h[1], h[2], h[3], h[4], h[5], bad, 50); },
                    ThrowsMessage<InputError>("Check PK parameters and/or decrement!"))
            << bad;
}

TEST(CsDtCe, OneCompartmentRowsAfterThePeakAreTheAnalyticDecay) {
    // After the short infusion the effect site peaks at 1, where plasma is 1 as well;
    // holding plasma at 1 keeps both there, so every later row decays from the same
    // state. The infusion of length 0.1 peaks (after its end) at
    // ln((1 - e^-0.1 ke0) / (1 - e^-0.1 l1)) / (ke0 - l1).
    const double l1 = 0.1, ke0 = 0.5;
    const double tpk =
        std::log((1 - std::exp(-0.1 * ke0)) / (1 - std::exp(-0.1 * l1))) / (ke0 - l1);
    const double expected = oneCompartmentEffectDecay(l1, ke0, 0.5);
    // Rows at or before the peak are 0; rows within 0.1 after it decay from the peak.
    const std::vector<double> times = {1, tpk - 1e-6, tpk + 0.03, tpk + 0.07, 5, 10, 100, 600};
    const auto r = CsDtCe(times, 0.2, 0, 0, l1, 0, 0, ke0, 50);
    EXPECT_EQ(r[0], 0);
    EXPECT_EQ(r[1], 0);
    for (std::size_t i = 2; i < r.size(); ++i)
        EXPECT_NEAR(r[i], expected, 1e-7 * expected) << "context " << times[i];
}

TEST(CsDtCe, RowsWithinAStepAfterThePeakDecayFromThePeak) {
    // Propofol's effect-site curve after a unit-rate infusion of length 0.1, t after its
    // end, from the closed-form steps.
    const auto h = Cl2Hyb(PROPOFOL.volCl);
    const Hybrid hy{h[0], h[1], h[2], h[3], h[4], h[5]};
    const EffectCoefficients E = effectCoefficients(hy, PROPOFOL.ke0);
    auto pulse = [&](double t) {
        EffectState s;
        effectStep(s, E, 0.1, 1, 0, hy, PROPOFOL.ke0);
        effectStep(s, E, t, 0, 0, hy, PROPOFOL.ke0);
        return ((s.s2 + s.s1) + s.s3) + s.s4;
    };
    double low = 0, high = 10; // golden-section search for its peak
    while (high - low > 1e-9) {
        const double m1 = high - 0.618 * (high - low), m2 = low + 0.618 * (high - low);
        if (pulse(m1) < pulse(m2))
            low = m1;
        else
            high = m2;
    }
    const double tpk = 0.5 * (low + high), top = pulse(tpk);
    // The time after the peak until the curve has fallen to half its top.
    low = tpk, high = tpk + 100;
    for (int i = 0; i < 100; ++i) {
        const double t = 0.5 * (low + high);
        (pulse(t) > 0.5 * top ? low : high) = t;
    }
    const double fromPeak = low - tpk;

    // Contexts after the peak but before the held infusion starts (0.1 later) decay from
    // the peak; they leave the later rows as they are.
    const auto plain = csDtCe(PROPOFOL, {tpk + 0.2, 10}, 50);
    const auto crowded = csDtCe(PROPOFOL, {tpk + 0.03, tpk + 0.07, tpk + 0.2, 10}, 50);
    EXPECT_NEAR(crowded[0], fromPeak, 1e-7 * fromPeak);
    EXPECT_NEAR(crowded[1], fromPeak, 1e-7 * fromPeak);
    EXPECT_LT(crowded[1], plain[0]);
    EXPECT_NEAR(crowded[2], plain[0], 1e-8 * plain[0]);
    EXPECT_NEAR(crowded[3], plain[1], 1e-8 * plain[1]);
    EXPECT_EQ(csDtCe(PROPOFOL, {tpk - 1e-6}, 50)[0], 0);
}

TEST(CsDtCe, AnEffectSiteStillRisingAtTheStopIsTimedToItsFallThroughTheLevel) {
    // An effect site so fast that the short infusion peaks within 0.1: nothing brings it to
    // 1 first, and for short contexts it is still below the level when dosing stops. After
    // the stop it rises towards the falling plasma, above half (decr 50), and falls back:
    // that fall is the decrement time (reference values of a plain implementation of the
    // algorithm, which searches every row). It never reaches 0.8 (decr 20): no decay.
    const std::vector<double> times = {0.05, 0.2, 0.21, 0.25, 0.3, 1};
    const auto half = CsDtCe(times, 1, 0, 0, 5, 0, 0, 10, 50);
    const double expected[] = {0, 0.1601, 0.1822, 0.2132, 0.22838, 0.24558};
    for (std::size_t i = 0; i < times.size(); ++i)
        EXPECT_NEAR(half[i], expected[i], 1e-4) << times[i];
    const auto fifth = CsDtCe(times, 1, 0, 0, 5, 0, 0, 10, 20);
    for (std::size_t i = 0; i + 1 < times.size(); ++i)
        EXPECT_EQ(fifth[i], 0) << times[i];
    EXPECT_GT(fifth.back(), 0);
}

TEST(CsDtCe, RealisticDrugsGrowWithTheContextAndStayBehindThePlasma) {
    for (const Drug& d : DRUGS) {
        const auto ce = csDtCe(d, CONTEXTS, 50);
        const auto cp = csDtCp(d, CONTEXTS, 50);
        std::size_t first = 0; // the first row after the peak
        while (ce[first] == 0)
            ++first;
        EXPECT_LT(first, 4u) << d.name;
        for (std::size_t i = first + 1; i < ce.size(); ++i) {
            EXPECT_GT(ce[i], ce[i - 1]) << d.name << " context " << CONTEXTS[i];
            // The effect site lags the plasma: it takes longer to fall by half.
            EXPECT_GT(ce[i], cp[i]) << d.name << " context " << CONTEXTS[i];
        }
    }
}

TEST(CsDtCe, RefusesBadInputInItsOrder) {
    const auto h = Cl2Hyb(PROPOFOL.volCl);
    auto call = [&](std::vector<double> t, double ke0, double decr) {
        return [=] { CsDtCe(t, h[0], h[1], h[2], h[3], h[4], h[5], ke0, decr); };
    };
    EXPECT_THAT(call({20, 10}, 0, 0),
                ThrowsMessage<InputError>("#Times have to be in ascending order!"));
    for (auto [ke0, decr] : {std::pair{0.0, 50.0}, std::pair{0.456, 0.0}, std::pair{0.456, 100.0}})
        EXPECT_THAT(call({10}, ke0, decr),
                    ThrowsMessage<InputError>("Check PK parameters and/or decrement!"));
    EXPECT_THAT(call({10, 1e9}, 0.456, 50),
                ThrowsMessage<InputError>("Times have to be at most 1000000!"));
    // A ke0 so fast that the effect site peaks long before the search looks: no peak.
    EXPECT_THAT([] { CsDtCe({10}, 1, 0, 0, 1000, 0, 0, 2000, 50); },
                ThrowsMessage<InputError>("Peak not found!"));
}

TEST(DecrCe, OneCompartmentRowsAfterABolusFollowTheAnalyticCurve) {
    // A = 1, l1 = 1, ke0 = 2: after a unit bolus Ce(t) = 2 (e^-t - e^-2t), peak 1/2 at ln 2.
    const std::vector<double> dt = {0, 1, 1, 1};
    const std::vector<double> level = {0, 0.3, 0.45, 0.05};
    const auto r = decrCe(dt, {0, 0, 0, 0}, {1, 0, 0, 0}, level, 1, 0, 0, 1, 0, 0, 2);
    EXPECT_EQ(r[0], 0);
    EXPECT_NEAR(r[1], bolusEffectCrossing(0.3) - 1, 1e-8);
    EXPECT_EQ(r[2], 0); // Ce(2) = 0.23 is already below 0.45
    EXPECT_NEAR(r[3], bolusEffectCrossing(0.05) - 3, 1e-8);
}

TEST(DecrCe, KeZeroAtARateConstantOrZeroStaysFinite) {
    // ke0 equal to l1: the limiting curve Ce = t e^-t (peak 1/e at 1), found as with a
    // ke0 a hair away.
    const std::vector<double> dt = {0, 1.5}, level = {0, 0.2};
    const auto at = decrCe(dt, {0, 0}, {1, 0}, level, 1, 0, 0, 1, 0, 0, 1);
    const auto near = decrCe(dt, {0, 0}, {1, 0}, level, 1, 0, 0, 1, 0, 0, 1 + 1e-6);
    ASSERT_TRUE(std::isfinite(at[1]));
    EXPECT_NEAR(at[1], near[1], 1e-5);
    EXPECT_NEAR((1.5 + at[1]) * std::exp(-(1.5 + at[1])), 0.2, 1e-6);
    // ke0 of 0: the effect site never fills, so every row is already below its level.
    EXPECT_EQ(decrCe(dt, {0, 3}, {1, 0}, level, 1, 0, 0, 1, 0, 0, 0), (std::vector<double>{0, 0}));
}

TEST(DecrCe, NeverReturnsACrossingInThePast) {
    // 0.3 after the bolus the effect site is still rising (Ce = 0.38): extrapolated
    // backwards it met 0.3 about 0.1 ago, but it falls to 0.3 only after its peak.
    const auto r = decrCe({0, 0.3}, {0, 0}, {1, 0}, {0, 0.3}, 1, 0, 0, 1, 0, 0, 2);
    EXPECT_NEAR(r[1], bolusEffectCrossing(0.3) - 0.3, 1e-8);
}

TEST(DecrCe, FindsTheCrossingWhenTheSearchStartsOnTheVanishedTail) {
    // At 3 after the bolus Ce = 0.095, more than twice the level 0.04; 500 and 1309 later
    // nothing is left, and the two equal distances there must not pass for a minimum.
    const auto r = decrCe({0, 3}, {0, 0}, {1, 0}, {0, 0.04}, 1, 0, 0, 1, 0, 0, 2);
    EXPECT_NEAR(r[1], bolusEffectCrossing(0.04) - 3, 1e-8);
}

TEST(DecrCe, PropofolRowsReachTheirLevelsAfterAnInfusion) {
    // Bolus, one hour of infusion in steps, then a second bolus: each row's time decays
    // the effect site exactly to its level, and no earlier.
    const auto h = Cl2Hyb(PROPOFOL.volCl);
    const Hybrid hy{h[0], h[1], h[2], h[3], h[4], h[5]};
    const std::vector<double> dt = {0, 1, 4, 15, 40, 0.5, 2};
    const std::vector<double> rate = {0, 10, 10, 8, 6, 0, 0};
    const std::vector<double> bolus = {120, 0, 0, 0, 0, 50, 0};
    const std::vector<double> level = {0, 2, 2.5, 1, 1.5, 2, 3};
    const auto r = decrCe(dt, rate, bolus, level, h[0], h[1], h[2], h[3], h[4], h[5], 0.456);
    const EffectCoefficients E = effectCoefficients(hy, 0.456);
    EffectState s{E.E1 * 120, E.E2 * 120, E.E3 * 120, E.E4 * 120};
    int searched = 0;
    for (std::size_t i = 1; i < dt.size(); ++i) {
        effectStep(s, E, dt[i], rate[i], bolus[i], hy, 0.456);
        auto after = [&](double t) {
            EffectState later = s;
            effectStep(later, E, t, 0, 0, hy, 0.456);
            return ((later.s2 + later.s1) + later.s3) + later.s4;
        };
        if (after(0) <= level[i]) {
            EXPECT_EQ(r[i], 0) << "row " << i;
            continue;
        }
        ++searched;
        EXPECT_NEAR(after(r[i]), level[i], 1e-6 * level[i]) << "row " << i;
        for (double f : {0.25, 0.5, 0.9, 0.99})
            EXPECT_GT(after(f * r[i]), level[i]) << "row " << i;
    }
    EXPECT_GE(searched, 4);
}

TEST(DecrCe, RefusesBadInputInItsOrder) {
    // Lengths first, then the parameters (zero is accepted).
    EXPECT_THAT(
        [] {
            decrCe({0, 1}, {0, 1}, {1, 0}, {0}, -1, 0, 0, 1, 0, 0, 2);
        },
        ThrowsMessage<InputError>("Columns of different length!"));
    for (int k = 0; k < 7; ++k) {
        double p[7] = {1, 0.1, 0.01, 1, 0.1, 0.01, 2};
        p[k] = -1;
        EXPECT_THAT(
            [&] {
                decrCe({0, 1}, {0, 0}, {1, 0}, {0, 0.1}, p[0], p[1], p[2], p[3], p[4], p[5], p[6]);
            },
            ThrowsMessage<InputError>("Negative PK parameter!"))
            << "parameter " << k;
    }
    // A = 0 with l1 = 0 drops the first term: here the whole response, so nothing decays.
    EXPECT_EQ(decrCe({0, 1}, {0, 0}, {1, 0}, {0, 0.1}, 0, 0, 0, 0, 0, 0, 2),
              (std::vector<double>{0, 0}));
    // A level of 0 or below is never reached from above; where the effect site is at or
    // below it already, the row is simply 0.
    EXPECT_THAT(
        [] {
            decrCe({0, 1}, {0, 0}, {1, 0}, {0, 0}, 1, 0, 0, 1, 0, 0, 2);
        },
        ThrowsMessage<InputError>("Non-positive decrement concentration!"));
    EXPECT_EQ(decrCe({0, 1}, {0, 0}, {0, 0}, {0, 0}, 1, 0, 0, 1, 0, 0, 2),
              (std::vector<double>{0, 0}));
    // A term that does not decay within any representable time (l3 = 1e-308) keeps the
    // effect site near 0.5: the search says that it found no crossing.
    EXPECT_THAT(
        [] {
            decrCe({0, 1}, {0, 0}, {1, 0}, {0, 0.01}, 1, 0, 0.5, 1, 0.1, 1e-308, 2);
        },
        ThrowsMessage<InputError>("Decrement time not found!"));
}
