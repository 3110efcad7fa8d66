#pragma once

// A minimum search in several dimensions without derivatives: the simplex method of Nelder
// and Mead (Computer Journal 1965), in the form of Lagarias et al. (SIAM J Optim 1998), with
// restarts. The Bayesian fit of up to seven etas uses it.
//
// The objective is any callable double(const std::vector<double>&) that carries its own
// context (a lambda capturing the fit's data); a value that is not a finite number counts as
// +infinity, worse than any other. Nothing is kept between calls.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <type_traits>
#include <vector>

namespace pktools {

// The coefficients of the four moves: reflection through the centroid of the better
// vertices, expansion beyond it, contraction towards the centroid and shrinking towards the
// best vertex.
inline constexpr double SIMPLEX_REFLECTION = 1;
inline constexpr double SIMPLEX_EXPANSION = 2;
inline constexpr double SIMPLEX_CONTRACTION = 0.5;
inline constexpr double SIMPLEX_SHRINK = 0.5;
// The iterations one run may take: enough for seven dimensions at a tolerance of 1e-10 many
// times over, and a bound on an objective the simplex cannot settle on.
inline constexpr int SIMPLEX_MAX_ITERATIONS = 20000;
// A converged run is restarted from its best vertex with a fresh simplex (a simplex can
// collapse onto a line that misses the minimum); the search ends when a restart no longer
// lowers the value by more than SIMPLEX_RESTART_GAIN of it, after at most SIMPLEX_MAX_RESTARTS.
inline constexpr int SIMPLEX_MAX_RESTARTS = 10;
inline constexpr double SIMPLEX_RESTART_GAIN = 1e-13;

// What the search found: the best point and value, whether it converged, and its work.
struct SimplexResult {
    std::vector<double> x;
    double fmin;
    bool converged;
    int iterations;  // over all runs
    int evaluations; // of the objective
    int restarts;
};

namespace detail {

// The objective with every value that is not a finite number as +infinity, counted.
template <class Objective> struct CountedObjective {
    Objective& f;
    int evaluations = 0;
    double operator()(const std::vector<double>& x) {
        ++evaluations;
        const double value = f(x);
        return std::isfinite(value) ? value : std::numeric_limits<double>::infinity();
    }
};

// One run from the simplex made of start and start + step along each axis. Converged when
// every vertex lies within tolerance of the best one in every coordinate.
template <class Objective>
bool simplexRun(CountedObjective<Objective>& f, std::vector<double>& best, double& fbest,
                double step, double tolerance, int& iterations) {
    const std::size_t n = best.size();
    std::vector<std::vector<double>> x(n + 1, best);
    std::vector<double> fx(n + 1);
    fx[0] = fbest;
    for (std::size_t i = 1; i <= n; ++i) {
        x[i][i - 1] += step;
        fx[i] = f(x[i]);
    }
    std::vector<std::size_t> order(n + 1);
    std::vector<double> centroid(n), trial(n), other(n);
    // c + coefficient (towards - c), into out.
    auto along = [&](const std::vector<double>& towards, double coefficient,
                     std::vector<double>& out) {
        for (std::size_t k = 0; k < n; ++k)
            out[k] = centroid[k] + coefficient * (towards[k] - centroid[k]);
    };
    for (int iteration = 1; iteration <= SIMPLEX_MAX_ITERATIONS; ++iteration) {
        ++iterations;
        // The vertices from best to worst, equal values in vertex order: an insertion sort,
        // stable and short for the at most eight vertices.
        for (std::size_t i = 0; i <= n; ++i) {
            std::size_t j = i;
            for (; j > 0 && fx[i] < fx[order[j - 1]]; --j)
                order[j] = order[j - 1];
            order[j] = i;
        }
        const std::size_t lo = order[0], hi = order[n], nextHi = order[n - 1];

        double spread = 0;
        for (std::size_t i = 0; i <= n; ++i)
            for (std::size_t k = 0; k < n; ++k)
                spread = std::max(spread, std::fabs(x[i][k] - x[lo][k]));
        if (spread <= tolerance) {
            best = x[lo];
            fbest = fx[lo];
            return true;
        }

        for (std::size_t k = 0; k < n; ++k) {
            double sum = 0;
            for (std::size_t i = 0; i < n; ++i)
                sum += x[order[i]][k];
            centroid[k] = sum / static_cast<double>(n);
        }
        along(x[hi], -SIMPLEX_REFLECTION, trial);
        const double fr = f(trial);
        if (fr < fx[lo]) {
            along(x[hi], -SIMPLEX_REFLECTION * SIMPLEX_EXPANSION, other);
            const double fe = f(other);
            if (fe < fr) {
                x[hi] = other;
                fx[hi] = fe;
            } else {
                x[hi] = trial;
                fx[hi] = fr;
            }
            continue;
        }
        if (fr < fx[nextHi]) {
            x[hi] = trial;
            fx[hi] = fr;
            continue;
        }
        // Contract: outside towards the reflected point when it is better than the worst
        // vertex, else inside towards the worst vertex; shrink when that does not help.
        const bool outside = fr < fx[hi];
        along(x[hi], outside ? -SIMPLEX_REFLECTION * SIMPLEX_CONTRACTION : SIMPLEX_CONTRACTION,
              other);
        const double fc = f(other);
        if (outside ? fc <= fr : fc < fx[hi]) {
            x[hi] = other;
            fx[hi] = fc;
            continue;
        }
        for (std::size_t i = 0; i <= n; ++i) {
            if (i == lo)
                continue;
            for (std::size_t k = 0; k < n; ++k)
                x[i][k] = x[lo][k] + SIMPLEX_SHRINK * (x[i][k] - x[lo][k]);
            fx[i] = f(x[i]);
        }
    }
    const std::size_t lo =
        static_cast<std::size_t>(std::min_element(fx.begin(), fx.end()) - fx.begin());
    best = x[lo];
    fbest = fx[lo];
    return false;
}

} // namespace detail

// The minimum of f from start: simplex runs with initial edges of length step, each to the
// tolerance (in every coordinate), restarted as SIMPLEX_MAX_RESTARTS says.
template <class Objective>
SimplexResult simplexSearch(Objective&& f, std::vector<double> start, double step,
                            double tolerance) {
    detail::CountedObjective<std::remove_reference_t<Objective>> counted{f};
    SimplexResult result{std::move(start), 0, false, 0, 0, 0};
    result.fmin = counted(result.x);
    for (int run = 0; run <= SIMPLEX_MAX_RESTARTS; ++run) {
        const double before = result.fmin;
        if (!detail::simplexRun(counted, result.x, result.fmin, step, tolerance, result.iterations))
            break;
        result.restarts = run;
        if (run > 0 && !(result.fmin < before - SIMPLEX_RESTART_GAIN * std::fabs(before))) {
            result.converged = true;
            break;
        }
    }
    result.evaluations = counted.evaluations;
    return result;
}

} // namespace pktools
