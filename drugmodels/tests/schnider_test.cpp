#include "drugmodels/bodysize.h"
#include "drugmodels/models.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace drugmodels;
using ::testing::ElementsAre;

TEST(PropSchnider, ReturnsTheTypicalValuesForTheReferencePatient) {
    EXPECT_THAT(PropSchnider(53, 77, 177, 59),
                ElementsAre(4.27, 18.9, 238, 1.89, 1.29, 0.836, 0.456));
}

TEST(PropSchnider, ReturnsWhatTheFormulasGive) {
    // A negative volume is returned as computed.
    EXPECT_EQ(PropSchnider(103, 77, 177, 59)[row::V2], 18.9 - 50 * 0.391); // -0.65
    // LBM is taken as given: doubling it lowers Cl1 by 0.0681 LBM.
    const double cl1 = PropSchnider(40, 90, 180, 62)[row::Cl1];
    EXPECT_NEAR(PropSchnider(40, 90, 180, 124)[row::Cl1], cl1 - 0.0681 * 62, 1e-12);
}

TEST(BodySizeFormulas, MatchTheWorkedValues) {
    EXPECT_DOUBLE_EQ(jamesLeanBodyMass(70, 160, false), 46.571875);
    EXPECT_EQ(fatFreeMass(70, 170, true), 54.475445721344876);
    // Janmahasatian: 9270 W / (6680 + 216 BMI) and 9270 W / (8780 + 244 BMI).
    EXPECT_EQ(janmahasatianFatFreeMass(70, 170, true), 54.47523906905406);
    EXPECT_EQ(janmahasatianFatFreeMass(70, 170, false), 44.17280269089984);
}
