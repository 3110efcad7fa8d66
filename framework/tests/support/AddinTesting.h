#pragma once

// What the add-ins' tests share: the fixture of a loaded add-in, cell values as the host
// passes them, and the symbols a shared library exports.

#include "HostFixture.h"
#include "xlf/Registration.h"
#include "xlf/XlOpenClose.h"

#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

// An add-in loaded at the start of each test and closed (and removed) at its end.
class AddinTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        // HostTest's tear-down turns international calls off: an earlier test in the same
        // program must not take the add-in's own setting away.
        xlf::XlfExcel::SetInternationalCalls(xlf::GetAddinOptions().internationalCalls);
        xlf::SetRemoved(false);
        ASSERT_EQ(xlAutoOpen(), 1);
    }
    void TearDown() override {
        xlAutoRemove();
        xlAutoClose();
        HostTest::TearDown();
    }
    // The text of argument k of a registration.
    static std::string Text(const standin::Registration& r, std::size_t k) {
        return k < r.arguments.size() ? r.arguments[k].Utf8() : std::string("<none>");
    }
};

// Cell values as the host passes them for "Q": records in the host's memory.
struct Cell {
    xlf::XLOPER12 record{};
    std::vector<xlf::XLOPER12> items;
    std::u16string text;

    static Cell Number(double v) {
        Cell c;
        c.record.xltype = xlf::xltypeNum;
        c.record.val.num = v;
        return c;
    }
    static Cell Truth(bool v) {
        Cell c;
        c.record.xltype = xlf::xltypeBool;
        c.record.val.xbool = v ? 1 : 0;
        return c;
    }
    static Cell Of(std::uint32_t type) {
        Cell c;
        c.record.xltype = type;
        return c;
    }
    static Cell Error(std::int32_t code) {
        Cell c = Of(xlf::xltypeErr);
        c.record.val.err = code;
        return c;
    }
    static Cell Text(std::u16string_view v) {
        Cell c;
        c.text.push_back(static_cast<char16_t>(v.size()));
        c.text.append(v);
        c.record.xltype = xlf::xltypeStr;
        return c;
    }
    static Cell Array(int rows, int columns, const std::vector<double>& values) {
        Cell c;
        for (double v : values) {
            xlf::XLOPER12 item{};
            item.xltype = xlf::xltypeNum;
            item.val.num = v;
            c.items.push_back(item);
        }
        c.record.xltype = xlf::xltypeMulti;
        c.record.val.array.rows = rows;
        c.record.val.array.columns = columns;
        return c;
    }
    static Cell Column(const std::vector<double>& values) {
        return Array(static_cast<int>(values.size()), 1, values);
    }
    // The record, with its pointers set for where the cell now lives.
    xlf::XLOPER12* operator&() {
        if ((record.xltype & xlf::xltypeMask) == xlf::xltypeStr) {
            record.val.str = text.data();
        }
        if ((record.xltype & xlf::xltypeMask) == xlf::xltypeMulti) {
            record.val.array.lparray = items.data();
        }
        return &record;
    }
};

// The numbers of a result column; fails the test for any other result.
inline std::vector<double> ColumnOf(const xlf::XLOPER12* result) {
    std::vector<double> values;
    EXPECT_NE(result, nullptr);
    if (result == nullptr) {
        return values;
    }
    EXPECT_EQ(result->xltype, xlf::xltypeMulti);
    if (result->xltype != xlf::xltypeMulti) {
        return values;
    }
    EXPECT_EQ(result->val.array.columns, 1);
    for (int i = 0; i < result->val.array.rows; ++i) {
        EXPECT_EQ(result->val.array.lparray[i].xltype, xlf::xltypeNum);
        values.push_back(result->val.array.lparray[i].val.num);
    }
    return values;
}

inline std::string CellText(const xlf::XLOPER12* result) {
    if (result == nullptr || result->xltype != xlf::xltypeStr) {
        return "<not a text>";
    }
    return standin::Utf8(std::u16string_view(result->val.str + 1, result->val.str[0]));
}

// The symbols a shared library defines in its dynamic symbol table.
inline std::set<std::string> ExportedSymbols(const std::string& library) {
    std::set<std::string> names;
    const std::string command = "nm -D --defined-only '" + library + "'";
    FILE* pipe = popen(command.c_str(), "r");
    EXPECT_NE(pipe, nullptr);
    if (pipe == nullptr) {
        return names;
    }
    char line[1024];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::istringstream in(line);
        std::string address, kind, name;
        if (in >> address >> kind >> name) {
            names.insert(name);
        } else if (std::istringstream(line) >> kind >> name) {
            names.insert(name); // an absolute symbol without address column
        }
    }
    EXPECT_EQ(pclose(pipe), 0) << command;
    return names;
}

inline const std::set<std::string> kEntryPoints = {"xlAutoOpen", "xlAutoClose", "xlAutoRemove",
                                                   "xlwGenDoc"};
