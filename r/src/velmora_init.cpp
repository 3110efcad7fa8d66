// The velmora package's native entries: every row of Velmora's table, the drug models and
// the covariate check.

#include "binding.h"
#include "drugmodels/catalogue.h"

extern "C" void R_init_velmora(DllInfo* dll) {
    rbinding::registerPackage<drugmodels::VELMORA_FUNCTIONS>(dll);
}
