#pragma once

// One-dimensional minimum searches shared by the decrement, effect-site TCI and
// peak-effect routines: a downhill golden-ratio bracketing and Brent's minimiser.
//
// The objective is any callable double(double) that carries its own context (a lambda
// capturing the search's data); nothing is kept between calls.

#include <cmath>

namespace pktools {

// The golden ratio by which the bracketing enlarges each step.
inline constexpr double BRACKET_GOLD = 1.618034;
// The largest parabolic step of the bracketing, in units of its last interval.
inline constexpr double BRACKET_GLIMIT = 100;
// Keeps the parabola's denominator away from zero.
inline constexpr double BRACKET_TINY = 1e-20;
// The bracketing stops after this many enlargements: every bracket of a sane objective
// is found within a few dozen, and an objective that keeps falling (or that is
// unbounded) must not hang the caller.
inline constexpr int BRACKET_MAX_STEPS = 1000;

// The golden-section fraction of Brent's method, 1 - 1/golden ratio.
inline constexpr double BRENT_CGOLD = 0.381966;
// The absolute part of Brent's tolerance, which matters near an abscissa of 0.
inline constexpr double BRENT_ZEPS = 1e-10;
inline constexpr int BRENT_MAX_ITERATIONS = 100;

namespace detail {
// |magnitude| with the sign of sign (positive when sign >= 0).
inline double withSignOf(double magnitude, double sign) {
    return sign >= 0 ? std::fabs(magnitude) : -std::fabs(magnitude);
}
} // namespace detail

// Starting from the abscissae a and b (the value passed in c is not read), walks
// downhill until a, b, c bracket a minimum of f (fb <= fa and fb <= fc); fa, fb and
// fc hold f at a, b and c. Returns true when the bracket was found; false when the
// search stopped without one: after BRACKET_MAX_STEPS enlargements, or when an
// abscissa stopped being finite. The six numbers then hold the last triple tried.
template <class Objective>
bool bracketMinimum(double& a, double& b, double& c, double& fa, double& fb, double& fc,
                    Objective&& f) {
    fa = f(a);
    fb = f(b);
    if (fb > fa) {
        std::swap(a, b);
        std::swap(fa, fb);
    }
    c = b + BRACKET_GOLD * (b - a);
    fc = f(c);
    for (int step = 0; fb > fc; ++step) {
        if (step == BRACKET_MAX_STEPS || !std::isfinite(c))
            return false;
        const double r = (b - a) * (fb - fc);
        const double q = (b - c) * (fb - fa);
        const double g = detail::withSignOf(std::fmax(std::fabs(q - r), BRACKET_TINY), q - r);
        double u = b - ((b - c) * q - (b - a) * r) / (2 * g);
        const double ulim = b + BRACKET_GLIMIT * (c - b);
        double fu;
        if ((b - u) * (u - c) > 0) {
            fu = f(u);
            if (fu < fc) {
                a = b;
                b = u;
                fa = fb;
                fb = fu;
                return true;
            }
            if (fu > fb) {
                c = u;
                fc = fu;
                return true;
            }
            u = c + BRACKET_GOLD * (c - b);
            fu = f(u);
        } else if ((c - u) * (u - ulim) > 0) {
            fu = f(u);
            if (fu < fc) {
                b = c;
                c = u;
                u = u + BRACKET_GOLD * (u - b);
                fb = fc;
                fc = fu;
                fu = f(u);
            }
        } else if ((u - ulim) * (ulim - c) >= 0) {
            u = ulim;
            fu = f(u);
        } else {
            u = c + BRACKET_GOLD * (c - b);
            fu = f(u);
        }
        a = b;
        b = c;
        c = u;
        fa = fb;
        fb = fc;
        fc = fu;
    }
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c);
}

// What Brent's search found: the best abscissa and value, and whether the tolerance
// was met within BRENT_MAX_ITERATIONS.
struct BrentResult {
    double xmin;
    double fmin;
    bool converged;
    int iterations;
};

// Brent's minimiser on the bracketing triple ax, bx, cx (bx between the others and the
// first estimate), to the relative tolerance tol, given fbx, the value of f at bx (as the
// bracketing leaves it in fb: f is a function, so its value there need not be computed
// twice). Exactly one evaluation of f per iteration.
template <class Objective>
BrentResult brentSearch(double ax, double bx, double cx, double fbx, Objective&& f, double tol) {
    double a = ax < cx ? ax : cx; // the lower end of the interval that holds the minimum
    double b = ax > cx ? ax : cx; // its upper end
    double x = bx;                // the abscissa of the lowest value found so far
    double w = bx;                // that of the second lowest
    double v = bx;                // the previous value of w
    double fx = fbx;              // f at x
    double fw = fx;               // f at w
    double fv = fx;               // f at v
    double d = 0;                 // the step just taken (from x to the next u)
    double e = 0;                 // the step taken before it: a parabolic step must be
                                  // less than half of it, or the search takes a golden one
    for (int iteration = 1; iteration <= BRENT_MAX_ITERATIONS; ++iteration) {
        const double xm = 0.5 * (a + b);                      // the middle of the interval
        const double tol1 = tol * std::fabs(x) + BRENT_ZEPS; // the smallest step taken
        const double tol2 = 2 * tol1; // done once the interval about x is within twice that
        if (std::fabs(x - xm) <= tol2 - 0.5 * (b - a))
            return {x, fx, true, iteration};

        bool parabolic = false;
        if (std::fabs(e) > tol1) {
            // The parabola through x, w and v has its vertex at x + p / q.
            const double r = (x - w) * (fx - fv);
            double q = (x - v) * (fx - fw);
            double p = (x - v) * q - (x - w) * r;
            q = 2 * (q - r);
            if (q > 0)
                p = -p;
            q = std::fabs(q);
            const double etemp = e;
            e = d;
            if (!(std::fabs(p) >= std::fabs(0.5 * q * etemp) || p <= q * (a - x) ||
                  p >= q * (b - x))) {
                parabolic = true;
                d = p / q;
                const double u = x + d;
                if (u - a < tol2 || b - u < tol2)
                    d = detail::withSignOf(tol1, xm - x);
            }
        }
        if (!parabolic) {
            e = x >= xm ? a - x : b - x;
            d = BRENT_CGOLD * e;
        }

        // The next abscissa, at least tol1 from x, and f there.
        const double u = std::fabs(d) >= tol1 ? x + d : x + detail::withSignOf(tol1, d);
        const double fu = f(u);
        if (fu <= fx) {
            if (u >= x)
                a = x;
            else
                b = x;
            v = w;
            w = x;
            x = u;
            fv = fw;
            fw = fx;
            fx = fu;
        } else {
            if (u < x)
                a = u;
            else
                b = u;
            if (fu <= fw || w == x) {
                v = w;
                w = u;
                fv = fw;
                fw = fu;
            } else if (fu <= fv || v == x || v == w) {
                v = u;
                fv = fu;
            }
        }
    }
    return {x, fx, false, BRENT_MAX_ITERATIONS};
}

// Brent's minimiser as above, evaluating f at bx first.
template <class Objective>
BrentResult brentSearch(double ax, double bx, double cx, Objective&& f, double tol) {
    const double fbx = f(bx);
    return brentSearch(ax, bx, cx, fbx, f, tol);
}

// Brent's minimiser with its classic contract, given fbx, the value of f at bx: returns the
// smallest value of f found and writes its abscissa into xmin; when the tolerance is not
// met within BRENT_MAX_ITERATIONS it returns 0 and leaves xmin as it was.
template <class Objective>
double brentMinimize(double ax, double bx, double cx, double fbx, Objective&& f, double tol,
                     double& xmin) {
    const BrentResult result = brentSearch(ax, bx, cx, fbx, f, tol);
    if (!result.converged)
        return 0;
    xmin = result.xmin;
    return result.fmin;
}

// The same, evaluating f at bx first.
template <class Objective>
double brentMinimize(double ax, double bx, double cx, Objective&& f, double tol, double& xmin) {
    const double fbx = f(bx);
    return brentMinimize(ax, bx, cx, fbx, f, tol, xmin);
}

} // namespace pktools
