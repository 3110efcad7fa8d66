#include "drugmodels/catalogue.h"
#include "drugmodels/variability.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace drugmodels;

namespace {

std::string refusalOf(const std::string& model) {
    try {
        ModelOmega(model);
    } catch (const VarianceRefusal& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST(ModelOmega, GivesThePublishedVariancesInTheRowsOrder) {
    EXPECT_EQ(ModelOmega("PropEleveldFinal"),
              (std::vector<double>{0.610, 0.565, 0.597, 0.265, 0.346, 0.209, 0.702}));
    EXPECT_EQ(ModelOmega("RemiEleveld"),
              (std::vector<double>{0.104, 0.115, 0.810, 0.0197, 0.0547, 0.285, 0}));
    // Minto's CVs by the exact rule: 66 % is 0.3616, not the 0.4356 of CV^2.
    const std::vector<double> minto = ModelOmega("RemiMinto");
    ASSERT_EQ(minto.size(), 7u);
    const double cv[] = {0.26, 0.29, 0.66, 0.14, 0.36, 0.41};
    for (std::size_t k = 0; k < 6; ++k)
        EXPECT_NEAR(minto[k], std::log1p(cv[k] * cv[k]), 1e-15) << k;
    EXPECT_NEAR(minto[2], 0.3616, 1e-4);
    EXPECT_EQ(minto[6], 0);
    // Hannivoort: one occasion, V1's between-occasion variance added.
    const std::vector<double> dexmed = ModelOmega("DexmedHannivoort");
    EXPECT_DOUBLE_EQ(dexmed[0], 0.3085);
    EXPECT_EQ(dexmed, (std::vector<double>{0.0350 + 0.2735, 0, 0.0633, 0.0276, 0, 0, 0}));
    // Any letter case, as the sheet's function names.
    EXPECT_EQ(ModelOmega("propeleveldfinal"), ModelOmega("PropEleveldFinal"));
}

TEST(ModelOmega, NamesOnlyModelsAndRefusesTheOthersClearly) {
    EXPECT_EQ(refusalOf("PropSchnider"), NO_VARIANCES);
    EXPECT_EQ(refusalOf("PropMarsh"), NO_VARIANCES);
    EXPECT_EQ(refusalOf("PropMarshall"), UNKNOWN_MODEL);
    EXPECT_EQ(refusalOf(""), UNKNOWN_MODEL);
    // Velmora's other functions are no models.
    EXPECT_EQ(refusalOf("ModelOmega"), UNKNOWN_MODEL);
    EXPECT_EQ(refusalOf("CovariateCheck"), UNKNOWN_MODEL);
    // Every model with variances is a model of the catalogue, with a row long enough.
    for (const char* name : {"PropEleveldFinal", "RemiEleveld", "RemiMinto", "DexmedHannivoort"}) {
        const catalogue::FunctionEntry* model = findModel(name);
        ASSERT_NE(model, nullptr) << name;
        // ke0 varies only where the row has it.
        const std::vector<double> omega = ModelOmega(name);
        EXPECT_TRUE(model->cells.size() == ROW_WITH_KE0 || omega[row::ke0] == 0) << name;
        for (double w : omega)
            EXPECT_GE(w, 0) << name;
    }
}
