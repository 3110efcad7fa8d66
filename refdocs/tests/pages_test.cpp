#include "refdocs/pages.h"

#include "drugmodels/catalogue.h"
#include "pktools/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace refdocs {
namespace {

// Records the formulas it is asked for and shows one text per cell of the reference.
struct FakeAddins {
    std::vector<std::string> asked;
    Evaluator evaluator() {
        return [this](const std::string& formula) {
            asked.push_back(formula);
            return std::vector<std::string>{"1.5", "2.5"};
        };
    }
};

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(ReferencePages, EveryFunctionOfBothAddInsInRegistrationOrder) {
    const std::vector<Function> velmora = FunctionsOf("Velmora");
    const std::vector<Function> corvane = FunctionsOf("Corvane");
    EXPECT_EQ(velmora.size(), catalogue::rowCount<decltype(drugmodels::VELMORA_FUNCTIONS)>);
    EXPECT_EQ(corvane.size(), catalogue::rowCount<decltype(pktools::CORVANE_FUNCTIONS)>);
    const auto byName = [](const Function& a, const Function& b) {
        return std::string_view(a.entry->worksheetName) < std::string_view(b.entry->worksheetName);
    };
    EXPECT_TRUE(std::is_sorted(velmora.begin(), velmora.end(), byName));
    EXPECT_TRUE(std::is_sorted(corvane.begin(), corvane.end(), byName));
    EXPECT_TRUE(FunctionsOf("Other").empty());

    ASSERT_NE(FindFunction("tcice"), nullptr);
    EXPECT_STREQ(FindFunction("tcice")->entry->worksheetName, "TciCe");
    EXPECT_STREQ(FindFunction("TciCe")->addin, "Corvane");
    EXPECT_EQ(FindFunction("TciC"), nullptr);

    // Each page evaluates every example once and links every section.
    FakeAddins addins;
    const std::string page = AddinPage("Corvane", addins.evaluator());
    EXPECT_EQ(addins.asked.size(), corvane.size());
    EXPECT_TRUE(Has(page, "- [decrCe](#decrce): "));
    EXPECT_TRUE(Has(page, "\n## decrCe\n"));
    EXPECT_EQ(PageFile("Corvane"), "corvane.md");
}

TEST(ReferencePages, ConversionTextsNameTheirArguments) {
    FakeAddins addins;
    const std::string white = FunctionSection(*FindFunction("PropWhite"), addins.evaluator());
    EXPECT_TRUE(
        Has(white, "| parameter is missing, MALE Conversion to Bool | the flag is left out |"));
    EXPECT_FALSE(Has(white, "Not unidemensional"));
    const std::string calcRate = FunctionSection(*FindFunction("CalcRate"), addins.evaluator());
    for (const char* column : {"deltaTimes", "IVBolus", "targetConc"})
        EXPECT_TRUE(Has(calcRate, std::string("memory could be exhausted), ") + column +
                                      " Not unidemensional"))
            << column;
    EXPECT_FALSE(Has(calcRate, "maxRate Not unidemensional")); // a number is no column
    EXPECT_TRUE(Has(calcRate, "| Columns of different length! |"));
    // A model without flags shows no text of its own.
    EXPECT_TRUE(Has(FunctionSection(*FindFunction("PropMarsh"), addins.evaluator()),
                    "It shows no text of its own"));
}

TEST(ReferencePages, ExampleResultsAndModelSources) {
    FakeAddins addins;
    const std::string schnider = FunctionSection(*FindFunction("PropSchnider"), addins.evaluator());
    ASSERT_EQ(addins.asked, std::vector<std::string>{"=PropSchnider(53, 77, 177, 59)"});
    // Two results for seven cells: rows, not names.
    EXPECT_TRUE(Has(schnider, "| Row | Result |\n|---|---|\n| 0 | 1.5 |\n| 1 | 2.5 |\n"));
    EXPECT_TRUE(Has(schnider, "DOI 10.1097/00000542-199805000-00006, PMID 9605675"));
    EXPECT_TRUE(Has(schnider, "| weight (kg) | 44.4 | 122.7 |"));
    EXPECT_TRUE(Has(schnider, "**Studied covariate ranges:** confirmed"));
    const std::string marsh = FunctionSection(*FindFunction("PropMarsh"), addins.evaluator());
    EXPECT_TRUE(Has(marsh, "**Studied covariate ranges:** not confirmed"));
    // As many results as named cells: by name.
    const std::string bmi = FunctionSection(
        *FindFunction("JLBM"), [](const std::string&) { return std::vector<std::string>{"55.3"}; });
    EXPECT_TRUE(Has(bmi, "| 0 | 55.3 |"));
    const std::string check = FunctionSection(*FindFunction("CovariateCheck"), addins.evaluator());
    EXPECT_TRUE(Has(check, "| height (cm) | below 3 | error | height is in cm |"));
}

} // namespace
} // namespace refdocs
