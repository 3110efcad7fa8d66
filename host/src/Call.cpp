#include "standin/Call.h"
#include "standin/RawCall.h"

#include <algorithm>
#include <deque>

namespace standin {

using namespace xlf;

namespace {

// The host's limits on arrays, which also bound what a result may claim to hold.
constexpr std::int64_t kMaxRows = 1048576;
constexpr std::int64_t kMaxColumns = 16384;
constexpr std::size_t kMaxStringLength = 32767;
constexpr std::size_t kMaxArguments = 255;

std::string Quoted(char16_t c) {
    if (c == 0) {
        return "a NUL character";
    }
    std::string quoted(1, '"');
    quoted += Utf8(std::u16string_view(&c, 1));
    quoted += '"';
    return quoted;
}

// Value records built for one call; every address stays valid until the call returns.
class Arguments {
public:
    XLOPER12* Record(const Value& value) {
        records_.emplace_back();
        Fill(value, records_.back());
        return &records_.back();
    }

private:
    std::deque<XLOPER12> records_;
    std::deque<std::vector<XLOPER12>> arrays_;
    std::deque<std::vector<XCHAR>> strings_;
    std::deque<std::vector<char>> areaLists_;

    void Fill(const Value& value, XLOPER12& record) {
        record = XLOPER12{};
        switch (value.kind) {
        case Value::Kind::Num:
            record.xltype = xltypeNum;
            record.val.num = value.num;
            break;
        case Value::Kind::Str: {
            const std::size_t n = std::min(value.str.size(), kMaxStringLength);
            std::vector<XCHAR> counted(n + 2, 0);
            counted[0] = static_cast<XCHAR>(n);
            std::copy_n(value.str.begin(), n, counted.begin() + 1);
            strings_.push_back(std::move(counted));
            record.xltype = xltypeStr;
            record.val.str = strings_.back().data();
            break;
        }
        case Value::Kind::Bool:
            record.xltype = xltypeBool;
            record.val.xbool = value.flag ? 1 : 0;
            break;
        case Value::Kind::Err:
            record.xltype = xltypeErr;
            record.val.err = value.code;
            break;
        case Value::Kind::Int:
            record.xltype = xltypeInt;
            record.val.w = value.code;
            break;
        case Value::Kind::Missing:
            record.xltype = xltypeMissing;
            break;
        case Value::Kind::Nil:
            record.xltype = xltypeNil;
            break;
        case Value::Kind::Multi: {
            std::vector<XLOPER12> cells(value.items.size());
            for (std::size_t k = 0; k < cells.size(); ++k) {
                // An array holds single values only.
                if (value.items[k].kind == Value::Kind::Multi) {
                    Fill(Value::Error(xlerrValue), cells[k]);
                } else {
                    Fill(value.items[k], cells[k]);
                }
            }
            arrays_.push_back(std::move(cells));
            record.xltype = xltypeMulti;
            record.val.array.lparray = arrays_.back().data();
            record.val.array.rows = value.rows;
            record.val.array.columns = value.columns;
            break;
        }
        case Value::Kind::SRef:
            record.xltype = xltypeSRef;
            record.val.sref.count = 1;
            record.val.sref.ref = value.areas.at(0);
            break;
        case Value::Kind::Ref: {
            const std::size_t n = value.areas.size();
            std::vector<char> list(sizeof(XLMREF12) + (n > 0 ? n - 1 : 0) * sizeof(XLREF12), 0);
            auto* areas = reinterpret_cast<XLMREF12*>(list.data());
            areas->count = static_cast<std::uint16_t>(n);
            std::copy(value.areas.begin(), value.areas.end(), areas->reftbl);
            areaLists_.push_back(std::move(list));
            record.xltype = xltypeRef;
            record.val.mref.lpmref = reinterpret_cast<XLMREF12*>(areaLists_.back().data());
            record.val.mref.idSheet = value.sheet;
            break;
        }
        case Value::Kind::BigData:
            record.xltype = xltypeErr;
            record.val.err = xlerrValue;
            break;
        }
    }
};

// A value passed to a "B" argument: the number, or the error that is the call's result.
Value AsNumber(const Value& given) {
    Value value = given;
    if (value.kind == Value::Kind::Multi) {
        if (value.items.size() != 1) {
            return Value::Error(xlerrValue);
        }
        value = Value(value.items[0]);
    }
    if (value.kind == Value::Kind::Missing) {
        return Value::Number(0);
    }
    const std::optional<Value> number = Host::Instance().Coerce(value, xltypeNum);
    if (!number || (number->kind != Value::Kind::Num && number->kind != Value::Kind::Err)) {
        return Value::Error(xlerrValue);
    }
    return *number;
}

} // namespace

Signature Signature::Parse(std::u16string_view text) {
    std::string printable = Utf8(text);
    for (std::size_t k = printable.find('\0'); k != std::string::npos; k = printable.find('\0')) {
        printable.replace(k, 1, "\\0");
    }
    const std::string shown = "type text \"" + printable + "\"";
    if (text.empty()) {
        throw SignatureError("the type text is empty");
    }
    if (text[0] == u'!' || text[0] == u'$' || text[0] == u'&' || text[0] == u'#') {
        throw SignatureError(shown + ": no result letter");
    }
    Signature signature;
    bool letters = true;
    auto letter = [&](char16_t c, std::size_t index) -> Type {
        switch (c) {
        case u'B':
            return Type::Number;
        case u'Q':
        case u'U':
            return Type::Record;
        default:
            break;
        }
        const std::string place = index == 0 ? "the result" : "argument " + std::to_string(index);
        if (c == u'>' || c == u'X') {
            throw SignatureError(shown + ": asynchronous functions are not served");
        }
        throw SignatureError(shown + ": " + Quoted(c) + " (" + place +
                             ") is not a type letter the stand-in host serves");
    };
    auto suffix = [&](char16_t c, bool& flag) {
        if (flag) {
            throw SignatureError(shown + ": the suffix " + Quoted(c) + " appears twice");
        }
        flag = true;
        letters = false;
    };
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char16_t c = text[k];
        switch (c) {
        case u'!':
            suffix(c, signature.isVolatile);
            continue;
        case u'$':
            suffix(c, signature.threadSafe);
            continue;
        case u'&':
            suffix(c, signature.clusterSafe);
            continue;
        case u'#':
            suffix(c, signature.macroEquivalent);
            continue;
        default:
            break;
        }
        if (!letters) {
            throw SignatureError(shown + ": " + Quoted(c) + " follows a suffix");
        }
        const Type type = letter(c, k);
        if (k == 0) {
            signature.result = type;
        } else {
            signature.arguments.push_back(type);
        }
    }
    if (signature.arguments.size() > kMaxArguments) {
        throw SignatureError(shown + ": more than 255 arguments");
    }
    return signature;
}

Value ReadResult(const XLOPER12& record) {
    switch (record.xltype & xltypeMask) {
    case xltypeStr:
        if (record.val.str == nullptr) {
            return Value::Error(xlerrValue);
        }
        break;
    case xltypeMulti: {
        const std::int64_t rows = record.val.array.rows;
        const std::int64_t columns = record.val.array.columns;
        if (rows < 0 || columns < 0 || rows > kMaxRows || columns > kMaxColumns) {
            return Value::Error(xlerrValue);
        }
        if (rows * columns == 0) {
            return Value::Missing();
        }
        if (record.val.array.lparray == nullptr) {
            return Value::Error(xlerrValue);
        }
        std::vector<Value> items;
        items.reserve(static_cast<std::size_t>(rows * columns));
        for (std::int64_t k = 0; k < rows * columns; ++k) {
            const XLOPER12& cell = record.val.array.lparray[k];
            // An array's cells are single values.
            items.push_back((cell.xltype & xltypeMask) == xltypeMulti ? Value::Error(xlerrValue)
                                                                      : ReadResult(cell));
        }
        return Value::Array(static_cast<std::int32_t>(rows), static_cast<std::int32_t>(columns),
                            std::move(items));
    }
    case xltypeRef:
        if (record.val.mref.lpmref == nullptr) {
            return Value::Error(xlerrValue);
        }
        break;
    case xltypeBigData:
        return Value::Error(xlerrValue);
    default:
        break;
    }
    return Value::FromRecord(record);
}

std::optional<Value> Invoke(void* procedure, const Signature& signature,
                            const std::vector<Value>& given, AutoFree autoFree) {
    const std::size_t n = signature.arguments.size();
    if (given.size() > n) {
        return Value::Error(xlerrValue);
    }
    Arguments records;
    std::vector<RawArgument> raw(n);
    for (std::size_t k = 0; k < n; ++k) {
        const Value& value = k < given.size() ? given[k] : Value::Missing();
        if (signature.arguments[k] == Signature::Type::Number) {
            const Value number = AsNumber(value);
            if (number.kind != Value::Kind::Num) {
                return number; // the error, without calling
            }
            raw[k] = RawArgument::Number(number.num);
        } else {
            raw[k] = RawArgument::Pointer(records.Record(value));
        }
    }

    const bool numberResult = signature.result == Signature::Type::Number;
    const RawResult result = CallRaw(procedure, raw, numberResult);
    if (numberResult) {
        return Value::Number(result.number);
    }
    auto* record = static_cast<XLOPER12*>(result.pointer);
    if (record == nullptr) {
        return std::nullopt;
    }
    // Read at once: the record lives in the add-in's memory for this thread only until
    // the thread's next call.
    Value value = ReadResult(*record);
    if ((record->xltype & xlbitDLLFree) != 0) {
        if (autoFree != nullptr) {
            autoFree(record);
        }
    } else if ((record->xltype & xlbitXLFree) != 0) {
        XLOPER12 copy = *record;
        copy.xltype &= ~xlbitXLFree;
        XLOPER12* free[] = {&copy};
        Host::Instance().Callback(xlFree, 1, free, nullptr);
    }
    return value;
}

} // namespace standin
