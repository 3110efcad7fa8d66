// Corvane's registration: every row of its catalogue (pktools/catalogue.h) declared as a
// worksheet function in Corvane's category, and the add-in's options. The wrappers the host
// calls are written from the same rows (CorvaneExports.cpp, Corvane.h, Corvane.def).
//
// A wrapper takes its arguments as the host passes them for their registered type codes:
// numbers ("B") as doubles, columns and the MALE flag ("XLF_OPER") as cell values, which
// the binding converts by the routine's parameter kinds under their registered names, in
// registered order. A vector result goes back as one column, a number as a number, and an
// InputError's text is shown in the cell.

#include "pktools/catalogue.h"
#include "xlf/Registration.h"
#include "xlf/XlOpenClose.h"

namespace {

// Corvane serves 12-era hosts only; every call carries the host's international flag, and
// the documentation entry is called at every load.
const xlf::AddinOptionsSetting corvaneOptions(xlf::AddinOptions{
    .internationalCalls = true,
    .genDocAtOpen = true,
    .minimumHostVersion = 12,
    .nulTerminatedTypeText = true,
});

// All of Corvane's functions share the category and the default settings.
const xlf::RowRegistrations registrations(catalogue::entriesOf(pktools::CORVANE_FUNCTIONS),
                                          {.category = pktools::CORVANE_CATEGORY});

} // namespace
