#include "pktools/compartments.h"
#include "pktools/errors.h"
#include "pktools/prediction.h"
#include "pktools/random.h"
#include "pktools/variability.h"
#include "portablemath/math.h"
#include "refusal_message.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

using namespace pktools;
using Column = std::vector<double>;
using catalogue::Block;
using pktools::test_support::messageOf;

namespace {

// A typical propofol row (V1, V2, V3 L, Cl1, Cl2, Cl3 L/min, ke0 1/min) and the propofol
// variances of its slots.
const Column ROW = {4.27, 18.9, 238, 1.89, 1.29, 0.836, 0.456};
const Column OMEGA2 = {0.610, 0.565, 0.597, 0.265, 0.346, 0.209, 0.702};

Block line(const Column& values) {
    return {1, values.size(), values};
}
Block block(const Column& variances, std::size_t i = 0, std::size_t j = 0, double cov = 0) {
    const std::size_t n = variances.size();
    Block g{n, n, Column(n * n, 0.0)};
    for (std::size_t k = 0; k < n; ++k)
        g.cells[k * n + k] = variances[k];
    g.cells[i * n + j] = g.cells[j * n + i] = i == j ? variances[i] : cov;
    return g;
}

// A 30-minute schedule at 10-s steps: a bolus at time 0, an infusion, a second bolus at 10 min.
struct Schedule {
    Column dt, rate, bolus;
};
Schedule schedule() {
    Schedule s{{0}, {0}, {140}};
    for (int i = 1; i <= 180; ++i) {
        s.dt.push_back(1.0 / 6);
        s.rate.push_back(i <= 90 ? 10 : 5);
        s.bolus.push_back(i == 60 ? 30 : 0);
    }
    return s;
}

} // namespace

TEST(LogNormalVariance, ConvertsExactlyBothWays) {
    // CV 66 %: ln(1 + 0.66^2) = 0.3616..., not the shortcut 0.4356.
    EXPECT_NEAR(Omega2FromCV(0.66), std::log1p(0.66 * 0.66), 1e-15);
    EXPECT_NEAR(CVFromOmega2(0.610), std::sqrt(std::expm1(0.610)), 1e-15);
    EXPECT_EQ(Omega2FromCV(0), 0);
    EXPECT_EQ(CVFromOmega2(0), 0);
    for (double cv : {0.01, 0.1, 0.26, 0.5, 1.0, 3.0})
        EXPECT_NEAR(CVFromOmega2(Omega2FromCV(cv)), cv, 1e-11 * cv) << cv;
    const std::string variance = "Variance must be 0 or above!";
    const std::string cv = "CV must be 0 or above!";
    for (double bad : {-1e-300, -1.0, double(NAN)}) {
        EXPECT_EQ(messageOf([&] { CVFromOmega2(bad); }), variance) << bad;
        EXPECT_EQ(messageOf([&] { Omega2FromCV(bad); }), cv) << bad;
    }
}

TEST(VirtualPatient, DrawsSevenNormalsPerPatientWhetherOrNotASlotVaries) {
    Column omega2 = OMEGA2;
    omega2[1] = 0; // V2 fixed
    for (double patient : {0.0, 1.0, 12345.0}) {
        const Column p = VirtualPatient(ROW, line(omega2), 99, patient);
        ASSERT_EQ(p.size(), 7u);
        EXPECT_EQ(p[1], ROW[1]);
        for (std::size_t k : {0u, 2u, 6u}) {
            const double z = RandNorm(99, 7 * patient + static_cast<double>(k));
            EXPECT_EQ(p[k], ROW[k] * portable::exp(std::sqrt(omega2[k]) * z))
                << patient << " " << k;
        }
        // A diagonal block is the same Omega as its variances.
        EXPECT_EQ(VirtualPatient(ROW, block(omega2), 99, patient), p);
    }
    // The same seed and index are the same person under another model's row.
    const Column other = {6, 10, 100, 1, 1, 0.5};
    const Column p = VirtualPatient(ROW, line(OMEGA2), 5, 3);
    const Column q = VirtualPatient(other, line(OMEGA2), 5, 3);
    ASSERT_EQ(q.size(), 6u);
    for (std::size_t k = 0; k < 6; ++k)
        EXPECT_NEAR(q[k] / other[k], p[k] / ROW[k], 1e-15 * p[k] / ROW[k]);
}

TEST(VirtualPatient, FactorsOmegaWithZeroColumnsForZeroPivots) {
    // V1 and Cl1 correlated: eta_Cl1 = (cov / sd_V1) z_V1 + sqrt(var - cov^2 / var_V1) z_Cl1.
    const Block correlated = block(OMEGA2, 3, 0, 0.2);
    const SlotFactor f = slotFactor(correlated);
    EXPECT_DOUBLE_EQ(f.L[3 * 7 + 0], 0.2 / std::sqrt(0.610));
    EXPECT_DOUBLE_EQ(f.L[3 * 7 + 3], std::sqrt(0.265 - 0.04 / 0.610));
    // Perfectly correlated: the pivot of Cl1 vanishes and its eta follows V1's.
    const Block perfect = block(OMEGA2, 3, 0, std::sqrt(0.610 * 0.265));
    const SlotFactor g = slotFactor(perfect);
    EXPECT_EQ(g.L[3 * 7 + 3], 0);
    const Column p = VirtualPatient(ROW, perfect, 8, 2);
    EXPECT_NEAR(std::log(p[3] / ROW[3]), std::log(p[0] / ROW[0]) * std::sqrt(0.265 / 0.610), 1e-12);

    const std::string shape = "Omega needs 7 variances or a 7x7 block!";
    EXPECT_EQ(messageOf([] { VirtualPatient(ROW, line({1, 1, 1, 1, 1, 1}), 1, 0); }), shape);
    EXPECT_EQ(messageOf([] { VirtualPatient(ROW, Block{7, 6, Column(42, 0.0)}, 1, 0); }), shape);
    Column negative = OMEGA2;
    negative[4] = -0.1;
    EXPECT_EQ(messageOf([&] { VirtualPatient(ROW, line(negative), 1, 0); }),
              "Omega has a negative or missing variance!");
    Block asymmetric = block(OMEGA2);
    asymmetric.cells[1] = 0.1;
    EXPECT_EQ(messageOf([&] { VirtualPatient(ROW, asymmetric, 1, 0); }),
              "Omega block is not symmetric!");
    const std::string semidefinite = "Omega is not positive semi-definite!";
    EXPECT_EQ(messageOf([] { VirtualPatient(ROW, block(OMEGA2, 3, 0, 0.41), 1, 0); }),
              semidefinite);
    Column zero = OMEGA2;
    zero[0] = 0;
    EXPECT_EQ(messageOf([&] { VirtualPatient(ROW, block(zero, 3, 0, 0.1), 1, 0); }), semidefinite);
    EXPECT_EQ(messageOf([] {
                  VirtualPatient({1, 2, 3}, line(OMEGA2), 1, 0);
              }),
              "Row needs 6 or 7 values!");
    EXPECT_EQ(messageOf([] { VirtualPatient(ROW, line(OMEGA2), -1, 0); }),
              "Seed must be a whole number from 0 to 2^53!");
    EXPECT_EQ(messageOf([] { VirtualPatient(ROW, line(OMEGA2), 1, 2.5); }),
              "index must be a whole number from 0 to 2^53!");
}

TEST(VirtualPatient, ManyPatientsHaveTheMomentsOfOmega) {
    Block omega = block(OMEGA2, 4, 1, 0.25);
    omega.cells[5 * 7 + 3] = omega.cells[3 * 7 + 5] = -0.1;
    constexpr std::size_t n = 40000;
    Column rows(n * 7);
    virtualPopulation(ROW, omega, 77, 0, n, rows.data(), Threads(3));
    // The batch gives the cells' bits.
    for (std::size_t p : {0u, 1u, 39999u})
        EXPECT_EQ(Column(rows.begin() + 7 * p, rows.begin() + 7 * p + 7),
                  VirtualPatient(ROW, omega, 77, static_cast<double>(p)));
    Column mean(7, 0.0);
    for (std::size_t p = 0; p < n; ++p)
        for (std::size_t k = 0; k < 7; ++k)
            mean[k] += std::log(rows[p * 7 + k] / ROW[k]) / n;
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_NEAR(mean[i], 0, 5 * std::sqrt(OMEGA2[i] / n)) << i;
        for (std::size_t j = 0; j <= i; ++j) {
            double c = 0;
            for (std::size_t p = 0; p < n; ++p)
                c += (std::log(rows[p * 7 + i] / ROW[i]) - mean[i]) *
                     (std::log(rows[p * 7 + j] / ROW[j]) - mean[j]) / (n - 1);
            const double sd = std::sqrt((OMEGA2[i] * OMEGA2[j] + omega(i, j) * omega(i, j)) / n);
            EXPECT_NEAR(c, omega(i, j), 5 * sd) << i << " " << j;
        }
    }
}

TEST(Percentile, InterpolatesAtRankNMinusOneTimesK) {
    auto percentile = [](Column data, double k) {
        return OrderStatistics().percentiles(data, {k}).front();
    };
    EXPECT_DOUBLE_EQ(percentile({1, 3, 2, 4}, 0.3), 1.9);
    EXPECT_EQ(percentile({5, 1, 9}, 0), 1);
    EXPECT_EQ(percentile({5, 1, 9}, 1), 9);
    EXPECT_EQ(percentile({5, 1, 9}, 0.5), 5);
    EXPECT_EQ(percentile({7}, 0.95), 7);
    // Several percentiles at once, the ks in any order, as from a full sort: by selection for
    // a few values, by counting first for many, with ties and a long tail.
    std::mt19937_64 random(3);
    std::lognormal_distribution<double> skewed(0, 0.8);
    const Column ks = {0.95, 0.05, 0.5, 0.5, 1, 0, 0.0011, 0.25, 0.999999};
    for (std::size_t n : {1001u, 50001u, 200000u}) {
        Column values(n);
        for (double& v : values)
            v = std::floor(skewed(random) * 1000) / 1000;
        values[7] = 1e6;
        Column sorted = values;
        std::sort(sorted.begin(), sorted.end());
        const Column together = OrderStatistics().percentiles(values, ks);
        for (std::size_t k = 0; k < ks.size(); ++k) {
            const double h = static_cast<double>(n - 1) * ks[k];
            const auto lo = static_cast<std::size_t>(h);
            const double high = lo + 1 < n ? sorted[lo + 1] : sorted[lo];
            EXPECT_EQ(together[k], sorted[lo] + (h - static_cast<double>(lo)) * (high - sorted[lo]))
                << n << " " << ks[k];
        }
    }
}

TEST(Bands, RankThePredictionsOfTheVirtualPatients) {
    const Schedule s = schedule();
    const Block omega = line(OMEGA2);
    const Column median = CpBandVCl(s.dt, s.rate, s.bolus, ROW, omega, 11, 3, 0.5);
    const Column lowest = CpBandVCl(s.dt, s.rate, s.bolus, ROW, omega, 11, 3, 0);
    const Column medianCe = CeBandVCl(s.dt, s.rate, s.bolus, ROW, omega, 11, 3, 0.5);
    std::vector<Column> cp, ce;
    for (double p = 0; p < 3; ++p) {
        const Column v = VirtualPatient(ROW, omega, 11, p);
        cp.push_back(PredCpVCl(s.dt, s.rate, s.bolus, v[0], v[1], v[2], v[3], v[4], v[5]));
        const Column h = Cl2Hyb({v.begin(), v.begin() + 6});
        ce.push_back(PredCe(s.dt, s.rate, s.bolus, h[0], h[1], h[2], h[3], h[4], h[5], v[6]));
    }
    ASSERT_EQ(median.size(), s.dt.size());
    for (std::size_t i = 0; i < s.dt.size(); ++i) {
        Column three = {cp[0][i], cp[1][i], cp[2][i]};
        std::sort(three.begin(), three.end());
        ASSERT_EQ(median[i], three[1]) << i;
        ASSERT_EQ(lowest[i], three[0]) << i;
        three = {ce[0][i], ce[1][i], ce[2][i]};
        std::sort(three.begin(), three.end());
        ASSERT_EQ(medianCe[i], three[1]) << i;
    }

    // Any number of threads and any block of rows give the same bits.
    BandRequest request{s.dt, s.rate, s.bolus, ROW, omega, 11, 301, Site::EffectSite};
    const auto whole = populationBand(request, {0.05, 0.5, 0.95}, Serial());
    request.blockValues = 301 * 7;
    EXPECT_EQ(populationBand(request, {0.05, 0.5, 0.95}, Threads(3)), whole);
    request.blockValues = 1;
    EXPECT_EQ(populationBand(request, {0.05, 0.5, 0.95}, Threads(2)), whole);
    EXPECT_EQ(whole[1], CeBandVCl(s.dt, s.rate, s.bolus, ROW, omega, 11, 301, 0.5));
    for (std::size_t i = 1; i < s.dt.size(); ++i)
        ASSERT_TRUE(whole[0][i] < whole[1][i] && whole[1][i] < whole[2][i]) << i;
}

TEST(Bands, RefuseWhatTheyCannotRankAndStopAtAnUnknownRow) {
    Schedule s = schedule();
    s.rate[100] = NAN;
    const Column band = CpBandVCl(s.dt, s.rate, s.bolus, ROW, line(OMEGA2), 1, 20, 0.5);
    EXPECT_TRUE(std::isfinite(band[99]));
    EXPECT_TRUE(std::isnan(band[100]) && std::isnan(band.back()));

    const Block omega = line(OMEGA2);
    const Column six(ROW.begin(), ROW.begin() + 6);
    EXPECT_EQ(messageOf([&] { CpBandVCl(s.dt, s.rate, {1}, ROW, omega, 1, 2, 0.5); }),
              "Columns of different length!");
    EXPECT_NO_THROW(CpBandVCl(s.dt, s.rate, s.bolus, six, omega, 1, 2, 0.5));
    EXPECT_EQ(messageOf([&] { CeBandVCl(s.dt, s.rate, s.bolus, six, omega, 1, 2, 0.5); }),
              "Ce band needs a row of 7 values with ke0!");
    for (double k : {-0.1, 1.01, double(NAN)})
        EXPECT_EQ(messageOf([&] { CpBandVCl(s.dt, s.rate, s.bolus, ROW, omega, 1, 2, k); }),
                  "k must be from 0 to 1!");
    for (double n : {0.0, 2.5, -3.0})
        EXPECT_EQ(messageOf([&] { CpBandVCl(s.dt, s.rate, s.bolus, ROW, omega, 1, n, 0.5); }),
                  "nPatients must be a whole number from 1 on!");
    const double tooMany = std::floor(LARGEST_CELL_BAND / static_cast<double>(s.dt.size())) + 1;
    EXPECT_EQ(messageOf([&] { CpBandVCl(s.dt, s.rate, s.bolus, ROW, omega, 1, tooMany, 0.5); }),
              "nPatients times rows must be at most 100000000!");
    EXPECT_EQ(messageOf([&] { CpBandVCl({0}, {0}, {1}, ROW, omega, 1, 1000001, 0.5); }),
              "nPatients must be at most 1000000 in a cell!");
    Column noV1 = ROW;
    noV1[0] = 0;
    EXPECT_EQ(messageOf([&] { CpBandVCl(s.dt, s.rate, s.bolus, noV1, omega, 1, 2, 0.5); }),
              "Negative or missing PK parameter!");
    EXPECT_EQ(messageOf([&] { CeBandVCl(s.dt, s.rate, s.bolus, noV1, omega, 1, 2, 0.5); }),
              "Negative or missing PK parameter!");
}
