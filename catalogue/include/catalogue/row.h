#pragma once

// An add-in's functions as one table of rows: each row a routine and its catalogue entry.
// Every front end iterates the same table (the add-in's exported wrappers and their
// registration, the Python module, the LibreOffice extension, the reference pages, the web
// page, the R packages), so a function is one row; a check is a row like any other.
//
//     inline constexpr std::tuple CORVANE_FUNCTIONS{
//         catalogue::Row{&Cl2Hyb, &entries::Cl2Hyb},
//         ...
//         catalogue::Row{&ScheduleCheck, &entries::ScheduleCheck},
//     };
//     static_assert(catalogue::rowsFit(CORVANE_FUNCTIONS));
//
// rowsFit fails the build unless each routine has one parameter per registered argument,
// of a kind (catalogue/kinds.h) whose type code is the argument's, a result of a known
// kind, and no two rows share a worksheet name. What a new function touches, and how a new
// kind of argument is added: docs/adding-a-function.md.

#include "catalogue/entry.h"
#include "catalogue/kinds.h"

#include <array>
#include <cstddef>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

namespace catalogue {

template <class Result, class... Params> struct Row {
    using ResultType = std::remove_cvref_t<Result>;
    static constexpr std::size_t arity = sizeof...(Params);
    static constexpr bool isCheck = ResultKind<ResultType>::isCheck;

    Result (*routine)(Params...);
    const FunctionEntry* entry;
};
template <class Result, class... Params>
Row(Result (*)(Params...), const FunctionEntry*) -> Row<Result, Params...>;

// The routine has one parameter per argument, each of the kind the argument's type code
// says.
template <class Result, class... Params> constexpr bool fits(const Row<Result, Params...>& row) {
    if (row.entry->arguments.size() != sizeof...(Params))
        return false;
    const char* codes[] = {KindOf<Params>::typeCode..., nullptr};
    for (std::size_t i = 0; i < sizeof...(Params); ++i)
        if (std::string_view(codes[i]) != row.entry->arguments[i].typeCode)
            return false;
    return true;
}

template <class Rows> inline constexpr std::size_t rowCount = std::tuple_size_v<Rows>;

// Calls f(row) for every row, in order.
template <class Rows, class F> constexpr void forEachRow(const Rows& rows, F&& f) {
    std::apply([&](const auto&... row) { (f(row), ...); }, rows);
}

// The entries of the rows, in row order: for what reads names and texts only.
template <class Rows> constexpr auto entriesOf(const Rows& rows) {
    return std::apply(
        [](const auto&... row) {
            return std::array<const FunctionEntry*, sizeof...(row)>{row.entry...};
        },
        rows);
}

// Every routine fits its entry, and each worksheet name is one row's.
template <class Rows> constexpr bool rowsFit(const Rows& rows) {
    bool fit = true;
    forEachRow(rows, [&](const auto& row) { fit = fit && fits(row); });
    const auto entries = entriesOf(rows);
    for (std::size_t i = 0; i < entries.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (std::string_view(entries[i]->worksheetName) == entries[j]->worksheetName)
                fit = false;
    return fit;
}

// The index of the row of this worksheet name. In a constant expression a name of no row
// fails the build.
template <class Rows>
constexpr std::size_t rowIndex(const Rows& rows, std::string_view worksheetName) {
    const auto entries = entriesOf(rows);
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (worksheetName == entries[i]->worksheetName)
            return i;
    throw "no row of this worksheet name";
}

// The entry of this worksheet name (compared byte by byte), or nullptr.
template <class Rows>
constexpr const FunctionEntry* findEntry(const Rows& rows, std::string_view worksheetName) {
    for (const FunctionEntry* entry : entriesOf(rows))
        if (worksheetName == entry->worksheetName)
            return entry;
    return nullptr;
}

} // namespace catalogue
