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
        // Q2 and Q3 from V2 / 30.3 and V3 / 52.0, not from the weight ratio.
        GOLDEN(DexmedHannivoort(51.3), {1.304485714285714, 22.205571428571425, 38.10857142857142,
                                        0.5433611826995722, 2.3603736507940596, 0.476827160328196}),
        GOLDEN(DexmedHannivoort(108.7),
               {2.7640857142857143, 47.051571428571435, 80.74857142857144, 0.9542732364220343,
                4.145385196119041, 0.8374234523703565}),
        GOLDEN(DexmedDyck(183.4), {7.99, 13.8, 187, 0.5236940000000001, 2.26, 1.99}),
        // The two worked rows of the reference size, then a neonate, a 5-year-old boy, a
        // 12-year-old of each sex (the sex factor half on) and an older woman.
        GOLDEN(RemiEleveld(70, 35, 170, true),
               {5.8072630969188435, 8.821301241799691, 5.025120291274119, 2.5760482641907254,
                1.7165467070293419, 0.12444636540794297, 1.09}),
        GOLDEN(RemiEleveld(70, 35, 170, false),
               {4.785404394061109, 10.064183479546163, 4.140889145406127, 3.084701201862044,
                2.6235466751618173, 0.10763228827638034, 1.09}),
        GOLDEN(RemiEleveld(3.4, 0.02, 50, true),
               {0.37322801322920524, 0.5235703617088358, 4.540614637582829, 0.1859593235827157,
                0.25059481308054316, 0.14002094548069347, 2.9954656528929}),
        GOLDEN(RemiEleveld(3.4, 0.02, 50, false),
               {0.3741993265561281, 0.5249329359312516, 4.552431434161805, 0.18632217028985462,
                0.2510837775540664, 0.14029415651426416, 2.9954656528929}),
        GOLDEN(RemiEleveld(18.5, 5, 110, true),
               {1.903289112773808, 2.7003859345324717, 13.729387404838269, 1.0625910953192492,
                0.8342917031009103, 0.3123224132718725, 2.5939393279491516}),
        GOLDEN(RemiEleveld(40.2, 12, 151.5, false),
               {3.594081273333734, 6.399313991196768, 12.282633470481716, 2.1677508522297946,
                1.893217383030783, 0.276361052699349, 2.1188589152243917}),
        GOLDEN(RemiEleveld(40.2, 12, 151.5, true),
               {3.8978626403613115, 5.619059392262935, 13.320794519884101, 1.865219335935763,
                1.3903998136182416, 0.29370126431000587, 2.1188589152243917}),
        GOLDEN(RemiEleveld(88.3, 71.5, 162.4, false),
               {4.238831549486688, 7.1888840545316794, 0.8825523148168496, 2.1605433980580235,
                1.2356611329315133, 0.027576095854427992, 0.3795866794955431}),
        // The fat-free mass of the BMI form, (9270 W) / (6680 + 216 BMI).
        GOLDEN(RemiKim(70, 50, 150, true),
               {4.568805138256397, 6.82076750538108, 3.3799, 2.518915274291655, 1.576, 0.197}),
        GOLDEN(RemiKim(120, 40, 165, false), {6.513724487312873, 8.53885412333323, 3.8569,
                                              3.2064736025821436, 1.8559999999999999, 0.197}),
        GOLDEN(RemiKim(120, 40, 165, true), {6.513724487312873, 9.537201649500213, 3.8569,
                                             3.2064736025821436, 1.8559999999999999, 0.197}),
        // (4.30730 W) / 70, as written.
        GOLDEN(RemimazEleveld(60, 45, false, true, false),
               {3.6919714285714282, 10.542342857142858, 22.904578854809326, 1.0211937613242827,
                1.2940049796331483, 0.34759073180943745, 0.298269}),
        GOLDEN(RemimazEleveld(87.4, 67.5, true, false, true),
               {5.377971714285714, 15.356679428571429, 67.26717565881205, 1.3226315328477314,
                1.7157582044657516, 0.7797921335636803, 0.298269}),
        // The worked row, a child of 1 year and 9.6 kg, and an Asian patient with renal failure.
        GOLDEN(RocuKleijn(80, 60, 80, false, true),
               {5.715756132409543, 8.574256490790331, 0, 0.2630642928010224, 0.30838849214553127, 0,
                0.05611703388838537}),
        GOLDEN(RocuKleijn(9.6, 1, 25, false, false),
               {0.742014168434599, 0.7166488885427991, 0, 0.07788506406955084, 0.06287588313083364,
                0, 0.2201970518844159}),
        GOLDEN(RocuKleijn(58.4, 72.5, 24.5, true, false),
               {4.517148131193227, 6.757672579774553, 0, 0.18785507991367187, 0.19191836101102097,
                0, 0.14020906610239048}),
        // Clearances as V1 times the rate constants, V2 and V3 divided back by k21 and k31.
        GOLDEN(FentShafer(),
               {6.09, 28.121470588235294, 228.375, 0.503643, 2.8683899999999998, 1.37025}),
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
