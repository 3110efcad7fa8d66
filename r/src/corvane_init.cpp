// The corvane package's native entries: every Corvane PK tool and the schedule check, bound
// from the tool catalogue.

#include "binding.h"
#include "pktools/catalogue.h"
#include "pktools/checks.h"
#include "pktools/routines.h"

namespace {

constexpr std::tuple CHECK_ROUTINES{&pktools::ScheduleCheck};
constexpr std::array CHECK_ENTRIES{pktools::SCHEDULE_CHECK};

} // namespace

extern "C" void R_init_corvane(DllInfo* dll) {
    rbinding::registerPackage<pktools::TOOL_ROUTINES, pktools::TOOL_CATALOGUE, CHECK_ROUTINES,
                              CHECK_ENTRIES>(dll);
}
