// S6: PredCp of a bolus-plus-infusion history at 10 s, 24 h (8641 rows) and 10^2, 10^4,
// 10^6 rows, so that the cost per row shows to be flat (items are rows).

#include "cases.h"

#include "pktools/prediction.h"

namespace {

void S6_PredCp_routine(benchmark::State& state) {
    const bench::Patient& p = bench::standardPatient();
    const long rows = state.range(0);
    const bench::History h = bench::history(rows);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            pktools::PredCp(h.deltaTimes, h.Rate, h.IVBolus, p.A, p.B, p.C, p.l1, p.l2, p.l3));
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(S6_PredCp_routine)->Arg(100)->Arg(bench::DAY_ROWS)->Arg(10'000)->Arg(1'000'000);

} // namespace
