// Ketamine, midazolam and lidocaine: parameter sets scaled linearly by weight (kg).
// Dexmedetomidine: Hannivoort's allometric model and Dyck's fixed volumes with a
// height-dependent clearance. Rocuronium: Kleijn's allometric model with age, renal and
// ethnic covariates. Midazolam, lidocaine and rocuronium are two-compartment models, so V3
// and Cl3 stay 0.

#include "drugmodels/models.h"
#include "model_terms.h"
#include "portablemath/math.h"

namespace drugmodels {

namespace {

using terms::CLEARANCE_EXPONENT;
using terms::indicator;
using terms::KE0_EXPONENT;
using terms::REFERENCE_WEIGHT;

// Hannivoort: typical volumes (L) and clearances (L/min) at 70 kg.
constexpr double HANNIVOORT_V1 = 1.78;
constexpr double HANNIVOORT_V2 = 30.3;
constexpr double HANNIVOORT_V3 = 52.0;
constexpr double HANNIVOORT_CL = 0.686;
constexpr double HANNIVOORT_Q2 = 2.98;
constexpr double HANNIVOORT_Q3 = 0.602;

// Dyck: fixed volumes (L) and inter-compartmental clearances (L/min); the elimination
// clearance is linear in height (cm).
constexpr double DYCK_V1 = 7.99;
constexpr double DYCK_V2 = 13.8;
constexpr double DYCK_V3 = 187;
constexpr double DYCK_CL_PER_CM = 0.00791;
constexpr double DYCK_CL_OFFSET = 0.927; // L/min; 0.928 in some copies is a misprint
constexpr double DYCK_Q2 = 2.26;
constexpr double DYCK_Q3 = 1.99;

// Kleijn: typical values of the reference individual (70 kg, 43 years, creatinine clearance
// 119 mL/min, not Asian, no sevoflurane): volumes in L, clearances in L/min, ke0 in 1/min.
constexpr double KLEIJN_REFERENCE_AGE = 43;
constexpr double KLEIJN_REFERENCE_CRCL = 119;
constexpr double KLEIJN_CL = 0.269;
constexpr double KLEIJN_CL_AGEING = 0.00678; // fraction of CL lost per year
constexpr double KLEIJN_V1 = 4.73;
constexpr double KLEIJN_V1_CRCL = -0.00143; // per mL/min, exponent
constexpr double KLEIJN_Q2 = 0.279;
constexpr double KLEIJN_Q2_ASIAN = 0.212; // fraction of Q2 lower in Asian patients
constexpr double KLEIJN_V2 = 6.76;
constexpr double KLEIJN_V2_AGEING = 0.00613; // per year, exponent
constexpr double KLEIJN_KE0 = 0.134;
constexpr double KLEIJN_KE0_SEVOFLURANE = 0.567; // fraction of ke0 lower under sevoflurane

} // namespace

ParameterRow KetaDomino(double Weight) {
    ParameterRow p(ROW_WITH_KE0, 0.0);
    p[row::V1] = Weight * 0.063;
    p[row::V2] = Weight * 0.150995951;
    p[row::V3] = Weight * 2.545890411;
    p[row::Cl1] = Weight * 0.027594;
    p[row::Cl2] = Weight * 0.037296;
    p[row::Cl3] = Weight * 0.03717;
    p[row::ke0] = 10;
    return p;
}

ParameterRow MidaGreenblatt(double Weight) {
    ParameterRow p(ROW_WITH_KE0, 0.0);
    p[row::V1] = Weight * 0.73;
    p[row::V2] = Weight * 1.593278008;
    p[row::Cl1] = Weight * 0.011023;
    p[row::Cl2] = Weight * 0.038398;
    p[row::ke0] = 0.17325;
    return p;
}

ParameterRow LidocainSchnider(double Weight) {
    ParameterRow p(ROW_WITH_KE0, 0.0);
    p[row::V1] = Weight * 0.101;
    p[row::V2] = Weight * 0.452;
    p[row::Cl1] = Weight * 0.0215;
    p[row::Cl2] = Weight * 0.0589;
    p[row::ke0] = 0.456;
    return p;
}

// --- Dexmedetomidine -------------------------------------------------------------------

ParameterRow DexmedHannivoort(double weight) {
    const double r = weight / REFERENCE_WEIGHT;
    ParameterRow p(ROW_WITHOUT_KE0, 0.0);
    p[row::V1] = HANNIVOORT_V1 * r;
    p[row::V2] = HANNIVOORT_V2 * r;
    p[row::V3] = HANNIVOORT_V3 * r;
    p[row::Cl1] = HANNIVOORT_CL * portable::pow(r, CLEARANCE_EXPONENT);
    // Q2 and Q3 scale with their volumes, which is r^0.75 up to rounding.
    p[row::Cl2] = HANNIVOORT_Q2 * portable::pow(p[row::V2] / HANNIVOORT_V2, CLEARANCE_EXPONENT);
    p[row::Cl3] = HANNIVOORT_Q3 * portable::pow(p[row::V3] / HANNIVOORT_V3, CLEARANCE_EXPONENT);
    return p;
}

// Cl1 is zero or negative at heights up to 117.2 cm.
ParameterRow DexmedDyck(double height) {
    ParameterRow p(ROW_WITHOUT_KE0, 0.0);
    p[row::V1] = DYCK_V1;
    p[row::V2] = DYCK_V2;
    p[row::V3] = DYCK_V3;
    p[row::Cl1] = DYCK_CL_PER_CM * height - DYCK_CL_OFFSET;
    p[row::Cl2] = DYCK_Q2;
    p[row::Cl3] = DYCK_Q3;
    return p;
}

// --- Rocuronium ---------------------------------------------------------------------------

// crcl is the creatinine clearance in mL/min, not normalised to body surface area.
ParameterRow RocuKleijn(double weight, double age, double crcl, bool asian, bool sevoflurane) {
    const double r = weight / REFERENCE_WEIGHT;
    ParameterRow p(ROW_WITH_KE0, 0.0);
    p[row::Cl1] = KLEIJN_CL * (1 - KLEIJN_CL_AGEING * (age - KLEIJN_REFERENCE_AGE)) *
                  portable::pow(r, CLEARANCE_EXPONENT);
    p[row::V1] = KLEIJN_V1 * portable::exp(KLEIJN_V1_CRCL * (crcl - KLEIJN_REFERENCE_CRCL)) * r;
    p[row::Cl2] =
        KLEIJN_Q2 * (1 - KLEIJN_Q2_ASIAN * indicator(asian)) * portable::pow(r, CLEARANCE_EXPONENT);
    p[row::V2] = KLEIJN_V2 * portable::exp(KLEIJN_V2_AGEING * (age - KLEIJN_REFERENCE_AGE)) * r;
    p[row::ke0] = KLEIJN_KE0 * (1 - KLEIJN_KE0_SEVOFLURANE * indicator(sevoflurane)) *
                  portable::pow(r, KE0_EXPONENT);
    return p;
}

} // namespace drugmodels
