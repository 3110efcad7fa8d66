#include "pinned_cases.h"

#include "pktools/compartments.h"
#include "pktools/decrement.h"
#include "pktools/peak.h"
#include "pktools/prediction.h"
#include "pktools/tci.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace pinned {

using namespace pktools;

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

// Schedules whose rows search the same curves again and again, so that peaks found on
// earlier rows come back: one column passed as both intervals and targets, 1, 2, ..., 7
// over and over (the state settles into a cycle) or 0, 10, 20, ... (intervals so long that
// the drug given before has gone), and 10 s steps with targets that climb from 2 to 5.6
// and start again every 37 rows.
constexpr std::size_t REPEATING_ROWS = 3000;
Column rising() {
    Column c(REPEATING_ROWS);
    for (std::size_t i = 0; i < c.size(); ++i)
        c[i] = static_cast<double>(1 + i % 7);
    return c;
}
Column ascending() {
    Column c(REPEATING_ROWS);
    for (std::size_t i = 0; i < c.size(); ++i)
        c[i] = static_cast<double>(i) * 10.0;
    return c;
}
Column climbing() {
    Column c(REPEATING_ROWS);
    for (std::size_t i = 0; i < c.size(); ++i)
        c[i] = 2 + 0.1 * static_cast<double>(i % 37);
    return c;
}
Column tenSeconds() {
    Column c(REPEATING_ROWS, TEN_SECONDS);
    c[0] = 0;
    return c;
}
Column tciCeOf(const Column& dt, const Column& target, const Drug& d) {
    return TciCe(dt, target, 1200, d.A, d.B, d.C, d.l1, d.l2, d.l3, d.ke0);
}

Column calcRateWithBoluses() {
    Column bolus(S1B.dt.size(), 0.0);
    bolus[0] = 70;
    bolus[200] = 30;
    const Drug& d = PROPOFOL;
    return CalcRate(S1B.dt, bolus, S1B.target, 1200, d.A, d.B, d.C, d.l1, d.l2, d.l3);
}

Column predCeOfS1Rates() {
    const Column rates = tciCe(S1, 1200, PROPOFOL);
    return predCe(S1.dt, rates, Column(rates.size(), 0.0), PROPOFOL);
}

// A 6 h history, levels 1, 2, 3.5 in turn (propofol) or 0.05 under a steady rate (midazolam).
const History SIX_HOURS = history(2161, 140, 8);
Column decrCePropofol() {
    Column level(SIX_HOURS.dt.size());
    for (std::size_t i = 0; i < level.size(); ++i)
        level[i] = i % 3 == 0 ? 1.0 : i % 3 == 1 ? 2.0 : 3.5;
    const Drug& d = PROPOFOL;
    return decrCe(SIX_HOURS.dt, SIX_HOURS.rate, SIX_HOURS.bolus, level, d.A, d.B, d.C, d.l1, d.l2,
                  d.l3, d.ke0);
}
Column decrCeMidazolam() {
    const std::size_t rows = SIX_HOURS.dt.size();
    const Drug& m = MIDAZOLAM;
    return decrCe(SIX_HOURS.dt, Column(rows, 0.1), Column(rows, 0.0), Column(rows, 0.05), m.A, m.B,
                  m.C, m.l1, m.l2, m.l3, m.ke0);
}

Column peaks() {
    Column p;
    for (const Drug* d : {&PROPOFOL, &REMIFENTANIL, &MIDAZOLAM}) {
        p.push_back(TPeak(d->A, d->B, d->C, d->l1, d->l2, d->l3, d->ke0));
        p.push_back(VdPeak(d->A, d->B, d->C, d->l1, d->l2, d->l3, d->ke0));
        p.push_back(TPeak2ke0(d->A, d->B, d->C, d->l1, d->l2, d->l3, 1.6));
    }
    return p;
}

Column hybridConstants() {
    Column h;
    for (const Drug* d : {&PROPOFOL, &REMIFENTANIL, &MIDAZOLAM})
        for (double v : {d->A, d->B, d->C, d->l1, d->l2, d->l3})
            h.push_back(v);
    return h;
}

} // namespace

const std::vector<Case>& cases() {
    static const std::vector<Case> all = {
        {"Cl2Hyb propofol remifentanil midazolam", hybridConstants},
        {"TciCe S1 propofol max 1200", [] { return tciCe(S1, 1200, PROPOFOL); }},
        {"TciCe S1b propofol max 1200", [] { return tciCe(S1B, 1200, PROPOFOL); }},
        {"TciCe S1b propofol max 300", [] { return tciCe(S1B, 300, PROPOFOL); }},
        {"TciCe remifentanil max 1000", [] { return tciCe(REMI, 1000, REMIFENTANIL); }},
        {"TciCe midazolam max 5", [] { return tciCe(MIDA, 5, MIDAZOLAM); }},
        {"TciCe one compartment max 5", [] { return tciCe(MIDA, 5, ONE_COMPARTMENT); }},
        {"TciCe rising 1..7", [] { return tciCeOf(rising(), rising(), PROPOFOL); }},
        {"TciCe ascending 0, 10, 20...",
         [] { return tciCeOf(ascending(), ascending(), PROPOFOL); }},
        {"TciCe climbing 2..5.6", [] { return tciCeOf(tenSeconds(), climbing(), PROPOFOL); }},
        {"TciCp S1 propofol max 1200", [] { return tciCp(S1, 1200, PROPOFOL); }},
        {"TciCp S1b propofol max 300", [] { return tciCp(S1B, 300, PROPOFOL); }},
        {"TciCp remifentanil max 1000", [] { return tciCp(REMI, 1000, REMIFENTANIL); }},
        {"TciCp midazolam max 5", [] { return tciCp(MIDA, 5, MIDAZOLAM); }},
        {"CalcRate S1b propofol with boluses", calcRateWithBoluses},
        {"PredCe of the S1 rates", predCeOfS1Rates},
        {"PredCp day propofol", [] { return predCp(DAY, PROPOFOL); }},
        {"PredCe day propofol", [] { return predCe(DAY.dt, DAY.rate, DAY.bolus, PROPOFOL); }},
        {"PredCp day remifentanil", [] { return predCp(DAY, REMIFENTANIL); }},
        {"PredCp day midazolam", [] { return predCp(DAY, MIDAZOLAM); }},
        {"PredCe day midazolam", [] { return predCe(DAY.dt, DAY.rate, DAY.bolus, MIDAZOLAM); }},
        {"PredCpVCl day propofol",
         [] { return PredCpVCl(DAY.dt, DAY.rate, DAY.bolus, 4.27, 18.9, 238, 1.89, 1.29, 0.836); }},
        {"CsDtCp propofol every minute 50%", [] { return csDtCp(contexts(600, 1), 50, PROPOFOL); }},
        {"CsDtCe propofol every minute 50%", [] { return csDtCe(contexts(600, 1), 50, PROPOFOL); }},
        {"CsDtCp propofol every 7 min 80%", [] { return csDtCp(contexts(600, 7), 80, PROPOFOL); }},
        {"CsDtCe propofol every 7 min 80%", [] { return csDtCe(contexts(600, 7), 80, PROPOFOL); }},
        {"CsDtCp remifentanil every 3 min 50%",
         [] { return csDtCp(contexts(300, 3), 50, REMIFENTANIL); }},
        {"CsDtCe remifentanil every 3 min 50%",
         [] { return csDtCe(contexts(300, 3), 50, REMIFENTANIL); }},
        {"CsDtCp midazolam every 10 min 50%",
         [] { return csDtCp(contexts(600, 10), 50, MIDAZOLAM); }},
        {"CsDtCe midazolam every 10 min 50%",
         [] { return csDtCe(contexts(600, 10), 50, MIDAZOLAM); }},
        {"CsDtCpVCl propofol",
         [] {
             return CsDtCpVCl({0, 0.05, 0.25, 1, 2.5, 30, 240}, 4.27, 18.9, 238, 1.89, 1.29, 0.836,
                              50);
         }},
        {"decrCe 6 h propofol levels 1, 2, 3.5", decrCePropofol},
        {"decrCe 6 h midazolam level 0.05", decrCeMidazolam},
        {"TPeak VdPeak TPeak2ke0 of three drugs", peaks},
    };
    return all;
}

Column result(const std::string& name) {
    for (const Case& c : cases())
        if (c.name == name)
            return c.compute();
    throw std::out_of_range("no pinned case \"" + name + "\"");
}

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
    for (double v : values) {
        std::uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        mix(bits);
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

} // namespace pinned
