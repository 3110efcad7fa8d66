// Velmora and Corvane as the spreadsheet sees them: loaded side by side into the stand-in
// host, registered through xlfRegister and called by their registered type texts.

#include "drugmodels/catalogue.h"
#include "pktools/catalogue.h"
#include "standin/Addin.h"

#include <cmath>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace xlf;
using standin::Host;
using standin::Value;

namespace {

// Every row of each add-in's table is one registered function.
constexpr std::size_t VELMORA_COUNT = catalogue::rowCount<decltype(drugmodels::VELMORA_FUNCTIONS)>;
constexpr std::size_t CORVANE_COUNT = catalogue::rowCount<decltype(pktools::CORVANE_FUNCTIONS)>;

class BothAddins : public ::testing::Test {
protected:
    void SetUp() override {
        Host::Instance().Reset();
        session.Load(VELMORA_FILE);
        session.Load(CORVANE_FILE);
        ASSERT_TRUE(session.Open().empty());
    }

    std::optional<Value> Call(const char16_t* name, std::vector<Value> args) {
        const standin::Function* f = session.Find(name);
        EXPECT_NE(f, nullptr) << standin::Utf8(name);
        return f != nullptr ? f->Call(args) : std::nullopt;
    }

    standin::Session session;
};

Value Num(double x) {
    return Value::Number(x);
}
Value Column(std::vector<double> xs) {
    std::vector<Value> items;
    for (double x : xs) {
        items.push_back(Num(x));
    }
    return Value::Array(static_cast<std::int32_t>(xs.size()), 1, items);
}

} // namespace

TEST_F(BothAddins, RegisterEveryFunctionInNameOrderWithTextsTheHostCanServe) {
    // Velmora: the models and the covariate check; Corvane: the tools and the schedule check.
    const auto all = session.Registrations();
    ASSERT_EQ(all.size(), VELMORA_COUNT + CORVANE_COUNT);
    std::vector<std::u16string> velmora, corvane;
    for (const auto& r : all) {
        (r.category == u"Velmora; 2017/07/31" ? velmora : corvane).push_back(r.worksheetName);
        EXPECT_EQ(r.typeText.find_first_of(u"!$&#"), std::u16string::npos);
        EXPECT_EQ(r.macroType, Num(1));
    }
    ASSERT_EQ(velmora.size(), VELMORA_COUNT);
    ASSERT_EQ(corvane.size(), CORVANE_COUNT);
    EXPECT_TRUE(std::is_sorted(velmora.begin(), velmora.end()));
    EXPECT_TRUE(std::is_sorted(corvane.begin(), corvane.end()));
    EXPECT_EQ(corvane.front(), u"BMI");
    EXPECT_EQ(corvane.back(), u"decrCe");
    for (const standin::Function& f : session.Functions()) {
        EXPECT_EQ(f.Problem(), "") << standin::Utf8(f.Texts().worksheetName);
    }

    session.Shutdown();
    EXPECT_EQ(Host::Instance().Unregistered().size(), VELMORA_COUNT + CORVANE_COUNT);
    EXPECT_TRUE(session.Functions().empty());
}

TEST_F(BothAddins, AnswerTheTypicalRequestThroughTheirEntries) {
    const std::optional<Value> row = Call(u"propschnider", {Num(53), Num(77), Num(177), Num(59)});
    ASSERT_TRUE(row && row->kind == Value::Kind::Multi);
    EXPECT_EQ(*row, Column({4.27, 18.9, 238, 1.89, 1.29, 0.836, 0.456}));

    // The first six cells as a column and as a row give the same hybrid constants.
    const Value six = Value::Array(6, 1, {row->items.begin(), row->items.begin() + 6});
    const Value sixInARow = Value::Array(1, 6, six.items);
    const std::optional<Value> hybrid = Call(u"Cl2Hyb", {six});
    ASSERT_TRUE(hybrid && hybrid->rows == 6);
    EXPECT_EQ(Call(u"Cl2Hyb", {sixInARow}), hybrid);

    std::vector<Value> args{Column({0, 1, 1}), Column({0, 3, 3}), Num(200)};
    args.insert(args.end(), hybrid->items.begin(), hybrid->items.end());
    args.push_back(row->items[6]);
    const std::optional<Value> rates = Call(u"TciCe", args);
    ASSERT_TRUE(rates && rates->rows == 3);
    EXPECT_EQ(rates->items[0], Num(0));
    EXPECT_GT(rates->items[1].num, 0);
}

TEST_F(BothAddins, ShowConversionFailuresAsTheirTexts) {
    auto text = [](const char* s) { return Value::Text(standin::Utf16(s)); };
    EXPECT_EQ(Call(u"JLBM", {Num(70), Num(170)}),
              text("parameter is missing, MALE Conversion to Bool"));
    EXPECT_EQ(Call(u"JLBM", {Num(70), Num(170), Value::Nil()}),
              text("parameter is nil, MALE Conversion to Bool"));
    EXPECT_EQ(Call(u"JLBM", {Num(70), Num(170), Value::Text(u"TRUE")}),
              Call(u"JLBM", {Num(70), Num(170), Value::Truth(true)}));
    EXPECT_EQ(Call(u"JLBM", {Num(70), Num(170), Value::Error(xlerrNA)}),
              text("parameter is error, MALE Conversion to Bool"));
    const Value twoByThree = Value::Array(2, 3, std::vector<Value>(6, Num(1)));
    EXPECT_EQ(Call(u"PredCp", {twoByThree, Column({0, 0}), Column({0, 0}), Num(1), Num(1), Num(1),
                               Num(1), Num(1), Num(1)}),
              text("invalid OPER structure (memory could be exhausted), deltaTimes Not "
                   "unidemensional"));
    // A number argument that cannot become a number never reaches the add-in.
    EXPECT_EQ(Call(u"BMI", {Value::Text(u"heavy"), Num(170)}), Value::Error(xlerrValue));
}

TEST_F(BothAddins, GiveBackTheBisThroughTheEntriesOverTheClinicalRange) {
    // CeForBisEleveld's target, fed back to BisEleveld, at every age from 1 to 90 years and
    // every BIS from 5 to 90 in steps of 0.5: both branches of the inverse, through the
    // entries as a sheet chains them.
    std::vector<double> targets;
    for (double b = 5; b <= 90; b += 0.5)
        targets.push_back(b);
    for (double age = 1; age <= 90; age += 1) {
        const std::optional<Value> ce = Call(u"CeForBisEleveld", {Column(targets), Num(age)});
        ASSERT_TRUE(ce && ce->kind == Value::Kind::Multi && ce->rows == std::ssize(targets));
        const std::optional<Value> bis = Call(u"BisEleveld", {*ce, Num(age)});
        ASSERT_TRUE(bis && bis->kind == Value::Kind::Multi && bis->rows == ce->rows);
        for (std::size_t i = 0; i < targets.size(); ++i)
            ASSERT_NEAR(bis->items[i].num, targets[i], 1e-12 * targets[i])
                << "BIS " << targets[i] << ", age " << age;
    }
}

TEST_F(BothAddins, ShowTheNumberErrorInTheRowsOfTheEffectFunctionsWithoutAnAnswer) {
    // A negative concentration and a BIS of 0 have no answer; the rows beside them keep
    // theirs, and a two-drug function's columns of different lengths get the usual text.
    const std::optional<Value> bis = Call(u"BisEleveld", {Column({0, -1, 1e300}), Num(35)});
    ASSERT_TRUE(bis && bis->rows == 3);
    EXPECT_EQ(bis->items[0], Num(92.98240));
    EXPECT_TRUE(std::isnan(bis->items[1].num)) << bis->items[1].Utf8();
    EXPECT_EQ(bis->items[2], Num(0));
    const std::optional<Value> ce = Call(u"CeForBisEleveld", {Column({0, 100}), Num(35)});
    ASSERT_TRUE(ce && ce->rows == 2);
    EXPECT_TRUE(std::isnan(ce->items[0].num)) << ce->items[0].Utf8();
    EXPECT_EQ(ce->items[1], Num(0));
    EXPECT_EQ(Call(u"PNoRespHier", {Column({1, 2}), Column({1}), Num(6.68), Num(6.9), Num(1.01),
                                    Num(0.72), Num(0.83)}),
              Value::Text(u"Columns of different length!"));
}
