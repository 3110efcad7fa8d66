#pragma once

// Host value records of every kind and shape, built the way the host lays them out, and a
// uniform way to call any worksheet wrapper with them: shared by the hostile-input,
// concurrency and long-run tests and by the fuzz targets.
//
// Wrapper: one exported worksheet function with the kinds of its arguments ("B": a number,
// "Q": a record), called with an argument list of either kind per position.
// Classify: what a result record is (a number, one column of numbers, a text...), so that a
// test can demand "a number, a column or a clear text" and nothing else.

#include "standin/Host.h"
#include "xlf/HostApi.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace hostile {

using xlf::LPXLOPER12;
using xlf::XLOPER12;

// Owns records and everything that hangs from them; every pointer it hands out stays valid
// until the arena dies (deques never move their elements).
class RecordArena {
public:
    XLOPER12 Number(double v) {
        XLOPER12 r{};
        r.xltype = xlf::xltypeNum;
        r.val.num = v;
        return r;
    }
    XLOPER12 Integer(std::int32_t v) {
        XLOPER12 r{};
        r.xltype = xlf::xltypeInt;
        r.val.w = v;
        return r;
    }
    XLOPER12 Truth(bool v) {
        XLOPER12 r{};
        r.xltype = xlf::xltypeBool;
        r.val.xbool = v ? 1 : 0;
        return r;
    }
    XLOPER12 Error(std::int32_t code) {
        XLOPER12 r{};
        r.xltype = xlf::xltypeErr;
        r.val.err = code;
        return r;
    }
    XLOPER12 Of(std::uint32_t type) {
        XLOPER12 r{};
        r.xltype = type;
        return r;
    }
    // A counted string of at most 32767 characters.
    XLOPER12 Text(std::u16string_view v) {
        if (v.size() > 32767) {
            v = v.substr(0, 32767);
        }
        std::u16string& s = strings_.emplace_back();
        s.push_back(static_cast<char16_t>(v.size()));
        s.append(v);
        XLOPER12 r{};
        r.xltype = xlf::xltypeStr;
        r.val.str = s.data();
        return r;
    }
    // rows x columns cells, row by row; the cell count must match (0 x 0 gives no cells).
    XLOPER12 Array(std::int32_t rows, std::int32_t columns, std::vector<XLOPER12> cells) {
        std::vector<XLOPER12>& stored = arrays_.emplace_back(std::move(cells));
        XLOPER12 r{};
        r.xltype = xlf::xltypeMulti;
        r.val.array.lparray = stored.empty() ? nullptr : stored.data();
        r.val.array.rows = rows;
        r.val.array.columns = columns;
        return r;
    }
    XLOPER12 Column(const std::vector<double>& values) {
        std::vector<XLOPER12> cells;
        cells.reserve(values.size());
        for (double v : values) {
            cells.push_back(Number(v));
        }
        const auto rows = static_cast<std::int32_t>(values.size());
        return Array(rows, 1, std::move(cells));
    }
    XLOPER12 Row(const std::vector<double>& values) {
        XLOPER12 r = Column(values);
        std::swap(r.val.array.rows, r.val.array.columns);
        return r;
    }
    // One area on the current sheet (the stand-in host reads its cells).
    XLOPER12 SRef(xlf::RW firstRow, xlf::RW lastRow, xlf::COL firstColumn, xlf::COL lastColumn) {
        XLOPER12 r{};
        r.xltype = xlf::xltypeSRef;
        r.val.sref.count = 1;
        r.val.sref.ref = {firstRow, lastRow, firstColumn, lastColumn};
        return r;
    }
    // Areas on a sheet.
    XLOPER12 Ref(xlf::IDSHEET sheet, const std::vector<xlf::XLREF12>& areas) {
        const std::size_t count = areas.empty() ? 1 : areas.size();
        std::vector<char>& bytes =
            areaLists_.emplace_back(sizeof(xlf::XLMREF12) + count * sizeof(xlf::XLREF12));
        auto* list = reinterpret_cast<xlf::XLMREF12*>(bytes.data());
        list->count = static_cast<std::uint16_t>(areas.size());
        for (std::size_t k = 0; k < areas.size(); ++k) {
            list->reftbl[k] = areas[k];
        }
        XLOPER12 r{};
        r.xltype = xlf::xltypeRef;
        r.val.mref.lpmref = list;
        r.val.mref.idSheet = sheet;
        return r;
    }
    // A record with a stable address, as the host passes it for a "Q" argument.
    LPXLOPER12 Keep(const XLOPER12& r) { return &records_.emplace_back(r); }

private:
    std::deque<std::u16string> strings_;
    std::deque<std::vector<XLOPER12>> arrays_;
    std::deque<std::vector<char>> areaLists_;
    std::deque<XLOPER12> records_;
};

enum class ArgKind { Number, Record };

// One argument in a call: the double of a "B" argument or the record of a "Q" argument.
struct Arg {
    double number = 0;
    LPXLOPER12 record = nullptr;
};

// What a wrapper returns when it computes: a number, a column of fixed length, a column
// as long as one of its column arguments (the first, unless the entry's result names
// another: "as many cells as row"), or a column of texts of any length.
enum class Shape { Number, FixedColumn, FirstColumn, TextColumn };

struct Wrapper {
    std::string name;
    std::vector<ArgKind> kinds;
    std::function<LPXLOPER12(const std::vector<Arg>&)> call;
    Shape shape = Shape::Number;
    std::int32_t rows = 0;                   // of a fixed column
    std::optional<std::size_t> lengthFrom{}; // the argument a column follows, if not the first
};

// One prepared call: a wrapper and its arguments.
struct PreparedCall {
    const Wrapper* wrapper;
    std::vector<Arg> args;
};

namespace detail {
template <class P> P Pick(const Arg& a) {
    if constexpr (std::is_same_v<P, double>) {
        return a.number;
    } else {
        return a.record;
    }
}
template <class... P, std::size_t... I>
LPXLOPER12 CallWith(LPXLOPER12 (*f)(P...), const std::vector<Arg>& args,
                    std::index_sequence<I...>) {
    return f(Pick<P>(args[I])...);
}
} // namespace detail

// The wrapper f with its argument kinds read from its own signature.
template <class... P>
Wrapper MakeWrapper(std::string name, LPXLOPER12 (*f)(P...), Shape shape, std::int32_t rows = 0) {
    static_assert(((std::is_same_v<P, double> || std::is_same_v<P, LPXLOPER12>)&&...));
    Wrapper w;
    w.name = std::move(name);
    w.shape = shape;
    w.rows = rows;
    w.kinds = {(std::is_same_v<P, double> ? ArgKind::Number : ArgKind::Record)...};
    w.call = [f](const std::vector<Arg>& args) {
        return detail::CallWith(f, args, std::index_sequence_for<P...>{});
    };
    return w;
}

#define HOSTILE_WRAPPER(f, ...) ::hostile::MakeWrapper(#f, &f, __VA_ARGS__)

// An add-in's export (xlf/Exports.h) with the shape its row's entry gives: a check's texts,
// one number, a column of the cells the entry names when it names more than one, otherwise
// one cell per row of the first column.
template <class Export, class Row> Wrapper WrapperOf(const Export& exported, const Row& row) {
    const auto cells = static_cast<std::int32_t>(row.entry->cells.size());
    if constexpr (Row::isCheck) {
        return MakeWrapper(exported.name, exported.function, Shape::TextColumn);
    } else if constexpr (std::is_same_v<typename Row::ResultType, double>) {
        return MakeWrapper(exported.name, exported.function, Shape::Number);
    } else {
        if (cells > 1)
            return MakeWrapper(exported.name, exported.function, Shape::FixedColumn, cells);
        Wrapper w = MakeWrapper(exported.name, exported.function, Shape::FirstColumn);
        const std::string_view result = row.entry->result;
        for (std::size_t k = 0; k < row.entry->arguments.size(); ++k)
            if (result.ends_with(std::string(" as ") + row.entry->arguments[k].name))
                w.lengthFrom = k;
        return w;
    }
}

// Every export of an add-in, in the order of its rows.
template <class Exports, class Rows>
std::vector<Wrapper> WrappersOf(const Exports& exports, const Rows& rows) {
    static_assert(std::tuple_size_v<Exports> == std::tuple_size_v<Rows>);
    std::vector<Wrapper> wrappers;
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (wrappers.push_back(WrapperOf(std::get<I>(exports), std::get<I>(rows))), ...);
    }
    (std::make_index_sequence<std::tuple_size_v<Rows>>{});
    return wrappers;
}

// What a result record is.
enum class ResultKind { Null, Number, Column, TextColumn, Text, EmptyText, Other };

inline const char* NameOf(ResultKind k) {
    switch (k) {
    case ResultKind::Null:
        return "a null pointer";
    case ResultKind::Number:
        return "a number";
    case ResultKind::Column:
        return "a column of numbers";
    case ResultKind::TextColumn:
        return "a column of texts";
    case ResultKind::Text:
        return "a text";
    case ResultKind::EmptyText:
        return "an empty text";
    default:
        return "another record";
    }
}

// A number; a column (n x 1 array, n >= 1, every cell a number, or every cell a text with
// at least one character); a text (with at least one character, or an empty one); or
// anything else. rows receives a column's length.
inline ResultKind Classify(const XLOPER12* r, std::int32_t* rows = nullptr) {
    if (r == nullptr) {
        return ResultKind::Null;
    }
    switch (r->xltype) {
    case xlf::xltypeNum:
        return ResultKind::Number;
    case xlf::xltypeStr:
        if (r->val.str == nullptr) {
            return ResultKind::Other;
        }
        return r->val.str[0] > 0 ? ResultKind::Text : ResultKind::EmptyText;
    case xlf::xltypeMulti: {
        if (r->val.array.columns != 1 || r->val.array.rows < 1 || r->val.array.lparray == nullptr) {
            return ResultKind::Other;
        }
        const auto isText = [](const XLOPER12& cell) {
            return cell.xltype == xlf::xltypeStr && cell.val.str != nullptr && cell.val.str[0] > 0;
        };
        const bool texts = isText(r->val.array.lparray[0]);
        for (std::int32_t i = 0; i < r->val.array.rows; ++i) {
            const XLOPER12& cell = r->val.array.lparray[i];
            if (texts ? !isText(cell) : cell.xltype != xlf::xltypeNum) {
                return ResultKind::Other;
            }
        }
        if (rows != nullptr) {
            *rows = r->val.array.rows;
        }
        return texts ? ResultKind::TextColumn : ResultKind::Column;
    }
    default:
        return ResultKind::Other;
    }
}

// The text of a result, for messages.
inline std::string Describe(const XLOPER12* r) {
    std::int32_t rows = 0;
    const ResultKind kind = Classify(r, &rows);
    std::string text = NameOf(kind);
    if (kind == ResultKind::Text) {
        text += " \"" + standin::Utf8(std::u16string_view(r->val.str + 1, r->val.str[0])) + "\"";
    } else if (kind == ResultKind::Column) {
        text += " of " + std::to_string(rows);
    } else if (kind == ResultKind::Other) {
        text += " of type " + std::to_string(r->xltype);
    }
    return text;
}

// The number of elements the record holds as a column argument (for the length of the
// result of a wrapper that returns as many rows as its first column).
inline std::int64_t ElementCount(const XLOPER12& r) {
    switch (r.xltype & xlf::xltypeMask) {
    case xlf::xltypeMulti:
        return static_cast<std::int64_t>(r.val.array.rows) * r.val.array.columns;
    case xlf::xltypeSRef:
        return static_cast<std::int64_t>(r.val.sref.ref.rwLast - r.val.sref.ref.rwFirst + 1) *
               (r.val.sref.ref.colLast - r.val.sref.ref.colFirst + 1);
    case xlf::xltypeRef: {
        const xlf::XLREF12& area = r.val.mref.lpmref->reftbl[0];
        return static_cast<std::int64_t>(area.rwLast - area.rwFirst + 1) *
               (area.colLast - area.colFirst + 1);
    }
    default:
        return 1;
    }
}

// A result the host can show: for a wrapper that computes a number, a number; for one that
// computes a column, a column of the right length; or, for either, a clear text. Never a
// null result, an empty text, nor any other record. why receives what was wrong.
inline bool Showable(const Wrapper& w, const std::vector<Arg>& args, const XLOPER12* result,
                     std::string& why) {
    std::int32_t rows = 0;
    const ResultKind kind = Classify(result, &rows);
    if (kind == ResultKind::Text || (w.shape == Shape::Number && kind == ResultKind::Number) ||
        (w.shape == Shape::TextColumn && kind == ResultKind::TextColumn)) {
        return true;
    }
    if ((w.shape == Shape::FixedColumn || w.shape == Shape::FirstColumn) &&
        kind == ResultKind::Column) {
        std::int64_t expected = w.rows;
        if (w.shape == Shape::FirstColumn && w.lengthFrom) {
            expected = ElementCount(*args[*w.lengthFrom].record);
        } else if (w.shape == Shape::FirstColumn) {
            for (std::size_t k = 0; k < w.kinds.size(); ++k) {
                if (w.kinds[k] == ArgKind::Record) {
                    expected = ElementCount(*args[k].record);
                    break;
                }
            }
        }
        if (rows == expected) {
            return true;
        }
        why = w.name + " gave a column of " + std::to_string(rows) + " rows, not " +
              std::to_string(expected);
        return false;
    }
    why = w.name + " gave " + Describe(result);
    return false;
}

} // namespace hostile
