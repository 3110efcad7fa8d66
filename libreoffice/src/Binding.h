#pragma once

// The one binding of a routine to a Calc add-in method. Calc passes every argument as an
// any holding what the formula gave: a number (also for TRUE and for an empty cell), a
// text, the rows of a range or an inline array (an empty cell inside as an empty text),
// or nothing for an omitted argument. Each is converted by its routine parameter's type,
// as the add-ins' spreadsheet host and framework convert it, so that the cell shows the
// same number and the same text:
//
//   - a number ("B") is the host's part: an omitted argument is 0, a text that reads as a
//     number is that number, a one-cell array its cell; anything else is refused before
//     the routine runs, and the cell shows #VALUE!;
//   - a flag is true for a number other than 0 or the text TRUE, false for 0, FALSE or an
//     empty cell, the first cell of a range; otherwise "parameter is missing, male
//     Conversion to Bool" and the like, under the argument's name;
//   - a column is a range of one row or one column, or one value; its cells are numbers or
//     texts that read as numbers; otherwise the framework's texts under the argument's name.
//
// A check reads what the user entered as it is, and none of these raises:
//
//   - a text is the text given, or the one cell of a range of one cell; anything else is
//     the empty text;
//   - a number that may be left out is nothing for an omitted argument or an empty text
//     (an empty cell inside a range), the number given (TRUE is 1), the one cell of a range
//     of one cell; anything else is NaN;
//   - a column that may be left out is nothing for an omitted argument, else a column.
//
// Calc passes an empty cell given alone as the number 0, which no binding can tell from a
// 0 typed in: such a cell is 0 where the add-in's host passes it as left out.
//
// The result goes back as rows of anys: a number as one cell, a vector as one column (of
// numbers or of texts), and the text of whatever the conversion or the routine threw as
// one cell.

#include "catalogue/row.h"
#include "xlf/ConversionTexts.h"

#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/RuntimeException.hpp>
#include <com/sun/star/uno/Sequence.hxx>
#include <rtl/ustring.hxx>

#include <cstddef>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace calc {

using rtl::OUString;
using Table = css::uno::Sequence<css::uno::Sequence<css::uno::Any>>;

// A text read as the host reads a number typed in a cell: blanks around, an optional sign,
// digits with at most one decimal point, an optional exponent. Anything else is no number.
std::optional<double> numberInText(const OUString& text);

// The host's refusal of an argument it cannot pass: the cell shows #VALUE!.
[[noreturn]] void refuseArgument();

double numberArgument(const css::uno::Any& value);
bool flagArgument(const css::uno::Any& value, const char* name);
std::vector<double> columnArgument(const css::uno::Any& value, const char* name);
std::string textArgument(const css::uno::Any& value);
std::optional<double> optionalNumberArgument(const css::uno::Any& value);
std::optional<std::vector<double>> optionalColumnArgument(const css::uno::Any& value,
                                                          const char* name);
// A block: a range of any rows and columns, or one value, each cell a column's.
catalogue::Block blockArgument(const css::uno::Any& value, const char* name);
// A column of samples: a column whose empty cells (and empty texts) are rows not sampled.
catalogue::Samples samplesArgument(const css::uno::Any& value, const char* name);
// A column of identifiers: each cell's text, or its number as catalogue::identifierOf writes
// it; an empty cell the empty text.
catalogue::Identifiers identifiersArgument(const css::uno::Any& value, const char* name);

Table resultTable(double value);
Table resultTable(const std::vector<double>& values);
Table resultTable(const std::vector<std::string>& texts);
Table textTable(const char* text);

// How an argument reaches a routine parameter of type Param: one specialisation per kind of
// argument (catalogue/kinds.h); a new kind gets its specialisation here.
template <class Param> struct Argument {
    static_assert(sizeof(Param) == 0,
                  "the LibreOffice binding converts numbers (double), flags (bool), columns "
                  "(std::vector<double>), texts (std::string), optional numbers and columns, "
                  "blocks, samples and identifiers only: teach libreoffice/src/Binding.h this "
                  "parameter type before adding the function");
};
template <> struct Argument<double> {
    static double From(const css::uno::Any& value, const char*) { return numberArgument(value); }
};
template <> struct Argument<bool> {
    static bool From(const css::uno::Any& value, const char* name) {
        return flagArgument(value, name);
    }
};
template <> struct Argument<std::vector<double>> {
    static std::vector<double> From(const css::uno::Any& value, const char* name) {
        return columnArgument(value, name);
    }
};

template <> struct Argument<std::string> {
    static std::string From(const css::uno::Any& value, const char*) { return textArgument(value); }
};
template <> struct Argument<std::optional<double>> {
    static std::optional<double> From(const css::uno::Any& value, const char*) {
        return optionalNumberArgument(value);
    }
};
template <> struct Argument<std::optional<std::vector<double>>> {
    static std::optional<std::vector<double>> From(const css::uno::Any& value, const char* name) {
        return optionalColumnArgument(value, name);
    }
};

template <> struct Argument<catalogue::Block> {
    static catalogue::Block From(const css::uno::Any& value, const char* name) {
        return blockArgument(value, name);
    }
};

template <> struct Argument<catalogue::Samples> {
    static catalogue::Samples From(const css::uno::Any& value, const char* name) {
        return samplesArgument(value, name);
    }
};

template <> struct Argument<catalogue::Identifiers> {
    static catalogue::Identifiers From(const css::uno::Any& value, const char* name) {
        return identifiersArgument(value, name);
    }
};

template <class Result, class... Params, std::size_t... I, class... Values>
Table Invoke(Result (*routine)(Params...), const catalogue::FunctionEntry& entry,
             std::index_sequence<I...>, const Values&... values) {
    static_assert(sizeof...(Params) == sizeof...(Values), "one any per routine parameter");
    // The host reads the numbers before the add-in runs: a number it cannot pass makes
    // #VALUE! whatever the other arguments hold.
    ((std::is_same_v<std::remove_cvref_t<Params>, double> ? (void)numberArgument(values) : (void)0),
     ...);
    try {
        // A braced list converts the arguments in registered order.
        std::tuple<std::remove_cvref_t<Params>...> arguments{
            Argument<std::remove_cvref_t<Params>>::From(values, entry.arguments[I].name)...};
        return resultTable(std::apply(routine, std::move(arguments)));
    } catch (const std::exception& error) {
        return textTable(error.what());
    } catch (const css::uno::Exception&) {
        throw;
    } catch (...) {
        refuseArgument();
    }
}

// The routine of row I of an add-in's table, bound to the row's entry.
template <std::size_t I, class Rows, class... Values>
Table Call(const Rows& rows, const Values&... values) {
    const auto& row = std::get<I>(rows);
    return Invoke(row.routine, *row.entry, std::index_sequence_for<Values...>{}, values...);
}

} // namespace calc
