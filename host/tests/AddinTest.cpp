#include "standin/Addin.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace xlf;
using standin::Host;
using standin::Session;
using standin::Signature;
using standin::SignatureError;
using standin::Value;
using ::testing::HasSubstr;

namespace {

const std::string kAddin = STANDIN_TEST_ADDIN;

class Addins : public ::testing::Test {
protected:
    void SetUp() override {
        Host::Instance().Reset();
        session.Load(kAddin);
        ASSERT_TRUE(session.Open().empty());
    }

    std::optional<Value> Call(const char16_t* name, std::vector<Value> args) {
        const standin::Function* f = session.Find(name);
        EXPECT_NE(f, nullptr) << standin::Utf8(name);
        return f != nullptr ? f->Call(args) : std::nullopt;
    }
    Value Text(const char16_t* name, std::vector<Value> args) {
        return Call(name, std::move(args)).value_or(Value::Error(-1));
    }
    template <class T> T Read(const char* entry) {
        return reinterpret_cast<T (*)()>(session.Addins().front()->Entry(entry))();
    }

    Session session;
};

Value Str(const char16_t* s) {
    return Value::Text(s);
}
Value Num(double x) {
    return Value::Number(x);
}

} // namespace

TEST_F(Addins, RecordEveryTextOfEveryRegistrationInOrder) {
    const std::string path = std::filesystem::absolute(kAddin).lexically_normal().string();
    const auto all = session.Registrations();
    ASSERT_EQ(all.size(), 12u);
    const standin::RegistrationTexts& add = all[0];
    EXPECT_EQ(add.addin, path);
    EXPECT_EQ(add.path, standin::Utf16(path));
    EXPECT_EQ(add.procedure, u"xlTestAdd");
    EXPECT_EQ(add.typeText, u"BBB");
    EXPECT_EQ(add.worksheetName, u"TestAdd");
    EXPECT_EQ(add.argumentNames, u"x, y");
    EXPECT_EQ(add.macroType, Num(1));
    EXPECT_EQ(add.category, u"Stand-in tests");
    EXPECT_EQ(add.shortcut, u"");
    EXPECT_THAT(standin::Utf8(add.helpTopic), ::testing::EndsWith("/TestAddin.chm!0"));
    EXPECT_EQ(add.functionHelp, u" TestAdd for the tests ");
    EXPECT_EQ(add.argumentHelps,
              (std::vector<std::u16string>{u" a number ", u" another number . "}));
    EXPECT_EQ(all[3].argumentHelps.size(), 0u);
    EXPECT_EQ(all[10].worksheetName, u"CommandOnly");

    // The command is no worksheet function; the rest are, and xlGetName answered the
    // add-in's own path while it registered.
    EXPECT_EQ(session.Functions().size(), 11u);
    EXPECT_EQ(session.Find(u"CommandOnly"), nullptr);
    EXPECT_EQ(Text(u"AddinPath", {}), Value::Text(standin::Utf16(path)));
}

TEST_F(Addins, DriveTheLifecycleEntriesAndUnregisterAtRemoval) {
    EXPECT_TRUE(session.Addins().front()->GenDoc());
    session.Shutdown();
    // (The library may stay loaded between tests: its log goes on.)
    EXPECT_THAT(Read<const char*>("TestAddinEntries"),
                ::testing::EndsWith("open,gendoc,remove,close,"));
    EXPECT_TRUE(session.Functions().empty());
    for (const auto& r : session.Registrations()) {
        EXPECT_FALSE(r.active) << standin::Utf8(r.worksheetName);
    }
    EXPECT_EQ(Host::Instance().Unregistered().size(), 12u);
    session.Shutdown(); // closed already: nothing more
    EXPECT_THAT(Read<const char*>("TestAddinEntries"), ::testing::EndsWith("gendoc,remove,close,"));
}

TEST_F(Addins, FindNamesWithoutRegardToCase) {
    EXPECT_NE(session.Find(u"testadd"), nullptr);
    EXPECT_EQ(session.Find(u"TESTADD"), session.Find(u"TestAdd"));
    EXPECT_EQ(session.Find(u"DescribeAgain")->Texts().worksheetName, u"describeagain");
    EXPECT_EQ(session.Find(u"Nothing"), nullptr);
}

TEST_F(Addins, PassNumbersAsTheSpreadsheetDoes) {
    EXPECT_EQ(Call(u"TestAdd", {Num(2), Num(3.5)}), Num(5.5));
    EXPECT_EQ(Call(u"TestAdd", {Num(2)}), Num(2));                         // omitted: 0
    EXPECT_EQ(Call(u"TestAdd", {Value::Missing(), Value::Nil()}), Num(0)); // missing, empty
    EXPECT_EQ(Call(u"TestAdd", {Value::Truth(true), Value::Truth(false)}), Num(1));
    EXPECT_EQ(Call(u"TestAdd", {Str(u" 4 "), Str(u"1e1")}), Num(14));
    EXPECT_EQ(Call(u"TestAdd", {Value::Array(1, 1, {Num(7)}), Num(1)}), Num(8));
    const int calls = Read<int>("TestAddinAddCalls");

    // Values that cannot become numbers never reach the function.
    EXPECT_EQ(Call(u"TestAdd", {Str(u"abc"), Num(1)}), Value::Error(xlerrValue));
    EXPECT_EQ(Call(u"TestAdd", {Str(u"TRUE"), Num(1)}), Value::Error(xlerrValue));
    EXPECT_EQ(Call(u"TestAdd", {Num(1), Value::Error(xlerrNA)}), Value::Error(xlerrNA));
    EXPECT_EQ(Call(u"TestAdd", {Value::Error(xlerrDiv0), Str(u"x")}), Value::Error(xlerrDiv0));
    EXPECT_EQ(Call(u"TestAdd", {Value::Array(2, 1, {Num(1), Num(2)}), Num(1)}),
              Value::Error(xlerrValue));
    EXPECT_EQ(Call(u"TestAdd", {Num(1), Num(2), Num(3)}), Value::Error(xlerrValue));
    EXPECT_EQ(Read<int>("TestAddinAddCalls"), calls);
}

TEST_F(Addins, PassValueRecordsAsTheyAre) {
    EXPECT_EQ(Text(u"Describe", {Num(2.5)}), Str(u"Num 2.5"));
    EXPECT_EQ(Text(u"Describe", {Str(u"a,b")}), Str(u"Str a,b"));
    EXPECT_EQ(Text(u"Describe", {Value::Truth(true)}), Str(u"Bool 1"));
    EXPECT_EQ(Text(u"Describe", {Value::Error(xlerrNum)}), Str(u"Err 36"));
    EXPECT_EQ(Text(u"Describe", {}), Str(u"Missing"));
    EXPECT_EQ(Text(u"Describe", {Value::Nil()}), Str(u"Nil"));
    EXPECT_EQ(Text(u"Describe", {Value::Array(2, 3,
                                              {Num(1), Num(2), Num(3), Str(u"x"), Value::Nil(),
                                               Value::Truth(false)})}),
              Str(u"Multi 2x3[Num 1,Num 2,Num 3,Str x,Nil,Bool 0]"));
}

TEST_F(Addins, MixTwelveArgumentsOfBothKindsInOrder) {
    // More doubles than the registers that carry them: the rest go on the stack.
    std::vector<Value> args{Num(1), Str(u"b")};
    for (int k = 3; k <= 11; ++k) {
        args.push_back(Num(k));
    }
    args.push_back(Value::Array(1, 2, {Num(12), Num(13)}));
    EXPECT_EQ(Text(u"Spread", args), Str(u"1|Str b|3|4|5|6|7|8|9|10|11|Multi 1x2[Num 12,Num 13]"));
}

TEST_F(Addins, ReadResultsAndReleaseThemAsTheirFlagsSay) {
    EXPECT_EQ(Call(u"Column", {Num(3)}), Value::Array(3, 1, {Num(1), Num(2), Num(3)}));
    EXPECT_EQ(Call(u"Column", {Num(0)}), Value::Missing());
    EXPECT_EQ(Call(u"Column", {Num(-1)}), std::nullopt); // a null result

    EXPECT_EQ(Call(u"FreeMe", {Num(2)}), Value::Array(2, 1, {Num(2), Num(4)}));
    EXPECT_EQ(Read<int>("TestAddinFreed"), 1);

    EXPECT_EQ(Call(u"Flagged", {Num(2)}), Num(6)); // "QB!$"
}

TEST_F(Addins, RefuseRegistrationsTheyCannotServeWithoutCalling) {
    const standin::Function* bad = session.Find(u"BadLetter");
    ASSERT_NE(bad, nullptr);
    EXPECT_THAT(bad->Problem(), HasSubstr("\"Z\" (argument 1)"));
    EXPECT_EQ(bad->Call({Num(1)}), Value::Error(xlerrValue));

    const standin::Function* gone = session.Find(u"NotThere");
    ASSERT_NE(gone, nullptr);
    EXPECT_THAT(gone->Problem(), HasSubstr("no procedure \"xlNotThere\""));
    EXPECT_EQ(gone->Call({Num(1)}), Value::Error(xlerrValue));
}

TEST(TwoAddins, EachIsServedUnderItsOwnPath) {
    Host::Instance().Reset();
    const auto folder =
        std::filesystem::temp_directory_path() / ("standin-two-addins-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const auto copy = folder / "SecondAddin.so";
    std::filesystem::copy_file(kAddin, copy, std::filesystem::copy_options::overwrite_existing);
    {
        Session session;
        session.Load(kAddin);
        session.Load(copy.string());
        ASSERT_TRUE(session.Open().empty());
        const auto all = session.Registrations();
        ASSERT_EQ(all.size(), 24u);
        EXPECT_EQ(all[0].path, standin::Utf16(session.Addins()[0]->Path()));
        EXPECT_EQ(all[12].path, standin::Utf16(copy.string()));
        // The later registration of a name wins; each copy keeps its own state.
        EXPECT_EQ(session.Find(u"AddinPath")->Call({}), Value::Text(standin::Utf16(copy.string())));
        session.Shutdown();
        EXPECT_EQ(Host::Instance().Unregistered().size(), 24u);
    }
    std::filesystem::remove_all(folder);
}

TEST(LoadingAnAddin, ReportsWhatTheLoaderSays) {
    try {
        standin::Addin addin("/nonexistent/None.so");
        FAIL();
    } catch (const standin::AddinError& e) {
        EXPECT_THAT(e.what(), HasSubstr("cannot load add-in /nonexistent/None.so"));
    }
}

TEST(TypeTexts, ReadLettersAndSuffixes) {
    const Signature s = Signature::Parse(u"QBQ");
    EXPECT_EQ(s.result, Signature::Type::Record);
    EXPECT_EQ(s.arguments, (std::vector{Signature::Type::Number, Signature::Type::Record}));
    EXPECT_FALSE(s.isVolatile || s.threadSafe || s.clusterSafe || s.macroEquivalent);

    const Signature flags = Signature::Parse(u"BU!$&#");
    EXPECT_EQ(flags.result, Signature::Type::Number);
    EXPECT_TRUE(flags.isVolatile && flags.threadSafe && flags.clusterSafe && flags.macroEquivalent);
    EXPECT_EQ(Signature::Parse(u"Q").arguments.size(), 0u);
}

TEST(TypeTexts, RefuseWhatTheHostCannotServe) {
    auto problem = [](std::u16string text) -> std::string {
        try {
            Signature::Parse(text);
        } catch (const SignatureError& e) {
            return e.what();
        }
        return "";
    };
    EXPECT_THAT(problem(u""), HasSubstr("empty"));
    EXPECT_THAT(problem(u"QC%"), HasSubstr("\"C\" (argument 1)"));
    EXPECT_THAT(problem(u"ZB"), HasSubstr("(the result)"));
    EXPECT_THAT(problem(std::u16string(u"QB\0", 3)),
                HasSubstr("\"QB\\0\": a NUL character (argument 2)"));
    EXPECT_THAT(problem(u"Q!B"), HasSubstr("follows a suffix"));
    EXPECT_THAT(problem(u"Q!!"), HasSubstr("appears twice"));
    EXPECT_THAT(problem(u">QX"), HasSubstr("asynchronous"));
    EXPECT_THAT(problem(u"!Q"), HasSubstr("no result letter"));
    EXPECT_THAT(problem(u"Q" + std::u16string(256, u'B')), HasSubstr("more than 255"));
    EXPECT_EQ(problem(u"Q" + std::u16string(255, u'B')), "");
}

TEST(Results, MalformedRecordsReadAsValueErrors) {
    XLOPER12 r{};
    r.xltype = xltypeMulti;
    r.val.array.rows = 2;
    r.val.array.columns = 1;
    EXPECT_EQ(standin::ReadResult(r), Value::Error(xlerrValue)); // no cells
    r.val.array.rows = -1;
    EXPECT_EQ(standin::ReadResult(r), Value::Error(xlerrValue));

    XLOPER12 cells[2]{};
    cells[0].xltype = xltypeNum;
    cells[0].val.num = 1;
    cells[1] = r; // an array inside an array
    r.val.array.rows = 2;
    r.val.array.lparray = cells;
    EXPECT_EQ(standin::ReadResult(r), Value::Array(2, 1, {Num(1), Value::Error(xlerrValue)}));

    XLOPER12 text{};
    text.xltype = xltypeStr | xlbitDLLFree;
    EXPECT_EQ(standin::ReadResult(text), Value::Error(xlerrValue));
    XLOPER12 integer{};
    integer.xltype = xltypeInt;
    integer.val.w = 5;
    EXPECT_EQ(standin::ReadResult(integer), Value::Integer(5));
}
