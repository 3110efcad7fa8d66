// The corvane package's native entries: every row of Corvane's table, the PK tools and the
// schedule check.

#include "binding.h"
#include "pktools/catalogue.h"

extern "C" void R_init_corvane(DllInfo* dll) {
    rbinding::registerPackage<pktools::CORVANE_FUNCTIONS>(dll);
}
