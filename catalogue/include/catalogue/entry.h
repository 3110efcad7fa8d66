#pragma once

// The shape of a catalogue entry: what every front end (the spreadsheet add-ins, the
// Python modules, the reference pages) reads of a worksheet function. Both add-ins'
// catalogues are made of these; nothing here depends on a host.

#include <span>

namespace catalogue {

// Argument type codes: a number passed by value, and the framework's cell value, which the
// binding converts to a flag or a column under the argument's name.
inline constexpr const char* NUMBER_ARGUMENT = "B";
inline constexpr const char* CELL_VALUE_ARGUMENT = "XLF_OPER";

struct ArgumentEntry {
    const char* name;
    const char* description;
    const char* typeCode; // NUMBER_ARGUMENT or CELL_VALUE_ARGUMENT
};

struct FunctionEntry {
    const char* exportName;    // "xl" followed by the worksheet name
    const char* worksheetName; // also the name of the routine
    const char* helpText;
    std::span<const ArgumentEntry> arguments; // in registered order; empty for none
};

} // namespace catalogue
