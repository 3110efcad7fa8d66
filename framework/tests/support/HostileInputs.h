#pragma once

// The table of hostile inputs: for a wrapper and a sane argument list, every argument in turn
// replaced by each of the worst values of its kind, then every number argument and every
// record argument spoiled at once. The stand-in host's cells that the references read are
// set by SetHostileCells.

#include "HostileRecords.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <iostream>
#include <limits>
#include <string>
#include <vector>

namespace hostile {

struct Case {
    std::string description;
    std::vector<Arg> args;
};

// The number of the longest columns.
inline constexpr std::int32_t kLongColumn = 100000;

// Worst values of a number: non-finite, signed zero, subnormal, the extremes, negative.
inline std::vector<std::pair<std::string, double>> HostileNumbers() {
    using L = std::numeric_limits<double>;
    return {
        {"NaN", L::quiet_NaN()},
        {"+inf", L::infinity()},
        {"-inf", -L::infinity()},
        {"-0", -0.0},
        {"0", 0.0},
        {"-1", -1.0},
        {"1e308", 1e308},
        {"-1e308", -1e308},
        {"max", L::max()},
        {"smallest subnormal", L::denorm_min()},
        {"smallest normal", L::min()},
        {"-1e-300", -1e-300},
        {"1e-9", 1e-9},
    };
}

// The cells the references below read: A1:A3 numbers, B1 a text, B2 an error, C1 a truth
// value; every other cell is empty.
inline void SetHostileCells(standin::Host& host) {
    host.SetCell(0, 0, standin::Value::Number(1));
    host.SetCell(1, 0, standin::Value::Number(2));
    host.SetCell(2, 0, standin::Value::Number(3));
    host.SetCell(0, 1, standin::Value::Text(u"two"));
    host.SetCell(1, 1, standin::Value::Error(xlf::xlerrDiv0));
    host.SetCell(0, 2, standin::Value::Truth(true));
}

// Worst values of a record argument, for a slot whose sane value is like (a column of n
// numbers, or a scalar).
inline std::vector<std::pair<std::string, XLOPER12>> HostileRecordValues(RecordArena& a,
                                                                         std::size_t n) {
    std::vector<std::pair<std::string, XLOPER12>> values;
    for (const auto& [name, v] : HostileNumbers()) {
        values.push_back({"the number " + name, a.Number(v)});
        values.push_back({"a column of " + name, a.Column(std::vector<double>(n, v))});
    }
    values.push_back({"missing", a.Of(xlf::xltypeMissing)});
    values.push_back({"nil", a.Of(xlf::xltypeNil)});
    for (std::int32_t code : {xlf::xlerrNull, xlf::xlerrDiv0, xlf::xlerrValue, xlf::xlerrRef,
                              xlf::xlerrName, xlf::xlerrNum, xlf::xlerrNA, -1, 1 << 30}) {
        values.push_back({"error " + std::to_string(code), a.Error(code)});
    }
    values.push_back({"TRUE", a.Truth(true)});
    values.push_back({"FALSE", a.Truth(false)});
    values.push_back({"integer 0", a.Integer(0)});
    values.push_back({"integer -2^31", a.Integer(std::numeric_limits<std::int32_t>::min())});
    values.push_back({"empty text", a.Text(u"")});
    values.push_back({"a word", a.Text(u"abc")});
    values.push_back({"a number as text", a.Text(u"1e308")});
    values.push_back({"\"nan\" as text", a.Text(u"nan")});
    values.push_back({"\"TRUE\" as text", a.Text(u"TRUE")});
    values.push_back({"a lone surrogate", a.Text(u"\xD800")});
    values.push_back({"32767 characters", a.Text(std::u16string(32767, u'9'))});
    values.push_back({"unknown type 0", a.Of(0)});
    values.push_back({"a flow record", a.Of(xlf::xltypeFlow)});

    // Every shape of array.
    values.push_back({"0 x 0", a.Array(0, 0, {})});
    values.push_back({"1 x 0", a.Array(1, 0, {})});
    values.push_back({"0 x 1", a.Array(0, 1, {})});
    values.push_back({"1 x 1", a.Column({2})});
    values.push_back({"a row", a.Row(std::vector<double>(n, 1))});
    values.push_back({"2 x 3", a.Array(2, 3, std::vector<XLOPER12>(6, a.Number(1)))});
    values.push_back({"3 x 2", a.Array(3, 2, std::vector<XLOPER12>(6, a.Number(1)))});
    values.push_back({"one row shorter", a.Column(std::vector<double>(n > 0 ? n - 1 : 0, 1))});
    values.push_back({"one row longer", a.Column(std::vector<double>(n + 1, 1))});
    values.push_back({"long column", a.Column(std::vector<double>(kLongColumn, 1))});
    values.push_back({"long row", a.Row(std::vector<double>(kLongColumn, 1))});
    values.push_back(
        {"long NaN column",
         a.Column(std::vector<double>(kLongColumn, std::numeric_limits<double>::quiet_NaN()))});

    // Columns of sorts the routines must not trust: unsorted, negative, zero-length, huge.
    std::vector<double> descending(n), negative(n), zeros(n), huge(n), alternating(n);
    for (std::size_t i = 0; i < n; ++i) {
        descending[i] = static_cast<double>(n - i) * 10;
        negative[i] = -static_cast<double>(i) - 1;
        huge[i] = 1e308 / static_cast<double>(n - i);
        alternating[i] = i % 2 ? 1e308 : -1e308;
    }
    values.push_back({"descending", a.Column(descending)});
    values.push_back({"negative", a.Column(negative)});
    values.push_back({"zeros", a.Column(zeros)});
    values.push_back({"huge", a.Column(huge)});
    values.push_back({"alternating +-1e308", a.Column(alternating)});

    // Columns holding something other than a number.
    const auto spoiled = [&](const XLOPER12& cell) {
        std::vector<XLOPER12> cells(n > 0 ? n : 1, a.Number(1));
        cells[cells.size() / 2] = cell;
        const auto rows = static_cast<std::int32_t>(cells.size());
        return a.Array(rows, 1, std::move(cells));
    };
    values.push_back({"a column with a word", spoiled(a.Text(u"word"))});
    values.push_back({"a column with a number as text", spoiled(a.Text(u" 2.5 "))});
    values.push_back({"a column with an error", spoiled(a.Error(xlf::xlerrNA))});
    values.push_back({"a column with a blank", spoiled(a.Of(xlf::xltypeNil))});
    values.push_back({"a column with a missing", spoiled(a.Of(xlf::xltypeMissing))});
    values.push_back({"a column with TRUE", spoiled(a.Truth(true))});
    values.push_back({"a column with an integer", spoiled(a.Integer(7))});
    values.push_back({"a column with an array", spoiled(a.Column({1, 2}))});
    values.push_back({"a column with a reference", spoiled(a.SRef(0, 2, 0, 0))});

    // References (the host reads their cells).
    values.push_back({"A1:A3", a.SRef(0, 2, 0, 0)});
    values.push_back({"A1:C1", a.SRef(0, 0, 0, 2)});
    values.push_back({"B1:B2 (text and error)", a.SRef(0, 1, 1, 1)});
    values.push_back({"A1:C3 (2-D)", a.SRef(0, 2, 0, 2)});
    values.push_back({"an empty cell", a.SRef(50, 50, 5, 5)});
    values.push_back({"1000 empty cells", a.SRef(100, 1099, 3, 3)});
    values.push_back({"an inverted area", a.SRef(5, 2, 0, 0)});
    values.push_back({"a row area ending before it starts", a.SRef(0, 0, 3, 1)});
    values.push_back({"an area of no columns", a.SRef(0, 0, 3, 2)});
    values.push_back({"an area of no rows", a.SRef(4, 3, 0, 0)});
    values.push_back({"A1:A3 by areas", a.Ref(standin::Host::kCurrentSheet, {{0, 2, 0, 0}})});
    values.push_back({"no area", a.Ref(standin::Host::kCurrentSheet, {})});
    values.push_back(
        {"two areas", a.Ref(standin::Host::kCurrentSheet, {{0, 2, 0, 0}, {0, 0, 2, 2}})});
    values.push_back({"another sheet", a.Ref(77, {{0, 2, 0, 0}})});
    return values;
}

// Every argument of the wrapper replaced in turn by each hostile value of its kind, then
// all numbers spoiled at once and all records spoiled at once.
inline std::vector<Case> HostileCases(const Wrapper& w, const std::vector<Arg>& sane,
                                      RecordArena& arena) {
    std::vector<Case> cases;
    for (std::size_t k = 0; k < w.kinds.size(); ++k) {
        const std::string where = "argument " + std::to_string(k + 1) + ": ";
        if (w.kinds[k] == ArgKind::Number) {
            for (const auto& [name, v] : HostileNumbers()) {
                Case c{where + name, sane};
                c.args[k].number = v;
                cases.push_back(c);
            }
        } else {
            const std::size_t n = static_cast<std::size_t>(ElementCount(*sane[k].record));
            for (const auto& [name, v] : HostileRecordValues(arena, n)) {
                Case c{where + name, sane};
                c.args[k].record = arena.Keep(v);
                cases.push_back(c);
            }
        }
    }
    // Everything spoiled together.
    for (const auto& [name, v] : HostileNumbers()) {
        Case c{"every number " + name, sane};
        for (std::size_t k = 0; k < w.kinds.size(); ++k) {
            if (w.kinds[k] == ArgKind::Number) {
                c.args[k].number = v;
            }
        }
        cases.push_back(c);
    }
    std::vector<double> ascending(kLongColumn), rising(kLongColumn);
    for (std::int32_t i = 0; i < kLongColumn; ++i) {
        ascending[static_cast<std::size_t>(i)] = i * 10.0;
        rising[static_cast<std::size_t>(i)] = 1 + (i % 7);
    }
    const std::vector<std::pair<std::string, XLOPER12>> columns = {
        {"every record a long column of ascending times", arena.Column(ascending)},
        {"every record a long column of small numbers", arena.Column(rising)},
        {"every record a long column of 1e308",
         arena.Column(std::vector<double>(kLongColumn, 1e308))},
        {"every record a long row of zeros", arena.Row(std::vector<double>(kLongColumn, 0))},
    };
    for (const auto& [name, v] : columns) {
        Case c{name, sane};
        LPXLOPER12 shared = arena.Keep(v);
        bool any = false;
        for (std::size_t k = 0; k < w.kinds.size(); ++k) {
            if (w.kinds[k] == ArgKind::Record) {
                c.args[k].record = shared;
                any = true;
            }
        }
        if (any) {
            cases.push_back(c);
        }
    }
    return cases;
}

// A result the host can show (see Showable).
inline ::testing::AssertionResult IsShowable(const Wrapper& w, const std::vector<Arg>& args,
                                             const XLOPER12* result) {
    std::string why;
    if (Showable(w, args, result, why)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << why;
}

// Calls every wrapper with its sane arguments and then with each hostile case of them; each
// result must be showable. Prints the number of hostile inputs and the slowest of them, for
// the record, not as a limit.
inline void CallEveryHostileInput(const std::vector<PreparedCall>& sane, RecordArena& arena) {
    std::size_t calls = 0;
    double slowest = 0;
    std::string slowestCase;
    for (const PreparedCall& call : sane) {
        const Wrapper& w = *call.wrapper;
        const std::vector<Arg>& args = call.args;
        SCOPED_TRACE(w.name);
        ASSERT_TRUE(IsShowable(w, args, w.call(args)));
        for (const Case& c : HostileCases(w, args, arena)) {
            const auto start = std::chrono::steady_clock::now();
            const XLOPER12* result = w.call(c.args);
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (seconds > slowest) {
                slowest = seconds;
                slowestCase = w.name + ", " + c.description;
            }
            EXPECT_TRUE(IsShowable(w, c.args, result)) << c.description;
            ++calls;
        }
    }
    std::cout << calls << " hostile inputs; slowest " << slowest << " s (" << slowestCase << ")\n";
}

} // namespace hostile
