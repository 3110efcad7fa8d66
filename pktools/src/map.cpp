#include "pktools/map.h"

#include "pktools/compartments.h"
#include "pktools/errors.h"
#include "pktools/prediction.h"
#include "pktools/refusals.h"
#include "pktools/variability.h"
#include "portablemath/math.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

namespace pktools {

using catalogue::Block;
using catalogue::ErrorCause;
using catalogue::Samples;

namespace {

constexpr double WORST = std::numeric_limits<double>::infinity();

// One sample's term (y - f)^2 / var + ln var, or the refusal of a sample that does not fit.
struct Term {
    double value;
    const ErrorCause* refusal;
};
Term sampleTerm(double y, double f, const ResidualError& e) {
    if (!std::isfinite(y) || !std::isfinite(f))
        return {0, &refusals::NOT_FINITE_SAMPLE};
    if (e.log) {
        if (!(y > 0))
            return {0, y < 0 ? &refusals::NEGATIVE_MEASUREMENT : &refusals::LOG_MEASUREMENT};
        if (!(f > 0))
            return {0, &refusals::MAP_PREDICTION};
        const double r = portable::log(y) - portable::log(f);
        const double var = *e.log * *e.log;
        return {r * r / var + portable::log(var), nullptr};
    }
    if (y < 0)
        return {0, &refusals::NEGATIVE_MEASUREMENT};
    if (f < 0 || (f == 0 && e.add == 0))
        return {0, &refusals::MAP_PREDICTION};
    const double r = y - f;
    const double var = (e.prop * f) * (e.prop * f) + e.add * e.add;
    return {r * r / var + portable::log(var), nullptr};
}

// The prior of n etas: Omega's lower Cholesky factor, Omega positive definite.
struct Prior {
    std::size_t n = 0;
    std::vector<double> L;
};
Prior priorOf(const std::vector<double>& omega, std::size_t n) {
    Prior prior{n, std::vector<double>(n * n)};
    if (!choleskyFactor(omega, n, prior.L))
        throw InputError(refusals::OMEGA_NOT_DEFINITE);
    return prior;
}

// eta' Omega^-1 eta: the sum of squares of w = L^-1 eta, by forward substitution.
double priorTerm(const std::vector<double>& eta, const Prior& prior) {
    const std::size_t n = prior.n;
    std::vector<double> w(n);
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        double s = eta[i];
        for (std::size_t j = 0; j < i; ++j)
            s -= prior.L[i * n + j] * w[j];
        w[i] = s / prior.L[i * n + i];
        sum += w[i] * w[i];
    }
    return sum;
}

// Omega^-1 v, by the two triangular solves with L.
std::vector<double> solved(const Prior& prior, std::vector<double> v) {
    const std::size_t n = prior.n;
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < i; ++j)
            v[i] -= prior.L[i * n + j] * v[j];
        v[i] /= prior.L[i * n + i];
    }
    for (std::size_t i = n; i-- > 0;) {
        for (std::size_t j = i + 1; j < n; ++j)
            v[i] -= prior.L[j * n + i] * v[j];
        v[i] /= prior.L[i * n + i];
    }
    return v;
}

// Whether PredCpVCl predicts from the row's volumes and clearances.
bool predictable(const std::vector<double>& p) {
    using namespace volcl;
    for (std::size_t k = 0; k < PARAMETER_COUNT; ++k)
        if (!std::isfinite(p[k]) || p[k] < 0)
            return false;
    return p[V1] > 0 && p[Cl1] > 0;
}

PlasmaCourse courseOf(const std::vector<double>& p) {
    using namespace volcl;
    return PlasmaCourse(plasmaModelOfVolumes(p[V1], p[V2], p[V3], p[Cl1], p[Cl2], p[Cl3]));
}

} // namespace

ResidualError residualErrorOf(double sigmaProp, double sigmaAdd, std::optional<double> sigmaLog) {
    auto sd = [](double s) { return s >= 0 && std::isfinite(s); };
    if (!sd(sigmaProp) || !sd(sigmaAdd))
        throw InputError(refusals::RESIDUAL_ERROR);
    if (sigmaLog) {
        if (!(*sigmaLog > 0) || !std::isfinite(*sigmaLog))
            throw InputError(refusals::RESIDUAL_ERROR);
        if (sigmaProp != 0 || sigmaAdd != 0)
            throw InputError(refusals::LOG_ERROR_ALONE);
    } else if (sigmaProp == 0 && sigmaAdd == 0) {
        throw InputError(refusals::RESIDUAL_ERROR);
    }
    return {sigmaProp, sigmaAdd, sigmaLog};
}

double MapObjective(std::vector<double> eta, Block omega, Samples measured, Samples predicted,
                    double sigmaProp, double sigmaAdd, std::optional<double> sigmaLog) {
    for (double e : eta)
        if (!std::isfinite(e))
            throw InputError(refusals::ETA_NOT_FINITE);
    // At most one eta per slot, which also bounds Omega's matrix (eta.size() squared cells).
    if (eta.empty() || eta.size() > ETA_SLOTS)
        throw InputError(refusals::ETA_COUNT);
    const Prior prior =
        priorOf(covarianceMatrix(omega, eta.size(), refusals::ETA_OMEGA_SHAPE), eta.size());
    if (measured.size() != predicted.size())
        throw InputError(refusals::LENGTHS);
    const ResidualError error = residualErrorOf(sigmaProp, sigmaAdd, sigmaLog);
    double ofv = 0;
    bool any = false;
    for (std::size_t j = 0; j < measured.size(); ++j) {
        if (!measured[j] || !predicted[j])
            continue;
        const Term term = sampleTerm(*measured[j], *predicted[j], error);
        if (term.refusal)
            throw InputError(*term.refusal);
        ofv += term.value;
        any = true;
    }
    if (!any)
        throw InputError(refusals::NO_SAMPLES);
    return ofv + priorTerm(eta, prior);
}

MapFit mapFit(const std::vector<double>& deltaTimes, const std::vector<double>& Rate,
              const std::vector<double>& IVBolus, const Samples& measured,
              const std::vector<double>& row, const Block& omega, const ResidualError& error) {
    const std::size_t rows = deltaTimes.size();
    if (Rate.size() != rows || IVBolus.size() != rows || measured.size() != rows)
        throw InputError(refusals::LENGTHS);
    requireParameterRow(row);
    // Omega's cells and refusals as VirtualPatient's (slotFactor), the matrix made once.
    const std::vector<double> slots = covarianceMatrix(omega, ETA_SLOTS, refusals::OMEGA_SHAPE);
    std::array<double, ETA_SLOTS * ETA_SLOTS> factor;
    choleskyFactor(slots, ETA_SLOTS, factor);

    // The plasma slots with a variance are estimated.
    std::vector<std::size_t> estimated;
    for (std::size_t k = 0; k < PARAMETER_COUNT; ++k)
        if (slots[k * ETA_SLOTS + k] > 0)
            estimated.push_back(k);
    const std::size_t m = estimated.size();
    std::vector<double> estimatedBlock(m * m);
    for (std::size_t i = 0; i < m; ++i)
        for (std::size_t j = 0; j < m; ++j)
            estimatedBlock[i * m + j] = slots[estimated[i] * ETA_SLOTS + estimated[j]];
    const Prior prior = priorOf(estimatedBlock, m);

    courseOf(row); // the typical row's refusal
    std::vector<std::size_t> sampled;
    for (std::size_t i = 0; i < rows; ++i)
        if (measured[i])
            sampled.push_back(i);
    if (sampled.empty())
        throw InputError(refusals::NO_SAMPLES);
    if (!std::isfinite(IVBolus[0]))
        throw InputError(refusals::DOSING_BEFORE_SAMPLE);
    for (std::size_t i = 1; i <= sampled.back(); ++i)
        if (!std::isfinite(deltaTimes[i]) || !std::isfinite(Rate[i]) || !std::isfinite(IVBolus[i]))
            throw InputError(refusals::DOSING_BEFORE_SAMPLE);

    // All seven etas of the estimated ones.
    auto slotEtas = [&](const std::vector<double>& etaEstimated) {
        std::array<double, ETA_SLOTS> eta{};
        for (std::size_t i = 0; i < m; ++i)
            eta[estimated[i]] = etaEstimated[i];
        return eta;
    };
    // The samples' part of the objective for an individual row, and the refusal of the
    // first sample that does not fit.
    auto dataTerm = [&](const std::vector<double>& individual, const ErrorCause*& refusal) {
        PlasmaCourse course = courseOf(individual);
        double sum = 0;
        std::size_t next = 0;
        for (std::size_t i = 0; i <= sampled.back(); ++i) {
            const bool isSample = sampled[next] == i;
            double f = 0;
            if (i == 0)
                course.start(IVBolus[0]); // a sample at time 0 precedes the first bolus
            else if (isSample)
                f = course.stepBeforeBolus(deltaTimes[i], Rate[i], IVBolus[i]);
            else
                course.step(deltaTimes[i], Rate[i], IVBolus[i]);
            if (!isSample)
                continue;
            ++next;
            const Term term = sampleTerm(*measured[i], f, error);
            if (term.refusal) {
                refusal = term.refusal;
                return WORST;
            }
            sum += term.value;
        }
        return sum;
    };

    // The samples must fit at the typical row.
    const ErrorCause* refusal = nullptr;
    dataTerm(row, refusal);
    if (refusal)
        throw InputError(*refusal);

    auto objective = [&](const std::vector<double>& etaEstimated) {
        const std::vector<double> individual = individualRow(row, slotEtas(etaEstimated));
        if (!predictable(individual))
            return WORST;
        const ErrorCause* ignored = nullptr;
        return dataTerm(individual, ignored) + priorTerm(etaEstimated, prior);
    };
    MapFit fit;
    fit.search =
        m > 0 ? simplexSearch(objective, std::vector<double>(m, 0.0), MAP_STEP, MAP_TOLERANCE)
              : SimplexResult{{}, objective({}), true, 0, 1, 0};
    if (!fit.search.converged || !std::isfinite(fit.search.fmin))
        throw InputError(refusals::FIT_NOT_CONVERGED);

    std::array<double, ETA_SLOTS> eta = slotEtas(fit.search.x);
    constexpr std::size_t KE0 = ETA_SLOTS - 1;
    if (row.size() == ETA_SLOTS && m > 0) {
        // ke0's conditional mode Omega(ke0, E) Omega(E)^-1 eta_E, 0 without covariances.
        const std::vector<double> weights = solved(prior, fit.search.x);
        double mode = 0;
        for (std::size_t i = 0; i < m; ++i)
            mode += slots[KE0 * ETA_SLOTS + estimated[i]] * weights[i];
        eta[KE0] = mode;
    }
    fit.eta.assign(eta.begin(), eta.end());
    fit.row = individualRow(row, eta);
    return fit;
}

std::vector<double> MapIndividualVCl(std::vector<double> deltaTimes, std::vector<double> Rate,
                                     std::vector<double> IVBolus, Samples measured,
                                     std::vector<double> row, Block omega, double sigmaProp,
                                     double sigmaAdd, std::optional<double> sigmaLog) {
    const ResidualError error = residualErrorOf(sigmaProp, sigmaAdd, sigmaLog);
    return mapFit(deltaTimes, Rate, IVBolus, measured, row, omega, error).row;
}

} // namespace pktools
