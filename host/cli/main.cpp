// sheethost: runs the Velmora and Corvane add-ins without a spreadsheet (see SheetHost.h).

#include "SheetHost.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    // The add-ins take the standard error stream's buffer for their diagnostic lines
    // while they are loaded; messages of the program go to the buffer it has now.
    std::ostream err(std::cerr.rdbuf());
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        program = std::filesystem::absolute(argv[0]);
    }
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return sheethost::Run(arguments, program.parent_path().string(), std::cout, err);
}
