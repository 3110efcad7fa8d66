#include "SheetHost.h"

#include "refdocs/pages.h"
#include "sheet/formula.h"
#include "sheet/sheet.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#if defined(_WIN32)
#include <windows.h>
#endif

namespace sheethost {

using standin::Utf16;
using standin::Utf8;

namespace {

constexpr const char* kUsage =
    "usage: sheethost [--addin PATH]... --eval 'FORMULA'\n"
    "       sheethost [--addin PATH]... [--format csv|table] SHEET.csv\n"
    "       sheethost [--addin PATH]... --list\n"
    "       sheethost [--addin PATH]... --registrations\n"
    "       sheethost [--addin PATH]... --help NAME\n"
    "\n"
    "Loads the add-ins (by default Velmora and Corvane beside the program), runs\n"
    "their xlAutoOpen, evaluates, then removes and closes them.\n"
    "\n"
    "  --eval FORMULA    evaluate one formula and print its result, one line per row\n"
    "  SHEET.csv         evaluate a CSV sheet (\"-\" reads standard input) and print it\n"
    "  --format FORMAT   how a sheet is printed: csv (the default) or table\n"
    "  --list            every registered function with its arguments and help texts\n"
    "  --registrations   every xlfRegister call, one JSON object per line\n"
    "  --help NAME       the reference of one function, with its example computed\n"
    "  --addin PATH      load this add-in instead of the default ones (repeatable)\n";

struct Options {
    enum class Action { None, Eval, Sheet, List, Registrations, Help, Reference };
    Action action = Action::None;
    std::vector<std::string> addins;
    std::string formula; // or the function name of --help NAME
    std::string sheetPath;
    bool table = false;
};

std::u16string Trimmed(std::u16string_view text) {
    const auto first = text.find_first_not_of(u" \t");
    if (first == std::u16string_view::npos) {
        return u"";
    }
    const auto last = text.find_last_not_of(u" \t");
    return std::u16string(text.substr(first, last - first + 1));
}

std::string Json(std::u16string_view text) {
    std::string out = "\"";
    for (char c : Utf8(text)) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

// The help file's path cut to its base name: "/opt/x/Velmora.chm!3" → "Velmora.chm!3".
std::u16string HelpTopicShown(std::u16string_view topic) {
    const auto bang = topic.rfind(u'!');
    const std::u16string_view file = topic.substr(0, bang);
    const auto slash = file.find_last_of(u"/\\");
    std::u16string shown(slash == std::u16string_view::npos ? file : file.substr(slash + 1));
    if (bang != std::u16string_view::npos) {
        shown += topic.substr(bang);
    }
    return shown;
}

// Reads the command line; a message on err and no value for a wrong one.
std::optional<Options> ReadOptions(const std::vector<std::string>& args, std::ostream& err) {
    Options o;
    auto act = [&](Options::Action a) {
        if (o.action != Options::Action::None) {
            err << "sheethost: give one of --eval, --list, --registrations or a sheet\n";
            return false;
        }
        o.action = a;
        return true;
    };
    for (std::size_t k = 0; k < args.size(); ++k) {
        std::string arg = args[k];
        std::optional<std::string> inlineValue;
        if (arg.rfind("--", 0) == 0 && arg.find('=') != std::string::npos) {
            inlineValue = arg.substr(arg.find('=') + 1);
            arg = arg.substr(0, arg.find('='));
        }
        auto value = [&]() -> std::optional<std::string> {
            if (inlineValue) {
                return inlineValue;
            }
            if (k + 1 >= args.size()) {
                err << "sheethost: " << arg << " needs a value\n";
                return std::nullopt;
            }
            return args[++k];
        };
        if (arg == "--addin") {
            auto v = value();
            if (!v) {
                return std::nullopt;
            }
            o.addins.push_back(*v);
        } else if (arg == "--eval") {
            auto v = value();
            if (!v || !act(Options::Action::Eval)) {
                return std::nullopt;
            }
            o.formula = *v;
        } else if (arg == "--format") {
            auto v = value();
            if (!v) {
                return std::nullopt;
            }
            if (*v != "csv" && *v != "table") {
                err << "sheethost: --format is csv or table, not \"" << *v << "\"\n";
                return std::nullopt;
            }
            o.table = *v == "table";
        } else if ((arg == "--help" || arg == "-h") &&
                   (inlineValue ||
                    (k + 1 < args.size() && !args[k + 1].empty() && args[k + 1][0] != '-'))) {
            const auto v = value();
            if (!v || !act(Options::Action::Reference)) {
                return std::nullopt;
            }
            o.formula = *v;
        } else if (arg == "--list" || arg == "--registrations" || arg == "--help" || arg == "-h") {
            if (inlineValue) {
                err << "sheethost: " << arg << " takes no value\n";
                return std::nullopt;
            }
            const auto a = arg == "--list"            ? Options::Action::List
                           : arg == "--registrations" ? Options::Action::Registrations
                                                      : Options::Action::Help;
            if (!act(a)) {
                return std::nullopt;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            err << "sheethost: unknown option " << args[k] << "\n";
            return std::nullopt;
        } else {
            if (!act(Options::Action::Sheet)) {
                return std::nullopt;
            }
            o.sheetPath = arg;
        }
    }
    if (o.action == Options::Action::None) {
        err << "sheethost: nothing to do\n" << kUsage;
        return std::nullopt;
    }
    return o;
}

// Where a syntax error is: the formula and a mark under the position.
void ShowPosition(const std::string& formula, std::size_t position, std::ostream& err) {
    err << "  " << formula << "\n  " << std::string(position > 0 ? position - 1 : 0, ' ') << "^\n";
}

} // namespace

std::optional<std::string> ReadFile(const std::string& path) {
    std::ostringstream text;
    if (path == "-") {
        text << std::cin.rdbuf();
        return text.str();
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    text << in.rdbuf();
    return text.str();
}

std::string ProgramFolder(const char* argv0) {
    std::error_code error;
    std::filesystem::path program;
#if defined(_WIN32)
    wchar_t buffer[32768];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
    if (n > 0 && n < std::size(buffer)) {
        program = std::filesystem::path(std::wstring(buffer, n));
    }
#else
    program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        program.clear();
    }
#endif
    if (program.empty()) {
        program = std::filesystem::absolute(argv0, error);
    }
    return program.parent_path().string();
}

sheet::FunctionCaller SessionCaller(standin::Session& session, std::ostream& err) {
    auto reported = std::make_shared<std::set<const standin::Function*>>();
    return [&session, &err,
            reported](const std::string& name,
                      const std::vector<sheet::Value>& args) -> std::optional<sheet::Value> {
        const standin::Function* f = session.Find(Utf16(name));
        if (f == nullptr) {
            return std::nullopt;
        }
        if (!f->Problem().empty() && reported->insert(f).second) {
            err << "sheethost: " << Utf8(f->Texts().worksheetName) << ": " << f->Problem() << "\n";
        }
        std::vector<standin::Value> hostArgs;
        hostArgs.reserve(args.size());
        for (const sheet::Value& a : args) {
            hostArgs.push_back(ToHost(a));
        }
        return FromHost(f->Call(hostArgs));
    };
}

std::vector<std::string> ShownCells(const sheet::Value& result) {
    if (!result.is(sheet::Value::Kind::Array)) {
        return {sheet::formatCellForReading(result)};
    }
    std::vector<std::string> cells;
    for (const sheet::Value& cell : result.cells) {
        cells.push_back(sheet::formatCellForReading(cell));
    }
    return cells;
}

std::string RegistrationJson(const standin::RegistrationTexts& t) {
    std::string macroType = "null";
    if (t.macroType.kind == standin::Value::Kind::Num) {
        macroType = sheet::formatCell(sheet::Value::of(t.macroType.num));
    }
    std::string out = "{\"procedure\":" + Json(t.procedure) + ",\"typeText\":" + Json(t.typeText) +
                      ",\"worksheetName\":" + Json(t.worksheetName) +
                      ",\"argumentNames\":" + Json(t.argumentNames) +
                      ",\"macroType\":" + macroType + ",\"category\":" + Json(t.category) +
                      ",\"shortcut\":" + Json(t.shortcut) +
                      ",\"helpTopic\":" + Json(HelpTopicShown(t.helpTopic)) +
                      ",\"functionHelp\":" + Json(t.functionHelp) + ",\"argumentHelps\":[";
    for (std::size_t k = 0; k < t.argumentHelps.size(); ++k) {
        if (k > 0) {
            out += ',';
        }
        out += Json(t.argumentHelps[k]);
    }
    return out + "]}";
}

std::string FunctionList(const std::vector<standin::Function>& functions) {
    // Categories in the order they first appear; the functions of each by name.
    std::vector<std::u16string> categories;
    std::map<std::u16string, std::vector<const standin::RegistrationTexts*>> byCategory;
    for (const standin::Function& f : functions) {
        const standin::RegistrationTexts& t = f.Texts();
        if (byCategory.find(t.category) == byCategory.end()) {
            categories.push_back(t.category);
        }
        byCategory[t.category].push_back(&t);
    }
    std::string out;
    for (const std::u16string& category : categories) {
        auto& list = byCategory[category];
        std::stable_sort(list.begin(), list.end(), [](const auto* a, const auto* b) {
            return standin::FoldedName(a->worksheetName) < standin::FoldedName(b->worksheetName);
        });
        out += Utf8(category) + "\n";
        for (const standin::RegistrationTexts* t : list) {
            std::vector<std::u16string> names;
            std::u16string_view rest = t->argumentNames;
            while (!Trimmed(rest).empty()) {
                const auto comma = rest.find(u',');
                names.push_back(Trimmed(rest.substr(0, comma)));
                rest = comma == std::u16string_view::npos ? u"" : rest.substr(comma + 1);
            }
            std::u16string signature = t->worksheetName + u"(";
            for (std::size_t k = 0; k < names.size(); ++k) {
                signature += (k > 0 ? u", " : u"") + names[k];
            }
            out += "  " + Utf8(signature) + ")\n";
            if (!Trimmed(t->functionHelp).empty()) {
                out += "      " + Utf8(Trimmed(t->functionHelp)) + "\n";
            }
            for (std::size_t k = 0; k < std::max(names.size(), t->argumentHelps.size()); ++k) {
                const std::u16string name =
                    k < names.size() ? names[k] : u"argument " + Utf16(std::to_string(k + 1));
                const std::u16string help =
                    k < t->argumentHelps.size() ? Trimmed(t->argumentHelps[k]) : u"";
                out += "      ";
                out += Utf8(name);
                out += ':';
                if (!help.empty()) {
                    out += ' ';
                    out += Utf8(help);
                }
                out += '\n';
            }
        }
    }
    return out;
}

int Run(const std::vector<std::string>& arguments, const std::string& programFolder,
        std::ostream& out, std::ostream& err) {
    const std::optional<Options> options = ReadOptions(arguments, err);
    if (!options) {
        return kSyntaxError;
    }
    if (options->action == Options::Action::Help) {
        out << kUsage;
        return kEvaluated;
    }

    const refdocs::Function* described = nullptr;
    if (options->action == Options::Action::Reference) {
        described = refdocs::FindFunction(options->formula);
        if (described == nullptr) {
            err << "sheethost: no function is called \"" << options->formula << "\"\n";
            return kSyntaxError;
        }
    }

    // Read what is to be evaluated before loading anything.
    std::optional<sheet::Expr> formula;
    std::optional<sheet::Sheet> grid;
    if (options->action == Options::Action::Eval) {
        try {
            formula = sheet::parseFormula(options->formula);
        } catch (const sheet::SyntaxError& e) {
            err << "sheethost: syntax error at position " << e.position() << ": " << e.what()
                << "\n";
            ShowPosition(options->formula, e.position(), err);
            return kSyntaxError;
        }
    } else if (options->action == Options::Action::Sheet) {
        const std::optional<std::string> csv = ReadFile(options->sheetPath);
        if (!csv) {
            err << "sheethost: cannot read " << options->sheetPath << "\n";
            return kFailed;
        }
        try {
            grid = sheet::Sheet::fromCsv(*csv);
        } catch (const sheet::SyntaxError& e) {
            err << "sheethost: " << options->sheetPath << ": syntax error in " << e.what()
                << " (position " << e.position() << " of the formula)\n";
            return kSyntaxError;
        }
    }

    std::vector<std::string> paths = options->addins;
    if (paths.empty()) {
        for (const char* name : kDefaultAddins) {
            paths.push_back((std::filesystem::path(programFolder) / name).string());
        }
    }
    standin::Session session;
    try {
        for (const std::string& path : paths) {
            session.Load(path);
        }
    } catch (const standin::AddinError& e) {
        err << "sheethost: " << e.what() << "\n";
        return kFailed;
    }
    for (const std::string& line : session.Open()) {
        err << "sheethost: warning: " << line << "\n";
    }

    const sheet::FunctionCaller call = SessionCaller(session, err);

    switch (options->action) {
    case Options::Action::Eval:
        out << sheet::formatResult(sheet::evaluateFormula(*formula, call));
        break;
    case Options::Action::Sheet: {
        grid->evaluate(call);
        out << (options->table ? grid->toTable() : grid->toCsv());
        if (!grid->cycles().empty()) {
            err << "sheethost: circular reference through";
            for (const sheet::CellRef& ref : grid->cycles()) {
                err << " " << sheet::cellName(ref);
            }
            err << "\n";
        }
        break;
    }
    case Options::Action::List:
        out << FunctionList(session.Functions());
        break;
    case Options::Action::Reference:
        out << refdocs::FunctionSection(*described, [&](const std::string& example) {
            return ShownCells(sheet::evaluateFormula(example, call));
        });
        break;
    case Options::Action::Registrations:
        for (const standin::RegistrationTexts& t : session.Registrations()) {
            out << RegistrationJson(t) << "\n";
        }
        break;
    default:
        break;
    }
    out.flush();
    session.Shutdown();
    return kEvaluated;
}

} // namespace sheethost
