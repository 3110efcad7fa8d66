#include "pktools/bodysize.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace pktools;

namespace {
double oneDecimal(double x) {
    return std::round(x * 10) / 10;
}
} // namespace

TEST(BodySize, MatchesTheWorkedValues) {
    EXPECT_EQ(oneDecimal(BMI(70, 170)), 24.2);

    EXPECT_EQ(oneDecimal(JLBM(70, 170, true)), 55.3);
    EXPECT_EQ(oneDecimal(JanLBM(70, 170, true)), 54.5);
    EXPECT_EQ(JJLBM(70, 170, true), JLBM(70, 170, true));

    EXPECT_EQ(oneDecimal(JLBM(70, 170, false)), 49.8);
    EXPECT_EQ(oneDecimal(JanLBM(70, 170, false)), 44.2);
    EXPECT_EQ(oneDecimal(JJLBM(70, 170, false)), 49.9);

    EXPECT_EQ(oneDecimal(JLBM(120, 170, true)), 68.2);
    EXPECT_EQ(oneDecimal(JanLBM(120, 170, true)), 71.1);
    EXPECT_EQ(oneDecimal(JJLBM(120, 170, true)), 72.2);

    EXPECT_EQ(JJLBM(60, 165, false), JLBM(60, 165, false));
    EXPECT_EQ(oneDecimal(JJLBM(60, 165, false)), 44.6);
}

TEST(BodySize, AdjustedJamesIsContinuousAtTheThreshold) {
    for (bool male : {true, false}) {
        const double threshold = male ? 28.0759 : 22.7688;
        const double height = 172;
        const double w = threshold * (height / 100) * (height / 100);
        const double below = w * (1 - 1e-12);
        EXPECT_LT(BMI(below, height), threshold);
        EXPECT_NEAR(JJLBM(w, height, male), JJLBM(below, height, male), 1e-9);
        EXPECT_NEAR(JJLBM(w, height, male), JLBM(w, height, male), 1e-9);
        EXPECT_NE(JJLBM(w + 20, height, male), JLBM(w + 20, height, male));
    }
}

TEST(BodySize, NotANumberBmiTakesTheShiftedBranch) {
    const double nan = std::nan("");
    EXPECT_TRUE(std::isnan(JJLBM(nan, 170, true)));
    EXPECT_TRUE(std::isnan(JJLBM(70, nan, false)));
}
