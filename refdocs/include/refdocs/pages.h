#pragma once

// The reference pages: every worksheet function of both add-ins (every row of their tables)
// with what its catalogue entry says, written as Markdown. The example formulas' results are not
// known here; the caller evaluates them through the add-ins and hands them in.

#include "catalogue/entry.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace refdocs {

struct Function {
    const catalogue::FunctionEntry* entry;
    const char* addin; // "Velmora" or "Corvane"
    // The conversion texts of its flag and column arguments are derived from the entry
    // (a check reads its arguments itself and lists what it shows).
    bool derivedConversions;
    // The kind of each argument ("number", "column", "text"... of catalogue/kinds.h), in
    // argument order.
    std::vector<std::string_view> argumentKinds = {};
};

// Whether the conversion texts of argument k are derived from the entry: a flag or a column
// of a function that is no check (a text is read as it is, and shows none).
bool DerivesConversions(const Function& function, std::size_t k);

// Every function of the add-in, in the byte-wise order of its worksheet names (the order
// of registration).
std::vector<Function> FunctionsOf(std::string_view addin);
inline constexpr const char* ADDINS[] = {"Velmora", "Corvane"};

// The function of this worksheet name in any letter case, or nullptr.
const Function* FindFunction(std::string_view name);

// A text a function shows instead of its result, its argument's name filled in, and its cause.
struct ShownText {
    std::string text;
    std::string cause;
};
// Every text the function's section lists: its own (its entry's), then the conversion texts
// of its flag and column arguments, in argument order.
std::vector<ShownText> TextsShownInstead(const Function& function);

// What a formula shows: one text per cell.
using Evaluator = std::function<std::vector<std::string>(const std::string& formula)>;

// One function's section: purpose, call, arguments, result, texts shown instead, the example
// with its result, the source and studied population of a model, notes.
std::string FunctionSection(const Function& function, const Evaluator& evaluate);

// An add-in's page: its functions' sections after a contents list.
std::string AddinPage(std::string_view addin, const Evaluator& evaluate);

// The file name of an add-in's page in docs/: "velmora.md".
std::string PageFile(std::string_view addin);

// A text without the blanks the registered texts begin and end with.
std::string Trimmed(std::string_view text);

// A covariate's name with its unit, as the pages write it ("age (years)"); "" for others.
std::string QuantityName(catalogue::Quantity quantity);

// The covariate check's rules on impossible values and unit slips, in the order it tries
// them: the quantity, when a value is flagged, "error" or "warning", and why.
struct CovariateRule {
    std::string quantity, when, level, reason;
};
std::vector<CovariateRule> CovariateRuleRows();

} // namespace refdocs
