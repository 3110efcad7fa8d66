#pragma once

// Body-size measures that the models compute from their covariates.

namespace drugmodels {

// Lean body mass (kg), formula of James: f W - (W/H)^2 k, with f = 1.1, k = 128 for men
// and f = 1.07, k = 148 for women. W in kg, H in cm.
double jamesLeanBodyMass(double weight, double height, bool male);

// Fat-free mass (kg), height-squared form: 42.92 h2 W / (30.93 h2 + W) for men,
// 37.99 h2 W / (35.98 h2 + W) for women, with h2 the squared height in metres.
double fatFreeMass(double weight, double height, bool male);

// Fat-free mass (kg), formula of Janmahasatian: 9270 W / (6680 + 216 BMI) for men and
// 9270 W / (8780 + 244 BMI) for women, with BMI = W / (H/100)^2. W in kg, H in cm.
double janmahasatianFatFreeMass(double weight, double height, bool male);

} // namespace drugmodels
