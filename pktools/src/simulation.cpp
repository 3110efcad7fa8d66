#include "pktools/simulation.h"

#include "portablemath/math.h"

#include <array>

namespace pktools {

void dropZeroExponents(Hybrid& h) {
    if (h.l1 == 0) {
        h.l1 = ZERO_RATE_CONSTANT;
        h.A = 0;
    }
    if (h.l2 == 0) {
        h.l2 = ZERO_RATE_CONSTANT;
        h.B = 0;
    }
    if (h.l3 == 0) {
        h.l3 = ZERO_RATE_CONSTANT;
        h.C = 0;
    }
}

void reduceVanishingTerms(Hybrid& h) {
    if (h.B == 0 || h.l2 == 0) {
        h.l2 = ZERO_RATE_CONSTANT;
        h.l3 = ZERO_RATE_CONSTANT;
        h.B = 0;
        h.C = 0;
    } else if (h.l3 == 0) {
        h.l3 = ZERO_RATE_CONSTANT;
        h.C = 0;
    }
}

UnitFactors unitFactors(const Hybrid& h) {
    return {h.A / h.l1, h.B / h.l2, h.C / h.l3};
}

EffectCoefficients effectCoefficients(const Hybrid& h, double ke0) {
    EffectCoefficients E;
    E.E1 = -(h.A * ke0) / (h.l1 - ke0);
    E.E2 = -(h.B * ke0) / (h.l2 - ke0);
    E.E3 = -(h.C * ke0) / (h.l3 - ke0);
    E.E4 = -((E.E2 + E.E1) + E.E3);
    return E;
}

PlasmaDecay plasmaDecay(double dt, const Hybrid& h) {
    const std::array<double, 3> e =
        portable::expEach<3>({-(dt * h.l1), -(dt * h.l2), -(dt * h.l3)});
    return {e[0], e[1], e[2]};
}

EffectDecay effectDecay(double dt, const Hybrid& h, double ke0) {
    const std::array<double, 4> e =
        portable::expEach<4>({-(dt * h.l1), -(dt * h.l2), -(dt * h.l3), -(dt * ke0)});
    return {e[0], e[1], e[2], e[3]};
}

void plasmaStep(PlasmaState& s, const UnitFactors& u, double dt, double rate, double bolus,
                const Hybrid& h) {
    plasmaStep(s, u, plasmaDecay(dt, h), rate, bolus, h);
}

void effectStep(EffectState& s, const EffectCoefficients& E, double dt, double rate, double bolus,
                const Hybrid& h, double ke0) {
    effectStep(s, E, effectDecay(dt, h, ke0), rate, bolus, h, ke0);
}

} // namespace pktools
