#include "pktools/compartments.h"
#include "pktools/errors.h"
#include "pktools/prediction.h"
#include "pktools/tci.h"
#include "refusal_message.h"

#include <gtest/gtest.h>

#include <algorithm>
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
const double LN2 = std::log(2.0);

struct Drug {
    double A, B, C, l1, l2, l3, ke0;
    double steadyPerRate() const { return A / l1 + B / l2 + C / l3; }
};
Drug fromVolCl(const Column& volCl, double ke0) {
    const Column h = Cl2Hyb(volCl);
    return {h[0], h[1], h[2], h[3], h[4], h[5], ke0};
}
// Schnider propofol (mg, L, min; targets in mg/L) and Minto remifentanil (ug, L, min;
// targets in ug/L) for typical patients.
const Drug PROPOFOL = fromVolCl({4.27, 18.9, 238, 1.89, 1.29, 0.836}, 0.456);
const Drug REMIFENTANIL = fromVolCl({5.1, 9.82, 5.42, 2.6, 2.05, 0.076}, 0.595);

Column tciCp(const Column& dt, const Column& target, double maxRate, const Drug& d) {
    return TciCp(dt, target, maxRate, d.A, d.B, d.C, d.l1, d.l2, d.l3);
}
Column tciCe(const Column& dt, const Column& target, double maxRate, const Drug& d) {
    return TciCe(dt, target, maxRate, d.A, d.B, d.C, d.l1, d.l2, d.l3, d.ke0);
}
Column predCe(const Column& dt, const Column& rate, const Drug& d) {
    return PredCe(dt, rate, Column(dt.size(), 0.0), d.A, d.B, d.C, d.l1, d.l2, d.l3, d.ke0);
}

// A schedule of equal steps: each (minutes, target) segment in turn, after row 0.
struct Schedule {
    Column dt{0}, target{0};
};
Schedule schedule(double step, std::initializer_list<std::pair<double, double>> segments) {
    Schedule s;
    for (auto [minutes, target] : segments)
        for (long k = std::lround(minutes / step); k > 0; --k) {
            s.dt.push_back(step);
            s.target.push_back(target);
        }
    return s;
}
// Ten-second steps for an hour, targets stepping up and down.
const Schedule PROPOFOL_HOUR =
    schedule(1.0 / 6, {{10, 3}, {10, 4}, {10, 2.5}, {10, 5}, {5, 0}, {15, 1.5}});
const Schedule REMIFENTANIL_HOUR =
    schedule(1.0 / 6, {{10, 4}, {10, 8}, {10, 2}, {10, 6}, {10, 3}, {10, 3.5}});

// The highest effect-site concentration from the end of row `row` on, when nothing is given
// after it: the schedule's rates up to that row followed by a finely sampled pause.
double futurePeak(const Column& dt, const Column& rate, std::size_t row, const Drug& d) {
    Column t(dt.begin(), dt.begin() + row + 1), r(rate.begin(), rate.begin() + row + 1);
    t.resize(t.size() + 40000, 0.0005);
    r.resize(t.size(), 0.0);
    const Column ce = predCe(t, r, d);
    return *std::max_element(ce.begin() + row, ce.end());
}

} // namespace

// --- Plasma TCI ---------------------------------------------------------------------------

TEST(PlasmaTciMessages, EachRoutineChecksInItsOwnOrder) {
    const Column five(5, 1.0), six(6, 1.0), four(4, 1.0);
    const std::string params = "Negative PK parameter!", lengths = "Columns of different length!";
    EXPECT_EQ(messageOf([&] { TciCp(five, six, 1, -1, 0, 0, 1, 0, 0); }), params);
    EXPECT_EQ(messageOf([&] { TciCp(five, six, 1, 1, 0, 0, 1, 0, 0); }), lengths);
    EXPECT_EQ(messageOf([&] { CalcRate(four, five, six, 1, -1, 0, 0, 1, 0, 0); }), lengths);
    EXPECT_EQ(messageOf([&] { CalcRate(five, five, six, 1, 1, 0, 0, 1, 0, 0); }), lengths);
    EXPECT_EQ(messageOf([&] { CalcRate(five, five, five, 1, 1, 0, 0, 1, 0, -1); }), params);
    for (int k = 0; k < 6; ++k)
        for (double bad : {-1e-300, NaN, INF}) {
            double p[6] = {1, 0, 0, 1, 0, 0};
            p[k] = bad;
            EXPECT_EQ(messageOf([&] { TciCp(five, five, 1, p[0], p[1], p[2], p[3], p[4], p[5]); }),
                      params);
            EXPECT_EQ(messageOf([&] {
                          CalcRate(five, five, five, 1, p[0], p[1], p[2], p[3], p[4], p[5]);
                      }),
                      params);
        }
    // Zero is accepted everywhere.
    EXPECT_EQ(messageOf([&] { TciCp(five, five, 1, 0, 0, 0, 0, 0, 0); }), "");
}

TEST(PlasmaTci, OneCompartmentSchedules) {
    // e^(-l1 dt) = 1/2 in every interval.
    const Column dt(4, LN2), target = {0, 1, 1, 1};
    auto near = [](const Column& got, const Column& expected) {
        ASSERT_EQ(got.size(), expected.size());
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_NEAR(got[i], expected[i], 1e-14) << i;
    };
    near(TciCp(dt, target, 10, 1, 0, 0, 1, 0, 0), {0, 2, 1, 1});
    near(TciCp(dt, target, 1.5, 1, 0, 0, 1, 0, 0), {0, 1.5, 1.25, 1});
    near(CalcRate(dt, {0.5, 0, 0, 0}, target, 10, 1, 0, 0, 1, 0, 0), {0, 1.5, 1, 1});
    near(CalcRate(dt, {0, 0, 1, 0}, target, 10, 1, 0, 0, 1, 0, 0), {0, 2, 0, 0.5});
    // A bolus in row 0 that alone leaves more than the target: no infusion.
    near(CalcRate(dt, {3, 0, 0, 0}, target, 10, 1, 0, 0, 1, 0, 0), {0, 0, 0.5, 1});
    // A zero exponent removes its term whatever its coefficient.
    near(TciCp(dt, target, 10, 1, 5, 7, 1, 0, 0), {0, 2, 1, 1});

    EXPECT_EQ(TciCp({3}, {4}, 10, 1, 0, 0, 1, 0, 0), Column{0});
    EXPECT_EQ(tciCp(PROPOFOL_HOUR.dt, Column(PROPOFOL_HOUR.dt.size(), 0.0), 200, PROPOFOL),
              Column(PROPOFOL_HOUR.dt.size(), 0.0));
    // A negative maximal rate is every later row's rate.
    EXPECT_EQ(TciCp(dt, target, -2, 1, 0, 0, 1, 0, 0), (Column{0, -2, -2, -2}));
}

TEST(PlasmaTci, RealisticSchedulesMeetEveryTargetTheMaximalRateAllows) {
    for (const auto& [drug, s, maxRate] : {std::tuple{PROPOFOL, PROPOFOL_HOUR, 20.0},
                                           std::tuple{REMIFENTANIL, REMIFENTANIL_HOUR, 30.0}}) {
        const Column rate = tciCp(s.dt, s.target, maxRate, drug);
        const Column cp = PredCp(s.dt, rate, Column(rate.size(), 0.0), drug.A, drug.B, drug.C,
                                 drug.l1, drug.l2, drug.l3);
        int free = 0, bounded = 0, stopped = 0;
        for (std::size_t i = 1; i < rate.size(); ++i) {
            const double T = s.target[i];
            if (rate[i] == maxRate) {
                ++bounded;
                EXPECT_LE(cp[i], T) << i;
            } else if (rate[i] == 0) {
                ++stopped;
                EXPECT_GE(cp[i], T * (1 - 1e-12)) << i;
            } else {
                ++free;
                EXPECT_NEAR(cp[i], T, 1e-12 * T) << i;
            }
        }
        EXPECT_GT(bounded, 0);
        EXPECT_GT(stopped, 0);
        EXPECT_GT(free, 250);
        // With boluses of 0, CalcRate is the same schedule.
        EXPECT_EQ(CalcRate(s.dt, Column(s.dt.size(), 0.0), s.target, maxRate, drug.A, drug.B,
                           drug.C, drug.l1, drug.l2, drug.l3),
                  rate);
    }
}

TEST(PlasmaTci, BolusesAreCountedInBeforeTheRate) {
    const Drug& d = REMIFENTANIL;
    Column bolus(REMIFENTANIL_HOUR.dt.size(), 0.0);
    bolus[0] = 20;
    bolus[100] = 50;
    const Column rate = CalcRate(REMIFENTANIL_HOUR.dt, bolus, REMIFENTANIL_HOUR.target, 1000, d.A,
                                 d.B, d.C, d.l1, d.l2, d.l3);
    const Column cp = PredCp(REMIFENTANIL_HOUR.dt, rate, bolus, d.A, d.B, d.C, d.l1, d.l2, d.l3);
    EXPECT_EQ(rate[100], 0); // the bolus lifts row 100 above its target
    EXPECT_GT(cp[100], REMIFENTANIL_HOUR.target[100]);
    for (std::size_t i = 1; i < rate.size(); ++i)
        if (rate[i] > 0) {
            EXPECT_NEAR(cp[i], REMIFENTANIL_HOUR.target[i], 1e-12 * cp[i]) << i;
        }
}

TEST(PlasmaTci, RatesApproachTheSteadyStateRate) {
    // One-minute steps for two days at one target.
    const Schedule s = schedule(1, {{2880, 4}});
    const Column rate = tciCp(s.dt, s.target, 1000, REMIFENTANIL);
    const double steady = 4 / REMIFENTANIL.steadyPerRate();
    EXPECT_GT(rate[1], 2 * steady);
    for (std::size_t i = 2; i < rate.size(); ++i) {
        EXPECT_LE(rate[i], rate[i - 1] * (1 + 1e-14)) << i;
        EXPECT_GT(rate[i], steady * (1 - 1e-14)) << i;
    }
    EXPECT_NEAR(rate.back(), steady, 1e-6 * steady);
}

TEST(PlasmaTciFaults, ZeroLengthRowsGiveNoInfusionAndCorruptNothing) {
    const Drug& d = PROPOFOL;
    const Column dt = {0, 1, 1, 0, 1, 1}, target = {0, 3, 3, 3, 4, 0}, bolus = {0, 0, 0, 10, 0, 0};
    const Column without = tciCp({0, 1, 1, 1, 1}, {0, 3, 3, 4, 0}, 200, d);
    const Column with = tciCp(dt, target, 200, d);
    EXPECT_EQ(with, (Column{0, without[1], without[2], 0, without[3], without[4]}));
    // The bolus of a zero-length row still enters.
    const Column withBolus = CalcRate(dt, bolus, target, 200, d.A, d.B, d.C, d.l1, d.l2, d.l3);
    EXPECT_EQ(withBolus[3], 0);
    EXPECT_LT(withBolus[4], with[4]);
    // A model with no term at all: no rate reaches a target above 0, so the rate is bounded
    // by maxRate; a target of 0 misses nothing and asks for nothing (0 / 0 is no NaN that
    // would spoil the rows after it).
    EXPECT_EQ(TciCp({0, 1, 1, 1}, {0, 0, 2, 0}, 5, 0, 0, 0, 0, 0, 0), (Column{0, 0, 5, 0}));
    // An interval too short for any decay to show, but not of length 0: the target is out
    // of reach within it, so the rate is maxRate, and nothing changes for the rows after it.
    const Column tiny = tciCp({0, 1e-300, 1}, {0, 3, 3}, 200, d);
    EXPECT_EQ(tiny[1], 200);
    EXPECT_EQ(tiny[2], tciCp({0, 1}, {0, 3}, 200, d)[1]);
}

TEST(PlasmaTciFaults, NonFiniteEntriesMakeTheRestUnknown) {
    const Drug& d = PROPOFOL;
    const Column dt = {NaN, 1, 1, 1, 1}, target = {INF, 3, 3, 3, 3}, bolus = {1, 0, 0, 0, 0};
    const Column good = CalcRate(dt, bolus, target, 200, d.A, d.B, d.C, d.l1, d.l2, d.l3);
    for (double v : good)
        EXPECT_TRUE(std::isfinite(v));
    for (int column = 0; column < 3; ++column)
        for (double bad : {NaN, INF, -INF}) {
            Column c[3] = {dt, bolus, target};
            c[column][2] = bad;
            const Column got = CalcRate(c[0], c[1], c[2], 200, d.A, d.B, d.C, d.l1, d.l2, d.l3);
            EXPECT_EQ(got[1], good[1]);
            for (std::size_t i = 2; i < got.size(); ++i)
                EXPECT_TRUE(std::isnan(got[i])) << column << " " << bad << " " << i;
        }
    const Column unknownMax = tciCp({0, 1, 1}, {0, 3, 3}, NaN, d);
    EXPECT_TRUE(std::isnan(unknownMax[1]) && std::isnan(unknownMax[2]));
    EXPECT_EQ(tciCp({0, 1, 1}, {0, 3, 3}, INF, d)[1], tciCp({0, 1, 1}, {0, 3, 3}, 1e300, d)[1]);
}

// --- Effect-site TCI ----------------------------------------------------------------------

TEST(EffectTciMessages, LengthsThenParametersThenMaximalRate) {
    const Column two(2, 1.0), three(3, 1.0);
    const std::string lengths = "Columns of different length!", params = "Check PK parameters!",
                      maxRate = "Maxrate has to be positive!";
    EXPECT_EQ(messageOf([&] { TciCe(two, three, 0, 0, 0, 0, 0, 0, 0, 0); }), lengths);
    EXPECT_EQ(messageOf([&] { TciCe(two, two, 0, 0, 0, 0, 1, 0, 0, 1); }), params);
    EXPECT_EQ(messageOf([&] { TciCe(two, two, 0, 1, 0, 0, 1, 0, 0, 1); }), maxRate);
    for (int k = 0; k < 7; ++k)
        for (double bad : {k == 0 || k == 3 || k == 6 ? 0.0 : -1e-300, -1.0, NaN, INF}) {
            double p[7] = {1, 0, 0, 1, 0, 0, 1};
            p[k] = bad;
            EXPECT_EQ(
                messageOf([&] { TciCe(two, two, 1, p[0], p[1], p[2], p[3], p[4], p[5], p[6]); }),
                params)
                << k << " " << bad;
        }
    for (double bad : {-1.0, NaN, INF})
        EXPECT_EQ(messageOf([&] { TciCe(two, two, bad, 1, 0, 0, 1, 0, 0, 1); }), maxRate);
}

TEST(EffectTci, OneCompartmentFirstRow) {
    // The unit-rate response peaks at 1/3, ln 1.5 after the end of interval 1.
    const Column rate = TciCe({0, LN2}, {0, 1}, 10, 1, 0, 0, 1, 0, 0, 2);
    EXPECT_EQ(rate[0], 0);
    EXPECT_NEAR(rate[1], 3, 1e-7);
    // Bounded by the maximal rate, and B = 0 drops C as well.
    EXPECT_EQ(TciCe({0, LN2}, {0, 1}, 2.5, 1, 0, 0, 1, 0, 0, 2)[1], 2.5);
    EXPECT_EQ(TciCe({0, LN2}, {0, 1}, 10, 1, 0, 0.3, 1, 0, 0.1, 2), rate);
    EXPECT_EQ(TciCe({7}, {5}, 10, 1, 0, 0, 1, 0, 0, 2), Column{0});
}

TEST(EffectTci, RealisticSchedulesReachEachTargetWithoutOvershoot) {
    for (const auto& [drug, s, maxRate] :
         {std::tuple{PROPOFOL, PROPOFOL_HOUR, 200.0}, std::tuple{PROPOFOL, PROPOFOL_HOUR, 20.0},
          std::tuple{REMIFENTANIL, REMIFENTANIL_HOUR, 1000.0},
          std::tuple{REMIFENTANIL, REMIFENTANIL_HOUR, 50.0}}) {
        const Column rate = tciCe(s.dt, s.target, maxRate, drug);
        const Column ce = predCe(s.dt, rate, drug);
        double segmentTarget = NaN;
        int segmentsChecked = 0;
        for (std::size_t i = 1; i < rate.size(); ++i) {
            ASSERT_GE(rate[i], 0) << i;
            ASSERT_LE(rate[i], maxRate) << i;
            const double T = s.target[i];
            if (T == 0) {
                EXPECT_EQ(rate[i], 0);
            }
            const bool stepUp = T > s.target[i - 1] && ce[i - 1] < 0.97 * T;
            // A step up is infused so that the peak it causes is the target itself.
            if (stepUp && rate[i] < maxRate) {
                EXPECT_NEAR(futurePeak(s.dt, rate, i, drug), T, 1e-7 * T) << i;
            }
            // While the target holds or rises the effect site stays below it, but for the
            // handover to plasma targeting within the closeness band.
            if (T >= s.target[i - 1] && ce[i - 1] <= T) {
                EXPECT_LE(ce[i], T * 1.002) << maxRate << " " << i;
            }
            // A segment that raised the target ends on it.
            if (stepUp) {
                segmentTarget = T;
            } else if (T != segmentTarget) {
                segmentTarget = NaN;
            }
            if ((i + 1 == rate.size() || s.target[i + 1] != T) && T == segmentTarget) {
                ++segmentsChecked;
                EXPECT_NEAR(ce[i], T, 2e-3 * T) << maxRate << " " << i;
            }
        }
        EXPECT_GE(segmentsChecked, 3);
    }
}

TEST(EffectTci, RatesApproachTheSteadyStateRate) {
    const Schedule s = schedule(1, {{2880, 4}});
    const Column rate = tciCe(s.dt, s.target, 1000, REMIFENTANIL);
    const double steady = 4 / REMIFENTANIL.steadyPerRate();
    for (std::size_t i = 30; i < rate.size(); ++i)
        EXPECT_LE(rate[i], rate[i - 1] * (1 + 1e-12)) << i;
    EXPECT_NEAR(rate.back(), steady, 1e-5 * steady);
}

TEST(EffectTci, PeaksFoundBeforeTheEndOfTheIntervalAreAccepted) {
    // Row 2 (target 1, the effect site still rising from row 1): with nothing infused the
    // effect site peaks at exactly 1 inside the interval. The peak searches settle there, at
    // a negative time after the interval's end, and the algorithm accepts that peak, so the rate
    // search asks for next to nothing (about 7.79e-9) and the effect site does not overshoot.
    const Column dt(7, LN2), target = {0, 1, 1, 1, 2, 2, 0.5};
    Column dt0 = dt;
    dt0[0] = 0;
    const Column rate = TciCe(dt0, target, 10, 1, 0, 0, 1, 0, 0, 2);
    EXPECT_NEAR(rate[2], 7.79e-9, 0.01e-9);
    // The effect site during row 2, sampled finely: rows 0 and 1 as given, then row 2 in
    // 20000 slices at its rate.
    Column t = {0, LN2}, r = {0, rate[1]};
    t.resize(2 + 20000, LN2 / 20000);
    r.resize(t.size(), rate[2]);
    const Column ce = PredCe(t, r, Column(t.size(), 0.0), 1, 0, 0, 1, 0, 0, 2);
    EXPECT_NEAR(*std::max_element(ce.begin() + 1, ce.end()), 1, 1e-6);
}

TEST(EffectTciFaults, Ke0EqualToAnExponentIsMovedOffIt) {
    const Schedule s = schedule(1.0 / 6, {{5, 3}, {5, 4}, {5, 2}});
    for (double l : {PROPOFOL.l1, PROPOFOL.l2, PROPOFOL.l3}) {
        Drug at = PROPOFOL, near = PROPOFOL;
        at.ke0 = l;
        near.ke0 = l * (1 + 1e-6);
        const Column rate = tciCe(s.dt, s.target, 200, at);
        EXPECT_EQ(rate, tciCe(s.dt, s.target, 200, near));
        for (double r : rate)
            EXPECT_TRUE(std::isfinite(r));
    }
}

TEST(EffectTciFaults, ZeroLengthRowsGiveNoInfusionAndChangeNothingElse) {
    const Schedule s = schedule(1.0 / 6, {{5, 3}, {5, 4}, {5, 2}});
    const Column without = tciCe(s.dt, s.target, 200, PROPOFOL);
    for (std::size_t at : {1u, 2u, 31u, 40u}) {
        Column dt = s.dt, target = s.target;
        dt.insert(dt.begin() + at, 0.0);
        target.insert(target.begin() + at, target[at]);
        Column expected = without;
        expected.insert(expected.begin() + at, 0.0);
        EXPECT_EQ(tciCe(dt, target, 200, PROPOFOL), expected) << at;
    }
}

TEST(EffectTciFaults, AbnormalInputsGiveFiniteDeterministicRates) {
    const Drug& d = PROPOFOL;
    const Schedule s = schedule(1, {{3, 3}, {3, 4}, {3, 2}, {3, 3}});
    struct Case {
        Column dt;
        double maxRate, ke0;
    };
    Column negative = s.dt;
    negative[2] = -1;
    negative[7] = -0.5;
    Column huge = s.dt;
    huge[1] = huge[2] = 1e6;
    for (const Case& c : {Case{negative, 200, d.ke0}, Case{huge, 200, d.ke0}, Case{s.dt, 200, 1e6},
                          Case{s.dt, 200, 1e-6}, Case{s.dt, 1e6, d.ke0},
                          Case{Column(s.dt.size(), 1e-300), 200, d.ke0}}) {
        const Column rate =
            TciCe(c.dt, s.target, c.maxRate, d.A, d.B, d.C, d.l1, d.l2, d.l3, c.ke0);
        for (double r : rate) {
            EXPECT_TRUE(std::isfinite(r));
            EXPECT_GE(r, 0);
            EXPECT_LE(r, c.maxRate);
        }
        EXPECT_EQ(rate, TciCe(c.dt, s.target, c.maxRate, d.A, d.B, d.C, d.l1, d.l2, d.l3, c.ke0));
    }
    // Even a huge maximal rate leads every step up to its target's peak.
    const Column rate = tciCe(s.dt, s.target, 1e6, d);
    EXPECT_NEAR(futurePeak(s.dt, rate, 4, d), 4, 1e-7 * 4);
}

TEST(EffectTciFaults, NonFiniteEntriesMakeTheRestUnknown) {
    const Schedule s = schedule(1, {{3, 3}, {3, 4}});
    const Column good = tciCe(s.dt, s.target, 200, PROPOFOL);
    for (int column = 0; column < 2; ++column)
        for (double bad : {NaN, INF, -INF}) {
            Column c[2] = {s.dt, s.target};
            c[column][3] = bad;
            const Column got = tciCe(c[0], c[1], 200, PROPOFOL);
            EXPECT_TRUE(std::equal(got.begin(), got.begin() + 3, good.begin()));
            for (std::size_t i = 3; i < got.size(); ++i)
                EXPECT_TRUE(std::isnan(got[i])) << column << " " << bad << " " << i;
        }
}
