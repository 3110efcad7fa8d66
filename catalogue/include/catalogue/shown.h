#pragma once

// A number as the checks' findings and the reference pages write it. Nothing here depends
// on a host.

#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace catalogue {

// As many significant digits as the number needs to read back as the same double.
inline constexpr int SHORTEST = 0;
// The significant digits a check's finding shows of a number.
inline constexpr int FINDING_DIGITS = 6;

// In general notation ("1.75", "1e+06"), with at most the significant digits given.
inline std::string Shown(double value, int significant = SHORTEST) {
    std::array<char, 32> text{};
#if defined(__cpp_lib_to_chars)
    char* const first = text.data();
    char* const last = first + text.size();
    const auto end =
        significant == SHORTEST
            ? std::to_chars(first, last, value, std::chars_format::general).ptr
            : std::to_chars(first, last, value, std::chars_format::general, significant).ptr;
    return std::string(first, end);
#else
    // A standard library without to_chars for doubles (Emscripten's): printf's %g of the
    // same precision writes the same characters; the shortest is the fewest digits that
    // read back as the same double.
    int length = 0;
    for (int digits = significant == SHORTEST ? 1 : significant;; ++digits) {
        length = std::snprintf(text.data(), text.size(), "%.*g", digits, value);
        if (significant != SHORTEST || digits >= 17 || std::strtod(text.data(), nullptr) == value)
            break;
    }
    return std::string(text.data(), static_cast<std::size_t>(length));
#endif
}

} // namespace catalogue
