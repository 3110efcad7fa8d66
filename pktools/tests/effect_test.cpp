#include "pktools/effect.h"
#include "pktools/errors.h"
#include "pktools/simulation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

using namespace pktools;

TEST(ZeroRateConstant, HasItsBitPattern) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(ZERO_RATE_CONSTANT), 0x000C396C98F8D898u);
}

TEST(PredEff, FollowsTheSigmoidCurve) {
    const auto e = PredEff({0, 2, 1e12}, 10, 90, 2, 3);
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0], 10);               // no drug: the baseline
    EXPECT_EQ(e[1], 50);               // at IC50: half-way
    EXPECT_NEAR(e[2], 90, 1e-20 * 90); // saturated: eMax

    // eMax below eZero: an inhibitory, falling curve.
    const auto down = PredEff({0, 1, 4}, 100, 0, 1, 2);
    EXPECT_EQ(down[0], 100);
    EXPECT_EQ(down[1], 50);
    EXPECT_NEAR(down[2], 100 / 17.0, 1e-13);
}

TEST(PredEff, HandlesDegenerateSteepnessAndPotency) {
    // gam = 0: half-way for every concentration, 0 included (pow(0, 0) = 1).
    for (double v : PredEff({0, 1, 100}, 0, 10, 3, 0))
        EXPECT_EQ(v, 5);
    // c = 0 and IC50 = 0: the zero-denominator branch gives 0, not eZero.
    EXPECT_EQ(PredEff({0}, 7, 10, 0, 2)[0], 0);
    // IC50 = 0 and c > 0: eMax.
    EXPECT_EQ(PredEff({0.5}, 7, 10, 0, 2)[0], 10);
    EXPECT_TRUE(PredEff({}, 0, 1, 1, 1).empty());
}

// ---- The effect models beside PredEff

namespace {

using Column = std::vector<double>;
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double INF = std::numeric_limits<double>::infinity();
constexpr double ELEVELD_E0 = 92.98240;

// Values to about 13 significant digits of the exact (40-digit) evaluation of the models'
// equations.
void expectClose(double actual, double expected) {
    EXPECT_NEAR(actual, expected, 1e-13 * std::fabs(expected)) << "expected " << expected;
}

void expectAllUnknown(const Column& values, std::size_t rows) {
    ASSERT_EQ(values.size(), rows);
    for (double v : values)
        EXPECT_TRUE(std::isnan(v)) << v;
}

} // namespace

TEST(FractionOfMaximalEffect, IsHalfAtC50AndReachesBothLimitsWithoutOverflow) {
    EXPECT_EQ(fractionOfMaximalEffect(2.5, 2.5, 3.7), 0.5);
    EXPECT_EQ(fractionOfMaximalEffect(0, 2.5, 3.7), 0);
    // r^gam and c^gam would overflow here; the fraction does not.
    EXPECT_EQ(fractionOfMaximalEffect(1e300, 1, 5), 1);
    EXPECT_EQ(fractionOfMaximalEffect(1e300, 1e-300, 0.5), 1);
    EXPECT_EQ(fractionOfMaximalEffect(1e-300, 1e300, 0.5), 0);
    // Both branches agree with the textbook form away from the extremes.
    for (double c : {0.3, 0.999, 1.001, 7.0})
        EXPECT_NEAR(fractionOfMaximalEffect(c, 1.3, 2.2),
                    std::pow(c, 2.2) / (std::pow(c, 2.2) + std::pow(1.3, 2.2)), 1e-15);
}

TEST(Eleveld, Ce50FallsWithAgeFromItsValueAt35) {
    expectClose(Ce50Eleveld(35), 3.079446890954557);
    expectClose(Ce50Eleveld(5), 3.725500107996118);
    expectClose(Ce50Eleveld(80), 2.314221509524197);
    // Covariates are not clamped: an age outside any population still has its value.
    EXPECT_GT(Ce50Eleveld(-10), Ce50Eleveld(0));
    EXPECT_TRUE(std::isnan(Ce50Eleveld(NaN)));
    // So far out that the exponential is 0 or infinite: no answer, not a Ce50 of 0.
    EXPECT_TRUE(std::isnan(Ce50Eleveld(1e6)));
    EXPECT_TRUE(std::isnan(Ce50Eleveld(-1e6)));
    expectAllUnknown(BisEleveld({0, 1}, 1e6), 2);
}

TEST(Eleveld, BisUsesTheSteeperGammaBelowCe50) {
    // With the two gammas swapped BIS at 6 ug/mL, age 35, would be 20.4947.
    expectClose(BisEleveld({6}, 35)[0], 25.32034059226880);
    const Column bis = BisEleveld({0, 2, Ce50Eleveld(35), 1e300}, 35);
    EXPECT_EQ(bis[0], ELEVELD_E0);
    expectClose(bis[1], 64.50071129830007);
    EXPECT_EQ(bis[2], ELEVELD_E0 / 2); // both branches meet at Ce50
    EXPECT_EQ(bis[3], 0);
    expectClose(BisEleveld({4}, 70)[0], 30.58848152272311);
    expectClose(BisEleveld({1}, 10)[0], 85.46405809199788);
}

TEST(Eleveld, BisHasNoAnswerForANegativeOrNonFiniteInput) {
    const Column bis = BisEleveld({1, -1e-12, NaN, INF, 3}, 35);
    EXPECT_FALSE(std::isnan(bis[0]));
    for (std::size_t i : {1u, 2u, 3u})
        EXPECT_TRUE(std::isnan(bis[i]));
    EXPECT_FALSE(std::isnan(bis[4]));
    expectAllUnknown(BisEleveld({0, 1}, NaN), 2);
    expectAllUnknown(BisEleveld({0, 1}, -INF), 2);
    EXPECT_TRUE(BisEleveld({}, 35).empty());
}

TEST(Eleveld, TheInverseChoosesItsBranchByTheFractionOfTheFall) {
    expectClose(CeForBisEleveld({50}, 35)[0], 2.843108288340275);
    expectClose(CeForBisEleveld({40}, 35)[0], 3.726582426078686);
    expectClose(CeForBisEleveld({60}, 80)[0], 1.687297359018524);
    expectClose(CeForBisEleveld({70}, 5)[0], 2.069116668907038);
    EXPECT_EQ(CeForBisEleveld({ELEVELD_E0 / 2}, 35)[0], Ce50Eleveld(35));

    const Column ce = CeForBisEleveld({ELEVELD_E0, 100, 1e300, 0, -5, NaN, INF, -INF}, 35);
    EXPECT_EQ(ce[0], 0); // at or above the baseline: no drug
    EXPECT_EQ(ce[1], 0);
    EXPECT_EQ(ce[2], 0);
    for (std::size_t i = 3; i < ce.size(); ++i)
        EXPECT_TRUE(std::isnan(ce[i])) << "row " << i;
    expectAllUnknown(CeForBisEleveld({50}, INF), 1);
}

TEST(Eleveld, TheInverseGivesBackTheBisOverTheClinicalRange) {
    for (double age = 1; age <= 90; age += 1) {
        Column targets;
        for (double b = 5; b <= 90; b += 0.5)
            targets.push_back(b);
        const Column bis = BisEleveld(CeForBisEleveld(targets, age), age);
        for (std::size_t i = 0; i < targets.size(); ++i)
            ASSERT_NEAR(bis[i], targets[i], 1e-12 * targets[i])
                << "BIS " << targets[i] << ", age " << age;
    }
}

// The example set of the hierarchical model used on the reference page (laryngoscopy).
constexpr double C50P = 6.68, GAMMA_P = 6.9, C50R = 1.01, GAMMA_R = 0.72, PRE = 0.83;

TEST(PNoRespHier, FollowsTheHierarchicalModel) {
    expectClose(PNoRespHier({4}, {2}, C50P, GAMMA_P, C50R, GAMMA_R, PRE)[0], 0.9934549928478745);
    expectClose(PNoRespHier({5}, {3}, 8.04, 5.1, 1.07, 0.97, 1.05)[0], 0.9791865161602134);
}

TEST(PNoRespHier, ReachesItsLimits) {
    // Without opioid: the propofol-only curve, with C50 scaled by the stimulus intensity.
    const Column cp = {0, 1, 3, 5.5, 8, 20};
    const Column alone = PNoRespHier(cp, Column(cp.size(), 0), C50P, GAMMA_P, C50R, GAMMA_R, PRE);
    const Column curve = PredEff(cp, 0, 1, C50P * PRE, GAMMA_P);
    for (std::size_t i = 0; i < cp.size(); ++i)
        EXPECT_NEAR(alone[i], curve[i], 1e-15) << "Cp " << cp[i];
    EXPECT_EQ(alone[0], 0);
    // An opioid concentration that removes the whole stimulus: 1 for any propofol, 0 without.
    const Column huge = PNoRespHier({1e-300, 1e-6, 2, 1e300, 0}, Column(5, 1e300), C50P, GAMMA_P,
                                    C50R, GAMMA_R, PRE);
    EXPECT_EQ(huge, (Column{1, 1, 1, 1, 0}));
    // Opioid alone gives no probability of no response.
    EXPECT_EQ(PNoRespHier({0}, {5}, C50P, GAMMA_P, C50R, GAMMA_R, PRE)[0], 0);
    EXPECT_EQ(PNoRespHier({1e300}, {0}, C50P, GAMMA_P, C50R, GAMMA_R, PRE)[0], 1);
}

TEST(PNoRespHier, HasNoAnswerForInputsOutsideTheModel) {
    const Column p =
        PNoRespHier({2, -1, 2, NaN, 2}, {1, 1, -1, 1, INF}, C50P, GAMMA_P, C50R, GAMMA_R, PRE);
    EXPECT_FALSE(std::isnan(p[0]));
    for (std::size_t i = 1; i < p.size(); ++i)
        EXPECT_TRUE(std::isnan(p[i])) << "row " << i;
    const Column cp = {0, 2}, cr = {0, 1};
    expectAllUnknown(PNoRespHier(cp, cr, 0, GAMMA_P, C50R, GAMMA_R, PRE), 2);
    expectAllUnknown(PNoRespHier(cp, cr, C50P, GAMMA_P, -1, GAMMA_R, PRE), 2);
    expectAllUnknown(PNoRespHier(cp, cr, C50P, 0, C50R, GAMMA_R, PRE), 2);
    expectAllUnknown(PNoRespHier(cp, cr, C50P, GAMMA_P, C50R, GAMMA_R, 0), 2);
    expectAllUnknown(PNoRespHier(cp, cr, C50P, GAMMA_P, C50R, NaN, PRE), 2);
    expectAllUnknown(PNoRespHier(cp, cr, INF, GAMMA_P, C50R, GAMMA_R, PRE), 2);
}

TEST(TwoDrugFunctions, RefuseColumnsOfDifferentLength) {
    const auto lengths = testing::ThrowsMessage<InputError>("Columns of different length!");
    EXPECT_THAT([] { PNoRespHier({1, 2}, {1}, 1, 1, 1, 1, 1); }, lengths);
    EXPECT_THAT([] { EffMinto({1}, {}, 1, 1, 1, 0, 100, 100); }, lengths);
    EXPECT_THAT([] { EffGreco({1}, {1, 2, 3}, 1, 1, 1, 0); }, lengths);
    // Checked before the parameters.
    EXPECT_THAT([] { EffGreco({1}, {1, 2}, NaN, 1, 1, 0); }, lengths);
    EXPECT_TRUE(EffMinto({}, {}, 1, 1, 1, 0, 100, 100).empty());
}

// The example set of the surfaces used on the reference pages (propofol ug/mL,
// remifentanil ng/mL, BIS).
constexpr double C50A = 4.47, C50B = 19.3, GAMMA = 1.43, E_ZERO = 97.4, E_MAX = 97.4;

TEST(EffMinto, IsTheAdditiveSurfaceWithoutInteraction) {
    expectClose(EffMinto({3}, {10}, C50A, C50B, GAMMA, 0, E_ZERO, E_MAX)[0], 42.69477850477432);
    expectClose(EffMinto({2}, {5}, C50A, C50B, GAMMA, 1.5, E_ZERO, E_MAX)[0], 45.88965627598755);
    // beta = 0: the additive surface, that is the Greco surface with alpha = 0.
    const Column a = {0, 0, 1, 2.5, 4, 10, 1e300}, b = {0, 7, 0, 12, 30, 1, 0};
    const Column minto = EffMinto(a, b, C50A, C50B, GAMMA, 0, E_ZERO, E_MAX);
    const Column greco = EffGreco(a, b, C50A, C50B, GAMMA, 0);
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_EQ(minto[i], E_ZERO - E_MAX * greco[i]) << "row " << i;
    EXPECT_EQ(minto[0], E_ZERO);
    EXPECT_EQ(minto.back(), 0);
    // One drug alone: its own sigmoid, whatever beta.
    const Column one = EffMinto({2.5}, {0}, C50A, C50B, GAMMA, 2, 80, 60);
    EXPECT_NEAR(one[0], PredEff({2.5}, 80, 20, C50A, GAMMA)[0], 1e-13);
}

TEST(EffMinto, HasNoAnswerWhereTheSurfaceHasNone) {
    // beta = 5 makes U50 negative at theta = 0.5 (equipotent amounts) only.
    const Column e = EffMinto({C50A, C50A, 0, -1, NaN}, {C50B, 0, C50B, 1, 1}, C50A, C50B, GAMMA, 5,
                              E_ZERO, E_MAX);
    EXPECT_TRUE(std::isnan(e[0]));
    EXPECT_FALSE(std::isnan(e[1]));
    EXPECT_FALSE(std::isnan(e[2]));
    EXPECT_TRUE(std::isnan(e[3]));
    EXPECT_TRUE(std::isnan(e[4]));
    expectAllUnknown(EffMinto({1}, {1}, 0, C50B, GAMMA, 0, E_ZERO, E_MAX), 1);
    // Potencies beyond the largest double: the limit where the share keeps U50 positive.
    const Column huge =
        EffMinto({1e300, 1e300, 0}, {0, 1e300, 1e300}, 1e-300, 1e-300, GAMMA, 5, E_ZERO, E_MAX);
    EXPECT_EQ(huge[0], E_ZERO - E_MAX);
    EXPECT_TRUE(std::isnan(huge[1])); // equal shares, U50 = 1 - 5/4
    EXPECT_EQ(huge[2], E_ZERO - E_MAX);
    EXPECT_EQ(EffMinto({1e300}, {1e290}, 1e-300, 1e-300, GAMMA, 5, E_ZERO, E_MAX)[0],
              E_ZERO - E_MAX);
    expectAllUnknown(EffMinto({1}, {1}, C50A, C50B, -1, 0, E_ZERO, E_MAX), 1);
    expectAllUnknown(EffMinto({1}, {1}, C50A, C50B, GAMMA, INF, E_ZERO, E_MAX), 1);
    expectAllUnknown(EffMinto({1}, {1}, C50A, C50B, GAMMA, 0, E_ZERO, NaN), 1);
}

TEST(EffGreco, AddsTheInteractionTermToTheSumOfPotencies) {
    expectClose(EffGreco({2}, {5}, C50A, C50B, GAMMA, 2)[0], 0.4772566030039468);
    const Column f = EffGreco({0, C50A, 0, C50A, 1, -1, 1}, {0, 0, C50B, C50B, 1, 1, NaN}, C50A,
                              C50B, GAMMA, -10);
    EXPECT_EQ(f[0], 0);
    EXPECT_EQ(f[1], 0.5);
    EXPECT_EQ(f[2], 0.5);
    EXPECT_TRUE(std::isnan(f[3])); // antagonism beyond the sum (1 + 1 - 10): no answer
    EXPECT_FALSE(std::isnan(f[4]));
    EXPECT_TRUE(std::isnan(f[5]));
    EXPECT_TRUE(std::isnan(f[6]));
    EXPECT_EQ(EffGreco({1e300}, {1e300}, C50A, C50B, GAMMA, 3)[0], 1);
    // Potencies beyond the largest double: the whole effect unless the interaction turns the
    // index below 0.
    const Column huge =
        EffGreco({1e300, 1e300, 1e300, 0}, {1e300, 0, 1, 1e300}, 1e-300, 1, GAMMA, -0.5);
    EXPECT_TRUE(std::isnan(huge[0]));
    EXPECT_EQ(huge[1], 1);
    EXPECT_EQ(huge[2], 1); // 1 - 0.5 > 0
    EXPECT_EQ(huge[3], 1);
    EXPECT_TRUE(std::isnan(EffGreco({1e300}, {3}, 1e-300, 1, GAMMA, -0.5)[0])); // 1 - 1.5 < 0
    EXPECT_EQ(EffGreco({1e300}, {1e300}, 1e-300, 1e-300, GAMMA, 0)[0], 1);
    expectAllUnknown(EffGreco({1}, {1}, C50A, -C50B, GAMMA, 0), 1);
    expectAllUnknown(EffGreco({1}, {1}, C50A, C50B, 0, 0), 1);
    expectAllUnknown(EffGreco({1}, {1}, C50A, C50B, GAMMA, NaN), 1);
}
