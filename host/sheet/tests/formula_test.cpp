#include "sheet/formula.h"
#include "sheet/sheet.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace sheet;
using ::testing::HasSubstr;

namespace {

// Echoes each call as a text "Name(arg;arg)" of the arguments' printed forms, so that
// tests see exactly what reached the function.
std::optional<Value> echo(const std::string& name, const std::vector<Value>& args) {
    if (name == "Unknown")
        return std::nullopt;
    std::string s = name + "(";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i)
            s += ';';
        const Value& a = args[i];
        if (a.is(Value::Kind::Missing))
            s += "<missing>";
        else if (a.is(Value::Kind::Text))
            s += a.text;
        else if (a.is(Value::Kind::Array)) {
            s += std::to_string(a.rows) + "x" + std::to_string(a.columns) + "[";
            for (int r = 0; r < a.rows; ++r)
                for (int c = 0; c < a.columns; ++c)
                    s += formatCell(a.at(r, c)) + (c + 1 < a.columns ? " "
                                                   : r + 1 < a.rows  ? "/"
                                                                     : "");
            s += "]";
        } else
            s += formatCell(a);
    }
    return Value::ofText(s + ")");
}

std::string eval(const std::string& formula) {
    return formatResult(evaluateFormula(formula, echo));
}

std::size_t errorPosition(const std::string& formula) {
    try {
        parseFormula(formula);
    } catch (const SyntaxError& e) {
        return e.position();
    }
    return 0;
}

} // namespace

TEST(Formula, ReadsEveryKindOfArgument) {
    EXPECT_EQ(eval("=F(53, -1.5, 1e-3, +2)"), "F(53;-1.5;0.001;2)\n");
    EXPECT_EQ(eval("=F(TRUE,false,\"a \"\"b\"\"\")"), "\"F(TRUE;FALSE;a \"\"b\"\")\"\n");
    EXPECT_EQ(eval("=F(#N/A,#VALUE!,#DIV/0!,#NUM!,#REF!,#NAME?,#NULL!)"),
              "F(#N/A;#VALUE!;#DIV/0!;#NUM!;#REF!;#NAME?;#NULL!)\n");
    EXPECT_EQ(eval("=F({1;2;3})"), "F(3x1[1/2/3])\n");
    EXPECT_EQ(eval("=F({1,2,3})"), "F(1x3[1 2 3])\n");
    EXPECT_EQ(eval("=F({1,2;3,4})"), "F(2x2[1 2/3 4])\n");
    EXPECT_EQ(eval("=F({-7})"), "F(-7)\n");
}

TEST(Formula, PassesEmptyArgumentsAsMissingAndNestsCalls) {
    EXPECT_EQ(eval("=JLBM(70,170,)"), "JLBM(70;170;<missing>)\n");
    EXPECT_EQ(eval("=F(,)"), "F(<missing>;<missing>)\n");
    EXPECT_EQ(eval("=F()"), "F()\n");
    EXPECT_EQ(eval("=Cl2Hyb(PropMarsh(70))"), "Cl2Hyb(PropMarsh(70))\n");
    EXPECT_EQ(eval("=Unknown(1)"), "#NAME?\n");
    EXPECT_EQ(eval("=F(Unknown(1))"), "F(#NAME?)\n");
    // Outside a sheet a reference reads #REF!.
    EXPECT_EQ(eval("=F(B2, B2:B3)"), "F(#REF!;2x1[#REF!/#REF!])\n");
}

TEST(Formula, ReportsSyntaxErrorsWithTheirPosition) {
    EXPECT_EQ(errorPosition("53"), 1u);
    EXPECT_EQ(errorPosition("=F(1"), 5u);
    EXPECT_EQ(errorPosition("=F(1 2)"), 6u);
    EXPECT_EQ(errorPosition("=F(\"abc)"), 9u);
    EXPECT_EQ(errorPosition("=F({1,2;3})"), 10u);
    EXPECT_EQ(errorPosition("=F(#OOPS)"), 4u);
    EXPECT_EQ(errorPosition("=F(1)x"), 6u);
    EXPECT_EQ(errorPosition("=F(abc)"), 4u);
    EXPECT_EQ(errorPosition("=F(12abc)"), 6u);
    EXPECT_EQ(errorPosition("=F(0x10)"), 5u);
    EXPECT_EQ(errorPosition("="), 2u);
    EXPECT_EQ(errorPosition("=F(B2:)"), 7u);
}

TEST(CellNames, ConvertBothWays) {
    CellRef r;
    ASSERT_TRUE(parseCellName("B2", r));
    EXPECT_EQ(r, (CellRef{1, 1}));
    ASSERT_TRUE(parseCellName("aa10", r));
    EXPECT_EQ(r, (CellRef{9, 26}));
    EXPECT_EQ(cellName({9, 26}), "AA10");
    EXPECT_EQ(cellName({0, 16383}), "XFD1");
    EXPECT_FALSE(parseCellName("B0", r));
    EXPECT_FALSE(parseCellName("Cl2Hyb", r));
    EXPECT_FALSE(parseCellName("ABCD1", r));
    EXPECT_FALSE(parseCellName("XFE1", r));
    EXPECT_FALSE(parseCellName("A1048577", r));
}

TEST(ResultFormat, FollowsTheCommandLineContract) {
    EXPECT_EQ(formatResult(Value::of(0.1)), "0.10000000000000001\n");
    EXPECT_EQ(formatResult(Value::of(std::numeric_limits<double>::infinity())), "#NUM!\n");
    EXPECT_EQ(formatResult(Value::of(std::nan(""))), "#NUM!\n");
    EXPECT_EQ(formatResult(Value::ofBool(false)), "FALSE\n");
    EXPECT_EQ(formatResult(Value::ofText("Negative PK parameter!")), "Negative PK parameter!\n");
    EXPECT_EQ(formatResult(Value::ofText("a,b")), "\"a,b\"\n");
    EXPECT_EQ(formatResult(Value::ofText("line\nbreak")), "\"line\nbreak\"\n");
    EXPECT_EQ(formatResult(Value::ofError(ErrorCode::Value)), "#VALUE!\n");
    EXPECT_EQ(formatResult(Value::missing()), "\n");
    EXPECT_EQ(formatResult(Value::array(
                  2, 2, {Value::of(1), Value::ofText("x"), Value::nil(), Value::ofBool(true)})),
              "1,x\n,TRUE\n");
}

TEST(Formula, ComputesArithmeticWithTheSpreadsheetsPrecedence) {
    EXPECT_EQ(eval("=2+3*4-1"), "13\n");
    EXPECT_EQ(eval("=(2+3)*(4-1)"), "15\n");
    EXPECT_EQ(eval("=10-4-3"), "3\n");
    EXPECT_EQ(eval("=12/3/2"), "2\n");
    // A sign binds tighter than any operator, also before a parenthesis or a reference.
    EXPECT_EQ(eval("=-2*3"), "-6\n");
    EXPECT_EQ(eval("=2*-3"), "-6\n");
    EXPECT_EQ(eval("=-(1+2)*2"), "-6\n");
    EXPECT_EQ(eval("=1 - -1"), "2\n");
    // Operations run from left to right, each rounded: the order is part of the result.
    EXPECT_EQ(eval("=0.1+0.2+0.3"), "0.60000000000000009\n");
    EXPECT_EQ(eval("=0.1+(0.2+0.3)"), "0.59999999999999998\n");
    EXPECT_EQ(eval("=F(1+1, 2*3, (4))"), "F(2;6;4)\n");
}

TEST(Formula, GivesTheSpreadsheetsValueForEveryKindOfOperand) {
    EXPECT_EQ(eval("=TRUE+1"), "2\n");
    EXPECT_EQ(eval("=\"3\"*2"), "6\n");
    EXPECT_EQ(eval("=\"abc\"+1"), "#VALUE!\n");
    EXPECT_EQ(eval("=\"abc\"+#N/A"), "#VALUE!\n");
    EXPECT_EQ(eval("=#N/A+#DIV/0!"), "#N/A\n");
    EXPECT_EQ(eval("=1+#DIV/0!"), "#DIV/0!\n");
    EXPECT_EQ(eval("=1/0"), "#DIV/0!\n");
    EXPECT_EQ(eval("=0/0"), "#DIV/0!\n");
    EXPECT_EQ(eval("=1e308*10"), "#NUM!\n");
    EXPECT_EQ(eval("=-1e308-1e308"), "#NUM!\n");
    EXPECT_EQ(eval("=F(Unknown(1)*2)"), "F(#NAME?)\n");
    EXPECT_EQ(eval("=F(-\"2\", -TRUE, -\"x\")"), "F(-2;-1;#VALUE!)\n");
}

TEST(Formula, ComputesArraysElementByElement) {
    EXPECT_EQ(eval("={1;2;3}*2"), "2\n4\n6\n");
    EXPECT_EQ(eval("=10-{1,2}"), "9,8\n");
    EXPECT_EQ(eval("={1;2}/{4;0}"), "0.25\n#DIV/0!\n");
    // A column against a row makes the table of both; a column against a shorter one
    // gives #N/A beyond it.
    EXPECT_EQ(eval("={1;2}+{10,20,30}"), "11,21,31\n12,22,32\n");
    EXPECT_EQ(eval("={1;2;3}+{1;2}"), "2\n4\n#N/A\n");
    EXPECT_EQ(eval("=-{1,\"a\";TRUE,#N/A}"), "-1,#VALUE!\n-1,#N/A\n");
    // The cells an operation makes count against the formula's bound.
    EXPECT_EQ(formatResult(evaluateFormula("={1;2}+{1,2,3}", echo, 6)), "2,3,4\n3,4,5\n");
    EXPECT_EQ(formatResult(evaluateFormula("={1;2}+{1,2,3}", echo, 5)), "#NUM!\n");
    EXPECT_EQ(formatResult(evaluateFormula("=F(B1:B3*2)", echo, 2)), "F(#NUM!)\n");
}

TEST(Formula, ReadsReferencesWithDollarMarks) {
    const Expr e = parseFormula("=F($B$2, B$2:$C3, $A1*2)");
    ASSERT_EQ(e.args.size(), 3u);
    EXPECT_EQ(e.args[0].kind, Expr::Kind::Reference);
    EXPECT_EQ(e.args[0].from, (CellRef{1, 1}));
    EXPECT_EQ(e.args[1].kind, Expr::Kind::Range);
    EXPECT_EQ(e.args[1].from, (CellRef{1, 1}));
    EXPECT_EQ(e.args[1].to, (CellRef{2, 2}));
    EXPECT_EQ(e.args[2].kind, Expr::Kind::Multiply);
    EXPECT_EQ(e.args[2].args[0].from, (CellRef{0, 0}));
    EXPECT_EQ(errorPosition("=F($$B2)"), 4u);
    EXPECT_EQ(errorPosition("=F(B2$)"), 4u);
    EXPECT_EQ(errorPosition("=F(B$$2)"), 4u);
    EXPECT_EQ(errorPosition("=$F(1)"), 2u);
    EXPECT_EQ(errorPosition("=$TRUE"), 2u);
}

TEST(Formula, ReportsArithmeticSyntaxErrors) {
    EXPECT_EQ(errorPosition("=1+"), 4u);
    EXPECT_EQ(errorPosition("=1*/2"), 4u);
    EXPECT_EQ(errorPosition("=(1"), 4u);
    EXPECT_EQ(errorPosition("=(1))"), 5u);
    EXPECT_EQ(errorPosition("=(1 2)"), 5u);
    EXPECT_EQ(errorPosition("=()"), 3u);
    EXPECT_EQ(errorPosition("=1^2"), 3u);
}
