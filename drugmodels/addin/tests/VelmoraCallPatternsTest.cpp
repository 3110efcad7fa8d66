// Velmora's wrappers called from many threads at once, from threads that start and end
// while others call, and 100000 times in a row with the resident memory measured. The
// computation keeps no module-wide state and each thread has its own temporary memory, so
// every thread gets exactly the results of a single thread.

#include "AddinTesting.h"
#include "CallPatterns.h"
#include "HostileInputs.h"
#include "VelmoraWrappers.h"

namespace {

class VelmoraCallPatternsTest : public AddinTest {
protected:
    void SetUp() override {
        AddinTest::SetUp();
        hostile::SetHostileCells(host());
        calls = VelmoraSaneCalls(wrappers, arena);
        // Flags the host must coerce: a text it reads, and a word it cannot.
        const hostile::Wrapper* white = nullptr;
        for (const hostile::Wrapper& w : wrappers) {
            if (w.name == "xlPropWhite") {
                white = &w;
            }
        }
        ASSERT_NE(white, nullptr);
        calls.push_back({white, {{53}, {77}, {0, arena.Keep(arena.Text(u"TRUE"))}}});
        calls.push_back({white, {{53}, {77}, {0, arena.Keep(arena.Text(u"word"))}}});
        calls.push_back({white, {{53}, {77}, {0, arena.Keep(arena.SRef(0, 0, 0, 0))}}});
        expected = hostile::ExpectedOutcomes(calls);
    }

    hostile::RecordArena arena;
    const std::vector<hostile::Wrapper> wrappers = VelmoraWrappers();
    std::vector<hostile::PreparedCall> calls;
    std::vector<hostile::Outcome> expected;
};

} // namespace

TEST_F(VelmoraCallPatternsTest, ManyThreadsCallingAtOnceGetTheSingleThreadResults) {
    hostile::ExpectManyThreadsToGetTheSingleThreadResults(calls, expected);
}

TEST_F(VelmoraCallPatternsTest, ThreadsStartingAndEndingWhileOthersCallGetTheSameResults) {
    hostile::ExpectThreadsComingAndGoingToGetTheSameResults(calls, expected);
}

TEST_F(VelmoraCallPatternsTest, AHundredThousandCallsLeaveTheResidentMemoryFlat) {
    hostile::ExpectAHundredThousandCallsToLeaveTheMemoryFlat(calls, expected);
}
