#include "pktools/checks.h"

#include "catalogue/kinds.h"
#include "catalogue/shown.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdio>

namespace pktools {

namespace {

using catalogue::FINDING_DIGITS;
using catalogue::Shown;

inline constexpr double SECONDS_PER_MINUTE = 60;

std::string AndMore(std::size_t more) {
    return more == 0 ? "" : " (and " + std::to_string(more) + " more rows)";
}

} // namespace

std::vector<std::string> ScheduleCheck(const OptionalColumn& givenDeltaTimes,
                                       const OptionalColumn& givenTimes,
                                       std::optional<double> decr) {
    const std::vector<double> deltaTimes = givenDeltaTimes.value_or(std::vector<double>{});
    const std::vector<double> Times = givenTimes.value_or(std::vector<double>{});
    std::vector<std::string> errors, warnings;

    // deltaTimes: row 0 is time zero and is not read.
    std::size_t firstNegative = 0, negatives = 0, firstZero = 0, zeros = 0, firstLong = 0,
                longs = 0, notNumbers = 0, firstNotNumber = 0;
    for (std::size_t k = 1; k < deltaTimes.size(); ++k) {
        const double dt = deltaTimes[k];
        const auto count = [k](std::size_t& first, std::size_t& n) {
            first = n++ == 0 ? k : first;
        };
        if (!std::isfinite(dt))
            count(firstNotNumber, notNumbers);
        else if (dt < 0)
            count(firstNegative, negatives);
        else if (dt == 0)
            count(firstZero, zeros);
        else if (dt > LONGEST_PLAUSIBLE_INTERVAL)
            count(firstLong, longs);
    }
    if (notNumbers > 0)
        errors.push_back("deltaTimes row " + std::to_string(firstNotNumber) +
                         " is not a finite number" + AndMore(notNumbers - 1));
    if (negatives > 0)
        errors.push_back("deltaTimes row " + std::to_string(firstNegative) + " is " +
                         Shown(deltaTimes[firstNegative], FINDING_DIGITS) +
                         ": an interval cannot be negative" + AndMore(negatives - 1));
    if (zeros > 0)
        warnings.push_back("deltaTimes row " + std::to_string(firstZero) +
                           " is 0: the TCI functions cannot choose a rate for an empty interval" +
                           AndMore(zeros - 1));
    if (longs > 0) {
        const double dt = deltaTimes[firstLong];
        warnings.push_back(
            "deltaTimes row " + std::to_string(firstLong) + " is " + Shown(dt, FINDING_DIGITS) +
            ", above " + Shown(LONGEST_PLAUSIBLE_INTERVAL, FINDING_DIGITS) +
            ": intervals are in the models' time unit, minutes; seconds? (" +
            Shown(dt, FINDING_DIGITS) + " s = " + Shown(dt / SECONDS_PER_MINUTE, FINDING_DIGITS) +
            " min)" + AndMore(longs - 1));
    }

    // Times: the contexts ascend strictly.
    for (std::size_t k = 1; k < Times.size(); ++k) {
        if (!(Times[k] - Times[k - 1] > 0)) {
            errors.push_back("Times row " + std::to_string(k) + " (" +
                             Shown(Times[k], FINDING_DIGITS) + ") is not above row " +
                             std::to_string(k - 1) + " (" + Shown(Times[k - 1], FINDING_DIGITS) +
                             "): the context times must ascend, each a longer infusion");
            break;
        }
    }
    if (!Times.empty() && Times[0] < 0)
        errors.push_back("Times row 0 is " + Shown(Times[0], FINDING_DIGITS) +
                         ": an infusion cannot last a negative time");

    // decr: a percentage.
    if (decr) {
        const double d = *decr;
        if (!std::isfinite(d))
            errors.push_back("decr is not a number: give the decrement in percent (50 for 50 %)");
        else if (d <= 0)
            errors.push_back("decr " + Shown(d, FINDING_DIGITS) +
                             " is at or below 0: the decrement is a fall in percent (50 for 50 %)");
        else if (d >= WHOLE_DECREMENT)
            errors.push_back("decr " + Shown(d, FINDING_DIGITS) + " is at or above " +
                             Shown(WHOLE_DECREMENT, FINDING_DIGITS) +
                             ": no finite time reaches a fall of the whole concentration");
        else if (d <= LARGEST_FRACTION_DECREMENT)
            warnings.push_back("decr " + Shown(d, FINDING_DIGITS) + " is at or below " +
                               Shown(LARGEST_FRACTION_DECREMENT, FINDING_DIGITS) +
                               ": the decrement is in percent; a fraction? (" +
                               Shown(d, FINDING_DIGITS) + " = " + Shown(d * 100, FINDING_DIGITS) +
                               " %)");
    }

    if (errors.empty() && warnings.empty())
        return {catalogue::NOTHING_FOUND};
    errors.insert(errors.end(), warnings.begin(), warnings.end());
    return errors;
}

} // namespace pktools
