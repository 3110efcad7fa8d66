#pragma once

// sheethost: runs the add-ins without a spreadsheet.
//
//   sheethost [--addin PATH]... --eval 'FORMULA'
//   sheethost [--addin PATH]... [--format csv|table] SHEET.csv
//   sheethost [--addin PATH]... --list
//   sheethost [--addin PATH]... --registrations
//   sheethost --help NAME
//
// By default the Velmora and Corvane add-ins that lie beside the program are loaded;
// "--addin", repeatable, replaces that default. Exit status: 0 whenever the formula or the
// sheet was evaluated (whatever the cells show); 1 when an add-in or the sheet cannot be
// read; 2 for a syntax error or a wrong command line.

#include "CellValues.h"
#include "sheet/sheet.h"
#include "sheet/value.h"
#include "standin/Addin.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace sheethost {

inline constexpr int kEvaluated = 0;
inline constexpr int kFailed = 1;
inline constexpr int kSyntaxError = 2;

// The default add-ins, in the order they are loaded.
#if defined(_WIN32)
inline constexpr const char* kDefaultAddins[] = {"Velmora.xll", "Corvane.xll"};
#else
inline constexpr const char* kDefaultAddins[] = {"Velmora.so", "Corvane.so"};
#endif

// One line of "--registrations": a JSON object with every text of the call but the
// add-in's path; the help topic's path is cut to the help file's base name.
std::string RegistrationJson(const standin::RegistrationTexts& texts);

// "--list": every function, as the host's function wizard shows it: by category, each
// with its argument names, its help and each argument's help.
std::string FunctionList(const std::vector<standin::Function>& functions);

// Calls the session's worksheet functions by name, as a formula does; a function whose
// registration had a problem is reported once on err.
sheet::FunctionCaller SessionCaller(standin::Session& session, std::ostream& err);

// What a result shows, one text per cell (row by row), numbers with 10 significant digits.
std::vector<std::string> ShownCells(const sheet::Value& result);

// A file's contents ("-": standard input); no value when it cannot be read.
std::optional<std::string> ReadFile(const std::string& path);

// The folder of the running program, where the default add-ins lie.
std::string ProgramFolder(const char* argv0);

// Runs the command line (arguments without the program's name). programFolder is where
// the default add-ins lie. Results go to out, messages to err.
int Run(const std::vector<std::string>& arguments, const std::string& programFolder,
        std::ostream& out, std::ostream& err);

} // namespace sheethost
