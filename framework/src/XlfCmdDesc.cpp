#include "xlf/XlfCmdDesc.h"
#include "xlf/Diagnostics.h"
#include "xlf/XlfExcel.h"
#include "xlf/XlfOper.h"

#include <vector>

namespace xlf {

namespace {

// What the host's xlfRegister takes as its macro type for a command.
constexpr double kCommandMacroType = 2;
// A command returns nothing the host reads; it is registered as giving an integer.
constexpr const char* kCommandTypeText = "J";

} // namespace

XlfCmdDesc::XlfCmdDesc(std::string name, std::string alias, std::string comment, std::string menu,
                       std::string text, bool hidden)
    : XlfAbstractCmdDesc(std::move(name), std::move(alias), std::move(comment)),
      menu_(std::move(menu)), text_(std::move(text)), hidden_(hidden) {}

int XlfCmdDesc::DoRegister(const std::string& dllName, const std::string& helpTopic) const {
    if (menu_.empty()) {
        WriteDiagnosticLine("No menu specified for the command \"" + GetName() + "\"");
        return xlretFailed;
    }
    std::string argumentNames;
    for (const XlfArgDesc& argument : GetArguments()) {
        argumentNames += argumentNames.empty() ? "" : ", ";
        argumentNames += argument.GetName();
    }
    const std::vector<XlfOper> opers = {XlfOper(dllName),
                                        XlfOper(GetName()),
                                        XlfOper(kCommandTypeText),
                                        XlfOper(GetAlias()),
                                        XlfOper(argumentNames),
                                        XlfOper(kCommandMacroType),
                                        XlfOper(menu_),
                                        XlfOper(""),
                                        XlfOper(helpTopic),
                                        XlfOper(GetComment())};
    std::vector<XLOPER12*> records;
    for (const XlfOper& oper : opers) {
        records.push_back(oper.GetXLOPER());
    }
    HostOwnedRecord result;
    const int code = XlfExcel::Instance().Callv(xlfRegister, result.get(),
                                                static_cast<int>(records.size()), records.data());
    if (code == xlretSuccess && (result->xltype & xltypeMask) == xltypeNum) {
        id_ = result->val.num;
    } else {
        id_ = kNotRegistered;
        WriteDiagnosticLine("Registration of " + GetName() + " failed");
    }
    return code;
}

int XlfCmdDesc::DoUnregister(const std::string&) const {
    if (id_ == kNotRegistered) {
        return xlretSuccess;
    }
    HostOwnedRecord result;
    XlfOper id(id_);
    const int code = XlfExcel::Instance().Call(xlfUnregister, result.get(), id.GetXLOPER());
    if (code == xlretSuccess) {
        id_ = kNotRegistered;
    }
    return code;
}

void XlfCmdDesc::AddToMenuBar() const {
    if (id_ == kNotRegistered) {
        return;
    }
    // The menu's new item: its text and the command it runs.
    XlfOper item;
    item.AllocateArray(1, 2);
    XLOPER12* cells = item.GetXLOPER()->val.array.lparray;
    cells[0] = *XlfOper(text_).GetXLOPER();
    cells[1] = *XlfOper(GetAlias()).GetXLOPER();
    XlfOper bar(static_cast<std::int32_t>(kWorksheetMenuBar));
    XlfOper menu(menu_);
    HostOwnedRecord result;
    const int code = XlfExcel::Instance().Call(xlfAddCommand, result.get(), bar.GetXLOPER(),
                                               menu.GetXLOPER(), item.GetXLOPER());
    if (code != xlretSuccess || (result->xltype & xltypeMask) == xltypeErr) {
        WriteDiagnosticLine("Add command " + text_ + " to " + menu_ + " failed");
    }
}

void XlfCmdDesc::RemoveFromMenuBar() const {
    XlfOper bar(static_cast<std::int32_t>(kWorksheetMenuBar));
    XlfOper menu(menu_);
    XlfOper text(text_);
    HostOwnedRecord result;
    const int code = XlfExcel::Instance().Call(xlfDeleteCommand, result.get(), bar.GetXLOPER(),
                                               menu.GetXLOPER(), text.GetXLOPER());
    if (code != xlretSuccess || (result->xltype & xltypeMask) == xltypeErr) {
        WriteDiagnosticLine("Delete Command " + text_ + " from " + menu_ + " failed");
    }
}

} // namespace xlf
