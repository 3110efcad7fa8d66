#pragma once

// A routine checked against its catalogue entry at compile time: as many parameters as
// registered arguments, each of the kind its type code promises. A number ("B") is a
// double; the cell value ("XLF_OPER") reaches a routine as a flag (bool) or a column
// (std::vector<double>), or as the types below.

#include "catalogue/entry.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace catalogue {

// What a check (a routine returning texts) says when it finds nothing; any other text is a
// finding.
inline constexpr const char* NOTHING_FOUND = "OK";

// The type code under which a routine parameter of type Param is registered. Beside flags
// and columns, a cell value reaches a routine that reads what the user entered as it is (a
// check) as a text (std::string), a number that may be left out (std::optional<double>) or
// a column that may be left out (std::optional<std::vector<double>>).
template <class Param> constexpr const char* typeCodeOf() {
    using P = std::remove_cvref_t<Param>;
    static_assert(std::is_same_v<P, double> || std::is_same_v<P, bool> ||
                      std::is_same_v<P, std::vector<double>> || std::is_same_v<P, std::string> ||
                      std::is_same_v<P, std::optional<double>> ||
                      std::is_same_v<P, std::optional<std::vector<double>>>,
                  "a routine parameter is a double, a bool, a std::vector<double>, a "
                  "std::string or an optional number or column");
    return std::is_same_v<P, double> ? NUMBER_ARGUMENT : CELL_VALUE_ARGUMENT;
}

template <class Result, class... Params>
constexpr bool routineMatches(Result (*)(Params...), const FunctionEntry& entry) {
    if (entry.arguments.size() != sizeof...(Params))
        return false;
    const char* codes[] = {typeCodeOf<Params>()..., nullptr};
    for (std::size_t i = 0; i < sizeof...(Params); ++i)
        if (std::string_view(codes[i]) != entry.arguments[i].typeCode)
            return false;
    return true;
}

// Whether every parameter is a number or a flag.
template <class... P>
inline constexpr bool numbersAndFlags = ((std::is_same_v<std::remove_cvref_t<P>, double> ||
                                          std::is_same_v<std::remove_cvref_t<P>, bool>)&&...);

// A routine's types, from the function pointer itself: what every front end's binding
// converts its arguments to and its result from.
template <auto Routine> struct RoutineTraits;
template <class R, class... P, R (*Routine)(P...)> struct RoutineTraits<Routine> {
    using Result = std::remove_cvref_t<R>;
    static constexpr std::size_t arity = sizeof...(P);
    template <std::size_t J>
    using Param = std::remove_cvref_t<std::tuple_element_t<J, std::tuple<P...>>>;
    // A model: numbers and flags in, a row out, so that a front end may call it once per
    // patient of a population.
    static constexpr bool populationShaped =
        std::is_same_v<Result, std::vector<double>> && numbersAndFlags<P...>;
    // A tool of numbers and flags that returns one number (BMI, TPeak), which a front end may
    // call once per element of vectors of its arguments.
    static constexpr bool numbersToNumber =
        std::is_same_v<Result, double> && sizeof...(P) > 0 && numbersAndFlags<P...>;
    // A check: texts out, "OK" or its findings.
    static constexpr bool isCheck = std::is_same_v<Result, std::vector<std::string>>;
};

// Every routine of a tuple against the entry at its index.
template <class Routines, class Catalogue, std::size_t... I>
constexpr bool routinesMatch(const Routines& routines, const Catalogue& entries,
                             std::index_sequence<I...>) {
    return (routineMatches(std::get<I>(routines), entries[I]) && ...);
}

} // namespace catalogue
