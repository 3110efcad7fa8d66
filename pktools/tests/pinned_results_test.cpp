// Pinned results: the exact bits that the simulation, TCI, decrement and peak routines
// return for the benchmark schedules and a few more realistic ones (pinned_cases.cpp). Work
// on the speed of these routines must not move a single bit; each case compares a hash of
// the bit patterns of the whole result column with the one recorded before that work began.
// The three effect-site TCI hashes marked "issue 15" were recorded again when TciCe came to
// accept every converged, finite peak search wherever its abscissa lies, as the algorithm is
// defined; those marked "portable mathematics" when the routines took their own exp, log,
// pow and cubic-root trigonometry (portablemath/), whose bits are the same on every machine.

#include "pinned_cases.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// clang-format off: one pin a line
using Pins = std::vector<std::pair<const char*, const char*>>; // case name, hash of its bits

const Pins EFFECT_SITE_TCI = {
    {"TciCe S1 propofol max 1200", "d6d308e696f92b6f"},
    {"TciCe S1b propofol max 1200", "e90ca7ca840fffcb"},
    {"TciCe S1b propofol max 300", "c4374996733da3fb"}, // the bound binds
    {"TciCe remifentanil max 1000", "9cac3e6062079bb6"},
    {"TciCe midazolam max 5", "f6526ddf0bafaa73"},
    {"TciCe one compartment max 5", "0262a0ee6ac2068f"}, // portable mathematics
};
const Pins EFFECT_SITE_TCI_REPEATING = {
    {"TciCe rising 1..7", "9cd1eeaf4c4a550f"}, // portable mathematics
    {"TciCe ascending 0, 10, 20...", "6d55dc0b1ab1b5d3"},
    {"TciCe climbing 2..5.6", "d4485a32bd14bece"}, // portable mathematics
};
const Pins PLASMA_TCI = {
    {"TciCp S1 propofol max 1200", "9a88377a6f84cc41"},
    {"TciCp S1b propofol max 300", "1eff0bba1883e867"},
    {"TciCp remifentanil max 1000", "7660ef98c8910c85"},
    {"TciCp midazolam max 5", "722a2f4ca40ce43b"},
    {"CalcRate S1b propofol with boluses", "35f64c321b7a6ce3"},
};
const Pins PREDICTIONS = {
    {"PredCe of the S1 rates", "71a5c217ecbce0be"}, {"PredCp day propofol", "4790d5f22342ec5b"},
    {"PredCe day propofol", "6abdc487d18b54e5"},    {"PredCp day remifentanil", "48fadd5e2d8f576c"},
    {"PredCp day midazolam", "5525ebb73f66a7b9"},   {"PredCe day midazolam", "977fafd05ff1b3c2"},
    {"PredCpVCl day propofol", "4790d5f22342ec5b"}, // the same bits as PredCp
};
const Pins DECREMENT_TIMES = {
    {"CsDtCp propofol every minute 50%", "a8c80be412af1844"}, // portable mathematics
    {"CsDtCe propofol every minute 50%", "b352fb25fcea62a8"}, // portable mathematics
    {"CsDtCp propofol every 7 min 80%", "c0bc10e26fc9350f"},
    {"CsDtCe propofol every 7 min 80%", "c9086b82eff077d7"},     // portable mathematics
    {"CsDtCp remifentanil every 3 min 50%", "41b287d48e09ef4f"}, // portable mathematics
    {"CsDtCe remifentanil every 3 min 50%", "1fe1805ac0d40620"},
    {"CsDtCp midazolam every 10 min 50%", "8c3cbcbb0255eb9b"},
    {"CsDtCe midazolam every 10 min 50%", "8d6a511f57f5d38b"},
    {"CsDtCpVCl propofol", "4d0355b87bb630ec"},
};
const Pins DECREMENT_TIMES_OF_A_HISTORY = {
    {"decrCe 6 h propofol levels 1, 2, 3.5", "a39d400cc09af519"}, // portable mathematics
    {"decrCe 6 h midazolam level 0.05", "752873a691573447"},      // portable mathematics
};
const Pins PEAK_EFFECT = {
    {"TPeak VdPeak TPeak2ke0 of three drugs", "f9bd7cf6866edd52"},
};
const Pins HYBRID_CONSTANTS = {
    {"Cl2Hyb propofol remifentanil midazolam", "78d3c65f4f87ee0a"},
};
// clang-format on

void expectPinned(const Pins& pins) {
    for (const auto& [name, hash] : pins)
        EXPECT_EQ(pinned::bitsHash(pinned::result(name)), hash) << name;
}

TEST(PinnedResults, HybridConstants) {
    expectPinned(HYBRID_CONSTANTS);
}
TEST(PinnedResults, EffectSiteTciSchedules) {
    expectPinned(EFFECT_SITE_TCI);
}
TEST(PinnedResults, EffectSiteTciRepeatingSchedules) {
    expectPinned(EFFECT_SITE_TCI_REPEATING);
}
TEST(PinnedResults, PlasmaTciSchedules) {
    expectPinned(PLASMA_TCI);
}
TEST(PinnedResults, Predictions) {
    expectPinned(PREDICTIONS);
}
TEST(PinnedResults, ContextSensitiveDecrementTimes) {
    expectPinned(DECREMENT_TIMES);
}
TEST(PinnedResults, DecrementTimesOfAHistory) {
    expectPinned(DECREMENT_TIMES_OF_A_HISTORY);
}
TEST(PinnedResults, PeakEffect) {
    expectPinned(PEAK_EFFECT);
}

// The digest covers every case: each has its pin here, so none moves unnoticed.
TEST(PinnedResults, EveryCaseIsPinned) {
    std::set<std::string> pinnedNames;
    for (const Pins* group :
         {&HYBRID_CONSTANTS, &EFFECT_SITE_TCI, &EFFECT_SITE_TCI_REPEATING, &PLASMA_TCI,
          &PREDICTIONS, &DECREMENT_TIMES, &DECREMENT_TIMES_OF_A_HISTORY, &PEAK_EFFECT})
        for (const auto& pin : *group)
            EXPECT_TRUE(pinnedNames.insert(pin.first).second) << pin.first << " pinned twice";
    for (const pinned::Case& c : pinned::cases())
        EXPECT_EQ(pinnedNames.count(c.name), 1u) << c.name << " has no pin";
    EXPECT_EQ(pinnedNames.size(), pinned::cases().size());
}

} // namespace
