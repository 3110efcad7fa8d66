#include "xlf/XlfExcel.h"
#include "HostFixture.h"
#include "xlf/Platform.h"
#include "xlf/XlfException.h"

#include <filesystem>
#include <fstream>
#include <vector>

using namespace xlf;
using standin::DiagnosticCapture;

using XlfExcelTest = HostTest;

TEST_F(XlfExcelTest, InitialisationLearnsVersionPathLettersAndThread) {
    host().SetAddinPath("/opt/addins/Velmora.xll");
    XlfExcel& excel = XlfExcel::Instance();
    EXPECT_EQ(excel.Version(), 16);
    EXPECT_EQ(excel.AddinPath(), "/opt/addins/Velmora.xll");
    EXPECT_EQ(excel.HelpFilePath(), "");
    EXPECT_EQ(excel.XlfOperType(), "Q");
    EXPECT_EQ(excel.XlfXloperType(), "U");
    EXPECT_EQ(excel.WStrType(), "C%");
    EXPECT_EQ(excel.FpArrayType(), "K%");
    EXPECT_EQ(excel.MainThread(), platform::CurrentThreadId());
    EXPECT_EQ(&XlfExcel::Instance(), &excel);
    EXPECT_EQ(host().CallLog(),
              (std::vector<int>{xlfGetWorkspace, xlCoerce, xlFree, xlGetName, xlFree}));
}

TEST_F(XlfExcelTest, VersionFromTheWorkspaceText) {
    host().SetVersionText(u"14.0");
    EXPECT_EQ(XlfExcel::Instance().Version(), 14);

    // Without the integer coercion the number at the start of the text counts.
    XlfExcel::DeleteInstance();
    host().SetVersionText(u"15.1 (build 4)");
    host().FailWith(xlCoerce, xlretFailed);
    EXPECT_EQ(XlfExcel::Instance().Version(), 15);

    // A failed query gives 10.
    XlfExcel::DeleteInstance();
    host().FailWith(xlfGetWorkspace, xlretFailed);
    EXPECT_EQ(XlfExcel::Instance().Version(), 10);

    // Also when the host would turn the empty answer of the failed query into a number:
    // the host coerces an empty value to 0, which is no version.
    XlfExcel::DeleteInstance();
    host().Reset();
    host().FailWith(xlfGetWorkspace, xlretFailed);
    EXPECT_EQ(XlfExcel::Instance().Version(), 10);

    XlfExcel::DeleteInstance();
    host().Reset();
    host().SetVersionText(u"unknown");
    EXPECT_EQ(XlfExcel::Instance().Version(), 10);
}

TEST_F(XlfExcelTest, MissingCallLibraryOrCallbackOrName) {
    {
        host().SetCallLibraryPresent(false);
        DiagnosticCapture capture;
        EXPECT_EQ(MessageOf([] { XlfExcel::Instance(); }), "Could not load library XLCALL32.DLL");
        EXPECT_FALSE(XlfExcel::HasInstance());
        EXPECT_EQ(capture.Count("Could not load library XLCALL32.DLL"), 1u);
        host().SetCallLibraryPresent(true);
    }
    {
        host().SetCallbackPresent(false);
        DiagnosticCapture capture;
        XlfExcel& excel = XlfExcel::Instance();
        EXPECT_EQ(excel.Version(), 10);
        EXPECT_EQ(excel.AddinPath(), "");
        EXPECT_EQ(capture.Count("Could not get DLL name"), 1u);
        XLOPER12 result{};
        EXPECT_EQ(excel.Call(xlGetName, &result), xlretFailed);
        EXPECT_TRUE(host().CallLog().empty());
        XlfExcel::DeleteInstance();
        host().SetCallbackPresent(true);
    }
    {
        host().SetAddinPath("");
        DiagnosticCapture capture;
        EXPECT_EQ(XlfExcel::Instance().AddinPath(), "");
        EXPECT_TRUE(capture.Lines().empty());
        XlfExcel::DeleteInstance();
    }
    {
        host().FailWith(xlGetName, xlretFailed);
        DiagnosticCapture capture;
        EXPECT_EQ(XlfExcel::Instance().AddinPath(), "");
        ASSERT_EQ(capture.Lines().size(), 1u);
        EXPECT_NE(capture.Lines()[0].find("XlfExcel.cpp:"), std::string::npos);
        EXPECT_NE(capture.Lines()[0].find(": Could not get DLL name"), std::string::npos);
    }
}

TEST_F(XlfExcelTest, ArgumentCountLimit) {
    XlfExcel& excel = XlfExcel::Instance();
    const std::size_t before = host().CallLog().size();
    std::vector<XLOPER12> records(256);
    std::vector<XLOPER12*> args;
    for (XLOPER12& r : records) {
        r.xltype = xltypeMissing;
        args.push_back(&r);
    }
    XLOPER12 result{};
    EXPECT_EQ(excel.Call(xlfRegister, &result, args), xlretInvCount);
    EXPECT_EQ(host().CallLog().size(), before);
    args.pop_back();
    EXPECT_EQ(excel.Call(xlfRegister, &result, args), xlretSuccess);
    EXPECT_EQ(host().Registrations().at(0).arguments.size(), 255u);
}

TEST_F(XlfExcelTest, ResultsHoldingHostStorageAreMarkedAndFreed) {
    XlfExcel& excel = XlfExcel::Instance();
    XLOPER12 name{};
    ASSERT_EQ(excel.Call(xlGetName, &name), xlretSuccess);
    EXPECT_EQ(name.xltype, xltypeStr | xlbitXLFree);
    EXPECT_EQ(host().OutstandingRecords(), 1u);
    excel.Free(name);
    EXPECT_EQ(name.xltype, xltypeStr);
    EXPECT_EQ(host().OutstandingRecords(), 0u);

    XLOPER12 number{};
    number.xltype = xltypeNum;
    number.val.num = 3;
    XLOPER12 wanted{};
    wanted.xltype = xltypeInt;
    wanted.val.w = xltypeMulti;
    {
        HostOwnedRecord array;
        ASSERT_EQ(excel.Call(xlCoerce, array.get(), &number, &wanted), xlretSuccess);
        EXPECT_EQ(array->xltype, xltypeMulti | xlbitXLFree);
    }
    wanted.val.w = xltypeInt;
    HostOwnedRecord integer;
    ASSERT_EQ(excel.Call(xlCoerce, integer.get(), &number, &wanted), xlretSuccess);
    EXPECT_EQ(integer->xltype, xltypeInt);

    // An unsupported function answers as the host does, and the result reads as nil.
    XLOPER12 unknown{};
    unknown.xltype = xltypeNum;
    EXPECT_EQ(excel.Call(9999, &unknown), xlretInvXlfn);
    EXPECT_EQ(unknown.xltype, xltypeNil);
}

TEST_F(XlfExcelTest, InternationalFlagOnEveryCall) {
    XlfExcel::SetInternationalCalls(true);
    XlfExcel& excel = XlfExcel::Instance();
    EXPECT_EQ(excel.Version(), 16);
    for (int number : host().CallLog()) {
        EXPECT_EQ(number & xlIntl, xlIntl);
    }
}

TEST_F(XlfExcelTest, HelpFileBesideTheAddinOrOneFolderUp) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("xlf-help-" + std::to_string(getpid()));
    fs::create_directories(root / "sub");
    const std::string addin = (root / "sub" / "Corvane.xll").string();
    host().SetAddinPath(addin);

    EXPECT_EQ(XlfExcel::Instance().HelpFilePath(), "");

    std::ofstream(root / "Corvane.chm") << "help";
    XlfExcel::DeleteInstance();
    EXPECT_EQ(XlfExcel::Instance().HelpFilePath(), (root / "sub").string() + "/../Corvane.chm");

    std::ofstream(root / "sub" / "Corvane.chm") << "help";
    XlfExcel::DeleteInstance();
    EXPECT_EQ(XlfExcel::Instance().HelpFilePath(), (root / "sub" / "Corvane.chm").string());

    // A folder of that name is not a help file; nor is a path without a three-letter
    // extension.
    fs::remove(root / "sub" / "Corvane.chm");
    fs::remove(root / "Corvane.chm");
    fs::create_directories(root / "sub" / "Corvane.chm");
    XlfExcel::DeleteInstance();
    EXPECT_EQ(XlfExcel::Instance().HelpFilePath(), "");
    host().SetAddinPath((root / "sub" / "Corvane.so").string());
    XlfExcel::DeleteInstance();
    EXPECT_EQ(XlfExcel::Instance().HelpFilePath(), "");
    fs::remove_all(root);
}
