// Must not compile: a routine with a parameter the binding does not convert (a column of
// texts, as a function taking a list of model names would have) stops the build with the
// binding's message instead of being left out of the extension. Compiled by the test
// libreoffice.unsupported_parameter, which expects that message.

#include "Binding.h"

#include <string>
#include <tuple>
#include <vector>

namespace {

std::vector<double> CheckByNames(std::vector<std::string> models, double age) {
    return {static_cast<double>(models.size()), age};
}

constexpr catalogue::ArgumentEntry CHECK_ARGS[] = {
    {"models", " the models' names ", catalogue::CELL_VALUE_ARGUMENT},
    {"age", " the patient's age ", catalogue::NUMBER_ARGUMENT},
};
constexpr catalogue::FunctionEntry CHECK_CATALOGUE[] = {
    {"xlCheckByNames", "CheckByNames", " a check ", CHECK_ARGS},
};
constexpr std::tuple CHECK_ROUTINES{&CheckByNames};
constexpr std::tuple<> NO_OTHER_FUNCTIONS{};

} // namespace

calc::Table CheckByNamesMethod(const css::uno::Any& models, const css::uno::Any& age) {
    return calc::Call<0>(CHECK_ROUTINES, CHECK_CATALOGUE, NO_OTHER_FUNCTIONS, models, age);
}
