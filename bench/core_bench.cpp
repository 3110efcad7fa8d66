// S0, the unit that makes the other figures machine-independent, and S7, the drug model
// and conversion that a sheet calls first.

#include "cases.h"

#include "drugmodels/models.h"
#include "pktools/compartments.h"
#include "portablemath/math.h"

#include <cmath>
#include <vector>

namespace {

// 1000 calls of an exp on varied arguments.
void thousandExps(benchmark::State& state, double (*exp)(double)) {
    std::vector<double> x(1000);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = -0.001 * static_cast<double>(i) - 0.5;
    for (auto _ : state) {
        double sum = 0;
        for (double v : x)
            sum += exp(v);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(x.size()));
}

// S0: std::exp, the platform's. One exp-equivalent is a thousandth of it.
void S0_exp_1000(benchmark::State& state) {
    thousandExps(state, [](double x) { return std::exp(x); });
}
BENCHMARK(S0_exp_1000);

// The routines' own exp on the same arguments.
void S0_portable_exp_1000(benchmark::State& state) {
    thousandExps(state, [](double x) { return portable::exp(x); });
}
BENCHMARK(S0_portable_exp_1000);

// S7 (routines): PropSchnider for the standard patient and Cl2Hyb of a 6-value column.
void S7_PropSchnider_routine(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(drugmodels::PropSchnider(53, 77, 177, 59));
}
BENCHMARK(S7_PropSchnider_routine);

// A model made of exponentials and allometric powers: Eleveld's propofol model.
void S7_PropEleveld_routine(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(drugmodels::PropEleveld(77, 53, true, true));
}
BENCHMARK(S7_PropEleveld_routine);

void S7_Cl2Hyb_routine(benchmark::State& state) {
    const std::vector<double> volCl = {4.27, 18.9, 238, 1.89, 1.29, 0.836};
    for (auto _ : state)
        benchmark::DoNotOptimize(pktools::Cl2Hyb(volCl));
}
BENCHMARK(S7_Cl2Hyb_routine);

} // namespace
