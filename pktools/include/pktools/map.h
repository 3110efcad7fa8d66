#pragma once

// Bayesian (maximum a posteriori) individualisation: the etas that make a patient's measured
// concentrations most probable under the population distribution of a model's parameters.
//
// The objective, -2 log posterior up to a constant, of the estimated etas:
//
//   OFV(eta) = sum_j [ (y_j - f_j)^2 / var_j + ln var_j ] + eta' Omega^-1 eta
//
// over the samples j, y_j measured and f_j predicted, with var_j = (sigmaProp f_j)^2 +
// sigmaAdd^2 (a proportional and an additive error, their variances added) or, with a log
// error of SD sigmaLog, the residual ln y_j - ln f_j and var_j = sigmaLog^2. The ln var_j term
// is kept: with a proportional error a sample exactly on the typical prediction does not give
// eta = 0 exactly. The terms are added sample by sample, then the prior's, the sum of squares
// of L^-1 eta with L the lower Cholesky factor of Omega.

#include "catalogue/kinds.h"
#include "pktools/simplex.h"

#include <optional>
#include <vector>

namespace pktools {

// The fit's search: simplices from eta = 0 with edges of MAP_STEP, to MAP_TOLERANCE in every
// eta.
inline constexpr double MAP_STEP = 0.1;
inline constexpr double MAP_TOLERANCE = 1e-10;

// The residual error model. Throws InputError "Negative or missing residual error!" for a
// negative or non-finite SD, for sigmaProp and sigmaAdd both 0 without sigmaLog, or for a
// sigmaLog of 0 or below, and "Give sigmaLog alone, with sigmaProp and sigmaAdd 0!".
struct ResidualError {
    double prop = 0, add = 0;
    std::optional<double> log;
};
ResidualError residualErrorOf(double sigmaProp, double sigmaAdd, std::optional<double> sigmaLog);

// The objective of the etas for measured and predicted columns (a row holding both is a
// sample); omega holds the variances of the etas (one per eta, a row or a column) or their
// covariance block, positive definite. Throws InputError: "Eta not a finite number!", "Eta
// needs 1 to 7 values!", "Omega needs one variance per eta or a square block!", the
// refusals of covarianceMatrix and choleskyFactor, "Omega is not positive definite!",
// "Columns of different length!", the residual error's, and for the first sample that does
// not fit "Sample not a finite number!", "Negative measurement!", "Measurement must be above
// 0 with sigmaLog!" or "Non-positive prediction!" (below 0, or 0 with a log or a purely
// proportional error); "No samples!".
double MapObjective(std::vector<double> eta, catalogue::Block omega, catalogue::Samples measured,
                    catalogue::Samples predicted, double sigmaProp, double sigmaAdd,
                    std::optional<double> sigmaLog);

// The fitted etas (all seven slots; 0 where not estimated), the individual row and the search.
struct MapFit {
    std::vector<double> eta;
    std::vector<double> row;
    SimplexResult search;
};

// The MAP fit of a typical row (6 or 7 values) to the samples measured under a dosing table
// (deltaTimes, Rate, IVBolus with the usual row rule; measured empty where not sampled). A
// sample's prediction is PredCpVCl's plasma concentration of the individual row at the end
// of its row's interval, before that row's bolus (0 for a sample in row 0). omega: the seven
// slots' variances or block, as VirtualPatient takes it; the plasma slots with a variance
// above 0 are estimated, and ke0's eta, which no plasma sample informs, takes its mode given
// theirs (0 unless it covaries with them). Throws InputError: "Columns of different length!",
// "Row needs 6 or 7 values!", the refusals of slotFactor, "Omega is not positive definite!"
// (for the estimated slots), the residual error's, "Negative or missing PK parameter!" for
// the typical row, "No samples!", "Dosing row not a finite number before a sample!", the
// sample refusals of MapObjective (at the typical row's predictions) and "The fit did not
// converge!".
MapFit mapFit(const std::vector<double>& deltaTimes, const std::vector<double>& Rate,
              const std::vector<double>& IVBolus, const catalogue::Samples& measured,
              const std::vector<double>& row, const catalogue::Block& omega,
              const ResidualError& error);

// The individual row of mapFit, as the worksheet gives it.
std::vector<double> MapIndividualVCl(std::vector<double> deltaTimes, std::vector<double> Rate,
                                     std::vector<double> IVBolus, catalogue::Samples measured,
                                     std::vector<double> row, catalogue::Block omega,
                                     double sigmaProp, double sigmaAdd,
                                     std::optional<double> sigmaLog);

} // namespace pktools
