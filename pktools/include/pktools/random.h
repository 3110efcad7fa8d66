#pragma once

// Reproducible random draws: the same numbers from the same seed in every front end and on
// every machine, where the runtimes' own random distributions differ.
//
// Draw n (n = 0, 1, ...) of a seed is computed directly, without a generator state: the
// SplitMix64 output n of the seed, turned into a uniform number in (0, 1) by its top 52 bits
// and into a standard normal one by the normal quantile of Wichura's AS 241 (PPND16). Every
// step is exact integer arithmetic or a fixed sequence of floating-point operations.

#include "catalogue/reference.h"

#include <cstdint>

namespace pktools {

// The SplitMix64 increment (the odd integer nearest 2^64 over the golden ratio) and its two
// multipliers.
inline constexpr std::uint64_t SPLITMIX_INCREMENT = 0x9E3779B97F4A7C15;
inline constexpr std::uint64_t SPLITMIX_MULTIPLIER_1 = 0xBF58476D1CE4E5B9;
inline constexpr std::uint64_t SPLITMIX_MULTIPLIER_2 = 0x94D049BB133111EB;

// The largest seed and draw index: 2^53, the largest integer up to which a spreadsheet
// cell holds every integer exactly.
inline constexpr double LARGEST_SEED = 9007199254740992.0;

// Output n of SplitMix64 started at seed: z = seed + (n + 1) * SPLITMIX_INCREMENT, then
// z ^= z >> 30, z *= SPLITMIX_MULTIPLIER_1, z ^= z >> 27, z *= SPLITMIX_MULTIPLIER_2,
// z ^= z >> 31, all modulo 2^64.
constexpr std::uint64_t splitMix64(std::uint64_t seed, std::uint64_t n) {
    std::uint64_t z = seed + (n + 1) * SPLITMIX_INCREMENT;
    z = (z ^ (z >> 30)) * SPLITMIX_MULTIPLIER_1;
    z = (z ^ (z >> 27)) * SPLITMIX_MULTIPLIER_2;
    return z ^ (z >> 31);
}

// The uniform number of 64 random bits: ((bits >> 12) + 0.5) / 2^52, in (0, 1) and never
// 0 or 1 (53 bits would round the largest value up to 1). Every step is exact.
double centredUniform(std::uint64_t bits);

// The standard normal quantile of u in (0, 1), by AS 241 (PPND16): a rational approximation
// in the centre (|u - 0.5| <= 0.425) and two in the tails, each polynomial evaluated by
// Horner's rule from its highest power. NaN outside (0, 1).
double normalQuantile(double u);

// Normal draw n of a seed: normalQuantile(centredUniform(splitMix64(seed, n))).
double normalDraw(std::uint64_t seed, std::uint64_t n);

// A seed or a draw index as the sheet gives it: a whole number from 0 to LARGEST_SEED.
// Throws InputError with the given refusal for anything else (a fraction, a negative or
// non-finite number, a larger one).
std::uint64_t wholeNumberUpTo2To53(double value, const catalogue::ErrorCause& refusal);

// The n-th normal draw of the stream of seed. Throws InputError "Seed must be a whole number
// from 0 to 2^53!" or "n must be a whole number from 0 to 2^53!".
double RandNorm(double seed, double n);

} // namespace pktools
