#pragma once

// Declaring a worksheet function: one static FunctionRegistrationRecord beside its
// wrapper. Building the record makes the function's descriptor and puts it into the
// add-in's registry, before the host's first call; xlAutoOpen then registers every
// descriptor of the registry with the host, in worksheet-name order.
//
//     constexpr xlf::XlfArgTriple BMI_ARGS[] = {
//         {"Weight", "The patients weight in kg ", "B"},
//         {"Height", "The pateints height in cm ", "B"},
//     };
//     const xlf::FunctionRegistrationRecord registerBMI(
//         "xlBMI", "BMI", " Computes the BMI (body mass index) ", "Corvane 2016/11/20",
//         2, BMI_ARGS);

#include "xlf/XlfCmdDesc.h"
#include "xlf/XlfFuncDesc.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace xlf {

// One argument of a record: name, description, type code.
struct XlfArgTriple {
    const char* name;
    const char* description;
    const char* typeCode;
};

namespace XLRegistration {

// Every function and command of the add-in, by worksheet name in byte-wise order. A
// descriptor added under a name already present replaces the earlier one.
class ExcelFunctionRegistrationRegistry {
public:
    // The add-in's registry, created at the first use.
    static ExcelFunctionRegistrationRegistry& Instance();

    ExcelFunctionRegistrationRegistry() = default;
    ExcelFunctionRegistrationRegistry(const ExcelFunctionRegistrationRegistry&) = delete;
    ExcelFunctionRegistrationRegistry& operator=(const ExcelFunctionRegistrationRegistry&) = delete;

    void AddFunction(std::shared_ptr<XlfFuncDesc> function);
    void AddCommand(std::shared_ptr<XlfCmdDesc> command);

    // Registers every function, then every command (each put into its menu), numbering
    // them from 1 in that order. A refusal of one only writes its diagnostic line; a
    // missing add-in path raises and stops.
    void DoTheRegistrations() const;
    // Unregisters every function, then takes every command out of its menu and
    // unregisters it.
    void DoTheDeregistrations() const;

    using FunctionMap = std::map<std::string, std::shared_ptr<XlfFuncDesc>>;
    using CommandMap = std::map<std::string, std::shared_ptr<XlfCmdDesc>>;
    const FunctionMap& Functions() const noexcept { return functions_; }
    const CommandMap& Commands() const noexcept { return commands_; }

private:
    FunctionMap functions_;
    CommandMap commands_;
};

} // namespace XLRegistration

class FunctionRegistrationRecord {
public:
    // Adds the function to the add-in's registry.
    FunctionRegistrationRecord(const char* exportName, const char* worksheetName,
                               const char* helpText, const char* category,
                               std::int32_t argumentCount, const XlfArgTriple* arguments,
                               bool isVolatile = false, bool threadSafe = false,
                               const char* returnTypeCode = "", const char* helpTopic = "",
                               bool asynchronous = false, bool macroSheetEquivalent = false,
                               bool clusterSafe = false);
    // Adds the function to the given registry.
    FunctionRegistrationRecord(XLRegistration::ExcelFunctionRegistrationRegistry& registry,
                               const char* exportName, const char* worksheetName,
                               const char* helpText, const char* category,
                               std::int32_t argumentCount, const XlfArgTriple* arguments,
                               bool isVolatile = false, bool threadSafe = false,
                               const char* returnTypeCode = "", const char* helpTopic = "",
                               bool asynchronous = false, bool macroSheetEquivalent = false,
                               bool clusterSafe = false);

    const std::shared_ptr<XlfFuncDesc>& Descriptor() const noexcept { return descriptor_; }

private:
    std::shared_ptr<XlfFuncDesc> descriptor_;
};

} // namespace xlf
