// The error of the portable functions in ulp against MPFR, on random inputs over the
// domains the routines use and on edge sets. Prints the largest error of each function
// and domain, and exits with 1 when a function exceeds its limit.
//
//   portablemath_accuracy [INPUTS_PER_DOMAIN]      (default 1000000)
//
// The inputs come from a fixed-seed generator of bit patterns, not from any libm.

#include "portablemath/math.h"

#include <mpfr.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr mpfr_prec_t REFERENCE_BITS = 200;

// xorshift64*: deterministic on every machine.
class Random {
public:
    std::uint64_t next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545f4914f6cdd1dULL;
    }
    // Uniform in [0, 1) with 53 random bits.
    double unit() { return static_cast<double>(next() >> 11) * 0x1p-53; }
    double uniform(double lo, double hi) { return lo + (hi - lo) * unit(); }
    // |x| spread evenly over the binades from 2^lo to 2^hi.
    double logUniform(int lo, int hi) {
        const int e = lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo));
        return std::ldexp(1 + unit(), e);
    }

private:
    std::uint64_t state_ = 0x9e3779b97f4a7c15ULL;
};

// The error of `computed` against the exact value in units of the last place of the
// exact value's binade (2^-1074 below the normal range).
double ulpError(double computed, const mpfr_t exact) {
    if (mpfr_nan_p(exact))
        return computed != computed ? 0 : 1e9;
    if (mpfr_inf_p(exact)) {
        const double inf = mpfr_sgn(exact) > 0 ? HUGE_VAL : -HUGE_VAL;
        return computed == inf ? 0 : 1e9;
    }
    if (computed != computed)
        return 1e9;
    if (mpfr_zero_p(exact))
        return computed == 0 ? 0 : 1e9;
    long e = mpfr_get_exp(exact) - 1; // exact in [2^e, 2^(e+1))
    if (e < -1022)
        e = -1022;
    const bool infinite = computed == HUGE_VAL || computed == -HUGE_VAL;
    // inf is the right rounding of an exact value from 2^1024 on; below, it is measured as
    // 2^1024, where the next double would be: past the largest double plus half an ulp, the
    // error is below 0.5.
    if (infinite && mpfr_get_exp(exact) > 1024) // |exact| >= 2^1024
        return (computed > 0) == (mpfr_sgn(exact) > 0) ? 0 : 1e9;
    mpfr_t d;
    mpfr_init2(d, REFERENCE_BITS + 64);
    if (infinite) {
        mpfr_set_d(d, computed > 0 ? 0x1p1023 : -0x1p1023, MPFR_RNDN);
        mpfr_mul_2ui(d, d, 1, MPFR_RNDN);
    } else {
        mpfr_set_d(d, computed, MPFR_RNDN);
    }
    mpfr_sub(d, d, exact, MPFR_RNDN);
    mpfr_abs(d, d, MPFR_RNDN);
    mpfr_mul_2si(d, d, 52 - e, MPFR_RNDN);
    const double units = mpfr_get_d(d, MPFR_RNDN);
    mpfr_clear(d);
    return units;
}

struct Worst {
    double ulps = 0;
    double x = 0, y = 0;
    long inputs = 0;
};

using Reference1 = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

// One function of one argument over inputs drawn by `draw`.
Worst measure1(double (*f)(double), Reference1 reference, long count,
               const std::function<double()>& draw) {
    Worst worst;
    mpfr_t x, exact;
    mpfr_init2(x, 53);
    mpfr_init2(exact, REFERENCE_BITS);
    for (long i = 0; i < count; ++i) {
        const double v = draw();
        mpfr_set_d(x, v, MPFR_RNDN);
        reference(exact, x, MPFR_RNDN);
        const double u = ulpError(f(v), exact);
        if (u > worst.ulps)
            worst = {u, v, 0, 0};
    }
    worst.inputs = count;
    mpfr_clears(x, exact, static_cast<mpfr_ptr>(nullptr));
    return worst;
}

Worst measurePow(long count, const std::function<std::pair<double, double>()>& draw) {
    Worst worst;
    mpfr_t x, y, exact;
    mpfr_inits2(53, x, y, static_cast<mpfr_ptr>(nullptr));
    mpfr_init2(exact, REFERENCE_BITS);
    for (long i = 0; i < count; ++i) {
        const auto [a, b] = draw();
        mpfr_set_d(x, a, MPFR_RNDN);
        mpfr_set_d(y, b, MPFR_RNDN);
        mpfr_pow(exact, x, y, MPFR_RNDN);
        const double u = ulpError(portable::pow(a, b), exact);
        if (u > worst.ulps)
            worst = {u, a, b, 0};
    }
    worst.inputs = count;
    mpfr_clears(x, y, exact, static_cast<mpfr_ptr>(nullptr));
    return worst;
}

struct Function {
    std::string name;
    double limit; // the largest error allowed, in ulp
    double worst = 0;
};

void report(Function& f, const char* domain, const Worst& w, bool twoArguments = false) {
    if (twoArguments)
        std::printf("%-5s %-44s %9ld inputs  largest %.4f ulp at x = %.17g, y = %.17g\n",
                    f.name.c_str(), domain, w.inputs, w.ulps, w.x, w.y);
    else
        std::printf("%-5s %-44s %9ld inputs  largest %.4f ulp at %.17g\n", f.name.c_str(), domain,
                    w.inputs, w.ulps, w.x);
    if (w.ulps > f.worst)
        f.worst = w.ulps;
}

} // namespace

int main(int argc, char** argv) {
    const long n = argc > 1 ? std::atol(argv[1]) : 1000000;
    const long edges = n / 10 > 1000 ? n / 10 : 1000;
    Random random;

    Function exp{"exp", 0.52}, log{"log", 0.52}, pow{"pow", 0.52};
    Function cos{"cos", 0.75}, acos{"acos", 0.75}, asin{"asin", 0.75};

    report(exp, "[-745, 709]",
           measure1(portable::exp, mpfr_exp, n, [&] { return random.uniform(-745, 709); }));
    report(exp, "near overflow [709, 709.79]",
           measure1(portable::exp, mpfr_exp, edges, [&] { return random.uniform(709, 709.79); }));
    report(exp, "subnormal results [-745.2, -708]",
           measure1(portable::exp, mpfr_exp, edges, [&] { return random.uniform(-745.2, -708); }));
    // Results about 2^-960, where the final scaling changes its order of operations.
    report(exp, "results about 2^-960: [-668, -663]",
           measure1(portable::exp, mpfr_exp, edges, [&] { return random.uniform(-668, -663); }));
    report(exp, "small |x| in [2^-60, 1)", measure1(portable::exp, mpfr_exp, edges, [&] {
               const double v = random.logUniform(-60, 0);
               return random.next() & 1 ? v : -v;
           }));

    report(log, "(0, inf), every binade, subnormals too", measure1(portable::log, mpfr_log, n, [&] {
               std::uint64_t b;
               do
                   b = random.next() >> 1;
               while (b >= 0x7ff0000000000000ULL || b == 0);
               return std::bit_cast<double>(b);
           }));
    report(log, "near 1: 1 +- [2^-53, 2^-4]", measure1(portable::log, mpfr_log, edges, [&] {
               const double u = random.logUniform(-53, -4);
               return random.next() & 1 ? 1 + u : 1 - u;
           }));
    long k = -1074;
    report(log, "powers of two 2^-1074 .. 2^1023",
           measure1(portable::log, mpfr_log, 2098, [&] { return std::ldexp(1.0, k++); }));

    report(pow, "x in (0, 1e4], y in [-10, 10]",
           measurePow(n,
                      [&] {
                          return std::pair{1e4 * (1 - random.unit()), random.uniform(-10, 10)};
                      }),
           true);
    const double allometric[] = {0.25, 0.5, 0.65, 0.7, 0.75, 1.3};
    report(pow, "x in [0.02, 6], y in .25 .5 .65 .7 .75 1.3",
           measurePow(n,
                      [&] {
                          return std::pair{random.uniform(0.02, 6), allometric[random.next() % 6]};
                      }),
           true);
    report(pow, "x in [0.02, 6], y in [0.25, 1.3]",
           measurePow(edges,
                      [&] {
                          return std::pair{random.uniform(0.02, 6), random.uniform(0.25, 1.3)};
                      }),
           true);
    report(pow, "results near overflow and underflow",
           measurePow(edges,
                      [&] {
                          const double x = random.uniform(1.5, 1e4);
                          const double target = random.next() & 1 ? random.uniform(700, 709.8)
                                                                  : random.uniform(-745.2, -700);
                          return std::pair{x, target / std::log(x)};
                      }),
           true);
    // Where pow's scaling by 2^k changes method (y log x about -664 and 709), and where its
    // reduced argument is the widest: log x's second part largest beside its first (x about
    // 1 +- 2^-8) under the largest |y log x|.
    report(pow, "results about 2^-958 and 2^1022",
           measurePow(edges,
                      [&] {
                          const double x = random.uniform(1.5, 1e4);
                          const double target = random.next() & 1 ? random.uniform(705, 709.5)
                                                                  : random.uniform(-668, -660);
                          return std::pair{x, target / std::log(x)};
                      }),
           true);
    report(pow, "x = 1 +- 2^-10..2^-7, |y log x| 600..709",
           measurePow(edges,
                      [&] {
                          const double u = random.logUniform(-10, -7);
                          const double x = random.next() & 1 ? 1 + u : 1 - u;
                          const double target = random.uniform(600, 709);
                          return std::pair{x, (random.next() & 1 ? target : -target) / std::log(x)};
                      }),
           true);
    report(pow, "x near 1, |y| up to 1e6",
           measurePow(
               edges,
               [&] {
                   const double u = random.logUniform(-40, -4);
                   return std::pair{random.next() & 1 ? 1 + u : 1 - u, random.uniform(-1e6, 1e6)};
               }),
           true);
    // |y| about 2^-64 and 2^64, where pow leaves its path for ordinary arguments, and
    // subnormal x, which never takes it.
    report(pow, "|y| in [2^-66, 2^-62] and [2^62, 2^66], x near 1",
           measurePow(
               edges,
               [&] {
                   const double u = random.logUniform(-75, -50);
                   const bool large = random.next() & 1;
                   const double y = random.logUniform(large ? 62 : -66, large ? 66 : -62);
                   return std::pair{random.next() & 1 ? 1 + u : 1 - u, random.next() & 1 ? y : -y};
               }),
           true);
    report(pow, "subnormal x, y in [-1, 1]",
           measurePow(edges,
                      [&] {
                          return std::pair{std::ldexp(1 + random.unit(),
                                                      -1023 - static_cast<int>(random.next() % 50)),
                                           random.uniform(-1, 1)};
                      }),
           true);
    report(pow, "negative x, integer y in [-60, 60]",
           measurePow(edges,
                      [&] {
                          return std::pair{
                              -random.uniform(0.1, 30),
                              static_cast<double>(static_cast<int>(random.next() % 121) - 60)};
                      }),
           true);

    // The cubic roots take cos(phi/3 + 2 pi k/3) with phi in [0, pi].
    report(cos, "cubic-root angles [0, 5.24]",
           measure1(portable::cos, mpfr_cos, n, [&] { return random.uniform(0, 5.24); }));
    report(cos, "[-1e5, 1e5]",
           measure1(portable::cos, mpfr_cos, edges, [&] { return random.uniform(-1e5, 1e5); }));
    report(cos, "large |x| in [2^19, 2^1024)",
           measure1(portable::cos, mpfr_cos, edges, [&] { return random.logUniform(19, 1024); }));
    long m = 1;
    report(cos, "near multiples of pi/2 up to 2^19", measure1(portable::cos, mpfr_cos, edges, [&] {
               const double v = static_cast<double>(m) * 1.5707963267948966;
               m = m * 3 % 333331 + 1;
               return std::bit_cast<double>(std::bit_cast<std::uint64_t>(v) + (random.next() % 64) -
                                            32);
           }));

    report(acos, "[-1, 1]",
           measure1(portable::acos, mpfr_acos, n, [&] { return random.uniform(-1, 1); }));
    report(acos, "near +-1 and +-1/2", measure1(portable::acos, mpfr_acos, edges, [&] {
               const double u = random.logUniform(-53, -2);
               const double base = random.next() & 1 ? 1 - u : 0.5 + (random.next() & 1 ? u : -u);
               return random.next() & 1 ? base : -base;
           }));
    report(asin, "[-1, 1]",
           measure1(portable::asin, mpfr_asin, n, [&] { return random.uniform(-1, 1); }));
    report(asin, "near +-1, +-1/2 and 0", measure1(portable::asin, mpfr_asin, edges, [&] {
               const double u = random.logUniform(-60, -2);
               const long pick = static_cast<long>(random.next() % 3);
               const double base = pick == 0   ? 1 - u
                                   : pick == 1 ? 0.5 + (random.next() & 1 ? u : -u)
                                               : u;
               return random.next() & 1 ? base : -base;
           }));

    int failed = 0;
    std::printf("\nlargest error per function (limit):\n");
    for (const Function* f : {&exp, &log, &pow, &cos, &acos, &asin}) {
        std::printf("  %-5s %.4f ulp (%.2f)%s\n", f->name.c_str(), f->worst, f->limit,
                    f->worst <= f->limit ? "" : "  TOO LARGE");
        failed |= f->worst > f->limit;
    }
    mpfr_free_cache();
    return failed;
}
