// S1, S1b, S2 and S5: the TCI schedules of the standard patient and the simulation of the
// S1 schedule.

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

} // namespace
