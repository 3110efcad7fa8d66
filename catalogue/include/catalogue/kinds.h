#pragma once

// The kinds of argument and result a routine has: each C++ type a routine may take or
// return, with the type code the host registers it under and the name every front end
// gives it. A routine with a parameter or a result of another type does not compile into
// a row (catalogue/row.h).
//
// Adding a kind of argument (a matrix, a column with gaps, a column of texts...) is one
// specialisation per layer, each in one place; a layer that lacks it stops the build with
// a message that names the place:
//   1. here, ArgumentKind<T>: its name and type code (a cell value, unless it is a plain
//      number);
//   2. the add-ins, xlf::HostArgument<T> (framework/include/xlf/Arguments.h): how the cell
//      value the host passes becomes a T, and its texts when it cannot;
//   3. Python, pybinding::From<T> (python/src/binding.h);
//   4. LibreOffice, calc::Argument<T> (libreoffice/src/Binding.h);
//   5. the web page and the R packages, their converters of the same name;
//   6. the reference pages, the texts its conversion shows (refdocs).
// Then a routine may take a T, and every front end binds it.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace catalogue {

// ---- The value of the kind beyond numbers, flags, columns and texts

// A block of numbers, row by row: cells[i * columns + j] is row i, column j. A row, a
// column or one value is a block of one row or one column.
struct Block {
    std::size_t rows = 0;
    std::size_t columns = 0;
    std::vector<double> cells;

    double operator()(std::size_t i, std::size_t j) const { return cells[i * columns + j]; }
    bool isLine() const { return rows == 1 || columns == 1; }
};

// A column of samples: a row without a value (an empty cell) was not sampled.
using Samples = std::vector<std::optional<double>>;

// A column of identifiers (of subjects): each cell's text, a number's as identifierOf writes
// it, an empty cell's the empty text. Rows with equal identifiers belong together.
using Identifiers = std::vector<std::string>;

// A number as an identifier: a whole number its decimal digits ("12", "-3"), so that a
// subject numbered 12 and one named "12" are one subject in every front end; another number
// the digits of its bits ("0x400c000000000000" for 3.5), a subject of its own. A number that
// is not finite names none: the empty text.
inline std::string identifierOf(double number) {
    constexpr double LARGEST_WHOLE = 9007199254740992.0; // 2^53: every whole number exact
    if (!std::isfinite(number))
        return "";
    if (std::floor(number) == number && std::fabs(number) <= LARGEST_WHOLE) {
        auto whole = static_cast<std::uint64_t>(std::fabs(number));
        std::string digits;
        do {
            digits.insert(digits.begin(), static_cast<char>('0' + whole % 10));
            whole /= 10;
        } while (whole > 0);
        return number < 0 ? "-" + digits : digits;
    }
    std::uint64_t bits;
    std::memcpy(&bits, &number, sizeof bits);
    std::string text = "0x";
    for (int shift = 60; shift >= 0; shift -= 4)
        text += "0123456789abcdef"[(bits >> shift) & 0xF];
    return text;
}

// Argument type codes: a number passed by value, and the framework's cell value, which
// each front end converts to the parameter's kind under the argument's registered name.
inline constexpr const char* NUMBER_ARGUMENT = "B";
inline constexpr const char* CELL_VALUE_ARGUMENT = "XLF_OPER";

template <class T> struct ArgumentKind {
    static_assert(sizeof(T) == 0,
                  "a routine parameter is a double, a bool, a std::vector<double>, a std::string, "
                  "an optional number or column, a Block, Samples or Identifiers: a new kind is "
                  "added in catalogue/kinds.h");
};

// A number, typed in or computed: the host passes it by value.
template <> struct ArgumentKind<double> {
    static constexpr const char* name = "number";
    static constexpr const char* typeCode = NUMBER_ARGUMENT;
};
// A flag: TRUE or FALSE, 1 or 0.
template <> struct ArgumentKind<bool> {
    static constexpr const char* name = "flag";
    static constexpr const char* typeCode = CELL_VALUE_ARGUMENT;
};
// A column: a range of one row or one column, or one value, read in its order.
template <> struct ArgumentKind<std::vector<double>> {
    static constexpr const char* name = "column";
    static constexpr const char* typeCode = CELL_VALUE_ARGUMENT;
};
// What a check reads as the user entered it, none of which refuses: a text, a number that
// may be left out, a column that may be left out.
template <> struct ArgumentKind<std::string> {
    static constexpr const char* name = "text";
    static constexpr const char* typeCode = CELL_VALUE_ARGUMENT;
};
template <> struct ArgumentKind<std::optional<double>> {
    static constexpr const char* name = "optional number";
    static constexpr const char* typeCode = CELL_VALUE_ARGUMENT;
};
template <> struct ArgumentKind<std::optional<std::vector<double>>> {
    static constexpr const char* name = "optional column";
    static constexpr const char* typeCode = CELL_VALUE_ARGUMENT;
};

// A block of numbers: a range of rows and columns, a row, a column or one value.
template <> struct ArgumentKind<Block> {
    static constexpr const char* name = "block";
    static constexpr const char* typeCode = CELL_VALUE_ARGUMENT;
};

// A column of samples: a range of one row or one column, whose empty cells are rows not
// sampled.
template <> struct ArgumentKind<Samples> {
    static constexpr const char* name = "samples";
    static constexpr const char* typeCode = CELL_VALUE_ARGUMENT;
};

// A column of identifiers: a range of one row or one column of texts or numbers.
template <> struct ArgumentKind<Identifiers> {
    static constexpr const char* name = "identifiers";
    static constexpr const char* typeCode = CELL_VALUE_ARGUMENT;
};

template <class Param> using KindOf = ArgumentKind<std::remove_cvref_t<Param>>;

// What a check (a routine returning texts) says when it finds nothing; any other text is a
// finding.
inline constexpr const char* NOTHING_FOUND = "OK";

template <class T> struct ResultKind {
    static_assert(sizeof(T) == 0, "a routine returns a double, a std::vector<double> or, as a "
                                  "check, a std::vector<std::string>");
};
template <> struct ResultKind<double> {
    static constexpr const char* name = "number";
    static constexpr bool isCheck = false;
};
template <> struct ResultKind<std::vector<double>> {
    static constexpr const char* name = "column";
    static constexpr bool isCheck = false;
};
// A check: "OK" or one finding per cell.
template <> struct ResultKind<std::vector<std::string>> {
    static constexpr const char* name = "texts";
    static constexpr bool isCheck = true;
};

} // namespace catalogue
