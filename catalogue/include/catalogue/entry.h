#pragma once

// The shape of a catalogue entry: what every front end (the spreadsheet add-ins, the
// Python modules, the reference pages) reads of a worksheet function. Both add-ins'
// catalogues are made of these; nothing here depends on a host.

#include "catalogue/reference.h"

#include <cstddef>
#include <span>
#include <string_view>

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
    const Reference* reference = nullptr;     // what the reference pages say of it
};

// The entry's reference explains exactly the registered arguments, by name and in order.
// Read in static assertions only: an entry without a reference fails them as the
// dereference of a null pointer. (Comparing the pointer with null instead is not a constant
// expression for GCC when it builds with -fsanitize=undefined.)
constexpr bool referenceFits(const FunctionEntry& entry) {
    if (entry.reference->arguments.size() != entry.arguments.size())
        return false;
    for (std::size_t i = 0; i < entry.arguments.size(); ++i)
        if (std::string_view(entry.reference->arguments[i].name) != entry.arguments[i].name)
            return false;
    return true;
}

} // namespace catalogue
