#pragma once

// The shape of a catalogue entry: everything a front end (the spreadsheet add-ins, the
// Python modules, the LibreOffice extension, the reference pages, the checks) reads of a
// worksheet function, one record per function. Nothing here depends on a host.

#include "catalogue/kinds.h"
#include "catalogue/reference.h"

#include <span>
#include <string>
#include <string_view>

namespace catalogue {

// One argument: what the host registers (name, description, type code) and what the
// reference says of it (unit, meaning, what it measures).
struct ArgumentEntry {
    const char* name;         // registered; also the keyword of the other front ends
    const char* description;  // registered: the function wizard's text, as it stands
    const char* typeCode;     // NUMBER_ARGUMENT or CELL_VALUE_ARGUMENT (catalogue/kinds.h)
    const char* unit = "";    // "" for a dimensionless value
    const char* meaning = ""; // plain words
    Quantity quantity = Quantity::Other;
};

struct FunctionEntry {
    const char* worksheetName; // also the name of the routine
    const char* helpText;
    std::span<const ArgumentEntry> arguments = {}; // in registered order; empty for none
    // The reference: what a reader needs beside the registered texts, which stay one line
    // each as the host shows them.
    const char* purpose = "";                // plain words, a sentence or two
    const char* result = "";                 // the shape: "a column of 7 cells", "one number"
    std::span<const ResultCell> cells = {};  // each cell of the result, or what every row holds
    std::span<const ErrorCause> errors = {}; // the texts the function shows of its own
    const char* example = "";                // a formula to try; its result is computed where shown
    const ModelSource* source = nullptr;     // for a drug model
    const char* notes = "";                  // anything else a user should know
    // For a function that is a published model or equation: where it and its constants come
    // from, and the points on which published sources disagree, one line each.
    const char* sources = "";
    std::span<const char* const> contested = {};
};

// The export name of every worksheet function is this prefix and its worksheet name.
inline constexpr std::string_view EXPORT_PREFIX = "xl";
inline std::string exportName(const FunctionEntry& entry) {
    return std::string(EXPORT_PREFIX) + entry.worksheetName;
}

} // namespace catalogue
