#pragma once

// The one binding of a worksheet function to its routine. An exported wrapper takes its
// arguments as the host passes them for their registered type codes and hands them to the
// routine of its row in the add-in's table (catalogue/row.h):
//
//     XLF_EXPORT LPXLOPER12 XLF_PASCAL xlJLBM(double weight, double height, LPXLOPER12 MALE) {
//         return xlf::CallRow<pktools::CORVANE_FUNCTIONS, 17>(weight, height, MALE);
//     }
//
// The exports generator writes these wrappers from the rows (xlf/Exports.h). Call runs in
// the frame (xlf/Frame.h): each host argument becomes the routine's parameter by that
// parameter's kind (xlf/Arguments.h), in registered order, under the argument's registered
// name (the first that cannot be converted names itself in the cell's error text); then the
// routine runs and its result goes back to the host.

#include "catalogue/entry.h"
#include "xlf/Arguments.h"
#include "xlf/Frame.h"
#include "xlf/HostApi.h"
#include "xlf/XlfOper.h"

#include <cstddef>
#include <span>
#include <tuple>
#include <type_traits>
#include <utility>

namespace xlf {

namespace detail {

template <class Result, class... Params, std::size_t... I>
Result Invoke(Result (*routine)(Params...),
              [[maybe_unused]] std::span<const catalogue::ArgumentEntry> arguments,
              std::index_sequence<I...>, typename HostArgumentOf<Params>::Type... hostArgs) {
    // A braced list converts left to right: in registered order.
    std::tuple<std::remove_cvref_t<Params>...> values{
        HostArgumentOf<Params>::Convert(hostArgs, arguments[I].name)...};
    return std::apply(routine, std::move(values));
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

// The routine of row I of the add-in's table, on the host's arguments.
template <const auto& Rows, std::size_t I, class... HostArgs>
LPXLOPER12 CallRow(HostArgs... hostArgs) noexcept {
    constexpr const auto& row = std::get<I>(Rows);
    return Call(row.routine, *row.entry, hostArgs...);
}

} // namespace xlf
