#include "xlf/XlfOper.h"
#include "HostFixture.h"
#include "xlf/Frame.h"
#include "xlf/XlfException.h"

#include <cmath>
#include <limits>

using namespace xlf;
using standin::DiagnosticCapture;
using standin::Value;

namespace {

XlfOper Array(std::int32_t rows, std::int32_t columns, std::vector<XlfOper> cells) {
    XlfOper array;
    array.AllocateArray(rows, columns);
    for (std::size_t k = 0; k < cells.size(); ++k) {
        array.GetXLOPER()->val.array.lparray[k] = *cells[k].GetXLOPER();
    }
    return array;
}

XlfOper Nil() {
    XlfOper nil;
    nil.GetXLOPER()->xltype = xltypeNil;
    return nil;
}

XlfOper SheetArea(std::int32_t r1, std::int32_t r2, std::int32_t c1, std::int32_t c2) {
    XlfOper area;
    XLOPER12* x = area.GetXLOPER();
    x->xltype = xltypeSRef;
    x->val.sref.count = 1;
    x->val.sref.ref = XLREF12{r1, r2, c1, c2};
    return area;
}

XlfOper Reference(std::vector<XLREF12> areas) {
    auto* list = static_cast<XLMREF12*>(
        TempMemory::GetMemory(sizeof(XLMREF12) + areas.size() * sizeof(XLREF12)));
    list->count = static_cast<std::uint16_t>(areas.size());
    std::copy(areas.begin(), areas.end(), list->reftbl);
    XlfOper ref;
    ref.GetXLOPER()->xltype = xltypeRef;
    ref.GetXLOPER()->val.mref.lpmref = list;
    ref.GetXLOPER()->val.mref.idSheet = standin::Host::kCurrentSheet;
    return ref;
}

} // namespace

using XlfOperTest = HostTest;

TEST_F(XlfOperTest, ConstructorsBuildTheirRecords) {
    EXPECT_EQ(XlfOper().Type(), xltypeMissing);
    EXPECT_EQ(XlfOper(2.5).GetXLOPER()->val.num, 2.5);
    EXPECT_EQ(XlfOper(std::int32_t{7}).GetXLOPER()->val.w, 7);
    EXPECT_EQ(XlfOper(true).GetXLOPER()->val.xbool, 1);
    EXPECT_EQ(XlfOper(false).GetXLOPER()->val.xbool, 0);
    const XlfOper error(ErrorCode{xlerrValue});
    EXPECT_EQ(error.Type(), xltypeErr);
    EXPECT_EQ(error.GetXLOPER()->val.err, 15);
    EXPECT_EQ(TextOf(*XlfOper("Velmora").GetXLOPER()), u"Velmora");
    EXPECT_EQ(TextOf(*XlfOper(std::string("a\xC3\xA9")).GetXLOPER()), u"a\u00E9");
    EXPECT_EQ(TextOf(*XlfOper(std::wstring(L"wide")).GetXLOPER()), u"wide");
    // The counted string ends with a zero the count leaves out.
    const XCHAR* s = XlfOper("ab").GetXLOPER()->val.str;
    EXPECT_EQ(s[0], 2);
    EXPECT_EQ(s[3], 0);
}

TEST_F(XlfOperTest, LongTextsAreCutWithOneLine) {
    DiagnosticCapture capture;
    EXPECT_EQ(XlfOper(std::string(40000, 'a')).GetXLOPER()->val.str[0], 32767);
    EXPECT_EQ(XlfOper(std::wstring(40000, L'w')).GetXLOPER()->val.str[0], 32766);
    EXPECT_EQ(XlfOper(std::string(32767, 'a')).GetXLOPER()->val.str[0], 32767);
    EXPECT_EQ(capture.Lines(), (std::vector<std::string>{"String truncated to 32767 bytes",
                                                         "String truncated to 32766 bytes"}));
}

TEST_F(XlfOperTest, ScalarConversions) {
    EXPECT_EQ(XlfOper(std::int32_t{7}).ToDouble(), 7.0);
    EXPECT_EQ(XlfOper(true).ToDouble(), 1.0);
    EXPECT_EQ(XlfOper(false).ToDouble(), 0.0);
    EXPECT_TRUE(XlfOper(std::numeric_limits<double>::quiet_NaN()).ToBool());
    EXPECT_FALSE(XlfOper(0.0).ToBool());
    EXPECT_FALSE(XlfOper(std::int32_t{0}).ToBool());
    EXPECT_TRUE(XlfOper(std::int32_t{-3}).ToBool());
    EXPECT_STREQ(XlfOper("text").ToString(), "text");
    // None of these needs the host.
    EXPECT_FALSE(XlfExcel::HasInstance());
}

TEST_F(XlfOperTest, MissingNilAndErrorValuesRaiseWithNameAndContext) {
    DiagnosticCapture capture;
    EXPECT_EQ(MessageOf([] { XlfOper().ToBool("male"); }),
              "parameter is missing, male Conversion to Bool");
    EXPECT_EQ(MessageOf([] { XlfOper().ToDouble(); }), "parameter is missing Conversion to Double");
    EXPECT_EQ(MessageOf([] { Nil().ToDouble("age"); }),
              "parameter is nil, age Conversion to Double");
    EXPECT_EQ(MessageOf([] { XlfOper(ErrorCode{xlerrNA}).ToBool("opiates"); }),
              "parameter is error, opiates Conversion to Bool");
    // Each raise writes its source position and its text as one line.
    const auto lines = capture.Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].rfind("XlfOperImpl.cpp:", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(": parameter is missing, male Conversion to Bool"), std::string::npos);
    EXPECT_THROW(XlfOper().ToDouble(), XlfGeneralException);
}

TEST_F(XlfOperTest, TextsAndReferencesAreCoercedByTheHost) {
    EXPECT_EQ(XlfOper("12.5").ToDouble("dose"), 12.5);
    EXPECT_TRUE(XlfOper("TRUE").ToBool("male"));
    EXPECT_FALSE(XlfOper("false").ToBool("male"));
    EXPECT_EQ(MessageOf([] { XlfOper("abc").ToDouble("dose"); }),
              "parameter is error, dose Conversion to Double");
    EXPECT_EQ(MessageOf([] { XlfOper("maybe").ToBool("male"); }),
              "parameter is error, male Conversion to Bool");

    host().SetCell(4, 2, Value::Number(70));
    EXPECT_EQ(SheetArea(4, 4, 2, 2).ToDouble("weight"), 70.0);
    EXPECT_STREQ(XlfOper(1.5).ToString(), "1.5");
    EXPECT_STREQ(XlfOper(true).ToString(), "TRUE");
    EXPECT_STREQ(SheetArea(4, 4, 2, 2).ToString(), "70");
    // The host's string results were released (checked when the test ends).
}

TEST_F(XlfOperTest, HostInterruptionsDuringCoercion) {
    host().FailWith(xlCoerce, xlretUncalced);
    EXPECT_THROW(XlfOper("1").ToDouble(), XlfExceptionUncalculated);
    host().FailWith(xlCoerce, xlretAbort);
    EXPECT_THROW(XlfOper("1").ToBool(), XlfExceptionAbort);
    host().FailWith(xlCoerce, xlretFailed);
    EXPECT_EQ(MessageOf([] { XlfOper(1.0).ToString("label"); }),
              "command failed, label Conversion to String");
}

TEST_F(XlfOperTest, CoercedRecordsAreReleasedAlsoWhenTheirConversionFails) {
    DiagnosticCapture capture;
    // A host that answers a coercion with a text whatever was asked: the text cannot be
    // converted without asking again, and must still be handed back.
    host().AnswerWith(xlCoerce, Value::Text(u"7"));
    // ToString leaves error values to the host.
    EXPECT_STREQ(XlfOper(ErrorCode{xlerrValue}).ToString("label"), "7");
    EXPECT_EQ(MessageOf([] { SheetArea(0, 0, 0, 0).ToDouble("dose"); }),
              "invalid OPER structure (memory could be exhausted), dose Conversion to Double");
    EXPECT_EQ(MessageOf([] { SheetArea(0, 0, 0, 0).ToBool("male"); }),
              "invalid OPER structure (memory could be exhausted), male Conversion to Bool");
    host().AnswerWith(xlCoerce, Value::Array(1, 1, {Value::Text(u"7")}));
    EXPECT_EQ(MessageOf([] { XlfOper(2.0).ToString("label"); }),
              "invalid OPER structure (memory could be exhausted), label Conversion to String");
    // Every one of those host records came back (checked when the test ends).
    EXPECT_EQ(host().OutstandingRecords(), 0u);
}

TEST_F(XlfOperTest, ResultCodesRaiseByTheFirstBitInOrder) {
    DiagnosticCapture capture;
    auto raise = [](int code) { XlfOper::RaiseForResultCode(code, "x", "ctx"); };
    EXPECT_THROW(raise(xlretUncalced | xlretAbort), XlfExceptionUncalculated);
    EXPECT_THROW(raise(xlretAbort | xlretStackOvfl), XlfExceptionAbort);
    EXPECT_THROW(raise(xlretStackOvfl | xlretInvXloper), XlfExceptionStackOverflow);
    // The interruptions write nothing.
    EXPECT_TRUE(capture.Lines().empty());
    EXPECT_EQ(MessageOf([&] { raise(xlretInvXloper | xlretFailed); }),
              "invalid OPER structure (memory could be exhausted), x ctx");
    EXPECT_EQ(MessageOf([&] { raise(xlretFailed | xlretInvCount); }), "command failed, x ctx");
    EXPECT_EQ(MessageOf([&] { raise(xlretInvCount | xlretInvXlfn); }),
              "invalid number of arguments, x ctx");
    EXPECT_EQ(MessageOf([&] { raise(xlretInvXlfn | xlretInvAsynchronousContext); }),
              "invalid function number, x ctx");
    EXPECT_EQ(MessageOf([&] { raise(xlretInvAsynchronousContext | xlretNotClusterSafe); }),
              "invalid asynch conext, x ctx");
    EXPECT_EQ(MessageOf([&] { raise(xlretNotClusterSafe); }), "function not cluster safe, x ctx");
    EXPECT_NO_THROW(raise(xlretSuccess));
    EXPECT_NO_THROW(raise(xlretNotThreadSafe));
    EXPECT_EQ(capture.Lines().size(), 6u);
    EXPECT_EQ(XlfExceptionAbort().what(), std::string("abort"));
    EXPECT_EQ(XlfExceptionStackOverflow().what(), std::string("stack overflow"));
    EXPECT_EQ(XlfExceptionUncalculated().what(), std::string(""));
    EXPECT_EQ(MessageOf([] { XlfOper::RaiseForUnconvertible(xltypeFlow, nullptr, "c"); }),
              "invalid OPER structure (memory could be exhausted) c");
}

TEST_F(XlfOperTest, ShapesAndElements) {
    EXPECT_EQ(XlfOper(ErrorCode{xlerrValue}).Rows(), 0);
    EXPECT_EQ(XlfOper(3.0).Rows(), 1);
    EXPECT_EQ(XlfOper().Columns(), 0);
    const XlfOper a = Array(2, 3, {1.0, 2.0, 3.0, 4.0, 5.0, 6.0});
    EXPECT_EQ(a.Rows(), 2);
    EXPECT_EQ(a.Columns(), 3);
    EXPECT_EQ(a.Element(1, 0).ToDouble(), 4.0);
    EXPECT_EQ(XlfOper(9.0).Element(5, 5).ToDouble(), 9.0);

    const XlfOper area = SheetArea(2, 5, 1, 2);
    EXPECT_EQ(area.Rows(), 4);
    EXPECT_EQ(area.Columns(), 2);
    const XLOPER12& cell = *area.Element(3, 1).GetXLOPER();
    EXPECT_EQ(cell.xltype, xltypeSRef);
    EXPECT_EQ(cell.val.sref.ref.rwFirst, 5);
    EXPECT_EQ(cell.val.sref.ref.rwLast, 5);
    EXPECT_EQ(cell.val.sref.ref.colFirst, 2);

    const XlfOper ref = Reference({XLREF12{10, 12, 0, 0}});
    EXPECT_EQ(ref.Rows(), 3);
    const XLOPER12& refCell = *ref.Element(2, 0).GetXLOPER();
    EXPECT_EQ(refCell.xltype, xltypeRef);
    EXPECT_EQ(refCell.val.mref.idSheet, standin::Host::kCurrentSheet);
    EXPECT_EQ(refCell.val.mref.lpmref->count, 1);
    EXPECT_EQ(refCell.val.mref.lpmref->reftbl[0].rwFirst, 12);

    DiagnosticCapture capture;
    const XlfOper two = Reference({XLREF12{0, 0, 0, 0}, XLREF12{2, 2, 2, 2}});
    EXPECT_EQ(MessageOf([&] { two.Rows(); }), "No implementation for multiple Refs");
    EXPECT_EQ(MessageOf([&] { two.Element(0, 0); }), "No implementation for multiple Refs");
    XlfOper flow;
    flow.GetXLOPER()->xltype = xltypeFlow;
    EXPECT_EQ(MessageOf([&] { flow.Columns(); }), "No implementation on XlfOper rows");
    EXPECT_EQ(MessageOf([] { XlfOper().Element(0, 0); }),
              "Wrong type for element by element access ");
}

TEST_F(XlfOperTest, DoubleVectorsOfOneDimensionalValues) {
    const auto row = Array(1, 3, {1.0, 2.0, 3.0}).ToDoubleVector("row");
    EXPECT_EQ(row, (std::vector<double>{1, 2, 3}));
    const auto column = Array(3, 1, {4.0, std::int32_t{5}, true}).ToDoubleVector("column");
    EXPECT_EQ(column, (std::vector<double>{4, 5, 1}));
    EXPECT_EQ(XlfOper(8.0).ToDoubleVector("one"), (std::vector<double>{8}));

    host().SetCell(0, 0, Value::Number(0.5));
    host().SetCell(1, 0, Value::Text(u"1.5"));
    host().SetCell(2, 0, Value::Number(2.5));
    EXPECT_EQ(SheetArea(0, 2, 0, 0).ToDoubleVector("times"), (std::vector<double>{0.5, 1.5, 2.5}));
}

TEST_F(XlfOperTest, DoubleVectorsRefuseTwoDimensionsOmissionsAndErrorCells) {
    DiagnosticCapture capture;
    const std::string notOneDimensional =
        "invalid OPER structure (memory could be exhausted), pk Not unidemensional";
    EXPECT_EQ(MessageOf([] {
                  Array(2, 3, {1.0, 2.0, 3.0, 4.0, 5.0, 6.0}).ToDoubleVector("pk");
              }),
              notOneDimensional);
    EXPECT_EQ(MessageOf([] { XlfOper().ToDoubleVector("pk"); }), notOneDimensional);
    EXPECT_EQ(MessageOf([] { Nil().ToDoubleVector("pk"); }), notOneDimensional);
    EXPECT_EQ(MessageOf([] {
                  Array(3, 1, {1.0, XlfOper(ErrorCode{xlerrDiv0}), 3.0}).ToDoubleVector("rate");
              }),
              "parameter is error, rate Conversion to Double");
    host().SetCell(1, 3, Value::Error(xlerrNA));
    // The empty cell above it reads as 0; the error cell stops the conversion.
    EXPECT_EQ(MessageOf([] { SheetArea(0, 2, 3, 3).ToDoubleVector("rate"); }),
              "parameter is error, rate Conversion to Double");
}

TEST_F(XlfOperTest, SamplesLeaveEmptyCellsUnsampled) {
    DiagnosticCapture capture;
    using Samples = catalogue::Samples;
    EXPECT_EQ(Array(4, 1, {1.5, Nil(), XlfOper(""), true}).ToSamples("measured"),
              (Samples{1.5, std::nullopt, std::nullopt, 1}));
    EXPECT_EQ(Nil().ToSamples("measured"), (Samples{std::nullopt}));
    EXPECT_EQ(XlfOper(2.0).ToSamples("measured"), (Samples{2}));
    // A reference: its empty cells are unsampled, not 0 as in a column; texts are coerced.
    host().SetCell(0, 5, Value::Number(0.5));
    host().SetCell(2, 5, Value::Text(u"1.5"));
    EXPECT_EQ(SheetArea(0, 2, 5, 5).ToSamples("measured"), (Samples{0.5, std::nullopt, 1.5}));
    EXPECT_EQ(Reference({XLREF12{0, 0, 5, 7}}).ToSamples("measured"),
              (Samples{0.5, std::nullopt, std::nullopt}));

    const std::string notOneDimensional =
        "invalid OPER structure (memory could be exhausted), measured Not unidemensional";
    EXPECT_EQ(MessageOf([] {
                  Array(2, 2, {1.0, 2.0, 3.0, 4.0}).ToSamples("measured");
              }),
              notOneDimensional);
    EXPECT_EQ(MessageOf([] { XlfOper().ToSamples("measured"); }), notOneDimensional);
    EXPECT_EQ(MessageOf([] { SheetArea(0, 1, 5, 6).ToSamples("measured"); }), notOneDimensional);
    const std::string error = "parameter is error, measured Conversion to Double";
    EXPECT_EQ(MessageOf([] { XlfOper(ErrorCode{xlerrNA}).ToSamples("measured"); }), error);
    EXPECT_EQ(MessageOf([] { Array(2, 1, {1.0, XlfOper("abc")}).ToSamples("measured"); }), error);
    host().SetCell(1, 5, Value::Error(xlerrNA));
    EXPECT_EQ(MessageOf([] { SheetArea(0, 2, 5, 5).ToSamples("measured"); }), error);
}

TEST_F(XlfOperTest, VectorsBecomeOneColumn) {
    const XlfOper seven(std::vector<double>{1, 2, 3, 4, 5, 6, 7});
    ASSERT_EQ(seven.Type(), xltypeMulti);
    EXPECT_EQ(seven.Rows(), 7);
    EXPECT_EQ(seven.Columns(), 1);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(seven.Element(i, 0).Type(), xltypeNum);
        EXPECT_EQ(seven.Element(i, 0).ToDouble(), i + 1);
    }
    EXPECT_EQ(XlfOper(std::vector<double>{}).Type(), xltypeMissing);
}

TEST_F(XlfOperTest, ArraysAreCutAtTheHostLimits) {
    DiagnosticCapture capture;
    std::vector<double> tall(1048577);
    tall.back() = 1;
    tall[1048575] = 2;
    const XlfOper column(tall);
    EXPECT_EQ(column.Rows(), 1048576);
    EXPECT_EQ(column.Element(1048575, 0).ToDouble(), 2.0);
    EXPECT_EQ(capture.Lines(), (std::vector<std::string>{"Truncating rows to 1048576"}));

    XlfOper wide;
    wide.AllocateArray(2, 20000);
    EXPECT_EQ(wide.Rows(), 2);
    EXPECT_EQ(wide.Columns(), 16384);
    XlfOper none;
    none.AllocateArray(0, 5);
    EXPECT_EQ(none.Type(), xltypeMissing);
    XlfOper negative(1.0);
    negative.AllocateArray(3, -1);
    EXPECT_EQ(negative.Type(), xltypeMissing);
    EXPECT_EQ(capture.Lines(), (std::vector<std::string>{"Truncating rows to 1048576",
                                                         "Truncating columns to 16384"}));
}

TEST_F(XlfOperTest, TextsTravelAsUtf8AndUtf16) {
    const std::string text = "44.4–122.7 kg/m² \xF0\x9F\x92\x89"; // en dash, superscript, U+1F489
    const std::u16string wide = Utf8ToUtf16(text);
    EXPECT_EQ(wide, u"44.4–122.7 kg/m² \U0001F489");
    EXPECT_EQ(Utf16ToUtf8(wide), text);
    // A byte that begins no sequence, a cut sequence and a lone surrogate become U+FFFD.
    EXPECT_EQ(Utf8ToUtf16("a\xFF"
                          "b\xE2\x80"),
              u"a\uFFFDb\uFFFD\uFFFD");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");

    // A column of texts, one record per line; none is a column of no rows.
    const XlfOper column(std::vector<std::string>{"OK", "Height 1.75 cm – in cm"});
    ASSERT_EQ(column.Type(), xltypeMulti);
    ASSERT_EQ(column.Rows(), 2);
    EXPECT_EQ(TextOf(column.Element(1, 0)), "Height 1.75 cm – in cm");
    EXPECT_EQ(XlfOper(std::vector<std::string>{}).Type(), xltypeMissing);
}

TEST_F(XlfOperTest, ArgumentsThatMayBeLeftOutAreReadAsEntered) {
    EXPECT_EQ(OptionalNumber(XlfOper(1.75)), 1.75);
    EXPECT_EQ(OptionalNumber(XlfOper(true)), 1.0);
    EXPECT_EQ(OptionalNumber(XlfOper()), std::nullopt);
    EXPECT_EQ(OptionalNumber(Nil()), std::nullopt);
    EXPECT_EQ(OptionalNumber(XlfOper("")), std::nullopt);
    EXPECT_TRUE(std::isnan(*OptionalNumber(XlfOper("tall"))));
    EXPECT_TRUE(std::isnan(*OptionalNumber(XlfOper(ErrorCode{xlerrNA}))));
    EXPECT_EQ(OptionalNumber(Array(1, 1, {XlfOper(70.0)})), 70.0);
    EXPECT_TRUE(std::isnan(*OptionalNumber(Array(1, 2, {XlfOper(1.0), XlfOper(2.0)}))));

    EXPECT_EQ(TextOf(XlfOper("PropSchnider")), "PropSchnider");
    EXPECT_EQ(TextOf(Array(1, 1, {XlfOper("RemiKim")})), "RemiKim");
    EXPECT_EQ(TextOf(XlfOper(3.0)), "");

    EXPECT_EQ(OptionalColumn(XlfOper(), "Times"), std::nullopt);
    EXPECT_EQ(OptionalColumn(Nil(), "Times"), std::nullopt);
    EXPECT_EQ(OptionalColumn(Array(2, 1, {XlfOper(1.0), XlfOper(2.0)}), "Times"),
              (std::vector<double>{1, 2}));
    EXPECT_THROW(
        OptionalColumn(Array(2, 2, {XlfOper(1.0), XlfOper(2.0), XlfOper(3.0), XlfOper(4.0)}),
                       "Times"),
        XlfGeneralException);
}
