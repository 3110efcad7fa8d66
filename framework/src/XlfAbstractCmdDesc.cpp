#include "xlf/XlfAbstractCmdDesc.h"
#include "xlf/Diagnostics.h"
#include "xlf/XlfExcel.h"
#include "xlf/XlfException.h"

namespace xlf {

XlfAbstractCmdDesc::XlfAbstractCmdDesc(std::string name, std::string alias, std::string comment)
    : name_(std::move(name)), alias_(std::move(alias)), comment_(std::move(comment)) {}

const std::string& LibraryNameOrRaise() {
    const std::string& path = XlfExcel::Instance().AddinPath();
    if (path.empty()) {
        XLF_RAISE("Could not get library name");
    }
    return path;
}

void XlfAbstractCmdDesc::Register(int index) const {
    const std::string& dllName = LibraryNameOrRaise();
    const std::string& helpFile = XlfExcel::Instance().HelpFilePath();
    const std::string helpTopic =
        helpFile.empty() ? std::string() : helpFile + "!" + std::to_string(index);
    const int code = DoRegister(dllName, helpTopic);
    if (code != xlretSuccess) {
        WriteDiagnosticLine("Error " + std::to_string(code) + " while registering " + alias_);
    }
}

void XlfAbstractCmdDesc::Unregister() const {
    const std::string& dllName = LibraryNameOrRaise();
    const int code = DoUnregister(dllName);
    if (code != xlretSuccess) {
        WriteDiagnosticLine("Error " + std::to_string(code) + " while registering " + alias_);
    }
}

} // namespace xlf
