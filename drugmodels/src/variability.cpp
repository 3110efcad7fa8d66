#include "drugmodels/variability.h"

#include "drugmodels/catalogue.h"
#include "portablemath/math.h"

namespace drugmodels {

namespace {

// The variance of eta for a coefficient of variation cv (a fraction), exactly: ln(1 + cv^2)
// (cv^2 alone overstates large variances).
double varianceOfCV(double cv) {
    return portable::log(1 + cv * cv);
}

struct ModelVariances {
    std::string_view model;
    Variances variances;
};

// clang-format off
const ModelVariances KNOWN[] = {
    // Eleveld 2018, propofol.
    {"PropEleveldFinal", {0.610, 0.565, 0.597, 0.265, 0.346, 0.209, 0.702}},
    // Eleveld 2017, remifentanil; no variance of ke0 (the sources differ: 0.947 or 1.26).
    {"RemiEleveld", {0.104, 0.115, 0.810, 0.0197, 0.0547, 0.285, 0}},
    // Minto 1997, published as CVs of 26, 29, 66, 14, 36 and 41 %; no ke0 variance (60 % or
    // 68 % in the sources).
    {"RemiMinto", {varianceOfCV(0.26), varianceOfCV(0.29), varianceOfCV(0.66),
                   varianceOfCV(0.14), varianceOfCV(0.36), varianceOfCV(0.41), 0}},
    // Hannivoort 2015: V1's between-subject 0.0350 and between-occasion 0.2735 added for one
    // occasion.
    {"DexmedHannivoort", {0.0350 + 0.2735, 0, 0.0633, 0.0276, 0, 0, 0}},
};
// clang-format on

} // namespace

std::optional<Variances> modelVariances(std::string_view worksheetName) {
    for (const ModelVariances& known : KNOWN)
        if (known.model == worksheetName)
            return known.variances;
    return std::nullopt;
}

std::vector<double> ModelOmega(std::string model) {
    const catalogue::FunctionEntry* entry = findModelAnyCase(model);
    if (entry == nullptr)
        throw VarianceRefusal(UNKNOWN_MODEL);
    const std::optional<Variances> variances = modelVariances(entry->worksheetName);
    if (!variances)
        throw VarianceRefusal(NO_VARIANCES);
    return {variances->begin(), variances->end()};
}

} // namespace drugmodels
