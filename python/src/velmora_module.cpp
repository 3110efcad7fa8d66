// The velmora module: every Velmora drug model, bound from the model catalogue.

#include "binding.h"
#include "drugmodels/catalogue.h"
#include "drugmodels/checks.h"
#include "drugmodels/routines.h"

PYBIND11_MODULE(_velmora, m) {
    pybind11::options options;
    options.disable_function_signatures(); // each docstring starts with its own signature
    m.doc() = "Velmora's population pharmacokinetic models: each returns the parameter row "
              "V1, V2, V3 (L), Cl1, Cl2, Cl3 (L/min) and, for most models, ke0 (1/min).";
    m.attr("CATEGORY") = drugmodels::VELMORA_CATEGORY;
    pybinding::bindCatalogue<drugmodels::MODEL_ROUTINES, &drugmodels::CovariateCheck>(
        m, drugmodels::MODEL_CATALOGUE, drugmodels::COVARIATE_CHECK, "velmora.CovariateWarning",
        "A finding of velmora.CovariateCheck: a model argument that cannot be right, looks like a "
        "unit slip or lies outside the studied population.",
        true, std::make_index_sequence<std::tuple_size_v<decltype(drugmodels::MODEL_ROUTINES)>>{});
}
