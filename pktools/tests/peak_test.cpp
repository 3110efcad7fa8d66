#include "pktools/compartments.h"
#include "pktools/errors.h"
#include "pktools/peak.h"

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
// (40 y, LBM 55), Greenblatt midazolam (70 kg, two compartments).
const Drug DRUGS[] = {
    {"propofol", {4.27, 18.9, 238, 1.89, 1.29, 0.836}, 0.456},
    {"remifentanil", {5.1, 9.82, 5.42, 2.6, 2.05, 0.076}, 0.595},
    {"midazolam", {51.1, 111.52, 0, 0.77161, 2.68786, 0}, 0.17325},
};

// The unit-bolus effect-site concentration, summed independently of the routines:
// Ce(t) = sum over the terms of coefficient ke0 / (ke0 - l) (e^-l t - e^-ke0 t).
double unitBolusEffect(const std::vector<double>& h, double ke0, double t) {
    double ce = 0;
    for (int k = 0; k < 3; ++k)
        if (h[k] != 0)
            ce += h[k] * ke0 / (ke0 - h[3 + k]) * (std::exp(-h[3 + k] * t) - std::exp(-ke0 * t));
    return ce;
}

} // namespace

TEST(TPeak, OneCompartmentPeakIsAnalytic) {
    for (auto [l1, ke0] : {std::pair{1.0, 2.0}, std::pair{0.3, 0.1}, std::pair{0.05, 1.2}}) {
        const double expected = std::log(ke0 / l1) / (ke0 - l1);
        EXPECT_NEAR(TPeak(0.25, 0, 0, l1, 0, 0, ke0), expected, 1e-7 * expected)
            << l1 << " " << ke0;
    }
    // A = 1, l1 = 1, ke0 = 2: the peak is at ln 2 with a concentration of 1/2.
    EXPECT_NEAR(TPeak(1, 0, 0, 1, 0, 0, 2), std::log(2.0), 1e-8);
    EXPECT_NEAR(VdPeak(1, 0, 0, 1, 0, 0, 2), 2, 1e-12);
    EXPECT_NEAR(TPeak2ke0(1, 0, 0, 1, 0, 0, std::log(2.0)), 2, 1e-8);
}

TEST(TPeak, RealisticDrugsPeakWhereTheEffectSiteCurveIsHighest) {
    for (const Drug& d : DRUGS) {
        const auto h = Cl2Hyb(d.volCl);
        const double tp = TPeak(h[0], h[1], h[2], h[3], h[4], h[5], d.ke0);
        const double top = unitBolusEffect(h, d.ke0, tp);
        // The peak: both sides are lower, and at the peak plasma and effect site meet.
        EXPECT_GT(top, unitBolusEffect(h, d.ke0, tp * 0.999)) << d.name;
        EXPECT_GT(top, unitBolusEffect(h, d.ke0, tp * 1.001)) << d.name;
        const double cp =
            h[0] * std::exp(-h[3] * tp) + h[1] * std::exp(-h[4] * tp) + h[2] * std::exp(-h[5] * tp);
        EXPECT_NEAR(cp, top, 1e-7 * top) << d.name;

        EXPECT_NEAR(VdPeak(h[0], h[1], h[2], h[3], h[4], h[5], d.ke0), 1 / top, 1e-9 / top)
            << d.name;
        EXPECT_NEAR(TPeak2ke0(h[0], h[1], h[2], h[3], h[4], h[5], tp), d.ke0, 1e-6 * d.ke0)
            << d.name;
    }
    // Propofol peaks about a minute and a half after the bolus.
    const auto h = Cl2Hyb(DRUGS[0].volCl);
    EXPECT_NEAR(TPeak(h[0], h[1], h[2], h[3], h[4], h[5], 0.456), 1.5268, 1e-3);
}

TEST(TPeak, KeZeroEqualToARateConstantGivesTheLimitingCurve) {
    // One compartment with ke0 = l1: Ce = A l1 t e^-l1 t peaks at 1/l1 with A/e.
    EXPECT_NEAR(TPeak(1, 0, 0, 0.5, 0, 0, 0.5), 2, 1e-5);
    EXPECT_NEAR(VdPeak(1, 0, 0, 0.5, 0, 0, 0.5), std::exp(1.0), 1e-5);
    // Propofol with ke0 set exactly to its second exponent: the same as a ke0 a hair away.
    const auto h = Cl2Hyb(DRUGS[0].volCl);
    const double nearby = TPeak(h[0], h[1], h[2], h[3], h[4], h[5], h[4] * (1 + 1e-6));
    EXPECT_NEAR(TPeak(h[0], h[1], h[2], h[3], h[4], h[5], h[4]), nearby, 1e-5 * nearby);
}

TEST(TPeak, RefusesACurveWithoutAPositivePeak) {
    // ke0 of 0: the effect site never fills. A peak far earlier than the search's first
    // point (l1 = 1000, ke0 = 2000 peaks at 0.0007): the search ends on the empty tail.
    // Neither has a time or a volume at peak to report.
    const double cases[][7] = {{1, 0, 0, 1, 0, 0, 0}, {1, 0, 0, 1000, 0, 0, 2000}};
    for (const auto& c : cases) {
        EXPECT_THAT([&] { TPeak(c[0], c[1], c[2], c[3], c[4], c[5], c[6]); },
                    ThrowsMessage<InputError>("Peak not found!"));
        EXPECT_THAT([&] { VdPeak(c[0], c[1], c[2], c[3], c[4], c[5], c[6]); },
                    ThrowsMessage<InputError>("Peak not found!"));
    }
}

TEST(TPeak2ke0, RefusesBadInputInItsOrder) {
    // The peak time is tested first, also when the other arguments are bad.
    for (double t : {0.0, -1.0})
        EXPECT_THAT([&] { TPeak2ke0(-1, 0, 0, 0, 0, 0, t); },
                    ThrowsMessage<InputError>("Negative peack time!"));
    const double bad[][6] = {{1, 0, 0, 0, 0, 0},          {-1, 0, 0, 1, 0, 0},
                             {1, -0.1, 0, 1, 0.1, 0},     {1, 0.1, -0.1, 1, 0.1, 0.01},
                             {1, 0, 0, -1, 0, 0},         {1, 0.1, 0.1, 1, -0.1, 0.01},
                             {1, 0.1, 0.1, 1, 0.1, -0.01}};
    for (const auto& p : bad)
        EXPECT_THAT([&] { TPeak2ke0(p[0], p[1], p[2], p[3], p[4], p[5], 1.5); },
                    ThrowsMessage<InputError>("Check parameters!"));
}

TEST(TPeak2ke0, ReducesTheModelWhenTheSecondTermIsMissing) {
    // B = 0 drops the C term as well: the result is the one-compartment ke0.
    const double tp = TPeak(1, 0, 0, 1, 0, 0, 2);
    EXPECT_NEAR(TPeak2ke0(1, 0, 0.5, 1, 0, 0.01, tp), 2, 1e-6);
    EXPECT_NEAR(TPeak2ke0(1, 0.2, 0.5, 1, 0, 0.01, tp), 2, 1e-6);
    // l3 = 0 drops only the C term.
    const double tp2 = TPeak(1, 0.2, 0, 1, 0.1, 0, 2);
    EXPECT_NEAR(TPeak2ke0(1, 0.2, 0.5, 1, 0.1, 0, tp2), 2, 1e-6);
}

TEST(TPeak2ke0, AFailedSearchNeverReturnsAnotherCallsResult) {
    // A model whose mismatch curve dips to zero too narrowly for the downhill bracketing,
    // which then runs off to ever larger ke0: no ke0 is found. A successful call before it
    // must not leak its result into the failed one.
    EXPECT_NEAR(TPeak2ke0(1, 0, 0, 1, 0, 0, std::log(2.0)), 2, 1e-8);
    EXPECT_THAT(
        [] {
            TPeak2ke0(0.00972688, 0.165281, 0.174549, 0.00194921, 4.02702e-06, 7.03498e-07,
                      2.12344);
        },
        ThrowsMessage<InputError>("Ke0 not found!"));
}
