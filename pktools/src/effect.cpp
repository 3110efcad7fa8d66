#include "pktools/effect.h"

#include "pktools/simulation.h"
#include "portablemath/math.h"

namespace pktools {

std::vector<double> PredEff(std::vector<double> concEff, double eZero, double eMax, double IC50,
                            double gam) {
    std::vector<double> effect(concEff.size(), 0.0);
    if (concEff.empty())
        return effect;
    const double halfMaximal = portable::pow(IC50, gam);
    for (std::size_t i = 0; i < concEff.size(); ++i) {
        const double c = concEff[i];
        const double d = portable::pow(c, gam);
        const double den = halfMaximal + d;
        // Both powers 0: the curve has no value there; the zero-rate constant turns a
        // zero concentration into 0.
        effect[i] = den != 0 ? (eMax - eZero) * d / den + eZero : c / ZERO_RATE_CONSTANT;
    }
    return effect;
}

} // namespace pktools
