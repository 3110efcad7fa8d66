#pragma once

// The reference of Corvane's functions: what each tool computes, its arguments with their
// units, the cells it returns, the texts it can show instead and what causes them. Each
// entry of the catalogue points to the reference of the same name.
//
// No unit is ever converted: volumes, clearances, doses, rates and times may be in any
// consistent set, and rate constants are per time unit of the time columns. With Velmora's
// models that is litres, minutes and the drug's dose unit.

#include "catalogue/reference.h"

namespace pktools::reference {

using catalogue::ArgumentReference;
using catalogue::ErrorCause;
using catalogue::Reference;
using catalogue::ResultCell;

// ---- The schedule check

inline constexpr ArgumentReference SCHEDULE_CHECK_ARGS[] = {
    {"deltaTimes", "min",
     "the interval column of PredCp, PredCe, TciCp, CalcRate, TciCe or decrCe, or left out"},
    {"Times", "min", "the context-time column of CsDtCp, CsDtCpVCl or CsDtCe, or left out"},
    {"decr", "%", "the decrement of the context-sensitive decrement times, or left out"},
};
inline constexpr ResultCell SCHEDULE_CHECK_CELLS[] = {
    {"finding", "",
     "\"OK\" when nothing is to be said; otherwise one finding per cell, errors first"},
};
inline constexpr Reference ScheduleCheck{
    "Checks the columns of a schedule before a tool reads them: an interval above 30 that "
    "looks like seconds (the models' time unit is the minute), a negative or empty interval, "
    "context times that do not ascend, and a decrement of at most 1 that looks like a fraction "
    "where a percentage is meant. It never changes a tool's numbers.",
    SCHEDULE_CHECK_ARGS,
    "a column of texts: \"OK\", or one line per finding",
    SCHEDULE_CHECK_CELLS,
    {},
    "=ScheduleCheck({0;60;60;60}, , 0.5)",
    nullptr,
    "Row 0 of deltaTimes is time zero and is not read, as in the tools. Each kind of finding is "
    "named once, at its first row, with the count of the other rows.",
};

} // namespace pktools::reference
