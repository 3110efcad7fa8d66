#include "sheet/sheet.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace sheet;
using ::testing::HasSubstr;

namespace {

// Seq(n): a column 1..n; Row(n): a row 1..n; Sum(x...): the sum of every number passed,
// arrays included; Count: the number of calls so far.
struct Functions {
    int calls = 0;
    std::optional<Value> operator()(const std::string& name, const std::vector<Value>& args) {
        ++calls;
        if (name == "Seq" || name == "Row") {
            const int n = static_cast<int>(args.at(0).number);
            std::vector<Value> cells;
            for (int i = 1; i <= n; ++i)
                cells.push_back(Value::of(i));
            return name == "Seq" ? Value::array(n, 1, cells) : Value::array(1, n, cells);
        }
        if (name == "Sum") {
            double sum = 0;
            for (const Value& a : args) {
                if (a.is(Value::Kind::Error))
                    return a;
                for (const Value& c : a.is(Value::Kind::Array) ? a.cells : std::vector<Value>{a})
                    if (c.is(Value::Kind::Error))
                        return c;
                    else if (c.is(Value::Kind::Number))
                        sum += c.number;
            }
            return Value::of(sum);
        }
        return std::nullopt;
    }
};

std::string run(const std::string& csv) {
    Sheet s = Sheet::fromCsv(csv);
    Functions f;
    s.evaluate(std::ref(f));
    return s.toCsv();
}

} // namespace

TEST(Sheet, EvaluatesInDependencyOrder) {
    // B1 reads C1, which comes later in reading order; C1 reads a constant.
    EXPECT_EQ(run("2,\"=Sum(C1,1)\",\"=Sum(A1,A1)\"\n"), "2,5,4\n");
    // A text, a truth value and a quoted field with a comma survive unchanged.
    EXPECT_EQ(run("hello,TRUE,\"a,b\"\n"), "hello,TRUE,\"a,b\"\n");
}

TEST(Sheet, SpillsArraysAndReadsSpilledCells) {
    EXPECT_EQ(run("=Seq(3),=Sum(A1:A3)\n"), "1,6\n2,\n3,\n");
    EXPECT_EQ(run("=Row(3)\n"), "1,2,3\n");
    // A formula below reads a cell that a spill fills, although it comes first in no order.
    EXPECT_EQ(run(",=Sum(A3)\n=Seq(3)\n"), ",2\n1,\n2,\n3,\n");
    // A 2-D range of a spilled column.
    EXPECT_EQ(run("=Seq(2),=Seq(2),=Sum(A1:B2)\n"), "1,1,6\n2,2,\n");
}

TEST(Sheet, RefusesSpillsOntoFilledCells) {
    EXPECT_EQ(run("=Seq(3)\n\nx\n"), "#SPILL!\n\nx\n");
    // Two spills into the same cells: the second to be evaluated is blocked.
    EXPECT_EQ(run(",,=Seq(3)\n=Row(3)\n"), ",,1\n#SPILL!,,2\n,,3\n");
}

TEST(Sheet, LooksAheadForSpillsWithoutInventingCycles) {
    // A1 reads the empty C3; B2, which might spill into it, needs A1: it waits its turn.
    EXPECT_EQ(run("=Sum(C3)\n,=Sum(A1,1)\n"), "0,\n,1\n");
    // A real circle through a spill: A1 reads B3, which B2 fills from A1's value.
    Sheet s = Sheet::fromCsv("=Sum(B3)\n,=Seq(Sum(A1,2))\n");
    Functions f;
    s.evaluate(std::ref(f));
    EXPECT_EQ(s.toCsv(), "#CYCLE!,\n,#CYCLE!\n");
    EXPECT_EQ(s.cycles(), (std::set<CellRef>{{0, 0}, {1, 1}}));
    // A formula that reads its own spill area.
    EXPECT_EQ(run("=Seq(Sum(A2,3))\n"), "#CYCLE!\n");
}

TEST(Sheet, MarksCircularReferences) {
    Sheet s = Sheet::fromCsv("=Sum(B1),=Sum(A1),=Sum(C1)\n=Sum(A1),5\n");
    Functions f;
    s.evaluate(std::ref(f));
    EXPECT_EQ(s.toCsv(), "#CYCLE!,#CYCLE!,#CYCLE!\n#CYCLE!,5,\n");
    EXPECT_EQ(s.cycles(), (std::set<CellRef>{{0, 0}, {0, 1}, {0, 2}}));
}

TEST(Sheet, ReadsHandWrittenCsv) {
    // An unquoted formula keeps the commas of its arguments, arrays and texts.
    EXPECT_EQ(run("1, =Sum(A1, {1,2}) ,\"=Sum(A1,1)\"\n"), "1,4,2\n");
    EXPECT_EQ(run("=Sum(1,\"a,b\"),x\n"), "1,x\n");
    // Only decimal numbers are numbers.
    EXPECT_EQ(run("inf,nan,0x10,1e3,-.5,+2,1e\n"), "inf,nan,0x10,1000,-0.5,2,1e\n");
}

TEST(Sheet, NamesTheCellOfASyntaxError) {
    try {
        Sheet::fromCsv("1,2\n3,=Sum(1\n");
        FAIL();
    } catch (const SyntaxError& e) {
        EXPECT_THAT(e.what(), HasSubstr("B2"));
        EXPECT_EQ(e.position(), 7u);
    }
}

TEST(Sheet, PrintsAnAlignedTable) {
    Sheet s = Sheet::fromCsv("Age,53,0.16666666666666666\nName,=Seq(2)\n");
    Functions f;
    s.evaluate(std::ref(f));
    EXPECT_EQ(s.toTable(), "   A     B   C\n"
                           "1  Age   53  0.1666666667\n"
                           "2  Name   1\n"
                           "3         2\n");
}

TEST(Sheet, LetsATextRunOnOverEmptyCellsInTheTable) {
    Sheet s = Sheet::fromCsv("A title that runs on\nx,1,2\n");
    s.evaluate(Functions{});
    EXPECT_EQ(s.toTable(), "   A  B  C\n"
                           "1  A title that runs on\n"
                           "2  x  1  2\n");
    // Up to the next filled cell, where its own column widens.
    Sheet t = Sheet::fromCsv("A long title,,3\nx,1,2\n");
    t.evaluate(Functions{});
    EXPECT_EQ(t.toTable(), "   A          B  C\n"
                           "1  A long title  3\n"
                           "2  x          1  2\n");
}

TEST(Sheet, EvaluatesLongChainsWithoutDeepRecursion) {
    // 100000 cells, each reading the next one down: far deeper than a call stack allows
    // for one level per cell.
    constexpr int n = 100000;
    std::string chain;
    for (int i = 1; i < n; ++i)
        chain += "=Sum(A" + std::to_string(i + 1) + ",1)\n";
    chain += "1\n";
    Sheet s = Sheet::fromCsv(chain);
    s.evaluate(Functions{});
    EXPECT_EQ(formatCell(s.shown({0, 0})), std::to_string(n));
    EXPECT_TRUE(s.cycles().empty());

    // The same chain closed into a circle: every cell of it is marked.
    chain.replace(chain.rfind("1\n"), 2, "=Sum(A1)\n");
    Sheet circle = Sheet::fromCsv(chain);
    circle.evaluate(Functions{});
    EXPECT_EQ(circle.cycles().size(), static_cast<std::size_t>(n));
    EXPECT_EQ(formatCell(circle.shown({n / 2, 0})), "#CYCLE!");

    // Formulas each reading an empty cell that the next one might spill into.
    std::string diagonal;
    for (int i = 0; i < 20000; ++i)
        diagonal += std::string(static_cast<std::size_t>(i % 2), ',') + "=Sum(B" +
                    std::to_string(i + 2) + ",1)\n";
    Sheet d = Sheet::fromCsv(diagonal);
    d.evaluate(Functions{});
    EXPECT_EQ(formatCell(d.shown({19999, 1})), "1");
}

TEST(Sheet, ReadsRangesByWhatTheyHold) {
    // A range far larger than the filled cells: the empty ones read as nothing.
    EXPECT_EQ(run("1,2\n3,4,=Sum(A1:B1000000)\n"), "1,2,\n3,4,10\n");
    // Every cell of a circle is marked, however it closes.
    Sheet s = Sheet::fromCsv("=Sum(B1,C1),=Sum(A1),=Sum(A1)\n");
    s.evaluate(Functions{});
    EXPECT_EQ(s.toCsv(), "#CYCLE!,#CYCLE!,#CYCLE!\n");
    // A formula that reads its own range.
    EXPECT_EQ(run("1\n2\n=Sum(A1:A5)\n"), "1\n2\n#CYCLE!\n");
    // Beyond what a formula may read: an error in the cell, not an exhausted memory.
    EXPECT_EQ(run("1,=Sum(A1:XFD1048576)\n"), "1,#NUM!\n");
    EXPECT_EQ(run("1,=Sum(A1:A1048576,C1:D1048576)\n"), "1,1\n");
    EXPECT_EQ(run("1,=Sum(A1:A1048576,C1:F1048576)\n"), "1,#NUM!\n");
    EXPECT_EQ(formatResult(evaluateFormula("=Sum(A1:XFD1048576)", Functions{})), "#NUM!\n");
}

TEST(Sheet, ComputesRunningTotalsWithArithmetic) {
    // Rates in mg/min over intervals in min, their doses and running total, and a rate in
    // mL/h from the concentration in D1 (a reference with "$" marks).
    EXPECT_EQ(run("0.5,10,=A1*B1,=B1*60/$D$3\n"
                  "0.5,20,=A2*B2+C1,=B2*60/$D$3\n"
                  ",,,10\n"),
              "0.5,10,5,60\n0.5,20,15,120\n,,,10\n");
    // Over a spilled column, element by element, spilling again.
    EXPECT_EQ(run("=Seq(3),=-A1:A3*2,=Sum(B1:B3)/2\n"), "1,-2,-6\n2,-4,\n3,-6,\n");
    // An empty cell is 0, a text of a number its number.
    EXPECT_EQ(run(",\"2\",=A1+B1+1\n"), ",2,3\n");
}

TEST(Sheet, ReadsAcrossTheRunsOfSeveralSpills) {
    // Two columns spilled by two anchors, a third below the first: a range over all of
    // them, and a spill blocked by another spill's cells.
    EXPECT_EQ(run("=Seq(2),=Seq(3)\n\n=Seq(2),,=Sum(A1:B4)\n"), "1,1,\n2,2,\n1,3,12\n2,,\n");
    EXPECT_EQ(run(",=Seq(3)\n\n=Row(2)\n"), ",1\n,2\n#SPILL!,3\n");
}

TEST(Sheet, BoundsTheCellsOfAllFormulasTogether) {
    const std::string csv = "1,=A1:A100,=-A1:A100,=Sum(A1:A30)\n";
    Sheet unbounded = Sheet::fromCsv(csv);
    unbounded.evaluate(Functions{});
    EXPECT_EQ(formatCell(unbounded.shown({99, 2})), "-0");
    // 100 cells for B1 and 100 for C1 leave 30 for D1, not 100 more.
    Sheet bounded = Sheet::fromCsv(csv);
    bounded.evaluate(Functions{}, 230);
    EXPECT_EQ(formatCell(bounded.shown({0, 3})), "1");
    Sheet tight = Sheet::fromCsv(csv);
    tight.evaluate(Functions{}, 229);
    EXPECT_EQ(formatCell(tight.shown({0, 3})), "#NUM!");
    EXPECT_EQ(tight.extent(), (CellRef{99, 3}));
}
