#include "xlf/Call.h"
#include "AddinTesting.h"
#include "xlf/Exports.h"

#include <initializer_list>
#include <numeric>
#include <stdexcept>

using namespace xlf;

namespace {

using CallTest = HostTest;

// A routine of every parameter type a binding knows, showing what it received.
int mixCalls = 0;
std::vector<double> Mix(double number, bool flag, std::vector<double> column) {
    ++mixCalls;
    return {number, flag ? 1.0 : 0.0, static_cast<double>(column.size()),
            std::accumulate(column.begin(), column.end(), 0.0)};
}
constexpr XlfArgTriple NUMBER{"number", " a number ", "B"};
constexpr XlfArgTriple FLAG{"flag", " a flag ", "XLF_OPER"};
constexpr XlfArgTriple COLUMN{"column", " a column ", "XLF_OPER"};
constexpr XlfArgTriple MIX_ARGS[] = {NUMBER, FLAG, COLUMN};
constexpr catalogue::FunctionEntry MIX{"Mix", "", MIX_ARGS};

double Pair(std::vector<double> first, bool second) {
    if (first.size() > 2) {
        throw std::runtime_error("Columns of different length!");
    }
    return second ? first.front() : 0.0;
}
constexpr XlfArgTriple PAIR_ARGS[] = {{"first", "", "XLF_OPER"}, {"second", "", "XLF_OPER"}};
constexpr catalogue::FunctionEntry PAIR{"Pair", "", PAIR_ARGS};

double Nothing() {
    return 42.0;
}
constexpr catalogue::FunctionEntry NOTHING{"Nothing", "", {}};

} // namespace

// Exported functions of the shapes the checks compare with.
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlMix(double number, LPXLOPER12 flag, LPXLOPER12 column) {
    return Call(Mix, MIX, number, flag, column);
}
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlPair(LPXLOPER12 first, LPXLOPER12 second) {
    return Call(Pair, PAIR, first, second);
}
XLF_EXPORT LPXLOPER12 XLF_PASCAL xlNothing() {
    return Call(Nothing, NOTHING);
}

XLF_CHECK_BINDING(xlMix, Mix, MIX);
XLF_CHECK_BINDING(xlPair, Pair, PAIR);
XLF_CHECK_BINDING(xlNothing, Nothing, NOTHING);

namespace {

// Entries that do not fit the exported function xlMix(double, cell, cell).
constexpr bool FitsMix(std::initializer_list<XlfArgTriple> arguments,
                       const char* worksheetName = "Mix") {
    return WrapperMatches(&xlMix, "xlMix", {worksheetName, "", arguments});
}
static_assert(FitsMix({NUMBER, FLAG, COLUMN}));
static_assert(FitsMix({NUMBER, {"flag", "", "Q"}, {"column", "", "Q"}}));
static_assert(!FitsMix({NUMBER, FLAG, COLUMN}, "Pair"));
static_assert(!WrapperMatches(&xlMix, "Mix", MIX)); // without the export prefix
static_assert(!FitsMix({NUMBER, {"flag", "", "B"}, COLUMN}));
static_assert(!FitsMix({{"number", "", "XLF_OPER"}, FLAG, COLUMN}));
static_assert(!FitsMix({NUMBER, FLAG}));
static_assert(!FitsMix({NUMBER, FLAG, COLUMN, NUMBER}));
static_assert(!FitsMix({NUMBER, {"flag", "", "XLF_XLOPER"}, COLUMN}));
// A routine that takes a number where the entry registers a cell value.
[[maybe_unused]] double NumberFirst(double, double, std::vector<double>) {
    return 0;
}
static_assert(!catalogue::fits(catalogue::Row{&NumberFirst, &MIX}));
static_assert(!WrapperMatches(&xlPair, "xlPair", MIX) &&
              !WrapperMatches(&xlNothing, "xlNothing", MIX));

} // namespace

namespace {

// A table of rows and the exports that follow it; stale lists of exports do not fit.
constexpr std::tuple ROWS{catalogue::Row{&Mix, &MIX}, catalogue::Row{&Pair, &PAIR},
                          catalogue::Row{&Nothing, &NOTHING}};
constexpr Export MIX_EXPORT{"xlMix", &xlMix};
constexpr Export PAIR_EXPORT{"xlPair", &xlPair};
constexpr Export NOTHING_EXPORT{"xlNothing", &xlNothing};
static_assert(ExportsFitRows(std::tuple{MIX_EXPORT, PAIR_EXPORT, NOTHING_EXPORT}, ROWS));
static_assert(!ExportsFitRows(std::tuple{MIX_EXPORT, PAIR_EXPORT}, ROWS)); // a row added
static_assert(!ExportsFitRows(std::tuple{PAIR_EXPORT, MIX_EXPORT, NOTHING_EXPORT}, ROWS));
static_assert(!ExportsFitRows(std::tuple{MIX_EXPORT, Export{"xlPair2", &xlPair}, NOTHING_EXPORT},
                              ROWS)); // a row renamed

} // namespace

TEST_F(CallTest, ARowsWrapperCallsTheRowsRoutine) {
    Cell yes = Cell::Truth(true);
    Cell column = Cell::Column({1, 2, 3.5});
    EXPECT_EQ(ColumnOf(CallRow<ROWS, 0>(2.5, &yes, &column)), ColumnOf(xlMix(2.5, &yes, &column)));
    const XLOPER12* answer = CallRow<ROWS, 2>();
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer->val.num, 42);
    Cell missing = Cell::Of(xltypeMissing);
    EXPECT_EQ(CellText(CallRow<ROWS, 1>(&column, &missing)),
              MessageOf([&] { XlfOper(&missing).ToBool("second"); }));
}

TEST_F(CallTest, EachArgumentBecomesItsRoutinesParameterType) {
    Cell yes = Cell::Truth(true);
    Cell no = Cell::Number(0);
    Cell column = Cell::Column({1, 2, 3.5});
    Cell row = Cell::Array(1, 2, {4, 5});
    Cell single = Cell::Number(6);
    EXPECT_EQ(ColumnOf(xlMix(2.5, &yes, &column)), (std::vector<double>{2.5, 1, 3, 6.5}));
    EXPECT_EQ(ColumnOf(xlMix(-1, &no, &row)), (std::vector<double>{-1, 0, 2, 9}));
    EXPECT_EQ(ColumnOf(xlMix(0, &yes, &single)), (std::vector<double>{0, 1, 1, 6}));

    Cell pair = Cell::Column({7, 8});
    const XLOPER12* number = xlPair(&pair, &yes);
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->xltype, xltypeNum);
    EXPECT_EQ(number->val.num, 7);
    const XLOPER12* none = xlNothing();
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->val.num, 42);
}

TEST_F(CallTest, TheFirstArgumentInRegisteredOrderThatCannotBeConvertedNamesItself) {
    Cell square = Cell::Array(2, 2, {1, 2, 3, 4});
    Cell missing = Cell::Of(xltypeMissing);
    Cell yes = Cell::Truth(true);
    Cell column = Cell::Column({1, 2});
    const std::string notAColumn = MessageOf([&] { XlfOper(&square).ToDoubleVector("first"); });
    const std::string noFlag = MessageOf([&] { XlfOper(&missing).ToBool("second"); });
    ASSERT_NE(notAColumn.find("first"), std::string::npos);
    ASSERT_NE(noFlag.find("second"), std::string::npos);

    EXPECT_EQ(CellText(xlPair(&square, &missing)), notAColumn);
    EXPECT_EQ(CellText(xlPair(&column, &missing)), noFlag);

    mixCalls = 0;
    EXPECT_EQ(CellText(xlMix(1, &missing, &square)),
              MessageOf([&] { XlfOper(&missing).ToBool("flag"); }));
    EXPECT_EQ(CellText(xlMix(1, &yes, &square)),
              MessageOf([&] { XlfOper(&square).ToDoubleVector("column"); }));
    EXPECT_EQ(mixCalls, 0) << "the routine ran on arguments that could not be converted";
}

TEST_F(CallTest, TheRoutinesMessageReachesTheCell) {
    Cell three = Cell::Column({1, 2, 3});
    Cell yes = Cell::Truth(true);
    EXPECT_EQ(CellText(xlPair(&three, &yes)), "Columns of different length!");
}
