#include "xlf/Frame.h"
#include "HostFixture.h"
#include "xlf/XlfException.h"

#include <thread>

using namespace xlf;
using standin::DiagnosticCapture;
using standin::Value;

using FrameTest = HostTest;

namespace {

std::u16string CellText(const XLOPER12* cell) {
    EXPECT_NE(cell, nullptr);
    EXPECT_EQ(cell->xltype, xltypeStr);
    return TextOf(*cell);
}

} // namespace

TEST_F(FrameTest, ResultsLiveInTemporaryMemoryUntilTheNextCall) {
    XLOPER12* number = Frame([] { return 2.5; });
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->xltype, xltypeNum);
    EXPECT_EQ(number->val.num, 2.5);
    EXPECT_EQ(TempMemory::Inspect().scopeDepth, 0);

    XLOPER12* column = Frame([] { return std::vector<double>{4.27, 18.9, 238}; });
    ASSERT_EQ(column->xltype, xltypeMulti);
    EXPECT_EQ(column->val.array.rows, 3);
    EXPECT_EQ(column->val.array.columns, 1);
    EXPECT_EQ(column->val.array.lparray[2].val.num, 238);

    // The next outermost call starts the thread's memory again.
    XLOPER12* next = Frame([] { return 7.0; });
    EXPECT_EQ(static_cast<void*>(next), static_cast<void*>(number));
}

TEST_F(FrameTest, ExceptionsBecomeCellValues) {
    DiagnosticCapture capture;
    EXPECT_EQ(Frame([]() -> double { throw XlfExceptionAbort(); }), nullptr);
    EXPECT_EQ(Frame([]() -> double { throw XlfExceptionUncalculated(); }), nullptr);
    EXPECT_EQ(Frame([]() -> double { throw XlfExceptionStackOverflow(); }), nullptr);
    EXPECT_EQ(CellText(Frame([]() -> double { throw std::runtime_error(""); })), u"");
    EXPECT_EQ(
        CellText(Frame([]() -> double { throw std::runtime_error("Negative PK parameter!"); })),
        u"Negative PK parameter!");
    EXPECT_EQ(CellText(Frame([]() -> double { throw XlfNeverGetHere(); })),
              u"Reached a never get here point");
    EXPECT_EQ(
        CellText(Frame([]() -> double { throw std::string("Columns of different length!"); })),
        u"Columns of different length!");
    EXPECT_EQ(CellText(Frame([]() -> double { throw "Bad target!"; })), u"Bad target!");
    static char mutableText[] = "mutable";
    EXPECT_EQ(CellText(Frame([]() -> double { throw static_cast<char*>(mutableText); })),
              u"mutable");
    XLOPER12* value = Frame([]() -> double { throw 42; });
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->xltype, xltypeErr);
    EXPECT_EQ(value->val.err, xlerrValue);
    EXPECT_EQ(CellText(Frame([]() -> double { throw std::string(40000, 'x'); })).size(), 32767u);
    EXPECT_EQ(TempMemory::Inspect().scopeDepth, 0);
}

TEST_F(FrameTest, ConversionsFailWithTheFirstArgumentsName) {
    // Arguments as the host passes them: records in the host's memory.
    XLOPER12 age{};
    age.xltype = xltypeNum;
    age.val.num = 53;
    XLOPER12 missing{};
    missing.xltype = xltypeMissing;
    XCHAR heavy[] = {5, u'h', u'e', u'a', u'v', u'y', 0};
    XLOPER12 text{};
    text.xltype = xltypeStr;
    text.val.str = heavy;
    XLOPER12* cell = Frame([&] {
        const double years = XlfOper(&age).ToDouble("Age");
        const bool male = XlfOper(&missing).ToBool("male");
        const double weight = XlfOper(&text).ToDouble("weight");
        return years + male + weight;
    });
    EXPECT_EQ(CellText(cell), u"parameter is missing, male Conversion to Bool");
}

TEST_F(FrameTest, HostOwnedResultsAreCopiedAndReleased) {
    host().SetAddinPath("/opt/addins/Velmora.xll");
    XLOPER12* path = Frame([] {
        XlfOper name;
        XlfExcel::Instance().Call(xlGetName, name.GetXLOPER());
        EXPECT_EQ(host().OutstandingRecords(), 1u);
        return name;
    });
    EXPECT_EQ(host().OutstandingRecords(), 0u);
    EXPECT_EQ(path->xltype, xltypeStr);
    EXPECT_EQ(CellText(path), u"/opt/addins/Velmora.xll");

    host().SetCell(0, 0, Value::Text(u"a"));
    host().SetCell(0, 1, Value::Number(2));
    XLOPER12* array = Frame([] {
        XLOPER12 area{};
        area.xltype = xltypeSRef;
        area.val.sref.count = 1;
        area.val.sref.ref = XLREF12{0, 0, 0, 1};
        XLOPER12 wanted{};
        wanted.xltype = xltypeInt;
        wanted.val.w = xltypeMulti;
        XlfOper whole;
        XlfExcel::Instance().Call(xlCoerce, whole.GetXLOPER(), &area, &wanted);
        return whole;
    });
    EXPECT_EQ(host().OutstandingRecords(), 0u);
    ASSERT_EQ(array->xltype, xltypeMulti);
    EXPECT_EQ(TextOf(array->val.array.lparray[0]), u"a");
    EXPECT_EQ(array->val.array.lparray[1].val.num, 2);
}

TEST_F(FrameTest, BigDataCannotBeCopied) {
    DiagnosticCapture capture;
    XLOPER12* cell = Frame([] {
        XlfOper big;
        big.GetXLOPER()->xltype = xltypeBigData | xlbitXLFree;
        return big;
    });
    EXPECT_EQ(CellText(cell), u"can't copy a big data oper");
    EXPECT_EQ(capture.Count("can't copy a big data oper"), 1u);
    // The host was asked to release its record.
    EXPECT_EQ(host().CallLog().back(), xlFree);
}

TEST_F(FrameTest, NestedCallsDoNotResetTheOuterCallsMemory) {
    XLOPER12* outer = Frame([] {
        XlfOper mine("outer");
        XLOPER12* inner = Frame([] { return std::string("inner"); });
        EXPECT_EQ(CellText(inner), u"inner");
        EXPECT_EQ(TextOf(*mine.GetXLOPER()), u"outer");
        return mine;
    });
    EXPECT_EQ(CellText(outer), u"outer");
}

TEST_F(FrameTest, TheFunctionWizardGetsTrueWithoutComputing) {
    bool computed = false;
    auto call = [&] {
        computed = false;
        return Frame([&] {
            computed = true;
            return 1.0;
        });
    };
    XlfExcel::Instance();
    EXPECT_FALSE(IsCalledByFunctionWizard());

    host().AddWindow(u"bosa_sdm_XL9", u"Function Arguments");
    XLOPER12* cell = call();
    EXPECT_FALSE(computed);
    ASSERT_EQ(cell->xltype, xltypeBool);
    EXPECT_EQ(cell->val.xbool, 1);
}

TEST_F(FrameTest, WizardWindowRules) {
    XlfExcel::Instance();
    struct Case {
        std::vector<std::pair<std::u16string, std::optional<std::u16string>>> windows;
        bool wizard;
    };
    const std::vector<Case> cases = {
        {{{u"bosa_sdm_XL9", u"Function Arguments"}}, true},
        {{{u"BOSA_SDM_xl12", u"Function Arguments"}}, true},
        {{{u"bosa_sdm_XL", u"Function Arguments"}}, true},
        {{{u"bosa_sdm_X", u"Function Arguments"}}, false},
        {{{u"xbosa_sdm_XL9", u"Function Arguments"}}, false},
        // "Paste" and "Replace" dialogs are not the wizard, and end the search.
        {{{u"bosa_sdm_XL9", u"Paste Function"}, {u"bosa_sdm_XL9", u"Function Arguments"}}, false},
        {{{u"bosa_sdm_XL9", u"Find and Replace"}, {u"bosa_sdm_XL9", u"Arguments"}}, false},
        {{{u"bosa_sdm_XL9", u"Paste or Replace"}}, false},
        // Other windows and untitled dialogs are passed over.
        {{{u"XLMAIN", u"Book1"},
          {u"bosa_sdm_XL9", u""},
          {u"bosa_sdm_XL9", std::nullopt},
          {u"bosa_sdm_XL9", u"Function Arguments"}},
         true},
    };
    for (const Case& c : cases) {
        host().Reset();
        for (const auto& [cls, title] : c.windows) {
            host().AddWindow(cls, title);
        }
        EXPECT_EQ(IsCalledByFunctionWizard(), c.wizard) << standin::Utf8(c.windows[0].first);
    }
}

TEST_F(FrameTest, OnlyTheWindowsOfTheHostsMainThreadCount) {
    XlfExcel::Instance(); // records this thread as the host's main thread
    host().AddWindow(u"bosa_sdm_XL9", u"Function Arguments", 0);
    EXPECT_FALSE(IsCalledByFunctionWizard());
    host().AddWindow(u"bosa_sdm_XL9", u"Function Arguments");
    bool fromOtherThread = false;
    std::thread([&] { fromOtherThread = IsCalledByFunctionWizard(); }).join();
    EXPECT_TRUE(fromOtherThread);
}

TEST_F(FrameTest, AGatewayThatCannotStartGivesItsText) {
    host().SetCallLibraryPresent(false);
    DiagnosticCapture capture;
    EXPECT_EQ(CellText(Frame([] { return 1.0; })), u"Could not load library XLCALL32.DLL");
}
