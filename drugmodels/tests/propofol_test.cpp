#include "drugmodels/bodysize.h"
#include "drugmodels/models.h"
#include "row_checks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

using namespace drugmodels;
using namespace drugmodels::testing;
using ::testing::Each;
using ::testing::ElementsAre;

namespace {

// The adult micro constants of Diprifusor and Paedfusor, with k10 given.
MicroConstants adultMicroConstants(double k10) {
    return {k10, 0.114, 0.055, 0.0419, 0.0033};
}

} // namespace

// --- Schnider with the height substitution --------------------------------------------

TEST(PropSchniderTrick, SubstitutesTheHeightOfAnObeseMale) {
    // BMI 51.9 > 42: the height becomes 100 sqrt(150/42) = 188.98 cm and the James LBM
    // 84.36 kg; both enter Cl1.
    const ParameterRow p = PropSchniderTrick(53, 150, 170, true);
    EXPECT_NEAR(p[row::Cl1], 3.8081, 1e-4);
    const double heff = 100 * std::sqrt(150.0 / 42);
    EXPECT_NEAR(heff, 188.98, 1e-2);
    expectClose(p[row::Cl1], PropSchnider(53, 150, heff, 84.36)[row::Cl1]);
    EXPECT_THAT(p, ElementsAre(4.27, 18.9, 238, p[row::Cl1], 1.29, 0.836, 0.456));
}

TEST(PropSchniderTrick, OnceSubstitutedTheLeanBodyMassIsAFixedFractionOfWeight) {
    // f - k T / 10000: 0.5624 for men, 0.5372 for women.
    for (double weight : {110.0, 160.0, 230.0}) {
        expectClose(
            PropSchniderTrick(30, weight, 150, true)[row::Cl1],
            PropSchnider(30, weight, 100 * std::sqrt(weight / 42), 0.5624 * weight)[row::Cl1]);
        expectClose(
            PropSchniderTrick(30, weight, 150, false)[row::Cl1],
            PropSchnider(30, weight, 100 * std::sqrt(weight / 36), 0.5372 * weight)[row::Cl1]);
    }
}

TEST(PropSchniderTrick, KeepsTheHeightUpToAndIncludingTheThreshold) {
    // 144 kg at 200 cm is a BMI of exactly 36: a woman keeps her height.
    EXPECT_EQ(PropSchniderTrick(45, 144, 200, false),
              PropSchnider(45, 144, 200, jamesLeanBodyMass(144, 200, false)));
    // 158.0712 kg at 194 cm is a BMI of exactly 42, where the substituted height would
    // round to 194.00000000000003 cm: a man keeps his own.
    EXPECT_EQ(PropSchniderTrick(45, 158.0712, 194, true),
              PropSchnider(45, 158.0712, 194, jamesLeanBodyMass(158.0712, 194, true)));
    // BMI 40: a man keeps his height, a woman has hers substituted.
    EXPECT_EQ(PropSchniderTrick(45, 160, 200, true),
              PropSchnider(45, 160, 200, jamesLeanBodyMass(160, 200, true)));
    const double heffFemale = 100 * std::sqrt(160.0 / 36);
    EXPECT_EQ(PropSchniderTrick(45, 160, 200, false),
              PropSchnider(45, 160, heffFemale, jamesLeanBodyMass(160, heffFemale, false)));
}

TEST(PropSchniderTrick, AZeroHeightTakesTheSubstitution) {
    const ParameterRow p = PropSchniderTrick(53, 80, 0, true);
    EXPECT_TRUE(std::isfinite(p[row::Cl1]));
    expectClose(p[row::Cl1],
                PropSchnider(53, 80, 100 * std::sqrt(80.0 / 42), 0.5624 * 80)[row::Cl1]);
}

// --- Micro-constant models ----------------------------------------------------------------

TEST(PropMarsh, ScalesWithWeightAndHasNoKe0) {
    const ParameterRow p = PropMarsh(70);
    ASSERT_EQ(p.size(), ROW_WITHOUT_KE0);
    EXPECT_DOUBLE_EQ(p[row::V1], 15.96);
    expectMicroConstants(p, {0.119, 0.112, 0.055, 0.0419, 0.0033});
}

TEST(MicroConstantPropofolModels, UseTheStoredQuotientsOfTheRateConstants) {
    // At 60 kg, (V1 k12) / k21 rounds differently from V1 times the stored quotient.
    const ParameterRow marsh = PropMarsh(60);
    EXPECT_EQ(marsh[row::V2], marsh[row::V1] * 2.0363636363636366);
    EXPECT_EQ(marsh[row::V3], marsh[row::V1] * 12.696969696969697);
    const ParameterRow dipri = Diprifusor(40, 60);
    EXPECT_EQ(dipri[row::V2], dipri[row::V1] * 2.0727272727272728);
    EXPECT_EQ(dipri[row::V3], dipri[row::V1] * 12.696969696969697);
    const ParameterRow white = PropWhite(40, 60, true);
    EXPECT_EQ(white[row::V3], white[row::V1] * 12.727272727272728);
}

TEST(PropWhite, CentralVolumeAndClearanceDependOnSexAndAge) {
    const ParameterRow male = PropWhite(40, 70, true);
    const ParameterRow female = PropWhite(40, 70, false);
    ASSERT_EQ(male.size(), ROW_WITHOUT_KE0);
    expectClose(male[row::V1], 12.4138);   // (40 * 0.046 + 175.5) * 70 / 1000
    expectClose(male[row::Cl1], 1.8004);   // (26.88 - 40 * 0.029) * 70 / 1000
    expectClose(female[row::V1], 11.5528); // (191.8 - 40 * 0.669) * 70 / 1000
    expectClose(female[row::Cl1], 2.0965); // (37.87 - 40 * 0.198) * 70 / 1000
    for (const ParameterRow& p : {male, female})
        expectMicroConstants(p, {p[row::Cl1] / p[row::V1], 0.114, 0.055, 0.042, 0.0033});
}

TEST(PropWhite, ScalesWithTotalWeightNotLeanBodyMass) {
    const ParameterRow p = PropWhite(60, 50, false);
    const ParameterRow doubled = PropWhite(60, 100, false);
    for (std::size_t i = 0; i < ROW_WITHOUT_KE0; ++i)
        EXPECT_EQ(doubled[i], 2 * p[i]) << i;
}

TEST(PropKataria, IsLinearInMassAndAge) {
    const ParameterRow p = PropKataria(20, 3);
    ASSERT_EQ(p.size(), ROW_WITHOUT_KE0);
    EXPECT_NEAR(p[row::V2], 9.4, 1e-12); // 15.6 + 9.3 - 15.5
    EXPECT_NEAR(PropKataria(20, 4)[row::V2] - p[row::V2], 3.1, 1e-12);
    // Everything but V2 is proportional to mass alone.
    const ParameterRow doubled = PropKataria(40, 7);
    for (std::size_t i : {row::V1, row::V3, row::Cl1, row::Cl2, row::Cl3})
        EXPECT_EQ(doubled[i], 2 * p[i]) << i;
}

// --- Diprifusor and Paedfusor -----------------------------------------------------------

TEST(Diprifusor, GivesNothingButKe0BelowSixteenYears) {
    EXPECT_THAT(Diprifusor(15.9, 70), ElementsAre(0, 0, 0, 0, 0, 0, 0.26));
    const ParameterRow adult = Diprifusor(16, 70);
    EXPECT_DOUBLE_EQ(adult[row::V1], 15.96);
    expectMicroConstants(adult, adultMicroConstants(0.119));
    EXPECT_EQ(adult[row::ke0], 0.26);
    // Above the gate the age changes nothing.
    EXPECT_EQ(Diprifusor(85, 70), adult);
}

TEST(PropPaedfusor, TakesTheCentralVolumeAndK10FromTheAgeTables) {
    constexpr double WEIGHT = 20;
    struct Case {
        double age, v1PerKg, k10;
    };
    const Case cases[] = {
        {16.5, 0.228, 0.119},
        {16, 0.22857, 0.119},
        {15, 0.284, 0.0954},
        {14, 0.342, 0.0792},
        {13, 0.4, 0.0678},
        {12, 0.4584, 0.0621627241656853}, // 0.1527 * 20^-0.3
        {1, 0.4584, 0.0621627241656853},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.age);
        const ParameterRow p = PropPaedfusor(c.age, WEIGHT);
        ASSERT_EQ(p.size(), ROW_WITHOUT_KE0);
        EXPECT_DOUBLE_EQ(p[row::V1], WEIGHT * c.v1PerKg);
        expectMicroConstants(p, adultMicroConstants(c.k10));
    }
}

TEST(PropPaedfusor, GivesZerosForAgesOffTheTables) {
    // Ages 13 to 16 are matched exactly; between the whole years there is no entry.
    for (double age : {0.5, 0.99, 12.5, 13.5, 15.9, -3.0})
        EXPECT_THAT(PropPaedfusor(age, 20), Each(0.0)) << age;
}
