// Pinned results: the exact bits that the simulation, TCI, decrement and peak routines
// return for the benchmark schedules and a few more realistic ones. Work on the speed of
// these routines must not move a single bit; each case compares a hash of the bit patterns
// of the whole result column with the one recorded before that work began. The three
// effect-site TCI hashes marked "issue 15" were recorded again when TciCe came to accept
// every converged, finite peak search wherever its abscissa lies, as the algorithm is defined.

#include "pktools/compartments.h"
#include "pktools/decrement.h"
#include "pktools/peak.h"
#include "pktools/prediction.h"
#include "pktools/tci.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using namespace pktools;
using Column = std::vector<double>;

namespace {

struct Drug {
    double A, B, C, l1, l2, l3, ke0;
};
Drug fromVolCl(const Column& volCl, double ke0) {
    const Column h = Cl2Hyb(volCl);
    return {h[0], h[1], h[2], h[3], h[4], h[5], ke0};
}

// Schnider propofol for the standard patient (age 53, 77 kg, 177 cm, LBM 59; mg, L, min),
// Minto remifentanil (ug, L, min), Greenblatt midazolam for 77 kg (two compartments; mg,
// L, min) and a one-compartment drug.
const Drug PROPOFOL = fromVolCl({4.27, 18.9, 238, 1.89, 1.29, 0.836}, 0.456);
const Drug REMIFENTANIL = fromVolCl({5.1, 9.82, 5.42, 2.6, 2.05, 0.076}, 0.595);
const Drug MIDAZOLAM = fromVolCl({56.21, 122.6824066, 0, 0.848771, 2.956646, 0}, 0.17325);
const Drug ONE_COMPARTMENT{0.25, 0, 0, 0.3, 0, 0, 0.8};

// FNV-1a over the length and the bit pattern of every value, as 16 hex digits.
std::string bitsHash(const Column& values) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    auto mix = [&hash](std::uint64_t word) {
        for (int byte = 0; byte < 8; ++byte) {
            hash ^= (word >> (8 * byte)) & 0xff;
            hash *= 0x100000001b3ULL;
        }
    };
    mix(values.size());
    for (double v : values)
        mix(std::bit_cast<std::uint64_t>(v));
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

// Intervals of `step` minutes after row 0; the target of interval i (ending at i steps) is
// that of the first segment whose end it does not pass.
struct Schedule {
    Column dt{0}, target{0};
};
Schedule schedule(double step, int rows, std::initializer_list<std::pair<int, double>> upTo) {
    Schedule s;
    for (int i = 1; i < rows; ++i) {
        s.dt.push_back(step);
        double target = 0;
        for (auto [lastRow, value] : upTo)
            if (i <= lastRow) {
                target = value;
                break;
            }
        s.target.push_back(target);
    }
    return s;
}

// The benchmark schedules: 10 s steps for 90 min; effect-site target 4 for the first
// 60 min, then 2 (S1), or 4, 6 from 30 min and 2 from 60 min (S1b).
const double TEN_SECONDS = 1.0 / 6;
const Schedule S1 = schedule(TEN_SECONDS, 541, {{360, 4}, {540, 2}});
const Schedule S1B = schedule(TEN_SECONDS, 541, {{180, 4}, {360, 6}, {540, 2}});
// Remifentanil 10 s steps for 40 min: 4, 8, a pause, then 3 ug/L.
const Schedule REMI = schedule(TEN_SECONDS, 241, {{90, 4}, {150, 8}, {170, 0}, {240, 3}});
// Midazolam 1 min steps for 2 h: 0.15, then 0.08 mg/L.
const Schedule MIDA = schedule(1, 121, {{45, 0.15}, {120, 0.08}});

// A bolus-plus-infusion history of `rows` rows of 10 s: a bolus in row 0, an infusion
// that steps down every hour, a small bolus every 2 h and a pause in the 5th hour.
struct History {
    Column dt, rate, bolus;
};
History history(int rows, double bolus0, double rate0) {
    History h{Column(rows, TEN_SECONDS), Column(rows, 0.0), Column(rows, 0.0)};
    h.bolus[0] = bolus0;
    for (int i = 1; i < rows; ++i) {
        const int hour = (i - 1) / 360;
        h.rate[i] = hour == 4 ? 0 : rate0 * (1 - 0.05 * (hour % 8));
        if (i % 720 == 0)
            h.bolus[i] = bolus0 / 4;
    }
    return h;
}
const History DAY = history(8641, 140, 8); // 24 h of propofol

Column contexts(int last, int every) {
    Column t;
    for (int c = every; c <= last; c += every)
        t.push_back(c);
    return t;
}

Column tciCe(const Schedule& s, double maxRate, const Drug& d) {
    return TciCe(s.dt, s.target, maxRate, d.A, d.B, d.C, d.l1, d.l2, d.l3, d.ke0);
}
Column tciCp(const Schedule& s, double maxRate, const Drug& d) {
    return TciCp(s.dt, s.target, maxRate, d.A, d.B, d.C, d.l1, d.l2, d.l3);
}
Column predCp(const History& h, const Drug& d) {
    return PredCp(h.dt, h.rate, h.bolus, d.A, d.B, d.C, d.l1, d.l2, d.l3);
}
Column predCe(const Column& dt, const Column& rate, const Column& bolus, const Drug& d) {
    return PredCe(dt, rate, bolus, d.A, d.B, d.C, d.l1, d.l2, d.l3, d.ke0);
}
Column csDtCp(const Column& t, double decr, const Drug& d) {
    return CsDtCp(t, d.A, d.B, d.C, d.l1, d.l2, d.l3, decr);
}
Column csDtCe(const Column& t, double decr, const Drug& d) {
    return CsDtCe(t, d.A, d.B, d.C, d.l1, d.l2, d.l3, d.ke0, decr);
}

TEST(PinnedResults, EffectSiteTciSchedules) {
    EXPECT_EQ(bitsHash(tciCe(S1, 1200, PROPOFOL)), "d6d308e696f92b6f");
    EXPECT_EQ(bitsHash(tciCe(S1B, 1200, PROPOFOL)), "e90ca7ca840fffcb");
    EXPECT_EQ(bitsHash(tciCe(S1B, 300, PROPOFOL)), "c4374996733da3fb"); // the bound binds
    EXPECT_EQ(bitsHash(tciCe(REMI, 1000, REMIFENTANIL)), "9cac3e6062079bb6");
    EXPECT_EQ(bitsHash(tciCe(MIDA, 5, MIDAZOLAM)), "f6526ddf0bafaa73");
    EXPECT_EQ(bitsHash(tciCe(MIDA, 5, ONE_COMPARTMENT)), "3c9756a152d686a7"); // issue 15
}

// Schedules whose rows search the same curves again and again, so that peaks found on
// earlier rows come back: one column passed as both intervals and targets, 1, 2, ..., 7
// over and over (the state settles into a cycle) or 0, 10, 20, ... (intervals so long that
// the drug given before has gone), and 10 s steps with targets that climb from 2 to 5.6
// and start again every 37 rows.
TEST(PinnedResults, EffectSiteTciRepeatingSchedules) {
    const std::size_t rows = 3000;
    Column rising(rows), ascending(rows), tenSeconds(rows, TEN_SECONDS), climbing(rows);
    tenSeconds[0] = 0;
    for (std::size_t i = 0; i < rows; ++i) {
        rising[i] = static_cast<double>(1 + i % 7);
        ascending[i] = static_cast<double>(i) * 10.0;
        climbing[i] = 2 + 0.1 * static_cast<double>(i % 37);
    }
    const Drug& d = PROPOFOL;
    EXPECT_EQ(bitsHash(TciCe(rising, rising, 1200, d.A, d.B, d.C, d.l1, d.l2, d.l3, d.ke0)),
              "0b93bd0166f0d47c"); // issue 15
    EXPECT_EQ(bitsHash(TciCe(ascending, ascending, 1200, d.A, d.B, d.C, d.l1, d.l2, d.l3, d.ke0)),
              "6d55dc0b1ab1b5d3");
    EXPECT_EQ(bitsHash(TciCe(tenSeconds, climbing, 1200, d.A, d.B, d.C, d.l1, d.l2, d.l3, d.ke0)),
              "481bb2e1ee734ddf"); // issue 15
}

TEST(PinnedResults, PlasmaTciSchedules) {
    EXPECT_EQ(bitsHash(tciCp(S1, 1200, PROPOFOL)), "9a88377a6f84cc41");
    EXPECT_EQ(bitsHash(tciCp(S1B, 300, PROPOFOL)), "1eff0bba1883e867");
    EXPECT_EQ(bitsHash(tciCp(REMI, 1000, REMIFENTANIL)), "7660ef98c8910c85");
    EXPECT_EQ(bitsHash(tciCp(MIDA, 5, MIDAZOLAM)), "722a2f4ca40ce43b");
    Column bolus(S1B.dt.size(), 0.0);
    bolus[0] = 70;
    bolus[200] = 30;
    const Drug& d = PROPOFOL;
    EXPECT_EQ(bitsHash(CalcRate(S1B.dt, bolus, S1B.target, 1200, d.A, d.B, d.C, d.l1, d.l2, d.l3)),
              "35f64c321b7a6ce3");
}

TEST(PinnedResults, Predictions) {
    const Column rates = tciCe(S1, 1200, PROPOFOL);
    const Column none(rates.size(), 0.0);
    EXPECT_EQ(bitsHash(predCe(S1.dt, rates, none, PROPOFOL)), "71a5c217ecbce0be");
    EXPECT_EQ(bitsHash(predCp(DAY, PROPOFOL)), "4790d5f22342ec5b");
    EXPECT_EQ(bitsHash(predCe(DAY.dt, DAY.rate, DAY.bolus, PROPOFOL)), "6abdc487d18b54e5");
    EXPECT_EQ(bitsHash(predCp(DAY, REMIFENTANIL)), "48fadd5e2d8f576c");
    EXPECT_EQ(bitsHash(predCp(DAY, MIDAZOLAM)), "5525ebb73f66a7b9");
    EXPECT_EQ(bitsHash(predCe(DAY.dt, DAY.rate, DAY.bolus, MIDAZOLAM)), "977fafd05ff1b3c2");
    EXPECT_EQ(bitsHash(PredCpVCl(DAY.dt, DAY.rate, DAY.bolus, 4.27, 18.9, 238, 1.89, 1.29, 0.836)),
              "4790d5f22342ec5b");
}

TEST(PinnedResults, ContextSensitiveDecrementTimes) {
    const Column everyMinute = contexts(600, 1);
    EXPECT_EQ(bitsHash(csDtCp(everyMinute, 50, PROPOFOL)), "8718024ba9885e2c");
    EXPECT_EQ(bitsHash(csDtCe(everyMinute, 50, PROPOFOL)), "89471c76ef93b13a");
    EXPECT_EQ(bitsHash(csDtCp(contexts(600, 7), 80, PROPOFOL)), "c0bc10e26fc9350f");
    EXPECT_EQ(bitsHash(csDtCe(contexts(600, 7), 80, PROPOFOL)), "3b1037837806f0d7");
    EXPECT_EQ(bitsHash(csDtCp(contexts(300, 3), 50, REMIFENTANIL)), "df23753595aebcd6");
    EXPECT_EQ(bitsHash(csDtCe(contexts(300, 3), 50, REMIFENTANIL)), "1fe1805ac0d40620");
    EXPECT_EQ(bitsHash(csDtCp(contexts(600, 10), 50, MIDAZOLAM)), "8c3cbcbb0255eb9b");
    EXPECT_EQ(bitsHash(csDtCe(contexts(600, 10), 50, MIDAZOLAM)), "8d6a511f57f5d38b");
    EXPECT_EQ(bitsHash(CsDtCpVCl({0, 0.05, 0.25, 1, 2.5, 30, 240}, 4.27, 18.9, 238, 1.89, 1.29,
                                 0.836, 50)),
              "4d0355b87bb630ec");
}

TEST(PinnedResults, DecrementTimesOfAHistory) {
    const History h = history(2161, 140, 8); // 6 h
    Column level(h.dt.size());
    for (std::size_t i = 0; i < level.size(); ++i)
        level[i] = i % 3 == 0 ? 1.0 : i % 3 == 1 ? 2.0 : 3.5;
    const Drug& d = PROPOFOL;
    EXPECT_EQ(
        bitsHash(decrCe(h.dt, h.rate, h.bolus, level, d.A, d.B, d.C, d.l1, d.l2, d.l3, d.ke0)),
        "dae93b1f36da1982");
    const Drug& m = MIDAZOLAM;
    Column midaLevel(h.dt.size(), 0.05);
    EXPECT_EQ(bitsHash(decrCe(h.dt, Column(h.dt.size(), 0.1), Column(h.dt.size(), 0.0), midaLevel,
                              m.A, m.B, m.C, m.l1, m.l2, m.l3, m.ke0)),
              "c1667946974f6092");
}

TEST(PinnedResults, PeakEffect) {
    Column peaks;
    for (const Drug* d : {&PROPOFOL, &REMIFENTANIL, &MIDAZOLAM}) {
        peaks.push_back(TPeak(d->A, d->B, d->C, d->l1, d->l2, d->l3, d->ke0));
        peaks.push_back(VdPeak(d->A, d->B, d->C, d->l1, d->l2, d->l3, d->ke0));
        peaks.push_back(TPeak2ke0(d->A, d->B, d->C, d->l1, d->l2, d->l3, 1.6));
    }
    EXPECT_EQ(bitsHash(peaks), "f9bd7cf6866edd52");
}

} // namespace
