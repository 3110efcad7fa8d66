// The opioid models: remifentanil, alfentanil, fentanyl and sufentanil. Eleveld's
// remifentanil model is with the other Eleveld models.

#include "drugmodels/bodysize.h"
#include "drugmodels/models.h"
#include "portablemath/math.h"

namespace drugmodels {

namespace {

// Minto: covariates centred on a 40-year-old with 55 kg lean body mass.
constexpr double MINTO_REFERENCE_AGE = 40;
constexpr double MINTO_REFERENCE_LBM = 55;

// Maitre: micro constants (1/min); k31 and Cl1 fall with age beyond 40 years.
constexpr double MAITRE_K12 = 0.104;
constexpr double MAITRE_K21 = 0.0673;
constexpr double MAITRE_K13 = 0.017;
constexpr double MAITRE_K31 = 0.0126;
constexpr double MAITRE_CL1 = 0.356;       // L/min, not scaled by weight
constexpr double MAITRE_AGEING_ONSET = 40; // years
constexpr double MAITRE_V1_PER_KG = 0.111; // L/kg
constexpr double MAITRE_FEMALE_V1_FACTOR = 1.15;

// Scott's fentanyl parameters are given for a 70 kg patient.
constexpr double FENTANYL_REFERENCE_WEIGHT = 70;

// Kim: covariates centred on 74.5 kg, 52.3 kg fat-free mass and 37 years. Typical volumes
// in L, clearances in L/min, slopes per year beyond 37.
constexpr double KIM_REFERENCE_WEIGHT = 74.5;
constexpr double KIM_REFERENCE_FFM = 52.3;
constexpr double KIM_REFERENCE_AGE = 37;
constexpr double KIM_V1 = 4.76;
constexpr double KIM_V1_WEIGHT_EXPONENT = 0.658;
constexpr double KIM_V2 = 8.4;
constexpr double KIM_V2_FFM_EXPONENT = 0.573;
constexpr double KIM_V2_AGEING = 0.0936;
constexpr double KIM_V3 = 4;
constexpr double KIM_V3_AGEING = 0.0477;
constexpr double KIM_CL = 2.77;
constexpr double KIM_CL_WEIGHT_EXPONENT = 0.336;
constexpr double KIM_CL_AGEING = 0.0149;
constexpr double KIM_Q2 = 1.94;
constexpr double KIM_Q2_AGEING = 0.0280;
constexpr double KIM_Q3 = 0.197;

// Shafer: a fixed central volume (L) and micro constants (1/min).
constexpr double SHAFER_V1 = 6.09;
constexpr double SHAFER_K10 = 0.0827;
constexpr double SHAFER_K12 = 0.471;
constexpr double SHAFER_K13 = 0.225;
constexpr double SHAFER_K21 = 0.102;
constexpr double SHAFER_K31 = 0.006;

} // namespace

ParameterRow RemiMinto(double Age, double LBM) {
    const double a = Age - MINTO_REFERENCE_AGE;
    const double l = LBM - MINTO_REFERENCE_LBM;
    ParameterRow p(ROW_WITH_KE0, 0.0);
    p[row::V1] = 5.1 - a * 0.0201 + l * 0.072;
    p[row::V2] = 9.82 - a * 0.0811 + l * 0.108;
    p[row::V3] = 5.42;
    p[row::Cl1] = 2.6 - a * 0.0162 + l * 0.0191;
    p[row::Cl2] = 2.05 - a * 0.0301;
    p[row::Cl3] = 0.076 - a * 0.00113;
    p[row::ke0] = 0.595 - a * 0.007;
    return p;
}

// The fat-free mass is Janmahasatian's, which depends on the BMI.
ParameterRow RemiKim(double weight, double age, double height, bool male) {
    const double ffm = janmahasatianFatFreeMass(weight, height, male);
    const double a = age - KIM_REFERENCE_AGE;
    ParameterRow p(ROW_WITHOUT_KE0, 0.0);
    p[row::V1] = KIM_V1 * portable::pow(weight / KIM_REFERENCE_WEIGHT, KIM_V1_WEIGHT_EXPONENT);
    p[row::V2] =
        KIM_V2 * portable::pow(ffm / KIM_REFERENCE_FFM, KIM_V2_FFM_EXPONENT) - KIM_V2_AGEING * a;
    p[row::V3] = KIM_V3 - KIM_V3_AGEING * a;
    p[row::Cl1] = KIM_CL * portable::pow(weight / KIM_REFERENCE_WEIGHT, KIM_CL_WEIGHT_EXPONENT) -
                  KIM_CL_AGEING * a;
    p[row::Cl2] = KIM_Q2 - KIM_Q2_AGEING * a;
    p[row::Cl3] = KIM_Q3;
    return p;
}

ParameterRow AlfentMaitre(double Age, double Weight, bool MALE) {
    double k31 = MAITRE_K31;
    double cl1 = MAITRE_CL1;
    if (Age > MAITRE_AGEING_ONSET) {
        k31 = MAITRE_K31 - (Age - MAITRE_AGEING_ONSET) * 0.000113;
        cl1 = MAITRE_CL1 - (Age - MAITRE_AGEING_ONSET) * 0.00269;
    }
    ParameterRow p(ROW_WITHOUT_KE0, 0.0);
    p[row::V1] =
        MALE ? Weight * MAITRE_V1_PER_KG : Weight * MAITRE_V1_PER_KG * MAITRE_FEMALE_V1_FACTOR;
    p[row::V2] = p[row::V1] * MAITRE_K12 / MAITRE_K21;
    p[row::V3] = p[row::V1] * MAITRE_K13 / k31;
    p[row::Cl1] = cl1;
    p[row::Cl2] = p[row::V2] * MAITRE_K21;
    p[row::Cl3] = p[row::V3] * k31;
    return p;
}

ParameterRow AlfentScott() {
    ParameterRow p(ROW_WITH_KE0, 0.0);
    p[row::V1] = 2.19;
    p[row::V2] = 5.91588785046729;   // 1.266 / 0.214
    p[row::V3] = 13.176470588235293; // 0.224 / 0.017
    p[row::Cl1] = 0.195;
    p[row::Cl2] = 1.266;
    p[row::Cl3] = 0.224;
    p[row::ke0] = 0.770164;
    return p;
}

ParameterRow FentScott(double Weight) {
    ParameterRow p(ROW_WITH_KE0, 0.0);
    p[row::V1] = (Weight * 12.7) / FENTANYL_REFERENCE_WEIGHT;
    p[row::V2] = (Weight * 49.34479167) / FENTANYL_REFERENCE_WEIGHT;
    p[row::V3] = (Weight * 296.8831169) / FENTANYL_REFERENCE_WEIGHT;
    p[row::Cl1] = (Weight * 0.7112) / FENTANYL_REFERENCE_WEIGHT;
    p[row::Cl2] = (Weight * 4.7371) / FENTANYL_REFERENCE_WEIGHT;
    p[row::Cl3] = (Weight * 2.286) / FENTANYL_REFERENCE_WEIGHT;
    p[row::ke0] = 0.147;
    return p;
}

ParameterRow FentShafer() {
    ParameterRow p(ROW_WITHOUT_KE0, 0.0);
    p[row::V1] = SHAFER_V1;
    p[row::Cl1] = p[row::V1] * SHAFER_K10;
    p[row::Cl2] = p[row::V1] * SHAFER_K12;
    p[row::Cl3] = p[row::V1] * SHAFER_K13;
    p[row::V2] = p[row::Cl2] / SHAFER_K21;
    p[row::V3] = p[row::Cl3] / SHAFER_K31;
    return p;
}

ParameterRow SufentGepts() {
    return {14.3, 63.1, 261.6, 0.92, 1.55, 0.33};
}

ParameterRow SufentHudson(double Weight) {
    ParameterRow p(ROW_WITH_KE0, 0.0);
    p[row::V1] = Weight * 0.254;
    p[row::V2] = Weight * 0.616;
    p[row::V3] = Weight * 7.85;
    p[row::Cl1] = Weight * 0.015;
    p[row::Cl2] = Weight * 0.062;
    p[row::Cl3] = Weight * 0.017;
    p[row::ke0] = 0.112;
    return p;
}

} // namespace drugmodels
