#pragma once

// The two equivalent forms of a three-compartment mammillary model and the
// conversions between them.
//
//   VolClSet:  V1, V2, V3, Cl1, Cl2, Cl3  (a two-compartment model has V3 = Cl3 = 0,
//              a one-compartment model also V2 = Cl2 = 0)
//   HybridSet: A, B, C, l1, l2, l3        (plasma concentration after a unit bolus is
//              A e^-l1 t + B e^-l2 t + C e^-l3 t; A + B + C = 1/V1, l1 >= l2 >= l3)
//
// On the worksheet both travel as columns of six numbers, so the routines take and
// return vectors in exactly that order.

#include <array>
#include <vector>

namespace pktools {

inline constexpr std::size_t PARAMETER_COUNT = 6;

// Position of each value in a VolClSet column.
namespace volcl {
inline constexpr std::size_t V1 = 0, V2 = 1, V3 = 2, Cl1 = 3, Cl2 = 4, Cl3 = 5;
}
// Position of each value in a HybridSet column.
namespace hybrid {
inline constexpr std::size_t A = 0, B = 1, C = 2, l1 = 3, l2 = 4, l3 = 5;
}

struct MicroConstants {
    double k10, k12, k21, k13, k31;
};

// The first-order rate constants of a three-compartment VolClSet.
MicroConstants microConstants(const std::vector<double>& volCl);

// The exponents (l1, l2, l3) of a three-compartment model, in descending order: the
// roots of the model's characteristic cubic, solved trigonometrically.
std::array<double, 3> cubicExponents(const MicroConstants& k);

// Pairs each volume with its clearance (or each coefficient with its exponent): a zero
// on either side of a pair zeroes the pair. The six values are changed in place.
void linkZeros(std::vector<double>& six);

// Volumes and clearances to hybrid constants. Throws InputError unless exactly six
// values are given; an inconsistent set (V2 = 0 with V3 > 0, a non-positive V1 beside
// peripheral volumes, negative volumes) gives six zeros.
std::vector<double> Cl2Hyb(std::vector<double> param);

// Hybrid constants to volumes and clearances. Throws InputError unless exactly six
// values are given.
std::vector<double> Hyb2Cl(std::vector<double> param);

} // namespace pktools
