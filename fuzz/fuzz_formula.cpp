// The command-line host's formula parser and sheet evaluator: any text is read or refused
// with a syntax error, never a crash. A formula read is evaluated outside a sheet, a sheet
// read is evaluated, with one function, Spill, whose result is a column as long as its
// arguments are many, so that spills and their collisions and circles are exercised.

#include "sheet/formula.h"
#include "sheet/sheet.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace {

std::optional<sheet::Value> spill(const std::string& name, const std::vector<sheet::Value>& args) {
    if (name != "Spill")
        return std::nullopt;
    std::vector<sheet::Value> cells(args.size(), sheet::Value::of(1));
    if (cells.empty())
        return sheet::Value::of(0);
    return sheet::Value::array(static_cast<int>(cells.size()), 1, std::move(cells));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        sheet::parseFormula(text);
        sheet::evaluateFormula(text, spill);
    } catch (const sheet::SyntaxError&) {
    }
    try {
        sheet::Sheet grid = sheet::Sheet::fromCsv(text);
        grid.evaluate(spill);
        grid.toCsv();
    } catch (const sheet::SyntaxError&) {
    }
    return 0;
}
