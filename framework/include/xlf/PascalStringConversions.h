#pragma once

// Conversions between plain texts and the host's counted strings. Every counted string is
// made in the calling thread's temporary memory; over-long texts are cut, with one
// diagnostic line.

#include "xlf/HostApi.h"

#include <string>
#include <string_view>

namespace xlf {

// Narrow text (active code page) to a counted wide string, at most 32767 characters.
XCHAR* NarrowToCountedWide(std::string_view text);
// Wide text to a counted wide string, at most 32766 characters.
XCHAR* WideToCountedWide(std::u16string_view text);
XCHAR* WideToCountedWide(std::wstring_view text);
// A counted wide string to NUL-terminated narrow text in temporary memory; a null
// pointer reads as an empty string.
char* CountedWideToNarrow(const XCHAR* counted);
// The characters of a counted wide string.
std::u16string_view CountedWideView(const XCHAR* counted) noexcept;

// Counted byte strings of the older record format: at most 255 characters.
unsigned char* NarrowToCountedByte(std::string_view text);
unsigned char* WideToCountedByte(std::u16string_view text);
char* CountedByteToNarrow(const unsigned char* counted);
std::u16string CountedByteToWide(const unsigned char* counted);

// wchar_t text as UTF-16 (wchar_t is 32 bits wide outside Windows).
std::u16string ToUtf16(std::wstring_view text);

} // namespace xlf
