// Every Corvane function against the worst inputs of each argument: each call returns a
// number or a column of the right length (as its function computes) or a clear text, never
// a crash, a null or an empty result.

#include "AddinTesting.h"
#include "CorvaneWrappers.h"
#include "HostileInputs.h"

#include <chrono>
#include <iostream>

using hostile::Arg;

namespace {

using CorvaneHostileTest = AddinTest;

} // namespace

TEST_F(CorvaneHostileTest, EveryFunctionAnswersEveryHostileInputWithItsShapeOrAText) {
    hostile::SetHostileCells(host());
    hostile::RecordArena arena;
    const std::vector<hostile::Wrapper> wrappers = CorvaneWrappers();
    const std::vector<hostile::PreparedCall> sane = CorvaneSaneCalls(wrappers, arena);
    ASSERT_EQ(sane.size(), 20u);
    std::size_t calls = 0;
    double slowest = 0;
    std::string slowestCase;
    for (const hostile::PreparedCall& call : sane) {
        const hostile::Wrapper& w = *call.wrapper;
        const std::vector<Arg>& args = call.args;
        SCOPED_TRACE(w.name);
        // The sane call computes.
        ASSERT_NE(hostile::Classify(w.call(args)), hostile::ResultKind::Text);
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
