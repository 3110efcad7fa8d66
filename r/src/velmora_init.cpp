// The velmora package's native entries: every Velmora drug model and the covariate check,
// bound from the model catalogue.

#include "binding.h"
#include "drugmodels/catalogue.h"
#include "drugmodels/checks.h"
#include "drugmodels/routines.h"

namespace {

constexpr std::tuple CHECK_ROUTINES{&drugmodels::CovariateCheck};
constexpr std::array CHECK_ENTRIES{drugmodels::COVARIATE_CHECK};

} // namespace

extern "C" void R_init_velmora(DllInfo* dll) {
    rbinding::registerPackage<drugmodels::MODEL_ROUTINES, drugmodels::MODEL_CATALOGUE,
                              CHECK_ROUTINES, CHECK_ENTRIES>(dll);
}
