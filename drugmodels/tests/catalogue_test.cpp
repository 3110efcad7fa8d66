#include "drugmodels/catalogue.h"
#include "drugmodels/models.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <type_traits>

using namespace drugmodels;

namespace {

// Checks a catalogue entry against its routine: names, the number and kind of the
// arguments (bool for a flag, double for a number) and the length of the row returned.
template <class... Args>
void expectEntryMatchesRoutine(Model model, const char* name, ParameterRow (*routine)(Args...)) {
    SCOPED_TRACE(name);
    const ModelEntry& entry = modelEntry(model);
    EXPECT_EQ(entry.id, model);
    EXPECT_STREQ(entry.worksheetName, name);
    EXPECT_EQ(std::string(entry.exportName), std::string("xl") + name);
    ASSERT_EQ(entry.arguments.size(), sizeof...(Args));
    const bool isFlag[] = {std::is_same_v<Args, bool>..., false};
    for (std::size_t i = 0; i < sizeof...(Args); ++i)
        EXPECT_STREQ(entry.arguments[i].typeCode, isFlag[i] ? FLAG_ARGUMENT : NUMBER_ARGUMENT)
            << entry.arguments[i].name;
    EXPECT_EQ(routine(Args(1)...).size(), entry.rowLength);
}

} // namespace

#define EXPECT_ENTRY_MATCHES_ROUTINE(name)                                                         \
    do {                                                                                           \
        expectEntryMatchesRoutine(Model::name, #name, &name);                                      \
        covered.insert(Model::name);                                                               \
    } while (false)

TEST(Catalogue, EveryEntryMatchesItsRoutine) {
    std::set<Model> covered;
    EXPECT_ENTRY_MATCHES_ROUTINE(PropSchnider);
    EXPECT_ENTRY_MATCHES_ROUTINE(PropSchniderTrick);
    EXPECT_ENTRY_MATCHES_ROUTINE(PropMarsh);
    EXPECT_ENTRY_MATCHES_ROUTINE(PropWhite);
    EXPECT_ENTRY_MATCHES_ROUTINE(PropKataria);
    EXPECT_ENTRY_MATCHES_ROUTINE(Diprifusor);
    EXPECT_ENTRY_MATCHES_ROUTINE(PropPaedfusor);
    EXPECT_ENTRY_MATCHES_ROUTINE(PropEleveld);
    EXPECT_ENTRY_MATCHES_ROUTINE(PropEleveldFinal);
    EXPECT_ENTRY_MATCHES_ROUTINE(ABP700V1Eleveld);
    EXPECT_ENTRY_MATCHES_ROUTINE(RemiMinto);
    EXPECT_ENTRY_MATCHES_ROUTINE(AlfentMaitre);
    EXPECT_ENTRY_MATCHES_ROUTINE(AlfentScott);
    EXPECT_ENTRY_MATCHES_ROUTINE(FentScott);
    EXPECT_ENTRY_MATCHES_ROUTINE(SufentGepts);
    EXPECT_ENTRY_MATCHES_ROUTINE(SufentHudson);
    EXPECT_ENTRY_MATCHES_ROUTINE(KetaDomino);
    EXPECT_ENTRY_MATCHES_ROUTINE(MidaGreenblatt);
    EXPECT_ENTRY_MATCHES_ROUTINE(LidocainSchnider);
    EXPECT_ENTRY_MATCHES_ROUTINE(DexmedHannivoort);
    EXPECT_ENTRY_MATCHES_ROUTINE(DexmedDyck);
    EXPECT_ENTRY_MATCHES_ROUTINE(RemiEleveld);
    EXPECT_ENTRY_MATCHES_ROUTINE(RemiKim);
    EXPECT_ENTRY_MATCHES_ROUTINE(RemimazEleveld);
    EXPECT_ENTRY_MATCHES_ROUTINE(RocuKleijn);
    EXPECT_ENTRY_MATCHES_ROUTINE(FentShafer);
    EXPECT_EQ(covered.size(), MODEL_COUNT);
}

TEST(Catalogue, HoldsTwentySixDistinctFunctionsSixteenWithKe0) {
    std::set<std::string_view> names;
    std::size_t withKe0 = 0;
    for (const ModelEntry& entry : MODEL_CATALOGUE) {
        names.insert(entry.worksheetName);
        withKe0 += entry.rowLength == ROW_WITH_KE0;
        EXPECT_TRUE(entry.rowLength == ROW_WITH_KE0 || entry.rowLength == ROW_WITHOUT_KE0);
    }
    EXPECT_EQ(names.size(), 26u);
    EXPECT_EQ(withKe0, 16u);
}

TEST(Catalogue, FindsModelsByTheirExactWorksheetName) {
    const ModelEntry* found = findModel("PropEleveldFinal");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->id, Model::PropEleveldFinal);
    EXPECT_EQ(found->arguments.size(), 8u);
    EXPECT_EQ(findModel("propeleveldfinal"), nullptr);
    EXPECT_EQ(findModel("PropEleveld "), nullptr);
    ASSERT_NE(findModel("PropEleveld"), nullptr);
    EXPECT_EQ(findModel("PropEleveld")->id, Model::PropEleveld);
}
