#include "pktools/errors.h"
#include "pktools/random.h"
#include "refusal_message.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

using namespace pktools;
using pktools::test_support::messageOf;

namespace {

// The stateful form of SplitMix64: the state advances by the increment before each output.
struct SplitMixGenerator {
    std::uint64_t state;
    std::uint64_t next() {
        std::uint64_t z = (state += SPLITMIX_INCREMENT);
        z = (z ^ (z >> 30)) * SPLITMIX_MULTIPLIER_1;
        z = (z ^ (z >> 27)) * SPLITMIX_MULTIPLIER_2;
        return z ^ (z >> 31);
    }
};

// The standard normal distribution function, from the C library's erfc.
double normalCdf(double z) {
    return 0.5 * std::erfc(-z / std::sqrt(2.0));
}

} // namespace

TEST(SplitMix64, GivesThePublishedOutputsComputedDirectly) {
    const std::uint64_t published[] = {6457827717110365317u, 3203168211198807973u,
                                       9817491932198370423u, 4593380528125082431u,
                                       16408922859458223821u};
    for (std::uint64_t n = 0; n < 5; ++n)
        EXPECT_EQ(splitMix64(1234567, n), published[n]) << n;
    EXPECT_EQ(splitMix64(0, 0), 0xE220A8397B1DCDAFu);
    // Any output directly, as the generator reaches it step by step.
    SplitMixGenerator generator{987654321};
    for (std::uint64_t n = 0; n < 1000; ++n)
        ASSERT_EQ(splitMix64(987654321, n), generator.next()) << n;
}

TEST(CentredUniform, LiesStrictlyInsideZeroAndOneInSteps) {
    EXPECT_EQ(centredUniform(0), 0.5 / 4503599627370496.0);
    EXPECT_EQ(centredUniform(~std::uint64_t{0}), 1 - 0.5 / 4503599627370496.0);
    EXPECT_EQ(centredUniform(std::uint64_t{1} << 63), 0.5 + 0.5 / 4503599627370496.0);
    // The 12 low bits do not count.
    EXPECT_EQ(centredUniform(0xFFF), centredUniform(0));
}

TEST(NormalQuantile, InvertsTheNormalDistributionInTheCentreAndBothTails) {
    EXPECT_NEAR(normalQuantile(0.975), 1.959963984540054, 1e-15);
    EXPECT_NEAR(normalQuantile(0.025), -1.959963984540054, 1e-15);
    EXPECT_EQ(normalQuantile(0.5), 0);
    // Against an independent distribution function, on both sides of both region borders
    // (|u - 0.5| = 0.425 and r = 5) and far into the tails.
    for (double u :
         {1e-300, 1e-20, 1.3e-11, 1.4e-11, 0.01, 0.0749, 0.0751, 0.3, 0.7, 0.9249, 0.9251, 0.999}) {
        const double z = normalQuantile(u);
        const double tail = u < 0.5 ? normalCdf(z) : normalCdf(-z);
        EXPECT_NEAR(tail / (u < 0.5 ? u : 1 - u), 1, 1e-12) << u;
    }
    // Mirrored uniforms (exactly u and 1 - u) give mirrored draws.
    for (std::uint64_t bits : {std::uint64_t{0}, std::uint64_t{1} << 40, std::uint64_t{1} << 60,
                               std::uint64_t{0x7F3A} << 48, std::uint64_t{0x5A} << 56})
        EXPECT_EQ(normalQuantile(centredUniform(~bits)), -normalQuantile(centredUniform(bits)))
            << bits;
    EXPECT_TRUE(std::isnan(normalQuantile(0)));
    EXPECT_TRUE(std::isnan(normalQuantile(1)));
    // The extreme uniforms give finite draws of about 8.3 standard deviations.
    EXPECT_NEAR(normalQuantile(centredUniform(0)), -8.3, 0.1);
    EXPECT_NEAR(normalQuantile(centredUniform(~std::uint64_t{0})), 8.3, 0.1);
}

TEST(NormalDraw, HasTheMomentsOfAStandardNormal) {
    constexpr int n = 200000;
    double sum = 0, squares = 0;
    int below = 0;
    for (int i = 0; i < n; ++i) {
        const double z = normalDraw(2024, static_cast<std::uint64_t>(i));
        sum += z;
        squares += z * z;
        below += z < -1.959963984540054;
    }
    EXPECT_NEAR(sum / n, 0, 4 / std::sqrt(n));
    EXPECT_NEAR(squares / n, 1, 4 * std::sqrt(2.0 / n));
    EXPECT_NEAR(static_cast<double>(below) / n, 0.025, 4 * std::sqrt(0.025 * 0.975 / n));
}

TEST(RandNorm, TakesWholeSeedsAndIndicesUpTo2To53) {
    EXPECT_EQ(RandNorm(1234567, 3), normalDraw(1234567, 3));
    EXPECT_EQ(RandNorm(9007199254740992.0, 9007199254740992.0),
              normalDraw(std::uint64_t{1} << 53, std::uint64_t{1} << 53));
    const std::string seed = "Seed must be a whole number from 0 to 2^53!";
    const std::string n = "n must be a whole number from 0 to 2^53!";
    for (double bad : {-1.0, 0.5, 9007199254740994.0, double(NAN), double(INFINITY)}) {
        EXPECT_EQ(messageOf([&] { RandNorm(bad, 0); }), seed) << bad;
        EXPECT_EQ(messageOf([&] { RandNorm(0, bad); }), n) << bad;
    }
}
