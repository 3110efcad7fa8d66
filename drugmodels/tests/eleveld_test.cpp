#include "drugmodels/models.h"
#include "row_checks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

using namespace drugmodels;
using namespace drugmodels::testing;

namespace {

// Postmenstrual age (years) of a 35-year-old born at term.
constexpr double REFERENCE_PMA = 35.76923076923077;

ParameterRow referenceFinal(bool venous, bool opiates) {
    return PropEleveldFinal(70, 170, REFERENCE_PMA, 35, true, venous, opiates, true);
}

} // namespace

// --- Eleveld 2018 ---------------------------------------------------------------------------

TEST(PropEleveldFinal, ReferenceIndividualHasThePublishedTypicalValues) {
    const ParameterRow p = referenceFinal(false, false);
    ASSERT_EQ(p.size(), ROW_WITH_KE0);
    EXPECT_NEAR(p[row::V1], 6.28, 0.005);
    EXPECT_NEAR(p[row::V2], 25.5, 0.05);
    EXPECT_NEAR(p[row::V3], 273, 0.5);
    EXPECT_NEAR(p[row::Cl1], 1.79, 0.005);
    EXPECT_NEAR(p[row::Cl2], 1.83, 0.005);
    EXPECT_NEAR(p[row::Cl3], 1.11, 0.005);
    EXPECT_NEAR(p[row::ke0], 0.14637, 0.00001);
    // Every factor but the maturation of Cl2 is exactly 1 for the reference, given the
    // stored reference constants.
    EXPECT_EQ(p[row::V1], std::exp(1.83786));
    EXPECT_EQ(p[row::V2], std::exp(3.23873));
    EXPECT_EQ(p[row::V3], std::exp(5.6088));
    EXPECT_EQ(p[row::Cl1], std::exp(0.581983));
    EXPECT_EQ(p[row::Cl3], std::exp(0.103046));
    EXPECT_EQ(p[row::ke0], std::exp(-1.92162));
    EXPECT_GT(p[row::Cl2], std::exp(0.559672) * 1.04);
}

TEST(PropEleveldFinal, VenousSamplingChangesOnlyV1Cl2AndKe0) {
    const ParameterRow arterial = referenceFinal(false, false);
    const ParameterRow venous = referenceFinal(true, false);
    EXPECT_EQ(differingPositions(arterial, venous),
              (std::vector<std::size_t>{row::V1, row::Cl2, row::ke0}));
    EXPECT_NEAR(venous[row::ke0], 1.2406, 0.0001);
    // The venous part of V1 grows as the weight term (1 - W/(K1 + W)) shrinks.
    EXPECT_NEAR(venous[row::V1] / arterial[row::V1],
                1 + std::exp(0.349885) * (1 - 70 / (std::exp(3.51313) + 70)), 1e-12);
    // Apart from that, the weight keeps ke0 on a -1/4 power.
    const ParameterRow heavy =
        PropEleveldFinal(140, 170, REFERENCE_PMA, 35, true, true, false, true);
    expectClose(heavy[row::ke0], venous[row::ke0] * std::pow(2.0, -0.25));
}

TEST(PropEleveldFinal, OpiatesChangeOnlyV3Cl1AndCl3) {
    const ParameterRow without = PropEleveldFinal(80, 180, 50.77, 50, false, false, false, true);
    const ParameterRow with = PropEleveldFinal(80, 180, 50.77, 50, false, false, true, true);
    EXPECT_EQ(differingPositions(without, with),
              (std::vector<std::size_t>{row::V3, row::Cl1, row::Cl3}));
    EXPECT_LT(with[row::V3], without[row::V3]);
    EXPECT_LT(with[row::Cl1], without[row::Cl1]);
    // At age 0 the opiate terms vanish.
    EXPECT_EQ(PropEleveldFinal(3.5, 50, 0.77, 0, true, false, false, true),
              PropEleveldFinal(3.5, 50, 0.77, 0, true, false, true, true));
}

TEST(PropEleveldFinal, IgnoresThePatientFlag) {
    EXPECT_EQ(PropEleveldFinal(62, 158, 41.2, 40.4, false, true, true, true),
              PropEleveldFinal(62, 158, 41.2, 40.4, false, true, true, false));
}

TEST(PropEleveldFinal, Cl1MaturesWithPostmenstrualAgeOnly) {
    const ParameterRow p = PropEleveldFinal(10, 80, 0, 2, true, false, false, true);
    EXPECT_EQ(p[row::Cl1], 0);
    EXPECT_GT(p[row::Cl2], 0);
    // A negative postmenstrual age takes a non-integer power of a negative base.
    EXPECT_TRUE(std::isnan(PropEleveldFinal(10, 80, -0.1, 2, true, false, false, true)[row::Cl1]));
    // The sexes differ in Cl1 by exp(0.742043 - 0.581983) and in V3 through the fat-free mass.
    const ParameterRow male = referenceFinal(false, false);
    const ParameterRow female =
        PropEleveldFinal(70, 170, REFERENCE_PMA, 35, false, false, false, true);
    expectClose(female[row::Cl1] / male[row::Cl1], std::exp(0.742043 - 0.581983));
    EXPECT_LT(female[row::V3], male[row::V3]);
    EXPECT_EQ(female[row::V1], male[row::V1]);
    EXPECT_EQ(female[row::V2], male[row::V2]);
}

// --- Eleveld 2014 ---------------------------------------------------------------------------

TEST(PropEleveld, ReferencePatientHasTheTypicalValues) {
    const ParameterRow p = PropEleveld(70, 35, true, true);
    ASSERT_EQ(p.size(), ROW_WITH_KE0);
    // Every covariate factor is exactly 1 for the reference patient.
    EXPECT_EQ(p, (ParameterRow{std::exp(2.27971), std::exp(3.36832), std::exp(4.90135),
                               std::exp(0.42661), std::exp(0.354021), std::exp(-0.497825), 0.456}));
}

TEST(PropEleveld, VolunteersDifferFromPatientsExceptInKe0) {
    const ParameterRow patient = PropEleveld(70, 35, true, true);
    const ParameterRow volunteer = PropEleveld(70, 35, true, false);
    for (std::size_t i = row::V1; i <= row::Cl3; ++i)
        EXPECT_NE(patient[i], volunteer[i]) << i;
    EXPECT_EQ(volunteer[row::ke0], 0.456);
    expectClose(volunteer[row::V1], std::exp(1.74781));
    // Volunteers' V2 is still normalised by the patients' typical V2.
    expectClose(volunteer[row::Cl2],
                std::pow(std::exp(2.47072) / std::exp(3.36832), 0.75) * std::exp(1.13003));
}

TEST(PropEleveld, SexChangesV1ByAFixedFactorAndCl1ThroughMaturation) {
    for (double age : {8.0, 35.0, 70.0}) {
        SCOPED_TRACE(age);
        const ParameterRow male = PropEleveld(60, age, true, true);
        const ParameterRow female = PropEleveld(60, age, false, true);
        expectClose(female[row::V1] / male[row::V1], 0.829709);
        for (std::size_t i : {row::V2, row::V3, row::Cl2, row::Cl3})
            EXPECT_EQ(female[i], male[i]) << i;
        EXPECT_NE(female[row::Cl1], male[row::Cl1]);
    }
    EXPECT_TRUE(std::isnan(PropEleveld(-5, 35, true, true)[row::V1]));
}

// --- ABP-700 ----------------------------------------------------------------------------------

TEST(ABP700V1Eleveld, ReferenceMaleHasTheTypicalValuesAtAnyAge) {
    const ParameterRow p = ABP700V1Eleveld(70, 35, 170, true);
    ASSERT_EQ(p.size(), ROW_WITH_KE0);
    EXPECT_EQ(p,
              (ParameterRow{std::exp(1.24634), std::exp(2.1352), std::exp(2.46824),
                            std::exp(0.766491), std::exp(0.673795), std::exp(-1.21524), 0.393504}));
    for (double age : {0.0, 18.0, 90.0})
        EXPECT_EQ(ABP700V1Eleveld(70, age, 170, true), p) << age;
}

TEST(ABP700V1Eleveld, ScalesEverythingByTheFatFreeMassRatio) {
    const ParameterRow ref = ABP700V1Eleveld(70, 35, 170, true);
    // A woman of the same size has less fat-free mass: 37.99 h2 W / (35.98 h2 + W).
    const ParameterRow female = ABP700V1Eleveld(70, 35, 170, false);
    const double r = 37.99 * 2.89 * 70 / (35.98 * 2.89 + 70) / 54.475445721344876;
    for (std::size_t i : {row::V1, row::V2, row::V3})
        expectClose(female[i] / ref[i], r);
    for (std::size_t i : {row::Cl1, row::Cl2, row::Cl3})
        expectClose(female[i] / ref[i], std::pow(r, 0.75));
    expectClose(female[row::ke0] / ref[row::ke0], std::pow(r, -0.25));
}

// --- Remifentanil, Eleveld 2017 ---------------------------------------------------------------

TEST(RemiEleveld, SizesByTheReferenceFatFreeMassWithoutItsAgeFactor) {
    // The reference male's own fat-free mass carries the age factor at 35 years
    // (0.9999994); the reference it is divided by does not.
    const ParameterRow p = RemiEleveld(70, 35, 170, true);
    const double ageFactor = 0.88 + 0.12 / (1 + std::pow(35 / 13.4, -12.7));
    EXPECT_NEAR(ageFactor, 1 - 6.1e-7, 0.05e-7);
    expectClose(p[row::V1], std::exp(1.759110) * ageFactor);
    expectClose(p[row::V2], std::exp(2.177170) * ageFactor);
    expectClose(p[row::V3], std::exp(1.614450) * ageFactor);
    expectClose(p[row::Cl1], std::exp(0.946257) * std::pow(ageFactor, 0.75));
}

TEST(RemiEleveld, WomenBetweenPubertyAndMenopauseHaveALargerV2Cl1AndCl2) {
    struct Case {
        double weight, age, height;
        double sexFactor; // 1 + PPUB (1 - ELDY) 0.4704050, with PPUB and ELDY from the ages
    };
    const auto sexFactor = [](double age) {
        const double a6 = std::pow(age, 6);
        return 1 + a6 / (a6 + std::pow(12, 6)) * (1 - a6 / (a6 + std::pow(45, 6))) * 0.4704050;
    };
    const Case cases[] = {
        {18, 5, 110, sexFactor(5)},   // before puberty: barely above 1
        {40, 12, 150, sexFactor(12)}, // half on
        {65, 25, 165, sexFactor(25)}, // the largest effect, about 1.45
        {70, 85, 160, sexFactor(85)}, // after menopause: back near 1
    };
    EXPECT_NEAR(cases[2].sexFactor, 1.45, 0.01);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.age);
        const ParameterRow male = RemiEleveld(c.weight, c.age, c.height, true);
        const ParameterRow female = RemiEleveld(c.weight, c.age, c.height, false);
        // The ratio of the fat-free masses scales the volumes, its 3/4 power the clearances.
        const double size = female[row::V1] / male[row::V1];
        expectClose(female[row::V3] / male[row::V3], size);
        expectClose(female[row::Cl3] / male[row::Cl3], std::pow(size, 0.75));
        expectClose(female[row::V2] / male[row::V2], size * c.sexFactor);
        expectClose(female[row::Cl1] / male[row::Cl1], std::pow(size, 0.75) * c.sexFactor);
        // Cl2 takes the factor once directly and once through V2 to the power 3/4.
        expectClose(female[row::Cl2] / male[row::Cl2],
                    std::pow(size * c.sexFactor, 0.75) * c.sexFactor);
        EXPECT_EQ(female[row::ke0], male[row::ke0]);
    }
}

TEST(RemiEleveld, ReturnsWhatTheFormulasGiveAtTheEdgesOfAge) {
    // At birth the age factors of the fat-free mass reach their limits 0.88 and 1.11.
    for (bool male : {true, false}) {
        const ParameterRow newborn = RemiEleveld(3.5, 0, 50, male);
        for (double value : newborn)
            EXPECT_TRUE(std::isfinite(value)) << male;
    }
    // A negative age takes a fractional power of a negative base; ke0 needs none.
    const ParameterRow negative = RemiEleveld(3.5, -0.1, 50, true);
    for (std::size_t i = row::V1; i <= row::Cl3; ++i)
        EXPECT_TRUE(std::isnan(negative[i])) << i;
    expectClose(negative[row::ke0], 1.09 * std::exp(-0.0289 * (-0.1 - 35)));
}

// --- Remimazolam, Eleveld 2025 ----------------------------------------------------------------

TEST(RemimazEleveld, EachCovariateMovesOnlyItsOwnParameters) {
    struct Case {
        const char* flag;
        ParameterRow without, with;
        std::vector<std::size_t> changed;
        double v3Factor, cl1Factor; // with / without
    };
    const Case cases[] = {
        {"female",
         RemimazEleveld(64, 52, true, false, false),
         RemimazEleveld(64, 52, false, false, false),
         {row::V3, row::Cl1, row::Cl3},
         std::exp(0.287037),
         std::exp(0.162802)},
        {"opiates",
         RemimazEleveld(64, 52, false, false, true),
         RemimazEleveld(64, 52, false, true, true),
         {row::Cl1},
         1,
         std::exp(-0.139340)},
        {"hepatic",
         RemimazEleveld(64, 52, true, true, false),
         RemimazEleveld(64, 52, true, true, true),
         {row::V3, row::Cl3},
         std::exp(0.823788),
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flag);
        EXPECT_EQ(differingPositions(c.without, c.with), c.changed);
        expectClose(c.with[row::V3] / c.without[row::V3], c.v3Factor);
        expectClose(c.with[row::Cl1] / c.without[row::Cl1], c.cl1Factor);
        // Q3 follows V3 to the power 3/4.
        expectClose(c.with[row::Cl3] / c.without[row::Cl3], std::pow(c.v3Factor, 0.75));
        EXPECT_EQ(c.with[row::ke0], 0.298269);
    }
}
