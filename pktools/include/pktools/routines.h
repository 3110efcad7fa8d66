#pragma once

// Every tool routine at the index of its catalogue entry, so that a front end binds them
// all from one list. The build fails when a routine's parameters do not match its entry's
// arguments.

#include "catalogue/routine.h"
#include "pktools/bodysize.h"
#include "pktools/catalogue.h"
#include "pktools/checks.h"
#include "pktools/compartments.h"
#include "pktools/decrement.h"
#include "pktools/effect.h"
#include "pktools/peak.h"
#include "pktools/prediction.h"
#include "pktools/tci.h"

#include <tuple>
#include <utility>

namespace pktools {

inline constexpr std::tuple TOOL_ROUTINES{
    &Cl2Hyb, &Hyb2Cl,    &PredCp,    &PredCe, &PredCpVCl, &PredEff, &decrCe,
    &CsDtCe, &CsDtCp,    &CsDtCpVCl, &TciCp,  &CalcRate,  &TciCe,   &TPeak,
    &VdPeak, &TPeak2ke0, &BMI,       &JLBM,   &JanLBM,    &JJLBM,
};
static_assert(std::tuple_size_v<decltype(TOOL_ROUTINES)> == TOOL_COUNT);
static_assert(catalogue::routinesMatch(TOOL_ROUTINES, TOOL_CATALOGUE,
                                       std::make_index_sequence<TOOL_COUNT>{}),
              "a tool routine does not match its catalogue entry");

// The schedule check beside the tools.
static_assert(catalogue::routineMatches(&ScheduleCheck, SCHEDULE_CHECK),
              "the schedule check does not match its catalogue entry");

} // namespace pktools
