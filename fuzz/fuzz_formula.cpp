// The command-line host's formula parser and sheet reader: any text is read or refused with
// a syntax error, never a crash; a formula read is evaluated outside a sheet with every
// function unknown.

#include "sheet/formula.h"
#include "sheet/sheet.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        sheet::parseFormula(text);
        sheet::evaluateFormula(text, [](const std::string&, const std::vector<sheet::Value>&) {
            return std::optional<sheet::Value>();
        });
    } catch (const sheet::SyntaxError&) {
    }
    try {
        sheet::Sheet::fromCsv(text);
    } catch (const sheet::SyntaxError&) {
    }
    return 0;
}
