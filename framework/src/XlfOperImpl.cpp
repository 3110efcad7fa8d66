#include "xlf/ConversionTexts.h"
#include "xlf/Diagnostics.h"
#include "xlf/PascalStringConversions.h"
#include "xlf/TempMemory.h"
#include "xlf/XlfExcel.h"
#include "xlf/XlfException.h"
#include "xlf/XlfOper.h"
#include "xlf/XlfOperProperties.h"

#include <cmath>

namespace xlf {

namespace {

using Props = XlfOperProperties<XLOPER12>;

XLOPER12* NewRecord(std::uint32_t type) {
    auto* record = TempMemory::Get<XLOPER12>();
    record->xltype = type;
    return record;
}

// The one area of a reference; raises for several areas.
const XLREF12& SingleArea(const XLOPER12& record) {
    const XLMREF12* areas = record.val.mref.lpmref;
    if (areas == nullptr || areas->count == 0) {
        XLF_RAISE("No implementation on XlfOper rows");
    }
    if (areas->count != 1) {
        XLF_RAISE("No implementation for multiple Refs");
    }
    return areas->reftbl[0];
}

// Asks the host to convert a value to the wanted type. The result is owned by the caller's
// HostOwnedRecord, which releases it on every path.
void Coerce(const XLOPER12& value, std::uint32_t wanted, HostOwnedRecord& coerced, const char* name,
            const char* context) {
    XLOPER12 type{};
    type.xltype = xltypeInt;
    type.val.w = static_cast<std::int32_t>(wanted);
    const int code =
        XlfExcel::Instance().Call(xlCoerce, coerced.get(), const_cast<XLOPER12*>(&value), &type);
    if (code != xlretSuccess) {
        XlfOper::RaiseForResultCode(code, name, context);
    }
}

// The scalar conversions, with one round of host coercion for the other types; a value
// the host could not turn into a convertible one raises rather than asking again.
double ConvertToDouble(const XLOPER12& record, const char* name, bool mayCoerce) {
    const std::uint32_t type = record.xltype & xltypeMask;
    switch (type) {
    case xltypeNum:
        return record.val.num;
    case xltypeInt:
        return static_cast<double>(record.val.w);
    case xltypeBool:
        return record.val.xbool != 0 ? 1.0 : 0.0;
    case xltypeMissing:
    case xltypeErr:
    case xltypeNil:
        XlfOper::RaiseForUnconvertible(type, name, kToDoubleContext);
    default:
        break;
    }
    if (!mayCoerce) {
        XlfOper::RaiseForUnconvertible(type, name, kToDoubleContext);
    }
    HostOwnedRecord coerced;
    Coerce(record, xltypeNum, coerced, name, kToDoubleContext);
    return ConvertToDouble(*coerced, name, false);
}

bool ConvertToBool(const XLOPER12& record, const char* name, bool mayCoerce) {
    const std::uint32_t type = record.xltype & xltypeMask;
    switch (type) {
    case xltypeNum:
        // A NaN compares unequal to 0 and so counts as true.
        return record.val.num != 0.0;
    case xltypeInt:
        return record.val.w != 0;
    case xltypeBool:
        return record.val.xbool != 0;
    case xltypeMissing:
    case xltypeErr:
    case xltypeNil:
        XlfOper::RaiseForUnconvertible(type, name, kToBoolContext);
    default:
        break;
    }
    if (!mayCoerce) {
        XlfOper::RaiseForUnconvertible(type, name, kToBoolContext);
    }
    HostOwnedRecord coerced;
    Coerce(record, xltypeBool, coerced, name, kToBoolContext);
    return ConvertToBool(*coerced, name, false);
}

// One element of a vector argument as a number; the element is released afterwards if the
// host owns it, also when the conversion raised.
double ConvertElement(XLOPER12* element, const char* name) {
    struct Release {
        XLOPER12* record;
        ~Release() { FreeIfHostOwned(*record); }
    } release{element};
    return ConvertToDouble(*element, name, true);
}

// Makes the missing value a column of one cell per value, cut at the host's last row
// with a diagnostic line; nothing for no values.
template <class Values, class FillCell>
void FillColumn(XLOPER12& record, const Values& values, FillCell fillCell) {
    if (values.empty()) {
        return;
    }
    std::size_t rows = values.size();
    if (rows > static_cast<std::size_t>(Props::kMaxRows)) {
        WriteDiagnosticLine(Props::kRowsTruncatedLine);
        rows = Props::kMaxRows;
    }
    xlf::AllocateArray(record, static_cast<std::int32_t>(rows), 1);
    XLOPER12* cells = record.val.array.lparray;
    for (std::size_t i = 0; i < rows; ++i) {
        fillCell(cells[i], values[i]);
    }
}

} // namespace

XlfOper::XlfOper() : record_(NewRecord(xltypeMissing)) {}

XlfOper::XlfOper(double value) : record_(NewRecord(xltypeNum)) {
    record_->val.num = value;
}

XlfOper::XlfOper(std::int32_t value) : record_(NewRecord(xltypeInt)) {
    record_->val.w = value;
}

XlfOper::XlfOper(bool value) : record_(NewRecord(xltypeBool)) {
    record_->val.xbool = value ? 1 : 0;
}

XlfOper::XlfOper(ErrorCode error) : record_(NewRecord(xltypeErr)) {
    record_->val.err = error.code;
}

XlfOper::XlfOper(const char* text) : record_(NewRecord(xltypeStr)) {
    record_->val.str = NarrowToCountedWide(text != nullptr ? std::string_view(text) : "");
}

XlfOper::XlfOper(const std::string& text) : record_(NewRecord(xltypeStr)) {
    record_->val.str = NarrowToCountedWide(text);
}

XlfOper::XlfOper(const std::wstring& text) : record_(NewRecord(xltypeStr)) {
    record_->val.str = WideToCountedWide(std::wstring_view(text));
}

XlfOper::XlfOper(std::u16string_view text) : record_(NewRecord(xltypeStr)) {
    record_->val.str = WideToCountedWide(text);
}

XlfOper::XlfOper(const std::vector<double>& values) : record_(NewRecord(xltypeMissing)) {
    FillColumn(*record_, values, [](XLOPER12& cell, double value) {
        cell.xltype = xltypeNum;
        cell.val.num = value;
    });
}

XlfOper::XlfOper(const std::vector<std::string>& utf8Texts) : record_(NewRecord(xltypeMissing)) {
    FillColumn(*record_, utf8Texts, [](XLOPER12& cell, const std::string& text) {
        cell.xltype = xltypeStr;
        cell.val.str = WideToCountedWide(Utf8ToUtf16(text));
    });
}

std::u16string Utf8ToUtf16(std::string_view text) {
    constexpr char16_t REPLACEMENT = 0xFFFD;
    std::u16string wide;
    wide.reserve(text.size());
    for (std::size_t k = 0; k < text.size();) {
        const auto lead = static_cast<unsigned char>(text[k]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        char32_t code = length == 1   ? lead
                        : length == 2 ? lead & 0x1F
                        : length == 3 ? lead & 0x0F
                                      : lead & 0x07;
        bool valid = length > 0 && k + length <= text.size();
        for (std::size_t j = 1; valid && j < length; ++j) {
            const auto next = static_cast<unsigned char>(text[k + j]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        if (!valid || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            wide += REPLACEMENT;
            ++k;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            wide += static_cast<char16_t>(0xD800 + (code >> 10));
            wide += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            wide += static_cast<char16_t>(code);
        }
        k += length;
    }
    return wide;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    constexpr char32_t REPLACEMENT = 0xFFFD;
    std::string narrow;
    narrow.reserve(text.size());
    for (std::size_t k = 0; k < text.size(); ++k) {
        char32_t code = text[k];
        if (code >= 0xD800 && code <= 0xDBFF && k + 1 < text.size() && text[k + 1] >= 0xDC00 &&
            text[k + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[k + 1] - 0xDC00);
            ++k;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = REPLACEMENT;
        }
        if (code < 0x80) {
            narrow += static_cast<char>(code);
        } else if (code < 0x800) {
            narrow += static_cast<char>(0xC0 | (code >> 6));
            narrow += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            narrow += static_cast<char>(0xE0 | (code >> 12));
            narrow += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            narrow += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            narrow += static_cast<char>(0xF0 | (code >> 18));
            narrow += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            narrow += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            narrow += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return narrow;
}

namespace {

// A range of one cell stands for that cell.
XlfOper SingleCell(const XlfOper& value) {
    if (value.Type() == xltypeMulti && value.Rows() == 1 && value.Columns() == 1) {
        return value.Element(0, 0);
    }
    return value;
}

} // namespace

std::optional<double> OptionalNumber(const XlfOper& given) {
    const XlfOper value = SingleCell(given);
    const XLOPER12* record = value.GetXLOPER();
    switch (value.Type()) {
    case xltypeNum:
        return record->val.num;
    case xltypeBool:
        return record->val.xbool != 0 ? 1.0 : 0.0;
    case xltypeMissing:
    case xltypeNil:
        return std::nullopt;
    case xltypeStr:
        if (record->val.str == nullptr || record->val.str[0] == 0) {
            return std::nullopt;
        }
        break;
    default:
        break;
    }
    return std::nan("");
}

std::string TextOf(const XlfOper& given) {
    const XlfOper value = SingleCell(given);
    if (value.Type() != xltypeStr || value.GetXLOPER()->val.str == nullptr) {
        return "";
    }
    return Utf16ToUtf8(CountedWideView(value.GetXLOPER()->val.str));
}

std::optional<std::vector<double>> OptionalColumn(const XlfOper& value, const char* name) {
    if (value.Type() == xltypeMissing || value.Type() == xltypeNil) {
        return std::nullopt;
    }
    return value.ToDoubleVector(name);
}

void AllocateArray(XLOPER12& record, std::int32_t rows, std::int32_t columns) {
    if (rows < 1 || columns < 1) {
        record.xltype = xltypeMissing;
        return;
    }
    if (columns > Props::kMaxColumns) {
        WriteDiagnosticLine(Props::kColumnsTruncatedLine);
        columns = Props::kMaxColumns;
    }
    if (rows > Props::kMaxRows) {
        WriteDiagnosticLine(Props::kRowsTruncatedLine);
        rows = Props::kMaxRows;
    }
    const auto count = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
    record.val.array.lparray = TempMemory::Get<XLOPER12>(count);
    record.val.array.rows = rows;
    record.val.array.columns = columns;
    record.xltype = xltypeMulti;
}

XlfOper& XlfOper::AllocateArray(std::int32_t rows, std::int32_t columns) {
    xlf::AllocateArray(*record_, rows, columns);
    return *this;
}

double XlfOper::ToDouble(const char* name) const {
    return ConvertToDouble(*record_, name, true);
}

bool XlfOper::ToBool(const char* name) const {
    return ConvertToBool(*record_, name, true);
}

char* XlfOper::ToString(const char* name) const {
    if (Type() == xltypeStr) {
        return CountedWideToNarrow(record_->val.str);
    }
    HostOwnedRecord coerced;
    Coerce(*record_, xltypeStr, coerced, name, kToStringContext);
    if ((coerced->xltype & xltypeMask) != xltypeStr) {
        RaiseForUnconvertible(coerced->xltype & xltypeMask, name, kToStringContext);
    }
    return CountedWideToNarrow(coerced->val.str);
}

namespace {

struct Extent {
    std::int32_t rows, columns;
};

// How many rows and columns a record of this type spans: one cell for a single value,
// none for an error, a missing or a nil value.
Extent ExtentOf(const XLOPER12& record, std::uint32_t type) {
    switch (type) {
    case xltypeNum:
    case xltypeStr:
    case xltypeBool:
    case xltypeInt:
        return {1, 1};
    case xltypeErr:
    case xltypeMissing:
    case xltypeNil:
        return {0, 0};
    case xltypeMulti:
        return {record.val.array.rows, record.val.array.columns};
    case xltypeSRef: {
        const XLREF12& area = record.val.sref.ref;
        return {area.rwLast - area.rwFirst + 1, area.colLast - area.colFirst + 1};
    }
    case xltypeRef: {
        const XLREF12& area = SingleArea(record);
        return {area.rwLast - area.rwFirst + 1, area.colLast - area.colFirst + 1};
    }
    default:
        XLF_RAISE("No implementation on XlfOper rows");
    }
}

} // namespace

std::int32_t XlfOper::Rows() const {
    return ExtentOf(*record_, Type()).rows;
}

std::int32_t XlfOper::Columns() const {
    return ExtentOf(*record_, Type()).columns;
}

XlfOper XlfOper::Element(std::int32_t i, std::int32_t j) const {
    switch (Type()) {
    case xltypeMulti: {
        const auto index =
            static_cast<std::size_t>(i) * static_cast<std::size_t>(record_->val.array.columns) +
            static_cast<std::size_t>(j);
        return XlfOper(record_->val.array.lparray + index);
    }
    case xltypeNum:
    case xltypeStr:
    case xltypeBool:
    case xltypeInt:
        return *this;
    case xltypeSRef: {
        XLOPER12* cell = NewRecord(xltypeSRef);
        const XLREF12& from = record_->val.sref.ref;
        cell->val.sref.count = 1;
        cell->val.sref.ref.rwFirst = cell->val.sref.ref.rwLast = from.rwFirst + i;
        cell->val.sref.ref.colFirst = cell->val.sref.ref.colLast = from.colFirst + j;
        return XlfOper(cell);
    }
    case xltypeRef: {
        const XLREF12& from = SingleArea(*record_);
        auto* areas = TempMemory::Get<XLMREF12>();
        areas->count = 1;
        areas->reftbl[0].rwFirst = areas->reftbl[0].rwLast = from.rwFirst + i;
        areas->reftbl[0].colFirst = areas->reftbl[0].colLast = from.colFirst + j;
        XLOPER12* cell = NewRecord(xltypeRef);
        cell->val.mref.lpmref = areas;
        cell->val.mref.idSheet = record_->val.mref.idSheet;
        return XlfOper(cell);
    }
    default:
        XLF_RAISE("Wrong type for element by element access ");
    }
}

std::vector<double> XlfOper::ToDoubleVector(const char* name) const {
    const std::int32_t rows = Rows();
    const std::int32_t columns = Columns();
    // A malformed reference may give negative counts, and an array or area may have no
    // cells (1 x 0, 0 x 1): those are refused too, so that every vector has an element.
    if ((rows != 1 && columns != 1) || rows < 1 || columns < 1) {
        RaiseForResultCode(xlretInvXloper, name, kNotOneDimensional);
    }
    std::vector<double> values(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
    if (Type() == xltypeMulti) {
        // A row or column of an array: its records lie one after the other in the order of
        // the result. Plain numbers (no flag bits: nothing to release) are read in place;
        // any other record goes through the element conversion.
        const XLOPER12* cells = record_->val.array.lparray;
        double* const out = values.data();
        const std::size_t count = values.size();
        for (std::size_t k = 0; k < count; ++k) {
            if (cells[k].xltype == xltypeNum) {
                out[k] = cells[k].val.num;
            } else {
                out[k] = ConvertElement(const_cast<XLOPER12*>(cells + k), name);
            }
        }
        return values;
    }
    for (std::int32_t i = 0; i < rows; ++i) {
        for (std::int32_t j = 0; j < columns; ++j) {
            values[static_cast<std::size_t>(i) +
                   static_cast<std::size_t>(j) * static_cast<std::size_t>(rows)] =
                ConvertElement(Element(i, j).GetXLOPER(), name);
        }
    }
    return values;
}

catalogue::Block XlfOper::ToBlock(const char* name) const {
    const std::uint32_t type = Type();
    if (type == xltypeMissing || type == xltypeErr || type == xltypeNil) {
        RaiseForUnconvertible(type, name, kToDoubleContext);
    }
    const std::int32_t rows = Rows();
    const std::int32_t columns = Columns();
    // A malformed reference may give negative counts, and an array or area no cells.
    if (rows < 1 || columns < 1) {
        RaiseForResultCode(xlretInvXloper, name, kToDoubleContext);
    }
    catalogue::Block block{static_cast<std::size_t>(rows), static_cast<std::size_t>(columns), {}};
    block.cells.resize(block.rows * block.columns);
    // Row by row, each cell converted as a column's.
    for (std::int32_t i = 0; i < rows; ++i) {
        for (std::int32_t j = 0; j < columns; ++j) {
            XlfOper cell = Element(i, j);
            const XLOPER12* record = cell.GetXLOPER();
            block.cells[static_cast<std::size_t>(i) * block.columns + static_cast<std::size_t>(j)] =
                record->xltype == xltypeNum ? record->val.num
                                            : ConvertElement(cell.GetXLOPER(), name);
        }
    }
    return block;
}

namespace {

// Each cell of a single row, column or value in its order, given to read: a reference's
// values first coerced by the host, its empty cells as empty records. A missing argument or
// a range of rows and columns raises as for a column, an error value (the argument's) with
// the context.
template <class Read>
void ReadLine(const XlfOper& value, const char* name, const char* context, Read read) {
    const std::uint32_t type = value.Type();
    if (type == xltypeErr) {
        XlfOper::RaiseForUnconvertible(type, name, context);
    }
    if (type == xltypeNil) {
        read(*value.GetXLOPER());
        return;
    }
    const std::int32_t rows = value.Rows();
    const std::int32_t columns = value.Columns();
    // A malformed reference may give negative counts, and an array or area no cells.
    if ((rows != 1 && columns != 1) || rows < 1 || columns < 1) {
        XlfOper::RaiseForResultCode(xlretInvXloper, name, kNotOneDimensional);
    }
    if (type == xltypeSRef || type == xltypeRef) {
        HostOwnedRecord values;
        Coerce(*value.GetXLOPER(), xltypeMulti, values, name, context);
        ReadLine(XlfOper(values.get()), name, context, read);
        return;
    }
    for (std::int32_t i = 0; i < rows; ++i) {
        for (std::int32_t j = 0; j < columns; ++j) {
            read(*value.Element(i, j).GetXLOPER());
        }
    }
}

bool IsEmptyCell(const XLOPER12& cell) {
    const std::uint32_t type = cell.xltype & xltypeMask;
    return type == xltypeNil ||
           (type == xltypeStr && (cell.val.str == nullptr || cell.val.str[0] == 0));
}

} // namespace

catalogue::Samples XlfOper::ToSamples(const char* name) const {
    catalogue::Samples samples;
    ReadLine(*this, name, kToDoubleContext, [&](XLOPER12& cell) {
        if (IsEmptyCell(cell)) {
            samples.emplace_back();
        } else {
            samples.emplace_back((cell.xltype & xltypeMask) == xltypeNum
                                     ? cell.val.num
                                     : ConvertElement(&cell, name));
        }
    });
    return samples;
}

catalogue::Identifiers XlfOper::ToIdentifiers(const char* name) const {
    catalogue::Identifiers identifiers;
    ReadLine(*this, name, kToStringContext, [&](XLOPER12& cell) {
        switch (cell.xltype & xltypeMask) {
        case xltypeNum:
            identifiers.push_back(catalogue::identifierOf(cell.val.num));
            break;
        case xltypeInt:
            identifiers.push_back(catalogue::identifierOf(cell.val.w));
            break;
        case xltypeBool:
            identifiers.emplace_back(cell.val.xbool != 0 ? "TRUE" : "FALSE");
            break;
        case xltypeStr:
            identifiers.push_back(
                cell.val.str == nullptr ? "" : Utf16ToUtf8(CountedWideView(cell.val.str)));
            break;
        case xltypeNil:
            identifiers.emplace_back();
            break;
        default:
            XlfOper::RaiseForUnconvertible(cell.xltype & xltypeMask, name, kToStringContext);
        }
    });
    return identifiers;
}

void XlfOper::RaiseForUnconvertible(std::uint32_t type, const char* name, const char* context) {
    switch (type) {
    case xltypeMissing:
        XLF_RAISE(ErrorText(kMissingMessage, name, context));
    case xltypeErr:
        XLF_RAISE(ErrorText(kErrorMessage, name, context));
    case xltypeNil:
        XLF_RAISE(ErrorText(kNilMessage, name, context));
    default:
        RaiseForResultCode(xlretInvXloper, name, context);
        throw XlfNeverGetHere();
    }
}

void XlfOper::RaiseForResultCode(int code, const char* name, const char* context) {
    if (code & xlretUncalced) {
        throw XlfExceptionUncalculated();
    }
    if (code & xlretAbort) {
        throw XlfExceptionAbort();
    }
    if (code & xlretStackOvfl) {
        throw XlfExceptionStackOverflow();
    }
    if (code & xlretInvXloper) {
        XLF_RAISE(ErrorText(kInvalidRecordMessage, name, context));
    }
    if (code & xlretFailed) {
        XLF_RAISE(ErrorText("command failed", name, context));
    }
    if (code & xlretInvCount) {
        XLF_RAISE(ErrorText("invalid number of arguments", name, context));
    }
    if (code & xlretInvXlfn) {
        XLF_RAISE(ErrorText("invalid function number", name, context));
    }
    if (code & xlretInvAsynchronousContext) {
        XLF_RAISE(ErrorText("invalid asynch conext", name, context));
    }
    if (code & xlretNotClusterSafe) {
        XLF_RAISE(ErrorText("function not cluster safe", name, context));
    }
}

} // namespace xlf
