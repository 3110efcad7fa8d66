#include "pktools/varvel.h"

#include "pktools/errors.h"
#include "pktools/refusals.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <map>
#include <optional>
#include <string>

namespace pktools {

using catalogue::Samples;

namespace {

constexpr double PERCENT = 100;

void requireSameLength(std::size_t a, std::size_t b) {
    if (a != b)
        throw InputError(refusals::LENGTHS);
}

double finite(double value) {
    if (!std::isfinite(value))
        throw InputError(refusals::NOT_FINITE_SAMPLE);
    return value;
}

// The PE of a sample, after checking its two values.
double performanceError(double measured, double predicted) {
    finite(measured);
    finite(predicted);
    if (measured < 0)
        throw InputError(refusals::NEGATIVE_MEASUREMENT);
    if (!(predicted > 0))
        throw InputError(refusals::NON_POSITIVE_PREDICTION);
    return (measured - predicted) / predicted * PERCENT;
}

// The samples of the columns: the rows holding both a measured and a predicted value, with
// their PE, in row order.
struct Sampled {
    std::vector<std::size_t> rows;
    std::vector<double> pe;
};
Sampled samplesOf(const Samples& measured, const Samples& predicted) {
    requireSameLength(measured.size(), predicted.size());
    Sampled s;
    for (std::size_t row = 0; row < measured.size(); ++row) {
        if (!measured[row] || !predicted[row])
            continue;
        s.rows.push_back(row);
        s.pe.push_back(performanceError(*measured[row], *predicted[row]));
    }
    if (s.rows.empty())
        throw InputError(refusals::NO_SAMPLES);
    return s;
}

// A sampled row's time or subject: a finite number.
double valueAt(const Samples& column, std::size_t row) {
    if (!column[row])
        throw InputError(refusals::NOT_FINITE_SAMPLE);
    return finite(*column[row]);
}

double mdpe(const std::vector<double>& pe) {
    return median(pe);
}

double mdape(std::vector<double> pe) {
    for (double& e : pe)
        e = std::fabs(e);
    return median(std::move(pe));
}

double wobble(std::vector<double> pe) {
    const double bias = median(pe);
    for (double& e : pe)
        e = std::fabs(e - bias);
    return median(std::move(pe));
}

double mean(const std::vector<double>& values) {
    double sum = 0;
    for (double v : values)
        sum += v;
    return sum / static_cast<double>(values.size());
}

// The least-squares slope of |PE| on time, per hour; nothing without 2 distinct times.
std::optional<double> divergence(const std::vector<double>& times, const std::vector<double>& pe) {
    if (std::all_of(times.begin(), times.end(), [&](double t) { return t == times[0]; }))
        return std::nullopt;
    std::vector<double> absolute(pe.size());
    for (std::size_t j = 0; j < pe.size(); ++j)
        absolute[j] = std::fabs(pe[j]);
    const double meanTime = mean(times);
    const double meanError = mean(absolute);
    double sxy = 0, sxx = 0;
    for (std::size_t j = 0; j < times.size(); ++j) {
        const double dt = times[j] - meanTime;
        sxy += dt * (absolute[j] - meanError);
        sxx += dt * dt;
    }
    return sxy / sxx * MINUTES_PER_HOUR;
}

// One subject's samples (or the pool's): times and PE in row order.
struct SampleSet {
    std::vector<double> times;
    std::vector<double> pe;
};

// The divergence of a sample set; the refusal when it has none.
double divergenceOf(const SampleSet& set, const catalogue::ErrorCause& refusal) {
    const std::optional<double> slope = divergence(set.times, set.pe);
    if (!slope)
        throw InputError(refusal);
    return *slope;
}

// The four measures of a sample set in the population's order: MDPE, MDAPE, divergence,
// wobble.
std::vector<double> measuresOf(const SampleSet& set, const catalogue::ErrorCause& refusal) {
    return {mdpe(set.pe), mdape(set.pe), divergenceOf(set, refusal), wobble(set.pe)};
}

} // namespace

double median(std::vector<double> values) {
    if (values.empty())
        return std::numeric_limits<double>::quiet_NaN();
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    if (n % 2 == 1)
        return values[n / 2];
    return (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::vector<double> VarvelPE(Samples measured, Samples predicted) {
    const Sampled s = samplesOf(measured, predicted);
    std::vector<double> pe(measured.size(), std::numeric_limits<double>::quiet_NaN());
    for (std::size_t j = 0; j < s.rows.size(); ++j)
        pe[s.rows[j]] = s.pe[j];
    return pe;
}

double VarvelMDPE(Samples measured, Samples predicted) {
    return mdpe(samplesOf(measured, predicted).pe);
}

double VarvelMDAPE(Samples measured, Samples predicted) {
    return mdape(samplesOf(measured, predicted).pe);
}

double VarvelWobble(Samples measured, Samples predicted) {
    return wobble(samplesOf(measured, predicted).pe);
}

double VarvelDivergence(Samples times, Samples measured, Samples predicted) {
    requireSameLength(times.size(), measured.size());
    Sampled s = samplesOf(measured, predicted);
    SampleSet set;
    set.pe = std::move(s.pe);
    for (std::size_t row : s.rows)
        set.times.push_back(valueAt(times, row));
    return divergenceOf(set, refusals::TOO_FEW_FOR_DIVERGENCE);
}

std::vector<double> VarvelPopulation(catalogue::Identifiers subject, Samples times,
                                     Samples measured, Samples predicted, double method) {
    requireSameLength(subject.size(), times.size());
    requireSameLength(subject.size(), measured.size());
    if (method != 0 && method != 1 && method != 2)
        throw InputError(refusals::NO_METHOD);
    const auto how = static_cast<PopulationMethod>(static_cast<int>(method));

    // The subjects in the order they first appear, and the pool of all samples.
    const Sampled s = samplesOf(measured, predicted);
    SampleSet pool;
    pool.pe = s.pe;
    std::map<std::string, std::size_t> indexOf;
    std::vector<SampleSet> subjects;
    for (std::size_t j = 0; j < s.rows.size(); ++j) {
        const std::size_t row = s.rows[j];
        const double time = valueAt(times, row);
        if (subject[row].empty())
            throw InputError(refusals::NOT_FINITE_SAMPLE);
        const auto [found, isNew] = indexOf.try_emplace(subject[row], subjects.size());
        if (isNew)
            subjects.emplace_back();
        SampleSet& set = subjects[found->second];
        set.pe.push_back(pool.pe[j]);
        set.times.push_back(time);
        pool.times.push_back(time);
    }
    if (how == PopulationMethod::Pooled)
        return measuresOf(pool, refusals::TOO_FEW_FOR_DIVERGENCE);

    // Each measure over the subjects: bySubject[k] holds measure k of every subject.
    std::vector<std::vector<double>> bySubject(4);
    for (const SampleSet& set : subjects) {
        const std::vector<double> measures = measuresOf(set, refusals::TOO_FEW_IN_A_SUBJECT);
        for (std::size_t k = 0; k < measures.size(); ++k)
            bySubject[k].push_back(measures[k]);
    }
    std::vector<double> result;
    for (const std::vector<double>& values : bySubject)
        result.push_back(how == PopulationMethod::MeanOfSubjects ? mean(values) : median(values));
    return result;
}

} // namespace pktools
