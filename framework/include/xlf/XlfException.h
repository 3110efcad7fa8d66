#pragma once

// The framework's exceptions. XlfException and its subclasses stand for host
// interruptions and give a null result in the cell; XlfGeneralException carries the text
// of every framework error with a message; XlfNeverGetHere marks a point that a preceding
// raise makes unreachable.

#include <exception>
#include <stdexcept>
#include <string>

namespace xlf {

class XlfException : public std::exception {
public:
    explicit XlfException(std::string what = std::string()) : what_(std::move(what)) {}
    const char* what() const noexcept override { return what_.c_str(); }

private:
    std::string what_;
};

class XlfExceptionUncalculated : public XlfException {
public:
    XlfExceptionUncalculated() : XlfException("") {}
};

class XlfExceptionAbort : public XlfException {
public:
    XlfExceptionAbort() : XlfException("abort") {}
};

class XlfExceptionStackOverflow : public XlfException {
public:
    XlfExceptionStackOverflow() : XlfException("stack overflow") {}
};

class XlfGeneralException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class XlfNeverGetHere : public std::runtime_error {
public:
    XlfNeverGetHere() : std::runtime_error("Reached a never get here point") {}
};

// Writes the source position, ": " and the message as one diagnostic line, then throws
// XlfGeneralException carrying the message.
[[noreturn]] void RaiseGeneral(const char* file, int line, const std::string& message);

} // namespace xlf

#define XLF_RAISE(message) ::xlf::RaiseGeneral(__FILE__, __LINE__, (message))
