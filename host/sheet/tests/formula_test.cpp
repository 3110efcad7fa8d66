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
