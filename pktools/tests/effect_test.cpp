#include "pktools/effect.h"
#include "pktools/simulation.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

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
