#include "drugmodels/bodysize.h"
#include "drugmodels/models.h"

#include <cmath>

namespace drugmodels {

namespace {

constexpr double CM_PER_M = 100;

// Above these body-mass indices (kg/m^2) the James formula leaves its valid range; the
// height is then replaced by the one at which the BMI equals the threshold.
constexpr double BMI_THRESHOLD_MALE = 42;
constexpr double BMI_THRESHOLD_FEMALE = 36;

} // namespace

ParameterRow PropSchnider(double Age, double Weight, double Height, double LBM) {
    ParameterRow p(ROW_WITH_KE0, 0.0);
    p[row::V1] = 4.27;
    p[row::V2] = 18.9 - (Age - 53) * 0.391;
    p[row::V3] = 238;
    p[row::Cl1] = ((Height - 177) * 0.0264 + 1.89) + (Weight - 77) * 0.0456 - (LBM - 59) * 0.0681;
    p[row::Cl2] = 1.29 - (Age - 53) * 0.024;
    p[row::Cl3] = 0.836;
    p[row::ke0] = 0.456;
    return p;
}

ParameterRow PropSchniderTrick(double Age, double Weight, double Height, bool male) {
    const double metres = Height / CM_PER_M;
    const double bmi = Weight / (metres * metres);
    const double threshold = male ? BMI_THRESHOLD_MALE : BMI_THRESHOLD_FEMALE;
    // A height of 0 gives an infinite BMI and so takes the substitution as well.
    const double effectiveHeight =
        bmi > threshold ? CM_PER_M * std::sqrt(Weight / threshold) : Height;
    const double lbm = jamesLeanBodyMass(Weight, effectiveHeight, male);
    return PropSchnider(Age, Weight, effectiveHeight, lbm);
}

} // namespace drugmodels
