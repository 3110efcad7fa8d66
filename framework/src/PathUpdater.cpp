#include "xlf/PathUpdater.h"
#include "xlf/Diagnostics.h"
#include "xlf/Platform.h"
#include "xlf/XlfServices.h"

#include <string>

namespace xlf {

namespace {

// An address of this module's own code, to find the module's file by.
void CodeOfThisModule() {}

void Warn() {
    WriteDiagnosticLine(" Warning: Unable to initialise PATH to directory of library ");
}

} // namespace

PathUpdater::PathUpdater() {
    const std::string name = platform::kSearchPathReadName;
    std::string searchPath;
    if (auto value = platform::ReadEnvironmentVariable(name)) {
        searchPath = std::move(*value);
    } else {
        WriteDiagnosticLine(" Could not obtain " + name + " Environment variable ");
    }

    const std::optional<std::string> modulePath =
        platform::ModulePathOf(reinterpret_cast<const void*>(&CodeOfThisModule));
    if (!modulePath) {
        WriteDiagnosticLine(" Could not attain path of DLL");
        Warn();
        return;
    }
    SetStatusBar(*modulePath);
    if (searchPath.empty()) {
        Warn();
        return;
    }
    const std::size_t separator = modulePath->find_last_of("\\/");
    if (separator == std::string::npos) {
        Warn();
        return;
    }
    const std::string folder = modulePath->substr(0, separator);
    if (platform::WriteEnvironmentVariable(platform::kSearchPathWriteName,
                                           searchPath + platform::kSearchPathListSeparator +
                                               folder)) {
        WriteDiagnosticLine(" PATH set successfully ");
        return;
    }
    WriteDiagnosticLine(" SetEnvironmentVariable failed to set PATH");
    Warn();
}

void PathUpdater::RunOnce() {
    static const PathUpdater updater;
}

} // namespace xlf
