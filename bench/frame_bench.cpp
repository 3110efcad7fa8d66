// The cases through the worksheet frame: arguments as the host's records, the result as
// a host array, exactly as the spreadsheet calls the exported wrappers. The difference to
// the matching <case>_routine benchmark is the cost of the C API path.

#include "cases.h"

#include "Corvane.h"
#include "Velmora.h"
#include "standin/Host.h"
#include "xlf/XlOpenClose.h"

#include <cstdio>
#include <cstdlib>

namespace {

using xlf::XLOPER12;

// Both add-ins' functions, registered with the stand-in host once for the whole run.
void openAddins() {
    static const bool opened = [] {
        if (xlAutoOpen() != 1) {
            std::fprintf(stderr, "the add-ins did not open in the stand-in host\n");
            std::exit(1);
        }
        return true;
    }();
    (void)opened;
}

// A column of numbers as the host passes a range: an array record over number records.
class HostColumn {
public:
    explicit HostColumn(const bench::Column& values) : items_(values.size()) {
        for (std::size_t i = 0; i < values.size(); ++i) {
            items_[i].xltype = xlf::xltypeNum;
            items_[i].val.num = values[i];
        }
        record_.xltype = xlf::xltypeMulti;
        record_.val.array.rows = static_cast<int>(values.size());
        record_.val.array.columns = 1;
        record_.val.array.lparray = items_.data();
    }
    XLOPER12* operator&() { return &record_; }

private:
    std::vector<XLOPER12> items_;
    XLOPER12 record_{};
};

// Fails the run when the wrapper did not return a column of the expected length.
void expectColumn(benchmark::State& state, const XLOPER12* result, std::size_t rows) {
    if (result == nullptr || result->xltype != xlf::xltypeMulti ||
        static_cast<std::size_t>(result->val.array.rows) != rows)
        state.SkipWithError("the wrapper did not return the expected column");
}

void S1_TciCe_frame(benchmark::State& state) {
    openAddins();
    const bench::Patient& p = bench::standardPatient();
    const bench::Schedule& s = bench::s1Schedule();
    HostColumn dt(s.deltaTimes), target(s.targetConc);
    for (auto _ : state) {
        XLOPER12* r =
            xlTciCe(&dt, &target, bench::MAX_RATE, p.A, p.B, p.C, p.l1, p.l2, p.l3, p.ke0);
        benchmark::DoNotOptimize(r);
        expectColumn(state, r, s.deltaTimes.size());
    }
}
BENCHMARK(S1_TciCe_frame);

void S2_TciCp_frame(benchmark::State& state) {
    openAddins();
    const bench::Patient& p = bench::standardPatient();
    const bench::Schedule& s = bench::s1Schedule();
    HostColumn dt(s.deltaTimes), target(s.targetConc);
    for (auto _ : state) {
        XLOPER12* r = xlTciCp(&dt, &target, bench::MAX_RATE, p.A, p.B, p.C, p.l1, p.l2, p.l3);
        benchmark::DoNotOptimize(r);
        expectColumn(state, r, s.deltaTimes.size());
    }
}
BENCHMARK(S2_TciCp_frame);

void S3_CsDtCp_frame(benchmark::State& state) {
    openAddins();
    const bench::Patient& p = bench::standardPatient();
    HostColumn t(bench::contexts());
    for (auto _ : state) {
        XLOPER12* r = xlCsDtCp(&t, p.A, p.B, p.C, p.l1, p.l2, p.l3, bench::DECREMENT);
        benchmark::DoNotOptimize(r);
        expectColumn(state, r, bench::contexts().size());
    }
}
BENCHMARK(S3_CsDtCp_frame);

void S5_PredCe_frame(benchmark::State& state) {
    openAddins();
    const bench::Patient& p = bench::standardPatient();
    const bench::Schedule& s = bench::s1Schedule();
    HostColumn dt(s.deltaTimes), rates(bench::s1Rates()),
        boluses(bench::Column(s.deltaTimes.size(), 0.0));
    for (auto _ : state) {
        XLOPER12* r = xlPredCe(&dt, &rates, &boluses, p.A, p.B, p.C, p.l1, p.l2, p.l3, p.ke0);
        benchmark::DoNotOptimize(r);
        expectColumn(state, r, s.deltaTimes.size());
    }
}
BENCHMARK(S5_PredCe_frame);

void S6_PredCp_frame(benchmark::State& state) {
    openAddins();
    const bench::Patient& p = bench::standardPatient();
    const bench::History h = bench::history(bench::DAY_ROWS);
    HostColumn dt(h.deltaTimes), rate(h.Rate), bolus(h.IVBolus);
    for (auto _ : state) {
        XLOPER12* r = xlPredCp(&dt, &rate, &bolus, p.A, p.B, p.C, p.l1, p.l2, p.l3);
        benchmark::DoNotOptimize(r);
        expectColumn(state, r, h.deltaTimes.size());
    }
}
BENCHMARK(S6_PredCp_frame);

// S7: one call of a model and one of Cl2Hyb with a 6-cell column through the frame (the
// routines alone are in core_bench.cpp).
void S7_PropSchnider_frame(benchmark::State& state) {
    openAddins();
    for (auto _ : state) {
        XLOPER12* r = xlPropSchnider(53, 77, 177, 59);
        benchmark::DoNotOptimize(r);
        expectColumn(state, r, 7);
    }
}
BENCHMARK(S7_PropSchnider_frame);

const bench::Column SCHNIDER_VOLUMES_CLEARANCES = {4.27, 18.9, 238, 1.89, 1.29, 0.836};

void S7_Cl2Hyb_frame(benchmark::State& state) {
    openAddins();
    HostColumn param(SCHNIDER_VOLUMES_CLEARANCES);
    for (auto _ : state) {
        XLOPER12* r = xlCl2Hyb(&param);
        benchmark::DoNotOptimize(r);
        expectColumn(state, r, 6);
    }
}
BENCHMARK(S7_Cl2Hyb_frame);

} // namespace
