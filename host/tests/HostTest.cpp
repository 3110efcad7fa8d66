#include "standin/Host.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

using namespace xlf;
using standin::Host;
using standin::Value;

extern "C" int MdCallBack12(int, int, LPXLOPER12*, LPXLOPER12);

namespace {

class HostCalls : public ::testing::Test {
protected:
    void SetUp() override { host().Reset(); }
    void TearDown() override { EXPECT_EQ(host().OutstandingRecords(), 0u); }
    static Host& host() { return Host::Instance(); }

    // Calls the host through its exported callback, the way an add-in does, and reads
    // the result back.
    static int Call(int function, std::vector<Value> arguments, Value* answer = nullptr) {
        std::vector<std::vector<XCHAR>> strings;
        std::vector<XLOPER12> records(arguments.size());
        std::vector<std::vector<XLOPER12>> arrays;
        std::vector<std::vector<char>> areaLists;
        std::function<void(const Value&, XLOPER12&)> build = [&](const Value& v, XLOPER12& r) {
            r = XLOPER12{};
            switch (v.kind) {
            case Value::Kind::Num:
                r.xltype = xltypeNum;
                r.val.num = v.num;
                break;
            case Value::Kind::Str: {
                std::vector<XCHAR> s{static_cast<XCHAR>(v.str.size())};
                s.insert(s.end(), v.str.begin(), v.str.end());
                s.push_back(0);
                strings.push_back(std::move(s));
                r.xltype = xltypeStr;
                r.val.str = strings.back().data();
                break;
            }
            case Value::Kind::Bool:
                r.xltype = xltypeBool;
                r.val.xbool = v.flag;
                break;
            case Value::Kind::Err:
                r.xltype = xltypeErr;
                r.val.err = v.code;
                break;
            case Value::Kind::Int:
                r.xltype = xltypeInt;
                r.val.w = v.code;
                break;
            case Value::Kind::Multi: {
                std::vector<XLOPER12> cells(v.items.size());
                for (std::size_t k = 0; k < cells.size(); ++k) {
                    build(v.items[k], cells[k]);
                }
                arrays.push_back(std::move(cells));
                r.xltype = xltypeMulti;
                r.val.array.lparray = arrays.back().data();
                r.val.array.rows = v.rows;
                r.val.array.columns = v.columns;
                break;
            }
            case Value::Kind::SRef:
                r.xltype = xltypeSRef;
                r.val.sref.count = 1;
                r.val.sref.ref = v.areas.at(0);
                break;
            case Value::Kind::Nil:
                r.xltype = xltypeNil;
                break;
            default:
                r.xltype = xltypeMissing;
            }
        };
        strings.reserve(64);
        arrays.reserve(64);
        std::vector<LPXLOPER12> pointers;
        for (std::size_t k = 0; k < arguments.size(); ++k) {
            build(arguments[k], records[k]);
            pointers.push_back(&records[k]);
        }
        XLOPER12 result{};
        result.xltype = xltypeNil;
        const int code =
            MdCallBack12(function, static_cast<int>(pointers.size()), pointers.data(), &result);
        if (answer != nullptr) {
            *answer = Value::FromRecord(result);
        }
        LPXLOPER12 free[] = {&result};
        MdCallBack12(xlFree, 1, free, nullptr);
        return code;
    }

    static Value Coerced(Value v, std::uint32_t type) {
        Value out;
        EXPECT_EQ(Call(xlCoerce, {v, Value::Integer(static_cast<std::int32_t>(type))}, &out), 0);
        return out;
    }
};

} // namespace

TEST_F(HostCalls, CoercionAsTheSpreadsheetDoes) {
    EXPECT_EQ(Coerced(Value::Text(u"TRUE"), xltypeBool), Value::Truth(true));
    EXPECT_EQ(Coerced(Value::Text(u"false"), xltypeBool), Value::Truth(false));
    EXPECT_EQ(Coerced(Value::Text(u" 12.5 "), xltypeNum), Value::Number(12.5));
    EXPECT_EQ(Coerced(Value::Text(u"1e3"), xltypeNum), Value::Number(1000));
    EXPECT_EQ(Coerced(Value::Text(u"TRUE"), xltypeNum), Value::Error(xlerrValue));
    EXPECT_EQ(Coerced(Value::Text(u"12abc"), xltypeNum), Value::Error(xlerrValue));
    EXPECT_EQ(Coerced(Value::Text(u"nan"), xltypeNum), Value::Error(xlerrValue));
    EXPECT_EQ(Coerced(Value::Number(1.5), xltypeStr), Value::Text(u"1.5"));
    EXPECT_EQ(Coerced(Value::Number(70), xltypeStr), Value::Text(u"70"));
    EXPECT_EQ(Coerced(Value::Number(1.0 / 3), xltypeStr), Value::Text(u"0.333333333333333"));
    EXPECT_EQ(Coerced(Value::Truth(true), xltypeStr), Value::Text(u"TRUE"));
    EXPECT_EQ(Coerced(Value::Truth(true), xltypeNum), Value::Number(1));
    EXPECT_EQ(Coerced(Value::Number(0), xltypeBool), Value::Truth(false));
    EXPECT_EQ(Coerced(Value::Integer(7), xltypeNum), Value::Number(7));
    EXPECT_EQ(Coerced(Value::Text(u"16.0"), xltypeInt), Value::Integer(16));
    EXPECT_EQ(Coerced(Value::Number(2.5), xltypeInt), Value::Integer(3));
    EXPECT_EQ(Coerced(Value::Number(1e12), xltypeInt), Value::Error(xlerrValue));
    EXPECT_EQ(Coerced(Value::Nil(), xltypeNum), Value::Number(0));
    EXPECT_EQ(Coerced(Value::Nil(), xltypeStr), Value::Text(u""));
    EXPECT_EQ(Coerced(Value::Error(xlerrNA), xltypeNum), Value::Error(xlerrNA));
    EXPECT_EQ(Coerced(Value::Error(xlerrDiv0), xltypeStr), Value::Error(xlerrDiv0));
    EXPECT_EQ(Coerced(Value::Number(4), xltypeMulti), Value::Array(1, 1, {Value::Number(4)}));
}

TEST_F(HostCalls, ArraysAndReferencesGiveTheirFirstOrWholeValue) {
    const Value array = Value::Array(1, 2, {Value::Text(u"3"), Value::Number(4)});
    EXPECT_EQ(Coerced(array, xltypeNum), Value::Number(3));
    EXPECT_EQ(Coerced(array, xltypeMulti), array);

    host().SetCell(2, 1, Value::Number(5));
    host().SetCell(3, 1, Value::Text(u"x"));
    const Value area = Value::Area(2, 3, 1, 1);
    EXPECT_EQ(Coerced(area, xltypeNum), Value::Number(5));
    EXPECT_EQ(Coerced(area, xltypeMulti),
              Value::Array(2, 1, {Value::Number(5), Value::Text(u"x")}));
    EXPECT_EQ(Coerced(Value::Area(9, 9, 9, 9), xltypeNum), Value::Number(0));
}

TEST_F(HostCalls, WorkspaceNameRegistrationAndStatusBar) {
    Value answer;
    EXPECT_EQ(Call(xlfGetWorkspace, {Value::Integer(2)}, &answer), 0);
    EXPECT_EQ(answer, Value::Text(u"16.0"));
    host().SetVersionText(u"12.0");
    EXPECT_EQ(Call(xlfGetWorkspace | xlIntl, {Value::Number(2)}, &answer), 0);
    EXPECT_EQ(answer, Value::Text(u"12.0"));

    host().SetAddinPath("/x/Velmora.xll");
    EXPECT_EQ(Call(xlGetName, {}, &answer), 0);
    EXPECT_EQ(answer, Value::Text(u"/x/Velmora.xll"));

    EXPECT_EQ(Call(xlfRegister, {Value::Text(u"/x/Velmora.xll"), Value::Text(u"xlPropSchnider")},
                   &answer),
              0);
    EXPECT_EQ(answer, Value::Number(1));
    EXPECT_EQ(Call(xlfRegister, {Value::Text(u"/x/Velmora.xll")}, &answer), 0);
    EXPECT_EQ(answer, Value::Number(2));
    ASSERT_EQ(host().Registrations().size(), 2u);
    EXPECT_EQ(host().Registrations()[0].arguments[1], Value::Text(u"xlPropSchnider"));

    EXPECT_EQ(Call(xlfSetName, {Value::Text(u"PropSchnider")}), 0);
    EXPECT_EQ(Call(xlfUnregister, {Value::Number(1)}, &answer), 0);
    EXPECT_EQ(answer, Value::Truth(true));
    EXPECT_EQ(Call(xlfUnregister, {Value::Number(1)}, &answer), 0);
    EXPECT_EQ(answer, Value::Truth(false));
    EXPECT_EQ(host().NamesSet(), (std::vector<std::u16string>{u"PropSchnider"}));
    EXPECT_EQ(host().Unregistered(), (std::vector<double>{1}));

    EXPECT_EQ(Call(xlcMessage, {Value::Truth(true), Value::Text(u"Registering library...")}), 0);
    EXPECT_EQ(host().StatusBar(), u"Registering library...");
    EXPECT_EQ(Call(xlcMessage, {Value::Truth(false), Value::Integer(0)}), 0);
    EXPECT_FALSE(host().StatusBar().has_value());
    EXPECT_EQ(host().StatusBarHistory().size(), 2u);
}

TEST_F(HostCalls, UnsupportedCallsAndMisbehaviour) {
    EXPECT_EQ(Call(12345, {}), xlretInvXlfn);
    host().FailWith(xlcMessage, xlretFailed);
    EXPECT_EQ(Call(xlcMessage | xlIntl, {Value::Truth(true), Value::Text(u"x")}), xlretFailed);
    EXPECT_FALSE(host().StatusBar().has_value());
    EXPECT_EQ(host().CallLog(), (std::vector<int>{12345, xlFree, xlcMessage | xlIntl, xlFree}));
}

TEST_F(HostCalls, HostMemoryComesBackThroughXlFreeOnce) {
    XLOPER12 result{};
    EXPECT_EQ(MdCallBack12(xlGetName, 0, nullptr, &result), 0);
    EXPECT_EQ(host().OutstandingRecords(), 1u);
    LPXLOPER12 free[] = {&result};
    MdCallBack12(xlFree, 1, free, nullptr);
    EXPECT_EQ(host().OutstandingRecords(), 0u);
    MdCallBack12(xlFree, 1, free, nullptr);
    EXPECT_EQ(host().ForeignFrees(), 1u);
}

TEST_F(HostCalls, ExportedEntriesOfTheHostProgram) {
    auto find =
        reinterpret_cast<void* (*)(const char*)>(dlsym(RTLD_DEFAULT, "XlfHostFindMainExport"));
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(find("MdCallBack12"), reinterpret_cast<void*>(&MdCallBack12));
    host().SetCallbackPresent(false);
    EXPECT_EQ(find("MdCallBack12"), nullptr);

    auto load = reinterpret_cast<void* (*)(const char*)>(dlsym(RTLD_DEFAULT, "XlfHostLoadLibrary"));
    ASSERT_NE(load, nullptr);
    EXPECT_NE(load("xlcall32.dll"), nullptr);
    EXPECT_EQ(load("other.dll"), nullptr);
    host().SetCallLibraryPresent(false);
    EXPECT_EQ(load("XLCALL32.DLL"), nullptr);
}
