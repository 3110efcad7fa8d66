// The table of rows: what makes a routine fit its entry, and finding rows by name.

#include "catalogue/row.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using catalogue::ArgumentEntry;
using catalogue::FunctionEntry;
using catalogue::Row;

constexpr const char* B = catalogue::NUMBER_ARGUMENT;
constexpr const char* CELL = catalogue::CELL_VALUE_ARGUMENT;

double Dose(double weight, bool male) {
    return male ? weight : -weight;
}
std::vector<double> Scaled(std::vector<double> column, double by) {
    for (double& value : column)
        value *= by;
    return column;
}
std::vector<std::string> Look(const std::string&, std::optional<double>,
                              const std::optional<std::vector<double>>&) {
    return {catalogue::NOTHING_FOUND};
}

constexpr ArgumentEntry DOSE_ARGS[] = {{"weight", "", B}, {"male", "", CELL}};
constexpr ArgumentEntry SCALED_ARGS[] = {{"column", "", CELL}, {"by", "", B}};
constexpr ArgumentEntry LOOK_ARGS[] = {{"name", "", CELL}, {"x", "", CELL}, {"xs", "", CELL}};
constexpr FunctionEntry DOSE{"Dose", "", DOSE_ARGS};
constexpr FunctionEntry SCALED{"Scaled", "", SCALED_ARGS};
constexpr FunctionEntry LOOK{"Look", "", LOOK_ARGS};

constexpr std::tuple ROWS{Row{&Dose, &DOSE}, Row{&Scaled, &SCALED}, Row{&Look, &LOOK}};
static_assert(catalogue::rowsFit(ROWS));
static_assert(catalogue::rowCount<decltype(ROWS)> == 3);
static_assert(!Row{&Dose, &DOSE}.isCheck && Row{&Look, &LOOK}.isCheck);

// A number where the routine takes a flag, a missing or an extra argument, a flag where it
// takes a number: none fits.
constexpr ArgumentEntry MALE_AS_NUMBER[] = {{"weight", "", B}, {"male", "", B}};
constexpr ArgumentEntry WEIGHT_ONLY[] = {{"weight", "", B}};
constexpr ArgumentEntry ONE_MORE[] = {{"weight", "", B}, {"male", "", CELL}, {"x", "", B}};
constexpr ArgumentEntry WEIGHT_AS_CELL[] = {{"weight", "", CELL}, {"male", "", CELL}};
constexpr FunctionEntry DOSE_MALE_AS_NUMBER{"Dose", "", MALE_AS_NUMBER};
constexpr FunctionEntry DOSE_WEIGHT_ONLY{"Dose", "", WEIGHT_ONLY};
constexpr FunctionEntry DOSE_ONE_MORE{"Dose", "", ONE_MORE};
constexpr FunctionEntry DOSE_WEIGHT_AS_CELL{"Dose", "", WEIGHT_AS_CELL};
static_assert(!catalogue::fits(Row{&Dose, &DOSE_MALE_AS_NUMBER}));
static_assert(!catalogue::fits(Row{&Dose, &DOSE_WEIGHT_ONLY}));
static_assert(!catalogue::fits(Row{&Dose, &DOSE_ONE_MORE}));
static_assert(!catalogue::fits(Row{&Dose, &DOSE_WEIGHT_AS_CELL}));
static_assert(!catalogue::rowsFit(std::tuple{Row{&Dose, &DOSE}, Row{&Dose, &DOSE_WEIGHT_ONLY}}));
// Two rows of one worksheet name.
constexpr FunctionEntry SCALED_NAMED_DOSE{"Dose", "", SCALED_ARGS};
static_assert(!catalogue::rowsFit(std::tuple{Row{&Dose, &DOSE}, Row{&Scaled, &SCALED_NAMED_DOSE}}));

static_assert(catalogue::rowIndex(ROWS, "Scaled") == 1);
static_assert(catalogue::rowIndex(ROWS, "Look") == 2);

} // namespace

TEST(Rows, EntriesAndNamesFollowTheRowOrder) {
    constexpr auto entries = catalogue::entriesOf(ROWS);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], &DOSE);
    EXPECT_EQ(entries[2], &LOOK);
    EXPECT_EQ(catalogue::findEntry(ROWS, "Scaled"), &SCALED);
    EXPECT_EQ(catalogue::findEntry(ROWS, "scaled"), nullptr); // byte by byte
    EXPECT_EQ(catalogue::findEntry(ROWS, ""), nullptr);
    EXPECT_EQ(catalogue::exportName(LOOK), "xlLook");

    // Each row's routine is called as the row holds it.
    std::vector<std::string> seen;
    catalogue::forEachRow(ROWS, [&](const auto& row) { seen.push_back(row.entry->worksheetName); });
    EXPECT_EQ(seen, (std::vector<std::string>{"Dose", "Scaled", "Look"}));
    EXPECT_EQ(std::get<0>(ROWS).routine(70, false), -70);
    EXPECT_EQ(std::get<1>(ROWS).routine({1, 2}, 3), (std::vector<double>{3, 6}));
}

TEST(Rows, EachKindHasItsTypeCodeAndName) {
    EXPECT_STREQ(catalogue::KindOf<const double&>::typeCode, B);
    EXPECT_STREQ(catalogue::KindOf<bool>::typeCode, CELL);
    EXPECT_STREQ(catalogue::KindOf<const std::vector<double>&>::name, "column");
    EXPECT_STREQ(catalogue::KindOf<std::optional<std::vector<double>>>::name, "optional column");
    EXPECT_STREQ(catalogue::KindOf<std::optional<double>>::typeCode, CELL);
    EXPECT_STREQ(catalogue::KindOf<std::string>::name, "text");
}
