#include "pktools/random.h"

#include "pktools/errors.h"
#include "pktools/refusals.h"
#include "portablemath/math.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

namespace pktools {

namespace {

// 2^52: the uniform number's denominator.
constexpr double TWO_TO_52 = 4503599627370496.0;
// The 12 low bits dropped from a 64-bit output to keep the top 52.
constexpr unsigned UNIFORM_SHIFT = 12;

// AS 241 (Wichura 1988, PPND16). The centre: |q| <= CENTRAL_LIMIT with q = u - 0.5, in the
// variable r = CENTRAL_SQUARE - q^2 (0.180625 = 0.425^2).
constexpr double CENTRAL_LIMIT = 0.425;
constexpr double CENTRAL_SQUARE = 0.180625;
// The tails, in r = sqrt(-ln(min(u, 1 - u))): the near tail up to TAIL_SPLIT in r - NEAR_SHIFT,
// the far tail beyond it in r - FAR_SHIFT.
constexpr double TAIL_SPLIT = 5;
constexpr double NEAR_SHIFT = 1.6;
constexpr double FAR_SHIFT = 5;

// Numerators and denominators, highest power first, as published.
using Polynomial = std::array<double, 8>;
// clang-format off
constexpr Polynomial CENTRAL_NUMERATOR = {
    2509.0809287301226727, 33430.575583588128105, 67265.770927008700853,
    45921.953931549871457, 13731.693765509461125, 1971.5909503065514427,
    133.14166789178437745, 3.387132872796366608};
constexpr Polynomial CENTRAL_DENOMINATOR = {
    5226.495278852545925, 28729.085735721942674, 39307.89580009271061,
    21213.794301586595867, 5394.1960214247511077, 687.1870074920579083,
    42.313330701600911252, 1.0};
constexpr Polynomial NEAR_NUMERATOR = {
    7.7454501427834140764e-4, 0.0227238449892691845833, 0.24178072517745061177,
    1.27045825245236838258, 3.64784832476320460504, 5.7694972214606914055,
    4.6303378461565452959, 1.42343711074968357734};
constexpr Polynomial NEAR_DENOMINATOR = {
    1.05075007164441684324e-9, 5.475938084995344946e-4, 0.0151986665636164571966,
    0.14810397642748007459, 0.68976733498510000455, 1.6763848301838038494,
    2.05319162663775882187, 1.0};
constexpr Polynomial FAR_NUMERATOR = {
    2.01033439929228813265e-7, 2.71155556874348757815e-5, 0.0012426609473880784386,
    0.026532189526576123093, 0.29656057182850489123, 1.7848265399172913358,
    5.4637849111641143699, 6.6579046435011037772};
constexpr Polynomial FAR_DENOMINATOR = {
    2.04426310338993978564e-15, 1.4215117583164458887e-7, 1.8463183175100546818e-5,
    7.868691311456132591e-4, 0.0148753612908506148525, 0.13692988092273580531,
    0.59983220655588793769, 1.0};
// clang-format on

// p(x) by Horner's rule: ((p0 x + p1) x + p2) ... + p7, p0 the highest power's coefficient.
double horner(const Polynomial& p, double x) {
    double value = p[0];
    for (std::size_t k = 1; k < p.size(); ++k)
        value = value * x + p[k];
    return value;
}

} // namespace

double centredUniform(std::uint64_t bits) {
    return (static_cast<double>(bits >> UNIFORM_SHIFT) + 0.5) / TWO_TO_52;
}

double normalQuantile(double u) {
    if (!(u > 0 && u < 1))
        return std::numeric_limits<double>::quiet_NaN();
    const double q = u - 0.5;
    if (std::fabs(q) <= CENTRAL_LIMIT) {
        const double r = CENTRAL_SQUARE - q * q;
        return q * horner(CENTRAL_NUMERATOR, r) / horner(CENTRAL_DENOMINATOR, r);
    }
    double r = q < 0 ? u : 1 - u;
    r = std::sqrt(-portable::log(r));
    double z;
    if (r <= TAIL_SPLIT) {
        r = r - NEAR_SHIFT;
        z = horner(NEAR_NUMERATOR, r) / horner(NEAR_DENOMINATOR, r);
    } else {
        r = r - FAR_SHIFT;
        z = horner(FAR_NUMERATOR, r) / horner(FAR_DENOMINATOR, r);
    }
    return q < 0 ? -z : z;
}

double normalDraw(std::uint64_t seed, std::uint64_t n) {
    return normalQuantile(centredUniform(splitMix64(seed, n)));
}

std::uint64_t wholeNumberUpTo2To53(double value, const catalogue::ErrorCause& refusal) {
    if (!(value >= 0 && value <= LARGEST_SEED) || std::floor(value) != value)
        throw InputError(refusal);
    return static_cast<std::uint64_t>(value);
}

double RandNorm(double seed, double n) {
    const std::uint64_t s = wholeNumberUpTo2To53(seed, refusals::BAD_SEED);
    const std::uint64_t index = wholeNumberUpTo2To53(n, refusals::BAD_DRAW_INDEX);
    return normalDraw(s, index);
}

} // namespace pktools
