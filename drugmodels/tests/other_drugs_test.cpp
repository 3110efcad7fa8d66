#include "drugmodels/models.h"
#include "row_checks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace drugmodels;
using namespace drugmodels::testing;
using ::testing::ElementsAre;

// --- Dexmedetomidine ------------------------------------------------------------------------

TEST(DexmedHannivoort, ScalesVolumesWithWeightAndClearancesWithItsThreeQuarterPower) {
    for (double weight : {51.0, 70.0, 110.0}) {
        SCOPED_TRACE(weight);
        const ParameterRow p = DexmedHannivoort(weight);
        ASSERT_EQ(p.size(), ROW_WITHOUT_KE0);
        const double r = weight / 70;
        const double typical[] = {1.78, 30.3, 52.0, 0.686, 2.98, 0.602};
        for (std::size_t i = row::V1; i <= row::V3; ++i)
            expectClose(p[i], typical[i] * r);
        // Q2 and Q3 go through their volumes, so they match r^0.75 up to rounding only.
        for (std::size_t i = row::Cl1; i <= row::Cl3; ++i)
            expectClose(p[i], typical[i] * std::pow(r, 0.75), 1e-14);
    }
}

TEST(DexmedDyck, OnlyTheEliminationClearanceDependsOnHeight) {
    const ParameterRow tall = DexmedDyck(190);
    EXPECT_THAT(tall, ElementsAre(7.99, 13.8, 187, tall[row::Cl1], 2.26, 1.99));
    EXPECT_EQ(tall[row::Cl1], 0.00791 * 190 - 0.927);
    EXPECT_EQ(differingPositions(tall, DexmedDyck(150)), (std::vector<std::size_t>{row::Cl1}));
    // Below 117.2 cm the clearance is negative, and returned so.
    EXPECT_GT(DexmedDyck(117.2)[row::Cl1], 0);
    EXPECT_LT(DexmedDyck(117.1)[row::Cl1], 0);
}

// --- Rocuronium -----------------------------------------------------------------------------

TEST(RocuKleijn, EachFlagScalesOnlyItsOwnParameter) {
    struct Case {
        const char* flag;
        ParameterRow without, with;
        std::size_t changed;
        double factor; // with / without
    };
    const Case cases[] = {
        {"asian", RocuKleijn(62, 51, 95, false, true), RocuKleijn(62, 51, 95, true, true), row::Cl2,
         1 - 0.212},
        {"sevoflurane", RocuKleijn(62, 51, 95, true, false), RocuKleijn(62, 51, 95, true, true),
         row::ke0, 1 - 0.567},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flag);
        EXPECT_EQ(differingPositions(c.without, c.with), std::vector<std::size_t>{c.changed});
        expectClose(c.with[c.changed] / c.without[c.changed], c.factor);
    }
}

TEST(RocuKleijn, RenalFunctionMovesV1AndAgeMovesCl1AndV2) {
    const ParameterRow reference = RocuKleijn(70, 43, 119, false, false);
    const ParameterRow renal = RocuKleijn(70, 43, 19, false, false);
    EXPECT_EQ(differingPositions(reference, renal), (std::vector<std::size_t>{row::V1}));
    expectClose(renal[row::V1], 4.73 * std::exp(0.143));
    const ParameterRow older = RocuKleijn(70, 83, 119, false, false);
    EXPECT_EQ(differingPositions(reference, older), (std::vector<std::size_t>{row::V2, row::Cl1}));
    expectClose(older[row::Cl1], 0.269 * (1 - 0.00678 * 40));
    // Cl1 turns negative above 190.5 years, and is returned so.
    EXPECT_LT(RocuKleijn(70, 190.6, 119, false, false)[row::Cl1], 0);
}

TEST(RocuKleijn, ANegativeWeightGivesNotANumberWhereAPowerIsTaken) {
    const ParameterRow p = RocuKleijn(-10, 43, 119, false, false);
    EXPECT_LT(p[row::V1], 0);
    EXPECT_LT(p[row::V2], 0);
    for (std::size_t i : {row::Cl1, row::Cl2, row::ke0})
        EXPECT_TRUE(std::isnan(p[i])) << i;
}
