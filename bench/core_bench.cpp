// S0 is the unit that makes the other figures machine-independent: 1000 calls of exp.

#include "drugmodels/models.h"
#include "pktools/compartments.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

void S0_exp_1000(benchmark::State& state) {
    std::vector<double> x(1000);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = -0.001 * static_cast<double>(i) - 0.5;
    for (auto _ : state) {
        double sum = 0;
        for (double v : x)
            sum += std::exp(v);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(S0_exp_1000);

void S7_PropSchnider_Cl2Hyb_routines(benchmark::State& state) {
    for (auto _ : state) {
        auto row = drugmodels::PropSchnider(53, 77, 177, 59);
        row.resize(6);
        benchmark::DoNotOptimize(pktools::Cl2Hyb(std::move(row)));
    }
}
BENCHMARK(S7_PropSchnider_Cl2Hyb_routines);

} // namespace
