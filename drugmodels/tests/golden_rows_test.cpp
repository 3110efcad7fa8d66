// Rows at everyday covariates, bit for bit. The expected values were computed apart from
// this code, with IEEE doubles, from each model's formulas evaluated in their written
// order. A regrouped sum, a quotient folded into a constant (or one that should be stored
// divided at run time) or a squared term taken through pow changes the last bits of some
// value here, which the tolerance checks of the other tests let pass.

#include "drugmodels/models.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

using namespace drugmodels;

namespace {

struct GoldenRow {
    const char* call;
    ParameterRow row;
    ParameterRow expected;
};

#define GOLDEN(expr, ...)                                                                          \
    { #expr, expr, __VA_ARGS__ }

} // namespace

TEST(GoldenRows, EveryValueHasTheBitsOfTheWrittenOrderOfOperations) {
    const GoldenRow rows[] = {
        // Cl1 summed as ((height term + 1.89) + weight term) - LBM term.
        GOLDEN(
            PropSchnider(71.6, 107.9, 190.7, 57.8),
            {4.27, 11.627400000000002, 238, 3.7424399999999998, 0.8436000000000001, 0.836, 0.456}),
        // The James LBM with the height kept (a man of BMI 36.5, a woman of 23.2) and substituted.
        GOLDEN(PropSchniderTrick(47, 92.8, 159.5, true),
               {4.27, 21.246, 238, 2.165476859504132, 1.4340000000000002, 0.836, 0.456}),
        GOLDEN(PropSchniderTrick(47, 71.3, 175.2, false),
               {4.27, 21.246, 238, 2.07428635992056, 1.4340000000000002, 0.836, 0.456}),
        GOLDEN(PropSchniderTrick(47, 131.5, 163.4, false),
               {4.27, 21.246, 238, 3.9552251941190737, 1.4340000000000002, 0.836, 0.456}),
        // (age term) * Weight / 1000, not (age term) * (Weight / 1000).
        GOLDEN(PropWhite(78.6, 83.5, false),
               {11.624586100000002, 24.09459664363637, 147.94927763636366, 1.8626511999999997,
                1.3252028154000002, 0.4882326162000001}),
        GOLDEN(PropWhite(78.6, 83.5, true), {14.9561526, 31.000025389090908, 190.3510330909091,
                                             2.0541500999999998, 1.7050013964, 0.6281584092000001}),
        GOLDEN(PropKataria(11, 3.6), {4.51, 4.240000000000002, 75.9, 0.385, 0.847, 0.286}),
        GOLDEN(PropPaedfusor(7, 23.7), {10.86408, 22.51827490909091, 137.94089454545454,
                                        0.6418114906756901, 1.23850512, 0.455204952}),
        GOLDEN(PropEleveld(71.1, 18.8, false, true),
               {8.5955779674088, 34.06515978342242, 135.3110763157464, 2.036110439994205,
                1.7913459888050423, 0.6768044846308527, 0.456}),
        GOLDEN(PropEleveld(23.7, 6.5, true, false),
               {4.7007186454962, 5.163795422418644, 112.7090734571403, 1.0516102742983757,
                1.1998104316002711, 1.1360032267246778, 0.456}),
        GOLDEN(PropEleveldFinal(83.4, 168.2, 63.27, 62.5, false, true, true, true),
               {9.326292783707757, 19.766242675814148, 103.15453778238775, 2.003387856008959,
                1.0098993190138565, 0.5428767408681056, 1.1874601912076237}),
        GOLDEN(PropEleveldFinal(23.7, 121.3, 7.27, 6.5, true, false, false, false),
               {3.8475721807817327, 13.480582356768975, 95.30669203388948, 0.7943094581726126,
                1.3014806421193474, 0.4423190168145818, 0.1918838665793239}),
        GOLDEN(PropEleveldFinal(71.6, 180.3, 81.27, 80.5, true, false, false, false),
               {6.328903363201986, 12.807466637607659, 290.6255380238545, 1.8201754070376974,
                1.0657415556153282, 1.1858926077253311, 0.14554500056143319}),
        GOLDEN(ABP700V1Eleveld(120, 62.5, 157.5, false),
               {3.4499912094532728, 8.39160400732377, 11.707991970958705, 2.139377207813216,
                1.9499793100558507, 0.2948713151311199, 0.3942886724530964}),
        // Each difference left to right: (5.1 - a 0.0201) + l 0.072.
        GOLDEN(RemiMinto(76.4, 44.6),
               {3.6195599999999994, 5.74476, 5.42, 1.8116800000000002, 0.9543599999999997,
                0.034867999999999996, 0.34019999999999995}),
        GOLDEN(AlfentMaitre(62.5, 78.2, false),
               {9.982230000000001, 15.425734323922734, 16.872772557792693, 0.295475, 1.03815192,
                0.16969791}),
        // (Weight c) / 70, not Weight (c / 70).
        GOLDEN(FentScott(88.7), {16.092714285714287, 62.52690030184285, 376.19332098614285,
                                 0.9011920000000001, 6.002582428571428, 2.8966885714285717, 0.147}),
    };
    for (const GoldenRow& golden : rows) {
        SCOPED_TRACE(golden.call);
        ASSERT_EQ(golden.row.size(), golden.expected.size());
        for (std::size_t i = 0; i < golden.row.size(); ++i)
            EXPECT_EQ(std::bit_cast<std::uint64_t>(golden.row[i]),
                      std::bit_cast<std::uint64_t>(golden.expected[i]))
                << "position " << i << ": " << golden.row[i] << " instead of "
                << golden.expected[i];
    }
}
