#include "xlf/XlfFuncDesc.h"
#include "xlf/XlOpenClose.h"
#include "xlf/XlfExcel.h"
#include "xlf/XlfOper.h"

#include <algorithm>
#include <vector>

namespace xlf {

namespace {

// The host version from which the record format, thread safety, asynchronous functions
// and cluster safety are known.
constexpr std::int32_t kVersion12 = 12;
constexpr std::int32_t kVersion14 = 14;

constexpr const char* kTooManyArguments = "Too many arguments for Function Wizard";
// What the host's xlfRegister takes as its macro type for a worksheet function.
constexpr double kFunctionMacroType = 1;

} // namespace

XlfFuncDesc::XlfFuncDesc(std::string name, std::string alias, std::string comment,
                         std::string category, std::int32_t recalcPolicy, bool threadSafe,
                         std::string returnTypeCode, std::string helpTopic, bool asynchronous,
                         bool macroSheetEquivalent, bool clusterSafe)
    : XlfAbstractCmdDesc(std::move(name), std::move(alias), std::move(comment)),
      helpTopic_(std::move(helpTopic)), returnTypeCode_(std::move(returnTypeCode)),
      impl_(std::make_shared<XlfFuncDescImpl>(
          XlfFuncDescImpl{recalcPolicy, std::move(category), threadSafe, asynchronous,
                          macroSheetEquivalent, clusterSafe})) {}

std::string XlfFuncDesc::TypeLetters(const std::string& code) {
    const XlfExcel& excel = XlfExcel::Instance();
    if (code == "XLF_OPER") {
        return excel.XlfOperType();
    }
    if (code == "XLF_XLOPER") {
        return excel.XlfXloperType();
    }
    if (code == "XLW_WSTR") {
        return excel.WStrType();
    }
    if (code == "XLW_FP") {
        return excel.FpArrayType();
    }
    return code;
}

int XlfFuncDesc::DoRegister(const std::string& dllName, const std::string& helpTopic) const {
    const XlfExcel& excel = XlfExcel::Instance();
    const std::int32_t version = excel.Version();
    const XlfFuncDescImpl& impl = *impl_;
    const bool asynchronous = version >= kVersion14 && impl.asynchronous;

    // An asynchronous function returns nothing: its result goes back through a handle.
    std::string typeText =
        asynchronous ? std::string(1, '>')
                     : TypeLetters(returnTypeCode_.empty() ? "XLF_OPER" : returnTypeCode_);
    std::string argumentNames;
    const std::vector<XlfArgDesc>& arguments = GetArguments();
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0) {
            argumentNames += ", ";
        }
        argumentNames += arguments[i].GetName();
        typeText += TypeLetters(arguments[i].GetType());
    }
    if (argumentNames.size() > kMaxArgumentNamesLength) {
        argumentNames = kTooManyArguments;
    }
    if (asynchronous) {
        typeText += "X";
    }
    if (impl.recalcPolicy == kVolatile) {
        typeText += "!";
    }
    if (version >= kVersion12 && impl.threadSafe) {
        typeText += "$";
    }
    if (version >= kVersion14 && impl.clusterSafe) {
        typeText += "&";
    }
    if (impl.macroSheetEquivalent) {
        typeText += "#";
    }
    if (GetAddinOptions().nulTerminatedTypeText) {
        typeText += '\0';
    }
    std::string procedure = GetName();
    if (asynchronous) {
        procedure += "Sync";
    }

    const std::int32_t count = static_cast<std::int32_t>(arguments.size());
    const std::int32_t helpTexts =
        std::min(count, version >= kVersion12 ? kMaxHelpTexts : kMaxHelpTextsBefore12);
    std::vector<XlfOper> opers;
    opers.reserve(10 + static_cast<std::size_t>(helpTexts));
    opers.emplace_back(dllName);
    opers.emplace_back(procedure);
    // The host string ends where the text does: a closing NUL is the string's own
    // terminator, never a type letter.
    opers.emplace_back(typeText.c_str());
    opers.emplace_back(GetAlias());
    opers.emplace_back(argumentNames);
    opers.emplace_back(kFunctionMacroType);
    opers.emplace_back(impl.category);
    opers.emplace_back("");
    opers.emplace_back(!helpTopic_.empty() && helpTopic_ != "auto" ? helpTopic_ : helpTopic);
    opers.emplace_back(GetComment());
    for (std::int32_t i = 0; i < helpTexts; ++i) {
        const std::string& description = arguments[static_cast<std::size_t>(i)].GetComment();
        opers.emplace_back(i + 1 == count ? description + ". " : description);
    }
    std::vector<XLOPER12*> records;
    records.reserve(opers.size());
    for (const XlfOper& oper : opers) {
        records.push_back(oper.GetXLOPER());
    }

    HostOwnedRecord result;
    const int code =
        excel.Callv(xlfRegister, result.get(), static_cast<int>(records.size()), records.data());
    id_ = code == xlretSuccess && (result->xltype & xltypeMask) == xltypeNum ? result->val.num
                                                                             : kNotRegistered;
    return code;
}

int XlfFuncDesc::DoUnregister(const std::string&) const {
    if (id_ == kNotRegistered) {
        return xlretSuccess;
    }
    const XlfExcel& excel = XlfExcel::Instance();
    {
        HostOwnedRecord removed;
        XlfOper name(GetAlias());
        excel.Call(xlfSetName, removed.get(), name.GetXLOPER());
    }
    HostOwnedRecord result;
    XlfOper id(id_);
    const int code = excel.Call(xlfUnregister, result.get(), id.GetXLOPER());
    if (code == xlretSuccess) {
        // The host may give the identifier to another function later.
        id_ = kNotRegistered;
    }
    return code;
}

} // namespace xlf
