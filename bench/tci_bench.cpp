// S1, S1b, S2 and S5: the TCI schedules of the standard patient and the simulation of the
// S1 schedule. H1 and H2: TciCe on two hostile 100,000-row columns, each passed as both
// the intervals and the targets, so that every row searches for its rate.

#include "cases.h"

#include "pktools/prediction.h"
#include "pktools/tci.h"

namespace {

using bench::Column;

// S1: TciCe, 10 s steps for 90 min, effect-site target 4 then 2 from 60 min.
void S1_TciCe_routine(benchmark::State& state) {
    const bench::Patient& p = bench::standardPatient();
    const bench::Schedule& s = bench::s1Schedule();
    for (auto _ : state)
        benchmark::DoNotOptimize(pktools::TciCe(s.deltaTimes, s.targetConc, bench::MAX_RATE, p.A,
                                                p.B, p.C, p.l1, p.l2, p.l3, p.ke0));
}
BENCHMARK(S1_TciCe_routine);

// S1b: TciCe on the same grid with targets 4, 6 from 30 min, 2 from 60 min.
void S1b_TciCe_routine(benchmark::State& state) {
    const bench::Patient& p = bench::standardPatient();
    const bench::Schedule& s = bench::s1bSchedule();
    for (auto _ : state)
        benchmark::DoNotOptimize(pktools::TciCe(s.deltaTimes, s.targetConc, bench::MAX_RATE, p.A,
                                                p.B, p.C, p.l1, p.l2, p.l3, p.ke0));
}
BENCHMARK(S1b_TciCe_routine);

// S2: TciCp on the S1 schedule.
void S2_TciCp_routine(benchmark::State& state) {
    const bench::Patient& p = bench::standardPatient();
    const bench::Schedule& s = bench::s1Schedule();
    for (auto _ : state)
        benchmark::DoNotOptimize(pktools::TciCp(s.deltaTimes, s.targetConc, bench::MAX_RATE, p.A,
                                                p.B, p.C, p.l1, p.l2, p.l3));
}
BENCHMARK(S2_TciCp_routine);

// S5: PredCe of the S1 schedule infused at the rates TciCe returned for it.
void S5_PredCe_routine(benchmark::State& state) {
    const bench::Patient& p = bench::standardPatient();
    const bench::Schedule& s = bench::s1Schedule();
    const Column& rates = bench::s1Rates();
    const Column boluses(rates.size(), 0.0);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            pktools::PredCe(s.deltaTimes, rates, boluses, p.A, p.B, p.C, p.l1, p.l2, p.l3, p.ke0));
}
BENCHMARK(S5_PredCe_routine);

// The rows of the hostile columns.
constexpr long HOSTILE_ROWS = 100000;
// The number of distinct values of the rising column (1 to 7).
constexpr long RISING_PERIOD = 7;

// Intervals and targets 0, 10, 20, ...: every row longer and higher than the one before.
const Column& ascendingColumn() {
    static const Column column = [] {
        Column c(HOSTILE_ROWS);
        for (long i = 0; i < HOSTILE_ROWS; ++i)
            c[static_cast<std::size_t>(i)] = static_cast<double>(i) * 10.0;
        return c;
    }();
    return column;
}

// Intervals and targets 1, 2, ..., 7, 1, 2, ...
const Column& risingColumn() {
    static const Column column = [] {
        Column c(HOSTILE_ROWS);
        for (long i = 0; i < HOSTILE_ROWS; ++i)
            c[static_cast<std::size_t>(i)] = static_cast<double>(1 + i % RISING_PERIOD);
        return c;
    }();
    return column;
}

void hostileTciCe(benchmark::State& state, const Column& column) {
    const bench::Patient& p = bench::standardPatient();
    for (auto _ : state)
        benchmark::DoNotOptimize(pktools::TciCe(column, column, bench::MAX_RATE, p.A, p.B, p.C,
                                                p.l1, p.l2, p.l3, p.ke0));
    state.SetItemsProcessed(state.iterations() * HOSTILE_ROWS);
}

// H1: TciCe with the ascending column as intervals and targets.
void H1_TciCe_ascending100k_routine(benchmark::State& state) {
    hostileTciCe(state, ascendingColumn());
}
BENCHMARK(H1_TciCe_ascending100k_routine);

// H2: TciCe with the rising column as intervals and targets.
void H2_TciCe_rising100k_routine(benchmark::State& state) {
    hostileTciCe(state, risingColumn());
}
BENCHMARK(H2_TciCe_rising100k_routine);

} // namespace
