#pragma once

// How the host passes an argument that a routine takes as Param, and how it becomes a
// Param: one specialisation of HostArgument per kind of argument (catalogue/kinds.h). Type
// is what the exported wrapper takes (a double for a number, the cell value for every other
// kind); Convert turns it into the routine's parameter under the argument's registered name,
// which names itself in the cell's text when it cannot (xlf/XlfOper.h).
//
// A new kind of argument gets its specialisation here, beside the others; a routine
// parameter of a kind without one does not bind.

#include "catalogue/kinds.h"
#include "xlf/HostApi.h"
#include "xlf/XlfOper.h"

#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace xlf {

template <class Param> struct HostArgument {
    static_assert(
        sizeof(Param) == 0,
        "the add-ins convert numbers, flags, columns, texts, "
        "optional numbers and columns and blocks: teach framework/include/xlf/Arguments.h "
        "this kind of argument");
};

// A number, passed by value.
template <> struct HostArgument<double> {
    using Type = double;
    static double Convert(double value, const char*) { return value; }
};

// A flag: a cell value that is converted to a truth value.
template <> struct HostArgument<bool> {
    using Type = LPXLOPER12;
    static bool Convert(LPXLOPER12 value, const char* name) { return XlfOper(value).ToBool(name); }
};

// A column: a cell value that is one row, one column or one value, read in its order.
template <> struct HostArgument<std::vector<double>> {
    using Type = LPXLOPER12;
    static std::vector<double> Convert(LPXLOPER12 value, const char* name) {
        return XlfOper(value).ToDoubleVector(name);
    }
};

// What a check reads as the user entered it, none of which raises: a text, a number that
// may be left out, a column that may be left out.
template <> struct HostArgument<std::string> {
    using Type = LPXLOPER12;
    static std::string Convert(LPXLOPER12 value, const char*) { return TextOf(XlfOper(value)); }
};
template <> struct HostArgument<std::optional<double>> {
    using Type = LPXLOPER12;
    static std::optional<double> Convert(LPXLOPER12 value, const char*) {
        return OptionalNumber(XlfOper(value));
    }
};
template <> struct HostArgument<std::optional<std::vector<double>>> {
    using Type = LPXLOPER12;
    static std::optional<std::vector<double>> Convert(LPXLOPER12 value, const char* name) {
        return OptionalColumn(XlfOper(value), name);
    }
};

// A block of numbers (xlf/XlfOper.h).
template <> struct HostArgument<catalogue::Block> {
    using Type = LPXLOPER12;
    static catalogue::Block Convert(LPXLOPER12 value, const char* name) {
        return XlfOper(value).ToBlock(name);
    }
};

// A column of samples, its empty cells not sampled (xlf/XlfOper.h).
template <> struct HostArgument<catalogue::Samples> {
    using Type = LPXLOPER12;
    static catalogue::Samples Convert(LPXLOPER12 value, const char* name) {
        return XlfOper(value).ToSamples(name);
    }
};

// A column of identifiers, texts or numbers (xlf/XlfOper.h).
template <> struct HostArgument<catalogue::Identifiers> {
    using Type = LPXLOPER12;
    static catalogue::Identifiers Convert(LPXLOPER12 value, const char* name) {
        return XlfOper(value).ToIdentifiers(name);
    }
};

template <class Param> using HostArgumentOf = HostArgument<std::remove_cvref_t<Param>>;

} // namespace xlf
