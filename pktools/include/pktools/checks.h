#pragma once

// The schedule check: what the columns of a dosing schedule say before a tool reads them.
// It catches intervals that look like seconds where the models' time unit is the minute,
// context times out of order, and a decrement that looks like a fraction where it is a
// percentage. It never changes a tool's numbers.

#include <optional>
#include <string>
#include <vector>

namespace pktools {

// The longest interval, in minutes, that a schedule's row plausibly has; a longer one looks
// like seconds (the typical TCI step is 10 s, which is 1/6 min).
inline constexpr double LONGEST_PLAUSIBLE_INTERVAL = 30;
// The largest decrement that looks like a fraction (0.5) rather than a percentage (50).
inline constexpr double LARGEST_FRACTION_DECREMENT = 1;
// A fall to this percentage or beyond is never reached in finite time.
inline constexpr double WHOLE_DECREMENT = 100;

// "OK", or one line per finding, errors first. Each argument may be left out (an empty
// column, no decrement): deltaTimes as PredCp, TciCp, TciCe and decrCe read it (row 0 is
// not read), Times as the context-sensitive decrement times read it, decr in percent.
using OptionalColumn = std::optional<std::vector<double>>;
std::vector<std::string> ScheduleCheck(const OptionalColumn& deltaTimes,
                                       const OptionalColumn& Times, std::optional<double> decr);

} // namespace pktools
