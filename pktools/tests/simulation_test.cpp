#include "pktools/compartments.h"
#include "pktools/simulation.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace pktools;

namespace {

// Schnider propofol, typical patient, as hybrid constants, and its ke0.
Hybrid schniderHybrid() {
    const auto v = Cl2Hyb({4.27, 18.9, 238, 1.89, 1.29, 0.836});
    return {v[0], v[1], v[2], v[3], v[4], v[5]};
}
constexpr double KE0 = 0.456;

// Plasma and effect-site concentrations for a constant rate from empty compartments,
// integrated numerically (RK4) from the hybrid form: dxk/dt = rate coefficient - lk xk,
// dCe/dt = ke0 (Cp - Ce).
std::pair<double, double> integrated(const Hybrid& h, double rate, double bolus, double t) {
    double x[3] = {bolus * h.A, bolus * h.B, bolus * h.C}, ce = 0;
    const double coefficient[3] = {h.A, h.B, h.C}, l[3] = {h.l1, h.l2, h.l3};
    const int steps = 200000;
    const double dt = t / steps;
    auto deriv = [&](const double* xs, double c, double* dx, double& dc) {
        double cp = 0;
        for (int k = 0; k < 3; ++k) {
            dx[k] = rate * coefficient[k] - l[k] * xs[k];
            cp += xs[k];
        }
        dc = KE0 * (cp - c);
    };
    for (int i = 0; i < steps; ++i) {
        double k1[3], k2[3], k3[3], k4[3], c1, c2, c3, c4, tmp[3];
        deriv(x, ce, k1, c1);
        for (int k = 0; k < 3; ++k)
            tmp[k] = x[k] + dt / 2 * k1[k];
        deriv(tmp, ce + dt / 2 * c1, k2, c2);
        for (int k = 0; k < 3; ++k)
            tmp[k] = x[k] + dt / 2 * k2[k];
        deriv(tmp, ce + dt / 2 * c2, k3, c3);
        for (int k = 0; k < 3; ++k)
            tmp[k] = x[k] + dt * k3[k];
        deriv(tmp, ce + dt * c3, k4, c4);
        for (int k = 0; k < 3; ++k)
            x[k] += dt / 6 * (k1[k] + 2 * k2[k] + 2 * k3[k] + k4[k]);
        ce += dt / 6 * (c1 + 2 * c2 + 2 * c3 + c4);
    }
    return {x[0] + x[1] + x[2], ce};
}

} // namespace

TEST(SimulationSteps, MatchAnIndependentIntegrationOfTheModel) {
    const Hybrid h = schniderHybrid();
    const UnitFactors u = unitFactors(h);
    const EffectCoefficients E = effectCoefficients(h, KE0);
    for (auto [rate, bolus] : {std::pair{10.0, 0.0}, std::pair{0.0, 100.0}, std::pair{5.0, 50.0}}) {
        // The bolus is given first (as a step of length 0), then the infusion runs.
        PlasmaState p;
        EffectState e;
        plasmaStep(p, u, 0.0, 0.0, bolus, h);
        effectStep(e, E, 0.0, 0.0, bolus, h, KE0);
        plasmaStep(p, u, 3.5, rate, 0.0, h);
        effectStep(e, E, 3.5, rate, 0.0, h, KE0);
        const auto [cp, ce] = integrated(h, rate, bolus, 3.5);
        EXPECT_NEAR((p.y + p.x) + p.z, cp, 1e-10 * cp) << rate << " " << bolus;
        EXPECT_NEAR(((e.s2 + e.s1) + e.s3) + e.s4, ce, 1e-9 * ce) << rate << " " << bolus;
    }
}

TEST(SimulationSteps, PrecomputedDecayGivesIdenticalResults) {
    const Hybrid h = schniderHybrid();
    const UnitFactors u = unitFactors(h);
    const EffectCoefficients E = effectCoefficients(h, KE0);
    PlasmaState p1, p2;
    EffectState e1, e2;
    const PlasmaDecay pd = plasmaDecay(1.0 / 6, h);
    const EffectDecay ed = effectDecay(1.0 / 6, h, KE0);
    for (int i = 0; i < 50; ++i) {
        const double rate = 3 + i % 7;
        plasmaStep(p1, u, 1.0 / 6, rate, i % 5 == 0 ? 1.0 : 0.0, h);
        plasmaStep(p2, u, pd, rate, i % 5 == 0 ? 1.0 : 0.0, h);
        effectStep(e1, E, 1.0 / 6, rate, 0.0, h, KE0);
        effectStep(e2, E, ed, rate, 0.0, h, KE0);
    }
    EXPECT_EQ(p1.x, p2.x);
    EXPECT_EQ(p1.z, p2.z);
    EXPECT_EQ(e1.s1, e2.s1);
    EXPECT_EQ(e1.s4, e2.s4);
}

TEST(SimulationSteps, ZeroExponentsDropTheirTerms) {
    Hybrid h{0.1, 0.02, 0.001, 0.5, 0, 0};
    dropZeroExponents(h);
    EXPECT_EQ(h.B, 0);
    EXPECT_EQ(h.C, 0);
    EXPECT_EQ(h.l2, ZERO_RATE_CONSTANT);
    const UnitFactors u = unitFactors(h);
    EXPECT_EQ(u.b, 0);
    EXPECT_EQ(u.c, 0);
    PlasmaState p;
    plasmaStep(p, u, 10.0, 2.0, 0.0, h);
    EXPECT_EQ(p.y, 0);
    EXPECT_DOUBLE_EQ(p.x, 2 * 0.1 / 0.5 * (1 - std::exp(-5.0)));

    const EffectCoefficients E = effectCoefficients(h, 0.3);
    EXPECT_EQ(E.E2, 0);
    EXPECT_EQ(E.E1 + E.E4, 0);
}
