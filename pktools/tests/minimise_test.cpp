#include "pktools/minimise.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace pktools;

namespace {

// Counts the evaluations of an objective.
template <class F> struct Counted {
    F f;
    int calls = 0;
    double operator()(double x) {
        ++calls;
        return f(x);
    }
};
template <class F> Counted(F) -> Counted<F>;

} // namespace

TEST(BracketMinimum, BracketsAMinimumWalkingDownhillFromEitherSide) {
    auto parabola = [](double x) { return (x - 7) * (x - 7); };
    for (auto [a0, b0] : {std::pair{0.0, 1.0}, std::pair{1.0, 0.0}, std::pair{20.0, 19.0}}) {
        double a = a0, b = b0, c = 0, fa, fb, fc;
        ASSERT_TRUE(bracketMinimum(a, b, c, fa, fb, fc, parabola));
        EXPECT_LE(fb, fa);
        EXPECT_LE(fb, fc);
        EXPECT_GT((7 - std::fmin(a, c)) * (std::fmax(a, c) - 7), 0) << a << " " << b << " " << c;
        EXPECT_EQ(fa, parabola(a));
        EXPECT_EQ(fb, parabola(b));
        EXPECT_EQ(fc, parabola(c));
    }
}

TEST(BracketMinimum, ReturnsPromptlyOnNaNAndUnboundedObjectives) {
    double a = 0, b = 1, c = 0, fa, fb, fc;
    Counted nan{[](double) { return std::numeric_limits<double>::quiet_NaN(); }};
    bracketMinimum(a, b, c, fa, fb, fc, nan);
    EXPECT_EQ(nan.calls, 3);

    // Falls for ever: the abscissae overflow, or the step bound ends the walk.
    a = 0, b = 1;
    Counted falling{[](double x) { return -x; }};
    EXPECT_FALSE(bracketMinimum(a, b, c, fa, fb, fc, falling));
    EXPECT_LT(falling.calls, 3 * BRACKET_MAX_STEPS);

    // Falls towards an asymptote without ever turning: only the bound ends it.
    a = 0, b = 1;
    Counted asymptote{[](double x) { return 1 / (1 + std::fabs(x)); }};
    EXPECT_FALSE(bracketMinimum(a, b, c, fa, fb, fc, asymptote));
    EXPECT_LT(asymptote.calls, 3 * BRACKET_MAX_STEPS + 3);
}

TEST(BrentMinimize, FindsKnownMinimaWithAFixedNumberOfEvaluations) {
    struct Case {
        const char* name;
        double (*f)(double);
        double ax, bx, cx, xmin, fmin;
        int evaluations;
    };
    const Case cases[] = {
        {"parabola", [](double x) { return (x - 2) * (x - 2) + 1; }, 0, 1, 5, 2, 1, 6},
        {"cosine", [](double x) { return std::cos(x); }, 2, 3, 5, M_PI, -1, 9},
        {"quartic", [](double x) { return std::pow(x - 1, 4); }, -3, 0, 4, 1, 0, 16},
        {"kink", [](double x) { return std::fabs(x - 0.3); }, -1, 0, 2, 0.3, 0, 26},
    };
    for (const Case& k : cases) {
        Counted f{k.f};
        double xmin = -99;
        const double fmin = brentMinimize(k.ax, k.bx, k.cx, f, 1e-8, xmin);
        EXPECT_NEAR(xmin, k.xmin, k.name[0] == 'q' ? 1e-2 : 1e-6) << k.name;
        EXPECT_NEAR(fmin, k.fmin, 1e-9) << k.name;
        EXPECT_EQ(fmin, k.f(xmin)) << k.name;
        EXPECT_EQ(f.calls, k.evaluations) << k.name;
    }
}

TEST(BrentMinimize, FailsAfterOneHundredIterationsLeavingTheAbscissa) {
    // A tolerance no double can meet: the search never converges.
    Counted f{[](double x) { return (x - 2) * (x - 2); }};
    double xmin = 42;
    EXPECT_EQ(brentMinimize(0.0, 1.0, 5.0, f, -1.0, xmin), 0);
    EXPECT_EQ(xmin, 42);
    EXPECT_EQ(f.calls, 1 + BRENT_MAX_ITERATIONS);

    const BrentResult r = brentSearch(0.0, 1.0, 5.0, f, -1.0);
    EXPECT_FALSE(r.converged);
    EXPECT_EQ(r.iterations, BRENT_MAX_ITERATIONS);
}
