#include "pktools/compartments.h"
#include "pktools/errors.h"
#include "pktools/prediction.h"
#include "refusal_message.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace pktools;
using pktools::test_support::messageOf;
using Column = std::vector<double>;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double INF = std::numeric_limits<double>::infinity();

// Schnider propofol, typical patient: volumes and clearances, hybrid constants, ke0.
const Column SCHNIDER_VOLCL = {4.27, 18.9, 238, 1.89, 1.29, 0.836};
constexpr double KE0 = 0.456;
struct Model {
    double A, B, C, l1, l2, l3;
};
Model schnider() {
    const Column v = Cl2Hyb(SCHNIDER_VOLCL);
    return {v[0], v[1], v[2], v[3], v[4], v[5]};
}

Column predCp(const Column& dt, const Column& rate, const Column& bolus, const Model& m) {
    return PredCp(dt, rate, bolus, m.A, m.B, m.C, m.l1, m.l2, m.l3);
}
Column predCe(const Column& dt, const Column& rate, const Column& bolus, const Model& m,
              double ke0) {
    return PredCe(dt, rate, bolus, m.A, m.B, m.C, m.l1, m.l2, m.l3, ke0);
}

} // namespace

TEST(PredictionMessages, EachRoutineChecksInItsOwnOrder) {
    const Column one = {0}, two = {0, 1};
    const std::string params = "Negative or missing PK parameter!";
    const std::string lengths = "Columns of different length!";
    // PredCp: parameters before lengths.
    EXPECT_EQ(messageOf([&] { PredCp(two, one, one, 0, 0, 0, 1, 0, 0); }), params);
    EXPECT_EQ(messageOf([&] { PredCp(two, one, one, 1, 0, 0, 1, 0, 0); }), lengths);
    EXPECT_EQ(messageOf([&] { PredCp(one, one, two, 1, 0, 0, 1, 0, 0); }), lengths);
    // PredCe: lengths before parameters.
    EXPECT_EQ(messageOf([&] { PredCe(two, one, one, 0, 0, 0, 1, 0, 0, 0); }), lengths);
    EXPECT_EQ(messageOf([&] { PredCe(one, one, one, 1, 0, 0, 1, 0, 0, 0); }), params);
    // PredCpVCl: parameters, then the conversion, then lengths.
    EXPECT_EQ(messageOf([&] { PredCpVCl(two, one, one, 0, 0, 0, 1, 0, 0); }), params);
    EXPECT_EQ(messageOf([&] { PredCpVCl(two, one, one, 1, 0, 0, 1, 0, 0); }), lengths);

    // Each refused value, and the values accepted beside it.
    const double good[6] = {0.2, 0.01, 0.001, 1, 0.1, 0.01};
    for (int k = 0; k < 6; ++k)
        for (double bad : {-1.0, NaN, INF, -INF, k == 0 || k == 3 ? 0.0 : -1e-300}) {
            double p[6] = {good[0], good[1], good[2], good[3], good[4], good[5]};
            p[k] = bad;
            EXPECT_EQ(messageOf([&] { PredCp(one, one, one, p[0], p[1], p[2], p[3], p[4], p[5]); }),
                      params)
                << k << " " << bad;
            EXPECT_EQ(
                messageOf([&] { PredCe(one, one, one, p[0], p[1], p[2], p[3], p[4], p[5], 0.4); }),
                params)
                << k << " " << bad;
            EXPECT_EQ(
                messageOf([&] { PredCpVCl(one, one, one, p[0], p[1], p[2], p[3], p[4], p[5]); }),
                params)
                << k << " " << bad;
        }
    for (double ke0 : {0.0, -1.0, NaN, INF})
        EXPECT_EQ(messageOf([&] { PredCe(one, one, one, 1, 0, 0, 1, 0, 0, ke0); }), params);
    EXPECT_EQ(messageOf([&] { PredCp(one, one, one, 1, 0, 0, 1, 0, 0); }), "");
    EXPECT_EQ(messageOf([&] { PredCe(one, one, one, 1, 0, 0, 1, 0, 0, 1); }), "");
    EXPECT_EQ(messageOf([&] { PredCpVCl(one, one, one, 1, 0, 0, 1, 0, 0); }), "");
}

TEST(Prediction, ClosedFormsOfBolusesAndInfusions) {
    const Model m = schnider();
    // One row: the bolus itself, and an empty effect site.
    EXPECT_DOUBLE_EQ(predCp({7}, {9}, {100}, m)[0], 100 / 4.27);
    EXPECT_EQ(predCe({7}, {9}, {100}, m, KE0)[0], 0);

    // A bolus at time 0 decays as the disposition function; row 0's interval and rate are
    // not read.
    const Column dt = {123, 1, 2.5, 10, 60}, none = {-5, 0, 0, 0, 0}, bolus = {100, 0, 0, 0, 0};
    const Column cp = predCp(dt, none, bolus, m);
    double t = 0;
    for (std::size_t i = 1; i < dt.size(); ++i) {
        t += dt[i];
        const double expected = 100 * (m.A * std::exp(-m.l1 * t) + m.B * std::exp(-m.l2 * t) +
                                       m.C * std::exp(-m.l3 * t));
        EXPECT_NEAR(cp[i], expected, 1e-13 * expected) << i;
    }

    // After a bolus the effect site rises to a peak and falls.
    Column fine(200, 0.1), zeros(200, 0.0), b(200, 0.0);
    b[0] = 100;
    const Column ce = predCe(fine, zeros, b, m, KE0);
    std::size_t peak = 0;
    for (std::size_t i = 1; i < ce.size(); ++i)
        if (ce[i] > ce[peak])
            peak = i;
    EXPECT_GT(peak, 5u);
    EXPECT_LT(peak, 199u);
    for (std::size_t i = 1; i < ce.size(); ++i)
        EXPECT_EQ(ce[i] > ce[i - 1], i <= peak) << i;

    // A bolus in row i raises row i's plasma value by the bolus over V1, not yet the effect
    // site.
    const Column rate = {0, 3, 3, 3}, later = {0, 0, 50, 0}, noBolus = {0, 0, 0, 0};
    const Column step = {0, 1, 1, 1};
    EXPECT_NEAR(predCp(step, rate, later, m)[2] - predCp(step, rate, noBolus, m)[2], 50 / 4.27,
                1e-12);
    EXPECT_NEAR(predCe(step, rate, later, m, KE0)[2], predCe(step, rate, noBolus, m, KE0)[2],
                1e-12);
    EXPECT_GT(predCe(step, rate, later, m, KE0)[3], predCe(step, rate, noBolus, m, KE0)[3] + 0.1);
}

TEST(Prediction, ConstantInfusionApproachesTheSteadyState) {
    const Model m = schnider();
    const double steady = 5 * (m.A / m.l1 + m.B / m.l2 + m.C / m.l3);
    const Column dt = {0, 10000, 10000}, rate = {0, 5, 5}, bolus = {0, 0, 0};
    EXPECT_NEAR(predCp(dt, rate, bolus, m)[2], steady, 1e-9 * steady);
    EXPECT_NEAR(predCe(dt, rate, bolus, m, KE0)[2], steady, 1e-9 * steady);
}

TEST(Prediction, AbsentTermsDropOut) {
    const Column dt = {0, 1, 2}, rate = {0, 4, 0}, bolus = {10, 0, 3};
    // l2 = 0 with any B, or B = 0: the second term is absent; likewise C and l3.
    const Column oneCompartment = PredCp(dt, rate, bolus, 0.2, 0, 0, 0.5, 0, 0);
    EXPECT_EQ(PredCp(dt, rate, bolus, 0.2, 7, 9, 0.5, 0, 0), oneCompartment);
    EXPECT_EQ(PredCp(dt, rate, bolus, 0.2, 0, 0, 0.5, 0.1, 0.01), oneCompartment);
    EXPECT_EQ(PredCe(dt, rate, bolus, 0.2, 7, 9, 0.5, 0, 0, 0.3),
              PredCe(dt, rate, bolus, 0.2, 0, 0, 0.5, 0, 0, 0.3));
}

TEST(Prediction, VolumesAndClearancesGiveTheHybridResult) {
    const Model m = schnider();
    const Column dt = {0, 1, 2, 30}, rate = {0, 10, 0, 2}, bolus = {50, 0, 20, 0};
    const Column& p = SCHNIDER_VOLCL;
    EXPECT_EQ(PredCpVCl(dt, rate, bolus, p[0], p[1], p[2], p[3], p[4], p[5]),
              predCp(dt, rate, bolus, m));
    // V2 = 0 beside a third compartment converts to nothing: every term drops out.
    EXPECT_EQ(PredCpVCl(dt, rate, bolus, 4, 0, 100, 1, 1, 1), Column(4, 0.0));
}

TEST(Prediction, Ke0EqualToAnExponentIsMovedOffIt) {
    const Model m = schnider();
    const Column dt = {0, 0.5, 1, 3, 20}, rate = {0, 30, 0, 5, 1}, bolus = {80, 0, 10, 0, 0};
    for (double l : {m.l1, m.l2, m.l3}) {
        const Column at = predCe(dt, rate, bolus, m, l);
        const Column below = predCe(dt, rate, bolus, m, l * (1 - 1e-4));
        const Column above = predCe(dt, rate, bolus, m, l * (1 + 1e-4));
        for (std::size_t i = 1; i < dt.size(); ++i) {
            ASSERT_TRUE(std::isfinite(at[i])) << l << " " << i;
            EXPECT_NEAR(at[i], 0.5 * (below[i] + above[i]),
                        0.01 * std::fabs(above[i] - below[i]) + 1e-12)
                << l << " " << i;
        }
    }
    // A one-compartment model whose ke0 equals its exponent.
    const Column one = PredCe({0, 1}, {0, 1}, {0, 0}, 1, 0, 0, 1, 0, 0, 1);
    EXPECT_NEAR(one[1], 1 - 2 * std::exp(-1.0), 1e-6);
}

TEST(Prediction, NonFiniteEntriesMakeTheRestUnknown) {
    const Model m = schnider();
    const Column dt = {NaN, 1, 1, 1, 1}, rate = {INF, 2, 2, 2, 2}, bolus = {10, 0, 0, 0, 0};
    const Column cp = predCp(dt, rate, bolus, m), ce = predCe(dt, rate, bolus, m, KE0);
    for (double v : cp)
        EXPECT_TRUE(std::isfinite(v));
    for (double v : ce)
        EXPECT_TRUE(std::isfinite(v));
    for (std::size_t bad = 0; bad < 3; ++bad) {
        Column columns[3] = {dt, rate, bolus};
        columns[bad][2] = bad == 0 ? NaN : (bad == 1 ? INF : -INF);
        const Column p = predCp(columns[0], columns[1], columns[2], m);
        const Column e = predCe(columns[0], columns[1], columns[2], m, KE0);
        EXPECT_EQ(p[1], cp[1]);
        EXPECT_EQ(e[1], ce[1]);
        for (std::size_t i = 2; i < 5; ++i) {
            EXPECT_TRUE(std::isnan(p[i])) << bad << " " << i;
            EXPECT_TRUE(std::isnan(e[i])) << bad << " " << i;
        }
    }
    Column badStart = bolus;
    badStart[0] = NaN;
    for (double v : predCp(dt, rate, badStart, m))
        EXPECT_TRUE(std::isnan(v));
    for (double v : predCe(dt, rate, badStart, m, KE0))
        EXPECT_TRUE(std::isnan(v));
}

TEST(Prediction, EmptyColumnsGiveAnEmptyResult) {
    const Model m = schnider();
    const Column none;
    EXPECT_TRUE(predCp(none, none, none, m).empty());
    EXPECT_TRUE(predCe(none, none, none, m, KE0).empty());
    EXPECT_TRUE(PredCpVCl(none, none, none, 4.27, 18.9, 238, 1.89, 1.29, 0.836).empty());
}
