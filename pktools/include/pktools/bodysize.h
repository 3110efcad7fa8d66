#pragma once

// Body-size covariates: weight W in kg, height H in cm, male = true for men.

namespace pktools {

// Body mass index in kg/m^2.
double BMI(double W, double H);
// Lean body mass in kg, formula of James.
double JLBM(double W, double H, bool male);
// Lean body mass in kg, formula of Janmahasatian.
double JanLBM(double W, double H, bool male);
// Lean body mass in kg: James below a sex-specific BMI threshold, above it the
// Janmahasatian curve shifted to meet James at the threshold.
double JJLBM(double W, double H, bool male);

} // namespace pktools
