// The worked rows of the models added with dexmedetomidine, remimazolam and rocuronium, as
// their sources print them: each value must round to the digits given. These rows were
// cross-checked against the authors' code and the open tools that are right for each model.

#include "drugmodels/models.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace drugmodels;

namespace {

struct WorkedRow {
    const char* call;
    ParameterRow row;
    std::vector<const char*> printed; // each value as printed, to its last digit
};

#define WORKED(expr, ...)                                                                          \
    { #expr, expr, __VA_ARGS__ }

// Half a unit of the last digit printed: "0.1244464" allows 5e-8.
double halfUnitOfLastDigit(const char* printed) {
    const char* point = std::strchr(printed, '.');
    const int decimals = point ? static_cast<int>(std::strlen(point + 1)) : 0;
    return 0.5 * std::pow(10.0, -decimals);
}

} // namespace

TEST(WorkedRows, EveryValueRoundsToThePrintedDigits) {
    const WorkedRow rows[] = {
        WORKED(DexmedHannivoort(70), {"1.78", "30.3", "52", "0.686", "2.98", "0.602"}),
        // 0.00791 * 170 - 0.927; with 0.928 it would be 0.4167.
        WORKED(DexmedDyck(170), {"7.99", "13.8", "187", "0.4177", "2.26", "1.99"}),
        WORKED(RemiEleveld(70, 35, 170, true),
               {"5.807263", "8.821301", "5.025120", "2.576048", "1.716547", "0.1244464", "1.09"}),
        WORKED(RemiEleveld(70, 35, 170, false),
               {"4.785404", "10.06418", "4.140889", "3.084701", "2.623547", "0.1076323", "1.09"}),
        // With weight instead of BMI in the fat-free mass, V2 would be 4.864832.
        WORKED(RemiKim(70, 50, 150, true),
               {"4.568805", "6.820768", "3.3799", "2.518915", "1.576", "0.197"}),
        WORKED(RemiKim(120, 40, 165, false),
               {"6.513724", "8.538854", "3.8569", "3.206474", "1.856", "0.197"}),
        WORKED(RemimazEleveld(70, 35, true, false, false),
               {"4.3073", "12.2994", "18.6411", "1.11977", "1.4526", "0.297838", "0.298269"}),
        WORKED(
            RemimazEleveld(60, 45, false, true, false),
            {"3.691971", "10.54234", "22.90458", "1.021194", "1.294005", "0.3475907", "0.298269"}),
        WORKED(RocuKleijn(70, 43, 119, false, false),
               {"4.73", "6.76", "0", "0.269", "0.279", "0", "0.134"}),
        WORKED(RocuKleijn(80, 60, 80, false, true),
               {"5.715756", "8.574256", "0", "0.2630643", "0.3083885", "0", "0.05611703"}),
        WORKED(FentShafer(), {"6.09", "28.12147", "228.375", "0.503643", "2.86839", "1.37025"}),
        // The published typical values, to three significant figures: Eleveld 2017 (abstract)
        // and Eleveld 2025 (Table 1, with the ke0 of MOAA/S sedation).
        WORKED(RemiEleveld(70, 35, 170, true),
               {"5.81", "8.82", "5.03", "2.58", "1.72", "0.124", "1.09"}),
        WORKED(RemimazEleveld(70, 35, true, false, false),
               {"4.31", "12.3", "18.6", "1.12", "1.45", "0.298", "0.298"}),
    };
    for (const WorkedRow& worked : rows) {
        SCOPED_TRACE(worked.call);
        ASSERT_EQ(worked.row.size(), worked.printed.size());
        for (std::size_t i = 0; i < worked.row.size(); ++i)
            EXPECT_NEAR(worked.row[i], std::strtod(worked.printed[i], nullptr),
                        halfUnitOfLastDigit(worked.printed[i]))
                << "position " << i;
    }
}
