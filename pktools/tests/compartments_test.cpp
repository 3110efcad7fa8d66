#include "pktools/compartments.h"
#include "pktools/errors.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace pktools;
using ::testing::ElementsAre;
using ::testing::ThrowsMessage;

namespace {

// Schnider propofol for the typical patient (age 53, 77 kg, 177 cm, LBM 59).
const std::vector<double> SCHNIDER = {4.27, 18.9, 238, 1.89, 1.29, 0.836};

void expectRelativelyNear(const std::vector<double>& actual, const std::vector<double>& expected,
                          double relative) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], std::fabs(expected[i]) * relative) << "index " << i;
}

// The plasma concentration after a unit bolus, integrated numerically from the
// compartment equations (RK4, small step), for an independent check of the closed form.
double integratedUnitBolus(const std::vector<double>& vc, double t) {
    const double k10 = vc[3] / vc[0], k12 = vc[4] / vc[0], k21 = vc[4] / vc[1];
    const double k13 = vc[5] / vc[0], k31 = vc[5] / vc[2];
    auto derivative = [&](const std::array<double, 3>& x) {
        return std::array<double, 3>{-(k10 + k12 + k13) * x[0] + k21 * x[1] + k31 * x[2],
                                     k12 * x[0] - k21 * x[1], k13 * x[0] - k31 * x[2]};
    };
    std::array<double, 3> x = {1.0, 0.0, 0.0}; // amounts
    const int steps = 20000;
    const double h = t / steps;
    for (int i = 0; i < steps; ++i) {
        auto add = [](std::array<double, 3> a, const std::array<double, 3>& b, double s) {
            for (int j = 0; j < 3; ++j)
                a[j] += s * b[j];
            return a;
        };
        const auto d1 = derivative(x);
        const auto d2 = derivative(add(x, d1, h / 2));
        const auto d3 = derivative(add(x, d2, h / 2));
        const auto d4 = derivative(add(x, d3, h));
        for (int j = 0; j < 3; ++j)
            x[j] += h / 6 * (d1[j] + 2 * d2[j] + 2 * d3[j] + d4[j]);
    }
    return x[0] / vc[0];
}

} // namespace

TEST(Cl2Hyb, ThreeCompartmentsMatchTheIntegratedModel) {
    const auto h = Cl2Hyb(SCHNIDER);
    ASSERT_EQ(h.size(), 6u);
    EXPECT_NEAR(h[0] + h[1] + h[2], 1 / 4.27, 1e-15);
    EXPECT_GT(h[3], h[4]);
    EXPECT_GT(h[4], h[5]);
    EXPECT_GT(h[5], 0);
    for (double t : {0.5, 5.0, 60.0}) {
        const double closed =
            h[0] * std::exp(-h[3] * t) + h[1] * std::exp(-h[4] * t) + h[2] * std::exp(-h[5] * t);
        EXPECT_NEAR(closed, integratedUnitBolus(SCHNIDER, t), 1e-12) << "t = " << t;
    }
}

TEST(Cl2Hyb, RoundTripsThroughHyb2ClForThreeTwoAndOneCompartments) {
    expectRelativelyNear(Hyb2Cl(Cl2Hyb(SCHNIDER)), SCHNIDER, 1e-12);
    const std::vector<double> two = {10, 20, 0, 1.5, 2.5, 0};
    expectRelativelyNear(Hyb2Cl(Cl2Hyb(two)), two, 1e-12);
    const std::vector<double> one = {10, 0, 0, 1.5, 0, 0};
    expectRelativelyNear(Hyb2Cl(Cl2Hyb(one)), one, 1e-14);
}

TEST(Cl2Hyb, TwoAndOneCompartmentsUseTheirClosedForms) {
    const auto two = Cl2Hyb({10, 20, 0, 1.5, 2.5, 0});
    EXPECT_EQ(two[2], 0);
    EXPECT_EQ(two[5], 0);
    EXPECT_NEAR(two[0] + two[1], 0.1, 1e-16);
    // l1 l2 = k10 k21 and l1 + l2 = k10 + k12 + k21.
    EXPECT_NEAR(two[3] * two[4], 0.15 * 0.125, 1e-15);
    EXPECT_NEAR(two[3] + two[4], 0.15 + 0.25 + 0.125, 1e-15);

    EXPECT_THAT(Cl2Hyb({4, 0, 0, 2, 0, 0}), ElementsAre(0.25, 0, 0, 0.5, 0, 0));
}

TEST(Cl2Hyb, ZeroLinkingRemovesWholePairs) {
    // A zero clearance removes its volume: a two-compartment result.
    EXPECT_EQ(Cl2Hyb({10, 20, 300, 1.5, 2.5, 0}), Cl2Hyb({10, 20, 0, 1.5, 2.5, 0}));
    // A zero volume removes its clearance.
    EXPECT_EQ(Cl2Hyb({10, 20, 0, 1.5, 2.5, 7}), Cl2Hyb({10, 20, 0, 1.5, 2.5, 0}));
    // V2 = 0 beside a third compartment fits no case: six zeros.
    EXPECT_THAT(Cl2Hyb({10, 0, 300, 1.5, 2.5, 0.8}), ElementsAre(0, 0, 0, 0, 0, 0));
    // ... and with Cl3 = 0 as well it is a one-compartment input.
    EXPECT_THAT(Cl2Hyb({10, 0, 300, 1.5, 2.5, 0}), ElementsAre(0.1, 0, 0, 0.15, 0, 0));
    // Non-positive V1 beside peripheral volumes, and negative volumes: six zeros.
    EXPECT_THAT(Cl2Hyb({-1, 20, 300, 1.5, 2.5, 0.8}), ElementsAre(0, 0, 0, 0, 0, 0));
    EXPECT_THAT(Cl2Hyb({10, -20, 300, 1.5, 2.5, 0.8}), ElementsAre(0, 0, 0, 0, 0, 0));
}

TEST(Hyb2Cl, MissingTermsGiveSmallerModels) {
    // B = C = 0: one compartment, (1/A, 0, 0, l1/A, 0, 0).
    expectRelativelyNear(Hyb2Cl({0.25, 0, 0, 0.5, 0, 0}), {4, 0, 0, 2, 0, 0}, 1e-14);
    // B = 0 but C > 0: still one compartment, with C counted in V1.
    const auto r = Hyb2Cl({0.2, 0, 0.05, 0.5, 0, 0.01});
    EXPECT_NEAR(r[0], 4, 1e-14);
    EXPECT_EQ(r[1], 0);
    EXPECT_EQ(r[2], 0);
    EXPECT_EQ(r[4], 0);
    EXPECT_EQ(r[5], 0);
    // C = 0 with l3 = 0: a two-compartment set.
    const auto two = Cl2Hyb({10, 20, 0, 1.5, 2.5, 0});
    expectRelativelyNear(Hyb2Cl(two), {10, 20, 0, 1.5, 2.5, 0}, 1e-12);
}

TEST(CompartmentConversions, RefuseAnythingButSixParameters) {
    for (std::size_t n : {0u, 5u, 7u}) {
        const std::vector<double> param(n, 1.0);
        EXPECT_THAT([&] { Cl2Hyb(param); },
                    ThrowsMessage<InputError>("We need exactly 6 parameters!"));
        EXPECT_THAT([&] { Hyb2Cl(param); },
                    ThrowsMessage<InputError>("We need exactly 6 parameters!"));
    }
}

TEST(CubicExponents, ReturnsTheRootsInDescendingOrder) {
    // Several sets whose trigonometric roots come out in different orders.
    for (const std::vector<double>& vc : {SCHNIDER, std::vector<double>{1, 1, 1, 1, 1, 1},
                                          std::vector<double>{15, 3, 800, 0.1, 9, 0.01},
                                          std::vector<double>{0.1, 400, 2, 10, 0.5, 3}}) {
        const MicroConstants k = microConstants(vc);
        const auto l = cubicExponents(k);
        EXPECT_GE(l[0], l[1]);
        EXPECT_GE(l[1], l[2]);
        // Vieta: the sum and product of the roots.
        const double sum = k.k10 + k.k12 + k.k13 + k.k21 + k.k31;
        EXPECT_NEAR(l[0] + l[1] + l[2], sum, 1e-12 * sum);
        const double product = k.k10 * k.k21 * k.k31;
        EXPECT_NEAR(l[0] * l[1] * l[2], product, 1e-8 * product);
    }
}
