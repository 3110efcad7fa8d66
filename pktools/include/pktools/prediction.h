#pragma once

// Concentrations predicted from a dosing table.
//
// A dosing table is three parallel columns: row 0 holds only the bolus given at time 0;
// row i >= 1 is an interval of length deltaTimes[i] infused at Rate[i], with the bolus
// IVBolus[i] given at its end. Each routine returns one concentration per row, the value
// at the end of that row's interval just after its bolus.
//
// A row whose interval, rate or bolus is not a finite number (NaN, an infinity) leaves the
// concentrations unknown from there on: that row and every later one is NaN, which the
// sheet shows as an error. The entries of row 0 that are not read have no effect. Empty
// columns (which the sheet never passes) give an empty result.

#include "pktools/ke0_separation.h"
#include "pktools/simulation.h"

#include <vector>

namespace pktools {

// The plasma concentration of one model, row after row of a dosing table, by the steps
// PredCp takes: the bolus of row 0, then each row's interval at its rate with its bolus at
// the end. The model's zero exponents must have been replaced (dropZeroExponents).
class PlasmaCourse {
public:
    explicit PlasmaCourse(const Hybrid& h) : h_(h), u_(unitFactors(h)), decay_(h) {}

    // Row 0: the bolus at time 0, and the concentration just after it.
    double start(double bolus) {
        state_ = {h_.A * bolus, h_.B * bolus, h_.C * bolus};
        return ((h_.A + h_.B) + h_.C) * bolus;
    }
    // Row i >= 1: the concentration at the end of the interval, just after its bolus.
    double step(double dt, double rate, double bolus) {
        plasmaStep(state_, u_, decay_(dt), rate, bolus, h_);
        return concentration();
    }
    // Row i >= 1: the concentration at the end of the interval just before its bolus; the
    // bolus is added after it, which leaves the state as step does.
    double stepBeforeBolus(double dt, double rate, double bolus) {
        plasmaInterval(state_, u_, decay_(dt), rate);
        const double before = concentration();
        plasmaBolus(state_, bolus, h_);
        return before;
    }

private:
    double concentration() const { return (state_.y + state_.x) + state_.z; }

    Hybrid h_;
    UnitFactors u_;
    PlasmaDecayMemo decay_;
    PlasmaState state_;
};

// The effect-site concentration of one model with its ke0, row after row, by the steps
// PredCe takes. The model's zero exponents must have been replaced and ke0 moved off them
// (separatedKe0).
class EffectCourse {
public:
    EffectCourse(const Hybrid& h, double ke0)
        : E_(effectCoefficients(h, ke0)), q_(effectPerRate(E_, h, ke0)), decay_(h, ke0) {}

    // Row 0: the bolus at time 0; the effect site is still empty.
    double start(double bolus) {
        state_ = {E_.E1 * bolus, E_.E2 * bolus, E_.E3 * bolus, E_.E4 * bolus};
        return 0;
    }
    // Row i >= 1: the concentration at the end of the interval, just after its bolus.
    double step(double dt, double rate, double bolus) {
        effectStep(state_, E_, q_, decay_(dt), rate, bolus);
        return ((state_.s2 + state_.s1) + state_.s3) + state_.s4;
    }

private:
    EffectCoefficients E_;
    EffectPerRate q_;
    EffectDecayMemo decay_;
    EffectState state_;
};

// The model of a row of volumes and clearances (V1, V2, V3, Cl1, Cl2, Cl3) as PredCpVCl
// takes it: its hybrid constants with the zero exponents replaced. Throws InputError
// "Negative or missing PK parameter!" as PredCpVCl does.
Hybrid plasmaModelOfVolumes(double V1, double V2, double V3, double Cl1, double Cl2, double Cl3);

// The model of hybrid constants and ke0 as PredCe takes it: the zero exponents replaced and
// ke0 moved off them. Throws InputError "Negative or missing PK parameter!" as PredCe does.
struct EffectSiteModel {
    Hybrid h;
    double ke0;
};
EffectSiteModel effectModelOf(Hybrid h, double ke0);

// Plasma concentrations for a model given by its hybrid constants. Throws InputError:
// "Negative or missing PK parameter!" (A or l1 not positive, B, C, l2 or l3 negative,
// or any of them not finite), then "Columns of different length!".
std::vector<double> PredCp(std::vector<double> deltaTimes, std::vector<double> Rate,
                           std::vector<double> IVBolus, double A, double B, double C, double l1,
                           double l2, double l3);

// Effect-site concentrations for a model given by its hybrid constants and ke0. Throws
// InputError: "Columns of different length!", then "Negative or missing PK parameter!"
// (as PredCp, and ke0 not positive or not finite).
std::vector<double> PredCe(std::vector<double> deltaTimes, std::vector<double> Rate,
                           std::vector<double> IVBolus, double A, double B, double C, double l1,
                           double l2, double l3, double ke0);

// Plasma concentrations for a model given by its volumes and clearances. Throws
// InputError: "Negative or missing PK parameter!" (V1 or Cl1 not positive, V2, V3, Cl2 or
// Cl3 negative, or any of them not finite), then "Columns of different length!".
std::vector<double> PredCpVCl(std::vector<double> deltaTimes, std::vector<double> Rate,
                              std::vector<double> IVBolus, double V1, double V2, double V3,
                              double Cl1, double Cl2, double Cl3);

} // namespace pktools
