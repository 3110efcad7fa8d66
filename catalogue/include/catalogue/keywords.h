#pragma once

// The keyword name of a registered argument name in the front ends whose names are written in
// lower case with underscores (the Python modules, the R packages): a "_" between a
// lower-case letter or digit and the upper-case letter after it, and between two upper-case
// letters when a lower-case one follows the second; then everything in lower case.
// "deltaTimes" -> delta_times, "IVBolus" -> iv_bolus, "MALE" -> male, "IC50" -> ic50,
// "peak_time" -> peak_time. Each front end then appends a "_" to a name that is one of its
// language's reserved words.

#include <cstddef>
#include <string>
#include <string_view>

namespace catalogue {

constexpr bool isLowerAscii(char c) {
    return c >= 'a' && c <= 'z';
}
constexpr bool isUpperAscii(char c) {
    return c >= 'A' && c <= 'Z';
}
constexpr bool isDigitAscii(char c) {
    return c >= '0' && c <= '9';
}

inline std::string lowerCaseWords(std::string_view registered) {
    std::string name;
    for (std::size_t i = 0; i < registered.size(); ++i) {
        const char c = registered[i];
        if (i > 0 && isUpperAscii(c)) {
            const char before = registered[i - 1];
            const bool wordStarts = isLowerAscii(before) || isDigitAscii(before) ||
                                    (isUpperAscii(before) && i + 1 < registered.size() &&
                                     isLowerAscii(registered[i + 1]));
            if (wordStarts)
                name += '_';
        }
        name += isUpperAscii(c) ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return name;
}

} // namespace catalogue
