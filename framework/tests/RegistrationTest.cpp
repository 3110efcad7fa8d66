#include "xlf/Registration.h"
#include "HostFixture.h"
#include "xlf/XlOpenClose.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace xlf;
using standin::DiagnosticCapture;
using standin::Registration;
using standin::Value;
using XLRegistration::ExcelFunctionRegistrationRegistry;

namespace {

// The positions of xlfRegister's arguments.
enum : std::size_t {
    kPath,
    kProcedure,
    kTypeText,
    kName,
    kArgNames,
    kMacroType,
    kCategory,
    kShortcut,
    kHelpTopic,
    kHelp,
    kFirstDescription
};

std::string Text(const Registration& r, std::size_t k) {
    EXPECT_LT(k, r.arguments.size());
    return k < r.arguments.size() ? r.arguments[k].Utf8() : std::string();
}

constexpr XlfArgTriple SCHNIDER_ARGS[] = {
    {"Age", "The patients age ", "B"},
    {"Weight", "The patients weight ", "B"},
    {"Height", "The patients height (in cm) ", "B"},
    {"LBM", "Lean body mass ", "B"},
};
constexpr XlfArgTriple ONE_NUMBER[] = {{"x", " a number ", "B"}};

class RegistrationTest : public HostTest {
protected:
    ExcelFunctionRegistrationRegistry registry;

    Registration Only() {
        const auto all = host().Registrations();
        EXPECT_EQ(all.size(), 1u);
        return all.empty() ? Registration{} : all.front();
    }
};

} // namespace

TEST_F(RegistrationTest, ANumberFunctionRegistersItsTextsAndUnregistersByItsIdentifier) {
    FunctionRegistration record(registry, {.exportName = "xlPropSchnider",
                                           .worksheetName = "PropSchnider",
                                           .helpText = " Schnider propofol ",
                                           .category = "Velmora; 2017/07/31",
                                           .arguments = SCHNIDER_ARGS});
    registry.DoTheRegistrations();
    const Registration r = Only();
    ASSERT_EQ(r.arguments.size(), 14u);
    EXPECT_EQ(Text(r, kPath), "/opt/standin/addins/Addin.xll");
    EXPECT_EQ(Text(r, kProcedure), "xlPropSchnider");
    EXPECT_EQ(Text(r, kTypeText), "QBBBB");
    EXPECT_EQ(Text(r, kName), "PropSchnider");
    EXPECT_EQ(Text(r, kArgNames), "Age, Weight, Height, LBM");
    EXPECT_EQ(r.arguments[kMacroType], Value::Number(1));
    EXPECT_EQ(Text(r, kCategory), "Velmora; 2017/07/31");
    EXPECT_EQ(r.arguments[kShortcut], Value::Text(u""));
    EXPECT_EQ(Text(r, kHelpTopic), ""); // no help file beside the add-in
    EXPECT_EQ(Text(r, kHelp), " Schnider propofol ");
    EXPECT_EQ(Text(r, kFirstDescription), "The patients age ");
    EXPECT_EQ(Text(r, 13), "Lean body mass . ");
    EXPECT_EQ(record.Descriptor()->GetRegisteredId(), r.id);

    registry.DoTheDeregistrations();
    EXPECT_EQ(host().NamesSet(), std::vector<std::u16string>{u"PropSchnider"});
    EXPECT_EQ(host().Unregistered(), std::vector<double>{r.id});
    EXPECT_EQ(record.Descriptor()->GetRegisteredId(), XlfFuncDesc::kNotRegistered);
    // Nothing left to unregister a second time.
    registry.DoTheDeregistrations();
    EXPECT_EQ(host().Unregistered().size(), 1u);
}

TEST_F(RegistrationTest, EachCatalogueEntryRegistersWithTheSharedSettings) {
    static constexpr catalogue::FunctionEntry SCHNIDER{"PropSchnider", " Schnider propofol ",
                                                       SCHNIDER_ARGS};
    static constexpr catalogue::FunctionEntry SQUARE{"Square", " x times x ", ONE_NUMBER};
    static constexpr const catalogue::FunctionEntry* ENTRIES[] = {&SQUARE, &SCHNIDER};
    RowRegistrations rows(registry, ENTRIES,
                          {.exportName = "ignored",
                           .worksheetName = "ignored",
                           .helpText = "ignored",
                           .category = "Tests",
                           .isVolatile = true});
    ASSERT_EQ(rows.Functions().size(), 2u);
    registry.DoTheRegistrations();
    const auto all = host().Registrations(); // in worksheet-name order
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(Text(all[0], kProcedure), "xlPropSchnider");
    EXPECT_EQ(Text(all[0], kTypeText), "QBBBB!");
    EXPECT_EQ(Text(all[0], kArgNames), "Age, Weight, Height, LBM");
    EXPECT_EQ(Text(all[0], kHelp), " Schnider propofol ");
    EXPECT_EQ(Text(all[0], 13), "Lean body mass . ");
    EXPECT_EQ(Text(all[1], kProcedure), "xlSquare");
    EXPECT_EQ(Text(all[1], kName), "Square");
    EXPECT_EQ(Text(all[1], kHelp), " x times x ");
    for (const Registration& r : all)
        EXPECT_EQ(Text(r, kCategory), "Tests");
    EXPECT_EQ(rows.Functions()[1].Descriptor()->GetRegisteredId(), all[0].id);
}

TEST_F(RegistrationTest, SymbolicTypeCodesBecomeTheHostsLetters) {
    constexpr XlfArgTriple args[] = {{"a", "", "XLF_OPER"},
                                     {"b", "", "XLF_XLOPER"},
                                     {"c", "", "XLW_WSTR"},
                                     {"d", "", "XLW_FP"},
                                     {"e", "", "J"}};
    FunctionRegistration record(
        registry,
        {.exportName = "xlF", .worksheetName = "F", .arguments = args, .returnTypeCode = "XLW_FP"});
    registry.DoTheRegistrations();
    EXPECT_EQ(Text(Only(), kTypeText), "K%QUC%K%J");
}

TEST_F(RegistrationTest, SuffixesFollowTheFlagsAndTheHostVersion) {
    auto typeTextOf = [&](bool isVolatile, bool threadSafe, bool asynchronous, bool macroEquivalent,
                          bool clusterSafe) {
        host().Reset();
        XlfExcel::DeleteInstance();
        ExcelFunctionRegistrationRegistry one;
        FunctionRegistration record(one, {.exportName = "xlF",
                                          .worksheetName = "F",
                                          .arguments = ONE_NUMBER,
                                          .isVolatile = isVolatile,
                                          .threadSafe = threadSafe,
                                          .asynchronous = asynchronous,
                                          .macroSheetEquivalent = macroEquivalent,
                                          .clusterSafe = clusterSafe});
        one.DoTheRegistrations();
        return Text(Only(), kProcedure) + " " + Text(Only(), kTypeText);
    };
    EXPECT_EQ(typeTextOf(true, true, false, false, false), "xlF QB!$");
    EXPECT_EQ(typeTextOf(false, false, true, false, false), "xlFSync >BX");
    EXPECT_EQ(typeTextOf(false, false, false, true, true), "xlF QB&#");
    EXPECT_EQ(typeTextOf(true, true, true, true, true), "xlFSync >BX!$&#");
    EXPECT_EQ(typeTextOf(false, false, false, false, false), "xlF QB");
    // A version-13 host knows thread safety but neither asynchronous nor cluster-safe
    // functions.
    host().Reset();
    host().SetVersionText(u"13.0");
    XlfExcel::DeleteInstance();
    ExcelFunctionRegistrationRegistry older;
    FunctionRegistration record(older, {.exportName = "xlF",
                                        .worksheetName = "F",
                                        .arguments = ONE_NUMBER,
                                        .isVolatile = true,
                                        .threadSafe = true,
                                        .asynchronous = true,
                                        .macroSheetEquivalent = true,
                                        .clusterSafe = true});
    older.DoTheRegistrations();
    EXPECT_EQ(Text(Only(), kProcedure) + " " + Text(Only(), kTypeText), "xlF QB!$#");
}

TEST_F(RegistrationTest, LongArgumentNamesWarnAndTooManyReplaceTheNameText) {
    DiagnosticCapture capture;
    std::vector<std::string> names;
    std::vector<XlfArgTriple> args;
    for (int i = 0; i < 20; ++i) {
        names.push_back(std::string(14, static_cast<char>('a' + i))); // 20 x 14 + 19 x 2 > 255
    }
    names[3] = std::string(19, 'n');
    for (const std::string& name : names) {
        args.push_back({name.c_str(), "d", "B"});
    }
    FunctionRegistration record(registry,
                                {.exportName = "xlF", .worksheetName = "F", .arguments = args});
    EXPECT_EQ(capture.Count("Argument name \"nnnnnnnnnnnnnnnnnnn\" may be too long to fit the in "
                            "the function wizard"),
              1u);
    EXPECT_EQ(capture.Count("Argument name"), 1u); // 14 characters do not warn
    XlfArgDesc renamed("short", "", "B");
    renamed.SetName("an_argument_name_19");
    EXPECT_EQ(capture.Count("Argument name \"an_argument_name_19\""), 1u);

    registry.DoTheRegistrations();
    EXPECT_EQ(Text(Only(), kArgNames), "Too many arguments for Function Wizard");
    EXPECT_EQ(Text(Only(), kTypeText), "Q" + std::string(20, 'B'));

    // 255 characters of names are kept; one more replaces them.
    for (const std::size_t length : {std::size_t{255}, std::size_t{256}}) {
        host().Reset();
        const std::string first(length - 3, 'a');
        const XlfArgTriple two[] = {{first.c_str(), "d", "B"}, {"b", "d", "B"}};
        ExcelFunctionRegistrationRegistry edge;
        FunctionRegistration names(edge,
                                   {.exportName = "xlG", .worksheetName = "G", .arguments = two});
        edge.DoTheRegistrations();
        EXPECT_EQ(Text(Only(), kArgNames),
                  length == 255 ? first + ", b" : "Too many arguments for Function Wizard");
    }
}

TEST_F(RegistrationTest, AtMost245ArgumentHelpTextsArePassed) {
    std::vector<XlfArgTriple> args(250, XlfArgTriple{"x", "d", "B"});
    FunctionRegistration record(registry,
                                {.exportName = "xlF", .worksheetName = "F", .arguments = args});
    registry.DoTheRegistrations();
    EXPECT_EQ(Only().arguments.size(), 255u);
    EXPECT_EQ(Text(Only(), kTypeText).size(), 251u);
    EXPECT_EQ(Text(Only(), 254), "d");

    // Hosts before version 12 take 20.
    host().Reset();
    host().SetVersionText(u"11.0");
    XlfExcel::DeleteInstance();
    registry.DoTheRegistrations();
    EXPECT_EQ(Only().arguments.size(), 30u);
}

TEST_F(RegistrationTest, ALaterRecordOfTheSameNameReplacesTheEarlier) {
    FunctionRegistration first(registry, {.exportName = "xlFirst", .worksheetName = "Same"});
    FunctionRegistration second(registry, {.exportName = "xlSecond", .worksheetName = "Same"});
    ASSERT_EQ(registry.Functions().size(), 1u);
    registry.DoTheRegistrations();
    EXPECT_EQ(Text(Only(), kProcedure), "xlSecond");
    EXPECT_EQ(Only().arguments.size(), 10u);
    EXPECT_EQ(Text(Only(), kArgNames), "");
}

TEST_F(RegistrationTest, HelpTopicsPointIntoTheHelpFileByRankInNameOrder) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("xlf-help-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::ofstream(folder / "Addin.chm") << "help";
    host().SetAddinPath((folder / "Addin.xll").string());

    FunctionRegistration b(registry, {.exportName = "xlb", .worksheetName = "b"});
    FunctionRegistration upper(registry, {.exportName = "xlZ", .worksheetName = "Z"});
    FunctionRegistration a(registry,
                           {.exportName = "xla", .worksheetName = "a", .helpTopic = "auto"});
    FunctionRegistration own(
        registry, {.exportName = "xlc", .worksheetName = "c", .helpTopic = "other.chm!7"});
    registry.DoTheRegistrations();
    const auto all = host().Registrations();
    ASSERT_EQ(all.size(), 4u);
    const std::string help = (folder / "Addin.chm").string();
    EXPECT_EQ(Text(all[0], kName) + " " + Text(all[0], kHelpTopic), "Z " + help + "!1");
    EXPECT_EQ(Text(all[1], kName) + " " + Text(all[1], kHelpTopic), "a " + help + "!2");
    EXPECT_EQ(Text(all[2], kName) + " " + Text(all[2], kHelpTopic), "b " + help + "!3");
    EXPECT_EQ(Text(all[3], kName) + " " + Text(all[3], kHelpTopic), "c other.chm!7");
    fs::remove_all(folder);
}

TEST_F(RegistrationTest, ARefusedRegistrationIsReportedAndTheOthersGoOn) {
    DiagnosticCapture capture;
    FunctionRegistration a(registry, {.exportName = "xlA", .worksheetName = "A"});
    FunctionRegistration b(registry, {.exportName = "xlB", .worksheetName = "B"});
    host().FailWith(xlfRegister, xlretInvXloper);
    registry.DoTheRegistrations();
    EXPECT_EQ(capture.Count("Error 8 while registering A"), 1u);
    EXPECT_EQ(capture.Count("Error 8 while registering B"), 1u);
    EXPECT_EQ(a.Descriptor()->GetRegisteredId(), XlfFuncDesc::kNotRegistered);
    registry.DoTheDeregistrations();
    for (int function : host().CallLog()) {
        EXPECT_NE(function, xlfUnregister);
        EXPECT_NE(function, xlfSetName);
    }
}

TEST_F(RegistrationTest, WithoutTheAddinsPathNothingIsRegistered) {
    host().SetAddinPath("");
    DiagnosticCapture capture;
    FunctionRegistration a(registry, {.exportName = "xlA", .worksheetName = "A"});
    EXPECT_EQ(MessageOf([&] { registry.DoTheRegistrations(); }), "Could not get library name");
    EXPECT_EQ(MessageOf([&] { registry.DoTheDeregistrations(); }), "Could not get library name");
    EXPECT_TRUE(host().Registrations().empty());
}

TEST_F(RegistrationTest, ACorvaneTypeTextEndsAtItsLastLetter) {
    const AddinOptions plain = GetAddinOptions();
    AddinOptions corvane = plain;
    corvane.nulTerminatedTypeText = true;
    AddinOptionsSetting on(corvane);
    FunctionRegistration record(registry, {.exportName = "xlPropSchnider",
                                           .worksheetName = "PropSchnider",
                                           .arguments = SCHNIDER_ARGS});
    registry.DoTheRegistrations();
    AddinOptionsSetting off(plain);
    const Value typeText = Only().arguments[kTypeText];
    EXPECT_EQ(typeText.str, u"QBBBB");
    EXPECT_EQ(typeText.str.size(), 5u);
}

TEST_F(RegistrationTest, CommandsNeedAMenuAndReportMenuFailuresOnly) {
    DiagnosticCapture capture;
    registry.AddCommand(
        std::make_shared<XlfCmdDesc>("xlNoMenu", "NoMenu", "", "", "No menu", false));
    registry.AddCommand(
        std::make_shared<XlfCmdDesc>("xlRefresh", "Refresh", "", "Tools", "Refresh all", false));
    FunctionRegistration f(registry, {.exportName = "xlF", .worksheetName = "F"});
    registry.DoTheRegistrations();
    EXPECT_EQ(capture.Count("No menu specified for the command \"xlNoMenu\""), 1u);
    EXPECT_EQ(capture.Count("Error 32 while registering NoMenu"), 1u);
    const auto all = host().Registrations();
    ASSERT_EQ(all.size(), 2u); // the function first, then the command with a menu
    EXPECT_EQ(Text(all[0], kName), "F");
    EXPECT_EQ(Text(all[1], kName), "Refresh");
    EXPECT_EQ(all[1].arguments[kMacroType], Value::Number(2));
    // The stand-in host has no menus: both menu operations are refused, and only reported.
    EXPECT_EQ(capture.Count("Add command Refresh all to Tools failed"), 1u);
    registry.DoTheDeregistrations();
    EXPECT_EQ(capture.Count("Delete Command Refresh all from Tools failed"), 1u);
    EXPECT_EQ(host().Unregistered(), (std::vector<double>{all[0].id, all[1].id}));
}
