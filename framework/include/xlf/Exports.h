#pragma once

// What an add-in exports: the framework's entry points, then one wrapper per row of the
// add-in's table of functions (catalogue/row.h). The exports generator
// (framework/generator/GenerateExports.cpp) writes the wrappers, their declarations with
// the list of exports below, and the Windows export list from the rows; ExportsFitRows
// fails the add-in's build when the written wrappers no longer follow the rows.
//
//     inline constexpr std::tuple CORVANE_EXPORTS{
//         xlf::Export{"xlCl2Hyb", &xlCl2Hyb},
//         ...
//     };
//     static_assert(xlf::ExportsFitRows(CORVANE_EXPORTS, pktools::CORVANE_FUNCTIONS));

#include "catalogue/row.h"
#include "xlf/HostApi.h"

#include <cstddef>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

namespace xlf {

// The framework's entry points, exported by every add-in (xlf/XlOpenClose.h).
inline constexpr const char* ENTRY_POINTS[] = {"xlAutoOpen", "xlAutoClose", "xlAutoRemove",
                                               "xlwGenDoc"};

// An exported wrapper and its name.
template <class Function> struct Export {
    const char* name;
    Function* function;
};
template <class Function> Export(const char*, Function*) -> Export<Function>;

namespace detail {

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

// Does the entry fit the exported function: its export name, one argument per parameter,
// each argument's type code the one the host passes that parameter for?
template <class Result, class... Params>
constexpr bool WrapperMatches(Result(XLF_PASCAL* /*wrapper*/)(Params...), std::string_view name,
                              const catalogue::FunctionEntry& entry) {
    std::size_t i = 0;
    return name.starts_with(catalogue::EXPORT_PREFIX) &&
           name.substr(catalogue::EXPORT_PREFIX.size()) == entry.worksheetName &&
           std::is_same_v<Result, LPXLOPER12> && entry.arguments.size() == sizeof...(Params) &&
           (detail::PassedFor<Params>(entry.arguments[i++].typeCode) && ...);
}

// Does each export fit the row at its index, one export per row?
template <class Exports, class Rows>
constexpr bool ExportsFitRows(const Exports& exports, const Rows& rows) {
    if constexpr (std::tuple_size_v<Exports> != std::tuple_size_v<Rows>) {
        return false;
    } else {
        return [&]<std::size_t... I>(std::index_sequence<I...>) {
            return (WrapperMatches(std::get<I>(exports).function, std::get<I>(exports).name,
                                   *std::get<I>(rows).entry) &&
                    ...);
        }
        (std::make_index_sequence<std::tuple_size_v<Rows>>{});
    }
}

} // namespace xlf

// Fails the build unless the catalogue entry (a constant expression) fits both the exported
// wrapper and the routine.
#define XLF_CHECK_BINDING(wrapper, routine, entry)                                                 \
    static_assert(::xlf::WrapperMatches(&wrapper, #wrapper, entry),                                \
                  #wrapper ": the catalogue entry does not match the exported function");          \
    static_assert(::catalogue::fits(::catalogue::Row{routine, &entry}),                            \
                  #wrapper ": the catalogue entry does not match the routine")
