// Every Corvane function against the worst inputs of each argument: each call returns a
// number or a column of the right length (as its function computes) or a clear text, never
// a crash, a null or an empty result.

#include "AddinTesting.h"
#include "CorvaneWrappers.h"
#include "HostileInputs.h"

namespace {

using CorvaneHostileTest = AddinTest;

} // namespace

TEST_F(CorvaneHostileTest, EveryFunctionAnswersEveryHostileInputWithItsShapeOrAText) {
    hostile::SetHostileCells(host());
    hostile::RecordArena arena;
    const std::vector<hostile::Wrapper> wrappers = CorvaneWrappers();
    const std::vector<hostile::PreparedCall> sane = CorvaneSaneCalls(wrappers, arena);
    // The tools and the schedule check.
    ASSERT_EQ(sane.size(), catalogue::rowCount<decltype(pktools::CORVANE_FUNCTIONS)>);
    hostile::CallEveryHostileInput(sane, arena);
}
