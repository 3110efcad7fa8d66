#pragma once

// The one binding of a worksheet function to its routine. An exported wrapper takes its
// arguments as the host passes them for their registered type codes and hands them, with
// the routine and its argument table, to Call:
//
//     XLF_EXPORT LPXLOPER12 XLF_PASCAL xlJLBM(double weight, double height, LPXLOPER12 MALE) {
//         return xlf::Call(pktools::JLBM, JLBM_ENTRY, weight, height, MALE);
//     }
//     XLF_CHECK_BINDING(xlJLBM, pktools::JLBM, JLBM_ENTRY);
//
// The entry is the function's catalogue entry (catalogue/entry.h): its argument table, in
// registered order, gives the names. Call runs in the frame (xlf/Frame.h): each host
// argument becomes the routine's parameter by that parameter's type, in registered order,
// under the argument's registered name (the first that cannot be converted names itself in
// the cell's error text); then the routine runs and its result goes back to the host.
// XLF_CHECK_BINDING fails the build when the entry does not fit the exported function or
// the routine.

#include "catalogue/entry.h"
#include "catalogue/routine.h"
#include "xlf/Frame.h"
#include "xlf/HostApi.h"
#include "xlf/Registration.h"
#include "xlf/XlfOper.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace xlf {

// How the host passes an argument that a routine takes as Param (Type), and how it becomes
// a Param. A routine parameter of any other type does not bind.
template <class Param> struct HostArgument;

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

// What a check reads as the user entered it, none of which raises (xlf/XlfOper.h): a text,
// a number that may be left out, a column that may be left out.
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

template <class Param> using HostArgumentOf = HostArgument<std::remove_cvref_t<Param>>;

namespace detail {

template <class Result, class... Params, std::size_t... I>
Result Invoke(Result (*routine)(Params...),
              [[maybe_unused]] std::span<const XlfArgTriple> arguments, std::index_sequence<I...>,
              typename HostArgumentOf<Params>::Type... hostArgs) {
    // A braced list converts left to right: in registered order.
    std::tuple<std::remove_cvref_t<Params>...> values{
        HostArgumentOf<Params>::Convert(hostArgs, arguments[I].name)...};
    return std::apply(routine, std::move(values));
}

// Does the host pass a HostType for this type code? A number ("B") comes as a double, a
// cell value ("XLF_OPER", or its letter "Q" given literally) as a record.
template <class HostType> constexpr bool PassedFor(std::string_view code) {
    if constexpr (std::is_same_v<HostType, double>) {
        return code == catalogue::NUMBER_ARGUMENT;
    } else if constexpr (std::is_same_v<HostType, LPXLOPER12>) {
        return code == catalogue::CELL_VALUE_ARGUMENT || code == "Q";
    } else {
        return false;
    }
}

} // namespace detail

// Runs routine in the frame on the host's arguments, converted by the routine's parameter
// types under the names of the entry's arguments (one per parameter, in registered order),
// and returns its result to the host.
template <class Result, class... Params>
LPXLOPER12 Call(Result (*routine)(Params...), const catalogue::FunctionEntry& entry,
                typename HostArgumentOf<Params>::Type... hostArgs) noexcept {
    return Frame([&] {
        return detail::Invoke(routine, entry.arguments, std::index_sequence_for<Params...>{},
                              hostArgs...);
    });
}

// Does the entry fit the exported function: its export name, one argument per parameter,
// each argument's type code the one the host passes that parameter for ("B" a double,
// "XLF_OPER" or "Q" a cell value)?
template <class Result, class... Params>
constexpr bool WrapperMatches(Result(XLF_PASCAL*)(Params...), std::string_view name,
                              const catalogue::FunctionEntry& entry) {
    std::size_t i = 0;
    return name == entry.exportName && entry.arguments.size() == sizeof...(Params) &&
           (detail::PassedFor<Params>(entry.arguments[i++].typeCode) && ...);
}

} // namespace xlf

// Fails the build unless the catalogue entry (a constant expression) fits both the exported
// wrapper and the routine (catalogue/routine.h).
#define XLF_CHECK_BINDING(wrapper, routine, entry)                                                 \
    static_assert(::xlf::WrapperMatches(&wrapper, #wrapper, entry),                                \
                  #wrapper ": the catalogue entry does not match the exported function");          \
    static_assert(::catalogue::routineMatches(routine, entry),                                     \
                  #wrapper ": the catalogue entry does not match the routine")
