// The corvane module: every Corvane PK tool, bound from its table of rows.

#include "binding.h"
#include "catalogue/covariates.h"
#include "pktools/catalogue.h"

namespace {
// The covariate check that reads the models' and the body-size functions' arguments.
const std::string COVARIATE_CHECK = std::string("velmora.") + catalogue::COVARIATE_CHECK;
} // namespace

PYBIND11_MODULE(_corvane, m) {
    pybind11::options options;
    options.disable_function_signatures(); // each docstring starts with its own signature
    m.doc() = "Corvane's PK tools: hybrid constants, predicted concentrations and effect, "
              "TCI schedules, decrement times, peak effect and body size.";
    m.attr("CATEGORY") = pktools::CORVANE_CATEGORY;
    pybinding::bindRows<pktools::CORVANE_FUNCTIONS>(
        m, "corvane.ScheduleWarning",
        "A finding of corvane.ScheduleCheck: intervals that look like seconds, unordered times or "
        "a decrement that looks like a fraction.",
        false, COVARIATE_CHECK.c_str());
}
