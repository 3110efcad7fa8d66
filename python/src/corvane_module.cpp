// The corvane module: every Corvane PK tool, bound from the tool catalogue.

#include "binding.h"
#include "pktools/catalogue.h"
#include "pktools/checks.h"
#include "pktools/routines.h"

PYBIND11_MODULE(_corvane, m) {
    pybind11::options options;
    options.disable_function_signatures(); // each docstring starts with its own signature
    m.doc() = "Corvane's PK tools: hybrid constants, predicted concentrations and effect, "
              "TCI schedules, decrement times, peak effect and body size.";
    m.attr("CATEGORY") = pktools::CORVANE_CATEGORY;
    pybinding::bindCatalogue<pktools::TOOL_ROUTINES, &pktools::ScheduleCheck>(
        m, pktools::TOOL_CATALOGUE, pktools::SCHEDULE_CHECK, "corvane.ScheduleWarning",
        "A finding of corvane.ScheduleCheck: intervals that look like seconds, unordered times or "
        "a decrement that looks like a fraction.",
        false, std::make_index_sequence<std::tuple_size_v<decltype(pktools::TOOL_ROUTINES)>>{});
}
