// Faults the formula fuzz target found in the command-line host's formula parser and sheet
// evaluator, each guarded here.

#include "FormulaInput.h"
#include "sheet/formula.h"
#include "sheet/sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

// A long word that is not followed by "(" is tried as a cell name: its letters used to be
// accumulated into the column number without bound, a signed overflow.
TEST(SheetParserRegression, ALongWordIsNoCellNameAndDoesNotOverflowTheColumn) {
    sheet::CellRef ref{7, 7};
    EXPECT_FALSE(sheet::parseCellName("PropSchnidPropSchnSchnide", ref));
    EXPECT_FALSE(sheet::parseCellName(std::string(1000, 'Z') + "1", ref));
    EXPECT_EQ(ref, (sheet::CellRef{7, 7}));
    EXPECT_TRUE(sheet::parseCellName("XFD1048576", ref));
    EXPECT_EQ(ref, (sheet::CellRef{1048575, 16383}));
    EXPECT_THROW(sheet::parseFormula("=PropSchnidPropSchnSchnide 77,"), sheet::SyntaxError);
}

// Every level of nesting is one level of the parser's recursion: a formula of a million
// signs or calls used to overflow the stack.
TEST(SheetParserRegression, ADeeplyNestedFormulaIsRefusedNotAStackOverflow) {
    for (const std::string& open : {std::string("-"), std::string("F("), std::string("+")}) {
        std::string formula = "=";
        for (int i = 0; i < 1000000; ++i) {
            formula += open;
        }
        formula += "1";
        try {
            sheet::parseFormula(formula);
            ADD_FAILURE() << "read";
        } catch (const sheet::SyntaxError& e) {
            EXPECT_EQ(std::string(e.what()), "the formula nests more than 255 levels");
        }
    }
    // 255 levels are still read.
    std::string formula = "=";
    for (int i = 0; i < 254; ++i) {
        formula += "F(";
    }
    formula += "1" + std::string(254, ')');
    EXPECT_EQ(sheet::parseFormula(formula).kind, sheet::Expr::Kind::Call);
}

// A range of 150 million cells was read cell by cell into one array, exhausting the
// memory; now a formula reads at most a bounded number of cells, and a range beyond that
// is an error value.
TEST(SheetParserRegression, AHugeRangeIsAnErrorNotAnExhaustedMemory) {
    const sheet::FunctionCaller negated = [](const std::string&,
                                             const std::vector<sheet::Value>& args) {
        return std::optional<sheet::Value>(args.at(0));
    };
    const sheet::Value v = sheet::evaluateFormula("=Ce(--C3:Tru11200,)", negated);
    ASSERT_TRUE(v.is(sheet::Value::Kind::Error));
    EXPECT_EQ(v.error, sheet::ErrorCode::Num);
}

// A CSV sheet of 92 bytes (kept in negated-column.csv) whose sixth cell negates a range of
// 862,017 rows fourteen times timed out the fuzz target: each negation copied the array and
// each spilled cell was stored on its own (2.8 s and 215 MB in sheethost). A grid that large
// is a spreadsheet's, so it is evaluated in full, with negations in place and a spill kept
// as runs of its anchor's cells; the fuzz target bounds the cells of one input.
TEST(SheetEvaluatorRegression, AMillionRowsNegatedFourteenTimesAreEvaluatedInFull) {
    std::ifstream in(FUZZ_REGRESSIONS "/negated-column.csv", std::ios::binary);
    ASSERT_TRUE(in);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(text.size(), 92u);

    sheet::Sheet grid = sheet::Sheet::fromCsv(text);
    grid.evaluate(fuzzing::Spill);
    EXPECT_EQ(grid.extent(), (sheet::CellRef{862016, 6}));
    // An empty cell negated is -0; fourteen times, +0, in every row of the spill.
    for (const int row : {0, 1, 431008, 862016}) {
        const sheet::Value v = grid.shown({row, 5});
        ASSERT_TRUE(v.is(sheet::Value::Kind::Number)) << row;
        EXPECT_FALSE(std::signbit(v.number)) << row;
    }
    const std::string csv = grid.toCsv();
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 862017);
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              ",-,-=-------------------7,#RE=C4:A8F!*62,,0,---------(-----7");

    // Under the fuzz target's bound the sixth cell is #NUM!, the rest as before.
    const std::optional<std::string> bounded = fuzzing::EvaluateInput(text);
    ASSERT_TRUE(bounded);
    EXPECT_EQ(bounded->substr(0, bounded->find('\n')),
              ",-,-=-------------------7,#RE=C4:A8F!*62,,#NUM!,---------(-----7");
    EXPECT_EQ(std::count(bounded->begin(), bounded->end(), '\n'), 859);
}
