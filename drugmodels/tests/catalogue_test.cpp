#include "drugmodels/catalogue.h"
#include "drugmodels/models.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <type_traits>

using namespace drugmodels;

namespace {

// Checks the row of a routine: it holds the entry of the routine's name, one argument per
// parameter (a flag for a bool, a number for a double), and the entry describes as many
// cells as the routine returns.
template <class... Args>
void expectRowOfRoutine(const char* name, ParameterRow (*routine)(Args...),
                        std::set<std::string>& covered) {
    SCOPED_TRACE(name);
    using Routine = ParameterRow (*)(Args...); // not decltype(routine): GCC 12 misreads it here
    const catalogue::FunctionEntry* entry = nullptr;
    catalogue::forEachRow(VELMORA_FUNCTIONS, [&](const auto& row) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(row.routine)>, Routine>)
            if (row.routine == routine)
                entry = row.entry;
    });
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(entry->worksheetName, name);
    EXPECT_EQ(findModel(name), entry);
    ASSERT_EQ(entry->arguments.size(), sizeof...(Args));
    const bool isFlag[] = {std::is_same_v<Args, bool>..., false};
    for (std::size_t i = 0; i < sizeof...(Args); ++i)
        EXPECT_STREQ(entry->arguments[i].typeCode,
                     isFlag[i] ? catalogue::CELL_VALUE_ARGUMENT : catalogue::NUMBER_ARGUMENT)
            << entry->arguments[i].name;
    EXPECT_EQ(routine(Args(1)...).size(), entry->cells.size());
    covered.insert(name);
}

} // namespace

#define EXPECT_ROW_OF_ROUTINE(name) expectRowOfRoutine(#name, &name, covered)

TEST(Catalogue, EveryModelsRowHoldsItsRoutine) {
    std::set<std::string> covered;
    EXPECT_ROW_OF_ROUTINE(PropSchnider);
    EXPECT_ROW_OF_ROUTINE(PropSchniderTrick);
    EXPECT_ROW_OF_ROUTINE(PropMarsh);
    EXPECT_ROW_OF_ROUTINE(PropWhite);
    EXPECT_ROW_OF_ROUTINE(PropKataria);
    EXPECT_ROW_OF_ROUTINE(Diprifusor);
    EXPECT_ROW_OF_ROUTINE(PropPaedfusor);
    EXPECT_ROW_OF_ROUTINE(PropEleveld);
    EXPECT_ROW_OF_ROUTINE(PropEleveldFinal);
    EXPECT_ROW_OF_ROUTINE(ABP700V1Eleveld);
    EXPECT_ROW_OF_ROUTINE(RemiMinto);
    EXPECT_ROW_OF_ROUTINE(AlfentMaitre);
    EXPECT_ROW_OF_ROUTINE(AlfentScott);
    EXPECT_ROW_OF_ROUTINE(FentScott);
    EXPECT_ROW_OF_ROUTINE(SufentGepts);
    EXPECT_ROW_OF_ROUTINE(SufentHudson);
    EXPECT_ROW_OF_ROUTINE(KetaDomino);
    EXPECT_ROW_OF_ROUTINE(MidaGreenblatt);
    EXPECT_ROW_OF_ROUTINE(LidocainSchnider);
    EXPECT_ROW_OF_ROUTINE(DexmedHannivoort);
    EXPECT_ROW_OF_ROUTINE(DexmedDyck);
    EXPECT_ROW_OF_ROUTINE(RemiEleveld);
    EXPECT_ROW_OF_ROUTINE(RemiKim);
    EXPECT_ROW_OF_ROUTINE(RemimazEleveld);
    EXPECT_ROW_OF_ROUTINE(RocuKleijn);
    EXPECT_ROW_OF_ROUTINE(FentShafer);
    EXPECT_EQ(covered.size(), MODEL_ENTRIES.size()); // every model is listed here
}

TEST(Catalogue, EveryModelHasADistinctNameAndARowOfSixOrWithKe0Seven) {
    std::set<std::string_view> names;
    for (const catalogue::FunctionEntry* model : MODEL_ENTRIES) {
        SCOPED_TRACE(model->worksheetName);
        names.insert(model->worksheetName);
        const bool withKe0 = model->cells.size() == ROW_WITH_KE0;
        EXPECT_TRUE(withKe0 || model->cells.size() == ROW_WITHOUT_KE0);
        // The purpose says so.
        EXPECT_EQ(std::string_view(model->purpose).find("without ke0") == std::string_view::npos,
                  withKe0);
        EXPECT_NE(model->source, nullptr);
    }
    EXPECT_EQ(names.size(), MODEL_ENTRIES.size());
    // Every row but the covariate check and the models' variances is a model.
    EXPECT_EQ(MODEL_ENTRIES.size() + 2, catalogue::rowCount<decltype(VELMORA_FUNCTIONS)>);
    EXPECT_EQ(findModel("ModelOmega"), nullptr);
    EXPECT_EQ(findModel("CovariateCheck"), nullptr);
}

TEST(Catalogue, FindsModelsByTheirExactWorksheetName) {
    const catalogue::FunctionEntry* found = findModel("PropEleveldFinal");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found, &entries::PropEleveldFinal);
    EXPECT_EQ(found->arguments.size(), 8u);
    EXPECT_EQ(findModel("propeleveldfinal"), nullptr);
    EXPECT_EQ(findModel("PropEleveld "), nullptr);
    ASSERT_NE(findModel("PropEleveld"), nullptr);
    EXPECT_EQ(findModel("PropEleveld"), &entries::PropEleveld);
    // The check is a function, not a model.
    EXPECT_EQ(findModel("CovariateCheck"), nullptr);
    EXPECT_EQ(catalogue::findEntry(VELMORA_FUNCTIONS, "CovariateCheck"), &entries::CovariateCheck);
}
