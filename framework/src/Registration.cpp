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

std::shared_ptr<XlfFuncDesc> MakeDescriptor(const FunctionRegistrationRecord& record) {
    auto descriptor = std::make_shared<XlfFuncDesc>(
        TextOrEmpty(record.exportName), TextOrEmpty(record.worksheetName),
        TextOrEmpty(record.helpText), TextOrEmpty(record.category),
        record.isVolatile ? XlfFuncDesc::kVolatile : XlfFuncDesc::kNotVolatile, record.threadSafe,
        TextOrEmpty(record.returnTypeCode), TextOrEmpty(record.helpTopic), record.asynchronous,
        record.macroSheetEquivalent, record.clusterSafe);
    for (const XlfArgTriple& argument : record.arguments) {
        descriptor->AddArgument(XlfArgDesc(TextOrEmpty(argument.name),
                                           TextOrEmpty(argument.description),
                                           TextOrEmpty(argument.typeCode)));
    }
    return descriptor;
}

} // namespace

FunctionRegistration::FunctionRegistration(const FunctionRegistrationRecord& record)
    : FunctionRegistration(XLRegistration::ExcelFunctionRegistrationRegistry::Instance(), record) {}

FunctionRegistration::FunctionRegistration(
    XLRegistration::ExcelFunctionRegistrationRegistry& registry,
    const FunctionRegistrationRecord& record)
    : descriptor_(MakeDescriptor(record)) {
    registry.AddFunction(descriptor_);
}

RowRegistrations::RowRegistrations(std::span<const catalogue::FunctionEntry* const> entries,
                                   const FunctionRegistrationRecord& shared)
    : RowRegistrations(XLRegistration::ExcelFunctionRegistrationRegistry::Instance(), entries,
                       shared) {}

RowRegistrations::RowRegistrations(XLRegistration::ExcelFunctionRegistrationRegistry& registry,
                                   std::span<const catalogue::FunctionEntry* const> entries,
                                   const FunctionRegistrationRecord& shared) {
    functions_.reserve(entries.size());
    for (const catalogue::FunctionEntry* entry : entries) {
        const std::string exportName = catalogue::exportName(*entry);
        FunctionRegistrationRecord record = shared;
        record.exportName = exportName.c_str();
        record.worksheetName = entry->worksheetName;
        record.helpText = entry->helpText;
        record.arguments = entry->arguments;
        functions_.emplace_back(registry, record);
    }
}

} // namespace xlf
