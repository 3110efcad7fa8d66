#include "pktools/simplex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace pktools;
using Point = std::vector<double>;

TEST(SimplexSearch, FindsKnownMinimaWithAKnownAmountOfWork) {
    // A narrow curved valley (Rosenbrock), minimum 0 at (1, 1).
    auto rosenbrock = [](const Point& x) {
        return 100 * (x[1] - x[0] * x[0]) * (x[1] - x[0] * x[0]) + (1 - x[0]) * (1 - x[0]);
    };
    const SimplexResult valley = simplexSearch(rosenbrock, {-1.2, 1}, 0.1, 1e-10);
    ASSERT_TRUE(valley.converged);
    EXPECT_NEAR(valley.x[0], 1, 1e-8);
    EXPECT_NEAR(valley.x[1], 1, 1e-8);
    EXPECT_LT(valley.fmin, 1e-16);
    EXPECT_GE(valley.restarts, 1);
    EXPECT_LT(valley.evaluations, 2000);

    // A tilted quadratic bowl in seven dimensions, as many as the etas of a fit.
    const Point centre = {0.3, -0.2, 0.1, 0.5, -0.4, 0.25, -0.15};
    auto bowl = [&](const Point& x) {
        double sum = 0;
        for (std::size_t k = 0; k < 7; ++k) {
            const double d = x[k] - centre[k] + (k > 0 ? 0.5 * (x[k - 1] - centre[k - 1]) : 0);
            sum += (k + 1) * d * d;
        }
        return sum;
    };
    const SimplexResult seven = simplexSearch(bowl, Point(7, 0.0), 0.1, 1e-10);
    ASSERT_TRUE(seven.converged);
    for (std::size_t k = 0; k < 7; ++k)
        EXPECT_NEAR(seven.x[k], centre[k], 1e-8) << k;
    EXPECT_LT(seven.evaluations, 20000);
    EXPECT_EQ(seven.evaluations, simplexSearch(bowl, Point(7, 0.0), 0.1, 1e-10).evaluations);
}

TEST(SimplexSearch, TreatsNonFiniteValuesAsWorstAndReturnsOnAnUnboundedObjective) {
    // Undefined left of 0.5: the search stays in the defined part.
    auto halfDefined = [](const Point& x) {
        return x[0] < 0.5 ? std::nan("") : (x[0] - 2) * (x[0] - 2);
    };
    const SimplexResult defined = simplexSearch(halfDefined, {1}, 0.1, 1e-12);
    EXPECT_TRUE(defined.converged);
    EXPECT_NEAR(defined.x[0], 2, 1e-10);

    // Falls for ever: the search returns within its bound on the iterations, at a point far
    // out.
    auto falling = [](const Point& x) { return -x[0] - x[1]; };
    const SimplexResult unbounded = simplexSearch(falling, {0, 0}, 1, 1e-10);
    EXPECT_LE(unbounded.iterations, SIMPLEX_MAX_ITERATIONS * (SIMPLEX_MAX_RESTARTS + 1));
    EXPECT_GT(unbounded.x[0] + unbounded.x[1], 1e300);
}
