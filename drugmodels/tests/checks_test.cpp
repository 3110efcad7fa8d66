#include "drugmodels/catalogue.h"
#include "drugmodels/checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace drugmodels {
namespace {

using catalogue::Quantity;

// A plausible adult, by quantity; a flag is 1.
const std::map<Quantity, double> ADULT = {
    {Quantity::Age, 40},
    {Quantity::Weight, 70},
    {Quantity::Height, 170},
    {Quantity::LeanBodyMass, 55},
    {Quantity::PostmenstrualAge, 40.77},
    {Quantity::CreatinineClearance, 100},
    {Quantity::Flag, 1},
};

// The arguments of a model for the adult with some quantities changed.
std::vector<RawArgument> ArgumentsFor(const catalogue::FunctionEntry& model,
                                      const std::map<Quantity, double>& changed = {}) {
    std::vector<RawArgument> arguments;
    for (const catalogue::ArgumentEntry& argument : model.arguments) {
        const auto found = changed.find(argument.quantity);
        arguments.push_back(found != changed.end() ? found->second : ADULT.at(argument.quantity));
    }
    return arguments;
}

std::vector<std::string> Texts(std::string_view model, const std::vector<RawArgument>& arguments) {
    std::vector<std::string> texts;
    for (const Finding& finding : CheckCovariates(model, arguments))
        texts.push_back(finding.text);
    return texts;
}

bool Mentions(const std::vector<std::string>& texts, std::string_view part) {
    for (const std::string& text : texts)
        if (text.find(part) != std::string::npos)
            return true;
    return false;
}

// A finding that gives exactly this reason (and perhaps the value in the slipped unit).
bool GivesReason(const std::vector<std::string>& texts, std::string_view reason) {
    const std::string part = ": " + std::string(reason);
    for (const std::string& text : texts) {
        const auto at = text.find(part);
        if (at != std::string::npos &&
            (at + part.size() == text.size() || text.compare(at + part.size(), 2, " (") == 0))
            return true;
    }
    return false;
}

// The slips a new user made, each answered in words.
TEST(CovariateCheck, AnswersTheSlipsOfANewUser) {
    EXPECT_EQ(CovariateLines("PropSchnider", {40, 70, 1.75, 56}),
              std::vector<std::string>{
                  "Height 1.75 cm is below 3 cm: height is in cm (1.75 m = 175 cm)"});
    // The trick would substitute a plausible height: the raw one is checked.
    EXPECT_EQ(CovariateLines("PropSchniderTrick", {40, 70, 1.75, 1}),
              std::vector<std::string>{
                  "Height 1.75 cm is below 3 cm: height is in cm (1.75 m = 175 cm)"});
    EXPECT_EQ(CovariateLines("PropSchnider", {40, 70, 175, std::nullopt}),
              std::vector<std::string>{"LBM is empty: the model reads it as 0"});
    EXPECT_EQ(CovariateLines("PropSchnider", {40, 70, 175}),
              std::vector<std::string>{"LBM is empty: the model reads it as 0"});
    EXPECT_EQ(
        CovariateLines("PropMarsh", {-70}),
        std::vector<std::string>{"Weight -70 kg is at or below 0 kg: a weight must be positive"});
    const auto months = CovariateLines("PropKataria", {15, 36});
    ASSERT_EQ(months.size(), 2u);
    EXPECT_EQ(months[0], "mass 15 kg is below 25 kg at age 36 years: adult weights in the data "
                         "are at least 36 kg; an age in months, or a weight in another unit? (36 "
                         "months = 3 years)");
    EXPECT_EQ(months[1], "age 36 years is outside the 3–11 years studied for this model (Kataria "
                         "1994)");
    EXPECT_EQ(CovariateLines("PropSchnider", {480, 70, 175, 56})[0],
              "Age 480 years is above 122 years: above the oldest verified human age; an age in "
              "months? (480 months = 40 years)");
}

TEST(CovariateCheck, SaysOkOnlyWhenNothingIsToBeSaid) {
    EXPECT_EQ(CovariateLines("PropSchnider", {53, 77, 177, 59}), std::vector<std::string>{"OK"});
    EXPECT_EQ(CovariateLines("AlfentScott", {}), std::vector<std::string>{"OK"});
    // Omitted trailing arguments beyond the model's own are nothing.
    EXPECT_EQ(CovariateLines("PropMarsh", {70, std::nullopt, std::nullopt}),
              std::vector<std::string>{"OK"});
}

TEST(CovariateCheck, ExplainsANameOrArgumentsThatDoNotFit) {
    EXPECT_EQ(CovariateLines("Foo", {1})[0],
              "Unknown model \"Foo\": give the worksheet name of a Velmora model as text, such "
              "as \"PropSchnider\"");
    EXPECT_EQ(CovariateLines("propmarsh", {70}), std::vector<std::string>{"OK"});
    EXPECT_EQ(CovariateLines("PropMarsh", {70, 3})[0],
              "PropMarsh takes 1 argument (Weight); the value 3 in place 2 does not fit it");
    EXPECT_EQ(CovariateLines("SufentGepts", {std::nullopt, 70})[0],
              "SufentGepts takes 0 arguments; the value 70 in place 2 does not fit it");
    EXPECT_EQ(CovariateLines("PropWhite", {40, 70, std::nullopt})[0],
              "MALE is empty: the model shows an error instead of its row; enter 1 or 0");
    EXPECT_EQ(CovariateLines("PropMarsh", {std::nan("")})[0],
              "Weight is not a number: enter it in kg");
    EXPECT_EQ(CovariateLines("PropWhite", {40, 70, 2})[0],
              "MALE 2 is neither 1 nor 0: the model reads any number but 0 as 1");
}

// Arguments that look right by themselves, for which the model gives a row it cannot mean.
TEST(CovariateCheck, NamesARowTheModelCannotMean) {
    const std::string zeros =
        " gives zero volumes and clearances for these arguments: it does not cover this patient";
    EXPECT_EQ(CovariateLines("Diprifusor", {15.9, 60}),
              std::vector<std::string>{"Diprifusor" + zeros});
    EXPECT_FALSE(Mentions(Texts("Diprifusor", {16, 60}), zeros));
    EXPECT_EQ(CovariateLines("PropPaedfusor", {12.5, 40})[0], "PropPaedfusor" + zeros);
    EXPECT_FALSE(Mentions(Texts("PropPaedfusor", {13, 40}), zeros));
    // Kataria's V2 is 0.78 mass + 3.1 age - 15.5.
    EXPECT_EQ(CovariateLines("PropKataria", {7, 2})[0],
              "PropKataria gives V2 = -3.84 L for these arguments: its formulas do not hold here");
    EXPECT_TRUE(Mentions(Texts("PropKataria", {11.9, 2}), "gives V2"));
    EXPECT_FALSE(Mentions(Texts("PropKataria", {12, 2}), "gives V2"));
    if (findModel("DexmedDyck") != nullptr) {
        EXPECT_TRUE(Mentions(Texts("DexmedDyck", {117}), "DexmedDyck gives Cl1 = "));
        EXPECT_FALSE(Mentions(Texts("DexmedDyck", {117.3}), "gives Cl1"));
    }
    // Not when an argument already explains it: Schnider's Cl1 at a height in metres.
    EXPECT_FALSE(Mentions(Texts("PropSchnider", {40, 70, 1.75, 56}), "gives Cl1"));
}

TEST(CovariateCheck, PutsErrorsFirst) {
    // Weight 150 is a warning (studied range), height 1.75 an error.
    const std::vector<Finding> findings = CheckCovariates("PropSchnider", {40, 150, 1.75, 56});
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].severity, Severity::Error);
    EXPECT_EQ(findings[1].severity, Severity::Warning);
    EXPECT_EQ(findings[1].text, "Weight 150 kg is outside the 44.4–122.7 kg studied for this model "
                                "(Schnider 1998)");
}

// A model that takes the quantity (and the quantities the rule reads beside it).
const catalogue::FunctionEntry& ModelTaking(Quantity quantity) {
    switch (quantity) {
    case Quantity::PostmenstrualAge:
        return entries::PropEleveldFinal;
    case Quantity::CreatinineClearance:
        return *findModel("RocuKleijn");
    default:
        return entries::PropSchnider;
    }
}

// Every rule on an argument's own value, at its threshold and on either side of it: the
// rule's reason appears exactly when the value breaks it and no rule of the same quantity
// before it.
TEST(CovariateCheck, EveryRuleAtAndBesideItsThreshold) {
    for (const LimitRule& rule : LIMIT_RULES) {
        if (rule.quantity == Quantity::BodyMassIndex || rule.quantity == Quantity::GestationAtBirth)
            continue; // derived: below
        if (rule.quantity == Quantity::CreatinineClearance && findModel("RocuKleijn") == nullptr)
            continue;
        const catalogue::FunctionEntry& model = ModelTaking(rule.quantity);
        double scale = 1;
        std::map<Quantity, double> base;
        if (rule.when != Quantity::Other)
            base[rule.when] = rule.whenAtLeast;
        if (rule.scaleBy != Quantity::Other)
            scale = ADULT.at(rule.scaleBy);
        // A weight compared with the age is tested on an adult's height and so on; keep the
        // other rules of the same quantity quiet where they can be.
        const double threshold = rule.threshold * scale;
        const double step = std::max(std::abs(threshold) * 1e-6, 1e-9);
        for (const double value : {threshold - step, threshold, threshold + step}) {
            std::map<Quantity, double> changed = base;
            changed[rule.quantity] = value;
            const auto texts = Texts(model.worksheetName, ArgumentsFor(model, changed));
            bool earlier = false, breaks = false;
            for (const LimitRule& other : LIMIT_RULES) {
                if (other.quantity != rule.quantity)
                    continue;
                const double t = other.threshold *
                                 (other.scaleBy != Quantity::Other ? ADULT.at(other.scaleBy) : 1);
                const bool applies =
                    other.when == Quantity::Other ||
                    (changed.count(other.when) ? changed.at(other.when) : ADULT.at(other.when)) >=
                        other.whenAtLeast;
                const bool broken = applies && (other.beyond == Beyond::Below       ? value < t
                                                : other.beyond == Beyond::AtOrBelow ? value <= t
                                                : other.beyond == Beyond::Above     ? value > t
                                                                                    : value >= t);
                if (&other == &rule) {
                    breaks = broken;
                    break;
                }
                earlier = earlier || broken;
            }
            EXPECT_EQ(GivesReason(texts, rule.reason), breaks && !earlier)
                << model.worksheetName << " " << rule.reason << " at " << value;
        }
    }
}

TEST(CovariateCheck, BodyMassIndexRulesAtTheirThresholds) {
    // Height 100 cm: the BMI equals the weight.
    const auto bmi = [](double weight, double age = 40) {
        return Texts("PropSchnider", {age, weight, 100, 0.5 * weight});
    };
    EXPECT_FALSE(Mentions(bmi(80), "is above 80 kg/m²"));
    EXPECT_TRUE(Mentions(bmi(80.001), "BMI 80.001 kg/m² is above 80 kg/m²: beyond any data set"));
    EXPECT_TRUE(Mentions(bmi(80.001), "(100 in = 254 cm)"));
    EXPECT_FALSE(Mentions(bmi(59.999), "at or above 60"));
    EXPECT_TRUE(Mentions(bmi(60), "BMI 60 kg/m² is at or above 60 kg/m²"));
    EXPECT_TRUE(Mentions(bmi(9.999), "BMI 9.999 kg/m² is below 10 kg/m² at Age 40 years"));
    EXPECT_FALSE(Mentions(bmi(10), "is below 10 kg/m²"));
    EXPECT_FALSE(Mentions(bmi(9.999, 0.5), "is below 10 kg/m²")); // infants may be that thin
    // A height already in error gives no BMI.
    EXPECT_FALSE(Mentions(Texts("PropSchnider", {40, 70, 1.75, 56}), "BMI"));
}

// Corvane's body-size functions are checked as the models are, by their own argument names.
TEST(CovariateCheck, ReadsTheBodySizeFunctions) {
    EXPECT_EQ(CovariateLines("JLBM", {77, 1.77, 1}),
              std::vector<std::string>{
                  "height 1.77 cm is below 3 cm: height is in cm (1.77 m = 177 cm)"});
    EXPECT_EQ(CovariateLines("BMI", {70, 1.75})[0],
              "Height 1.75 cm is below 3 cm: height is in cm (1.75 m = 175 cm)");
    for (const char* name : {"JLBM", "jlbm", "JanLBM", "JJLBM"})
        EXPECT_EQ(CovariateLines(name, {77, 177, 1}), std::vector<std::string>{"OK"}) << name;
    EXPECT_EQ(CovariateLines("BMI", {77, 177}), std::vector<std::string>{"OK"});
    EXPECT_EQ(CovariateLines("JLBM", {77, 177, std::nan("")}),
              std::vector<std::string>{"MALE is not a number: enter it in 1 or 0"});
    EXPECT_EQ(CovariateLines("JLBM", {77, 177, 1, 5})[0],
              "JLBM takes 3 arguments (weight, height, MALE); the value 5 in place 4 does not "
              "fit it");
    EXPECT_EQ(CovariateLines("JanLBM", {77, 177})[0],
              "MALE is empty: the model shows an error instead of its row; enter 1 or 0");
    // A woman of BMI 75: James's formula turns negative, which no argument explains.
    const auto negative = CovariateLines("JLBM", {168.75, 150, 0});
    ASSERT_EQ(negative.size(), 2u);
    EXPECT_EQ(negative[0],
              "JLBM gives LBM = -6.75 kg for these arguments: its formula does not hold here");
    EXPECT_FALSE(Mentions(CovariateLines("JJLBM", {168.75, 150, 0}), "does not hold"));
    // Not when an argument already explains it.
    EXPECT_FALSE(Mentions(CovariateLines("JLBM", {77, 1.77, 1}), "gives LBM"));
    // Every Corvane function of the patient alone, such as Eleveld's Ce50 of the age.
    EXPECT_EQ(CovariateLines("Ce50Eleveld", {40}), std::vector<std::string>{"OK"});
    EXPECT_TRUE(Mentions(CovariateLines("Ce50Eleveld", {480}), "an age in months?"));
}

// A weight that gives the height an ordinary BMI when read as pounds.
TEST(CovariateCheck, AsksForPoundsWhereTheyFitTheHeightBetter) {
    const std::string hint = "a weight in lb? (170 lb = 77.1107 kg)";
    EXPECT_TRUE(Mentions(CovariateLines("JLBM", {170, 170, 1}), hint));
    EXPECT_TRUE(Mentions(CovariateLines("PropSchnider", {53, 170, 170, 59}), hint));
    EXPECT_TRUE(Mentions(CovariateLines("PropSchnider", {53, 170, 170, 59}),
                         "BMI 58.8235 kg/m² is at or above 50 kg/m²"));
    EXPECT_FALSE(Mentions(CovariateLines("JLBM", {77, 177, 1}), "lb?"));
    // Height 100 cm: the BMI equals the weight.
    const auto bmi = [](double weight) { return Texts("JLBM", {weight, 100, 1}); };
    EXPECT_FALSE(Mentions(bmi(49.999), "lb?"));
    EXPECT_TRUE(Mentions(bmi(50), "BMI 50 kg/m² is at or above 50 kg/m²"));
    EXPECT_TRUE(Mentions(bmi(50), "(50 lb = 22.6796 kg)"));
    EXPECT_TRUE(Mentions(bmi(60), "at or above 60 kg/m²: beyond every data set (the highest BMI "
                                  "is 52.8); a weight in lb? (60 lb"));
    EXPECT_TRUE(Mentions(Texts("PropMarsh", {300}), "a weight in lb? (300 lb = 136.078 kg)"));
}

TEST(CovariateCheck, GestationRulesAtTheirThresholds) {
    const auto eleveld = [](double pma, double age) {
        return Texts("PropEleveldFinal", {3.5, 50, pma, age, 1, 0, 0, 1});
    };
    EXPECT_TRUE(Mentions(eleveld(0.999, 1), "it cannot be below the age"));
    EXPECT_FALSE(Mentions(eleveld(1, 1), "it cannot be below the age"));
    EXPECT_FALSE(Mentions(eleveld(2, 1), "no gestation lasts"));
    EXPECT_TRUE(Mentions(eleveld(2.001, 1), "pma - age 1.001 years is above 1 years"));
    EXPECT_TRUE(Mentions(eleveld(40, 0.01), "(40 weeks = 0.766598 years)"));
    EXPECT_TRUE(Mentions(eleveld(1.419, 1), "below 22 weeks"));
    EXPECT_FALSE(Mentions(eleveld(1.421, 1), "below 22 weeks"));
}

// One quantity changed; a lean body mass with a weight it fits in.
std::map<Quantity, double> Changed(Quantity quantity, double value) {
    if (quantity == Quantity::LeanBodyMass)
        return {{quantity, value}, {Quantity::Weight, value / 0.7}};
    return {{quantity, value}};
}

// Every model's studied ranges: quiet at both ends, a warning naming the study just beyond.
TEST(CovariateCheck, EveryModelsStudiedRanges) {
    for (const catalogue::FunctionEntry* entry : MODEL_ENTRIES) {
        const catalogue::FunctionEntry& model = *entry;
        const catalogue::ModelSource* source = model.source;
        ASSERT_NE(source, nullptr) << model.worksheetName;
        for (const catalogue::StudiedRange& range : source->ranges) {
            bool taken = false;
            for (const auto& argument : model.arguments)
                taken = taken || argument.quantity == range.quantity;
            if (!taken)
                continue;
            std::string name;
            for (const auto& argument : model.arguments)
                if (argument.quantity == range.quantity)
                    name = std::string(argument.name) + " ";
            const std::string study = std::string(" studied for this model (") + source->study;
            const auto warned = [&](double value) {
                for (const std::string& text : Texts(
                         model.worksheetName, ArgumentsFor(model, Changed(range.quantity, value))))
                    if (text.rfind(name, 0) == 0 && text.find(study) != std::string::npos)
                        return true;
                return false;
            };
            EXPECT_FALSE(warned(range.low)) << model.worksheetName << " " << name;
            EXPECT_FALSE(warned(range.high)) << model.worksheetName << " " << name;
            EXPECT_TRUE(warned(range.low * 0.999)) << model.worksheetName << " " << name;
            EXPECT_TRUE(warned(range.high * 1.001)) << model.worksheetName << " " << name;
        }
    }
}

TEST(CovariateCheck, SaysWhenARangeIsNotConfirmed) {
    if (findModel("RemiKim") == nullptr)
        GTEST_SKIP() << "RemiKim is not in the catalogue";
    EXPECT_TRUE(Mentions(Texts("RemiKim", {70, 90, 170, 1}), "(Kim 2017, not confirmed)"));
}

} // namespace
} // namespace drugmodels
