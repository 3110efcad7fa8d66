// Velmora's registration: every row of its catalogue (drugmodels/catalogue.h) declared as a
// worksheet function, with the settings all of Velmora's functions share. The wrappers the
// host calls are written from the same rows (VelmoraExports.cpp, Velmora.h, Velmora.def).
//
// A wrapper takes its arguments as the host passes them for their registered type codes:
// a number ("B") as a double, a flag or the check's cells ("XLF_OPER") as cell values that
// the binding converts by the routine's parameter kinds under their registered names. A
// model's row goes back as one column, the check's findings as a column of texts.

#include "drugmodels/catalogue.h"
#include "xlf/Registration.h"

namespace {

const xlf::RowRegistrations
    registrations(catalogue::entriesOf(drugmodels::VELMORA_FUNCTIONS),
                  {
                      .category = drugmodels::VELMORA_CATEGORY,
                      .isVolatile = drugmodels::DRUG_VOLATILE,
                      .threadSafe = drugmodels::DRUG_THREAD_SAFE,
                      .returnTypeCode = drugmodels::DRUG_RETURN_TYPE,
                      .helpTopic = drugmodels::DRUG_HELP_TOPIC,
                      .asynchronous = drugmodels::DRUG_ASYNCHRONOUS,
                      .macroSheetEquivalent = drugmodels::DRUG_MACRO_SHEET_EQUIVALENT,
                      .clusterSafe = drugmodels::DRUG_CLUSTER_SAFE,
                  });

} // namespace
