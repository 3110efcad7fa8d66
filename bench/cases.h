#pragma once

// The inputs of the benchmark cases S0 to S7, built once and shared by every benchmark.
//
// Standard patient: Schnider propofol, age 53, 77 kg, 177 cm, LBM 59, converted with
// Cl2Hyb; doses in mg, volumes in L, times in min (concentrations in ug/ml).
//
// Every case has a benchmark of the routine alone, named <case>_<routine>_routine. The
// same case through the worksheet frame (arguments as host records, result as a host
// array) goes beside it as <case>_<routine>_frame, so the cost of the C API path shows as
// the difference of the two.

#include <benchmark/benchmark.h>

#include <vector>

namespace bench {

using Column = std::vector<double>;

struct Patient {
    double A, B, C, l1, l2, l3, ke0;
};
// The standard patient's hybrid constants and ke0.
const Patient& standardPatient();

// A TCI schedule: row 0 is time zero, row i >= 1 an interval and the target at its end.
struct Schedule {
    Column deltaTimes, targetConc;
};
// S1: 10 s steps for 90 min (541 rows), effect-site target 4 for the first 60 min, then 2.
const Schedule& s1Schedule();
// S1b: the same grid with targets 4, then 6 from 30 min, then 2 from 60 min.
const Schedule& s1bSchedule();
// The maximal rate of the TCI cases (mg/min).
inline constexpr double MAX_RATE = 1200;
// The rates TciCe returns for the S1 schedule (the history simulated by S5).
const Column& s1Rates();

// S3, S4: contexts 1, 2, ..., 600 min and a decrement of 50 %.
const Column& contexts();
inline constexpr double DECREMENT = 50;

// S6: a bolus-plus-infusion history of 10 s rows: a 140 mg bolus at time zero, an infusion
// of 8 mg/min stepping down by 5 % every hour and paused in the fifth, and a 35 mg bolus
// every 2 h.
struct History {
    Column deltaTimes, Rate, IVBolus;
};
History history(long rows);
// Rows of 24 h at 10 s.
inline constexpr long DAY_ROWS = 8641;

} // namespace bench
