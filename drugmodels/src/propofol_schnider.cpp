#include "drugmodels/models.h"

namespace drugmodels {

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

} // namespace drugmodels
