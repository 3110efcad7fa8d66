#pragma once

// Effects of concentrations: the sigmoid Emax curve, the Eleveld propofol BIS model and its
// inverse, and the two-drug models (the hierarchical model of no response, the Minto and
// Greco response surfaces).
//
// Apart from PredEff, every function here follows the same edge rules. A concentration
// below 0, a C50 or a steepness of 0 or below, or any input that is not a finite number
// has no answer: the row (or, for a parameter, every row) is NaN, which the sheet shows as
// its number error. A concentration of 0 gives the drug-free value, and a huge
// concentration the limit of the curve (the fraction below never divides infinities).
// The column functions work row by row; a single number is a column of one.

#include <vector>

namespace pktools {

// The sigmoid Emax (Hill) effect of each effect-site concentration:
// (eMax - eZero) c^gam / (IC50^gam + c^gam) + eZero.
std::vector<double> PredEff(std::vector<double> concEff, double eZero, double eMax, double IC50,
                            double gam);

// The fraction of the maximal effect at concentration c, c^gam / (c^gam + c50^gam), for
// c >= 0, c50 > 0 and gam > 0 (not checked). With r = c / c50 it is r^gam / (1 + r^gam)
// for r <= 1 and 1 / (1 + r^-gam) above, so that it is 0 at c = 0 and tends to 1 without
// overflow.
double fractionOfMaximalEffect(double c, double c50, double gam);

// ---- The Eleveld propofol BIS model (ug/mL, years)

// The effect-site propofol concentration of half the maximal fall of BIS at this age:
// exp(1.124750 - 0.006348370 (age - 35)).
double Ce50Eleveld(double age);

// The typical BIS at each effect-site concentration: E0 (1 - H(Ce; Ce50, gam)) with
// E0 = 92.98240 and gam = exp(0.6386410) below Ce50, exp(0.3877210) at and above it.
std::vector<double> BisEleveld(std::vector<double> concEff, double age);

// The effect-site concentration whose typical BIS is each row's bis, the inverse of
// BisEleveld: with f = 1 - bis/E0, Ce50 (f / (1 - f))^(1/gam), gam the steeper one for
// f < 0.5. A bis at or above E0 gives 0; a bis of 0 or below has no answer (NaN).
std::vector<double> CeForBisEleveld(std::vector<double> bis, double age);

// ---- Two drugs, row by row of two columns of the same length

// The probability of no response to a stimulus under propofol (concProp) and an opioid
// (concOpioid), by the hierarchical model: the opioid lowers the stimulus intensity to
// post = preIntensity (1 - H(concOpioid; C50opioid preIntensity, gamOpioid)), and the
// probability is H(concProp; C50prop post, gamProp); 1 for any propofol where post is 0.
// preIntensity of 0 or below has no answer. Throws InputError "Columns of different
// length!".
std::vector<double> PNoRespHier(std::vector<double> concProp, std::vector<double> concOpioid,
                                double C50prop, double gamProp, double C50opioid, double gamOpioid,
                                double preIntensity);

// The effect of the Minto response surface: with Ua = concA/C50a, Ub = concB/C50b,
// theta = Ua / (Ua + Ub) and U50 = 1 - beta theta + beta theta^2,
// eZero - eMax H((Ua + Ub)/U50; 1, gam); eZero with no drug. U50 of 0 or below has no
// answer. Throws InputError "Columns of different length!".
std::vector<double> EffMinto(std::vector<double> concA, std::vector<double> concB, double C50a,
                             double C50b, double gam, double beta, double eZero, double eMax);

// The fraction of effect of the Greco surface: H(Ua + Ub + alpha Ua Ub; 1, gam), with
// Ua and Ub as for EffMinto. A negative interaction index (alpha so antagonistic that the
// sum falls below 0) has no answer. Throws InputError "Columns of different length!".
std::vector<double> EffGreco(std::vector<double> concA, std::vector<double> concB, double C50a,
                             double C50b, double gam, double alpha);

} // namespace pktools
