// S3 and S4: the context-sensitive decrement-time curves for contexts of 1 to 600 min.

#include "cases.h"

#include "pktools/decrement.h"

namespace {

// S3: CsDtCp, contexts 1, 2, ..., 600 min, decrement 50 %.
void S3_CsDtCp_routine(benchmark::State& state) {
    const bench::Patient& p = bench::standardPatient();
    const bench::Column& t = bench::contexts();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            pktools::CsDtCp(t, p.A, p.B, p.C, p.l1, p.l2, p.l3, bench::DECREMENT));
}
BENCHMARK(S3_CsDtCp_routine);

// S4: CsDtCe, the same contexts.
void S4_CsDtCe_routine(benchmark::State& state) {
    const bench::Patient& p = bench::standardPatient();
    const bench::Column& t = bench::contexts();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            pktools::CsDtCe(t, p.A, p.B, p.C, p.l1, p.l2, p.l3, p.ke0, bench::DECREMENT));
}
BENCHMARK(S4_CsDtCe_routine);

} // namespace
