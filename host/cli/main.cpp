// sheethost: runs the Velmora and Corvane add-ins without a spreadsheet (see SheetHost.h).

#include "SheetHost.h"

#include <iostream>

int main(int argc, char** argv) {
    // The add-ins take the standard error stream's buffer for their diagnostic lines
    // while they are loaded; messages of the program go to the buffer it has now.
    std::ostream err(std::cerr.rdbuf());
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return sheethost::Run(arguments, sheethost::ProgramFolder(argv[0]), std::cout, err);
}
