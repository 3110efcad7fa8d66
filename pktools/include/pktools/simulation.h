#pragma once

// Closed-form simulation of a sum of exponentials over dosing intervals.
//
// The response to constant infusions and boluses is a sum of exponential terms, so the
// state is the amplitude of each term and one step advances it exactly over an interval:
// the infusion runs during the whole interval and the bolus enters, undecayed, at its end.
//
// Each step comes in two forms: one taking the interval's length, and one taking the
// interval's decay factors exp(-(dt l)) computed once, for searches that try many rates
// over the same interval. Both give bit-identical results.

#include <cmath>
#include <limits>

namespace pktools {

// Stands in for an exponent that is exactly 0 (its coefficient is then set to 0, so the
// term drops out without a division by zero): the subnormal 1.6999999999999997e-308,
// bit pattern 0x000C396C98F8D898.
inline constexpr double ZERO_RATE_CONSTANT = 1.6999999999999997e-308;

// The hybrid constants of a three-compartment model: the plasma concentration after a
// unit bolus is A e^-l1 t + B e^-l2 t + C e^-l3 t.
struct Hybrid {
    double A, B, C, l1, l2, l3;
};

// Replaces every exponent that is exactly 0 by ZERO_RATE_CONSTANT and sets the
// coefficient of that term to 0, term by term.
void dropZeroExponents(Hybrid& h);

// The model reduction when terms vanish (TciCe step 5; TPeak2ke0 step
// 3), unlike dropZeroExponents not term by term: without a second term (B = 0 or l2 = 0)
// the model has one compartment, l2 and l3 become ZERO_RATE_CONSTANT and B and C 0;
// otherwise, with l3 = 0, it has two, l3 becomes ZERO_RATE_CONSTANT and C 0.
void reduceVanishingTerms(Hybrid& h);

// Amplitudes of the three plasma terms; the plasma concentration is their sum.
struct PlasmaState {
    double x = 0, y = 0, z = 0;
};

// The plasma contribution of each term per unit infusion rate at steady state:
// A/l1, B/l2, C/l3.
struct UnitFactors {
    double a, b, c;
};
UnitFactors unitFactors(const Hybrid& h);

// Amplitudes of the effect-site response: the first three decay with l1, l2, l3, the
// fourth with ke0. The effect-site concentration is their sum.
struct EffectState {
    double s1 = 0, s2 = 0, s3 = 0, s4 = 0;
};

// The effect-site concentration per unit dose of each term:
// Ek = -(coefficient ke0) / (lk - ke0) for k = 1..3 and E4 = -((E2 + E1) + E3),
// so that the effect site starts empty after a bolus.
struct EffectCoefficients {
    double E1, E2, E3, E4;
};
EffectCoefficients effectCoefficients(const Hybrid& h, double ke0);

// exp(-(dt lk)) of one interval for the three plasma exponents.
struct PlasmaDecay {
    double e1, e2, e3;
};
PlasmaDecay plasmaDecay(double dt, const Hybrid& h);

// exp(-(dt lk)) of one interval for the three plasma exponents and ke0.
struct EffectDecay {
    double e1, e2, e3, e4;
};
EffectDecay effectDecay(double dt, const Hybrid& h, double ke0);

// The decay factors of the last interval length asked for, recomputed only when the length
// changes, so that a table of equal intervals pays for its exponentials once. The factors
// are a function of the length alone, so a reused value is bit for bit the one that would
// be recomputed (the lengths 0 and -0 give the same factors 1).
class PlasmaDecayMemo {
public:
    explicit PlasmaDecayMemo(const Hybrid& h) : h_(h) {}
    const PlasmaDecay& operator()(double dt) {
        if (!(dt == dt_)) {
            e_ = plasmaDecay(dt, h_);
            dt_ = dt;
        }
        return e_;
    }

private:
    Hybrid h_;
    double dt_ = std::numeric_limits<double>::quiet_NaN();
    PlasmaDecay e_{};
};

class EffectDecayMemo {
public:
    EffectDecayMemo(const Hybrid& h, double ke0) : h_(h), ke0_(ke0) {}
    const EffectDecay& operator()(double dt) {
        if (!(dt == dt_)) {
            e_ = effectDecay(dt, h_, ke0_);
            dt_ = dt;
        }
        return e_;
    }

private:
    Hybrid h_;
    double ke0_;
    double dt_ = std::numeric_limits<double>::quiet_NaN();
    EffectDecay e_{};
};

// Advances the plasma state over an interval at the given rate, without a bolus:
//   x <- (1 - e1) (rate A/l1) + e1 x, and likewise y and z.
inline void plasmaInterval(PlasmaState& s, const UnitFactors& u, const PlasmaDecay& e,
                           double rate) {
    s.x = (1 - e.e1) * (rate * u.a) + e.e1 * s.x;
    s.y = (1 - e.e2) * (rate * u.b) + e.e2 * s.y;
    s.z = (1 - e.e3) * (rate * u.c) + e.e3 * s.z;
}

// Adds a bolus to the plasma state: x <- x + bolus A, and likewise y and z.
inline void plasmaBolus(PlasmaState& s, double bolus, const Hybrid& h) {
    s.x = s.x + bolus * h.A;
    s.y = s.y + bolus * h.B;
    s.z = s.z + bolus * h.C;
}

// Advances the plasma state over an interval at the given rate, with the bolus at its end:
//   x <- (1 - e1) (rate A/l1) + e1 x + bolus A, and likewise y and z, the terms added from the
// first to the last (so the interval and the bolus may also be taken one after the other).
inline void plasmaStep(PlasmaState& s, const UnitFactors& u, const PlasmaDecay& e, double rate,
                       double bolus, const Hybrid& h) {
    plasmaInterval(s, u, e, rate);
    plasmaBolus(s, bolus, h);
}
void plasmaStep(PlasmaState& s, const UnitFactors& u, double dt, double rate, double bolus,
                const Hybrid& h);

// Advances the effect-site state over an interval at the given rate, with the bolus at its
// end: sk <- ((Ek/lk) rate) (1 - ek) + ek sk + Ek bolus, with l4 = ke0.
inline void effectStep(EffectState& s, const EffectCoefficients& E, const EffectDecay& e,
                       double rate, double bolus, const Hybrid& h, double ke0) {
    s.s1 = ((E.E1 / h.l1) * rate) * (1 - e.e1) + e.e1 * s.s1 + E.E1 * bolus;
    s.s2 = ((E.E2 / h.l2) * rate) * (1 - e.e2) + e.e2 * s.s2 + E.E2 * bolus;
    s.s3 = ((E.E3 / h.l3) * rate) * (1 - e.e3) + e.e3 * s.s3 + E.E3 * bolus;
    s.s4 = ((E.E4 / ke0) * rate) * (1 - e.e4) + e.e4 * s.s4 + E.E4 * bolus;
}
void effectStep(EffectState& s, const EffectCoefficients& E, double dt, double rate, double bolus,
                const Hybrid& h, double ke0);

// Ek/lk of the four effect-site terms (l4 = ke0): the quotients by which effectStep
// multiplies the rate, divided once for a whole table rather than at every step.
struct EffectPerRate {
    double q1, q2, q3, q4;
};
inline EffectPerRate effectPerRate(const EffectCoefficients& E, const Hybrid& h, double ke0) {
    return {E.E1 / h.l1, E.E2 / h.l2, E.E3 / h.l3, E.E4 / ke0};
}

// effectStep with the quotients of effectPerRate(E, h, ke0): the same operations on the same
// values, so bit for bit the same state.
inline void effectStep(EffectState& s, const EffectCoefficients& E, const EffectPerRate& q,
                       const EffectDecay& e, double rate, double bolus) {
    s.s1 = (q.q1 * rate) * (1 - e.e1) + e.e1 * s.s1 + E.E1 * bolus;
    s.s2 = (q.q2 * rate) * (1 - e.e2) + e.e2 * s.s2 + E.E2 * bolus;
    s.s3 = (q.q3 * rate) * (1 - e.e3) + e.e3 * s.s3 + E.E3 * bolus;
    s.s4 = (q.q4 * rate) * (1 - e.e4) + e.e4 * s.s4 + E.E4 * bolus;
}

} // namespace pktools
