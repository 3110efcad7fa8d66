#pragma once

// Rows the exports generator must refuse: an argument whose name cannot name the wrapper's
// parameter. Built into a generator by the test framework.exports_refuse_a_name_that_is_no_
// cpp_name.

#include "catalogue/row.h"

#include <tuple>

namespace refused {

inline double Twice(double x) {
    return 2 * x;
}
inline constexpr catalogue::ArgumentEntry TWICE_ARGS[] = {
    {"double", " a number ", catalogue::NUMBER_ARGUMENT}};
inline constexpr catalogue::FunctionEntry TWICE{"Twice", " twice a number ", TWICE_ARGS};
inline constexpr std::tuple ROWS{catalogue::Row{&Twice, &TWICE}};

} // namespace refused
