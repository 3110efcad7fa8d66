#include "Corvane.h"
#include "AddinTesting.h"
#include "pktools/bodysize.h"
#include "pktools/catalogue.h"
#include "pktools/compartments.h"
#include "pktools/decrement.h"
#include "pktools/effect.h"
#include "pktools/peak.h"
#include "pktools/prediction.h"
#include "pktools/tci.h"

#include <algorithm>

using standin::DiagnosticCapture;
using standin::Registration;
using xlf::XLOPER12;

namespace {

using CorvaneTest = AddinTest;

// Schnider's propofol parameters for a 53-year-old of 77 kg, 177 cm, LBM 59.
const std::vector<double> kVolCl = {4.27, 18.9, 238, 1.89, 1.29, 0.836};
const double kKe0 = 0.456;
const std::vector<double> kHybrid = pktools::Cl2Hyb(kVolCl);
const double A = kHybrid[0], B = kHybrid[1], C = kHybrid[2];
const double l1 = kHybrid[3], l2 = kHybrid[4], l3 = kHybrid[5];

double NumberOf(const XLOPER12* result) {
    EXPECT_NE(result, nullptr);
    if (result == nullptr || result->xltype != xlf::xltypeNum) {
        ADD_FAILURE() << "not a number";
        return 0;
    }
    return result->val.num;
}

template <class F> std::string RoutineText(F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "<no exception>";
}

std::string NotOneDimensional(const std::string& name) {
    return "invalid OPER structure (memory could be exhausted), " + name + " Not unidemensional";
}

} // namespace

TEST_F(CorvaneTest, RegistersEveryRowInByteWiseNameOrder) {
    const auto& registry = xlf::XLRegistration::ExcelFunctionRegistrationRegistry::Instance();
    // The tools and the schedule check beside them.
    std::vector<std::string> order;
    for (const catalogue::FunctionEntry* entry : catalogue::entriesOf(pktools::CORVANE_FUNCTIONS))
        order.push_back(entry->worksheetName);
    std::sort(order.begin(), order.end());
    EXPECT_EQ(registry.Functions().size(), order.size());
    EXPECT_TRUE(registry.Commands().empty());
    const std::vector<Registration> all = host().Registrations();
    ASSERT_EQ(all.size(), order.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(order[i]);
        EXPECT_EQ(Text(all[i], 3), order[i]);
        EXPECT_EQ(Text(all[i], 1), "xl" + order[i]);
        EXPECT_EQ(Text(all[i], 6), "Corvane 2016/11/20");
        const std::string typeText = Text(all[i], 2);
        EXPECT_EQ(typeText.find_first_not_of("QB"), std::string::npos) << typeText;
        EXPECT_EQ(typeText.size(), all[i].arguments.size() - 9);
    }
    // Byte-wise: upper case before lower case, wherever the letters stand.
    const auto at = [&](std::string_view name) {
        for (std::size_t i = 0; i < all.size(); ++i)
            if (Text(all[i], 3) == name)
                return i;
        ADD_FAILURE() << name << " is not registered";
        return all.size();
    };
    EXPECT_LT(at("JJLBM"), at("JLBM"));
    EXPECT_LT(at("JLBM"), at("JanLBM"));
    EXPECT_LT(at("TPeak2ke0"), at("TciCe"));
    EXPECT_LT(at("VdPeak"), at("decrCe"));
    ASSERT_EQ(at("decrCe"), all.size() - 1);
    // Texts to the letter, blanks and typos included.
    const Registration& bmi = all[at("BMI")];
    EXPECT_EQ(Text(bmi, 2), "QBB");
    EXPECT_EQ(Text(bmi, 4), "Weight, Height");
    EXPECT_EQ(Text(bmi, 9), " Computes the BMI (body mass index) ");
    EXPECT_EQ(Text(bmi, 11), "The pateints height in cm . ");
    const Registration& calcRate = all[at("CalcRate")];
    EXPECT_EQ(Text(calcRate, 2), "QQQQBBBBBBB");
    EXPECT_EQ(Text(calcRate, 4), "deltaTimes, IVBolus, targetConc, maxRate, A, B, C, l1, l2, l3");
    EXPECT_EQ(Text(calcRate, 11), " For inclusion of manual bolus doses ");
    EXPECT_EQ(Text(all[at("PredCpVCl")], 10), " Column with delta deltaTimess ");
    EXPECT_EQ(Text(all[at("TciCe")], 19), " Transferconstant ke0 . ");
    EXPECT_EQ(Text(all[at("decrCe")], 2), "QQQQQBBBBBBB");
    EXPECT_EQ(Text(all[at("decrCe")], 20), " Transferconstantke0 . ");
    // Every call into the host carries the international flag.
    for (int function : host().CallLog()) {
        EXPECT_NE(function & xlf::xlIntl, 0) << function;
    }
}

TEST_F(CorvaneTest, ArithmeticAndPredictionReturnTheirRoutinesColumns) {
    Cell column = Cell::Column(kVolCl);
    Cell row = Cell::Array(1, 6, kVolCl);
    EXPECT_EQ(ColumnOf(xlCl2Hyb(&column)), kHybrid);
    EXPECT_EQ(ColumnOf(xlCl2Hyb(&row)), kHybrid);
    Cell hybrid = Cell::Column(kHybrid);
    EXPECT_EQ(ColumnOf(xlHyb2Cl(&hybrid)), pktools::Hyb2Cl(kHybrid));

    const std::vector<double> dt = {0, 1, 1, 2, 5}, rate = {0, 10, 10, 0, 3},
                              bolus = {2, 0, 0, 1, 0};
    Cell times = Cell::Column(dt), rates = Cell::Array(1, 5, rate), boluses = Cell::Column(bolus);
    EXPECT_EQ(ColumnOf(xlPredCp(&times, &rates, &boluses, A, B, C, l1, l2, l3)),
              pktools::PredCp(dt, rate, bolus, A, B, C, l1, l2, l3));
    EXPECT_EQ(ColumnOf(xlPredCe(&times, &rates, &boluses, A, B, C, l1, l2, l3, kKe0)),
              pktools::PredCe(dt, rate, bolus, A, B, C, l1, l2, l3, kKe0));
    const auto& v = kVolCl;
    EXPECT_EQ(ColumnOf(xlPredCpVCl(&times, &rates, &boluses, v[0], v[1], v[2], v[3], v[4], v[5])),
              pktools::PredCpVCl(dt, rate, bolus, v[0], v[1], v[2], v[3], v[4], v[5]));
    Cell conc = Cell::Column({0.5, 1, 2, 4});
    EXPECT_EQ(ColumnOf(xlPredEff(&conc, 0, 100, 1.5, 2.5)),
              pktools::PredEff({0.5, 1, 2, 4}, 0, 100, 1.5, 2.5));

    const std::vector<double> levels = {1, 0.5, 0.5, 0.2, 0.1};
    Cell decr = Cell::Column(levels);
    EXPECT_EQ(ColumnOf(xldecrCe(&times, &rates, &boluses, &decr, A, B, C, l1, l2, l3, kKe0)),
              pktools::decrCe(dt, rate, bolus, levels, A, B, C, l1, l2, l3, kKe0));
    const std::vector<double> durations = {0, 10, 60, 240};
    Cell context = Cell::Column(durations);
    EXPECT_EQ(ColumnOf(xlCsDtCp(&context, A, B, C, l1, l2, l3, 50)),
              pktools::CsDtCp(durations, A, B, C, l1, l2, l3, 50));
    EXPECT_EQ(ColumnOf(xlCsDtCe(&context, A, B, C, l1, l2, l3, kKe0, 50)),
              pktools::CsDtCe(durations, A, B, C, l1, l2, l3, kKe0, 50));
    EXPECT_EQ(ColumnOf(xlCsDtCpVCl(&context, v[0], v[1], v[2], v[3], v[4], v[5], 80)),
              pktools::CsDtCpVCl(durations, v[0], v[1], v[2], v[3], v[4], v[5], 80));
}

TEST_F(CorvaneTest, TciPeakAndBodySizeReturnTheirRoutinesResults) {
    const std::vector<double> dt = {0, 0.5, 0.5, 1, 2, 10}, target = {0, 3, 3, 3, 2, 4},
                              bolus = {0, 20, 0, 0, 0, 0};
    Cell times = Cell::Column(dt), targets = Cell::Column(target), boluses = Cell::Column(bolus);
    EXPECT_EQ(ColumnOf(xlTciCp(&times, &targets, 1200, A, B, C, l1, l2, l3)),
              pktools::TciCp(dt, target, 1200, A, B, C, l1, l2, l3));
    EXPECT_EQ(ColumnOf(xlCalcRate(&times, &boluses, &targets, 1200, A, B, C, l1, l2, l3)),
              pktools::CalcRate(dt, bolus, target, 1200, A, B, C, l1, l2, l3));
    EXPECT_EQ(ColumnOf(xlTciCe(&times, &targets, 1200, A, B, C, l1, l2, l3, kKe0)),
              pktools::TciCe(dt, target, 1200, A, B, C, l1, l2, l3, kKe0));

    const double peak = pktools::TPeak(A, B, C, l1, l2, l3, kKe0);
    EXPECT_EQ(NumberOf(xlTPeak(A, B, C, l1, l2, l3, kKe0)), peak);
    EXPECT_EQ(NumberOf(xlVdPeak(A, B, C, l1, l2, l3, kKe0)),
              pktools::VdPeak(A, B, C, l1, l2, l3, kKe0));
    EXPECT_EQ(NumberOf(xlTPeak2ke0(A, B, C, l1, l2, l3, peak)),
              pktools::TPeak2ke0(A, B, C, l1, l2, l3, peak));

    Cell male = Cell::Truth(true), one = Cell::Number(1), female = Cell::Number(0);
    Cell trueText = Cell::Text(u"TRUE");
    EXPECT_EQ(NumberOf(xlBMI(77, 177)), pktools::BMI(77, 177));
    EXPECT_EQ(NumberOf(xlJLBM(77, 177, &male)), pktools::JLBM(77, 177, true));
    EXPECT_EQ(NumberOf(xlJJLBM(130, 160, &female)), pktools::JJLBM(130, 160, false));
    EXPECT_EQ(NumberOf(xlJanLBM(77, 177, &one)), pktools::JanLBM(77, 177, true));
    EXPECT_EQ(NumberOf(xlJanLBM(77, 177, &trueText)), pktools::JanLBM(77, 177, true));
}

TEST_F(CorvaneTest, BadArgumentsShowTheirTextsInTheCell) {
    Cell square = Cell::Array(2, 3, {0, 1, 1, 2, 2, 2});
    Cell column = Cell::Column({0, 1, 1});
    Cell missing = Cell::Of(xlf::xltypeMissing);
    Cell empty = Cell::Of(xlf::xltypeNil);
    Cell error = Cell::Error(xlf::xlerrNA);
    EXPECT_EQ(CellText(xlPredCp(&square, &column, &column, A, B, C, l1, l2, l3)),
              NotOneDimensional("deltaTimes"));
    EXPECT_EQ(CellText(xlCalcRate(&column, &square, &square, 1200, A, B, C, l1, l2, l3)),
              NotOneDimensional("IVBolus"));
    EXPECT_EQ(CellText(xlTciCe(&column, &missing, 1200, A, B, C, l1, l2, l3, kKe0)),
              NotOneDimensional("targetConc"));
    EXPECT_EQ(CellText(xlCsDtCp(&error, A, B, C, l1, l2, l3, 50)), NotOneDimensional("Times"));
    EXPECT_EQ(CellText(xlCl2Hyb(&empty)), NotOneDimensional("param"));

    // A column holding an error value or a word.
    Cell holed = Cell::Column({0, 1, 1});
    holed.items[1].xltype = xlf::xltypeErr;
    holed.items[1].val.err = xlf::xlerrDiv0;
    EXPECT_EQ(CellText(xlPredEff(&holed, 0, 100, 1.5, 2)),
              "parameter is error, concEff Conversion to Double");

    // The routines' own refusals.
    Cell shorter = Cell::Column({0, 1});
    EXPECT_EQ(CellText(xlPredCe(&column, &shorter, &column, A, B, C, l1, l2, l3, kKe0)),
              "Columns of different length!");
    Cell five = Cell::Column({1, 2, 3, 4, 5});
    EXPECT_EQ(CellText(xlHyb2Cl(&five)), RoutineText([] { pktools::Hyb2Cl({1, 2, 3, 4, 5}); }));
    EXPECT_EQ(CellText(xlTPeak2ke0(A, B, C, l1, l2, l3, -1)), "Negative peack time!");

    // Flags.
    Cell word = Cell::Text(u"male");
    EXPECT_EQ(CellText(xlJLBM(77, 177, &missing)), "parameter is missing, MALE Conversion to Bool");
    EXPECT_EQ(CellText(xlJJLBM(77, 177, &empty)), "parameter is nil, MALE Conversion to Bool");
    EXPECT_EQ(CellText(xlJanLBM(77, 177, &error)), "parameter is error, MALE Conversion to Bool");
    EXPECT_EQ(CellText(xlJanLBM(77, 177, &word)), "parameter is error, MALE Conversion to Bool");
}

TEST_F(CorvaneTest, TheWizardGetsTrueWithoutAnyArgumentRead) {
    host().AddWindow(u"bosa_sdm_XL9", u"Function Arguments");
    Cell missing = Cell::Of(xlf::xltypeMissing);
    const std::size_t callsBefore = host().CallLog().size();
    const XLOPER12* answers[] = {
        xlCl2Hyb(&missing),
        xlCalcRate(&missing, &missing, &missing, 0, 0, 0, 0, 0, 0, 0),
        xldecrCe(&missing, &missing, &missing, &missing, 0, 0, 0, 0, 0, 0, 0),
        xlTPeak2ke0(0, 0, 0, 0, 0, 0, -1),
        xlJanLBM(0, 0, &missing),
    };
    for (const XLOPER12* answer : answers) {
        ASSERT_NE(answer, nullptr);
        EXPECT_EQ(answer->xltype, xlf::xltypeBool);
        EXPECT_EQ(answer->val.xbool, 1);
    }
    EXPECT_EQ(host().CallLog().size(), callsBefore);
}

TEST_F(CorvaneTest, RemoveThenCloseUnregistersEveryFunction) {
    EXPECT_EQ(xlAutoRemove(), 1);
    EXPECT_EQ(xlAutoClose(), 1);
    EXPECT_EQ(host().Unregistered().size(),
              catalogue::rowCount<decltype(pktools::CORVANE_FUNCTIONS)>);
    for (const Registration& r : host().Registrations()) {
        EXPECT_FALSE(r.active) << Text(r, 3);
    }
    ASSERT_EQ(xlAutoOpen(), 1); // for the fixture's own close
}

TEST_F(HostTest, CorvaneDeclinesAHostBelowVersion12) {
    DiagnosticCapture capture;
    host().SetVersionText(u"11.0");
    EXPECT_EQ(xlAutoOpen(), 0);
    EXPECT_TRUE(host().Registrations().empty());
    EXPECT_EQ(capture.Count("Host version 11 is below 12: the add-in is not loaded"), 1u);
    EXPECT_EQ(xlAutoClose(), 1);
}

TEST_F(HostTest, CorvaneExportsItsWrappersAndTheFourEntriesOnly) {
    xlf::SetRemoved(false);
    ASSERT_EQ(xlAutoOpen(), 1);
    std::set<std::string> expected = kEntryPoints;
    for (const Registration& r : host().Registrations()) {
        expected.insert(r.arguments.at(1).Utf8());
    }
    EXPECT_EQ(xlAutoClose(), 1);
    EXPECT_EQ(expected.size(),
              kEntryPoints.size() + catalogue::rowCount<decltype(pktools::CORVANE_FUNCTIONS)>);
    EXPECT_EQ(ExportedSymbols(ADDIN_FILE), expected);
}
