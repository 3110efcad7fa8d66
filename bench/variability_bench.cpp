// V1 and V2: the variability tools on the S1 schedule of a typical Eleveld propofol patient
// (35 years, 70 kg, 170 cm, male), its TciCe rates and the published variances. V1: a
// CpBandVCl cell of 1000 patients; V2: the batch band of 10^6 patients and five percentiles
// on all cores (wall time, and the processor time of all threads, which is what the wall time
// would be on one idle core; the most memory the process used is printed with the targets).
// V3: a MapIndividualVCl cell fitting the six plasma etas to eight samples of virtual patient 0
// under the same schedule.

#include "cases.h"

#include "drugmodels/models.h"
#include "drugmodels/variability.h"
#include "pktools/compartments.h"
#include "pktools/map.h"
#include "pktools/prediction.h"
#include "pktools/tci.h"
#include "pktools/variability.h"

#include <thread>

namespace {

using bench::Column;

struct Population {
    Column row;
    catalogue::Block omega;
    Column rates;
};

const Population& eleveld() {
    static const Population p = [] {
        const Column row =
            drugmodels::PropEleveldFinal(70, 170, 35.75, 35, true, false, true, true);
        const auto variances = *drugmodels::modelVariances("PropEleveldFinal");
        const Column h = pktools::Cl2Hyb(Column(row.begin(), row.begin() + 6));
        const bench::Schedule& s = bench::s1Schedule();
        Column rates = pktools::TciCe(s.deltaTimes, s.targetConc, bench::MAX_RATE, h[0], h[1], h[2],
                                      h[3], h[4], h[5], row[6]);
        return Population{row, {1, 7, Column(variances.begin(), variances.end())}, rates};
    }();
    return p;
}

constexpr double SEED = 2024;

void V1_CpBandVCl_routine(benchmark::State& state) {
    const Population& p = eleveld();
    const bench::Schedule& s = bench::s1Schedule();
    const Column bolus(s.deltaTimes.size(), 0.0);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            pktools::CpBandVCl(s.deltaTimes, p.rates, bolus, p.row, p.omega, SEED, 1000, 0.5));
}
BENCHMARK(V1_CpBandVCl_routine)->Unit(benchmark::kMillisecond);

void V2_band_million(benchmark::State& state) {
    const Population& p = eleveld();
    const bench::Schedule& s = bench::s1Schedule();
    const pktools::BandRequest request{s.deltaTimes,
                                       p.rates,
                                       Column(s.deltaTimes.size(), 0.0),
                                       p.row,
                                       p.omega,
                                       2024,
                                       1'000'000,
                                       pktools::Site::Plasma};
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    for (auto _ : state)
        benchmark::DoNotOptimize(pktools::populationBand(request, {0.05, 0.25, 0.5, 0.75, 0.95},
                                                         pktools::Threads(threads)));
}
BENCHMARK(V2_band_million)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void V3_MapIndividualVCl_routine(benchmark::State& state) {
    const Population& p = eleveld();
    const bench::Schedule& s = bench::s1Schedule();
    const Column bolus(s.deltaTimes.size(), 0.0);
    // Eight samples of patient 0's own concentrations, from the first minutes to the end.
    const Column patient = pktools::VirtualPatient(p.row, p.omega, SEED, 0);
    const Column cp = pktools::PredCpVCl(s.deltaTimes, p.rates, bolus, patient[0], patient[1],
                                         patient[2], patient[3], patient[4], patient[5]);
    catalogue::Samples measured(s.deltaTimes.size());
    for (std::size_t row = 12; row < measured.size(); row += measured.size() / 8)
        measured[row] = cp[row]; // no bolus in the row: the concentration the fit compares
    for (auto _ : state)
        benchmark::DoNotOptimize(pktools::MapIndividualVCl(s.deltaTimes, p.rates, bolus, measured,
                                                           p.row, p.omega, 0.2, 0.05, {}));
}
BENCHMARK(V3_MapIndividualVCl_routine)->Unit(benchmark::kMillisecond);

} // namespace
