#include "pktools/variability.h"

#include "pktools/compartments.h"
#include "pktools/errors.h"
#include "pktools/parallel.h"
#include "pktools/prediction.h"
#include "pktools/random.h"
#include "pktools/refusals.h"
#include "portablemath/math.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <optional>
#include <span>

namespace pktools {

using catalogue::Block;

namespace {

constexpr double UNKNOWN = std::numeric_limits<double>::quiet_NaN();

// One virtual patient's course through the dosing table, plasma or effect site.
template <Site S> struct PatientCourse;
template <> struct PatientCourse<Site::Plasma> {
    PlasmaCourse course;
    static PatientCourse of(const std::vector<double>& row) {
        using namespace volcl;
        return {PlasmaCourse(
            plasmaModelOfVolumes(row[V1], row[V2], row[V3], row[Cl1], row[Cl2], row[Cl3]))};
    }
};
template <> struct PatientCourse<Site::EffectSite> {
    EffectCourse course;
    static PatientCourse of(const std::vector<double>& row) {
        const std::vector<double> hyb(Cl2Hyb({row.begin(), row.begin() + PARAMETER_COUNT}));
        const EffectSiteModel model =
            effectModelOf({hyb[hybrid::A], hyb[hybrid::B], hyb[hybrid::C], hyb[hybrid::l1],
                           hyb[hybrid::l2], hyb[hybrid::l3]},
                          row[PARAMETER_COUNT]);
        return {EffectCourse(model.h, model.ke0)};
    }
};

// The band of a site: patients' courses made on the threads, rows in blocks, each block's
// values simulated patient by patient and then ranked row by row.
template <Site S>
std::vector<std::vector<double>> bandOf(const BandRequest& r, const SlotFactor& omega,
                                        const std::vector<double>& ks, const Parallel& parallel) {
    const unsigned threads = parallel.threads();
    const std::size_t rows = r.deltaTimes.size();
    const std::size_t n = r.patients;
    std::vector<std::vector<double>> band(ks.size(), std::vector<double>(rows, UNKNOWN));
    if (rows == 0)
        return band;

    // The rows whose concentrations are known: up to the first that is not a finite number.
    std::size_t known = std::isfinite(r.IVBolus[0]) ? 1 : 0;
    while (known > 0 && known < rows && std::isfinite(r.deltaTimes[known]) &&
           std::isfinite(r.Rate[known]) && std::isfinite(r.IVBolus[known]))
        ++known;
    if (known == 0)
        return band;

    std::vector<std::optional<PatientCourse<S>>> courses(n);
    parallel.run([&](unsigned t) {
        const Share share = shareOf(n, t, threads);
        for (std::size_t p = share.begin; p < share.end; ++p)
            courses[p].emplace(
                PatientCourse<S>::of(individualRow(r.row, patientEtas(omega, r.seed, p))));
    });

    const std::size_t blockRows = std::max<std::size_t>(1, std::min(known, r.blockValues / n));
    std::vector<double> values(blockRows * n);
    for (std::size_t first = 0; first < known; first += blockRows) {
        const std::size_t last = std::min(known, first + blockRows);
        // Each patient through the block's rows, its row values written beside the next
        // patient's.
        parallel.run([&](unsigned t) {
            const Share share = shareOf(n, t, threads);
            for (std::size_t p = share.begin; p < share.end; ++p) {
                auto& course = courses[p]->course;
                double* out = values.data() + p;
                for (std::size_t i = first; i < last; ++i, out += n)
                    *out = i == 0 ? course.start(r.IVBolus[0])
                                  : course.step(r.deltaTimes[i], r.Rate[i], r.IVBolus[i]);
            }
        });
        parallel.run([&](unsigned t) {
            const Share share = shareOf(last - first, t, threads);
            OrderStatistics statistics;
            for (std::size_t i = first + share.begin; i < first + share.end; ++i) {
                const std::vector<double> p =
                    statistics.percentiles({values.data() + (i - first) * n, n}, ks);
                for (std::size_t k = 0; k < ks.size(); ++k)
                    band[k][i] = p[k];
            }
        });
    }
    return band;
}

std::vector<double> cellBand(std::vector<double> deltaTimes, std::vector<double> Rate,
                             std::vector<double> IVBolus, std::vector<double> row, Block omega,
                             double seed, double nPatients, double k, Site site) {
    BandRequest request{std::move(deltaTimes),
                        std::move(Rate),
                        std::move(IVBolus),
                        std::move(row),
                        std::move(omega),
                        0,
                        0,
                        site,
                        BAND_BLOCK_VALUES};
    request.seed = wholeNumberUpTo2To53(seed, refusals::BAD_SEED);
    request.patients = bandPatients(nPatients);
    if (static_cast<double>(request.patients) > LARGEST_CELL_PATIENTS)
        throw InputError(refusals::CELL_BAND_PATIENTS);
    if (static_cast<double>(request.patients) * static_cast<double>(request.deltaTimes.size()) >
        LARGEST_CELL_BAND)
        throw InputError(refusals::CELL_BAND_SIZE);
    return populationBand(request, {k}, Serial()).front();
}

} // namespace

double CVFromOmega2(double omega2) {
    if (!(omega2 >= 0))
        throw InputError(refusals::NEGATIVE_VARIANCE);
    return std::sqrt(portable::exp(omega2) - 1);
}

double Omega2FromCV(double cv) {
    if (!(cv >= 0))
        throw InputError(refusals::NEGATIVE_CV);
    return portable::log(1 + cv * cv);
}

std::size_t bandPatients(double nPatients) {
    if (!(nPatients >= 1 && nPatients <= LARGEST_SEED) || std::floor(nPatients) != nPatients)
        throw InputError(refusals::PATIENT_COUNT);
    return static_cast<std::size_t>(nPatients);
}

std::vector<double> covarianceMatrix(const Block& omega, std::size_t n,
                                     const catalogue::ErrorCause& shapeRefusal) {
    const bool line = omega.isLine() && omega.cells.size() == n;
    if (!line && !(omega.rows == n && omega.columns == n))
        throw InputError(shapeRefusal);
    std::vector<double> a = line ? std::vector<double>(n * n) : omega.cells;
    if (line)
        for (std::size_t k = 0; k < n; ++k)
            a[k * n + k] = omega.cells[k];
    for (std::size_t i = 0; i < n; ++i) {
        const double variance = a[i * n + i];
        if (!(variance >= 0) || !std::isfinite(variance))
            throw InputError(refusals::OMEGA_VARIANCE);
        for (std::size_t j = 0; j < i; ++j) {
            if (!std::isfinite(a[i * n + j]))
                throw InputError(refusals::OMEGA_VARIANCE);
            if (a[i * n + j] != a[j * n + i])
                throw InputError(refusals::OMEGA_ASYMMETRIC);
        }
    }
    return a;
}

bool choleskyFactor(std::span<const double> a, std::size_t n, std::span<double> L) {
    std::fill(L.begin(), L.end(), 0.0);
    bool definite = true;
    // a_ij less what the columns before j already account for, subtracted column by column.
    auto remainder = [&](std::size_t i, std::size_t j) {
        double s = a[i * n + j];
        for (std::size_t k = 0; k < j; ++k)
            s -= L[i * n + k] * L[j * n + k];
        return s;
    };
    for (std::size_t j = 0; j < n; ++j) {
        const double pivot = remainder(j, j);
        const double band = ZERO_PIVOT_BAND * a[j * n + j];
        if (pivot > band) {
            L[j * n + j] = std::sqrt(pivot);
            for (std::size_t i = j + 1; i < n; ++i)
                L[i * n + j] = remainder(i, j) / L[j * n + j];
            continue;
        }
        // A zero pivot: the column stays zero, which needs the rest of it to vanish too.
        definite = false;
        if (pivot < -band)
            throw InputError(refusals::OMEGA_NOT_SEMIDEFINITE);
        for (std::size_t i = j + 1; i < n; ++i)
            if (std::fabs(remainder(i, j)) >
                ZERO_PIVOT_BAND * std::sqrt(a[i * n + i] * a[j * n + j]))
                throw InputError(refusals::OMEGA_NOT_SEMIDEFINITE);
    }
    return definite;
}

SlotFactor slotFactor(const Block& omega) {
    const std::vector<double> a = covarianceMatrix(omega, ETA_SLOTS, refusals::OMEGA_SHAPE);
    SlotFactor f;
    choleskyFactor(a, ETA_SLOTS, f.L);
    return f;
}

std::array<double, ETA_SLOTS> patientEtas(const SlotFactor& omega, std::uint64_t seed,
                                          std::uint64_t patient) {
    std::array<double, ETA_SLOTS> z;
    for (std::size_t k = 0; k < ETA_SLOTS; ++k)
        z[k] = normalDraw(seed, ETA_SLOTS * patient + k);
    std::array<double, ETA_SLOTS> eta;
    for (std::size_t i = 0; i < ETA_SLOTS; ++i) {
        double sum = omega.L[i * ETA_SLOTS] * z[0];
        for (std::size_t j = 1; j <= i; ++j)
            sum += omega.L[i * ETA_SLOTS + j] * z[j];
        eta[i] = sum;
    }
    return eta;
}

std::vector<double> individualRow(const std::vector<double>& row,
                                  const std::array<double, ETA_SLOTS>& eta) {
    std::vector<double> individual(row.size());
    for (std::size_t k = 0; k < row.size(); ++k)
        individual[k] = row[k] * portable::exp(eta[k]);
    return individual;
}

void requireParameterRow(const std::vector<double>& row) {
    if (row.size() != PARAMETER_COUNT && row.size() != ETA_SLOTS)
        throw InputError(refusals::ROW_LENGTH);
}

std::vector<double> VirtualPatient(std::vector<double> row, Block omega, double seed,
                                   double index) {
    requireParameterRow(row);
    const SlotFactor factor = slotFactor(omega);
    const std::uint64_t s = wholeNumberUpTo2To53(seed, refusals::BAD_SEED);
    const std::uint64_t patient = wholeNumberUpTo2To53(index, refusals::BAD_PATIENT_INDEX);
    return individualRow(row, patientEtas(factor, s, patient));
}

namespace {

// The rank h = (n - 1) k of a percentile and its whole part lo.
struct Rank {
    double h;
    std::size_t lo;
};
Rank rankOf(std::size_t n, double k) {
    const double h = static_cast<double>(n - 1) * k;
    return {h, static_cast<std::size_t>(std::floor(h))};
}

// The percentile at a rank from its two order statistics x_(lo) and x_(lo+1) (the same value
// when lo is the last rank).
double interpolate(const Rank& rank, double low, double high) {
    return low + (rank.h - static_cast<double>(rank.lo)) * (high - low);
}

// percentiles by selecting in place.
std::vector<double> selectedPercentiles(std::span<double> values, const std::vector<double>& ks) {
    std::vector<std::size_t> order(ks.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return ks[a] < ks[b]; });
    std::vector<double> result(ks.size());
    // values[0 ... placed - 1] hold the smallest values, the largest of them last.
    std::size_t placed = 0;
    for (std::size_t index : order) {
        const Rank rank = rankOf(values.size(), ks[index]);
        if (rank.lo >= placed) {
            std::nth_element(values.begin() + static_cast<std::ptrdiff_t>(placed),
                             values.begin() + static_cast<std::ptrdiff_t>(rank.lo), values.end());
            placed = rank.lo + 1;
        }
        const double low = values[rank.lo];
        const double high =
            rank.lo + 1 < values.size()
                ? *std::min_element(values.begin() + static_cast<std::ptrdiff_t>(rank.lo) + 1,
                                    values.end())
                : low;
        result[index] = interpolate(rank, low, high);
    }
    return result;
}

} // namespace

std::vector<double> OrderStatistics::percentiles(std::span<double> values,
                                                 const std::vector<double>& ks) {
    const std::size_t n = values.size();
    double min = values[0], max = values[0];
    for (double x : values) {
        min = x < min ? x : min;
        max = x > max ? x : max;
    }
    const double range = max - min;
    if (n < HISTOGRAM_FROM || n > std::numeric_limits<std::uint32_t>::max() ||
        !std::isfinite(range) || range == 0)
        return selectedPercentiles(values, ks);

    // Every value's bucket, monotone in the value: a larger value never falls into a lower
    // bucket, so the buckets hold the ranks in order. Two counts per bucket, of the values at
    // even and at odd places, so that neighbouring values rarely wait on the same count.
    const double scale = static_cast<double>(HISTOGRAM_BUCKETS) / range;
    buckets_.resize(n);
    counts_.assign(2 * (HISTOGRAM_BUCKETS + 1), 0);
    std::uint32_t* const even = counts_.data();
    std::uint32_t* const odd = even + HISTOGRAM_BUCKETS + 1;
    for (std::size_t j = 0; j < n; ++j) {
        const auto b = static_cast<std::uint16_t>(
            std::min(HISTOGRAM_BUCKETS - 1, static_cast<std::size_t>((values[j] - min) * scale)));
        buckets_[j] = b;
        ++(j % 2 == 0 ? even : odd)[b + 1];
    }
    for (std::size_t b = 1; b <= HISTOGRAM_BUCKETS; ++b)
        even[b] += odd[b] + even[b - 1]; // even[b]: the values in the buckets below b
    counts_.resize(HISTOGRAM_BUCKETS + 1);

    // The buckets that hold the ranks x_(lo) and x_(lo+1) of each percentile.
    std::vector<Rank> ranks(ks.size());
    wanted_.assign(HISTOGRAM_BUCKETS, 0);
    auto bucketOfRank = [&](std::size_t r) {
        return static_cast<std::size_t>(std::upper_bound(counts_.begin(), counts_.end(), r) -
                                        counts_.begin()) -
               1;
    };
    for (std::size_t k = 0; k < ks.size(); ++k) {
        ranks[k] = rankOf(n, ks[k]);
        wanted_[bucketOfRank(ranks[k].lo)] = 1;
        if (ranks[k].lo + 1 < n)
            wanted_[bucketOfRank(ranks[k].lo + 1)] = 1;
    }
    // Those buckets' values, each bucket in its own part of gathered_ at its first rank's
    // place relative to the others.
    start_.assign(HISTOGRAM_BUCKETS, 0);
    std::size_t size = 0;
    for (std::size_t b = 0; b < HISTOGRAM_BUCKETS; ++b)
        if (wanted_[b]) {
            start_[b] = size;
            size += counts_[b + 1] - counts_[b];
        }
    gathered_.resize(size);
    filled_ = start_;
    for (std::size_t j = 0; j < n; ++j)
        if (wanted_[buckets_[j]])
            gathered_[filled_[buckets_[j]]++] = values[j];
    // Rank r is the (r - counts_[b])-th smallest value of its bucket b.
    auto orderStatistic = [&](std::size_t r) {
        const std::size_t b = bucketOfRank(r);
        const auto first = gathered_.begin() + static_cast<std::ptrdiff_t>(start_[b]);
        const auto last = first + static_cast<std::ptrdiff_t>(counts_[b + 1] - counts_[b]);
        const auto nth = first + static_cast<std::ptrdiff_t>(r - counts_[b]);
        std::nth_element(first, nth, last);
        return *nth;
    };
    std::vector<double> result(ks.size());
    for (std::size_t k = 0; k < ks.size(); ++k) {
        const double low = orderStatistic(ranks[k].lo);
        const double high = ranks[k].lo + 1 < n ? orderStatistic(ranks[k].lo + 1) : low;
        result[k] = interpolate(ranks[k], low, high);
    }
    return result;
}

std::vector<std::vector<double>> populationBand(const BandRequest& request,
                                                const std::vector<double>& ks,
                                                const Parallel& parallel) {
    if (request.deltaTimes.size() != request.Rate.size() ||
        request.deltaTimes.size() != request.IVBolus.size())
        throw InputError(refusals::LENGTHS);
    requireParameterRow(request.row);
    if (request.site == Site::EffectSite && request.row.size() != ETA_SLOTS)
        throw InputError(refusals::NO_KE0_IN_ROW);
    const SlotFactor omega = slotFactor(request.omega);
    for (double k : ks)
        if (!(k >= 0 && k <= 1))
            throw InputError(refusals::PERCENTILE_RANGE);
    if (request.patients == 0)
        throw InputError(refusals::PATIENT_COUNT);
    if (request.site == Site::Plasma)
        return bandOf<Site::Plasma>(request, omega, ks, parallel);
    return bandOf<Site::EffectSite>(request, omega, ks, parallel);
}

std::vector<double> CpBandVCl(std::vector<double> deltaTimes, std::vector<double> Rate,
                              std::vector<double> IVBolus, std::vector<double> row, Block omega,
                              double seed, double nPatients, double k) {
    return cellBand(std::move(deltaTimes), std::move(Rate), std::move(IVBolus), std::move(row),
                    std::move(omega), seed, nPatients, k, Site::Plasma);
}

std::vector<double> CeBandVCl(std::vector<double> deltaTimes, std::vector<double> Rate,
                              std::vector<double> IVBolus, std::vector<double> row, Block omega,
                              double seed, double nPatients, double k) {
    return cellBand(std::move(deltaTimes), std::move(Rate), std::move(IVBolus), std::move(row),
                    std::move(omega), seed, nPatients, k, Site::EffectSite);
}

void virtualPopulation(const std::vector<double>& row, const Block& omega, std::uint64_t seed,
                       std::uint64_t first, std::size_t count, double* out,
                       const Parallel& parallel) {
    requireParameterRow(row);
    const SlotFactor factor = slotFactor(omega);
    parallel.run([&](unsigned t) {
        const Share share = shareOf(count, t, parallel.threads());
        for (std::size_t p = share.begin; p < share.end; ++p) {
            const std::vector<double> patient =
                individualRow(row, patientEtas(factor, seed, first + p));
            std::copy(patient.begin(), patient.end(), out + p * row.size());
        }
    });
}

} // namespace pktools
