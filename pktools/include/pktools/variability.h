#pragma once

// Inter-individual variability: a log-normal parameter P_i = P_typical exp(eta_i), with eta of
// variance omega^2; virtual patients drawn around a model's typical row; and the percentile
// bands of their concentrations under one dosing table.
//
// The slots of a parameter row are V1, V2, V3, Cl1, Cl2, Cl3 and ke0. Patient i (from 0) of a
// seed uses the normal draws 7i ... 7i + 6 of that seed (pktools/random.h), one per slot
// whether or not the slot varies, so that a seed gives the same "person" under every model:
// eta = L z with L the lower Cholesky factor of Omega, whose column is zero where the pivot is
// zero (a slot without variance). A band's patient p is VirtualPatient(row, omega, seed, p),
// and its concentrations are the ones PredCpVCl (plasma) and PredCe (effect site, on Cl2Hyb of
// the patient's row and its ke0) compute for it.

#include "catalogue/kinds.h"
#include "catalogue/reference.h"
#include "pktools/parallel.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace pktools {

// The coefficient of variation (a fraction) of a log-normal parameter whose eta has the
// variance omega2: sqrt(exp(omega2) - 1). The common shortcut omega^2 = CV^2 overstates large
// variances (CV 66 %: 0.436 against the exact 0.362). Throws InputError "Variance must be 0
// or above!" for a variance below 0 or not a number.
double CVFromOmega2(double omega2);

// The variance of eta for a coefficient of variation cv (a fraction): ln(1 + cv^2). Throws
// InputError "CV must be 0 or above!" for a cv below 0 or not a number.
double Omega2FromCV(double cv);

// ---- Virtual patients

// The slots of a parameter row that may vary: V1, V2, V3, Cl1, Cl2, Cl3, ke0.
inline constexpr std::size_t ETA_SLOTS = 7;

// The lower Cholesky factor of Omega of the seven slots, row by row (L[i * 7 + j]).
struct SlotFactor {
    std::array<double, ETA_SLOTS * ETA_SLOTS> L{};
};

// A pivot at most this share of its variance is zero (a slot without variance, or one that
// moves only with others): its column of L stays zero.
inline constexpr double ZERO_PIVOT_BAND = 1e-12;

// A covariance matrix of n etas as the sheet gives it, n x n row by row: n variances (a row or
// a column, a diagonal matrix) or an n x n block, symmetric. Throws InputError shapeRefusal
// for another shape, "Omega has a negative or missing variance!" or "Omega block is not
// symmetric!".
std::vector<double> covarianceMatrix(const catalogue::Block& omega, std::size_t n,
                                     const catalogue::ErrorCause& shapeRefusal);

// The lower Cholesky factor L (row by row, n x n) of a covariance matrix a: a pivot at most
// ZERO_PIVOT_BAND of its variance is zero and leaves its column of L zero. Returns whether
// every pivot was above it (a positive definite matrix). Throws InputError "Omega is not
// positive semi-definite!".
bool choleskyFactor(std::span<const double> a, std::size_t n, std::span<double> L);

// Omega as the sheet gives it: 7 variances (a row or a column, a diagonal Omega) or a 7 x 7
// block, symmetric and positive semi-definite. Throws InputError "Omega needs 7 variances or a
// 7x7 block!", "Omega has a negative or missing variance!", "Omega block is not symmetric!" or
// "Omega is not positive semi-definite!".
SlotFactor slotFactor(const catalogue::Block& omega);

// The etas of patient i of a seed: L z, z the normal draws 7i ... 7i + 6, each sum added from
// the first column to the diagonal.
std::array<double, ETA_SLOTS> patientEtas(const SlotFactor& omega, std::uint64_t seed,
                                          std::uint64_t patient);

// row_k * exp(eta_k) for each cell of the row (6 or 7).
std::vector<double> individualRow(const std::vector<double>& row,
                                  const std::array<double, ETA_SLOTS>& eta);

// Throws InputError "Row needs 6 or 7 values!" unless the row has 6 or 7 cells.
void requireParameterRow(const std::vector<double>& row);

// Virtual patient number index (from 0) of the seed: the row's cells times exp(eta), as many
// as the row has. Throws InputError: "Row needs 6 or 7 values!", the refusals of slotFactor,
// "Seed must be a whole number from 0 to 2^53!", "index must be a whole number from 0 to
// 2^53!".
std::vector<double> VirtualPatient(std::vector<double> row, catalogue::Block omega, double seed,
                                   double index);

// Patients first ... first + count - 1 of the seed, row after row (count x row.size() values
// into out), shared among the threads of `parallel`; any count gives the same bits. Throws as
// VirtualPatient for the row and omega.
void virtualPopulation(const std::vector<double>& row, const catalogue::Block& omega,
                       std::uint64_t seed, std::uint64_t first, std::size_t count, double* out,
                       const Parallel& parallel);

// ---- Percentile bands

// The percentiles of many values for several k (0 <= k <= 1) at once, each interpolated at
// rank h = (n - 1) k as PERCENTILE.INC does: x_(lo) + (h - lo) (x_(lo+1) - x_(lo)), lo =
// floor(h), x_(i) the i-th smallest value (data 1, 3, 2, 4 at k = 0.3 give 1.9). The order
// statistics are selected exactly (the result is that of a full sort); for many values the
// selection first counts them into a histogram of value ranges and then selects only within
// the ranges that hold the ranks. The buffers are kept from call to call.
class OrderStatistics {
public:
    // The values (none NaN) are reordered.
    std::vector<double> percentiles(std::span<double> values, const std::vector<double>& ks);

private:
    std::vector<std::uint16_t> buckets_;
    std::vector<std::uint32_t> counts_;
    std::vector<std::size_t> start_, filled_;
    std::vector<unsigned char> wanted_;
    std::vector<double> gathered_;
};
// From this many values the selection counts first, into this many ranges (at most 2^16).
inline constexpr std::size_t HISTOGRAM_FROM = 4096;
inline constexpr std::size_t HISTOGRAM_BUCKETS = 16384;
static_assert(HISTOGRAM_BUCKETS <= 65536, "a bucket's number is kept in 16 bits");

// The number of patients of a band as the caller gives it: a whole number from 1 to 2^53.
// Throws InputError "nPatients must be a whole number from 1 on!".
std::size_t bandPatients(double nPatients);

// Where a band's concentrations are taken.
enum class Site { Plasma, EffectSite };

// The largest number of patient rows (patients times rows of the table) a band computes in
// a worksheet cell: about a second of work, so that no cell runs for long in the host.
inline constexpr double LARGEST_CELL_BAND = 1e8;
// The most patients a band computes in a worksheet cell: each patient's compartments are kept
// while the rows are worked through (some 200 bytes a patient).
inline constexpr double LARGEST_CELL_PATIENTS = 1e6;

// The most values of a band kept at once: 32 MB of doubles (a few rows of a million patients).
inline constexpr std::size_t BAND_BLOCK_VALUES = std::size_t{1} << 22;

// What a band is computed from: a dosing table (deltaTimes, Rate, IVBolus with the usual row
// rule), the typical row, Omega of the seven slots, the seed and the number of patients.
struct BandRequest {
    std::vector<double> deltaTimes, Rate, IVBolus;
    std::vector<double> row;
    catalogue::Block omega;
    std::uint64_t seed = 0;
    std::size_t patients = 0;
    Site site = Site::Plasma;
    // The most values (patients times rows) simulated before they are ranked.
    std::size_t blockValues = BAND_BLOCK_VALUES;
};

// For each k, a column: the k-th percentile of each row's concentration over patients
// 0 ... patients - 1, NaN from the first row whose interval, rate or bolus is not finite (as
// PredCp). The rows are worked through in blocks of at most blockValues values, each
// patient's compartment state kept from block to block; the threads of `parallel` share the
// patients and the rows, and any count gives the same bits. Throws InputError: "Columns of
// different length!", "Row needs 6 or 7 values!", "Ce band needs a row of 7 values with ke0!", the
// refusals of slotFactor, "k must be from 0 to 1!", "nPatients must be a whole number from 1 on!",
// and "Negative or missing PK parameter!" for the first patient whose row PredCpVCl (plasma) or
// PredCe (effect site) refuses.
std::vector<std::vector<double>>
populationBand(const BandRequest& request, const std::vector<double>& ks, const Parallel& parallel);

// The band of plasma (Cp) or effect-site (Ce) concentrations as a worksheet cell gives it:
// one percentile k, on the caller's thread. Throws as populationBand, and "Seed must be a whole
// number from 0 to 2^53!", "nPatients must be at most 1000000 in a cell!" (LARGEST_CELL_PATIENTS)
// and "nPatients times rows must be at most 100000000!" (LARGEST_CELL_BAND).
std::vector<double> CpBandVCl(std::vector<double> deltaTimes, std::vector<double> Rate,
                              std::vector<double> IVBolus, std::vector<double> row,
                              catalogue::Block omega, double seed, double nPatients, double k);
std::vector<double> CeBandVCl(std::vector<double> deltaTimes, std::vector<double> Rate,
                              std::vector<double> IVBolus, std::vector<double> row,
                              catalogue::Block omega, double seed, double nPatients, double k);

} // namespace pktools
