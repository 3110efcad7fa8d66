#include "Velmora.h"
#include "AddinTesting.h"
#include "drugmodels/catalogue.h"
#include "drugmodels/models.h"

#include <algorithm>
#include <functional>

using namespace drugmodels;
using standin::Registration;

namespace {

using VelmoraTest = AddinTest;

// Each function called with realistic covariates, beside its routine called directly.
struct Case {
    const catalogue::FunctionEntry* model;
    std::function<xlf::XLOPER12*()> call;
    std::function<ParameterRow()> expected;
};

std::vector<Case> RealisticCases() {
    // Flags as the host passes them: a truth value, a number, a text it can read.
    static Cell yes = Cell::Truth(true);
    static Cell no = Cell::Number(0);
    static Cell one = Cell::Number(1);
    static Cell trueText = Cell::Text(u"TRUE");
    return {
        {&entries::PropSchnider, [] { return xlPropSchnider(53, 77, 177, 59); },
         [] { return PropSchnider(53, 77, 177, 59); }},
        {&entries::PropSchniderTrick, [] { return xlPropSchniderTrick(53, 120, 165, &trueText); },
         [] { return PropSchniderTrick(53, 120, 165, true); }},
        {&entries::PropMarsh, [] { return xlPropMarsh(77); }, [] { return PropMarsh(77); }},
        {&entries::PropWhite, [] { return xlPropWhite(53, 77, &no); },
         [] { return PropWhite(53, 77, false); }},
        {&entries::PropKataria, [] { return xlPropKataria(20, 6); },
         [] { return PropKataria(20, 6); }},
        {&entries::Diprifusor, [] { return xlDiprifusor(53, 77); },
         [] { return Diprifusor(53, 77); }},
        {&entries::PropPaedfusor, [] { return xlPropPaedfusor(6, 20); },
         [] { return PropPaedfusor(6, 20); }},
        {&entries::PropEleveld, [] { return xlPropEleveld(77, 53, &yes, &no); },
         [] { return PropEleveld(77, 53, true, false); }},
        {&entries::PropEleveldFinal,
         [] { return xlPropEleveldFinal(77, 177, 53.75, 53, &one, &no, &yes, &one); },
         [] { return PropEleveldFinal(77, 177, 53.75, 53, true, false, true, true); }},
        {&entries::ABP700V1Eleveld, [] { return xlABP700V1Eleveld(77, 53, 177, &no); },
         [] { return ABP700V1Eleveld(77, 53, 177, false); }},
        {&entries::RemiMinto, [] { return xlRemiMinto(53, 59); }, [] { return RemiMinto(53, 59); }},
        {&entries::AlfentMaitre, [] { return xlAlfentMaitre(53, 77, &yes); },
         [] { return AlfentMaitre(53, 77, true); }},
        {&entries::AlfentScott, [] { return xlAlfentScott(); }, [] { return AlfentScott(); }},
        {&entries::FentScott, [] { return xlFentScott(77); }, [] { return FentScott(77); }},
        {&entries::SufentGepts, [] { return xlSufentGepts(); }, [] { return SufentGepts(); }},
        {&entries::SufentHudson, [] { return xlSufentHudson(77); },
         [] { return SufentHudson(77); }},
        {&entries::KetaDomino, [] { return xlKetaDomino(77); }, [] { return KetaDomino(77); }},
        {&entries::MidaGreenblatt, [] { return xlMidaGreenblatt(77); },
         [] { return MidaGreenblatt(77); }},
        {&entries::LidocainSchnider, [] { return xlLidocainSchnider(77); },
         [] { return LidocainSchnider(77); }},
        {&entries::DexmedHannivoort, [] { return xlDexmedHannivoort(77); },
         [] { return DexmedHannivoort(77); }},
        {&entries::DexmedDyck, [] { return xlDexmedDyck(177); }, [] { return DexmedDyck(177); }},
        {&entries::RemiEleveld, [] { return xlRemiEleveld(77, 53, 177, &no); },
         [] { return RemiEleveld(77, 53, 177, false); }},
        {&entries::RemiKim, [] { return xlRemiKim(120, 53, 165, &trueText); },
         [] { return RemiKim(120, 53, 165, true); }},
        {&entries::RemimazEleveld, [] { return xlRemimazEleveld(77, 53, &no, &one, &yes); },
         [] { return RemimazEleveld(77, 53, false, true, true); }},
        {&entries::RocuKleijn, [] { return xlRocuKleijn(77, 53, 95, &yes, &no); },
         [] { return RocuKleijn(77, 53, 95, true, false); }},
        {&entries::FentShafer, [] { return xlFentShafer(); }, [] { return FentShafer(); }},
    };
}

} // namespace

TEST_F(VelmoraTest, RegistersEveryRowInNameOrderWithTheCataloguesTexts) {
    const auto& registry = xlf::XLRegistration::ExcelFunctionRegistrationRegistry::Instance();
    constexpr std::size_t VELMORA_FUNCTION_COUNT = catalogue::rowCount<decltype(VELMORA_FUNCTIONS)>;
    EXPECT_EQ(registry.Functions().size(), VELMORA_FUNCTION_COUNT);
    EXPECT_TRUE(registry.Commands().empty());

    // The models and the covariate check beside them.
    const auto entries = catalogue::entriesOf(VELMORA_FUNCTIONS);
    std::vector<const catalogue::FunctionEntry*> byName(entries.begin(), entries.end());
    std::sort(byName.begin(), byName.end(),
              [](const catalogue::FunctionEntry* a, const catalogue::FunctionEntry* b) {
                  return std::string_view(a->worksheetName) < std::string_view(b->worksheetName);
              });
    const std::vector<Registration> registrations = host().Registrations();
    ASSERT_EQ(registrations.size(), VELMORA_FUNCTION_COUNT);
    for (std::size_t i = 0; i < VELMORA_FUNCTION_COUNT; ++i) {
        const catalogue::FunctionEntry& entry = *byName[i];
        const Registration& r = registrations[i];
        SCOPED_TRACE(entry.worksheetName);
        std::string typeText = "Q";
        std::string names;
        for (const catalogue::ArgumentEntry& argument : entry.arguments) {
            typeText += std::string_view(argument.typeCode) == "B" ? "B" : "Q";
            names += (names.empty() ? "" : ", ") + std::string(argument.name);
        }
        EXPECT_EQ(Text(r, 1), catalogue::exportName(entry));
        EXPECT_EQ(Text(r, 2), typeText); // no "!", "$", "&" or "#"
        EXPECT_EQ(Text(r, 3), entry.worksheetName);
        EXPECT_EQ(Text(r, 4), names);
        EXPECT_EQ(Text(r, 6), "Velmora; 2017/07/31");
        EXPECT_EQ(Text(r, 9), entry.helpText);
        ASSERT_EQ(r.arguments.size(), 10 + entry.arguments.size());
        for (std::size_t k = 0; k < entry.arguments.size(); ++k) {
            const std::string last = k + 1 == entry.arguments.size() ? ". " : "";
            EXPECT_EQ(Text(r, 10 + k), entry.arguments[k].description + last);
        }
    }
    EXPECT_EQ(Text(registrations.front(), 3), "ABP700V1Eleveld");
    EXPECT_EQ(Text(registrations.back(), 3), "SufentHudson");
}

TEST_F(VelmoraTest, EveryFunctionReturnsItsModelsRowAsOneColumn) {
    std::set<const catalogue::FunctionEntry*> covered;
    for (const Case& c : RealisticCases()) {
        SCOPED_TRACE(c.model->worksheetName);
        const std::vector<double> column = ColumnOf(c.call());
        EXPECT_EQ(column, c.expected());
        EXPECT_EQ(column.size(), c.model->cells.size());
        covered.insert(c.model);
    }
    EXPECT_EQ(covered, std::set<const catalogue::FunctionEntry*>(MODEL_ENTRIES.begin(),
                                                                 MODEL_ENTRIES.end()));
    const std::vector<double> schnider = ColumnOf(xlPropSchnider(53, 77, 177, 59));
    ASSERT_EQ(schnider.size(), 7u);
    // The typical patient gets exactly the published typical values.
    EXPECT_EQ(schnider, (std::vector<double>{4.27, 18.9, 238, 1.89, 1.29, 0.836, 0.456}));
    // A six-value model without arguments fills six rows.
    EXPECT_EQ(ColumnOf(xlFentShafer()),
              (std::vector<double>{6.09, 28.121470588235294, 228.375, 0.503643, 2.8683899999999998,
                                   1.37025}));
}

TEST_F(VelmoraTest, AFlagThatIsNoTruthValueNamesItselfInTheCell) {
    Cell missing = Cell::Of(xlf::xltypeMissing);
    Cell empty = Cell::Of(xlf::xltypeNil);
    Cell error = Cell::Error(xlf::xlerrNA);
    Cell word = Cell::Text(u"yes");
    Cell range = Cell::Array(2, 3, {1, 0, 1, 0, 1, 0});
    Cell seven = Cell::Number(7);
    EXPECT_EQ(CellText(xlPropWhite(53, 77, &missing)),
              "parameter is missing, MALE Conversion to Bool");
    EXPECT_EQ(CellText(xlPropSchniderTrick(53, 120, 165, &empty)),
              "parameter is nil, male Conversion to Bool");
    EXPECT_EQ(CellText(xlAlfentMaitre(53, 77, &error)),
              "parameter is error, MALE Conversion to Bool");
    EXPECT_EQ(CellText(xlABP700V1Eleveld(77, 53, 177, &word)),
              "parameter is error, male Conversion to Bool");
    // The first flag that fails decides.
    EXPECT_EQ(CellText(xlPropEleveldFinal(77, 177, 53.75, 53, &seven, &error, &missing, &word)),
              "parameter is error, venous Conversion to Bool");
    EXPECT_EQ(CellText(xlPropEleveld(77, 53, &missing, &error)),
              "parameter is missing, male Conversion to Bool");
    EXPECT_EQ(CellText(xlRemiKim(120, 53, 165, &empty)),
              "parameter is nil, male Conversion to Bool");
    EXPECT_EQ(CellText(xlRemiEleveld(77, 53, 177, &missing)),
              "parameter is missing, male Conversion to Bool");
    EXPECT_EQ(CellText(xlRemimazEleveld(77, 53, &seven, &seven, &word)),
              "parameter is error, hepatic Conversion to Bool");
    EXPECT_EQ(CellText(xlRemimazEleveld(77, 53, &seven, &missing, &word)),
              "parameter is missing, opiates Conversion to Bool");
    EXPECT_EQ(CellText(xlRocuKleijn(77, 53, 95, &error, &missing)),
              "parameter is error, asian Conversion to Bool");
    EXPECT_EQ(CellText(xlRocuKleijn(77, 53, 95, &seven, &empty)),
              "parameter is nil, sevoflurane Conversion to Bool");
    // The model ignores the patient flag, but the flag is still converted.
    EXPECT_EQ(CellText(xlPropEleveldFinal(77, 177, 53.75, 53, &seven, &seven, &seven, &missing)),
              "parameter is missing, patient Conversion to Bool");
    // A range is read by the host as its first cell; any non-zero number is true.
    EXPECT_EQ(ColumnOf(xlPropEleveld(77, 53, &range, &seven)), PropEleveld(77, 53, true, true));
}

TEST_F(VelmoraTest, TheCovariateCheckReadsEveryKindOfCellAsItIs) {
    Cell model = Cell::Text(u"PropSchnider");
    Cell age = Cell::Number(40), weight = Cell::Truth(true), height = Cell::Array(1, 1, {1.75});
    Cell missing = Cell::Of(xlf::xltypeMissing), empty = Cell::Of(xlf::xltypeNil);
    Cell word = Cell::Text(u"tall"), error = Cell::Error(xlf::xlerrNA), blank = Cell::Text(u"");
    const auto column = [](const xlf::XLOPER12* result) {
        std::vector<std::string> texts;
        if (result->xltype != xlf::xltypeMulti)
            return std::vector<std::string>{"not a column: " + CellText(result)};
        for (std::int32_t i = 0; i < result->val.array.rows; ++i)
            texts.push_back(CellText(&result->val.array.lparray[i]));
        return texts;
    };
    // TRUE is 1 kg, a 1 x 1 range its number; an omitted or empty cell is empty.
    const auto texts = column(xlCovariateCheck(&model, &age, &weight, &height, &empty, &missing,
                                               &missing, &missing, &missing));
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], "Height 1.75 cm is below 3 cm: height is in cm (1.75 m = 175 cm)");
    EXPECT_EQ(texts[1], "LBM is empty: the model reads it as 0");
    EXPECT_EQ(texts[2].substr(0, 42), "Weight 1 kg is below 25 kg at Age 40 years");
    EXPECT_EQ(texts[3], "Weight 1 kg is outside the 44.4–122.7 kg studied for this model "
                        "(Schnider 1998)");
    // A text or an error value is no number; an empty text is empty.
    EXPECT_EQ(column(xlCovariateCheck(&model, &word, &error, &blank, &empty, &missing, &missing,
                                      &missing, &missing)),
              (std::vector<std::string>{"Age is not a number: enter it in years",
                                        "Weight is not a number: enter it in kg",
                                        "Height is empty: the model reads it as 0",
                                        "LBM is empty: the model reads it as 0"}));
    // Texts beyond ASCII reach the host as they are.
    Cell kataria = Cell::Text(u"PropKataria"), mass = Cell::Number(70), child = Cell::Number(20);
    EXPECT_EQ(column(xlCovariateCheck(&kataria, &mass, &child, &missing, &missing, &missing,
                                      &missing, &missing, &missing)),
              (std::vector<std::string>{
                  "mass 70 kg is outside the 15–60.5 kg studied for this model (Kataria 1994)",
                  "age 20 years is outside the 3–11 years studied for this model (Kataria 1994)"}));
    EXPECT_EQ(column(xlCovariateCheck(&age, &missing, &missing, &missing, &missing, &missing,
                                      &missing, &missing, &missing))[0]
                  .substr(0, 17),
              "Unknown model \"\":");
}

TEST_F(VelmoraTest, TheWizardGetsTrueWithoutAnyArgumentRead) {
    host().AddWindow(u"bosa_sdm_XL9", u"Function Arguments");
    Cell missing = Cell::Of(xlf::xltypeMissing);
    const std::size_t callsBefore = host().CallLog().size();
    const xlf::XLOPER12* answers[] = {
        xlPropWhite(53, 77, &missing),
        xlPropEleveldFinal(0, 0, 0, 0, &missing, &missing, &missing, &missing),
        xlSufentGepts(),
        xlPropSchnider(-1, -1, -1, -1),
    };
    for (const xlf::XLOPER12* answer : answers) {
        ASSERT_NE(answer, nullptr);
        EXPECT_EQ(answer->xltype, xlf::xltypeBool);
        EXPECT_EQ(answer->val.xbool, 1);
    }
    EXPECT_EQ(host().CallLog().size(), callsBefore); // nothing coerced
}

TEST_F(VelmoraTest, RemoveThenCloseUnregistersEveryFunction) {
    constexpr std::size_t VELMORA_FUNCTION_COUNT = catalogue::rowCount<decltype(VELMORA_FUNCTIONS)>;
    EXPECT_EQ(xlAutoRemove(), 1);
    EXPECT_EQ(xlAutoClose(), 1);
    EXPECT_EQ(host().Unregistered().size(), VELMORA_FUNCTION_COUNT);
    EXPECT_EQ(host().NamesSet().size(), VELMORA_FUNCTION_COUNT);
    for (const Registration& r : host().Registrations()) {
        EXPECT_FALSE(r.active) << Text(r, 3);
    }
    ASSERT_EQ(xlAutoOpen(), 1); // for the fixture's own close
}

TEST(VelmoraLibrary, ExportsItsWrappersAndTheFourEntriesOnly) {
    std::set<std::string> expected = kEntryPoints;
    for (const catalogue::FunctionEntry* entry : catalogue::entriesOf(VELMORA_FUNCTIONS)) {
        expected.insert(catalogue::exportName(*entry));
    }
    EXPECT_EQ(expected.size(),
              kEntryPoints.size() + catalogue::rowCount<decltype(VELMORA_FUNCTIONS)>);
    EXPECT_EQ(ExportedSymbols(ADDIN_FILE), expected);
}
