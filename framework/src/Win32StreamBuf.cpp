#include "xlf/Win32StreamBuf.h"
#include "xlf/Platform.h"

#include <iostream>

namespace xlf {

Win32StreamBuf::int_type Win32StreamBuf::overflow(int_type c) {
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        buffer_.push_back(traits_type::to_char_type(c));
    }
    return traits_type::not_eof(c);
}

std::streamsize Win32StreamBuf::xsputn(const char* text, std::streamsize count) {
    buffer_.append(text, static_cast<std::size_t>(count));
    return count;
}

int Win32StreamBuf::sync() {
    if (!buffer_.empty() && platform::DebuggerPresent()) {
        platform::OutputToDebugger(buffer_);
    }
    buffer_.clear();
    return 0;
}

DiagnosticStreamRedirection::DiagnosticStreamRedirection() : previous_(std::cerr.rdbuf(&buffer_)) {}

DiagnosticStreamRedirection::~DiagnosticStreamRedirection() {
    if (std::cerr.rdbuf() == &buffer_) {
        std::cerr.rdbuf(previous_);
    }
}

} // namespace xlf
