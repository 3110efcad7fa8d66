#pragma once

// Declaring a worksheet function: one static FunctionRegistration, built from the
// function's record. Building it makes the function's descriptor and puts it into the
// add-in's registry, before the host's first call; xlAutoOpen then registers every
// descriptor of the registry with the host, in worksheet-name order. An add-in declares
// every row of its table of functions (catalogue/row.h) at once, from the settings its
// functions share:
//
//     const xlf::RowRegistrations registrations(catalogue::entriesOf(CORVANE_FUNCTIONS),
//                                               {.category = "Corvane 2016/11/20"});
//
// A single function is declared from its record:
//
//     constexpr xlf::XlfArgTriple BMI_ARGS[] = {
//         {"Weight", "The patients weight in kg ", "B"},
//         {"Height", "The pateints height in cm ", "B"},
//     };
//     const xlf::FunctionRegistration registerBMI({
//         .exportName = "xlBMI",
//         .worksheetName = "BMI",
//         .helpText = " Computes the BMI (body mass index) ",
//         .category = "Corvane 2016/11/20",
//         .arguments = BMI_ARGS,
//     });

#include "catalogue/entry.h"
#include "xlf/XlfCmdDesc.h"
#include "xlf/XlfFuncDesc.h"

#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace xlf {

// One argument of a record: name, description, type code (and what the reference says of
// it, which registration does not read); the shape of the catalogues' argument tables,
// which a record takes as they are.
using XlfArgTriple = catalogue::ArgumentEntry;

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

// The record of a worksheet function, its fields in the record's order; the argument
// count is the length of the argument table. Fields left out keep the defaults below: not
// volatile, not thread-safe, the value type as result, automatic help, synchronous, no
// macro-sheet equivalence, not cluster-safe.
struct FunctionRegistrationRecord {
    const char* exportName = "";
    const char* worksheetName = "";
    const char* helpText = "";
    const char* category = "";
    std::span<const XlfArgTriple> arguments{};
    bool isVolatile = false;
    bool threadSafe = false;
    const char* returnTypeCode = ""; // empty: the host's value type
    const char* helpTopic = "";      // empty or "auto": automatic
    bool asynchronous = false;
    bool macroSheetEquivalent = false;
    bool clusterSafe = false;
};

// A declared function: building it makes the record's descriptor and adds it to a registry.
class FunctionRegistration {
public:
    // Adds the function to the add-in's registry.
    explicit FunctionRegistration(const FunctionRegistrationRecord& record);
    // Adds the function to the given registry.
    FunctionRegistration(XLRegistration::ExcelFunctionRegistrationRegistry& registry,
                         const FunctionRegistrationRecord& record);

    const std::shared_ptr<XlfFuncDesc>& Descriptor() const noexcept { return descriptor_; }

private:
    std::shared_ptr<XlfFuncDesc> descriptor_;
};

// A declared function for each catalogue entry: its record is the shared one with the
// entry's export name, worksheet name, help text and arguments.
class RowRegistrations {
public:
    // Adds the functions to the add-in's registry.
    RowRegistrations(std::span<const catalogue::FunctionEntry* const> entries,
                     const FunctionRegistrationRecord& shared);
    // Adds the functions to the given registry.
    RowRegistrations(XLRegistration::ExcelFunctionRegistrationRegistry& registry,
                     std::span<const catalogue::FunctionEntry* const> entries,
                     const FunctionRegistrationRecord& shared);

    const std::vector<FunctionRegistration>& Functions() const noexcept { return functions_; }

private:
    std::vector<FunctionRegistration> functions_;
};

} // namespace xlf
