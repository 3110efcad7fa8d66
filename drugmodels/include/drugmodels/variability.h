#pragma once

// The published inter-individual variability of the models: for each model that has one, the
// variance omega^2 of each parameter's eta (P_i = P_typical exp(eta_i)), in the slot order
// of a parameter row, V1, V2, V3, Cl1, Cl2, Cl3, ke0, and 0 where a parameter does not vary
// (or its variance is not known).

#include "drugmodels/models.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace drugmodels {

// The slots of a parameter row that may vary.
inline constexpr std::size_t VARIANCE_SLOTS = ROW_WITH_KE0;
using Variances = std::array<double, VARIANCE_SLOTS>;

// The variances of the model of this worksheet name (compared byte by byte), or nothing
// when none are known.
std::optional<Variances> modelVariances(std::string_view worksheetName);

// The texts ModelOmega shows instead of its result.
inline constexpr const char* UNKNOWN_MODEL = "Unknown model name!";
inline constexpr const char* NO_VARIANCES = "No variances known for this model!";

// ModelOmega's refusal: its text is what the cell shows.
class VarianceRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The seven variances of the model with this worksheet name (in any letter case). Throws
// VarianceRefusal UNKNOWN_MODEL for a name that is no model's and NO_VARIANCES for a model
// without.
std::vector<double> ModelOmega(std::string model);

} // namespace drugmodels
