// Every Corvane function against the worst inputs of each argument: each call returns a
// number or a column of the right length (as its function computes) or a clear text, never
// a crash, a null or an empty result.

#include "AddinTesting.h"
#include "CorvaneWrappers.h"
#include "HostileInputs.h"
#include "pktools/compartments.h"

#include <chrono>
#include <iostream>
#include <map>

using hostile::Arg;

namespace {

using CorvaneHostileTest = AddinTest;

// Sane arguments per function: the numbers, and the records in their order.
struct Sane {
    std::vector<double> numbers;
    std::vector<std::vector<double>> columns; // a record of one element is a flag
};

std::map<std::string, Sane> SaneArguments() {
    const std::vector<double> v = {4.27, 18.9, 238, 1.89, 1.29, 0.836};
    const std::vector<double> h = pktools::Cl2Hyb(v);
    const double ke0 = 0.456;
    const std::vector<double> dt = {0, 1, 1, 2, 5}, rate = {0, 10, 10, 0, 3},
                              bolus = {2, 0, 0, 1, 0}, levels = {1, 0.5, 0.5, 0.2, 0.1},
                              times = {0, 10, 60, 240, 600}, targets = {0, 3, 3, 3, 2};
    const std::vector<double> hyb = {h[0], h[1], h[2], h[3], h[4], h[5]};
    auto with = [](std::vector<double> a, std::initializer_list<double> b) {
        a.insert(a.begin(), b);
        return a;
    };
    auto plus = [](std::vector<double> a, std::initializer_list<double> b) {
        a.insert(a.end(), b);
        return a;
    };
    return {
        {"xlCl2Hyb", {{}, {v}}},
        {"xlHyb2Cl", {{}, {hyb}}},
        {"xlPredCp", {hyb, {dt, rate, bolus}}},
        {"xlPredCe", {plus(hyb, {ke0}), {dt, rate, bolus}}},
        {"xlPredCpVCl", {v, {dt, rate, bolus}}},
        {"xlPredEff", {{0, 100, 1.5, 2.5}, {{0.5, 1, 2, 4}}}},
        {"xldecrCe", {plus(hyb, {ke0}), {dt, rate, bolus, levels}}},
        {"xlCsDtCe", {plus(hyb, {ke0, 50}), {times}}},
        {"xlCsDtCp", {plus(hyb, {50}), {times}}},
        {"xlCsDtCpVCl", {plus(v, {80}), {times}}},
        {"xlTciCp", {with(hyb, {1200}), {dt, targets}}},
        {"xlCalcRate", {with(hyb, {1200}), {dt, bolus, targets}}},
        {"xlTciCe", {plus(with(hyb, {1200}), {ke0}), {dt, targets}}},
        {"xlTPeak", {plus(hyb, {ke0}), {}}},
        {"xlVdPeak", {plus(hyb, {ke0}), {}}},
        {"xlTPeak2ke0", {plus(hyb, {1.6}), {}}},
        {"xlBMI", {{77, 177}, {}}},
        {"xlJLBM", {{77, 177}, {{1}}}},
        {"xlJanLBM", {{77, 177}, {{0}}}},
        {"xlJJLBM", {{130, 160}, {{1}}}},
    };
}

} // namespace

TEST_F(CorvaneHostileTest, EveryFunctionAnswersEveryHostileInputWithItsShapeOrAText) {
    hostile::SetHostileCells(host());
    hostile::RecordArena arena;
    const auto sane = SaneArguments();
    std::size_t calls = 0;
    double slowest = 0;
    std::string slowestCase;
    for (const hostile::Wrapper& w : CorvaneWrappers()) {
        SCOPED_TRACE(w.name);
        ASSERT_EQ(sane.count(w.name), 1u);
        const Sane& s = sane.at(w.name);
        std::vector<Arg> args;
        std::size_t number = 0, record = 0;
        for (hostile::ArgKind kind : w.kinds) {
            Arg a;
            if (kind == hostile::ArgKind::Number) {
                a.number = s.numbers.at(number++);
            } else {
                const std::vector<double>& column = s.columns.at(record++);
                a.record =
                    arena.Keep(column.size() == 1 ? arena.Number(column[0]) : arena.Column(column));
            }
            args.push_back(a);
        }
        ASSERT_EQ(number, s.numbers.size());
        ASSERT_EQ(record, s.columns.size());
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
