// The models of the Eleveld family: propofol 2014 and 2018, ABP-700, remifentanil 2017 and
// remimazolam 2025. Each parameter is a typical value (mostly stored as its logarithm),
// scaled by body size, with sigmoid maturation and exponential ageing terms. The reference
// individual is a 35-year-old male of 70 kg (and 170 cm, where height enters).

#include "drugmodels/bodysize.h"
#include "drugmodels/models.h"
#include "model_terms.h"
#include "portablemath/math.h"

namespace drugmodels {

namespace {

using terms::CLEARANCE_EXPONENT;
using terms::indicator;
using terms::KE0_EXPONENT;
using terms::REFERENCE_WEIGHT;

constexpr double REFERENCE_AGE = 35; // years
constexpr double CM_PER_M = 100;
constexpr double WEEKS_PER_YEAR = 52;

// Fat-free mass (kg) of the reference male, 70 kg and 170 cm, in the height-squared form
// without an age factor.
constexpr double REFERENCE_FFM = 54.475445721344876;

// The sigmoid x^g / (x^g + x50^g), with x50^g computed once (by the compiler: the
// sigmoids are constants).
struct Sigmoid {
    double x50g, gamma;
    constexpr Sigmoid(double x50, double g) : x50g(portable::pow(x50, g)), gamma(g) {}
    constexpr double operator()(double x) const { return ofPower(portable::pow(x, gamma)); }
    // The sigmoid of x given xg = x^g, for sigmoids of one x with the same g.
    constexpr double ofPower(double xg) const { return xg / (xg + x50g); }
};

} // namespace

// --- ABP-700 ------------------------------------------------------------------------

namespace {

// Log-scale typical volumes that the inter-compartmental clearances normalise by.
constexpr double ABP700_LOG_V2 = 2.1352;
constexpr double ABP700_LOG_V3 = 2.46824;

} // namespace

// The age is accepted with the other covariates but does not enter the model.
ParameterRow ABP700V1Eleveld(double weight, double /*age*/, double height, bool male) {
    const double m = indicator(male);
    const double f = 1 - m;
    const double size =
        (fatFreeMass(weight, height, true) * m + fatFreeMass(weight, height, false) * f) /
        REFERENCE_FFM;

    // The typical values, from their logarithms.
    constexpr double v1 = portable::exp(1.24634), v2 = portable::exp(ABP700_LOG_V2),
                     v3 = portable::exp(ABP700_LOG_V3), cl1 = portable::exp(0.766491),
                     cl2 = portable::exp(0.673795), cl3 = portable::exp(-1.21524);
    ParameterRow p(ROW_WITH_KE0, 0.0);
    p[row::V1] = v1 * size;
    p[row::V2] = v2 * size;
    p[row::V3] = v3 * size;
    const auto [sizeForCl, sizeForKe0] =
        portable::powersOf<2>(size, {CLEARANCE_EXPONENT, KE0_EXPONENT});
    p[row::Cl1] = sizeForCl * cl1;
    p[row::Cl2] = portable::pow(p[row::V2] / v2, CLEARANCE_EXPONENT) * cl2;
    p[row::Cl3] = portable::pow(p[row::V3] / v3, CLEARANCE_EXPONENT) * cl3;
    p[row::ke0] = sizeForKe0 * 0.393504;
    return p;
}

// --- Propofol, Eleveld 2014 -----------------------------------------------------------

namespace {

// Sigmoid of weight that scales V1, V3 and Cl1.
constexpr double E2014_WEIGHT_E50 = 16.6358; // kg
constexpr double E2014_WEIGHT_GAMMA = 2.75498;

// Age plus 40 weeks (years), and its value for the reference individual.
constexpr double FORTY_WEEKS_IN_YEARS = 0.7692307692307693;
constexpr double E2014_REFERENCE_AGE_PLUS_40_WEEKS = 35.76923076923077;

// The two sigmoids of age plus 40 weeks that enter Cl1.
constexpr double E2014_LATE_E50 = 69.1565;  // years
constexpr double E2014_EARLY_E50 = 22.2174; // years, male only
constexpr double E2014_AGE_GAMMA = 8;
constexpr double E2014_CL1_MATURATION = 22.5228;

// Log-scale typical V2 and V3 of a patient; the inter-compartmental clearances
// normalise by them for volunteers too.
constexpr double E2014_LOG_V2_PATIENT = 3.36832;
constexpr double E2014_LOG_V3_PATIENT = 4.90135;

// Ageing of Cl3 (and of Cl2 as weight rises): per year beyond 35, scaled by 0.001.
constexpr double E2014_AGEING_SCALE = -0.001;
constexpr double E2014_CL3_AGEING = 6.34459;

constexpr double E2014_KE0 = 0.456;

} // namespace

ParameterRow PropEleveld(double weight, double age, bool male, bool patient) {
    const double m = indicator(male);
    const double f = 1 - m;
    const double pat = indicator(patient);
    const double vol = 1 - pat;

    constexpr Sigmoid byWeight(E2014_WEIGHT_E50, E2014_WEIGHT_GAMMA);
    constexpr Sigmoid late(E2014_LATE_E50, E2014_AGE_GAMMA),
        early(E2014_EARLY_E50, E2014_AGE_GAMMA);
    const double ageP40 = age + FORTY_WEEKS_IN_YEARS;
    // The weight's power and the age's that the two age sigmoids share, side by side.
    const auto [weightG, ageP40g] =
        portable::powEach<2>({weight, ageP40}, {E2014_WEIGHT_GAMMA, E2014_AGE_GAMMA});
    const double sW = byWeight.ofPower(weightG);
    constexpr double s70 = byWeight(REFERENCE_WEIGHT);
    const double rW = sW / s70;
    const double ageing = portable::exp((age - REFERENCE_AGE) * -0.00354508);

    const double s69 = late.ofPower(ageP40g);
    const double s22 = m * early.ofPower(ageP40g);
    constexpr double s69ref = late(E2014_REFERENCE_AGE_PLUS_40_WEEKS);
    // The reference is male whatever the patient's sex.
    constexpr double s22ref = early(E2014_REFERENCE_AGE_PLUS_40_WEEKS);

    const double w70 = weight / REFERENCE_WEIGHT;
    const auto [w70ForV3, w70ForCl1] = portable::powersOf<2>(w70, {0.348803, CLEARANCE_EXPONENT});
    const double ageTerm = (age - REFERENCE_AGE) * E2014_AGEING_SCALE;

    ParameterRow p(ROW_WITH_KE0, 0.0);
    p[row::V1] =
        portable::exp(2.27971 * pat + 1.74781 * vol) * (((f * 0.829709 + m) * ageing) * rW);
    p[row::V2] = portable::exp((age - REFERENCE_AGE) * -0.0089113) * w70 *
                 portable::exp(2.47072 * vol + E2014_LOG_V2_PATIENT * pat);
    p[row::V3] = portable::exp(5.4037 * vol + E2014_LOG_V3_PATIENT * pat) * (w70ForV3 * rW);

    const double q = 1 - s69;
    const double e = portable::exp(
        (q * E2014_CL1_MATURATION * (1 - s22) + (1 - q) * E2014_CL1_MATURATION * s22) * 0.01 * sW);
    constexpr double qref = 1 - s69ref;
    constexpr double eref =
        portable::exp(((1 - s22ref) * qref + (1 - qref) * s22ref) * 0.225228 * s70);
    // The typical V2 and V3 of a patient, from their logarithms.
    constexpr double v2Patient = portable::exp(E2014_LOG_V2_PATIENT),
                     v3Patient = portable::exp(E2014_LOG_V3_PATIENT);
    p[row::Cl1] = (e / eref) * (w70ForCl1 * ageing) * portable::exp(0.42661 * pat + 0.603899 * vol);

    // The inter-compartmental clearances scale with the volumes' powers, side by side.
    const auto [v2Power, v3Power] = portable::powEach<2>(
        {p[row::V2] / v2Patient, p[row::V3] / v3Patient}, {CLEARANCE_EXPONENT, CLEARANCE_EXPONENT});
    p[row::Cl2] = v2Power * portable::exp(((1 - sW) * 27.6499 + sW * E2014_CL3_AGEING) * ageTerm) *
                  portable::exp(1.13003 * vol + 0.354021 * pat);
    p[row::Cl3] = v3Power * portable::exp(ageTerm * E2014_CL3_AGEING) *
                  portable::exp(0.0791004 * vol - 0.497825 * pat);
    p[row::ke0] = E2014_KE0;
    return p;
}

// --- Propofol, Eleveld 2018 -----------------------------------------------------------

namespace {

// Log-scale typical V2 and V3; the inter-compartmental clearances normalise by them.
constexpr double E2018_LOG_V2 = 3.23873;
constexpr double E2018_LOG_V3 = 5.6088;

// Age of the reference individual in weeks after birth plus 40 (35 * 52 + 40), for the
// hyperbolic maturation of Cl2 and Cl3.
constexpr double E2018_REFERENCE_AGE_WEEKS = 1860;
// Postmenstrual age of the reference individual in weeks, (35 + 40/52) * 52 in double
// precision, for the sigmoid maturation of Cl1. Not the same number as the one above.
constexpr double E2018_REFERENCE_PMA_WEEKS = 1859.9999999999998;

// Fat-free mass of the reference individual, from stored constants: 35 / 13.4, the
// squared height 1.7 * 1.7 (m^2) and 30.93 * 2.89 + 70.
constexpr double E2018_REFERENCE_AGE_OVER_13_4 = 2.6119402985074625;
constexpr double E2018_REFERENCE_HEIGHT_SQUARED = 2.8899999999999997;
constexpr double E2018_REFERENCE_FFM_DENOMINATOR = 159.3877;

// The age-adjusted fat-free mass (Al-Sallami). The age factor multiplies first, then
// the constants of the height-squared form.
double ageAdjustedFatFreeMassFemale(double weight, double h2, double age) {
    return (1.11 - 0.1100000000000001 / (portable::pow(age / 7.1, -1.1) + 1)) * 37.99 * h2 *
           weight / (h2 * 35.98 + weight);
}
double ageAdjustedFatFreeMassMale(double weight, double h2, double age) {
    return (0.12 / (portable::pow(age / 13.4, -12.7) + 1) + 0.88) * 42.92 * h2 * weight /
           (h2 * 30.93 + weight);
}

} // namespace

// The patient flag is accepted with the other covariates but does not enter the model.
ParameterRow PropEleveldFinal(double weight, double height, double pma, double age, bool male,
                              bool venous, bool opiates, bool /*patient*/) {
    const double m = indicator(male);
    const double f = 1 - m;
    const double ven = indicator(venous);
    const double art = 1 - ven;
    const double op = indicator(opiates);

    const double metres = height / CM_PER_M;
    const double h2 = metres * metres;
    const double w70 = weight / REFERENCE_WEIGHT;

    // Maturation of Cl2 and Cl3, hyperbolic in age (weeks after birth plus 40).
    const double ageWeeks = age * WEEKS_PER_YEAR + 40;
    constexpr double k3 = portable::exp(4.22357);
    const double mQ = ageWeeks / (k3 + ageWeeks);
    constexpr double mQref = E2018_REFERENCE_AGE_WEEKS / (k3 + E2018_REFERENCE_AGE_WEEKS);

    // Weight term of the central volume.
    constexpr double k1 = portable::exp(3.51313);
    const double cW = weight / (k1 + weight);
    constexpr double c70 = REFERENCE_WEIGHT / (k1 + REFERENCE_WEIGHT);

    const double ffm = ageAdjustedFatFreeMassFemale(weight, h2, age) * f +
                       ageAdjustedFatFreeMassMale(weight, h2, age) * m;
    constexpr double ffmRef =
        (0.12 / (portable::pow(E2018_REFERENCE_AGE_OVER_13_4, -12.7) + 1) + 0.88) * 42.92 *
        E2018_REFERENCE_HEIGHT_SQUARED * REFERENCE_WEIGHT / E2018_REFERENCE_FFM_DENOMINATOR;

    // Maturation of Cl1, sigmoid in postmenstrual age (weeks).
    constexpr double gamma = portable::exp(2.2033);
    constexpr double k2 = portable::exp(3.74422);
    constexpr Sigmoid maturation(k2, gamma);
    const double mat = maturation(pma * WEEKS_PER_YEAR);
    constexpr double matRef = maturation(E2018_REFERENCE_PMA_WEEKS);

    // Typical values and covariate effects, from their logarithms.
    constexpr double v1 = portable::exp(1.83786), venousV1 = portable::exp(0.349885),
                     v2 = portable::exp(E2018_LOG_V2), v3 = portable::exp(E2018_LOG_V3),
                     cl2Maturation = portable::exp(0.265642), cl3 = portable::exp(0.103046);

    ParameterRow p(ROW_WITH_KE0, 0.0);
    p[row::V1] = v1 * (cW / c70) * (venousV1 * ((1 - cW) * ven) + 1);
    p[row::V2] = portable::exp((age - REFERENCE_AGE) * -0.015633) * w70 * v2;
    p[row::V3] = (ffm / ffmRef) * portable::exp(age * -0.0138166 * op) * v3;
    p[row::Cl1] = portable::exp(age * -0.00285709 * op) * portable::pow(w70, CLEARANCE_EXPONENT) *
                  (mat / matRef) * portable::exp(f * 0.742043 + m * 0.581983);
    // The maturation factor of Cl2 is not normalised to the reference individual.
    p[row::Cl2] = portable::pow(p[row::V2] / v2, CLEARANCE_EXPONENT) *
                  portable::exp(0.559672 - ven * 0.384927) * (cl2Maturation * (1 - mQ) + 1);
    p[row::Cl3] = portable::pow(p[row::V3] / v3, CLEARANCE_EXPONENT) * (mQ / mQref) * cl3;
    p[row::ke0] = portable::exp(ven * 0.215605 - art * 1.92162) * portable::pow(w70, KE0_EXPONENT);
    return p;
}

// --- Remifentanil, Eleveld 2017 ------------------------------------------------------------

namespace {

// The authors' estimates. The typical values of the reference individual are stored on the
// log scale, as ln V1, V2, V3 (L) and ln CL, Q2, Q3 (L/min).
constexpr double REMI_LOG_V1 = 1.759110;  // 5.80727 L
constexpr double REMI_LOG_V2 = 2.177170;  // 8.82131 L
constexpr double REMI_LOG_V3 = 1.614450;  // 5.02512 L
constexpr double REMI_LOG_CL = 0.946257;  // 2.57605 L/min
constexpr double REMI_LOG_Q2 = 0.540315;  // 1.71655 L/min
constexpr double REMI_LOG_Q3 = -2.083880; // 0.124446 L/min
// Weight (kg) at half of the clearance maturation, with the sigmoid's exponent.
constexpr double REMI_MATURATION_WEIGHT = 2.878980;
constexpr double REMI_MATURATION_GAMMA = 2;
// Ageing per year beyond 35: of V1, Q2 and Q3; of V2 and CL; of V3.
constexpr double REMI_AGEING_V1 = -0.00554481;
constexpr double REMI_AGEING_V2 = -0.00326985;
constexpr double REMI_AGEING_V3 = -0.0315135;
// Extra V2, CL and Q2 in women between puberty and menopause: the fraction, and the two
// ages (years) of the sigmoids that switch it on and off.
constexpr double REMI_FEMALE_EXTRA = 0.4704050;
constexpr double REMI_PUBERTY_AGE = 12;
constexpr double REMI_MENOPAUSE_AGE = 45;
constexpr double REMI_SEX_GAMMA = 6;
// Effect of weight (per kg beyond 70) on V3.
constexpr double REMI_WEIGHT_V3 = -0.0260496;
// ke0 (1/min) at 35 years and its decline per year: the published values, rounded to three
// significant figures, which every tool uses (the PK estimates above are unrounded).
constexpr double REMI_KE0 = 1.09;
constexpr double REMI_KE0_AGEING = -0.0289;

} // namespace

ParameterRow RemiEleveld(double weight, double age, double height, bool male) {
    const double m = indicator(male);
    const double f = 1 - m;

    constexpr Sigmoid byWeight(REMI_MATURATION_WEIGHT, REMI_MATURATION_GAMMA);
    constexpr double kmat70 = byWeight(REFERENCE_WEIGHT);
    const double kmat = byWeight(weight) / kmat70;

    // Size: the age-adjusted fat-free mass over that of the reference male, which the
    // authors compute without the age factor.
    const double metres = height / CM_PER_M;
    const double h2 = metres * metres;
    const double ffm = m * ageAdjustedFatFreeMassMale(weight, h2, age) +
                       f * ageAdjustedFatFreeMassFemale(weight, h2, age);
    const double size = ffm / REFERENCE_FFM;

    const double kv1 = portable::exp(REMI_AGEING_V1 * (age - REFERENCE_AGE));
    const double kv2 = portable::exp(REMI_AGEING_V2 * (age - REFERENCE_AGE));
    const double kv3 = portable::exp(REMI_AGEING_V3 * (age - REFERENCE_AGE));

    constexpr Sigmoid fromPuberty(REMI_PUBERTY_AGE, REMI_SEX_GAMMA),
        fromMenopause(REMI_MENOPAUSE_AGE, REMI_SEX_GAMMA);
    const double puberty = fromPuberty(age);
    const double menopause = fromMenopause(age);
    const double ksex = 1 + f * puberty * (1 - menopause) * REMI_FEMALE_EXTRA;

    const double wv3 = portable::exp(REMI_WEIGHT_V3 * (weight - REFERENCE_WEIGHT));

    // The typical values, from their logarithms.
    constexpr double v1 = portable::exp(REMI_LOG_V1), v2 = portable::exp(REMI_LOG_V2),
                     v3 = portable::exp(REMI_LOG_V3), cl = portable::exp(REMI_LOG_CL),
                     q2 = portable::exp(REMI_LOG_Q2), q3 = portable::exp(REMI_LOG_Q3);
    ParameterRow p(ROW_WITH_KE0, 0.0);
    p[row::V1] = v1 * size * kv1;
    p[row::V2] = v2 * size * kv2 * ksex;
    p[row::V3] = v3 * size * kv3 * wv3;
    p[row::Cl1] = cl * portable::pow(size, CLEARANCE_EXPONENT) * kv2 * ksex * kmat;
    p[row::Cl2] = q2 * portable::pow(p[row::V2] / v2, CLEARANCE_EXPONENT) * kv1 * ksex;
    p[row::Cl3] = q3 * portable::pow(p[row::V3] / v3, CLEARANCE_EXPONENT) * kv1;
    p[row::ke0] = REMI_KE0 * portable::exp(REMI_KE0_AGEING * (age - REFERENCE_AGE));
    return p;
}

// --- Remimazolam, Eleveld 2025 -------------------------------------------------------------

namespace {

// Typical values of the reference individual (no opiates, Child-Pugh score up to 8):
// volumes in L, clearances in L/min.
constexpr double REMIMAZ_V1 = 4.30730;
constexpr double REMIMAZ_V2 = 12.2994;
constexpr double REMIMAZ_V3 = 18.6411;
constexpr double REMIMAZ_CL = 1.11977;
constexpr double REMIMAZ_Q2 = 1.45260;
constexpr double REMIMAZ_Q3 = 0.297838;
// Exponents of the covariate effects on V3: per year beyond 35, female, Child-Pugh above 8.
constexpr double REMIMAZ_AGE_V3 = 0.00730817;
constexpr double REMIMAZ_FEMALE_V3 = 0.287037;
constexpr double REMIMAZ_HEPATIC_V3 = 0.823788;
// Exponents of the covariate effects on CL: female (raises it), opiates (lower it).
constexpr double REMIMAZ_FEMALE_CL = 0.162802;
constexpr double REMIMAZ_OPIATES_CL = 0.139340;
// ke0 (1/min) of the effect site for MOAA/S sedation.
constexpr double REMIMAZ_KE0 = 0.298269;

} // namespace

// Only the parent drug enters the row, not its metabolite.
ParameterRow RemimazEleveld(double weight, double age, bool male, bool opiates, bool hepatic) {
    const double f = 1 - indicator(male);
    const double op = indicator(opiates);
    const double hp = indicator(hepatic);
    const double w70 = weight / REFERENCE_WEIGHT;

    ParameterRow p(ROW_WITH_KE0, 0.0);
    p[row::V1] = REMIMAZ_V1 * weight / REFERENCE_WEIGHT;
    p[row::V2] = REMIMAZ_V2 * weight / REFERENCE_WEIGHT;
    p[row::V3] = REMIMAZ_V3 * weight / REFERENCE_WEIGHT *
                 portable::exp(REMIMAZ_AGE_V3 * (age - REFERENCE_AGE) + REMIMAZ_FEMALE_V3 * f +
                               REMIMAZ_HEPATIC_V3 * hp);
    p[row::Cl1] = REMIMAZ_CL * portable::pow(w70, CLEARANCE_EXPONENT) *
                  portable::exp(REMIMAZ_FEMALE_CL * f - REMIMAZ_OPIATES_CL * op);
    p[row::Cl2] = REMIMAZ_Q2 * portable::pow(w70, CLEARANCE_EXPONENT);
    // The age, sex and liver effects on V3 carry into Q3.
    p[row::Cl3] = REMIMAZ_Q3 * portable::pow(p[row::V3] / REMIMAZ_V3, CLEARANCE_EXPONENT);
    p[row::ke0] = REMIMAZ_KE0;
    return p;
}

} // namespace drugmodels
