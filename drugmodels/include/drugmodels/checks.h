#pragma once

// The covariate check: what a model's raw arguments say about the patient before any model
// reads them. It catches values no patient can have, values that look like a unit slip
// (height in metres, age in months, weight in grams or pounds, pma in weeks) and patients
// outside the population a model was built on. It never changes a model's numbers.

#include "catalogue/reference.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drugmodels {

// A raw argument as the sheet gives it: a number (a truth value as 1 or 0), or nothing
// for an empty or omitted argument. Anything else (a text, an error value) is NaN.
using RawArgument = std::optional<double>;

enum class Severity { Error, Warning };

enum class Beyond { Below, AtOrBelow, Above, AtOrAbove };
// The unit the value would have been entered in, to show what it means in the right one.
enum class Slip { None, Metres, Feet, Millimetres, Inches, Months, Grams, Pounds, Weeks };

// A rule on one quantity: the value is flagged when it lies beyond the threshold (times the
// value of scaleBy, when one is named), and only while the quantity `when` is at least
// whenAtLeast, when one is named.
struct LimitRule {
    catalogue::Quantity quantity;
    Beyond beyond;
    double threshold;
    Severity severity;
    const char* reason;
    Slip slip = Slip::None; // the slip to show the value in
    catalogue::Quantity when = catalogue::Quantity::Other;
    double whenAtLeast = 0;
    catalogue::Quantity slipOf = catalogue::Quantity::Other; // the value of another quantity
    catalogue::Quantity scaleBy = catalogue::Quantity::Other;
};

// The impossible values and unit slips of any model, in the order they are tried: for each
// quantity the first rule that a value breaks is the one reported.
extern const std::vector<LimitRule> LIMIT_RULES;

// One finding: errors mean the value cannot be right; warnings ask to confirm it.
struct Finding {
    Severity severity;
    std::string text; // UTF-8
};

// The findings for a model's raw arguments in its registered order, errors first; none
// when nothing is to be said. An unknown model or arguments that do not fit the model give
// one error that says so.
std::vector<Finding> CheckCovariates(std::string_view model,
                                     const std::vector<RawArgument>& arguments);

// The findings' texts, errors first, or "OK" when there is none.
std::vector<std::string> CovariateLines(std::string_view model,
                                        const std::vector<RawArgument>& arguments);

// The worksheet function: the model's worksheet name and its arguments in its order, those
// beyond the model's own left out (as many as the longest model takes).
std::vector<std::string> CovariateCheck(const std::string& Model, RawArgument arg1,
                                        RawArgument arg2, RawArgument arg3, RawArgument arg4,
                                        RawArgument arg5, RawArgument arg6, RawArgument arg7,
                                        RawArgument arg8);

} // namespace drugmodels
