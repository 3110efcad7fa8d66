// Must not compile: a routine with a parameter the binding does not convert (a column of
// flags, as a function taking one switch per model would have) stops the build with the
// binding's message instead of being left out of the extension. Compiled by the test
// libreoffice.unsupported_parameter, which expects that message.

#include "Binding.h"

#include <tuple>
#include <vector>

namespace {

std::vector<double> CheckByNames(std::vector<bool> models, double age) {
    return {static_cast<double>(models.size()), age};
}

constexpr catalogue::ArgumentEntry CHECK_ARGS[] = {
    {"models", " whether each model is taken ", catalogue::CELL_VALUE_ARGUMENT},
    {"age", " the patient's age ", catalogue::NUMBER_ARGUMENT},
};
constexpr catalogue::FunctionEntry CHECK_BY_NAMES{"CheckByNames", " a check ", CHECK_ARGS};
// Not through catalogue::Row, whose own check would stop the build first.
struct Row {
    decltype(&CheckByNames) routine;
    const catalogue::FunctionEntry* entry;
};
constexpr std::tuple ROWS{Row{&CheckByNames, &CHECK_BY_NAMES}};

} // namespace

calc::Table CheckByNamesMethod(const css::uno::Any& models, const css::uno::Any& age) {
    return calc::Call<0>(ROWS, models, age);
}
