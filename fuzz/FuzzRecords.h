#pragma once

// Turns fuzz bytes into one call of a worksheet wrapper: which wrapper, then each argument
// as the host would pass it for its kind. Numbers are drawn from a table of the worst values
// or taken raw; records are numbers, texts, truth values, errors, missing, nil, integers,
// arrays of every shape (0 x 0, 1 x n, n x 1, 2-D, very long) or references to the stand-in
// host's cells. Any result the host could not show aborts the run.

#include "HostileRecords.h"
#include "standin/Host.h"
#include "xlf/XlOpenClose.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

namespace fuzzing {

using hostile::RecordArena;
using xlf::XLOPER12;

inline double Number(FuzzedDataProvider& in) {
    using L = std::numeric_limits<double>;
    static const double special[] = {
        L::quiet_NaN(), L::infinity(),   -L::infinity(), -0.0,  0.0, 1.0, -1.0, 1e308, -1e308,
        L::max(),       L::denorm_min(), L::min(),       0.456, 50,  100, 1e6,  1e-9};
    const std::uint8_t pick = in.ConsumeIntegral<std::uint8_t>();
    if (pick < 160) {
        return special[pick % (sizeof special / sizeof special[0])];
    }
    return in.ConsumeFloatingPoint<double>();
}

inline XLOPER12 Scalar(FuzzedDataProvider& in, RecordArena& a) {
    switch (in.ConsumeIntegralInRange<int>(0, 9)) {
    case 0:
    case 1:
    case 2:
        return a.Number(Number(in));
    case 3: {
        const std::string bytes = in.ConsumeRandomLengthString(64);
        return a.Text(std::u16string(bytes.begin(), bytes.end()));
    }
    case 4:
        return a.Truth(in.ConsumeBool());
    case 5:
        return a.Error(in.ConsumeIntegral<std::int32_t>());
    case 6:
        return a.Of(xlf::xltypeMissing);
    case 7:
        return a.Of(xlf::xltypeNil);
    case 8:
        return a.Integer(in.ConsumeIntegral<std::int32_t>());
    default:
        return a.SRef(in.ConsumeIntegralInRange<int>(0, 3), in.ConsumeIntegralInRange<int>(0, 3),
                      in.ConsumeIntegralInRange<int>(0, 3), in.ConsumeIntegralInRange<int>(0, 3));
    }
}

inline XLOPER12 Record(FuzzedDataProvider& in, RecordArena& a) {
    const int kind = in.ConsumeIntegralInRange<int>(0, 7);
    if (kind <= 1) {
        return Scalar(in, a);
    }
    if (kind <= 5) {
        // An array: mostly a column or a row, sometimes 2-D, empty or very long.
        std::int32_t rows = 0, columns = 0;
        switch (in.ConsumeIntegralInRange<int>(0, 9)) {
        case 0:
            rows = in.ConsumeIntegralInRange<int>(0, 1);
            columns = in.ConsumeIntegralInRange<int>(0, 1);
            break;
        case 1:
            rows = 1;
            columns = in.ConsumeIntegralInRange<int>(0, 40);
            break;
        case 2:
            rows = in.ConsumeIntegralInRange<int>(1, 5);
            columns = in.ConsumeIntegralInRange<int>(1, 5);
            break;
        case 3:
            rows = in.ConsumeIntegralInRange<int>(1000, 20000);
            columns = 1;
            break;
        default:
            rows = in.ConsumeIntegralInRange<int>(0, 40);
            columns = 1;
            break;
        }
        const std::size_t count =
            static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
        std::vector<XLOPER12> cells;
        cells.reserve(count);
        // Long arrays repeat a short pattern of cells.
        const std::size_t pattern = std::min<std::size_t>(count, 40);
        for (std::size_t k = 0; k < pattern; ++k) {
            cells.push_back(in.ConsumeIntegralInRange<int>(0, 7) == 0 ? Scalar(in, a)
                                                                      : a.Number(Number(in)));
        }
        for (std::size_t k = pattern; k < count; ++k) {
            XLOPER12 cell = cells[k % pattern];
            if (cell.xltype == xlf::xltypeNum && in.ConsumeBool()) {
                cell.val.num = cell.val.num + static_cast<double>(k);
            }
            cells.push_back(cell);
        }
        return a.Array(rows, columns, std::move(cells));
    }
    if (kind == 6) {
        const auto r1 = in.ConsumeIntegralInRange<int>(-2, 60);
        const auto r2 = in.ConsumeIntegralInRange<int>(-2, 60);
        const auto c1 = in.ConsumeIntegralInRange<int>(-2, 3);
        const auto c2 = in.ConsumeIntegralInRange<int>(-2, 3);
        return a.SRef(r1, r2, c1, c2);
    }
    std::vector<xlf::XLREF12> areas;
    const int count = in.ConsumeIntegralInRange<int>(0, 2);
    for (int k = 0; k < count; ++k) {
        areas.push_back(
            {in.ConsumeIntegralInRange<int>(0, 40), in.ConsumeIntegralInRange<int>(0, 40),
             in.ConsumeIntegralInRange<int>(0, 3), in.ConsumeIntegralInRange<int>(0, 3)});
    }
    return a.Ref(in.ConsumeBool() ? standin::Host::kCurrentSheet : 9, areas);
}

// Loads the add-in once and fills the cells the references read: numbers in A1:A40, a text,
// an error and a truth value beside them.
inline void Start() {
    standin::Host& host = standin::Host::Instance();
    host.Reset();
    for (int r = 0; r < 40; ++r) {
        host.SetCell(r, 0, standin::Value::Number(r));
    }
    host.SetCell(0, 1, standin::Value::Text(u"12"));
    host.SetCell(1, 1, standin::Value::Text(u"word"));
    host.SetCell(2, 1, standin::Value::Error(xlf::xlerrNA));
    host.SetCell(0, 2, standin::Value::Truth(true));
    if (xlAutoOpen() != 1) {
        std::fprintf(stderr, "the add-in did not load\n");
        std::abort();
    }
}

// One call of a wrapper chosen by the input.
inline void CallOne(const std::vector<hostile::Wrapper>& wrappers, const std::uint8_t* data,
                    std::size_t size) {
    FuzzedDataProvider in(data, size);
    const hostile::Wrapper& w =
        wrappers[in.ConsumeIntegralInRange<std::size_t>(0, wrappers.size() - 1)];
    RecordArena arena;
    std::vector<hostile::Arg> args;
    for (hostile::ArgKind kind : w.kinds) {
        hostile::Arg a;
        if (kind == hostile::ArgKind::Number) {
            a.number = Number(in);
        } else {
            a.record = arena.Keep(Record(in, arena));
        }
        args.push_back(a);
    }
    const XLOPER12* result = w.call(args);
    std::string why;
    if (!hostile::Showable(w, args, result, why)) {
        std::fprintf(stderr, "%s\n", why.c_str());
        std::abort();
    }
    const standin::Host& host = standin::Host::Instance();
    if (host.ForeignFrees() != 0) {
        std::fprintf(stderr, "%s freed storage the host does not own\n", w.name.c_str());
        std::abort();
    }
}

} // namespace fuzzing
