#pragma once

#include <vector>

namespace pktools {

// The sigmoid Emax (Hill) effect of each effect-site concentration:
// (eMax - eZero) c^gam / (IC50^gam + c^gam) + eZero.
std::vector<double> PredEff(std::vector<double> concEff, double eZero, double eMax, double IC50,
                            double gam);

} // namespace pktools
