#include "drugmodels/checks.h"

#include "catalogue/covariates.h"
#include "catalogue/shown.h"
#include "drugmodels/catalogue.h"
#include "pktools/catalogue.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <map>
#include <optional>
#include <span>
#include <type_traits>
#include <utility>

namespace drugmodels {

using catalogue::Quantity;

namespace {

using catalogue::FINDING_DIGITS;
using catalogue::Shown;

using enum Beyond;
using enum Severity;

// Unit conversions that name a slip: the factor from the slipped unit to the right one.
inline constexpr double CM_PER_M = 100;
inline constexpr double CM_PER_FOOT = 30.48;
inline constexpr double CM_PER_MM = 0.1;
inline constexpr double CM_PER_INCH = 2.54;
inline constexpr double MONTHS_PER_YEAR = 12;
inline constexpr double GRAMS_PER_KG = 1000;
inline constexpr double KG_PER_POUND = 0.45359237;
inline constexpr double WEEKS_PER_YEAR = 365.25 / 7;

struct SlipText {
    const char* unit;
    double toRightUnit; // multiply
};
constexpr SlipText textOf(Slip slip) {
    switch (slip) {
    case Slip::Metres:
        return {"m", CM_PER_M};
    case Slip::Feet:
        return {"ft", CM_PER_FOOT};
    case Slip::Millimetres:
        return {"mm", CM_PER_MM};
    case Slip::Inches:
        return {"in", CM_PER_INCH};
    case Slip::Months:
        return {"months", 1 / MONTHS_PER_YEAR};
    case Slip::Grams:
        return {"g", 1 / GRAMS_PER_KG};
    case Slip::Pounds:
        return {"lb", KG_PER_POUND};
    case Slip::Weeks:
        return {"weeks", 1 / WEEKS_PER_YEAR};
    default:
        return {"", 1};
    }
}

std::string WithUnit(double value, Quantity quantity) {
    const char* unit = catalogue::covariate(quantity).unit;
    return *unit ? Shown(value, FINDING_DIGITS) + " " + unit : Shown(value, FINDING_DIGITS);
}

constexpr const char* Words(Beyond beyond) {
    switch (beyond) {
    case Below:
        return "below";
    case AtOrBelow:
        return "at or below";
    case Above:
        return "above";
    default:
        return "at or above";
    }
}

constexpr bool Breaks(double value, Beyond beyond, double threshold) {
    switch (beyond) {
    case Below:
        return value < threshold;
    case AtOrBelow:
        return value <= threshold;
    case Above:
        return value > threshold;
    default:
        return value >= threshold;
    }
}

// What is known of the patient: each quantity's value and the name it goes by.
struct Known {
    double value;
    std::string name;
    std::size_t position; // of the argument; after every argument for a derived quantity
    bool flagged = false; // an error was found in it: no further rule reads it
};
using Patient = std::map<Quantity, Known>;

const Known* Usable(const Patient& patient, Quantity quantity) {
    const auto found = patient.find(quantity);
    return found == patient.end() || found->second.flagged ? nullptr : &found->second;
}

// The finding of a rule on a value, or nothing when the rule does not apply or holds.
std::optional<Finding> Apply(const LimitRule& rule, const Known& subject, const Patient& patient) {
    const Known* condition = nullptr;
    if (rule.when != Quantity::Other) {
        condition = Usable(patient, rule.when);
        if (condition == nullptr || condition->value < rule.whenAtLeast)
            return std::nullopt;
    }
    double threshold = rule.threshold;
    std::string thresholdText = WithUnit(threshold, rule.quantity);
    if (rule.scaleBy != Quantity::Other) {
        const Known* scale = Usable(patient, rule.scaleBy);
        if (scale == nullptr)
            return std::nullopt;
        threshold = rule.threshold * scale->value;
        thresholdText = rule.threshold == 1
                            ? scale->name + " " + WithUnit(scale->value, rule.scaleBy)
                            : Shown(rule.threshold, FINDING_DIGITS) + " x " + scale->name + " (" +
                                  WithUnit(threshold, rule.quantity) + ")";
    }
    if (!Breaks(subject.value, rule.beyond, threshold))
        return std::nullopt;

    std::string text = subject.name + " " + WithUnit(subject.value, rule.quantity) + " is " +
                       Words(rule.beyond) + " " + thresholdText;
    if (condition != nullptr)
        text += " at " + condition->name + " " + WithUnit(condition->value, rule.when);
    text += std::string(": ") + rule.reason;
    if (rule.slip != Slip::None) {
        const Quantity slipped = rule.slipOf == Quantity::Other ? rule.quantity : rule.slipOf;
        const auto found = patient.find(slipped);
        if (found != patient.end()) {
            const SlipText slip = textOf(rule.slip);
            const double value = found->second.value;
            text += " (" + Shown(value, FINDING_DIGITS) + " " + slip.unit + " = " +
                    WithUnit(value * slip.toRightUnit, slipped) + ")";
        }
    }
    return Finding{rule.severity, text};
}

// A routine's result for plain arguments (a flag is any number but 0).
template <class Result, class... Params>
Result ResultOf(Result (*routine)(Params...), const std::vector<double>& arguments) {
    return [&]<std::size_t... I>(std::index_sequence<I...>) {
        return routine(static_cast<Params>(std::is_same_v<Params, bool> ? arguments[I] != 0
                                                                        : arguments[I])...);
    }
    (std::index_sequence_for<Params...>{});
}
ParameterRow RowOf(const catalogue::FunctionEntry& model, const std::vector<double>& arguments) {
    ParameterRow row;
    catalogue::forEachRow(VELMORA_FUNCTIONS, [&](const auto& candidate) {
        if constexpr (IS_MODEL_ROW<std::decay_t<decltype(candidate)>>) {
            if (candidate.entry == &model)
                row = ResultOf(candidate.routine, arguments);
        }
    });
    return row;
}

// A function of the patient alone: one number from numbers and flags.
template <class Row> struct OfBodySize : std::false_type {};
template <class... Params>
struct OfBodySize<catalogue::Row<double, Params...>>
    : std::bool_constant<((std::is_same_v<Params, double> || std::is_same_v<Params, bool>)&&...)> {
};

// The functions of Corvane the check reads, in row order: those whose arguments all measure
// the patient (the body-size functions, Ce50Eleveld).
const std::vector<const catalogue::FunctionEntry*>& BodySizeEntries() {
    static const std::vector<const catalogue::FunctionEntry*> entries = [] {
        std::vector<const catalogue::FunctionEntry*> found;
        catalogue::forEachRow(pktools::CORVANE_FUNCTIONS, [&](const auto& row) {
            if (OfBodySize<std::decay_t<decltype(row)>>::value &&
                catalogue::ReadsCovariates(*row.entry))
                found.push_back(row.entry);
        });
        return found;
    }();
    return entries;
}

// What is wrong with such a function's number: a mass, index or concentration at or below
// 0, or no number; nothing when it can be meant.
std::optional<std::string> BodySizeProblem(const catalogue::FunctionEntry& entry,
                                           const std::vector<double>& arguments) {
    std::optional<double> value;
    catalogue::forEachRow(pktools::CORVANE_FUNCTIONS, [&](const auto& candidate) {
        if constexpr (OfBodySize<std::decay_t<decltype(candidate)>>::value) {
            if (candidate.entry == &entry)
                value = ResultOf(candidate.routine, arguments);
        }
    });
    if (!value || *value > 0)
        return std::nullopt;
    const catalogue::ResultCell& cell = entry.cells[0];
    return std::string(entry.worksheetName) + " gives " + cell.name + " = " +
           Shown(*value, FINDING_DIGITS) + " " + cell.unit +
           " for these arguments: its formula does not hold here";
}

// What is wrong with a model's row: a volume or clearance below 0 or no number, or all of
// them 0; nothing when the row can be meant.
std::optional<std::string> RowProblem(const catalogue::FunctionEntry& entry,
                                      const ParameterRow& row) {
    const std::span<const catalogue::ResultCell> cells = entry.cells;
    bool allZero = true;
    for (std::size_t k = 0; k < row.size() && k < row::ke0; ++k) {
        if (!(row[k] >= 0))
            return std::string(entry.worksheetName) + " gives " + std::string(cells[k].name) +
                   " = " + Shown(row[k], FINDING_DIGITS) + " " + cells[k].unit +
                   " for these arguments: its formulas do not hold here";
        allZero = allZero && row[k] == 0;
    }
    if (allZero)
        return std::string(entry.worksheetName) +
               " gives zero volumes and clearances for these arguments: it does not cover this "
               "patient";
    return std::nullopt;
}

bool SameAnyCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The model or Corvane function of this worksheet name; a name in other letter case is
// the same function, as the sheet's function names are.
const catalogue::FunctionEntry* FindCheckedAnyCase(std::string_view name) {
    if (const catalogue::FunctionEntry* exact = findModel(name))
        return exact;
    for (const catalogue::FunctionEntry* entry : BodySizeEntries())
        if (name == entry->worksheetName)
            return entry;
    for (const catalogue::FunctionEntry* model : MODEL_ENTRIES)
        if (SameAnyCase(model->worksheetName, name))
            return model;
    for (const catalogue::FunctionEntry* entry : BodySizeEntries())
        if (SameAnyCase(entry->worksheetName, name))
            return entry;
    return nullptr;
}

bool IsModel(const catalogue::FunctionEntry& entry) {
    return std::find(MODEL_ENTRIES.begin(), MODEL_ENTRIES.end(), &entry) != MODEL_ENTRIES.end();
}

std::string ArgumentList(const catalogue::FunctionEntry& entry) {
    std::string list;
    for (const catalogue::ArgumentEntry& argument : entry.arguments)
        list += (list.empty() ? "" : ", ") + std::string(argument.name);
    return list;
}

} // namespace

// Each threshold is a judgement: a value beyond any human, beyond every data set the models
// were built from, or where a formula breaks. The data sets reach from a 0.68 kg preterm
// newborn of 33 cm to 160 kg, 200 cm, BMI 52.8 and 88 years.
const std::vector<LimitRule> LIMIT_RULES = {
    // clang-format off
    {Quantity::Age, Below, 0, Error, "an age cannot be negative"},
    {Quantity::Age, Above, 122, Error,
     "above the oldest verified human age; an age in months?", Slip::Months},
    {Quantity::Age, Above, 100, Warning,
     "beyond every data set of these models (the oldest is 88 years); Schnider's V2 and Cl2 "
     "and Minto's Cl3 turn negative a little above 100"},

    {Quantity::Weight, AtOrBelow, 0, Error, "a weight must be positive"},
    {Quantity::Weight, Below, 0.4, Error,
     "below any viable newborn (the lightest in the data is 0.68 kg)"},
    {Quantity::Weight, Above, 650, Error,
     "above any recorded human; a weight in grams?", Slip::Grams},
    {Quantity::Weight, AtOrAbove, 300, Warning,
     "beyond every data set (the heaviest is 160 kg); a weight in lb?", Slip::Pounds},
    {Quantity::Weight, Below, 25, Warning,
     "adult weights in the data are at least 36 kg; an age in months, or a weight in another "
     "unit?", Slip::Months, Quantity::Age, 16, Quantity::Age},
    {Quantity::Weight, Below, 3, Warning,
     "too light for the age; an age in days or months?", Slip::Months, Quantity::Age, 1,
     Quantity::Age},
    {Quantity::Weight, Below, 8, Warning,
     "too light for the age; an age in days or months?", Slip::Months, Quantity::Age, 5,
     Quantity::Age},

    {Quantity::Height, AtOrBelow, 0, Error, "a height must be positive"},
    {Quantity::Height, Below, 3, Error, "height is in cm", Slip::Metres},
    {Quantity::Height, Below, 20, Error,
     "height is in cm, and the smallest in the data is 33 cm; a height in feet?", Slip::Feet},
    {Quantity::Height, Above, 275, Error,
     "above the tallest human (about 272 cm); a height in millimetres?", Slip::Millimetres},
    {Quantity::Height, Above, 230, Warning, "extreme; check the height"},
    {Quantity::Height, Below, 100, Warning,
     "adult heights in the data are at least 139 cm; a height in inches, or an age in months?",
     Slip::Inches, Quantity::Age, 16},

    {Quantity::BodyMassIndex, Above, 80, Error,
     "beyond any data set (the highest BMI is 52.8); a height in inches?", Slip::Inches,
     Quantity::Other, 0, Quantity::Height},
    {Quantity::BodyMassIndex, AtOrAbove, 60, Warning,
     "beyond every data set (the highest BMI is 52.8); a weight in lb?", Slip::Pounds,
     Quantity::Other, 0, Quantity::Weight},
    // Read as pounds such a weight gives this height a BMI of 22.7 to 27.2, an ordinary one.
    {Quantity::BodyMassIndex, AtOrAbove, 50, Warning,
     "beyond nearly every data set (the highest BMI is 52.8), while in lb the weight would fit "
     "the height; a weight in lb?", Slip::Pounds, Quantity::Other, 0, Quantity::Weight},
    {Quantity::BodyMassIndex, Below, 10, Warning,
     "the lowest BMI in the data from 1 year on is 11.3: a weight too low, or a height too high "
     "for it", Slip::None, Quantity::Age, 1},

    {Quantity::LeanBodyMass, AtOrBelow, 0, Error,
     "a lean body mass must be positive (an empty cell counts as 0)"},
    {Quantity::LeanBodyMass, Above, 1, Error,
     "lean mass cannot exceed total mass; a lean body mass in pounds?", Slip::Pounds,
     Quantity::Other, 0, Quantity::Other, Quantity::Weight},
    {Quantity::LeanBodyMass, Below, 0.3, Warning,
     "an implausible body composition (the studied lean fraction is 0.59-0.86); check the "
     "formula or the unit", Slip::None, Quantity::Other, 0, Quantity::Other, Quantity::Weight},

    {Quantity::PostmenstrualAge, Below, 0, Error, "a postmenstrual age cannot be negative"},
    {Quantity::GestationAtBirth, Below, 0, Error,
     "the postmenstrual age is the age plus the gestation at birth, so it cannot be below the "
     "age"},
    {Quantity::GestationAtBirth, Above, 1, Error,
     "no gestation lasts beyond about 45 weeks; a postmenstrual age in weeks?", Slip::Weeks,
     Quantity::Other, 0, Quantity::PostmenstrualAge},
    {Quantity::GestationAtBirth, Below, 0.42, Warning,
     "a gestation at birth below 22 weeks, below viability (the data's shortest is 25.4 weeks)"},

    {Quantity::CreatinineClearance, Below, 0, Error, "a creatinine clearance cannot be negative"},
    // clang-format on
};

namespace {

// The findings so far, each with the position of the argument it is about; a finding on
// what no argument carries alone comes after every argument.
using Placed = std::vector<std::pair<std::size_t, Finding>>;

// A value given beyond the model's arguments, or nothing.
std::optional<Finding> SurplusArgument(const catalogue::FunctionEntry& entry,
                                       const std::vector<RawArgument>& arguments) {
    const std::size_t count = entry.arguments.size();
    for (std::size_t k = count; k < arguments.size(); ++k) {
        if (arguments[k]) {
            return Finding{Error, std::string(entry.worksheetName) + " takes " +
                                      std::to_string(count) +
                                      (count == 1 ? " argument" : " arguments") +
                                      (count == 0 ? "" : " (" + ArgumentList(entry) + ")") +
                                      "; the value " + Shown(*arguments[k], FINDING_DIGITS) +
                                      " in place " + std::to_string(k + 1) + " does not fit it"};
        }
    }
    return std::nullopt;
}

// Each argument by itself: empty, not a number, a flag that is neither 1 nor 0. The value
// of every covariate goes into the patient.
void ReadArguments(std::span<const catalogue::ArgumentEntry> described,
                   const std::vector<RawArgument>& arguments, Patient& patient, Placed& found) {
    for (std::size_t k = 0; k < described.size(); ++k) {
        const catalogue::ArgumentEntry& argument = described[k];
        const double* raw = k < arguments.size() && arguments[k] ? &*arguments[k] : nullptr;
        const std::string name = argument.name;
        if (raw == nullptr) {
            found.push_back(
                {k,
                 {Error, argument.quantity == Quantity::Flag
                             ? name + " is empty: the model shows an error instead of its "
                                      "row; enter 1 or 0"
                             : name + " is empty: the model reads it as 0"}});
        } else if (!std::isfinite(*raw)) {
            found.push_back(
                {k,
                 {Error, name + " is not a number: enter it in " +
                             (*argument.unit ? std::string(argument.unit) : "numbers")}});
        } else if (argument.quantity == Quantity::Flag) {
            if (*raw != 0 && *raw != 1)
                found.push_back(
                    {k,
                     {Warning, name + " " + Shown(*raw, FINDING_DIGITS) +
                                   " is neither 1 nor 0: the model reads any number but 0 as "
                                   "1"}});
        } else if (argument.quantity != Quantity::Other) {
            patient[argument.quantity] = Known{*raw, name, k};
        }
    }
}

// A quantity that no argument carries, computed from two that do.
struct Derivation {
    Quantity quantity;
    Quantity first;
    Quantity second;
    double (*value)(double first, double second);
};
constexpr Derivation GESTATION_AT_BIRTH{Quantity::GestationAtBirth, Quantity::PostmenstrualAge,
                                        Quantity::Age,
                                        [](double pma, double age) { return pma - age; }};
constexpr Derivation BODY_MASS_INDEX{Quantity::BodyMassIndex, Quantity::Weight, Quantity::Height,
                                     [](double weight, double height) {
                                         const double metres = height / CM_PER_M;
                                         return weight / (metres * metres);
                                     }};

// The passes of the limit rules, in order: what each derives first (from values that no
// earlier rule found an error in) and which quantities it checks.
struct RulePass {
    const Derivation* derives; // or nullptr
    bool (*checks)(Quantity quantity);
};
constexpr RulePass RULE_PASSES[] = {
    // Each argument by itself, and against the age.
    {nullptr, [](Quantity q) { return q != Quantity::LeanBodyMass; }},
    // What is measured against another argument.
    {&GESTATION_AT_BIRTH,
     [](Quantity q) { return q == Quantity::LeanBodyMass || q == Quantity::GestationAtBirth; }},
    // The BMI of a weight and a height that are plausible by themselves.
    {&BODY_MASS_INDEX, [](Quantity q) { return q == Quantity::BodyMassIndex; }},
};

// Each checked quantity's first broken rule; a value with an error is read by no later rule.
void ApplyRules(const RulePass& pass, std::size_t derivedPosition, Patient& patient,
                Placed& found) {
    if (const Derivation* derivation = pass.derives) {
        const Known* first = Usable(patient, derivation->first);
        const Known* second = Usable(patient, derivation->second);
        if (first != nullptr && second != nullptr)
            patient[derivation->quantity] =
                Known{derivation->value(first->value, second->value),
                      catalogue::covariate(derivation->quantity).name, derivedPosition};
    }
    for (auto& [quantity, known] : patient) {
        if (!pass.checks(quantity))
            continue;
        for (const LimitRule& rule : LIMIT_RULES) {
            if (rule.quantity != quantity)
                continue;
            if (std::optional<Finding> finding = Apply(rule, known, patient)) {
                known.flagged = finding->severity == Error;
                found.push_back({known.position, std::move(*finding)});
                break;
            }
        }
    }
}

// A warning for each covariate outside a range the model was built on.
void OutsideStudiedRanges(const catalogue::ModelSource& source, const Patient& patient,
                          Placed& found) {
    for (const catalogue::StudiedRange& range : source.ranges) {
        const Known* known = Usable(patient, range.quantity);
        if (known == nullptr || (known->value >= range.low && known->value <= range.high))
            continue;
        found.push_back({known->position,
                         {Warning, known->name + " " + WithUnit(known->value, range.quantity) +
                                       " is outside the " + Shown(range.low, FINDING_DIGITS) + "–" +
                                       WithUnit(range.high, range.quantity) +
                                       " studied for this model (" + source.study +
                                       (source.rangesConfirmed ? "" : ", not confirmed") + ")"}});
    }
}

} // namespace

std::vector<Finding> CheckCovariates(std::string_view model,
                                     const std::vector<RawArgument>& arguments) {
    const catalogue::FunctionEntry* entry = FindCheckedAnyCase(model);
    if (entry == nullptr) {
        return {{Error, "Unknown model \"" + std::string(model) +
                            "\": give the worksheet name of a Velmora model as text, such as "
                            "\"PropSchnider\""}};
    }
    if (std::optional<Finding> surplus = SurplusArgument(*entry, arguments))
        return {std::move(*surplus)};

    const std::span<const catalogue::ArgumentEntry> described = entry->arguments;
    Placed found;
    Patient patient;
    ReadArguments(described, arguments, patient, found);
    for (const RulePass& pass : RULE_PASSES)
        ApplyRules(pass, described.size(), patient, found);

    // A row the model cannot mean, for arguments that look right by themselves.
    const bool anyError = std::any_of(found.begin(), found.end(),
                                      [](const auto& f) { return f.second.severity == Error; });
    if (!anyError) {
        std::vector<double> plain;
        for (std::size_t k = 0; k < described.size(); ++k)
            plain.push_back(*arguments[k]);
        if (std::optional<std::string> problem = IsModel(*entry)
                                                     ? RowProblem(*entry, RowOf(*entry, plain))
                                                     : BodySizeProblem(*entry, plain))
            found.push_back({described.size(), {Error, std::move(*problem)}});
    }
    if (entry->source != nullptr)
        OutsideStudiedRanges(*entry->source, patient, found);

    // Errors first, each kind in the order of the arguments.
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return std::pair(a.second.severity, a.first) < std::pair(b.second.severity, b.first);
    });
    std::vector<Finding> ordered;
    for (auto& [position, finding] : found)
        ordered.push_back(std::move(finding));
    return ordered;
}

std::vector<std::string> CovariateLines(std::string_view model,
                                        const std::vector<RawArgument>& arguments) {
    const std::vector<Finding> findings = CheckCovariates(model, arguments);
    if (findings.empty())
        return {catalogue::NOTHING_FOUND};
    std::vector<std::string> lines;
    lines.reserve(findings.size());
    for (const Finding& finding : findings)
        lines.push_back(finding.text);
    return lines;
}

std::vector<std::string> CovariateCheck(const std::string& Model, RawArgument arg1,
                                        RawArgument arg2, RawArgument arg3, RawArgument arg4,
                                        RawArgument arg5, RawArgument arg6, RawArgument arg7,
                                        RawArgument arg8) {
    return CovariateLines(Model, {arg1, arg2, arg3, arg4, arg5, arg6, arg7, arg8});
}

} // namespace drugmodels
