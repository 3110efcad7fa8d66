#include "xlf/Diagnostics.h"
#include "xlf/XlfException.h"

#include <iostream>
#include <string>

namespace xlf {

void WriteDiagnosticLine(std::string_view text) noexcept {
    try {
        std::string line;
        line.reserve(text.size() + 1);
        line.append(text);
        line.push_back('\n');
        std::cerr.write(line.data(), static_cast<std::streamsize>(line.size()));
        std::cerr.flush();
    } catch (...) {
        // A diagnostic line that cannot be written is dropped.
    }
}

void WriteDiagnosticLineAt(const char* file, int line, std::string_view text) noexcept {
    try {
        std::string full = detail::BaseName(file);
        full += ':';
        full += std::to_string(line);
        full += ": ";
        full.append(text);
        WriteDiagnosticLine(full);
    } catch (...) {
    }
}

void RaiseGeneral(const char* file, int line, const std::string& message) {
    WriteDiagnosticLineAt(file, line, message);
    throw XlfGeneralException(message);
}

} // namespace xlf
