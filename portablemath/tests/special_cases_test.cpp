// The special cases of the portable functions as C defines them, exact results that a
// half-ulp function must hit, and the edges of the ranges. (The error in ulp over whole
// domains is measured against MPFR by accuracy.cpp.)

#include "portablemath/math.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

constexpr double INF = std::numeric_limits<double>::infinity();
constexpr double NAN_ = std::numeric_limits<double>::quiet_NaN();
constexpr double MIN_SUBNORMAL = 0x1p-1074;

// Equal bit patterns: tells 0 from -0; any NaN equals any NaN.
::testing::AssertionResult sameBits(double expected, double actual) {
    if ((expected != expected && actual != actual) ||
        std::bit_cast<std::uint64_t>(expected) == std::bit_cast<std::uint64_t>(actual))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "expected " << std::hexfloat << expected << ", got " << actual;
}

struct Case1 {
    double x, expected;
};
struct Case2 {
    double x, y, expected;
};

TEST(PortableExp, SpecialCasesAndRangeEdges) {
    const Case1 cases[] = {
        {0.0, 1.0},
        {-0.0, 1.0},
        {INF, INF},
        {-INF, 0.0},
        {NAN_, NAN_},
        {1e-300, 1.0},
        {-0x1p-55, 1.0},
        {1.0, 0x1.5bf0a8b145769p+1},                     // e
        {0x1.62e42fefa39efp+9, 0x1.fffffffffff2ap+1023}, // just below the largest double
        {709.79, INF},                                   // overflow
        {800, INF},
        {-708.5, 0x0.e6cf6d08897acp-1022},   // subnormal
        {-745.1332191019411, MIN_SUBNORMAL}, // the smallest subnormal
        {-745.14, 0.0},                      // underflow
        {-1000, 0.0},
    };
    for (const Case1& c : cases)
        EXPECT_TRUE(sameBits(c.expected, portable::exp(c.x))) << "exp(" << c.x << ")";
}

TEST(PortableExp, OfEachArgumentIsExpOfIt) {
    // Ordinary arguments of every size and sign, one at a time, three at once (a pair side by
    // side and one alone) and four (two pairs), and arrays
    // where one argument is an edge case (tiny, huge, NaN, inf, the ordinary range's ends).
    std::uint64_t state = 0x9e3779b97f4a7c15ULL;
    auto next = [&] { // random bits, exponents 2^-60 to 2^13, ordinary or not
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const std::uint64_t exponent = 0x3c3 + (state >> 33) % 0x4a;
        return std::bit_cast<double>((state & 0x800fffffffffffffULL) | exponent << 52);
    };
    for (int i = 0; i < 100000; ++i) {
        const std::array<double, 4> x = {next(), next(), next(), next()};
        const std::array<double, 4> y = portable::expEach(x);
        const std::array<double, 1> one = portable::expEach(std::array<double, 1>{x[0]});
        const std::array<double, 3> three =
            portable::expEach(std::array<double, 3>{x[3], x[2], x[1]});
        for (std::size_t k = 0; k < 4; ++k)
            ASSERT_TRUE(sameBits(portable::exp(x[k]), y[k])) << std::hexfloat << x[k];
        for (std::size_t k = 0; k < 3; ++k)
            ASSERT_TRUE(sameBits(portable::exp(x[3 - k]), three[k])) << std::hexfloat << x[3 - k];
        ASSERT_TRUE(sameBits(portable::exp(x[0]), one[0])) << std::hexfloat << x[0];
    }
    const double edges[] = {0.0,    -0.0,         0x1p-54, -0x1p-54, 0x1.fffffffffffffp-55,
                            511.99, -511.99,      512,     -512,     709.78,
                            710,    -745.1,       -746,    INF,      -INF,
                            NAN_,   MIN_SUBNORMAL};
    for (double edge : edges) {
        const std::array<double, 3> y = portable::expEach(std::array<double, 3>{-0.25, edge, 3});
        EXPECT_TRUE(sameBits(portable::exp(-0.25), y[0])) << std::hexfloat << edge;
        EXPECT_TRUE(sameBits(portable::exp(edge), y[1])) << std::hexfloat << edge;
        EXPECT_TRUE(sameBits(portable::exp(3), y[2])) << std::hexfloat << edge;
    }
}

TEST(PortableMath, AtCompileTimeAsAtRunTime) {
    // A routine's constants are computed by the compiler: the same bits as the machine's.
    constexpr double atCompileTime[] = {portable::exp(1.24634),         portable::exp(-745.1),
                                        portable::log(0.6875),          portable::log(0x1p-1070),
                                        portable::pow(77 / 70.0, 0.75), portable::pow(-2, -3),
                                        portable::pow(0.39, -12.7)};
    volatile double e1 = 1.24634, e2 = -745.1, l1 = 0.6875, l2 = 0x1p-1070, b1 = 77 / 70.0, b2 = -2,
                    b3 = 0.39;
    const double atRunTime[] = {
        portable::exp(e1),       portable::exp(e2),     portable::log(l1),       portable::log(l2),
        portable::pow(b1, 0.75), portable::pow(b2, -3), portable::pow(b3, -12.7)};
    for (std::size_t i = 0; i < std::size(atRunTime); ++i)
        EXPECT_TRUE(sameBits(atRunTime[i], atCompileTime[i])) << i;
}

TEST(PortableLog, SpecialCasesAndEdges) {
    const Case1 cases[] = {
        {1.0, 0.0},
        {0.0, -INF},
        {-0.0, -INF},
        {-1.0, NAN_},
        {-INF, NAN_},
        {INF, INF},
        {NAN_, NAN_},
        {2.0, 0x1.62e42fefa39efp-1},
        {0.5, -0x1.62e42fefa39efp-1},
        {MIN_SUBNORMAL, -0x1.74385446d71c3p+9},
        {std::numeric_limits<double>::max(), 0x1.62e42fefa39efp+9},
        {1 + 0x1p-52, 0x1.fffffffffffffp-53},
        {1 - 0x1p-53, -0x1.0000000000000p-53},
    };
    for (const Case1& c : cases)
        EXPECT_TRUE(sameBits(c.expected, portable::log(c.x))) << "log(" << c.x << ")";
}

TEST(PortablePow, CSpecialCases) {
    const Case2 cases[] = {
        {NAN_, 0.0, 1.0},  {NAN_, -0.0, 1.0},   {1.0, NAN_, 1.0},        {1.0, INF, 1.0},
        {-1.0, INF, 1.0},  {-1.0, -INF, 1.0},   {NAN_, 2.0, NAN_},       {2.0, NAN_, NAN_},
        {0.5, INF, 0.0},   {2.0, INF, INF},     {0.5, -INF, INF},        {2.0, -INF, 0.0},
        {-0.5, INF, 0.0},  {-2.0, -INF, 0.0},   {0.0, -3.0, INF},        {-0.0, -3.0, -INF},
        {-0.0, -2.0, INF}, {-0.0, -0.5, INF},   {0.0, 3.0, 0.0},         {-0.0, 3.0, -0.0},
        {-0.0, 2.0, 0.0},  {-0.0, 0.5, 0.0},    {0.0, -INF, INF},        {-0.0, INF, 0.0},
        {INF, -1.0, 0.0},  {INF, 0.5, INF},     {-INF, -3.0, -0.0},      {-INF, -2.0, 0.0},
        {-INF, 3.0, -INF}, {-INF, 2.0, INF},    {-INF, 0.5, INF},        {-8.0, 1.0 / 3, NAN_},
        {-2.0, 0.5, NAN_}, {-INF, -0.5, 0.0},   {-2.0, 3.0, -8.0},       {-2.0, -3.0, -0.125},
        {-2.0, 2.0, 4.0},  {-1.0, 0x1p53, 1.0}, {-1.0, 0x1p53 + 2, 1.0}, {-1.0, 0x1p52 + 1, -1.0},
    };
    for (const Case2& c : cases)
        EXPECT_TRUE(sameBits(c.expected, portable::pow(c.x, c.y)))
            << "pow(" << c.x << ", " << c.y << ")";
}

TEST(PortablePow, ExactResultsOverflowAndUnderflow) {
    const Case2 cases[] = {
        {2.0, 10.0, 1024.0},
        {9.0, 0.5, 3.0},
        {1.5, 2.0, 2.25},
        {0.5, 3.0, 0.125},
        {16.0, 0.25, 2.0},
        {1e4, 0.75, 1000.0},
        {10.0, -2.0, 0.01},
        {3.0, 1.0, 3.0},
        {0.7, 1.0, 0.7},
        {2.0, 1024.0, INF},
        {2.0, -1074.0, MIN_SUBNORMAL},
        {2.0, -1075.0, 0.0}, // the tie rounds to even
        {-2.0, -1075.0, -0.0},
        {-2.0, 1025.0, -INF},
        {10.0, 400.0, INF},
        {0.1, 400.0, 0.0},
        {1 + 0x1p-52, 1e300, INF},
        {MIN_SUBNORMAL, 0.5, 0x1p-537},
        {MIN_SUBNORMAL, -1.0, INF},
        // Beside the bounds of the common arguments: |y| of 2^-64 to 2^64, x normal.
        {2.0, 0x1.fffffffffffffp63, INF},
        {2.0, 0x1p64, INF},
        {0.5, 0x1.fffffffffffffp63, 0.0},
        {0.5, 0x1p64, 0.0},
        {-2.0, 0x1p64, INF},
        {1 - 0x1p-53, -0x1p64, INF},
        {1.0, 0x1p70, 1.0},
        {2.0, 0x1p-64, 1.0},
        {2.0, 0x1p-65, 1.0},
        {0x1p-1022, 0.5, 0x1p-511},
        {0x1p-1022, -1.0, 0x1p1022},
        {0x1p-1060, 0.5, 0x1p-530},
        {0x1p1022, 0.5, 0x1p511},
        {0x1.fffffffffffffp1023, 1.0, 0x1.fffffffffffffp1023},
    };
    for (const Case2& c : cases)
        EXPECT_TRUE(sameBits(c.expected, portable::pow(c.x, c.y)))
            << "pow(" << c.x << ", " << c.y << ")";
}

// powersOf shares log x between the powers of one base: each must keep pow's bits, for
// ordinary bases and exponents and wherever either leaves pow's common path (a base that is
// 0, negative, subnormal, inf or NaN; an exponent of 0, beside 2^-64 or 2^64, inf or NaN;
// results that overflow, underflow or end subnormal).
TEST(PortablePow, PowersOfOneBaseArePowOfEach) {
    const double bases[] = {1.0,
                            0.7,
                            1.0625,
                            77.0 / 70,
                            1 - 0x1p-53,
                            3854.4,
                            0x1p-1022,
                            0x1p-1060,
                            1e-310,
                            0.0,
                            -0.0,
                            -2.0,
                            -0.5,
                            INF,
                            -INF,
                            NAN_,
                            0x1.fffffffffffffp1023};
    const std::array<double, 8> powers = {0.75, -0.25, 0.348803, 8.0, 3.0, -85.65, 0.5, 170.0};
    const std::array<double, 8> edges = {0.0,    -0.0, 0x1p-64, 0x1p-65, 0x1.fffffffffffffp63,
                                         0x1p64, INF,  NAN_};
    for (double x : bases)
        for (const std::array<double, 8>& y : {powers, edges}) {
            const std::array<double, 8> p = portable::powersOf(x, y);
            for (std::size_t i = 0; i < y.size(); ++i)
                EXPECT_TRUE(sameBits(portable::pow(x, y[i]), p[i]))
                    << "powersOf(" << x << ", " << y[i] << ")";
        }
    static_assert(portable::powersOf<2>(2.0, {10.0, -1.0})[0] == 1024.0);
}

// powEach takes its powers two at a time side by side: each must keep pow's bits whichever
// lane leaves the common path (its base, its exponent, or y log x beyond the scaling in one
// step, overflowing or ending subnormal), the other lane's too, and the last of an odd count.
TEST(PortablePow, PowEachIsPowOfEach) {
    const double bases[] = {1.0,  0.7,  77.0, 1 - 0x1p-53, 3854.4,  0x1p-1022, 1e-310,    0.0,
                            -2.0, -0.5, INF,  NAN_,        36.7692, 0x1p1023,  0x1p-1000, 2.0};
    const double powers[] = {0.75,    -0.25,   2.75498, 8.0, -85.65, 170.0, 1023.0,
                             -1060.0, 0x1p-65, 0x1p64,  0.0, INF,    NAN_};
    for (double x0 : bases)
        for (double x1 : bases)
            for (double y0 : powers)
                for (double y1 : powers) {
                    const std::array<double, 3> p =
                        portable::powEach<3>({x0, x1, x1}, {y0, y1, y0});
                    EXPECT_TRUE(sameBits(portable::pow(x0, y0), p[0]))
                        << "powEach: pow(" << x0 << ", " << y0 << ") beside pow(" << x1 << ", "
                        << y1 << ")";
                    EXPECT_TRUE(sameBits(portable::pow(x1, y1), p[1]))
                        << "powEach: pow(" << x1 << ", " << y1 << ") beside pow(" << x0 << ", "
                        << y0 << ")";
                    EXPECT_TRUE(sameBits(portable::pow(x1, y0), p[2]))
                        << "powEach: pow(" << x1 << ", " << y0 << ") last";
                }
}

// Each lane of powEach and of powersOf's pairs has pow's bits over every interval of log's
// table and of exp's: bases from 2^-1000 to 2^1000 and powers whose y log x spans the range
// scaled in one step and beyond its lower end, from a fixed sequence of random bits.
TEST(PortablePow, PairedLanesArePowOverTheTables) {
    std::uint64_t state = 0x9e3779b97f4a7c15ULL;
    auto next = [&state] { // a 64-bit linear congruential sequence
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return state;
    };
    auto baseOf = [](std::uint64_t bits) { // exponent from -1000 to 999, any significand
        return std::bit_cast<double>((((bits >> 52) % 2000 + 23) << 52) |
                                     (bits & 0x000fffffffffffffULL));
    };
    int mismatches = 0;
    for (int n = 0; n < 200000; ++n) {
        const double x0 = baseOf(next()), x1 = baseOf(next());
        // y = u / log2 x, u uniform in [-1000, 1000): y log x from -693 to 693, in and below
        // the range scaled in one step.
        const double u0 = static_cast<double>(next() >> 11) * 0x1p-53 * 2000 - 1000;
        const double u1 = static_cast<double>(next() >> 11) * 0x1p-53 * 2000 - 1000;
        const double y0 = u0 / std::log2(x0), y1 = u1 / std::log2(x1);
        const std::array<double, 2> p = portable::powEach<2>({x0, x1}, {y0, y1});
        const std::array<double, 2> q = portable::powersOf<2>(x0, {y0, y1});
        const bool same =
            sameBits(portable::pow(x0, y0), p[0]) && sameBits(portable::pow(x1, y1), p[1]) &&
            sameBits(portable::pow(x0, y0), q[0]) && sameBits(portable::pow(x0, y1), q[1]);
        if (!same && ++mismatches <= 5)
            ADD_FAILURE() << std::hexfloat << "pow(" << x0 << ", " << y0 << "), pow(" << x1 << ", "
                          << y1 << "), pow(" << x0 << ", " << y1 << ")";
    }
    EXPECT_EQ(mismatches, 0);
}

// pow scales its result by 2^k in one step when y log x lies between -664 and 709, and
// otherwise as exp does: exact powers of two on either side of both bounds, through integer
// and fractional powers, of large and small bases.
TEST(PortablePow, ExactPowersWhereTheScalingChangesMethod) {
    const Case2 cases[] = {
        {2.0, -957.0, 0x1p-957},          {2.0, -958.0, 0x1p-958},
        {4.0, -479.5, 0x1p-959},          {0x1p-512, 1.87109375, 0x1p-958},
        {0x1p-512, 1.875, 0x1p-960},      {0.5, 1000.0, 0x1p-1000},
        {2.0, -1022.0, 0x1p-1022},        {2.0, -1060.0, 0x1p-1060},
        {2.0, 1022.0, 0x1p1022},          {2.0, 1023.0, 0x1p1023},
        {8.0, 341.0, 0x1p1023},           {0.125, -341.0, 0x1p1023},
        {0x1p512, 1.998046875, 0x1p1023}, {0x1p-1056, -0.96875, 0x1p1023},
        {-2.0, 1023.0, -0x1p1023},        {-0.5, 957.0, -0x1p-957},
    };
    for (const Case2& c : cases)
        EXPECT_TRUE(sameBits(c.expected, portable::pow(c.x, c.y)))
            << "pow(" << c.x << ", " << c.y << ")";
}

TEST(PortableTrigonometry, SpecialCasesAndExactAngles) {
    const double PI = 0x1.921fb54442d18p+1;
    const Case1 cosines[] = {
        {0.0, 1.0},
        {-0.0, 1.0},
        {1e-10, 1.0},
        {INF, NAN_},
        {-INF, NAN_},
        {NAN_, NAN_},
        {PI, -1.0},
        {-PI, -1.0},
        {2 * PI, 1.0},
        {PI / 2, 0x1.1a62633145c07p-54},
        {1e22, 0x1.0be2cef01c8f4p-1}, // a reduction by the bits of 2/pi
    };
    for (const Case1& c : cosines)
        EXPECT_TRUE(sameBits(c.expected, portable::cos(c.x))) << "cos(" << c.x << ")";
    const Case1 arccosines[] = {
        {1.0, 0.0},
        {-1.0, PI},
        {0.0, PI / 2},
        {-0.0, PI / 2},
        {0.5, 0x1.0c152382d7366p+0},
        {-0.5, 0x1.0c152382d7366p+1},
        {1 + 0x1p-52, NAN_},
        {-1.5, NAN_},
        {INF, NAN_},
        {NAN_, NAN_},
    };
    for (const Case1& c : arccosines)
        EXPECT_TRUE(sameBits(c.expected, portable::acos(c.x))) << "acos(" << c.x << ")";
    const Case1 arcsines[] = {
        {0.0, 0.0},     {-0.0, -0.0}, {1.0, PI / 2}, {-1.0, -PI / 2}, {0.5, 0x1.0c152382d7366p-1},
        {1e-20, 1e-20}, {2.0, NAN_},  {-INF, NAN_},  {NAN_, NAN_},
    };
    for (const Case1& c : arcsines)
        EXPECT_TRUE(sameBits(c.expected, portable::asin(c.x))) << "asin(" << c.x << ")";
    EXPECT_TRUE(sameBits(portable::asin(1), portable::HALF_PI)); // the constant angles' pi/2
}

// cosOfThree takes two of its angles side by side: each must keep cos's bits whichever two
// share a kernel, and when any angle leaves the common path (tiny, at or beyond 2^19, inf,
// NaN), at pi/4 where the reduction begins and beside the quadrants' edges.
TEST(PortableTrigonometry, CosOfThreeIsCosOfEach) {
    const double pio4 = std::bit_cast<double>(0x3fe921fb54442d18ULL);
    const double tiny = 0x1p-27, belowTiny = std::nextafter(tiny, 0.0);
    const double abovePio4 = std::nextafter(pio4, 1.0);
    const double large = 0x1p19, belowLarge = std::nextafter(large, 0.0);
    std::vector<double> angles = {0.0,   -0.0,       1e-300, tiny, belowTiny, pio4,
                                  -pio4, abovePio4,  1.0,    2.5,  -4.0,      5.5,
                                  large, belowLarge, 1e6,    INF,  NAN_,      3.14159};
    for (int k = 1; k < 16; k += 2) // the quadrants' edges, odd multiples of pi/4
        for (double step : {-2.0, -1.0, 0.0, 1.0, 2.0})
            angles.push_back(k * pio4 + step * 0x1p-50);
    auto check = [](double x0, double x1, double x2) {
        const std::array<double, 3> c = portable::cosOfThree({x0, x1, x2});
        return sameBits(portable::cos(x0), c[0]) && sameBits(portable::cos(x1), c[1]) &&
               sameBits(portable::cos(x2), c[2]);
    };
    for (double x0 : angles)
        for (double x1 : angles)
            for (double x2 : angles)
                EXPECT_TRUE(check(x0, x1, x2)) << std::hexfloat << x0 << ", " << x1 << ", " << x2;
    // The cubic roots' angles phi/3 + 2 pi k/3 and random ones in [-8, 8].
    std::uint64_t state = 0x2545f4914f6cdd1dULL;
    auto uniform = [&state](double a, double b) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return a + (b - a) * (static_cast<double>(state >> 11) * 0x1p-53);
    };
    int mismatches = 0;
    for (int n = 0; n < 100000; ++n) {
        const double t = uniform(0, pio4 * 4 / 3); // phi/3 in [0, pi/3]
        const double third = pio4 * 8 / 3;         // 2 pi/3
        const bool roots = check(t, third + t, 2 * third + t);
        const double x0 = uniform(-8, 8), x1 = uniform(-8, 8), x2 = uniform(-8, 8);
        if (!(roots && check(x0, x1, x2)) && ++mismatches <= 5)
            ADD_FAILURE() << std::hexfloat << t << "; " << x0 << ", " << x1 << ", " << x2;
    }
    EXPECT_EQ(mismatches, 0);
}

// The identities the cubic roots use: cos(acos x) returns x within rounding over [-1, 1].
TEST(PortableTrigonometry, CosineOfArccosineReturnsTheArgument) {
    for (int i = -1000; i <= 1000; ++i) {
        const double x = i / 1000.0;
        EXPECT_NEAR(portable::cos(portable::acos(x)), x, 4e-16) << x;
        EXPECT_NEAR(portable::asin(x) + portable::acos(x), 0x1.921fb54442d18p+0, 1e-15) << x;
    }
}

} // namespace
