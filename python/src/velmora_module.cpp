// The velmora module: every Velmora drug model, bound from its table of rows.

#include "binding.h"
#include "catalogue/covariates.h"
#include "drugmodels/catalogue.h"

namespace {
// The covariate check that reads the models' and the body-size functions' arguments.
const std::string COVARIATE_CHECK = std::string("velmora.") + catalogue::COVARIATE_CHECK;
} // namespace

PYBIND11_MODULE(_velmora, m) {
    pybind11::options options;
    options.disable_function_signatures(); // each docstring starts with its own signature
    m.doc() = "Velmora's population pharmacokinetic models: each returns the parameter row "
              "V1, V2, V3 (L), Cl1, Cl2, Cl3 (L/min) and, for most models, ke0 (1/min).";
    m.attr("CATEGORY") = drugmodels::VELMORA_CATEGORY;
    pybinding::bindRows<drugmodels::VELMORA_FUNCTIONS>(
        m, "velmora.CovariateWarning",
        "A finding of velmora.CovariateCheck: a model argument that cannot be right, looks like a "
        "unit slip or lies outside the studied population.",
        true, COVARIATE_CHECK.c_str());
}
