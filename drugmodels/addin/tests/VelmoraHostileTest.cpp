// Every Velmora function against the worst inputs of each argument: each call returns a
// column of the model's length or a clear text, never a crash, a null or an empty result.

#include "AddinTesting.h"
#include "HostileInputs.h"
#include "VelmoraWrappers.h"

namespace {

using VelmoraHostileTest = AddinTest;

} // namespace

TEST_F(VelmoraHostileTest, EveryFunctionAnswersEveryHostileInputWithAColumnOrAText) {
    hostile::SetHostileCells(host());
    hostile::RecordArena arena;
    const std::vector<hostile::Wrapper> wrappers = VelmoraWrappers();
    const std::vector<hostile::PreparedCall> sane = VelmoraSaneCalls(wrappers, arena);
    // The models and the covariate check.
    ASSERT_EQ(sane.size(), catalogue::rowCount<decltype(drugmodels::VELMORA_FUNCTIONS)>);
    hostile::CallEveryHostileInput(sane, arena);
}
