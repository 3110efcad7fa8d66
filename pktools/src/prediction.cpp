#include "pktools/prediction.h"

#include "pktools/compartments.h"
#include "pktools/errors.h"
#include "pktools/refusals.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>

namespace pktools {

namespace {

constexpr double UNKNOWN = std::numeric_limits<double>::quiet_NaN();

bool allFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

// Throws unless all three columns have the same length.
void requireSameLength(const std::vector<double>& a, const std::vector<double>& b,
                       const std::vector<double>& c) {
    if (a.size() != b.size() || a.size() != c.size())
        throw InputError(refusals::LENGTHS);
}

// A PK parameter set with a positive leading pair and no negative or non-finite value.
bool acceptable(double first, double firstRate, double second, double third, double secondRate,
                double thirdRate) {
    return first > 0 && firstRate > 0 && second >= 0 && third >= 0 && secondRate >= 0 &&
           thirdRate >= 0 && allFinite({first, firstRate, second, third, secondRate, thirdRate});
}

// Plasma concentrations of a table for a model whose zero exponents have been replaced.
std::vector<double> predictPlasma(const std::vector<double>& deltaTimes,
                                  const std::vector<double>& Rate,
                                  const std::vector<double>& IVBolus, const Hybrid& h) {
    const std::size_t n = deltaTimes.size();
    std::vector<double> result(n, 0.0);
    // No row, not even the one of the first bolus: nothing to predict.
    if (n == 0)
        return result;
    const double b0 = IVBolus[0];
    if (!std::isfinite(b0)) {
        result.assign(n, UNKNOWN);
        return result;
    }
    PlasmaCourse course(h);
    result[0] = course.start(b0);
    for (std::size_t i = 1; i < n; ++i) {
        if (!allFinite({deltaTimes[i], Rate[i], IVBolus[i]})) {
            std::fill(result.begin() + i, result.end(), UNKNOWN);
            break;
        }
        result[i] = course.step(deltaTimes[i], Rate[i], IVBolus[i]);
    }
    return result;
}

} // namespace

std::vector<double> PredCp(std::vector<double> deltaTimes, std::vector<double> Rate,
                           std::vector<double> IVBolus, double A, double B, double C, double l1,
                           double l2, double l3) {
    if (!acceptable(A, l1, B, C, l2, l3))
        throw InputError(refusals::NEGATIVE_OR_MISSING);
    requireSameLength(deltaTimes, Rate, IVBolus);
    Hybrid h{A, B, C, l1, l2, l3};
    dropZeroExponents(h);
    return predictPlasma(deltaTimes, Rate, IVBolus, h);
}

EffectSiteModel effectModelOf(Hybrid h, double ke0) {
    if (!acceptable(h.A, h.l1, h.B, h.C, h.l2, h.l3) || !(ke0 > 0) || !std::isfinite(ke0))
        throw InputError(refusals::NEGATIVE_OR_MISSING);
    dropZeroExponents(h);
    return {h, separatedKe0(h, ke0)};
}

std::vector<double> PredCe(std::vector<double> deltaTimes, std::vector<double> Rate,
                           std::vector<double> IVBolus, double A, double B, double C, double l1,
                           double l2, double l3, double ke0) {
    requireSameLength(deltaTimes, Rate, IVBolus);
    const EffectSiteModel model = effectModelOf({A, B, C, l1, l2, l3}, ke0);
    const std::size_t n = deltaTimes.size();
    std::vector<double> result(n, 0.0);
    if (n == 0)
        return result;
    const double b0 = IVBolus[0];
    if (!std::isfinite(b0)) {
        result.assign(n, UNKNOWN);
        return result;
    }
    EffectCourse course(model.h, model.ke0);
    result[0] = course.start(b0);
    for (std::size_t i = 1; i < n; ++i) {
        if (!allFinite({deltaTimes[i], Rate[i], IVBolus[i]})) {
            std::fill(result.begin() + i, result.end(), UNKNOWN);
            break;
        }
        result[i] = course.step(deltaTimes[i], Rate[i], IVBolus[i]);
    }
    return result;
}

Hybrid plasmaModelOfVolumes(double V1, double V2, double V3, double Cl1, double Cl2, double Cl3) {
    if (!acceptable(V1, Cl1, V2, V3, Cl2, Cl3))
        throw InputError(refusals::NEGATIVE_OR_MISSING);
    const std::vector<double> hyb = Cl2Hyb({V1, V2, V3, Cl1, Cl2, Cl3});
    Hybrid h{hyb[hybrid::A],  hyb[hybrid::B],  hyb[hybrid::C],
             hyb[hybrid::l1], hyb[hybrid::l2], hyb[hybrid::l3]};
    dropZeroExponents(h);
    return h;
}

std::vector<double> PredCpVCl(std::vector<double> deltaTimes, std::vector<double> Rate,
                              std::vector<double> IVBolus, double V1, double V2, double V3,
                              double Cl1, double Cl2, double Cl3) {
    const Hybrid h = plasmaModelOfVolumes(V1, V2, V3, Cl1, Cl2, Cl3);
    requireSameLength(deltaTimes, Rate, IVBolus);
    return predictPlasma(deltaTimes, Rate, IVBolus, h);
}

} // namespace pktools
