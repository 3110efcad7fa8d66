#include "refdocs/pages.h"

#include "catalogue/conversions.h"
#include "catalogue/covariates.h"
#include "catalogue/shown.h"
#include "drugmodels/catalogue.h"
#include "drugmodels/checks.h"
#include "pktools/catalogue.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace refdocs {

using catalogue::Quantity;

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return "";
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string QuantityName(Quantity quantity) {
    const catalogue::Covariate& covariate = catalogue::covariate(quantity);
    return *covariate.name ? std::string(covariate.name) + " (" + covariate.unit + ")" : "";
}

namespace {

using catalogue::ErrorCause;
using catalogue::Shown;
using catalogue::conversions::ConversionError;

// A table cell: a "|" would end it.
std::string Cell(std::string_view text) {
    std::string cell;
    for (char c : text)
        cell += c == '|' ? std::string("\\|") : std::string(1, c);
    return cell;
}

std::string Replaced(std::string text, std::string_view what, std::string_view by) {
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + by.size()))
        text.replace(at, what.size(), by);
    return text;
}

// The anchor a code host gives a heading: lower case, blanks as "-".
std::string Anchor(std::string_view heading) {
    std::string anchor;
    for (char c : heading)
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_')
            anchor += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        else if (c == ' ')
            anchor += '-';
    return anchor;
}

constexpr const char* Words(drugmodels::Beyond beyond) {
    switch (beyond) {
    case drugmodels::Beyond::Below:
        return "below";
    case drugmodels::Beyond::AtOrBelow:
        return "at or below";
    case drugmodels::Beyond::Above:
        return "above";
    default:
        return "at or above";
    }
}

} // namespace

std::vector<CovariateRule> CovariateRuleRows() {
    std::vector<CovariateRule> rows;
    for (const drugmodels::LimitRule& rule : drugmodels::LIMIT_RULES) {
        std::string when = std::string(Words(rule.beyond)) + " " + Shown(rule.threshold);
        if (rule.scaleBy != Quantity::Other)
            when += " x " + QuantityName(rule.scaleBy);
        if (rule.when != Quantity::Other)
            when += ", with " + QuantityName(rule.when) + " at least " + Shown(rule.whenAtLeast);
        rows.push_back({QuantityName(rule.quantity), when,
                        rule.severity == drugmodels::Severity::Error ? "error" : "warning",
                        rule.reason});
    }
    return rows;
}

namespace {

// The covariate check's rules, as the check applies them.
std::string CovariateRules() {
    std::string out = "**The rules on impossible values and unit slips**, tried in this order; for "
                      "each quantity the first rule a value breaks is reported, and a value with "
                      "an error is read by no later rule. A patient outside a model's studied "
                      "ranges (in the model's section) gets a warning for each range.\n\n"
                      "| Quantity | Flagged when | Level | Reason |\n|---|---|---|---|\n";
    for (const CovariateRule& rule : CovariateRuleRows())
        out += "| " + rule.quantity + " | " + rule.when + " | " + rule.level + " | " +
               Cell(rule.reason) + " |\n";
    return out + "\n";
}

} // namespace

// The functions of a table of rows; a check reads its arguments itself and lists what it
// shows, every other function shows the conversion texts of its arguments.
template <class Result, class... Params>
std::vector<std::string_view> KindsOf(const catalogue::Row<Result, Params...>&) {
    return {catalogue::KindOf<Params>::name...};
}

template <class Rows>
void AddFunctions(std::vector<Function>& functions, const Rows& rows, const char* addin) {
    catalogue::forEachRow(rows, [&](const auto& row) {
        functions.push_back(
            {row.entry, addin, !std::decay_t<decltype(row)>::isCheck, KindsOf(row)});
    });
}

bool DerivesConversions(const Function& function, std::size_t k) {
    const catalogue::ArgumentEntry& argument = function.entry->arguments[k];
    return function.derivedConversions &&
           std::string_view(argument.typeCode) == catalogue::CELL_VALUE_ARGUMENT &&
           function.argumentKinds.at(k) != catalogue::KindOf<std::string>::name;
}

std::vector<Function> FunctionsOf(std::string_view addin) {
    std::vector<Function> functions;
    if (addin == "Velmora") {
        AddFunctions(functions, drugmodels::VELMORA_FUNCTIONS, "Velmora");
    } else if (addin == "Corvane") {
        AddFunctions(functions, pktools::CORVANE_FUNCTIONS, "Corvane");
    }
    std::sort(functions.begin(), functions.end(), [](const Function& a, const Function& b) {
        return std::string_view(a.entry->worksheetName) < std::string_view(b.entry->worksheetName);
    });
    return functions;
}

const Function* FindFunction(std::string_view name) {
    static const std::vector<Function> all = [] {
        std::vector<Function> functions;
        for (const char* addin : ADDINS)
            for (const Function& f : FunctionsOf(addin))
                functions.push_back(f);
        return functions;
    }();
    const auto same = [name](std::string_view candidate) {
        return candidate.size() == name.size() &&
               std::equal(candidate.begin(), candidate.end(), name.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) ==
                          std::tolower(static_cast<unsigned char>(b));
               });
    };
    for (const Function& f : all)
        if (same(f.entry->worksheetName))
            return &f;
    return nullptr;
}

std::vector<ShownText> TextsShownInstead(const Function& function) {
    const catalogue::FunctionEntry& entry = *function.entry;
    std::vector<ShownText> texts;
    for (const ErrorCause& cause : entry.errors)
        texts.push_back({cause.text, cause.cause});
    for (std::size_t k = 0; k < entry.arguments.size(); ++k) {
        const catalogue::ArgumentEntry& argument = entry.arguments[k];
        if (!DerivesConversions(function, k))
            continue;
        for (const ConversionError& conversion :
             catalogue::conversions::ConversionErrorsOf(function.argumentKinds.at(k)))
            texts.push_back({conversion.text(argument.name),
                             Replaced(conversion.cause, "NAME", argument.name)});
    }
    return texts;
}

std::string FunctionSection(const Function& function, const Evaluator& evaluate) {
    const catalogue::FunctionEntry& entry = *function.entry;
    std::string out = "## " + std::string(entry.worksheetName) + "\n\n";
    out += std::string(entry.purpose) + "\n\n";

    std::string call = "=" + std::string(entry.worksheetName) + "(";
    for (std::size_t k = 0; k < entry.arguments.size(); ++k)
        call += (k > 0 ? ", " : "") + std::string(entry.arguments[k].name);
    out += "    " + call + ")\n\n";
    out += "The function wizard shows: \"" + Trimmed(entry.helpText) + "\" (" + function.addin +
           ").\n\n";

    if (!entry.arguments.empty()) {
        out += "| Argument | Unit | Meaning |\n|---|---|---|\n";
        for (const catalogue::ArgumentEntry& argument : entry.arguments)
            out += "| " + Cell(argument.name) + " | " + Cell(argument.unit) + " | " +
                   Cell(argument.meaning) + " |\n";
        out += "\n";
    } else {
        out += "No arguments.\n\n";
    }

    out += "**Returns** " + std::string(entry.result) + ".\n\n";
    out += "| Cell | Unit | Meaning |\n|---|---|---|\n";
    for (const catalogue::ResultCell& cell : entry.cells)
        out +=
            "| " + Cell(cell.name) + " | " + Cell(cell.unit) + " | " + Cell(cell.meaning) + " |\n";
    out += "\n";

    const std::vector<ShownText> errors = TextsShownInstead(function);
    if (errors.empty()) {
        out += "It shows no text of its own instead of a result: whatever the formulas give is "
               "returned.\n\n";
    } else {
        out += "**Shows instead of a result**\n\n| Text | Cause |\n|---|---|\n";
        for (const auto& [text, cause] : errors)
            out += "| " + Cell(text) + " | " + Cell(cause) + " |\n";
        out += "\n";
    }

    out += "**Example**\n\n    " + std::string(entry.example) + "\n\n";
    const std::vector<std::string> shown = evaluate(entry.example);
    const bool named = shown.size() == entry.cells.size() && shown.size() > 1;
    out += named ? "| Cell | Result |\n|---|---|\n" : "| Row | Result |\n|---|---|\n";
    for (std::size_t k = 0; k < shown.size(); ++k)
        out += "| " + (named ? Cell(entry.cells[k].name) : std::to_string(k)) + " | " +
               Cell(shown[k]) + " |\n";
    out += "\n";

    if (const catalogue::ModelSource* source = entry.source) {
        out += "**Source** (" + std::string(source->study) + "): " + source->publication;
        if (*source->identifiers)
            out += " " + std::string(source->identifiers) + ".";
        std::string population = source->population;
        if (!population.empty() && population.back() == '.')
            population.pop_back();
        out += "\n\n**Studied population:** " + population + ".\n\n";
        out += "**Studied covariate ranges:** " + std::string(source->rangesStatus) + ".";
        if (source->ranges.empty()) {
            out += "\n\n";
        } else {
            out += "\n\n| Covariate | Lowest | Highest |\n|---|---|---|\n";
            for (const catalogue::StudiedRange& range : source->ranges)
                out += "| " + std::string(QuantityName(range.quantity)) + " | " + Shown(range.low) +
                       " | " + Shown(range.high) + " |\n";
            out += "\n";
        }
        if (*source->notes)
            out += "**Variants and notes:** " + std::string(source->notes) + "\n\n";
    }
    if (catalogue::ReadsCovariates(entry)) {
        std::string check =
            "=" + std::string(catalogue::COVARIATE_CHECK) + "(\"" + entry.worksheetName + "\"";
        for (const catalogue::ArgumentEntry& argument : entry.arguments)
            check += ", " + std::string(argument.name);
        out += "Check a patient's arguments beside the " +
               std::string(entry.source != nullptr ? "model's cell" : "function's cell (Velmora)") +
               " with `" + check + ")`.\n\n";
    }
    if (*entry.notes)
        out += std::string(entry.notes) + "\n\n";
    if (*entry.sources)
        out += "**Sources:** " + std::string(entry.sources) + "\n\n";
    if (!entry.contested.empty()) {
        out += "**Where the sources disagree:**\n\n";
        for (const char* point : entry.contested)
            out += "- " + std::string(point) + "\n";
        out += "\n";
    }
    if (function.entry == &drugmodels::entries::CovariateCheck)
        out += CovariateRules();
    return out;
}

std::string AddinPage(std::string_view addin, const Evaluator& evaluate) {
    const std::vector<Function> functions = FunctionsOf(addin);
    std::string out = "# " + std::string(addin) + " function reference\n\n";
    out += "Generated from the add-in's catalogue by `refdocs`, with each example's result as "
           "the add-in gives it; do not edit by hand. Units, the row rule of the column "
           "functions, how the TCI functions choose their rates and how the decrement times "
           "are defined are on the [conventions page](conventions.md).\n\n";
    for (const Function& f : functions)
        out += "- [" + std::string(f.entry->worksheetName) + "](#" +
               Anchor(f.entry->worksheetName) + "): " + f.entry->purpose + "\n";
    out += "\n";
    for (const Function& f : functions)
        out += FunctionSection(f, evaluate);
    while (out.size() > 1 && out[out.size() - 2] == '\n')
        out.pop_back();
    return out;
}

std::string PageFile(std::string_view addin) {
    std::string file;
    for (char c : addin)
        file += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return file + ".md";
}

} // namespace refdocs
