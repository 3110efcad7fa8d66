#pragma once

// What differs between host record formats: the limits of strings and arrays and the
// diagnostic lines written at those limits. The add-ins serve 12-era hosts only.

#include "xlf/HostApi.h"

#include <cstdint>

namespace xlf {

template <class Record> struct XlfOperProperties;

template <> struct XlfOperProperties<XLOPER12> {
    using Char = XCHAR;
    // Longest host string made from narrow text, and from wide text.
    static constexpr std::size_t kMaxNarrowStringLength = 32767;
    static constexpr std::size_t kMaxWideStringLength = 32766;
    static constexpr const char* kNarrowTruncatedLine = "String truncated to 32767 bytes";
    static constexpr const char* kWideTruncatedLine = "String truncated to 32766 bytes";
    // Largest array the host accepts.
    static constexpr std::int32_t kMaxRows = 1048576;
    static constexpr std::int32_t kMaxColumns = 16384;
    static constexpr const char* kRowsTruncatedLine = "Truncating rows to 1048576";
    static constexpr const char* kColumnsTruncatedLine = "Truncating columns to 16384";
};

// Counted byte strings of the older record format.
inline constexpr std::size_t kMaxByteStringLength = 255;
inline constexpr const char* kByteStringTruncatedLine = "String truncated to 255 bytes";

} // namespace xlf
