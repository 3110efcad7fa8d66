#include "pktools/errors.h"
#include "pktools/variability.h"
#include "refusal_message.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace pktools;
using pktools::test_support::messageOf;

TEST(LogNormalVariance, ConvertsExactlyBothWays) {
    // CV 66 %: ln(1 + 0.66^2) = 0.3616..., not the shortcut 0.4356.
    EXPECT_NEAR(Omega2FromCV(0.66), std::log1p(0.66 * 0.66), 1e-15);
    EXPECT_NEAR(CVFromOmega2(0.610), std::sqrt(std::expm1(0.610)), 1e-15);
    EXPECT_EQ(Omega2FromCV(0), 0);
    EXPECT_EQ(CVFromOmega2(0), 0);
    for (double cv : {0.01, 0.1, 0.26, 0.5, 1.0, 3.0})
        EXPECT_NEAR(CVFromOmega2(Omega2FromCV(cv)), cv, 1e-11 * cv) << cv;
    const std::string variance = "Variance must be 0 or above!";
    const std::string cv = "CV must be 0 or above!";
    for (double bad : {-1e-300, -1.0, double(NAN)}) {
        EXPECT_EQ(messageOf([&] { CVFromOmega2(bad); }), variance) << bad;
        EXPECT_EQ(messageOf([&] { Omega2FromCV(bad); }), cv) << bad;
    }
}
