// refdocs: writes the reference pages of both add-ins, or checks that the written ones are
// what it would write now. Each example is evaluated through the add-ins in the stand-in
// host, so a page shows the result the add-in gives.
//
//   refdocs --addin Velmora.so --addin Corvane.so --write DIR
//   refdocs --addin Velmora.so --addin Corvane.so --check DIR
//
// Exit status: 0 when written or fresh; 1 when a page differs, is missing or an add-in
// cannot be loaded; 2 for a wrong command line.

#include "SheetHost.h"
#include "refdocs/pages.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv) {
    std::vector<std::string> addins;
    std::string folder;
    bool check = false;
    for (int k = 1; k + 1 < argc; k += 2) {
        const std::string option = argv[k];
        if (option == "--addin") {
            addins.push_back(argv[k + 1]);
        } else if (option == "--write" || option == "--check") {
            folder = argv[k + 1];
            check = option == "--check";
        } else {
            folder.clear();
            break;
        }
    }
    if (folder.empty() || addins.empty() || argc % 2 == 0) {
        std::cerr << "usage: refdocs --addin PATH... (--write DIR | --check DIR)\n";
        return 2;
    }

    std::ostream err(std::cerr.rdbuf());
    standin::Session session;
    try {
        for (const std::string& path : addins) {
            session.Load(path);
        }
    } catch (const standin::AddinError& e) {
        std::cerr << "refdocs: " << e.what() << "\n";
        return 1;
    }
    for (const std::string& line : session.Open()) {
        std::cerr << "refdocs: warning: " << line << "\n";
    }
    const sheet::FunctionCaller call = sheethost::SessionCaller(session, err);
    const refdocs::Evaluator evaluate = [&](const std::string& formula) {
        return sheethost::ShownCells(sheet::evaluateFormula(formula, call));
    };

    int status = 0;
    for (const char* addin : refdocs::ADDINS) {
        const std::string page = refdocs::AddinPage(addin, evaluate);
        const std::filesystem::path file = std::filesystem::path(folder) / refdocs::PageFile(addin);
        if (check) {
            std::ifstream in(file, std::ios::binary);
            std::ostringstream written;
            written << in.rdbuf();
            if (!in || written.str() != page) {
                std::cerr << "refdocs: " << file.string()
                          << " is not what the catalogues give now; write it anew with "
                             "refdocs --write\n";
                status = 1;
            }
        } else {
            std::ofstream out(file, std::ios::binary);
            out << page;
            if (!out) {
                std::cerr << "refdocs: cannot write " << file.string() << "\n";
                status = 1;
            }
        }
    }
    session.Shutdown();
    return status;
}
