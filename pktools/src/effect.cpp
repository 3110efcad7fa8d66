#include "pktools/effect.h"

#include "pktools/errors.h"
#include "pktools/refusals.h"
#include "pktools/simulation.h"
#include "portablemath/math.h"

#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <limits>

namespace pktools {

namespace {

// What a row without an answer holds.
constexpr double UNKNOWN = std::numeric_limits<double>::quiet_NaN();

// The constants of the Eleveld propofol BIS model, unrounded, as in the model author's code.
namespace eleveld {
constexpr double LN_CE50_AT_REFERENCE_AGE = 1.124750;  // ln(ug/mL)
constexpr double REFERENCE_AGE = 35;                   // years
constexpr double AGE_EFFECT_ON_LN_CE50 = -0.006348370; // per year
constexpr double E0 = 92.98240;                        // baseline BIS, also the largest fall
constexpr double LN_GAMMA_BELOW_CE50 = 0.6386410;      // the steeper branch
constexpr double LN_GAMMA_FROM_CE50 = 0.3877210;
// The fraction of the largest fall at Ce50, where the inverse changes branch.
constexpr double FRACTION_AT_CE50 = 0.5;
} // namespace eleveld

bool allFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

// A concentration that has an answer.
bool isConcentration(double c) {
    return std::isfinite(c) && c >= 0;
}

// A C50 or a steepness that has an answer.
bool isPositive(double value) {
    return std::isfinite(value) && value > 0;
}

// Throws unless the two columns of a two-drug function have the same length.
void requireSameLength(const std::vector<double>& a, const std::vector<double>& b) {
    if (a.size() != b.size())
        throw InputError(refusals::LENGTHS);
}

// The column of `of` applied to each row of `column`, or NaN everywhere when the parameters
// have no answer.
template <class Of>
std::vector<double> rowByRow(const std::vector<double>& column, bool parametersValid, Of of) {
    std::vector<double> result(column.size(), UNKNOWN);
    if (!parametersValid)
        return result;
    for (std::size_t i = 0; i < column.size(); ++i)
        result[i] = of(i);
    return result;
}

} // namespace

std::vector<double> PredEff(std::vector<double> concEff, double eZero, double eMax, double IC50,
                            double gam) {
    std::vector<double> effect(concEff.size(), 0.0);
    if (concEff.empty())
        return effect;
    const double halfMaximal = portable::pow(IC50, gam);
    for (std::size_t i = 0; i < concEff.size(); ++i) {
        const double c = concEff[i];
        const double d = portable::pow(c, gam);
        const double den = halfMaximal + d;
        // Both powers 0: the curve has no value there; the zero-rate constant turns a
        // zero concentration into 0.
        effect[i] = den != 0 ? (eMax - eZero) * d / den + eZero : c / ZERO_RATE_CONSTANT;
    }
    return effect;
}

double fractionOfMaximalEffect(double c, double c50, double gam) {
    const double r = c / c50;
    if (r <= 1) {
        const double p = portable::pow(r, gam);
        return p / (1 + p);
    }
    return 1 / (1 + portable::pow(r, -gam));
}

// ---- Eleveld

double Ce50Eleveld(double age) {
    using namespace eleveld;
    const double ce50 =
        portable::exp(LN_CE50_AT_REFERENCE_AGE + AGE_EFFECT_ON_LN_CE50 * (age - REFERENCE_AGE));
    // An age so far out that the exponential under- or overflows has no answer.
    return isPositive(ce50) ? ce50 : UNKNOWN;
}

namespace {

// The curve of BIS against Ce at one age: Ce50 and the gamma on either side of it.
struct EleveldCurve {
    explicit EleveldCurve(double age) : ce50(Ce50Eleveld(age)) {}
    const double ce50;
    const double gammaBelow = portable::exp(eleveld::LN_GAMMA_BELOW_CE50);
    const double gammaFrom = portable::exp(eleveld::LN_GAMMA_FROM_CE50);
};

} // namespace

std::vector<double> BisEleveld(std::vector<double> concEff, double age) {
    const EleveldCurve curve(age);
    return rowByRow(concEff, isPositive(curve.ce50), [&](std::size_t i) {
        const double ce = concEff[i];
        if (!isConcentration(ce))
            return UNKNOWN;
        const double gam = ce < curve.ce50 ? curve.gammaBelow : curve.gammaFrom;
        return eleveld::E0 * (1 - fractionOfMaximalEffect(ce, curve.ce50, gam));
    });
}

std::vector<double> CeForBisEleveld(std::vector<double> bis, double age) {
    using eleveld::E0;
    const EleveldCurve curve(age);
    return rowByRow(bis, isPositive(curve.ce50), [&](std::size_t i) {
        const double b = bis[i];
        // No drug gives more than the baseline; no concentration gives a BIS of 0 or below.
        if (!std::isfinite(b) || b <= 0)
            return UNKNOWN;
        if (b >= E0)
            return 0.0;
        const double f = 1 - b / E0;
        const double gam = f < eleveld::FRACTION_AT_CE50 ? curve.gammaBelow : curve.gammaFrom;
        return curve.ce50 * portable::pow(f / (1 - f), 1 / gam);
    });
}

// ---- Two drugs

std::vector<double> PNoRespHier(std::vector<double> concProp, std::vector<double> concOpioid,
                                double C50prop, double gamProp, double C50opioid, double gamOpioid,
                                double preIntensity) {
    requireSameLength(concProp, concOpioid);
    const bool valid = isPositive(C50prop) && isPositive(gamProp) && isPositive(C50opioid) &&
                       isPositive(gamOpioid) && isPositive(preIntensity);
    return rowByRow(concProp, valid, [&](std::size_t i) {
        const double cp = concProp[i], cr = concOpioid[i];
        if (!isConcentration(cp) || !isConcentration(cr))
            return UNKNOWN;
        const double post =
            preIntensity * (1 - fractionOfMaximalEffect(cr, C50opioid * preIntensity, gamOpioid));
        const double c50 = C50prop * post;
        // The opioid has removed the whole stimulus: any propofol suppresses the response.
        if (c50 <= 0)
            return cp > 0 ? 1.0 : 0.0;
        return fractionOfMaximalEffect(cp, c50, gamProp);
    });
}

namespace {
// log(conc / c50) without the quotient's overflow; -inf for a drug at 0.
double logPotency(double conc, double c50) {
    return portable::log(conc) - portable::log(c50);
}
} // namespace

std::vector<double> EffMinto(std::vector<double> concA, std::vector<double> concB, double C50a,
                             double C50b, double gam, double beta, double eZero, double eMax) {
    requireSameLength(concA, concB);
    const bool valid =
        isPositive(C50a) && isPositive(C50b) && isPositive(gam) && allFinite({beta, eZero, eMax});
    return rowByRow(concA, valid, [&](std::size_t i) {
        if (!isConcentration(concA[i]) || !isConcentration(concB[i]))
            return UNKNOWN;
        const double ua = concA[i] / C50a, ub = concB[i] / C50b;
        const double sum = ua + ub;
        if (sum == 0)
            return eZero;
        // A potency beyond the largest double makes U infinite; its share theta then comes
        // from the logarithms of the potencies (a drug at 0 has the share 0).
        const double theta =
            std::isinf(sum)
                ? 1 / (1 + portable::exp(logPotency(concB[i], C50b) - logPotency(concA[i], C50a)))
                : ua / sum;
        const double u50 = 1 - beta * theta + beta * (theta * theta);
        if (!(u50 > 0))
            return UNKNOWN;
        return eZero - eMax * fractionOfMaximalEffect(sum / u50, 1, gam);
    });
}

std::vector<double> EffGreco(std::vector<double> concA, std::vector<double> concB, double C50a,
                             double C50b, double gam, double alpha) {
    requireSameLength(concA, concB);
    const bool valid =
        isPositive(C50a) && isPositive(C50b) && isPositive(gam) && std::isfinite(alpha);
    return rowByRow(concA, valid, [&](std::size_t i) {
        if (!isConcentration(concA[i]) || !isConcentration(concB[i]))
            return UNKNOWN;
        const double ua = concA[i] / C50a, ub = concB[i] / C50b;
        // A potency beyond the largest double: the index runs to +inf (the whole effect) when
        // the interaction does not turn it, to -inf (no answer) when it does.
        if (std::isinf(ua) || std::isinf(ub)) {
            const bool rises = std::isinf(ua) && std::isinf(ub)
                                   ? alpha >= 0
                                   : 1 + alpha * (std::isinf(ua) ? ub : ua) > 0;
            return rises ? 1.0 : UNKNOWN;
        }
        const double index = ua + ub + alpha * ua * ub;
        if (!(index >= 0))
            return UNKNOWN;
        return fractionOfMaximalEffect(index, 1, gam);
    });
}

} // namespace pktools
