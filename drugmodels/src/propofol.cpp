// The propofol models written in micro-constant form (Marsh, White, Diprifusor,
// Paedfusor) and Kataria's linear children's model.
//
// The micro-constant models derive the peripheral volumes from V1 through the ratios
// k12/k21 and k13/k31. Those ratios are stored as the double-precision values of the
// quotients, not divided at run time.

#include "drugmodels/models.h"
#include "portablemath/math.h"

namespace drugmodels {

namespace {

// Return rate constants (1/min) shared by all micro-constant propofol models.
constexpr double K21 = 0.055;
constexpr double K31 = 0.0033;

// V2 / V1 = k12 / k21.
constexpr double V2_PER_V1_MARSH = 2.0363636363636366; // 0.112 / 0.055
constexpr double V2_PER_V1 = 2.0727272727272728;       // 0.114 / 0.055, all the others
// V3 / V1 = k13 / k31.
constexpr double V3_PER_V1 = 12.696969696969697;       // 0.0419 / 0.0033, all but White
constexpr double V3_PER_V1_WHITE = 12.727272727272728; // 0.042 / 0.0033

// The adult central volume (L/kg) and elimination rate constant (1/min).
constexpr double ADULT_V1_PER_KG = 0.228;
constexpr double ADULT_K10 = 0.119;

// Diprifusor is an adult system: below this age it gives no volumes or clearances.
constexpr double DIPRIFUSOR_MINIMUM_AGE = 16;
constexpr double DIPRIFUSOR_KE0 = 0.26;

constexpr double GRAMS_PER_KG = 1000;

// Fills V2, V3, Cl2 and Cl3 from the V1 already in the row.
void fillPeripheralFromV1(ParameterRow& p, double v2PerV1, double v3PerV1) {
    p[row::V2] = p[row::V1] * v2PerV1;
    p[row::V3] = p[row::V1] * v3PerV1;
    p[row::Cl2] = p[row::V2] * K21;
    p[row::Cl3] = p[row::V3] * K31;
}

// Paedfusor's central volume (L/kg) by age; the ages 13 to 16 are whole years.
double paedfusorV1PerKg(double Age) {
    if (Age > 16)
        return ADULT_V1_PER_KG;
    if (Age == 16)
        return 0.22857;
    if (Age == 15)
        return 0.284;
    if (Age == 14)
        return 0.342;
    if (Age == 13)
        return 0.4;
    if (Age >= 1 && Age <= 12)
        return 0.4584;
    return 0;
}

// Paedfusor's elimination rate constant (1/min) by age and weight.
double paedfusorK10(double Age, double Weight) {
    if (Age >= 16)
        return ADULT_K10;
    if (Age == 15)
        return 0.0954;
    if (Age == 14)
        return 0.0792;
    if (Age == 13)
        return 0.0678;
    if (Age >= 1 && Age <= 12)
        return 0.1527 * portable::pow(Weight, -0.3);
    return 0;
}

} // namespace

ParameterRow PropMarsh(double Weight) {
    ParameterRow p(ROW_WITHOUT_KE0, 0.0);
    p[row::V1] = Weight * ADULT_V1_PER_KG;
    fillPeripheralFromV1(p, V2_PER_V1_MARSH, V3_PER_V1);
    p[row::Cl1] = p[row::V1] * ADULT_K10;
    return p;
}

ParameterRow PropWhite(double Age, double Weight, bool MALE) {
    ParameterRow p(ROW_WITHOUT_KE0, 0.0);
    if (MALE) {
        p[row::V1] = (Age * 0.046 + 175.5) * Weight / GRAMS_PER_KG;
        p[row::Cl1] = (26.88 - Age * 0.029) * Weight / GRAMS_PER_KG;
    } else {
        p[row::V1] = (191.8 - Age * 0.669) * Weight / GRAMS_PER_KG;
        p[row::Cl1] = (37.87 - Age * 0.198) * Weight / GRAMS_PER_KG;
    }
    fillPeripheralFromV1(p, V2_PER_V1, V3_PER_V1_WHITE);
    return p;
}

ParameterRow PropKataria(double mass, double age) {
    ParameterRow p(ROW_WITHOUT_KE0, 0.0);
    p[row::V1] = mass * 0.41;
    p[row::V2] = (mass * 0.78 + age * 3.1) - 15.5;
    p[row::V3] = mass * 6.9;
    p[row::Cl1] = mass * 0.035;
    p[row::Cl2] = mass * 0.077;
    p[row::Cl3] = mass * 0.026;
    return p;
}

ParameterRow Diprifusor(double Age, double Weight) {
    ParameterRow p(ROW_WITH_KE0, 0.0);
    p[row::V1] = Age < DIPRIFUSOR_MINIMUM_AGE ? 0 : Weight * ADULT_V1_PER_KG;
    fillPeripheralFromV1(p, V2_PER_V1, V3_PER_V1);
    p[row::Cl1] = p[row::V1] * ADULT_K10;
    p[row::ke0] = DIPRIFUSOR_KE0;
    return p;
}

ParameterRow PropPaedfusor(double Age, double Weight) {
    ParameterRow p(ROW_WITHOUT_KE0, 0.0);
    p[row::V1] = Weight * paedfusorV1PerKg(Age);
    fillPeripheralFromV1(p, V2_PER_V1, V3_PER_V1);
    p[row::Cl1] = paedfusorK10(Age, Weight) * p[row::V1];
    return p;
}

} // namespace drugmodels
