#include "drugmodels/bodysize.h"
#include "drugmodels/models.h"
#include "row_checks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace drugmodels;
using namespace drugmodels::testing;
using ::testing::ElementsAre;

// --- Remifentanil and alfentanil ---------------------------------------------------------

TEST(RemiMinto, ReferencePatientGetsTheTypicalValuesExactly) {
    EXPECT_THAT(RemiMinto(40, 55), ElementsAre(5.1, 9.82, 5.42, 2.6, 2.05, 0.076, 0.595));
    // Lean body mass is taken as given and moves only V1, V2 and Cl1.
    const ParameterRow lean = RemiMinto(40, 45);
    EXPECT_NEAR(lean[row::V1], 5.1 - 10 * 0.072, 1e-12);
    EXPECT_THAT(
        lean, ElementsAre(lean[row::V1], lean[row::V2], 5.42, lean[row::Cl1], 2.05, 0.076, 0.595));
}

TEST(AlfentMaitre, AgesOnlyBeyondForty) {
    const ParameterRow at40 = AlfentMaitre(40, 70, true);
    ASSERT_EQ(at40.size(), ROW_WITHOUT_KE0);
    EXPECT_EQ(at40[row::Cl1], 0.356);
    expectMicroConstants(at40, {0.356 / (70 * 0.111), 0.104, 0.0673, 0.017, 0.0126});
    EXPECT_EQ(AlfentMaitre(20, 70, true), at40);

    // Ageing starts right after 40, not at whole years.
    EXPECT_NEAR(AlfentMaitre(40.5, 70, true)[row::Cl1], 0.356 - 0.5 * 0.00269, 1e-15);

    const ParameterRow at50 = AlfentMaitre(50, 70, true);
    EXPECT_NEAR(at50[row::Cl1], 0.3291, 1e-15);
    expectClose(at50[row::Cl3] / at50[row::V3], 0.0126 - 10 * 0.000113); // k31
    EXPECT_EQ(at50[row::V1], at40[row::V1]);
    EXPECT_EQ(at50[row::V2], at40[row::V2]);
}

TEST(AlfentMaitre, DerivesV2InThePublishedOrder) {
    // (V1 * 0.104) / 0.0673; multiplying by the quotient would give ...994.
    EXPECT_EQ(AlfentMaitre(30, 70, true)[row::V2], 12.007132243684993);
}

TEST(AlfentMaitre, WomenHaveALargerCentralVolumeButTheSameClearance) {
    const ParameterRow male = AlfentMaitre(60, 64, true);
    const ParameterRow female = AlfentMaitre(60, 64, false);
    for (std::size_t i : {row::V1, row::V2, row::V3, row::Cl2, row::Cl3})
        expectClose(female[i] / male[i], 1.15);
    EXPECT_EQ(female[row::Cl1], male[row::Cl1]);
}

TEST(FixedRows, AreTheSameOnEveryCall) {
    EXPECT_THAT(AlfentScott(), ElementsAre(2.19, 5.91588785046729, 13.176470588235293, 0.195, 1.266,
                                           0.224, 0.770164));
    // The stored volumes are Cl2 / 0.214 and Cl3 / 0.017.
    expectMicroConstants(AlfentScott(), {0.195 / 2.19, 1.266 / 2.19, 0.214, 0.224 / 2.19, 0.017});
    EXPECT_THAT(SufentGepts(), ElementsAre(14.3, 63.1, 261.6, 0.92, 1.55, 0.33));
}

TEST(RemiKim, SexChangesOnlyV2ThroughTheJanmahasatianFatFreeMass) {
    const ParameterRow male = RemiKim(95, 44, 172, true);
    const ParameterRow female = RemiKim(95, 44, 172, false);
    EXPECT_EQ(differingPositions(male, female), (std::vector<std::size_t>{row::V2}));
    for (bool sex : {true, false})
        expectClose(RemiKim(95, 44, 172, sex)[row::V2],
                    8.4 * std::pow(janmahasatianFatFreeMass(95, 172, sex) / 52.3, 0.573) -
                        0.0936 * 7);
}

TEST(RemiKim, AgeLowersV2V3Cl1AndCl2LinearlyFrom37) {
    const ParameterRow at37 = RemiKim(110, 37, 168, false);
    const ParameterRow at57 = RemiKim(110, 57, 168, false);
    // V2 too has the age term (A - 37), not a constant.
    const double slopes[] = {0, 0.0936, 0.0477, 0.0149, 0.0280, 0};
    for (std::size_t i = row::V1; i <= row::Cl3; ++i)
        EXPECT_NEAR(at37[i] - at57[i], 20 * slopes[i], 1e-12) << i;
    // Far beyond the studied ages Cl2 (above 106.3 years) and V3 (above 120.9) turn negative.
    EXPECT_GT(RemiKim(110, 106.2, 168, false)[row::Cl2], 0);
    EXPECT_LT(RemiKim(110, 106.4, 168, false)[row::Cl2], 0);
    EXPECT_GT(RemiKim(110, 120.8, 168, false)[row::V3], 0);
    EXPECT_LT(RemiKim(110, 121, 168, false)[row::V3], 0);
}

TEST(FentShafer, IsAFixedRowFromItsMicroConstants) {
    const ParameterRow p = FentShafer();
    ASSERT_EQ(p.size(), ROW_WITHOUT_KE0);
    EXPECT_EQ(p[row::V1], 6.09);
    expectMicroConstants(p, {0.0827, 0.471, 0.102, 0.225, 0.006});
    EXPECT_EQ(FentShafer(), p);
}

// --- Weight-scaled models -------------------------------------------------------------------

TEST(FentScott, At70KgGivesTheTabulatedValues) {
    const ParameterRow p = FentScott(70);
    const double expected[] = {12.7, 49.34479167, 296.8831169, 0.7112, 4.7371, 2.286, 0.147};
    ASSERT_EQ(p.size(), ROW_WITH_KE0);
    for (std::size_t i = 0; i < ROW_WITH_KE0; ++i)
        EXPECT_DOUBLE_EQ(p[i], expected[i]) << i;
}

TEST(WeightScaledModels, DoubleEveryVolumeAndClearanceButNotKe0) {
    using Model = ParameterRow (*)(double);
    struct Case {
        const char* name;
        Model model;
        double ke0;
    };
    const Case cases[] = {{"FentScott", FentScott, 0.147},
                          {"SufentHudson", SufentHudson, 0.112},
                          {"KetaDomino", KetaDomino, 10},
                          {"MidaGreenblatt", MidaGreenblatt, 0.17325},
                          {"LidocainSchnider", LidocainSchnider, 0.456}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ParameterRow p = c.model(35);
        const ParameterRow doubled = c.model(70);
        ASSERT_EQ(p.size(), ROW_WITH_KE0);
        for (std::size_t i = row::V1; i <= row::Cl3; ++i)
            EXPECT_EQ(doubled[i], 2 * p[i]) << i;
        EXPECT_EQ(p[row::ke0], c.ke0);
        EXPECT_EQ(doubled[row::ke0], c.ke0);
    }
}

TEST(WeightScaledModels, GiveTheTabulatedValuesPerKilogram) {
    EXPECT_THAT(SufentHudson(1), ElementsAre(0.254, 0.616, 7.85, 0.015, 0.062, 0.017, 0.112));
    EXPECT_THAT(KetaDomino(1),
                ElementsAre(0.063, 0.150995951, 2.545890411, 0.027594, 0.037296, 0.03717, 10));
    EXPECT_THAT(MidaGreenblatt(1),
                ElementsAre(0.73, 1.593278008, 0, 0.011023, 0.038398, 0, 0.17325));
    EXPECT_THAT(LidocainSchnider(1), ElementsAre(0.101, 0.452, 0, 0.0215, 0.0589, 0, 0.456));
}

TEST(TwoCompartmentModels, LeaveTheThirdCompartmentEmpty) {
    for (const ParameterRow& p :
         {MidaGreenblatt(70), LidocainSchnider(70), RocuKleijn(70, 43, 119, true, true)}) {
        ASSERT_EQ(p.size(), ROW_WITH_KE0);
        EXPECT_EQ(p[row::V3], 0);
        EXPECT_EQ(p[row::Cl3], 0);
        EXPECT_GT(p[row::V2], 0);
    }
}
