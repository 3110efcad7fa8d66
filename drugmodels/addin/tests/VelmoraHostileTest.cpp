// Every Velmora function against the worst inputs of each argument: each call returns a
// column of the model's length or a clear text, never a crash, a null or an empty result.

#include "AddinTesting.h"
#include "HostileInputs.h"
#include "VelmoraWrappers.h"

#include <chrono>
#include <iostream>
#include <map>

using hostile::Arg;

namespace {

using VelmoraHostileTest = AddinTest;

// Realistic covariates per function; flags TRUE.
std::map<std::string, std::vector<double>> SaneNumbers() {
    return {
        {"xlPropSchnider", {53, 77, 177, 59}},
        {"xlPropSchniderTrick", {53, 120, 165}},
        {"xlPropMarsh", {77}},
        {"xlPropWhite", {53, 77}},
        {"xlPropKataria", {20, 6}},
        {"xlDiprifusor", {53, 77}},
        {"xlPropPaedfusor", {6, 20}},
        {"xlPropEleveld", {77, 53}},
        {"xlPropEleveldFinal", {77, 177, 53.75, 53}},
        {"xlABP700V1Eleveld", {77, 53, 177}},
        {"xlKetaDomino", {77}},
        {"xlMidaGreenblatt", {77}},
        {"xlRemiMinto", {53, 59}},
        {"xlAlfentMaitre", {53, 77}},
        {"xlAlfentScott", {}},
        {"xlFentScott", {77}},
        {"xlSufentGepts", {}},
        {"xlSufentHudson", {77}},
        {"xlLidocainSchnider", {77}},
    };
}

} // namespace

TEST_F(VelmoraHostileTest, EveryFunctionAnswersEveryHostileInputWithAColumnOrAText) {
    hostile::SetHostileCells(host());
    hostile::RecordArena arena;
    LPXLOPER12 yes = arena.Keep(arena.Truth(true));
    const auto sane = SaneNumbers();
    std::size_t calls = 0;
    double slowest = 0;
    std::string slowestCase;
    for (const hostile::Wrapper& w : VelmoraWrappers()) {
        SCOPED_TRACE(w.name);
        ASSERT_EQ(sane.count(w.name), 1u);
        std::vector<Arg> args;
        std::size_t number = 0;
        for (hostile::ArgKind kind : w.kinds) {
            Arg a;
            if (kind == hostile::ArgKind::Number) {
                a.number = sane.at(w.name).at(number++);
            } else {
                a.record = yes;
            }
            args.push_back(a);
        }
        ASSERT_EQ(number, sane.at(w.name).size());
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
