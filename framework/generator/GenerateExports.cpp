// Writes an add-in's exported wrappers from its table of rows (catalogue/row.h), or checks
// that the written ones are what it would write now:
//
//   <Addin>.h           the declarations, and the exports in row order for the tests
//   <Addin>Exports.cpp  one wrapper per row: the host's arguments handed to xlf::CallRow
//   <Addin>.def         the Windows export list: the framework's entry points, the wrappers
//
//     <generator> (--write | --check) <header> <source> <def>
//
// Built once per add-in (xlf_add_exports in framework/CMakeLists.txt), with the add-in's
// name, its rows and the header that holds them given as XLF_ADDIN, XLF_ROWS and
// XLF_ROWS_HEADER. The files are committed, so that a cross build needs no generator; the
// add-in's build fails when they do not follow the rows, and a test when they differ in
// any byte. A type code the wrappers cannot take, or an argument name that is no C++
// name, stops the generator with a message.
//
// Exit status: 0 when written or fresh, 1 when a file differs or cannot be written, 2 for
// a wrong command line.

#include XLF_ROWS_HEADER

#include "catalogue/row.h"
#include "xlf/Exports.h"

#include <cctype>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#define XLF_TEXT_OF(x) #x
#define XLF_TEXT(x) XLF_TEXT_OF(x)

namespace {

constexpr const char* ADDIN = XLF_ADDIN;
constexpr const char* ROWS = XLF_TEXT(XLF_ROWS);
constexpr const char* ROWS_HEADER = XLF_ROWS_HEADER;
constexpr auto ENTRIES = catalogue::entriesOf(XLF_ROWS);

// Generated code is laid out here, as clang-format would, within the repository's columns.
constexpr std::size_t COLUMN_LIMIT = 100;

const std::set<std::string_view> CPP_KEYWORDS = {
    "alignas",   "alignof", "and",     "asm",      "auto",     "bool",    "break",     "case",
    "catch",     "char",    "class",   "const",    "continue", "default", "delete",    "do",
    "double",    "else",    "enum",    "explicit", "export",   "extern",  "false",     "float",
    "for",       "friend",  "goto",    "if",       "inline",   "int",     "long",      "mutable",
    "namespace", "new",     "not",     "operator", "or",       "private", "protected", "public",
    "register",  "return",  "short",   "signed",   "sizeof",   "static",  "struct",    "switch",
    "template",  "this",    "throw",   "true",     "try",      "typedef", "typename",  "union",
    "unsigned",  "using",   "virtual", "void",     "volatile", "while",   "xor",
};

[[noreturn]] void refuse(const catalogue::FunctionEntry& entry, const std::string& why) {
    throw std::runtime_error(std::string(entry.worksheetName) + ": " + why);
}

// The C++ type the host passes an argument as, for its type code.
const char* hostType(const catalogue::FunctionEntry& entry, const catalogue::ArgumentEntry& arg) {
    const std::string_view code = arg.typeCode;
    if (code == catalogue::NUMBER_ARGUMENT)
        return "double";
    if (code == catalogue::CELL_VALUE_ARGUMENT)
        return "LPXLOPER12";
    refuse(entry, std::string("argument \"") + std::string(arg.name) + "\" has type code \"" +
                      std::string(code) + "\", which no wrapper takes");
}

// The wrapper's parameter of an argument: its registered name.
std::string parameterName(const catalogue::FunctionEntry& entry,
                          const catalogue::ArgumentEntry& arg) {
    const std::string_view name = arg.name;
    const bool identifier =
        !name.empty() && !std::isdigit(static_cast<unsigned char>(name[0])) &&
        name.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_") ==
            std::string_view::npos;
    if (!identifier || CPP_KEYWORDS.count(name) != 0)
        refuse(entry, std::string("argument \"") + std::string(name) + "\" is no C++ name");
    return std::string(name);
}

// "head(a, b, c)tail", the items packed after the parenthesis up to the column limit, each
// continuation line aligned under the first item.
std::string packed(const std::string& head, const std::vector<std::string>& items,
                   const std::string& tail, const std::string& indent = "") {
    std::string out = indent + head + "(";
    const std::size_t align = out.size();
    std::size_t column = out.size();
    for (std::size_t k = 0; k < items.size(); ++k) {
        const bool last = k + 1 == items.size();
        const std::string item = items[k] + (last ? ")" + tail : ",");
        if (k > 0 && column + 1 + item.size() > COLUMN_LIMIT) {
            out += '\n';
            out.append(align, ' ');
            column = align;
        } else if (k > 0) {
            out += ' ';
            ++column;
        }
        out += item;
        column += item.size();
    }
    if (items.empty())
        out += ")" + tail;
    return out + "\n";
}

// The name of the list of exports: VELMORA_EXPORTS.
std::string exportsName() {
    std::string name;
    for (const char* c = ADDIN; *c != '\0'; ++c)
        name += static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
    return name + "_EXPORTS";
}

struct Wrapper {
    std::string name;
    std::vector<std::string> parameters; // "double Age"
    std::vector<std::string> arguments;  // "Age"
};

std::vector<Wrapper> wrappers() {
    std::vector<Wrapper> all;
    for (const catalogue::FunctionEntry* entry : ENTRIES) {
        Wrapper w{catalogue::exportName(*entry), {}, {}};
        for (const catalogue::ArgumentEntry& arg : entry->arguments) {
            const std::string name = parameterName(*entry, arg);
            w.parameters.push_back(std::string(hostType(*entry, arg)) + " " + name);
            w.arguments.push_back(name);
        }
        all.push_back(w);
    }
    return all;
}

// The comment lines that say where a file comes from.
std::string generatedNote() {
    return std::string(
        "// Written from the rows by the exports generator (framework/generator): do "
        "not edit.\n// `cmake --build <build> --target exports` writes it anew; "
        "a test fails when it is stale.\n");
}

std::string header(const std::vector<Wrapper>& all) {
    std::ostringstream out;
    out << "#pragma once\n\n"
        << "// " << ADDIN << "'s worksheet functions, as the host calls them: one per row of\n"
        << "// " << ROWS << " (" << ROWS_HEADER << ").\n"
        << generatedNote() << "\n"
        << "// clang-format off\n"
        << "#include \"xlf/Exports.h\"\n"
        << "#include \"xlf/HostApi.h\"\n\n"
        << "#include <tuple>\n\n"
        << "using xlf::LPXLOPER12;\n\n";
    for (const Wrapper& w : all)
        out << packed("XLF_EXPORT LPXLOPER12 XLF_PASCAL " + w.name, w.parameters, ";");
    out << "\n// Every exported wrapper with its name, in the order of the rows.\n"
        << "inline constexpr std::tuple " << exportsName() << "{\n";
    for (const Wrapper& w : all)
        out << "    xlf::Export{\"" << w.name << "\", &" << w.name << "},\n";
    out << "};\n";
    return out.str();
}

std::string source(const std::vector<Wrapper>& all) {
    std::ostringstream out;
    out << "// " << ADDIN << "'s exported wrappers: each hands the host's arguments, as the host\n"
        << "// passes them for their type codes, to the routine of its row of " << ROWS << "\n"
        << "// (xlf::CallRow).\n"
        << generatedNote() << "\n"
        << "// clang-format off\n"
        << "#include \"" << ADDIN << ".h\"\n"
        << "#include \"" << ROWS_HEADER << "\"\n"
        << "#include \"xlf/Call.h\"\n\n"
        << "static_assert(xlf::ExportsFitRows(" << exportsName() << ", " << ROWS << "),\n"
        << "              \"the exported wrappers do not follow the rows: cmake --build <build> "
           "--target \"\n"
        << "              \"exports writes them anew\");\n";
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Wrapper& w = all[i];
        out << "\n"
            << packed("XLF_EXPORT LPXLOPER12 XLF_PASCAL " + w.name, w.parameters, " {")
            << packed(std::string("return xlf::CallRow<") + std::string(ROWS) + ", " +
                          std::to_string(i) + ">",
                      w.arguments, ";", "    ")
            << "}\n";
    }
    return out.str();
}

std::string definitions(const std::vector<Wrapper>& all) {
    std::ostringstream out;
    out << "; " << ADDIN << ".xll: the worksheet functions and the four entry points, under their "
        << "plain names\n"
        << "; (undecorated also where they use the 32-bit standard calling convention).\n"
        << "LIBRARY " << ADDIN << ".xll\nEXPORTS\n";
    for (const char* entry : xlf::ENTRY_POINTS)
        out << "    " << entry << "\n";
    for (const Wrapper& w : all)
        out << "    " << w.name << "\n";
    return out.str();
}

std::string readFile(const std::string& path, bool& found) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    found = static_cast<bool>(in);
    return content.str();
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 5 ? argv[1] : "";
    if (mode != "--write" && mode != "--check") {
        std::cerr << "usage: " << argv[0] << " (--write | --check) <header> <source> <def>\n";
        return 2;
    }
    try {
        const std::vector<Wrapper> all = wrappers();
        const std::pair<std::string, std::string> files[] = {
            {argv[2], header(all)}, {argv[3], source(all)}, {argv[4], definitions(all)}};
        int status = 0;
        for (const auto& [path, content] : files) {
            bool found = false;
            const bool same = readFile(path, found) == content && found;
            if (mode == "--check" && !same) {
                std::cerr << path << " does not follow " << ROWS << ": write it anew with "
                          << "cmake --build <build> --target exports\n";
                status = 1;
            } else if (mode == "--write" && !same) {
                std::ofstream out(path, std::ios::binary);
                out << content;
                if (!out) {
                    std::cerr << "cannot write " << path << "\n";
                    status = 1;
                }
            }
        }
        return status;
    } catch (const std::exception& error) {
        std::cerr << argv[0] << ": " << error.what() << "\n";
        return 1;
    }
}
