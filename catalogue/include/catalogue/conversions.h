#pragma once

// The texts of a failed argument conversion, as every front end shows them: the message,
// the argument's name after a comma, then what was being done ("parameter is nil, param
// Conversion to Double"). The add-ins' framework gives the first group; front ends that
// take values other than cells (the Python modules, the web page, the R packages) give
// the second where a cell has nothing alike. The reference pages list them with their
// causes. Nothing here depends on a host.

#include "catalogue/reference.h"

#include <span>
#include <string>
#include <string_view>

namespace catalogue::conversions {

// What was being done.
inline constexpr const char* TO_DOUBLE = "Conversion to Double";
inline constexpr const char* TO_BOOL = "Conversion to Bool";
inline constexpr const char* TO_STRING = "Conversion to String";
inline constexpr const char* TO_COLUMN = "Conversion to Column";
// A column argument's context, as the add-ins' framework gives it.
inline constexpr const char* NOT_ONE_DIMENSIONAL = "Not unidemensional";

// What went wrong: a cell value.
inline constexpr const char* MISSING = "parameter is missing";
inline constexpr const char* ERROR_VALUE = "parameter is error";
inline constexpr const char* NIL = "parameter is nil";
inline constexpr const char* INVALID_RECORD = "invalid OPER structure (memory could be exhausted)";
// What went wrong: another front end's value.
inline constexpr const char* NOT_A_NUMBER = "parameter is not a number";
inline constexpr const char* NOT_A_TEXT = "parameter is not a text";
inline constexpr const char* NEITHER_0_NOR_1 = "parameter is neither 0 nor 1";
inline constexpr const char* NOT_ONE_DIMENSIONAL_VALUE = "parameter is not one-dimensional";
inline constexpr const char* EMPTY = "parameter is empty";
inline constexpr const char* NOT_A_BLOCK = "parameter is not a block of rows and columns";

// "message, name context"; without a name or a context, without what would precede it.
inline std::string ErrorText(std::string_view message, const char* name, const char* context) {
    std::string text(message);
    if (name != nullptr && *name != '\0') {
        text += ", ";
        text += name;
    }
    if (context != nullptr && *context != '\0') {
        text += ' ';
        text += context;
    }
    return text;
}

// A conversion text the add-ins show for a flag or a column argument, and its cause.
struct ConversionError {
    const char* message;
    const char* context;
    const char* cause;
    std::string text(const char* name) const { return ErrorText(message, name, context); }
};

inline constexpr ConversionError FLAG_ERRORS[] = {
    {MISSING, TO_BOOL, "the flag is left out"},
    {NIL, TO_BOOL, "the flag's cell is empty"},
    {ERROR_VALUE, TO_BOOL, "the flag's cell holds an error value or a text that is no truth value"},
};
inline constexpr ConversionError COLUMN_ERRORS[] = {
    {INVALID_RECORD, NOT_ONE_DIMENSIONAL,
     "the range has more than one row and more than one column, or the argument is left out, "
     "empty or an error value"},
};
inline constexpr ConversionError BLOCK_ERRORS[] = {
    {MISSING, TO_DOUBLE, "NAME is left out"},
    {NIL, TO_DOUBLE, "a cell of NAME is empty"},
    {ERROR_VALUE, TO_DOUBLE,
     "NAME, or one of its cells, is an error value or a text that is no number"},
};

// A column of samples: its empty cells are not refused.
inline constexpr ConversionError SAMPLES_ERRORS[] = {
    {INVALID_RECORD, NOT_ONE_DIMENSIONAL,
     "the range has more than one row and more than one column, or the argument is left out or "
     "an error value"},
    {ERROR_VALUE, TO_DOUBLE, "a cell of NAME is an error value or a text that is no number"},
};

// A column of identifiers: any text or number names a subject.
inline constexpr ConversionError IDENTIFIERS_ERRORS[] = {
    {INVALID_RECORD, NOT_ONE_DIMENSIONAL,
     "the range has more than one row and more than one column, or the argument is left out"},
    {ERROR_VALUE, TO_STRING, "NAME, or one of its cells, is an error value"},
};

// The conversion texts of an argument of a kind (catalogue/kinds.h, by its name): a flag's,
// a block's, a column of samples' or identifiers', none for an optional number, or a column's for
// the other kinds of cell value.
inline std::span<const ConversionError> ConversionErrorsOf(std::string_view kind) {
    if (kind == "flag")
        return FLAG_ERRORS;
    if (kind == "block")
        return BLOCK_ERRORS;
    if (kind == "samples")
        return SAMPLES_ERRORS;
    if (kind == "identifiers")
        return IDENTIFIERS_ERRORS;
    if (kind == "optional number")
        return {}; // what is no number is NaN, which the routine refuses in its own words
    return COLUMN_ERRORS;
}

} // namespace catalogue::conversions
