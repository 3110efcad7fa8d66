// Faults the formula fuzz target found in the command-line host's formula parser, each
// guarded here.

#include "sheet/formula.h"
#include "sheet/sheet.h"

#include <gtest/gtest.h>

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
