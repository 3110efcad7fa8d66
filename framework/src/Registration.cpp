#include "xlf/Registration.h"

namespace xlf {

namespace XLRegistration {

ExcelFunctionRegistrationRegistry& ExcelFunctionRegistrationRegistry::Instance() {
    static ExcelFunctionRegistrationRegistry registry;
    return registry;
}

void ExcelFunctionRegistrationRegistry::AddFunction(std::shared_ptr<XlfFuncDesc> function) {
    const std::string name = function->GetAlias();
    functions_[name] = std::move(function);
}

void ExcelFunctionRegistrationRegistry::AddCommand(std::shared_ptr<XlfCmdDesc> command) {
    const std::string name = command->GetAlias();
    commands_[name] = std::move(command);
}

void ExcelFunctionRegistrationRegistry::DoTheRegistrations() const {
    int index = 1;
    for (const auto& [name, function] : functions_) {
        function->Register(index);
        ++index;
    }
    for (const auto& [name, command] : commands_) {
        command->Register(index);
        command->AddToMenuBar();
        ++index;
    }
}

void ExcelFunctionRegistrationRegistry::DoTheDeregistrations() const {
    for (const auto& [name, function] : functions_) {
        function->Unregister();
    }
    for (const auto& [name, command] : commands_) {
        command->RemoveFromMenuBar();
        command->Unregister();
    }
}

} // namespace XLRegistration

namespace {

std::string TextOrEmpty(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

std::shared_ptr<XlfFuncDesc>
MakeDescriptor(const char* exportName, const char* worksheetName, const char* helpText,
               const char* category, std::int32_t argumentCount, const XlfArgTriple* arguments,
               bool isVolatile, bool threadSafe, const char* returnTypeCode, const char* helpTopic,
               bool asynchronous, bool macroSheetEquivalent, bool clusterSafe) {
    auto descriptor = std::make_shared<XlfFuncDesc>(
        TextOrEmpty(exportName), TextOrEmpty(worksheetName), TextOrEmpty(helpText),
        TextOrEmpty(category), isVolatile ? XlfFuncDesc::kVolatile : XlfFuncDesc::kNotVolatile,
        threadSafe, TextOrEmpty(returnTypeCode), TextOrEmpty(helpTopic), asynchronous,
        macroSheetEquivalent, clusterSafe);
    for (std::int32_t i = 0; arguments != nullptr && i < argumentCount; ++i) {
        descriptor->AddArgument(XlfArgDesc(TextOrEmpty(arguments[i].name),
                                           TextOrEmpty(arguments[i].description),
                                           TextOrEmpty(arguments[i].typeCode)));
    }
    return descriptor;
}

} // namespace

FunctionRegistrationRecord::FunctionRegistrationRecord(
    const char* exportName, const char* worksheetName, const char* helpText, const char* category,
    std::int32_t argumentCount, const XlfArgTriple* arguments, bool isVolatile, bool threadSafe,
    const char* returnTypeCode, const char* helpTopic, bool asynchronous, bool macroSheetEquivalent,
    bool clusterSafe)
    : FunctionRegistrationRecord(XLRegistration::ExcelFunctionRegistrationRegistry::Instance(),
                                 exportName, worksheetName, helpText, category, argumentCount,
                                 arguments, isVolatile, threadSafe, returnTypeCode, helpTopic,
                                 asynchronous, macroSheetEquivalent, clusterSafe) {}

FunctionRegistrationRecord::FunctionRegistrationRecord(
    XLRegistration::ExcelFunctionRegistrationRegistry& registry, const char* exportName,
    const char* worksheetName, const char* helpText, const char* category,
    std::int32_t argumentCount, const XlfArgTriple* arguments, bool isVolatile, bool threadSafe,
    const char* returnTypeCode, const char* helpTopic, bool asynchronous, bool macroSheetEquivalent,
    bool clusterSafe)
    : descriptor_(MakeDescriptor(exportName, worksheetName, helpText, category, argumentCount,
                                 arguments, isVolatile, threadSafe, returnTypeCode, helpTopic,
                                 asynchronous, macroSheetEquivalent, clusterSafe)) {
    registry.AddFunction(descriptor_);
}

} // namespace xlf
