// Corvane's wrappers called from many threads at once, from threads that start and end
// while others call, and 100000 times in a row with the resident memory measured. The
// computation keeps no module-wide state and each thread has its own temporary memory, so
// every thread gets exactly the results of a single thread.

#include "AddinTesting.h"
#include "CallPatterns.h"
#include "CorvaneWrappers.h"
#include "HostileInputs.h"

namespace {

class CorvaneCallPatternsTest : public AddinTest {
protected:
    void SetUp() override {
        AddinTest::SetUp();
        hostile::SetHostileCells(host());
        calls = CorvaneSaneCalls(wrappers, arena);
        // Refusals and texts the host must coerce.
        for (const hostile::Wrapper& w : wrappers) {
            if (w.name == "xlPredEff") {
                calls.push_back({&w,
                                 {{0, arena.Keep(arena.Array(
                                          2, 3, std::vector<xlf::XLOPER12>(6, arena.Number(1))))},
                                  {0},
                                  {100},
                                  {1.5},
                                  {2}}});
                calls.push_back(
                    {&w, {{0, arena.Keep(arena.SRef(0, 2, 0, 0))}, {0}, {100}, {1.5}, {2}}});
            }
            if (w.name == "xlJLBM") {
                calls.push_back({&w, {{77}, {177}, {0, arena.Keep(arena.Text(u"FALSE"))}}});
                calls.push_back({&w, {{77}, {177}, {0, arena.Keep(arena.Text(u"word"))}}});
            }
        }
        expected = hostile::ExpectedOutcomes(calls);
    }

    hostile::RecordArena arena;
    const std::vector<hostile::Wrapper> wrappers = CorvaneWrappers();
    std::vector<hostile::PreparedCall> calls;
    std::vector<hostile::Outcome> expected;
};

} // namespace

TEST_F(CorvaneCallPatternsTest, ManyThreadsCallingAtOnceGetTheSingleThreadResults) {
    hostile::ExpectManyThreadsToGetTheSingleThreadResults(calls, expected);
}

TEST_F(CorvaneCallPatternsTest, ThreadsStartingAndEndingWhileOthersCallGetTheSameResults) {
    hostile::ExpectThreadsComingAndGoingToGetTheSameResults(calls, expected);
}

TEST_F(CorvaneCallPatternsTest, AHundredThousandCallsLeaveTheResidentMemoryFlat) {
    hostile::ExpectAHundredThousandCallsToLeaveTheMemoryFlat(calls, expected);
}
