#pragma once

// Checks shared by the model tests.

#include "drugmodels/models.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <vector>

namespace drugmodels::testing {

// The micro constants (1/min) a row implies: k10 = Cl1/V1, k12 = Cl2/V1, k21 = Cl2/V2,
// k13 = Cl3/V1, k31 = Cl3/V3.
struct MicroConstants {
    double k10, k12, k21, k13, k31;
};

inline void expectMicroConstants(const ParameterRow& p, const MicroConstants& k) {
    constexpr double RELATIVE = 1e-12;
    EXPECT_NEAR(p[row::Cl1] / p[row::V1], k.k10, k.k10 * RELATIVE) << "k10";
    EXPECT_NEAR(p[row::Cl2] / p[row::V1], k.k12, k.k12 * RELATIVE) << "k12";
    EXPECT_NEAR(p[row::Cl2] / p[row::V2], k.k21, k.k21 * RELATIVE) << "k21";
    EXPECT_NEAR(p[row::Cl3] / p[row::V1], k.k13, k.k13 * RELATIVE) << "k13";
    EXPECT_NEAR(p[row::Cl3] / p[row::V3], k.k31, k.k31 * RELATIVE) << "k31";
}

// Relative closeness for values that only rounding separates.
inline void expectClose(double actual, double expected, double relative = 1e-12) {
    EXPECT_NEAR(actual, expected, std::abs(expected) * relative);
}

// Positions at which two rows differ.
inline std::vector<std::size_t> differingPositions(const ParameterRow& a, const ParameterRow& b) {
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (a[i] != b[i])
            positions.push_back(i);
    return positions;
}

} // namespace drugmodels::testing
