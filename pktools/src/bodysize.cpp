#include "pktools/bodysize.h"

namespace pktools {

namespace {

struct SexConstants {
    double jamesWeightFactor;      // James: factor of W
    double jamesRatioFactor;       // James: factor of (W/H)^2
    double janmahasatianConstant;  // Janmahasatian: constant of the denominator
    double janmahasatianBmiFactor; // Janmahasatian: factor of BMI in the denominator
    double bmiThreshold;           // adjusted James: BMI where the curves meet
};

constexpr SexConstants MALE_CONSTANTS = {1.1, 128, 6680, 216, 28.0759};
constexpr SexConstants FEMALE_CONSTANTS = {1.07, 148, 8780, 244, 22.7688};
// Janmahasatian: numerator factor of W, the same for both sexes.
constexpr double JANMAHASATIAN_WEIGHT_FACTOR = 9270;
constexpr double CM_PER_M = 100;

const SexConstants& constantsFor(bool male) {
    return male ? MALE_CONSTANTS : FEMALE_CONSTANTS;
}

double squaredHeightInMetres(double H) {
    const double metres = H / CM_PER_M;
    return metres * metres;
}

} // namespace

double BMI(double W, double H) {
    return W / squaredHeightInMetres(H);
}

double JLBM(double W, double H, bool male) {
    const SexConstants& k = constantsFor(male);
    const double q = W / H;
    return k.jamesWeightFactor * W - k.jamesRatioFactor * (q * q);
}

double JanLBM(double W, double H, bool male) {
    const SexConstants& k = constantsFor(male);
    return JANMAHASATIAN_WEIGHT_FACTOR * W /
           (k.janmahasatianConstant + k.janmahasatianBmiFactor * BMI(W, H));
}

double JJLBM(double W, double H, bool male) {
    const double threshold = constantsFor(male).bmiThreshold;
    if (BMI(W, H) < threshold)
        return JLBM(W, H, male);
    // Above the threshold (or for a BMI that is not a number): the Janmahasatian curve,
    // shifted to meet James at the weight whose BMI is the threshold.
    const double thresholdWeight = threshold * squaredHeightInMetres(H);
    return JanLBM(W, H, male) + JLBM(thresholdWeight, H, male) - JanLBM(thresholdWeight, H, male);
}

} // namespace pktools
