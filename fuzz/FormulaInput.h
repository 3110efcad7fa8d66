#pragma once

// What the formula fuzz target does with one input, shared with the regression tests that
// replay what it found: the input read as a formula and evaluated outside a sheet, then
// read as a CSV sheet, evaluated and printed. One function, Spill, returns a column as long
// as its arguments are many, so that spills and their collisions and circles are
// exercised.
//
// A range of four full columns is a dozen bytes: as a fuzzer bounds the length of an
// input, the cells one input may read and make are bounded, so that a run reports faults,
// not the size of the grid. What the bound leaves out (a sheet of a million rows) is cheap
// in itself: the regression tests evaluate it without the bound.

#include "sheet/formula.h"
#include "sheet/sheet.h"

#include <optional>
#include <string>
#include <vector>

namespace fuzzing {

inline constexpr long long MAX_CELLS_PER_INPUT = 100000;

inline std::optional<sheet::Value> Spill(const std::string& name,
                                         const std::vector<sheet::Value>& args) {
    if (name != "Spill")
        return std::nullopt;
    std::vector<sheet::Value> cells(args.size(), sheet::Value::of(1));
    if (cells.empty())
        return sheet::Value::of(0);
    return sheet::Value::array(static_cast<int>(cells.size()), 1, std::move(cells));
}

// The printed sheet, or nothing when the input is no sheet or its printed grid (its
// filled and empty cells up to the last one shown) would pass the bound.
inline std::optional<std::string> EvaluateInput(const std::string& text) {
    try {
        sheet::parseFormula(text);
        sheet::evaluateFormula(text, Spill, MAX_CELLS_PER_INPUT);
    } catch (const sheet::SyntaxError&) {
    }
    try {
        sheet::Sheet grid = sheet::Sheet::fromCsv(text);
        grid.evaluate(Spill, MAX_CELLS_PER_INPUT);
        const sheet::CellRef end = grid.extent();
        if ((end.row + 1LL) * (end.column + 1LL) > MAX_CELLS_PER_INPUT)
            return std::nullopt;
        return grid.toCsv();
    } catch (const sheet::SyntaxError&) {
        return std::nullopt;
    }
}

} // namespace fuzzing
