// sheethost: runs the Velmora and Corvane add-ins without a spreadsheet (see SheetHost.h).

#include "SheetHost.h"

#include <filesystem>
#include <iostream>
#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

// The program's own file, to find the add-ins beside it.
std::filesystem::path ProgramFile(const char* argv0) {
    std::error_code error;
#if defined(_WIN32)
    wchar_t buffer[32768];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
    if (n > 0 && n < std::size(buffer)) {
        return std::filesystem::path(std::wstring(buffer, n));
    }
#else
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        return program;
    }
#endif
    return std::filesystem::absolute(argv0, error);
}

} // namespace

int main(int argc, char** argv) {
    // The add-ins take the standard error stream's buffer for their diagnostic lines
    // while they are loaded; messages of the program go to the buffer it has now.
    std::ostream err(std::cerr.rdbuf());
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return sheethost::Run(arguments, ProgramFile(argv[0]).parent_path().string(), std::cout, err);
}
