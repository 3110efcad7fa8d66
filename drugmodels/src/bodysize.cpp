#include "drugmodels/bodysize.h"

namespace drugmodels {

namespace {

constexpr double CM_PER_M = 100;

struct JamesConstants {
    double weightFactor; // f
    double ratioFactor;  // k, the factor of (W/H)^2
};
constexpr JamesConstants JAMES_MALE = {1.1, 128};
constexpr JamesConstants JAMES_FEMALE = {1.07, 148};

struct FatFreeMassConstants {
    double numeratorFactor;   // of h2 W
    double denominatorFactor; // of h2, beside W
};
constexpr FatFreeMassConstants FFM_MALE = {42.92, 30.93};
constexpr FatFreeMassConstants FFM_FEMALE = {37.99, 35.98};

struct JanmahasatianConstants {
    double constant;  // of the denominator
    double bmiFactor; // of BMI in the denominator
};
constexpr JanmahasatianConstants JANMAHASATIAN_MALE = {6680, 216};
constexpr JanmahasatianConstants JANMAHASATIAN_FEMALE = {8780, 244};
// The factor of W in the numerator, the same for both sexes.
constexpr double JANMAHASATIAN_WEIGHT_FACTOR = 9270;

} // namespace

double jamesLeanBodyMass(double weight, double height, bool male) {
    const JamesConstants& k = male ? JAMES_MALE : JAMES_FEMALE;
    const double ratio = weight / height;
    return k.weightFactor * weight - (ratio * ratio) * k.ratioFactor;
}

double fatFreeMass(double weight, double height, bool male) {
    const FatFreeMassConstants& k = male ? FFM_MALE : FFM_FEMALE;
    const double metres = height / CM_PER_M;
    const double h2 = metres * metres;
    return k.numeratorFactor * h2 * weight / (k.denominatorFactor * h2 + weight);
}

double janmahasatianFatFreeMass(double weight, double height, bool male) {
    const JanmahasatianConstants& k = male ? JANMAHASATIAN_MALE : JANMAHASATIAN_FEMALE;
    const double metres = height / CM_PER_M;
    const double bmi = weight / (metres * metres);
    return JANMAHASATIAN_WEIGHT_FACTOR * weight / (k.constant + k.bmiFactor * bmi);
}

} // namespace drugmodels
