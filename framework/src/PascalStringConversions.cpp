#include "xlf/PascalStringConversions.h"
#include "xlf/Diagnostics.h"
#include "xlf/Platform.h"
#include "xlf/TempMemory.h"
#include "xlf/XlfOperProperties.h"

#include <algorithm>
#include <cstring>

namespace xlf {

namespace {

using Props = XlfOperProperties<XLOPER12>;

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

// Copies at most limit units into a counted string; a cut never splits a surrogate pair.
XCHAR* MakeCounted(std::u16string_view text, std::size_t limit, const char* truncatedLine) {
    std::size_t n = text.size();
    if (n > limit) {
        n = limit;
        if (IsHighSurrogate(text[n - 1])) {
            --n;
        }
        WriteDiagnosticLine(truncatedLine);
    }
    XCHAR* counted = TempMemory::Get<XCHAR>(n + 2);
    counted[0] = static_cast<XCHAR>(n);
    std::copy_n(text.data(), n, counted + 1);
    counted[n + 1] = 0;
    return counted;
}

unsigned char* MakeCountedByte(std::string_view text) {
    std::size_t n = text.size();
    if (n > kMaxByteStringLength) {
        n = kMaxByteStringLength;
        WriteDiagnosticLine(kByteStringTruncatedLine);
    }
    auto* counted = TempMemory::Get<unsigned char>(n + 2);
    counted[0] = static_cast<unsigned char>(n);
    std::memcpy(counted + 1, text.data(), n);
    counted[n + 1] = 0;
    return counted;
}

char* NulTerminated(std::string_view text) {
    char* out = TempMemory::Get<char>(text.size() + 1);
    std::memcpy(out, text.data(), text.size());
    out[text.size()] = '\0';
    return out;
}

} // namespace

XCHAR* NarrowToCountedWide(std::string_view text) {
    return MakeCounted(platform::WidenFromActiveCodePage(text), Props::kMaxNarrowStringLength,
                       Props::kNarrowTruncatedLine);
}

XCHAR* WideToCountedWide(std::u16string_view text) {
    return MakeCounted(text, Props::kMaxWideStringLength, Props::kWideTruncatedLine);
}

XCHAR* WideToCountedWide(std::wstring_view text) {
    return WideToCountedWide(ToUtf16(text));
}

std::u16string_view CountedWideView(const XCHAR* counted) noexcept {
    if (counted == nullptr) {
        return {};
    }
    return std::u16string_view(counted + 1, counted[0]);
}

char* CountedWideToNarrow(const XCHAR* counted) {
    return NulTerminated(platform::NarrowToActiveCodePage(CountedWideView(counted)));
}

unsigned char* NarrowToCountedByte(std::string_view text) {
    return MakeCountedByte(text);
}

unsigned char* WideToCountedByte(std::u16string_view text) {
    return MakeCountedByte(platform::NarrowToActiveCodePage(text));
}

char* CountedByteToNarrow(const unsigned char* counted) {
    if (counted == nullptr) {
        return NulTerminated({});
    }
    return NulTerminated(std::string_view(reinterpret_cast<const char*>(counted + 1), counted[0]));
}

std::u16string CountedByteToWide(const unsigned char* counted) {
    if (counted == nullptr) {
        return {};
    }
    return platform::WidenFromActiveCodePage(
        std::string_view(reinterpret_cast<const char*>(counted + 1), counted[0]));
}

std::u16string ToUtf16(std::wstring_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (wchar_t w : text) {
        const auto c = static_cast<std::uint32_t>(w);
        if constexpr (sizeof(wchar_t) > 2) {
            if (c >= 0x10000 && c <= 0x10FFFF) {
                out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
                out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
                continue;
            }
            if (c > 0x10FFFF) {
                out.push_back(u'\xFFFD');
                continue;
            }
        }
        out.push_back(static_cast<char16_t>(c));
    }
    return out;
}

} // namespace xlf
