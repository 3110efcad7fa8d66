#pragma once

// A plain, independent transcription of the effect-site TCI algorithm, for tests only:
// TciCe step by step as the algorithm is written, with the searches (bracketMinimum,
// brentMinimize), the dosing steps and coefficients (plasmaStep, effectStep,
// effectCoefficients) and the plasma target rate, each written out here from
// the algorithm's definition. It uses nothing of pktools: no shared search, no memo, no
// cached factors, so a bit-for-bit agreement with pktools::TciCe says that the production
// routine computes what the algorithm describes. Its exponentials are the routines' own
// (portablemath), as the algorithm's arithmetic is.
//
// Where the algorithm leaves a case open or would not end (a bracketing that never stops, a
// search that does not converge), the transcription follows the algorithm's contract (the
// minimiser's 0 and an unchanged abscissa) and counts the event in Diagnostics, so that a
// comparison can tell a schedule that differs for that reason from one that should not.

#include "portablemath/math.h"

#include <cmath>
#include <stdexcept>
#include <vector>

namespace tci_reference {

// What the algorithm leaves to the implementer happened during a call.
struct Diagnostics {
    int brentNotConverged = 0; // a brentMinimize run used up its 100 iterations
    int bracketStopped = 0;    // a bracketing ran 1000 steps or left the finite numbers
    int nonFiniteMinimum = 0;  // a peak search found a value that is not finite
    // The same events by search: 0 the unit-rate peak (step 8), 1 the no-infusion peak
    // (step 9.4.1), 2 the peak after infusion inside a rate search, 3 a rate search.
    int bySearch[4] = {0, 0, 0, 0};
    int search = 0; // the search under way
    bool any() const { return brentNotConverged + bracketStopped + nonFiniteMinimum > 0; }
    void note(int& counter) {
        ++counter;
        ++bySearch[search];
    }
};

// bracketMinimum (GOLD 1.618034, GLIMIT 100, TINY 1e-20). The algorithm sets no
// iteration limit; here the walk stops (and is counted) after 1000 enlargements or when an
// abscissa is no longer finite, where the algorithm would walk on for ever.
template <class F>
void bracketMinimum(double& a, double& b, double& c, double& fa, double& fb, double& fc, F f,
                    Diagnostics& d) {
    const double GOLD = 1.618034, GLIMIT = 100, TINY = 1e-20;
    fa = f(a);
    fb = f(b);
    if (fb > fa) {
        double t = a;
        a = b;
        b = t;
        t = fa;
        fa = fb;
        fb = t;
    }
    c = b + GOLD * (b - a);
    fc = f(c);
    int steps = 0;
    while (fb > fc) {
        if (++steps > 1000 || !std::isfinite(c)) {
            d.note(d.bracketStopped);
            return;
        }
        const double r = (b - a) * (fb - fc);
        const double q = (b - c) * (fb - fa);
        double g = std::fabs(q - r) > TINY ? std::fabs(q - r) : TINY;
        if (!(q - r >= 0))
            g = -g;
        double u = b - ((b - c) * q - (b - a) * r) / (2 * g);
        const double ulim = b + GLIMIT * (c - b);
        double fu;
        if ((b - u) * (u - c) > 0) {
            fu = f(u);
            if (fu < fc) {
                a = b;
                b = u;
                fa = fb;
                fb = fu;
                return;
            } else if (fu > fb) {
                c = u;
                fc = fu;
                return;
            }
            u = c + GOLD * (c - b);
            fu = f(u);
        } else if ((c - u) * (u - ulim) > 0) {
            fu = f(u);
            if (fu < fc) {
                b = c;
                c = u;
                u = u + GOLD * (u - b);
                fb = fc;
                fc = fu;
                fu = f(u);
            }
        } else if ((u - ulim) * (ulim - c) >= 0) {
            u = ulim;
            fu = f(u);
        } else {
            u = c + GOLD * (c - b);
            fu = f(u);
        }
        a = b;
        b = c;
        c = u;
        fa = fb;
        fb = fc;
        fc = fu;
    }
}

// brentMinimize (CGOLD 0.381966, ZEPS 1e-10, at most 100 iterations): returns the
// smallest value found and writes its abscissa into xmin; after 100 iterations without
// meeting the tolerance it returns 0 and leaves xmin as it was.
template <class F>
double brentMinimize(double ax, double bx, double cx, F f, double tol, double& xmin,
                     Diagnostics& d) {
    const double CGOLD = 0.381966, ZEPS = 1e-10;
    double a = ax < cx ? ax : cx;
    double b = ax > cx ? ax : cx;
    double x = bx, w = bx, v = bx;
    double fx = f(bx);
    double fw = fx, fv = fx;
    double e = 0, dd = 0;
    for (int iteration = 1; iteration <= 100; ++iteration) {
        const double xm = 0.5 * (a + b);
        const double tol1 = tol * std::fabs(x) + ZEPS;
        const double tol2 = 2 * tol1;
        if (std::fabs(x - xm) <= tol2 - 0.5 * (b - a)) {
            xmin = x;
            return fx;
        }
        bool golden = true;
        if (std::fabs(e) > tol1) {
            const double r = (x - w) * (fx - fv);
            double q = (x - v) * (fx - fw);
            double p = (x - v) * q - (x - w) * r;
            q = 2 * (q - r);
            if (q > 0)
                p = -p;
            q = std::fabs(q);
            const double etemp = e;
            e = dd;
            if (std::fabs(p) >= std::fabs(0.5 * q * etemp) || p <= q * (a - x) ||
                p >= q * (b - x)) {
                golden = true;
            } else {
                golden = false;
                dd = p / q;
                const double u = x + dd;
                if (u - a < tol2 || b - u < tol2)
                    dd = xm - x >= 0 ? std::fabs(tol1) : -std::fabs(tol1);
            }
        }
        if (golden) {
            e = x >= xm ? a - x : b - x;
            dd = CGOLD * e;
        }
        double u;
        if (std::fabs(dd) >= tol1)
            u = x + dd;
        else
            u = x + (dd >= 0 ? std::fabs(tol1) : -std::fabs(tol1));
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
    d.note(d.brentNotConverged);
    return 0;
}

// TciCe, steps 1 to 12.
inline std::vector<double> TciCe(std::vector<double> deltaTimes, std::vector<double> targetConc,
                                 double maxRate, double A, double B, double C, double l1, double l2,
                                 double l3, double ke0, Diagnostics& diag) {
    const double ZERO_RATE_CONSTANT = 1.6999999999999997e-308;
    const double TOL = 1e-9;
    // Steps 1 to 3.
    if (deltaTimes.size() != targetConc.size())
        throw std::invalid_argument("Columns of different length!");
    if (A <= 0 || B < 0 || C < 0 || l1 <= 0 || l2 < 0 || l3 < 0 || ke0 <= 0)
        throw std::invalid_argument("Check PK parameters!");
    if (maxRate <= 0)
        throw std::invalid_argument("Maxrate has to be positive!");
    // Step 4.
    const std::size_t n = deltaTimes.size();
    std::vector<double> result(n, 0.0);
    // Step 5: the model reduction, then unitFactors and effectCoefficients.
    if (B == 0 || l2 == 0) {
        l2 = ZERO_RATE_CONSTANT;
        l3 = ZERO_RATE_CONSTANT;
        B = 0;
        C = 0;
    } else if (l3 == 0) {
        l3 = ZERO_RATE_CONSTANT;
        C = 0;
    }
    const double uA = A / l1, uB = B / l2, uC = C / l3;
    const double E1 = -(A * ke0) / (l1 - ke0);
    const double E2 = -(B * ke0) / (l2 - ke0);
    const double E3 = -(C * ke0) / (l3 - ke0);
    const double E4 = -((E2 + E1) + E3);
    const double E[4] = {E1, E2, E3, E4};
    const double lambda[4] = {l1, l2, l3, ke0};
    double x = 0, y = 0, z = 0; // PlasmaState
    double s[4] = {0, 0, 0, 0}; // EffectState
    double ce0 = 0;
    double lastPeakTime = 0;
    double unitPeakTime = 0;

    // Step 6.
    for (std::size_t i = 1; i < n; ++i) {
        const double dt = deltaTimes[i];
        const double T = targetConc[i];
        double f[4];
        for (int k = 0; k < 4; ++k)
            f[k] = portable::exp(-(dt * lambda[k]));
        const double e1 = f[0], e2 = f[1], e3 = f[2];
        double R = 0;
        if (T == 0) {
            // Step 7.
            R = 0;
        } else if (ce0 == 0) {
            // Step 8: the unit-rate response.
            auto unitRate = [&](double t) {
                return -((E[0] / lambda[0]) * (1 - f[0]) * portable::exp(-lambda[0] * t) +
                         (E[1] / lambda[1]) * (1 - f[1]) * portable::exp(-lambda[1] * t) +
                         (E[2] / lambda[2]) * (1 - f[2]) * portable::exp(-lambda[2] * t) +
                         (E[3] / lambda[3]) * (1 - f[3]) * portable::exp(-lambda[3] * t));
            };
            diag.search = 0;
            double a = 0, b = 1, c = 0, fa, fb, fc;
            bracketMinimum(a, b, c, fa, fb, fc, unitRate, diag);
            double xmin = lastPeakTime;
            const double m = brentMinimize(a, b, c, unitRate, TOL, xmin, diag);
            if (!std::isfinite(m))
                diag.note(diag.nonFiniteMinimum);
            lastPeakTime = xmin;
            unitPeakTime = xmin;
            R = T / (-m);
        } else {
            // Step 9.1: the look-ahead without infusion, on copies of the states.
            const double xf = (1 - e1) * (0 * uA) + e1 * x + 0 * A;
            const double yf = (1 - e2) * (0 * uB) + e2 * y + 0 * B;
            const double zf = (1 - e3) * (0 * uC) + e3 * z + 0 * C;
            double sf[4];
            for (int k = 0; k < 4; ++k)
                sf[k] = ((E[k] / lambda[k]) * 0) * (1 - f[k]) + f[k] * s[k] + E[k] * 0;
            const double cpFree = xf + yf + zf;
            const double ceFree = sf[0] + sf[1] + sf[2] + sf[3];
            if (std::fabs(T - ceFree) / T <= 0.03) {
                // Step 9.2: plasmaTargetRate with bolus 0.
                const double numerator = T - e1 * x - e2 * y - e3 * z - 0 * A - 0 * B - 0 * C;
                const double denominator = (1 - e2) * uB + (1 - e1) * uA + (1 - e3) * uC;
                R = numerator / denominator;
            } else if (ceFree > T) {
                // Step 9.3.
                R = 0;
            } else {
                // Step 9.4: the search context is the state at the start of the interval.
                const double s0[4] = {s[0], s[1], s[2], s[3]};
                auto peakAfterInfusion = [&](double rate) {
                    auto curve = [&](double t) {
                        return -(portable::exp(-lambda[0] * t) *
                                     ((E[0] / lambda[0]) * rate * (1 - f[0]) + f[0] * s0[0]) +
                                 portable::exp(-lambda[1] * t) *
                                     ((E[1] / lambda[1]) * rate * (1 - f[1]) + f[1] * s0[1]) +
                                 portable::exp(-lambda[2] * t) *
                                     ((E[2] / lambda[2]) * rate * (1 - f[2]) + f[2] * s0[2]) +
                                 portable::exp(-lambda[3] * t) *
                                     ((E[3] / lambda[3]) * rate * (1 - f[3]) + f[3] * s0[3]));
                    };
                    const int outer = diag.search;
                    diag.search = 2;
                    double a = 0, b = unitPeakTime, c = 0, fa, fb, fc;
                    bracketMinimum(a, b, c, fa, fb, fc, curve, diag);
                    double xmin = 0;
                    const double m = brentMinimize(a, b, c, curve, TOL, xmin, diag);
                    if (!std::isfinite(m))
                        diag.note(diag.nonFiniteMinimum);
                    diag.search = outer;
                    return -m;
                };
                auto rateSearch = [&](double rate) {
                    const double miss = T - peakAfterInfusion(rate);
                    return miss * miss;
                };
                if (cpFree > ceFree) {
                    // Step 9.4.1: the peak the drug already given will reach.
                    auto noInfusion = [&](double t) {
                        return -(s0[0] * portable::exp(-lambda[0] * t) +
                                 s0[1] * portable::exp(-lambda[1] * t) +
                                 s0[2] * portable::exp(-lambda[2] * t) +
                                 s0[3] * portable::exp(-lambda[3] * t));
                    };
                    diag.search = 1;
                    double a = 0, b = lastPeakTime, c = 0, fa, fb, fc;
                    bracketMinimum(a, b, c, fa, fb, fc, noInfusion, diag);
                    const double m = brentMinimize(a, b, c, noInfusion, TOL, lastPeakTime, diag);
                    if (!std::isfinite(m))
                        diag.note(diag.nonFiniteMinimum);
                    const double P0 = -m;
                    if (P0 >= 0.97 * T) {
                        R = 0;
                    } else {
                        diag.search = 3;
                        double ra = 0, rb = maxRate, rc = 0, fra, frb, frc;
                        bracketMinimum(ra, rb, rc, fra, frb, frc, rateSearch, diag);
                        brentMinimize(ra, rb, rc, rateSearch, TOL, R, diag);
                    }
                } else {
                    // Step 9.4.2.
                    diag.search = 3;
                    brentMinimize(0.0, maxRate, 10000.0, rateSearch, TOL, R, diag);
                }
            }
        }
        // Step 10.
        if (R > maxRate)
            R = maxRate;
        if (R < 0)
            R = 0;
        // Step 11.
        x = (1 - e1) * (R * uA) + e1 * x + 0 * A;
        y = (1 - e2) * (R * uB) + e2 * y + 0 * B;
        z = (1 - e3) * (R * uC) + e3 * z + 0 * C;
        for (int k = 0; k < 4; ++k)
            s[k] = ((E[k] / lambda[k]) * R) * (1 - f[k]) + f[k] * s[k] + E[k] * 0;
        result[i] = R;
        ce0 = s[0] + s[1] + s[2] + s[3];
    }
    // Step 12.
    return result;
}

} // namespace tci_reference
