#include "pktools/errors.h"
#include "pktools/varvel.h"
#include "refusal_message.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace pktools;
using catalogue::Identifiers;
using catalogue::Samples;
using pktools::test_support::messageOf;

namespace {

// Measured values whose PE against predictions of 10 are 10, -20, 50 and 0 %.
const Samples MEASURED = {11, 8, 15, 10};
const Samples PREDICTED = {10, 10, 10, 10};

} // namespace

TEST(Varvel, ErrorsAreRelativeToThePredictionAndMediansTakeTheMiddle) {
    const std::vector<double> pe = VarvelPE({12, 0, 5}, {10, 4, 4});
    ASSERT_EQ(pe.size(), 3u);
    EXPECT_DOUBLE_EQ(pe[0], 20); // not 16.7, which is relative to the measurement
    EXPECT_EQ(pe[1], -100);      // below quantification
    EXPECT_DOUBLE_EQ(pe[2], 25);
    // PE 10, -20, 50, 0: the mean of the middle pair (0, 10); |PE| 0, 10, 20, 50;
    // |PE - 5| 5, 25, 45, 5.
    EXPECT_DOUBLE_EQ(VarvelMDPE(MEASURED, PREDICTED), 5);
    EXPECT_DOUBLE_EQ(VarvelMDAPE(MEASURED, PREDICTED), 15);
    EXPECT_DOUBLE_EQ(VarvelWobble(MEASURED, PREDICTED), 15);
    // An odd count takes the middle value, whatever the order.
    EXPECT_DOUBLE_EQ(VarvelMDPE({15, 8, 11}, {10, 10, 10}), 10);
    EXPECT_EQ(median({3, 1, 2}), 2);
    EXPECT_EQ(median({4, 1, 3, 2}), 2.5);
    EXPECT_TRUE(std::isnan(median({})));
    // One sample is its own median, with no wobble.
    EXPECT_DOUBLE_EQ(VarvelMDPE({12}, {10}), 20);
    EXPECT_EQ(VarvelWobble({12}, {10}), 0);
}

TEST(Varvel, RefusesWhatIsNoMeasurementOrPrediction) {
    const std::string lengths = "Columns of different length!";
    EXPECT_EQ(messageOf([] { VarvelPE({1, 2}, {1}); }), lengths);
    EXPECT_EQ(messageOf([] { VarvelDivergence({0, 1}, {1, 2}, {1}); }), lengths);
    EXPECT_EQ(messageOf([] { VarvelDivergence({0}, {1, 2}, {1, 2}); }), lengths);
    EXPECT_EQ(messageOf([] { VarvelPopulation({"1"}, {0, 1}, {1, 2}, {1, 2}, 0); }), lengths);
    EXPECT_EQ(messageOf([] { VarvelPopulation({"1", "1"}, {0, 1}, {1, 2}, {1}, 0); }), lengths);
    EXPECT_EQ(messageOf([] { VarvelMDPE({1, 2}, {1, 0}); }), "Non-positive prediction!");
    EXPECT_EQ(messageOf([] { VarvelMDAPE({1, 2}, {1, -3}); }), "Non-positive prediction!");
    EXPECT_EQ(messageOf([] { VarvelWobble({1, -2}, {1, 1}); }), "Negative measurement!");
    EXPECT_EQ(messageOf([] { VarvelPE({1, NAN}, {1, 1}); }), "Sample not a finite number!");
    EXPECT_EQ(messageOf([] { VarvelPE({1, 2}, {1, INFINITY}); }), "Sample not a finite number!");
    EXPECT_EQ(messageOf([] {
                  VarvelDivergence({0, NAN}, {1, 2}, {1, 1});
              }),
              "Sample not a finite number!");
    EXPECT_EQ(messageOf([] {
                  VarvelPopulation({"1", "1"}, {0, NAN}, {1, 2}, {1, 1}, 2);
              }),
              "Sample not a finite number!");
}

TEST(Varvel, DivergenceIsTheSlopeOfTheAbsoluteErrorPerHour) {
    // |PE| 10, 20, 30 % at 0, 60 and 120 min, whatever the signs: 10 %/h.
    EXPECT_DOUBLE_EQ(VarvelDivergence({0, 60, 120}, {9, 12, 7}, {10, 10, 10}), 10);
    // The rows in any order; a shrinking error gives a negative slope.
    EXPECT_DOUBLE_EQ(VarvelDivergence({30, 0}, {10, 12}, {10, 10}), -40);
    const std::string tooFew = "Divergence needs 2 samples at 2 distinct times!";
    EXPECT_EQ(messageOf([] { VarvelDivergence({5}, {11}, {10}); }), tooFew);
    EXPECT_EQ(messageOf([] { VarvelDivergence({5, 5, 5}, {11, 12, 9}, {10, 10, 10}); }), tooFew);
}

TEST(Varvel, APopulationTakesEachSubjectFirstOrPoolsTheSamples) {
    // Subject 1: PE 10, 30 at 0 and 60 min; 2 (its rows among 1's): PE -20, 0, 40 at 0, 30,
    // 60 min.
    const Identifiers subject = {"1", "2", "1", "2", "2"};
    const Samples times = {0, 0, 60, 30, 60};
    const Samples measured = {11, 8, 13, 10, 14};
    const Samples predicted = {10, 10, 10, 10, 10};
    // 1: MDPE 20, MDAPE 20, divergence 20, wobble 10; 2: 0, 20, 20 (|PE| 20, 0, 40), 20.
    const std::vector<double> mean = VarvelPopulation(subject, times, measured, predicted, 0);
    const std::vector<double> expected = {10, 20, 20, 15};
    ASSERT_EQ(mean.size(), 4u);
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_NEAR(mean[k], expected[k], 1e-12) << k;
    // Two subjects: their median is their mean.
    EXPECT_EQ(VarvelPopulation(subject, times, measured, predicted, 1), mean);
    // Pooled: PE 10, -20, 30, 0, 40 in one set; |PE| 10, 20, 30, 0, 40 at 0, 0, 60, 30, 60.
    const std::vector<double> pooled = VarvelPopulation(subject, times, measured, predicted, 2);
    EXPECT_DOUBLE_EQ(pooled[0], 10);
    EXPECT_DOUBLE_EQ(pooled[1], 20);
    EXPECT_NEAR(pooled[2], 20, 1e-12); // Sxy 1200, Sxx 3600 per minute, times 60
    EXPECT_DOUBLE_EQ(pooled[3], 20);   // |PE - 10| 0, 30, 20, 10, 30
    // Pooled is the measures of all samples as one subject.
    EXPECT_EQ(pooled[0], VarvelMDPE(measured, predicted));
    EXPECT_EQ(pooled[2], VarvelDivergence(times, measured, predicted));

    // Three subjects (MDPE 10, 20, 60): the median differs from the mean.
    const Identifiers three = {"a", "a", "b", "b", "c", "c"};
    const Samples at = {0, 60, 0, 60, 0, 60};
    const Samples m = {11, 11, 12, 12, 16, 16};
    const Samples p(6, 10.0);
    EXPECT_DOUBLE_EQ(VarvelPopulation(three, at, m, p, 1)[0], 20);
    EXPECT_NEAR(VarvelPopulation(three, at, m, p, 0)[0], 30, 1e-12);

    for (double method : {3.0, 0.5, -1.0, double(NAN)})
        EXPECT_EQ(messageOf([&] { VarvelPopulation(subject, times, measured, predicted, method); }),
                  "Method must be 0, 1 or 2!")
            << method;
    // A subject with one sample has no divergence of its own, but the pool does.
    const Identifiers lonely = {"1", "1", "2"};
    EXPECT_EQ(messageOf([&] {
                  VarvelPopulation(lonely, {0, 60, 0}, {11, 12, 9}, {10, 10, 10}, 0);
              }),
              "Divergence needs 2 samples at 2 distinct times in each subject!");
    EXPECT_NO_THROW(VarvelPopulation(lonely, {0, 60, 0}, {11, 12, 9}, {10, 10, 10}, 2));
    EXPECT_EQ(messageOf([&] {
                  VarvelPopulation({"1", "2"}, {0, 0}, {11, 12}, {10, 10}, 2);
              }),
              "Divergence needs 2 samples at 2 distinct times!");
}

TEST(Varvel, AnEmptyCellIsNoSample) {
    // The rows with both values are the samples; the others are skipped, in every measure.
    const Samples measured = {11, std::nullopt, 8, 15, 10, 30};
    const Samples predicted = {10, 10, 10, 10, 10, std::nullopt};
    const Samples times = {0, std::nullopt, 30, 60, 90, std::nullopt};
    const std::vector<double> pe = VarvelPE(measured, predicted);
    ASSERT_EQ(pe.size(), 6u);
    EXPECT_TRUE(std::isnan(pe[1]) && std::isnan(pe[5]));
    EXPECT_EQ(VarvelPE(MEASURED, PREDICTED), (std::vector<double>{pe[0], pe[2], pe[3], pe[4]}));
    EXPECT_EQ(VarvelMDPE(measured, predicted), VarvelMDPE(MEASURED, PREDICTED));
    EXPECT_EQ(VarvelMDAPE(measured, predicted), VarvelMDAPE(MEASURED, PREDICTED));
    EXPECT_EQ(VarvelWobble(measured, predicted), VarvelWobble(MEASURED, PREDICTED));
    EXPECT_EQ(VarvelDivergence(times, measured, predicted),
              VarvelDivergence({0, 30, 60, 90}, MEASURED, PREDICTED));
    const Identifiers subject = {"x", "", "x", "12", "12", ""};
    EXPECT_EQ(VarvelPopulation(subject, times, measured, predicted, 0),
              VarvelPopulation({"1", "1", "2", "2"}, {0, 30, 60, 90}, MEASURED, PREDICTED, 0));

    // A sample needs its time and subject; no sample at all is refused.
    EXPECT_EQ(messageOf([&] {
                  VarvelDivergence({0, 0, 2}, {1, 2, 3}, {1, 1, std::nullopt});
              }),
              "Divergence needs 2 samples at 2 distinct times!");
    EXPECT_EQ(messageOf([&] {
                  VarvelDivergence({0, std::nullopt}, {1, 2}, {1, 1});
              }),
              "Sample not a finite number!");
    EXPECT_EQ(messageOf([&] {
                  VarvelPopulation({"1", ""}, {0, 1}, {1, 2}, {1, 1}, 2);
              }),
              "Sample not a finite number!");
    EXPECT_EQ(messageOf([&] { VarvelMDPE({std::nullopt, 1}, {1, std::nullopt}); }), "No samples!");
}

TEST(Varvel, AWholeNumberAndItsDigitsNameOneSubject) {
    EXPECT_EQ(catalogue::identifierOf(12), "12");
    EXPECT_EQ(catalogue::identifierOf(-3), "-3");
    EXPECT_EQ(catalogue::identifierOf(0), "0");
    EXPECT_EQ(catalogue::identifierOf(-0.0), "0");
    EXPECT_EQ(catalogue::identifierOf(9007199254740992.0), "9007199254740992");
    // Another number is a subject of its own, the same for equal numbers.
    EXPECT_EQ(catalogue::identifierOf(3.5), "0x400c000000000000");
    EXPECT_NE(catalogue::identifierOf(0.1 + 0.2), catalogue::identifierOf(0.3));
    EXPECT_EQ(catalogue::identifierOf(1e300), "0x7e37e43c8800759c");
    EXPECT_EQ(catalogue::identifierOf(INFINITY), ""); // no subject: refused where sampled
    const std::vector<double> population = VarvelPopulation({"12", "12", "3", "3"}, {0, 60, 0, 60},
                                                            {11, 12, 9, 10}, {10, 10, 10, 10}, 0);
    EXPECT_EQ(VarvelPopulation({catalogue::identifierOf(12), "12", "3", catalogue::identifierOf(3)},
                               {0, 60, 0, 60}, {11, 12, 9, 10}, {10, 10, 10, 10}, 0),
              population);
}
