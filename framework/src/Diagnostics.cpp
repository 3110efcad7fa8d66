#include "xlf/Diagnostics.h"
#include "xlf/XlfException.h"

#include <iostream>
#include <mutex>
#include <string>

namespace xlf {

void WriteDiagnosticLine(std::string_view text) noexcept {
    try {
        std::string line;
        line.reserve(text.size() + 1);
        line.append(text);
        line.push_back('\n');
        // The stream's buffer (the debugger-output buffer while the add-in is loaded) is not
        // safe for several threads: one line, written and flushed, at a time.
        static std::mutex lock;
        const std::lock_guard<std::mutex> guard(lock);
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
