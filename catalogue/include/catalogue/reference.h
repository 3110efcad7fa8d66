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

// A drug and the units its models are used in: doses in doseUnit (rates in doseUnit per
// minute), concentrations in doseUnit per litre, written as concentrationUnit.
struct Drug {
    const char* name;              // "propofol"
    const char* doseUnit;          // "mg"
    const char* concentrationUnit; // "ug/mL", which is mg/L
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
    const Drug* drug = nullptr;           // the drug the model is of
};

} // namespace catalogue
