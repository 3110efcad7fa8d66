#pragma once

// Win32StreamBuf: a stream buffer that collects what is written to it and, at every
// flush, hands the collected text to the debugger's output window when a debugger is
// attached, then forgets it. The add-in installs one on the standard error stream (the
// diagnostic stream) while it is loaded.

#include <streambuf>
#include <string>

namespace xlf {

class Win32StreamBuf : public std::streambuf {
public:
    Win32StreamBuf() = default;
    Win32StreamBuf(const Win32StreamBuf&) = delete;
    Win32StreamBuf& operator=(const Win32StreamBuf&) = delete;

    // What has been written since the last flush.
    const std::string& Pending() const noexcept { return buffer_; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    std::string buffer_;
};

// Puts a Win32StreamBuf on the standard error stream while it exists, and the previous
// buffer back when it goes (unless the stream has been given another buffer meanwhile).
class DiagnosticStreamRedirection {
public:
    DiagnosticStreamRedirection();
    ~DiagnosticStreamRedirection();
    DiagnosticStreamRedirection(const DiagnosticStreamRedirection&) = delete;
    DiagnosticStreamRedirection& operator=(const DiagnosticStreamRedirection&) = delete;

private:
    Win32StreamBuf buffer_;
    std::streambuf* previous_;
};

} // namespace xlf
