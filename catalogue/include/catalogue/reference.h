#pragma once

// The parts of a worksheet function's reference (catalogue/entry.h) beside its registered
// texts: what an argument measures, the cells of a result, the texts shown instead and a
// drug model's source. The reference pages, "sheethost --help" and the covariate checks read
// them. Nothing here depends on a host.

#include <span>

namespace catalogue {

// What an argument measures, so that the checks can tell an age from a weight whatever the
// argument is called.
enum class Quantity : unsigned char {
    Other,
    Age,                 // years
    Weight,              // kg
    Height,              // cm
    LeanBodyMass,        // kg
    PostmenstrualAge,    // decimal years
    CreatinineClearance, // mL/min
    BodyMassIndex,       // kg/m², computed from weight and height, never an argument here
    GestationAtBirth,    // years, postmenstrual age minus age, never an argument
    Flag,                // 1 or 0, TRUE or FALSE
};

// One cell (or, for a column result, each row) of what a function returns.
struct ResultCell {
    const char* name;
    const char* unit;
    const char* meaning;
};

// A text a function can show instead of its result, and what causes it.
struct ErrorCause {
    const char* text;
    const char* cause;
};

// The lowest and highest value seen in the data a model was built from.
struct StudiedRange {
    Quantity quantity;
    double low;
    double high;
};

// Where a drug model comes from and whom it was built on.
struct ModelSource {
    const char* study;                    // short name for findings: "Schnider 1998"
    const char* publication;              // authors, title, journal, year, volume and pages
    const char* identifiers;              // "DOI ..., PMID ..."; "" when none was found
    const char* population;               // who was studied
    std::span<const StudiedRange> ranges; // empty when none is known
    const char* rangesStatus;             // "confirmed", or "not confirmed" and what is missing
    const char* notes;                    // variants, disagreements between sources, "" for none
    bool rangesConfirmed = false;         // every range above read from the study's own data
};

// The texts the host's conversions give for flag and column arguments; NAME stands for
// the argument's registered name.
inline constexpr ErrorCause FLAG_CONVERSION_ERRORS[] = {
    {"parameter is missing, NAME Conversion to Bool", "the flag is left out"},
    {"parameter is nil, NAME Conversion to Bool", "the flag's cell is empty"},
    {"parameter is error, NAME Conversion to Bool",
     "the flag's cell holds an error value or a text that is no truth value"},
};
inline constexpr ErrorCause COLUMN_CONVERSION_ERRORS[] = {
    {"invalid OPER structure (memory could be exhausted), NAME Not unidemensional",
     "the range has more than one row and more than one column, or the argument is left out, "
     "empty or an error value"},
};

} // namespace catalogue
