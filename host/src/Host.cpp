#include "standin/Host.h"
#if !defined(_WIN32)
#include "xlf/PosixHostServices.h"
#endif

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <limits>
#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <pthread.h>
#include <unistd.h>
#endif

namespace standin {

using namespace xlf;

// ---------------------------------------------------------------------------------------
// Texts

std::string Utf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::u16string Utf16(std::string_view text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        char32_t cp = c;
        std::size_t extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (extra > 0) {
            cp = c & (0x3F >> extra);
            for (std::size_t k = 1; k <= extra && i + k < text.size(); ++k) {
                cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
            }
        }
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += extra + 1;
    }
    return out;
}

namespace {

std::u16string Upper(std::u16string text) {
    for (char16_t& c : text) {
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
    }
    return text;
}

std::u16string Trimmed(std::u16string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && text[first] == u' ') {
        ++first;
    }
    while (last > first && text[last - 1] == u' ') {
        --last;
    }
    return std::u16string(text.substr(first, last - first));
}

// A text that reads as a number, as a cell formula would take it: optional sign, digits
// with at most one decimal point, optional exponent.
std::optional<double> ParseNumber(std::u16string_view raw) {
    const std::u16string text = Trimmed(raw);
    if (text.empty()) {
        return std::nullopt;
    }
    std::string ascii;
    for (char16_t c : text) {
        if (!((c >= u'0' && c <= u'9') || c == u'.' || c == u'+' || c == u'-' || c == u'e' ||
              c == u'E')) {
            return std::nullopt;
        }
        ascii += static_cast<char>(c);
    }
    char* end = nullptr;
    const double value = std::strtod(ascii.c_str(), &end);
    if (end != ascii.c_str() + ascii.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// A number as the host's "General" format shows it: at most 15 significant digits.
std::u16string FormatNumber(double value) {
    char buffer[64];
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
    } else {
        std::snprintf(buffer, sizeof buffer, "%.15G", value);
    }
    return Utf16(buffer);
}

Value::Kind KindOf(std::uint32_t type) {
    switch (type & xltypeMask) {
    case xltypeNum:
        return Value::Kind::Num;
    case xltypeStr:
        return Value::Kind::Str;
    case xltypeBool:
        return Value::Kind::Bool;
    case xltypeErr:
        return Value::Kind::Err;
    case xltypeInt:
        return Value::Kind::Int;
    case xltypeMissing:
        return Value::Kind::Missing;
    case xltypeMulti:
        return Value::Kind::Multi;
    case xltypeSRef:
        return Value::Kind::SRef;
    case xltypeRef:
        return Value::Kind::Ref;
    case xltypeBigData:
        return Value::Kind::BigData;
    default:
        return Value::Kind::Nil;
    }
}

std::uint32_t TypeOf(Value::Kind kind) {
    switch (kind) {
    case Value::Kind::Num:
        return xltypeNum;
    case Value::Kind::Str:
        return xltypeStr;
    case Value::Kind::Bool:
        return xltypeBool;
    case Value::Kind::Err:
        return xltypeErr;
    case Value::Kind::Int:
        return xltypeInt;
    case Value::Kind::Missing:
        return xltypeMissing;
    case Value::Kind::Multi:
        return xltypeMulti;
    case Value::Kind::SRef:
        return xltypeSRef;
    case Value::Kind::Ref:
        return xltypeRef;
    case Value::Kind::BigData:
        return xltypeBigData;
    case Value::Kind::Nil:
        break;
    }
    return xltypeNil;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Values

Value Value::Number(double v) {
    Value x;
    x.kind = Kind::Num;
    x.num = v;
    return x;
}
Value Value::Text(std::u16string_view v) {
    Value x;
    x.kind = Kind::Str;
    x.str = v;
    return x;
}
Value Value::Truth(bool v) {
    Value x;
    x.kind = Kind::Bool;
    x.flag = v;
    return x;
}
Value Value::Error(std::int32_t code) {
    Value x;
    x.kind = Kind::Err;
    x.code = code;
    return x;
}
Value Value::Integer(std::int32_t v) {
    Value x;
    x.kind = Kind::Int;
    x.code = v;
    return x;
}
Value Value::Missing() {
    Value x;
    x.kind = Kind::Missing;
    return x;
}
Value Value::Nil() {
    return Value();
}
Value Value::Array(std::int32_t rows, std::int32_t columns, std::vector<Value> items) {
    Value x;
    x.kind = Kind::Multi;
    x.rows = rows;
    x.columns = columns;
    x.items = std::move(items);
    x.items.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
    return x;
}
Value Value::Area(std::int32_t firstRow, std::int32_t lastRow, std::int32_t firstColumn,
                  std::int32_t lastColumn) {
    Value x;
    x.kind = Kind::SRef;
    x.areas = {XLREF12{firstRow, lastRow, firstColumn, lastColumn}};
    x.sheet = Host::kCurrentSheet;
    return x;
}
Value Value::Reference(IDSHEET sheet, std::vector<XLREF12> areas) {
    Value x;
    x.kind = Kind::Ref;
    x.sheet = sheet;
    x.areas = std::move(areas);
    return x;
}

Value Value::FromRecord(const XLOPER12& record) {
    Value x;
    x.kind = KindOf(record.xltype);
    switch (x.kind) {
    case Kind::Num:
        x.num = record.val.num;
        break;
    case Kind::Str:
        if (record.val.str != nullptr) {
            x.str.assign(record.val.str + 1, record.val.str[0]);
        }
        break;
    case Kind::Bool:
        x.flag = record.val.xbool != 0;
        break;
    case Kind::Err:
        x.code = record.val.err;
        break;
    case Kind::Int:
        x.code = record.val.w;
        break;
    case Kind::Multi:
        x.rows = record.val.array.rows;
        x.columns = record.val.array.columns;
        for (std::int64_t k = 0; k < static_cast<std::int64_t>(x.rows) * x.columns; ++k) {
            x.items.push_back(FromRecord(record.val.array.lparray[k]));
        }
        break;
    case Kind::SRef:
        x.sheet = Host::kCurrentSheet;
        x.areas = {record.val.sref.ref};
        break;
    case Kind::Ref:
        x.sheet = record.val.mref.idSheet;
        if (record.val.mref.lpmref != nullptr) {
            const XLMREF12& list = *record.val.mref.lpmref;
            x.areas.assign(list.reftbl, list.reftbl + list.count);
        }
        break;
    default:
        break;
    }
    return x;
}

std::string Value::Utf8() const {
    return standin::Utf8(str);
}

bool Value::operator==(const Value& o) const {
    if (kind != o.kind) {
        return false;
    }
    auto sameAreas = [&] {
        return areas.size() == o.areas.size() &&
               std::equal(areas.begin(), areas.end(), o.areas.begin(),
                          [](const XLREF12& a, const XLREF12& b) {
                              return a.rwFirst == b.rwFirst && a.rwLast == b.rwLast &&
                                     a.colFirst == b.colFirst && a.colLast == b.colLast;
                          });
    };
    switch (kind) {
    case Kind::Num:
        return num == o.num || (std::isnan(num) && std::isnan(o.num));
    case Kind::Str:
        return str == o.str;
    case Kind::Bool:
        return flag == o.flag;
    case Kind::Err:
    case Kind::Int:
        return code == o.code;
    case Kind::Multi:
        return rows == o.rows && columns == o.columns && items == o.items;
    case Kind::SRef:
    case Kind::Ref:
        return sheet == o.sheet && sameAreas();
    default:
        return true;
    }
}

// ---------------------------------------------------------------------------------------
// Host memory: every record the host hands out keeps its storage here until xlFree.

struct Host::Storage {
    std::vector<std::vector<XCHAR>> strings;
    std::vector<XLOPER12> cells;
    std::vector<char> areas;
};

namespace {

XCHAR* KeepString(std::vector<std::vector<XCHAR>>& strings, std::u16string_view text) {
    const std::size_t n = std::min<std::size_t>(text.size(), 32767);
    std::vector<XCHAR> counted(n + 2, 0);
    counted[0] = static_cast<XCHAR>(n);
    std::copy_n(text.data(), n, counted.begin() + 1);
    strings.push_back(std::move(counted));
    return strings.back().data();
}

void Fill(const Value& value, XLOPER12& record, std::vector<std::vector<XCHAR>>& strings) {
    record = XLOPER12{};
    record.xltype = TypeOf(value.kind);
    switch (value.kind) {
    case Value::Kind::Num:
        record.val.num = value.num;
        break;
    case Value::Kind::Str:
        record.val.str = KeepString(strings, value.str);
        break;
    case Value::Kind::Bool:
        record.val.xbool = value.flag ? 1 : 0;
        break;
    case Value::Kind::Err:
        record.val.err = value.code;
        break;
    case Value::Kind::Int:
        record.val.w = value.code;
        break;
    default:
        break;
    }
}

} // namespace

void Host::Answer(const Value& value, XLOPER12* result) {
    if (result == nullptr) {
        return;
    }
    auto storage = std::make_unique<Storage>();
    const void* key = nullptr;
    switch (value.kind) {
    case Value::Kind::Multi: {
        storage->strings.reserve(value.items.size());
        storage->cells.resize(value.items.size());
        for (std::size_t k = 0; k < value.items.size(); ++k) {
            Fill(value.items[k], storage->cells[k], storage->strings);
        }
        *result = XLOPER12{};
        result->xltype = xltypeMulti;
        result->val.array.lparray = storage->cells.data();
        result->val.array.rows = value.rows;
        result->val.array.columns = value.columns;
        key = storage->cells.data();
        break;
    }
    case Value::Kind::Ref: {
        const std::size_t n = value.areas.size();
        storage->areas.assign(sizeof(XLMREF12) + (n > 0 ? n - 1 : 0) * sizeof(XLREF12), 0);
        auto* list = reinterpret_cast<XLMREF12*>(storage->areas.data());
        list->count = static_cast<std::uint16_t>(n);
        std::copy(value.areas.begin(), value.areas.end(), list->reftbl);
        *result = XLOPER12{};
        result->xltype = xltypeRef;
        result->val.mref.lpmref = list;
        result->val.mref.idSheet = value.sheet;
        key = list;
        break;
    }
    case Value::Kind::SRef:
        *result = XLOPER12{};
        result->xltype = xltypeSRef;
        result->val.sref.count = 1;
        result->val.sref.ref = value.areas.at(0);
        break;
    default:
        Fill(value, *result, storage->strings);
        if (value.kind == Value::Kind::Str) {
            key = result->val.str;
        }
        break;
    }
    if (key != nullptr) {
        owned_[key] = std::move(storage);
    }
}

void Host::Release(const XLOPER12& record) {
    const void* key = nullptr;
    switch (record.xltype & xltypeMask) {
    case xltypeStr:
        key = record.val.str;
        break;
    case xltypeMulti:
        key = record.val.array.lparray;
        break;
    case xltypeRef:
        key = record.val.mref.lpmref;
        break;
    default:
        // Nothing of the host's hangs from other records.
        return;
    }
    if (owned_.erase(key) == 0) {
        ++foreignFrees_;
    }
}

// ---------------------------------------------------------------------------------------
// Coercion

Value Host::CellValue(IDSHEET sheet, std::int32_t row, std::int32_t column) const {
    if (sheet != kCurrentSheet) {
        return Value::Nil();
    }
    auto it = cells_.find({row, column});
    return it == cells_.end() ? Value::Nil() : it->second;
}

namespace {

// The steps of a coercion that reads no cell: each gives the converted value, or nothing
// when the value does not convert to that type. An empty cell and a missing argument are
// blank: 0, an empty text or FALSE.
bool Blank(const Value& value) {
    return value.kind == Value::Kind::Nil || value.kind == Value::Kind::Missing;
}

std::optional<Value> AsNumber(const Value& value) {
    switch (value.kind) {
    case Value::Kind::Int:
        return Value::Number(value.code);
    case Value::Kind::Bool:
        return Value::Number(value.flag ? 1 : 0);
    case Value::Kind::Str:
        if (auto number = ParseNumber(value.str)) {
            return Value::Number(*number);
        }
        return std::nullopt;
    default:
        return Blank(value) ? std::optional(Value::Number(0)) : std::nullopt;
    }
}

std::optional<Value> AsText(const Value& value) {
    switch (value.kind) {
    case Value::Kind::Num:
        return Value::Text(FormatNumber(value.num));
    case Value::Kind::Int:
        return Value::Text(FormatNumber(value.code));
    case Value::Kind::Bool:
        return Value::Text(value.flag ? u"TRUE" : u"FALSE");
    default:
        return Blank(value) ? std::optional(Value::Text(u"")) : std::nullopt;
    }
}

std::optional<Value> AsTruth(const Value& value) {
    switch (value.kind) {
    case Value::Kind::Num:
        return Value::Truth(value.num != 0);
    case Value::Kind::Int:
        return Value::Truth(value.code != 0);
    case Value::Kind::Str: {
        const std::u16string upper = Upper(Trimmed(value.str));
        if (upper == u"TRUE" || upper == u"FALSE") {
            return Value::Truth(upper == u"TRUE");
        }
        return std::nullopt;
    }
    default:
        return Blank(value) ? std::optional(Value::Truth(false)) : std::nullopt;
    }
}

// A number rounded to the nearest integer within the 32-bit range.
std::optional<Value> AsInteger(const Value& value) {
    std::optional<double> number;
    switch (value.kind) {
    case Value::Kind::Num:
        number = value.num;
        break;
    case Value::Kind::Bool:
        number = value.flag ? 1 : 0;
        break;
    case Value::Kind::Str:
        number = ParseNumber(value.str);
        break;
    default:
        if (Blank(value)) {
            number = 0;
        }
    }
    if (number && std::isfinite(*number)) {
        const double rounded = std::round(*number);
        if (rounded >= std::numeric_limits<std::int32_t>::min() &&
            rounded <= std::numeric_limits<std::int32_t>::max()) {
            return Value::Integer(static_cast<std::int32_t>(rounded));
        }
    }
    return std::nullopt;
}

} // namespace

// A reference gives its whole area as an array when an array is wanted, else its first
// cell; a reference of several areas gives #VALUE!.
Value Host::Dereferenced(const Value& value, bool wantsArray) const {
    if (value.areas.size() != 1) {
        return Value::Error(xlerrValue);
    }
    const XLREF12& area = value.areas[0];
    if (!wantsArray) {
        return CellValue(value.sheet, area.rwFirst, area.colFirst);
    }
    const std::int32_t rows = area.rwLast - area.rwFirst + 1;
    const std::int32_t columns = area.colLast - area.colFirst + 1;
    std::vector<Value> items;
    for (std::int32_t i = 0; i < rows; ++i) {
        for (std::int32_t j = 0; j < columns; ++j) {
            items.push_back(CellValue(value.sheet, area.rwFirst + i, area.colFirst + j));
        }
    }
    return Value::Array(rows, columns, std::move(items));
}

std::optional<Value> Host::Coerce(const Value& source, std::int32_t wanted) const {
    std::lock_guard lock(mutex_);
    const auto wants = [&](std::uint32_t type) { return (wanted & type) != 0; };
    Value value = source;

    // 1. A reference: its area as an array, or its first cell.
    if (value.kind == Value::Kind::SRef || value.kind == Value::Kind::Ref) {
        const bool multipleAreas = value.areas.size() != 1;
        value = Dereferenced(value, wants(xltypeMulti));
        if (multipleAreas || wants(xltypeMulti)) {
            return value;
        }
    }
    // 2. An array: itself, or its first element.
    if (value.kind == Value::Kind::Multi) {
        if (wants(xltypeMulti)) {
            return value;
        }
        value = value.items.empty() ? Value::Nil() : value.items[0];
    }
    // 3. A value of a wanted type, an error and a value too large to convert.
    if (wants(TypeOf(value.kind))) {
        return value;
    }
    if (value.kind == Value::Kind::Err) {
        return value; // an error stays the error it is
    }
    if (value.kind == Value::Kind::BigData) {
        return Value::Error(xlerrValue);
    }
    // 4. The wanted types in this order: number, text, truth value, integer, array.
    const std::pair<std::uint32_t, std::optional<Value> (*)(const Value&)> conversions[] = {
        {xltypeNum, AsNumber},
        {xltypeStr, AsText},
        {xltypeBool, AsTruth},
        {xltypeInt, AsInteger},
    };
    for (const auto& [type, convert] : conversions) {
        if (wants(type)) {
            if (std::optional<Value> converted = convert(value)) {
                return converted;
            }
        }
    }
    if (wants(xltypeMulti)) {
        return Value::Array(1, 1, {value});
    }
    return Value::Error(xlerrValue);
}

// ---------------------------------------------------------------------------------------
// The host

Host::Host() {
    Reset();
}

Host& Host::Instance() {
    static Host host;
    return host;
}

void Host::Reset() {
    std::lock_guard lock(mutex_);
    versionText_ = u"16.0";
    addinPath_ = "/opt/standin/addins/Addin.xll";
    failures_.clear();
    cannedAnswers_.clear();
    callbackPresent_ = true;
    callLibraryPresent_ = true;
    debuggerAttached_ = false;
    windows_.clear();
    cells_.clear();
    callLog_.clear();
    registrations_.clear();
    nextRegistrationId_ = 1;
    namesSet_.clear();
    unregistered_.clear();
    statusBar_.reset();
    statusBarHistory_.clear();
    debuggerOutput_.clear();
    foreignFrees_ = 0;
}

void Host::SetVersionText(std::u16string text) {
    std::lock_guard lock(mutex_);
    versionText_ = std::move(text);
}
void Host::SetAddinPath(std::string path) {
    std::lock_guard lock(mutex_);
    addinPath_ = std::move(path);
}
std::string Host::AddinPath() const {
    std::lock_guard lock(mutex_);
    return addinPath_;
}
void Host::FailWith(int function, int code) {
    std::lock_guard lock(mutex_);
    failures_[function & ~xlIntl] = code;
}
void Host::AnswerWith(int function, Value value) {
    std::lock_guard lock(mutex_);
    cannedAnswers_[function & ~xlIntl] = std::move(value);
}
void Host::SetCallbackPresent(bool present) {
    std::lock_guard lock(mutex_);
    callbackPresent_ = present;
}
void Host::SetCallLibraryPresent(bool present) {
    std::lock_guard lock(mutex_);
    callLibraryPresent_ = present;
}
void Host::SetDebuggerAttached(bool attached) {
    std::lock_guard lock(mutex_);
    debuggerAttached_ = attached;
}
void Host::AddWindow(std::u16string className, std::optional<std::u16string> title) {
    AddWindow(std::move(className), std::move(title), CurrentThread());
}
void Host::AddWindow(std::u16string className, std::optional<std::u16string> title,
                     std::uint64_t thread) {
    std::lock_guard lock(mutex_);
    windows_.push_back(Window{std::move(className), std::move(title), thread});
}
void Host::SetCell(std::int32_t row, std::int32_t column, Value value) {
    std::lock_guard lock(mutex_);
    cells_[{row, column}] = std::move(value);
}

std::vector<int> Host::CallLog() const {
    std::lock_guard lock(mutex_);
    return callLog_;
}
std::vector<Registration> Host::Registrations() const {
    std::lock_guard lock(mutex_);
    return registrations_;
}
std::vector<std::u16string> Host::NamesSet() const {
    std::lock_guard lock(mutex_);
    return namesSet_;
}
std::vector<double> Host::Unregistered() const {
    std::lock_guard lock(mutex_);
    return unregistered_;
}
std::optional<std::u16string> Host::StatusBar() const {
    std::lock_guard lock(mutex_);
    return statusBar_;
}
std::vector<std::optional<std::u16string>> Host::StatusBarHistory() const {
    std::lock_guard lock(mutex_);
    return statusBarHistory_;
}
std::string Host::DebuggerOutput() const {
    std::lock_guard lock(mutex_);
    return debuggerOutput_;
}
std::size_t Host::OutstandingRecords() const {
    std::lock_guard lock(mutex_);
    return owned_.size();
}
std::size_t Host::ForeignFrees() const {
    std::lock_guard lock(mutex_);
    return foreignFrees_;
}
bool Host::CallbackPresent() const {
    std::lock_guard lock(mutex_);
    return callbackPresent_;
}
bool Host::CallLibraryPresent() const {
    std::lock_guard lock(mutex_);
    return callLibraryPresent_;
}
bool Host::DebuggerAttached() const {
    std::lock_guard lock(mutex_);
    return debuggerAttached_;
}
void Host::DebugOutput(const char* text) {
    std::lock_guard lock(mutex_);
    if (debuggerAttached_ && text != nullptr) {
        debuggerOutput_ += text;
    }
}
std::vector<Window> Host::WindowsOf(std::uint64_t thread) const {
    std::lock_guard lock(mutex_);
    std::vector<Window> mine;
    std::copy_if(windows_.begin(), windows_.end(), std::back_inserter(mine),
                 [&](const Window& w) { return w.thread == thread; });
    return mine;
}

std::uint64_t Host::CurrentThread() {
#if defined(_WIN32)
    return static_cast<std::uint64_t>(GetCurrentThreadId());
#elif defined(__linux__)
    return static_cast<std::uint64_t>(gettid());
#else
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(pthread_self()));
#endif
}

int Host::Callback(int function, int count, XLOPER12** args, XLOPER12* result) {
    std::lock_guard lock(mutex_);
    callLog_.push_back(function);
    // The international flag only changes how texts are read; the stand-in reads them
    // the same either way.
    const int plain = function & ~xlIntl;
    if (auto failure = failures_.find(plain); failure != failures_.end()) {
        return failure->second;
    }
    if (count < 0 || count > kMaxHostCallArguments || (count > 0 && args == nullptr)) {
        return xlretInvCount;
    }
    try {
        if (auto canned = cannedAnswers_.find(plain); canned != cannedAnswers_.end()) {
            Answer(canned->second, result);
            return xlretSuccess;
        }
        return Dispatch(plain, count, args, result);
    } catch (...) {
        return xlretFailed;
    }
}

int Host::Dispatch(int function, int count, XLOPER12** args, XLOPER12* result) {
    auto argument = [&](int k) -> Value {
        if (k >= count || args[k] == nullptr) {
            return Value::Missing();
        }
        return Value::FromRecord(*args[k]);
    };
    switch (function) {
    case xlFree:
        for (int k = 0; k < count; ++k) {
            if (args[k] != nullptr) {
                Release(*args[k]);
            }
        }
        return xlretSuccess;
    case xlCoerce: {
        if (count < 1) {
            return xlretInvCount;
        }
        const Value wanted = argument(1);
        const std::int32_t types =
            wanted.kind == Value::Kind::Int
                ? wanted.code
                : static_cast<std::int32_t>(xltypeNum | xltypeStr | xltypeBool | xltypeErr |
                                            xltypeMulti | xltypeNil | xltypeInt);
        const std::optional<Value> coerced = Coerce(argument(0), types);
        Answer(coerced.value_or(Value::Error(xlerrValue)), result);
        return xlretSuccess;
    }
    case xlGetName:
        Answer(Value::Text(Utf16(addinPath_)), result);
        return xlretSuccess;
    case xlfGetWorkspace: {
        const std::optional<Value> which = Coerce(argument(0), xltypeInt);
        if (which && which->kind == Value::Kind::Int && which->code == 2) {
            Answer(Value::Text(versionText_), result);
        } else {
            Answer(Value::Error(xlerrValue), result);
        }
        return xlretSuccess;
    }
    case xlfRegister: {
        Registration registration;
        for (int k = 0; k < count; ++k) {
            registration.arguments.push_back(argument(k));
        }
        registration.id = nextRegistrationId_++;
        registration.addin = addinPath_;
        registrations_.push_back(registration);
        Answer(Value::Number(registration.id), result);
        return xlretSuccess;
    }
    case xlfUnregister: {
        const Value id = argument(0);
        bool found = false;
        for (Registration& r : registrations_) {
            if (id.kind == Value::Kind::Num && r.id == id.num && r.active) {
                r.active = false;
                found = true;
                unregistered_.push_back(r.id);
            }
        }
        Answer(Value::Truth(found), result);
        return xlretSuccess;
    }
    case xlfSetName: {
        const Value name = argument(0);
        namesSet_.push_back(name.kind == Value::Kind::Str ? name.str : u"");
        Answer(Value::Truth(true), result);
        return xlretSuccess;
    }
    case xlcMessage: {
        const std::optional<Value> show = Coerce(argument(0), xltypeBool);
        if (show && show->kind == Value::Kind::Bool && show->flag) {
            const std::optional<Value> text = Coerce(argument(1), xltypeStr);
            statusBar_ = text && text->kind == Value::Kind::Str ? text->str : u"";
        } else {
            statusBar_.reset();
        }
        statusBarHistory_.push_back(statusBar_);
        Answer(Value::Truth(true), result);
        return xlretSuccess;
    }
    default:
        return xlretInvXlfn;
    }
}

// ---------------------------------------------------------------------------------------
// Diagnostics

DiagnosticCapture::DiagnosticCapture() : previous_(std::cerr.rdbuf(&buffer_)) {}

DiagnosticCapture::~DiagnosticCapture() {
    std::cerr.rdbuf(previous_);
}

std::string DiagnosticCapture::Text() const {
    return buffer_.str();
}

std::vector<std::string> DiagnosticCapture::Lines() const {
    std::vector<std::string> lines;
    std::istringstream in(Text());
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::size_t DiagnosticCapture::Count(const std::string& text) const {
    const auto lines = Lines();
    return static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), [&](const auto& l) {
        return l.find(text) != std::string::npos;
    }));
}

} // namespace standin

// ---------------------------------------------------------------------------------------
// What the host program exports.

using standin::Host;

XLF_EXPORT int XLF_PASCAL MdCallBack12(int xlfn, int count, xlf::LPXLOPER12* args,
                                       xlf::LPXLOPER12 result) {
    return Host::Instance().Callback(xlfn, count, args, result);
}

// On Windows the framework finds the call library, the windows and the debugger through
// the operating system; elsewhere the host program offers them.
#if !defined(_WIN32)

XLF_EXPORT void* XlfHostLoadLibrary(const char* name) {
    // Any address names the library; the stand-in has no code in it.
    static const int tag = 1;
    if (name != nullptr && strcasecmp(name, xlf::kHostCallLibraryName) == 0 &&
        Host::Instance().CallLibraryPresent()) {
        return const_cast<int*>(&tag);
    }
    return nullptr;
}

XLF_EXPORT void* XlfHostFindMainExport(const char* name) {
    if (name == nullptr) {
        return nullptr;
    }
    if (std::strcmp(name, xlf::kHostCallbackName) == 0 && !Host::Instance().CallbackPresent()) {
        return nullptr;
    }
#if defined(__EMSCRIPTEN__)
    // A WebAssembly module has no symbol table to search; the callback is all the framework
    // asks the program for.
    return std::strcmp(name, xlf::kHostCallbackName) == 0 ? reinterpret_cast<void*>(&MdCallBack12)
                                                          : nullptr;
#else
    return xlf::platform::ProgramExport(name);
#endif
}

XLF_EXPORT void XlfHostEnumThreadWindows(std::uint64_t thread, XlfHostWindowVisitor visit,
                                         void* context) {
    for (const standin::Window& w : Host::Instance().WindowsOf(thread)) {
        const char16_t* title = w.title ? w.title->c_str() : nullptr;
        const int titleLength = w.title ? static_cast<int>(w.title->size()) : 0;
        if (visit(w.className.c_str(), static_cast<int>(w.className.size()), title, titleLength,
                  context) == 0) {
            return;
        }
    }
}

XLF_EXPORT int XlfHostDebuggerPresent() {
    return Host::Instance().DebuggerAttached() ? 1 : 0;
}

XLF_EXPORT void XlfHostDebugOutput(const char* text) {
    Host::Instance().DebugOutput(text);
}

#endif
