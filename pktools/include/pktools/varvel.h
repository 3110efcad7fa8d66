#pragma once

// The Varvel measures of a model's predictive performance (Varvel, Donoho and Shafer,
// J Pharmacokinet Biopharm 1992): how far measured concentrations lie from the model's
// predictions, in percent of the prediction.
//
//   PE_j       = (measured_j - predicted_j) / predicted_j * 100      the performance error
//   MDPE       = median of PE_j                                     bias
//   MDAPE      = median of |PE_j|                                   inaccuracy
//   wobble     = median of |PE_j - MDPE|                            variability of PE in time
//   divergence = least-squares slope of |PE_j| on time_j, per hour  drift of the inaccuracy
//
// The error is relative to the prediction, not to the measurement. A median is the middle
// value, or the mean of the two middle ones. A row holding both a measured and a predicted
// value is a sample (an empty cell is none): its prediction must be above 0 and its
// measurement 0 or above (0 is below the quantification limit: PE -100 %).
//
// Every routine throws InputError: "Columns of different length!" unless all its columns
// have as many rows; for the first sample that does not fit, "Sample not a finite number!"
// (also for a sample's time or subject that is empty), "Negative measurement!" or
// "Non-positive prediction!"; "No samples!" when no row is one.

#include "catalogue/kinds.h"

#include <vector>

namespace pktools {

// Minutes per hour: divergence is reported per hour of time measured in minutes.
inline constexpr double MINUTES_PER_HOUR = 60;

// The median of the values (NaN for none): the middle one of the sorted values, or the mean
// (a + b) / 2 of the two middle ones.
double median(std::vector<double> values);

// PE of each row, in %; NaN in a row that is no sample.
std::vector<double> VarvelPE(catalogue::Samples measured, catalogue::Samples predicted);

double VarvelMDPE(catalogue::Samples measured, catalogue::Samples predicted);
double VarvelMDAPE(catalogue::Samples measured, catalogue::Samples predicted);
double VarvelWobble(catalogue::Samples measured, catalogue::Samples predicted);

// Divergence in %/h, from times in minutes. Also throws "Sample not a finite number!" for a
// time that is not a finite number, and "Divergence needs 2 samples at 2 distinct times!".
double VarvelDivergence(catalogue::Samples times, catalogue::Samples measured,
                        catalogue::Samples predicted);

// How the subjects' measures make the population's.
enum class PopulationMethod { MeanOfSubjects = 0, MedianOfSubjects = 1, Pooled = 2 };

// MDPE, MDAPE, divergence and wobble of a population, from the rows of all subjects
// (subject identifies each row's subject by a text or a number; rows of one subject need
// not be adjacent). Method 0 takes the mean of the subjects' values, 1 their median (each
// subject's measures first); 2 pools every sample of every subject into one set (one median
// of all PE, one regression over all samples). Also throws "Sample not a finite number!"
// for a sample's time that is not a finite number or its empty subject, "Method must be 0,
// 1 or 2!" and, when a subject (methods 0 and 1) or the pool has no 2 samples at 2 distinct
// times, "Divergence needs 2 samples at 2 distinct times in each subject!" or "Divergence
// needs 2 samples at 2 distinct times!".
std::vector<double> VarvelPopulation(catalogue::Identifiers subject, catalogue::Samples times,
                                     catalogue::Samples measured, catalogue::Samples predicted,
                                     double method);

} // namespace pktools
