#pragma once

// XlfOper: a handle on one host value record. The record, and every string or array that
// hangs from it, lives in the calling thread's temporary memory; copying an XlfOper copies
// the pointer. Records that came back from the host carry xlbitXLFree and are handed back
// with xlFree once read; the conversions do so themselves.

#include "catalogue/kinds.h"
#include "xlf/HostApi.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xlf {

// An error value such as #VALUE! (xlerrValue).
struct ErrorCode {
    std::int32_t code;
};

class XlfOper {
public:
    // Missing.
    XlfOper();
    XlfOper(double value);
    XlfOper(std::int32_t value);
    XlfOper(bool value);
    XlfOper(ErrorCode error);
    // Text widened from the active code page; cut at 32767 characters.
    XlfOper(const char* text);
    XlfOper(const std::string& text);
    // Wide text; cut at 32766 characters.
    XlfOper(const std::wstring& text);
    XlfOper(std::u16string_view text);
    // One column of numbers; an empty vector is missing.
    XlfOper(const std::vector<double>& values);
    // One column of texts in UTF-8, whatever the code page; an empty vector is missing.
    XlfOper(const std::vector<std::string>& utf8Texts);
    // Wraps a record the host passed in, or one already made; no copy.
    explicit XlfOper(XLOPER12* record) noexcept : record_(record) {}

    XLOPER12* GetXLOPER() const noexcept { return record_; }
    // The type code, without the flag bits.
    std::uint32_t Type() const noexcept { return record_->xltype & xltypeMask; }

    // Conversions; name is the argument's name for the error text and may be null.
    double ToDouble(const char* name = nullptr) const;
    bool ToBool(const char* name = nullptr) const;
    // NUL-terminated narrow text in temporary memory.
    char* ToString(const char* name = nullptr) const;
    // A single row, a single column or a single value, in its order.
    std::vector<double> ToDoubleVector(const char* name = nullptr) const;
    // A block (catalogue/kinds.h): any range of numbers (or one value), row by row, each
    // cell converted as a column's. A missing argument or an error value raises, as for a
    // column.
    catalogue::Block ToBlock(const char* name = nullptr) const;
    // A column of samples (catalogue/kinds.h): a single row, column or value whose empty
    // cells (and empty texts) are rows not sampled; any other cell converted as a column's.
    // A missing argument or a range of rows and columns raises as for a column; an error
    // value, the argument's or a cell's, as for a cell.
    catalogue::Samples ToSamples(const char* name = nullptr) const;
    // A column of identifiers (catalogue/kinds.h): a single row, column or value of texts,
    // numbers (as catalogue::identifierOf writes them), truth values ("TRUE", "FALSE") and
    // empty cells (the empty text). A missing argument or a range of rows and columns raises
    // as for a column, an error value as a text's conversion does.
    catalogue::Identifiers ToIdentifiers(const char* name = nullptr) const;

    std::int32_t Rows() const;
    std::int32_t Columns() const;
    // The record at zero-based row i and column j; no bounds check.
    XlfOper Element(std::int32_t i, std::int32_t j) const;

    // Turns the record into a rows x columns array of zero-filled records (cut at the
    // host's limits), or into missing when either count is below 1.
    XlfOper& AllocateArray(std::int32_t rows, std::int32_t columns);

    // Raises the exception that a host result code stands for; returns normally for a
    // code that names no failure.
    static void RaiseForResultCode(int code, const char* name, const char* context);
    // Raises the error for a value of this type that cannot be converted.
    [[noreturn]] static void RaiseForUnconvertible(std::uint32_t type, const char* name,
                                                   const char* context);

private:
    XLOPER12* record_;
};

// Builds the text of a conversion error: the message, ", " and the name when one is given,
// a blank and the context when one is given.
std::string ErrorText(std::string_view message, const char* name, const char* context);

// UTF-8 text as UTF-16; a byte that begins no valid sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// UTF-16 text as UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Conversions of arguments that may be left out, for functions that read what the user
// entered as it is (the checks). None raises: what does not fit is told by its value.
//
// A number: nothing for an omitted argument, an empty cell or an empty text; a number, or a
// truth value as 1 or 0; a range of one cell as that cell; anything else NaN.
std::optional<double> OptionalNumber(const XlfOper& value);
// A text in UTF-8: a range of one cell as that cell; anything that is no text is empty.
std::string TextOf(const XlfOper& value);
// A column: nothing for an omitted argument or an empty cell, else ToDoubleVector(name).
std::optional<std::vector<double>> OptionalColumn(const XlfOper& value, const char* name);

// Makes a record an array in temporary memory (see XlfOper::AllocateArray).
void AllocateArray(XLOPER12& record, std::int32_t rows, std::int32_t columns);

} // namespace xlf
