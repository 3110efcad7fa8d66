#pragma once

// A number as the checks' findings and the reference pages write it. Nothing here depends
// on a host.

#include <array>
#include <charconv>
#include <string>

namespace catalogue {

// As many significant digits as the number needs to read back as the same double.
inline constexpr int SHORTEST = 0;
// The significant digits a check's finding shows of a number.
inline constexpr int FINDING_DIGITS = 6;

// In general notation ("1.75", "1e+06"), with at most the significant digits given.
inline std::string Shown(double value, int significant = SHORTEST) {
    std::array<char, 32> text{};
    char* const first = text.data();
    char* const last = first + text.size();
    const auto end = significant == SHORTEST
                         ? std::to_chars(first, last, value, std::chars_format::general).ptr
                         : std::to_chars(first, last, value, std::chars_format::general,
                                         significant)
                               .ptr;
    return std::string(first, end);
}

} // namespace catalogue
