#include "SheetHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

const std::string kAddin = STANDIN_TEST_ADDIN;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome RunHost(std::vector<std::string> args, const std::string& folder = "/nonexistent") {
    std::ostringstream out, err;
    const int status = sheethost::Run(args, folder, out, err);
    return {status, out.str(), err.str()};
}

Outcome Eval(const std::string& formula) {
    return RunHost({"--addin", kAddin, "--eval", formula});
}

std::string Shown(const std::string& formula) {
    const Outcome o = Eval(formula);
    EXPECT_EQ(o.status, 0) << formula << "\n" << o.err;
    return o.out;
}

// A file in a fresh temporary folder, removed with it.
class TempFolder {
public:
    TempFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("sheethost-" + std::to_string(getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(path_ / name) << text;
        return (path_ / name).string();
    }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace

TEST(Eval, PrintsResultsAsTheContractSays) {
    EXPECT_EQ(Shown("=TestAdd(0.1, 0)"), "0.10000000000000001\n");
    EXPECT_EQ(Shown("=testadd(2, \"3\")"), "5\n"); // any case; a numeric text
    EXPECT_EQ(Shown("=TestAdd(1e308, 1e308)"), "#NUM!\n");
    EXPECT_EQ(Shown("=Echo(TRUE)"), "TRUE\n");
    EXPECT_EQ(Shown("=Echo(\"a,\"\"b\"\"\")"), "\"a,\"\"b\"\"\"\n");
    EXPECT_EQ(Shown("=Echo(\"plain text\")"), "plain text\n");
    EXPECT_EQ(Shown("=Echo()"), "\n"); // missing
    EXPECT_EQ(Shown("=Echo({1,2;3,4})"), "1,2\n3,4\n");
    EXPECT_EQ(Shown("=Column(3)"), "1\n2\n3\n");
    EXPECT_EQ(Shown("=Column(-1)"), "#NUM!\n"); // a null result
    EXPECT_EQ(Shown("=Echo(#DIV/0!)"), "#DIV/0!\n");
    EXPECT_EQ(Shown("=TestAdd(\"x\", 1)"), "#VALUE!\n");
    EXPECT_EQ(Shown("=TestAdd(1, #N/A)"), "#N/A\n");
    EXPECT_EQ(Shown("=NoSuchFunction(1)"), "#NAME?\n");
    EXPECT_EQ(Shown("=Describe(Column(2))"), "\"Multi 2x1[Num 1,Num 2]\"\n");
    EXPECT_EQ(Shown("=Describe(1,)"), "#VALUE!\n"); // more arguments than registered
}

TEST(Eval, ReportsSyntaxErrorsWithTheirPosition) {
    const Outcome o = Eval("=TestAdd(1 2)");
    EXPECT_EQ(o.status, sheethost::kSyntaxError);
    EXPECT_EQ(o.out, "");
    EXPECT_THAT(o.err, HasSubstr("syntax error at position 12: \",\" or \")\" is expected"));
    EXPECT_THAT(o.err, HasSubstr("  =TestAdd(1 2)\n             ^\n"));
}

TEST(Eval, NamesAFunctionItCannotCallOnce) {
    const Outcome o = Eval("=TestAdd(BadLetter(1), BADLETTER(2))");
    EXPECT_EQ(o.out, "#VALUE!\n");
    EXPECT_EQ(o.err, "sheethost: BadLetter: type text \"QZ\": \"Z\" (argument 1) is not a type "
                     "letter the stand-in host serves\n");
}

TEST(Sheets, SpillThroughTheAddinAndPrintCsvOrTable) {
    TempFolder folder;
    const std::string csv =
        folder.Write("s.csv", "n,=Column(3),=TestAdd(B2,B3)\nlabel,,\"=Echo(\"\"a,b\"\")\"\n");
    Outcome o = RunHost({"--addin", kAddin, csv});
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, "n,1,5\nlabel,2,\"a,b\"\n,3,\n");

    o = RunHost({"--addin", kAddin, "--format", "table", csv});
    EXPECT_EQ(o.out, "   A      B  C\n"
                     "1  n      1  5\n"
                     "2  label  2  a,b\n"
                     "3         3\n");

    const std::string blocked = folder.Write("b.csv", "=Column(3)\n\nx\n");
    EXPECT_EQ(RunHost({"--addin", kAddin, blocked}).out, "#SPILL!\n\nx\n");
}

TEST(Sheets, ReportCyclesAndSyntaxErrorsByCell) {
    TempFolder folder;
    Outcome o =
        RunHost({"--addin", kAddin, folder.Write("c.csv", "=TestAdd(B1,1),=TestAdd(A1,1)\n")});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "#CYCLE!,#CYCLE!\n");
    EXPECT_EQ(o.err, "sheethost: circular reference through A1 B1\n");

    o = RunHost({"--addin", kAddin, folder.Write("e.csv", "1\n=TestAdd(1,\n")});
    EXPECT_EQ(o.status, sheethost::kSyntaxError);
    EXPECT_THAT(o.err, HasSubstr("syntax error in A2: "));

    o = RunHost({"--addin", kAddin, (folder.Path() / "none.csv").string()});
    EXPECT_EQ(o.status, sheethost::kFailed);
    EXPECT_THAT(o.err, HasSubstr("cannot read"));
}

TEST(Registrations, PrintEveryTextButThePathAsJson) {
    const Outcome o = RunHost({"--addin", kAddin, "--registrations"});
    EXPECT_EQ(o.status, 0);
    std::istringstream lines(o.out);
    std::string first;
    std::getline(lines, first);
    EXPECT_EQ(first, "{\"procedure\":\"xlTestAdd\",\"typeText\":\"BBB\",\"worksheetName\":"
                     "\"TestAdd\",\"argumentNames\":\"x, y\",\"macroType\":1,\"category\":"
                     "\"Stand-in tests\",\"shortcut\":\"\",\"helpTopic\":\"TestAddin.chm!0\","
                     "\"functionHelp\":\" TestAdd for the tests \",\"argumentHelps\":[\" a "
                     "number \",\" another number . \"]}");
    EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 12);
    EXPECT_THAT(o.out, HasSubstr("\"worksheetName\":\"CommandOnly\",\"argumentNames\":\"\","
                                 "\"macroType\":2,"));
    EXPECT_THAT(o.out, ::testing::Not(HasSubstr(kAddin)));
}

TEST(List, ShowsFunctionsAsTheWizardDoes) {
    const Outcome o = RunHost({"--addin", kAddin, "--list"});
    EXPECT_THAT(o.out, StartsWith("Stand-in tests\n  AddinPath()\n      AddinPath for the tests\n"
                                  "  BadLetter(x)\n"));
    EXPECT_THAT(o.out, HasSubstr("  TestAdd(x, y)\n      TestAdd for the tests\n"
                                 "      x: a number\n      y: another number .\n"));
    EXPECT_THAT(o.out, HasSubstr("  Spread(a, b, c, d, e, f, g, h, i, j, k, l)\n"
                                 "      Spread for the tests\n      a:\n"));
    EXPECT_THAT(o.out, ::testing::Not(HasSubstr("CommandOnly")));
}

TEST(Addins, LoadTheDefaultPairBesideTheProgram) {
    TempFolder folder;
    for (const char* name : sheethost::kDefaultAddins) {
        std::filesystem::copy_file(kAddin, folder.Path() / name);
    }
    const Outcome o = RunHost({"--registrations"}, folder.Path().string());
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 24);

    std::filesystem::remove(folder.Path() / "Corvane.so");
    const Outcome missing = RunHost({"--list"}, folder.Path().string());
    EXPECT_EQ(missing.status, sheethost::kFailed);
    EXPECT_THAT(missing.err,
                HasSubstr("cannot load add-in " + (folder.Path() / "Corvane.so").string()));
}

TEST(CommandLine, RefusesWhatItCannotDo) {
    EXPECT_EQ(RunHost({}).status, sheethost::kSyntaxError);
    EXPECT_EQ(RunHost({"--list", "--registrations"}).status, sheethost::kSyntaxError);
    const Outcome format = RunHost({"--format", "xml", "s.csv"});
    EXPECT_EQ(format.status, sheethost::kSyntaxError);
    EXPECT_THAT(format.err, HasSubstr("csv or table"));
    EXPECT_THAT(RunHost({"--frobnicate"}).err, HasSubstr("unknown option --frobnicate"));
    EXPECT_THAT(RunHost({"--eval"}).err, HasSubstr("--eval needs a value"));
    EXPECT_EQ(RunHost({"--help"}).status, 0);
    // --eval=FORMULA works as well.
    EXPECT_EQ(RunHost({"--addin=" + kAddin, "--eval==TestAdd(1,1)"}).out, "2\n");
}

TEST(Values, CrossBetweenSheetAndHost) {
    using sheet::ErrorCode;
    using standin::Value;
    EXPECT_EQ(sheethost::ToHost(sheet::Value::ofError(ErrorCode::NA)), Value::Error(42));
    EXPECT_EQ(sheethost::ToHost(sheet::Value::ofText("é")), Value::Text(u"é"));
    EXPECT_EQ(sheethost::ToHost(
                  sheet::Value::array(1, 2, {sheet::Value::nil(), sheet::Value::ofBool(true)})),
              Value::Array(1, 2, {Value::Nil(), Value::Truth(true)}));

    EXPECT_EQ(sheethost::FromHost(Value::Integer(3)).number, 3);
    EXPECT_EQ(sheethost::FromHost(std::nullopt).error, ErrorCode::Num);
    EXPECT_EQ(sheethost::FromHost(Value::Error(999)).error, ErrorCode::Value);
    EXPECT_EQ(sheethost::FromHost(Value::Error(1000)).error, ErrorCode::Spill);
    EXPECT_EQ(sheethost::FromHost(Value::Area(0, 1, 0, 0)).error, ErrorCode::Value);
    const sheet::Value nested = sheethost::FromHost(
        Value::Array(1, 2, {Value::Number(1), Value::Array(1, 1, {Value::Number(2)})}));
    EXPECT_EQ(nested.cells[1].error, ErrorCode::Value);
}
