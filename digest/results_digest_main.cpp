// results_digest [SHEET.csv]...: the digest of the pinned results, then of each sheet's
// cells, evaluated through the Velmora and Corvane add-ins beside the program as sheethost
// evaluates them. One line each:
//
//   pinned results <hash> (<n> cases, <m> values)
//   <sheet file name> <hash> (<k> cells)
//
// A cell enters the hash with its kind and what it holds: a number's bits (any NaN as one),
// a truth value, a text, an error code. Exit status: 0, or 1 when an add-in or a sheet
// cannot be read.

#include "Digest.h"
#include "SheetHost.h"

#include "sheet/formula.h"
#include "sheet/sheet.h"
#include "standin/Addin.h"

#include <filesystem>
#include <iostream>
#include <optional>

namespace {

void addCell(digest::Hash& hash, const sheet::Value& v) {
    hash.addWord(static_cast<std::uint64_t>(v.kind));
    switch (v.kind) {
    case sheet::Value::Kind::Number:
        hash.addNumber(v.number);
        break;
    case sheet::Value::Kind::Boolean:
        hash.addWord(v.boolean ? 1 : 0);
        break;
    case sheet::Value::Kind::Text:
        hash.addText(v.text);
        break;
    case sheet::Value::Kind::Error:
        hash.addWord(static_cast<std::uint64_t>(v.error));
        break;
    default:
        break;
    }
}

} // namespace

int main(int argc, char** argv) {
    std::ostream err(std::cerr.rdbuf());
    std::cout << digest::PinnedResultsLine() << "\n" << digest::DrugModelsLine() << "\n";

    standin::Session session;
    try {
        for (const char* name : sheethost::kDefaultAddins)
            session.Load(
                (std::filesystem::path(sheethost::ProgramFolder(argv[0])) / name).string());
    } catch (const standin::AddinError& e) {
        err << "results_digest: " << e.what() << "\n";
        return 1;
    }
    for (const std::string& line : session.Open())
        err << "results_digest: warning: " << line << "\n";
    const sheet::FunctionCaller call = sheethost::SessionCaller(session, err);

    int status = 0;
    for (int k = 1; k < argc; ++k) {
        const std::optional<std::string> csv = sheethost::ReadFile(argv[k]);
        if (!csv) {
            err << "results_digest: cannot read " << argv[k] << "\n";
            status = 1;
            continue;
        }
        std::optional<sheet::Sheet> read;
        try {
            read = sheet::Sheet::fromCsv(*csv);
        } catch (const sheet::SyntaxError& e) {
            err << "results_digest: " << argv[k] << ": syntax error in " << e.what() << "\n";
            status = 1;
            continue;
        }
        sheet::Sheet& grid = *read;
        grid.evaluate(call);
        digest::Hash hash;
        const sheet::CellRef end = grid.extent();
        for (int r = 0; r <= end.row; ++r)
            for (int c = 0; c <= end.column; ++c) {
                const sheet::Value shown = grid.shown({r, c});
                if (shown.kind == sheet::Value::Kind::Array)
                    for (const sheet::Value& cell : shown.cells)
                        addCell(hash, cell);
                else
                    addCell(hash, shown);
            }
        std::cout << std::filesystem::path(argv[k]).filename().string() << " " << hash.hex() << " ("
                  << (end.row + 1) * (end.column + 1) << " cells)\n";
    }
    std::cout.flush();
    session.Shutdown();
    return status;
}
