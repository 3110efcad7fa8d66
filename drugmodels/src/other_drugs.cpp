// Ketamine, midazolam and lidocaine: parameter sets scaled linearly by weight (kg).
// Midazolam and lidocaine are two-compartment models, so V3 and Cl3 stay 0.

#include "drugmodels/models.h"

namespace drugmodels {

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

} // namespace drugmodels
