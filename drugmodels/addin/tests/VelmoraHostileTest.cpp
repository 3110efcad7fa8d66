// Every Velmora function against the worst inputs of each argument: each call returns a
// column of the model's length or a clear text, never a crash, a null or an empty result.

#include "AddinTesting.h"
#include "HostileInputs.h"
#include "VelmoraWrappers.h"

#include <chrono>
#include <iostream>

using hostile::Arg;

namespace {

using VelmoraHostileTest = AddinTest;

} // namespace

TEST_F(VelmoraHostileTest, EveryFunctionAnswersEveryHostileInputWithAColumnOrAText) {
    hostile::SetHostileCells(host());
    hostile::RecordArena arena;
    const std::vector<hostile::Wrapper> wrappers = VelmoraWrappers();
    const std::vector<hostile::PreparedCall> sane = VelmoraSaneCalls(wrappers, arena);
    ASSERT_EQ(sane.size(), 19u);
    std::size_t calls = 0;
    double slowest = 0;
    std::string slowestCase;
    for (const hostile::PreparedCall& call : sane) {
        const hostile::Wrapper& w = *call.wrapper;
        const std::vector<Arg>& args = call.args;
        SCOPED_TRACE(w.name);
        ASSERT_TRUE(hostile::IsShowable(w, args, w.call(args)));
        for (const hostile::Case& c : hostile::HostileCases(w, args, arena)) {
            const auto start = std::chrono::steady_clock::now();
            const xlf::XLOPER12* result = w.call(c.args);
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (seconds > slowest) {
                slowest = seconds;
                slowestCase = w.name + ", " + c.description;
            }
            EXPECT_TRUE(hostile::IsShowable(w, c.args, result)) << c.description;
            ++calls;
        }
    }
    // For the record, not a limit.
    std::cout << calls << " hostile inputs; slowest " << slowest << " s (" << slowestCase << ")\n";
}
