// JLBM's catalogue entry checked against the exported xlJLBM and the routine, as Corvane
// checks it. Built as it is, this compiles; built with FLAG_AS_NUMBER, the entry registers
// the flag MALE as a number ("B"), so that the host would pass a double where xlJLBM takes
// a cell value, and the build must fail.

#include "Corvane.h"
#include "pktools/catalogue.h"
#include "xlf/Exports.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace {

constexpr const catalogue::FunctionEntry& JLBM = pktools::entries::JLBM;

constexpr auto ARGUMENTS = [] {
    std::array<catalogue::ArgumentEntry, JLBM.arguments.size()> arguments{};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        arguments[i] = JLBM.arguments[i];
#ifdef FLAG_AS_NUMBER
        if (std::string_view(arguments[i].name) == "MALE") {
            arguments[i].typeCode = catalogue::NUMBER_ARGUMENT;
        }
#endif
    }
    return arguments;
}();

constexpr catalogue::FunctionEntry ENTRY{JLBM.worksheetName, JLBM.helpText, ARGUMENTS};

} // namespace

XLF_CHECK_BINDING(xlJLBM, pktools::JLBM, ENTRY);
