#include "pktools/checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace pktools {
namespace {

using Lines = std::vector<std::string>;
const Lines OK = {"OK"};

// The check with columns that are left out when empty.
Lines Check(const std::vector<double>& deltaTimes, const std::vector<double>& Times,
            std::optional<double> decr) {
    const auto given = [](const std::vector<double>& column) {
        return column.empty() ? OptionalColumn() : OptionalColumn(column);
    };
    return ScheduleCheck(given(deltaTimes), given(Times), decr);
}

TEST(ScheduleCheck, IntervalsInSecondsAboveThirty) {
    // Row 0 is time zero and is not read.
    EXPECT_EQ(Check({600, 30, 0.1667}, {}, std::nullopt), OK);
    EXPECT_EQ(Check({0, 10, 30.0001, 60, 60}, {}, std::nullopt),
              Lines{"deltaTimes row 2 is 30.0001, above 30: intervals are in the models' time "
                    "unit, minutes; seconds? (30.0001 s = 0.500002 min) (and 2 more rows)"});
    EXPECT_EQ(Check({0, 60}, {}, std::nullopt),
              Lines{"deltaTimes row 1 is 60, above 30: intervals are in the models' time unit, "
                    "minutes; seconds? (60 s = 1 min)"});
}

TEST(ScheduleCheck, NegativeAndEmptyIntervals) {
    EXPECT_EQ(Check({0, -0.5, 1, -1}, {}, std::nullopt),
              Lines{"deltaTimes row 1 is -0.5: an interval cannot be negative (and 1 more rows)"});
    EXPECT_EQ(Check({0, 1, 0}, {}, std::nullopt),
              Lines{"deltaTimes row 2 is 0: the TCI functions cannot choose a rate for an empty "
                    "interval"});
    EXPECT_EQ(Check({0, NAN}, {}, std::nullopt), Lines{"deltaTimes row 1 is not a finite number"});
}

TEST(ScheduleCheck, ContextTimesThatDoNotAscend) {
    EXPECT_EQ(Check({}, {0, 10, 20, 600}, std::nullopt), OK);
    EXPECT_EQ(Check({}, {10, 10, 20}, std::nullopt),
              Lines{"Times row 1 (10) is not above row 0 (10): the context times must ascend, "
                    "each a longer infusion"});
    EXPECT_EQ(Check({}, {10, 20, 15, 5}, std::nullopt),
              Lines{"Times row 2 (15) is not above row 1 (20): the context times must ascend, "
                    "each a longer infusion"});
    EXPECT_EQ(Check({}, {-1, 20}, std::nullopt),
              Lines{"Times row 0 is -1: an infusion cannot last a negative time"});
}

TEST(ScheduleCheck, ADecrementThatLooksLikeAFraction) {
    EXPECT_EQ(Check({}, {}, 0.5),
              Lines{"decr 0.5 is at or below 1: the decrement is in percent; a fraction? (0.5 = "
                    "50 %)"});
    EXPECT_EQ(Check({}, {}, 1)[0].substr(0, 22), "decr 1 is at or below ");
    EXPECT_EQ(Check({}, {}, 1.0001), OK);
    EXPECT_EQ(Check({}, {}, 99.99), OK);
    EXPECT_EQ(Check({}, {}, 100),
              Lines{"decr 100 is at or above 100: no finite time reaches a fall of the whole "
                    "concentration"});
    EXPECT_EQ(Check({}, {}, 0),
              Lines{"decr 0 is at or below 0: the decrement is a fall in percent (50 for 50 %)"});
    EXPECT_EQ(Check({}, {}, NAN),
              Lines{"decr is not a number: give the decrement in percent (50 for 50 %)"});
}

TEST(ScheduleCheck, ErrorsBeforeWarnings) {
    EXPECT_EQ(Check({0, 60}, {20, 10}, 0.5),
              (Lines{"Times row 1 (10) is not above row 0 (20): the context times must ascend, "
                     "each a longer infusion",
                     "deltaTimes row 1 is 60, above 30: intervals are in the models' time unit, "
                     "minutes; seconds? (60 s = 1 min)",
                     "decr 0.5 is at or below 1: the decrement is in percent; a fraction? (0.5 = "
                     "50 %)"}));
    EXPECT_EQ(Check({}, {}, std::nullopt), OK);
}

} // namespace
} // namespace pktools
