// Writes the generated files of the R packages from the two catalogues:
//
//     GenerateRPackage package <velmora|corvane> <folder> <version>
//         R/functions.R   one R function per worksheet function, under its worksheet name,
//                         with its arguments' R names in registered order, calling the native
//                         entry the binding registers for it (r/src/binding.h)
//         man/<Name>.Rd   its help page from the catalogue's reference, the example formula
//                         written in R as the example
//         NAMESPACE, DESCRIPTION
//     GenerateRPackage calls <call table> <R file>
//         each call of the shared call table (catalogue/tests/calls.json) and each catalogue
//         example as a formula, with the R call that means the same (numbers written
//         exactly, in hexadecimal), for the tests that compare the packages with the add-ins
//
// A function whose argument or result type the binding does not convert fails to compile;
// one whose names clash in R stops the generator with a message.

#include "catalogue/conversions.h"
#include "catalogue/row.h"
#include "catalogue/shown.h"
#include "drugmodels/catalogue.h"
#include "json.h"
#include "names.h"
#include "pktools/catalogue.h"
#include "refdocs/pages.h"
#include "sheet/formula.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace conversions = catalogue::conversions;

// ---- What R sees of a function

enum class Kind {
    Number,
    Flag,
    Column,
    Text,
    OptionalNumber,
    OptionalColumn,
    Block,
    Samples,
    Identifiers
};
enum class Returns { Column, Number, Flag, Text, Texts };

struct RFunction {
    const catalogue::FunctionEntry* entry;
    std::vector<std::string> names; // the arguments' R names
    std::vector<Kind> kinds;
    std::vector<const char*> kindNames; // the catalogue's names of the kinds
    Returns returns;
    std::size_t rowLength = 0; // a model's row: called per patient of a population
    bool elementwise = false;  // numbers to a number: called per element of its arguments
};

// Whether its arguments may be vectors, one element per patient.
bool vectorised(const RFunction& f) {
    return f.rowLength > 0 || f.elementwise;
}

template <class P> constexpr Kind kindOf() {
    if constexpr (std::is_same_v<P, double>)
        return Kind::Number;
    else if constexpr (std::is_same_v<P, bool>)
        return Kind::Flag;
    else if constexpr (std::is_same_v<P, std::vector<double>>)
        return Kind::Column;
    else if constexpr (std::is_same_v<P, std::string>)
        return Kind::Text;
    else if constexpr (std::is_same_v<P, std::optional<double>>)
        return Kind::OptionalNumber;
    else if constexpr (std::is_same_v<P, catalogue::Block>)
        return Kind::Block;
    else if constexpr (std::is_same_v<P, catalogue::Samples>)
        return Kind::Samples;
    else if constexpr (std::is_same_v<P, catalogue::Identifiers>)
        return Kind::Identifiers;
    else if constexpr (std::is_same_v<P, std::optional<std::vector<double>>>)
        return Kind::OptionalColumn;
    else
        static_assert(sizeof(P) == 0, "teach the R generator this kind of argument");
}

template <class R> constexpr Returns returnsOf() {
    if constexpr (std::is_same_v<R, std::vector<double>>)
        return Returns::Column;
    else if constexpr (std::is_same_v<R, double>)
        return Returns::Number;
    else if constexpr (std::is_same_v<R, bool>)
        return Returns::Flag;
    else if constexpr (std::is_same_v<R, std::string>)
        return Returns::Text;
    else
        return Returns::Texts;
}

bool isOptional(Kind kind) {
    return kind == Kind::OptionalNumber || kind == Kind::OptionalColumn;
}

template <class Result, class... Params>
RFunction describe(const catalogue::Row<Result, Params...>& row) {
    using R = std::remove_cvref_t<Result>;
    constexpr bool numbersAndFlags = ((std::is_same_v<std::remove_cvref_t<Params>, double> ||
                                       std::is_same_v<std::remove_cvref_t<Params>, bool>)&&...);
    const catalogue::FunctionEntry& entry = *row.entry;
    RFunction f{&entry,
                {},
                {kindOf<std::remove_cvref_t<Params>>()...},
                {catalogue::KindOf<Params>::name...},
                returnsOf<R>()};
    if constexpr (std::is_same_v<R, std::vector<double>> && numbersAndFlags)
        f.rowLength = entry.cells.size();
    f.elementwise = std::is_same_v<R, double> && sizeof...(Params) > 0 && numbersAndFlags;
    std::set<std::string> seen;
    for (const catalogue::ArgumentEntry& argument : entry.arguments) {
        f.names.push_back(rbinding::rName(argument.name));
        if (!seen.insert(f.names.back()).second)
            throw std::runtime_error(std::string(entry.worksheetName) + ": two arguments named " +
                                     f.names.back() + " in R");
    }
    return f;
}

// Every row of an add-in's table, in row order.
template <class Rows> void describeAll(std::vector<RFunction>& functions, const Rows& rows) {
    catalogue::forEachRow(rows, [&](const auto& row) { functions.push_back(describe(row)); });
}

struct Package {
    std::string name;  // "velmora"
    std::string addin; // "Velmora"
    std::string title;
    std::string description;
    std::string warningClass; // the class of the check's warnings
    std::string suggests;
    std::vector<RFunction> functions;
};

std::vector<Package> packages() {
    Package velmora{
        "velmora",
        "Velmora",
        "Population Pharmacokinetic Models of Anaesthetic Drugs",
        "The drug models of the Velmora spreadsheet add-in: a patient's covariates (age, weight, "
        "height, sex, lean body mass, creatinine clearance) turned into the parameters of "
        "published population pharmacokinetic models of propofol, remifentanil, alfentanil, "
        "fentanyl, sufentanil, ketamine, midazolam, remimazolam, dexmedetomidine, rocuronium, "
        "lidocaine and ABP-700 (V1, V2, V3, Cl1, Cl2, Cl3 and, for most, ke0), for one patient or "
        "a population, bit for bit the add-in's numbers; and a check of a model's covariates "
        "(impossible values, unit slips, patients outside the studied population).",
        "CovariateWarning",
        "testthat (>= 3.0.0)",
        {}};
    describeAll(velmora.functions, drugmodels::VELMORA_FUNCTIONS);
    Package corvane{
        "corvane",
        "Corvane",
        "Pharmacokinetic Tools for Target-Controlled Infusion",
        "The pharmacokinetic tools of the Corvane spreadsheet add-in, on the parameters of "
        "population models such as those of the 'velmora' package: volumes and clearances to "
        "hybrid constants and back, predicted plasma and effect-site concentrations and effect, "
        "plasma and effect-site target-controlled infusion schedules, decrement times, peak "
        "effect and body size, bit for bit the add-in's numbers; a check of a schedule's columns; "
        "and a schedule table and plot for 'ggplot2'.",
        "ScheduleWarning",
        "velmora, ggplot2, testthat (>= 3.0.0)",
        {}};
    describeAll(corvane.functions, pktools::CORVANE_FUNCTIONS);
    return {velmora, corvane};
}

// ---- Text helpers

// A text inside an Rd section: backslashes, braces and "%" are Rd's own.
std::string rd(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == '{' || c == '}' || c == '%')
            out += '\\';
        out += c;
    }
    return out;
}

// A sentence: ending in a full stop, and capitalised unless it starts with a name (a word
// with a capital, a digit or "_" in it, or one of the function's argument or cell names).
std::string sentence(std::string_view text, const catalogue::FunctionEntry& entry) {
    std::string out = refdocs::Trimmed(text);
    if (out.empty())
        return out;
    const std::string first = out.substr(0, out.find_first_of(" ,;:()"));
    bool isName =
        !std::all_of(first.begin(), first.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    for (const catalogue::ArgumentEntry& argument : entry.arguments)
        isName = isName || first == argument.name;
    for (const catalogue::ResultCell& cell : entry.cells)
        isName = isName || first == cell.name;
    if (!isName)
        out[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(out[0])));
    if (out.back() != '.' && out.back() != '!' && out.back() != '?')
        out += '.';
    return out;
}

// An R string literal.
std::string rString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

// "name(a, b = NULL)" broken before an argument where the line would pass the width.
std::string wrappedCall(const std::string& head, const std::vector<std::string>& arguments,
                        std::size_t indent, std::size_t width = 80) {
    std::string out = head + "(";
    std::size_t column = out.size();
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        std::string piece = arguments[k] + (k + 1 < arguments.size() ? "," : ")");
        if (k > 0) {
            if (column + 1 + piece.size() > width) {
                out += '\n';
                out.append(indent, ' ');
                column = indent;
            } else {
                out += ' ';
                ++column;
            }
        }
        out += piece;
        column += piece.size();
    }
    return arguments.empty() ? out + ")" : out;
}

std::vector<std::string> formals(const RFunction& f) {
    std::vector<std::string> out;
    for (std::size_t k = 0; k < f.names.size(); ++k)
        out.push_back(f.names[k] + (isOptional(f.kinds[k]) ? " = NULL" : ""));
    return out;
}

bool isCheck(const RFunction& f) {
    return f.returns == Returns::Texts;
}

// ---- Formulas in R

struct Known {
    const Package* package;
    const RFunction* function;
};

class Translator {
public:
    explicit Translator(const std::vector<Package>& all) {
        for (const Package& p : all)
            for (const RFunction& f : p.functions)
                byName_[lower(f.entry->worksheetName)] = {&p, &f};
    }

    // The formula as an R call. Numbers are written exactly (hexadecimal) or in their
    // shortest decimal form; a function of another package than `home` is qualified.
    std::string translate(const std::string& formula, bool exact, const std::string& home,
                          std::set<std::string>* packagesUsed = nullptr) const {
        exact_ = exact;
        home_ = home;
        used_.clear();
        const std::string out = expression(sheet::parseFormula(formula), std::nullopt);
        if (packagesUsed != nullptr)
            *packagesUsed = used_;
        return out;
    }

    const Known* find(const std::string& name) const {
        const auto found = byName_.find(lower(name));
        return found == byName_.end() ? nullptr : &found->second;
    }

private:
    static std::string lower(std::string_view text) {
        std::string out;
        for (char c : text)
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return out;
    }

    std::string number(double x) const {
        if (!exact_)
            return catalogue::Shown(x);
        char text[64];
        std::snprintf(text, sizeof text, "%a", x);
        return text;
    }

    std::string value(const sheet::Value& v) const {
        switch (v.kind) {
        case sheet::Value::Kind::Number:
            return number(v.number);
        case sheet::Value::Kind::Boolean:
            return v.boolean ? "TRUE" : "FALSE";
        case sheet::Value::Kind::Text:
            return rString(v.text);
        case sheet::Value::Kind::Error:
            // R has no error values: the nearest is a missing value.
            return "NA";
        case sheet::Value::Kind::Array: {
            std::vector<std::string> cells;
            for (const sheet::Value& cell : v.cells)
                cells.push_back(value(cell));
            const std::string all = wrappedCall("c", cells, 4, 1000);
            if (v.columns == 1)
                return all;
            return "matrix(" + all + ", nrow = " + std::to_string(v.rows) + ", byrow = TRUE)";
        }
        default:
            return "NULL";
        }
    }

    std::string expression(const sheet::Expr& e, const std::optional<Kind> kind) const {
        switch (e.kind) {
        case sheet::Expr::Kind::Literal:
            return value(e.literal);
        case sheet::Expr::Kind::Missing:
            // An optional argument left out is NULL; any other is left empty, as R allows.
            return kind && isOptional(*kind) ? "NULL" : "";
        case sheet::Expr::Kind::Negate:
            return "-" + expression(e.args.at(0), std::nullopt);
        case sheet::Expr::Kind::Add:
        case sheet::Expr::Kind::Subtract:
        case sheet::Expr::Kind::Multiply:
        case sheet::Expr::Kind::Divide: {
            // In parentheses: R's operators then group as the sheet's did.
            const char* op = e.kind == sheet::Expr::Kind::Add        ? " + "
                             : e.kind == sheet::Expr::Kind::Subtract ? " - "
                             : e.kind == sheet::Expr::Kind::Multiply ? " * "
                                                                     : " / ";
            return "(" + expression(e.args.at(0), std::nullopt) + op +
                   expression(e.args.at(1), std::nullopt) + ")";
        }
        case sheet::Expr::Kind::Call: {
            const Known* known = find(e.name);
            std::string head = e.name;
            if (known != nullptr) {
                head = known->function->entry->worksheetName;
                if (known->package->name != home_) {
                    head = known->package->name + "::" + head;
                    used_.insert(known->package->name);
                }
            }
            std::vector<std::string> arguments;
            for (std::size_t k = 0; k < e.args.size(); ++k) {
                std::optional<Kind> argumentKind;
                if (known != nullptr && k < known->function->kinds.size())
                    argumentKind = known->function->kinds[k];
                arguments.push_back(expression(e.args[k], argumentKind));
            }
            std::string out = head + "(";
            for (std::size_t k = 0; k < arguments.size(); ++k)
                out += (k > 0 ? ", " : "") + arguments[k];
            return out + ")";
        }
        default:
            throw std::runtime_error("a formula with a cell reference has no R form");
        }
    }

    std::map<std::string, Known> byName_;
    mutable bool exact_ = false;
    mutable std::string home_;
    mutable std::set<std::string> used_;
};

// ---- R/functions.R

std::string functionsFile(const Package& p, const Translator& translator) {
    std::string out = "# Generated from " + p.addin +
                      "'s catalogue by GenerateRPackage: do not edit.\n\n"
                      "# What a check returns when it finds nothing.\n.NOTHING_FOUND <- " +
                      rString(catalogue::NOTHING_FOUND) + "\n\n";
    for (const RFunction& f : p.functions) {
        const std::string name = f.entry->worksheetName;
        std::vector<std::string> passed{".C_" + name};
        passed.insert(passed.end(), f.names.begin(), f.names.end());
        std::string body = wrappedCall(".Call", passed, 10);
        if (isCheck(f))
            body = ".warn_findings(" + body + ", " + rString(p.warningClass) + ")";
        out += wrappedCall(name + " <- function", formals(f), 4) + " {\n    " + body + "\n}\n\n";
    }
    // Each function's arguments and their kinds, for the tests; a model's row length.
    out += "# Each function's arguments: R name = kind; and the length of each model's row.\n";
    out += ".arguments <- list(\n";
    for (std::size_t i = 0; i < p.functions.size(); ++i) {
        const RFunction& f = p.functions[i];
        std::vector<std::string> pairs;
        for (std::size_t k = 0; k < f.names.size(); ++k)
            pairs.push_back(f.names[k] + " = " + rString(f.kindNames[k]));
        out += "    " + std::string(f.entry->worksheetName) + " = " + wrappedCall("c", pairs, 8) +
               (i + 1 < p.functions.size() ? ",\n" : "\n");
    }
    out += ")\n.rows <- c(";
    bool first = true;
    for (const RFunction& f : p.functions)
        if (f.rowLength > 0) {
            out += std::string(first ? "" : ", ") + f.entry->worksheetName + " = " +
                   std::to_string(f.rowLength) + "L";
            first = false;
        }
    out += ")\n# The functions whose numbers and flags may be vectors, one element per patient.\n"
           ".vectorised <- c(";
    first = true;
    for (const RFunction& f : p.functions)
        if (vectorised(f)) {
            out += std::string(first ? "" : ", ") + rString(f.entry->worksheetName);
            first = false;
        }
    out += ")\n# Each function's example, as its help page runs it.\n.examples <- c(\n";
    for (std::size_t i = 0; i < p.functions.size(); ++i) {
        const RFunction& f = p.functions[i];
        out += "    " + std::string(f.entry->worksheetName) + " = " +
               rString(translator.translate(f.entry->example, false, p.name)) +
               (i + 1 < p.functions.size() ? ",\n" : "\n");
    }
    return out + ")\n";
}

// ---- man/<Name>.Rd

const char* kindWords(Kind kind, bool population) {
    switch (kind) {
    case Kind::Number:
        return population ? "A number, or a numeric vector (one per patient)." : "A number.";
    case Kind::Flag:
        return population ? "A flag: TRUE or FALSE (or 1 or 0), or a vector of them (one per "
                            "patient)."
                          : "A flag: TRUE or FALSE (or 1 or 0).";
    case Kind::Column:
        return "A column: a numeric vector, or a matrix or data.frame of one row or one column.";
    case Kind::Text:
        return "A text.";
    case Kind::OptionalNumber:
        return "A number, or NULL (the default) to leave it out.";
    case Kind::Block:
        return "A block: a numeric matrix or data.frame, or a numeric vector as one row.";
    case Kind::Samples:
        return "A column of samples: a numeric vector, NA where not sampled.";
    case Kind::Identifiers:
        return "A column of identifiers: a character vector, a factor or a numeric vector.";
    default:
        return "A numeric vector, or NULL (the default) to leave it out.";
    }
}

std::string cellList(const catalogue::FunctionEntry& entry) {
    const catalogue::FunctionEntry& reference = entry;
    std::string out = "\\describe{\n";
    for (const catalogue::ResultCell& cell : reference.cells) {
        out += "  \\item{" + rd(cell.name) + "}{" + rd(sentence(cell.meaning, entry));
        if (*cell.unit)
            out += " Unit: " + rd(cell.unit) + ".";
        out += "}\n";
    }
    return out + "}\n";
}

std::string valueSection(const Package& p, const RFunction& f) {
    const catalogue::FunctionEntry& reference = *f.entry;
    std::string out = "\\value{\n";
    if (f.rowLength > 0) {
        out += "For one patient (every covariate of length 1) a named numeric vector, " +
               rd(reference.result) +
               "; for several (a covariate longer than 1, the others recycled) a data.frame "
               "with one row per patient and these columns. A patient with an NA covariate "
               "gets NA.\n";
    } else {
        switch (f.returns) {
        case Returns::Column:
            out += reference.cells.size() > 1
                       ? "A named numeric vector, " + rd(reference.result) + ".\n"
                       : "A numeric vector, " + rd(reference.result) + ".\n";
            break;
        case Returns::Number:
            out += f.elementwise ? "A number; for vectors of arguments (recycled to the longest) "
                                   "a numeric vector with one number per element. An NA "
                                   "argument gives NA.\n"
                                 : "A number.\n";
            break;
        case Returns::Flag:
            out += "TRUE or FALSE.\n";
            break;
        case Returns::Text:
            out += "A text.\n";
            break;
        case Returns::Texts:
            out += "A character vector, " + rd(reference.result) +
                   ", the add-in's texts. Each finding is also signalled as a warning of class "
                   "\\code{" +
                   rd(p.warningClass) +
                   "} (never as an error), so that it shows where the call is made; "
                   "\\code{suppressWarnings()} silences them and \\code{withCallingHandlers()} "
                   "collects them.\n";
            break;
        }
    }
    return out + cellList(*f.entry) + "}\n";
}

std::string errorsSection(const RFunction& f) {
    const catalogue::FunctionEntry& reference = *f.entry;
    std::string out = "\\section{Errors}{\n";
    // The add-in's own conversion texts name the registered argument; R words its own.
    std::vector<const catalogue::ErrorCause*> refusals;
    for (const catalogue::ErrorCause& cause : reference.errors)
        refusals.push_back(&cause);
    if (!refusals.empty()) {
        out += "Where the add-in's cell shows a text instead of a result, the function stops "
               "with an R error whose message is exactly that text:\n\\describe{\n";
        for (const catalogue::ErrorCause* cause : refusals)
            out += "  \\item{\\code{\"" + rd(cause->text) + "\"}}{" +
                   rd(sentence(cause->cause, *f.entry)) + "}\n";
        out += "}\n";
    } else if (!isCheck(f)) {
        out += "The function shows no text of its own instead of a result.\n";
    }
    // The text of the first argument that can be refused, as the binding words it.
    const auto refusable = std::find_if(f.kinds.begin(), f.kinds.end(), [](Kind kind) {
        return kind != Kind::Text && kind != Kind::OptionalNumber && kind != Kind::Identifiers;
    });
    if (refusable != f.kinds.end()) {
        const Kind kind = *refusable;
        const std::string& name = f.names[static_cast<std::size_t>(refusable - f.kinds.begin())];
        const bool column =
            kind == Kind::Column || kind == Kind::OptionalColumn || kind == Kind::Samples;
        const char* message =
            kind == Kind::Flag ? conversions::NEITHER_0_NOR_1 : conversions::NOT_A_NUMBER;
        const char* context = kind == Kind::Flag ? conversions::TO_BOOL
                              : column           ? conversions::TO_COLUMN
                                                 : conversions::TO_DOUBLE;
        // NA leaves out an optional argument and is a row not sampled in a column of samples.
        const std::string missingFor = isOptional(kind)        ? "NA"
                                       : kind == Kind::Samples ? "NULL"
                                                               : "NA or NULL";
        out += std::string("An argument that does not convert stops the call with an error ") +
               "naming it, such as \\code{\"" +
               rd(conversions::ErrorText(message, name.c_str(), context)) + "\"} or \\code{\"" +
               rd(conversions::ErrorText(conversions::MISSING, name.c_str(), context)) +
               "\"} for " + missingFor +
               "; arguments are read in their order, and the first that fails is named.\n";
    }
    if (std::any_of(f.kinds.begin(), f.kinds.end(),
                    [](Kind kind) { return kind == Kind::Text || kind == Kind::OptionalNumber; }))
        out += "Its texts and numbers are read as the sheet reads what a user entered, and "
               "never refused: a text argument that holds no text is the empty text; a number "
               "argument that is NULL or \\code{\"\"} is left out, and one that is not a "
               "single number (a text, NA, several values) is read as no number, which the check "
               "reports.\n";
    out += "}\n";
    return out;
}

std::string sourceSection(const catalogue::ModelSource& source,
                          const catalogue::FunctionEntry& entry) {
    std::string out = "\\source{\n" + rd(source.publication);
    if (*source.identifiers)
        out += " " + rd(source.identifiers) + ".";
    out += "\n\nStudied population: " + rd(sentence(source.population, entry)) + "\n\n";
    out += "Studied covariate ranges: " + rd(source.rangesStatus) + ".";
    if (!source.ranges.empty()) {
        out += "\n\\describe{\n";
        for (const catalogue::StudiedRange& range : source.ranges)
            out += "  \\item{" + rd(refdocs::QuantityName(range.quantity)) + "}{" +
                   catalogue::Shown(range.low) + " to " + catalogue::Shown(range.high) + "}\n";
        out += "}";
    }
    out += "\n";
    if (*source.notes)
        out += "\nVariants and notes: " + rd(source.notes) + "\n";
    return out + "}\n";
}

// Where a published equation and its constants come from, and where the sources disagree.
std::string sourcesSection(const catalogue::FunctionEntry& entry) {
    if (!*entry.sources && entry.contested.empty())
        return "";
    std::string out = "\\section{Sources}{\n";
    if (*entry.sources)
        out += rd(entry.sources) + "\n";
    if (!entry.contested.empty()) {
        out += "\nWhere the sources disagree:\n\\itemize{\n";
        for (const char* point : entry.contested)
            out += "  \\item " + rd(point) + "\n";
        out += "}\n";
    }
    return out + "}\n";
}

std::string covariateRules() {
    std::string out = "\\section{Rules}{\nThe rules on impossible values and unit slips, tried "
                      "in this order; for each quantity the first rule a value breaks is "
                      "reported, and a value with an error is read by no later rule. A patient "
                      "outside a model's studied ranges (on the model's page) gets a warning for "
                      "each range.\n\\describe{\n";
    for (const refdocs::CovariateRule& rule : refdocs::CovariateRuleRows())
        out += "  \\item{" + rd(rule.quantity + " " + rule.when + " (" + rule.level + ")") + "}{" +
               rd(rule.reason) + "}\n";
    return out + "}\n}\n";
}

std::string helpPage(const Package& p, const RFunction& f, const Translator& translator,
                     const std::string& checkName) {
    const catalogue::FunctionEntry& entry = *f.entry;
    const catalogue::FunctionEntry& reference = entry;
    const std::string name = entry.worksheetName;
    std::string out =
        "% Generated from " + p.addin + "'s catalogue by GenerateRPackage: do not edit.\n";
    out += "\\name{" + name + "}\n\\alias{" + name + "}\n";
    out += "\\title{" + rd(name + ": " + refdocs::Trimmed(entry.helpText)) + "}\n";
    out += "\\description{\n" + rd(reference.purpose) + "\n}\n";
    out += "\\usage{\n" + wrappedCall(name, formals(f), name.size() + 1) + "\n}\n";
    if (!f.names.empty()) {
        out += "\\arguments{\n";
        for (std::size_t k = 0; k < f.names.size(); ++k) {
            const catalogue::ArgumentEntry& argument = reference.arguments[k];
            out += "  \\item{" + f.names[k] + "}{" + rd(sentence(argument.meaning, entry));
            if (*argument.unit)
                out += " Unit: " + rd(argument.unit) + ".";
            out += " " + std::string(kindWords(f.kinds[k], vectorised(f))) +
                   " The add-in's \\code{" + rd(entry.arguments[k].name) + "}.}\n";
        }
        out += "}\n";
    }
    out += valueSection(p, f);
    out += errorsSection(f);
    out += "\\details{\n";
    out += "The worksheet function \\code{" + name + "} of " + p.addin + ", help text \"" +
           rd(refdocs::Trimmed(entry.helpText)) + "\".";
    if (*reference.notes)
        out += "\n\n" + rd(reference.notes);
    if (f.rowLength > 0 || !isCheck(f))
        out += "\n\nIt neither checks its arguments nor warns: \\code{\\link{" + checkName +
               "}} says what looks wrong with them.";
    out += "\n}\n";
    if (reference.source != nullptr)
        out += sourceSection(*reference.source, entry);
    out += sourcesSection(entry);
    if (&reference == &drugmodels::entries::CovariateCheck)
        out += covariateRules();
    std::set<std::string> used;
    const std::string example = translator.translate(reference.example, false, p.name, &used);
    out += "\\examples{\n";
    if (used.empty()) {
        out += rd(example) + "\n";
    } else {
        std::string condition;
        for (const std::string& other : used)
            condition += std::string(condition.empty() ? "" : " && ") + "requireNamespace(\"" +
                         other + "\", quietly = TRUE)";
        out += "if (" + rd(condition) + ") {\n    " + rd(example) + "\n}\n";
    }
    return out + "}\n";
}

std::string packagePage(const Package& p) {
    std::string out =
        "% Generated from " + p.addin + "'s catalogue by GenerateRPackage: do not edit.\n";
    out += "\\name{" + p.name + "-package}\n\\alias{" + p.name + "-package}\n\\alias{" + p.name +
           "}\n\\docType{package}\n";
    out += "\\title{" + rd(p.title) + "}\n\\description{\n" + rd(p.description) + "\n}\n";
    out += "\\details{\nEvery worksheet function of the " + p.addin +
           " add-in, under its worksheet name, with its arguments in the order the add-in "
           "registers them:\n\\itemize{\n";
    for (const RFunction& f : p.functions)
        out += "  \\item \\code{\\link{" + std::string(f.entry->worksheetName) +
               "}}: " + rd(f.entry->purpose) + "\n";
    return out + "}\n}\n";
}

std::string namespaceFile(const Package& p) {
    return "# Generated by GenerateRPackage: do not edit.\n"
           "useDynLib(" +
           p.name +
           ", .registration = TRUE, .fixes = \".C_\")\n"
           "exportPattern(\"^[[:alpha:]]\")\n";
}

std::string descriptionFile(const Package& p, const std::string& version) {
    return "Package: " + p.name + "\nType: Package\nTitle: " + p.title + "\nVersion: " + version +
           "\nAuthors@R: person(\"Velmora and Corvane developers\", role = c(\"aut\", \"cre\"),\n"
           "    email = \"velmora-corvane@example.org\")\n"
           "Description: " +
           p.description +
           "\nLicense: file LICENSE\nEncoding: UTF-8\nSystemRequirements: C++20\nSuggests: " +
           p.suggests + "\nConfig/testthat/edition: 3\n";
}

void write(const std::filesystem::path& path, const std::string& content) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << content;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

// ---- calls for the tests

std::string callsFile(const std::vector<std::string>& formulas, const Translator& translator) {
    std::string out = "# Generated by GenerateRPackage from the call table and the catalogues' "
                      "examples: do not edit.\n"
                      "# Each formula, the R call that means the same (numbers exact), and the "
                      "R and the registered names of the arguments of the function it calls.\n"
                      "calls <- list(\n";
    bool first = true;
    for (const std::string& formula : formulas) {
        std::string call;
        try {
            call = translator.translate(formula, true, "");
        } catch (const std::exception& e) {
            throw std::runtime_error(formula + " has no R form: " + e.what());
        }
        std::vector<std::string> names, registered;
        const sheet::Expr outer = sheet::parseFormula(formula);
        if (const Known* known = translator.find(outer.name))
            for (std::size_t k = 0; k < known->function->names.size(); ++k) {
                names.push_back(rString(known->function->names[k]));
                registered.push_back(rString(known->function->entry->arguments[k].name));
            }
        out += std::string(first ? "" : ",\n") + "    list(formula = " + rString(formula) +
               ",\n         r = " + rString(call) +
               ",\n         arguments = " + wrappedCall("c", names, 8, 1000) +
               ", registered = " + wrappedCall("c", registered, 8, 1000) + ")";
        first = false;
    }
    return out + "\n)\n";
}

// A call of the call table ([name, argument...]) as the formula it stands for: a number as
// written, TRUE or FALSE, a text in quotes, an omitted argument empty, {"error": "#N/A"} the
// error value, a list a column {1;2;3}, a list of lists rows {1,2;3,4}.
std::string formulaValue(const rgenerator::Json& value) {
    using Kind = rgenerator::Json::Kind;
    switch (value.kind) {
    case Kind::Number:
        return value.text;
    case Kind::Boolean:
        return value.boolean ? "TRUE" : "FALSE";
    case Kind::String: {
        std::string out = "\"";
        for (char c : value.text)
            out += c == '"' ? std::string("\"\"") : std::string(1, c);
        return out + "\"";
    }
    case Kind::Null:
        return "";
    case Kind::Object:
        return value.at("error").text;
    case Kind::Array: {
        std::string out = "{";
        for (std::size_t i = 0; i < value.items.size(); ++i) {
            const rgenerator::Json& item = value.items[i];
            out += i > 0 ? ";" : "";
            if (!item.is(Kind::Array)) {
                out += formulaValue(item);
                continue;
            }
            for (std::size_t j = 0; j < item.items.size(); ++j)
                out += (j > 0 ? "," : "") + formulaValue(item.items[j]);
        }
        return out + "}";
    }
    }
    return "";
}

std::vector<std::string> callTableFormulas(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file);
    std::ostringstream text;
    text << in.rdbuf();
    const std::string content = text.str();
    const rgenerator::Json table = rgenerator::JsonReader(content).document();
    std::vector<std::string> formulas;
    for (const rgenerator::Json& group : table.at("groups").items)
        for (const rgenerator::Json& call : group.at("calls").items) {
            std::string formula = "=";
            formula += call.items.at(0).text;
            formula += '(';
            for (std::size_t k = 1; k < call.items.size(); ++k) {
                formula += k > 1 ? "," : "";
                formula += formulaValue(call.items[k]);
            }
            formulas.push_back(formula + ")");
        }
    return formulas;
}

int usage() {
    std::cerr << "usage: GenerateRPackage package <velmora|corvane> <folder> <version>\n"
                 "       GenerateRPackage calls <call table> <R file>\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        const std::vector<Package> all = packages();
        const Translator translator(all);
        if (args.size() == 4 && args[0] == "package") {
            const auto p = std::find_if(all.begin(), all.end(),
                                        [&](const Package& q) { return q.name == args[1]; });
            if (p == all.end())
                return usage();
            const std::filesystem::path folder = args[2];
            const auto check = std::find_if(p->functions.begin(), p->functions.end(), isCheck);
            const std::string checkName =
                check == p->functions.end() ? "" : std::string(check->entry->worksheetName);
            write(folder / "R" / "functions.R", functionsFile(*p, translator));
            write(folder / "tests" / "testthat.R", "library(testthat)\nlibrary(" + p->name +
                                                       ")\n\ntest_check(\"" + p->name + "\")\n");
            for (const RFunction& f : p->functions)
                write(folder / "man" / (std::string(f.entry->worksheetName) + ".Rd"),
                      helpPage(*p, f, translator, checkName));
            write(folder / "man" / (p->name + "-package.Rd"), packagePage(*p));
            write(folder / "NAMESPACE", namespaceFile(*p));
            write(folder / "DESCRIPTION", descriptionFile(*p, args[3]));
            return 0;
        }
        if (args.size() == 3 && args[0] == "calls") {
            std::vector<std::string> formulas = callTableFormulas(args[1]);
            for (const Package& p : all)
                for (const RFunction& f : p.functions)
                    formulas.push_back(f.entry->example);
            write(args[2], callsFile(formulas, translator));
            return 0;
        }
        return usage();
    } catch (const std::exception& e) {
        std::cerr << "GenerateRPackage: " << e.what() << "\n";
        return 1;
    }
}
