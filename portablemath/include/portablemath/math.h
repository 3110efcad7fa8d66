#pragma once

// exp, log, pow, cos, acos and asin that give the same bits on every machine.
//
// A platform's mathematics library may round these functions differently from one CPU to
// the next (FMA or not), from one C library to another and from one compiler to another,
// and every result of the routines would follow. These are written from IEEE-754 basic
// operations alone (+ - * /, and sqrt, which IEEE rounds correctly everywhere), integer
// bit manipulation and the constant tables of tables.h, in an order of operations the
// build keeps (-ffp-contract=off, no -ffast-math, SSE2 on 32-bit x86): no call into the
// platform's library and no use of a fused multiply-add, so every compiler and machine
// computes the same bits.
//
// exp, log and pow are constexpr: a routine's constant such as exp(1.24634) is computed
// once, by the compiler, with the same bits as at run time.
//
// Accuracy (largest error found against correctly rounded values, see the accuracy test):
// about half an ulp for exp, log and pow, below one ulp for cos, acos and asin. Special
// cases follow C: NaN in gives NaN out, overflow gives inf, underflow 0 or a subnormal,
// pow(x, 0) = pow(1, y) = 1, a negative base under a non-integer power gives NaN and an
// integer power of a negative base has the sign of the power's parity, log(0) = -inf,
// log(x < 0) = NaN, acos and asin beyond [-1, 1] give NaN, cos(inf) = NaN.
//
// Methods (published mathematics):
// - exp: x = (128 k + j) ln2/128 + r with |r| <= ln2/256 (Cody and Waite's split of
//   ln2/128, the table 2^(j/128) in two doubles after Tang), exp(r) - 1 by its Taylor
//   polynomial of degree 5; exp(x) = 2^k T_j (1 + p).
// - log: x = 2^k z, z in [0.6875, 1.375) in one of 256 intervals, r = z/c - 1 exactly
//   (1/c of 16 bits times parts of z of 18 and 35 bits), r^2 from a part of r of 26 bits
//   whose square is exact, log(x) = k ln2 + log c + log(1 + r) with the leading terms
//   in double-double (Knuth's exact sum).
// - pow: exp(y log x) with log x in double-double and the product y log x split into two
//   doubles (parts of 26 bits cut by a mask), so that a large |y log x| keeps its
//   precision; exp's reduction starts from the leading part alone, before the rest of
//   log x is known, and a polynomial of degree 6 covers the wider reduced argument.
// - cos: x = n pi/2 + r, |r| <= pi/4, with pi/2 in three parts below 2^19 (Cody and Waite)
//   and, above, the bits of 2/pi (Payne and Hanek); cos or sin of r by Taylor polynomials.
// - acos, asin: for |x| <= 1/2 the series of asin; beyond, asin(x) = pi/2 - 2 asin(s) and
//   acos(x) = 2 asin(s) (or pi - 2 asin(s)) with s = sqrt((1 - |x|)/2) <= 1/2, s in two
//   doubles.
// Without a fused multiply-add the time goes to chains of dependent operations rather than
// to their number: the polynomials of log, pow, cos, sin and asin are evaluated in Estrin's
// order (exp's keeps Horner's, whose bits the routines' pinned results were recorded with),
// log's square of r comes from a part of r of 26 bits, exact without Dekker's product, and
// the products' splits are masks rather than Veltkamp's three operations.

#include "portablemath/tables.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace portable {

namespace detail {

using namespace tables;

inline constexpr std::uint64_t SIGN_BIT = 0x8000000000000000ULL;
inline constexpr std::uint64_t EXPONENT_BITS = 0x7ff0000000000000ULL;
inline constexpr std::uint64_t MANTISSA_BITS = 0x000fffffffffffffULL;
// The sign, the exponent and the first 26 significant bits of a double.
inline constexpr std::uint64_t HIGH_26_BITS = 0xfffffffff8000000ULL;
// Adding and subtracting 1.5 * 2^52 rounds a double below 2^51 to the nearest integer,
// which then stands in the low bits of the sum.
inline constexpr double ROUNDING_SHIFT = 0x1.8p52;
// The same with 1.5 * 2^18 rounds a double below 2^17 to a multiple of 2^-34.
inline constexpr double LOG_SPLIT_SHIFT = 0x1.8p18;
inline constexpr double INF = std::numeric_limits<double>::infinity();
inline constexpr double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();

// The bit pattern of a double and back, also at compile time (the compilers' builtin: some
// C++20 libraries, Emscripten's among them, lack std::bit_cast).
constexpr std::uint64_t bitsOf(double x) {
    return __builtin_bit_cast(std::uint64_t, x);
}
constexpr double fromBits(std::uint64_t b) {
    return __builtin_bit_cast(double, b);
}
// Two doubles, or two 64-bit words, side by side: GCC's and Clang's vector extensions, which
// become SSE2's or NEON's pairs where the target has them and the same scalar operations
// where it has not (WebAssembly without SIMD). Each lane's operations are IEEE's basic ones
// in the scalar steps' order (and not fused: -ffp-contract=off holds for vectors too), so each
// lane has the scalar steps' bits.
using Doubles2 = double __attribute__((vector_size(16)));
using Words2 = std::uint64_t __attribute__((vector_size(16)));
inline Words2 bitsOf(Doubles2 x) {
    return __builtin_bit_cast(Words2, x);
}
inline Doubles2 fromBits(Words2 b) {
    return __builtin_bit_cast(Doubles2, b);
}
// Whether the target holds two doubles side by side in one vector register (SSE2, NEON,
// WebAssembly's SIMD), the only place where a step of two lanes saves steps.
#if defined(__SSE2__) || defined(__ARM_NEON) || defined(__wasm_simd128__)
inline constexpr bool HAS_DOUBLE_PAIRS = true;
#else
inline constexpr bool HAS_DOUBLE_PAIRS = false;
#endif

// The nearest integer to x (|x| < 2^51), as a double and as an integer.
struct Rounded {
    double value;
    std::int64_t integer;
};
constexpr Rounded nearestInteger(double x) {
    const double shifted = x + ROUNDING_SHIFT;
    return {shifted - ROUNDING_SHIFT,
            static_cast<std::int64_t>(bitsOf(shifted) - bitsOf(ROUNDING_SHIFT))};
}
// 2^k for a normal power of two.
constexpr double twoToThe(int k) {
    return fromBits(static_cast<std::uint64_t>(k + 1023) << 52);
}

// A value as the unevaluated sum hi + lo of two doubles (T = double), or of two vectors of
// doubles side by side, lane by lane.
template <class T> struct PairOf { T hi, lo; };
using Pair = PairOf<double>;
// a + b exactly (Knuth).
template <class T> constexpr PairOf<T> twoSum(T a, T b) {
    const T s = a + b;
    const T bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}
// a + b exactly when |a| >= |b| (Dekker).
template <class T> constexpr PairOf<T> fastTwoSum(T a, T b) {
    const T s = a + b;
    return {s, b - (s - a)};
}
// a as its first 26 significant bits and the rest, of 27 bits at most (a mask: shorter than
// Veltkamp's split, whose halves have 26 bits).
template <class T> constexpr PairOf<T> split(T a) {
    const T hi = fromBits(bitsOf(a) & HIGH_26_BITS);
    return {hi, a - hi};
}
// a * b as p + e, p = a * b rounded (Dekker's product): exact but for the product of the two
// lower parts, of 54 bits at most, rounded (|e| is then off by 2^-100 |a b| at most).
template <class T> constexpr PairOf<T> twoProduct(T a, T b) {
    const T p = a * b;
    const PairOf<T> x = split(a), y = split(b);
    return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

// c[0] + c[1] t + ... + c[N-1] t^(N-1), given t2 = t * t, in Estrin's order: the lower and
// the upper half (times t^m, m the largest power of two below N) evaluated independently,
// so that the chain of dependent operations grows with log2 N rather than with N. The order
// is fixed by N alone, the same on every machine.
// (T: a double, or doubles side by side in a vector, each lane in the same order.)
template <int N, class T> constexpr T polynomial(const double* c, T t, T t2) {
    if constexpr (N == 1) {
        if constexpr (std::is_same_v<T, double>)
            return c[0];
        else
            return T{} + c[0]; // in every lane (0 + c is c: no coefficient is -0)
    } else if constexpr (N == 2) {
        return c[0] + t * c[1];
    } else {
        static_assert(N <= 32);
        constexpr int m = N <= 4 ? 2 : N <= 8 ? 4 : N <= 16 ? 8 : 16;
        T tm = t2; // t^m
        for (int k = 2; k < m; k *= 2)
            tm = tm * tm;
        return polynomial<m>(c, t, t2) + tm * polynomial<N - m>(c + m, t, t2);
    }
}
// a * a as twoProduct gives it, with its two equal cross terms added as one (2 ah al is
// exact, and so is the sum, the partial sum of the product's own steps).
template <class T> constexpr PairOf<T> twoSquare(T a) {
    const T p = a * a;
    const PairOf<T> x = split(a);
    return {p, ((x.hi * x.hi - p) + 2 * (x.hi * x.lo)) + x.lo * x.lo};
}

// (th + tmp) 2^k rounded once, for th + tmp in [0.99, 2) with |tmp| < 2^-7 th and any k
// the reductions give. Below the normal range the sum is rounded once on the subnormals'
// grid: u = (th + tmp) 2^(k + 1022) < 1 is added to 1, where the ulp is that grid's.
//
// From 2^-960 up th 2^k + tmp 2^k is the same number, whose terms are formed beside the
// polynomial: scaling by 2^k is exact, and what tmp 2^k may lose below the normal range is
// far below half an ulp of the sum.
constexpr double scaled(double th, double tmp, int k) {
    if (k > -960 && k <= 1023) {
        const double s = twoToThe(k);
        return th * s + tmp * s;
    }
    const double hi = th + tmp;
    if (k > -1022 && k <= 1023)
        return hi * twoToThe(k);
    if (k > 1023)
        return (hi * 0x1p1023) * twoToThe(k - 1023); // overflows to inf
    const double lo = (th - hi) + tmp;
    const double s = twoToThe(k + 1022);
    const double uh = hi * s, ul = lo * s; // exact
    if (uh >= 1)
        return hi * twoToThe(k);
    const double t = 1 + uh;
    const double rounded = t + (((1 - t) + uh) + ul);
    return (rounded - 1) * 0x1p-1022; // exact
}

// x = n ln2/128 + r with |r| <= ln2/256 (a little more after rounding), for |x| < 746.
struct ExpReduction {
    Rounded n;
    double r;
};
constexpr ExpReduction reduceExp(double x) {
    const Rounded n = nearestInteger(x * INV_LN2_128);
    // n LN2_128_HI is exact (35 bits times 18) and so is its difference with x (Sterbenz).
    return {n, (x - n.value * LN2_128_HI) - n.value * LN2_128_LO};
}
// exp(n ln2/128 + r) = 2^k (th + tmp) before the final rounding: n = 128 k + j, th + tl the
// table's 2^(j/128), tmp = tl + th (e^r - 1).
struct ExpParts {
    double th, tmp;
    int k;
};
// e^r - 1 for the reduced r, in Horner's order (T: a double, or doubles side by side).
template <class T> constexpr T expMinusOne(T r) {
    return r +
           r * r * (EXP_TAYLOR[0] + r * (EXP_TAYLOR[1] + r * (EXP_TAYLOR[2] + r * EXP_TAYLOR[3])));
}
constexpr ExpParts expParts(Rounded n, double r) {
    const int j = static_cast<int>(n.integer & 127);
    const int k = static_cast<int>(n.integer >> 7);
    const double th = EXP2_TABLE[j][0], tl = EXP2_TABLE[j][1];
    const double p = expMinusOne(r);
    return {th, tl + th * p, k};
}

// exp(x + tail) for |x| < 746 and |tail| <= 2^-24 |x|, before the final scaling rounds.
constexpr double expCore(double x, double tail) {
    const ExpReduction q = reduceExp(x);
    const ExpParts e = expParts(q.n, q.r + tail);
    return scaled(e.th, e.tmp, e.k);
}

// log x's steps after the table: log x = k ln2 + log c + log(z/c) as hi + lo before the last
// sum (|lo| < 2^-17 |hi|), for z in [0.6875, 1.375), zh its first 18 bits, kd = k and the
// table's 1/c and log c (T: a double, or doubles side by side, each lane in this order).
template <class T> constexpr PairOf<T> logSteps(T z, T zh, T kd, T invc, T logcHi, T logcLo) {
    // r = z invc - 1 exactly: invc has 16 bits, zh (z's first 18 bits) and zl (the other
    // 35) times invc are exact, and zh invc is within 2^-8 of 1 (Sterbenz).
    const PairOf<T> r = twoSum(zh * invc - 1, (z - zh) * invc);
    // r^2/2 = ra^2/2 + rb (ra + rb/2) with ra, r rounded to a multiple of 2^-34: below 2^-8,
    // ra has at most 26 bits and its square is exact, without Dekker's product (the longest
    // step without a fused multiply-add). rb = r - ra, |rb| <= 2^-35, need not be exact.
    const T ra = (r.hi + LOG_SPLIT_SHIFT) - LOG_SPLIT_SHIFT;
    const T rb = (r.hi - ra) + r.lo;
    // log x = k ln2 + log c + r - r^2/2 + r^3 q(r). Each sum's first term is the larger or 0:
    // |log c| <= 0.375 < ln 2, |r| < 2^-9 < |log c| but beside 1 (where log c = 0), and
    // r^2/2 < 2^-9 |k ln2 + log c + r| (|log x| > 2^-9 but beside 1).
    const PairOf<T> a = fastTwoSum(kd * LN2_HI, logcHi);
    const PairOf<T> b = fastTwoSum(a.hi, r.hi);
    const PairOf<T> c = fastTwoSum(b.hi, -(0.5 * ra * ra));
    const T r2 = r.hi * r.hi;
    const T q = polynomial<7>(LOG_TAYLOR, r.hi, r2);
    const T tail = ((kd * LN2_LO + logcLo) + ((a.lo + b.lo) + c.lo)) +
                   ((r.lo - rb * (ra + 0.5 * rb)) + r.hi * r2 * q);
    return {c.hi, tail};
}

// log(x) as hi + lo, relative error below 2^-68, for x > 0 finite.
constexpr Pair logPair(double x) {
    std::uint64_t ix = bitsOf(x);
    int k = 0;
    if (ix < 0x0010000000000000ULL) { // subnormal
        ix = bitsOf(x * 0x1p52);
        k = -52;
    }
    // x = 2^k z with z in [0.6875, 1.375); i = the interval of z.
    const std::uint64_t offset = ix - 0x3fe6000000000000ULL;
    k += static_cast<int>(static_cast<std::int64_t>(offset) >> 52);
    const int i = static_cast<int>((offset >> 44) & 255);
    const std::uint64_t iz = ix - (offset & 0xfff0000000000000ULL);
    const double invc = LOG_TABLE[i][0], logcHi = LOG_TABLE[i][1], logcLo = LOG_TABLE[i][2];
    const double z = fromBits(iz);
    const double zh = fromBits(iz & 0xfffffff800000000ULL);
    const Pair l = logSteps(z, zh, static_cast<double>(k), invc, logcHi, logcLo);
    return fastTwoSum(l.hi, l.lo);
}

// log x as hi + lo for pow, relative error below 2^-68, for x = 2^scale fromBits(ix) > 0 with
// fromBits(ix) normal and finite: logPair's steps without its test for a subnormal (pow makes
// its own) and without the last sum: hi, the exact sums' leading part, is ready before the
// series, and |lo| < 2^-17 |hi|.
constexpr Pair logOfBase(std::uint64_t ix, int scale) {
    const std::uint64_t offset = ix - 0x3fe6000000000000ULL;
    const int k = scale + static_cast<int>(static_cast<std::int64_t>(offset) >> 52);
    const int i = static_cast<int>((offset >> 44) & 255);
    const std::uint64_t iz = ix - (offset & 0xfff0000000000000ULL);
    const double z = fromBits(iz);
    const double zh = fromBits(iz & 0xfffffff800000000ULL);
    return logSteps(z, zh, static_cast<double>(k), LOG_TABLE[i][0], LOG_TABLE[i][1],
                    LOG_TABLE[i][2]);
}

// pow(x, y) for x = 2^scale fromBits(ix) > 0 (fromBits(ix) normal and finite) and y finite,
// not 0: exp(y log x) with log x = hi + lo and y log x = yh lh + (yl lh + y ll), where yh and
// lh are y and hi cut to their first 26 bits (a mask, shorter than Veltkamp's split) and
// ll = hi - lh + lo: yh lh and yl lh are exact, and the second part is below 2^-16 of the
// first. Then expCore's steps, in fewer dependent ones (pow's own bits, not exp's): the
// reduction by the leading part alone, which starts before lo is known and leaves
// |r| <= ln2/256 + 2^-16 |y log x| (below 2^-6.8), the polynomial one degree higher for it
// and in Estrin's order.
constexpr double powOfLog(const Pair& l, double y) {
    const double estimate = y * l.hi;
    // From -664 to 709 2^k (k from -959 to 1023) scales both terms exactly, as in scaled().
    const bool ordinary = estimate < 709 && estimate > -664;
    if (!ordinary && !(estimate < 746 && estimate > -746))
        return estimate > 0 ? INF : 0;
    const double yh = fromBits(bitsOf(y) & HIGH_26_BITS), yl = y - yh;
    const double lh = fromBits(bitsOf(l.hi) & HIGH_26_BITS), ll = (l.hi - lh) + l.lo;
    const double t = yh * lh;
    const Rounded n = nearestInteger(t * INV_LN2_128);
    // r = r0 + rs, r0 = t - n LN2_128_HI exact as in reduceExp; r rounded enters only the
    // terms from r^2 on, and the first term is r0 + rs as it stands.
    const double r0 = t - n.value * LN2_128_HI;
    const double rs = (yl * lh + y * ll) - n.value * LN2_128_LO;
    const double r = r0 + rs;
    const int j = static_cast<int>(n.integer & 127);
    const int k = static_cast<int>(n.integer >> 7);
    const double th = EXP2_TABLE[j][0], tl = EXP2_TABLE[j][1];
    const double r2 = r * r;
    const double p = r0 + (rs + r2 * polynomial<5>(EXP_TAYLOR, r, r2));
    const double tmp = tl + th * p;
    if (ordinary) {
        const double s = twoToThe(k);
        return th * s + tmp * s;
    }
    return scaled(th, tmp, k);
}
constexpr double powOfPositive(std::uint64_t ix, int scale, double y) {
    return powOfLog(logOfBase(ix, scale), y);
}
// pow's path for the common arguments: x positive, normal and finite, |y| in [2^-64, 2^64).
constexpr bool isCommonBase(std::uint64_t ix) {
    return ix - 0x0010000000000000ULL < EXPONENT_BITS - 0x0010000000000000ULL;
}
constexpr bool isCommonExponent(double y) {
    return ((bitsOf(y) >> 52) & 0x7ff) - (1023 - 64) < 128;
}

enum class Parity { NotAnInteger, Odd, Even };
// Whether a finite, non-zero y is an integer, and if so its parity.
constexpr Parity parityOf(double y) {
    const std::uint64_t iy = bitsOf(y);
    const int e = static_cast<int>((iy >> 52) & 0x7ff) - 1023;
    if (e < 0)
        return Parity::NotAnInteger;
    if (e > 52)
        return Parity::Even;
    const std::uint64_t unit = 1ULL << (52 - e);
    if (iy & (unit - 1))
        return Parity::NotAnInteger;
    return (iy & unit) ? Parity::Odd : Parity::Even;
}

// cos(hi + lo) and sin(hi + lo) for |hi| <= pi/4 (a little more after rounding),
// |lo| <= ulp(hi) (T: a double, or doubles side by side, each lane in this order).
template <class T> inline T cosKernel(T hi, T lo) {
    const PairOf<T> z = twoSquare(hi);
    const T half = 0.5 * z.hi;
    const T w = 1 - half;
    const T e = (1 - w) - half; // 1 - half - w, exact
    const T c = polynomial<8>(COS_TAYLOR, z.hi, z.hi * z.hi);
    return w + (e + ((z.hi * z.hi * c - 0.5 * z.lo) - hi * lo));
}
// sin r = r - r^3/6 + r^5 S(z): the term r^3/6, up to a tenth of r, in two doubles.
template <class T> inline T sinKernel(T hi, T lo) {
    const PairOf<T> z = twoSquare(hi);
    PairOf<T> cube = twoProduct(hi, z.hi);
    cube.lo += hi * z.lo;
    PairOf<T> sixth = twoProduct(cube.hi, T{} + SIN_TAYLOR[0]); // 0 + c is c in every lane
    sixth.lo += cube.hi * SIN_THIRD_ORDER_LO + cube.lo * SIN_TAYLOR[0];
    const T s = polynomial<7>(SIN_TAYLOR + 1, z.hi, z.hi * z.hi);
    const PairOf<T> sum = fastTwoSum(hi, sixth.hi); // |hi^3/6| < |hi|
    return sum.hi + (sum.lo + ((sixth.lo + lo * (1 - 0.5 * z.hi)) + cube.hi * z.hi * s));
}

// x = n pi/2 + (hi + lo) with |hi + lo| <= pi/4 (a little more after rounding), for x >= 0.
struct Reduced {
    std::int64_t n;
    Pair r;
};
inline constexpr double MEDIUM_REDUCTION_LIMIT = 0x1p19;
// The bits of 2^-27, below which cos x rounds to 1, and of pi/4 rounded down, up to which
// cos() takes the kernel of x itself.
inline constexpr std::uint64_t COS_IS_ONE_BELOW = 0x3e40000000000000ULL;
inline constexpr std::uint64_t PI_OVER_4_BITS = 0x3fe921fb54442d18ULL;
// Below 2^19: n has at most 19 bits, so n PIO2_1 and n PIO2_2 are exact.
inline Pair reduceBy(double x, double n) {
    const double t = x - n * PIO2_1; // exact
    const Pair s = twoSum(t, -(n * PIO2_2));
    return twoSum(s.hi, s.lo - n * PIO2_3);
}
inline Reduced reduceMedium(double x) {
    const Rounded n = nearestInteger(x * TWO_OVER_PI);
    // The quadrants of a circle, n = 1 to 4, with n a constant: the products are constants
    // (the same numbers), and where the branch is foreseen the reduction need not wait for n.
    switch (n.integer) {
    case 1:
        return {1, reduceBy(x, 1)};
    case 2:
        return {2, reduceBy(x, 2)};
    case 3:
        return {3, reduceBy(x, 3)};
    case 4:
        return {4, reduceBy(x, 4)};
    default:
        return {n.integer, reduceBy(x, n.value)};
    }
}
// The 32 bits of 2/pi that begin with bit q after the binary point (0 = the first);
// bits before the point are 0.
inline std::uint64_t twoOverPiWord(int q) {
    if (q <= -32)
        return 0;
    if (q < 0)
        return TWO_OVER_PI_BITS[0] >> -q;
    const int w = q >> 5, s = q & 31;
    if (s == 0)
        return TWO_OVER_PI_BITS[w];
    return ((TWO_OVER_PI_BITS[w] << s) | (TWO_OVER_PI_BITS[w + 1] >> (32 - s))) & 0xffffffffULL;
}
// From 2^19 up: x = m 2^e with an integer m of 53 bits; m 2^e 2/pi modulo 4 needs the bits
// of 2/pi from 2^-(e-1) on (earlier bits give multiples of 4); 192 of them leave 128 bits
// of the fraction, of which at most 61 can cancel.
inline Reduced reduceLarge(double x) {
    const std::uint64_t ix = bitsOf(x);
    const int e = static_cast<int>(ix >> 52) - 1075;
    const std::uint64_t m = (ix & MANTISSA_BITS) | (1ULL << 52);
    // f: the 192 bits of 2/pi from bit e - 2 on, least significant word first.
    std::uint64_t f[6];
    for (int j = 0; j < 6; ++j)
        f[5 - j] = twoOverPiWord(e - 2 + 32 * j);
    // p = m f in 32-bit words; its bit 190 has the weight 1.
    std::uint64_t p[8] = {};
    const std::uint64_t mWords[2] = {m & 0xffffffffULL, m >> 32};
    for (int i = 0; i < 2; ++i) {
        std::uint64_t carry = 0;
        for (int j = 0; j < 6; ++j) {
            const std::uint64_t t = mWords[i] * f[j] + p[i + j] + carry;
            p[i + j] = t & 0xffffffffULL;
            carry = t >> 32;
        }
        p[i + 6] = carry;
    }
    std::int64_t n = static_cast<std::int64_t>((p[5] >> 30) & 3);
    // The fraction's bits 189..62 as a 128-bit number.
    std::uint64_t hi = (p[3] >> 30) | (p[4] << 2) | (p[5] << 34);
    std::uint64_t lo = (p[1] >> 30) | (p[2] << 2) | (p[3] << 34);
    const bool negative = hi >> 63; // fraction >= 1/2: take n + 1 and the fraction - 1
    if (negative) {
        n += 1;
        lo = ~lo + 1;
        hi = ~hi + (lo == 0 ? 1 : 0);
    }
    const int shift = hi ? std::countl_zero(hi) : 64 + std::countl_zero(lo);
    if (shift >= 64) {
        hi = lo << (shift - 64);
        lo = 0;
    } else if (shift > 0) {
        hi = (hi << shift) | (lo >> (64 - shift));
        lo <<= shift;
    }
    // fraction = (hi 2^64 + lo) 2^(-128 - shift): its first 53 bits and the next 53.
    const double fh = static_cast<double>(hi >> 11) * twoToThe(-53 - shift);
    const double fl =
        static_cast<double>((((hi & 0x7ff) << 42) | (lo >> 22))) * twoToThe(-106 - shift);
    const Pair product = twoProduct(fh, PIO2_HI);
    const Pair r = fastTwoSum(product.hi, product.lo + (fh * PIO2_LO + fl * PIO2_HI));
    return {n, negative ? Pair{-r.hi, -r.lo} : r};
}

// The series x z P(z) of asin(x) - x, z = x^2 <= 1/4.
inline double asinSeries(double x, double z) {
    // The first three terms in Horner's order, whose last steps add the least rounding where
    // the series is largest (z = 1/4), the rest in Estrin's.
    constexpr int terms = sizeof ASIN_SERIES / sizeof ASIN_SERIES[0];
    const double rest = polynomial<terms - 3>(ASIN_SERIES + 3, z, z * z);
    return x * z * (ASIN_SERIES[0] + z * (ASIN_SERIES[1] + z * (ASIN_SERIES[2] + z * rest)));
}
// sqrt(w) as hi + lo, for w = 0 or w >= 2^-1000.
inline Pair sqrtPair(double w) {
    if (w == 0)
        return {0, 0};
    const double s = std::sqrt(w);
    const Pair square = twoSquare(s);
    // 1 / (2 s) = s (1 / (2 w)), the quotient formed beside the root rather than after it.
    const double halfInverse = 0.5 / w;
    return {s, ((w - square.hi) - square.lo) * (s * halfInverse)};
}
// 2 asin(s) - 2 s for s = sqrt((1 - a)/2), a in (1/2, 1]: the part beyond 2 s.hi.
struct HalfAngle {
    double twoS, rest;
};
inline HalfAngle halfAngle(double a) {
    const double w = (1 - a) * 0.5; // exact
    const Pair s = sqrtPair(w);
    return {2 * s.hi, 2 * (s.lo + asinSeries(s.hi, w))};
}

} // namespace detail

// pi/2 rounded to a double, which asin(1) gives on every machine: for a routine's constant
// angle, which the compiler then computes once.
inline constexpr double HALF_PI = tables::PIO2_HI;

#if defined(PORTABLEMATH_BENCHMARK_PLATFORM_LIBRARY)
// Only for timing the routines against the platform's library (bench/compare-libm.sh): the
// results then differ from machine to machine. (GCC evaluates its library's exp, log and pow
// at compile time too, as the routines' named constants need.)
constexpr double exp(double x) {
    return std::exp(x);
}
constexpr double log(double x) {
    return std::log(x);
}
constexpr double pow(double x, double y) {
    return std::pow(x, y);
}
inline double cos(double x) {
    return std::cos(x);
}
inline double asin(double x) {
    return std::asin(x);
}
inline double acos(double x) {
    return std::acos(x);
}
template <std::size_t N> std::array<double, N> expEach(const std::array<double, N>& x) {
    std::array<double, N> y;
    for (std::size_t i = 0; i < N; ++i)
        y[i] = std::exp(x[i]);
    return y;
}
template <std::size_t N>
constexpr std::array<double, N> powersOf(double x, const std::array<double, N>& y) {
    std::array<double, N> p{};
    for (std::size_t i = 0; i < N; ++i)
        p[i] = std::pow(x, y[i]);
    return p;
}
template <std::size_t N>
std::array<double, N> powEach(const std::array<double, N>& x, const std::array<double, N>& y) {
    std::array<double, N> p;
    for (std::size_t i = 0; i < N; ++i)
        p[i] = std::pow(x[i], y[i]);
    return p;
}
inline std::array<double, 3> cosOfThree(const std::array<double, 3>& x) {
    return {std::cos(x[0]), std::cos(x[1]), std::cos(x[2])};
}
#else

namespace detail {
// exp(x) for an ordinary argument, 2^-54 <= |x| < 512: expCore's steps without its tail
// (adding a zero tail to r changes no bit of the result) and with the scaling of the normal
// range, which 2^k never leaves (|k| < 740).
constexpr double expOfOrdinary(double x) {
    const ExpReduction q = reduceExp(x);
    const ExpParts e = expParts(q.n, q.r);
    const double s = twoToThe(e.k);
    return e.th * s + e.tmp * s;
}

// logOfBase of two bases at once, each positive, normal and finite (scale 0).
inline PairOf<Doubles2> logOfBases(Words2 ix) {
    const Words2 offset = ix - 0x3fe6000000000000ULL;
    // k = offset >> 52 as a signed number, = ((ix + 0x001a000000000000) >> 52) - 1024 with a
    // shift of a positive one, and k as a double from the low bits of 2^52 (exact): no
    // arithmetic shift or conversion of 64-bit lanes, which SSE2 lacks.
    const Doubles2 kd =
        fromBits(((ix + 0x001a000000000000ULL) >> 52) | 0x4330000000000000ULL) - (0x1p52 + 1024);
    const int i0 = static_cast<int>((offset[0] >> 44) & 255);
    const int i1 = static_cast<int>((offset[1] >> 44) & 255);
    const Words2 iz = ix - (offset & 0xfff0000000000000ULL);
    const Doubles2 z = fromBits(iz);
    const Doubles2 zh = fromBits(iz & 0xfffffff800000000ULL);
    return logSteps(z, zh, kd, Doubles2{LOG_TABLE[i0][0], LOG_TABLE[i1][0]},
                    Doubles2{LOG_TABLE[i0][1], LOG_TABLE[i1][1]},
                    Doubles2{LOG_TABLE[i0][2], LOG_TABLE[i1][2]});
}

// expOfOrdinary of two arguments at once, each ordinary (2^-54 <= |x| < 512).
inline Doubles2 expsOfOrdinary(Doubles2 x) {
    const Doubles2 shifted = x * INV_LN2_128 + ROUNDING_SHIFT; // reduceExp's steps
    const Doubles2 nValue = shifted - ROUNDING_SHIFT;
    const Words2 n = bitsOf(shifted) - bitsOf(ROUNDING_SHIFT); // n mod 2^64
    const Doubles2 r = (x - nValue * LN2_128_HI) - nValue * LN2_128_LO;
    const int j0 = static_cast<int>(n[0] & 127), j1 = static_cast<int>(n[1] & 127);
    const Doubles2 th = {EXP2_TABLE[j0][0], EXP2_TABLE[j1][0]};
    const Doubles2 tl = {EXP2_TABLE[j0][1], EXP2_TABLE[j1][1]};
    const Doubles2 p = expMinusOne(r);
    const Doubles2 tmp = tl + th * p;
    // 2^k, k = n >> 7: (k + 1023) << 52 from n + 1023 * 128, positive in the ordinary range.
    const Doubles2 s = fromBits(((n + (1023 << 7)) >> 7) << 52);
    return th * s + tmp * s;
}

// powOfLog of two logarithms and powers at once, where both products y log x are ordinary
// (from -664 to 709, scaled in one step); any other pair of lanes takes powOfLog of each.
inline Doubles2 powsOfLogs(const PairOf<Doubles2>& l, Doubles2 y) {
    const Doubles2 estimate = y * l.hi;
    if (!(estimate[0] < 709 && estimate[0] > -664 && estimate[1] < 709 && estimate[1] > -664))
        return Doubles2{powOfLog({l.hi[0], l.lo[0]}, y[0]), powOfLog({l.hi[1], l.lo[1]}, y[1])};
    const Doubles2 yh = fromBits(bitsOf(y) & HIGH_26_BITS), yl = y - yh;
    const Doubles2 lh = fromBits(bitsOf(l.hi) & HIGH_26_BITS), ll = (l.hi - lh) + l.lo;
    const Doubles2 t = yh * lh;
    const Doubles2 shifted = t * INV_LN2_128 + ROUNDING_SHIFT;
    const Doubles2 nValue = shifted - ROUNDING_SHIFT;
    const Words2 n = bitsOf(shifted) - bitsOf(ROUNDING_SHIFT); // n mod 2^64
    const Doubles2 r0 = t - nValue * LN2_128_HI;
    const Doubles2 rs = (yl * lh + y * ll) - nValue * LN2_128_LO;
    const Doubles2 r = r0 + rs;
    const int j0 = static_cast<int>(n[0] & 127), j1 = static_cast<int>(n[1] & 127);
    const Doubles2 th = {EXP2_TABLE[j0][0], EXP2_TABLE[j1][0]};
    const Doubles2 tl = {EXP2_TABLE[j0][1], EXP2_TABLE[j1][1]};
    const Doubles2 r2 = r * r;
    const Doubles2 p = r0 + (rs + r2 * polynomial<5>(EXP_TAYLOR, r, r2));
    const Doubles2 tmp = tl + th * p;
    // 2^k, k = n >> 7: (k + 1023) << 52 from n + 1023 * 128, positive in the ordinary range.
    const Doubles2 s = fromBits(((n + (1023 << 7)) >> 7) << 52);
    return th * s + tmp * s;
}
} // namespace detail

constexpr double exp(double x) {
    using namespace detail;
    const std::uint64_t top = (bitsOf(x) >> 52) & 0x7ff;
    // |x| < 2^-54: exp(x) rounds to 1 + x. |x| >= 512, inf and NaN: the edges.
    if (top < 0x3c9)
        return 1 + x;
    if (top >= 0x408) {
        if (x != x)
            return x + x;
        if (x > 710)
            return INF;
        if (x < -746)
            return 0;
        return expCore(x, 0);
    }
    return expOfOrdinary(x);
}

// exp of each of a few arguments, the same bits as exp() of each, in fewer steps where every
// argument is ordinary (2^-54 <= |x| < 512), as a decaying sum's are: no argument then
// needs an edge case or a scaling beyond the normal range (|k| < 740), so each step runs
// over all the arguments without a branch, two side by side where the target has pairs of
// doubles. Any other argument sends every one through exp().
template <std::size_t N> std::array<double, N> expEach(const std::array<double, N>& x) {
    using namespace detail;
    std::array<double, N> y;
    bool ordinary = true;
    for (std::size_t i = 0; i < N; ++i) {
        const std::uint64_t top = (bitsOf(x[i]) >> 52) & 0x7ff;
        ordinary &= top - 0x3c9 < 0x408 - 0x3c9;
    }
    if (!ordinary) {
        for (std::size_t i = 0; i < N; ++i)
            y[i] = exp(x[i]);
        return y;
    }
    std::size_t i = 0;
    if constexpr (HAS_DOUBLE_PAIRS)
        for (; i + 1 < N; i += 2) {
            const Doubles2 two = expsOfOrdinary(Doubles2{x[i], x[i + 1]});
            y[i] = two[0];
            y[i + 1] = two[1];
        }
    for (; i < N; ++i)
        y[i] = expOfOrdinary(x[i]);
    return y;
}

constexpr double log(double x) {
    using namespace detail;
    const std::uint64_t ix = bitsOf(x);
    if (ix - 0x0010000000000000ULL >= EXPONENT_BITS - 0x0010000000000000ULL) {
        if (x != x)
            return x + x;
        if ((ix << 1) == 0)
            return -INF;
        if (ix & SIGN_BIT)
            return NOT_A_NUMBER;
        if (ix == EXPONENT_BITS)
            return INF;
        // a positive subnormal
    }
    return logPair(x).hi;
}

constexpr double pow(double x, double y) {
    using namespace detail;
    // The common case first, by two tests: x positive, normal and finite, |y| in
    // [2^-64, 2^64).
    const std::uint64_t ix = bitsOf(x);
    if (isCommonBase(ix) && isCommonExponent(y))
        return powOfPositive(ix, 0, y);
    if (y == 0 || x == 1)
        return 1;
    if (x != x || y != y)
        return x + y;
    const double ax = fromBits(bitsOf(x) & ~SIGN_BIT);
    if (y == INF || y == -INF) {
        if (ax == 1)
            return 1;
        return (ax < 1) == (y < 0) ? INF : 0;
    }
    const Parity parity = parityOf(y);
    const bool negative = (bitsOf(x) & SIGN_BIT) && parity == Parity::Odd;
    if (ax == 0 || ax == INF) {
        const double magnitude = (ax == 0) == (y < 0) ? INF : 0;
        return negative ? -magnitude : magnitude;
    }
    if (x < 0 && parity == Parity::NotAnInteger)
        return NOT_A_NUMBER;
    const double magnitude = bitsOf(ax) < 0x0010000000000000ULL // subnormal
                                 ? powOfPositive(bitsOf(ax * 0x1p52), -52, y)
                                 : powOfPositive(bitsOf(ax), 0, y);
    return negative ? -magnitude : magnitude;
}

// x^y[i] for each of a few powers of one base, the same bits as pow(x, y[i]) of each, with
// log x computed once when x is positive, normal and finite, as an allometric model's size
// often is.
template <std::size_t N>
constexpr std::array<double, N> powersOf(double x, const std::array<double, N>& y) {
    using namespace detail;
    std::array<double, N> p{};
    const std::uint64_t ix = bitsOf(x);
    if (!isCommonBase(ix)) {
        for (std::size_t i = 0; i < N; ++i)
            p[i] = pow(x, y[i]);
        return p;
    }
    const Pair l = logOfBase(ix, 0);
    std::size_t i = 0;
    if (!std::is_constant_evaluated()) {
        const PairOf<Doubles2> ls = {Doubles2{l.hi, l.hi}, Doubles2{l.lo, l.lo}};
        for (; i + 1 < N && isCommonExponent(y[i]) && isCommonExponent(y[i + 1]); i += 2) {
            const Doubles2 two = powsOfLogs(ls, Doubles2{y[i], y[i + 1]});
            p[i] = two[0];
            p[i + 1] = two[1];
        }
    }
    for (; i < N; ++i)
        p[i] = isCommonExponent(y[i]) ? powOfLog(l, y[i]) : pow(x, y[i]);
    return p;
}

// x[i]^y[i] for a few independent powers, the same bits as pow(x[i], y[i]) of each, two at a
// time side by side where both bases are positive, normal and finite and both exponents are
// in pow's common range.
template <std::size_t N>
std::array<double, N> powEach(const std::array<double, N>& x, const std::array<double, N>& y) {
    using namespace detail;
    std::array<double, N> p;
    std::size_t i = 0;
    for (; i + 1 < N; i += 2) {
        const Words2 ix = {bitsOf(x[i]), bitsOf(x[i + 1])};
        if (isCommonBase(ix[0]) && isCommonBase(ix[1]) && isCommonExponent(y[i]) &&
            isCommonExponent(y[i + 1])) {
            const Doubles2 two = powsOfLogs(logOfBases(ix), Doubles2{y[i], y[i + 1]});
            p[i] = two[0];
            p[i + 1] = two[1];
        } else {
            p[i] = pow(x[i], y[i]);
            p[i + 1] = pow(x[i + 1], y[i + 1]);
        }
    }
    for (; i < N; ++i)
        p[i] = pow(x[i], y[i]);
    return p;
}

inline double cos(double x) {
    using namespace detail;
    const std::uint64_t ia = bitsOf(x) & ~SIGN_BIT;
    const double ax = fromBits(ia);
    if (ia >= EXPONENT_BITS)
        return x - x;          // NaN for inf and NaN
    if (ia < COS_IS_ONE_BELOW) // |x| < 2^-27: cos x rounds to 1
        return 1;
    if (ia <= PI_OVER_4_BITS)
        return cosKernel(ax, 0.0);
    const Reduced q = ax < MEDIUM_REDUCTION_LIMIT ? reduceMedium(ax) : reduceLarge(ax);
    switch (q.n & 3) {
    case 0:
        return cosKernel(q.r.hi, q.r.lo);
    case 1:
        return -sinKernel(q.r.hi, q.r.lo);
    case 2:
        return -cosKernel(q.r.hi, q.r.lo);
    default:
        return sinKernel(q.r.hi, q.r.lo);
    }
}

inline double asin(double x) {
    using namespace detail;
    const std::uint64_t ia = bitsOf(x) & ~SIGN_BIT;
    const double ax = fromBits(ia);
    if (!(ax <= 1))
        return x != x ? x + x : NOT_A_NUMBER;
    if (ia < 0x3e50000000000000ULL) // |x| < 2^-26: asin x rounds to x
        return x;
    if (ax <= 0.5)
        return x + asinSeries(x, x * x);
    const HalfAngle h = halfAngle(ax);
    const Pair d = fastTwoSum(PIO2_HI, -h.twoS); // 2 s <= 1
    const double r = d.hi + ((d.lo + PIO2_LO) - h.rest);
    return x < 0 ? -r : r;
}

inline double acos(double x) {
    using namespace detail;
    const double ax = fromBits(bitsOf(x) & ~SIGN_BIT);
    if (!(ax <= 1))
        return x != x ? x + x : NOT_A_NUMBER;
    if (ax <= 0.5) {
        const Pair d = fastTwoSum(PIO2_HI, -x);
        return d.hi + ((d.lo + PIO2_LO) - asinSeries(x, x * x));
    }
    const HalfAngle h = halfAngle(ax);
    if (x > 0)
        return h.twoS + h.rest;
    const Pair d = fastTwoSum(PI_HI, -h.twoS);
    return d.hi + ((d.lo + PI_LO) - h.rest);
}

namespace detail {
// cos()'s common arguments, 2^-27 <= |x| < 2^19: a kernel after reduceMedium, or none.
inline bool isOrdinaryCosine(std::uint64_t ia) {
    return ia - COS_IS_ONE_BELOW < bitsOf(MEDIUM_REDUCTION_LIMIT) - COS_IS_ONE_BELOW;
}
// cos()'s reduction of an ordinary x: none at |x| <= pi/4, where cos() takes the kernel of
// |x| itself, reduceMedium's beyond.
inline Reduced reduceOrdinaryCosine(double x) {
    const double ax = fromBits(bitsOf(x) & ~SIGN_BIT);
    if (bitsOf(ax) <= PI_OVER_4_BITS)
        return {0, {ax, 0.0}};
    return reduceMedium(ax);
}
// cos() of each: cosOfThree's way out of its common path (which is faster with this out of
// line) and its whole work where two lanes save no step.
[[gnu::noinline]] inline std::array<double, 3> cosOfEach(const std::array<double, 3>& x) {
    return {cos(x[0]), cos(x[1]), cos(x[2])};
}
} // namespace detail

// cos of three angles, the same bits as cos() of each, in fewer steps where all three are
// ordinary (2^-27 <= |x| < 2^19), as the cubic roots' angles are: each is reduced as cos()
// reduces it, and of any three quadrants two need the same kernel (sine or cosine), which
// then runs once for both, side by side. A target without pairs of doubles in its vector
// registers (WebAssembly without SIMD) would take each lane's steps apart anyway, so there
// it is cos() of each, in a third of the code.
inline std::array<double, 3> cosOfThree(const std::array<double, 3>& x) {
    using namespace detail;
    if constexpr (!HAS_DOUBLE_PAIRS)
        return cosOfEach(x);
    for (const double xi : x)
        if (!isOrdinaryCosine(bitsOf(xi) & ~SIGN_BIT))
            return cosOfEach(x);
    const Reduced a = reduceOrdinaryCosine(x[0]), b = reduceOrdinaryCosine(x[1]),
                  c = reduceOrdinaryCosine(x[2]);
    // Quadrants 1 and 3 need the sine kernel, 0 and 2 the cosine kernel.
    const bool sa = a.n & 1, sb = b.n & 1, sc = c.n & 1;
    const auto two = [](bool sine, const Pair& u, const Pair& v) {
        const Doubles2 hi = {u.hi, v.hi}, lo = {u.lo, v.lo};
        return sine ? sinKernel(hi, lo) : cosKernel(hi, lo);
    };
    const auto one = [](bool sine, const Pair& u) {
        return sine ? sinKernel(u.hi, u.lo) : cosKernel(u.hi, u.lo);
    };
    std::array<double, 3> y;
    if (sa == sb) {
        const Doubles2 ab = two(sa, a.r, b.r);
        y = {ab[0], ab[1], one(sc, c.r)};
    } else if (sa == sc) {
        const Doubles2 ac = two(sa, a.r, c.r);
        y = {ac[0], one(sb, b.r), ac[1]};
    } else {
        const Doubles2 bc = two(sb, b.r, c.r);
        y = {one(sa, a.r), bc[0], bc[1]};
    }
    // quadrant 0: cos, 1: -sin, 2: -cos, 3: sin (a negation, which is exact)
    const std::int64_t quadrant[3] = {a.n & 3, b.n & 3, c.n & 3};
    for (std::size_t i = 0; i < 3; ++i)
        if (quadrant[i] == 1 || quadrant[i] == 2)
            y[i] = -y[i];
    return y;
}

#endif

} // namespace portable
