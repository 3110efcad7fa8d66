// Writes the pieces of the LibreOffice extension from the two catalogues: the UNO
// interface of each add-in (IDL), Calc's function descriptions (CalcAddIns.xcu), the
// component's methods (a C++ fragment per add-in, each method handing its arguments to the
// generic binding with the index of its row in the add-in's table, catalogue/row.h), the
// component registration, the manifest and the extension's description.
//
//     GenerateExtension <output folder> <version> <platform>
//
// <platform> is the extension's platform token, "linux_x86_64". A function whose argument
// type code the binding does not convert, or whose names cannot be UNO names, stops the
// generator with a message: the build fails rather than leaving the function out.

#include "catalogue/row.h"
#include "drugmodels/catalogue.h"
#include "pktools/catalogue.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* MODULE = "velmoracorvane";
constexpr const char* EXTENSION_ID = "velmoracorvane.calc";
constexpr const char* EXTENSION_NAME = "Velmora and Corvane";
constexpr const char* TYPE_LIBRARY = "VelmoraCorvane.rdb";
constexpr const char* COMPONENTS = "VelmoraCorvane.components";
constexpr const char* COMPONENT_LIBRARY = "libVelmoraCorvaneCalc.so";
// Calc honours only its own category names; every add-in function is listed under this.
constexpr const char* CALC_CATEGORY = "Add-In";

// One add-in as the extension shows it: a UNO service with one method per function.
struct AddIn {
    std::string name; // "Velmora", the service's last name and the interface's stem
    std::vector<const catalogue::FunctionEntry*> functions;

    std::string service() const { return std::string(MODULE) + "." + name; }
    std::string interface() const { return "X" + name; }
};

// The functions of an add-in's rows, in row order: the index of a function in this list is
// its method's index in the component.
template <class Rows> AddIn addInOf(std::string name, const Rows& rows) {
    AddIn addIn{std::move(name), {}};
    for (const catalogue::FunctionEntry* entry : catalogue::entriesOf(rows))
        addIn.functions.push_back(entry);
    return addIn;
}

[[noreturn]] void refuse(const catalogue::FunctionEntry& function, const std::string& why) {
    throw std::runtime_error(std::string(function.worksheetName) + ": " + why);
}

// Names the IDL compiler reads as its own words.
// clang-format off
const std::set<std::string, std::less<>> IDL_KEYWORDS = {
    "any", "attribute", "boolean", "bound", "byte", "char", "const", "constants",
    "constrained", "double", "enum", "exception", "FALSE", "float", "get", "hyper", "in",
    "inout", "interface", "long", "maybeambiguous", "maybedefault", "maybevoid", "module",
    "needs", "observes", "oneway", "optional", "out", "property", "published", "raises",
    "readonly", "removable", "sequence", "service", "set", "short", "singleton", "string",
    "struct", "transient", "TRUE", "type", "typedef", "unsigned", "void",
};
// clang-format on

// The UNO name of an argument: its name without the characters UNO names may not hold
// ("peak_time" is peaktime); Calc shows the argument's own name.
std::string unoName(std::string_view name) {
    std::string uno;
    for (char c : name)
        if (std::isalnum(static_cast<unsigned char>(c)))
            uno += c;
    return uno;
}

void checkName(const catalogue::FunctionEntry& function, std::string_view name) {
    const bool identifier = !name.empty() && std::isalpha(static_cast<unsigned char>(name[0])) &&
                            std::all_of(name.begin(), name.end(), [](char c) {
                                return std::isalnum(static_cast<unsigned char>(c));
                            });
    if (!identifier || IDL_KEYWORDS.count(name) != 0)
        refuse(function, std::string("\"") + std::string(name) + "\" cannot be a UNO name");
}

// Every function must be one the binding converts: numbers and cell values only, names
// that are UNO names, no argument name twice.
void check(const AddIn& addIn) {
    std::set<std::string> methods;
    for (const catalogue::FunctionEntry* function : addIn.functions) {
        checkName(*function, function->worksheetName);
        if (!methods.insert(function->worksheetName).second)
            refuse(*function, "listed twice");
        std::set<std::string> names;
        for (const catalogue::ArgumentEntry& argument : function->arguments) {
            const std::string_view code = argument.typeCode;
            if (code != catalogue::NUMBER_ARGUMENT && code != catalogue::CELL_VALUE_ARGUMENT)
                refuse(*function, std::string("argument \"") + std::string(argument.name) +
                                      std::string("\" has type code \"") + std::string(code) +
                                      "\", which the LibreOffice binding does not convert");
            checkName(*function, unoName(argument.name));
            if (!names.insert(unoName(argument.name)).second)
                refuse(*function,
                       std::string("argument \"") + std::string(argument.name) + "\" twice");
        }
    }
}

std::string xmlEscaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Every argument is an any: Calc then passes what the cell holds (a number, a text, a
// range's rows, nothing for an omitted argument), and the binding converts it as the
// add-in's host would. Results are rows of anys, so a column can also hold a message.
std::string idl(const std::vector<AddIn>& addIns) {
    std::ostringstream out;
    out << "// Generated from the catalogues by GenerateExtension: do not edit.\n"
        << "module " << MODULE << " {\n";
    for (const AddIn& addIn : addIns) {
        out << "    interface " << addIn.interface() << " : com::sun::star::uno::XInterface {\n";
        for (const catalogue::FunctionEntry* function : addIn.functions) {
            out << "        sequence< sequence< any > > " << function->worksheetName << "(";
            const char* separator = "";
            for (const catalogue::ArgumentEntry& argument : function->arguments) {
                out << separator << "[in] any " << unoName(argument.name);
                separator = ", ";
            }
            out << ");\n";
        }
        out << "    };\n";
    }
    out << "};\n";
    return out.str();
}

void property(std::ostream& out, const char* indent, const char* name, std::string_view value) {
    out << indent << "<prop oor:name=\"" << name << "\"><value xml:lang=\"en\">"
        << xmlEscaped(value) << "</value></prop>\n";
}

std::string calcAddIns(const std::vector<AddIn>& addIns) {
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<!-- Generated from the catalogues by GenerateExtension: do not edit. -->\n"
        << "<oor:component-data xmlns:oor=\"http://openoffice.org/2001/registry\" "
           "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" oor:name=\"CalcAddIns\" "
           "oor:package=\"org.openoffice.Office\">\n"
        << " <node oor:name=\"AddInInfo\">\n";
    for (const AddIn& addIn : addIns) {
        out << "  <node oor:name=\"" << addIn.service() << "\" oor:op=\"replace\">\n"
            << "   <node oor:name=\"AddInFunctions\">\n";
        for (const catalogue::FunctionEntry* function : addIn.functions) {
            out << "    <node oor:name=\"" << function->worksheetName << "\" oor:op=\"replace\">\n";
            property(out, "     ", "DisplayName", function->worksheetName);
            property(out, "     ", "Description", function->helpText);
            out << "     <prop oor:name=\"Category\"><value>" << CALC_CATEGORY
                << "</value></prop>\n"
                << "     <prop oor:name=\"CompatibilityName\"><value xml:lang=\"en-US\">"
                << function->worksheetName << "</value></prop>\n"
                << "     <node oor:name=\"Parameters\">\n";
            for (const catalogue::ArgumentEntry& argument : function->arguments) {
                out << "      <node oor:name=\"" << unoName(argument.name)
                    << "\" oor:op=\"replace\">\n";
                property(out, "       ", "DisplayName", argument.name);
                property(out, "       ", "Description", argument.description);
                out << "      </node>\n";
            }
            out << "     </node>\n"
                << "    </node>\n";
        }
        out << "   </node>\n"
            << "  </node>\n";
    }
    out << " </node>\n"
        << "</oor:component-data>\n";
    return out.str();
}

// The methods of an add-in's component: each passes its arguments, in order, to the
// binding's Call with the function's index in the add-in's list.
std::string methods(const AddIn& addIn) {
    std::ostringstream out;
    out << "// Generated from the catalogues by GenerateExtension: do not edit.\n"
        << "static constexpr const char* SERVICE = \"" << addIn.service() << "\";\n";
    std::size_t index = 0;
    for (const catalogue::FunctionEntry* function : addIn.functions) {
        out << "Table SAL_CALL " << function->worksheetName << "(";
        const char* separator = "";
        for (std::size_t k = 0; k < function->arguments.size(); ++k) {
            out << separator << "const css::uno::Any& a" << k;
            separator = ", ";
        }
        out << ") override { return Call<" << index << ">(";
        separator = "";
        for (std::size_t k = 0; k < function->arguments.size(); ++k) {
            out << separator << "a" << k;
            separator = ", ";
        }
        out << "); }\n";
        ++index;
    }
    return out.str();
}

std::string components(const std::vector<AddIn>& addIns) {
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<components xmlns=\"http://openoffice.org/2010/uno-components\">\n"
        << " <component loader=\"com.sun.star.loader.SharedLibrary\" uri=\"" << COMPONENT_LIBRARY
        << "\">\n";
    for (const AddIn& addIn : addIns) {
        out << "  <implementation name=\"" << addIn.service() << "\">\n"
            << "   <service name=\"" << addIn.service() << "\"/>\n"
            << "   <service name=\"com.sun.star.sheet.AddIn\"/>\n"
            << "  </implementation>\n";
    }
    out << " </component>\n"
        << "</components>\n";
    return out.str();
}

std::string manifest(const std::string& platform) {
    // "linux_x86_64" in the description, "Linux_x86_64" in the manifest.
    std::string manifestPlatform = platform;
    manifestPlatform[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(platform[0])));
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<manifest:manifest xmlns:manifest=\"http://openoffice.org/2001/manifest\">\n"
        << " <manifest:file-entry manifest:full-path=\"" << TYPE_LIBRARY
        << "\" manifest:media-type=\"application/vnd.sun.star.uno-typelibrary;type=RDB\"/>\n"
        << " <manifest:file-entry manifest:full-path=\"" << COMPONENTS
        << "\" manifest:media-type=\"application/vnd.sun.star.uno-components;platform="
        << manifestPlatform << "\"/>\n"
        << " <manifest:file-entry manifest:full-path=\"CalcAddIns.xcu\" "
           "manifest:media-type=\"application/vnd.sun.star.configuration-data\"/>\n"
        << "</manifest:manifest>\n";
    return out.str();
}

std::string description(const std::string& version, const std::string& platform) {
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<description xmlns=\"http://openoffice.org/extensions/description/2006\" "
           "xmlns:xlink=\"http://www.w3.org/1999/xlink\">\n"
        << " <identifier value=\"" << EXTENSION_ID << "\"/>\n"
        << " <version value=\"" << version << "\"/>\n"
        << " <platform value=\"" << platform << "\"/>\n"
        << " <display-name><name lang=\"en\">" << EXTENSION_NAME << "</name></display-name>\n"
        << "</description>\n";
    return out.str();
}

// Writes a file only when its content changes, so that the build redoes only what follows.
void write(const std::filesystem::path& path, const std::string& content) {
    std::filesystem::create_directories(path.parent_path());
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream old;
        old << in.rdbuf();
        if (in && old.str() == content)
            return;
    }
    std::ofstream out(path, std::ios::binary);
    out << content;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: GenerateExtension <output folder> <version> <platform>\n";
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        const std::string version = argv[2];
        const std::string platform = argv[3];
        const std::vector<AddIn> addIns = {addInOf("Velmora", drugmodels::VELMORA_FUNCTIONS),
                                           addInOf("Corvane", pktools::CORVANE_FUNCTIONS)};
        for (const AddIn& addIn : addIns)
            check(addIn);
        write(folder / "VelmoraCorvane.idl", idl(addIns));
        write(folder / "CalcAddIns.xcu", calcAddIns(addIns));
        for (const AddIn& addIn : addIns)
            write(folder / (addIn.name + "Methods.inc"), methods(addIn));
        write(folder / COMPONENTS, components(addIns));
        write(folder / "META-INF" / "manifest.xml", manifest(platform));
        write(folder / "description.xml", description(version, platform));
    } catch (const std::exception& error) {
        std::cerr << "GenerateExtension: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
