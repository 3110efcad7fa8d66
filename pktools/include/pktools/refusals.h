#pragma once

// Corvane's refusals: every text a tool routine shows instead of its result, with what
// causes it. The routines throw these texts (InputError), the catalogue lists them per
// function for the reference pages, and a test causes each one a function documents and
// checks that exactly its text comes back. A new refusal is a row here, thrown by its
// routine and named in its function's entry (pktools/catalogue.h).

#include "catalogue/reference.h"

namespace pktools::refusals {

using catalogue::ErrorCause;

// clang-format off
inline constexpr ErrorCause LENGTHS = {"Columns of different length!",
    "the columns do not all have as many rows"};
inline constexpr ErrorCause NEGATIVE_OR_MISSING = {"Negative or missing PK parameter!",
    "A, l1 (or V1, Cl1), or ke0 where it is taken, is 0 or below (an empty cell is 0), or another "
    "constant is below 0"};
inline constexpr ErrorCause NEGATIVE = {"Negative PK parameter!",
    "a hybrid constant (or ke0 where it is taken) is below 0"};
inline constexpr ErrorCause CHECK_DECREMENT = {"Check PK parameters and/or decrement!",
    "A or l1 (or ke0 where it is taken) is 0 or below, another constant below 0, or decr is 0 or "
    "below, or 100 or above"};
inline constexpr ErrorCause NOT_ASCENDING = {"#Times have to be in ascending order!",
    "a context time is not above the one before it"};
inline constexpr ErrorCause CONTEXT_TOO_LONG = {"Times have to be at most 1000000!",
    "a context time is above 1000000"};
inline constexpr ErrorCause NON_POSITIVE_LEVEL = {"Non-positive decrement concentration!",
    "a row's decrConc is 0 or below while the effect-site concentration there is above it"};
inline constexpr ErrorCause DECREMENT_NOT_FOUND = {"Decrement time not found!",
    "no finite time brings the effect-site concentration down to decrConc: a level so low and an "
    "exponent so small that the time is beyond every number"};
inline constexpr ErrorCause SIX_PARAMETERS = {"We need exactly 6 parameters!",
    "param does not hold exactly six numbers"};
inline constexpr ErrorCause CHECK_TCI_PARAMETERS = {"Check PK parameters!",
    "A, l1 or ke0 is 0 or below, or B, C, l2 or l3 below 0"};
inline constexpr ErrorCause NON_POSITIVE_MAX_RATE = {"Maxrate has to be positive!", "maxRate is 0 or below"};
inline constexpr ErrorCause PEAK_NOT_FOUND = {"Peak not found!",
    "the effect-site concentration after a bolus has no positive peak that the search finds: ke0 "
    "is 0 or vanishingly small, or the hybrid "
    "constants cancel to nothing"};
inline constexpr ErrorCause NEGATIVE_PEAK_TIME = {"Negative peack time!",
    "peak_time is 0 or below"};
inline constexpr ErrorCause CHECK_PEAK_PARAMETERS = {"Check parameters!",
    "l1 is 0, or a hybrid constant is below 0"};
inline constexpr ErrorCause KE0_NOT_FOUND = {"Ke0 not found!",
    "no positive ke0 puts the peak at peak_time: it lies beyond what the plasma curve allows"};
inline constexpr ErrorCause NOT_FINITE_SAMPLE = {"Sample not a finite number!",
    "a measurement, a prediction or a time is not a finite number, or a sample's time or subject "
    "is empty"};
inline constexpr ErrorCause NEGATIVE_MEASUREMENT = {"Negative measurement!",
    "a measured value is below 0 (0, below the quantification limit, is a sample)"};
inline constexpr ErrorCause NON_POSITIVE_PREDICTION = {"Non-positive prediction!",
    "a predicted value is 0 or below: the error relative to it has no value"};
inline constexpr ErrorCause TOO_FEW_FOR_DIVERGENCE = {
    "Divergence needs 2 samples at 2 distinct times!",
    "fewer than 2 samples, or all of them at one time"};
inline constexpr ErrorCause TOO_FEW_IN_A_SUBJECT = {
    "Divergence needs 2 samples at 2 distinct times in each subject!",
    "with method 0 or 1, a subject has fewer than 2 samples, or all of them at one time"};
inline constexpr ErrorCause NO_METHOD = {"Method must be 0, 1 or 2!",
    "method is not 0 (mean of subjects), 1 (median of subjects) or 2 (pooled)"};
inline constexpr ErrorCause NEGATIVE_VARIANCE = {"Variance must be 0 or above!",
    "omega2 is below 0 or not a number"};
inline constexpr ErrorCause NEGATIVE_CV = {"CV must be 0 or above!", "cv is below 0 or not a number"};
inline constexpr ErrorCause BAD_SEED = {"Seed must be a whole number from 0 to 2^53!",
    "seed has a fraction, is below 0, above 9007199254740992 or not a number"};
inline constexpr ErrorCause BAD_DRAW_INDEX = {"n must be a whole number from 0 to 2^53!",
    "n has a fraction, is below 0, above 9007199254740992 or not a number"};
inline constexpr ErrorCause BAD_PATIENT_INDEX = {"index must be a whole number from 0 to 2^53!",
    "index has a fraction, is below 0, above 9007199254740992 or not a number"};
inline constexpr ErrorCause ROW_LENGTH = {"Row needs 6 or 7 values!",
    "row does not hold 6 (V1, V2, V3, Cl1, Cl2, Cl3) or 7 (and ke0) numbers"};
inline constexpr ErrorCause OMEGA_SHAPE = {"Omega needs 7 variances or a 7x7 block!",
    "omega is neither a row or column of 7 cells nor a block of 7 rows and 7 columns"};
inline constexpr ErrorCause OMEGA_VARIANCE = {"Omega has a negative or missing variance!",
    "a variance of omega is below 0, or a cell of it is not a finite number"};
inline constexpr ErrorCause OMEGA_ASYMMETRIC = {"Omega block is not symmetric!",
    "the cell in row i, column j of omega's block differs from the one in row j, column i"};
inline constexpr ErrorCause OMEGA_NOT_SEMIDEFINITE = {"Omega is not positive semi-definite!",
    "the block is no covariance matrix: a covariance is too large for its variances"};
inline constexpr ErrorCause NO_KE0_IN_ROW = {"Ce band needs a row of 7 values with ke0!",
    "row holds 6 numbers, without ke0"};
inline constexpr ErrorCause PERCENTILE_RANGE = {"k must be from 0 to 1!",
    "k is below 0, above 1 or not a number"};
inline constexpr ErrorCause PATIENT_COUNT = {"nPatients must be a whole number from 1 on!",
    "nPatients is below 1, has a fraction, is above 9007199254740992 or not a number"};
inline constexpr ErrorCause CELL_BAND_PATIENTS = {"nPatients must be at most 1000000 in a cell!",
    "nPatients is above 1000000, which a cell does not hold in memory at once; the Python "
    "module's band takes more"};
inline constexpr ErrorCause CELL_BAND_SIZE = {"nPatients times rows must be at most 100000000!",
    "nPatients times the number of rows is above 100000000 (about a second of work); the "
    "Python module's band takes more"};
inline constexpr ErrorCause RESIDUAL_ERROR = {"Negative or missing residual error!",
    "sigmaProp or sigmaAdd is below 0 or not a number, both are 0 without sigmaLog, or sigmaLog "
    "is 0 or below"};
inline constexpr ErrorCause LOG_ERROR_ALONE = {"Give sigmaLog alone, with sigmaProp and sigmaAdd 0!",
    "sigmaLog is given beside a sigmaProp or sigmaAdd other than 0: the error model is either log "
    "or proportional and additive"};
inline constexpr ErrorCause ETA_NOT_FINITE = {"Eta not a finite number!",
    "a cell of eta is not a finite number"};
inline constexpr ErrorCause ETA_COUNT = {"Eta needs 1 to 7 values!",
    "eta holds more than 7 numbers: one per parameter of a row (V1 ... ke0) at most"};
inline constexpr ErrorCause ETA_OMEGA_SHAPE = {"Omega needs one variance per eta or a square block!",
    "omega is neither a row or column of as many variances as eta has cells nor a square block of "
    "that size"};
inline constexpr ErrorCause OMEGA_NOT_DEFINITE = {"Omega is not positive definite!",
    "the variances (or the block) of the estimated etas have no inverse: a variance is 0, or two "
    "etas move together exactly"};
inline constexpr ErrorCause LOG_MEASUREMENT = {"Measurement must be above 0 with sigmaLog!",
    "with the log error model, a measured value is 0, whose logarithm has no value"};
inline constexpr ErrorCause MAP_PREDICTION = {"Non-positive prediction!",
    "a predicted value is below 0, or 0 where its variance would be 0 (no additive error) or its "
    "logarithm is taken (sigmaLog)"};
inline constexpr ErrorCause NO_SAMPLES = {"No samples!",
    "no row holds both a measured and a predicted value (MapIndividualVCl: a measured value)"};
inline constexpr ErrorCause DOSING_BEFORE_SAMPLE = {"Dosing row not a finite number before a sample!",
    "an interval, rate or bolus up to the last sampled row is not a finite number"};
inline constexpr ErrorCause FIT_NOT_CONVERGED = {"The fit did not converge!",
    "the search for the most probable etas did not settle within its iterations, or the objective "
    "has no finite value there (a measurement so far from every prediction that its squared "
    "residual is beyond every number)"};
// clang-format on

// Every refusal above, once.
inline constexpr const ErrorCause* CORVANE_REFUSALS[] = {
    &LENGTHS,
    &NEGATIVE_OR_MISSING,
    &NEGATIVE,
    &CHECK_DECREMENT,
    &NOT_ASCENDING,
    &CONTEXT_TOO_LONG,
    &NON_POSITIVE_LEVEL,
    &DECREMENT_NOT_FOUND,
    &SIX_PARAMETERS,
    &CHECK_TCI_PARAMETERS,
    &NON_POSITIVE_MAX_RATE,
    &PEAK_NOT_FOUND,
    &NEGATIVE_PEAK_TIME,
    &CHECK_PEAK_PARAMETERS,
    &KE0_NOT_FOUND,
    &NOT_FINITE_SAMPLE,
    &NEGATIVE_MEASUREMENT,
    &NON_POSITIVE_PREDICTION,
    &TOO_FEW_FOR_DIVERGENCE,
    &TOO_FEW_IN_A_SUBJECT,
    &NO_METHOD,
    &NEGATIVE_VARIANCE,
    &NEGATIVE_CV,
    &BAD_SEED,
    &BAD_DRAW_INDEX,
    &BAD_PATIENT_INDEX,
    &ROW_LENGTH,
    &OMEGA_SHAPE,
    &OMEGA_VARIANCE,
    &OMEGA_ASYMMETRIC,
    &OMEGA_NOT_SEMIDEFINITE,
    &NO_KE0_IN_ROW,
    &PERCENTILE_RANGE,
    &PATIENT_COUNT,
    &CELL_BAND_PATIENTS,
    &CELL_BAND_SIZE,
    &RESIDUAL_ERROR,
    &LOG_ERROR_ALONE,
    &ETA_NOT_FINITE,
    &ETA_COUNT,
    &ETA_OMEGA_SHAPE,
    &OMEGA_NOT_DEFINITE,
    &LOG_MEASUREMENT,
    &MAP_PREDICTION,
    &NO_SAMPLES,
    &DOSING_BEFORE_SAMPLE,
    &FIT_NOT_CONVERGED,
};

} // namespace pktools::refusals
