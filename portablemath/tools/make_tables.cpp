// Writes portablemath/include/portablemath/tables.h: every constant of the portable
// functions, computed with MPFR at 320 bits and rounded to nearest, as exact hexadecimal
// literals. Run by the build only to check that the header in the tree is what it writes.
//
//   make_tables > portablemath/include/portablemath/tables.h

#include <mpfr.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr mpfr_prec_t WORKING_BITS = 320;

struct Big {
    mpfr_t v;
    Big() { mpfr_init2(v, WORKING_BITS); }
    explicit Big(double d) : Big() { mpfr_set_d(v, d, MPFR_RNDN); }
    Big(const Big&) = delete;
    Big& operator=(const Big&) = delete;
    ~Big() { mpfr_clear(v); }
};

double nearest(const Big& x) {
    return mpfr_get_d(x.v, MPFR_RNDN);
}

// x rounded to nearest with `bits` significant bits.
double nearestWithBits(const Big& x, mpfr_prec_t bits) {
    mpfr_t t;
    mpfr_init2(t, bits);
    mpfr_set(t, x.v, MPFR_RNDN);
    const double d = mpfr_get_d(t, MPFR_RNDN);
    mpfr_clear(t);
    return d;
}

// x - d, exactly (the working precision holds it).
void subtract(Big& x, double d) {
    mpfr_sub_d(x.v, x.v, d, MPFR_RNDN);
}

void constant(const char* name, double value, const char* what) {
    std::printf("// %s\ninline constexpr double %s = %a;\n", what, name, value);
}

// A constant and the rest of it: hi = x rounded to `bits` bits, lo = what remains, rounded.
void split(const char* hiName, const char* loName, const Big& x, mpfr_prec_t bits,
           const char* what) {
    Big rest;
    mpfr_set(rest.v, x.v, MPFR_RNDN);
    const double hi = nearestWithBits(rest, bits);
    subtract(rest, hi);
    std::printf("// %s: %s (%ld significant bits) + %s\n", what, hiName, static_cast<long>(bits),
                loName);
    std::printf("inline constexpr double %s = %a;\n", hiName, hi);
    std::printf("inline constexpr double %s = %a;\n", loName, nearest(rest));
}

void pi(Big& x) {
    mpfr_const_pi(x.v, MPFR_RNDN);
}
void ln2(Big& x) {
    mpfr_const_log2(x.v, MPFR_RNDN);
}

void expTable() {
    std::printf("\n// 2^(j/128) for j = 0..127 as hi + lo: hi rounded to nearest, lo the rest.\n"
                "inline constexpr double EXP2_TABLE[128][2] = {\n");
    for (int j = 0; j < 128; ++j) {
        Big x;
        mpfr_set_si(x.v, j, MPFR_RNDN);
        mpfr_div_ui(x.v, x.v, 128, MPFR_RNDN);
        mpfr_exp2(x.v, x.v, MPFR_RNDN);
        const double hi = nearest(x);
        subtract(x, hi);
        std::printf("    {%a, %a},\n", hi, nearest(x));
    }
    std::printf("};\n");
}

// The reduction of log: z in [0.6875, 1.375) falls in one of 256 intervals (160 of width
// 2^-9 below 1, 96 of width 2^-8 above); each has invc, a 16-bit approximation of 1 over
// its centre (1 for the two intervals beside 1), and log(1/invc) as hi + lo.
void logTable() {
    std::printf("\n// {invc, log(1/invc) hi, lo} of the 256 intervals of z in [0.6875, 1.375):\n"
                "// 160 of width 2^-9 below 1, 96 of width 2^-8 from 1; invc is 1 over the\n"
                "// centre rounded to 16 bits, and exactly 1 for the two intervals beside 1.\n"
                "inline constexpr double LOG_TABLE[256][3] = {\n");
    for (int i = 0; i < 256; ++i) {
        const double start = i < 160 ? 0.6875 + i * 0x1p-9 : 1 + (i - 160) * 0x1p-8;
        const double width = i < 160 ? 0x1p-9 : 0x1p-8;
        double invc = 1;
        if (i != 159 && i != 160) {
            Big c(start + width / 2);
            mpfr_ui_div(c.v, 1, c.v, MPFR_RNDN);
            invc = nearestWithBits(c, 16);
        }
        Big l(invc);
        mpfr_log(l.v, l.v, MPFR_RNDN);
        mpfr_neg(l.v, l.v, MPFR_RNDN);
        const double hi = nearest(l);
        subtract(l, hi);
        std::printf("    {%a, %a, %a},\n", invc, hi, nearest(l));
    }
    std::printf("};\n");
}

// 1/n! with the sign (-1)^s, rounded.
double inverseFactorial(int n, bool negative) {
    Big f;
    mpfr_fac_ui(f.v, static_cast<unsigned long>(n), MPFR_RNDN);
    mpfr_ui_div(f.v, 1, f.v, MPFR_RNDN);
    if (negative)
        mpfr_neg(f.v, f.v, MPFR_RNDN);
    return nearest(f);
}

void coefficients(const char* name, const char* what, int count, double (*coefficient)(int)) {
    std::printf("\n// %s\ninline constexpr double %s[%d] = {\n", what, name, count);
    for (int k = 0; k < count; ++k)
        std::printf("    %a,\n", coefficient(k));
    std::printf("};\n");
}

// The series of asin(x) = x + x z P(z), z = x^2: P's coefficient of z^(n-1) is
// (2n)! / (4^n (n!)^2 (2n + 1)) = prod_{k=1..n} ((2k - 1) / (2k)) / (2n + 1).
void asinCoefficient(Big& a, int n) {
    mpfr_set_ui(a.v, 1, MPFR_RNDN);
    for (int k = 1; k <= n; ++k) {
        mpfr_mul_ui(a.v, a.v, static_cast<unsigned long>(2 * k - 1), MPFR_RNDN);
        mpfr_div_ui(a.v, a.v, static_cast<unsigned long>(2 * k), MPFR_RNDN);
    }
    mpfr_div_ui(a.v, a.v, static_cast<unsigned long>(2 * n + 1), MPFR_RNDN);
}

// As many terms as keep the first one left out, times 0.25^n (z <= 0.25), above 2^-60.
int asinTerms() {
    for (int n = 1;; ++n) {
        Big a;
        asinCoefficient(a, n);
        mpfr_div_2ui(a.v, a.v, static_cast<unsigned long>(2 * n), MPFR_RNDN);
        if (mpfr_cmp_d(a.v, 0x1p-60) < 0)
            return n - 1;
    }
}

// The bits of 2/pi after the binary point, 32 at a time: enough for the reduction of the
// largest double (exponent 1023) with 192 bits beyond it.
void twoOverPiBits() {
    constexpr int WORDS = 40;
    mpfr_t w;
    mpfr_init2(w, WORKING_BITS + 1100);
    mpfr_const_pi(w, MPFR_RNDN);
    mpfr_ui_div(w, 2, w, MPFR_RNDN);
    std::printf(
        "\n// The bits of 2/pi after the binary point, 32 to a word, the first word first.\n"
        "inline constexpr std::uint32_t TWO_OVER_PI_BITS[%d] = {",
        WORDS);
    for (int k = 0; k < WORDS; ++k) {
        mpfr_mul_2ui(w, w, 32, MPFR_RNDN);
        const unsigned long word = mpfr_get_ui(w, MPFR_RNDZ);
        mpfr_sub_ui(w, w, word, MPFR_RNDN);
        std::printf("%s0x%08lxu,", k % 6 == 0 ? "\n    " : " ", word);
    }
    std::printf("\n};\n");
    mpfr_clear(w);
}

} // namespace

int main() {
    std::printf("#pragma once\n\n"
                "// Written by portablemath/tools/make_tables.cpp (MPFR); do not edit.\n"
                "// clang-format off\n\n"
                "#include <cstdint>\n\n"
                "namespace portable::tables {\n\n");
    Big x;

    // exp: x = (128 k + j) ln2/128 + r.
    ln2(x);
    mpfr_ui_div(x.v, 128, x.v, MPFR_RNDN);
    constant("INV_LN2_128", nearest(x), "128 / ln 2");
    ln2(x);
    mpfr_div_ui(x.v, x.v, 128, MPFR_RNDN);
    split("LN2_128_HI", "LN2_128_LO", x, 35, "ln 2 / 128, hi times an 18-bit integer exact");

    // log: k ln 2 with |k| < 2^11.
    ln2(x);
    split("LN2_HI", "LN2_LO", x, 42, "ln 2, hi times an 11-bit integer exact");

    // The circle.
    pi(x);
    split("PI_HI", "PI_LO", x, 53, "pi");
    pi(x);
    mpfr_div_2ui(x.v, x.v, 1, MPFR_RNDN);
    split("PIO2_HI", "PIO2_LO", x, 53, "pi / 2");
    pi(x);
    mpfr_ui_div(x.v, 2, x.v, MPFR_RNDN);
    constant("TWO_OVER_PI", nearest(x), "2 / pi");
    // pi/2 in three parts for the reduction of |x| < 2^19: the first two times a 19-bit
    // integer exact.
    pi(x);
    mpfr_div_2ui(x.v, x.v, 1, MPFR_RNDN);
    const double p1 = nearestWithBits(x, 33);
    subtract(x, p1);
    const double p2 = nearestWithBits(x, 33);
    subtract(x, p2);
    std::printf("// pi / 2 = PIO2_1 + PIO2_2 + PIO2_3 (33, 33 and 53 significant bits)\n");
    std::printf("inline constexpr double PIO2_1 = %a;\n", p1);
    std::printf("inline constexpr double PIO2_2 = %a;\n", p2);
    std::printf("inline constexpr double PIO2_3 = %a;\n", nearest(x));

    expTable();
    logTable();
    coefficients("EXP_TAYLOR",
                 "1/n! for n = 2..6: exp(r) - 1 = r + r^2 (c2 + r (c3 + r (c4 + r c5))) for\n"
                 "// |r| <= ln2/256, and with c6 for pow's wider r",
                 5, [](int k) { return inverseFactorial(k + 2, false); });
    coefficients("LOG_TAYLOR",
                 "(-1)^(n+1)/n for n = 3..9: log(1+r) = r - r^2/2 + r^3 (c3 + r c4 ...)", 7,
                 [](int k) {
                     Big c;
                     mpfr_set_si(c.v, k % 2 == 0 ? 1 : -1, MPFR_RNDN);
                     mpfr_div_ui(c.v, c.v, static_cast<unsigned long>(k + 3), MPFR_RNDN);
                     return nearest(c);
                 });
    coefficients("SIN_TAYLOR",
                 "(-1)^k/(2k+1)! for k = 1..8: sin(r) = r + r z (s1 + z (s2 ...)), z = r^2", 8,
                 [](int k) { return inverseFactorial(2 * k + 3, k % 2 == 0); });
    coefficients("COS_TAYLOR",
                 "(-1)^k/(2k)! for k = 2..9: cos(r) = 1 - z/2 + z^2 (c2 + z (c3 ...))", 8,
                 [](int k) { return inverseFactorial(2 * k + 4, k % 2 == 1); });
    {
        Big sixth;
        mpfr_set_si(sixth.v, -1, MPFR_RNDN);
        mpfr_div_ui(sixth.v, sixth.v, 6, MPFR_RNDN);
        subtract(sixth, inverseFactorial(3, true));
        constant("SIN_THIRD_ORDER_LO", nearest(sixth), "-1/6 - SIN_TAYLOR[0]");
    }
    const int terms = asinTerms();
    std::printf(
        "\n// (2n)!/(4^n (n!)^2 (2n+1)) for n = 1..%d: asin(x) = x + x z (a1 + z (a2 ...)),\n"
        "// z = x^2 <= 1/4; the first term left out is below 2^-60.\n",
        terms);
    std::printf("inline constexpr double ASIN_SERIES[%d] = {\n", terms);
    for (int n = 1; n <= terms; ++n) {
        Big a;
        asinCoefficient(a, n);
        std::printf("    %a,\n", nearest(a));
    }
    std::printf("};\n");
    twoOverPiBits();
    std::printf("\n} // namespace portable::tables\n");
    return 0;
}
