#pragma once

// The catalogue of Corvane's PK tools: for every tool its worksheet and export names, help
// text and argument table, and the category they share. The worksheet bindings register
// from this table and every other front end reads it; nothing here depends on the host.
//
// The table is constant-initialised, so registration records built during static
// initialisation of other translation units may read it safely.

#include "catalogue/entry.h"
#include "pktools/reference.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace pktools {

inline constexpr const char* CORVANE_CATEGORY = "Corvane 2016/11/20";

// One identifier per tool, in catalogue order.
enum class Tool : std::size_t {
    Cl2Hyb,
    Hyb2Cl,
    PredCp,
    PredCe,
    PredCpVCl,
    PredEff,
    decrCe,
    CsDtCe,
    CsDtCp,
    CsDtCpVCl,
    TciCp,
    CalcRate,
    TciCe,
    TPeak,
    VdPeak,
    TPeak2ke0,
    BMI,
    JLBM,
    JanLBM,
    JJLBM,
};
inline constexpr std::size_t TOOL_COUNT = 20;

// A tool's worksheet function (names, help text, arguments) with its identifier.
struct ToolEntry : catalogue::FunctionEntry {
    Tool id;
};

namespace argument_tables {

using catalogue::ArgumentEntry;
inline constexpr const char* B = catalogue::NUMBER_ARGUMENT;
inline constexpr const char* CELL = catalogue::CELL_VALUE_ARGUMENT; // a column or a flag

// Argument tables: name, description, type code, exactly as registered.
// clang-format off
inline constexpr ArgumentEntry CL2HYB_ARGS[] = {
    {"param", " The vols/clearances as an array (length = 6) ", CELL},
};
inline constexpr ArgumentEntry HYB2CL_ARGS[] = {
    {"param", " The hybrid constants as an array (length = 6) ", CELL},
};
inline constexpr ArgumentEntry PRED_CP_ARGS[] = {
    {"deltaTimes", " Column with delta Times ", CELL},
    {"Rate", " Column with infusion rates ", CELL},
    {"IVBolus", " Column with bolus doses ", CELL},
    {"A", " Hybrid constant A ", B},
    {"B", " Hybrid constant B ", B},
    {"C", " Hybrid constant C ", B},
    {"l1", " Hybrid constant l1 ", B},
    {"l2", " Hybrid constant l2 ", B},
    {"l3", " Hybrid constant l3 ", B},
};
inline constexpr ArgumentEntry PRED_CE_ARGS[] = {
    {"deltaTimes", " Column with delta Times ", CELL},
    {"Rate", " Column with infusion rates ", CELL},
    {"IVBolus", " Column with bolus doses ", CELL},
    {"A", " Hybrid constant A ", B},
    {"B", " Hybrid constant B ", B},
    {"C", " Hybrid constant C ", B},
    {"l1", " Hybrid constant l1 ", B},
    {"l2", " Hybrid constant l2 ", B},
    {"l3", " Hybrid constant l3 ", B},
    {"ke0", " Transferconstantke0 ", B},
};
inline constexpr ArgumentEntry PRED_CP_VCL_ARGS[] = {
    {"deltaTimes", " Column with delta deltaTimess ", CELL},
    {"Rate", " Column with infusion rates ", CELL},
    {"IVBolus", " Column with bolus doses ", CELL},
    {"V1", " Vol 1 ", B},
    {"V2", " Vol 2 ", B},
    {"V3", " Vol 3 ", B},
    {"Cl1", " Cl1 ", B},
    {"Cl2", " Cl2 ", B},
    {"Cl3", " Cl3 ", B},
};
inline constexpr ArgumentEntry PRED_EFF_ARGS[] = {
    {"concEff", "Column with effect site concentration ", CELL},
    {"eZero", " Ezero ", B},
    {"eMax", " Emax ", B},
    {"IC50", " IC50 ", B},
    {"gam", " Gamma - steepness ", B},
};
inline constexpr ArgumentEntry DECR_CE_ARGS[] = {
    {"deltaTimes", " Column with delta Times ", CELL},
    {"Rate", " Column with infusion rates ", CELL},
    {"IVBolus", " Column with bolus doses ", CELL},
    {"decrConc", " Column with decrement concentration (Ce) ", CELL},
    {"A", " Hybrid constant A ", B},
    {"B", " Hybrid constant B ", B},
    {"C", " Hybrid constant C ", B},
    {"l1", " Hybrid constant l1 ", B},
    {"l2", " Hybrid constant l2 ", B},
    {"l3", " Hybrid constant l3 ", B},
    {"ke0", " Transferconstantke0 ", B},
};
inline constexpr ArgumentEntry CS_DT_CE_ARGS[] = {
    {"Times", " Time column ", CELL},
    {"A", " Hybrid constant A ", B},
    {"B", " Hybrid constant B ", B},
    {"C", " Hybrid constant C ", B},
    {"l1", " Hybrid constant l1 ", B},
    {"l2", " Hybrid constant l2 ", B},
    {"l3", " Hybrid constant l3 ", B},
    {"ke0", " Transferconstantke0 ", B},
    {"decr", "The decrement (e.g. 50 for 50%) ", B},
};
inline constexpr ArgumentEntry CS_DT_CP_ARGS[] = {
    {"Times", " Time column ", CELL},
    {"A", " Hybrid constant A ", B},
    {"B", " Hybrid constant B ", B},
    {"C", " Hybrid constant C ", B},
    {"l1", " Hybrid constant l1 ", B},
    {"l2", " Hybrid constant l2 ", B},
    {"l3", " Hybrid constant l3 ", B},
    {"decr", "The decrement (e.g. 50 for 50%) ", B},
};
inline constexpr ArgumentEntry CS_DT_CP_VCL_ARGS[] = {
    {"Times", " Time columns ", CELL},
    {"V1", " Vol 1 ", B},
    {"V2", " Vol 2 ", B},
    {"V3", " Vol 3 ", B},
    {"Cl1", " Cl1 ", B},
    {"Cl2", " Cl2 ", B},
    {"Cl3", " Cl3 ", B},
    {"decr", "The decrement (e.g. 50 for 50%) ", B},
};
inline constexpr ArgumentEntry TCI_CP_ARGS[] = {
    {"deltaTimes", " Column with delta times ", CELL},
    {"targetConc", " Column with target concentrations ", CELL},
    {"maxRate", " Maximal infusion rate ", B},
    {"A", " Hybrid constant A ", B},
    {"B", " Hybrid constant B ", B},
    {"C", " Hybrid constant C ", B},
    {"l1", " Hybrid constant l1 ", B},
    {"l2", " Hybrid constant l2 ", B},
    {"l3", " Hybrid constant l3 ", B},
};
inline constexpr ArgumentEntry CALC_RATE_ARGS[] = {
    {"deltaTimes", " Column with delta times ", CELL},
    {"IVBolus", " For inclusion of manual bolus doses ", CELL},
    {"targetConc", " Column with target concentrations ", CELL},
    {"maxRate", " Maximal infusion rate ", B},
    {"A", " Hybrid constant A ", B},
    {"B", " Hybrid constant B ", B},
    {"C", " Hybrid constant C ", B},
    {"l1", " Hybrid constant l1 ", B},
    {"l2", " Hybrid constant l2 ", B},
    {"l3", " Hybrid constant l3 ", B},
};
inline constexpr ArgumentEntry TCI_CE_ARGS[] = {
    {"deltaTimes", " Column with delta times ", CELL},
    {"targetConc", " Column with target concentrations ", CELL},
    {"maxRate", " Maximal infusion rate ", B},
    {"A", " Hybrid constant A ", B},
    {"B", " Hybrid constant B ", B},
    {"C", " Hybrid constant C ", B},
    {"l1", " Hybrid constant l1 ", B},
    {"l2", " Hybrid constant l2 ", B},
    {"l3", " Hybrid constant l3 ", B},
    {"ke0", " Transferconstant ke0 ", B},
};
// The hybrid constants and ke0 (TPeak, VdPeak).
inline constexpr ArgumentEntry HYBRID_KE0_ARGS[] = {
    {"A", " Hybrid constant A ", B},
    {"B", " Hybrid constant B ", B},
    {"C", " Hybrid constant C ", B},
    {"l1", " Hybrid constant l1 ", B},
    {"l2", " Hybrid constant l2 ", B},
    {"l3", " Hybrid constant l3 ", B},
    {"ke0", " Transferconstant ke0 ", B},
};
inline constexpr ArgumentEntry TPEAK2KE0_ARGS[] = {
    {"A", " Hybrid constant A ", B},
    {"B", " Hybrid constant B ", B},
    {"C", " Hybrid constant C ", B},
    {"l1", " Hybrid constant l1 ", B},
    {"l2", " Hybrid constant l2 ", B},
    {"l3", " Hybrid constant l3 ", B},
    {"peak_time", " Time to peak effect ", B},
};
inline constexpr ArgumentEntry BMI_ARGS[] = {
    {"Weight", "The patients weight in kg ", B},
    {"Height", "The pateints height in cm ", B},
};
// Weight, height and sex in the words of the James formulas (JLBM, JJLBM).
inline constexpr ArgumentEntry JAMES_ARGS[] = {
    {"weight", " Weight in kg ", B},
    {"height", " Height in cm ", B},
    {"MALE", " Gender, male=1, female=0 ", CELL},
};
inline constexpr ArgumentEntry JAN_LBM_ARGS[] = {
    {"weight", "The patient's weight in kg ", B},
    {"height", "The patient's height in cm ", B},
    {"MALE", " Gender, male=1, female=0 ", CELL},
};
// clang-format on

} // namespace argument_tables

// The export name, worksheet name and identifier of a tool from its one name.
#define CORVANE_TOOL(name, helpText, arguments)                                                    \
    ToolEntry {                                                                                    \
        {"xl" #name, #name, helpText, argument_tables::arguments, &reference::name}, Tool::name    \
    }

// All tools, indexed by Tool.
inline constexpr std::array<ToolEntry, TOOL_COUNT> TOOL_CATALOGUE = {{
    CORVANE_TOOL(Cl2Hyb, " Reparametrisation from volumes/clearances to hybrid constants ",
                 CL2HYB_ARGS),
    CORVANE_TOOL(Hyb2Cl, " Reparametrisation from hybrid constants to volumes and clearance ",
                 HYB2CL_ARGS),
    CORVANE_TOOL(PredCp, " Predict plasma concentration ", PRED_CP_ARGS),
    CORVANE_TOOL(PredCe, " Predict effect site concentration ", PRED_CE_ARGS),
    CORVANE_TOOL(PredCpVCl, " Predict plasma concentration (Vol Cl) ", PRED_CP_VCL_ARGS),
    CORVANE_TOOL(PredEff, " Effect based on sigmoidal Emax model ", PRED_EFF_ARGS),
    CORVANE_TOOL(decrCe, " Calculation of decrement times ", DECR_CE_ARGS),
    CORVANE_TOOL(CsDtCe, " Calculates the decrement times of effect site concentration ",
                 CS_DT_CE_ARGS),
    CORVANE_TOOL(CsDtCp, " Calculates the decrement times of plasma concentration ", CS_DT_CP_ARGS),
    CORVANE_TOOL(CsDtCpVCl, " Calculates the decrement times of plasma concentration ",
                 CS_DT_CP_VCL_ARGS),
    CORVANE_TOOL(TciCp, " TCI for plasma ", TCI_CP_ARGS),
    CORVANE_TOOL(CalcRate, " Plasma TCI; bolus doses possible ", CALC_RATE_ARGS),
    CORVANE_TOOL(TciCe, " TCI for effect site ", TCI_CE_ARGS),
    CORVANE_TOOL(TPeak, "Calculates the time to peak effect ", HYBRID_KE0_ARGS),
    CORVANE_TOOL(VdPeak, "Calculation of Volume of distribution at peak effect ", HYBRID_KE0_ARGS),
    CORVANE_TOOL(TPeak2ke0, "Calculates ke0 from a given tpeak ", TPEAK2KE0_ARGS),
    CORVANE_TOOL(BMI, " Computes the BMI (body mass index) ", BMI_ARGS),
    CORVANE_TOOL(JLBM, " LBM (formula of James) ", JAMES_ARGS),
    CORVANE_TOOL(JanLBM, "Computes LBM based on Janmahasatian Clin Pharm ", JAN_LBM_ARGS),
    CORVANE_TOOL(JJLBM, " LBM (formula James Adjusted) ", JAMES_ARGS),
}};

#undef CORVANE_TOOL

// Each entry sits at the index of its identifier.
constexpr bool toolsFollowTheirIdentifiers() {
    for (std::size_t i = 0; i < TOOL_CATALOGUE.size(); ++i)
        if (static_cast<std::size_t>(TOOL_CATALOGUE[i].id) != i)
            return false;
    return true;
}
static_assert(toolsFollowTheirIdentifiers(), "catalogue entries out of identifier order");

// Each tool's reference explains its arguments.
constexpr bool toolReferencesFit() {
    for (const ToolEntry& entry : TOOL_CATALOGUE)
        if (!catalogue::referenceFits(entry))
            return false;
    return true;
}
static_assert(toolReferencesFit(), "a tool's reference does not fit its entry");

constexpr const ToolEntry& toolEntry(Tool tool) {
    return TOOL_CATALOGUE[static_cast<std::size_t>(tool)];
}

// ---- The schedule check beside the tools

namespace argument_tables {
// clang-format off
inline constexpr ArgumentEntry SCHEDULE_CHECK_ARGS[] = {
    {"deltaTimes", " Column with delta times (optional) ", CELL},
    {"Times", " Time column (optional) ", CELL},
    {"decr", " The decrement (e.g. 50 for 50%) (optional) ", CELL},
};
// clang-format on
} // namespace argument_tables

inline constexpr catalogue::FunctionEntry SCHEDULE_CHECK{
    "xlScheduleCheck",
    "ScheduleCheck",
    " Checks a schedule: intervals in seconds, unordered times, a decrement as a fraction ",
    argument_tables::SCHEDULE_CHECK_ARGS,
    &reference::ScheduleCheck,
};
static_assert(catalogue::referenceFits(SCHEDULE_CHECK));

// Corvane's worksheet functions: the tools and the schedule check.
inline constexpr std::size_t CORVANE_FUNCTION_COUNT = TOOL_COUNT + 1;

// The tool with this worksheet name (compared byte by byte), or nullptr.
const ToolEntry* findTool(std::string_view worksheetName);

} // namespace pktools
