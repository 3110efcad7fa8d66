#include "pktools/compartments.h"
#include "pktools/errors.h"
#include "pktools/map.h"
#include "pktools/prediction.h"
#include "portablemath/math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

using namespace pktools;
using catalogue::Block;
using catalogue::Samples;
using Column = std::vector<double>;

namespace {

constexpr std::optional<double> EMPTY;
constexpr std::optional<double> NO_LOG;

std::string messageOf(auto&& call) {
    try {
        call();
    } catch (const InputError& e) {
        return e.what();
    }
    return "";
}

Block line(const Column& values) {
    return {values.size(), 1, values};
}

const Column ROW = {4.27, 18.9, 238, 1.89, 1.29, 0.836, 0.456};

// Two hours: a bolus, a 30-minute infusion, then washout, in 1-minute rows.
struct Schedule {
    Column dt, rate, bolus;
};
Schedule schedule() {
    Schedule s{{0}, {0}, {100}};
    for (int i = 1; i <= 120; ++i) {
        s.dt.push_back(1);
        s.rate.push_back(i <= 30 ? 8 : 0);
        s.bolus.push_back(0);
    }
    return s;
}

// Noise-free samples of the row times exp(eta) at the given rows, the rest empty.
Samples samplesOf(const Schedule& s, const Column& eta, const std::vector<std::size_t>& at) {
    Column p = ROW;
    for (std::size_t k = 0; k < eta.size(); ++k)
        p[k] *= std::exp(eta[k]);
    const Column cp = PredCpVCl(s.dt, s.rate, s.bolus, p[0], p[1], p[2], p[3], p[4], p[5]);
    Samples y(s.dt.size());
    for (std::size_t i : at)
        y[i] = cp[i];
    return y;
}

const std::vector<std::size_t> RICH = {1, 2, 3, 5, 8, 12, 20, 29, 31, 33, 36, 40, 50, 65, 90, 120};

} // namespace

TEST(MapObjective, AddsTheSamplesTermsAndThePrior) {
    // var = (0.1 * 1.5)^2 + 0.2^2 = 0.0625: (0.5^2 / 0.0625 + ln 0.0625) + 0.3^2 / 0.5.
    EXPECT_NEAR(MapObjective({0.3}, line({0.5}), {2, EMPTY}, {1.5, 7}, 0.1, 0.2, NO_LOG),
                4 + std::log(0.0625) + 0.18, 1e-14);
    // The log error: (ln 2 - ln 1)^2 / s^2 + ln s^2, and a diagonal prior of two etas.
    const double s2 = 0.191 * 0.191;
    EXPECT_NEAR(MapObjective({0.1, -0.2}, line({0.2, 0.4}), {2}, {1}, 0, 0, 0.191),
                std::log(2) * std::log(2) / s2 + std::log(s2) + 0.01 / 0.2 + 0.04 / 0.4, 1e-13);
    // A covariance block: eta' Omega^-1 eta with Omega^-1 = [[3, -1], [-1, 1]] / 2.
    const Block omega{2, 2, {1, 1, 1, 3}};
    EXPECT_NEAR(MapObjective({0.4, 0.2}, omega, {1}, {1}, 0, 1, NO_LOG),
                (3 * 0.16 - 2 * 0.08 + 0.04) / 2, 1e-15);
}

TEST(MapObjective, RefusesWhatHasNoObjective) {
    const Block omega = line({0.5});
    const std::string error = "Negative or missing residual error!";
    EXPECT_EQ(messageOf([&] { MapObjective({0}, omega, {1}, {1}, -0.1, 1, NO_LOG); }), error);
    EXPECT_EQ(messageOf([&] { MapObjective({0}, omega, {1}, {1}, 0, 0, NO_LOG); }), error);
    EXPECT_EQ(messageOf([&] { MapObjective({0}, omega, {1}, {1}, 0, 0, 0.0); }), error);
    EXPECT_EQ(messageOf([&] { MapObjective({0}, omega, {1}, {1}, 0.1, 0, 0.2); }),
              "Give sigmaLog alone, with sigmaProp and sigmaAdd 0!");
    EXPECT_EQ(messageOf([&] {
                  MapObjective({0, 0}, omega, {1}, {1}, 0.1, 0, NO_LOG);
              }),
              "Omega needs one variance per eta or a square block!");
    EXPECT_EQ(messageOf([&] { MapObjective({NAN}, omega, {1}, {1}, 0.1, 0, NO_LOG); }),
              "Eta not a finite number!");
    // More etas than a row has slots, whatever omega: refused before Omega's matrix is made.
    EXPECT_EQ(messageOf([&] {
                  MapObjective(Column(100000, 0.0), line(Column(100000, 1.0)), {1}, {1}, 0.1, 0,
                               NO_LOG);
              }),
              "Eta needs 1 to 7 values!");
    EXPECT_EQ(messageOf([&] { MapObjective({0}, line({0}), {1}, {1}, 0.1, 0, NO_LOG); }),
              "Omega is not positive definite!");
    EXPECT_EQ(messageOf([&] {
                  MapObjective({0}, omega, {1, 2}, {1}, 0.1, 0, NO_LOG);
              }),
              "Columns of different length!");
    EXPECT_EQ(messageOf([&] { MapObjective({0}, omega, {-1}, {1}, 0.1, 0, NO_LOG); }),
              "Negative measurement!");
    EXPECT_EQ(messageOf([&] { MapObjective({0}, omega, {0}, {1}, 0, 0, 0.2); }),
              "Measurement must be above 0 with sigmaLog!");
    // A prediction of 0 has a variance only with an additive error.
    EXPECT_EQ(messageOf([&] { MapObjective({0}, omega, {1}, {0}, 0.1, 0, NO_LOG); }),
              "Non-positive prediction!");
    EXPECT_NO_THROW(MapObjective({0}, omega, {1}, {0}, 0.1, 0.5, NO_LOG));
    EXPECT_EQ(messageOf([&] { MapObjective({0}, omega, {EMPTY}, {1}, 0.1, 0, NO_LOG); }),
              "No samples!");
}

TEST(MapFit, RecoversTheEtasOfNoiseFreeSamplesUnderAVaguePrior) {
    const Schedule s = schedule();
    const Column eta = {0.2, -0.15, 0.1, -0.25, 0.3, -0.1};
    const Samples y = samplesOf(s, eta, RICH);
    // Additive error: the data term vanishes at the true etas; a vague prior barely moves them.
    const Block vague = line({1e8, 1e8, 1e8, 1e8, 1e8, 1e8, 0});
    const MapFit fit = mapFit(s.dt, s.rate, s.bolus, y, ROW, vague, residualErrorOf(0, 0.01, {}));
    ASSERT_TRUE(fit.search.converged);
    for (std::size_t k = 0; k < 6; ++k)
        EXPECT_NEAR(fit.eta[k], eta[k], 1e-6) << k;
    EXPECT_EQ(fit.row[6], ROW[6]); // ke0 has no variance and keeps its value
    EXPECT_LT(fit.search.evaluations, 20000);
    // Under a tight prior the same samples move the etas only a little from 0.
    const Block tight = line({1e-4, 1e-4, 1e-4, 1e-4, 1e-4, 1e-4, 0});
    const MapFit shrunk = mapFit(s.dt, s.rate, s.bolus, y, ROW, tight, residualErrorOf(0.2, 0, {}));
    for (std::size_t k = 0; k < 6; ++k)
        EXPECT_LT(std::fabs(shrunk.eta[k]), 0.5 * std::fabs(eta[k])) << k;
    EXPECT_EQ(MapIndividualVCl(s.dt, s.rate, s.bolus, y, ROW, tight, 0.2, 0, {}), shrunk.row);
}

TEST(MapFit, ComparesASampleInABolusRowBeforeThatBolus) {
    Schedule s = schedule();
    s.bolus[40] = 50;
    // The concentration just before the bolus of row 40: the same table without that bolus.
    Schedule without = s;
    without.bolus[40] = 0;
    Samples y = samplesOf(without, {}, {40});
    y[90] = samplesOf(s, {}, {90})[90];
    // Exactly the typical predictions: with an additive error the mode is eta = 0.
    const Block omega = line({0.3, 0, 0, 0.2, 0, 0, 0});
    const MapFit fit = mapFit(s.dt, s.rate, s.bolus, y, ROW, omega, residualErrorOf(0, 0.05, {}));
    EXPECT_NEAR(fit.eta[0], 0, 1e-8);
    EXPECT_NEAR(fit.eta[3], 0, 1e-8);
}

TEST(MapFit, GivesKe0TheModeOfItsEtaAndRefusesWhatItCannotFit) {
    const Schedule s = schedule();
    const Samples y = samplesOf(s, {0.3, 0, 0, -0.2}, {5, 30, 60, 100});
    // ke0's eta covaries with Cl1's: its mode is cov / var(Cl1) times Cl1's eta.
    Block omega{7, 7, Column(49, 0.0)};
    omega.cells[0] = 0.4;
    omega.cells[3 * 7 + 3] = 0.3;
    omega.cells[6 * 7 + 6] = 0.5;
    omega.cells[6 * 7 + 3] = omega.cells[3 * 7 + 6] = 0.15;
    const MapFit fit = mapFit(s.dt, s.rate, s.bolus, y, ROW, omega, residualErrorOf(0.1, 0, {}));
    EXPECT_NEAR(fit.eta[6], 0.5 * fit.eta[3], 1e-15);
    EXPECT_EQ(fit.row[6], ROW[6] * portable::exp(fit.eta[6]));

    const Block diagonal = line({0.4, 0, 0, 0.3, 0, 0, 0.5});
    const Column six(ROW.begin(), ROW.begin() + 6);
    EXPECT_EQ(MapIndividualVCl(s.dt, s.rate, s.bolus, y, six, diagonal, 0.1, 0, {}).size(), 6u);
    EXPECT_EQ(messageOf([&] { MapIndividualVCl(s.dt, s.rate, {1}, y, ROW, diagonal, 0.1, 0, {}); }),
              "Columns of different length!");
    Column noV1 = ROW;
    noV1[0] = -1;
    EXPECT_EQ(
        messageOf([&] { MapIndividualVCl(s.dt, s.rate, s.bolus, y, noV1, diagonal, 0.1, 0, {}); }),
        "Negative or missing PK parameter!");
    Block perfect{7, 7, Column(49, 0.0)};
    perfect.cells[0] = 0.4;
    perfect.cells[3 * 7 + 3] = 0.3;
    perfect.cells[3] = perfect.cells[3 * 7] = std::sqrt(0.4 * 0.3);
    EXPECT_EQ(
        messageOf([&] { MapIndividualVCl(s.dt, s.rate, s.bolus, y, ROW, perfect, 0.1, 0, {}); }),
        "Omega is not positive definite!");
    Schedule broken = s;
    broken.rate[20] = NAN;
    EXPECT_EQ(messageOf([&] {
                  MapIndividualVCl(broken.dt, broken.rate, broken.bolus, y, ROW, diagonal, 0.1, 0,
                                   {});
              }),
              "Dosing row not a finite number before a sample!");
    // A sample at time 0, before any drug, has no proportional variance.
    Samples early = y;
    early[0] = 0.5;
    EXPECT_EQ(messageOf([&] {
                  MapIndividualVCl(s.dt, s.rate, s.bolus, early, ROW, diagonal, 0.1, 0, {});
              }),
              "Non-positive prediction!");
    EXPECT_EQ(messageOf([&] {
                  MapIndividualVCl(s.dt, s.rate, s.bolus, Samples(121), ROW, diagonal, 0.1, 0, {});
              }),
              "No samples!");
    // A residual beyond every number leaves the objective without a finite value anywhere.
    Samples far = y;
    far[60] = 1e300;
    EXPECT_EQ(messageOf([&] {
                  MapIndividualVCl(s.dt, s.rate, s.bolus, far, ROW, diagonal, 0.1, 0.05, {});
              }),
              "The fit did not converge!");
}
