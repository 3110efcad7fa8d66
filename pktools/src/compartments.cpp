#include "pktools/compartments.h"

#include "pktools/errors.h"
#include "pktools/refusals.h"
#include "portablemath/math.h"

#include <cmath>

namespace pktools {

namespace {

void requireSixParameters(const std::vector<double>& param) {
    if (param.size() != PARAMETER_COUNT)
        throw InputError(refusals::SIX_PARAMETERS);
}

// Exponents that stand in for missing compartments when a HybridSet is converted back:
// l3 = l2 / 100 for a missing third term, l2 = l1 / 100 and l3 = l1 / 1000 for a
// missing second one.
constexpr double MISSING_EXPONENT_DIVISOR = 100;
constexpr double MISSING_SLOW_EXPONENT_DIVISOR = 1000;

} // namespace

MicroConstants microConstants(const std::vector<double>& p) {
    using namespace volcl;
    return {p[Cl1] / p[V1], p[Cl2] / p[V1], p[Cl2] / p[V2], p[Cl3] / p[V1], p[Cl3] / p[V3]};
}

std::array<double, 3> cubicExponents(const MicroConstants& k) {
    const double a2 = k.k12 + k.k10 + k.k13 + k.k21 + k.k31;
    const double a1 = k.k10 * k.k31 + k.k21 * k.k31 + k.k13 * k.k21 + k.k10 * k.k21 + k.k12 * k.k31;
    const double a0 = k.k10 * k.k21 * k.k31;

    const double p = a1 - a2 * a2 / 3;
    const double r = std::sqrt((p * p * p) / (-27));
    double x = ((2 * a2 * a2 * a2) / 27 - (a2 * a1) / 3 + a0) * (-0.5) / r;
    if (x > 1)
        x = 1;
    else if (x < -1)
        x = -1;

    // The trigonometric solution of the cubic with three real roots, kept as the method is
    // defined (a cubic method without trigonometry would move the roots by more than
    // rounding where the formula cancels); acos, cos and the cube root come from the portable
    // functions, so the roots are the same bits on every machine.
    const double phi = portable::acos(x);
    const double m = 2 * portable::exp(portable::log(r) / 3); // twice the cube root of r
    constexpr double degree = 2 * portable::HALF_PI / 180;

    const std::array<double, 3> cosine =
        portable::cosOfThree({phi / 3, 120 * degree + phi / 3, 240 * degree + phi / 3});
    std::array<double, 3> root = {
        -(cosine[0] * m - a2 / 3),
        -(cosine[1] * m - a2 / 3),
        -(cosine[2] * m - a2 / 3),
    };
    if (root[0] < root[1])
        std::swap(root[0], root[1]);
    if (root[2] > root[0])
        std::swap(root[2], root[0]);
    if (root[2] > root[1])
        std::swap(root[2], root[1]);
    return root;
}

void linkZeros(std::vector<double>& six) {
    for (std::size_t i = 0; i < 3; ++i)
        if (six[i] == 0)
            six[i + 3] = 0;
    for (std::size_t i = 0; i < 3; ++i)
        if (six[i + 3] == 0)
            six[i] = 0;
}

std::vector<double> Cl2Hyb(std::vector<double> param) {
    requireSixParameters(param);
    linkZeros(param);
    using namespace volcl;
    const double v1 = param[V1], v2 = param[V2], v3 = param[V3];
    const double cl1 = param[Cl1], cl2 = param[Cl2];

    std::vector<double> result(PARAMETER_COUNT, 0.0);
    if (v3 > 0 && v2 > 0 && v1 > 0) {
        const MicroConstants k = microConstants(param);
        const auto [l1, l2, l3] = cubicExponents(k);
        result = {
            (k.k31 - l1) * (k.k21 - l1) / (l1 - l2) / (l1 - l3) / v1,
            (k.k31 - l2) * (k.k21 - l2) / (l2 - l1) / (l2 - l3) / v1,
            (k.k31 - l3) * (k.k21 - l3) / (l3 - l2) / (l3 - l1) / v1,
            l1,
            l2,
            l3,
        };
    } else if (v3 == 0 && v1 > 0 && v2 > 0) {
        const double k10 = cl1 / v1, k12 = cl2 / v1, k21 = cl2 / v2;
        const double s = k12 + k10 + k21;
        const double d = std::sqrt(s * s - k21 * k10 * 4);
        const double l1 = (d + s) * 0.5;
        const double l2 = (s - d) * 0.5;
        result = {(l1 - k21) / (l1 - l2) / v1, (k21 - l2) / (l1 - l2) / v1, 0, l1, l2, 0};
    } else if (v2 == 0 && v3 == 0) {
        result = {1 / v1, 0, 0, cl1 / v1, 0, 0};
    }
    return result;
}

std::vector<double> Hyb2Cl(std::vector<double> param) {
    requireSixParameters(param);
    std::vector<double> result(PARAMETER_COUNT, 0.0);
    linkZeros(param);

    const double v1 = 1 / (param[hybrid::A] + param[hybrid::B] + param[hybrid::C]);
    // The coefficients normalised to sum 1.
    const double a = param[hybrid::A] * v1, b = param[hybrid::B] * v1, c = param[hybrid::C] * v1;
    const double l1 = param[hybrid::l1];
    double l2 = param[hybrid::l2], l3 = param[hybrid::l3];
    if (l3 == 0 && c == 0)
        l3 = l2 / MISSING_EXPONENT_DIVISOR;
    if (l2 == 0 && b == 0) {
        l2 = l1 / MISSING_EXPONENT_DIVISOR;
        l3 = l1 / MISSING_SLOW_EXPONENT_DIVISOR;
    }

    const double sum = (b + a) + c;
    const double s = ((c + b) * l1 + (c + a) * l2 + (b + a) * l3) / sum; // k21 + k31
    const double q = (l3 * l1 * b + l2 * l1 * c + l3 * l2 * a) / sum;    // k21 k31
    const double d = std::sqrt(s * s - q * 4);
    const double k21 = (d + s) * 0.5;
    const double k31 = (s - d) * 0.5;
    const double k10 = (l2 * l1) * l3 / k21 / k31;
    const double k12 =
        ((l3 * l2 + l2 * l1 + l3 * l1) - (l2 + l1 + l3) * k21 - k10 * k31 + k21 * k21) /
        (k31 - k21);
    const double k13 = (l2 + l1 + l3) - (k12 + k10 + k21 + k31);

    using namespace volcl;
    result[V1] = v1;
    result[V2] = k12 * v1 / k21;
    result[V3] = k13 * v1 / k31;
    result[Cl1] = k10 * v1;
    result[Cl2] = k12 * v1;
    result[Cl3] = k13 * v1;
    if (c == 0 || b == 0) {
        result[V3] = 0;
        result[Cl3] = 0;
    }
    if (b == 0) {
        result[V2] = 0;
        result[Cl2] = 0;
    }
    return result;
}

} // namespace pktools
