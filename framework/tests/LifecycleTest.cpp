// A small add-in made of the framework alone (three functions and the framework's entry
// points), loaded, used and unloaded through the stand-in host.
#include "HostFixture.h"
#include "xlf/Call.h"
#include "xlf/Exports.h"
#include "xlf/Frame.h"
#include "xlf/Registration.h"
#include "xlf/Win32StreamBuf.h"
#include "xlf/XlOpenClose.h"
#include "xlf/XlfServices.h"

#include <iostream>

using namespace xlf;
using standin::DiagnosticCapture;
using standin::Value;

namespace {

constexpr XlfArgTriple SQUARE_ARGS[] = {{"x", " a number ", "B"}};
constexpr XlfArgTriple NEGATE_ARGS[] = {{"flag", " a truth value ", "XLF_OPER"}};
constexpr catalogue::FunctionEntry NEGATE{"Negate", " not ", NEGATE_ARGS};

bool Negate(bool flag) {
    return !flag;
}
// A table of one row, declared as an add-in declares its rows.
constexpr std::tuple ROWS{catalogue::Row{&Negate, &NEGATE}};

} // namespace

XLF_EXPORT LPXLOPER12 xlSquare(double x) {
    return Frame([&] { return x * x; });
}
const FunctionRegistration registerSquare({.exportName = "xlSquare",
                                           .worksheetName = "Square",
                                           .helpText = " x times x ",
                                           .category = "Tests",
                                           .arguments = SQUARE_ARGS});

XLF_EXPORT LPXLOPER12 xlNegate(LPXLOPER12 flag) {
    return CallRow<ROWS, 0>(flag);
}
static_assert(ExportsFitRows(std::tuple{Export{"xlNegate", &xlNegate}}, ROWS));
const RowRegistrations registerRows(catalogue::entriesOf(ROWS), {.category = "Tests"});

XLF_EXPORT LPXLOPER12 xlAnswer() {
    return Frame([] { return 42.0; });
}
const FunctionRegistration registerAnswer(
    {.exportName = "xlAnswer", .worksheetName = "answer", .helpText = " 42 ", .category = "Tests"});

namespace {

class LifecycleTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        SetRemoved(false);
        MacroCache<Open>::Instance().Clear();
        MacroCache<Close>::Instance().Clear();
        MacroCache<Remove>::Instance().Clear();
    }
    void TearDown() override {
        MacroCache<Open>::Instance().Clear();
        MacroCache<Close>::Instance().Clear();
        MacroCache<Remove>::Instance().Clear();
        HostTest::TearDown();
    }
    static std::vector<std::string> RegisteredNames() {
        std::vector<std::string> names;
        for (const auto& r : host().Registrations()) {
            names.push_back(r.arguments.at(3).Utf8());
        }
        return names;
    }
    static bool Called(int function) {
        for (int f : host().CallLog()) {
            if ((f & ~xlIntl) == function) {
                return true;
            }
        }
        return false;
    }
};

} // namespace

TEST_F(LifecycleTest, OpenRegistersEveryFunctionInNameOrderUnderTheStatusBar) {
    std::vector<std::string> order;
    MacroCache<Open>::Instance().Add([&] { order.push_back("first"); });
    MacroCache<Open>::Instance().Add(
        [&] { order.push_back("second, after " + std::to_string(host().Registrations().size())); });
    ASSERT_EQ(xlAutoOpen(), 1);
    EXPECT_EQ(RegisteredNames(), (std::vector<std::string>{"Negate", "Square", "answer"}));
    EXPECT_EQ(order, (std::vector<std::string>{"first", "second, after 3"}));
    const auto history = host().StatusBarHistory();
    ASSERT_GE(history.size(), 2u);
    EXPECT_EQ(history[history.size() - 2],
              std::optional<std::u16string>(u"Registering library..."));
    EXPECT_EQ(history.back(), std::nullopt);

    // The registered functions work.
    XLOPER12* square = xlSquare(3);
    EXPECT_EQ(square->val.num, 9);
    XLOPER12 empty{};
    empty.xltype = xltypeMissing;
    XLOPER12* negated = xlNegate(&empty);
    ASSERT_EQ(negated->xltype, xltypeStr);
    EXPECT_EQ(TextOf(*negated), u"parameter is missing, flag Conversion to Bool");
    EXPECT_EQ(xlAnswer()->val.num, 42);
    EXPECT_EQ(xlAutoClose(), 1);
}

TEST_F(LifecycleTest, CloseWithoutRemoveLeavesTheFunctionsRegistered) {
    DiagnosticCapture capture;
    ASSERT_EQ(xlAutoOpen(), 1);
    EXPECT_EQ(xlAutoClose(), 1);
    EXPECT_FALSE(Called(xlfUnregister));
    EXPECT_FALSE(XlfExcel::HasInstance());
    EXPECT_TRUE(TempMemory::Inspect().blockSizes.empty());
    EXPECT_EQ(capture.Count("Releasing resources"), 1u);
}

TEST_F(LifecycleTest, RemoveThenCloseUnregistersEverythingRegistered) {
    DiagnosticCapture capture;
    std::vector<std::string> order;
    MacroCache<Remove>::Instance().Add([&] { order.push_back(IsRemoved() ? "late" : "remove"); });
    MacroCache<Close>::Instance().Add(
        [&] { order.push_back("close, " + std::to_string(host().Unregistered().size())); });
    ASSERT_EQ(xlAutoOpen(), 1);
    EXPECT_EQ(xlAutoRemove(), 1);
    EXPECT_EQ(capture.Count("Addin being unloaded"), 1u);
    EXPECT_FALSE(Called(xlfUnregister));
    EXPECT_EQ(xlAutoClose(), 1);
    EXPECT_EQ(order, (std::vector<std::string>{"remove", "close, 0"}));
    std::vector<double> ids;
    for (const auto& r : host().Registrations()) {
        ids.push_back(r.id);
        EXPECT_FALSE(r.active);
    }
    EXPECT_EQ(host().Unregistered(), ids);
    EXPECT_EQ(host().NamesSet(), (std::vector<std::u16string>{u"Negate", u"Square", u"answer"}));

    // Loaded again in the same process, it registers again.
    ASSERT_EQ(xlAutoOpen(), 1);
    EXPECT_EQ(host().Registrations().size(), 6u);
    EXPECT_EQ(xlAutoClose(), 1);
    EXPECT_EQ(host().Unregistered().size(), 6u);
}

TEST_F(LifecycleTest, TheAddinsFolderIsAppendedToThePathOncePerProcess) {
    const std::string before = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    const std::optional<std::string> self =
        platform::ModulePathOf(reinterpret_cast<const void*>(&xlAutoOpen));
    ASSERT_TRUE(self.has_value());
    const std::string folder = self->substr(0, self->find_last_of('/'));
    ASSERT_EQ(xlAutoOpen(), 1);
    const std::string after = std::getenv("PATH");
    // Appended now, or by an earlier open of this process.
    EXPECT_TRUE(after == before + ":" + folder ||
                (after == before && after.ends_with(":" + folder)))
        << after;
    if (after != before) {
        EXPECT_EQ(host().StatusBarHistory().front(),
                  std::optional<std::u16string>(standin::Utf16(*self)));
    }
    ASSERT_EQ(xlAutoClose(), 1);
    ASSERT_EQ(xlAutoOpen(), 1);
    EXPECT_EQ(std::string(std::getenv("PATH")), after);
    EXPECT_EQ(host().StatusBarHistory().size(), (after != before ? 3u : 2u) + 2u);
    EXPECT_EQ(xlAutoClose(), 1);
}

TEST_F(LifecycleTest, ARefusedStatusBarEndsOpenBeforeAnyRegistration) {
    DiagnosticCapture capture;
    host().FailWith(xlcMessage, xlretFailed);
    EXPECT_EQ(xlAutoOpen(), 0);
    EXPECT_TRUE(host().Registrations().empty());
    EXPECT_EQ(capture.Count(" failed with result code 32"), 1u);
    EXPECT_EQ(xlAutoClose(), 1);
}

TEST_F(LifecycleTest, OpenFailsWithoutTheHostLibraryOrTheAddinsPath) {
    DiagnosticCapture capture;
    host().SetCallLibraryPresent(false);
    EXPECT_EQ(xlAutoOpen(), 0);
    EXPECT_TRUE(host().Registrations().empty());
    EXPECT_EQ(capture.Count("Could not load library XLCALL32.DLL"), 1u);

    host().SetCallLibraryPresent(true);
    host().SetAddinPath("");
    EXPECT_EQ(xlAutoOpen(), 0);
    EXPECT_TRUE(host().Registrations().empty());
    EXPECT_EQ(capture.Count("Could not get library name"), 1u);
    EXPECT_EQ(xlAutoClose(), 1);
}

TEST_F(LifecycleTest, AThrowingCloseCallbackEndsCloseEarly) {
    DiagnosticCapture capture;
    ASSERT_EQ(xlAutoOpen(), 1);
    SetRemoved(true);
    MacroCache<Close>::Instance().Add([] { throw std::runtime_error("callback"); });
    EXPECT_EQ(xlAutoClose(), 1);
    EXPECT_EQ(capture.Count("Something bad happened in xlAutoClose"), 1u);
    EXPECT_TRUE(XlfExcel::HasInstance());
    EXPECT_FALSE(Called(xlfUnregister));

    MacroCache<Remove>::Instance().Add([] { throw 1; });
    SetRemoved(false);
    EXPECT_EQ(xlAutoRemove(), 1);
    EXPECT_EQ(capture.Count("Something bad happened in xlAutoRemove"), 1u);
    EXPECT_FALSE(IsRemoved());
}

TEST_F(LifecycleTest, GenDocDoesNothingAtAnyTime) {
    xlwGenDoc();
    EXPECT_FALSE(XlfExcel::HasInstance());
    ASSERT_EQ(xlAutoOpen(), 1);
    const std::size_t calls = host().CallLog().size();
    xlwGenDoc();
    xlwGenDoc();
    EXPECT_EQ(host().CallLog().size(), calls);
    EXPECT_EQ(xlAutoClose(), 1);
    xlwGenDoc();
    EXPECT_FALSE(XlfExcel::HasInstance());
}

TEST_F(LifecycleTest, AHostBelowTheAddinsVersionIsDeclined) {
    DiagnosticCapture capture;
    const AddinOptions plain = GetAddinOptions();
    AddinOptions corvane;
    corvane.minimumHostVersion = 12;
    corvane.genDocAtOpen = true;
    corvane.internationalCalls = true;
    AddinOptionsSetting on(corvane);
    host().SetVersionText(u"11.0");
    EXPECT_EQ(xlAutoOpen(), 0);
    EXPECT_TRUE(host().Registrations().empty());
    EXPECT_EQ(capture.Count("Host version 11 is below 12: the add-in is not loaded"), 1u);
    for (int function : host().CallLog()) {
        EXPECT_NE(function & xlIntl, 0) << function;
    }
    XlfExcel::DeleteInstance();
    host().SetVersionText(u"16.0");
    EXPECT_EQ(xlAutoOpen(), 1);
    EXPECT_EQ(host().Registrations().size(), 3u);
    EXPECT_EQ(xlAutoClose(), 1);
    AddinOptionsSetting off(plain);
}

TEST_F(LifecycleTest, StatusBarServicesRaiseWhenTheHostRefuses) {
    SetStatusBar("working");
    EXPECT_EQ(host().StatusBar(), std::optional<std::u16string>(u"working"));
    ClearStatusBar();
    EXPECT_EQ(host().StatusBar(), std::nullopt);
    DiagnosticCapture capture;
    host().SetCallbackPresent(false);
    XlfExcel::DeleteInstance();
    EXPECT_EQ(MessageOf([] { SetStatusBar("x"); }), "Set Status Bar failed with result code 32");
    EXPECT_EQ(MessageOf([] { ClearStatusBar(); }), "Clear Status Bar failed with result code 32");
    EXPECT_EQ(capture.Count(": Set Status Bar failed with result code 32"), 1u);
}

TEST(DiagnosticStream, GoesToTheDebuggerOnlyWhileOneIsAttached) {
    standin::Host& host = standin::Host::Instance();
    host.Reset();
    // Installed on the standard error stream while the add-in is loaded.
    EXPECT_NE(dynamic_cast<Win32StreamBuf*>(std::cerr.rdbuf()), nullptr);

    Win32StreamBuf buffer;
    std::ostream stream(&buffer);
    stream << "dropped" << std::endl;
    EXPECT_EQ(buffer.Pending(), "");
    host.SetDebuggerAttached(true);
    stream << "Releasing "
           << "resources";
    EXPECT_EQ(host.DebuggerOutput(), "");
    stream << std::endl;
    EXPECT_EQ(host.DebuggerOutput(), "Releasing resources\n");
    host.Reset();
}
