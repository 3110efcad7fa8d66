#pragma once

// The diagnostic stream: the process's standard error stream. Every line ends with a line
// break and is flushed at once.

#include <string_view>

namespace xlf {

// Writes text and a line break as one write.
void WriteDiagnosticLine(std::string_view text) noexcept;
// Writes the source position, ": " and the text.
void WriteDiagnosticLineAt(const char* file, int line, std::string_view text) noexcept;

namespace detail {
// The file name without its folders, so that lines do not depend on the build folder.
constexpr const char* BaseName(const char* path) {
    const char* base = path;
    for (const char* p = path; *p != '\0'; ++p) {
        if (*p == '/' || *p == '\\') {
            base = p + 1;
        }
    }
    return base;
}
} // namespace detail

} // namespace xlf

#define XLF_DIAGNOSTIC_AT_HERE(text)                                                               \
    ::xlf::WriteDiagnosticLineAt(::xlf::detail::BaseName(__FILE__), __LINE__, (text))
