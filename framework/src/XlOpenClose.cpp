#include "xlf/XlOpenClose.h"
#include "xlf/Diagnostics.h"
#include "xlf/PathUpdater.h"
#include "xlf/Registration.h"
#include "xlf/TempMemory.h"
#include "xlf/Win32StreamBuf.h"
#include "xlf/XlfExcel.h"
#include "xlf/XlfServices.h"

#include <iostream>
#include <string>

namespace xlf {

namespace {

AddinOptions& Options() noexcept {
    static AddinOptions options;
    return options;
}

bool removed = false;

// The diagnostic stream goes to the debugger's output window while the add-in is loaded.
struct DiagnosticStream {
    DiagnosticStream() { XLF_DIAGNOSTIC_AT_HERE("Stream redirected to MSVC debugger"); }
    DiagnosticStreamRedirection redirection;
};
const DiagnosticStream diagnosticStream;

} // namespace

const AddinOptions& GetAddinOptions() noexcept {
    return Options();
}

AddinOptionsSetting::AddinOptionsSetting(const AddinOptions& options) noexcept {
    Options() = options;
    XlfExcel::SetInternationalCalls(options.internationalCalls);
}

bool IsRemoved() noexcept {
    return removed;
}

void SetRemoved(bool value) noexcept {
    removed = value;
}

} // namespace xlf

using namespace xlf;

XLF_EXPORT int XLF_PASCAL xlAutoOpen() {
    try {
        const XlfExcel& excel = XlfExcel::Instance();
        const AddinOptions& options = GetAddinOptions();
        if (options.genDocAtOpen) {
            xlwGenDoc();
        }
        if (excel.Version() < options.minimumHostVersion) {
            XLF_DIAGNOSTIC_AT_HERE("Host version " + std::to_string(excel.Version()) +
                                   " is below " + std::to_string(options.minimumHostVersion) +
                                   ": the add-in is not loaded");
            return 0;
        }
        PathUpdater::RunOnce();
        SetStatusBar("Registering library...");
        XLRegistration::ExcelFunctionRegistrationRegistry::Instance().DoTheRegistrations();
        ClearStatusBar();
        MacroCache<Open>::Instance().ExecuteMacros();
        return 1;
    } catch (...) {
        return 0;
    }
}

XLF_EXPORT int XLF_PASCAL xlAutoClose() {
    try {
        XLF_DIAGNOSTIC_AT_HERE("Releasing resources");
        MacroCache<Close>::Instance().ExecuteMacros();
        if (IsRemoved()) {
            XLRegistration::ExcelFunctionRegistrationRegistry::Instance().DoTheDeregistrations();
        }
        XlfExcel::DeleteInstance();
        TempMemory::FreeAll();
    } catch (...) {
        XLF_DIAGNOSTIC_AT_HERE("Something bad happened in xlAutoClose");
    }
    return 1;
}

XLF_EXPORT int XLF_PASCAL xlAutoRemove() {
    try {
        XLF_DIAGNOSTIC_AT_HERE("Addin being unloaded");
        MacroCache<Remove>::Instance().ExecuteMacros();
        SetRemoved(true);
    } catch (...) {
        XLF_DIAGNOSTIC_AT_HERE("Something bad happened in xlAutoRemove");
    }
    return 1;
}

XLF_EXPORT void XLF_PASCAL xlwGenDoc() {}
