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
    const ModelSpec& spec = modelSpec(model);
    EXPECT_EQ(spec.id, model);
    EXPECT_STREQ(spec.worksheetName, name);
    EXPECT_EQ(std::string(spec.exportName), std::string("xl") + name);
    ASSERT_EQ(spec.arguments.size(), sizeof...(Args));
    const bool isFlag[] = {std::is_same_v<Args, bool>..., false};
    for (std::size_t i = 0; i < sizeof...(Args); ++i)
        EXPECT_STREQ(spec.arguments[i].typeCode, isFlag[i] ? FLAG_ARGUMENT : NUMBER_ARGUMENT)
            << spec.arguments[i].name;
    EXPECT_EQ(routine(Args(1)...).size(), spec.rowLength);
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
    EXPECT_EQ(covered.size(), MODEL_COUNT);
}

TEST(Catalogue, HoldsNineteenDistinctFunctionsThirteenWithKe0) {
    std::set<std::string_view> names;
    std::size_t withKe0 = 0;
    for (const ModelSpec& spec : MODEL_CATALOGUE) {
        names.insert(spec.worksheetName);
        withKe0 += spec.rowLength == ROW_WITH_KE0;
        EXPECT_TRUE(spec.rowLength == ROW_WITH_KE0 || spec.rowLength == ROW_WITHOUT_KE0);
    }
    EXPECT_EQ(names.size(), 19u);
    EXPECT_EQ(withKe0, 13u);
}

TEST(Catalogue, KeepsTheRegisteredTextsVerbatim) {
    // Leading and trailing blanks, the double blank and the question marks are part of
    // the registered texts.
    EXPECT_STREQ(modelSpec(Model::Diprifusor).helpText,
                 "Propofol, Diprifusor (pers. com: Brannock  k12=0.114), incl. ke0 ");
    EXPECT_STREQ(modelSpec(Model::PropKataria).helpText, " Propofol, Kataria ");
    EXPECT_STREQ(modelSpec(Model::SufentGepts).helpText, "Gepts Sufentanil no covarite 1995 ");
    EXPECT_STREQ(modelSpec(Model::PropSchnider).arguments[3].description, "Lean body mass ");
    EXPECT_STREQ(modelSpec(Model::PropWhite).arguments[2].name, "MALE");
    EXPECT_STREQ(modelSpec(Model::PropSchniderTrick).arguments[3].name, "male");
    EXPECT_STREQ(VELMORA_CATEGORY, "Velmora; 2017/07/31");
}

TEST(Catalogue, FindsModelsByTheirExactWorksheetName) {
    const ModelSpec* found = findModel("PropEleveldFinal");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->id, Model::PropEleveldFinal);
    EXPECT_EQ(found->arguments.size(), 8u);
    EXPECT_EQ(findModel("propeleveldfinal"), nullptr);
    EXPECT_EQ(findModel("PropEleveld "), nullptr);
    ASSERT_NE(findModel("PropEleveld"), nullptr);
    EXPECT_EQ(findModel("PropEleveld")->id, Model::PropEleveld);
}
