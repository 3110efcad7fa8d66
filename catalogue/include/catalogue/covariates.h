#pragma once

// Each covariate once: the name a finding or a reference gives it, its unit and what it
// means. The drug models' argument tables take unit and meaning from here (their registered
// names and descriptions stay each function's own), the covariate check names units and
// derived quantities with it, and the reference pages head their tables of studied ranges
// with it. A model's studied ranges stand in its source (catalogue/reference.h), by
// quantity. Nothing here depends on a host.

#include "catalogue/entry.h"
#include "catalogue/reference.h"

#include <cstddef>
#include <span>

namespace catalogue {

struct Covariate {
    Quantity quantity;
    const char* name;    // in a finding on a derived quantity and in the reference
    const char* unit;    // "" for none
    const char* meaning; // what an argument that carries it means, unless it says more
};

// One row per quantity, in the order of the enumeration.
// clang-format off
inline constexpr Covariate COVARIATES[] = {
    {Quantity::Other, "", "", ""},
    {Quantity::Age, "age", "years", "the patient's age"},
    {Quantity::Weight, "weight", "kg", "the patient's total body weight"},
    {Quantity::Height, "height", "cm", "the patient's height"},
    {Quantity::LeanBodyMass, "lean body mass", "kg",
     "the patient's lean body mass, taken as given (the model was built with the James formula: "
     "JLBM of Corvane)"},
    {Quantity::PostmenstrualAge, "postmenstrual age", "years",
     "postmenstrual age in decimal years: the age plus the gestation at birth (about 0.77 years "
     "at term)"},
    {Quantity::CreatinineClearance, "creatinine clearance", "mL/min",
     "creatinine clearance, not normalised to body surface area (Cockcroft-Gault in adults)"},
    {Quantity::BodyMassIndex, "BMI", "kg/m²", "weight / (height/100)²"},
    {Quantity::GestationAtBirth, "pma - age", "years", "the gestation at birth"},
    {Quantity::Flag, "", "1 or 0", ""},
};
// clang-format on

constexpr bool InEnumerationOrder(std::span<const Covariate> rows) {
    for (std::size_t k = 0; k < rows.size(); ++k)
        if (static_cast<std::size_t>(rows[k].quantity) != k)
            return false;
    return true;
}
static_assert(InEnumerationOrder(COVARIATES), "one row per quantity, in the enumeration's order");

constexpr const Covariate& covariate(Quantity quantity) {
    return COVARIATES[static_cast<std::size_t>(quantity)];
}

// The covariate check (Velmora's) reads the arguments of every drug model (a function with a
// source) and of every function whose arguments all measure the patient: the body-size
// functions (Corvane's BMI, JLBM...).
inline constexpr const char* COVARIATE_CHECK = "CovariateCheck";
constexpr bool ReadsCovariates(const FunctionEntry& entry) {
    if (entry.source != nullptr)
        return true;
    if (entry.arguments.empty())
        return false;
    for (const ArgumentEntry& argument : entry.arguments)
        if (argument.quantity == Quantity::Other)
            return false;
    return true;
}

} // namespace catalogue
