// Must not compile: a routine with a parameter the binding does not convert (a text, as a
// check function taking a model's name would have) stops the build with the binding's
// message instead of being left out of the extension. Compiled by the test
// libreoffice.unsupported_parameter, which expects that message.

#include "Binding.h"

#include <string>
#include <tuple>
#include <vector>

namespace {

std::vector<double> CheckByName(std::string model, double age) {
    return {static_cast<double>(model.size()), age};
}

constexpr catalogue::ArgumentEntry CHECK_ARGS[] = {
    {"model", " the model's name ", catalogue::CELL_VALUE_ARGUMENT},
    {"age", " the patient's age ", catalogue::NUMBER_ARGUMENT},
};
constexpr catalogue::FunctionEntry CHECK_CATALOGUE[] = {
    {"xlCheckByName", "CheckByName", " a check ", CHECK_ARGS},
};
constexpr std::tuple CHECK_ROUTINES{&CheckByName};

} // namespace

calc::Table CheckByNameMethod(const css::uno::Any& model, const css::uno::Any& age) {
    return calc::Call<0>(CHECK_ROUTINES, CHECK_CATALOGUE, model, age);
}
