// The command-line host's sheet evaluator on a hostile sheet: one cell that negates a column
// of 862,017 rows fourteen times, evaluated and printed as CSV (what a formula fuzz run
// found; its whole input is fuzz/regressions/negated-column.csv).

#include "sheet/sheet.h"

#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <vector>

namespace {

std::optional<sheet::Value> noFunction(const std::string&, const std::vector<sheet::Value>&) {
    return std::nullopt;
}

} // namespace

// H3: the column negated in place and spilled, then printed.
void H3_Sheet_negated862k(benchmark::State& state) {
    const std::string csv = "=--------------C4:C862020\n";
    for (auto _ : state) {
        sheet::Sheet grid = sheet::Sheet::fromCsv(csv);
        grid.evaluate(noFunction);
        benchmark::DoNotOptimize(grid.toCsv());
    }
}
BENCHMARK(H3_Sheet_negated862k);
