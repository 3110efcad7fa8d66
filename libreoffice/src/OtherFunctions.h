#pragma once

// The worksheet functions of each add-in beside its routine tuple (the checks), each with
// its routine and its catalogue entry. The generator lists them after the catalogue's
// functions, and the component binds them as it binds the routines of the tuples: a method
// index past the tuple's last names the entry of this list at the remainder.

#include "catalogue/entry.h"
#include "drugmodels/routines.h"
#include "pktools/routines.h"

#include <array>
#include <cstddef>
#include <tuple>

namespace calc {

template <class Routine> struct OtherFunction {
    Routine routine;
    const catalogue::FunctionEntry* entry;
};
template <class Routine>
OtherFunction(Routine, const catalogue::FunctionEntry*) -> OtherFunction<Routine>;

inline constexpr std::tuple VELMORA_OTHER_FUNCTIONS{
    OtherFunction{&drugmodels::CovariateCheck, &drugmodels::COVARIATE_CHECK},
};
inline constexpr std::tuple CORVANE_OTHER_FUNCTIONS{
    OtherFunction{&pktools::ScheduleCheck, &pktools::SCHEDULE_CHECK},
};

// Every routine of a list against its entry, and each add-in's count as its catalogue says.
template <class Others> constexpr bool otherFunctionsMatch(const Others& others) {
    return std::apply(
        [](const auto&... other) {
            return (catalogue::routineMatches(other.routine, *other.entry) && ...);
        },
        others);
}
static_assert(otherFunctionsMatch(VELMORA_OTHER_FUNCTIONS) &&
                  otherFunctionsMatch(CORVANE_OTHER_FUNCTIONS),
              "a function beside the routine tuples does not match its catalogue entry");
static_assert(drugmodels::MODEL_COUNT + std::tuple_size_v<decltype(VELMORA_OTHER_FUNCTIONS)> ==
                  drugmodels::VELMORA_FUNCTION_COUNT,
              "a Velmora function is missing from the extension");
static_assert(pktools::TOOL_COUNT + std::tuple_size_v<decltype(CORVANE_OTHER_FUNCTIONS)> ==
                  pktools::CORVANE_FUNCTION_COUNT,
              "a Corvane function is missing from the extension");

// The catalogue entries of a list, in its order.
template <class Others> auto otherEntries(const Others& others) {
    return std::apply(
        [](const auto&... other) {
            return std::array<const catalogue::FunctionEntry*, sizeof...(other)>{other.entry...};
        },
        others);
}

} // namespace calc
